#include "analysis/ui/dlgReportGiri.h"

#include "analysis/analysis_interface.h"
#include "analysis/dialog_bridge.h"
#include "analysis/grid_sort.h"
#include "analysis/lap_report.h"
#include "analysis/ui/grid_component.h"
#include "platform/messages.h"
#include "platform/printer.h"
#include "project/language.h"
#include "project/state.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace zuv {

namespace {
constexpr int kColumns = 4;
} // namespace

dlgReportGiri::dlgReportGiri(QWidget* parent)
    : GridDialog(parent, kColumns, 1), cmdGiri(new QPushButton(this)), cmdTempi(new QPushButton(this)),
      cmdStampa(new QPushButton(this))
{
    setObjectName(QStringLiteral("dlgReportGiri"));
    cmdGiri->setObjectName(QStringLiteral("cmdGiri"));
    cmdTempi->setObjectName(QStringLiteral("cmdTempi"));
    cmdStampa->setObjectName(QStringLiteral("cmdStampa"));
    // Enter in a modeless list should not print.
    for (QPushButton* b : {cmdGiri, cmdTempi, cmdStampa})
        b->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdGiri);
    buttons->addWidget(cmdTempi);
    buttons->addStretch();
    buttons->addWidget(cmdStampa);
    layout_->addLayout(buttons);
    resizeTwips(*this, 7800, 6000);

    connect(cmdGiri, &QPushButton::clicked, this, &dlgReportGiri::cmdGiri_Click);
    connect(cmdTempi, &QPushButton::clicked, this, &dlgReportGiri::cmdTempi_Click);
    connect(cmdStampa, &QPushButton::clicked, this, &dlgReportGiri::cmdStampa_Click);
    Form_Load();
}

void dlgReportGiri::Form_Load()
{
    computeLanguageOffset();
    setWindowTitle(languageText(115));
    cmdGiri->setText(languageText(113));
    cmdTempi->setText(languageText(114));
    cmdStampa->setText(languageText(7));
    const AnalysisInterface* w = currentAnalysis();
    const ReportSource laps = w ? reportSource(*w) : ReportSource{};
    MSFlexGrid1->setRowCount(reportGridRows(laps.intGiriCompletati));
    sizeColumns();
    const ReportRow headings = reportHeadings();
    for (int c = 0; c < kColumns; ++c) {
        MSFlexGrid1->setText(0, c, headings[std::size_t(c)]);
        MSFlexGrid1->setColumnAlignment(c, GridComponent::kCentred);
    }
    const std::vector<ReportRow> lines = reportRows(laps);
    for (std::size_t k = 0; k < lines.size(); ++k)
        for (int c = 0; c < kColumns; ++c)
            MSFlexGrid1->setText(int(k) + 1, c, lines[k][std::size_t(c)]);
}

std::vector<int> dlgReportGiri::columnWidths(int gridTwips) const
{
    const auto w = reportWidths(gridTwips);
    return {w.begin(), w.end()};
}

void dlgReportGiri::sortBy(int column, int mode)
{
    MSFlexGrid1->setCurrentRow(1);
    MSFlexGrid1->setCurrentColumn(column);
    MSFlexGrid1->sort(mode);
}

void dlgReportGiri::cmdGiri_Click() { sortBy(1, kSortNumbers); }

void dlgReportGiri::cmdTempi_Click() { sortBy(2, kSortTexts); }

bool dlgReportGiri::cmdStampa_Click()
{
    const AnalysisInterface* w = currentAnalysis();
    if (!w)
        return false;
    const PrintResult outcome = printLapReport(printer(), reportSource(*w), DatiSessione);
    if (!outcome.message.isEmpty())
        msgBox(this, outcome.message, MsgIcon::Exclamation);
    return outcome.printed;
}

dlgReportGiri* dlgReportGiri::open(QWidget* owner)
{
    return completedLaps(currentAnalysis(), owner) ? openModeless<dlgReportGiri>(owner) : nullptr;
}

} // namespace zuv
