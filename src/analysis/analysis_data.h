#pragma once
// The values of an analysis session, under the names the window's
// procedures use: the measures, the view, the traces, the lap table and the
// values the dialogs exchange with the window. The session object
// (analysis/analysis_session.h) adds its loader and rules; tests use the
// values alone.

#include "analysis/lap_table.h"
#include "analysis/measure_scales.h"
#include "analysis/session_file.h"
#include "analysis/statistics.h"
#include "analysis/trace_plan.h"
#include "analysis/view_steps.h"

#include <QString>
#include <optional>

namespace zuv {

// `LapStatistics` holds the texts the statistics fill.
struct AnalysisData : MeasureState, ViewState, TraceState, LapState, LapStatistics {
    // Columns of the alarms table besides its lap numbers (fast window).
    int AlarmsNum = 0;
    QString SessionFileName;
    // What the chart settings dialog edits of measure `IndiceGrafico`.
    qint16 currGraphFiltro = 0;
    qint16 currGraphWidth = 0;
    double currGraphMinVal = 0;
    double currGraphMaxVal = 0;

    // The tab shown last (0 measures, 1 alarms).
    int SchedaCorrente = 0;
    // Sample at the chart cursor, as a move or a playback pass last asked.
    qint64 CampioneCursore = 0;
    Playback playback;

    // `cmdSetGraph_Click` around the dialog: measure i's settings into the
    // exchange values before it opens, and back after it has closed.
    void toSettingsExchange(int i);
    void fromSettingsExchange(int i);

    // The measure rows 3..20 as the session file keeps them, and back.
    MeasureRows sessionRows() const;
    void applySessionRows(const MeasureRows& rows);

    // First and end row of the lap on show.
    qint64 lapFirst() const { return bounds.first(GiroCorrente); }
    qint64 lapEnd() const { return bounds.end(GiroCorrente); }

    // `CalcolaScale` over the lap on show (`xEndBack` 1 in the fast window).
    void scaleCurrentLap(const MeasureStats& stats, const RowValue& timeAt, qint64 xEndBack = 0);
    // The traces of a redraw of the lap on show (`stopPastLap` in the fast
    // window).
    TracePlan planMeasures(const RowValue& timeAt, bool stopPastLap = false);
    TracePlan planAlarms(const RowValue& alarmsTimeAt, bool stopPastLap = false);
    // The x where playing right ends: the playing chart's time at sample
    // `FineGiro`(`GiroCorrente`) - 1; nothing without a lap on show.
    std::optional<double> playbackEndX(const RowValue& timeAt) const;
};

} // namespace zuv
