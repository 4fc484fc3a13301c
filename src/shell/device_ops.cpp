#include "shell/device_ops.h"

#include "link/curve_codec.h"
#include "link/operation.h"
#include "link/page_alarms.h"
#include "link/page_config.h"
#include "link/page_sensors.h"
#include "link/sensors_run.h"
#include "link/serial_comm.h"
#include "platform/clock.h"
#include "platform/mainsurface.h"
#include "platform/messages.h"
#include "project/channels.h"
#include "project/curve_buffer.h"
#include "project/state.h"

#include <array>

namespace zuv {
namespace {

constexpr int kProgramCommand = 0x12;
constexpr int kReadCommand = 0x13;
const QString kCrLf = QStringLiteral("\r\n");

// Message of the missing-sensor warning, in file order of the channels.
constexpr std::array<int, 9> kMissingTexts = {166, 167, 168, 169, 170, 171, 172, 173, 304};

struct Run {
    bool program;
    DeviceProgressView* view = nullptr;
    bool stepDone = false;

    void beginStep(const QString& logText, const QString& panel3 = QString())
    {
        if (stepDone)
            view->appendLog(QStringLiteral("   ") + languageText(237) + kCrLf);
        stepDone = true;
        if (!panel3.isEmpty())
            mainSurface().setPanelText(3, panel3);
        view->appendLog(logText);
        clock().yieldEvents();
    }

    bool brokenOff() const { return !view->isShown(); }
};

DeviceRunEnd finishFailure(Run& run, Operation& operation, const RunOutcome& outcome)
{
    run.view->setBusy(false);
    mainSurface().setPanelText(3, QString());
    operation.finish();
    reportRunEnd(run.program, outcome);
    run.view->closeWindow();
    ChiudiPorta();
    ConnettiStrumento();
    return outcome.broken ? DeviceRunEnd::BrokenOff : DeviceRunEnd::CommError;
}

DeviceRunEnd finishSuccess(Run& run, Operation& operation)
{
    run.view->appendLog(QStringLiteral("   ") + languageText(237) + kCrLf);
    run.view->setBusy(false);
    mainSurface().setPanelText(3, QString());
    operation.finish();
    if (!run.program)
        ProgettoModificato = true;
    run.view->setResult(languageText(run.program ? 238 : 239) + QLatin1Char(' ') + languageText(237));
    return DeviceRunEnd::Succeeded;
}

DeviceRunEnd runDevice(bool program, const ProgressOpener& openProgress)
{
    if (operationRunning())
        return DeviceRunEnd::Cancelled;
    if (!confirmRun(program))
        return DeviceRunEnd::Cancelled;

    // Checked before the first frame, so a refused run leaves the instrument
    // as it was.
    if (program) {
        if (const int missing = missingSensorTextId()) {
            msgBox(languageText(missing), MsgIcon::Exclamation, MsgButtons::Ok, QStringLiteral("Sensori"));
            return DeviceRunEnd::MissingSensor;
        }
    }

    Run run{program};
    run.view = &openProgress();
    run.view->setHeading(languageText(program ? 238 : 239));
    run.view->setBusy(true);
    clock().yieldEvents();
    mainSurface().setPanelText(3, languageText(program ? 146 : 206));
    // Held for the whole run: nothing else may talk to the instrument between
    // two of its steps.
    Operation operation(program ? kProgramCommand : kReadCommand);
    auto brokenOff = [&run] { return run.brokenOff(); };

    // Step 1: the two configuration pages.
    run.beginStep(program ? languageText(146) + QStringLiteral(" ...") : languageText(206));
    RunOutcome outcome = configPagesRun(program);
    outcome.broken = run.brokenOff();
    if (!outcome.goesOn())
        return finishFailure(run, operation, outcome);

    // Steps 2 to 11: the sensors page and the curve of each slot.
    SensorsRunHooks hooks;
    hooks.brokenOff = brokenOff;
    hooks.beginStep = [&](int stepNo, const QString& curveText) {
        if (stepNo > 0)
            run.beginStep(curveText, curveText);
        else if (program)
            run.beginStep(languageText(11) + QLatin1Char(' ') + languageText(12) + QStringLiteral(" ..."));
        else
            run.beginStep(languageText(158));
    };
    outcome = program ? sendSensorsRun(slotSensorsFrom(DatiProgetto), hooks)
                        : readSensorsRun(hooks, [](int slot, const QString& sensor) {
                              DatiProgetto.*channelFromSlot(slot).sensor = sensor;
                          });
    if (!outcome.goesOn())
        return finishFailure(run, operation, outcome);

    // Step 12: alarms and shift lights.
    run.beginStep(languageText(227), languageText(227));
    outcome = alarmsPageRun(program, brokenOff);
    if (!outcome.goesOn())
        return finishFailure(run, operation, outcome);

    return finishSuccess(run, operation);
}

} // namespace

int missingSensorTextId()
{
    const auto& channels = channelsInFileOrder();
    for (std::size_t i = 0; i < channels.size(); ++i) {
        const ChannelInfo& ch = channels[i];
        if (!(DatiProgetto.*ch.enabled))
            continue;
        if (sensorNameEmpty(DatiProgetto.*ch.rate) || !sensorInLibrary(DatiProgetto.*ch.sensor))
            return kMissingTexts[i];
    }
    return 0;
}

DeviceRunEnd programInstrument(const ProgressOpener& openProgress)
{
    return runDevice(true, openProgress);
}

DeviceRunEnd readInstrument(const ProgressOpener& openProgress)
{
    return runDevice(false, openProgress);
}

} // namespace zuv
