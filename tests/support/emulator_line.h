#pragma once
// The instrument emulator on a pseudo-terminal as the program's serial line:
// ZUV_PORTS points at its device, and detach() (or the destructor) closes the
// port, puts ZUV_PORTS back and stops the emulator.

#include "emulator/emulator.h"
#include "platform/serialport.h"
#include "support/fake_clock.h"

#include <QByteArray>
#include <memory>

namespace zuv::test {

class EmulatorLine {
public:
    EmulatorLine() = default;
    ~EmulatorLine();
    EmulatorLine(const EmulatorLine&) = delete;
    EmulatorLine& operator=(const EmulatorLine&) = delete;

    // Through the program's own port, in whatever time the test keeps.
    // `portsBefore` goes ahead of the device in ZUV_PORTS (e.g. a missing
    // "/nonexistent/x," puts the instrument on port 2). False when the
    // system gives no pseudo-terminal.
    bool attach(const QByteArray& portsBefore = {});
    // Through a port of our own, with fake waits that always end: every
    // tick read and every yield moves `clock`, and the lamps cost nothing.
    // A wait moves it only once the line has settled, so a reply is never
    // late however long the machine keeps the emulator from answering.
    bool attach(FakeClock& clock, int tickStepMs = 1, int yieldStepMs = 5);
    // Plugged in again after the line went dead, on its new device.
    bool replug();
    void detach();

    emu::Emulator emulator;

private:
    bool startLine();

    std::unique_ptr<SerialPort> port_;
    QByteArray portsBefore_;
    QByteArray savedPorts_;
    bool attached_ = false;
};

} // namespace zuv::test
