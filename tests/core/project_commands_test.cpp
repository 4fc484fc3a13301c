// The Project File commands, start-up and shut-down without the window: the
// enable table, the status panels, the save question and its answers, and
// files that cannot be read or written.

#include "link/serial_comm.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"
#include "project/language.h"
#include "project/name_tables.h"
#include "project/project_file.h"
#include "project/recent_files.h"
#include "shell/analysis_window.h"
#include "shell/poll.h"
#include "support/fake_analysis_window.h"
#include "support/link_probes.h"
#include "support/shell_fixture.h"

#include <QDir>

namespace zuv::test {
namespace {

const QString kToday = QLocale::system().toString(QDate(2024, 3, 9), QLocale::ShortFormat);

class ProjectCommandsTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_TRUE(startUp());
        surface.calls.clear();
    }

    // Save, Save As, Read Device, Program Device: menu item and button alike.
    std::vector<int> fileCommands()
    {
        std::vector<int> state;
        for (auto [menu, key] : {std::pair{"mnuSave", "Save"}, {"mnuSaveAs", "SaveAs"},
                                 {"mnuReadDevice", "ReadDev"}, {"mnuProgramDevice", "ProgDev"}}) {
            const bool m = surface.menus[menu];
            const bool b = surface.buttons[key];
            EXPECT_EQ(m, b) << menu << " and its button differ";
            state.push_back(m ? 1 : 0);
        }
        return state;
    }

    bool projectCommandsOn()
    {
        return surface.menus["mnuConfigure"] && surface.menus["mnuNote"] && surface.buttons["Setup"]
               && surface.buttons["Sensor"] && surface.buttons["Alarm"];
    }

    // A project file saved by the program itself.
    QString projectFile(const QString& name, const QString& projectName)
    {
        const ProjectRecord keep = DatiProgetto;
        const QString keepPath = PercorsoFileProgetto;
        NuovoProgetto();
        DatiProgetto.NomeProgetto = projectName;
        DatiProgetto.Veicolo = QStringLiteral("Kart 125");
        PercorsoFileProgetto = path(name);
        EXPECT_TRUE(SalvaProgetto());
        DatiProgetto = keep;
        PercorsoFileProgetto = keepPath;
        surface.clear();
        msgs.clear();
        return path(name);
    }
};

TEST_F(ProjectCommandsTest, StartUpLeavesOnlyWhatNeedsNoProject)
{
    // The six pairs, switched off in order, menu item before button.
    resetProgramState();
    surface.clear();
    ASSERT_TRUE(startUp());
    const std::vector<QString> expected = {
        "menu:mnuSave=0",         "button:Save=0",     "menu:mnuSaveAs=0",       "button:SaveAs=0",
        "menu:mnuReadDevice=0",   "button:ReadDev=0",  "menu:mnuProgramDevice=0", "button:ProgDev=0",
        "menu:mnuSaveData=0",     "button:SaveData=0", "menu:mnuDownloadData=0", "button:DownData=0"};
    std::vector<QString> pairs;
    for (const QString& c : surface.calls)
        if (!c.startsWith("menu:mnuRecent"))
            pairs.push_back(c);
    EXPECT_EQ(pairs, expected);
    EXPECT_TRUE(UsaAnalisiSpeed) << "no recent-files file: the fast window";
    EXPECT_EQ(languageText(2), fixtureText(0, 2));
    EXPECT_FALSE(NomiTipoUscita[0].isEmpty()) << "name tables filled";
    EXPECT_FALSE(ProgettoModificato);
}

TEST_F(ProjectCommandsTest, StartUpOrderLetsTheRecentFilesChooseTheAnalysisWindow)
{
    writeTextLines(path("RecentFiles.ini"), {"0", "/p/one.pro"});
    resetProgramState();
    ASSERT_TRUE(startUp());
    EXPECT_FALSE(UsaAnalisiSpeed);
    EXPECT_EQ(FileRecenti[0], QStringLiteral("/p/one.pro"));
    EXPECT_TRUE(surface.recent[0].visible);
}

TEST_F(ProjectCommandsTest, StartUpEndsWhenTheLanguageDatabaseFails)
{
    QFile::remove(path("LANGUAGES.DAT"));
    resetProgramState();
    msgs.clear();
    EXPECT_FALSE(startUp());
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Critical);
}

