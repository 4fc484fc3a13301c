#pragma once
// What the statistics, per-measure statistics, chart settings and lap report
// dialogs compute on the open analysis window, through the interface both
// windows offer; the computations themselves live in their own units.

#include "analysis/lap_report.h"
#include "analysis/set_graph.h"
#include "analysis/statistics.h"

#include <QString>
#include <array>
#include <vector>

namespace zuv {

class AnalysisInterface;

// What the toolbar's "Statistiche" computes: window `w`'s public texts from
// its lap table and the session's track length; false, changing nothing,
// when it has no completed lap (the window then shows text 302), and false
// once a lap time cannot be read, with the texts as far as they came (no
// dialog opens).
bool fillLapStatistics(AnalysisInterface& w);
// The statistics dialog's ten lines from `w`'s public texts.
std::array<std::array<QString, 2>, kStatisticsLines> statisticsLines(const AnalysisInterface& w);

// The per-measure dialog's grid from `w`'s getters, headings first.
std::vector<std::array<QString, 4>> measureStatsRows(const AnalysisInterface& w);

// The lap report's view of `w`, which must outlive the result.
ReportSource reportSource(const AnalysisInterface& w);

// The chart settings dialog as it opens on `w`'s exchange values
// (`currGraphFiltro`, ...).
SetGraphTexts setGraphTexts(const AnalysisInterface& w);
// OK accepted, in `w` for measure i, in the order the dialog stores them:
// name, unit, filter, colour, width, minimum and maximum. The window copies
// the exchange values into its tables once the dialog has closed.
void applySetGraph(AnalysisInterface& w, int i, const QString& name, const QString& unit, quint32 colour,
                   const SetGraphResult& outcome);

} // namespace zuv
