#include "analysis/ui/dlgReportGiri.h"

#include "analysis/analysis_interface.h"
#include "analysis/dialog_bridge.h"
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
constexpr int kColonne = 4;
constexpr int kOrdineNumeri = 3;
constexpr int kOrdineTesti = 7;
} // namespace

dlgReportGiri::dlgReportGiri(QWidget* parent)
    : GridDialog(parent, kColonne, 1), cmdGiri(new QPushButton(this)), cmdTempi(new QPushButton(this)),
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
    CalcolaOffsetLingua();
    setWindowTitle(Testo(115));
    cmdGiri->setText(Testo(113));
    cmdTempi->setText(Testo(114));
    cmdStampa->setText(Testo(7));
    const AnalysisInterface* w = currentAnalysis();
    const GiriReport giri = w ? giriReport(*w) : GiriReport{};
    MSFlexGrid1->setRowCount(righeGrigliaReport(giri.intGiriCompletati));
    sizeColumns();
    const RigaReport titoli = intestazioniReport();
    for (int c = 0; c < kColonne; ++c) {
        MSFlexGrid1->setText(0, c, titoli[std::size_t(c)]);
        MSFlexGrid1->setColumnAlignment(c, 4);
    }
    const std::vector<RigaReport> righe = righeReport(giri);
    for (std::size_t k = 0; k < righe.size(); ++k)
        for (int c = 0; c < kColonne; ++c)
            MSFlexGrid1->setText(int(k) + 1, c, righe[k][std::size_t(c)]);
}

std::vector<int> dlgReportGiri::columnWidths(int gridTwips) const
{
    const auto w = larghezzeReport(gridTwips);
    return {w.begin(), w.end()};
}

void dlgReportGiri::ordina(int colonna, int modo)
{
    MSFlexGrid1->setCurrentRow(1);
    MSFlexGrid1->setCurrentColumn(colonna);
    MSFlexGrid1->sort(modo);
}

void dlgReportGiri::cmdGiri_Click() { ordina(1, kOrdineNumeri); }

void dlgReportGiri::cmdTempi_Click() { ordina(2, kOrdineTesti); }

bool dlgReportGiri::cmdStampa_Click()
{
    const AnalysisInterface* w = currentAnalysis();
    if (!w)
        return false;
    const EsitoStampa esito = StampaReportGiri(printer(), giriReport(*w), DatiSessione);
    if (!esito.messaggio.isEmpty())
        msgBox(esito.messaggio, MsgIcon::Exclamation);
    return esito.stampato;
}

dlgReportGiri* dlgReportGiri::open(QWidget* owner)
{
    return giriCompletati(currentAnalysis()) ? openModeless<dlgReportGiri>(owner) : nullptr;
}

} // namespace zuv
