#include "link/operation.h"

#include "link/serial_comm.h"
#include "platform/clock.h"
#include "platform/messages.h"
#include "project/state.h"

namespace zuv {

bool operationRunning() { return StatoComunicazione.ComandoInCorso != 0 || linkBusy(); }

Operation::Operation(int code) { StatoComunicazione.ComandoInCorso = code; }

Operation::~Operation() { finish(); }

void Operation::finish() { StatoComunicazione.ComandoInCorso = 0; }

StepEnd runStep(const std::function<bool()>& command)
{
    if (!ConnettiStrumento()) {
        noteOutcome(false);
        return StepEnd::NoInstrument;
    }
    return noteOutcome(command()) ? StepEnd::Done : StepEnd::Failed;
}

bool StepRun::step(const std::function<bool()>& command)
{
    if (!outcome_.goesOn())
        return false;
    const StepEnd end = runStep(command);
    // A write's acknowledgement only repaints; a close given meanwhile
    // takes effect here, before the run tests for it.
    clock().yieldEvents();
    outcome_.ok = end == StepEnd::Done;
    outcome_.noInstrument = end == StepEnd::NoInstrument;
    outcome_.broken = brokenOff_ && brokenOff_();
    return outcome_.goesOn();
}

bool confirmRun(bool send, const QString& title)
{
    const QString question = languageText(send ? 147 : 232) + QStringLiteral("\r\n") + languageText(148);
    return msgBox(question, MsgIcon::None, MsgButtons::OkCancel, title) == MsgAnswer::Ok;
}

void reportRunEnd(bool send, const RunOutcome& outcome)
{
    if (outcome.broken)
        msgBox(languageText(send ? 229 : 233), MsgIcon::Information);
    if (!outcome.ok)
        msgBox(languageText(230), MsgIcon::Information);
}

} // namespace zuv
