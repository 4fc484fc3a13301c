#pragma once
// A recorded second as the instrument stores it, where every field changes
// from one second to the next, for the benchmarks that export or analyse a
// full memory.

#include <QByteArray>

namespace bench {

// A lap mark every ten minutes.
inline constexpr int kSessionEvery = 600;

// Record `b` (one a second), with its session marks or none.
inline QByteArray movingRecord(int b, bool marks = true)
{
    QByteArray r(128, '\0');
    for (int s = 0; s < 10; ++s) {
        const int rpm = 3000 + (b * 37 + s * 111) % 9000;
        const int dist = (b * 10 + s) % 4000;
        r[11 * s + 0] = char(rpm >> 8);
        r[11 * s + 1] = char(rpm);
        r[11 * s + 2] = char(dist >> 8);
        r[11 * s + 3] = char(dist);
        r[11 * s + 4] = char(1 + (b + s) % 6);
        r[11 * s + 5] = char((b + s) % 20 - 5);
        r[11 * s + 6] = char((b * 3 + s * 7) % 101);
        r[11 * s + 7] = char((b + s * 3) % 30 - 15);
    }
    const int oil = 600 + b % 700, water = 550 + b % 400, speed = (b * 13) % 320;
    r[110] = char(oil >> 8), r[111] = char(oil);
    r[112] = char(water >> 8), r[113] = char(water);
    r[114] = char(20 + b % 50), r[115] = char(25 + b % 20), r[116] = char(b % 100);
    r[117] = char(120 + b % 25), r[118] = char(100 + b % 80);
    const int session = marks ? b / kSessionEvery : 0;
    r[119] = char(session >> 8), r[120] = char(session);
    r[121] = char(speed >> 8), r[122] = char(speed);
    r[123] = char((b * 7) % 256);
    r[124] = char(marks && b % kSessionEvery == 0 ? 0x02 : 0x00);
    return r;
}

} // namespace bench
