#include "support/file_size_limit.h"
#include "support/link_fixture.h"
#include "support/memory_blocks.h"
#include "support/same_file.h"

#include "platform/companion_file.h"
#include "project/name_tables.h"
#include "project/state.h"
#include "shell/download.h"
#include "shell/export_data.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace zuv::test {
namespace {

// The worked example: one second at speed, then a session mark.
std::vector<QByteArray> workedExample()
{
    return {memoryBlock(workedRecordA()), memoryBlock(workedRecordB())};
}

QByteArray golden(const QString& name)
{
    const QByteArray bytes = fileBytes(QStringLiteral(ZUV_TEST_DATA_DIR "/export/") + name);
    EXPECT_FALSE(bytes.isEmpty()) << "missing golden " << name.toStdString();
    return bytes;
}

ExportSource source(const std::vector<QByteArray>& blocks, const std::vector<QString>& laps = {},
                    int numLaps = 0)
{
    ExportSource src;
    src.blocks = blocks;
    src.laps = laps;
    src.numLaps = numLaps;
    src.speedUnit = QStringLiteral("Km/h");
    src.tempUnit = QStringLiteral("\u00B0 C");
    return src;
}

// The lines of a file without their CR LF (as std::string, for readable
// failures).
std::vector<std::string> lines(const QByteArray& file)
{
    std::vector<std::string> out;
    for (QByteArray l : file.split('\n')) {
        if (l.endsWith('\r'))
            l.chop(1);
        out.push_back(l.toStdString());
    }
    if (!out.empty() && out.back().empty())
        out.pop_back();
    return out;
}

std::string field(const std::string& line, int i)
{
    return QByteArray::fromStdString(line).split(';').value(i).toStdString();
}

// --- the writer ---------------------------------------------------------------

TEST(ExportWriter, WorkedExampleMatchesGoldenFilesByteForByte)
{
    const std::vector<QByteArray> blocks = workedExample();
    std::vector<QString> laps(1000, QStringLiteral("00:00.00"));
    laps[1] = QStringLiteral("01:23.45, 1");
    laps[2] = QStringLiteral("01:23.00, 1");
    const ExportFiles f = buildExportFiles(source(blocks, laps, 2));
    EXPECT_TRUE(sameFile(f.data, golden("worked.csv")));
    EXPECT_TRUE(sameFile(f.alarms, golden("worked.txt")));
    EXPECT_TRUE(sameFile(f.lapTimes, golden("worked.tim")));
}

TEST(ExportWriter, NoBlocksGiveHeadersOnlyInEnglishWithTheOtherUnits)
{
    ExportSource src = source({});
    src.language = 1;
    src.speedUnit = QStringLiteral("mph");
    src.tempUnit = QStringLiteral("\u00B0 F");
    const ExportFiles f = buildExportFiles(src);
    EXPECT_TRUE(sameFile(f.data, golden("empty_en.csv")));
    EXPECT_TRUE(sameFile(f.alarms, golden("empty_en.txt")));
    EXPECT_TRUE(sameFile(f.lapTimes, golden("empty_en.tim")));
}

TEST(ExportWriter, SingleFieldsDecodeAsTheRecordLayoutSays)
{
    MemoryRecord r;
    r.samples[0] = {0xFFFF, 31, 0, 0xF6, 255, 0x80};
    r.samples[1] = {0, 30, 6, 0x7F, 0, 0x7F};
    r.oilTemp = 0xFFF6, r.waterTemp = 0x8000, r.oilPress = 255, r.fuelPress = 1;
    r.fuelLevel = 255, r.battery = 0, r.airFuel = 255, r.speed = 0xFFFF;
    r.status = 0x0100 | 0x4000 | 0x8000; // oil pump, oil pressure, fuel level
    const std::vector<QByteArray> blocks = {memoryBlock(r)};
    const ExportFiles f = buildExportFiles(source(blocks));
    const std::vector<std::string> d = lines(f.data);
    const std::vector<std::string> a = lines(f.alarms);
    ASSERT_EQ(d.size(), 11u);
    ASSERT_EQ(a.size(), 11u);

    // Unsigned words and bytes, signed bytes and words, a gear of 0 as an
    // empty field, A/F 25.5 / 14.7 = 1.7347 to two decimals.
    EXPECT_EQ(d[1], "0.0;31.0;65535;65535.0;0.1;25.5;255.0;-3276.8;-12.8;-1.0;0.0;;255.0;-1.0;25.5;1.73");
    EXPECT_EQ(d[2], "0.1;30.0;0;65535.0;0.1;25.5;0.0;-3276.8;12.7;-1.0;0.0;6;255.0;12.7;25.5;1.73");
    EXPECT_EQ(a[1], "0.0;31.0;2;3;5;7;9;11;14;16;1");
    EXPECT_EQ(std::count(d[1].begin(), d[1].end(), ';'), 15);
    EXPECT_EQ(std::count(a[1].begin(), a[1].end(), ';'), 10);
}

TEST(ExportWriter, SlowChannelsStartFromTheFirstBlockAndRunTowardsTheNext)
{
    MemoryRecord r1;
    r1.oilPress = 35, r1.airFuel = 100, r1.waterTemp = 0xFFF6; // -1.0
    MemoryRecord r2 = r1;
    r2.oilPress = 36, r2.airFuel = 110, r2.waterTemp = 10;     // +1.0
    const std::vector<QByteArray> blocks = {memoryBlock(r1), memoryBlock(r2)};
    const std::vector<std::string> d = lines(buildExportFiles(source(blocks)).data);
    ASSERT_EQ(d.size(), 21u);
    // The first second is flat at its own values: no ramp up from 0.
    for (int i = 1; i <= 10; ++i) {
        EXPECT_EQ(field(d[i], 5), "3.5") << i;
        EXPECT_EQ(field(d[i], 7), "-1.0") << i;
        EXPECT_EQ(field(d[i], 15), "0.68") << i; // 10.0 / 14.7
    }
    const char* oil[10] = {"3.5", "3.51", "3.52", "3.53", "3.54", "3.55", "3.56", "3.57", "3.58", "3.59"};
    const char* water[10] = {"-1.0", "-0.8", "-0.6", "-0.4", "-0.2", "0.0", "0.2", "0.4", "0.6", "0.8"};
    const char* lambda[10] = {"0.68", "0.69", "0.69", "0.7", "0.71", "0.71", "0.72", "0.73", "0.73", "0.74"};
    for (int s = 0; s < 10; ++s) {
        EXPECT_EQ(field(d[11 + s], 5), oil[s]) << s;
        EXPECT_EQ(field(d[11 + s], 7), water[s]) << s;
        EXPECT_EQ(field(d[11 + s], 15), lambda[s]) << s;
    }
}

// Session marks split the lines into runs. Each case: per block its session
// number and whether it carries the mark; expected per block the time of its
// first line and the session field of its lines.
struct RunCase {
    const char* name;
    std::vector<std::pair<int, bool>> blocks;
    std::vector<std::pair<const char*, const char*>> expected;
};

TEST(ExportWriter, SessionMarksSplitRunsAndNumberThem)
{
    const std::vector<RunCase> cases = {
        {"next sessions restart the time",
         {{0, false}, {1, true}, {1, false}, {2, true}, {2, false}},
         {{"0.0", "1"}, {"0.0", "2"}, {"1.0", "2"}, {"0.0", "3"}, {"1.0", "3"}}},
        {"a first mark with session 0 keeps the time",
         {{0, false}, {0, true}, {0, false}},
         {{"0.0", "0"}, {"1.0", "1"}, {"2.0", "1"}}},
        {"a jump of two marks the lines before it -1",
         {{1, true}, {3, true}, {3, false}},
         {{"0.0", "-1"}, {"1.0", "4"}, {"2.0", "4"}}},
        {"an unchanged number marks the lines before it -1",
         {{2, true}, {2, true}},
         {{"0.0", "-1"}, {"1.0", "3"}}},
        {"a next session after a jump writes only the lines since the jump",
         {{0, false}, {0, true}, {1, true}},
         {{"0.0", "0"}, {"0.0", "1"}, {"0.0", "2"}}},
        {"a lower number starts a new run",
         {{1, true}, {2, true}, {1, true}},
         {{"0.0", "2"}, {"0.0", "1"}, {"0.0", "2"}}},
        {"no mark: one run numbered after the last block",
         {{5, false}, {7, false}},
         {{"0.0", "8"}, {"1.0", "8"}}},
    };
    for (const RunCase& c : cases) {
        std::vector<QByteArray> blocks;
        for (const auto& [session, mark] : c.blocks) {
            MemoryRecord r;
            r.session = session;
            r.status = mark ? 0x0002 : 0;
            blocks.push_back(memoryBlock(r));
        }
        const ExportFiles f = buildExportFiles(source(blocks));
        const std::vector<std::string> d = lines(f.data);
        const std::vector<std::string> a = lines(f.alarms);
        ASSERT_EQ(a.size(), 1 + 10 * blocks.size()) << c.name;
        ASSERT_EQ(d.size(), a.size()) << c.name;
        // The runs come out in order, so block k's lines are lines 10k+1...
        for (std::size_t k = 0; k < c.expected.size(); ++k) {
            const std::string& first = a[1 + 10 * k];
            EXPECT_EQ(field(first, 0), c.expected[k].first) << c.name << " block " << k;
            for (int s = 0; s < 10; ++s) {
                const std::string& line = a[1 + 10 * k + std::size_t(s)];
                EXPECT_EQ(field(line, 10), c.expected[k].second) << c.name << " block " << k;
                EXPECT_EQ(field(line, 0), field(d[1 + 10 * k + std::size_t(s)], 0)) << c.name;
            }
        }
    }
}

TEST(ExportWriter, DistanceResetsOnlyInTheBlockThatOpensASession)
{
    MemoryRecord r;
    r.samples[0].distance = 31;
    r.samples[1].distance = 30;
    MemoryRecord marked = r;
    marked.session = 1;
    marked.status = 0x0002;
    const std::vector<QByteArray> blocks = {memoryBlock(r), memoryBlock(marked), memoryBlock(r)};
    const std::vector<std::string> d = lines(buildExportFiles(source(blocks)).data);
    ASSERT_EQ(d.size(), 31u);
    EXPECT_EQ(field(d[1], 1), "31.0");
    EXPECT_EQ(field(d[11], 1), "0.0");
    EXPECT_EQ(field(d[12], 1), "30.0");
    EXPECT_EQ(field(d[21], 1), "31.0");
}

TEST(ExportWriter, LongSessionsKeepCountingPast16BitLines)
{
    // 3300 seconds = 33000 lines, past a 16-bit counter's 32767.
    std::vector<QByteArray> blocks(3300, memoryBlock(MemoryRecord()));
    const ExportFiles f = buildExportFiles(source(blocks));
    const std::vector<std::string> d = lines(f.data);
    ASSERT_EQ(d.size(), 33001u);
    EXPECT_EQ(field(d[32768], 0), "3276.7");
    EXPECT_EQ(field(d[33000], 0), "3299.9");
}

TEST(ExportWriter, LapFileHoldsAtMostTheLinesTheBufferKeeps)
{
    std::vector<QString> laps(1000, QStringLiteral("00:00.00"));
    laps[999] = QStringLiteral("99:59.99, 3");
    const std::vector<std::string> all = lines(buildExportFiles(source({}, laps, 5000)).lapTimes);
    ASSERT_EQ(all.size(), 1001u); // "1.4", 999 laps, the empty line
    EXPECT_EQ(all[999], "99:59.99, 3");
    EXPECT_EQ(all[1000], "");
    EXPECT_EQ(buildExportFiles(source({}, laps, -3)).lapTimes, "1.4\r\n\r\n");
}

TEST(ExportWriter, CompanionNamesComeFromADataNameEndingInCsv)
{
    EXPECT_EQ(dataFileName("/d/run1"), "/d/run1.csv");
    EXPECT_EQ(dataFileName("/d/run1.CSV"), "/d/run1.CSV");
    EXPECT_EQ(dataFileName("/d/run1.txt"), "/d/run1.txt.csv");
    EXPECT_EQ(withLastThreeReplaced("/d/run1.csv", QLatin1String("txt")), "/d/run1.txt");
    EXPECT_EQ(withLastThreeReplaced("/d/run1.csv", QLatin1String("tim")), "/d/run1.tim");
}

// --- Save Data ------------------------------------------------------------------

class SaveData : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        useNumberedTexts(399);
        CaricaTabelleCostanti();
        const std::vector<QByteArray> blocks = workedExample();
        DatiScaricati[0] = blocks[0];
        DatiScaricati[1] = blocks[1];
        NumBlocchi = 2;
        TempiGiro[1] = QStringLiteral("01:23.45, 1");
        TempiGiro[2] = QStringLiteral("01:23.00, 1");
        NumGiriStrumento = 2;
    }
    QStringList shownTexts() const
    {
        QStringList t;
        for (const ShownMessage& m : msgs.shown)
            t << m.text;
        return t;
    }
};

