#include "emulator/session.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace zuv::emu {

namespace {

// One recorded second: ten samples of engine speed, lap distance, gear,
// turbo, throttle and G, then the slow channels and the speed.
QByteArray recordedSecond(int second)
{
    QByteArray b(kBlockBytes, '\0');
    const double phase = double(second % kSessionLapSeconds) / kSessionLapSeconds;
    for (int s = 0; s < 10; ++s) {
        const double t = phase + s / (10.0 * kSessionLapSeconds);
        const int rpm = 6000 + int(3000 * std::sin(t * 6.283 * 3));
        const int pos = 11 * s;
        putWord(b, pos + 1, rpm);
        putWord(b, pos + 3, int(t * 1500));
        b[pos + 4] = char(2 + rpm / 2500);
        b[pos + 5] = char(20 + rpm / 200);
        b[pos + 6] = char(std::clamp(rpm / 100, 0, 100));
        b[pos + 7] = char(int(8 * std::sin(t * 6.283 * 2)));
    }
    putWord(b, 111, 900 + second % 30); // oil temperature, tenths
    putWord(b, 113, 850 + second % 20); // water temperature, tenths
    b[114] = char(35);                  // oil pressure
    b[115] = char(30);                  // fuel pressure
    b[116] = char(std::max(0, 80 - second / 10)); // fuel level
    b[117] = char(138);                 // battery, tenths of a volt
    b[118] = char(147);                 // air/fuel ratio, tenths
    putWord(b, 122, 80 + int(60 * std::sin(phase * 6.283 * 3))); // speed
    // The line is passed at the start and then once a lap: the record of each
    // pass is marked, and every record carries the laps completed so far, so
    // the analysis finds the laps the lap memory lists.
    putWord(b, 120, second / kSessionLapSeconds);
    if (second % kSessionLapSeconds == 0)
        putWord(b, 124, 0x0002);
    return b;
}

} // namespace

int sessionLaps(int seconds) { return std::clamp(seconds, 0, kSessionMaxSeconds) / kSessionLapSeconds; }

void recordSession(Engine& instrument, int seconds)
{
    seconds = std::clamp(seconds, 0, kSessionMaxSeconds);
    QByteArray memory;
    memory.reserve(qsizetype(seconds + 1) * kBlockBytes);
    for (int second = 0; second < seconds; second += 2)
        memory += checkedPair(recordedSecond(second), recordedSecond(second + 1));
    // Laps a little apart, so that the analysis has a fastest and a slowest.
    std::vector<qint32> laps;
    for (int k = 0; k < sessionLaps(seconds); ++k)
        laps.push_back(kSessionLapSeconds * 100 + 37 * (k % 32));
    instrument.memory = memory;
    instrument.recordedBytes = qint32(memory.size());
    instrument.lapMemory = lapMemoryImage(laps);
    instrument.lapCount = qint16(laps.size());
}

} // namespace zuv::emu
