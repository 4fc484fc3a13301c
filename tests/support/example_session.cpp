#include "support/example_session.h"

#include "support/fake_clock.h"
#include "support/fake_port.h"
#include "support/fixtures.h"
#include "support/memory_blocks.h"

#include "link/serial_comm.h"
#include "platform/clock.h"
#include "platform/companion_file.h"
#include "platform/serialport.h"
#include "platform/textfile.h"
#include "project/name_tables.h"
#include "project/state.h"
#include "shell/download.h"
#include "shell/export_data.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace zuv::test {
namespace {

// Only + - * / and sqrt below: IEEE rounds them exactly, so the bytes do
// not depend on the maths library.

struct Point {
    double x = 0, y = 0;
};

struct CircuitPlan {
    const char* name;
    int length; // metres
    std::array<int, 3> sectors;
    int outlinePoints;
    // Map units (y downwards), in driving order, the first on the start line.
    std::vector<Point> control;
};

// A hill circuit: the start early on the top straight, a fast right at its
// end, a sweeper and a hairpin on the right, esses, the long bottom
// straight, a left-right on the left and a tight last corner.
const CircuitPlan& hill()
{
    static const CircuitPlan c{kExampleCircuit, 2400, {780, 910, 710}, 180,
                               {{40, 9},  {70, 9},   {100, 9},  {114, 9},  {122, 11}, {126, 16},
                                {124, 23}, {120, 29}, {121, 36}, {127, 43}, {128, 50}, {124, 56},
                                {116, 58}, {109, 55}, {106, 49}, {101, 42}, {93, 39},  {86, 42},
                                {80, 48},  {70, 52},  {56, 55},  {40, 57},  {27, 57},  {18, 54},
                                {15, 47},  {19, 40},  {27, 35},  {29, 28},  {24, 22},  {15, 20},
                                {11, 15},  {15, 10},  {25, 9}}};
    return c;
}

// A ring round a lake, with one bay that pulls the back straight inwards.
const CircuitPlan& lake()
{
    static const CircuitPlan c{kExampleSecondCircuit, 1800, {600, 620, 580}, 150,
                               {{60, 57},  {90, 57},  {108, 56}, {120, 52}, {128, 44}, {130, 34},
                                {127, 24}, {120, 16}, {110, 11}, {98, 10},  {88, 14},  {80, 21},
                                {72, 21},  {66, 15},  {56, 10},  {42, 9},   {28, 11},  {17, 17},
                                {11, 26},  {10, 36},  {13, 45},  {20, 52},  {30, 56},  {45, 57}}};
    return c;
}

// --- the circuit's line ---------------------------------------------------------

// The closed Catmull-Rom curve through the control points, finely sampled:
// position, signed curvature (map units) and running length.
struct Curve {
    std::vector<Point> at;
    std::vector<double> curvature;
    std::vector<double> length; // from the start to sample i
    double perimeter = 0;
};

Curve curveOf(const CircuitPlan& c)
{
    constexpr int kSteps = 200;
    const std::size_t n = c.control.size();
    Curve out;
    for (std::size_t i = 0; i < n; ++i) {
        const Point p0 = c.control[(i + n - 1) % n], p1 = c.control[i];
        const Point p2 = c.control[(i + 1) % n], p3 = c.control[(i + 2) % n];
        auto coeff = [&](double Point::*m) {
            return std::array<double, 4>{2 * (p1.*m), -(p0.*m) + (p2.*m),
                                         2 * (p0.*m) - 5 * (p1.*m) + 4 * (p2.*m) - (p3.*m),
                                         -(p0.*m) + 3 * (p1.*m) - 3 * (p2.*m) + (p3.*m)};
        };
        const auto cx = coeff(&Point::x), cy = coeff(&Point::y);
        for (int k = 0; k < kSteps; ++k) {
            const double t = double(k) / kSteps;
            auto pos = [&](const std::array<double, 4>& q) {
                return 0.5 * (q[0] + q[1] * t + q[2] * t * t + q[3] * t * t * t);
            };
            auto d1 = [&](const std::array<double, 4>& q) {
                return 0.5 * (q[1] + 2 * q[2] * t + 3 * q[3] * t * t);
            };
            auto d2 = [&](const std::array<double, 4>& q) { return 0.5 * (2 * q[2] + 6 * q[3] * t); };
            const double dx = d1(cx), dy = d1(cy);
            const double speed = std::sqrt(dx * dx + dy * dy);
            out.at.push_back({pos(cx), pos(cy)});
            out.curvature.push_back((dx * d2(cy) - dy * d2(cx)) / (speed * speed * speed));
        }
    }
    double run = 0;
    for (std::size_t i = 0; i < out.at.size(); ++i) {
        out.length.push_back(run);
        const Point a = out.at[i], b = out.at[(i + 1) % out.at.size()];
        run += std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y));
    }
    out.perimeter = run;
    return out;
}

