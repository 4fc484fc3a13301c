#pragma once
// What the instrument measures live on a car that is driven round, lap
// after lap: the 0x25 status and the 0x09 raw inputs at each step, one step
// a live read. The values move as a running engine's do (engine speed and
// gears, speed, pressures and temperatures) and the fuel level falls, until
// the tank is filled again.

#include <QByteArray>
#include <QtGlobal>
#include <array>

namespace zuv::emu {

// The 36-byte status reply at `step`, its lap count and recorded bytes 0.
QByteArray runningStatus(int step);
// The eight raw inputs (converter steps) at `step`; input 4 the fuel level.
std::array<qint16, 8> runningInputs(int step);

} // namespace zuv::emu
