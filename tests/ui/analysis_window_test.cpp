// The analysis windows offscreen, through their real widgets: the example
// session (made by our own download and Save Data) opened in both windows,
// the lap table and its clicks, traces and visible range, read-out, map,
// session file, zoom, move and playback, the toolbar, the language, the
// print, the companion-file cases and damaged input.

#include "analysis/cursor_readout.h"
#include "analysis/number_text.h"
#include "analysis/texts.h"
#include "analysis/ui/chart_component.h"
#include "analysis/ui/circuit_map.h"
#include "analysis/ui/dlgDatiSessione.h"
#include "analysis/ui/dlgReportGiri.h"
#include "analysis/ui/dlgSetGraph.h"
#include "analysis/ui/dlgStatistiche.h"
#include "analysis/ui/frmAnalisiDati.h"
#include "analysis/ui/grid_component.h"
#include "analysis/ui/swatch.h"
#include "analysis_fast/dati.h"
#include "analysis_fast/ui/frmAnalisiDatiSpeed.h"
#include "platform/ui/colors.h"
#include "platform/ui/qtmessages.h"
#include "platform/ui/qtprinter.h"
#include "project/language.h"
#include "project/state.h"
#include "support/fixtures.h"
#include "support/session_files.h"
#include "support/ui/analysis_windows.h"
#include "support/ui/modal_driver.h"
#include "support/ui/window_system.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <qcustomplot.h>

#include <cmath>
#include <limits>
#include <ostream>

static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace zuv::test {
namespace {

constexpr char kExample[] = "Prova Collina";

// Lap-table rows of the example: "Start" (the out-lap), laps 1..7, "End".
constexpr int kLap4Row = 5;
constexpr qint64 kLap4First = 3122; // chart rows
constexpr qint64 kLap4End = 3851;

QString examplesDir() { return QStringLiteral(ZUV_SHIPPED_DATA_DIR "/examples"); }

void copyFile(const QString& from, const QString& to)
{
    QDir().mkpath(QFileInfo(to).absolutePath());
    QFile::remove(to);
    ASSERT_TRUE(QFile::copy(from, to)) << from.toStdString();
}

std::unique_ptr<frmAnalisiDati> makeWindow(AnalysisKind kind)
{
    if (kind == AnalysisKind::DatiSpeed)
        return std::make_unique<frmAnalisiDatiSpeed>();
    return std::make_unique<frmAnalisiDati>();
}

class AnalysisTest : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        loadShippedLanguages(1);
        // The example with its circuits, copied: the window rewrites the
        // session file when it closes.
        for (const char* ext : {".csv", ".txt", ".tim", ".ses"})
            copyFile(examplesDir() + "/" + kExample + ext, path(QStringLiteral("session/%1%2").arg(kExample, ext)));
        const QDir tracks(QStringLiteral(ZUV_SHIPPED_DATA_DIR "/tracks"));
        for (const QString& name : tracks.entryList(QDir::Files))
            copyFile(tracks.filePath(name), path("tracks/" + name));
        example = path(QStringLiteral("session/%1.csv").arg(kExample));
    }
    void TearDown() override
    {
        window.reset();
        setPrinter(nullptr);
        QLocale::setDefault(QLocale::system());
        ZuvTest::TearDown();
    }

    frmAnalisiDati& open(const QString& file, AnalysisKind kind = AnalysisKind::Dati)
    {
        window = makeWindow(kind);
        window->AnalysisFileName = file;
        loaded = window->Form_Load();
        return *window;
    }

    void show()
    {
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->NTGraph1->plot()->replot();
        window->NTGraphAll->plot()->replot();
    }

    // A click of the user on a lap-table cell.
    void clickCell(int row, int column)
    {
        QTableWidget* table = window->MSFlexGrid1->table();
        const QModelIndex index = table->model()->index(row - 1, column - 1);
        table->scrollTo(index);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(index).center());
    }

    // A click of the user on a chart at time x, halfway up.
    void clickChart(ChartComponent& chart, double x)
    {
        chart.plot()->replot();
        QCPAxisRect* rect = chart.bandRect(chart.bandCount() == 0 ? 0 : 1);
        const int px = qRound(rect->axis(QCPAxis::atBottom)->coordToPixel(x));
        QTest::mouseClick(chart.plot(), Qt::LeftButton, {}, QPoint(px, rect->center().y()));
    }

    void check(int measure) { QTest::mouseClick(window->chkGrafico[measure], Qt::LeftButton); }

    // The three files of a session in `folder`; the data file's path.
    QString writeSession(const QString& folder, const SessionFiles& f)
    {
        writeFile(folder + "s.txt", f.alarms);
        writeFile(folder + "s.tim", f.laps);
        return writeFile(folder + "s.csv", f.data);
    }

    std::vector<double> keys(ChartComponent& chart, int element = 0) { return chart.elementKeys(element); }

    QString example;
    std::unique_ptr<frmAnalisiDati> window;
    bool loaded = false;
};

// --- both windows alike ----------------------------------------------------------

class BothWindows : public AnalysisTest, public ::testing::WithParamInterface<AnalysisKind> {};

INSTANTIATE_TEST_SUITE_P(Kinds, BothWindows, ::testing::Values(AnalysisKind::Dati, AnalysisKind::DatiSpeed),
                         [](const auto& info) {
                             return std::string(info.param == AnalysisKind::Dati ? "Chart" : "Fast");
                         });

TEST_P(BothWindows, ExampleOpensOnItsFirstStretchWithTheLapTableFilled)
{
    frmAnalisiDati& w = open(example, GetParam());
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(msgs.shown.empty()) << msgs.shown[0].text.toStdString();
    EXPECT_EQ(w.kind(), GetParam());
    EXPECT_EQ(currentAnalysis(), GetParam() == chosenAnalysisKind() ? &w : nullptr);
    EXPECT_TRUE(AnalisiCaricata);
    EXPECT_FALSE(surface.busy);
    EXPECT_EQ(surface.panelText[2], QDir::toNativeSeparators(example));
    EXPECT_EQ(w.session().FieldsNum, 16);

    // Measure rows 3..16 shown, 17..20 hidden; names from the language.
    for (int i = 3; i <= 20; ++i) {
        EXPECT_EQ(w.chkGrafico[i]->isVisibleTo(&w), i <= 16) << i;
        EXPECT_EQ(w.cmdSetGraph[i]->isVisibleTo(&w), i <= 16) << i;
    }
    EXPECT_EQ(w.lblNomeCampo[1]->text(), languageText(306));
    EXPECT_EQ(w.lblNomeCampo[4]->text(), languageText(309));
    EXPECT_EQ(w.lblUM[4]->text(), "[Km/h]");
    EXPECT_EQ(w.lblNomeCampo[16]->text(), languageText(320));
    // The session file's colours and the circuit's three sectors.
    EXPECT_EQ(w.shpColor[4]->colour(), 255u);
    EXPECT_EQ(DatiSessione.Circuito, "Pista Collina");

    // Seven laps between "Start" and "End", lap and sector times.
    GridComponent& g = *w.MSFlexGrid1;
    EXPECT_TRUE(g.isVisibleTo(&w));
    EXPECT_EQ(w.session().intGiriCompletati, 7);
    EXPECT_EQ(g.rowCount(), 10);
    EXPECT_EQ(g.text(1, 0), "Start");
    EXPECT_EQ(g.text(9, 0), "End");
    EXPECT_EQ(g.text(2, 0), languageText(193) + "1");
    EXPECT_EQ(g.text(0, 1), languageText(143));
    EXPECT_EQ(g.text(0, 4), languageText(144) + "3");
    EXPECT_EQ(g.text(2, 1), "01:15.64");
    EXPECT_EQ(w.session().SettoriGiro, 4);
    for (int r = 2; r <= 8; ++r)
        for (int c = 2; c <= 4; ++c)
            EXPECT_FALSE(g.text(r, c).isEmpty()) << r << "," << c;
    // Fastest lap 5 green, slowest lap 1 red, in the lap-time column.
    EXPECT_EQ(w.session().intGiroVeloce, 5);
    EXPECT_EQ(w.session().intGiroLento, 1);
    EXPECT_EQ(g.cellBackground(6, 1), colorFromValue(65280));
    EXPECT_EQ(g.cellBackground(2, 1), colorFromValue(255));

    // The out-lap is on show: its whole time on both charts' axis.
    EXPECT_EQ(w.session().GiroCorrente, 1);
    EXPECT_EQ(w.SSTab1->tabText(0), languageText(273) + " " + languageText(110) + " 0");
    const ChartComponent::Range r = w.NTGraph1->range();
    EXPECT_DOUBLE_EQ(r.xFrom, 0.0);
    EXPECT_NEAR(r.xTo, GetParam() == AnalysisKind::Dati ? 90.9 : 90.8, 1e-9);
    // No measure is checked yet: nothing drawn, every row plain.
    EXPECT_EQ(w.NTGraph1->elementCount(), 0);
    EXPECT_FALSE(w.optScala[4]->isEnabled());
    EXPECT_FALSE(w.cmdSetGraph[4]->isEnabled());
}

TEST_P(BothWindows, SectorTimesOfTheExampleEndAtItsSectorBoundaries)
{
    // Pista Collina: 780, 910 and 710 m. Every lap of the example runs past
    // 2400 m before its end, and the last sector ends where 2400 m is
    // reached: times from the alarms file's distance column, by hand.
    const char* const expected[7][3] = {
        {"00:20.80", "00:27.90", "00:25.50"}, {"00:20.40", "00:27.30", "00:24.80"},
        {"00:20.50", "00:27.00", "00:24.90"}, {"00:20.50", "00:27.10", "00:24.70"},
        {"00:20.10", "00:26.90", "00:24.20"}, {"00:20.60", "00:26.80", "00:24.30"},
        {"00:19.70", "00:27.10", "00:24.50"},
    };
    frmAnalisiDati& w = open(example, GetParam());
    ASSERT_TRUE(loaded);
    show();
    const auto expectTable = [&] {
        GridComponent& g = *w.MSFlexGrid1;
        for (int lap = 1; lap <= 7; ++lap)
            for (int sector = 1; sector <= 3; ++sector)
                EXPECT_EQ(g.text(lap + 1, sector + 1), QLatin1String(expected[lap - 1][sector - 1]))
                    << "lap " << lap << ", sector " << sector;
        EXPECT_EQ(g.text(0, 5), "");
        EXPECT_EQ(g.text(2, 5), "");
        // Sector 3: lap 5 fastest, lap 1 slowest.
        EXPECT_EQ(g.cellBackground(6, 4), colorFromValue(65280));
        EXPECT_EQ(g.cellBackground(2, 4), colorFromValue(255));
    };
    expectTable();

    // After the session data dialog the table is rebuilt and every row is
    // white again, the selected one too; the lap on show stays.
    clickCell(kLap4Row, 1);
    ASSERT_EQ(w.MSFlexGrid1->cellBackground(kLap4Row, 2), colorFromValue(0xFF0000));
    {
        ModalDriver user;
        user.on("zuv::dlgDatiSessione", [](QWidget& d) { static_cast<QDialog&>(d).reject(); });
        w.toolButton("DatiSessione")->trigger();
        EXPECT_TRUE(user.waitDone());
    }
    expectTable();
    EXPECT_EQ(w.session().GiroCorrente, kLap4Row);
    for (int c = 2; c <= 4; ++c) {
        EXPECT_EQ(w.MSFlexGrid1->cellBackground(kLap4Row, c), colorFromValue(0xFFFFFF)) << c;
        EXPECT_EQ(w.MSFlexGrid1->cellForeground(kLap4Row, c), colorFromValue(0)) << c;
    }
    // The next click paints a selection again.
    clickCell(3, 1);
    EXPECT_EQ(w.MSFlexGrid1->cellBackground(3, 2), colorFromValue(0xFF0000));
}

