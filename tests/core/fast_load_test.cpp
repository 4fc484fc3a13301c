#include "support/fixtures.h"

#include "analysis/alarms_companion.h"
#include "analysis/chart_data.h"
#include "analysis/texts.h"
#include "analysis_fast/dati.h"
#include "analysis_fast/fast_load.h"

#include <QDir>
#include <QFileInfo>
#include <tuple>
#include <vector>

namespace zuv::test {
namespace {

QByteArray dataFile(int rows, int columns)
{
    QByteArray out;
    for (int c = 1; c <= columns; ++c)
        out += (c > 1 ? ";" : "") + QByteArray("M") + QByteArray::number(c) + " [u]";
    out += "\r\n";
    for (int r = 0; r < rows; ++r) {
        for (int c = 1; c <= columns; ++c)
            out += (c > 1 ? ";" : "") + QByteArray::number(r * 100 + c) + ".5";
        out += "\r\n";
    }
    return out;
}

QByteArray alarmsFile(const std::vector<int>& laps)
{
    QByteArray out = "T;D;A0;A1;A2;A3;A4;A5;A6;A7;\r\n";
    for (std::size_t r = 0; r < laps.size(); ++r)
        out += QByteArray::number(double(r) / 10) + ";0;1;3;5;7;9;11;13;15;" +
               QByteArray::number(laps[r]) + "\r\n";
    return out;
}

TEST(FastLoad, FileNames)
{
    const TableFileNames n = tableFileNames(QStringLiteral("/data/giri/run 1.csv"));
    EXPECT_EQ(n.Cartella, QStringLiteral("/data/giri/"));
    EXPECT_EQ(n.NomeFileTabella, QStringLiteral("run 1.csv"));
    EXPECT_EQ(tableFileNames(QStringLiteral("run.csv")).Cartella, QString());
}

TEST(FastLoad, VersionLineChoosesTheWidth)
{
    for (const auto& [line, fields] : std::vector<std::pair<QString, int>>{
             {"1.4", 16}, {"1.40", 15}, {" 1.4", 15}, {"1.4 ", 15}, {"1.5", 15}, {"", 15}})
        EXPECT_EQ(fieldsNumFromVersion(line), fields) << line.toStdString();
}

TEST(FastLoad, SchemaIniBytes)
{
    QByteArray want = "[run.csv]\r\nColNameHeader=True\r\nFormat=Delimited(;)\r\nMaxScanRows=1\r\n"
                      "CharacterSet=ANSI\r\n";
    for (int i = 1; i <= 16; ++i)
        want += "Col" + QByteArray::number(i) + "=F" + QByteArray::number(i) + " Double\r\n";
    want += "[run.alm]\r\nColNameHeader=True\r\nFormat=Delimited(;)\r\nMaxScanRows=1\r\n"
            "CharacterSet=ANSI\r\n";
    for (int i = 1; i <= 10; ++i)
        want += "Col" + QByteArray::number(i) + "=F" + QByteArray::number(i) + " Double\r\n";
    want += "Col11=F11 Integer\r\n";
    EXPECT_EQ(schemaIniText(QStringLiteral("run.csv"), QStringLiteral("run.alm"), 16, kAlarmsNum), want);
    EXPECT_TRUE(schemaIniText(QStringLiteral("r.csv"), QStringLiteral("r.txt"), 15, 10)
                    .contains("Col15=F15 Double\r\n[r.txt]"));
}

TEST(FastLoad, HeaderNamesKeepTheSurplusInTheLastOne)
{
    const NomiCanali n = namesFromHeader(u"T [s];D [m];V [km/h];G []", 3);
    EXPECT_EQ(n[1], QStringLiteral("T [s]"));
    EXPECT_EQ(n[3], QStringLiteral("V [km/h];G []"));
    EXPECT_EQ(n[4], QString());
    const NomiCanali few = namesFromHeader(u"T;D", 16);
    EXPECT_EQ(few[2], QStringLiteral("D"));
    EXPECT_EQ(few[3], QString());
}

TEST(FastLoad, ProgressRule)
{
    const std::vector<std::tuple<qint64, qint64, std::optional<int>>> cases{
        {1000, 1000, {}},   {1001, 1001, 100}, {1001, 2002, 50}, {1001, 8008, 12}, // 12.5
        {1125, 3000, 38},   {2000, 1500, 133}, {5000, 0, {}}};                       // 37.5
    for (const auto& [row, total, want] : cases)
        EXPECT_EQ(loadPercent(row, total), want) << row << "/" << total;
}

TEST(FastLoad, StatisticsOverRowsOfTableZero)
{
    Dati d;
    d.reset(4, 300);
    double* v = d.columnData(3, 0);
    double* neg = d.columnData(4, 0);
    for (int r = 0; r < 300; ++r) {
        v[r] = 12 + (r * 7) % 19; // 12..30
        neg[r] = -1 - r % 5;
    }
    EXPECT_EQ(GetMaxMisura(d, 3, 0, 299), 30.0);
    EXPECT_EQ(GetMinMisura(d, 3, 0, 299), 12.0);
    EXPECT_EQ(GetMaxMisura(d, 4, 0, 299), -1.0);
    EXPECT_EQ(GetMinMisura(d, 4, 0, 299), -5.0);
    EXPECT_EQ(GetMaxMisura(d, 2, 0, 299), 0.0); // a measure that stays 0
    EXPECT_EQ(GetMediaMisura(d, 2, 0, 299), 0.0);

    double sum = 0;
    for (int r = 100; r <= 200; ++r)
        sum += v[r];
    EXPECT_DOUBLE_EQ(GetMediaMisura(d, 3, 100, 200), sum / 101); // both ends count

    // Empty and out-of-table ranges never divide by zero nor read outside.
    EXPECT_EQ(GetMaxMisura(d, 3, 10, 9), 0.0);
    EXPECT_EQ(GetMinMisura(d, 3, 10, 5), 0.0);
    EXPECT_EQ(GetMediaMisura(d, 3, 10, 9), 0.0);
    EXPECT_EQ(GetMediaMisura(d, 3, 10, 8), 0.0);
    EXPECT_EQ(GetMinMisura(d, 3, 299, 5000), 0.0); // row 300 is the zero row
    EXPECT_EQ(GetMaxMisura(d, 3, -50, 0), v[0]);
    EXPECT_EQ(GetMaxMisura(d, 9, 0, 10), 0.0);
}

class FastLoadFiles : public ZuvTest {};

// Both tables, as the fast window's loader reads them.
TableLoad loadBoth(Dati& d, int fieldsNum, const QString& data, const QString& alarms,
                   const TableProgress& progress = {})
{
    TableLoad r = loadDataTable(d, fieldsNum, data, progress);
    loadAlarmsTable(d, alarms, r, progress);
    return r;
}

TEST_F(FastLoadFiles, CompanionChoiceAndItsMessages)
{
    struct Case {
        const char* name;
        std::vector<const char*> files;
        const char* chosen;
        bool present;
        int messages;
    };
    const Case cases[] = {
        {"txt", {"run.txt", "run.alm"}, "run.txt", true, 0},
        {"alm only", {"run.alm"}, "run.alm", true, 1},
        {"neither", {}, "run.alm", false, 2},
        {"txt from Windows", {"run.TXT"}, "run.TXT", true, 0},
    };
    loadShippedLanguages();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        for (const char* f : c.files)
            QFile(QDir(folder.path()).filePath(QString::fromLatin1(f))).open(QIODevice::WriteOnly);
        msgs.clear();
        const AlarmsChoice s = chooseAlarmsFile(folder.path() + '/', QStringLiteral("run.csv"), CompanionRule::Fast);
        EXPECT_EQ(s.NomeFileAllarmi, QString::fromLatin1(c.chosen));
        EXPECT_EQ(s.FileAllarmiPresente, c.present);
        ASSERT_EQ(int(msgs.shown.size()), c.messages);
        if (c.messages) {
            EXPECT_EQ(msgs.shown[0].text, QStringLiteral("The file run.txt is missing or cannot be accessed."));
            EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Critical);
        }
    }
}

