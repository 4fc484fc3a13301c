#pragma once
// The sensors page and the nine curves, in the one order that Program
// Device, Read Device and the sensors page's Send and Read all use: the
// page, then the curve of each slot 0..8, each a connected step.

#include "link/curve_codec.h"
#include "link/operation.h"
#include "project/project_record.h"

#include <QString>
#include <array>
#include <functional>
#include <optional>

namespace zuv {

// The library sensor whose curve goes out in each slot; nothing for a
// channel that is off, whose curve goes out as zeros.
using SlotSensors = std::array<std::optional<QString>, kNumSlot>;
SlotSensors slotSensorsFrom(const ProjectRecord& rec);

// What the caller shows and asks along the run.
struct SensorsRunHooks {
    // Before each step: 0 the page (no text), 1 to 9 the curve of slot
    // stepNo - 1 with its text (texts 151 to 156, 322, 331, 332 to send,
    // 159 to 164, 323, 333, 334 to read).
    std::function<void(int stepNo, const QString& curveText)> beginStep;
    // Asked after each step: the user closed the run's window.
    std::function<bool()> brokenOff;
};

// Sends the page (from the open sensors window, else DatiProgetto) and each
// slot's curve loaded from the library.
RunOutcome sendSensorsRun(const SlotSensors& sensors, const SensorsRunHooks& hooks);
// Reads the page (into the open sensors window, else DatiProgetto) and each
// slot's curve; `named` gets, for every curve read, the library sensor of
// the slot's type with exactly that curve ("" when none has it).
RunOutcome readSensorsRun(const SensorsRunHooks& hooks,
                          const std::function<void(int slot, const QString& sensor)>& named);

} // namespace zuv