// Index of the last sample at or before running length `s`.
std::size_t sampleAt(const Curve& c, double s)
{
    const auto it = std::upper_bound(c.length.begin(), c.length.end(), s);
    return it == c.length.begin() ? 0 : std::size_t(it - c.length.begin() - 1);
}

long roundToLong(double v) { return long(std::floor(v + 0.5)); }

// The outline file: points at equal steps along the line, from the start.
QByteArray outlineFile(const CircuitPlan& plan, const Curve& c)
{
    QStringList lines;
    for (int j = 0; j < plan.outlinePoints; ++j) {
        const double s = c.perimeter * j / plan.outlinePoints;
        const std::size_t i = sampleAt(c, s);
        const Point a = c.at[i], b = c.at[(i + 1) % c.at.size()];
        const double next = i + 1 < c.length.size() ? c.length[i + 1] : c.perimeter;
        const double f = (s - c.length[i]) / (next - c.length[i]);
        lines << QStringLiteral("%1,%2")
                     .arg(roundToLong(a.x + f * (b.x - a.x)))
                     .arg(roundToLong(a.y + f * (b.y - a.y)));
    }
    return textLines(lines);
}

QByteArray sectorFile(const CircuitPlan& plan)
{
    QStringList lines{QString::number(plan.length)};
    for (int s : plan.sectors)
        lines << QString::number(s);
    return textLines(lines);
}

// --- the session on the track ---------------------------------------------------

constexpr int kLaps = 7;
constexpr double kStep = 0.5; // metres between points of the drive
constexpr double kG = 9.81;
// The wheel-pulse distance reads a little long, as on any car.
constexpr double kWheelScale = 1.025;
constexpr double kPitLimit = 60 / 3.6;

// Where the pit lane meets the lap, in metres from the start line: the
// boxes along the top straight, the exit before turn one, the entry in the
// last corner.
constexpr double kPitBox = 192;
constexpr double kPitExit = 384;
constexpr double kPitEntry = 2280;

// A deterministic wobble in [-1, 1] for sample n of channel `channel`.
double noise(std::uint32_t n, std::uint32_t channel)
{
    std::uint32_t h = n * 2654435761u ^ (channel * 40503u + 0x9E3779B9u);
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return double(h % 20001u) / 10000.0 - 1.0;
}

// How hard the driver goes, lap by lap (1 = the car's limit): cold tyres
// first, the best lap fifth, easing off with the water temperature at the
// end.
constexpr std::array<double, kLaps + 1> kPace = {0.72, 0.9, 0.95, 0.975, 0.96, 1.0, 0.985, 0.97};

// A few slips in a stretch of the track, so that the best sectors fall in
// different laps.
struct Slip {
    int lap;
    double from, to, pace;
};
constexpr std::array<Slip, 3> kSlips = {
    {{3, 1900, 2080, 0.88}, {6, 540, 680, 0.86}, {5, 1150, 1300, 0.93}}};

double paceAt(int lap, double pos)
{
    if (lap > kLaps)
        return 0.7; // the in-lap
    double p = kPace[std::size_t(lap)];
    for (const Slip& s : kSlips)
        if (s.lap == lap && pos >= s.from && pos < s.to)
            p *= s.pace;
    return p;
}

double accelLimit(double v) { return 5.2 * (1.0 - (v / 56.0) * (v / 56.0)); }
constexpr double kBrake = 10.0;
constexpr double kGrip = 11.0; // m/s^2 of lateral grip

// The drive from the boxes, the out-lap, the laps and the in-lap back to
// the boxes, on a grid of kStep metres.
struct Drive {
    int pointsPerLap = 0;
    int startOffset = 0;         // grid points from the start line to the boxes
    std::vector<double> kappa;   // per lap position, signed, 1/m
    std::vector<double> v, t;    // per grid point of the drive
    std::array<double, kLaps + 1> crossing{}; // times of the start line, k = 0..kLaps