// The measure names come from the header as the data reader finds it, so a
// file the data reader can read is named as the chart window names it.
TEST_F(FastLoadFiles, HeaderNamesAsTheDataReaderFindsTheHeader)
{
    const QByteArray header = "T [s];Temp [\xB0 C];L [Lambda]";
    const QByteArray rows = "0.0;80.5;0.9";
    struct Case {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"CR LF", header + "\r\n" + rows + "\r\n" + rows + "\r\n"},
        {"CR alone", header + "\r" + rows + "\r" + rows + "\r"},
        {"empty first lines", "\r\n  \r\n" + header + "\r\n" + rows + "\r\n"},
        {"UTF-8 byte-order mark", "\xEF\xBB\xBF" + QString::fromLatin1(header).toUtf8() + "\r\n" + rows + "\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = writeFile(QStringLiteral("names.csv"), c.bytes);
        const NomiCanali n = LeggiNomiCanali(file, 3);
        EXPECT_EQ(n[1], QStringLiteral("T [s]"));
        EXPECT_EQ(n[2], QStringLiteral(u"Temp [° C]"));
        EXPECT_EQ(n[3], QStringLiteral("L [Lambda]"));
        ChartData chart;
        ASSERT_TRUE(chart.loadFile(file));
        EXPECT_EQ(chart.dataRows(), c.bytes.count(rows));
        for (int i = 1; i <= 3; ++i)
            EXPECT_EQ(n[std::size_t(i)], chart.header(i)) << i;
    }
}