TEST_P(BothWindows, ClickOnALapTimeShowsThatLapWithTheCheckedTraces)
{
    frmAnalisiDati& w = open(example, GetParam());
    ASSERT_TRUE(loaded);
    show();
    check(4);
    check(9);
    EXPECT_EQ(w.session().NumGraficiAttivi, 2);
    EXPECT_TRUE(w.txtValore[4]->font().bold());
    EXPECT_TRUE(w.optScala[9]->isChecked()) << "the last measure checked gives the scale";
    ASSERT_EQ(w.NTGraph1->elementCount(), 2);

    clickCell(kLap4Row, 1);
    EXPECT_EQ(w.session().GiroCorrente, kLap4Row);
    EXPECT_EQ(w.SSTab1->tabText(0), languageText(273) + " " + languageText(110) + " 4");
    EXPECT_EQ(w.SSTab1->tabText(1), languageText(91) + " " + languageText(110) + " 4");
    // The selected row from column 2 on is blue on white.
    EXPECT_EQ(w.MSFlexGrid1->cellBackground(kLap4Row, 2), colorFromValue(0xFF0000));
    EXPECT_EQ(w.MSFlexGrid1->cellForeground(kLap4Row, 2), colorFromValue(0xFFFFFF));
    EXPECT_EQ(w.MSFlexGrid1->cellBackground(1, 2), colorFromValue(0xFFFFFF));

    // Lap 4 runs 0.0 to 72.9 s, 730 rows, drawn one by one (stride 1); the
    // fast window's view ends a row before the lap's last, as its scales say.
    const bool chart = GetParam() == AnalysisKind::Dati;
    const ChartComponent::Range r = w.NTGraph1->range();
    EXPECT_DOUBLE_EQ(r.xFrom, 0.0);
    const double lapEnd = chart ? 72.9 : 72.8;
    EXPECT_NEAR(r.xTo, lapEnd, 1e-9);
    EXPECT_EQ(w.session().PassoDisegno, 1);
    const std::vector<double> k = keys(*w.NTGraph1);
    ASSERT_EQ(k.size(), chart ? 730u : 729u);
    EXPECT_DOUBLE_EQ(k.front(), 0.0);
    EXPECT_NEAR(k.back(), lapEnd, 1e-9);
    EXPECT_EQ(w.NTGraph1->elementName(0), w.lblNomeCampo[4]->text());
    EXPECT_EQ(w.NTGraph1->elementColor(0), colorFromValue(w.shpColor[4]->colour()));
    // Overlaid: the largest maximum sets the top, each measure scaled to it.
    EXPECT_GT(r.yTo, w.session().ValoriMax[4]);
    EXPECT_DOUBLE_EQ(w.session().FattoriScala[3], 1.0) << "engine speed is the largest of all";
    EXPECT_NEAR(w.session().FattoriScala[4] * w.session().ValoriMax[4], w.session().ValoriMax[3], 1e-6);

    // A measure's filter thins its own trace.
    w.session().FiltroMisura[4] = 2;
    w.RidisegnaGraficoAttivo();
    EXPECT_EQ(keys(*w.NTGraph1).size(), 365u);

    // "Start" and "End" can be chosen like a lap; a click beside the lap
    // time only redoes the marks.
    clickCell(9, 1);
    EXPECT_EQ(w.session().GiroCorrente, 9);
    EXPECT_NEAR(w.NTGraph1->range().xTo, GetParam() == AnalysisKind::Dati ? 111.9 : 111.8, 1e-9);
    clickCell(3, 2);
    EXPECT_EQ(w.session().GiroCorrente, 9);
    EXPECT_EQ(w.MSFlexGrid1->cellBackground(6, 1), colorFromValue(65280));
}

TEST_P(BothWindows, CursorShowsEveryValueTheLampsAndTheMapMarkerInBothTabs)
{
    frmAnalisiDati& w = open(example, GetParam());
    ASSERT_TRUE(loaded);
    show();
    check(6);
    clickCell(kLap4Row, 1);
    w.Toolbar1_ButtonClick(QStringLiteral("Circuito"));
    ASSERT_TRUE(w.session().blnCircuitoVisibile());
    ASSERT_TRUE(w.Picture1->isVisibleTo(&w));
    EXPECT_EQ(w.txtCircuito->text(), "Pista Collina");
    EXPECT_EQ(w.Picture1->markerPoint(), 0);
    const int points = w.Picture1->pointCount();
    EXPECT_GT(points, 100);

    // Oil pressure is low in lap 4 from 49.0 to 53 s. The cursor there
    // reads one data row in every box, the row of the time it shows.
    const DataSources& src = w.session().sources();
    const auto rowShown = [&] {
        const double t = w.txtValore[1]->text().toDouble();
        return w.session().RigaInizioTraccia + qRound64(t * 10);
    };
    clickChart(*w.NTGraph1, 51.0);
    EXPECT_NEAR(w.txtValore[1]->text().toDouble(), 51.0, 0.15);
    qint64 row = rowShown();
    for (int j : {2, 6, 16})
        EXPECT_EQ(w.txtValore[j]->text(), readoutText(*src.valueAt(j, row))) << j;
    const qint64 expected = (row - w.session().RigaInizioTraccia) * (points - 1) / (kLap4End - kLap4First);
    EXPECT_EQ(w.Picture1->markerPoint(), expected);
    const QPoint twips = *markerCorner(w.Picture1->outline(), expected);
    EXPECT_NEAR(w.Shape1->x(), twips.x() * w.Picture1->logicalDpiX() / 1440.0, 1.0);

    // On the alarms tab the same time lights the oil-pressure lamp only.
    w.SSTab1->setCurrentIndex(1);
    EXPECT_EQ(w.NTGraphAll->elementCount(), 8);
    EXPECT_EQ(w.NTGraphAll->elementColor(6), colorFromValue(w.shpAlarmColor[6]->colour()));
    EXPECT_NEAR(w.NTGraphAll->range().yTo, 18.0, 1e-9);
    clickChart(*w.NTGraphAll, 51.0);
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(w.shpAlarm[std::size_t(k)]->colour(), k == 6 ? kLampOn : kLampOff) << k;
    row = rowShown();
    EXPECT_EQ(w.txtValore[6]->text(), readoutText(*src.valueAt(6, row)));
    clickChart(*w.NTGraphAll, 20.0);
    EXPECT_EQ(w.shpAlarm[6]->colour(), kLampOff);
    EXPECT_NEAR(w.txtValore[1]->text().toDouble(), 20.0, 0.15);

    // The key again hides the map; the marker no longer moves.
    w.Toolbar1_ButtonClick(QStringLiteral("Circuito"));
    EXPECT_FALSE(w.Picture1->isVisibleTo(&w));
    const qint64 before = w.Picture1->markerPoint();
    clickChart(*w.NTGraphAll, 60.0);
    EXPECT_EQ(w.Picture1->markerPoint(), before);
}

TEST_P(BothWindows, SessionFileComesBackInAFreshWindowAndIsWrittenWhole)
{
    // Saved on a machine that writes decimals with a comma, read back on one
    // that writes them with a point.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    {
        frmAnalisiDati& w = open(example, GetParam());
        ASSERT_TRUE(loaded);
        check(5);
        w.session().FiltroMisura[5] = 3;
        w.session().FiltroMisura[16] = 2;
        w.setMeasureColour(5, 0x00FF00);
        DatiSessione.Piloti = QStringLiteral("Anna\r\nBruno");
        w.ChiudiGrafico();
        EXPECT_FALSE(AnalisiCaricata);
        EXPECT_FALSE(StatoComunicazione.AnalisiAperta);
        EXPECT_EQ(currentAnalysis(), nullptr);
    }
    QLocale::setDefault(QLocale::c());
    const QByteArray saved = fileBytes(path(QStringLiteral("session/%1.ses").arg(kExample)));
    EXPECT_EQ(saved.count("\r\n"), 26);
    EXPECT_TRUE(saved.contains("Piloti=Anna, Bruno\r\n"));
    // Minimum and maximum with the comma, as the machine writes decimals.
    const QList<QByteArray> lines = saved.split('\n');
    int commas = 0;
    for (int i = 8; i < 26; ++i) {
        const QList<QByteArray> fields = lines[i].trimmed().split(';');
        ASSERT_EQ(fields.size(), 6) << lines[i].toStdString();
        for (int k : {4, 5}) {
            EXPECT_FALSE(fields[k].contains('.')) << lines[i].toStdString();
            commas += int(fields[k].contains(','));
        }
    }
    EXPECT_GT(commas, 0);

    DatiSessione = SessionRecord();
    frmAnalisiDati& w = open(example, GetParam());
    ASSERT_TRUE(loaded);
    // Nothing of the closed window: no box checked, overlaid, first stretch.
    EXPECT_EQ(w.session().NumGraficiAttivi, 0);
    EXPECT_FALSE(w.chkGrafico[5]->isChecked());
    EXPECT_FALSE(w.session().blnSeparati);
    EXPECT_EQ(w.session().GiroCorrente, 1);
    // What the session file keeps is back, to its last row.
    EXPECT_EQ(w.session().sessionLoad(), SessionLoad::Complete);
    EXPECT_EQ(w.session().FiltroMisura[5], 3);
    EXPECT_EQ(w.session().FiltroMisura[16], 2);
    EXPECT_EQ(w.shpColor[5]->colour(), 0x00FF00u);
    EXPECT_EQ(DatiSessione.Piloti, "Anna, Bruno");
    EXPECT_EQ(DatiSessione.Circuito, "Pista Collina");
}

// The alarms and lap-time files are named after the data file without its
// last four characters, the session file after it without its last three,
// whatever the data file's extension.
TEST_P(BothWindows, CompanionNamesCutTheDataFilesLastFourCharacters)
{
    const bool chart = GetParam() == AnalysisKind::Dati;
    const SessionFiles f = makeSession(16, 2, 20);
    struct Case {
        const char* data;
        const char* alarms;
        const char* laps;
        const char* session;
        const char* missingTxt; // reported before the ".alm" is taken
    } cases[] = {
        {"a.csvx", "a..txt", "a..tim", "a.cses", nullptr},
        {"b.csvx", "b..alm", "b..tim", "b.cses", "b..txt"},
        {"run.cs", "ru.txt", "ru.tim", "runses", nullptr},
        {"run.csv", "run.txt", "run.tim", "run.ses", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.data);
        msgs.clear();
        const QString folder = QStringLiteral("names-%1/").arg(QLatin1String(c.data));
        const QString file = writeFile(folder + c.data, f.data);
        writeFile(folder + c.alarms, f.alarms);
        writeFile(folder + c.laps, f.laps);
        frmAnalisiDati& w = open(file, GetParam());
        ASSERT_TRUE(loaded);
        EXPECT_TRUE(w.session().FileAllarmiPresente());
        EXPECT_EQ(w.session().intGiriCompletati, 2) << "the laps of " << c.laps;
        EXPECT_EQ(w.MSFlexGrid1->rowCount(), 5);
        ASSERT_TRUE(w.session().sources().alarmAt);
        EXPECT_NE(w.session().sources().alarmAt(3, 5), std::nullopt) << "the alarms of " << c.alarms;
        EXPECT_EQ(w.session().SessionFileName, path(folder + c.session));
        if (c.missingTxt) {
            ASSERT_EQ(msgs.shown.size(), 1u);
            EXPECT_EQ(msgs.shown[0].text, missingFileText(chart ? path(folder + c.missingTxt) : c.missingTxt));
        } else {
            EXPECT_TRUE(msgs.shown.empty()) << msgs.shown[0].text.toStdString();
        }
        if (!chart) {
            EXPECT_TRUE(fileBytes(path(folder + "schema.ini")).contains("\r\n[" + QByteArray(c.alarms) + "]\r\n"));
        }
        window.reset();
        EXPECT_EQ(QDir(path(folder)).entryList(QDir::Files).filter(QRegularExpression("ses$")),
                  QStringList{c.session});
    }
}

