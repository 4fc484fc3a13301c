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

bool DiagnosticsRun::read(bool (*command)(), DiagnosticsStep& passo)
{
    const StepEnd end = runStep(command, true);
    passo.connected = passo.connected || end != StepEnd::NoInstrument;
    if (end == StepEnd::Failed && !inOutage_) {
        inOutage_ = true;
        reportLinkError();
    }
    clock().sleepMs(kPauseMs);
    return end != StepEnd::Failed;
}

DiagnosticsStep DiagnosticsRun::passo()
{
    DiagnosticsStep passo;
    const bool stato = read(LeggiDiagnostica, passo);
    const bool ingressi = read(LeggiCalibrazione, passo);
    passo.read = passo.connected && stato && ingressi;
    if (passo.read)
        inOutage_ = false;
    return passo;
}

} // namespace zuv
