#pragma once
// The session analysis window: the measures against time on one chart, the
// alarm states on a second, one row of controls per measure, the lap table,
// the circuit map, the alarm legend with its lamps, and the toolbar.
//
// One class serves both analysis windows. The window owns the session it
// shows (`AnalysisSession`, windowless): every step changes the session and
// shows what comes back. What differs between the two windows is the
// session's loader and the small plotter that hands a planned trace to a
// chart: this class loads into its charts' own data and plots from their
// cells, `frmAnalisiDatiSpeed` loads into the in-memory table and plots
// from its arrays. Everything else (the set-up after the load, drawing,
// view, laps, read-out, session file, map, toolbar, language) is this code.
//
// The main window creates a fresh instance for every opening, sets
// `AnalysisFileName` and calls `showModal`, which loads and then shows the
// window modal; it returns once the window has closed, however it closed.
//
// Its definitions go by job: frmAnalisiDati.cpp opens, loads and closes the
// window and shows the read-out, the map and the dialogs; _controls builds
// the controls, _toolbar the toolbar keys, language and print, _view the
// zoom, move and playback buttons, _laps the lap table, _traces the scales
// and the drawing.

#include "analysis/analysis_interface.h"
#include "analysis/analysis_session.h"
#include "shell/file_layout.h"

#include <QDialog>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <span>
#include <vector>

class QAction;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolBar;

namespace zuv {

class ChartComponent;
class CircuitMap;
class GridComponent;
class Swatch;

class frmAnalisiDati : public QDialog, public AnalysisInterface {
    Q_OBJECT
public:
    explicit frmAnalisiDati(QWidget* parent = nullptr);
    ~frmAnalisiDati() override;

    // --- the analysis-window interface ---
    AnalysisKind kind() const override { return kind_; }
    AnalysisSession& session() override { return *session_; }
    const AnalysisSession& session() const override { return *session_; }
    // `Form_Load`, then the modal show when the load left the window open.
    void showModal() override;
    void RefreshLanguage() override;
    void SalvaDatiSessione() override;
    void setMeasureName(int i, const QString& name) override;
    void setMeasureUnit(int i, const QString& unit) override;
    void setMeasureColour(int i, quint32 colour) override;

    // The load in its order. False when the window closed itself (no
    // companion alarms file, or a data file that cannot be read).
    bool Form_Load();

    // --- what the user does ---
    // The toolbar's click on the button of `key`; unknown keys do nothing.
    void Toolbar1_ButtonClick(const QString& key);
    void ChiudiGrafico();
    // A click on a lap-table cell (also how the load selects the first lap).
    void MSFlexGrid1_Click();
    // The cursor of the measures chart, or of the alarms chart, at sample n.
    void AggiornaCursore(double x, double y, qint32 n);
    void AggiornaCursoreAllarmi(double x, double y, qint32 n);
    // `DisegnaCircuito`: the map marker on outline entry `point`.
    void DisegnaCircuito(qint64 point);
    // One playback pass, as the playback timer runs it.
    void playbackPass();
    bool playbackRunning() const { return playTimer_.isActive(); }
    // From one playback pass to the next.
    int playbackTickMs() const { return playTimer_.interval(); }

    // `CalcolaScale` on the measures chart over the lap on show.
    void CalcolaScale();
    // The full redraw of the chart on the tab shown.
    void RidisegnaGraficoAttivo();
    void DisegnaGrafici();
    void DisegnaAllarmi();

    // The toolbar button of `key`.
    QAction* toolButton(const QString& key) const;

