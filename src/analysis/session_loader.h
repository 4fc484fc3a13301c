#pragma once
// The reading of a session's files behind an analysis window, without the
// window: the data file, its companion alarms file and the lap-time file,
// then what the window's set-up asks of them (the header texts, the lap
// bounds, where its computations take their values) and what could not be
// read as it stood. The chart window's loader reads into the data of its two
// charts (analysis/chart_loader.h), the fast window's into its in-memory
// table (analysis_fast/table_loader.h); both show where they stand in the
// main window's status bar.

#include "analysis/analysis_data.h"
#include "analysis/chart_data.h"
#include "analysis/data_sources.h"
#include "analysis/load_warnings.h"

#include <QString>
#include <QStringList>

namespace zuv {

class SessionLoader {
public:
    virtual ~SessionLoader();

    enum class Load {
        // The files were read, as much of them as could be read.
        Complete,
        // Neither companion alarms file exists (each was reported): the
        // window closes and writes nothing.
        NoCompanion,
        // The data file could not be read: `failure` says why.
        Failed,
    };
    // The load up to the set-up both windows share: the status texts and the
    // pointer, the data file, the companion alarms file and the lap-time
    // file (into `w`), `FieldsNum` (and `AlarmsNum`), and `sources()`.
    virtual Load load(AnalysisData& w, const QString& analysisFileName) = 0;

    // The header texts of columns 1 to `FieldsNum`, column 1 first.
    virtual QStringList headers() const = 0;
    // `InizioGiro` and `FineGiro` by lap-table row, in the rows of
    // `sources()`.
    virtual LapBounds lapBounds() const = 0;

    const DataSources& sources() const { return sources_; }
    // Why the load failed, for a message.
    const QString& failure() const { return failure_; }
    // What could not be taken as it stood; the load kept the rest.
    const LoadWarnings& warnings() const { return warnings_; }

protected:
    // The status bar as the data file's reading starts (with the busy
    // pointer), and as the alarms file's does.
    static void showDataStep();
    static void showAlarmsStep();
    // "Loading 42 %" in the status bar.
    static void showProgress(qint64 percent);
    // `SettoriGiro` 1, then the lap-time file (`CaricaTempiGiro`).
    static bool readLapFile(LapState& s, const QString& analysisFileName, QString* versionLine = nullptr);

    DataSources sources_;
    QString failure_;
    LoadWarnings warnings_;
};

// "Loading 42 %": the progress text of a load.
QString progressText(qint64 percent);

} // namespace zuv
