#pragma once
// The measures of an analysis window: names and units from the data
// header, the per-measure settings and statistics, and `CalcolaScale`,
// which turns each measure's maximum, minimum and average over the lap on
// show into overlay factors and the visible range. Both windows use it;
// only the statistics and the time of a row come from their own data.

#include "analysis/view_steps.h"
#include "shell/file_layout.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <array>
#include <functional>
#include <optional>

namespace zuv {

// Per-measure entries 0 to 20: 1 the time, 2 the distance, 3 on the
// measures that can be drawn.
inline constexpr int kMaxMeasure = 20;
inline constexpr int kFirstMeasure = 3;

// Trace colours as the window is designed, 0x00BBGGRR, by measure (entries 1
// and 2 have no trace) and by alarm 0 to 7.
extern const std::array<quint32, kMaxMeasure + 1> kMeasureColours;
extern const std::array<quint32, kAlarmCount> kAlarmColours;

struct MeasureState {
    int FieldsNum = 0;
    std::array<double, kMaxMeasure + 1> ValoriMax{};
    std::array<double, kMaxMeasure + 1> ValoriMin{};
    std::array<double, kMaxMeasure + 1> ValoriMedi{};
    std::array<double, kMaxMeasure + 1> FattoriScala{};
    // As stored; read through `filter` and `lineWidth`, which take a value
    // below 1 as 1.
    std::array<int, kMaxMeasure + 1> FiltroMisura{};
    std::array<int, kMaxMeasure + 1> SpessoreMisura{};
    std::array<std::array<int, 3>, kMaxMeasure + 1> IndiceElemento{};
    // Captions of the measure rows (`lblNomeCampo`, `lblUM`) and the trace
    // colour (`shpColor`).
    std::array<QString, kMaxMeasure + 1> captions;
    std::array<QString, kMaxMeasure + 1> units;
    std::array<quint32, kMaxMeasure + 1> colours = kMeasureColours;

    int filter(int i) const;
    int lineWidth(int i) const;
};

struct MeasureHeader {
    QString name;
    QString unit;
};
// The language text that names measure i: 305 + i up to measure 15, and 320
// for 16 too (text 321 labels the sectors); 0 above 16, where no text names
// the measure.
int measureNameText(int i);
// A data header "Name [unit]" of measure i: the unit from the first "[" to
// the end, brackets included, and the name from `measureNameText` (the
// header's own words before "[" where there is no such text); a header
// without "[" is the name itself, with no unit.
MeasureHeader splitHeader(const QString& header, int measure);

// Names and units of measures 1 to `FieldsNum` from the header texts
// (`headers`[0] is column 1) and their default trace settings.
void InizializzaMisure(MeasureState& m, const QStringList& headers);

struct RangeStats {
    double max = 0;
    double min = 0;
    double avg = 0;
};
// Maximum, minimum and average of measure i over rows da to a, both
// included, in the caller's row numbering.
using MeasureStats = std::function<RangeStats(int measure, qint64 da, qint64 a)>;
// A value of the caller's data at a row, nothing outside it.
using RowValue = std::function<std::optional<double>(qint64 row)>;
// The same for data column c.
using CellValue = std::function<std::optional<double>(int column, qint64 row)>;

// Statistics of measures 3 to `FieldsNum` over rows da to a, the overlay
// factors, the y range around them and the x range of the lap (the time at
// da to the time at a - `xEndBack`: 0 for the chart window, 1 for the fast
// window), then the stride and move step for that x range. The window then
// sets the chart's range from `view`.
//
// A measure whose maximum is exactly 0 gets 0.01, and its factor is the
// largest maximum over its own; one whose maximum stays below 0 is scaled by
// its largest magnitude, so it is not turned upside down. The margins move
// away from the data, and no factor or bound is infinite.
void CalcolaScale(MeasureState& m, ViewState& view, qint64 da, qint64 a, const MeasureStats& stats,
                  const RowValue& timeAt, qint64 xEndBack = 0);

} // namespace zuv