TEST_F(FastLoadFiles, SchemaIniAndOneThatCannotBeWritten)
{

    const QString folder = dir.path() + '/';
    LoadWarning problem;
    ASSERT_TRUE(ScriviSchemaIni(folder, QStringLiteral("run.csv"), QStringLiteral("run.txt"), 16, 10, &problem));
    EXPECT_EQ(readFile(QStringLiteral("schema.ini")),
              schemaIniText(QStringLiteral("run.csv"), QStringLiteral("run.txt"), 16, 10));

    // A folder where the file cannot be written: a clear text for the caller.
    loadShippedLanguages();
    QDir(dir.path()).mkpath(QStringLiteral("blocked/schema.ini"));
    const QString blocked = dir.path() + QStringLiteral("/blocked/");
    EXPECT_FALSE(ScriviSchemaIni(blocked, QStringLiteral("run.csv"), QStringLiteral("run.txt"), 16, 10, &problem));
    const QString error = warningText(problem);
    EXPECT_TRUE(error.startsWith(QStringLiteral("The file ") +
                                 QDir::toNativeSeparators(blocked + QStringLiteral("schema.ini"))))
        << error.toStdString();
}

TEST_F(FastLoadFiles, LoadsBothTablesWithTheirBounds)
{
    // A data file one column wider than the table, an alarms file two rows
    // longer than the data file.
    const QString data = writeFile(QStringLiteral("run.csv"), dataFile(3, 16));
    const QString alarms = writeFile(QStringLiteral("run.txt"), alarmsFile({0, 1, 1, 2, 3}));
    std::vector<std::tuple<int, qint64, int>> progress;
    Dati d;
    const TableLoad r = loadBoth(d, 15, data, alarms, [&](int t, qint64 row, int p) {
        progress.emplace_back(t, row, p);
    });
    EXPECT_TRUE(r.dataRead && r.alarmsRead);
    EXPECT_TRUE(r.warnings.empty()) << warningTexts(r.warnings).join('\n').toStdString();
    ASSERT_EQ(r.NumRecord, 3);
    EXPECT_TRUE(progress.empty()); // 1000 rows or fewer show no percentage
    EXPECT_EQ(d(1, 0, 0), 1.5);
    EXPECT_EQ(d(15, 0, 2), 215.5);
    EXPECT_EQ(d(16, 0, 2), 0.0); // past FieldsNum: not read
    for (int c = 0; c <= 16; ++c)
        EXPECT_EQ(d(c, 0, 3), 0.0); // the padding row
    EXPECT_EQ(d(11, 1, 1), 1.0);
    EXPECT_EQ(d(11, 1, 3), 2.0); // companion row NumRecord still belongs to the table
    EXPECT_EQ(d(11, 1, 4), 0.0); // beyond it: dropped
    EXPECT_EQ(d(1, 2, 0), 0.0);
    EXPECT_EQ(d(3, 0, -1), 0.0);
    EXPECT_EQ(d(0, 0, 0), 0.0);

    // The lap array has a lap number for every row 0..NumRecord, the
    // padding row's from the companion's row NumRecord; the chart's lap
    // boundaries leave that row out.
    EXPECT_EQ(rowLapNumbers(d), (std::vector<qint32>{0, 1, 1, 2}));
    const LapBounds b = lapBoundsFromTableRows(rowLapNumbers(d));
    ASSERT_EQ(b.rowCount(), 3);
    EXPECT_EQ(std::make_pair(b.first(1), b.end(1)), std::make_pair(qint64(0), qint64(0)));
    EXPECT_EQ(std::make_pair(b.first(2), b.end(2)), std::make_pair(qint64(1), qint64(2)));

    // A shorter companion leaves the missing rows 0; a missing one leaves
    // table 1 empty and says why.
    const QString shortAlarms = writeFile(QStringLiteral("short.txt"), alarmsFile({5}));
    loadBoth(d, 15, data, shortAlarms);
    EXPECT_EQ(d(11, 1, 0), 5.0);
    EXPECT_EQ(d(11, 1, 1), 0.0);
    // The zero padding row past a lap 0 never stretches "Start" to it.
    const QString sameLength = writeFile(QStringLiteral("same.txt"), alarmsFile({0, 0, 1}));
    loadBoth(d, 15, data, sameLength);
    EXPECT_EQ(rowLapNumbers(d), (std::vector<qint32>{0, 0, 1, 0}));
    EXPECT_EQ(lapBoundsFromTableRows(rowLapNumbers(d)).end(1), 1);
    const TableLoad m = loadBoth(d, 15, data, path(QStringLiteral("gone.txt")));
    EXPECT_FALSE(m.alarmsRead);
    EXPECT_EQ(m.errors.listed.size(), 1u);
    EXPECT_EQ(d(1, 0, 0), 1.5);

    // No lap-time file: no column, nothing read, nothing fails.
    const TableLoad z = loadBoth(d, 0, data, alarms);
    EXPECT_EQ(z.NumRecord, 3);
    EXPECT_EQ(d(1, 0, 0), 0.0);
    EXPECT_EQ(d.bytes(), 0u);
}

