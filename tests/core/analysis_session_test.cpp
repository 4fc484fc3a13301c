// The analysis session without a window: the steps of a load in their
// order, the rule of the session file at the close, the circuit map, the
// view steps on a chart's range, and the lap the tab captions name.

#include "analysis/analysis_session.h"
#include "analysis/chart_loader.h"
#include "analysis/number_text.h"
#include "analysis/texts.h"
#include "project/state.h"
#include "support/fixtures.h"
#include "support/session_files.h"

#include <QDir>
#include <QFileInfo>

namespace zuv::test {
namespace {

class AnalysisSessionTest : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        loadShippedLanguages();
    }

    // A session of two laps in `folder`, opened and read up to its lap table
    // as a window's load reads it.
    AnalysisSession& open(const QString& folder, const QByteArray& sessionFile = {})
    {
        const SessionFiles f = makeSession(16, 2, 30);
        file = writeFile(folder + "s.csv", f.data);
        writeFile(folder + "s.txt", f.alarms);
        writeFile(folder + "s.tim", f.laps);
        if (!sessionFile.isEmpty())
            writeFile(folder + "s.ses", sessionFile);
        session = std::make_unique<AnalysisSession>(chartLoader(measures, alarms));
        EXPECT_EQ(session->load(file), SessionLoader::Load::Complete);
        EXPECT_TRUE(session->setUpMeasures(file));
        session->readSessionFile(file);
        EXPECT_TRUE(session->fillLapTable());
        return *session;
    }

    ChartData measures;
    ChartData alarms;
    std::unique_ptr<AnalysisSession> session;
    QString file;
};

TEST_F(AnalysisSessionTest, ALoadNamesTheMeasuresReadsTheSessionFileAndFillsTheLaps)
{
    AnalysisSession& s = open("full/");
    EXPECT_TRUE(s.FileAllarmiPresente());
    EXPECT_EQ(s.FieldsNum, 16);
    EXPECT_EQ(s.PassoDisegno, 1);
    EXPECT_EQ(s.captions[3], languageText(308));
    EXPECT_EQ(s.units[3], "[u3]");
    EXPECT_EQ(surface.panelText[2], QDir::toNativeSeparators(file));
    EXPECT_EQ(surface.panelText[3], QString());
    EXPECT_EQ(s.SessionFileName, path("full/s.ses"));
    EXPECT_EQ(s.sessionLoad(), SessionLoad::NoFile);
    EXPECT_TRUE(s.grid.visible);
    EXPECT_EQ(s.intGiriCompletati, 2);
    // Lap 1 is lap-table row 2, chart rows 32 to 61.
    EXPECT_EQ(s.bounds.first(2), 32);
    EXPECT_EQ(s.bounds.end(2), 61);

    // The lap chosen names itself in both tab captions, until the language
    // is applied again; a cell that is not a lap time chooses nothing.
    EXPECT_EQ(s.tabCaption(0), languageText(273));
    ASSERT_TRUE(s.selectLap(3, 1).selected);
    const QString lap2 = " " + languageText(110) + " 2";
    EXPECT_EQ(s.tabCaption(0), languageText(273) + lap2);
    EXPECT_EQ(s.tabCaption(1), languageText(91) + lap2);
    EXPECT_EQ(s.GiroCorrente, 3);
    EXPECT_FALSE(s.selectLap(2, 2).selected);
    EXPECT_EQ(s.tabCaption(1), languageText(91) + lap2);
    EXPECT_TRUE(s.refreshLanguage());
    EXPECT_EQ(s.tabCaption(0), languageText(273));
    EXPECT_EQ(s.GiroCorrente, 3) << "the lap on show stays";
    EXPECT_EQ(s.timeCaption(), languageText(306) + " [sec]");

    // The traces and the read-out read the loader's sources.
    s.scaleLapOnShow();
    EXPECT_DOUBLE_EQ(s.MinX, 0.0);
    s.checkMeasure(4, true);
    const TracePlan plan = s.measureTraces();
    ASSERT_EQ(plan.plots.size(), 1u);
    EXPECT_EQ(plan.plots[0].column, 4);
    EXPECT_EQ(s.placeTrace(4, 0, 7), 7);
    EXPECT_EQ(s.IndiceElemento[4][0], 7);
    const CursorReadout r = s.cursorReadout(0, 0);
    EXPECT_EQ(r.values[4], readoutText(40));
}

