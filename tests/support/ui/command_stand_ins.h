#pragma once
// The main window's commands with windows of their own, for tests: a
// stand-in set for a command runs in its place (with the main window as
// parent); a command without one opens its real window.

#include "shell/ui/command_windows.h"

#include <functional>
#include <map>

namespace zuv::test {

class CommandStandIns final : public CommandWindows {
public:
    void run(WindowCommand command, QWidget* parent) override;

    std::map<WindowCommand, std::function<void(QWidget*)>> standIns;

private:
    QtCommandWindows real_;
};

} // namespace zuv::test
