// Session analysis on the largest session the instrument holds: 16384
// recorded seconds, 163840 data rows, written by our own Save Data code.
// Each section times one step and prints the median of several runs; a new
// section is one more function called from main().
//
//   bench_analysis_bench [runs]          (offscreen unless QT_QPA_PLATFORM says)
//   bench_analysis_bench --write FOLDER   (only writes the session's files)

#include "moving_record.h"

#include "analysis/data_sources.h"
#include "analysis/chart_data.h"
#include "analysis/delimited_reader.h"
#include "analysis/measure_scales.h"
#include "analysis/ui/chart_component.h"
#include "analysis/ui/frmAnalisiDati.h"
#include "analysis_fast/dati.h"
#include "analysis_fast/fast_load.h"
#include "analysis_fast/table_loader.h"
#include "analysis_fast/ui/frmAnalisiDatiSpeed.h"
#include "project/state.h"
#include "shell/export_data.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <malloc.h>
#include <memory>
#include <qcustomplot.h>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr int kBlocks = zuv::kMaxBlocks; // one block per recorded second
using bench::kSessionEvery;

struct Session {
    QString data, alarms, laps;
    qint64 dataBytes = 0, alarmsBytes = 0;
    double mb() const { return double(dataBytes + alarmsBytes) / 1e6; }
};

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

Session buildSession(const QString& folder, bool marks = true)
{
    std::vector<QByteArray> blocks;
    blocks.reserve(kBlocks);
    for (int b = 0; b < kBlocks; ++b)
        blocks.push_back(bench::movingRecord(b, marks));
    const int numLaps = marks ? kBlocks / kSessionEvery : 0;
    std::vector<QString> laps(std::size_t(numLaps) + 1);
    for (int i = 1; i <= numLaps; ++i)
        laps[std::size_t(i)] = QStringLiteral("10:00.00, %1").arg(i);
    zuv::ExportSource src;
    src.blocks = blocks;
    src.laps = laps;
    src.numLaps = numLaps;
    src.language = 1;
    src.speedUnit = QStringLiteral("Km/h");
    src.tempUnit = QStringLiteral("C");
    const zuv::ExportFiles files = zuv::buildExportFiles(src);

    Session s;
    const QString name = marks ? QStringLiteral("full session") : QStringLiteral("one stretch");
    s.data = QDir(folder).filePath(name + QStringLiteral(".csv"));
    s.alarms = QDir(folder).filePath(name + QStringLiteral(".txt"));
    s.laps = QDir(folder).filePath(name + QStringLiteral(".tim"));
    if (!writeBytes(s.data, files.data) || !writeBytes(s.alarms, files.alarms) ||
        !writeBytes(s.laps, files.lapTimes)) {
        std::fprintf(stderr, "cannot write the session files in %s\n", qPrintable(folder));
        std::exit(1);
    }
    s.dataBytes = files.data.size();
    s.alarmsBytes = files.alarms.size();
    return s;
}

// Median wall time of `runs` calls, in seconds.
double median(int runs, const std::function<void()>& step)
{
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        step();
        t.push_back(double(timer.nsecsElapsed()) / 1e9);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

void line(const char* what, double seconds, double mb, const char* aim = "")
{
    if (mb > 0)
        std::printf("  %-44s %8.1f ms %8.0f MB/s  %s\n", what, seconds * 1e3, mb / seconds, aim);
    else
        std::printf("  %-44s %8.2f ms  %s\n", what, seconds * 1e3, aim);
}

// Peak resident memory of this process, in kB. getrusage's figure keeps
// the parent's peak across fork and exec, so the process's own high-water
// mark is read where the system gives it.
long maxRssKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& l : status.readAll().split('\n'))
            if (l.startsWith("VmHWM:"))
                return l.mid(6).trimmed().split(' ').value(0).toLong();
    }
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// --- sections ----------------------------------------------------------------

