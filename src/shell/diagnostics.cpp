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
    return result;
}

} // namespace zuv
