#pragma once
// One session under analysis, without its window: the measures, view,
// traces and lap table of `AnalysisData`, the loader that read the files,
// and the rules of the session (whether the close may write the session
// file, the lap the tab captions name, whether the map is on show). An
// analysis window owns one and mirrors it: each step of the window changes
// the session here and shows what comes back; the dialogs reach it through
// the analysis-window interface.

#include "analysis/analysis_data.h"
#include "analysis/circuit.h"
#include "analysis/cursor_readout.h"
#include "analysis/session_file.h"
#include "analysis/session_loader.h"

#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace zuv {

class AnalysisSession : public AnalysisData {
public:
    // Without a loader nothing is read and the sources answer nothing.
    explicit AnalysisSession(std::unique_ptr<SessionLoader> loader = nullptr);
    ~AnalysisSession();
    AnalysisSession(const AnalysisSession&) = delete;
    AnalysisSession& operator=(const AnalysisSession&) = delete;

    const SessionLoader* loader() const { return loader_.get(); }
    const DataSources& sources() const;

    // --- opening and closing ---
    // The start of `Form_Load`: the map hidden, stride 1, tab 0, then the
    // loader's reading of the files.
    SessionLoader::Load load(const QString& analysisFileName);
    // The companion alarms file was found and the load went to its end.
    bool FileAllarmiPresente() const { return companionFound_; }
    // `InizializzaMisure` without the chart: the lap bounds, and on tab 0
    // the measure names, units and default settings from the header texts
    // (true then). The status bar is left naming the data file.
    bool setUpMeasures(const QString& analysisFileName);
    // `CaricaDatiSessione`: the session file beside the data file into
    // `DatiSessione` and the measure rows' settings.
    void readSessionFile(const QString& analysisFileName);
    // How the session file read at load went.
    SessionLoad sessionLoad() const { return sessionLoad_; }
    // The sectors of the session's circuit, then `CompilaTabellaGiri`:
    // false when there is no completed lap (the whole recording is then one
    // stretch, to be scaled and drawn).
    bool fillLapTable();
    // Every lap-table row without its sector cells, before the table is
    // filled again.
    void clearLapTable();
    // `SalvaDatiSessione`: the session file written anew; a file that
    // cannot be written is said with texts 328 and 329 and the system's
    // reason, and false comes back.
    bool saveSessionFile();
    // The chart settings dialog stored a measure's settings: the close
    // saves them, even over a session file that could not be read whole.
    void settingsStored() { sessionWritable_ = true; }
    // The close writes the session file again only when it will not lose
    // what the file held, or when the user stored settings since.
    void saveAtClose();
    // However a window closes: the poll and the pointer come back.
    static void giveBackMainWindow();
    // `ChiudiGrafico`: the status bar names the project again (the close
    // box leaves it as it is).
    static void showProjectInStatusBar();

    // --- measures, scales and traces ---
    // `CalcolaScale` over the lap on show.
    void scaleLapOnShow();
    // The measure whose scale option is selected.
    void chooseScale(int i) { chosenScale = i; }
    // Box `index` of the measure rows changed to `checked`.
    CheckClick checkMeasure(int index, bool checked);
    // The time-axis box: true when it is ticked now (the move step is then
    // a hundredth, and the scales and a redraw follow).
    bool tickTimeAxis(bool ticked);
    // The traces of a redraw of the lap on show.
    TracePlan measureTraces();
    TracePlan alarmTraces();
    // Element `element` of the measures chart (`chart` 0) or the alarms
    // chart (1) draws `column`; the element back.
    int placeTrace(int column, int chart, int element);
    void setSeparate(bool on) { blnSeparati = on; }
    void setZoomMode(bool on) { ModoZoom = on; }

    // --- view ---
    // The mouse zoom left the measures chart showing `shown`.
    void mouseZoomed(const ViewRange& shown);
    // A zoom button on the view the measures chart shows: the new view, and
    // whether the zoom-in buttons are enabled (nothing: they keep their
    // state).
    std::optional<bool> zoom(const ViewRange& shown, ZoomButton button);
    void move(const ViewRange& shown, MoveButton button);
    // Tab `tab` came up, the measures chart showing `measures`.
    void showTab(int tab, const ViewRange& measures);
    // One playback pass on the playing chart, which shows `shown`.
    Playback::Pass playbackPass(const ViewRange& shown);
    // The sample under the chart cursor after a move or a playback pass.
    void setCursorSample(qint64 n) { CampioneCursore = n; }
    // The read-out of the measures chart's or the alarms chart's cursor at
    // sample n, for a map of `mapPoints` points.
    CursorReadout cursorReadout(qint64 n, int mapPoints) const;
    CursorReadout alarmsCursorReadout(qint64 n, int mapPoints) const;

    // --- laps ---
    // A click on lap-table cell (row, column), and the selection at load.
    LapSelection selectLap(int row, int column);
    // Tab 0's and tab 1's captions: texts 273 and 91, followed by the lap
    // chosen last until the language is applied again.
    QString tabCaption(int tab) const;

    // --- circuit map ---
    struct MapChange {
        enum class Kind {
            Hidden,
            Shown,
            // No outline file for the session's circuit: text 216.
            NoOutline,
        };
        Kind kind = Kind::Hidden;
        std::vector<MapPoint> outline;
    };
    // The "Circuito" key: hides the map on show, or shows the circuit's.
    MapChange toggleMap();
    bool blnCircuitoVisibile() const { return mapShown_; }

    // --- language ---
    // Measures 1 to 16 named in the current language, the lap left out of
    // the tab captions, and, once the load went to its end, the lap table's
    // headings and row labels again (true then).
    bool refreshLanguage();
    // The time axis's caption: measure 1's name and " [sec]".
    QString timeCaption() const;

private:
    void changeView(const ViewRange& shown, const std::function<void(ViewState&)>& change);

    std::unique_ptr<SessionLoader> loader_;
    bool companionFound_ = false;
    bool mapShown_ = false;
    SessionLoad sessionLoad_ = SessionLoad::NoFile;
    bool sessionWritable_ = false;
    QString lapCaption_;
};

} // namespace zuv
