#include "support/memory_blocks.h"

#include <cstddef>

namespace zuv::test {
namespace {

void put16(QByteArray& b, int pos, int v)
{
    b[pos - 1] = char((v >> 8) & 0xFF);
    b[pos] = char(v & 0xFF);
}
void put8(QByteArray& b, int pos, int v) { b[pos - 1] = char(v & 0xFF); }

} // namespace

QByteArray memoryBlock(const MemoryRecord& r)
{
    QByteArray b(128, '\0');
    for (int s = 0; s < 10; ++s) {
        const MemorySample& x = r.samples[std::size_t(s)];
        put16(b, 11 * s + 1, x.rpm);
        put16(b, 11 * s + 3, x.distance);
        put8(b, 11 * s + 5, x.gear);
        put8(b, 11 * s + 6, x.turbo);
        put8(b, 11 * s + 7, x.throttle);
        put8(b, 11 * s + 8, x.g);
    }
    put16(b, 111, r.oilTemp);
    put16(b, 113, r.waterTemp);
    put8(b, 115, r.oilPress);
    put8(b, 116, r.fuelPress);
    put8(b, 117, r.fuelLevel);
    put8(b, 118, r.battery);
    put8(b, 119, r.airFuel);
    put16(b, 120, r.session);
    put16(b, 122, r.speed);
    put16(b, 124, r.status);
    return b;
}

QByteArray erasedPair() { return QByteArray(256, char(0xFF)); }

MemoryRecord workedRecordA()
{
    MemoryRecord a;
    for (int s = 0; s < 10; ++s)
        a.samples[std::size_t(s)] = {3000 + 100 * s, 1500 + 2 * s, 3, 5, 80, -5};
    a.oilTemp = 900, a.waterTemp = 850, a.oilPress = 35, a.fuelPress = 30, a.fuelLevel = 40;
    a.battery = 138, a.airFuel = 147, a.speed = 100;
    return a;
}

MemoryRecord workedRecordB()
{
    MemoryRecord b = workedRecordA();
    const int distances[10] = {1520, 1522, 1524, 2, 4, 6, 8, 10, 12, 14};
    for (int s = 0; s < 10; ++s)
        b.samples[std::size_t(s)] = {4000, distances[s], 4, 10, 100, 0};
    b.oilTemp = 910, b.battery = 140, b.session = 1, b.speed = 110, b.status = 0x0102;
    return b;
}

} // namespace zuv::test
