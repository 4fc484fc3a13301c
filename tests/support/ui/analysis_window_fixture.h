#pragma once
// The analysis windows' test fixture: the example session (made by our own
// download and Save Data) copied into the test's folder, a window of either
// kind opened on it, and the user's clicks on its lap table, charts and
// measure rows; the same through the main window's command.

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

inline constexpr char kExample[] = "Prova Collina";

// Lap-table rows of the example: "Start" (the out-lap), laps 1..7, "End".
inline constexpr int kLap4Row = 5;
inline constexpr qint64 kLap4First = 3122; // chart rows
inline constexpr qint64 kLap4End = 3851;

inline QString examplesDir() { return QStringLiteral(ZUV_SHIPPED_DATA_DIR "/examples"); }

inline void copyFile(const QString& from, const QString& to)
{
    QDir().mkpath(QFileInfo(to).absolutePath());
    QFile::remove(to);
    ASSERT_TRUE(QFile::copy(from, to)) << from.toStdString();
}

inline std::unique_ptr<frmAnalisiDati> makeWindow(AnalysisKind kind)
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

class BothWindows : public AnalysisTest, public ::testing::WithParamInterface<AnalysisKind> {};

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
        EXPECT_EQ(analysisWindowOpen(), nullptr);
        EXPECT_FALSE(surface.busy);
    }
};

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

} // namespace zuv::test