// A session file that cannot be read, or whose measure line 6 holds a field
// that is no number: the window opens without a word, with what was read
// before the fault (the fields of that line before it included) and the
// set-up's own settings after it; the file is left as it was.
TEST_P(BothWindows, SessionFileThatCannotBeReadWhollyOpensWithoutAWordAndIsKept)
{
    const SessionFiles f = makeSession(16, 2, 20);
    struct Row {
        int filter;
        quint32 colour;
        int width;
    };
    // The set-up's own settings, from a session without a session file.
    std::array<Row, kMaxMeasure + 1> setUp{};
    {
        const AnalysisSession& s = open(writeSession("plain/", f), GetParam()).session();
        ASSERT_TRUE(loaded);
        for (int i = kFirstMeasure; i <= kMaxMeasure; ++i)
            setUp[std::size_t(i)] = {s.FiltroMisura[i], s.colours[i], s.SpessoreMisura[i]};
        window.reset();
    }
    const QByteArray keys = "Sessione=Prova 2\r\nDataSessione=1/6/2024\r\nOraSessione=10:00\r\nCircuito= \r\n"
                            "LunghTracciato=1500\r\nVeicoloSessione=Kart\r\nPiloti=Anna\r\nNoteSessione=Pioggia\r\n";
    // Rows 3 to 5 as written; row 6 as the case has it; row 7 on would be
    // filter 9, colour 99, width 4.
    const auto file = [&](const QByteArray& row6) {
        QByteArray out = keys;
        for (int i = kFirstMeasure; i <= kMaxMeasure; ++i) {
            const QByteArray n = QByteArray::number(i);
            if (i < 6)
                out += "M" + n + ";" + n + ";" + n + "00;2;0;100\r\n";
            else if (i == 6)
                out += row6 + "\r\n";
            else
                out += "M" + n + ";9;99;4;0;100\r\n";
        }
        return out;
    };
    struct Case {
        const char* name;
        QByteArray row6; // empty: the file cannot be read at all
        SessionLoad load;
        Row six; // what row 6 shows; its field as the set-up left it where < 0
    } cases[] = {
        {"filter", "M6;x;600;3;0;100", SessionLoad::Partial, {-1, 0, -1}},
        {"colour", "M6;6;six;3;0;100", SessionLoad::Partial, {6, 0, -1}},
        {"width", "M6;6;600;3.5e;0;100", SessionLoad::Partial, {6, 600, -1}},
        {"maximum", "M6;6;600;3;0;cento", SessionLoad::Partial, {6, 600, 3}},
        {"too few fields", "M6;6;600;3", SessionLoad::Partial, {-1, 0, -1}},
        // Last: a system without such a file skips it.
        {"unreadable", {}, SessionLoad::Unreadable, {-1, 0, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        msgs.clear();
        DatiSessione.Sessione = QStringLiteral("the session before");
        const QString folder = QStringLiteral("bad-ses-%1/").arg(QLatin1String(c.name));
        const QString data = writeSession(folder, f);
        const QString ses = path(folder + "s.ses");
        if (c.row6.isEmpty()) {
            if (!makeUnreadable(ses))
                GTEST_SKIP() << "this system has no file that cannot be read";
        } else {
            writeFile(folder + "s.ses", file(c.row6));
        }
        const QByteArray before = fileBytes(ses);
        frmAnalisiDati& w = open(data, GetParam());
        ASSERT_TRUE(loaded);
        EXPECT_TRUE(msgs.shown.empty()) << msgs.shown[0].text.toStdString();
        const AnalysisSession& s = w.session();
        EXPECT_EQ(s.sessionLoad(), c.load);
        const bool read = c.load == SessionLoad::Partial;
        EXPECT_EQ(DatiSessione.Sessione, read ? "Prova 2" : "");
        EXPECT_EQ(DatiSessione.NoteSessione, read ? "Pioggia" : "");
        EXPECT_EQ(w.session().intGiriCompletati, 2) << "the window opens normally";
        for (int i = kFirstMeasure; i <= kMaxMeasure; ++i) {
            SCOPED_TRACE(i);
            const Row& own = setUp[std::size_t(i)];
            Row want = own;
            if (read && i < 6)
                want = {i, quint32(i * 100), 2};
            if (i == 6)
                want = {c.six.filter < 0 ? own.filter : c.six.filter, c.six.colour == 0 ? own.colour : c.six.colour,
                        c.six.width < 0 ? own.width : c.six.width};
            EXPECT_EQ(s.FiltroMisura[i], want.filter);
            EXPECT_EQ(w.shpColor[i]->colour(), want.colour);
            EXPECT_EQ(s.SpessoreMisura[i], want.width);
        }
        window.reset();
        EXPECT_TRUE(msgs.shown.empty());
        EXPECT_EQ(fileBytes(ses), before) << "what could not be read is not overwritten";
        EXPECT_EQ(QFileInfo(ses).isSymLink(), c.row6.isEmpty());
    }
}

// An alarms file that is there but cannot be read: the window says so, with
// the system's reason, and opens with what the data file holds. (Without
// lap numbers the chart window's laps have no samples; the fast window's
// zero-filled table puts every row in "Start".)
TEST_P(BothWindows, AlarmsFileThatCannotBeReadIsSaidAndTheWindowOpensWithTheData)
{
    const SessionFiles f = makeSession(16, 2, 20);
    const QString data = writeSession("noalarms/", f);
    const QString alarms = path("noalarms/s.txt");
    if (!makeUnreadable(alarms))
        GTEST_SKIP() << "this system has no file that cannot be read";
    frmAnalisiDati& w = open(data, GetParam());
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(w.session().FileAllarmiPresente());
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Exclamation);
    const QString head = QDir::toNativeSeparators(alarms) + ": ";
    EXPECT_TRUE(msgs.shown[0].text.startsWith(head)) << msgs.shown[0].text.toStdString();
    EXPECT_GT(msgs.shown[0].text.size(), head.size()) << "the system's reason";
    EXPECT_EQ(w.session().FieldsNum, 16);
    const qint64 firstRow = GetParam() == AnalysisKind::Dati ? 2 : 0;
    EXPECT_EQ(w.session().sources().valueAt(3, firstRow + 1), 31);
    EXPECT_EQ(w.session().intGiriCompletati, 2);
    window.reset();
    EXPECT_TRUE(QFileInfo::exists(path("noalarms/s.ses"))) << "the companion was there: the close writes";
}

// What a load leaves out of the data file, as the user reads it in both
// languages: a header too long, a row with a field too many, the columns
// past the twentieth (the chart window keeps 20; the fast one reads only
// the lap-time file's 16).
TEST_P(BothWindows, WhatTheLoadLeavesOutIsSaidInBothLanguages)
{
    SessionFiles f = makeSession(25, 1, 20);
    QList<QByteArray> lines = f.data.split('\n');
    lines[0].replace("M25 [u25]", "M25 [" + QByteArray(70000, 'u') + "]");
    lines[5].replace("\r", ";7\r");
    // Its bytes up to the line feed.
    const QString headerBytes = QString::number(lines[0].size());
    f.data = lines.join('\n');
    const bool chart = GetParam() == AnalysisKind::Dati;
    for (const int language : {0, 1}) {
        SCOPED_TRACE(language);
        loadShippedLanguages(language);
        msgs.clear();
        const QString data = writeSession(QStringLiteral("left-out%1/").arg(language), f);
        frmAnalisiDati& w = open(data, GetParam());
        ASSERT_TRUE(loaded);
        ASSERT_EQ(msgs.shown.size(), 1u);
        EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Exclamation);
        const QString where = QDir::toNativeSeparators(data) + ": ";
        QStringList want = {where + (language == 0 ? QStringLiteral("riga 1: %1 byte sono troppi per un'intestazione; "
                                                                     "si leggono solo i primi 65536")
                                                   : QStringLiteral("line 1: %1 bytes are too long for a header; only "
                                                                     "the first 65536 are read"))
                                        .arg(headerBytes)};
        if (chart)
            want << where + (language == 0 ? "25 colonne; si leggono solo le prime 20"
                                           : "25 columns; only the first 20 are read");
        want << where + (language == 0 ? "riga 6: 26 campi dove l'intestazione ne ha 25"
                                       : "line 6: 26 fields where the header has 25");
        EXPECT_EQ(msgs.shown[0].text.split('\n'), want);
        EXPECT_EQ(w.session().FieldsNum, chart ? 20 : 16);
        window.reset();
    }
}

TEST_P(BothWindows, PlaybackMovesByAHundredthAndStopsAtTheLapEndOrWhenTheWindowCloses)
{
    frmAnalisiDati& w = open(example, GetParam());
    ASSERT_TRUE(loaded);
    show();
    check(3);
    clickCell(kLap4Row, 1);
    QTest::mouseClick(w.cmdZoomIn50, Qt::LeftButton); // 0 .. 36.45

    QTest::mouseClick(w.cmdScorriDX, Qt::LeftButton);
    EXPECT_TRUE(w.playbackRunning());
    // A pass every 40 ms, not one after each redraw, which would play a
    // whole view in a quarter of a second.
    EXPECT_EQ(w.playbackTickMs(), 40);
    EXPECT_FALSE(w.cmdScorriSX->isEnabled());
    EXPECT_EQ(w.cmdScorriDX->palette().color(QPalette::Button), colorFromValue(0x00FF00));
    EXPECT_FALSE(w.NTGraph1->cursorTracking());
    // The first playback redraws where it stands, then moves a hundredth
    // of the width a pass.
    w.playbackPass();
    const double width = w.session().MaxX - w.session().MinX;
    EXPECT_NEAR(w.session().MinX, 0.0, 1e-9);
    w.playbackPass();
    EXPECT_NEAR(w.session().MinX, width / 100, 1e-9);
    EXPECT_NEAR(w.session().MaxX - w.session().MinX, width, 1e-9);
    EXPECT_NEAR(w.NTGraph1->range().xFrom, w.session().MinX, 1e-9);
    EXPECT_EQ(w.txtValore[1]->text(), readoutText(0.4)) << "the read-out follows the view";

    // The timer plays on by itself, a pass a tick.
    const double at = w.session().MinX;
    QTest::qWait(200);
    EXPECT_GT(w.session().MinX, at);

    // It ends once the view passes the lap's end.
    for (int pass = 0; pass < 1000 && w.playbackRunning(); ++pass)
        w.playbackPass();
    EXPECT_FALSE(w.playbackRunning());
    EXPECT_GT(w.session().MaxX, 72.8);
    EXPECT_TRUE(w.cmdScorriSX->isEnabled());
    EXPECT_TRUE(w.NTGraph1->cursorTracking());

    // A second click stops it; closing the window mid-playback too.
    QTest::mouseClick(w.cmdScorriSX, Qt::LeftButton);
    EXPECT_TRUE(w.playbackRunning());
    QTest::mouseClick(w.cmdScorriSX, Qt::LeftButton);
    EXPECT_FALSE(w.playbackRunning());
    QTest::mouseClick(w.cmdScorriDX, Qt::LeftButton);
    ASSERT_TRUE(w.playbackRunning());
    w.close();
    EXPECT_FALSE(w.playbackRunning());
    EXPECT_FALSE(StatoComunicazione.AnalisiAperta);
    QTest::qWait(150);
    window.reset();
    QTest::qWait(50);
}

// The main window's status bar while a window loads: each step's texts,
// and past the thousandth row of a table the share read so far.
TEST_P(BothWindows, StatusBarTellsEachStepOfTheLoadInBothLanguages)
{
    const bool chart = GetParam() == AnalysisKind::Dati;
    struct Case {
        int laps, lapRows; // (laps + 2) x lapRows data rows
    } cases[] = {{3, 200}, {5, 143}};
    for (const int language : {0, 1}) {
        loadShippedLanguages(language);
        for (const Case& c : cases) {
            const int rows = (c.laps + 2) * c.lapRows;
            SCOPED_TRACE(std::to_string(rows) + " rows, language " + std::to_string(language));
            const SessionFiles f = makeSession(16, c.laps, c.lapRows);
            const QString folder = QStringLiteral("status%1/").arg(rows);
            const QString file = writeFile(folder + "s.csv", f.data);
            writeFile(folder + "s.txt", f.alarms);
            writeFile(folder + "s.tim", f.laps);
            window.reset();
            surface.panelTexts.clear();
            open(file, GetParam());
            ASSERT_TRUE(loaded);
            EXPECT_FALSE(surface.busy);

            const QString done = languageText(141) + " 100 %";
            Panels want = {{2, languageText(140)}, {3, languageText(141)}};
            if (chart || rows > 1000)
                want.emplace_back(3, done);
            if (chart)
                want.insert(want.end(), {{2, QString()}, {3, languageText(142)}});
            want.insert(want.end(), {{2, languageText(301)}, {3, languageText(141)}});
            if (chart || rows > 1000)
                want.emplace_back(3, done);
            want.insert(want.end(), {{1, QString()}, {3, QString()}, {2, QDir::toNativeSeparators(file)}});
            EXPECT_EQ(chart ? loadSteps(surface.panelTexts) : surface.panelTexts, want);
        }
    }
}