void chartLoading(const Session& s, int runs)
{
    std::printf("Chart data (the analysis window's file load):\n");
    const double data = median(runs, [&] {
        zuv::ChartData d;
        if (!d.loadFile(s.data) || d.dataRows() != qint64(kBlocks) * 10)
            std::exit(1);
    });
    const double alarms = median(runs, [&] {
        zuv::ChartData d;
        if (!d.loadFile(s.alarms) || d.columnCount() != 11)
            std::exit(1);
    });
    line("data file", data, double(s.dataBytes) / 1e6);
    line("alarms file", alarms, double(s.alarmsBytes) / 1e6);
    line("both files", data + alarms, s.mb(), "(aim: under 75 ms, 250 MB/s)");

    zuv::DelimitedOptions one;
    one.threads = 1;
    const double single = median(runs, [&] {
        zuv::readDelimitedFile(s.data, one);
        zuv::readDelimitedFile(s.alarms, one);
    });
    line("both files, one thread", single, s.mb());
}

// The fast window's load of the session, as the window runs it: the
// lap-time file, schema.ini, the header and both tables.
const zuv::Dati& fastLoad(zuv::TableLoader& loader, const QString& dataFile)
{
    zuv::AnalysisData w;
    if (loader.load(w, dataFile) != zuv::SessionLoader::Load::Complete)
        std::exit(1);
    return loader.tables();
}

void fastLoading(const Session& s, int runs)
{
    std::printf("Fast loading into Dati:\n");
    zuv::TableLoader loader;
    const double load = median(runs, [&] {
        const zuv::Dati& tables = fastLoad(loader, s.data);
        if (tables.NumRecord() != qint64(kBlocks) * 10 || !loader.warnings().listed.empty())
            std::exit(1);
    });
    line("both files into the table", load, s.mb(), "(aim: under 75 ms, 250 MB/s)");
    const zuv::Dati& tables = loader.tables();

    const double stats = median(runs, [&] {
        double sink = 0;
        for (int i = 3; i <= tables.FieldsNum(); ++i) {
            sink += zuv::GetMaxMisura(tables, i, 0, tables.NumRecord() - 1);
            sink += zuv::GetMinMisura(tables, i, 0, tables.NumRecord() - 1);
            sink += zuv::GetMediaMisura(tables, i, 0, tables.NumRecord() - 1);
        }
        if (sink == 12345.678)
            std::printf(" ");
    });
    line("max, min, average of every measure", stats, 0);

    const double laps = median(runs, [&] {
        const zuv::LapBounds b = zuv::lapBoundsFromNumbers(zuv::rowLapNumbers(tables));
        if (b.rowCount() < 2)
            std::exit(1);
    });
    line("lap boundaries", laps, 0);
}

// Peak memory of one load in a fresh process of its own, so nothing of the
// session's making counts.
void peakMemory(const Session& s)
{
    std::printf("Peak memory of a load (fresh process; files %.1f MB):\n", s.mb());
    for (const char* mode : {"chart", "fast"}) {
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--peak"), QString::fromLatin1(mode), s.data, s.alarms, s.laps});
        p.waitForFinished(-1);
        const QList<QByteArray> kb = p.readAllStandardOutput().trimmed().split(' ');
        if (qEnvironmentVariableIsSet("ZUV_BENCH_DEBUG"))
            std::printf("  [%s]\n", kb.join(' ').constData());
        if (p.exitCode() != 0 || kb.size() != 2) {
            std::printf("  %s: the measuring process failed\n", mode);
            continue;
        }
        const double delta = double(kb[1].toLong() - kb[0].toLong()) / 1024.0;
        std::printf("  %-44s %8.1f MB  %.2f x the files  %s\n",
                    mode == std::string_view("chart") ? "chart data of both files" : "Dati of both files",
                    delta, delta * 1.048576 / s.mb(), "(aim: under 2 x)");
    }
}

int measurePeak(const QStringList& args)
{
    const long before = maxRssKb();
    if (args[2] == QLatin1String("chart")) {
        zuv::ChartData data, alarms;
        if (!data.loadFile(args[3]) || !alarms.loadFile(args[4]))
            return 1;
    } else {
        zuv::TableLoader loader;
        fastLoad(loader, args[3]);
    }
    std::printf("%ld %ld\n", before, maxRssKb());
    return 0;
}

// --- the analysis windows ------------------------------------------------------

std::unique_ptr<zuv::frmAnalisiDati> makeWindow(bool fast)
{
    if (fast)
        return std::make_unique<zuv::frmAnalisiDatiSpeed>();
    return std::make_unique<zuv::frmAnalisiDati>();
}