    int points() const { return int(v.size()); }
    double position(int i) const { return double((startOffset + i) % pointsPerLap) * kStep; }
    // 0 for the out-lap, 1..kLaps, kLaps + 1 the in-lap to the line.
    int lapOf(int i) const { return (startOffset + i) / pointsPerLap; }
};

Drive drive(const CircuitPlan& plan, const Curve& c)
{
    Drive d;
    d.pointsPerLap = int(plan.length / kStep);
    d.startOffset = int(kPitBox / kStep);
    const double unit = plan.length / c.perimeter; // metres per map unit
    std::vector<double> raw;
    for (int j = 0; j < d.pointsPerLap; ++j)
        raw.push_back(c.curvature[sampleAt(c, j * kStep / unit)] / unit);
    // A driver takes a corner in one arc, not along every wiggle of the
    // drawing: the curvature is averaged over 20 m either side.
    constexpr int kReach = int(20 / kStep);
    for (int j = 0; j < d.pointsPerLap; ++j) {
        double sum = 0;
        for (int k = -kReach; k <= kReach; ++k)
            sum += raw[std::size_t((j + k + d.pointsPerLap) % d.pointsPerLap)];
        d.kappa.push_back(sum / (2 * kReach + 1));
    }

    // To the line kLaps + 1 times, then round to the boxes past it.
    const int total = (kLaps + 2) * d.pointsPerLap;
    std::vector<double> limit(std::size_t(total) + 1), pace(std::size_t(total) + 1);
    for (int i = 0; i <= total; ++i) {
        const int lap = d.lapOf(i);
        const double pos = d.position(i);
        const double p = paceAt(std::min(lap, kLaps + 1), pos);
        const double k = std::fabs(d.kappa[std::size_t((d.startOffset + i) % d.pointsPerLap)]);
        double cap = k > 1e-9 ? std::sqrt(kGrip * p / k) : 90.0;
        const bool pitLane = (lap == 0 && pos < kPitExit) || (lap == kLaps + 1 && pos >= kPitEntry)
                             || lap > kLaps + 1;
        if (pitLane)
            cap = std::min(cap, kPitLimit);
        else if (lap == 0 || lap > kLaps)
            cap = std::min(cap, 34.0); // warming up, cooling down
        limit[std::size_t(i)] = cap;
        pace[std::size_t(i)] = p;
    }
    d.v.assign(std::size_t(total) + 1, 0.0);
    for (int i = 0; i < total; ++i) {
        const double v = d.v[std::size_t(i)];
        const double a = accelLimit(v) * pace[std::size_t(i)];
        d.v[std::size_t(i) + 1] =
            std::min(limit[std::size_t(i) + 1], std::sqrt(v * v + 2 * a * kStep));
    }
    d.v[std::size_t(total)] = 0;
    for (int i = total - 1; i >= 0; --i) {
        const double next = d.v[std::size_t(i) + 1];
        const double b = kBrake * pace[std::size_t(i)];
        d.v[std::size_t(i)] = std::min(d.v[std::size_t(i)], std::sqrt(next * next + 2 * b * kStep));
    }
    d.t.assign(std::size_t(total) + 1, 0.0);
    for (int i = 0; i < total; ++i)
        d.t[std::size_t(i) + 1] =
            d.t[std::size_t(i)] + 2 * kStep / (d.v[std::size_t(i)] + d.v[std::size_t(i) + 1]);
    for (int k = 0; k <= kLaps; ++k)
        d.crossing[std::size_t(k)] = d.t[std::size_t((k + 1) * d.pointsPerLap - d.startOffset)];
    return d;
}

// Where the car is at time `time` of the drive.
struct State {
    double along = 0; // metres from the boxes
    double pos = 0;   // metres from the start line
    double v = 0, accel = 0, kappa = 0, pace = 1;
    bool parked = false;
};

