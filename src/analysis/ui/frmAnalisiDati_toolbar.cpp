// The analysis window's toolbar: its keys and what each click does, the
// window's language and the chart print.

#include "analysis/ui/frmAnalisiDati.h"

#include "analysis/session_header.h"
#include "analysis/ui/analysis_pictures.h"
#include "analysis/ui/chart_component.h"
#include "platform/messages.h"
#include "project/language.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QToolBar>

namespace zuv {

// The toolbar, left to right: each key with its tool tip text, whether it
// stays pressed, whether a group ends after it, and what a click does.
struct frmAnalisiDati::ToolKey {
    const char* key;
    int toolTip;
    bool checkable;
    bool groupEnd;
    void (frmAnalisiDati::*click)();
};

std::span<const frmAnalisiDati::ToolKey> frmAnalisiDati::toolKeys()
{
    static const ToolKey keys[] = {
        {"ChiudiGrafico", 40, false, true, &frmAnalisiDati::ChiudiGrafico},
        {"Statistiche", 116, false, false, &frmAnalisiDati::MostraStatistiche},
        {"ReportGiri", 115, false, false, &frmAnalisiDati::MostraReportGiri},
        {"StatisticheMisure", 186, false, true, &frmAnalisiDati::MostraStatisticheMisure},
        {"Sovrapposti", 38, true, false, &frmAnalisiDati::overlaidKey},
        {"Separati", 39, true, false, &frmAnalisiDati::separateKey},
        {"SetZoom", 192, true, false, &frmAnalisiDati::zoomModeKey},
        {"DimOriginali", 325, false, true, &frmAnalisiDati::originalSizeKey},
        {"Stampa", 191, false, false, &frmAnalisiDati::StampaGrafico},
        {"Circuito", 214, false, false, &frmAnalisiDati::CaricaCircuito},
        {"DatiSessione", 215, false, false, &frmAnalisiDati::MostraDatiSessione},
    };
    return keys;
}

void frmAnalisiDati::buildToolbar()
{
    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setIconSize(QSize(24, 24));
    Toolbar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const ToolKey& k : toolKeys()) {
        const QString key = QString::fromLatin1(k.key);
        QAction* a = Toolbar1->addAction(analysisIcon(key), QString());
        a->setObjectName(key);
        a->setCheckable(k.checkable);
        connect(a, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
        toolButtons_.push_back(a);
        if (k.groupEnd)
            Toolbar1->addSeparator();
    }
    // Both modes off at opening: the traces overlaid.
    toolButton(QStringLiteral("Sovrapposti"))->setChecked(true);
}

QAction* frmAnalisiDati::toolButton(const QString& key) const
{
    for (QAction* a : toolButtons_)
        if (a && a->objectName() == key)
            return a;
    return nullptr;
}

void frmAnalisiDati::Toolbar1_ButtonClick(const QString& key)
{
    for (const ToolKey& k : toolKeys())
        if (key == QLatin1String(k.key))
            return (this->*k.click)();
}

void frmAnalisiDati::overlaidKey()
{
    session_->setSeparate(false);
    setSplitLook(false);
    toolButton(QStringLiteral("SetZoom"))->setChecked(session_->ModoZoom);
    ImpostaSovrapposti();
}

void frmAnalisiDati::separateKey()
{
    session_->setSeparate(true);
    setSplitLook(true);
    ImpostaSeparati();
}

void frmAnalisiDati::zoomModeKey()
{
    session_->setZoomMode(!session_->ModoZoom);
    const bool on = session_->ModoZoom;
    toolButton(QStringLiteral("SetZoom"))->setChecked(on);
    setZoomInEnabled(!on);
    setSplitLook(session_->blnSeparati);
    ApplicaModoZoom();
}

void frmAnalisiDati::originalSizeKey()
{
    CalcolaScale();
    showAlarmsRange();
    session_->CalcolaPassoSpostamento();
    RidisegnaGraficoAttivo();
}

void frmAnalisiDati::RefreshLanguage()
{
    computeLanguageOffset();
    for (std::size_t i = 0; i < toolButtons_.size(); ++i)
        toolButtons_[i]->setToolTip(languageText(toolKeys()[i].toolTip));
    for (int k = 0; k < kAlarmCount; ++k)
        lblNomeAllarme[std::size_t(k)]->setText(languageText(274 + k));
    const bool loaded = session_->refreshLanguage();
    for (int i = 1; i <= 16; ++i) {
        lblNomeCampo[i]->setText(session_->captions[i]);
        lblNomeCampo[i]->setToolTip(session_->captions[i]);
    }
    lblCircuito->setText(languageText(120));
    lblPiloti->setText(languageText(124));
    fraLegendaAllarmi->setTitle(languageText(282));
    chkTempo->setText(languageText(306));
    setTabCaptions();
    if (loaded) {
        showLapGrid();
        (SSTab1->currentIndex() == 0 ? NTGraph1 : NTGraphAll)->setXCaption(session_->timeCaption());
    }
}

void frmAnalisiDati::StampaGrafico()
{
    const ChartPrintArguments a = chartPrintArguments(DatiSessione, SSTab1->currentIndex() != 0);
    ChartComponent& chart = a.alarms ? *NTGraphAll : *NTGraph1;
    const SessionHeader& h = a.header;
    QString error;
    if (!chart.print(h[0], h[1], h[2], h[3], h[4], h[5], h[6], a.traceNames, a.alarms, &error))
        msgBox(this, error, MsgIcon::Exclamation);
}

} // namespace zuv