// A companion longer than the data: the fast window counts its rows against
// the data's, the chart window each file against its own.
TEST_P(BothWindows, ProgressOfACompanionLongerThanTheData)
{
    const bool chart = GetParam() == AnalysisKind::Dati;
    SessionFiles f = makeSession(16, 3, 240); // 1200 rows
    f.data = f.data.split('\n').mid(0, 1002).join('\n') + '\n'; // the header and 1001 rows
    const QString file = writeSession(QStringLiteral("longer/"), f);
    surface.panelTexts.clear();
    open(file, GetParam());
    ASSERT_TRUE(loaded);

    const Panels& texts = surface.panelTexts;
    const auto alarmsStep = std::find(texts.begin(), texts.end(), std::make_pair(2, languageText(301)));
    ASSERT_NE(alarmsStep, texts.end());
    const auto done = std::make_pair(3, languageText(141) + " 100 %");
    EXPECT_EQ(std::count(texts.begin(), alarmsStep, done), 1) << "1001 data rows: 100 once";
    const Panels alarms = loadSteps(Panels(alarmsStep, texts.end()));
    ASSERT_GE(alarms.size(), 3u);
    EXPECT_EQ(alarms[2], std::make_pair(3, languageText(141) + (chart ? " 100 %" : " 120 %")));
}

// An outline file that ends on a bad line: the map shows the points before
// it and repeats none.
TEST_P(BothWindows, MapOfAnOutlineThatEndsOnABadLine)
{
    writeFile(QStringLiteral("tracks/Pista Collina.trk"), "0,0\r\n10,0\r\n10,10\r\nend,\r\n");
    frmAnalisiDati& w = open(example, GetParam());
    ASSERT_TRUE(loaded);
    w.Toolbar1_ButtonClick(QStringLiteral("Circuito"));
    ASSERT_TRUE(w.session().blnCircuitoVisibile());
    EXPECT_EQ(w.Picture1->outline(), (std::vector<MapPoint>{{0, 0}, {10, 0}, {10, 10}}));
    EXPECT_EQ(w.Picture1->markerPoint(), 0);
}

TEST_P(BothWindows, StatisticsStopWithoutAWordAtALapTimeThatCannotBeRead)
{
    SessionFiles f = makeSession(16, 3, 20);
    f.laps = "1.4\r\n01:01.00, 1\r\nxx:yy.zz, 1\r\n01:03.00, 1\r\n\r\n";
    const QString file = writeFile("badlap/s.csv", f.data);
    writeFile("badlap/s.txt", f.alarms);
    writeFile("badlap/s.tim", f.laps);
    // The dialogs address the window of the kind the program opens.
    UsaAnalisiSpeed = GetParam() == AnalysisKind::DatiSpeed;
    frmAnalisiDati& w = open(file, GetParam());
    ASSERT_TRUE(loaded);
    ASSERT_EQ(w.session().intGiriCompletati, 3);
    w.toolButton("Statistiche")->trigger();
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(w.findChild<dlgStatistiche*>(), nullptr);
    // The total as far as it came; what follows it was never computed.
    EXPECT_EQ(w.session().TempoTotale, "00:01:01.00");
    EXPECT_EQ(w.session().TempoMedioGiro, "");
    EXPECT_EQ(w.session().strGiroVeloce, "");

    // Once the lap time reads, the statistics open.
    w.session().TabellaGiri[3][1] = QStringLiteral("01:02.00");
    w.toolButton("Statistiche")->trigger();
    EXPECT_NE(w.findChild<dlgStatistiche*>(), nullptr);
    EXPECT_EQ(w.session().TempoTotale, "00:03:06.00");
    EXPECT_EQ(w.session().TempoMedioGiro, "01:02.00");
}

// The nine arguments of the chart print, as the page shows them: the header
// with the drivers' and notes' line breaks as blanks, then the trace names
// of the tab on show.
TEST_P(BothWindows, ChartPrintTakesTheSessionHeaderAndTheNamesOfTheTabShown)
{
    frmAnalisiDati& w = open(example, GetParam());
    ASSERT_TRUE(loaded);
    show();
    check(4);
    clickCell(kLap4Row, 1);
    DatiSessione.Piloti = QStringLiteral("Anna\r\nBruno");
    DatiSessione.NoteSessione = QStringLiteral("wet\nthen dry");
    PrintRecorder recorder;
    setPrinter(&recorder);
    w.SSTab1->setCurrentIndex(1);
    w.toolButton("Stampa")->trigger();
    w.SSTab1->setCurrentIndex(0);
    w.toolButton("Stampa")->trigger();
    EXPECT_TRUE(msgs.shown.empty());
    ASSERT_EQ(recorder.documents.size(), 2u);
    const auto texts = [&](std::size_t document) {
        std::vector<QString> out;
        for (const QString& c : recorder.documents[document].calls)
            if (c.startsWith(QStringLiteral("text ")))
                out.push_back(c.mid(5));
        return out;
    };
    const SessionRecord& s = DatiSessione;
    std::vector<QString> header = {languageText(195) + s.Sessione,        languageText(196) + s.DataSessione,
                                   languageText(197) + s.OraSessione,     languageText(198) + "Pista Collina",
                                   languageText(199) + s.VeicoloSessione, languageText(200) + "Anna  Bruno",
                                   languageText(201) + "wet then dry"};
    std::vector<QString> alarms = header;
    for (int k = 0; k < 8; ++k)
        alarms.push_back(languageText(274 + k));
    EXPECT_EQ(texts(0), alarms) << "the alarms tab names the eight alarms, no heading";
    EXPECT_EQ(recorder.documents[0].title, header[0]);
    std::vector<QString> measures = header;
    measures.push_back(languageText(202) + ":");
    measures.push_back(w.lblNomeCampo[4]->text());
    EXPECT_EQ(texts(1), measures);
}

// The chart settings refuse only what would break the drawing: a width below
// 1 and a minimum above the maximum are stored as typed.
TEST_P(BothWindows, ChartSettingsStoreAWidthBelowOneAndAMinimumAboveTheMaximumAsTyped)
{
    // The dialog finds the window of the kind the program uses.
    UsaAnalisiSpeed = GetParam() == AnalysisKind::DatiSpeed;
    frmAnalisiDati& w = open(example, GetParam());
    ASSERT_TRUE(loaded);
    show();
    check(4);
    check(6);
    clickCell(kLap4Row, 1);
    w.toolButton("Separati")->trigger();
    ASSERT_TRUE(w.session().blnSeparati);
    ASSERT_TRUE(w.cmdSetGraph[4]->isEnabled());
    ModalDriver user;
    user.on("zuv::dlgSetGraph", [](QWidget& d) {
        auto& g = static_cast<dlgSetGraph&>(d);
        EXPECT_TRUE(g.fraScalaDisegno->isVisible());
        g.cboWidth->setEditText(QStringLiteral("0"));
        g.txtMinVal->setText(QStringLiteral("5"));
        g.txtMaxVal->setText(QStringLiteral("1"));
        QTest::mouseClick(g.OKButton, Qt::LeftButton);
    });
    QTest::mouseClick(w.cmdSetGraph[4], Qt::LeftButton);
    EXPECT_TRUE(user.waitDone());
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(w.session().SpessoreMisura[4], 0);
    EXPECT_EQ(w.session().ValoriMin[4], 5.0);
    EXPECT_EQ(w.session().ValoriMax[4], 1.0);
    // Still drawn, the width below 1 as the thinnest line.
    ASSERT_EQ(w.NTGraph1->elementCount(), 2);
    EXPECT_EQ(w.NTGraph1->elementPlottable(w.session().IndiceElemento[4][0])->pen().width(), 1);
}

// Separate mode: each measure in a band of its own, whose y axis runs from
// its minimum less a tenth of its size to its maximum plus a tenth of it,
// read off the chart through every change of the view. Turbo pressure runs
// from -0.6 to 1.1 bar in lap 4: its band shows -0.66 to 1.21.
TEST_P(BothWindows, SeparateBandsShowEachMeasuresOwnRange)
{
    frmAnalisiDati& w = open(example, GetParam());
    ASSERT_TRUE(loaded);
    show();
    const int measures[] = {4, 9, 14}; // speed, G sensor, turbo pressure
    for (int i : measures)
        check(i);
    clickCell(kLap4Row, 1);
    w.toolButton("Separati")->trigger();
    const DataSources& src = w.session().sources();
    const auto ownRanges = [&](const char* step) {
        SCOPED_TRACE(step);
        show();
        ChartComponent& chart = *w.NTGraph1;
        ASSERT_EQ(chart.bandCount(), 3);
        ASSERT_EQ(chart.elementCount(), 3);
        const ChartComponent::Range overlaid = chart.range();
        for (int b = 1; b <= 3; ++b) {
            const int i = measures[b - 1];
            double lo = std::numeric_limits<double>::max();
            double hi = -lo;
            for (qint64 r = w.session().lapFirst(); r <= w.session().lapEnd(); ++r)
                if (const std::optional<double> v = src.valueAt(i, r)) {
                    lo = std::min(lo, *v);
                    hi = std::max(hi, *v);
                }
            QCPAxisRect* rect = chart.bandRect(b);
            EXPECT_TRUE(chart.plot()->axisRects().contains(rect)) << "band " << b << " on show";
            QCPAxis* y = rect->axis(QCPAxis::atLeft);
            EXPECT_EQ(chart.elementPlottable(b - 1)->valueAxis(), y) << i;
            EXPECT_NEAR(y->range().lower, lo - std::abs(lo) * 0.1, 1e-9) << i;
            EXPECT_NEAR(y->range().upper, hi + std::abs(hi) * 0.1, 1e-9) << i;
            EXPECT_NE(y->range().lower, overlaid.yFrom) << i;
            EXPECT_EQ(chart.bandRange(b).yFrom, y->range().lower) << i;
            EXPECT_EQ(chart.bandRange(b).yTo, y->range().upper) << i;
            EXPECT_EQ(y->label(), w.lblNomeCampo[i]->text() + " " + w.lblUM[i]->text());
        }
        const QCPRange turbo = chart.bandRect(3)->axis(QCPAxis::atLeft)->range();
        if (w.session().GiroCorrente == kLap4Row) {
            EXPECT_NEAR(turbo.lower, -0.66, 1e-9);
            EXPECT_NEAR(turbo.upper, 1.21, 1e-9);
        }
    };
    ownRanges("Separati");
    QTest::mouseClick(w.cmdZoomIn50, Qt::LeftButton);
    ownRanges("+50%");
    QTest::mouseClick(w.cmdSpostaDX1, Qt::LeftButton);
    ownRanges(">");
    QTest::mouseClick(w.cmdScorriDX, Qt::LeftButton);
    w.playbackPass();
    w.playbackPass();
    QTest::mouseClick(w.cmdScorriDX, Qt::LeftButton);
    ownRanges("playback");
    w.toolButton("DimOriginali")->trigger();
    ownRanges("original size");
    w.SSTab1->setCurrentIndex(1);
    QTest::mouseClick(w.cmdZoomOut10, Qt::LeftButton);
    w.SSTab1->setCurrentIndex(0);
    ownRanges("zoom on the alarms tab");

    // A fourth measure has no room: the redraws that refuse it leave the
    // three bands as they stood, with the view's new x range.
    check(3);
    QTest::mouseClick(w.cmdSpostaDX10, Qt::LeftButton);
    const double from = w.session().MinX;
    ownRanges("a fourth measure, then >>");
    EXPECT_NEAR(w.NTGraph1->bandRect(1)->axis(QCPAxis::atBottom)->range().lower, from, 1e-9);
    check(3);
    clickCell(6, 1);
    ownRanges("lap 5");
}