State stateAt(const Drive& d, double time)
{
    State s;
    const int last = d.points() - 1;
    if (time >= d.t[std::size_t(last)]) {
        s.along = last * kStep;
        s.pos = d.position(last);
        s.parked = true;
        return s;
    }
    const auto it = std::upper_bound(d.t.begin(), d.t.end(), time);
    const int i = std::max(0, int(it - d.t.begin()) - 1);
    const double v0 = d.v[std::size_t(i)], v1 = d.v[std::size_t(i) + 1];
    const double f = (time - d.t[std::size_t(i)]) / (d.t[std::size_t(i) + 1] - d.t[std::size_t(i)]);
    s.along = (i + f) * kStep;
    s.pos = d.position(i) + f * kStep;
    s.v = v0 + f * (v1 - v0);
    s.accel = (v1 * v1 - v0 * v0) / (2 * kStep);
    s.kappa = d.kappa[std::size_t((d.startOffset + i) % d.pointsPerLap)];
    s.pace = paceAt(std::min(d.lapOf(i), kLaps + 1), d.position(i));
    return s;
}

// --- the instrument's recording ---------------------------------------------------

constexpr std::array<double, 7> kGearRpm = {0, 420, 290, 220, 175, 143, 120}; // rpm per m/s

// The instrument's alarm thresholds.
constexpr double kOilPressLow = 1.0;   // bar
constexpr double kFuelPressLow = 2.8;  // bar
constexpr double kWaterHigh = 102.0;   // degrees C

enum AlarmBit { WaterTempBit = 8 + 3, FuelPressBit = 8 + 5, OilPressBit = 8 + 6 };
constexpr int kSessionMark = 0x0002;

// One 0.1 s sample as the instrument sees it.
struct Instant {
    int rpm = 0, distance = 0, gear = 0, turbo = 0, throttle = 0, g = 0;
    double speedKmh = 0, oilTemp = 0, waterTemp = 0, oilPress = 0, fuelPress = 0, fuel = 0;
    double battery = 0, airFuel = 0;
};

// What carries over from one sample to the next: the gear, the
// temperatures, the fuel and the two faults of the session.
class Car {
public:
    // The sample at `time` of lap `lap` (0 the out-lap, kLaps + 1 the
    // in-lap); `n` numbers the sample for the wobble.
    Instant sample(const State& s, int lap, double time, std::uint32_t n)
    {
        Instant x;
        const bool moving = !s.parked && s.v > 0.3;
        x.throttle = moving ? throttle(s, n) : 0;
        const double thr = x.throttle / 100.0;
        x.rpm = engine(s, moving, n);
        x.gear = gear_;

        const double spool = std::clamp((x.rpm - 2500) / 2500.0, 0.0, 1.0);
        double boost = -0.6; // closed throttle
        if (!moving)
            boost = -0.5;
        else if (x.throttle >= 90)
            boost = 1.1 * spool;
        else if (x.throttle > 0)
            boost = std::max(-0.4, 1.1 * spool * thr * thr - 0.3);
        x.turbo = int(roundToLong(boost * 10));

        const double lateral = std::clamp(s.v * s.v * s.kappa / kG, -2.2, 2.2);
        x.g = int(roundToLong((lateral + 0.05 * noise(n, 3)) * 10));

        const double load = (x.rpm / 7300.0) * (0.4 + 0.6 * thr);
        // A bag on the radiator for the last lap: it falls off when the car
        // slows on the in-lap.
        const bool blocked = lap == kLaps || (lap == kLaps + 1 && s.pos < 700 && !s.parked);
        waterTemp_ += (83 + 9 * load + (blocked ? 21 : 0) - waterTemp_) * 0.1 / 35.0;
        oilTemp_ += (85 + 28 * load - oilTemp_) * 0.1 / 80.0;
        fuel_ -= 0.00012 + 0.0017 * thr * (x.rpm / 7300.0);

        // Oil surges in the corner at the end of the bottom straight on lap
        // four; the fuel pick-up runs dry in the left-right on lap six.
        if (lap == 4 && oilSurgeUntil_ < 0 && s.pos >= 1600 && std::fabs(lateral) >= 0.9)
            oilSurgeUntil_ = time + 3.5;
        if (lap == 6 && fuelDropUntil_ < 0 && s.pos >= 1900 && std::fabs(lateral) >= 0.9)
            fuelDropUntil_ = time + 2.2;
        x.oilPress = time < oilSurgeUntil_ ? 0.65 + 0.08 * noise(n, 4)
                                           : std::min(5.4, 1.0 + x.rpm / 1750.0) + 0.05 * noise(n, 4);
        x.fuelPress = time < fuelDropUntil_ ? 2.3 + 0.05 * noise(n, 5) : 3.6 - 0.1 * thr + 0.05 * noise(n, 5);

        x.battery = (x.rpm > 2200 ? 14.1 : 13.7) + 0.05 * noise(n, 6);
        if (x.throttle >= 90)
            x.airFuel = 12.7; // rich at full power
        else if (moving && x.throttle == 0)
            x.airFuel = 17.8; // lean on the overrun
        else
            x.airFuel = 14.7 - 1.5 * thr;
        x.speedKmh = s.v * 3.6;
        x.oilTemp = oilTemp_;
        x.waterTemp = waterTemp_;
        x.fuel = fuel_;
        return x;
    }

private:
    static int throttle(const State& s, std::uint32_t n)
    {
        const double most = accelLimit(s.v) * s.pace;
        if (s.accel >= 0.9 * most)
            return 100;
        if (s.accel < -0.3)
            return 0; // braking
        const double part = 22 + 78 * std::max(0.0, s.accel) / most + 3 * noise(n, 1);
        return int(std::clamp(roundToLong(part), 12L, 95L));
    }