// On the alarms tab the measure names are left as they are.
TEST_F(AnalysisSessionTest, MeasuresAreNamedOnlyFromTheMeasuresTab)
{
    AnalysisSession& s = open("tab/");
    s.captions[3] = "kept";
    s.showTab(1, {});
    EXPECT_FALSE(s.setUpMeasures(file));
    EXPECT_EQ(s.captions[3], "kept");
    EXPECT_EQ(s.bounds.end(2), 61) << "the lap bounds all the same";
    // A new load starts from the measures tab.
    EXPECT_EQ(s.load(file), SessionLoader::Load::Complete);
    EXPECT_EQ(s.SchedaCorrente, 0);
}

// The close writes the session file only where that loses nothing of it,
// or where the user stored settings since.
TEST_F(AnalysisSessionTest, TheCloseWritesTheSessionFileOnlyWhereItLosesNothing)
{
    const QByteArray partial = "Sessione= Prova\r\nDataSessione= 1/1/2024\r\n";
    struct Case {
        const char* name;
        QByteArray file;
        bool stored;
        bool written;
    } cases[] = {
        {"no file", {}, false, true},
        {"a partial file", partial, false, false},
        {"a partial file, settings stored", partial, true, true},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString folder = QStringLiteral("close%1/").arg(n++);
        AnalysisSession& s = open(folder, c.file);
        if (c.stored)
            s.settingsStored();
        s.FiltroMisura[3] = 7;
        s.saveAtClose();
        const QByteArray now = readFile(folder + "s.ses");
        EXPECT_EQ(now.contains("\r\n" + languageText(308).toLatin1() + ";7;"), c.written) << now.constData();
        if (!c.written) {
            EXPECT_EQ(now, c.file);
        }
    }
    EXPECT_TRUE(msgs.shown.empty());

    // Without its companion the session never loaded: nothing is written.
    const SessionFiles f = makeSession(16, 2, 30);
    const QString alone = writeFile("alone/s.csv", f.data);
    writeFile("alone/s.tim", f.laps);
    AnalysisSession s(chartLoader(measures, alarms));
    EXPECT_EQ(s.load(alone), SessionLoader::Load::NoCompanion);
    EXPECT_FALSE(s.FileAllarmiPresente());
    s.readSessionFile(alone);
    s.saveAtClose();
    EXPECT_FALSE(QFileInfo::exists(path("alone/s.ses")));
}

TEST_F(AnalysisSessionTest, ASessionFileThatCannotBeWrittenIsSaidWithItsReason)
{
    AnalysisSession& s = open("blocked/");
    QDir().mkpath(s.SessionFileName);
    EXPECT_FALSE(s.saveSessionFile());
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Exclamation);
    const QString head = missingFileText(s.SessionFileName) + '\n';
    EXPECT_TRUE(msgs.shown[0].text.startsWith(head)) << msgs.shown[0].text.toStdString();
    EXPECT_GT(msgs.shown[0].text.size(), head.size());
}

TEST_F(AnalysisSessionTest, TheMapShowsTheCircuitsOutlineAndHidesAgain)
{
    AnalysisSession& s = open("map/");
    DatiSessione.Circuito = QStringLiteral("Ring");
    EXPECT_EQ(s.toggleMap().kind, AnalysisSession::MapChange::Kind::NoOutline);
    EXPECT_FALSE(s.blnCircuitoVisibile());

    writeFile("tracks/Ring.trk", "10,20\r\n30,40\r\n50,60\r\n");
    const AnalysisSession::MapChange shown = s.toggleMap();
    EXPECT_EQ(shown.kind, AnalysisSession::MapChange::Kind::Shown);
    EXPECT_EQ(shown.outline.size(), 4u) << "the last point once more";
    EXPECT_TRUE(s.blnCircuitoVisibile());
    EXPECT_EQ(s.toggleMap().kind, AnalysisSession::MapChange::Kind::Hidden);
    EXPECT_FALSE(s.blnCircuitoVisibile());

    s.toggleMap();
    EXPECT_EQ(s.load(file), SessionLoader::Load::Complete);
    EXPECT_FALSE(s.blnCircuitoVisibile()) << "a load starts without the map";
}

