// The two analysis windows side by side on the example session: what the
// user sees of every lap (lap table, statistics, per-measure statistics, lap
// report, traces, read-out, lamps and map marker) must match, but for what
// the fast window's own scales change; so must the measure names of data
// files the export does not write. And the fast window's bad input,
// through the Analysis command.

#include "analysis/texts.h"
#include "analysis/ui/analysis_dialogs.h"
#include "analysis/ui/chart_component.h"
#include "analysis/ui/circuit_map.h"
#include "analysis/ui/dlgReportGiri.h"
#include "analysis/ui/dlgStatistiche.h"
#include "analysis/ui/dlgStatisticheMisure.h"
#include "analysis/ui/frmAnalisiDati.h"
#include "analysis/ui/grid_component.h"
#include "analysis/ui/swatch.h"
#include "analysis_fast/ui/frmAnalisiDatiSpeed.h"
#include "platform/ui/qtmessages.h"
#include "project/language.h"
#include "project/state.h"
#include "shell/analysis_window.h"
#include "support/fixtures.h"
#include "support/ui/analysis_windows.h"
#include "support/ui/modal_driver.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <qcustomplot.h>

#include <algorithm>
#include <map>
#include <ostream>

static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace zuv::test {
namespace {

constexpr char kExample[] = "Prova Collina";
// Measures drawn: engine speed, speed, oil pressure (thinned by a filter of
// 2), the G sensor and the lambda sensor.
constexpr int kDrawn[] = {3, 4, 6, 9, 16};
// Those drawn in separate bands: engine speed, the G sensor, the lambda.
constexpr int kSeparate[] = {3, 9, 16};
// Cursor times, inside every lap of the example; 70.05 falls between two
// samples.
constexpr double kCursorTimes[] = {0.0, 17.3, 51.0, 70.05};

struct Cell {
    QString text;
    QColor back, fore;
    bool operator==(const Cell&) const = default;
};
using Cells = std::vector<std::vector<Cell>>;

std::ostream& operator<<(std::ostream& os, const Cell& c)
{
    return os << '"' << c.text.toStdString() << "\" " << c.back.name().toStdString() << '/'
              << c.fore.name().toStdString();
}

Cells cells(const GridComponent& g)
{
    Cells out(std::size_t(g.rowCount()));
    for (int r = 0; r < g.rowCount(); ++r)
        for (int c = 0; c < g.columnCount(); ++c)
            out[std::size_t(r)].push_back({g.text(r, c), g.cellBackground(r, c), g.cellForeground(r, c)});
    return out;
}

struct Trace {
    QString name;
    QColor colour;
    int width = 0;
    std::vector<QPointF> points;
};

std::vector<Trace> traces(const ChartComponent& chart)
{
    std::vector<Trace> out;
    for (int e = 0; e < chart.elementCount(); ++e) {
        Trace t{chart.elementName(e), chart.elementColor(e), 0, {}};
        const QCPAbstractPlottable* p = chart.elementPlottable(e);
        if (p)
            t.width = p->pen().width();
        if (const auto* g = qobject_cast<const QCPGraph*>(p))
            for (auto it = g->data()->constBegin(); it != g->data()->constEnd(); ++it)
                t.points.emplace_back(it->key, it->value);
        else if (const auto* c = qobject_cast<const QCPCurve*>(p))
            for (auto it = c->data()->constBegin(); it != c->data()->constEnd(); ++it)
                t.points.emplace_back(it->key, it->value);
        out.push_back(std::move(t));
    }
    return out;
}

// The value boxes, the lamps and the map marker with the cursor at a time.
struct Readout {
    qint32 sample = 0;
    QStringList values;
    std::vector<quint32> lamps;
    qint64 marker = 0;
    bool operator==(const Readout&) const = default;
};

struct LapView {
    Cells lapTable;
    QString tabs;
    ChartComponent::Range range{}, alarmsRange{};
    int stride = 0;
    std::vector<Trace> measures, alarms;
    Cells measureStats;
    std::vector<Readout> cursor, alarmsCursor;
    // Separate mode: each band's range and the traces in them.
    std::vector<ChartComponent::Range> bands;
    std::vector<Trace> separate;
};

struct WindowView {
    Cells statistics, report;
    std::map<int, LapView> laps; // by lap-table row
    QByteArray sessionFile;      // as the window writes it when it closes
};

std::ostream& operator<<(std::ostream& os, const Readout& r)
{
    return os << "sample " << r.sample << " marker " << r.marker << " values "
              << r.values.join(QLatin1Char(' ')).toStdString();
}

void copyFile(const QString& from, const QString& to)
{
    QDir().mkpath(QFileInfo(to).absolutePath());
    QFile::remove(to);
    ASSERT_TRUE(QFile::copy(from, to)) << from.toStdString();
}

class CompareTest : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        loadShippedLanguages(1);
        const QDir tracks(QStringLiteral(ZUV_SHIPPED_DATA_DIR "/tracks"));
        for (const QString& name : tracks.entryList(QDir::Files))
            copyFile(tracks.filePath(name), path("tracks/" + name));
    }
    void TearDown() override
    {
        closeAnalysisDialogs();
        UsaAnalisiSpeed = false;
        ZuvTest::TearDown();
    }

    // A copy of the example in a folder of its own: a window rewrites its
    // session file when it closes.
    QString exampleCopy(const QString& folder)
    {
        const QString shipped = QStringLiteral(ZUV_SHIPPED_DATA_DIR "/examples/") + kExample;
        for (const char* ext : {".csv", ".txt", ".tim", ".ses"})
            copyFile(shipped + ext, path(folder + "/" + kExample + ext));
        return path(folder + "/" + kExample + ".csv");
    }

    // A window of `kind` for `file`, not loaded yet.
    static std::unique_ptr<frmAnalisiDati> makeWindow(AnalysisKind kind, const QString& file)
    {
        std::unique_ptr<frmAnalisiDati> w;
        if (kind == AnalysisKind::Dati)
            w = std::make_unique<frmAnalisiDati>();
        else
            w = std::make_unique<frmAnalisiDatiSpeed>();
        w->AnalysisFileName = file;
        return w;
    }

    // A click of the user on a lap-table cell.
    static void clickCell(frmAnalisiDati& w, int row, int column)
    {
        QTableWidget* table = w.MSFlexGrid1->table();
        const QModelIndex index = table->model()->index(row - 1, column - 1);
        table->scrollTo(index);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(index).center());
    }

    template <class D>
    static Cells dialogCells(frmAnalisiDati& w)
    {
        D* d = D::open(&w);
        if (!d) {
            ADD_FAILURE() << "the dialog did not open";
            return {};
        }
        Cells c = cells(*d->MSFlexGrid1);
        closeAnalysisDialogs();
        return c;
    }

    static Readout readout(frmAnalisiDati& w, double t, bool alarms)
    {
        Readout r;
        ChartComponent& chart = alarms ? *w.NTGraphAll : *w.NTGraph1;
        r.sample = chart.sampleAt(t);
        if (alarms)
            w.AggiornaCursoreAllarmi(t, 0, r.sample);
        else
            w.AggiornaCursore(t, 0, r.sample);
        for (int j = 1; j <= w.session().FieldsNum; ++j)
            r.values.append(w.txtValore[j]->text());
        for (const Swatch* lamp : w.shpAlarm)
            r.lamps.push_back(lamp->colour());
        r.marker = w.Picture1->markerPoint();
        return r;
    }

    // Everything the user sees of the example in a window of `kind`.
    WindowView look(AnalysisKind kind)
    {
        WindowView v;
        UsaAnalisiSpeed = kind == AnalysisKind::DatiSpeed;
        const QString file = exampleCopy(kind == AnalysisKind::Dati ? "chart" : "fast");
        std::unique_ptr<frmAnalisiDati> w = makeWindow(kind, file);
        if (!w->Form_Load()) {
            ADD_FAILURE() << "the example did not open";
            return v;
        }
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        w->Toolbar1_ButtonClick(QStringLiteral("Circuito"));
        EXPECT_TRUE(w->session().blnCircuitoVisibile());
        for (int i : kDrawn)
            QTest::mouseClick(w->chkGrafico[i], Qt::LeftButton);
        w->session().FiltroMisura[6] = 2;

        v.statistics = dialogCells<dlgStatistiche>(*w);
        v.report = dialogCells<dlgReportGiri>(*w);
        for (int row = 1; row < w->MSFlexGrid1->rowCount(); ++row) {
            LapView& lap = v.laps[row];
            clickCell(*w, row, 1);
            EXPECT_EQ(w->session().GiroCorrente, row);
            lap.lapTable = cells(*w->MSFlexGrid1);
            lap.tabs = w->SSTab1->tabText(0) + " | " + w->SSTab1->tabText(1);
            lap.range = w->NTGraph1->range();
            lap.stride = w->session().PassoDisegno;
            lap.measures = traces(*w->NTGraph1);
            lap.measureStats = dialogCells<dlgStatisticheMisure>(*w);
            for (double t : kCursorTimes)
                lap.cursor.push_back(readout(*w, t, false));
            w->SSTab1->setCurrentIndex(1);
            lap.alarmsRange = w->NTGraphAll->range();
            lap.alarms = traces(*w->NTGraphAll);
            for (double t : kCursorTimes)
                lap.alarmsCursor.push_back(readout(*w, t, true));
            w->SSTab1->setCurrentIndex(0);
        }
        // Three of them in separate bands, lap by lap.
        for (int i : kDrawn)
            if (std::count(std::begin(kSeparate), std::end(kSeparate), i) == 0)
                QTest::mouseClick(w->chkGrafico[i], Qt::LeftButton);
        w->Toolbar1_ButtonClick(QStringLiteral("Separati"));
        for (int row = 1; row < w->MSFlexGrid1->rowCount(); ++row) {
            LapView& lap = v.laps[row];
            clickCell(*w, row, 1);
            for (int b = 1; b <= ChartComponent::kBands; ++b)
                lap.bands.push_back(w->NTGraph1->bandRange(b));
            lap.separate = traces(*w->NTGraph1);
        }
        w.reset();
        v.sessionFile = fileBytes(QFileInfo(file).path() + "/" + kExample + ".ses");
        return v;
    }
};

