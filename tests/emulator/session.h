#pragma once
// A recorded run for the emulator to hold: the memory of a drive round a
// circuit, one record a second, lap after lap of a few different lengths,
// and a lap time for every completed lap. zuv-emulator --session and the
// tests build it here.

#include "emulator/engine.h"
#include "link/commands.h"

#include <array>

namespace zuv::emu {

// The laps' lengths in whole seconds, over and over: a lap lasts as many
// records as its lap time says.
inline constexpr std::array<int, 8> kSessionLapCycle = {42, 40, 38, 41, 39, 43, 38, 44};
inline constexpr int kSessionDefaultSeconds = 120;
// One record a second: the whole memory.
inline constexpr int kSessionMaxSeconds = kDeviceMemory / kBlockBytes;

// Lap `lap` (0 for the first) in seconds.
constexpr int sessionLapSeconds(int lap)
{
    return kSessionLapCycle[std::size_t(lap) % kSessionLapCycle.size()];
}

// Laps completed in a run of that many seconds (0 to kSessionMaxSeconds).
constexpr int sessionLaps(int seconds)
{
    int laps = 0;
    for (int end = sessionLapSeconds(0); end <= seconds; end += sessionLapSeconds(laps))
        ++laps;
    return laps;
}

inline constexpr int kSessionMaxLaps = sessionLaps(kSessionMaxSeconds);

// Puts a run of `seconds` (0 to kSessionMaxSeconds; an odd count is
// recorded up to the next even one, memory going in pairs) into the
// instrument: its memory, recorded bytes, lap memory and lap count. The
// record that starts a lap is marked; what follows the last completed lap
// is a lap under way, with no lap time.
void recordSession(Engine& instrument, int seconds);

} // namespace zuv::emu
