#pragma once
// The session analysis window: the measures against time on one chart, the
// alarm states on a second, one row of controls per measure, the lap table,
// the circuit map, the alarm legend with its lamps, and the toolbar.
//
// One class serves both analysis windows. What differs, the reading of the
// files and where the values then come from, lies behind an
// `AnalysisSource`: this class reads through the charts' own file loading,
// `frmAnalisiDatiSpeed` hands it the in-memory table's source. Everything
// else (the set-up after the load, drawing, view, laps, read-out, session
// file, map, toolbar, language) is this code.
//
// The main window creates a fresh instance for every opening, sets
// `AnalysisFileName` and calls `showModal`, which loads and then shows the
// window modal; it returns once the window has closed, however it closed.

#include "analysis/analysis_interface.h"
#include "analysis/session_file.h"
#include "analysis/view_steps.h"

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

class AnalysisSource;
struct CursorReadout;
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
    // The companion alarms file was found and the load went to its end.
    bool FileAllarmiPresente() const { return companionFound_; }
    // How the session file read at load went (the close writes it again
    // only after a complete read, or when there was none).
    SessionLoad sessionLoad() const { return sessionLoad_; }

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
    bool blnCircuitoVisibile() const { return mapShown_; }
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
    // The data behind the window, for tests and the benchmark.
    const AnalysisSource& source() const { return *source_; }

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
    std::array<Swatch*, 8> shpAlarmColor{};
    std::array<QLabel*, 8> lblNomeAllarme{};
    std::array<Swatch*, 8> shpAlarm{};

protected:
    // The source behind the window, given the window's two charts.
    using SourceMaker = std::function<std::unique_ptr<AnalysisSource>(ChartComponent& measures,
                                                                      ChartComponent& alarms)>;
    frmAnalisiDati(AnalysisKind kind, const SourceMaker& makeSource, QWidget* parent);

    // Every way of closing comes through here (the close box,
    // `ChiudiGrafico`): `Form_Unload` runs once.
    void done(int result) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
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
    void progressChanged(int percent);
    void InizializzaMisure();
    void InizializzaGrafico(ChartComponent& chart);
    void ApplicaModoZoom();
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
    // What a zoom and a move share: the view read from the measures chart,
    // changed, and given to both charts and the traces.
    void changeView(const std::function<void(ViewState&)>& change);
    void zoomClick(ZoomButton button);
    void moveClick(MoveButton button);
    void readRange(const ChartComponent& chart, bool withY);
    void playbackClick(PlaybackDirection direction);
    void stopPlaybackLook(ChartComponent& chart);
    void setZoomInEnabled(bool on);
    void applyLapTable(bool filled);
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
    std::unique_ptr<AnalysisSource> source_;
    std::vector<QAction*> toolButtons_;
    QButtonGroup* scaleGroup_;
    QTimer playTimer_;
    bool companionFound_ = false;
    bool unloaded_ = false;
    bool mapShown_ = false;
    // The close writes the session file again only when it will not lose
    // what the file held, or when the user stored settings since.
    SessionLoad sessionLoad_ = SessionLoad::NoFile;
    bool sessionWritable_ = false;
    // The lap number the tab captions show after a lap was selected.
    QString lapCaption_;
};

} // namespace zuv
