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

using Steps = std::function<RunOutcome(const std::function<bool()>& brokenOff)>;

PageExchangeEnd exchange(bool send, const PageTexts& t, PageRunView& view, const Steps& steps)
{
    if (!confirmRun(send, languageText(t.title)))
        return PageExchangeEnd::Declined;
    view.runStarts();
    Operation operation(t.command);
    mainSurface().setPanelText(3, languageText(t.panel));
    const RunOutcome outcome = steps([&view] { return view.closedDuringRun(); });
    view.runEnding(outcome);
    mainSurface().setPanelText(3, QString());
    // The messages come while the run still holds the window's controls.
    reportRunEnd(send, outcome);
    if (!outcome.ok)
        return PageExchangeEnd::Failed;
    if (outcome.broken)
        return PageExchangeEnd::BrokenOff;
    if (t.success != 0)
        msgBox(languageText(t.success), MsgIcon::Information, MsgButtons::Ok,
               t.successTitle != 0 ? languageText(t.successTitle) : QString());
    return PageExchangeEnd::Succeeded;
}

} // namespace

PageExchangeEnd exchangeConfigPage(bool send, PageRunView& view)
{
    const PageTexts t = send ? PageTexts{226, cmd::InviaDatiConfigurazione, 146, 218}
                             : PageTexts{234, cmd::LeggiDatiConfigurazione, 206, 0};
    return exchange(send, t, view,
                    [send](const std::function<bool()>& brokenOff) { return configPagesRun(send, brokenOff); });
}

PageExchangeEnd exchangeAlarmsPage(bool send, PageRunView& view)
{
    // The Send's success is titled as the window.
    const PageTexts t = send ? PageTexts{227, cmd::InviaDatiAllarmi, 219, 220, 79}
                             : PageTexts{236, cmd::LeggiDatiAllarmi, 203, 0};
    return exchange(send, t, view,
                    [send](const std::function<bool()>& brokenOff) { return alarmsPageRun(send, brokenOff); });
}

PageExchangeEnd exchangeSensorsPage(bool send, PageRunView& view, SensorsEditorView& page)
{
    const PageTexts t = send ? PageTexts{149, cmd::InviaDatiSensori, 150, 157}
                             : PageTexts{235, cmd::LeggiDatiSensori, 158, 165};
    // The curves that go out are those of the channels as the window's
    // checks saw them; the channels stay locked until the run ends.
    const SlotSensors sensors = slotSensorsFrom(channelEntries(page));

    return exchange(send, t, view, [&](const std::function<bool()>& brokenOff) {
        SensorsRunHooks hooks;
        hooks.brokenOff = brokenOff;
        hooks.beginStep = [&](int stepNo, const QString& curveText) {
            const QString text = stepNo == 0 ? languageText(t.panel) : curveText;
            mainSurface().setPanelText(3, text);
            view.showStep(stepNo, text);
        };
        if (send)
            return sendSensorsRun(sensors, hooks);
        return readSensorsRun(hooks, [&page](int slot, const QString& sensor) { page.setSensorText(slot, sensor); });
    });
}

} // namespace zuv
