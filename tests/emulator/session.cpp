#include "emulator/session.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace zuv::emu {

namespace {

constexpr int kLapMetres = 1500;

// Where a recorded second falls: second `into` of lap `lap`, which lasts
// `length` seconds.
struct LapSecond {
    int lap = 0;
    int into = 0;
    int length = 0;
};

// One recorded second: ten samples of engine speed, lap distance, gear,
// turbo, throttle and G, then the slow channels and the speed.
QByteArray recordedSecond(int second, const LapSecond& at)
{
    QByteArray b(kBlockBytes, '\0');
    const double phase = double(at.into) / at.length;
    for (int s = 0; s < 10; ++s) {
        const double t = phase + s / (10.0 * at.length);
        const int rpm = 6000 + int(3000 * std::sin(t * 6.283 * 3));
        const int pos = 11 * s;
        putWord(b, pos + 1, rpm);
        putWord(b, pos + 3, int(t * kLapMetres));
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
    // Round the lap's average speed: a longer lap is a slower one.
    const double average = 3.6 * kLapMetres / at.length;
    putWord(b, 122, int(average * (1 + 0.4 * std::sin(phase * 6.283 * 3)))); // speed, km/h
    // The line is passed at the start and then once a lap: the record of each
    // pass is marked, and every record carries the laps completed so far, so
    // that Save Data writes each lap's own records under its lap number.
    putWord(b, 120, at.lap);
    if (at.into == 0)
        putWord(b, 124, 0x0002);
    return b;
}

} // namespace

void recordSession(Engine& instrument, int seconds)
{
    seconds = std::clamp(seconds, 0, kSessionMaxSeconds);
    seconds += seconds % 2;
    std::vector<LapSecond> when;
    when.reserve(std::size_t(seconds));
    std::vector<qint32> laps;
    for (LapSecond at{0, 0, sessionLapSeconds(0)}; int(when.size()) < seconds;) {
        when.push_back(at);
        if (++at.into == at.length) {
            laps.push_back(at.length * 100);
            at = {at.lap + 1, 0, sessionLapSeconds(at.lap + 1)};
        }
    }
    QByteArray memory;
    memory.reserve(qsizetype(seconds) * kBlockBytes);
    for (int second = 0; second < seconds; second += 2)
        memory += checkedPair(recordedSecond(second, when[std::size_t(second)]),
                              recordedSecond(second + 1, when[std::size_t(second) + 1]));
    instrument.memory = memory;
    instrument.recordedBytes = qint32(memory.size());
    instrument.lapMemory = lapMemoryImage(laps);
    instrument.lapCount = qint16(laps.size());
}

} // namespace zuv::emu