TEST_F(ProjectCommandsTest, EnableTableThroughNewSaveAsNewOpen)
{
    EXPECT_EQ(fileCommands(), (std::vector<int>{0, 0, 0, 0}));

    ASSERT_TRUE(newProject());
    EXPECT_EQ(fileCommands(), (std::vector<int>{0, 1, 1, 0}));
    EXPECT_TRUE(projectCommandsOn());
    EXPECT_EQ(surface.panelText[1], fixtureText(0, 131));
    EXPECT_EQ(surface.panelText[2], QString());
    EXPECT_EQ(DatiProgetto.MaxPagine, 9);

    fileDialogs.answers = {path("first.pro")};
    ASSERT_TRUE(saveProjectAs());
    EXPECT_EQ(fileCommands(), (std::vector<int>{1, 1, 1, 1}));
    EXPECT_EQ(PercorsoFileProgetto, path("first.pro"));
    EXPECT_EQ(DatiProgetto.DataCreazione, kToday);
    EXPECT_TRUE(DatiProgetto.DataUltimaModifica.isEmpty()) << "Save As sets the creation date only";
    EXPECT_TRUE(readFile("first.pro").startsWith("ZUVProject\r\n"));
    EXPECT_EQ(surface.panelText[2], path("first.pro"));

    ASSERT_TRUE(newProject());
    EXPECT_EQ(fileCommands(), (std::vector<int>{0, 1, 1, 0}));
    EXPECT_TRUE(PercorsoFileProgetto.isEmpty());

    const QString other = projectFile("other.pro", "Circuito");
    fileDialogs.answers = {other};
    ASSERT_TRUE(openProject());
    EXPECT_EQ(fileCommands(), (std::vector<int>{1, 1, 1, 1}));
    EXPECT_TRUE(projectCommandsOn());
    EXPECT_EQ(surface.panelText[1], QStringLiteral("Circuito"));
    EXPECT_EQ(surface.panelText[2], other);
    EXPECT_EQ(PercorsoFileProgetto, other);
    EXPECT_TRUE(PercorsoDaAprire.isEmpty());
    EXPECT_EQ(FileRecenti[0], other);
    EXPECT_TRUE(surface.recent[0].visible);
    EXPECT_EQ(surface.recent[0].caption, other);
    // The Open dialog starts in the program folder and shows project files.
    ASSERT_FALSE(fileDialogs.asked.empty());
    EXPECT_FALSE(fileDialogs.asked.back().save);
    EXPECT_EQ(fileDialogs.asked.back().folder, programFolder());
    EXPECT_EQ(fileDialogs.asked.back().filter, QStringLiteral("Project File (*.pro)"));

    // Save stamps the date of the last change.
    ASSERT_TRUE(saveProject());
    EXPECT_EQ(DatiProgetto.DataUltimaModifica, kToday);
}

TEST_F(ProjectCommandsTest, FailedOrCancelledOpenChangesNothing)
{
    ASSERT_TRUE(newProject());
    DatiProgetto.NomeProgetto = QStringLiteral("Mine");
    DatiProgetto.Settore3 = 1234;
    DatiProgetto.ChannSG = 0;
    ProgettoModificato = false;
    const ProjectRecord before = DatiProgetto;
    surface.clear();

    // Cancelled dialog.
    EXPECT_FALSE(openProject());
    // Not a project file, then a missing one (as from a recent item).
    writeFile("notes.pro", "just some text\r\n");
    fileDialogs.answers = {path("notes.pro")};
    EXPECT_FALSE(openProject());
    EXPECT_EQ(msgs.shown.size(), 1u) << "the reader's own message";
    FileRecenti[0] = path("gone.pro");
    EXPECT_FALSE(openRecentFile(0));

    EXPECT_EQ(DatiProgetto, before) << "the fields Open pre-sets are put back too";
    EXPECT_TRUE(surface.calls.empty());
    EXPECT_TRUE(surface.panelText.empty());
    EXPECT_TRUE(PercorsoFileProgetto.isEmpty());
    EXPECT_TRUE(PercorsoDaAprire.isEmpty());
    EXPECT_FALSE(QFile::exists(path("RecentFiles.ini")));

    // The next Open asks for a file again.
    EXPECT_FALSE(openProject());
    EXPECT_EQ(fileDialogs.asked.size(), 3u);
}

