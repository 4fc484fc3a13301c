// The two loaders behind the analysis windows, without a window: what each
// reads of a session, the status bar as it goes, and what it says when the
// companion is missing, the data file cannot be read or the files are
// damaged.

#include "analysis/chart_loader.h"
#include "analysis/texts.h"
#include "analysis_fast/table_loader.h"
#include "project/state.h"
#include "support/fixtures.h"
#include "support/session_files.h"

#include <QDir>
#include <QFileInfo>
#include <memory>

namespace zuv::test {
namespace {

class SessionLoaderTest : public ZuvTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        loadShippedLanguages();
        if (chart())
            loader = chartLoader(measures, alarms);
        else
            loader = std::make_unique<TableLoader>();
    }

    bool chart() const { return GetParam(); }
    // The rows of the sources: the chart's from 2 (row 1 is the header).
    qint64 firstRow() const { return chart() ? 2 : 0; }

    // The session's files in `folder`, all but those left out; the data
    // file's path.
    QString writeSession(const QString& folder, const SessionFiles& f, bool withData = true, bool withAlarms = true)
    {
        if (withData)
            writeFile(folder + "s.csv", f.data);
        if (withAlarms)
            writeFile(folder + "s.txt", f.alarms);
        writeFile(folder + "s.tim", f.laps);
        return path(folder + "s.csv");
    }

    ChartData measures;
    ChartData alarms;
    std::unique_ptr<SessionLoader> loader;
    AnalysisData w;
};

INSTANTIATE_TEST_SUITE_P(Loaders, SessionLoaderTest, ::testing::Values(true, false),
                         [](const auto& info) { return std::string(info.param ? "Chart" : "Table"); });

TEST_P(SessionLoaderTest, ReadsTheSessionAndTellsTheStatusBarEachStep)
{
    // Out-lap, two laps and the stretch after them, 500 rows each.
    const SessionFiles f = makeSession(16, 2, 500);
    const QString file = writeSession("full/", f);
    ASSERT_EQ(loader->load(w, file), SessionLoader::Load::Complete);
    EXPECT_TRUE(msgs.shown.empty());

    EXPECT_EQ(w.FieldsNum, 16);
    EXPECT_EQ(w.AlarmsNum, chart() ? 0 : 10);
    EXPECT_EQ(w.SettoriGiro, 1);
    EXPECT_EQ(w.intGiriCompletati, 2) << "the lap-time file is read";
    const QStringList headers = loader->headers();
    ASSERT_EQ(headers.size(), 16);
    EXPECT_EQ(headers[0], "Time [sec]");
    EXPECT_EQ(headers[15], "M16 [u16]");

    // Lap 1 is lap-table row 2, rows 500 to 999 of the data.
    const LapBounds b = loader->lapBounds();
    EXPECT_EQ(b.rowCount(), 5);
    EXPECT_EQ(b.first(2), firstRow() + 500);
    EXPECT_EQ(b.end(2), firstRow() + 999);
    const DataSources& s = loader->sources();
    EXPECT_EQ(s.timeAt(firstRow() + 501), 0.1);
    EXPECT_EQ(s.lapNumberAt(firstRow() + 500), 1);
    EXPECT_EQ(s.valueAt(3, firstRow()), 30);
    EXPECT_EQ(s.alarmAt(5, firstRow() + 5), 6) << "alarm 2 on at the sixth row";
    EXPECT_EQ(s.xEndBack, chart() ? 0 : 1);
    EXPECT_TRUE(loader->warnings().empty());
    EXPECT_TRUE(loader->failure().isEmpty());

    // The pointer stays busy for the window's own set-up.
    EXPECT_TRUE(surface.busy);
    const QString done = languageText(141) + " 100 %";
    Panels want = {{2, languageText(140)}, {3, languageText(141)}, {3, done}};
    if (chart())
        want.insert(want.end(), {{2, QString()}, {3, languageText(142)}});
    want.insert(want.end(), {{2, languageText(301)}, {3, languageText(141)}, {3, done}});
    EXPECT_EQ(loadSteps(surface.panelTexts), want);
}

TEST_P(SessionLoaderTest, NeitherCompanionIsSaidTwiceAndTheLapsAreNotRead)
{
    const SessionFiles f = makeSession(16, 2, 20);
    const QString file = writeSession("alone/", f, true, false);
    EXPECT_EQ(loader->load(w, file), SessionLoader::Load::NoCompanion);
    ASSERT_EQ(msgs.shown.size(), 2u);
    // The chart window names the whole path, the fast window the name.
    const QString folder = chart() ? path("alone/") : QString();
    EXPECT_EQ(msgs.shown[0].text, missingFileText(folder + "s.txt"));
    EXPECT_EQ(msgs.shown[1].text, missingFileText(folder + "s.alm"));
    EXPECT_EQ(msgs.shown[1].icon, MsgIcon::Critical);
    EXPECT_EQ(w.intGiriCompletati, 0);
    // The chart window has read the data file by then.
    EXPECT_EQ(w.FieldsNum, chart() ? 16 : 0);
    EXPECT_FALSE(QFileInfo::exists(path("alone/schema.ini")));
}

