#include "shell/device_ops.h"

#include "link/curve_codec.h"
#include "link/link_guard.h"
#include "link/page_alarms.h"
#include "link/page_config.h"
#include "link/page_sensors.h"
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

constexpr int kComandoProgramma = 0x12;
constexpr int kComandoLettura = 0x13;
const QString kCrLf = QStringLiteral("\r\n");

struct SlotTexts {
    int programma;
    int lettura;
};
// By curve slot 0..8.
constexpr std::array<SlotTexts, 9> kTestiSlot = {{
    {151, 159}, {152, 160}, {153, 161}, {154, 162}, {155, 163},
    {156, 164}, {322, 323}, {331, 333}, {332, 334},
}};

// Message of the missing-sensor warning, in file order of the channels.
constexpr std::array<int, 9> kTestiMancante = {166, 167, 168, 169, 170, 171, 172, 173, 304};

struct Run {
    bool programma;
    DeviceProgressView* view = nullptr;
    bool stepDone = false;

    void beginStep(const QString& logText, const QString& panel3 = QString())
    {
        if (stepDone)
            view->appendLog(QStringLiteral("   ") + Testo(237) + kCrLf);
        stepDone = true;
        if (!panel3.isEmpty())
            mainSurface().setPanelText(3, panel3);
        view->appendLog(logText);
        clock().yieldEvents();
    }

    // A connection that cannot be made is a failed exchange: the run must not
    // end as a success with nothing sent or read.
    bool connect()
    {
        if (ConnettiStrumento())
            return true;
        StatoComunicazione.ErroreComunicazione = true;
        return false;
    }

    bool stepFailed() const
    {
        return !view->isShown() || StatoComunicazione.ErroreComunicazione;
    }
};

DeviceRunEnd finishFailure(Run& run)
{
    const bool brokenOff = !run.view->isShown();
    run.view->setBusy(false);
    mainSurface().setPanelText(3, QString());
    StatoComunicazione.ComandoInCorso = 0;
    if (brokenOff)
        msgBox(Testo(run.programma ? 229 : 233), MsgIcon::Information);
    const bool commError = StatoComunicazione.ErroreComunicazione;
    if (commError)
        msgBox(Testo(230), MsgIcon::Information);
    run.view->closeWindow();
    ChiudiPorta();
    ConnettiStrumento();
    return brokenOff ? DeviceRunEnd::BrokenOff : DeviceRunEnd::CommError;
}

DeviceRunEnd finishSuccess(Run& run)
{
    run.view->appendLog(QStringLiteral("   ") + Testo(237) + kCrLf);
    run.view->setBusy(false);
    mainSurface().setPanelText(3, QString());
    StatoComunicazione.ComandoInCorso = 0;
    if (!run.programma)
        ProgettoModificato = true;
    run.view->setResult(Testo(run.programma ? 238 : 239) + QLatin1Char(' ') + Testo(237));
    return DeviceRunEnd::Succeeded;
}

bool confirm(bool programma)
{
    const QString text = Testo(programma ? 147 : 232) + kCrLf + Testo(148);
    return msgBox(text, MsgIcon::None, MsgButtons::OkCancel) == MsgAnswer::Ok;
}

bool operationRunning()
{
    return StatoComunicazione.ComandoInCorso != 0 || linkBusy();
}

DeviceRunEnd runDevice(bool programma, const ProgressOpener& openProgress)
{
    if (operationRunning())
        return DeviceRunEnd::Cancelled;
    if (!confirm(programma))
        return DeviceRunEnd::Cancelled;

    // Checked before the first frame, so a refused run leaves the instrument
    // as it was.
    if (programma) {
        if (const int missing = testoSensoreMancante()) {
            msgBox(Testo(missing), MsgIcon::Exclamation, MsgButtons::Ok, QStringLiteral("Sensori"));
            return DeviceRunEnd::MissingSensor;
        }
    }

    Run run{programma};
    run.view = &openProgress();
    run.view->setHeading(Testo(programma ? 238 : 239));
    run.view->setBusy(true);
    clock().yieldEvents();
    mainSurface().setPanelText(3, Testo(programma ? 146 : 206));
    StatoComunicazione.ComandoInCorso = programma ? kComandoProgramma : kComandoLettura;
    StatoComunicazione.ErroreComunicazione = false;
    // Held for the whole run: nothing else may talk to the instrument between
    // two of its steps.
    LinkGuard guard;

    // Step 1: the two configuration pages.
    run.beginStep(programma ? Testo(146) + QStringLiteral(" ...") : Testo(206));
    if (!(programma ? sendConfigPages() : readConfigPages()))
        StatoComunicazione.ErroreComunicazione = true;
    if (run.stepFailed())
        return finishFailure(run);

    // Step 2: the sensors page.
    run.beginStep(programma ? Testo(11) + QLatin1Char(' ') + Testo(12) + QStringLiteral(" ...")
                            : Testo(158));
    if (run.connect()) {
        if (programma)
            InviaDatiSensori();
        else
            LeggiDatiSensori();
    }
    if (run.stepFailed())
        return finishFailure(run);

    // Steps 3 to 11: the curve of each slot.
    for (int slot = 0; slot < 9; ++slot) {
        const ChannelInfo& ch = canaleDaSlot(slot);
        const QString text = Testo(programma ? kTestiSlot[slot].programma : kTestiSlot[slot].lettura);
        run.beginStep(text, text);
        if (programma) {
            if (DatiProgetto.*ch.abil)
                CaricaCurvaSensore(DatiProgetto.*ch.sensore);
            else
                AzzeraCurva();
            if (run.connect())
                InviaCurvaSensore(slot);
        } else {
            const bool read = run.connect();
            if (read)
                LeggiCurvaSensore(slot);
            // A curve that did not arrive says nothing about the sensor: the
            // channel keeps its name.
            if (read && !StatoComunicazione.ErroreComunicazione) {
                const int scala = scalaTipo(QString::fromLatin1(ch.tipo));
                for (int i = 0; i < 20; ++i)
                    CurvaSensore.CurvaY[i] /= scala;
                DatiProgetto.*ch.sensore = TrovaSensoreDaCurva(QString::fromLatin1(ch.tipo));
            }
        }
        if (run.stepFailed())
            return finishFailure(run);
    }

    // Step 12: alarms and shift lights.
    run.beginStep(Testo(227), Testo(227));
    if (run.connect()) {
        if (programma)
            InviaDatiAllarmi();
        else
            LeggiDatiAllarmi();
    }
    if (run.stepFailed())
        return finishFailure(run);

    return finishSuccess(run);
}

} // namespace

int testoSensoreMancante()
{
    const auto& canali = canaliInOrdineFile();
    for (std::size_t i = 0; i < canali.size(); ++i) {
        const ChannelInfo& ch = canali[i];
        if (!(DatiProgetto.*ch.abil))
            continue;
        if (nomeSensoreVuoto(DatiProgetto.*ch.tcamp) || !sensoreInLibreria(DatiProgetto.*ch.sensore))
            return kTestiMancante[i];
    }
    return 0;
}

DeviceRunEnd ProgrammaStrumento(const ProgressOpener& openProgress)
{
    return runDevice(true, openProgress);
}

DeviceRunEnd LeggiStrumento(const ProgressOpener& openProgress)
{
    return runDevice(false, openProgress);
}

} // namespace zuv