TEST_F(ProjectCommandsTest, RecentFilesAreOpenedNewestFirstWithoutRepeats)
{
    const QString a = projectFile("a.pro", "A");
    const QString b = projectFile("b.pro", "B");
    fileDialogs.answers = {a, b};
    ASSERT_TRUE(openProject());
    ASSERT_TRUE(openProject());
    ASSERT_EQ(FileRecenti[0], b);
    ASSERT_TRUE(openRecentFile(1));
    EXPECT_EQ(DatiProgetto.NomeProgetto, QStringLiteral("A"));
    EXPECT_EQ(FileRecenti[0], a);
    EXPECT_EQ(FileRecenti[1], b);
    EXPECT_TRUE(FileRecenti[2].isEmpty());
    EXPECT_EQ(fileDialogs.asked.size(), 2u) << "a recent item needs no dialog";
    EXPECT_FALSE(openRecentFile(3)) << "an empty item";
}

TEST_F(ProjectCommandsTest, SaveQuestionText)
{
    DatiProgetto.NomeProgetto = QStringLiteral("Monza");
    EXPECT_EQ(saveChangesQuestion(),
              fixtureText(0, 127) + "Monza " + fixtureText(0, 128) + "\n" + fixtureText(0, 129));
    DatiProgetto.NomeProgetto.clear();
    EXPECT_EQ(saveChangesQuestion(), fixtureText(0, 130) + fixtureText(0, 128) + "\n" + fixtureText(0, 129));
}

TEST_F(ProjectCommandsTest, UnsavedChangesAreNeverDroppedWithoutAsking)
{
    const QString opened = projectFile("opened.pro", "Opened");
    fileDialogs.answers = {opened};
    ASSERT_TRUE(openProject());
    DatiProgetto.Veicolo = QStringLiteral("changed");
    ProgettoModificato = true;
    msgs.clear();

    // Cancel: New does nothing.
    msgs.answers = {MsgAnswer::Cancel};
    EXPECT_FALSE(newProject());
    EXPECT_EQ(DatiProgetto.Veicolo, QStringLiteral("changed"));
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(msgs.shown[0].icon, MsgIcon::None);
    EXPECT_TRUE(msgs.shown[0].title.isEmpty() || msgs.shown[0].title == appTitle());

    // Yes with a named project that has a file: saved in place, no dialog.
    msgs.answers = {MsgAnswer::Yes};
    const QString lastChange = DatiProgetto.DataUltimaModifica;
    ASSERT_TRUE(newProject());
    EXPECT_TRUE(fileDialogs.answers.empty());
    EXPECT_EQ(fileDialogs.asked.size(), 1u);
    ASSERT_TRUE(CaricaProgetto(opened));
    EXPECT_EQ(DatiProgetto.Veicolo, QStringLiteral("changed"));
    EXPECT_EQ(DatiProgetto.DataUltimaModifica, lastChange) << "the question's save keeps the dates";

    // A modified new project, Yes, then Save As cancelled: Open is off.
    ASSERT_TRUE(newProject());
    ProgettoModificato = true;
    msgs.answers = {MsgAnswer::Yes};
    EXPECT_FALSE(openProject());
    EXPECT_EQ(fileDialogs.asked.size(), 2u);
    EXPECT_TRUE(fileDialogs.asked.back().save);
    EXPECT_TRUE(ProgettoModificato);
    EXPECT_TRUE(PercorsoDaAprire.isEmpty());

    // No: the recent item opens, the question asked once.
    FileRecenti[0] = opened;
    msgs.clear();
    msgs.answers = {MsgAnswer::No};
    ASSERT_TRUE(openRecentFile(0));
    EXPECT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(DatiProgetto.NomeProgetto, QStringLiteral("Opened"));
}

TEST_F(ProjectCommandsTest, SaveAsAsksBeforeReplacingAFileAndAddsTheExtension)
{
    ASSERT_TRUE(newProject());
    writeFile("Track.PRO", "old");

    // Same name but for the letter case: asked; Cancel changes nothing.
    fileDialogs.answers = {path("track.pro")};
    msgs.answers = {MsgAnswer::Cancel};
    EXPECT_FALSE(saveProjectAs());
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text, path("track.pro") + " " + fixtureText(0, 132));
    EXPECT_EQ(msgs.shown[0].title, fixtureText(0, 133));
    EXPECT_EQ(msgs.shown[0].buttons, MsgButtons::OkCancel);
    EXPECT_TRUE(PercorsoFileProgetto.isEmpty());
    EXPECT_TRUE(DatiProgetto.DataCreazione.isEmpty());
    EXPECT_EQ(readFile("Track.PRO"), QByteArray("old"));

    // A name typed without extension gets ".pro"; a new file needs no question.
    msgs.clear();
    fileDialogs.answers = {path("fresh")};
    ASSERT_TRUE(saveProjectAs());
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(PercorsoFileProgetto, path("fresh.pro"));
    EXPECT_TRUE(QFile::exists(path("fresh.pro")));
}

