#include "support/link_probes.h"

#include "link/poll_exchange.h"
#include "platform/serialport.h"
#include "shell/poll.h"

namespace zuv::test {

bool pollTick()
{
    if (!startPollTick())
        return false;
    PollExchange::instance().runToEnd();
    return true;
}

int portOpen()
{
    SerialPort& port = serialPort();
    return port.isOpen() ? port.portNumber() : 0;
}

} // namespace zuv::test