// The fast window draws from arrays of the view's rows: from a view that
// starts after the lap's end it stops at the first checked measure, whose
// row and every later one keep their looks, and has drawn nothing. The
// chart window hands its chart the reversed rows, drawing nothing either.
TEST_P(BothWindows, AViewAfterTheLapsEndDrawsNoTrace)
{
    frmAnalisiDati& w = open(example, GetParam());
    ASSERT_TRUE(loaded);
    show();
    check(5);
    check(9);
    clickCell(kLap4Row, 1);
    ASSERT_EQ(w.NTGraph1->elementCount(), 2);
    // ">>" moves by a tenth of the width: eleven start after the lap.
    for (int k = 0; k < 11; ++k)
        QTest::mouseClick(w.cmdSpostaDX10, Qt::LeftButton);
    ASSERT_GT(w.session().RigaInizioTraccia, w.session().RigaFineTraccia);
    EXPECT_EQ(w.NTGraph1->elementCount(), 0);

    check(9); // unchecked, with the view still there
    const bool fast = GetParam() == AnalysisKind::DatiSpeed;
    EXPECT_EQ(w.NTGraph1->elementCount(), 0);
    EXPECT_EQ(w.session().UltimaMisuraDisegnata, fast ? 0 : 5);
    EXPECT_TRUE(w.txtValore[5]->font().bold());
    EXPECT_TRUE(w.cmdSetGraph[5]->isEnabled());
    EXPECT_EQ(w.txtValore[9]->font().bold(), fast);
    EXPECT_EQ(w.cmdSetGraph[9]->isEnabled(), fast);
    EXPECT_EQ(w.optScala[9]->isEnabled(), fast);
    EXPECT_FALSE(w.txtValore[4]->font().bold());

    // Back inside the lap both draw as before.
    w.toolButton("DimOriginali")->trigger();
    EXPECT_EQ(w.NTGraph1->elementCount(), 1);
    EXPECT_EQ(w.session().UltimaMisuraDisegnata, 5);
    EXPECT_FALSE(w.txtValore[9]->font().bold());
    EXPECT_FALSE(w.cmdSetGraph[9]->isEnabled());
}

// With nothing drawn every box shows the first trace row and the map marker
// stays where it was, in both windows.
TEST_P(BothWindows, NothingDrawnLeavesTheMapMarkerWhereItIs)
{
    frmAnalisiDati& w = open(example, GetParam());
    ASSERT_TRUE(loaded);
    show();
    clickCell(kLap4Row, 1);
    w.Toolbar1_ButtonClick(QStringLiteral("Circuito"));
    ASSERT_TRUE(w.session().blnCircuitoVisibile());
    check(6);
    QTest::mouseClick(w.cmdSpostaDX10, Qt::LeftButton);
    const qint64 moved = w.Picture1->markerPoint();
    EXPECT_GT(moved, 0) << "a tenth into the lap";

    check(6);
    ASSERT_EQ(w.session().UltimaMisuraDisegnata, 0);
    for (int k = 0; k < 3; ++k) {
        QTest::mouseClick(w.cmdSpostaDX10, Qt::LeftButton);
        EXPECT_EQ(w.Picture1->markerPoint(), moved);
        EXPECT_EQ(w.txtValore[1]->text(), readoutText(*w.session().sources().valueAt(1, w.session().RigaInizioTraccia)));
    }
    clickChart(*w.NTGraph1, w.session().MinX + 5);
    EXPECT_EQ(w.Picture1->markerPoint(), moved);

    // Drawn again, it follows the cursor.
    check(6);
    QTest::mouseClick(w.cmdSpostaDX1, Qt::LeftButton);
    EXPECT_GT(w.Picture1->markerPoint(), moved);
}

// A value of 1e308 in a measure: the overlay factors stay finite (a measure
// that stays 0 over the lap would get 1e308 / 0.01) and the chart takes a
// y range out to 1.1e308, so every trace is drawn inside it.
TEST_P(BothWindows, AValueFarOutStillDrawsEveryTrace)
{
    SessionFiles f = makeSession(6, 2, 30);
    QList<QByteArray> lines = f.data.split('\n');
    // Lap 1 is on lines 31 to 60: measure 5 reaches 1e308 there, 6 stays 0.
    for (int line = 31; line <= 60; ++line) {
        QList<QByteArray> fields = lines[line].trimmed().split(';');
        fields[5] = "0";
        if (line == 40)
            fields[4] = "1e308";
        lines[line] = fields.join(';') + '\r';
    }
    f.data = lines.join('\n');
    const QString file = writeFile("far/s.csv", f.data);
    writeFile("far/s.txt", f.alarms);
    writeFile("far/s.tim", f.laps);
    frmAnalisiDati& w = open(file, GetParam());
    ASSERT_TRUE(loaded);
    show();
    for (int i : {3, 5, 6})
        check(i);
    clickCell(2, 1);
    ASSERT_EQ(w.session().ValoriMax[5], 1e308);
    EXPECT_DOUBLE_EQ(w.session().MaxY, 1.1e308);
    for (int i = 3; i <= 6; ++i)
        EXPECT_TRUE(std::isfinite(w.session().FattoriScala[i])) << i;
    EXPECT_EQ(w.session().FattoriScala[5], 1.0);

    const auto everyTraceInside = [&](const char* mode) {
        SCOPED_TRACE(mode);
        show();
        ChartComponent& chart = *w.NTGraph1;
        ASSERT_EQ(chart.elementCount(), 3);
        for (int e = 0; e < 3; ++e) {
            const auto* graph = qobject_cast<const QCPGraph*>(chart.elementPlottable(e));
            ASSERT_TRUE(graph);
            EXPECT_GE(graph->dataCount(), 29) << e;
            const QCPRange y = graph->valueAxis()->range();
            for (auto it = graph->data()->constBegin(); it != graph->data()->constEnd(); ++it) {
                ASSERT_TRUE(std::isfinite(it->value)) << e;
                EXPECT_TRUE(it->value >= y.lower && it->value <= y.upper) << e << ": " << it->value;
            }
        }
    };
    const ChartComponent::Range r = w.NTGraph1->range();
    EXPECT_DOUBLE_EQ(r.yFrom, w.session().MinY);
    EXPECT_DOUBLE_EQ(r.yTo, 1.1e308);
    everyTraceInside("overlaid");

    w.toolButton("Separati")->trigger();
    EXPECT_DOUBLE_EQ(w.NTGraph1->bandRange(2).yTo, 1.1e308);
    EXPECT_DOUBLE_EQ(w.NTGraph1->bandRange(2).yFrom, 45);
    everyTraceInside("separate");
}

// --- the chart window --------------------------------------------------------------

TEST_F(AnalysisTest, ZoomAndMoveFollowTheButtonsAndBothChartsShareTheRange)
{
    frmAnalisiDati& w = open(example);
    ASSERT_TRUE(loaded);
    show();
    check(3);
    clickCell(kLap4Row, 1);
    QTest::mouseClick(w.cmdZoomIn10, Qt::LeftButton);
    EXPECT_NEAR(w.NTGraph1->range().xTo, 72.9 * 0.9, 1e-9);
    QTest::mouseClick(w.cmdZoomOut10, Qt::LeftButton);
    EXPECT_NEAR(w.NTGraph1->range().xTo, 72.9, 1e-9) << "-10% undoes +10%";
    QTest::mouseClick(w.cmdZoomOut50, Qt::LeftButton);
    EXPECT_NEAR(w.NTGraph1->range().xTo, 145.8, 1e-9);
    EXPECT_EQ(w.session().PassoDisegno, 3);
    EXPECT_EQ(keys(*w.NTGraph1).size(), 244u) << "730 rows every third";
    EXPECT_NEAR(w.NTGraphAll->range().xTo, 145.8, 1e-9);
    EXPECT_FALSE(surface.busy);

    // A move is a hundredth of the width, ten of them for the double one.
    QTest::mouseClick(w.cmdSpostaDX10, Qt::LeftButton);
    EXPECT_NEAR(w.NTGraph1->range().xFrom, 14.58, 1e-9);
    QTest::mouseClick(w.cmdSpostaSX1, Qt::LeftButton);
    EXPECT_NEAR(w.NTGraph1->range().xFrom, 14.58 - 1.458, 1e-9);
    // The traces start where the view does, from the lap's own row.
    EXPECT_NEAR(keys(*w.NTGraph1).front(), 13.1, 1e-9);
    EXPECT_EQ(w.session().RigaInizioTraccia, kLap4First + 131);

    // The alarms tab takes the measures chart's range.
    QTest::mouseClick(w.cmdZoomIn50, Qt::LeftButton);
    w.SSTab1->setCurrentIndex(1);
    EXPECT_NEAR(w.NTGraphAll->range().xFrom, w.NTGraph1->range().xFrom, 1e-9);
    EXPECT_NEAR(w.NTGraphAll->range().xTo, w.NTGraph1->range().xTo, 1e-9);
    EXPECT_EQ(w.session().SchedaCorrente, 1);

    // Zooming in stops at one sample, and the zoom-in buttons go off there.
    for (int i = 0; i < 40 && w.cmdZoomIn50->isEnabled(); ++i)
        QTest::mouseClick(w.cmdZoomIn50, Qt::LeftButton);
    EXPECT_FALSE(w.cmdZoomIn10->isEnabled());
    EXPECT_NEAR(w.NTGraph1->range().xTo - w.NTGraph1->range().xFrom, 0.1, 1e-6);
    QTest::mouseClick(w.cmdZoomOut50, Qt::LeftButton);
    EXPECT_TRUE(w.cmdZoomIn10->isEnabled());

    // "Original size" goes back to the whole lap.
    w.toolButton("DimOriginali")->trigger();
    EXPECT_NEAR(w.NTGraph1->range().xFrom, 0.0, 1e-9);
    EXPECT_NEAR(w.NTGraphAll->range().xTo, 72.9, 1e-9);
}

