#pragma once
// A recorded run for the emulator to hold: the memory of a drive round a
// circuit in laps of `kSessionLapSeconds`, and a lap time for every lap.
// zuv-emulator --session and the tests build it here.

#include "emulator/engine.h"
#include "link/commands.h"

namespace zuv::emu {

inline constexpr int kSessionLapSeconds = 40;
inline constexpr int kSessionDefaultSeconds = 120;
// One record a second: the whole memory.
inline constexpr int kSessionMaxSeconds = kDeviceMemory / kBlockBytes;
inline constexpr int kSessionMaxLaps = kSessionMaxSeconds / kSessionLapSeconds;

// Laps completed in a run of that many seconds.
int sessionLaps(int seconds);

// Puts a run of `seconds` (0 to kSessionMaxSeconds; an odd count is
// recorded up to the next even one, memory going in pairs) into the
// instrument: its memory, recorded bytes, lap memory and lap count.
void recordSession(Engine& instrument, int seconds);

} // namespace zuv::emu
