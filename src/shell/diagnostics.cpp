#include "shell/diagnostics.h"

#include "link/live.h"
#include "link/serial_comm.h"
#include "platform/clock.h"

namespace zuv {

namespace {
constexpr int kComandoDiagnostica = 0x25;
constexpr int kPausaMs = 50;
} // namespace

DiagnosticaRun::DiagnosticaRun() : operation_(kComandoDiagnostica) {}

bool DiagnosticaRun::read(bool (*command)(), PassoDiagnostica& passo)
{
    const StepEnd end = runStep(command, true);
    passo.connesso = passo.connesso || end != StepEnd::NoInstrument;
    if (end == StepEnd::Failed && !inOutage_) {
        inOutage_ = true;
        segnalaErroreComunicazione();
    }
    clock().sleepMs(kPausaMs);
    return end != StepEnd::Failed;
}

PassoDiagnostica DiagnosticaRun::passo()
{
    PassoDiagnostica passo;
    const bool stato = read(LeggiDiagnostica, passo);
    const bool ingressi = read(LeggiCalibrazione, passo);
    passo.letto = passo.connesso && stato && ingressi;
    if (passo.letto)
        inOutage_ = false;
    return passo;
}

} // namespace zuv
