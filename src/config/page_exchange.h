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
    // The user said OK to the question: the window's instrument commands
    // locked, the busy cursor on.
    virtual void runStarts() = 0;
    // The steps are over, before the end messages: the busy cursor off.
    virtual void runEnding() = 0;
    // The user closed the window during the run.
    virtual bool closedDuringRun() const = 0;
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
// end messages.
// The configuration and alarms pages run to their end however the window
// is closed meanwhile: a Send ends with 230 after a failure, else with the
// page's success text; a Read shows what it read, and a failed exchange only
// the link's message (230 when no instrument answered, of which the link
// says nothing).
PageExchangeEnd exchangeConfigPage(bool send, PageRunView& view);
PageExchangeEnd exchangeAlarmsPage(bool send, PageRunView& view);
// The sensors page with its nine curves, each step's text on panel 3: Send
// loads each enabled channel's sensor curve as `page` showed it at the
// window's checks; Read names each curve's sensor there. Closing the window
// breaks the run off after the step under way (229 or 233); a failure ends
// it with 230; else the page's success text.
PageExchangeEnd exchangeSensorsPage(bool send, PageRunView& view, SensorsEditorView& page);

} // namespace zuv
