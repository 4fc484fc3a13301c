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
    const QString question = languageText(send ? 147 : 232) + QStringLiteral("\r\n") + languageText(148);
    if (msgBox(question, MsgIcon::None, MsgButtons::OkCancel, languageText(t.title)) != MsgAnswer::Ok)
        return PageExchangeEnd::Declined;
    view.runStarts();
    Operation operation(t.command);
    mainSurface().setPanelText(3, languageText(t.panel));
    const RunOutcome outcome = steps([&view] { return view.closedDuringRun(); });
    view.runEnding(outcome);
    mainSurface().setPanelText(3, QString());
    // The messages come while the run still holds the window's controls.
    if (outcome.broken)
        msgBox(languageText(send ? 229 : 233), MsgIcon::Information);
    if (!outcome.ok) {
        msgBox(languageText(230), MsgIcon::Information);
        return PageExchangeEnd::Failed;
    }
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
    return exchange(send, t, view, [send](const std::function<bool()>& brokenOff) {
        StepRun run(brokenOff);
        run.step(send ? InviaDatiAllarmi : LeggiDatiAllarmi);
        return run.outcome();
    });
}

PageExchangeEnd exchangeSensorsPage(bool send, PageRunView& view, SensorsEditorView& page)
{
    const PageTexts t = send ? PageTexts{149, cmd::InviaDatiSensori, 150, 157}
                             : PageTexts{235, cmd::LeggiDatiSensori, 158, 165};
    // The curves that go out are those of the channels as the window's
    // checks saw them; the channels stay locked until the run ends.
    SlotSensors sensors;
    const ChannelEntries channels = channelEntries(page);
    for (int slot = 0; slot < kNumSlot; ++slot)
        if (channels[std::size_t(slot)].enabled)
            sensors[std::size_t(slot)] = channels[std::size_t(slot)].sensor;

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
