#pragma once
// Instrument operations and their steps. An operation (Program Device, a
// page's Send or Read, the download, the live values, a curve read ...)
// holds the link and ComandoInCorso from its start to its end, whatever
// way it ends; a step connects, runs one page or curve command and tells
// its caller how it went, recording the same in ErroreComunicazione.

#include "link/link_guard.h"

#include <QString>
#include <functional>

namespace zuv {

// Another operation or an exchange holds the link: a new operation must not
// start.
bool operationRunning();

class Operation {
public:
    explicit Operation(int code);
    ~Operation();
    Operation(const Operation&) = delete;
    Operation& operator=(const Operation&) = delete;

    // The instrument command is over before the scope closes: ComandoInCorso
    // is 0 for the end messages and a reconnection (whose waits are then the
    // idle ones), while the link stays held so the poll keeps away.
    void finish();

private:
    LinkGuard guard_;
};

enum class StepEnd {
    Done,
    NoInstrument, // no instrument answered the connection
    Failed,       // the command's exchange failed
};

// Connects (ConnettiStrumento) and runs `command`, which returns whether its
// exchange worked. A connection that cannot be made shows no message of its
// own. The outcome is recorded in ErroreComunicazione.
StepEnd runStep(const std::function<bool()>& command);

// How a run of steps ended: `ok` false after a failed step, `broken` when
// the user closed the run's window, `noInstrument` when a step failed for
// want of an instrument, which no message of the link's has told.
struct RunOutcome {
    bool ok = true;
    bool broken = false;
    bool noInstrument = false;

    bool goesOn() const { return ok && !broken; }
};

// The question before a Send or Program Device (`send`) or a Read; `title`
// heads it, the program's name when empty. True when the user goes on.
bool confirmRun(bool send, const QString& title = QString());

// The messages of a run that did not go on: its break-off (a send's or a
// read's), then its failure.
void reportRunEnd(bool send, const RunOutcome& outcome);

// The steps of one run, each a runStep, the run ending at the first
// that fails or after which `brokenOff` (when given) says the user closed
// the run's window.
class StepRun {
public:
    explicit StepRun(std::function<bool()> brokenOff = {}) : brokenOff_(std::move(brokenOff)) {}

    // Runs `command` while the run goes on; whether it still does after.
    bool step(const std::function<bool()>& command);
    const RunOutcome& outcome() const { return outcome_; }

private:
    std::function<bool()> brokenOff_;
    RunOutcome outcome_;
};

} // namespace zuv