// The fast window's view of a lap ends at the time of the row before the
// lap's last, where the chart window's ends at the last row itself: so its
// traces are the chart window's up to that time.
void expectSameTraces(const std::vector<Trace>& chart, const std::vector<Trace>& fast, double fastEnd)
{
    ASSERT_EQ(fast.size(), chart.size());
    for (std::size_t e = 0; e < chart.size(); ++e) {
        SCOPED_TRACE(chart[e].name.toStdString());
        EXPECT_EQ(fast[e].name, chart[e].name);
        EXPECT_EQ(fast[e].colour, chart[e].colour);
        EXPECT_EQ(fast[e].width, chart[e].width);
        std::vector<QPointF> shown;
        for (const QPointF& p : chart[e].points)
            if (p.x() <= fastEnd + 1e-9)
                shown.push_back(p);
        EXPECT_FALSE(shown.empty());
        ASSERT_EQ(fast[e].points.size(), shown.size());
        const auto [f, c] = std::mismatch(fast[e].points.begin(), fast[e].points.end(), shown.begin());
        EXPECT_TRUE(f == fast[e].points.end())
            << "point " << (f - fast[e].points.begin()) << ": fast (" << f->x() << ", " << f->y() << "), chart ("
            << c->x() << ", " << c->y() << ")";
    }
}