TEST_F(SaveData, WritesTheThreeFilesFromTheBuffersAndReports)
{
    fileDialogs.answers.push_back(path("run1")); // no extension typed
    EXPECT_TRUE(runSaveData());

    ASSERT_EQ(fileDialogs.asked.size(), 1u);
    EXPECT_TRUE(fileDialogs.asked[0].save);
    EXPECT_EQ(fileDialogs.asked[0].filter, "Data File (*.csv)");
    EXPECT_EQ(fileDialogs.asked[0].folder, dir.path());

    EXPECT_TRUE(sameFile(readFile("run1.csv"), golden("worked.csv")));
    EXPECT_TRUE(sameFile(readFile("run1.txt"), golden("worked.txt")));
    EXPECT_TRUE(sameFile(readFile("run1.tim"), golden("worked.tim")));
    EXPECT_EQ(PercorsoFileDati, path("run1.csv"));
    EXPECT_EQ(PercorsoFileAllarmi, path("run1.txt"));
    EXPECT_EQ(PercorsoFileTempiGiro, path("run1.tim"));
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text, "T269");
    EXPECT_FALSE(surface.busy);
}

TEST_F(SaveData, CancelAndRefusedOverwriteWriteNothing)
{
    EXPECT_FALSE(runSaveData()); // dialog cancelled
    EXPECT_TRUE(msgs.shown.empty());

    writeFile("old.csv", "keep");
    fileDialogs.answers.push_back(path("old.csv"));
    msgs.answers.push_back(MsgAnswer::Cancel);
    EXPECT_FALSE(runSaveData());
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text, path("old.csv") + " T132");
    EXPECT_EQ(msgs.shown[0].title, "T133");
    EXPECT_EQ(msgs.shown[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(readFile("old.csv"), "keep");
    EXPECT_FALSE(QFileInfo::exists(path("old.txt")));

    fileDialogs.answers.push_back(path("old.csv"));
    msgs.answers.push_back(MsgAnswer::Ok);
    EXPECT_TRUE(runSaveData());
    EXPECT_TRUE(sameFile(readFile("old.csv"), golden("worked.csv")));
}

TEST_F(SaveData, AFileThatCannotBeCreatedStopsBeforeAnythingIsWritten)
{
    // A folder where the lap file should go: the other two are not written.
    QDir(dir.path()).mkdir("run2.tim");
    writeFile("run2.csv", "old data");
    fileDialogs.answers.push_back(path("run2.csv"));
    msgs.answers.push_back(MsgAnswer::Ok);
    EXPECT_FALSE(runSaveData());
    EXPECT_EQ(readFile("run2.csv"), "old data");
    EXPECT_FALSE(QFileInfo::exists(path("run2.txt")));
    QStringList t = shownTexts();
    ASSERT_EQ(t.size(), 2); // the overwrite question, then the failure
    EXPECT_TRUE(t[1].startsWith("T328 " + path("run2.tim") + " T329\n")) << t[1].toStdString();
    EXPECT_EQ(msgs.shown[1].icon, MsgIcon::Critical);
    EXPECT_FALSE(t.contains("T269"));

    // A folder that does not exist.
    msgs.clear();
    fileDialogs.answers.push_back(path("missing/run3.csv"));
    EXPECT_FALSE(runSaveData());
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_TRUE(msgs.shown[0].text.startsWith("T328 " + path("missing/run3.csv") + " T329\n"));
    EXPECT_FALSE(surface.busy);
}

TEST_F(SaveData, AWriteThatFailsLateLeavesAllThreeOldFilesAndSaysWhy)
{
    // The lap file is the largest here and small enough to be held in
    // memory until it is flushed: the limit bites after the data and
    // alarms files were written whole.
    NumBlocchi = 0;
    NumGiriStrumento = 999;
    for (int i = 1; i <= 999; ++i)
        TempiGiro[i] = QStringLiteral("01:23.45, 1");
    const QByteArray old[3] = {"old data", "old alarms", "old laps"};
    writeFile("run4.csv", old[0]);
    writeFile("run4.txt", old[1]);
    writeFile("run4.tim", old[2]);
    fileDialogs.answers.push_back(path("run4.csv"));
    msgs.answers.push_back(MsgAnswer::Ok);
    {
        FileSizeLimit full(4096);
        EXPECT_FALSE(runSaveData());
    }
    EXPECT_EQ(readFile("run4.csv"), old[0]);
    EXPECT_EQ(readFile("run4.txt"), old[1]);
    EXPECT_EQ(readFile("run4.tim"), old[2]);
    // No file written aside is left behind.
    EXPECT_EQ(QDir(dir.path()).entryList({"run4*"}, QDir::Files).size(), 3);

    const QStringList t = shownTexts();
    ASSERT_EQ(t.size(), 2);
    EXPECT_EQ(t[1].toStdString(),
              ("T328 " + path("run4.tim") + " T329\n" + QString::fromLocal8Bit(std::strerror(EFBIG))).toStdString());
    EXPECT_FALSE(t.contains("T269"));

    // With room again the same command writes all three.
    fileDialogs.answers.push_back(path("run4.csv"));
    msgs.answers.push_back(MsgAnswer::Ok);
    EXPECT_TRUE(runSaveData());
    EXPECT_EQ(lines(readFile("run4.tim")).size(), 1001u); // "1.4", the laps, the empty line
    EXPECT_NE(readFile("run4.csv"), old[0]);
}

TEST_F(SaveData, AnInterruptedDownloadIsCalledPartialBeforeTheNameIsAsked)
{
    downloadInterrupted = true;
    // Cancelled at the name: the word can only have come before it.
    EXPECT_FALSE(runSaveData());
    EXPECT_EQ(fileDialogs.asked.size(), 1u);
    ASSERT_EQ(shownTexts(), QStringList{"T380"});
    EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(msgs.shown[0].buttons, MsgButtons::Ok);

    // The partial data are still saved when the user goes on.
    msgs.clear();
    fileDialogs.answers.push_back(path("part.csv"));
    EXPECT_TRUE(runSaveData());
    EXPECT_EQ(shownTexts(), (QStringList{"T380", "T269"}));
    EXPECT_TRUE(sameFile(readFile("part.csv"), golden("worked.csv")));
}

TEST_F(SaveData, UnitsAndLanguageComeFromTheProject)
{
    NumBlocchi = 0;
    NumGiriStrumento = 0;
    TabellaLingua.IndiceLingua = 1;
    DatiProgetto.UMVel = 1;
    DatiProgetto.UMTemp = 1;
    fileDialogs.answers.push_back(path("en.csv"));
    EXPECT_TRUE(runSaveData());
    EXPECT_TRUE(sameFile(readFile("en.csv"), golden("empty_en.csv")));

    // A unit selector out of range names no unit rather than failing.
    DatiProgetto.UMVel = 7;
    const ExportSource src = downloadedSource();
    EXPECT_EQ(src.speedUnit, "");
    EXPECT_EQ(src.tempUnit, "\u00B0 F");
}

} // namespace
} // namespace zuv::test