TEST_P(SessionLoaderTest, ADataFileThatCannotBeReadFailsWithItsReason)
{
    const QString file = writeSession("nodata/", makeSession(16, 2, 20), false);
    EXPECT_EQ(loader->load(w, file), SessionLoader::Load::Failed);
    const QString head = missingFileText(file) + QLatin1Char('\n');
    EXPECT_TRUE(loader->failure().startsWith(head)) << loader->failure().toStdString();
    EXPECT_GT(loader->failure().size(), head.size()) << "the system's reason";
    if (!chart()) {
        EXPECT_TRUE(loader->failure().startsWith(head + QDir::toNativeSeparators(file) + ": "));
    }
    EXPECT_TRUE(loader->warnings().empty());
    EXPECT_TRUE(msgs.shown.empty()) << "the window says it";
}

TEST_P(SessionLoaderTest, WhatCouldNotBeReadComesAsTypedWarnings)
{
    SessionFiles f = makeSession(16, 1, 20);
    // Field 3 of the first data row (line 2) is no number; the alarms' line
    // 4 has a field more than its header.
    QList<QByteArray> lines = f.data.split('\n');
    QList<QByteArray> fields = lines[1].split(';');
    fields[2] = "x";
    lines[1] = fields.join(';');
    f.data = lines.join('\n');
    lines = f.alarms.split('\n');
    lines[3].replace("\r", ";99\r");
    f.alarms = lines.join('\n');
    const QString file = writeSession("damaged/", f);
    // The fast window cannot write its schema beside the data.
    QDir().mkpath(path("damaged/schema.ini"));

    ASSERT_EQ(loader->load(w, file), SessionLoader::Load::Complete);
    std::vector<LoadWarning> want;
    if (!chart())
        want.push_back({.kind = LoadWarning::Kind::NotWritten, .file = path("damaged/schema.ini")});
    want.push_back({.kind = LoadWarning::Kind::NotANumber, .file = file, .line = 2, .field = 3, .value = "x"});
    want.push_back(
        {.kind = LoadWarning::Kind::FieldCount, .file = path("damaged/s.txt"), .line = 4, .count = 12, .limit = 11});
    const LoadWarnings& got = loader->warnings();
    EXPECT_EQ(got.total, qint64(want.size()));
    ASSERT_EQ(got.listed.size(), want.size());
    for (std::size_t k = 0; k < want.size(); ++k) {
        LoadWarning w = got.listed[k];
        // The system's reason is its own.
        if (w.kind == LoadWarning::Kind::NotWritten) {
            EXPECT_FALSE(w.value.isEmpty());
            w.value.clear();
        }
        EXPECT_EQ(w, want[k]) << k << ": " << warningText(got.listed[k]).toStdString();
    }

    // The message says each in the program's language after its file.
    const QStringList text = loadWarningsText(got).split(QLatin1Char('\n'));
    const QString notANumber =
        QDir::toNativeSeparators(file) + ": " + QStringLiteral("line 2, field 3: \"x\" is not a number; read as 0");
    EXPECT_EQ(text[chart() ? 0 : 2], notANumber);
    if (!chart()) {
        EXPECT_EQ(text[0], missingFileText(path("damaged/schema.ini")));
    }
}

using ChartLoaderTest = ZuvTest;
using TableLoaderTest = ZuvTest;
using LoadWarningTextsTest = ZuvTest;

