#include "analysis/ui/dlgStatistiche.h"

#include "analysis/analysis_interface.h"
#include "analysis/dialog_bridge.h"
#include "analysis/ui/grid_component.h"
#include "project/language.h"
#include "project/state.h"

namespace zuv {

dlgStatistiche::dlgStatistiche(QWidget* parent) : GridDialog(parent, 2, 0)
{
    setObjectName(QStringLiteral("dlgStatistiche"));
    resizeTwips(*this, 5400, 4200);
    Form_Load();
}

void dlgStatistiche::Form_Load()
{
    computeLanguageOffset();
    setWindowTitle(languageText(116));
    MSFlexGrid1->setRowCount(kStatisticsLines);
    sizeColumns();
    MSFlexGrid1->setColumnAlignment(1, GridComponent::kCentred);
    const AnalysisInterface* w = currentAnalysis();
    if (!w)
        return;
    const auto lines = statisticsLines(*w);
    for (int r = 0; r < kStatisticsLines; ++r)
        for (int c = 0; c < 2; ++c)
            MSFlexGrid1->setText(r, c, lines[std::size_t(r)][std::size_t(c)]);
}

std::vector<int> dlgStatistiche::columnWidths(int gridTwips) const
{
    const auto w = statisticsWidths(gridTwips);
    return {w.begin(), w.end()};
}

dlgStatistiche* dlgStatistiche::open(QWidget* owner)
{
    AnalysisInterface* w = currentAnalysis();
    if (!completedLaps(w, owner))
        return nullptr;
    // Computed again on every press, even when the open dialog keeps
    // showing what it was filled with. A lap time that cannot be read ends
    // it there, with no word and no dialog.
    if (!fillLapStatistics(*w))
        return nullptr;
    return openModeless<dlgStatistiche>(owner);
}

} // namespace zuv
