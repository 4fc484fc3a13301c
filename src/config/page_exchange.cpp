#include "config/page_exchange.h"

#include "link/commands.h"
#include "link/page_alarms.h"
#include "link/page_config.h"
#include "platform/mainsurface.h"
#include "platform/messages.h"
#include "project/state.h"

namespace zuv {

namespace {

// The texts and the operation code of one page's Send or Read.
struct PageTexts {
    int title;   // of the question
    int command; // ComandoInCorso during the run
    int panel;   // panel 3 during the run
    int success; // 0 for none
    int successTitle = 0; // 0 for the program's
};

using Steps = std::function<RunOutcome()>;
using EndMessages = void (*)(bool send, const PageTexts& t, const RunOutcome& outcome);

void showSuccess(const PageTexts& t)
{
    if (t.success != 0)
        msgBox(languageText(t.success), MsgIcon::Information, MsgButtons::Ok,
               t.successTitle != 0 ? languageText(t.successTitle) : QString());
}

// The configuration and alarms pages, which have no break-off. A Read adds
// nothing to a failed exchange, which the link has told; a missing
// instrument, which nothing has told, is a communication error all the same.
void pageEnd(bool send, const PageTexts& t, const RunOutcome& outcome)
{
    if (outcome.ok)
        showSuccess(t);
    else if (send || outcome.noInstrument)
        reportRunEnd(send, outcome);
}

// The sensors page: its break-off, its failure, or its success.
void stepsEnd(bool send, const PageTexts& t, const RunOutcome& outcome)
{
    reportRunEnd(send, outcome);
    if (outcome.goesOn())
        showSuccess(t);
}

PageExchangeEnd exchange(bool send, const PageTexts& t, PageRunView& view, const Steps& steps,
                         EndMessages endMessages)
{
    if (!confirmRun(send, languageText(t.title)))
        return PageExchangeEnd::Declined;
    view.runStarts();
    Operation operation(t.command);
    mainSurface().setPanelText(3, languageText(t.panel));
    const RunOutcome outcome = steps();
    view.runEnding();
    mainSurface().setPanelText(3, QString());
    // The messages come while the run still holds the window's controls.
    endMessages(send, t, outcome);
    if (!outcome.ok)
        return PageExchangeEnd::Failed;
    return outcome.broken ? PageExchangeEnd::BrokenOff : PageExchangeEnd::Succeeded;
}

} // namespace

PageExchangeEnd exchangeConfigPage(bool send, PageRunView& view)
{
    const PageTexts t = send ? PageTexts{226, cmd::InviaDatiConfigurazione, 146, 218}
                             : PageTexts{234, cmd::LeggiDatiConfigurazione, 206, 0};
    return exchange(send, t, view, [send] { return configPagesRun(send); }, pageEnd);
}

PageExchangeEnd exchangeAlarmsPage(bool send, PageRunView& view)
{
    // The Send's success is titled as the window.
    const PageTexts t = send ? PageTexts{227, cmd::InviaDatiAllarmi, 219, 220, 79}
                             : PageTexts{236, cmd::LeggiDatiAllarmi, 203, 0};
    return exchange(send, t, view, [send] { return alarmsPageRun(send); }, pageEnd);
}

PageExchangeEnd exchangeSensorsPage(bool send, PageRunView& view, SensorsEditorView& page)
{
    const PageTexts t = send ? PageTexts{149, cmd::InviaDatiSensori, 150, 157}
                             : PageTexts{235, cmd::LeggiDatiSensori, 158, 165};
    // The curves that go out are those of the channels as the window's
    // checks saw them, whatever the user changes on the page meanwhile.
    const SlotSensors sensors = slotSensorsFrom(channelEntries(page));

    const Steps steps = [&] {
        SensorsRunHooks hooks;
        hooks.brokenOff = [&view] { return view.closedDuringRun(); };
        hooks.beginStep = [&](int stepNo, const QString& curveText) {
            mainSurface().setPanelText(3, stepNo == 0 ? languageText(t.panel) : curveText);
        };
        if (send)
            return sendSensorsRun(sensors, hooks);
        return readSensorsRun(hooks, [&page](int slot, const QString& sensor) { page.setSensorText(slot, sensor); });
    };
    return exchange(send, t, view, steps, stepsEnd);
}

} // namespace zuv