TEST_F(ProjectCommandsTest, AFailedSaveLeavesEverythingAsItWas)
{
    ASSERT_TRUE(newProject());
    // A folder where the file should be: root can write anywhere else.
    writeFile("blocked.pro/inside", "x");
    ProgettoModificato = true;
    surface.calls.clear();

    fileDialogs.answers = {path("blocked.pro")};
    msgs.answers = {MsgAnswer::Ok};
    EXPECT_FALSE(saveProjectAs());
    EXPECT_TRUE(PercorsoFileProgetto.isEmpty());
    EXPECT_TRUE(DatiProgetto.DataCreazione.isEmpty());
    EXPECT_TRUE(ProgettoModificato);
    EXPECT_FALSE(surface.menus["mnuProgramDevice"]);

    PercorsoFileProgetto = path("blocked.pro");
    DatiProgetto.DataUltimaModifica = QStringLiteral("before");
    msgs.clear();
    EXPECT_FALSE(saveProject());
    EXPECT_FALSE(msgs.shown.empty()) << "the writer says why";
    EXPECT_EQ(DatiProgetto.DataUltimaModifica, QStringLiteral("before"));
    EXPECT_TRUE(ProgettoModificato);
    EXPECT_FALSE(surface.menus["mnuProgramDevice"]);

    // At shut-down a save that fails keeps the program running.
    DatiProgetto.NomeProgetto = QStringLiteral("Named");
    msgs.answers = {MsgAnswer::Yes};
    EXPECT_FALSE(shutDown());
}

TEST_F(ProjectCommandsTest, ShutDownAnswers)
{
    const QString opened = projectFile("opened.pro", "Opened");
    const QByteArray openedBytes = fileBytes(opened);

    struct Case {
        const char* what;
        bool modified;
        QString name;
        QString file;
        std::deque<MsgAnswer> answers;
        std::deque<QString> saveAs;
        bool closes;
        bool asked;
        bool dialog;
    } cases[] = {
        {"unchanged", false, "Opened", opened, {}, {}, true, false, false},
        {"No", true, "Opened", opened, {MsgAnswer::No}, {}, true, true, false},
        {"Cancel", true, "Opened", opened, {MsgAnswer::Cancel}, {}, false, true, false},
        {"Yes, named, no file", true, "Opened", "", {MsgAnswer::Yes}, {path("saved.pro")}, true, true, true},
        {"Yes, unnamed with a file", true, "", opened, {MsgAnswer::Yes}, {path("other.pro")}, true, true, true},
        {"Yes, Save As cancelled", true, "", opened, {MsgAnswer::Yes}, {}, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(path("RecentFiles.ini"));
        DatiProgetto.NomeProgetto = c.name;
        PercorsoFileProgetto = c.file;
        ProgettoModificato = c.modified;
        LibreriaSensori.assign(2, CSensore());
        msgs.clear();
        msgs.answers = c.answers;
        fileDialogs.asked.clear();
        fileDialogs.answers = c.saveAs;

        EXPECT_EQ(shutDown(), c.closes);
        EXPECT_EQ(msgs.shown.size(), c.asked ? 1u : 0u);
        EXPECT_EQ(!fileDialogs.asked.empty(), c.dialog);
        EXPECT_EQ(QFile::exists(path("RecentFiles.ini")), c.closes) << "recent files written only on the way out";
        EXPECT_EQ(LibreriaSensori.empty(), c.closes);
        // The opened file is never overwritten by a project without a name.
        EXPECT_EQ(fileBytes(opened), openedBytes);
    }
    EXPECT_TRUE(QFile::exists(path("saved.pro")));
    EXPECT_TRUE(QFile::exists(path("other.pro")));
}

TEST_F(ProjectCommandsTest, ShutDownClosesThePort)
{
    plugInstrument();
    ASSERT_TRUE(ConnettiStrumento());
    ASSERT_TRUE(shutDown());
    EXPECT_FALSE(port.isOpen());
}

TEST_F(ProjectCommandsTest, ShutDownKeepsEveryRecentFile)
{
    writeTextLines(path("RecentFiles.ini"), {"1", "/p/4.pro", "/p/3.pro", "/p/2.pro", "/p/1.pro"});
    CaricaFileRecenti();
    ASSERT_TRUE(shutDown());
    EXPECT_EQ(readTextLines(path("RecentFiles.ini")).value(),
              (QStringList{"1", "/p/4.pro", "/p/3.pro", "/p/2.pro", "/p/1.pro"}));
}

class AnalysisCommandTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        FakeAnalysisWindow::refreshed = FakeAnalysisWindow::destroyed = 0;
        ASSERT_TRUE(CaricaLingue());
    }
    void TearDown() override
    {
        setAnalysisFactory(AnalysisKind::Dati, nullptr);
        setAnalysisFactory(AnalysisKind::DatiSpeed, nullptr);
        ShellTest::TearDown();
    }

    void install(FakeAnalysisWindow::WhileOpen during, std::vector<AnalysisKind>* made = nullptr)
    {
        for (AnalysisKind k : {AnalysisKind::Dati, AnalysisKind::DatiSpeed})
            setAnalysisFactory(k, [k, during, made] {
                if (made)
                    made->push_back(k);
                return std::make_unique<FakeAnalysisWindow>(k, during);
            });
    }
};

