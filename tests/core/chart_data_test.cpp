#include "support/fixtures.h"

#include "analysis/chart_data.h"

#include <vector>

namespace zuv::test {
namespace {

TEST(ChartData, CellReferences)
{
    struct Case {
        const char* text;
        int column;
        qint64 row; // 0 column: not a cell
    };
    const Case cases[] = {{"A1", 1, 1},  {"K1", 11, 1},  {"c12", 3, 12}, {"T163841", 20, 163841},
                          {"A0", 1, 0},  {"U2", 0, 0},   {"A", 0, 0},    {"2", 0, 0},
                          {"A-1", 0, 0}, {"AB2", 0, 0},  {"A2 ", 0, 0},  {"", 0, 0}};
    for (const Case& c : cases) {
        const std::optional<CellRef> r = parseCellRef(QString::fromLatin1(c.text));
        ASSERT_EQ(r.has_value(), c.column != 0) << c.text;
        if (r) {
            EXPECT_EQ(r->column, c.column) << c.text;
            EXPECT_EQ(r->row, c.row) << c.text;
        }
    }
}

TEST(ChartData, CellNamesReadBack)
{
    EXPECT_EQ(cellRef(1, 2), QStringLiteral("A2"));
    EXPECT_EQ(cellRef(20, 163841), QStringLiteral("T163841"));
    for (const auto& [column, row] : {std::pair{1, qint64(0)}, {11, 7}, {20, 9999999}}) {
        const std::optional<CellRef> r = parseCellRef(cellRef(column, row));
        ASSERT_TRUE(r);
        EXPECT_EQ(r->column, column);
        EXPECT_EQ(r->row, row);
    }
}

// Data rows 2..12 with lap numbers 0,0,0,1,1,1,1,2,2,3,3: Start is rows 2..4,
// lap 1 rows 5..8, lap 2 rows 9..10, End rows 11..12.
TEST(ChartData, LapBoundsHoldFirstAndLastRowOfEachLap)
{
    const std::vector<qint32> k{0, 0, 0, 1, 1, 1, 1, 2, 2, 3, 3};
    const LapBounds b = lapBoundsFromNumbers(k, 2);
    ASSERT_EQ(b.rowCount(), 5);
    EXPECT_EQ(b.InizioGiro, (std::vector<qint64>{0, 2, 5, 9, 11}));
    EXPECT_EQ(b.FineGiro, (std::vector<qint64>{0, 4, 8, 10, 12}));
    EXPECT_EQ(b.first(7), 0);
    EXPECT_EQ(b.end(-1), 0);

    // A lap number that never occurs is an empty lap; negative and absurd
    // numbers belong to no lap.
    const std::vector<qint32> gaps{-1, 0, 2, 2, -1, kMaxLapNumber + 1, 3};
    const LapBounds g = lapBoundsFromNumbers(gaps);
    EXPECT_EQ(g.InizioGiro, (std::vector<qint64>{0, 1, 0, 2, 6}));
    EXPECT_EQ(g.FineGiro, (std::vector<qint64>{0, 1, 0, 3, 6}));
    EXPECT_EQ(lapBoundsFromNumbers(std::vector<qint32>{-1, -1}).rowCount(), 0);

    EXPECT_EQ(lapNumberFromValue(2.5), 2);
    EXPECT_EQ(lapNumberFromValue(3.5), 4);
    EXPECT_EQ(lapNumberFromValue(-1.0), -1);
    EXPECT_EQ(lapNumberFromValue(1e12), -1);
}

class ChartDataFile : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        QByteArray alarms = "T;D;A0;A1;A2;A3;A4;A5;A6;A7;\r\n";
        const int laps[] = {0, 0, 0, 1, 1, 1, 1, 2, 2, 3, 3};
        for (int i = 0; i < 11; ++i)
            alarms += QByteArray::number(i / 10.0) + ";" + QByteArray::number(i * 3) +
                      ";1;3;5;7;9;11;13;15;" + QByteArray::number(laps[i]) + "\r\n";
        alarmsPath = writeFile(QStringLiteral("run.txt"), alarms);
    }
    QString alarmsPath;
};

TEST_F(ChartDataFile, ColumnsValuesAndRangeStatisticsInChartRows)
{
    ChartData d;
    std::vector<int> progress;
    ASSERT_TRUE(d.loadFile(alarmsPath, [&](int p) { progress.push_back(p); }));
    EXPECT_EQ(progress.back(), 100);
    EXPECT_EQ(d.columnCount(), 11);
    EXPECT_EQ(d.dataRows(), 11);
    EXPECT_EQ(d.header(1), QStringLiteral("T"));
    EXPECT_EQ(d.header(11), QString());
    EXPECT_EQ(d.header(12), QString());
    EXPECT_EQ(d.column(2).size(), 11u);
    EXPECT_FALSE(d.valueAt(2, 1).has_value()); // the header row
    EXPECT_EQ(d.valueAt(2, 2), 0.0);
    EXPECT_EQ(d.valueAt(2, 12), 30.0);
    EXPECT_FALSE(d.valueAt(2, 13).has_value());
    EXPECT_FALSE(d.valueAt(0, 2).has_value());

    struct Case {
        const char *from, *to;
        double max, min, avg;
    };
    const Case cases[] = {
        {"B2", "B4", 6, 0, 3},         // rows 2..4: 0, 3, 6
        {"B4", "B2", 6, 0, 3},         // either order
        {"B11", "B20", 30, 27, 28.5},  // rows past the data are left out
        {"B1", "B2", 0, 0, 0},         // the header row is no value
        {"B13", "B20", 0, 0, 0},       // nothing left
        {"B2", "C4", 0, 0, 0},         // two columns
        {"B2", "x", 0, 0, 0},          // not a cell
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + ".." + c.to);
        const QString f = QString::fromLatin1(c.from), t = QString::fromLatin1(c.to);
        EXPECT_EQ(d.rangeMaximum(f, t), c.max);
        EXPECT_EQ(d.rangeMinimum(f, t), c.min);
        EXPECT_EQ(d.rangeAverage(f, t), c.avg);
    }

    const LapBounds b = d.lapBoundaries(u"K1");
    EXPECT_EQ(b.InizioGiro, (std::vector<qint64>{0, 2, 5, 9, 11}));
    EXPECT_EQ(b.FineGiro, (std::vector<qint64>{0, 4, 8, 10, 12}));
    EXPECT_EQ(d.lapBoundaries(u"L1").rowCount(), 0);
}

TEST_F(ChartDataFile, AFailedLoadLeavesNothingOfTheOldFile)
{
    ChartData d;
    ASSERT_TRUE(d.loadFile(alarmsPath));
    QString error;
    EXPECT_FALSE(d.loadFile(path(QStringLiteral("gone.csv")), {}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(d.columnCount(), 0);
    EXPECT_EQ(d.rangeMaximum(u"B2", u"B4"), 0.0);

    // More columns than the chart has letters keeps the first twenty.
    QByteArray wide;
    for (int c = 0; c < 25; ++c)
        wide += (c ? ";" : "") + QByteArray::number(c);
    wide += "\n" + wide + "\n";
    ASSERT_TRUE(d.loadFile(writeFile(QStringLiteral("wide.csv"), wide)));
    EXPECT_EQ(d.columnCount(), kMaxChartColumns);
    EXPECT_EQ(d.valueAt(20, 2), 19.0);
}

} // namespace
} // namespace zuv::test