TEST_F(AnalysisTest, ToolbarSwitchesOverlaidAndSeparateTracesAndTheZoomMode)
{
    frmAnalisiDati& w = open(example);
    ASSERT_TRUE(loaded);
    show();
    QAction* split = w.toolButton("Separati");
    QAction* overlaid = w.toolButton("Sovrapposti");
    QAction* zoom = w.toolButton("SetZoom");
    EXPECT_TRUE(overlaid->isChecked());
    EXPECT_FALSE(split->isChecked());
    for (int i : {3, 5, 9})
        check(i);
    split->trigger();
    EXPECT_TRUE(w.session().blnSeparati);
    EXPECT_TRUE(split->isChecked());
    EXPECT_FALSE(overlaid->isChecked());
    EXPECT_FALSE(zoom->isEnabled());
    EXPECT_EQ(w.NTGraph1->bandCount(), 3);
    EXPECT_EQ(w.NTGraph1->elementCount(), 3);
    // Each band has its own y range around its measure.
    const ChartComponent::Range b2 = w.NTGraph1->bandRange(2);
    EXPECT_LE(b2.yFrom, w.session().ValoriMin[5]);
    EXPECT_GE(b2.yTo, w.session().ValoriMax[5]);

    // A fourth measure is checked, but separate mode has no room for it:
    // each redraw says so, the scale option's and the box's own, and the
    // chart keeps its three bands. "Separati" keeps its state.
    check(12);
    EXPECT_TRUE(w.chkGrafico[12]->isChecked());
    EXPECT_EQ(w.session().NumGraficiAttivi, 4);
    ASSERT_EQ(msgs.shown.size(), 2u);
    for (const ShownMessage& m : msgs.shown) {
        EXPECT_EQ(m.text, languageText(145));
        EXPECT_EQ(m.icon, MsgIcon::Information);
    }
    EXPECT_EQ(w.NTGraph1->elementCount(), 3);
    EXPECT_EQ(w.NTGraph1->bandCount(), 3);
    EXPECT_TRUE(split->isEnabled());
    // "Separati" again on the measures tab: once from the zoom mode's
    // redraw, once from its own check; separate mode stays.
    msgs.clear();
    split->trigger();
    EXPECT_EQ(msgs.shown.size(), 2u);
    EXPECT_TRUE(w.session().blnSeparati);
    EXPECT_TRUE(split->isChecked());
    EXPECT_FALSE(overlaid->isChecked());
    EXPECT_FALSE(zoom->isEnabled());
    EXPECT_EQ(w.NTGraph1->bandCount(), 3);
    // Back to three, the redraw draws them again.
    msgs.clear();
    check(12);
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(w.NTGraph1->elementCount(), 3);

    overlaid->trigger();
    EXPECT_FALSE(w.session().blnSeparati);
    EXPECT_EQ(w.NTGraph1->bandCount(), 0);
    EXPECT_TRUE(zoom->isEnabled());
    check(12);
    EXPECT_FALSE(split->isEnabled()) << "four measures cannot be set apart";

    zoom->trigger();
    EXPECT_TRUE(w.session().ModoZoom);
    EXPECT_TRUE(zoom->isChecked());
    EXPECT_EQ(w.NTGraph1->mouseMode(), 2);
    EXPECT_FALSE(w.cmdZoomIn10->isEnabled());
    // The zoom mode lasts through redraws.
    QTest::mouseClick(w.cmdSpostaDX1, Qt::LeftButton);
    EXPECT_EQ(w.NTGraph1->mouseMode(), 2);
    zoom->trigger();
    EXPECT_EQ(w.NTGraph1->mouseMode(), 0);
    EXPECT_TRUE(w.cmdZoomIn10->isEnabled());

    // "Separati" ends the zoom mode, but "SetZoom" keeps its look and the
    // zoom-in buttons their state; "Sovrapposti" shows the mode again.
    check(12);
    zoom->trigger();
    ASSERT_TRUE(w.session().ModoZoom);
    split->trigger();
    EXPECT_FALSE(w.session().ModoZoom);
    EXPECT_EQ(w.NTGraph1->mouseMode(), 0);
    EXPECT_TRUE(zoom->isChecked());
    EXPECT_FALSE(zoom->isEnabled());
    EXPECT_FALSE(w.cmdZoomIn10->isEnabled());
    EXPECT_FALSE(w.cmdZoomIn50->isEnabled());
    overlaid->trigger();
    EXPECT_FALSE(zoom->isChecked());
    EXPECT_TRUE(zoom->isEnabled());

    // A key it does not know does nothing.
    w.Toolbar1_ButtonClick(QStringLiteral("Nothing"));
    EXPECT_TRUE(w.isVisible());
}

// A playback pass whose redraw has no room for a fourth separate measure
// shows its box, and the next pass waits until the user has answered it.
TEST_F(AnalysisTest, PlaybackWaitsForTheBoxOfARedrawThatHasNoRoom)
{
    frmAnalisiDati& w = open(example);
    ASSERT_TRUE(loaded);
    show();
    for (int i : {3, 4, 5})
        check(i);
    clickCell(kLap4Row, 1);
    QTest::mouseClick(w.cmdZoomIn50, Qt::LeftButton);
    w.toolButton("Separati")->trigger();
    check(6);
    QTest::mouseClick(w.cmdScorriDX, Qt::LeftButton);
    ASSERT_TRUE(w.playbackRunning());

    QtMessages real;
    setMessages(&real);
    ModalDriver user;
    bool waiting = false;
    user.on(
        "QMessageBox",
        [&](QWidget& box) {
            waiting = !w.playbackRunning();
            QTest::mouseClick(static_cast<QMessageBox&>(box).button(QMessageBox::Ok), Qt::LeftButton);
        },
        QStringLiteral("the redraw's box"));
    w.playbackPass();
    setMessages(&msgs);
    EXPECT_TRUE(user.waitDone());
    ASSERT_EQ(user.boxes.size(), 1u);
    EXPECT_EQ(user.boxes[0].text, languageText(145));
    EXPECT_EQ(user.boxes[0].owner, &w);
    EXPECT_TRUE(waiting);
    EXPECT_TRUE(w.playbackRunning()) << "it plays on once answered";
    QTest::mouseClick(w.cmdScorriDX, Qt::LeftButton);
    EXPECT_FALSE(w.playbackRunning());
    EXPECT_EQ(w.NTGraph1->bandCount(), 3);
}

TEST_F(AnalysisTest, DialogsOpenFromTheToolbarAndTheSetButtonsAndCloseWithTheWindow)
{
    frmAnalisiDati& w = open(example);
    ASSERT_TRUE(loaded);
    show();
    check(4);
    clickCell(kLap4Row, 1);

    w.toolButton("Statistiche")->trigger();
    w.toolButton("ReportGiri")->trigger();
    QPointer<dlgStatistiche> stats = w.findChild<dlgStatistiche*>();
    QPointer<dlgReportGiri> report = w.findChild<dlgReportGiri*>();
    ASSERT_TRUE(stats);
    ASSERT_TRUE(report);
    EXPECT_TRUE(stats->isVisible());
    EXPECT_FALSE(w.session().TempoTotale.isEmpty());

    // The chart settings of a measure: a filter of 2 thins its trace.
    {
        ModalDriver user;
        user.on("zuv::dlgSetGraph", [](QWidget& d) {
            auto& g = static_cast<dlgSetGraph&>(d);
            EXPECT_EQ(g.IndiceGrafico, 4);
            g.txtFiltro->setText(QStringLiteral("2"));
            QTest::mouseClick(g.OKButton, Qt::LeftButton);
        });
        QTest::mouseClick(w.cmdSetGraph[4], Qt::LeftButton);
        EXPECT_TRUE(user.waitDone());
    }
    EXPECT_EQ(w.session().FiltroMisura[4], 2);
    EXPECT_EQ(keys(*w.NTGraph1).size(), 365u);

    // The session data dialog: the lap table is rebuilt, also after Cancel.
    {
        ModalDriver user;
        user.on("zuv::dlgDatiSessione", [](QWidget& d) { static_cast<QDialog&>(d).reject(); });
        w.toolButton("DatiSessione")->trigger();
        EXPECT_TRUE(user.waitDone());
    }
    EXPECT_EQ(w.session().SettoriGiro, 4);
    EXPECT_FALSE(w.MSFlexGrid1->text(2, 2).isEmpty());
    EXPECT_EQ(w.MSFlexGrid1->cellBackground(6, 1), colorFromValue(65280));

    w.ChiudiGrafico();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(stats.isNull());
    EXPECT_TRUE(report.isNull());
}

TEST_F(AnalysisTest, StatisticsKeysNeedACompletedLap)
{
    const SessionFiles f = makeSession(16, 0, 30);
    const QString file = writeFile("nolap/s.csv", f.data);
    writeFile("nolap/s.txt", f.alarms);
    writeFile("nolap/s.tim", f.laps);
    frmAnalisiDati& w = open(file);
    ASSERT_TRUE(loaded);
    // No lap: the grid is hidden and the recording shows as one stretch.
    EXPECT_FALSE(w.MSFlexGrid1->isVisibleTo(&w));
    EXPECT_EQ(w.session().GiroCorrente, 2);
    EXPECT_TRUE(w.SSTab1->isVisibleTo(&w));
    for (const char* key : {"Statistiche", "StatisticheMisure", "ReportGiri"}) {
        msgs.clear();
        w.toolButton(QLatin1String(key))->trigger();
        ASSERT_EQ(msgs.shown.size(), 1u) << key;
        EXPECT_EQ(msgs.shown[0].text, languageText(302));
        EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Information);
    }
}

TEST_F(AnalysisTest, SixteenAndFifteenColumnsShowTheirRows)
{
    for (int columns : {16, 15, 12}) {
        const SessionFiles f = makeSession(columns, 2, 20);
        const QString file = writeFile(QStringLiteral("cols%1/s.csv").arg(columns), f.data);
        writeFile(QStringLiteral("cols%1/s.txt").arg(columns), f.alarms);
        writeFile(QStringLiteral("cols%1/s.tim").arg(columns), f.laps);
        frmAnalisiDati& w = open(file);
        ASSERT_TRUE(loaded);
        EXPECT_EQ(w.session().FieldsNum, columns);
        for (int i = 3; i <= 20; ++i) {
            EXPECT_EQ(w.chkGrafico[i]->isVisibleTo(&w), i <= columns) << columns << ": " << i;
            EXPECT_EQ(w.lblUM[i]->isVisibleTo(&w), i <= columns) << columns << ": " << i;
        }
        EXPECT_EQ(w.lblUM[columns]->text(), QStringLiteral("[u%1]").arg(columns));
    }
}

// Measures 17 to 20 have no language text of their own: they keep the words
// of their headers, at the load and at every activation.
TEST_F(AnalysisTest, MeasuresSeventeenToTwentyAreNamedFromTheirHeaders)
{
    frmAnalisiDati& w = open(writeSession("cols20/", makeSession(20, 2, 20)));
    ASSERT_TRUE(loaded);
    show();
    TabellaLingua.IndiceLingua = 0;
    computeLanguageOffset();
    w.RefreshLanguage();
    for (int i = 17; i <= 20; ++i) {
        EXPECT_EQ(w.lblNomeCampo[i]->text(), QStringLiteral("M%1").arg(i));
        EXPECT_EQ(w.lblUM[i]->text(), QStringLiteral("[u%1]").arg(i));
    }
    EXPECT_EQ(w.lblNomeCampo[16]->text(), languageText(320));
}

TEST_F(AnalysisTest, CompanionFileTxtThenAlmThenNeither)
{
    const SessionFiles f = makeSession(16, 2, 20);
    struct Case {
        const char* name;
        const char* companion; // nullptr: none
        int messages;
        bool opens;
    } cases[] = {{"txt", ".txt", 0, true}, {"alm", ".alm", 1, true}, {"none", nullptr, 2, false}};
    for (const Case& c : cases) {
        msgs.clear();
        const QString folder = QStringLiteral("companion-%1/").arg(QLatin1String(c.name));
        const QString file = writeFile(folder + "s.csv", f.data);
        writeFile(folder + "s.tim", f.laps);
        if (c.companion)
            writeFile(folder + "s" + c.companion, f.alarms);
        frmAnalisiDati& w = open(file);
        EXPECT_EQ(loaded, c.opens) << c.name;
        EXPECT_EQ(w.session().FileAllarmiPresente(), c.opens) << c.name;
        ASSERT_EQ(int(msgs.shown.size()), c.messages) << c.name;
        for (const ShownMessage& m : msgs.shown) {
            EXPECT_EQ(m.icon, MsgIcon::Critical);
            EXPECT_TRUE(m.text.startsWith(languageText(328) + " "));
            EXPECT_TRUE(m.text.endsWith(" " + languageText(329)));
        }
        if (c.messages >= 1) {
            EXPECT_TRUE(msgs.shown[0].text.contains(QDir::toNativeSeparators(path(folder + "s.txt"))));
        }
        if (c.messages == 2) {
            EXPECT_TRUE(msgs.shown[1].text.contains(QDir::toNativeSeparators(path(folder + "s.alm"))));
        }
        if (c.opens) {
            EXPECT_EQ(w.NTGraphAll->columnCount(), 11) << c.name;
        }
        window.reset();
        // Only a window that found its companion writes a session file.
        EXPECT_EQ(QFileInfo::exists(path(folder + "s.ses")), c.opens) << c.name;
        EXPECT_FALSE(surface.busy);
        EXPECT_FALSE(AnalisiCaricata);
    }
}