TEST_F(FastLoadFiles, ProgressPastTheThousandthRow)
{
    const QString alarms = writeFile(QStringLiteral("a.txt"), alarmsFile(std::vector<int>(1001, 1)));
    for (const int rows : {1000, 1001, 20000}) {
        SCOPED_TRACE(rows);
        const QString data = writeFile(QStringLiteral("d.csv"), dataFile(rows, 16));
        std::vector<std::tuple<int, qint64, int>> seen;
        Dati d;
        loadBoth(d, 16, data, alarms, [&](int t, qint64 row, int p) { seen.emplace_back(t, row, p); });
        if (rows == 1000) {
            // Only the alarms' 1001st row shows a figure, still against 1000.
            EXPECT_EQ(seen, (std::vector<std::tuple<int, qint64, int>>{{1, 1001, 100}}));
            continue;
        }
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(seen.front(), std::make_tuple(0, rows == 1001 ? 1001 : std::get<1>(seen.front()),
                                                rows == 1001 ? 100 : std::get<2>(seen.front())));
        const auto lastData = std::find_if(seen.rbegin(), seen.rend(), [](auto& s) { return std::get<0>(s) == 0; });
        EXPECT_EQ(*lastData, std::make_tuple(0, qint64(rows), 100));
        EXPECT_LE(seen.size(), 50u);
        // The alarms count against the data rows: 1001 of 20000 is 5 %.
        EXPECT_EQ(seen.back(), std::make_tuple(1, qint64(1001), rows == 1001 ? 100 : 5));
    }

    // A companion longer than the data goes past 100: 1200 of 1001 rows.
    const QString data = writeFile(QStringLiteral("d.csv"), dataFile(1001, 16));
    const QString longer = writeFile(QStringLiteral("long.txt"), alarmsFile(std::vector<int>(1200, 1)));
    std::vector<std::tuple<int, qint64, qint64>> seen;
    Dati d;
    loadBoth(d, 16, data, longer, [&](int t, qint64 row, qint64 p) { seen.emplace_back(t, row, p); });
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen.front(), std::make_tuple(0, qint64(1001), qint64(100)));
    EXPECT_EQ(std::get<0>(seen[1]), 1) << "the data table shows its figure once";
    EXPECT_EQ(seen.back(), std::make_tuple(1, qint64(1200), qint64(120)));
}

