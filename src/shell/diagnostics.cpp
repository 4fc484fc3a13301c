#include "shell/diagnostics.h"

#include "link/live.h"
#include "platform/clock.h"

namespace zuv {

namespace {
constexpr int kDiagnosticsCommand = 0x25;
constexpr int kPauseMs = 50;
} // namespace

DiagnosticsRun::DiagnosticsRun() : operation_(kDiagnosticsCommand) {}

void DiagnosticsRun::step()
{
    runStep(LeggiDiagnostica);
    clock().sleepMs(kPauseMs);
    runStep(LeggiCalibrazione);
    clock().sleepMs(kPauseMs);
    // The pass ends by letting the window system in: with an instrument
    // that answers at once no wait of the pass takes input, and the next
    // pass follows at once, so the close would never get its turn.
    clock().yieldEvents();
}

} // namespace zuv