// Each kind of warning as the user reads it, in both languages, after the
// path of its file; those not listed are counted.
TEST_F(LoadWarningTextsTest, EachKindSaysWhatWasLeftOutInBothLanguages)
{
    using K = LoadWarning::Kind;
    const QString file = QStringLiteral("/sessioni/prova.csv");
    struct Case {
        LoadWarning warning;
        const char16_t* italian;
        const char16_t* english;
    } cases[] = {
        {{.kind = K::NotANumber, .line = 7, .field = 3, .value = "1,2,3"},
         u"riga 7, campo 3: \"1,2,3\" non è un numero; vale 0",
         u"line 7, field 3: \"1,2,3\" is not a number; read as 0"},
        {{.kind = K::FieldCount, .line = 12, .count = 17, .limit = 16},
         u"riga 12: 17 campi dove l'intestazione ne ha 16", u"line 12: 17 fields where the header has 16"},
        {{.kind = K::LongHeader, .line = 1, .count = 70000, .limit = 65536},
         u"riga 1: 70000 byte sono troppi per un'intestazione; si leggono solo i primi 65536",
         u"line 1: 70000 bytes are too long for a header; only the first 65536 are read"},
        {{.kind = K::TooManyColumns, .count = 25, .limit = 20},
         u"25 colonne; si leggono solo le prime 20", u"25 columns; only the first 20 are read"},
        {{.kind = K::TooManyRows, .count = 20000000, .limit = 16777216},
         u"20000000 righe sono troppe; si leggono solo le prime 16777216",
         u"20000000 rows are too many; only the first 16777216 are read"},
        {{.kind = K::NoMemory, .count = 9000000, .limit = 16},
         u"9000000 righe di 16 colonne non entrano in memoria; non se ne legge nessuna",
         u"9000000 rows of 16 columns do not fit in memory; none is read"},
        {{.kind = K::Unreadable, .value = "Permission denied"}, u"Permission denied", u"Permission denied"},
    };
    for (const int language : {0, 1}) {
        SCOPED_TRACE(language);
        loadShippedLanguages(language);
        LoadWarnings all;
        QStringList want;
        for (Case c : cases) {
            c.warning.file = file;
            const QString said = QDir::toNativeSeparators(file) + ": "
                                 + QString::fromUtf16(language == 0 ? c.italian : c.english);
            EXPECT_EQ(warningText(c.warning), said);
            all.add(c.warning);
            want << said;
        }
        EXPECT_EQ(loadWarningsText(all), want.join(QLatin1Char('\n')));
        // A file that could not be written is said as a missing one, with
        // the system's reason.
        const LoadWarning notWritten{.kind = K::NotWritten, .file = "/sessioni/schema.ini", .value = "Disk full"};
        EXPECT_EQ(warningText(notWritten),
                  QString::fromUtf16(language == 0 ? u"Il file /sessioni/schema.ini non esiste o non è accessibile."
                                                   : u"The file /sessioni/schema.ini is missing or cannot be accessed.")
                      + "\nDisk full");

        // Past the twelfth, text 367 counts the rest, those found beyond the
        // list included.
        for (int k = 0; k < 8; ++k)
            all.add(cases[0].warning);
        all.total += 5;
        const QStringList shown = loadWarningsText(all).split(QLatin1Char('\n'));
        ASSERT_EQ(shown.size(), kWarningsShown + 1);
        EXPECT_EQ(shown.back(), QString::fromUtf16(language == 0 ? u"... e altri 8" : u"... and 8 more"));
    }
}

// The chart keeps 20 columns, and says so.
TEST_F(ChartLoaderTest, SaysItKeepsTwentyColumns)
{
    loadShippedLanguages();
    const SessionFiles f = makeSession(25, 1, 20);
    const QString file = writeFile("wide/s.csv", f.data);
    writeFile("wide/s.txt", f.alarms);
    writeFile("wide/s.tim", f.laps);
    ChartData measures;
    ChartData alarms;
    const std::unique_ptr<SessionLoader> loader = chartLoader(measures, alarms);
    AnalysisData w;
    ASSERT_EQ(loader->load(w, file), SessionLoader::Load::Complete);
    EXPECT_EQ(w.FieldsNum, 20);
    EXPECT_EQ(loader->headers().size(), 20);
    ASSERT_EQ(loader->warnings().listed.size(), 1u);
    EXPECT_EQ(loader->warnings().listed[0],
              (LoadWarning{.kind = LoadWarning::Kind::TooManyColumns, .file = file, .count = 25, .limit = 20}));
}

// Without its lap-time file the fast window has no width: it says so and
// reads no column.
TEST_F(TableLoaderTest, WithoutALapTimeFileReadsNoColumn)
{
    loadShippedLanguages();
    const SessionFiles f = makeSession(16, 1, 20);
    const QString file = writeFile("nolaps/s.csv", f.data);
    writeFile("nolaps/s.txt", f.alarms);
    TableLoader loader;
    AnalysisData w;
    ASSERT_EQ(loader.load(w, file), SessionLoader::Load::Complete);
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text, missingFileText(path("nolaps/s.tim")));
    EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Critical);
    EXPECT_EQ(w.FieldsNum, 0);
    EXPECT_EQ(w.AlarmsNum, 0);
    EXPECT_FALSE(QFileInfo::exists(path("nolaps/schema.ini")));
    EXPECT_TRUE(loader.headers().isEmpty());
    EXPECT_EQ(loader.tables().NumRecord(), 60);
    EXPECT_EQ(loader.sources().valueAt(1, 0), std::nullopt);
    EXPECT_TRUE(loader.warnings().empty());
}

} // namespace
} // namespace zuv::test
