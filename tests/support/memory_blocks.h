#pragma once
// Memory images built by hand: 128-byte records as the instrument stores
// them, pairs with their checksum, erased pairs, and the two records of the
// worked example (one second at speed, then a session mark).

#include "emulator/engine.h"

#include <QByteArray>
#include <array>

namespace zuv::test {

struct MemorySample {
    int rpm = 0, distance = 0, gear = 0, turbo = 0, throttle = 0, g = 0;
};

struct MemoryRecord {
    std::array<MemorySample, 10> samples{};
    int oilTemp = 0, waterTemp = 0, oilPress = 0, fuelPress = 0, fuelLevel = 0;
    int battery = 0, airFuel = 0, session = 0, speed = 0, status = 0;
};

// The record's 128 bytes.
QByteArray memoryBlock(const MemoryRecord& r);
using emu::checkedPair;
QByteArray erasedPair();

MemoryRecord workedRecordA();
// A's session mark with the oil pump lamp: session 1, status 0x0102.
MemoryRecord workedRecordB();

} // namespace zuv::test
