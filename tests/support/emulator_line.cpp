#include "support/emulator_line.h"

#include "link/serial_comm.h"

namespace zuv::test {

EmulatorLine::~EmulatorLine() { detach(); }

bool EmulatorLine::attach(const QByteArray& portsBefore)
{
    detach();
    portsBefore_ = portsBefore;
    savedPorts_ = qgetenv("ZUV_PORTS");
    attached_ = true;
    setSerialPort(nullptr);
    return startLine();
}

bool EmulatorLine::attach(FakeClock& clock, int tickStepMs, int yieldStepMs)
{
    if (!attach())
        return false;
    port_ = createSystemSerialPort();
    setSerialPort(port_.get());
    clock.tickStepMs = tickStepMs;
    clock.yieldStepMs = yieldStepMs;
    return true;
}

bool EmulatorLine::replug() { return startLine(); }

bool EmulatorLine::startLine()
{
    if (!emulator.start())
        return false;
    qputenv("ZUV_PORTS", portsBefore_ + emulator.devicePath().toLocal8Bit());
    return true;
}

void EmulatorLine::detach()
{
    if (!attached_)
        return;
    attached_ = false;
    ChiudiPorta();
    setSerialPort(nullptr);
    port_.reset();
    if (savedPorts_.isNull())
        qunsetenv("ZUV_PORTS");
    else
        qputenv("ZUV_PORTS", savedPorts_);
    emulator.stop();
}

} // namespace zuv::test