// The Analysis command from the chosen file: a fresh window loads, selects
// its first lap and draws it, and the window is painted once.
std::unique_ptr<zuv::frmAnalisiDati> openAndDraw(const Session& s, bool fast)
{
    std::unique_ptr<zuv::frmAnalisiDati> w = makeWindow(fast);
    w->AnalysisFileName = s.data;
    if (!w->Form_Load())
        std::exit(1);
    w->resize(1260, 740);
    w->show();
    w->NTGraph1->plot()->replot(QCustomPlot::rpImmediateRefresh);
    w->repaint();
    return w;
}

// One redraw of the measures chart as the user sees it: the traces planned
// and plotted, then the chart painted.
double redraw(zuv::frmAnalisiDati& w, int runs)
{
    return median(runs, [&] {
        w.DisegnaGrafici();
        w.NTGraph1->plot()->replot(QCustomPlot::rpImmediateRefresh);
    });
}

void scales(const Session& s, int runs)
{
    std::printf("CalcolaScale over the whole session (every measure: maximum, minimum, average):\n");
    zuv::ChartData data, alarms;
    if (!data.loadFile(s.data) || !alarms.loadFile(s.alarms))
        std::exit(1);
    const zuv::DataSources chart = zuv::chartSources(data, alarms);
    zuv::MeasureState m;
    m.FieldsNum = data.columnCount();
    zuv::ViewState v;
    line("chart window (cell ranges)",
         median(runs, [&] { zuv::CalcolaScale(m, v, 2, data.dataRows() + 1, chart.stats, chart.timeAt); }), 0);

    zuv::TableLoader loader;
    const zuv::Dati& tables = fastLoad(loader, s.data);
    const zuv::DataSources table = zuv::tableSources(tables);
    m.FieldsNum = tables.FieldsNum();
    line("fast window (in-memory table)", median(runs, [&] {
             zuv::CalcolaScale(m, v, 0, tables.NumRecord() - 1, table.stats, table.timeAt, table.xEndBack);
         }),
         0);
}

void windows(const Session& s, const Session& stretch, int runs)
{
    for (const bool fast : {false, true}) {
        std::printf("%s window (offscreen, 1260 x 740):\n", fast ? "Fast" : "Chart");
        const double first = median(std::min(runs, 5), [&] { openAndDraw(s, fast); });
        line("Analysis command's file to first lap drawn", first, 0, fast ? "(aim: under 300 ms)" : "(aim: under 500 ms)");

        char what[96];
        for (const Session* session : {&s, &stretch}) {
            std::unique_ptr<zuv::frmAnalisiDati> w = openAndDraw(*session, fast);
            for (int i = 3; i <= w->session().FieldsNum; ++i)
                w->chkGrafico[i]->setChecked(true);
            // A session without lap marks shows whole, as one stretch.
            std::snprintf(what, sizeof what, "redraw of %d measures, %s", w->session().NumGraficiAttivi,
                          session == &s ? "first lap (10 min)" : "whole session (4.5 h)");
            line(what, redraw(*w, runs), 0, "(aim: under 16 ms)");
            w->close();
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    // Every run takes fresh memory from the system, as a first load does:
    // no reuse of the pages a previous run gave back.
    mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
    // The windows draw offscreen: no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 6 && args[1] == QLatin1String("--peak"))
        return measurePeak(args);
    if (args.size() == 3 && args[1] == QLatin1String("--write")) {
        const Session s = buildSession(args[2]);
        std::printf("%s\n%s\n%s\n", qPrintable(s.data), qPrintable(s.alarms), qPrintable(s.laps));
        return 0;
    }
    const int runs = args.size() > 1 ? std::max(1, args[1].toInt()) : 7;

    QTemporaryDir dir;
    const Session s = buildSession(dir.path());
    std::printf("Largest session: %d data rows, data %.1f MB + alarms %.1f MB = %.1f MB; median of %d runs\n",
                kBlocks * 10, double(s.dataBytes) / 1e6, double(s.alarmsBytes) / 1e6, s.mb(), runs);
    chartLoading(s, runs);
    fastLoading(s, runs);
    peakMemory(s);
    scales(s, runs);
    windows(s, buildSession(dir.path(), false), runs);
    return 0;
}