TEST_F(CompareTest, BothWindowsShowTheExampleAlikeLapByLap)
{
    const WindowView chart = look(AnalysisKind::Dati);
    const WindowView fast = look(AnalysisKind::DatiSpeed);
    ASSERT_EQ(chart.laps.size(), 9u) << "Start, seven laps, End";
    ASSERT_EQ(fast.laps.size(), chart.laps.size());

    // The lap statistics and the report come from the lap-time file alone.
    EXPECT_EQ(fast.statistics, chart.statistics);
    EXPECT_FALSE(chart.statistics.at(0).at(1).text.isEmpty());
    EXPECT_EQ(fast.report, chart.report);
    EXPECT_EQ(chart.report.size(), 8u) << "heading and seven laps";
    EXPECT_EQ(fast.sessionFile, chart.sessionFile);

    for (const auto& [row, c] : chart.laps) {
        SCOPED_TRACE("lap-table row " + std::to_string(row));
        const LapView& f = fast.laps.at(row);
        EXPECT_EQ(f.lapTable, c.lapTable);
        EXPECT_EQ(f.tabs, c.tabs);
        // Same statistics over the same rows, so the same y range and the
        // same per-measure statistics.
        EXPECT_EQ(f.measureStats, c.measureStats);
        EXPECT_EQ(c.measureStats.size(), 15u) << "heading and fourteen measures";
        EXPECT_DOUBLE_EQ(f.range.xFrom, c.range.xFrom);
        EXPECT_DOUBLE_EQ(f.range.yFrom, c.range.yFrom);
        EXPECT_DOUBLE_EQ(f.range.yTo, c.range.yTo);
        // The fast window's view ends one sample (0.1 s) earlier.
        EXPECT_NEAR(f.range.xTo, c.range.xTo - 0.1, 1e-9);
        EXPECT_DOUBLE_EQ(f.alarmsRange.xFrom, c.alarmsRange.xFrom);
        EXPECT_NEAR(f.alarmsRange.xTo, c.alarmsRange.xTo - 0.1, 1e-9);
        EXPECT_EQ(f.stride, c.stride);

        expectSameTraces(c.measures, f.measures, f.range.xTo);
        EXPECT_EQ(c.measures.size(), std::size(kDrawn));
        expectSameTraces(c.alarms, f.alarms, f.alarmsRange.xTo);
        EXPECT_EQ(c.alarms.size(), 8u);

        EXPECT_EQ(f.cursor, c.cursor);
        EXPECT_EQ(f.alarmsCursor, c.alarmsCursor);

        ASSERT_EQ(f.bands.size(), c.bands.size());
        for (std::size_t b = 0; b < c.bands.size(); ++b) {
            EXPECT_DOUBLE_EQ(f.bands[b].yFrom, c.bands[b].yFrom) << "band " << b + 1;
            EXPECT_DOUBLE_EQ(f.bands[b].yTo, c.bands[b].yTo) << "band " << b + 1;
        }
        expectSameTraces(c.separate, f.separate, f.range.xTo);
        EXPECT_EQ(c.separate.size(), std::size(kSeparate));
    }

    // The comparison looked at something: lap 4's oil-pressure alarm at 51 s
    // and a marker that moves along the lap.
    const LapView& lap4 = chart.laps.at(5);
    EXPECT_EQ(lap4.alarmsCursor[2].lamps[6], 255u);
    EXPECT_GT(lap4.cursor[3].marker, lap4.cursor[1].marker);
    EXPECT_NE(lap4.cursor[1].values, lap4.cursor[2].values);
    // The G sensor's band: its own -1.1 to 1.1 in lap 4, a tenth beyond.
    EXPECT_NEAR(lap4.bands[1].yFrom, -1.21, 1e-9);
    EXPECT_NEAR(lap4.bands[1].yTo, 1.21, 1e-9);
}

