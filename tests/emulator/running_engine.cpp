#include "emulator/running_engine.h"

#include "emulator/words.h"
#include "link/commands.h"

#include <algorithm>
#include <cmath>

namespace zuv::emu {

namespace {

constexpr double kTwoPi = 6.283185307179586;
// View Device reads about twenty times a second.
constexpr double kStepSeconds = 0.05;
// A straight and the corner at its end, over and over.
constexpr int kStretchSteps = 400;
// From a full tank (45 l) to the reserve (5 l), a sixteenth of a litre a step.
constexpr int kTankSteps = 640;
constexpr double kFullTank = 45.0;
constexpr double kFuelReserve = 8.0;
constexpr int kFuelLevelAlarm = 15;
// Engine speed per km/h in gears 1 to 6.
constexpr std::array<double, 7> kGearRpm = {0, 120, 80, 58, 46, 38, 33};
constexpr double kShiftRpm = 7000;

struct Running {
    int rpm = 0, gear = 0, throttle = 0;
    double speed = 0;      // km/h
    double turbo = 0;      // bar
    double g = 0;
    double oilTemp = 0, waterTemp = 0;  // degrees
    double oilPress = 0, fuelPress = 0; // bar
    double fuel = 0;                    // litres
    double battery = 0;                 // volts
    double airFuel = 0;
};

Running runningAt(int step)
{
    Running r;
    const double t = step * kStepSeconds;
    const double p = double(step % kStretchSteps) / kStretchSteps;
    // Flat out, then a lift, then braking for the corner.
    const bool braking = p >= 0.7;
    r.speed = braking ? 190 - 130 * (p - 0.7) / 0.3 : 60 + 130 * p / 0.7;
    r.throttle = braking ? 0 : p < 0.5 ? 100 : 70;
    r.gear = 1;
    while (r.gear < 6 && r.speed * kGearRpm[std::size_t(r.gear)] > kShiftRpm)
        ++r.gear;
    r.rpm = int(std::lround(std::max(1200.0, r.speed * kGearRpm[std::size_t(r.gear)])));
    const double spool = std::clamp((r.rpm - 2500) / 2500.0, 0.0, 1.0);
    r.turbo = r.throttle > 0 ? 1.2 * spool * r.throttle / 100 : -0.6;
    r.g = 1.4 * std::sin(kTwoPi * t / 6.5);
    r.oilTemp = 95 + 4 * std::sin(kTwoPi * t / 120);
    r.waterTemp = 86 + 2 * std::sin(kTwoPi * t / 180);
    r.oilPress = 1.0 + r.rpm / 1750.0;
    r.fuelPress = 3.5 - 0.3 * r.throttle / 100;
    r.fuel = kFullTank - (step % kTankSteps) / 16.0;
    r.battery = r.rpm > 2500 ? 14.1 : 13.6;
    r.airFuel = r.throttle >= 90 ? 12.7 : r.throttle == 0 ? 17.8 : 14.7 - 1.5 * r.throttle / 100;
    return r;
}

int scaled(double v, double scale) { return int(std::lround(v * scale)); }

} // namespace

QByteArray runningStatus(int step)
{
    const Running r = runningAt(step);
    QByteArray s(kLenStatus, '\0');
    putWord(s, 3, r.fuel < kFuelReserve ? 1 << kFuelLevelAlarm : 0);
    putWord(s, 5, r.rpm);
    putWord(s, 9, scaled(r.speed, 1));
    putWord(s, 11, scaled(r.oilTemp, 10));
    putWord(s, 13, scaled(r.waterTemp, 10));
    putWord(s, 15, scaled(r.oilPress, 1000));
    putWord(s, 17, scaled(r.fuelPress, 1000));
    putWord(s, 19, scaled(r.fuel, 10));
    s[24] = char(scaled(r.battery, 10));
    s[25] = char(r.gear);
    s[26] = char(scaled(r.turbo, 10));
    s[27] = char(r.throttle);
    s[28] = char(scaled(r.g, 10));
    putWord(s, 30, scaled(r.airFuel, 100));
    return s;
}

std::array<qint16, 8> runningInputs(int step)
{
    // Each sensor's converter steps over its range; the last two inputs
    // carry the lambda and the turbo sensors.
    const Running r = runningAt(step);
    auto bits = [](double v) { return qint16(std::clamp(std::lround(v), 0L, 1023L)); };
    return {bits(200 + 5 * r.oilTemp),   bits(100 + 150 * r.oilPress), bits(100 + 150 * r.fuelPress),
            bits(200 + 5 * r.waterTemp), bits(100 + 16 * r.fuel),      bits(100 + 120 * r.gear),
            bits(20 * r.airFuel),        bits(400 + 300 * r.turbo)};
}

} // namespace zuv::emu