    int engine(const State& s, bool moving, std::uint32_t n)
    {
        if (!moving && s.parked) {
            gear_ = 0;
            return int(roundToLong(950 + 25 * noise(n, 2)));
        }
        gear_ = std::max(gear_, 1);
        while (gear_ < 6 && s.v * kGearRpm[std::size_t(gear_)] > 7300)
            ++gear_;
        // Down through the box under braking, as long as the engine stays
        // below 6800; otherwise only when it labours.
        const bool braking = s.accel < -1.0;
        while (gear_ > 1 && (braking ? s.v * kGearRpm[std::size_t(gear_ - 1)] < 6800
                                     : s.v * kGearRpm[std::size_t(gear_)] < 3300))
            --gear_;
        const double rpm = std::max(s.v * kGearRpm[std::size_t(gear_)], gear_ == 1 ? 1600.0 : 1100.0);
        return int(roundToLong(rpm + 30 * noise(n, 2)));
    }

    int gear_ = 1;
    double oilTemp_ = 76, waterTemp_ = 79, fuel_ = 36;
    double oilSurgeUntil_ = -1, fuelDropUntil_ = -1;
};

// Record r from its ten samples and the instant that ends its second.
MemoryRecord recordOf(const Instant* samples, const Instant& end)
{
    MemoryRecord m;
    double airFuel = 0;
    for (int k = 0; k < 10; ++k) {
        const Instant& x = samples[k];
        const int distance = std::clamp(x.distance, 0, 65535);
        m.samples[std::size_t(k)] = {x.rpm, distance, x.gear, x.turbo, x.throttle, x.g};
        airFuel += samples[k + 1].airFuel; // the mixture over the second, in tenths
    }
    // The slow channels are read once a second, at its end; the export
    // spreads them over the next second's samples.
    m.oilTemp = int(roundToLong(end.oilTemp * 10));
    m.waterTemp = int(roundToLong(end.waterTemp * 10));
    m.oilPress = int(roundToLong(end.oilPress * 10));
    m.fuelPress = int(roundToLong(end.fuelPress * 10));
    m.fuelLevel = int(roundToLong(end.fuel));
    m.battery = int(roundToLong(end.battery * 10));
    m.airFuel = int(roundToLong(airFuel));
    m.speed = int(roundToLong(end.speedKmh));
    if (m.oilPress < kOilPressLow * 10)
        m.status |= 1 << OilPressBit;
    if (m.fuelPress < kFuelPressLow * 10)
        m.status |= 1 << FuelPressBit;
    if (m.waterTemp > kWaterHigh * 10)
        m.status |= 1 << WaterTempBit;
    return m;
}

struct Recording {
    std::vector<MemoryRecord> records;
    std::vector<qint32> lapHundredths;
};

