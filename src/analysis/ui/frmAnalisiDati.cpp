#include "analysis/ui/frmAnalisiDati.h"

#include "analysis/chart_loader.h"
#include "analysis/session_header.h"
#include "analysis/texts.h"
#include "analysis/ui/analysis_dialogs.h"
#include "analysis/ui/analysis_pictures.h"
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
#include "platform/twips.h"
#include "platform/ui/colors.h"
#include "platform/ui/text_box.h"
#include "project/language.h"
#include "project/state.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

namespace zuv {
namespace {

// One pass of a playback a tick: fast enough to follow, slow enough to see
// (a pass after each redraw would play a whole view in a quarter second).
constexpr int kPlaybackTickMs = 40;

void setBack(QWidget* w, QPalette::ColorRole role, quint32 colour)
{
    QPalette pal = w->palette();
    pal.setColor(role, colorFromValue(colour));
    w->setPalette(pal);
}

ViewRange rangeOf(const ChartComponent& chart)
{
    const ChartComponent::Range r = chart.range();
    return {r.xFrom, r.xTo, r.yFrom, r.yTo};
}

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

frmAnalisiDati::~frmAnalisiDati()
{
    // A window let go without closing still gives the poll and the pointer
    // back, and stops its playback.
    Form_Unload();
}

// --- controls -------------------------------------------------------------------

void frmAnalisiDati::buildControls()
{
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(4, 2, 4, 4);
    root->setSpacing(4);
    buildToolbar();
    root->addWidget(Toolbar1);

    auto* main = new QHBoxLayout;
    main->setSpacing(6);
    root->addLayout(main, 1);

    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    main->addLayout(left, 1);

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    NTGraph1 = new ChartComponent;
    NTGraph1->setObjectName(QStringLiteral("NTGraph1"));
    SSTab1->addTab(NTGraph1, QString());
    auto* alarmsPage = new QWidget;
    auto* alarmsLayout = new QHBoxLayout(alarmsPage);
    alarmsLayout->setContentsMargins(0, 0, 0, 0);
    NTGraphAll = new ChartComponent;
    NTGraphAll->setObjectName(QStringLiteral("NTGraphAll"));
    alarmsLayout->addWidget(NTGraphAll, 1);
    alarmsLayout->addWidget(buildMapAndLegend());
    SSTab1->addTab(alarmsPage, QString());
    SSTab1->setMinimumHeight(300);
    left->addWidget(SSTab1, 3);
    left->addWidget(buildViewButtons());

    MSFlexGrid1 = new GridComponent(this);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->setColumnCount(kLapColumns);
    MSFlexGrid1->setRowCount(2);
    MSFlexGrid1->setFixedRowCount(1);
    MSFlexGrid1->setFixedColumnCount(1);
    MSFlexGrid1->setMinimumHeight(140);
    MSFlexGrid1->setVisible(false);
    left->addWidget(MSFlexGrid1, 1);

    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    main->addLayout(right);
    right->addWidget(buildMeasureRows());

    // The circuit map with the circuit's name and the drivers beside it;
    // hidden until the toolbar shows it, its place kept.
    auto* mapBox = new QHBoxLayout;
    Picture1 = new CircuitMap(this);
    Shape1 = Picture1->Shape1;
    mapBox->addWidget(Picture1, 0, Qt::AlignTop);
    auto* names = new QVBoxLayout;
    lblCircuito = new QLabel(this);
    lblCircuito->setObjectName(QStringLiteral("lblCircuito"));
    txtCircuito = new QLineEdit(this);
    txtCircuito->setObjectName(QStringLiteral("txtCircuito"));
    txtCircuito->setReadOnly(true);
    lblPiloti = new QLabel(this);
    lblPiloti->setObjectName(QStringLiteral("lblPiloti"));
    txtPiloti = new QPlainTextEdit(this);
    txtPiloti->setObjectName(QStringLiteral("txtPiloti"));
    txtPiloti->setReadOnly(true);
    txtPiloti->setMaximumHeight(Picture1->sizeHint().height() - 44);
    for (QWidget* w : std::initializer_list<QWidget*>{lblCircuito, txtCircuito, lblPiloti, txtPiloti})
        names->addWidget(w);
    names->addStretch(1);
    mapBox->addLayout(names, 1);
    right->addLayout(mapBox);
    right->addStretch(1);
    for (QWidget* w : std::initializer_list<QWidget*>{Picture1, lblCircuito, txtCircuito, lblPiloti, txtPiloti}) {
        QSizePolicy p = w->sizePolicy();
        p.setRetainSizeWhenHidden(true);
        w->setSizePolicy(p);
        w->hide();
    }

    connect(SSTab1, &QTabWidget::currentChanged, this, &frmAnalisiDati::SSTab1_Click);
    connect(NTGraph1, &ChartComponent::cursorMoved, this, &frmAnalisiDati::AggiornaCursore);
    connect(NTGraphAll, &ChartComponent::cursorMoved, this, &frmAnalisiDati::AggiornaCursoreAllarmi);
    // A mouse zoom draws the traces anew for the width it chose.
    connect(NTGraph1, &ChartComponent::zoomed, this, [this] {
        session_->mouseZoomed(rangeOf(*NTGraph1));
        showAlarmsRange();
        RidisegnaGraficoAttivo();
    });
    connect(MSFlexGrid1, &GridComponent::clicked, this, &frmAnalisiDati::MSFlexGrid1_Click);

    resize(1260, 740);
}

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

QWidget* frmAnalisiDati::buildMeasureRows()
{
    fraMisure = new QGroupBox(this);
    fraMisure->setObjectName(QStringLiteral("fraMisure"));
    auto* rows = new QGridLayout(fraMisure);
    rows->setContentsMargins(6, 4, 6, 4);
    rows->setHorizontalSpacing(4);
    rows->setVerticalSpacing(1);
    scaleGroup_ = new QButtonGroup(this);
    scaleGroup_->setExclusive(true);

    const int rowHeight = fontMetrics().height() + 6;
    for (int i = 1; i <= kMaxMeasure; ++i) {
        const int row = i - 1;
        const QString n = QString::number(i);
        lblNomeCampo[i] = new QLabel(fraMisure);
        lblNomeCampo[i]->setObjectName(QStringLiteral("lblNomeCampo") + n);
        lblNomeCampo[i]->setMinimumWidth(110);
        txtValore[i] = new QLineEdit(fraMisure);
        txtValore[i]->setObjectName(QStringLiteral("txtValore") + n);
        txtValore[i]->setReadOnly(true);
        txtValore[i]->setFixedWidth(76);
        txtValore[i]->setFixedHeight(rowHeight);
        txtValore[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        lblUM[i] = new QLabel(fraMisure);
        lblUM[i]->setObjectName(QStringLiteral("lblUM") + n);
        lblUM[i]->setMinimumWidth(56);
        rows->addWidget(lblNomeCampo[i], row, 2);
        rows->addWidget(txtValore[i], row, 3);
        rows->addWidget(lblUM[i], row, 4);
        if (i < kFirstMeasure)
            continue;

        chkGrafico[i] = new QCheckBox(fraMisure);
        chkGrafico[i]->setObjectName(QStringLiteral("chkGrafico") + n);
        shpColor[i] = new Swatch(Swatch::Shape::Rectangle, kMeasureColours[std::size_t(i)], fraMisure);
        shpColor[i]->setObjectName(QStringLiteral("shpColor") + n);
        shpColor[i]->setFixedSize(14, 14);
        optScala[i] = new QRadioButton(fraMisure);
        optScala[i]->setObjectName(QStringLiteral("optScala") + n);
        optScala[i]->setEnabled(false);
        scaleGroup_->addButton(optScala[i], i);
        cmdSetGraph[i] = new QPushButton(QStringLiteral("Set"), fraMisure);
        cmdSetGraph[i]->setObjectName(QStringLiteral("cmdSetGraph") + n);
        cmdSetGraph[i]->setFixedHeight(rowHeight);
        cmdSetGraph[i]->setMaximumWidth(44);
        cmdSetGraph[i]->setAutoFillBackground(true);
        cmdSetGraph[i]->setAutoDefault(false);
        rows->addWidget(chkGrafico[i], row, 0);
        rows->addWidget(shpColor[i], row, 1);
        rows->addWidget(optScala[i], row, 5);
        rows->addWidget(cmdSetGraph[i], row, 6);
        setRowLook(i, false);

        connect(chkGrafico[i], &QCheckBox::toggled, this, [this, i](bool on) { chkGrafico_Click(i, on); });
        connect(optScala[i], &QRadioButton::clicked, this, [this, i] { optScala_Click(i); });
        connect(cmdSetGraph[i], &QPushButton::clicked, this, [this, i] { cmdSetGraph_Click(i); });
    }
    rows->setColumnStretch(2, 1);

    chkTempo = new QCheckBox(fraMisure);
    chkTempo->setObjectName(QStringLiteral("chkTempo"));
    chkTempo->setChecked(true);
    rows->addWidget(chkTempo, kMaxMeasure, 0, 1, 7);
    connect(chkTempo, &QCheckBox::toggled, this, &frmAnalisiDati::chkTempo_Click);
    return fraMisure;
}

QWidget* frmAnalisiDati::buildViewButtons()
{
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(3);
    const auto button = [&](QPushButton*& b, const char* name, const QString& caption) {
        b = new QPushButton(caption, bar);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        b->setMinimumWidth(44);
        row->addWidget(b);
    };
    button(cmdScorriSX, "cmdScorriSX", QString());
    cmdScorriSX->setIcon(analysisIcon(QStringLiteral("ScorriSX")));
    button(cmdSpostaSX10, "cmdSpostaSX10", QStringLiteral("<<"));
    button(cmdSpostaSX1, "cmdSpostaSX1", QStringLiteral("<"));
    row->addSpacing(12);
    button(cmdZoomOut50, "cmdZoomOut50", QStringLiteral("-50%"));
    button(cmdZoomOut10, "cmdZoomOut10", QStringLiteral("-10%"));
    lblZoom = new QLabel(QStringLiteral("ZOOM"), bar);
    lblZoom->setObjectName(QStringLiteral("lblZoom"));
    lblZoom->setAlignment(Qt::AlignCenter);
    lblZoom->setMinimumWidth(48);
    row->addWidget(lblZoom);
    button(cmdZoomIn10, "cmdZoomIn10", QStringLiteral("+10%"));
    button(cmdZoomIn50, "cmdZoomIn50", QStringLiteral("+50%"));
    row->addSpacing(12);
    button(cmdSpostaDX1, "cmdSpostaDX1", QStringLiteral(">"));
    button(cmdSpostaDX10, "cmdSpostaDX10", QStringLiteral(">>"));
    button(cmdScorriDX, "cmdScorriDX", QString());
    cmdScorriDX->setIcon(analysisIcon(QStringLiteral("ScorriDX")));
    row->addStretch(1);
    for (QPushButton* b : {cmdScorriSX, cmdScorriDX}) {
        b->setAutoFillBackground(true);
        setBack(b, QPalette::Button, Playback::kIdleColour);
    }

    connect(cmdZoomIn10, &QPushButton::clicked, this, [this] { zoomClick(ZoomButton::In10); });
    connect(cmdZoomIn50, &QPushButton::clicked, this, [this] { zoomClick(ZoomButton::In50); });
    connect(cmdZoomOut10, &QPushButton::clicked, this, [this] { zoomClick(ZoomButton::Out10); });
    connect(cmdZoomOut50, &QPushButton::clicked, this, [this] { zoomClick(ZoomButton::Out50); });
    connect(cmdSpostaSX1, &QPushButton::clicked, this, [this] { moveClick(MoveButton::Left1); });
    connect(cmdSpostaSX10, &QPushButton::clicked, this, [this] { moveClick(MoveButton::Left10); });
    connect(cmdSpostaDX1, &QPushButton::clicked, this, [this] { moveClick(MoveButton::Right1); });
    connect(cmdSpostaDX10, &QPushButton::clicked, this, [this] { moveClick(MoveButton::Right10); });
    connect(cmdScorriSX, &QPushButton::clicked, this, [this] { playbackClick(PlaybackDirection::Left); });
    connect(cmdScorriDX, &QPushButton::clicked, this, [this] { playbackClick(PlaybackDirection::Right); });
    return bar;
}

QWidget* frmAnalisiDati::buildMapAndLegend()
{
    // The alarm legend beside the alarms chart, each alarm's lamp at its name.
    fraLegendaAllarmi = new QGroupBox;
    fraLegendaAllarmi->setObjectName(QStringLiteral("fraLegendaAllarmi"));
    auto* legend = new QGridLayout(fraLegendaAllarmi);
    legend->setContentsMargins(6, 4, 6, 4);
    legend->setVerticalSpacing(4);
    for (int k = 0; k < kAlarmCount; ++k) {
        const QString n = QString::number(k);
        shpAlarmColor[std::size_t(k)] = new Swatch(Swatch::Shape::Rectangle, kAlarmColours[std::size_t(k)]);
        shpAlarmColor[std::size_t(k)]->setObjectName(QStringLiteral("shpAlarmColor") + n);
        shpAlarmColor[std::size_t(k)]->setFixedSize(22, 10);
        lblNomeAllarme[std::size_t(k)] = new QLabel;
        lblNomeAllarme[std::size_t(k)]->setObjectName(QStringLiteral("lblNomeAllarme") + n);
        shpAlarm[std::size_t(k)] = new Swatch(Swatch::Shape::Circle, kLampOff);
        shpAlarm[std::size_t(k)]->setObjectName(QStringLiteral("shpAlarm") + n);
        shpAlarm[std::size_t(k)]->setFixedSize(14, 14);
        legend->addWidget(shpAlarmColor[std::size_t(k)], k, 0);
        legend->addWidget(lblNomeAllarme[std::size_t(k)], k, 1);
        legend->addWidget(shpAlarm[std::size_t(k)], k, 2);
    }
    legend->setRowStretch(8, 1);
    return fraLegendaAllarmi;
}

QAction* frmAnalisiDati::toolButton(const QString& key) const
{
    for (QAction* a : toolButtons_)
        if (a && a->objectName() == key)
            return a;
    return nullptr;
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

// --- measures and scales --------------------------------------------------------

void frmAnalisiDati::CalcolaScale()
{
    session_->scaleLapOnShow();
    showMeasuresRange();
    applyScaleAxis();
}

void frmAnalisiDati::applyScaleAxis()
{
    // The y axis reads in the units of the measure whose scale is chosen,
    // with that lap's factor.
    const AnalysisSession& s = *session_;
    const int i = s.chosenScale;
    if (i < kFirstMeasure || i > kMaxMeasure)
        return;
    if (!s.blnSeparati)
        NTGraph1->setYScaleFactor(s.FattoriScala[i]);
    NTGraph1->setYAxisColor(s.colours[i]);
    NTGraph1->setYCaption(s.captions[i] + QLatin1Char(' ') + s.units[i]);
}

void frmAnalisiDati::optScala_Click(int index)
{
    session_->chooseScale(index);
    applyScaleAxis();
    RidisegnaGraficoAttivo();
}

void frmAnalisiDati::setMeasureName(int i, const QString& name)
{
    AnalysisInterface::setMeasureName(i, name);
    if (i < 1 || i > kMaxMeasure)
        return;
    lblNomeCampo[i]->setText(name);
    lblNomeCampo[i]->setToolTip(name);
}

void frmAnalisiDati::setMeasureUnit(int i, const QString& unit)
{
    AnalysisInterface::setMeasureUnit(i, unit);
    if (i >= 1 && i <= kMaxMeasure)
        lblUM[i]->setText(unit);
}

void frmAnalisiDati::setMeasureColour(int i, quint32 colour)
{
    AnalysisInterface::setMeasureColour(i, colour);
    if (i >= kFirstMeasure && i <= kMaxMeasure)
        shpColor[i]->setColour(colour);
}

// --- trace drawing --------------------------------------------------------------

void frmAnalisiDati::setRowLook(int i, bool drawn)
{
    const RowLook look = measureRowLook(drawn);
    QFont f = txtValore[i]->font();
    f.setBold(look.bold);
    txtValore[i]->setFont(f);
    setBack(txtValore[i], QPalette::Base, look.valueBack);
    cmdSetGraph[i]->setEnabled(look.setEnabled);
    setBack(cmdSetGraph[i], QPalette::Button, look.setBack);
    optScala[i]->setEnabled(look.scaleEnabled);
}

void frmAnalisiDati::RidisegnaGraficoAttivo()
{
    if (SSTab1->currentIndex() == 0)
        DisegnaGrafici();
    else if (SSTab1->currentIndex() == 1)
        DisegnaAllarmi();
}

void frmAnalisiDati::DisegnaGrafici()
{
    const TracePlan plan = session_->measureTraces();
    if (plan.refused) {
        // The box waits for the user in an event loop of its own: a
        // playback's next pass waits for it too.
        const bool playing = playTimer_.isActive();
        playTimer_.stop();
        msgBox(this, languageText(145), MsgIcon::Information);
        if (playing && session_->playback.playing())
            playTimer_.start();
        return;
    }
    NTGraph1->clear();
    NTGraph1->setXCaption(session_->timeCaption());
    if (!session_->blnSeparati)
        applyScaleAxis();
    for (int i = kFirstMeasure; i <= plan.lastLook; ++i)
        setRowLook(i, plan.drawn[i]);
    for (const TracePlot& p : plan.plots) {
        const int element = session_->placeTrace(p.column, 0, NTGraph1->elementCount());
        NTGraph1->setElementColor(p.colour);
        NTGraph1->setElementLineWidth(p.width);
        NTGraph1->setElementName(p.name);
        InizializzaGrafico(*NTGraph1);
        if (p.band != 0) {
            NTGraph1->setYAxisColor(p.axisColour);
            NTGraph1->setYCaption(p.axisCaption);
        }
        NTGraph1->setRange(plan.xFrom, plan.xTo, p.yFrom, p.yTo, p.band);
        plot_(*NTGraph1, false, plan.rows, p, element);
    }
}

void frmAnalisiDati::DisegnaAllarmi()
{
    NTGraphAll->clear();
    NTGraphAll->setXCaption(session_->timeCaption());
    InizializzaGrafico(*NTGraphAll);
    showAlarmsRange();
    const TracePlan plan = session_->alarmTraces();
    for (const TracePlot& p : plan.plots) {
        // Alarm k is element k: the first one fills the element the chart
        // was given above, so the legend's colours match the traces.
        const int element = session_->placeTrace(p.column, 1, int(&p - plan.plots.data()));
        NTGraphAll->setElementColor(p.colour);
        NTGraphAll->setElementLineWidth(1);
        plot_(*NTGraphAll, true, plan.rows, p, element);
    }
}

void frmAnalisiDati::chkGrafico_Click(int index, bool checked)
{
    const CheckClick c = session_->checkMeasure(index, checked);
    if (c.separateKeyEnabled)
        toolButton(QStringLiteral("Separati"))->setEnabled(*c.separateKeyEnabled);
    if (c.selectScale != 0) {
        optScala[c.selectScale]->setChecked(true);
        optScala_Click(c.selectScale);
    }
    RidisegnaGraficoAttivo();
}

void frmAnalisiDati::chkTempo_Click(bool checked)
{
    if (!session_->tickTimeAxis(checked))
        return;
    CalcolaScale();
    RidisegnaGraficoAttivo();
}

void frmAnalisiDati::setSplitLook(bool split)
{
    toolButton(QStringLiteral("Separati"))->setChecked(split);
    toolButton(QStringLiteral("Sovrapposti"))->setChecked(!split);
}

void frmAnalisiDati::ImpostaSovrapposti()
{
    toolButton(QStringLiteral("SetZoom"))->setEnabled(true);
    const SeparateKey b = separateKeyWhenOverlaid(session_->NumGraficiAttivi);
    QAction* split = toolButton(QStringLiteral("Separati"));
    if (b.release)
        split->setChecked(false);
    split->setEnabled(b.enabled);
    showMeasuresRange();
    session_->CalcolaPassoSpostamento();
    DisegnaGrafici();
}

void frmAnalisiDati::ImpostaSeparati()
{
    // "SetZoom" keeps its look, and the zoom-in buttons their state.
    toolButton(QStringLiteral("SetZoom"))->setEnabled(false);
    session_->setZoomMode(false);
    ApplicaModoZoom();
    if (separateRefused(*session_)) {
        msgBox(this, languageText(145), MsgIcon::Information);
        return;
    }
    NTGraph1->setYScaleFactor(1.0);
    DisegnaGrafici();
}

// --- zoom, move and playback ----------------------------------------------------

void frmAnalisiDati::setZoomInEnabled(bool on)
{
    cmdZoomIn10->setEnabled(on);
    cmdZoomIn50->setEnabled(on);
}

void frmAnalisiDati::showView()
{
    NTGraph1->setCursorX(session_->MinX);
    NTGraphAll->setCursorX(session_->MinX);
    showMeasuresRange();
    RidisegnaGraficoAttivo();
    showAlarmsRange();
}

void frmAnalisiDati::zoomClick(ZoomButton button)
{
    mainSurface().setBusy(true);
    const std::optional<bool> zoomIn = session_->zoom(rangeOf(*NTGraph1), button);
    showView();
    if (zoomIn)
        setZoomInEnabled(*zoomIn);
    mainSurface().setBusy(false);
}

void frmAnalisiDati::moveClick(MoveButton button)
{
    session_->move(rangeOf(*NTGraph1), button);
    showView();
    session_->setCursorSample(NTGraph1->sampleAt(session_->MinX, 1.0));
    AggiornaCursore(1.0, 1.0, qint32(session_->CampioneCursore));
    AggiornaCursoreAllarmi(1.0, 1.0, qint32(session_->CampioneCursore));
}

void frmAnalisiDati::playbackClick(PlaybackDirection direction)
{
    const int tab = SSTab1->currentIndex();
    ChartComponent& chart = tab == 1 ? *NTGraphAll : *NTGraph1;
    QPushButton* mine = direction == PlaybackDirection::Right ? cmdScorriDX : cmdScorriSX;
    QPushButton* other = direction == PlaybackDirection::Right ? cmdScorriSX : cmdScorriDX;
    switch (session_->playback.click(direction, tab)) {
    case Playback::Click::Started:
        setBack(mine, QPalette::Button, Playback::kPlayingColour);
        chart.setCursorTracking(false);
        other->setEnabled(false);
        playTimer_.start();
        break;
    case Playback::Click::Stopped:
        playTimer_.stop();
        stopPlaybackLook(chart);
        break;
    case Playback::Click::Ignored:
        break;
    }
}

void frmAnalisiDati::stopPlaybackLook(ChartComponent& chart)
{
    for (QPushButton* b : {cmdScorriSX, cmdScorriDX}) {
        setBack(b, QPalette::Button, Playback::kIdleColour);
        b->setEnabled(true);
    }
    chart.setCursorTracking(true);
}

void frmAnalisiDati::playbackPass()
{
    if (!session_->playback.playing()) {
        playTimer_.stop();
        return;
    }
    const bool alarms = session_->playback.tab() == 1;
    ChartComponent& chart = alarms ? *NTGraphAll : *NTGraph1;
    const Playback::Pass pass = session_->playbackPass(rangeOf(chart));
    if (pass.moved) {
        chart.setCursorX(session_->MinX);
        if (alarms) {
            showAlarmsRange();
            DisegnaAllarmi();
        } else {
            showMeasuresRange();
            DisegnaGrafici();
        }
        session_->setCursorSample(chart.sampleAt(session_->MinX, 1.0));
        const qint32 n = qint32(session_->CampioneCursore);
        if (alarms)
            AggiornaCursoreAllarmi(1.0, 1.0, n);
        else
            AggiornaCursore(1.0, 1.0, n);
    }
    if (pass.stopped) {
        playTimer_.stop();
        stopPlaybackLook(chart);
    }
}

// --- lap table ------------------------------------------------------------------

// The sectors of the session's circuit and the lap table from them.
void frmAnalisiDati::fillLapTable()
{
    const bool filled = session_->fillLapTable();
    showLapGrid();
    if (filled)
        return;
    // No completed lap: the whole recording as one stretch.
    MostraControlliGrafico(true);
    CalcolaScale();
    RidisegnaGraficoAttivo();
}

void frmAnalisiDati::showLapGrid()
{
    const LapGrid& grid = session_->grid;
    MSFlexGrid1->setVisible(grid.visible);
    if (!grid.visible)
        return;
    const int row = MSFlexGrid1->currentRow();
    const int column = MSFlexGrid1->currentColumn();
    MSFlexGrid1->setRowCount(grid.rows);
    // The designed widths, widened where this screen's font needs it for a
    // time or a heading.
    const QFontMetrics fm(MSFlexGrid1->table()->font());
    const auto twips = [&](const QString& text) {
        return int(pixelsToTwips(fm.horizontalAdvance(text) + 14, std::max(1, MSFlexGrid1->logicalDpiX())));
    };
    const int timeWidth = twips(QStringLiteral("00:00.00"));
    for (int c = 0; c < kLapColumns; ++c)
        if (grid.widths[std::size_t(c)] > 0)
            MSFlexGrid1->setColumnWidth(c, std::max({grid.widths[std::size_t(c)], timeWidth, twips(grid.text(0, c))}));
    // Only what changed is written: a click repaints two rows and the marks,
    // not a table of a thousand laps.
    for (int r = 0; r < grid.rows; ++r) {
        for (int c = 0; c < kLapColumns; ++c) {
            const QString text = grid.text(r, c);
            if (MSFlexGrid1->text(r, c) != text)
                MSFlexGrid1->setText(r, c, text);
            if (r == 0 || c == 0)
                continue;
            const CellColours cell = grid.colours(r, c);
            if (MSFlexGrid1->cellBackground(r, c) == colorFromValue(cell.back)
                && MSFlexGrid1->cellForeground(r, c) == colorFromValue(cell.fore))
                continue;
            MSFlexGrid1->setCurrentRow(r);
            MSFlexGrid1->setCurrentColumn(c);
            MSFlexGrid1->setCellBackground(cell.back);
            MSFlexGrid1->setCellForeground(cell.fore);
        }
    }
    MSFlexGrid1->setCurrentRow(row);
    MSFlexGrid1->setCurrentColumn(column);
}

void frmAnalisiDati::MSFlexGrid1_Click()
{
    const LapSelection sel = session_->selectLap(MSFlexGrid1->currentRow(), MSFlexGrid1->currentColumn());
    if (sel.selected) {
        setTabCaptions();
        MostraControlliGrafico(sel.showChart);
        if (sel.showChart) {
            CalcolaScale();
            RidisegnaGraficoAttivo();
        }
    }
    showLapGrid();
}

void frmAnalisiDati::MostraControlliGrafico(bool show)
{
    for (QWidget* w : std::initializer_list<QWidget*>{fraMisure, SSTab1, cmdScorriDX, cmdScorriSX, cmdSpostaDX1,
                                                      cmdSpostaDX10, cmdSpostaSX1, cmdSpostaSX10, cmdZoomIn10,
                                                      cmdZoomIn50, cmdZoomOut10, cmdZoomOut50, lblZoom})
        w->setVisible(show);
    showMap(show && session_->blnCircuitoVisibile());
}

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

// --- toolbar, language and print ------------------------------------------------

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
