// The example shipped in data/: regenerated through the download and Save
// Data, it gives the checked-in bytes; read as the analysis reads it, it has
// laps, sectors and alarms to show.

#include "support/example_session.h"
#include "support/fixtures.h"
#include "support/same_file.h"

#include "platform/textfile.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <set>

namespace zuv::test {
namespace {

QString shipped(const QString& relative) { return QStringLiteral(ZUV_SHIPPED_DATA_DIR "/") + relative; }

class ExampleSession : public ::testing::Test {
protected:
    // One download and save for the whole suite.
    static void SetUpTestSuite() { files_ = exampleFiles(&error_); }
    static void TearDownTestSuite() { files_.clear(); }

    void SetUp() override { ASSERT_FALSE(files_.empty()) << error_.toStdString(); }

    static QByteArray bytes(const QString& path)
    {
        for (const ExampleFile& f : files_)
            if (f.path == path)
                return f.bytes;
        ADD_FAILURE() << "the example has no " << path.toStdString();
        return {};
    }
    // Lines of a file whose every line ends with CR LF.
    static QStringList lines(const QString& path)
    {
        const QByteArray b = bytes(path);
        EXPECT_EQ(b.count("\r\n"), b.count('\n')) << path.toStdString();
        EXPECT_TRUE(b.endsWith("\r\n")) << path.toStdString();
        return splitLines(b);
    }
    static QString session(const char* ext)
    {
        return QString::fromLatin1(kExampleDataFile).chopped(3) + QLatin1String(ext);
    }