Recording record(const Drive& d)
{
    // Recording starts so that the first pass of the line falls on a record's
    // first sample: that lap's distance starts from 0 in its own record.
    const double first = d.crossing[0];
    const int firstRecord = int(std::floor(first));
    const double begin = first - firstRecord;
    const double end = d.t.back() + 4.0; // parked a few seconds, then it stops
    int count = int(std::ceil(end - begin));
    count += count % 2; // whole pairs
    auto timeOf = [&](int n) { return first + double(n - 10 * firstRecord) / 10.0; };
    // Passes of the line by `time` (with a hair of slack for the first).
    auto passesBy = [&](double time) {
        int k = 0;
        while (k <= kLaps && d.crossing[std::size_t(k)] <= time + 1e-9)
            ++k;
        return k;
    };

    std::vector<Instant> inst;
    Car car;
    const double startAlong = stateAt(d, begin).along;
    for (int n = 0; n <= 10 * count; ++n) {
        const double time = timeOf(n);
        const State s = stateAt(d, time);
        const int passes = passesBy(time);
        inst.push_back(car.sample(s, passes, time, std::uint32_t(n)));
        // Distance within the lap, from the last pass of the line (from the
        // start of recording on the out-lap).
        const double from = passes == 0 ? startAlong : stateAt(d, d.crossing[std::size_t(passes - 1)]).along;
        inst.back().distance = int(roundToLong((s.along - from) * kWheelScale));
    }

    Recording out;
    for (int r = 0; r < count; ++r) {
        MemoryRecord m = recordOf(&inst[std::size_t(10 * r)], inst[std::size_t(10 * r + 10)]);
        // The instrument marks the record in which the line is passed, with
        // the laps completed so far; the first pass completes none.
        const int before = passesBy(timeOf(10 * r) - 1e-6);
        const int after = passesBy(timeOf(10 * r + 10) - 1e-6);
        m.session = std::max(0, after - 1);
        if (after > before)
            m.status |= kSessionMark;
        out.records.push_back(m);
    }
    for (int k = 1; k <= kLaps; ++k)
        out.lapHundredths.push_back(
            qint32(roundToLong((d.crossing[std::size_t(k)] - d.crossing[std::size_t(k - 1)]) * 100)));
    return out;
}

QByteArray memoryImage(const std::vector<MemoryRecord>& records)
{
    QByteArray image;
    for (std::size_t r = 0; r + 1 < records.size(); r += 2)
        image += checkedPair(memoryBlock(records[r]), memoryBlock(records[r + 1]));
    return image;
}

// --- the session file ---------------------------------------------------------------

// The window's default trace colours of measures 3 to 20.
constexpr std::array<qint32, 18> kColours = {0x0000C0, 0x0000FF, 0x0040C0, 0x0080FF, 0x00C0C0, 0x008080,
                                             0x00C000, 0x008000, 0xC0C000, 0x808000, 0xFF8080, 0xC00000,
                                             0x800080, 0xC000C0, 0xFF00FF, 0xFF80FF, 0xFFC0FF, 0xFFC0C0};
// Measure names as the English window shows them (measure 16 repeats 15).
const char* const kMeasureNames[18] = {"Engine speed", "Speed", "Fuel pressure", "Oil pressure", "Throttle",
                                       "Water temperature", "G sensor", "Oil temperature", "Battery", "Gear",
                                       "Fuel level", "Turbo pressure", "Lambda sensor", "Lambda sensor",
                                       "", "", "", ""};

QByteArray sessionFile(const CircuitPlan& plan, const QByteArray& csv)
{
    // The measures' scale, as the window keeps it: their range in the data.
    std::array<double, 18> lo{}, hi{};
    lo.fill(1e300);
    hi.fill(-1e300);
    const QStringList lines = splitLines(csv);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList f = lines[i].split(QLatin1Char(';'));
        for (qsizetype c = 2; c < f.size() && c < 20; ++c) {
            const double v = f[c].toDouble();
            lo[std::size_t(c - 2)] = std::min(lo[std::size_t(c - 2)], v);
            hi[std::size_t(c - 2)] = std::max(hi[std::size_t(c - 2)], v);
        }
    }
    QStringList out{
        QStringLiteral("Sessione=Free practice 1"),
        QStringLiteral("DataSessione=14/09/2024"),
        QStringLiteral("OraSessione=10:40"),
        QStringLiteral("Circuito=") + QLatin1String(plan.name),
        QStringLiteral("LunghTracciato=") + QString::number(plan.length),
        QStringLiteral("VeicoloSessione=Coupe 2.0 Turbo no. 27"),
        QStringLiteral("Piloti=Marco Rinaldi, Giulia Ferri"),
        QStringLiteral("NoteSessione=Example session. Oil pressure drops in lap 4, fuel pressure in "
                       "lap 6; water temperature high from lap 7 into the in-lap."),
    };
    for (std::size_t i = 0; i < kColours.size(); ++i) {
        const bool used = lo[i] <= hi[i];
        out << QStringLiteral("%1;1;%2;1;%3;%4")
                   .arg(QLatin1String(kMeasureNames[i]))
                   .arg(kColours[i])
                   .arg(QString::number(used ? lo[i] : 0, 'g', 15))
                   .arg(QString::number(used ? hi[i] : 0, 'g', 15));
    }
    return textLines(out);
}