// The measure rows a window shows: names and units, empty where hidden.
struct Shown {
    int fields = 0;
    QStringList names, units;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& s, std::ostream* os)
{
    *os << s.fields << " fields: " << s.names.join(" | ").toStdString() << " / "
        << s.units.join(" | ").toStdString();
}

// Data files the export does not write but the data reader reads: lines
// ended by CR alone, empty lines before the header, a UTF-8 byte-order mark.
// Both windows name and show the measures as they do for the example.
TEST_F(CompareTest, BothWindowsNameTheMeasuresAlikeWhateverTheHeaderLooksLike)
{
    const auto shown = [&](AnalysisKind kind, const QString& file) {
        Shown s;
        const std::unique_ptr<frmAnalisiDati> w = makeWindow(kind, file);
        EXPECT_TRUE(w->Form_Load());
        s.fields = w->session().FieldsNum;
        for (int i = 1; i <= 20; ++i) {
            const bool row = w->lblNomeCampo[i]->isVisibleTo(w.get());
            s.names.append(row ? w->lblNomeCampo[i]->text() : QString());
            s.units.append(row ? w->lblUM[i]->text() : QString());
        }
        EXPECT_TRUE(msgs.shown.empty()) << msgs.shown.front().text.toStdString();
        return s;
    };

    const QByteArray example = fileBytes(QStringLiteral(ZUV_SHIPPED_DATA_DIR "/examples/") + kExample + ".csv");
    const qsizetype headerEnd = example.indexOf("\r\n");
    QByteArray crAlone = example;
    crAlone.replace("\r\n", "\r");
    const QByteArray utf8 =
        "\xEF\xBB\xBF" + QString::fromLatin1(example.left(headerEnd)).toUtf8() + example.mid(headerEnd);
    const std::pair<const char*, QByteArray> files[] = {
        {"cr", crAlone}, {"empty", "\r\n" + example}, {"bom", utf8}};
    for (const int language : {0, 1}) {
        loadShippedLanguages(language);
        const Shown want = shown(AnalysisKind::Dati, exampleCopy("plain"));
        ASSERT_EQ(want.fields, 16);
        EXPECT_EQ(want.units[15], "[Lambda]");
        EXPECT_EQ(want.units[7], QStringLiteral(u"[° C]"));
        EXPECT_EQ(want.names[2], languageText(308));
        for (const auto& [name, bytes] : files) {
            SCOPED_TRACE(std::string(name) + ", language " + std::to_string(language));
            const QString file = exampleCopy(name);
            QFile out(file);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
            ASSERT_EQ(out.write(bytes), bytes.size());
            out.close();
            EXPECT_EQ(shown(AnalysisKind::Dati, file), want);
            EXPECT_EQ(shown(AnalysisKind::DatiSpeed, file), want);
        }
    }
}

