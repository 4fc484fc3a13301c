#include "shell/diagnostics.h"

#include "link/live.h"
#include "link/serial_comm.h"
#include "platform/clock.h"

namespace zuv {

namespace {
constexpr int kDiagnosticsCommand = 0x25;
constexpr int kPauseMs = 50;
} // namespace

DiagnosticsRun::DiagnosticsRun() : operation_(kDiagnosticsCommand) {}

bool DiagnosticsRun::read(bool (*command)(), DiagnosticsStep& result)
{
    const StepEnd end = runStep(command, true);
    result.connected = result.connected || end != StepEnd::NoInstrument;
    if (end == StepEnd::Failed && !inOutage_) {
        inOutage_ = true;
        reportLinkError();
    }
    clock().sleepMs(kPauseMs);
    return end != StepEnd::Failed;
}

DiagnosticsStep DiagnosticsRun::step()
{
    DiagnosticsStep result;
    const bool status = read(LeggiDiagnostica, result);
    const bool inputs = read(LeggiCalibrazione, result);
    result.read = result.connected && status && inputs;
    if (result.read)
        inOutage_ = false;
    // The pass ends by letting the window system in: with an instrument
    // that answers at once no wait of the pass takes input, and the next
    // pass follows at once, so the close would never get its turn.
    clock().yieldEvents();
    return result;
}

} // namespace zuv