// --- the download and Save Data -------------------------------------------------

class QuietView final : public DownloadView {
public:
    void setProgressMax(int) override {}
    void setProgressValue(int) override {}
    void setStatusText(const QString&) override {}
    void setBusy(bool) override {}
    bool closedByUser() const override { return false; }
    void runEnded(DownloadOutcome) override {}
};

// The program's services for the length of one run, put back after it.
class Services {
public:
    Services()
    {
        resetProgramState();
        setClock(&clock_);
        setMessages(&messages_);
        setMainSurface(&surface_);
        setSerialPort(&port);
    }
    ~Services()
    {
        ChiudiPorta();
        setSerialPort(nullptr);
        setMainSurface(nullptr);
        setMessages(nullptr);
        setClock(nullptr);
        resetProgramState();
    }
    Services(const Services&) = delete;
    Services& operator=(const Services&) = delete;

    FakeSerialPort port;

private:
    FakeClock clock_;
    MessageRecorder messages_;
    SurfaceRecorder surface_;
};

} // namespace

std::vector<ExampleFile> exampleFiles(QString* error)
{
    auto failed = [&](const QString& why) {
        if (error)
            *error = why;
        return std::vector<ExampleFile>();
    };

    std::vector<ExampleFile> files;
    for (const CircuitPlan* plan : {&hill(), &lake()}) {
        const QString base = QStringLiteral("tracks/") + QLatin1String(plan->name);
        files.push_back({base + QStringLiteral(".trk"), outlineFile(*plan, curveOf(*plan))});
        files.push_back({base + QStringLiteral(".sec"), sectorFile(*plan)});
    }

    const Recording rec = record(drive(hill(), curveOf(hill())));
    const QByteArray memory = memoryImage(rec.records);

    Services services;
    emu::Engine& instrument = services.port.engine;
    instrument.status = QByteArray(36, '\0');
    instrument.memory = memory;
    instrument.recordedBytes = qint32(memory.size());
    instrument.lapMemory = emu::lapMemoryImage(rec.lapHundredths);
    instrument.lapCount = qint16(rec.lapHundredths.size());

    // English headers and the project's units, as the shipped program has
    // them; Download Data, then Save Data.
    TabellaLingua.IndiceLingua = 1;
    CaricaTabelleCostanti();
    // The poll has opened the port to the instrument before Download Data.
    if (!ConnettiStrumento())
        return failed(QStringLiteral("the instrument does not answer"));
    resetDownloadBuffers();
    QuietView view;
    if (DownloadRun(view).run() != DownloadOutcome::Completed)
        return failed(QStringLiteral("the download of the memory image failed"));

    QTemporaryDir scratch;
    if (!scratch.isValid())
        return failed(QStringLiteral("no temporary folder"));
    const QString name = QFileInfo(QLatin1String(kExampleDataFile)).completeBaseName();
    PercorsoFileDati = QDir(scratch.path()).filePath(name + QStringLiteral(".csv"));
    if (!SalvaDatiScaricati())
        return failed(QStringLiteral("Save Data failed"));

    const QString folder = QFileInfo(QLatin1String(kExampleDataFile)).path() + QLatin1Char('/') + name;
    QByteArray csv;
    for (const char* ext : {"csv", "txt", "tim"}) {
        QFile f(withLastThreeReplaced(PercorsoFileDati, QLatin1String(ext)));
        if (!f.open(QIODevice::ReadOnly))
            return failed(QStringLiteral("cannot read back ") + f.fileName());
        const QByteArray bytes = f.readAll();
        if (QLatin1String(ext) == QLatin1String("csv"))
            csv = bytes;
        files.push_back({folder + QLatin1Char('.') + QLatin1String(ext), bytes});
    }
    files.push_back({folder + QStringLiteral(".ses"), sessionFile(hill(), csv)});
    return files;
}

} // namespace zuv::test