// The fast window through the Analysis command, with input that costs it a
// file: it says so, opens with what it has, and the poll comes back.
TEST_F(CompareTest, FastWindowSaysWhatItCouldNotDoAndStillOpens)
{
    AnalysisWindowsRegistered analysisWindows;
    UsaAnalisiSpeed = true;
    struct Case {
        const char* folder;
        bool lapFile;
        bool schemaBlocked; // a folder named schema.ini stands in its way
        QString missing; // the file the message names
        MsgIcon icon;
        int fields;
        int lapRows;
    } cases[] = {
        // Without lap times the table has no column: nothing to draw, no
        // lap, and no schema.ini either.
        {"notim", false, false, kExample + QStringLiteral(".tim"), MsgIcon::Critical, 0, 0},
        {"blocked", true, true, QStringLiteral("schema.ini"), MsgIcon::Exclamation, 16, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        msgs.clear();
        const QString file = exampleCopy(c.folder);
        const QString folder = QFileInfo(file).path() + "/";
        if (!c.lapFile)
            QFile::remove(folder + kExample + ".tim");
        if (c.schemaBlocked)
            QDir().mkpath(folder + "schema.ini");

        ModalDriver user;
        bool opened = false;
        user.on("zuv::frmAnalisiDati", [&](QWidget& widget) {
            auto& w = static_cast<frmAnalisiDati&>(widget);
            opened = true;
            // The message came first, once, naming the file.
            ASSERT_EQ(msgs.shown.size(), 1u);
            EXPECT_EQ(msgs.shown[0].icon, c.icon);
            EXPECT_TRUE(msgs.shown[0].text.startsWith(missingFileText(folder + c.missing)))
                << msgs.shown[0].text.toStdString();
            EXPECT_EQ(w.session().FieldsNum, c.fields);
            EXPECT_EQ(w.chkGrafico[3]->isVisibleTo(&w), c.fields > 0);
            EXPECT_EQ(w.MSFlexGrid1->isVisibleTo(&w), c.lapRows > 0);
            if (c.lapRows > 0) {
                EXPECT_EQ(w.MSFlexGrid1->rowCount(), c.lapRows);
                clickCell(w, 5, 1);
                QTest::mouseClick(w.chkGrafico[4], Qt::LeftButton);
                EXPECT_EQ(w.NTGraph1->elementCount(), 1);
                EXPECT_GT(w.NTGraph1->elementKeys(0).size(), 700u);
            } else {
                EXPECT_EQ(w.NTGraph1->elementCount(), 0);
            }
            // Whatever the user then tries works or says why.
            msgs.clear();
            for (const char* key : {"Statistiche", "StatisticheMisure", "ReportGiri", "DimOriginali", "Separati"})
                w.Toolbar1_ButtonClick(QLatin1String(key));
            closeAnalysisDialogs();
            for (const ShownMessage& m : msgs.shown)
                EXPECT_EQ(m.text, languageText(302));
            EXPECT_EQ(msgs.shown.size(), c.lapRows > 0 ? 0u : 3u);
            QTest::mouseClick(w.cmdZoomIn50, Qt::LeftButton);
            w.AggiornaCursore(0, 0, 5);
            w.AggiornaCursoreAllarmi(0, 0, 5);
            w.SSTab1->setCurrentIndex(1);
            w.ChiudiGrafico();
        });
        fileDialogs.answers = {file};
        runAnalysisCommand();
        EXPECT_TRUE(opened);
        EXPECT_FALSE(StatoComunicazione.AnalisiAperta);
        EXPECT_FALSE(surface.busy);
        EXPECT_EQ(QFileInfo(folder + "schema.ini").isFile(), c.lapFile && !c.schemaBlocked);
    }
}

} // namespace
} // namespace zuv::test