    // --- controls, by the names the window's procedures use ---
    QToolBar* Toolbar1;
    QTabWidget* SSTab1;
    ChartComponent* NTGraph1;
    ChartComponent* NTGraphAll;
    QGroupBox* fraMisure;
    // Measure rows by measure number: 1 the time and 2 the distance (name,
    // value, unit only), 3..20 the measures that can be drawn.
    std::array<QCheckBox*, kMaxMeasure + 1> chkGrafico{};
    std::array<QLabel*, kMaxMeasure + 1> lblNomeCampo{};
    std::array<QLineEdit*, kMaxMeasure + 1> txtValore{};
    std::array<QLabel*, kMaxMeasure + 1> lblUM{};
    std::array<Swatch*, kMaxMeasure + 1> shpColor{};
    std::array<QRadioButton*, kMaxMeasure + 1> optScala{};
    std::array<QPushButton*, kMaxMeasure + 1> cmdSetGraph{};
    QCheckBox* chkTempo;
    QPushButton* cmdZoomIn10;
    QPushButton* cmdZoomIn50;
    QPushButton* cmdZoomOut10;
    QPushButton* cmdZoomOut50;
    QLabel* lblZoom;
    QPushButton* cmdSpostaSX1;
    QPushButton* cmdSpostaSX10;
    QPushButton* cmdSpostaDX1;
    QPushButton* cmdSpostaDX10;
    QPushButton* cmdScorriSX;
    QPushButton* cmdScorriDX;
    GridComponent* MSFlexGrid1;
    CircuitMap* Picture1;
    Swatch* Shape1;
    QLabel* lblCircuito;
    QLineEdit* txtCircuito;
    QLabel* lblPiloti;
    QPlainTextEdit* txtPiloti;
    QGroupBox* fraLegendaAllarmi;
    std::array<Swatch*, kAlarmCount> shpAlarmColor{};
    std::array<QLabel*, kAlarmCount> lblNomeAllarme{};
    std::array<Swatch*, kAlarmCount> shpAlarm{};

protected:
    // Hands one trace of a plan to `chart` (the alarms chart when `alarms`)
    // as element `element`.
    using Plotter = std::function<void(ChartComponent& chart, bool alarms, const TraceRows& rows,
                                       const TracePlot& p, int element)>;
    struct DataSide {
        std::unique_ptr<SessionLoader> loader;
        Plotter plot;
    };
    // The loader and plotter behind the window, given its two charts' data.
    using DataSideMaker = std::function<DataSide(ChartData& measures, ChartData& alarms)>;
    frmAnalisiDati(AnalysisKind kind, const DataSideMaker& makeDataSide, QWidget* parent);

    // Every way of closing comes through here (the close box,
    // `ChiudiGrafico`): `Form_Unload` runs once.
    void done(int result) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // A chart's view as the session reckons it.
    static ViewRange rangeOf(const ChartComponent& chart);

    void buildControls();
    QWidget* buildMeasureRows();
    QWidget* buildViewButtons();
    QWidget* buildMapAndLegend();
    void buildToolbar();
    struct ToolKey;
    static std::span<const ToolKey> toolKeys();
    void overlaidKey();
    void separateKey();
    void zoomModeKey();
    void originalSizeKey();

    void Form_Unload();
    void InizializzaMisure();
    void InizializzaGrafico(ChartComponent& chart);
    void ApplicaModoZoom();
    void showMeasuresRange();
    void showAlarmsRange();
    void SSTab1_Click(int tab);
    void showMeasureRows();
    void showMeasureCaptions();
    void setRowLook(int i, bool drawn);
    void chkGrafico_Click(int index, bool checked);
    void chkTempo_Click(bool checked);
    void optScala_Click(int index);
    void applyScaleAxis();
    void ImpostaSovrapposti();
    void ImpostaSeparati();
    void setSplitLook(bool split);
    // What a zoom and a move show of the session's new view: both charts'
    // cursor and range, and the traces.
    void showView();
    void zoomClick(ZoomButton button);
    void moveClick(MoveButton button);
    void playbackClick(PlaybackDirection direction);
    void stopPlaybackLook(ChartComponent& chart);
    void setZoomInEnabled(bool on);
    void fillLapTable();
    void showLapGrid();
    void MostraControlliGrafico(bool show);
    void showMap(bool show);
    void CaricaCircuito();
    void StampaGrafico();
    void MostraStatistiche();
    void MostraStatisticheMisure();
    void MostraReportGiri();
    void MostraDatiSessione();
    void cmdSetGraph_Click(int index);
    void showReadout(const CursorReadout& readout);
    void showLoadWarnings();
    void setTabCaptions();

    AnalysisKind kind_;
    std::unique_ptr<AnalysisSession> session_;
    Plotter plot_;
    std::vector<QAction*> toolButtons_;
    QButtonGroup* scaleGroup_;
    QTimer playTimer_;
    bool unloaded_ = false;
};

} // namespace zuv
