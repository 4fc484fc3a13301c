#include "project/recent_files.h"
#include "project/state.h"
#include "support/fixtures.h"

#include <QDir>
#include <QFile>

namespace zuv::test {
namespace {

class RecentFilesTest : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        UsaAnalisiSpeed = true; // as the main window sets it before reading
        TabellaLingua.TestiLingua = QStringList(400, QString());
        TabellaLingua.NumTestiLingua = 399;
        TabellaLingua.TestiLingua[328] = QStringLiteral("The file");
        TabellaLingua.TestiLingua[329] = QStringLiteral("cannot be written");
    }

    QStringList list() const
    {
        QStringList out;
        for (int i = 0; i < NumFileRecenti; ++i)
            out << FileRecenti[i];
        return out;
    }

    QStringList visibleItems() const
    {
        QStringList out;
        for (int k = 0; k < 4; ++k) {
            const auto it = surface.recent.find(k);
            if (it != surface.recent.end() && it->second.visible)
                out << it->second.caption;
        }
        return out;
    }

    // The list and the menu as the file gives them.
    void load(const QStringList& paths)
    {
        QList<QByteArray> lines = {"1"};
        for (const QString& p : paths)
            lines << p.toLatin1();
        writeFile("RecentFiles.ini", fileLines(lines));
        CaricaFileRecenti();
    }
};

TEST_F(RecentFilesTest, LoadTakesFlagLinesAnywhereAndAtMostFourDistinctPaths)
{
    struct Case {
        const char* why;
        QByteArray file;
        bool flag;
        QStringList paths;
    } cases[] = {
        {"flag and two paths", fileLines({"0", "/p/a.zuv", "/p/b.zuv"}), false, {"/p/a.zuv", "/p/b.zuv"}},
        {"no flag line keeps the flag", fileLines({"/p/a.zuv"}), true, {"/p/a.zuv"}},
        {"flag in the middle", fileLines({"1", "/p/a.zuv", "0", "/p/b.zuv"}), false, {"/p/a.zuv", "/p/b.zuv"}},
        {"six paths show four",
         fileLines({"1", "/p/1", "/p/2", "/p/3", "/p/4", "/p/5", "/p/6"}), true,
         {"/p/1", "/p/2", "/p/3", "/p/4"}},
        {"empty lines skipped", fileLines({"1", "", "/p/a.zuv", "   ", "", "/p/b.zuv"}), true,
         {"/p/a.zuv", "/p/b.zuv"}},
        {"repeated paths once", fileLines({"1", "/p/a", "/p/a", "/p/b", "/p/a", "/p/c", "/p/d", "/p/e"}),
         true, {"/p/a", "/p/b", "/p/c", "/p/d"}},
        {"LF only", fileLines({"0", "/p/a.zuv"}, "\n"), false, {"/p/a.zuv"}},
        {"flag with a blank is a path", fileLines({"0 ", "/p/a"}), true, {"0 ", "/p/a"}},
        {"empty file", "", true, {}},
        {"Windows-1252 path", fileLines({"1", "C:\\Progetti\\Citt\xE0 \x80.zuv"}), true,
         {QStringLiteral("C:\\Progetti\\Citt\u00E0 \u20AC.zuv")}},
    };
    for (const Case& c : cases) {
        UsaAnalisiSpeed = true;
        surface.clear();
        writeFile("RecentFiles.ini", c.file);
        CaricaFileRecenti();
        EXPECT_EQ(UsaAnalisiSpeed, c.flag) << c.why;
        EXPECT_EQ(list(), c.paths) << c.why;
        EXPECT_EQ(visibleItems(), c.paths) << c.why;
        EXPECT_TRUE(FileRecenti[4].isEmpty()) << c.why;
        EXPECT_TRUE(msgs.shown.empty()) << c.why;
    }
}

