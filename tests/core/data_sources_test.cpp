// The two windows' data sources give the same answers for the same session:
// the chart window in chart rows (header row 1), the fast window in table
// rows from 0.

#include "analysis/data_sources.h"
#include "analysis_fast/table_loader.h"
#include "support/fixtures.h"

namespace zuv::test {
namespace {

using AnalysisSources = ZuvTest;

const QByteArray kData = "Tempo [sec];Distanza [m];RPM [rpm]\r\n"
                         "0.0;0;1000\r\n0.1;5;3000\r\n0.2;10;2000\r\n";
const QByteArray kAlarms = "T;D;A0;A1;A2;A3;A4;A5;A6;A7;\r\n"
                           "0.0;0;1;3;5;7;9;11;13;15;1\r\n"
                           "0.1;5;2;3;5;7;9;11;13;15;1\r\n"
                           "0.2;10;1;3;5;7;9;11;13;16;2\r\n";

void expectSameSession(const DataSources& s, qint64 first)
{
    const RangeStats st = s.stats(3, first, first + 2);
    EXPECT_EQ(st.max, 3000);
    EXPECT_EQ(st.min, 1000);
    EXPECT_EQ(st.avg, 2000);
    EXPECT_EQ(s.timeAt(first + 1), 0.1);
    EXPECT_EQ(s.alarmsTimeAt(first + 2), 0.2);
    EXPECT_EQ(s.distanceAt(first + 2), 10);
    EXPECT_EQ(s.lapNumberAt(first + 2), 2);
    EXPECT_EQ(s.valueAt(2, first + 1), 5);
    EXPECT_EQ(s.alarmAt(3, first + 1), 2);
    EXPECT_EQ(s.alarmAt(10, first + 2), 16);
    // Outside the data: nothing, so the read-out leaves its boxes alone.
    EXPECT_EQ(s.timeAt(first - 1), std::nullopt);
    EXPECT_EQ(s.valueAt(3, first + 3), std::nullopt);
    EXPECT_EQ(s.valueAt(12, first), std::nullopt);
    EXPECT_EQ(s.alarmAt(12, first), std::nullopt);
}

TEST_F(AnalysisSources, ChartWindowReadsItsChartsInChartRows)
{
    ChartData data;
    ChartData alarms;
    ASSERT_TRUE(data.loadFile(writeFile("s.csv", kData)));
    ASSERT_TRUE(alarms.loadFile(writeFile("s.txt", kAlarms)));
    const DataSources s = chartSources(data, alarms);
    EXPECT_EQ(s.xEndBack, 0);
    expectSameSession(s, 2);
}

TEST_F(AnalysisSources, FastWindowReadsItsTableFromRowZero)
{
    Dati tables;
    tables.reset(11, 3);
    const double data[3][3] = {{0.0, 0, 1000}, {0.1, 5, 3000}, {0.2, 10, 2000}};
    const double alarms[3][11] = {{0.0, 0, 1, 3, 5, 7, 9, 11, 13, 15, 1},
                                  {0.1, 5, 2, 3, 5, 7, 9, 11, 13, 15, 1},
                                  {0.2, 10, 1, 3, 5, 7, 9, 11, 13, 16, 2}};
    for (int r = 0; r < 3; ++r) {
        for (int c = 1; c <= 3; ++c)
            tables.columnData(c, 0)[r] = data[r][c - 1];
        for (int c = 1; c <= 11; ++c)
            tables.columnData(c, 1)[r] = alarms[r][c - 1];
    }
    const DataSources s = tableSources(tables);
    EXPECT_EQ(s.xEndBack, 1);
    expectSameSession(s, 0);
    // The zero padding row after the data is no data.
    EXPECT_EQ(s.timeAt(3), std::nullopt);
}

} // namespace
} // namespace zuv::test