    static std::vector<ExampleFile> files_;
    static QString error_;
};

std::vector<ExampleFile> ExampleSession::files_;
QString ExampleSession::error_;

// "mm:ss.cc, n" in hundredths; -1 when it is not a lap line.
int lapHundredths(const QString& line)
{
    static const QRegularExpression re(QStringLiteral("^(\\d{2,}):(\\d{2})\\.(\\d{2}), \\d+$"));
    const QRegularExpressionMatch m = re.match(line);
    if (!m.hasMatch())
        return -1;
    return (m.captured(1).toInt() * 60 + m.captured(2).toInt()) * 100 + m.captured(3).toInt();
}

TEST_F(ExampleSession, RegeneratesTheShippedFilesByteForByte)
{
    std::set<QString> ours;
    for (const ExampleFile& f : files_) {
        ours.insert(f.path);
        EXPECT_TRUE(sameFile(fileBytes(shipped(f.path)), f.bytes)) << f.path.toStdString();
    }
    // Nothing stale beside the example in its folder.
    const QString folder = QFileInfo(QLatin1String(kExampleDataFile)).path();
    for (const QString& name : QDir(shipped(folder)).entryList(QDir::Files))
        EXPECT_TRUE(ours.count(folder + QLatin1Char('/') + name)) << name.toStdString();
}

TEST_F(ExampleSession, CircuitsFitTheMapBoxAndTheirSectorsAddUp)
{
    for (const char* circuit : {kExampleCircuit, kExampleSecondCircuit}) {
        SCOPED_TRACE(circuit);
        const QString base = QStringLiteral("tracks/") + QLatin1String(circuit);
        const QStringList points = lines(base + QStringLiteral(".trk"));
        EXPECT_GE(points.size(), 120);
        EXPECT_LE(points.size(), 200); // the reader adds one entry, up to 201
        static const QRegularExpression pair(QStringLiteral("^(\\d+),(\\d+)$"));
        QString previous;
        for (const QString& p : points) {
            const QRegularExpressionMatch m = pair.match(p);
            ASSERT_TRUE(m.hasMatch()) << p.toStdString();
            const int x = m.captured(1).toInt(), y = m.captured(2).toInt();
            EXPECT_TRUE(x >= 5 && x <= 137 && y >= 5 && y <= 62) << p.toStdString();
            EXPECT_NE(p, previous);
            previous = p;
        }

        const QStringList sectors = lines(base + QStringLiteral(".sec"));
        ASSERT_EQ(sectors.size(), 4);
        int sum = 0;
        for (qsizetype i = 1; i < sectors.size(); ++i) {
            EXPECT_GT(sectors[i].toInt(), 0);
            sum += sectors[i].toInt();
        }
        EXPECT_EQ(sum, sectors[0].toInt());
    }
}

TEST_F(ExampleSession, SessionFileNamesOneOfOurCircuits)
{
    const QStringList s = lines(session("ses"));
    ASSERT_EQ(s.size(), 26);
    EXPECT_EQ(s[3], QStringLiteral("Circuito=") + QLatin1String(kExampleCircuit));
    const QStringList sectors = lines(QStringLiteral("tracks/") + QLatin1String(kExampleCircuit) + ".sec");
    ASSERT_FALSE(sectors.isEmpty());
    EXPECT_EQ(s[4], QStringLiteral("LunghTracciato=") + sectors[0]);
    const char* const keys[8] = {"Sessione=", "DataSessione=", "OraSessione=", "Circuito=",
                                 "LunghTracciato=", "VeicoloSessione=", "Piloti=", "NoteSessione="};
    for (int i = 0; i < 8; ++i) {
        EXPECT_TRUE(s[i].startsWith(QLatin1String(keys[i]))) << s[i].toStdString();
        EXPECT_GT(s[i].size(), qsizetype(strlen(keys[i]) + 1)) << "empty " << keys[i];
    }
    for (int i = 8; i < 26; ++i)
        EXPECT_EQ(s[i].count(QLatin1Char(';')), 5) << s[i].toStdString();
}

TEST_F(ExampleSession, LapsOfTheLapFileMatchTheLapNumbersTimesAndDistances)
{
    const QStringList tim = lines(session("tim"));
    ASSERT_GE(tim.size(), 3);
    EXPECT_EQ(tim.first(), "1.4");
    EXPECT_EQ(tim.last(), ""); // the closing empty line
    std::vector<int> laps;
    for (qsizetype i = 1; i + 1 < tim.size(); ++i) {
        laps.push_back(lapHundredths(tim[i]));
        EXPECT_GT(laps.back(), 0) << tim[i].toStdString();
    }
    const int n = int(laps.size());
    ASSERT_GE(n, 5);

    const QStringList sectors = lines(QStringLiteral("tracks/") + QLatin1String(kExampleCircuit) + ".sec");
    ASSERT_FALSE(sectors.isEmpty());
    const double trackLength = sectors[0].toDouble();

    // Alarms rows by lap number: 0 before the first lap, n + 1 after the last.
    const QStringList txt = lines(session("txt"));
    const QStringList csv = lines(session("csv"));
    ASSERT_EQ(txt.size(), csv.size());
    std::map<int, std::vector<std::pair<double, double>>> rows; // lap: (time, distance)
    int lastLap = 0;
    for (qsizetype i = 1; i < txt.size(); ++i) {
        const QStringList f = txt[i].split(QLatin1Char(';'));
        ASSERT_EQ(f.size(), 11) << txt[i].toStdString();
        const int lap = f[10].toInt();
        ASSERT_GE(lap, lastLap) << "lap numbers go back at row " << i;
        lastLap = lap;
        rows[lap].push_back({f[0].toDouble(), f[1].toDouble()});
        // The data line carries the same time and distance.
        EXPECT_TRUE(csv[i].startsWith(f[0] + QLatin1Char(';') + f[1] + QLatin1Char(';'))) << i;
    }
    EXPECT_EQ(rows.begin()->first, 0);
    EXPECT_EQ(lastLap, n + 1);
    EXPECT_EQ(int(rows.size()), n + 2);

    for (int lap = 1; lap <= n; ++lap) {
        SCOPED_TRACE(lap);
        const auto& r = rows[lap];
        ASSERT_FALSE(r.empty());
        // The lap's time starts at 0; its samples span its lap time to within
        // the instrument's one-second record.
        EXPECT_EQ(r.front().first, 0.0);
        EXPECT_NEAR(r.size() * 10.0, laps[std::size_t(lap - 1)], 100.0);
        double reach = 0;
        for (const auto& [time, distance] : r)
            reach = std::max(reach, distance);
        EXPECT_GE(reach, trackLength); // every sector boundary is passed
        EXPECT_LT(reach, trackLength * 1.05);
    }
}

TEST_F(ExampleSession, AlarmsSwitchOnAndOffWhereTheNotesSay)
{
    // On and off rows of alarm k, with the lap number of each.
    const QStringList txt = lines(session("txt"));
    struct Switch {
        std::vector<int> onLaps, offLaps;
    };
    std::array<Switch, 8> sw;
    std::array<int, 8> previous;
    previous.fill(-1);
    for (qsizetype i = 1; i < txt.size(); ++i) {
        const QStringList f = txt[i].split(QLatin1Char(';'));
        ASSERT_EQ(f.size(), 11);
        for (int k = 0; k < 8; ++k) {
            const int v = f[2 + k].toInt();
            ASSERT_TRUE(v == 2 * k + 1 || v == 2 * k + 2) << txt[i].toStdString();
            Switch& w = sw[std::size_t(k)];
            if (previous[std::size_t(k)] != -1 && v != previous[std::size_t(k)])
                (v == 2 * k + 2 ? w.onLaps : w.offLaps).push_back(f[10].toInt());
            previous[std::size_t(k)] = v;
        }
    }
    const int laps = int(lines(session("tim")).size()) - 2; // less the version and closing lines
    constexpr int kWater = 3, kFuelPress = 5, kOilPress = 6;
    EXPECT_EQ(sw[kOilPress].onLaps, std::vector<int>{4});
    EXPECT_EQ(sw[kOilPress].offLaps, std::vector<int>{4});
    EXPECT_EQ(sw[kFuelPress].onLaps, std::vector<int>{6});
    EXPECT_EQ(sw[kFuelPress].offLaps, std::vector<int>{6});
    EXPECT_EQ(sw[kWater].onLaps, std::vector<int>{laps});       // the last lap
    EXPECT_EQ(sw[kWater].offLaps, std::vector<int>{laps + 1}); // the in-lap
    for (int k : {0, 1, 2, 4, 7})
        EXPECT_TRUE(sw[std::size_t(k)].onLaps.empty()) << "alarm " << k;
}

// The tool as typed in a shell: its help and a wrong argument write nothing
// (not even a folder named after the argument).
TEST(ExampleSessionTool, HelpAndWrongArgumentsWriteNothing)
{
    struct Case {
        QStringList args;
        int exitCode;
        const char* says; // at the start of stdout (help) or in stderr
    };
    const Case cases[] = {
        {{"--help"}, 0, "Usage: zuv-example-session [FOLDER]\n"},
        {{"-h"}, 0, "Usage: zuv-example-session [FOLDER]\n"},
        {{"--bogus"}, 2, "zuv-example-session: unknown argument --bogus\n"},
        {{"one", "two"}, 2, "zuv-example-session: unknown argument two\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        QTemporaryDir cwd;
        ASSERT_TRUE(cwd.isValid());
        QProcess tool;
        tool.setWorkingDirectory(cwd.path());
        tool.start(QStringLiteral(ZUV_BIN_DIR "/zuv-example-session"), c.args);
        ASSERT_TRUE(tool.waitForFinished(60000));
        EXPECT_EQ(tool.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(tool.exitCode(), c.exitCode);
        const QByteArray out = tool.readAllStandardOutput();
        const QByteArray err = tool.readAllStandardError();
        if (c.exitCode == 0) {
            EXPECT_TRUE(out.startsWith(c.says)) << out.toStdString();
            EXPECT_TRUE(err.isEmpty()) << err.toStdString();
        } else {
            EXPECT_TRUE(err.startsWith(c.says)) << err.toStdString();
            EXPECT_TRUE(err.contains("Usage:")) << err.toStdString();
            EXPECT_TRUE(out.isEmpty()) << out.toStdString();
        }
        EXPECT_TRUE(QDir(cwd.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    }
}

} // namespace
} // namespace zuv::test
