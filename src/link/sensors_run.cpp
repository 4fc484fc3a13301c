#include "link/sensors_run.h"

#include "link/page_sensors.h"
#include "project/channels.h"
#include "project/curve_buffer.h"
#include "project/state.h"

namespace zuv {

namespace {

struct SlotTexts {
    int send;
    int read;
};
constexpr std::array<SlotTexts, kNumSlot> kSlotTexts = {{
    {151, 159}, {152, 160}, {153, 161}, {154, 162}, {155, 163},
    {156, 164}, {322, 323}, {331, 333}, {332, 334},
}};

// The page, then each slot's curve, the run ending at the first step that
// fails or is broken off.
RunOutcome pageAndCurves(bool send, const SensorsRunHooks& hooks, const std::function<bool()>& page,
                         const std::function<bool(int slot)>& curve)
{
    StepRun run(hooks.brokenOff);
    hooks.beginStep(0, QString());
    run.step(page);
    for (int slot = 0; run.outcome().goesOn() && slot < kNumSlot; ++slot) {
        const SlotTexts& t = kSlotTexts[std::size_t(slot)];
        hooks.beginStep(slot + 1, languageText(send ? t.send : t.read));
        run.step([&] { return curve(slot); });
    }
    return run.outcome();
}

} // namespace

SlotSensors slotSensorsFrom(const ProjectRecord& rec)
{
    SlotSensors sensors;
    for (int slot = 0; slot < kNumSlot; ++slot) {
        const ChannelInfo& ch = channelFromSlot(slot);
        if (rec.*ch.enabled)
            sensors[std::size_t(slot)] = rec.*ch.sensor;
    }
    return sensors;
}

RunOutcome sendSensorsRun(const SlotSensors& sensors, const SensorsRunHooks& hooks)
{
    return pageAndCurves(true, hooks, InviaDatiSensori, [&](int slot) {
        if (const auto& sensor = sensors[std::size_t(slot)])
            CaricaCurvaSensore(*sensor);
        else
            AzzeraCurva();
        return InviaCurvaSensore(slot);
    });
}

RunOutcome readSensorsRun(const SensorsRunHooks& hooks,
                          const std::function<void(int slot, const QString& sensor)>& named)
{
    return pageAndCurves(false, hooks, LeggiDatiSensori, [&](int slot) {
        // A curve that did not arrive says nothing about the sensor.
        if (!readCurveScaled(slot))
            return false;
        named(slot, TrovaSensoreDaCurva(QString::fromLatin1(channelFromSlot(slot).type)));
        return true;
    });
}

} // namespace zuv
