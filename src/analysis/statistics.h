#pragma once
// The lap statistics of a session (total and average lap time, average
// speed, fastest and slowest lap with their speeds) and what the statistics
// dialog's grid shows of them.

#include <QString>
#include <array>
#include <cmath>
#include <functional>

namespace zuv {

// The public texts of the analysis window that the statistics fill.
struct LapStatistics {
    QString TempoTotale;
    QString TempoMedioGiro;
    QString VelocitaMediaGiro;
    QString strGiroVeloce;
    QString strGiroLento;
    QString VelocitaGiroVeloce;
    QString VelocitaGiroLento;
};

// Lap time of lap-table row `row` (lap n is row n + 1), as `GetTempoGiro`.
using LapTimeOf = std::function<QString(int row)>;

// The statistics of laps 1 to `intGiriCompletati` into `s`, the window's
// texts; the fastest and slowest lap are given by number. False when there
// is no completed lap (the window then shows language text 302 and keeps
// its texts), and false at a lap time that cannot be read ("mm:ss.cc"):
// the statistics stop there without a word, what they wrote before keeps
// its new value and the rest its old one.
bool computeLapStatistics(LapStatistics& s, const LapTimeOf& lapTime, int intGiriCompletati, int intGiroVeloce,
                          int intGiroLento, const QString& trackLength);

inline constexpr int kStatisticsLines = 10;

// The ten lines of the dialog: a label (texts 102 to 109) and a value.
std::array<std::array<QString, 2>, kStatisticsLines> statisticsLines(const LapStatistics& s,
                                                                      int intGiriCompletati,
                                                                      int intGiroVeloce, int intGiroLento);

// Column widths from the grid's width: 3/5 and 1.88/5 of it.
std::array<int, 2> statisticsWidths(int gridWidth);

// Grid width / `parts` x each factor, in single precision, rounded (halves
// to even): how the statistics and report dialogs size their columns.
template <std::size_t N>
std::array<int, N> proportionalWidths(int gridWidth, float parts, const std::array<float, N>& factors)
{
    std::array<int, N> out{};
    for (std::size_t i = 0; i < N; ++i)
        out[i] = int(std::nearbyint(float(gridWidth) / parts * factors[i]));
    return out;
}

} // namespace zuv