TEST_F(AnalysisTest, DamagedSessionFileIsKeptAndAMissingCircuitIsSaid)
{
    const QString ses = path(QStringLiteral("session/%1.ses").arg(kExample));
    QFile f(ses);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Other program]\r\nDate=\r\nTime=\r\nCircuito=../Pista Collina\r\n");
    f.close();
    const QByteArray before = fileBytes(ses);
    frmAnalisiDati& w = open(example);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(w.session().sessionLoad(), SessionLoad::Partial);
    EXPECT_EQ(w.session().SettoriGiro, 1) << "a circuit name that leaves tracks/ names no sector file";
    w.Toolbar1_ButtonClick(QStringLiteral("Circuito"));
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text, languageText(216));
    EXPECT_EQ(msgs.shown[0].owner, &w);
    EXPECT_FALSE(w.session().blnCircuitoVisibile());
    window.reset();
    EXPECT_EQ(fileBytes(ses), before) << "what could not be read is not overwritten";

    // Settings the user stores are saved all the same.
    frmAnalisiDati& again = open(example);
    ASSERT_TRUE(loaded);
    show();
    check(7);
    {
        ModalDriver user;
        user.on("zuv::dlgSetGraph", [](QWidget& d) {
            auto& g = static_cast<dlgSetGraph&>(d);
            g.txtFiltro->setText(QStringLiteral("4"));
            QTest::mouseClick(g.OKButton, Qt::LeftButton);
        });
        QTest::mouseClick(again.cmdSetGraph[7], Qt::LeftButton);
        EXPECT_TRUE(user.waitDone());
    }
    window.reset();
    const QByteArray saved = fileBytes(ses);
    EXPECT_EQ(saved.count("\r\n"), 26);
    EXPECT_TRUE(saved.contains(";4;")) << saved.toStdString();
}

TEST_F(AnalysisTest, LanguageRefreshNamesEveryMeasureFromItsTextAndShowsThePlainTabTitles)
{
    frmAnalisiDati& w = open(example);
    ASSERT_TRUE(loaded);
    show();
    clickCell(kLap4Row, 1);
    EXPECT_EQ(w.SSTab1->tabText(0), languageText(273) + " " + languageText(110) + " 4");
    w.setMeasureName(5, QStringLiteral("Pressione mia"));
    EXPECT_EQ(w.toolButton("Separati")->toolTip(), languageText(39));

    TabellaLingua.IndiceLingua = 0;
    computeLanguageOffset();
    refreshAnalysisLanguage(); // no window open through the command: nothing
    w.RefreshLanguage();
    EXPECT_EQ(w.toolButton("Separati")->toolTip(), languageText(39));
    EXPECT_EQ(w.lblNomeCampo[4]->text(), languageText(309));
    EXPECT_EQ(w.lblNomeCampo[16]->text(), languageText(320));
    EXPECT_EQ(w.lblNomeCampo[5]->text(), languageText(310)) << "a renamed measure gives way to its text";
    EXPECT_EQ(w.GetNomeMisura(5), languageText(310) + " " + w.lblUM[5]->text());
    EXPECT_EQ(w.lblNomeAllarme[0]->text(), languageText(274));
    EXPECT_EQ(w.fraLegendaAllarmi->title(), languageText(282));
    EXPECT_EQ(w.SSTab1->tabText(0), languageText(273));
    EXPECT_EQ(w.SSTab1->tabText(1), languageText(91));
    EXPECT_EQ(w.session().GiroCorrente, kLap4Row) << "the lap on show stays";
    EXPECT_EQ(w.MSFlexGrid1->text(0, 1), languageText(143));
    EXPECT_EQ(w.MSFlexGrid1->text(2, 0), languageText(193) + "1");
    EXPECT_NE(languageText(143), QString());
    // The next lap selection adds its lap again.
    clickCell(kLap4Row + 1, 1);
    EXPECT_EQ(w.SSTab1->tabText(1), languageText(91) + " " + languageText(110) + " 5");
}

TEST_F(AnalysisTest, ChartPrintsToPdfWithTheSessionHeaderAndItsLegend)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    frmAnalisiDati& w = open(example);
    ASSERT_TRUE(loaded);
    show();
    check(4);
    clickCell(kLap4Row, 1);
    const auto printed = [&](const QString& pdf) {
        QtPrinter printer(pdf);
        setPrinter(&printer);
        w.toolButton("Stampa")->trigger();
        setPrinter(nullptr);
        QProcess run;
        run.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")), {pdf, QStringLiteral("-")});
        run.waitForFinished(20000);
        return QString::fromUtf8(run.readAllStandardOutput()).simplified();
    };
    const QString measures = printed(path("measures.pdf"));
    EXPECT_TRUE(measures.contains(languageText(195) + "Free practice 1")) << measures.toStdString();
    EXPECT_TRUE(measures.contains(languageText(198) + "Pista Collina"));
    EXPECT_TRUE(measures.contains(languageText(202)));
    EXPECT_TRUE(measures.contains(w.lblNomeCampo[4]->text()));
    EXPECT_TRUE(msgs.shown.empty());

    w.SSTab1->setCurrentIndex(1);
    const QString alarms = printed(path("alarms.pdf"));
    EXPECT_TRUE(alarms.contains(languageText(274))) << alarms.toStdString();
    EXPECT_TRUE(alarms.contains(languageText(281)));
}

// --- through the main window's command ---------------------------------------------

class AnalysisCommandTest : public AnalysisTest {
protected:
    AnalysisWindowsRegistered analysisWindows;

    // Opens `file` through the command; `act` runs on the shown window.
    void command(const QString& file, const std::function<void(frmAnalisiDati&)>& act)
    {
        ModalDriver user;
        bool acted = false;
        user.on("zuv::frmAnalisiDati", [&](QWidget& w) {
            acted = true;
            EXPECT_TRUE(StatoComunicazione.AnalisiAperta);
            EXPECT_EQ(analysisWindowOpen(), dynamic_cast<AnalysisWindow*>(&w));
            act(static_cast<frmAnalisiDati&>(w));
        });
        fileDialogs.answers = {file};
        runAnalysisCommand();
        EXPECT_TRUE(acted);
        EXPECT_FALSE(StatoComunicazione.AnalisiAperta);
        EXPECT_FALSE(AnalisiCaricata);
        EXPECT_EQ(analysisWindowOpen(), nullptr);
        EXPECT_FALSE(surface.busy);
    }
};

TEST_F(AnalysisCommandTest, EachOpeningIsAFreshWindowAndEveryCloseGivesThePollBack)
{
    ASSERT_EQ(fileDialogs.asked.size(), 0u);
    frmAnalisiDati* first = nullptr;
    command(example, [&](frmAnalisiDati& w) {
        first = &w;
        EXPECT_TRUE(AnalisiCaricata);
        QTest::mouseClick(w.chkGrafico[3], Qt::LeftButton);
        // The language command reaches the open window.
        TabellaLingua.IndiceLingua = 0;
        computeLanguageOffset();
        refreshAnalysisLanguage();
        EXPECT_EQ(w.lblNomeCampo[3]->text(), languageText(308));
        w.close();
    });
    ASSERT_EQ(fileDialogs.asked.size(), 1u);
    EXPECT_EQ(fileDialogs.asked[0].filter, "Analysis File (*.csv)");

    UsaAnalisiSpeed = true;
    command(example, [&](frmAnalisiDati& w) {
        EXPECT_EQ(w.kind(), AnalysisKind::DatiSpeed);
        EXPECT_EQ(w.session().NumGraficiAttivi, 0);
        EXPECT_FALSE(w.chkGrafico[3]->isChecked());
        EXPECT_TRUE(QFileInfo::exists(path("session/schema.ini")));
        w.Toolbar1_ButtonClick(QStringLiteral("ChiudiGrafico"));
    });
    UsaAnalisiSpeed = false;
    command(example, [&](frmAnalisiDati& w) {
        EXPECT_FALSE(w.chkGrafico[3]->isChecked());
        w.close();
    });
}

TEST_F(AnalysisCommandTest, NoCompanionSaysSoTwiceWithTheRealBoxesAndOpensNothing)
{
    QtMessages real;
    setMessages(&real);
    const SessionFiles f = makeSession(16, 1, 20);
    const QString file = writeFile("alone/s.csv", f.data);
    ModalDriver user;
    user.click(QMessageBox::Ok).click(QMessageBox::Ok);
    fileDialogs.answers = {file};
    runAnalysisCommand();
    EXPECT_TRUE(user.waitDone());
    setMessages(&msgs);
    ASSERT_EQ(user.boxes.size(), 2u);
    EXPECT_EQ(user.boxes[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(user.boxes[0].text.contains("s.txt"));
    EXPECT_TRUE(user.boxes[1].text.contains("s.alm"));
    EXPECT_FALSE(StatoComunicazione.AnalisiAperta);
    EXPECT_FALSE(surface.busy);
    EXPECT_FALSE(QFileInfo::exists(path("alone/s.ses")));
}

// Input the export never writes: each opens with what could be read (or
// says why not), never a crash or a hang, and the poll always comes back.
TEST_F(AnalysisCommandTest, DamagedInputOpensWithWhatCouldBeRead)
{
    const SessionFiles good = makeSession(16, 2, 30);
    const QByteArray header = good.data.left(good.data.indexOf('\n') + 1);
    QByteArray binary;
    for (int i = 0; i < 20000; ++i)
        binary += char((i * 7919) % 256);
    QByteArray comma = good.data;
    comma.replace('.', ',');
    QByteArray shortLong = header + "0.0;1.0;5\r\n0.1;2.0;6;7;8;9;10;11;12;13;14;15;16;17;18;19;20;21;22;23\r\n";
    QByteArray text = header + "0.0;abc;" + QByteArray(5000, '9') + ";1e999\r\n\r\n\r\r\n0.1;1;2\r\n";
    const QByteArray alarmsShort = good.alarms.left(good.alarms.indexOf('\n', 400) + 1);
    QByteArray alarmsLong = good.alarms;
    for (int i = 0; i < 50; ++i)
        alarmsLong += "9.9;9;1;3;5;7;9;11;13;15;3\r\n";

    struct Case {
        const char* name;
        QByteArray data;
        QByteArray alarms;
        bool opens;
        int fields;
    } cases[] = {
        {"empty", QByteArray(), good.alarms, true, 0},
        {"header only", header, good.alarms, true, 16},
        {"short and long rows", shortLong, good.alarms, true, 16},
        {"text and blank lines", text, good.alarms, true, 16},
        {"comma decimals", comma, good.alarms, true, 16},
        {"binary", binary, binary, true, -1},
        {"alarms shorter", good.data, alarmsShort, true, 16},
        {"alarms longer", good.data, alarmsLong, true, 16},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        msgs.clear();
        const QString folder = QStringLiteral("bad%1 \u00e0\u00e8/").arg(n++);
        const QString file = writeFile(folder + "sessione \u00fc.csv", c.data);
        writeFile(folder + "sessione \u00fc.txt", c.alarms);
        writeFile(folder + "sessione \u00fc.tim", good.laps);
        bool opened = false;
        command(file, [&](frmAnalisiDati& w) {
            opened = true;
            if (c.fields >= 0) {
                EXPECT_EQ(w.session().FieldsNum, c.fields);
            }
            // Every lap can be shown and read out.
            for (int r = 1; r < w.MSFlexGrid1->rowCount(); ++r) {
                w.MSFlexGrid1->setCurrentRow(r);
                w.MSFlexGrid1->setCurrentColumn(1);
                w.MSFlexGrid1_Click();
                w.AggiornaCursore(0, 0, 5);
                w.AggiornaCursoreAllarmi(0, 0, 5);
            }
            w.ChiudiGrafico();
        });
        EXPECT_EQ(opened, c.opens);
    }

    // The comma decimals read as the points do.
    {
        const QString file = writeFile("commas/s.csv", comma);
        writeFile("commas/s.txt", good.alarms);
        writeFile("commas/s.tim", good.laps);
        frmAnalisiDati& w = open(file);
        ASSERT_TRUE(loaded);
        ASSERT_TRUE(w.session().sources().valueAt);
        EXPECT_EQ(w.session().sources().valueAt(1, 3), 0.1);
        EXPECT_EQ(w.session().sources().valueAt(2, 3), 3.0);
    }
}

// A session whose alarms file is an ".alm": the fast window says once that
// the ".txt" is missing, then opens with the ".alm"'s alarms and laps.
TEST_F(AnalysisCommandTest, FastWindowOpensASessionWithOnlyAnAlmFile)
{
    UsaAnalisiSpeed = true;
    const SessionFiles f = makeSession(16, 2, 20);
    const QString file = writeFile("almonly/s.csv", f.data);
    writeFile("almonly/s.alm", f.alarms);
    writeFile("almonly/s.tim", f.laps);
    for (const int language : {0, 1}) {
        SCOPED_TRACE(language);
        loadShippedLanguages(language);
        msgs.clear();
        command(file, [&](frmAnalisiDati& w) {
            EXPECT_EQ(w.kind(), AnalysisKind::DatiSpeed);
            ASSERT_EQ(msgs.shown.size(), 1u);
            EXPECT_EQ(msgs.shown[0].text, languageText(328) + " s.txt " + languageText(329));
            EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Critical);
            EXPECT_TRUE(w.session().FileAllarmiPresente());
            EXPECT_TRUE(fileBytes(path("almonly/schema.ini")).contains("Col16=F16 Double\r\n[s.alm]\r\n"));

            // Start, two laps and End, numbered from the ".alm".
            GridComponent& g = *w.MSFlexGrid1;
            ASSERT_EQ(g.rowCount(), 5);
            EXPECT_EQ(g.text(3, 0), languageText(193) + "2");
            QTableWidget* table = g.table();
            const QModelIndex lap2 = table->model()->index(2, 0);
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(lap2).center());
            EXPECT_EQ(w.session().GiroCorrente, 3);
            w.SSTab1->setCurrentIndex(1);
            EXPECT_EQ(w.NTGraphAll->elementCount(), 8);
            // The oil-temperature alarm is on at the sixth row of each lap.
            w.AggiornaCursoreAllarmi(0.5, 0, w.NTGraphAll->sampleAt(0.5));
            for (int k = 0; k < 8; ++k)
                EXPECT_EQ(w.shpAlarm[std::size_t(k)]->colour(), k == 2 ? kLampOn : kLampOff) << k;
            w.ChiudiGrafico();
        });
        EXPECT_TRUE(QFileInfo::exists(path("almonly/s.ses")));
    }
}