TEST_F(RecentFilesTest, NoFileGivesAnEmptyListAndKeepsTheFlag)
{
    load({"/p/a", "/p/b"});
    QFile::remove(path("RecentFiles.ini"));
    CaricaFileRecenti();
    EXPECT_TRUE(UsaAnalisiSpeed);
    EXPECT_EQ(NumFileRecenti, 0);
    EXPECT_TRUE(FileRecenti[0].isEmpty());
    EXPECT_TRUE(visibleItems().isEmpty()); // the earlier items are hidden again

    writeFile("RecentFiles.ini/inside", "/p/a"); // a folder in its place
    CaricaFileRecenti();
    EXPECT_EQ(NumFileRecenti, 0);
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(RecentFilesTest, FileNameFoundWhateverItsCase)
{
    writeFile("recentfiles.INI", fileLines({"0", "/p/a"}));
    CaricaFileRecenti();
    EXPECT_EQ(list(), QStringList{"/p/a"});
    PercorsoDaAprire = QStringLiteral("/p/b");
    ASSERT_TRUE(SalvaFileRecenti());
    EXPECT_EQ(readFile("recentfiles.INI"), fileLines({"0", "/p/b", "/p/a"}));
}

TEST_F(RecentFilesTest, SaveMovesTheOpenedProjectToTheTopWithoutLosingAny)
{
    struct Case {
        const char* why;
        QStringList before;
        QString opened;
        QList<QByteArray> after;
    } cases[] = {
        {"first open", {}, "/p1", {"/p1"}},
        {"reopen the second", {"/p1", "/p2", "/p3"}, "/p2", {"/p2", "/p1", "/p3"}},
        {"reopen in a full list", {"/p4", "/p3", "/p2", "/p1"}, "/p3", {"/p3", "/p4", "/p2", "/p1"}},
        {"reopen the newest", {"/p4", "/p3", "/p2", "/p1"}, "/p4", {"/p4", "/p3", "/p2", "/p1"}},
        {"new one in a full list", {"/p4", "/p3", "/p2", "/p1"}, "/p5", {"/p5", "/p4", "/p3", "/p2"}},
        {"nothing opened keeps all", {"/p4", "/p3", "/p2", "/p1"}, "", {"/p4", "/p3", "/p2", "/p1"}},
        {"a path no line holds", {"/p1"}, "/a\nb", {"/p1"}},
        {"a path the code page lacks", {"/p1"}, QStringLiteral("/\u4E00"), {"/p1"}},
    };
    for (const Case& c : cases) {
        load(c.before);
        PercorsoDaAprire = c.opened;
        ASSERT_TRUE(SalvaFileRecenti()) << c.why;
        EXPECT_EQ(readFile("RecentFiles.ini"), fileLines(QList<QByteArray>{"1"} + c.after)) << c.why;
    }
}

TEST_F(RecentFilesTest, OpeningFiveProjectsAndQuittingKeepsTheLastFour)
{
    // The Open command: save, reload, clear; then the exit saves once more.
    UsaAnalisiSpeed = false;
    for (const char* p : {"/a", "/b", "/c", "/d", "/e"}) {
        PercorsoDaAprire = QLatin1String(p);
        ASSERT_TRUE(SalvaFileRecenti());
        CaricaFileRecenti();
        PercorsoDaAprire.clear();
    }
    EXPECT_EQ(visibleItems(), (QStringList{"/e", "/d", "/c", "/b"}));
    ASSERT_TRUE(SalvaFileRecenti());
    EXPECT_EQ(readFile("RecentFiles.ini"), fileLines({"0", "/e", "/d", "/c", "/b"}));

    // The next start-up sees the same four.
    resetProgramState();
    UsaAnalisiSpeed = true;
    CaricaFileRecenti();
    EXPECT_FALSE(UsaAnalisiSpeed);
    EXPECT_EQ(list(), (QStringList{"/e", "/d", "/c", "/b"}));
}

TEST_F(RecentFilesTest, AFileThatCannotBeWrittenIsReportedOnceAndKeptAsItWas)
{
    // A folder in the file's place cannot be replaced.
    writeFile("RecentFiles.ini/inside", "kept");
    PercorsoDaAprire = QStringLiteral("/p1");
    EXPECT_FALSE(SalvaFileRecenti());
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Exclamation);
    const QString head = QStringLiteral("The file ") + path("RecentFiles.ini") + QStringLiteral(" cannot be written\n");
    EXPECT_TRUE(msgs.shown[0].text.startsWith(head)) << msgs.shown[0].text.toStdString();
    EXPECT_GT(msgs.shown[0].text.size(), head.size()) << "the system's reason follows";
    EXPECT_EQ(readFile("RecentFiles.ini/inside"), QByteArray("kept"));

    // The list goes on in memory, and the next failures are not said again.
    PercorsoDaAprire = QStringLiteral("/p2");
    EXPECT_FALSE(SalvaFileRecenti());
    showRecentFiles();
    PercorsoDaAprire.clear();
    EXPECT_FALSE(SalvaFileRecenti());
    EXPECT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(list(), (QStringList{"/p2", "/p1"}));
    EXPECT_EQ(visibleItems(), (QStringList{"/p2", "/p1"}));

    // Once a write has worked, a new failure is news again.
    QDir(path("RecentFiles.ini")).removeRecursively();
    EXPECT_TRUE(SalvaFileRecenti());
    QFile::remove(path("RecentFiles.ini"));
    writeFile("RecentFiles.ini/inside", "kept");
    EXPECT_FALSE(SalvaFileRecenti());
    EXPECT_EQ(msgs.shown.size(), 2u);
}

