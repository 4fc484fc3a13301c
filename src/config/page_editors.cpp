#include "config/page_editors.h"

#include "config/checks.h"
#include "link/codec.h"
#include "link/page_alarms.h"
#include "link/page_config.h"
#include "link/page_sensors.h"
#include "platform/numbers.h"
#include "project/channels.h"

#include <algorithm>
#include <array>

namespace zuv {

namespace {

// A list with nothing selected (-1) is stored as its first item.
qint64 storedIndex(qint64 index) { return std::max<qint64>(0, index); }

Qt::CheckState checkOf(bool on) { return on ? Qt::Checked : Qt::Unchecked; }

// The list position a stored type number stands for (1 is the first item).
int positionOf(double number)
{
    const double n = roundHalfEven(number);
    return n >= 1 && n <= 255 ? static_cast<int>(n) - 1 : -1;
}

// A stored type number as the item of its list, when its box is ticked.
void showType(AlarmsPageView& view, AlarmsCombo combo, bool ticked, int position)
{
    view.setListIndex(combo, ticked ? indexOrNone(position, view.listCount(combo)) : -1);
}

ThresholdScale scaleOf(const AlarmThreshold& t) { return static_cast<ThresholdScale>(t.scale); }

struct SlotControls {
    SensorsCheck check;
    std::optional<SensorsCombo> input;
};
const std::array<SlotControls, kNumChannels> kSlotControls = {{
    {SensorsCheck::chkAbilTO, std::nullopt},
    {SensorsCheck::chkAbilPO, std::nullopt},
    {SensorsCheck::chkAbilPB, std::nullopt},
    {SensorsCheck::chkAbilTA, std::nullopt},
    {SensorsCheck::chkAbilLB, std::nullopt},
    {SensorsCheck::chkAbilCambio, SensorsCombo::cboChannCambio},
    {SensorsCheck::chkAbilSensoreLambda, SensorsCombo::cboChannSensoreLambda},
    {SensorsCheck::chkAbilPT, SensorsCombo::cboChannPT},
    {SensorsCheck::chkAbilSG, SensorsCombo::cboChannSG},
}};

} // namespace

// --- configuration page --------------------------------------------------------

void recordToView(const ProjectRecord& rec, ConfigPageView& view)
{
    showConfigPage1(configPage1From(rec), view);
    showConfigPage2(configPage2From(rec), view);
    view.setPageEnabled(1, rec.PaginaAbilitata1);
    view.setPageEnabled(10, rec.PaginaAbilitata10);
}

void viewToRecord(const ConfigPageView& view, ProjectRecord& rec)
{
    ConfigPage1 page = configPage1From(view);
    for (qint64* list : {&page.Lingua, &page.UMVel, &page.UMTemp, &page.UMPress})
        *list = storedIndex(*list);
    storeConfigPage1(page, rec);
    storeConfigPage2(configPage2From(view), rec);
    rec.PaginaAbilitata1 = view.pageEnabled(1);
    rec.PaginaAbilitata10 = view.pageEnabled(10);
}

// --- sensors page ----------------------------------------------------------------

SensorsCheck channelCheck(int slot) { return kSlotControls.at(std::size_t(slot)).check; }

std::optional<SensorsCombo> channelInput(int slot) { return kSlotControls.at(std::size_t(slot)).input; }

ChannelEntries channelEntries(const SensorsEditorView& view)
{
    ChannelEntries e;
    for (int slot = 0; slot < kNumChannels; ++slot) {
        ChannelEntry& c = e[std::size_t(slot)];
        c.enabled = view.check(channelCheck(slot)) != Qt::Unchecked;
        c.sensor = view.sensorText(slot);
        const auto input = channelInput(slot);
        c.input = input ? view.listIndex(*input) : -1;
    }
    return e;
}

SlotSensors slotSensorsFrom(const ChannelEntries& bySlot)
{
    SlotSensors sensors;
    for (int slot = 0; slot < kNumSlot; ++slot)
        if (bySlot[std::size_t(slot)].enabled)
            sensors[std::size_t(slot)] = bySlot[std::size_t(slot)].sensor;
    return sensors;
}

void recordToView(const ProjectRecord& rec, SensorsEditorView& view)
{
    showSensorsPage(sensorsPageFrom(rec), view);
    view.setSamplingText(kSamplingRPM, rec.TCampRPM);
    view.setSamplingText(kSamplingVV, rec.TCampVV);
    for (int slot = 0; slot < kNumChannels; ++slot) {
        const ChannelInfo& ch = channelFromSlot(slot);
        view.setSensorText(slot, rec.*ch.sensor);
        view.setSamplingText(slot, rec.*ch.rate);
    }
}

void viewToRecord(const SensorsEditorView& view, ProjectRecord& rec)
{
    SensorsPage page = sensorsPageFrom(view);
    for (qint64* list : {&page.LAPO, &page.LAAL, &page.ChannCambio, &page.ChannSG, &page.ChannSensoreLambda,
                         &page.ChannPT})
        *list = storedIndex(*list);
    storeSensorsPage(page, rec);
    rec.TCampRPM = view.samplingText(kSamplingRPM);
    rec.TCampVV = view.samplingText(kSamplingVV);
    for (int slot = 0; slot < kNumChannels; ++slot) {
        const ChannelInfo& ch = channelFromSlot(slot);
        rec.*ch.sensor = view.sensorText(slot);
        rec.*ch.rate = view.samplingText(slot);
    }
}

// --- alarms and shift-light page --------------------------------------------------

void recordToView(const ProjectRecord& rec, AlarmsEditorView& view)
{
    for (const ShiftLight& led : shiftLights())
        view.setText(led.text, QString::number(rec.*led.rec));
    view.setCheck(AlarmsCheck::chkLedGiallo, checkOf(rec.LedGiallo));
    view.setLampCheck(Lamp::Verde, checkOf(rec.LedVerde));
    view.setLampCheck(Lamp::Blu, checkOf(rec.LedBlu));
    view.setLampText(Lamp::Verde, rec.TipoLedVerde);
    view.setLampText(Lamp::Blu, rec.TipoLedBlu);
    for (const AlarmThreshold& t : alarmThresholds()) {
        view.setCheck(t.box, checkOf(rec.*t.chk));
        view.setText(t.text, thresholdText(rec.*t.msk, scaleOf(t)));
    }
    view.setCheck(AlarmsCheck::chkIngresso, checkOf(rec.chkIngresso));
    view.setCheck(AlarmsCheck::chkUscita, checkOf(rec.chkUscita));
    showType(view, AlarmsCombo::cboLedGiallo, rec.LedGiallo, positionOf(leadingNumber(rec.TipoLedGiallo)));
    showType(view, AlarmsCombo::cboIngresso, rec.chkIngresso, rec.TipoIngresso - 1);
    showType(view, AlarmsCombo::cboUscita, rec.chkUscita, rec.TipoUscita - 1);
}

void viewToRecord(const AlarmsEditorView& view, ProjectRecord& rec)
{
    auto ticked = [&view](AlarmsCheck box) { return view.check(box) != Qt::Unchecked; };
    for (const ShiftLight& led : shiftLights())
        rec.*led.rec = static_cast<qint16>(checkShiftLight(view.text(led.text)).value);
    rec.LedGiallo = ticked(AlarmsCheck::chkLedGiallo);
    rec.LedVerde = view.lampCheck(Lamp::Verde) != Qt::Unchecked;
    rec.LedBlu = view.lampCheck(Lamp::Blu) != Qt::Unchecked;
    rec.TipoLedVerde = view.lampText(Lamp::Verde);
    rec.TipoLedBlu = view.lampText(Lamp::Blu);
    for (const AlarmThreshold& t : alarmThresholds()) {
        rec.*t.chk = ticked(t.box);
        // A switched-off box that holds no number stores 0.
        rec.*t.msk = checkThreshold(view.text(t.text), scaleOf(t)).value;
    }
    rec.chkIngresso = ticked(AlarmsCheck::chkIngresso);
    rec.chkUscita = ticked(AlarmsCheck::chkUscita);
    rec.TipoLedGiallo = QString::number(view.listIndex(AlarmsCombo::cboLedGiallo) + 1);
    rec.TipoIngresso = static_cast<qint16>(view.listIndex(AlarmsCombo::cboIngresso) + 1);
    rec.TipoUscita = static_cast<qint16>(view.listIndex(AlarmsCombo::cboUscita) + 1);
}

} // namespace zuv
