#pragma once
// The cursor read-out of an analysis window: from the sample the chart
// reports under its cursor, the data row every value box shows, the alarm
// lamps and the circuit map point of the marker. A box, lamp or marker that
// cannot be computed (a row outside the data, no lap rows, no map) is left
// as it was: its entry is empty.

#include "analysis/analysis_data.h"
#include "analysis/colour_values.h"
#include "shell/file_layout.h"

#include <QString>
#include <array>
#include <optional>

namespace zuv {

// The value row of sample n: n x stride x filter + first trace row, halves
// to even; a stride or filter below 1 counts as 1.
qint64 cursorValueRow(qint64 n, int stride, int filter, qint64 firstTraceRow);
// The alarms row: the same without the filter.
qint64 cursorAlarmRow(qint64 n, int stride, qint64 firstTraceRow);
// Alarm k (0..7) is active on the value 2k + 2 (and idle on 2k + 1).
bool alarmLampOn(int k, double value);
// The outline point under `row`: the share of the lap before it, over the
// lap's rows, as one of `mapPoints` points, clamped to them. Nothing
// without lap rows or points.
std::optional<qint64> markerPoint(qint64 row, qint64 lapFirst, qint64 lapSamples,
                                  int mapPoints);

// Lamp colours: active, and idle (the inactive border colour).
inline constexpr quint32 kLampOn = kColourRed;
inline constexpr quint32 kLampOff = kColourInactiveBorder;

struct CursorReadout {
    qint64 valueRow = 0;
    qint64 alarmRow = 0;
    // By measure row 1..`FieldsNum`, the box text as `readoutText` writes it.
    std::array<std::optional<QString>, kMaxMeasure + 1> values;
    // Alarms chart only.
    std::array<std::optional<bool>, kAlarmCount> lamps;
    std::optional<qint64> marker;
};

// `AggiornaCursore`: the measures chart's cursor at sample n. The filter is
// that of the measure drawn last; `valueAt` reads the data file's columns.
// With nothing drawn (`UltimaMisuraDisegnata` 0) every box shows row
// `RigaInizioTraccia` and, in both procedures, the marker stays.
CursorReadout AggiornaCursore(const AnalysisData& w, qint64 n, const CellValue& valueAt,
                              int mapPoints);
// `AggiornaCursoreAllarmi`: the alarms chart's cursor. Its traces have no
// filter, so the boxes read the alarms row too; `alarmAt` reads the alarms
// file's columns.
CursorReadout AggiornaCursoreAllarmi(const AnalysisData& w, qint64 n, const CellValue& valueAt,
                                     const CellValue& alarmAt, int mapPoints);

} // namespace zuv
