// The analysis window: its opening, loading and closing, the cursor read-out,
// the circuit map and the dialogs it opens.

#include "analysis/ui/frmAnalisiDati.h"

#include "analysis/chart_loader.h"
#include "analysis/texts.h"
#include "analysis/ui/analysis_dialogs.h"
#include "analysis/ui/chart_component.h"
#include "analysis/ui/circuit_map.h"
#include "analysis/ui/dlgDatiSessione.h"
#include "analysis/ui/dlgReportGiri.h"
#include "analysis/ui/dlgSetGraph.h"
#include "analysis/ui/dlgStatistiche.h"
#include "analysis/ui/dlgStatisticheMisure.h"
#include "analysis/ui/grid_component.h"
#include "analysis/ui/swatch.h"
#include "platform/mainsurface.h"
#include "platform/messages.h"
#include "platform/ui/text_box.h"
#include "project/state.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <algorithm>

namespace zuv {

namespace {

// One pass of a playback a tick: fast enough to follow, slow enough to see
// (a pass after each redraw would play a whole view in a quarter second).
constexpr int kPlaybackTickMs = 40;

// The chart window's traces come from the cells its charts read.
void plotFromCells(ChartComponent& chart, bool, const TraceRows& rows, const TracePlot& p, int element)
{
    chart.plotFromCells(cellRef(1, rows.first), cellRef(1, rows.last), cellRef(p.column, rows.first),
                        cellRef(p.column, rows.last), element, p.scale, p.stride);
}

} // namespace

frmAnalisiDati::frmAnalisiDati(QWidget* parent)
    : frmAnalisiDati(
          AnalysisKind::Dati,
          [](ChartData& measures, ChartData& alarms) { return DataSide{chartLoader(measures, alarms), plotFromCells}; },
          parent)
{
}

frmAnalisiDati::frmAnalisiDati(AnalysisKind kind, const DataSideMaker& makeDataSide, QWidget* parent)
    : QDialog(parent), kind_(kind)
{
    setObjectName(kind == AnalysisKind::Dati ? QStringLiteral("frmAnalisiDati")
                                             : QStringLiteral("frmAnalisiDatiSpeed"));
    setModal(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    buildControls();
    DataSide side = makeDataSide(NTGraph1->data(), NTGraphAll->data());
    session_ = std::make_unique<AnalysisSession>(std::move(side.loader));
    plot_ = std::move(side.plot);

    playTimer_.setInterval(kPlaybackTickMs);
    connect(&playTimer_, &QTimer::timeout, this, &frmAnalisiDati::playbackPass);
}

ViewRange frmAnalisiDati::rangeOf(const ChartComponent& chart)
{
    const ChartComponent::Range r = chart.range();
    return {r.xFrom, r.xTo, r.yFrom, r.yTo};
}

frmAnalisiDati::~frmAnalisiDati()
{
    // A window let go without closing still gives the poll and the pointer
    // back, and stops its playback.
    Form_Unload();
}

// --- opening, loading and closing -----------------------------------------------

void frmAnalisiDati::showModal()
{
    if (Form_Load())
        exec();
}

bool frmAnalisiDati::Form_Load()
{
    registerAnalysis(this);
    setWindowTitle(QDir::toNativeSeparators(AnalysisFileName));
    SSTab1->setCurrentIndex(0);

    switch (session_->load(AnalysisFileName)) {
    case SessionLoader::Load::Complete:
        break;
    case SessionLoader::Load::NoCompanion:
        ChiudiGrafico();
        return false;
    case SessionLoader::Load::Failed:
        // The user learns why nothing opens.
        mainSurface().setBusy(false);
        msgBox(session_->loader()->failure(), MsgIcon::Critical);
        ChiudiGrafico();
        return false;
    }
    showMeasureRows();
    setTabCaptions();

    InizializzaMisure();

    session_->readSessionFile(AnalysisFileName);
    for (int i = kFirstMeasure; i <= kMaxMeasure; ++i)
        shpColor[i]->setColour(session_->colours[i]);
    fillLapTable();

    // The alarms chart: white, black axes, no grid, whole-number levels.
    NTGraphAll->setControlColor(kColourWhite);
    NTGraphAll->setAxisColor(0);
    NTGraphAll->setYAxisColor(0);
    NTGraphAll->setGridVisible(false);
    NTGraphAll->setYLabelDecimals(0);
    NTGraphAll->setFrameStyle(0);
    InizializzaGrafico(*NTGraphAll);
    showAlarmsRange();
    session_->CalcolaPassoSpostamento();
    for (int k = 0; k < kAlarmCount; ++k)
        lblNomeAllarme[std::size_t(k)]->setText(languageText(274 + k));
    fraLegendaAllarmi->setTitle(languageText(282));
    // Before a lap is chosen there is nothing to draw; choosing one draws.
    if (session_->GiroCorrente != 0)
        DisegnaAllarmi();

    AnalisiCaricata = true;
    mainSurface().setBusy(false);

    if (session_->grid.visible) {
        MSFlexGrid1->setCurrentRow(PrimoGiroValido(*session_));
        MSFlexGrid1->setCurrentColumn(1);
        MSFlexGrid1_Click();
    }
    showLoadWarnings();
    return true;
}

void frmAnalisiDati::showLoadWarnings()
{
    const QString text = loadWarningsText(session_->loader()->warnings());
    if (!text.isEmpty())
        msgBox(text, MsgIcon::Exclamation);
}

void frmAnalisiDati::InizializzaMisure()
{
    NTGraph1->setFrameStyle(0);
    NTGraph1->setTitle(QString());
    NTGraph1->setXCaption(QString());
    NTGraph1->setYCaption(QString());
    NTGraph1->clear();
    if (session_->setUpMeasures(AnalysisFileName))
        showMeasureCaptions();
}

void frmAnalisiDati::showMeasureRows()
{
    for (int i = kFirstMeasure; i <= kMaxMeasure; ++i) {
        const bool used = i <= session_->FieldsNum;
        if (!used && chkGrafico[i]->isChecked())
            chkGrafico[i]->setChecked(false);
        for (QWidget* w : std::initializer_list<QWidget*>{chkGrafico[i], lblNomeCampo[i], txtValore[i], optScala[i],
                                                          lblUM[i], shpColor[i], cmdSetGraph[i]})
            w->setVisible(used);
    }
}

void frmAnalisiDati::showMeasureCaptions()
{
    const AnalysisSession& s = *session_;
    for (int i = 1; i <= std::min(s.FieldsNum, kMaxMeasure); ++i) {
        lblNomeCampo[i]->setText(s.captions[i]);
        lblNomeCampo[i]->setToolTip(s.captions[i]);
        lblUM[i]->setText(s.units[i]);
    }
}

void frmAnalisiDati::setTabCaptions()
{
    SSTab1->setTabText(0, session_->tabCaption(0));
    SSTab1->setTabText(1, session_->tabCaption(1));
}

void frmAnalisiDati::ChiudiGrafico()
{
    AnalisiCaricata = false;
    AnalysisSession::showProjectInStatusBar();
    done(QDialog::Rejected);
}

void frmAnalisiDati::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}

void frmAnalisiDati::Form_Unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    playTimer_.stop();
    session_->playback.stop();
    if (session_->FileAllarmiPresente()) {
        closeAnalysisDialogs();
        session_->saveAtClose();
        NTGraph1->clear();
        NTGraphAll->clear();
    }
    AnalysisSession::giveBackMainWindow();
    unregisterAnalysis(this);
}