// Each view step starts from the range the chart shows.
TEST_F(AnalysisSessionTest, ViewStepsStartFromTheChartsRange)
{
    AnalysisSession s;
    EXPECT_EQ(s.zoom({0, 100, -5, 5}, ZoomButton::In50), true);
    EXPECT_DOUBLE_EQ(s.MaxX, 50);
    EXPECT_DOUBLE_EQ(s.MinY, -5);
    EXPECT_DOUBLE_EQ(s.PassoSpostamento, 0.5);
    // Ten steps of the view before the move.
    s.move({10, 20, 0, 1}, MoveButton::Right10);
    EXPECT_DOUBLE_EQ(s.MinX, 15);
    EXPECT_DOUBLE_EQ(s.MaxX, 25);
    EXPECT_DOUBLE_EQ(s.PassoSpostamento, 0.1);
    s.setZoomMode(true);
    EXPECT_EQ(s.zoom({0, 100, -5, 5}, ZoomButton::Out10), std::nullopt) << "the buttons keep their state";
    s.mouseZoomed({2, 4, 6, 8});
    EXPECT_DOUBLE_EQ(s.MaxY, 8);
    EXPECT_DOUBLE_EQ(s.PassoSpostamento, 0.02);

    // The alarms tab takes the measures' x range, not their y range.
    s.showTab(1, {3, 8, 100, 200});
    EXPECT_DOUBLE_EQ(s.MinX, 3);
    EXPECT_DOUBLE_EQ(s.MinY, 6);
    EXPECT_EQ(s.SchedaCorrente, 1);
    s.showTab(0, {30, 80, 0, 0});
    EXPECT_DOUBLE_EQ(s.MinX, 3);
    EXPECT_EQ(s.SchedaCorrente, 0);

    // A playback on the alarms tab reads its chart's x range only; without
    // a lap on show it stops after this pass.
    ASSERT_EQ(s.playback.click(PlaybackDirection::Right, 1), Playback::Click::Started);
    const Playback::Pass pass = s.playbackPass({4, 9, 50, 60});
    EXPECT_TRUE(pass.moved);
    EXPECT_TRUE(pass.stopped);
    EXPECT_DOUBLE_EQ(s.MinX, 4);
    EXPECT_DOUBLE_EQ(s.MinY, 6);

    // Unticking the time axis keeps the move step; ticking it again makes
    // it a hundredth.
    EXPECT_DOUBLE_EQ(s.PassoSpostamento, 0.05) << "a hundredth of the tab's 5 s";
    EXPECT_FALSE(s.tickTimeAxis(false));
    s.mouseZoomed({0, 50, 0, 1});
    EXPECT_DOUBLE_EQ(s.PassoSpostamento, 0.05);
    EXPECT_TRUE(s.tickTimeAxis(true));
    EXPECT_DOUBLE_EQ(s.PassoSpostamento, 0.01);
}

// Every close gives the poll and the pointer back; only the exit key names
// the project in the status bar again.
TEST_F(AnalysisSessionTest, TheCloseGivesThePollAndThePointerBackAndTheExitKeyTheStatusBar)
{
    StatoComunicazione.AnalisiAperta = true;
    AnalisiCaricata = true;
    surface.busy = true;
    DatiProgetto.NomeProgetto = QStringLiteral("Kart");
    PercorsoFileProgetto = QStringLiteral("/p/kart.prj");
    surface.panelText[2] = QStringLiteral("/d/run.csv");
    AnalysisSession::giveBackMainWindow();
    EXPECT_FALSE(StatoComunicazione.AnalisiAperta);
    EXPECT_TRUE(AnalisiCaricata) << "the exit key's to clear";
    EXPECT_FALSE(surface.busy);
    EXPECT_EQ(surface.panelText[2], "/d/run.csv");
    AnalysisSession::showProjectInStatusBar();
    EXPECT_EQ(surface.panelText[1], "Kart");
    EXPECT_EQ(surface.panelText[2], "/p/kart.prj");
    EXPECT_EQ(surface.panelText[3], QString());
}

} // namespace
} // namespace zuv::test
