#pragma once
// What lies behind an analysis window: how its session's files are read and
// where its computations then take their values. Both analysis windows are
// one window class over one of these: the chart window lets its two charts
// read the data and alarms files and draws from their cells; the fast
// window reads both into its in-memory table and draws from that. Every
// other step of the window is the same code.

#include "analysis/analysis_data.h"
#include "analysis/analysis_sources.h"
#include "analysis/trace_plan.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace zuv {

class ChartComponent;

class AnalysisSource {
public:
    virtual ~AnalysisSource();

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
    // `InizioGiro` and `FineGiro` by lap-table row, as the alarms chart
    // gives them.
    virtual LapBounds lapBounds() const = 0;
    // Plots one trace of a plan on `chart` (the alarms chart when `alarms`)
    // into element `element`.
    virtual void plot(ChartComponent& chart, bool alarms, const TraceRows& rows, const TracePlot& p,
                      int element) const = 0;

    const DataSources& sources() const { return sources_; }
    // Why the load failed, for a message.
    const QString& failure() const { return failure_; }
    // What the reader could not take as it stood (a field that is not a
    // number, a short line, ...); the load kept the rest. The reader lists
    // a few dozen; `warningsLeftOut` counts the others it found.
    const QStringList& warnings() const { return warnings_; }
    qint64 warningsLeftOut() const { return warningsLeftOut_; }

protected:
    DataSources sources_;
    QString failure_;
    QStringList warnings_;
    qint64 warningsLeftOut_ = 0;
};

// The chart window's source: its measures chart reads the data file and its
// alarms chart the companion file, which must both outlive it.
std::unique_ptr<AnalysisSource> chartFileSource(ChartComponent& measures, ChartComponent& alarms);

// "Loading 42 %": the progress text of a load.
QString progressText(int percent);

} // namespace zuv
