#include "analysis/ui/dlgStatisticheMisure.h"

#include "analysis/analysis_interface.h"
#include "analysis/dialog_bridge.h"
#include "analysis/measure_stats.h"
#include "analysis/ui/grid_component.h"
#include "project/language.h"
#include "project/state.h"

namespace zuv {

namespace {
constexpr int kColonne = 4;
}

dlgStatisticheMisure::dlgStatisticheMisure(QWidget* parent) : GridDialog(parent, kColonne, 1)
{
    setObjectName(QStringLiteral("dlgStatisticheMisure"));
    Form_Load();
}

void dlgStatisticheMisure::Form_Load()
{
    resizeTwips(*this, kLarghezzaStatisticheMisure, kAltezzaStatisticheMisure);
    CalcolaOffsetLingua();
    setWindowTitle(Testo(186));
    const AnalysisInterface* w = currentAnalysis();
    // Without a window, or without a measure, the headings alone.
    const auto righe = w ? righeStatisticheMisure(*w) : righeStatisticheMisure(0, nullptr);
    MSFlexGrid1->setRowCount(int(righe.size()));
    sizeColumns();
    for (int c = 0; c < kColonne; ++c)
        MSFlexGrid1->setColumnAlignment(c, 4);
    for (std::size_t r = 0; r < righe.size(); ++r)
        for (int c = 0; c < kColonne; ++c)
            MSFlexGrid1->setText(int(r), c, righe[r][std::size_t(c)]);
}

std::vector<int> dlgStatisticheMisure::columnWidths(int gridTwips) const
{
    const auto w = larghezzeStatisticheMisure(gridTwips);
    return {w.begin(), w.end()};
}

dlgStatisticheMisure* dlgStatisticheMisure::open(QWidget* owner)
{
    return giriCompletati(currentAnalysis()) ? openModeless<dlgStatisticheMisure>(owner) : nullptr;
}

} // namespace zuv
