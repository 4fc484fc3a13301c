#pragma once
// Where an analysis window's computations read their values: the chart
// window from the columns its two charts read (chart rows, header row 1),
// the fast window from its in-memory table (rows from 0, made in
// analysis_fast/table_loader.h). One set of callables per window, so the
// scales, lap table, traces, playback and cursor read-out are one code for
// both.

#include "analysis/chart_data.h"
#include "analysis/measure_scales.h"

namespace zuv {

struct DataSources {
    // Statistics of a data-file measure over rows da..a.
    MeasureStats stats;
    // Time of a row in the data file and in the alarms file.
    RowValue timeAt;
    RowValue alarmsTimeAt;
    // The alarms file's distance (sector times) and lap number (row labels
    // and tab captions) at a row.
    RowValue distanceAt;
    RowValue lapNumberAt;
    // A column of the data file and of the alarms file at a row.
    CellValue valueAt;
    CellValue alarmAt;
    // `CalcolaScale`'s x range ends this many rows before the lap's end.
    qint64 xEndBack = 0;
    // A redraw whose view starts after the lap's last row stops at its
    // first trace (the fast window's arrays would be of negative length).
    bool stopPastLap = false;
};

// The chart window's: the callables keep references, the data must outlive
// them.
DataSources chartSources(const ChartData& data, const ChartData& alarms);

} // namespace zuv