TEST_F(AnalysisCommandTest, DataFileThatCannotBeReadSaysWhyAndOpensNothing)
{
    fileDialogs.answers = {path("missing/none.csv")};
    runAnalysisCommand();
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(msgs.shown[0].text.contains("none.csv"));
    EXPECT_FALSE(StatoComunicazione.AnalisiAperta);
    EXPECT_FALSE(surface.busy);
}

// --- both windows through the command ----------------------------------------------

class BothCommands : public AnalysisCommandTest, public ::testing::WithParamInterface<AnalysisKind> {
protected:
    void SetUp() override
    {
        AnalysisCommandTest::SetUp();
        UsaAnalisiSpeed = GetParam() == AnalysisKind::DatiSpeed;
    }

    static bool becomesActive(QWidget& w)
    {
        return QTest::qWaitFor([&] { return w.isActiveWindow(); }, 5000);
    }
    static void clickLap(frmAnalisiDati& w, int row)
    {
        QTableWidget* table = w.MSFlexGrid1->table();
        const QModelIndex index = table->model()->index(row - 1, 0);
        table->scrollTo(index);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(index).center());
    }
};

INSTANTIATE_TEST_SUITE_P(Kinds, BothCommands, ::testing::Values(AnalysisKind::Dati, AnalysisKind::DatiSpeed),
                         [](const auto& info) {
                             return std::string(info.param == AnalysisKind::Dati ? "Chart" : "Fast");
                         });

// Every activation puts the language's texts back: the plain tab titles from
// the first show on, every measure name, a header without "[" and a name
// given in the chart settings too.
TEST_P(BothCommands, EveryActivationNamesTheMeasuresFromTheLanguageAndShowsThePlainTabTitles)
{
    SessionFiles f = makeSession(16, 2, 30);
    f.data.replace("M5 [u5]", "Oil pressure");
    for (const int language : {0, 1}) {
        SCOPED_TRACE(language);
        loadShippedLanguages(language);
        command(writeSession(QStringLiteral("names%1/").arg(language), f), [&](frmAnalisiDati& w) {
            ASSERT_TRUE(becomesActive(w));
            EXPECT_EQ(w.SSTab1->tabText(0), languageText(273));
            EXPECT_EQ(w.SSTab1->tabText(1), languageText(91));
            for (int i = 1; i <= 16; ++i)
                EXPECT_EQ(w.lblNomeCampo[i]->text(), languageText(i == 16 ? 320 : 305 + i)) << i;
            EXPECT_EQ(w.lblUM[4]->text(), "[u4]");

            // A lap chosen shows its number until the window is next
            // activated, here by the close of the chart settings, whose new
            // name gives way to the language's; the new unit stays.
            clickLap(w, 3);
            EXPECT_EQ(w.SSTab1->tabText(0), languageText(273) + " " + languageText(110) + " 2");
            QTest::mouseClick(w.chkGrafico[5], Qt::LeftButton);
            ModalDriver settings;
            settings.on("zuv::dlgSetGraph", [](QWidget& d) {
                auto& g = static_cast<dlgSetGraph&>(d);
                g.txtNomeCampo->setText(QStringLiteral("Renamed"));
                g.txtUM->setText(QStringLiteral("[psi]"));
                QTest::mouseClick(g.OKButton, Qt::LeftButton);
            });
            QTest::mouseClick(w.cmdSetGraph[5], Qt::LeftButton);
            EXPECT_TRUE(settings.waitDone());
            // Offscreen there is no window manager to give the window the
            // focus back when the dialog closes.
            w.activateWindow();
            ASSERT_TRUE(becomesActive(w));
            EXPECT_EQ(w.lblNomeCampo[5]->text(), languageText(310));
            EXPECT_EQ(w.lblUM[5]->text(), "[psi]");
            EXPECT_EQ(w.SSTab1->tabText(0), languageText(273));
            EXPECT_EQ(w.SSTab1->tabText(1), languageText(91));
            EXPECT_EQ(w.session().GiroCorrente, 3) << "the lap on show stays";
            w.ChiudiGrafico();
        });
    }
}

// The load's message on what it could not read is in the program's
// language and counts every warning it does not show.
TEST_P(BothCommands, DamagedDataIsSaidInTheProgramsLanguageAndWhatIsNotShownIsCounted)
{
    QtMessages real;
    setMessages(&real);
    const SessionFiles good = makeSession(16, 2, 30);
    const QString notANumber[] = {QStringLiteral(u"riga %1, campo 3: \"x\" non è un numero; vale 0"),
                                  QStringLiteral("line %1, field 3: \"x\" is not a number; read as 0")};
    const QString more[] = {QStringLiteral("... e altri %1"), QStringLiteral("... and %1 more")};
    for (const int bad : {40, 100}) {
        for (const int language : {0, 1}) {
            SCOPED_TRACE(std::to_string(bad) + " bad rows, language " + std::to_string(language));
            loadShippedLanguages(language);
            // Field 3 of the first `bad` rows is no number.
            SessionFiles damaged = good;
            QList<QByteArray> lines = good.data.split('\n');
            for (int r = 1; r <= bad; ++r) {
                QList<QByteArray> fields = lines[r].split(';');
                fields[2] = "x";
                lines[r] = fields.join(';');
            }
            damaged.data = lines.join('\n');
            const QString file = writeSession(QStringLiteral("damaged%1-%2/").arg(bad).arg(language), damaged);

            ModalDriver user;
            user.click(QMessageBox::Ok).on("zuv::frmAnalisiDati", [](QWidget& w) {
                static_cast<frmAnalisiDati&>(w).ChiudiGrafico();
            });
            fileDialogs.answers = {file};
            runAnalysisCommand();
            EXPECT_TRUE(user.waitDone());
            ASSERT_EQ(user.boxes.size(), 1u);
            EXPECT_EQ(user.boxes[0].icon, QMessageBox::Warning);
            const QStringList shown = user.boxes[0].text.split(QLatin1Char('\n'));
            ASSERT_EQ(shown.size(), 13);
            const QString where = QDir::toNativeSeparators(file) + ": ";
            for (int k = 0; k < 12; ++k)
                EXPECT_EQ(shown[k], where + notANumber[language].arg(k + 2));
            EXPECT_EQ(shown[12], more[language].arg(bad - 12));
        }
    }
    setMessages(&msgs);
}

TEST_P(BothCommands, EscLeavesTheWindowOpenAndTheCloseBoxClosesIt)
{
    command(example, [&](frmAnalisiDati& w) {
        ASSERT_TRUE(becomesActive(w));
        QTest::keyClick(&w, Qt::Key_Escape);
        QTest::keyClick(w.MSFlexGrid1->table(), Qt::Key_Escape);
        QTest::keyClick(w.chkGrafico[4], Qt::Key_Escape);
        QCoreApplication::processEvents();
        EXPECT_TRUE(w.isVisible());
        EXPECT_TRUE(AnalisiCaricata);
        EXPECT_TRUE(StatoComunicazione.AnalisiAperta);
        w.close();
    });
}

// The toolbar's exit key names the project in the status bar again; the
// close box leaves there what the load left: the data file, panels 1 and 3
// empty.
TEST_P(BothCommands, OnlyTheExitKeyPutsTheProjectBackInTheStatusBar)
{
    DatiProgetto.NomeProgetto = QStringLiteral("Collina 2024");
    PercorsoFileProgetto = path("progetti/collina.prj");
    const std::map<int, QString> loadLeft = {{1, QString()}, {2, QDir::toNativeSeparators(example)}, {3, QString()}};
    const std::map<int, QString> project = {{1, DatiProgetto.NomeProgetto}, {2, PercorsoFileProgetto}, {3, QString()}};
    for (const bool closeBox : {true, false}) {
        SCOPED_TRACE(closeBox ? "close box" : "exit key");
        command(example, [&](frmAnalisiDati& w) {
            ASSERT_TRUE(becomesActive(w));
            if (closeBox)
                queueCloseBox(w);
            else
                w.toolButton("ChiudiGrafico")->trigger();
        });
        const std::map<int, QString> panels = {{1, surface.panelText[1]}, {2, surface.panelText[2]},
                                               {3, surface.panelText[3]}};
        EXPECT_EQ(panels, closeBox ? loadLeft : project);
    }
}

// Printing goes straight to the system's default printer; these tests' system
// has none, so both prints say so, in the program's language. Each box
// belongs to the window whose Print was pressed, and once it is answered the
// lap report is in front again, ready.
TEST_P(BothCommands, PrintWithNoPrinterSaysWhyAndReturnsToTheWindowThatPrinted)
{
    QtPrinter system;
    setPrinter(&system);
    QtMessages real;
    setMessages(&real);
    for (const int language : {0, 1}) {
        SCOPED_TRACE(language);
        loadShippedLanguages(language);
        QPointer<dlgReportGiri> report;
        bool reportInFront = false;
        ModalDriver user;
        user.on("zuv::frmAnalisiDati",
                [&](QWidget& widget) {
                    auto& w = static_cast<frmAnalisiDati&>(widget);
                    w.toolButton("Stampa")->trigger();
                    ASSERT_EQ(user.boxes.size(), 1u);
                    EXPECT_EQ(user.boxes[0].owner, &w);
                    w.toolButton("ReportGiri")->trigger();
                    report = w.findChild<dlgReportGiri*>();
                    ASSERT_NE(report, nullptr);
                    QTest::mouseClick(report->cmdStampa, Qt::LeftButton);
                    ASSERT_EQ(user.boxes.size(), 2u);
                    EXPECT_EQ(user.boxes[1].owner, report) << "the lap report's box is the lap report's";
                    reportInFront = report && report->isVisible() && becomesActive(*report);
                    w.ChiudiGrafico();
                })
            .click(QMessageBox::Ok)
            .click(QMessageBox::Ok);
        fileDialogs.answers = {example};
        runAnalysisCommand();
        EXPECT_TRUE(user.waitDone());
        ASSERT_EQ(user.boxes.size(), 2u);
        for (const ModalDriver::Box& box : user.boxes)
            EXPECT_EQ(box.text, languageText(368));
        EXPECT_TRUE(reportInFront);
    }
    setMessages(&msgs);
}

} // namespace
} // namespace zuv::test