TEST_F(RecentFilesTest, APathWithACarriageReturnInsideIsShownAndKept)
{
    // Lines end at LF: the CR belongs to the path, which the system allows.
    writeFile("RecentFiles.ini", "0\r\n/runs/a\rb.pro\r\n/runs/c.pro\r\n");
    CaricaFileRecenti();
    EXPECT_EQ(visibleItems(), (QStringList{"/runs/a\rb.pro", "/runs/c.pro"}));

    PercorsoDaAprire.clear();
    ASSERT_TRUE(SalvaFileRecenti());
    EXPECT_EQ(readFile("RecentFiles.ini"), QByteArray("0\r\n/runs/a\rb.pro\r\n/runs/c.pro\r\n"));

    // Opened again, it moves to the top as any other path.
    PercorsoDaAprire = QStringLiteral("/runs/c.pro");
    ASSERT_TRUE(SalvaFileRecenti());
    CaricaFileRecenti();
    EXPECT_EQ(list(), (QStringList{"/runs/c.pro", "/runs/a\rb.pro"}));
}

class TrackListTest : public ZuvTest {};

TEST_F(TrackListTest, NamesEveryTrkFileInNameOrder)
{
    // The last three characters are "trk" in these letters; the name loses
    // its last four.
    for (const char* name : {"Monza.trk", "spa.TRK", "Imola.txt", "trk", "abctrk", ".trk",
                             "Mugello.trk.bak", "Vallelunga.Trk", "\xC3\xA0nel.trk"})
        writeFile(QStringLiteral("Tracks/") + QString::fromUtf8(name), "outline");
    writeFile("Tracks/Folder.trk/inside.trk", "outline");
    ListaTracciati = QStringList{"kept"};

    CaricaListaTracciati();

    EXPECT_EQ(ListaTracciati, (QStringList{"kept", "ab", "Monza", QStringLiteral("\u00E0nel")}));
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(TrackListTest, MissingFolderLeavesTheListAsItWas)
{
    ListaTracciati = QStringList{"kept"};
    CaricaListaTracciati();
    EXPECT_EQ(ListaTracciati, QStringList{"kept"});
    EXPECT_TRUE(msgs.shown.empty());
}

} // namespace
} // namespace zuv::test
