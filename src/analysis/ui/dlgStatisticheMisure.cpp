#include "analysis/ui/dlgStatisticheMisure.h"

#include "analysis/analysis_interface.h"
#include "analysis/dialog_bridge.h"
#include "analysis/measure_stats.h"
#include "analysis/ui/grid_component.h"
#include "project/language.h"
#include "project/state.h"

namespace zuv {

namespace {
constexpr int kColumns = 4;
}

dlgStatisticheMisure::dlgStatisticheMisure(QWidget* parent) : GridDialog(parent, kColumns, 1)
{
    setObjectName(QStringLiteral("dlgStatisticheMisure"));
    Form_Load();
}

void dlgStatisticheMisure::Form_Load()
{
    resizeTwips(*this, kMeasureStatsWidth, kMeasureStatsHeight);
    computeLanguageOffset();
    setWindowTitle(languageText(186));
    const AnalysisInterface* w = currentAnalysis();
    // Without a window, or without a measure, the headings alone.
    const auto lines = w ? measureStatsRows(*w) : measureStatsRows(0, nullptr);
    MSFlexGrid1->setRowCount(int(lines.size()));
    sizeColumns();
    for (int c = 0; c < kColumns; ++c)
        MSFlexGrid1->setColumnAlignment(c, GridComponent::kCentred);
    for (std::size_t r = 0; r < lines.size(); ++r)
        for (int c = 0; c < kColumns; ++c)
            MSFlexGrid1->setText(int(r), c, lines[r][std::size_t(c)]);
}

std::vector<int> dlgStatisticheMisure::columnWidths(int gridTwips) const
{
    const auto w = measureStatsWidths(gridTwips);
    return {w.begin(), w.end()};
}

dlgStatisticheMisure* dlgStatisticheMisure::open(QWidget* owner)
{
    return completedLaps(currentAnalysis(), owner) ? openModeless<dlgStatisticheMisure>(owner) : nullptr;
}

} // namespace zuv
