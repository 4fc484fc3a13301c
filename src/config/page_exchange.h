#pragma once
// Send and Read of a configuration page window, without the window: from
// the question to the end messages, the page's steps run as one instrument
// operation; the window only locks its controls meanwhile and shows the
// outcome.

#include "config/page_editors.h"
#include "link/operation.h"
#include "link/sensors_run.h"

#include <QString>

namespace zuv {

// What a run needs of its page window.
class PageRunView {
public:
    virtual ~PageRunView() = default;
    // The user said OK to the question: the window's controls locked, the
    // busy cursor on.
    virtual void runStarts() = 0;
    // The steps are over, before the end messages: the busy cursor off.
    virtual void runEnding(const RunOutcome& outcome) = 0;
    // The user closed the window during the run.
    virtual bool closedDuringRun() const = 0;
    // Step `stepNo` of a run in steps (the sensors page: 0 the page, 1 to 9
    // the curves) and its text; panel 3 shows it too.
    virtual void showStep(int stepNo, const QString& text) = 0;
};

enum class PageExchangeEnd {
    Declined, // Cancel at the question: nothing ran
    Succeeded,
    Failed,
    BrokenOff,
};

// One click of Send (`send`) or Read, once the window's own checks have
// passed: the question (text 147 or 232, then 148, titled for the page), the
// steps with the page's text on panel 3 and ComandoInCorso set, then the
// end messages: 229 or 233 after a broken run, 230 after a failed one, and
// the page's success text after one that worked (the configuration and
// alarms pages' Read show what they read instead).
PageExchangeEnd exchangeConfigPage(bool send, PageRunView& view);
PageExchangeEnd exchangeAlarmsPage(bool send, PageRunView& view);
// The sensors page with its nine curves: Send loads each enabled channel's
// sensor curve as `page` shows it; Read names each curve's sensor there.
PageExchangeEnd exchangeSensorsPage(bool send, PageRunView& view, SensorsEditorView& page);

} // namespace zuv