TEST_F(AnalysisCommandTest, KindFollowsTheFlagAndACancelledDialogOpensNothing)
{
    std::vector<AnalysisKind> made;
    QString file;
    install([&file](FakeAnalysisWindow& w) { file = w.AnalysisFileName; }, &made);

    runAnalysisCommand();
    EXPECT_TRUE(made.empty());
    ASSERT_EQ(fileDialogs.asked.size(), 1u);
    EXPECT_EQ(fileDialogs.asked[0].filter, QStringLiteral("Analysis File (*.csv)"));
    EXPECT_EQ(fileDialogs.asked[0].folder, programFolder());

    UsaAnalisiSpeed = true;
    fileDialogs.answers = {path("s1.csv")};
    runAnalysisCommand();
    UsaAnalisiSpeed = false;
    fileDialogs.answers = {path("s2.csv")};
    runAnalysisCommand();
    EXPECT_EQ(made, (std::vector<AnalysisKind>{AnalysisKind::DatiSpeed, AnalysisKind::Dati}));
    EXPECT_EQ(file, path("s2.csv"));
    EXPECT_EQ(FakeAnalysisWindow::destroyed, 2) << "a fresh window for each opening";
}

TEST_F(AnalysisCommandTest, ThePortIsQuietWhileOpenAndTheFlagsClearHoweverItClosed)
{
    plugInstrument();
    ASSERT_TRUE(pollTick());
    const std::size_t framesBefore = port.engine.received.size();
    bool openFlag = false;
    int ticksRun = 0;
    install([&](FakeAnalysisWindow&) {
        openFlag = StatoComunicazione.AnalisiAperta;
        for (int i = 0; i < 5; ++i)
            ticksRun += pollTick() ? 1 : 0;
        // Closed by its close box: the window itself leaves both flags set.
    });
    showAnalysis(path("run.csv"));
    EXPECT_TRUE(openFlag);
    EXPECT_EQ(ticksRun, 0);
    EXPECT_EQ(port.engine.received.size(), framesBefore);
    EXPECT_FALSE(StatoComunicazione.AnalisiAperta);
    // Only the window's exit key clears the loaded flag.
    EXPECT_TRUE(AnalisiCaricata);
    EXPECT_EQ(analysisWindowOpen(), nullptr);
    EXPECT_TRUE(pollTick()) << "the poll resumes";

    // A window that fails inside its show leaves the poll free as well.
    install([](FakeAnalysisWindow&) { throw std::runtime_error("load failed"); });
    EXPECT_THROW(showAnalysis(path("bad.csv")), std::runtime_error);
    EXPECT_FALSE(StatoComunicazione.AnalisiAperta);
}

TEST_F(AnalysisCommandTest, LanguageChangeRefreshesOnlyALoadedWindow)
{
    TabellaLingua.IndiceLingua = 1;
    languageChanged();
    EXPECT_EQ(languageText(5), fixtureText(1, 5));
    EXPECT_EQ(NomiTipoUscita[0], fixtureText(1, 255));
    EXPECT_EQ(NomiLingue[0], QStringLiteral("Italiano"));
    EXPECT_EQ(FakeAnalysisWindow::refreshed, 0);

    install([](FakeAnalysisWindow&) {
        TabellaLingua.IndiceLingua = 0;
        languageChanged();
    });
    showAnalysis(path("x.csv"));
    EXPECT_EQ(FakeAnalysisWindow::refreshed, 1);
    EXPECT_EQ(languageText(5), fixtureText(0, 5));
    // Once closed, nothing is left to refresh, even with the flag set again.
    AnalisiCaricata = true;
    languageChanged();
    EXPECT_EQ(FakeAnalysisWindow::refreshed, 1);
}

} // namespace
} // namespace zuv::test