// The shipped example read by both readers gives the same numbers.
TEST_F(FastLoadFiles, ExampleSessionReadsTheSameInBothReaders)
{
    const QString base = QStringLiteral(ZUV_SHIPPED_DATA_DIR "/examples/Prova Collina.");
    QFile lapTimes(base + QStringLiteral("tim"));
    ASSERT_TRUE(lapTimes.open(QIODevice::ReadOnly));
    const int fieldsNum = fieldsNumFromVersion(QString::fromLatin1(lapTimes.readLine()).trimmed());
    ASSERT_EQ(fieldsNum, 16);
    Dati d;
    const TableLoad r = loadBoth(d, fieldsNum, base + "csv", base + "txt");
    EXPECT_TRUE(r.warnings.empty()) << warningTexts(r.warnings).join('\n').toStdString();
    ChartData data, alarms;
    ASSERT_TRUE(data.loadFile(base + "csv"));
    ASSERT_TRUE(alarms.loadFile(base + "txt"));
    ASSERT_EQ(r.NumRecord, data.dataRows());
    EXPECT_GT(r.NumRecord, 7000);
    for (int c = 1; c <= fieldsNum; ++c)
        for (qint64 row = 0; row < r.NumRecord; ++row)
            ASSERT_EQ(d(c, 0, row), *data.valueAt(c, row + 2)) << c << " " << row;
    for (int c = 1; c <= kLapNumberColumn; ++c)
        for (qint64 row = 0; row < r.NumRecord; ++row)
            ASSERT_EQ(d(c, 1, row), *alarms.valueAt(c, row + 2)) << c << " " << row;

    // The same laps, one in data rows from 0, the other in chart rows.
    const LapBounds fast = lapBoundsFromTableRows(rowLapNumbers(d));
    const LapBounds chart = alarms.lapBoundaries(u"K1");
    ASSERT_EQ(fast.rowCount(), chart.rowCount());
    EXPECT_GT(fast.rowCount(), 3);
    for (int row = 1; row < fast.rowCount(); ++row) {
        if (fast.first(row) == fast.end(row))
            continue;
        EXPECT_EQ(fast.first(row) + 2, chart.first(row));
        EXPECT_EQ(fast.end(row) + 2, chart.end(row));
    }
    const NomiCanali names = LeggiNomiCanali(base + "csv", 16);
    EXPECT_EQ(names[1], data.header(1));
    EXPECT_EQ(names[16], data.header(16));
}

} // namespace
} // namespace zuv::test