void frmAnalisiDati::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    // `Form_Activate`: every activation, the first show and the return from
    // one of the window's own dialogs alike.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        RefreshLanguage();
}

void frmAnalisiDati::keyPressEvent(QKeyEvent* event)
{
    // Only the toolbar's exit key and the close box close the window.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmAnalisiDati::InizializzaGrafico(ChartComponent& chart)
{
    if (chart.elementCount() != 0)
        return;
    chart.addElement();
    chart.setCursorX(0);
    chart.setCursorY(0);
    chart.setElementLineStyle(ChartComponent::kSolidLine);
    chart.setElementPointStyle(ChartComponent::kNoPointMarks);
    // The zoom mode outlives the redraws that empty the chart.
    const bool zoom = &chart == NTGraph1 && session_->ModoZoom;
    chart.setMouseMode(zoom ? ChartComponent::kMouseZoom : ChartComponent::kMouseNormal);
    chart.setCursorColor(kColourBlue);
}

void frmAnalisiDati::ApplicaModoZoom()
{
    if (session_->ModoZoom) {
        NTGraph1->setMouseMode(ChartComponent::kMouseZoom);
    } else {
        NTGraph1->setMouseMode(ChartComponent::kMouseNormal);
        RidisegnaGraficoAttivo();
    }
}

// The alarms chart over the session's x range, on its fixed levels.
void frmAnalisiDati::showAlarmsRange()
{
    NTGraphAll->setRange(session_->MinX, session_->MaxX, 0, kAlarmsYMax, 0);
}

void frmAnalisiDati::showMeasuresRange()
{
    const AnalysisSession& s = *session_;
    NTGraph1->setRange(s.MinX, s.MaxX, s.MinY, s.MaxY, 0);
}

void frmAnalisiDati::SSTab1_Click(int tab)
{
    session_->showTab(tab, rangeOf(*NTGraph1));
    if (tab == 1)
        showAlarmsRange();
    RidisegnaGraficoAttivo();
}

// --- session file ---------------------------------------------------------------

void frmAnalisiDati::SalvaDatiSessione() { session_->saveSessionFile(); }

// --- cursor read-out ------------------------------------------------------------

void frmAnalisiDati::AggiornaCursore(double, double, qint32 n)
{
    showReadout(session_->cursorReadout(n, Picture1->pointCount()));
}

void frmAnalisiDati::AggiornaCursoreAllarmi(double, double, qint32 n)
{
    showReadout(session_->alarmsCursorReadout(n, Picture1->pointCount()));
}

void frmAnalisiDati::showReadout(const CursorReadout& readout)
{
    for (int j = 1; j <= std::min(session_->FieldsNum, kMaxMeasure); ++j)
        if (readout.values[j])
            txtValore[j]->setText(*readout.values[j]);
    for (int k = 0; k < kAlarmCount; ++k)
        if (readout.lamps[std::size_t(k)])
            shpAlarm[std::size_t(k)]->setColour(*readout.lamps[std::size_t(k)] ? kLampOn : kLampOff);
    if (readout.marker)
        DisegnaCircuito(*readout.marker);
}

// --- circuit map ----------------------------------------------------------------

void frmAnalisiDati::showMap(bool show)
{
    for (QWidget* w : std::initializer_list<QWidget*>{Picture1, lblCircuito, txtCircuito, lblPiloti, txtPiloti})
        w->setVisible(show);
}

void frmAnalisiDati::CaricaCircuito()
{
    AnalysisSession::MapChange change = session_->toggleMap();
    switch (change.kind) {
    case AnalysisSession::MapChange::Kind::Hidden:
        showMap(false);
        return;
    case AnalysisSession::MapChange::Kind::NoOutline:
        msgBox(this, languageText(216), MsgIcon::Critical);
        return;
    case AnalysisSession::MapChange::Kind::Shown:
        break;
    }
    txtCircuito->setText(DatiSessione.Circuito);
    setMultiLineText(*txtPiloti, DatiSessione.Piloti);
    lblCircuito->setText(languageText(120));
    lblPiloti->setText(languageText(124));
    showMap(true);
    Picture1->setOutline(std::move(change.outline));
    DisegnaCircuito(0);
}

void frmAnalisiDati::DisegnaCircuito(qint64 point)
{
    if (session_->blnCircuitoVisibile())
        Picture1->placeMarker(point);
}

// --- the dialogs ----------------------------------------------------------------

// Each dialog finds this window through `currentAnalysis()`; without a
// completed lap it shows text 302 and opens nothing.
void frmAnalisiDati::MostraStatistiche() { dlgStatistiche::open(this); }

void frmAnalisiDati::MostraStatisticheMisure() { dlgStatisticheMisure::open(this); }

void frmAnalisiDati::MostraReportGiri() { dlgReportGiri::open(this); }

void frmAnalisiDati::MostraDatiSessione()
{
    zuv::openSessionDialog(this);
    // The sector cells are rebuilt whichever way the dialog closed.
    session_->clearLapTable();
    MSFlexGrid1->setCurrentRow(1);
    MSFlexGrid1->setCurrentColumn(1);
    fillLapTable();
}

void frmAnalisiDati::cmdSetGraph_Click(int index)
{
    // Settings the user stored are saved at the close, even over a session
    // file that could not be read whole.
    if (dlgSetGraph::edit(this, qint16(index)))
        session_->settingsStored();
    RidisegnaGraficoAttivo();
}

} // namespace zuv
