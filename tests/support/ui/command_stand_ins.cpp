#include "support/ui/command_stand_ins.h"

namespace zuv::test {

void CommandStandIns::run(WindowCommand command, QWidget* parent)
{
    const auto it = standIns.find(command);
    if (it != standIns.end() && it->second)
        it->second(parent);
    else
        real_.run(command, parent);
}

} // namespace zuv::test
