// Lap statistics and the statistics and per-measure grids.
#include "analysis/measure_stats.h"
#include "analysis/statistics.h"

#include "project/state.h"
#include "support/fixtures.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace zuv::test {
namespace {

// Lap n in row n + 1, as the lap table holds them.
LapTimeOf laps(const QStringList& times)
{
    return [times](int row) { return row >= 2 && row - 2 < times.size() ? times[row - 2] : QString(); };
}

TEST(LapStatistics, TotalsAveragesAndSpeeds)
{
    struct Case {
        const char* name;
        QStringList times;
        int fastest;
        int slowest;
        const char* length;
        LapStatistics expected;
    };
    const Case cases[] = {
        {"three laps",
         {"01:23.45", "01:20.00", "01:30.55"},
         2,
         3,
         "1000",
         {"00:04:14.00", "01:24.66", "42.52", "01:20.00", "01:30.55", "45.0", "39.757"}},
        {"one lap", {"01:23.45"}, 1, 1, "1000", {"00:01:23.45", "01:23.45", "43.14", "01:23.45", "01:23.45", "43.14", "43.14"}},
        // Totals past the hour show it; a 100-minute lap still adds up.
        {"long laps",
         {"59:59.99", "100:00.01"},
         1,
         2,
         "30000",
         {"02:40:00.00", "80:00.00", "22.5", "59:59.99", "100:00.01", "30.0", "18.0"}},
        // An average lap of 1:01:30 keeps its hour in the minutes.
        {"average past the hour",
         {"61:00.00", "62:00.00"},
         1,
         2,
         "30000",
         {"02:03:00.00", "61:30.00", "29.268", "61:00.00", "62:00.00", "29.508", "29.032"}},
    };
    for (const Case& c : cases) {
        LapStatistics s;
        ASSERT_TRUE(computeLapStatistics(s, laps(c.times), int(c.times.size()), c.fastest, c.slowest,
                                      QString::fromLatin1(c.length)))
            << c.name;
        EXPECT_EQ(s.TempoTotale, c.expected.TempoTotale) << c.name;
        EXPECT_EQ(s.TempoMedioGiro, c.expected.TempoMedioGiro) << c.name;
        EXPECT_EQ(s.VelocitaMediaGiro, c.expected.VelocitaMediaGiro) << c.name;
        EXPECT_EQ(s.strGiroVeloce, c.expected.strGiroVeloce) << c.name;
        EXPECT_EQ(s.strGiroLento, c.expected.strGiroLento) << c.name;
        EXPECT_EQ(s.VelocitaGiroVeloce, c.expected.VelocitaGiroVeloce) << c.name;
        EXPECT_EQ(s.VelocitaGiroLento, c.expected.VelocitaGiroLento) << c.name;
    }
}

TEST(LapStatistics, ManyLapsAndNoLaps)
{
    // Beyond 327 laps a 16-bit division would overflow.
    const QStringList many(600, QStringLiteral("01:00.01"));
    LapStatistics s;
    ASSERT_TRUE(computeLapStatistics(s, laps(many), 600, 1, 1, QStringLiteral("1000")));
    EXPECT_EQ(s.TempoTotale, QStringLiteral("10:00:06.00"));
    EXPECT_EQ(s.TempoMedioGiro, QStringLiteral("01:00.01"));
    // A lap file without its closing empty line counts -1 laps.
    EXPECT_FALSE(computeLapStatistics(s, laps({}), 0, 0, 0, QStringLiteral("1000")));
    EXPECT_FALSE(computeLapStatistics(s, laps({"01:00.00"}), -1, 0, 0, QStringLiteral("1000")));
    EXPECT_EQ(s.TempoTotale, QStringLiteral("10:00:06.00"));
    // No track length: no speed, no failure.
    LapStatistics noLength;
    ASSERT_TRUE(computeLapStatistics(noLength, laps({"01:00.00"}), 1, 1, 1, QString()));
    EXPECT_EQ(noLength.TempoMedioGiro, QStringLiteral("01:00.00"));
}

TEST(LapStatistics, ALapTimeThatCannotBeReadStopsThemThere)
{
    // Texts of an earlier run, to see which are written before the stop.
    const LapStatistics old{"old total", "old average", "old speed", "old fast", "old slow", "old fast speed",
                            "old slow speed"};
    struct Case {
        const char* name;
        QStringList times;
        const char* total; // TempoTotale after the stop
    } cases[] = {
        {"the first lap", {"ab:cd.ef", "01:00.00"}, "old total"},
        {"an empty first lap", {"", "01:00.00"}, "old total"},
        // The laps before it are summed.
        {"the third lap", {"01:00.00", "01:01.50", "1:x0.00", "01:00.00"}, "00:02:01.50"},
        {"seconds past 59", {"01:00.00", "01:75.00"}, "00:01:00.00"},
        {"no hundredths", {"01:00.00", "01:00"}, "00:01:00.00"},
    };
    for (const Case& c : cases) {
        LapStatistics s = old;
        EXPECT_FALSE(computeLapStatistics(s, laps(c.times), int(c.times.size()), 1, 1, QStringLiteral("1000")))
            << c.name;
        EXPECT_EQ(s.TempoTotale, QLatin1String(c.total)) << c.name;
        EXPECT_EQ(s.TempoMedioGiro, old.TempoMedioGiro) << c.name;
        EXPECT_EQ(s.VelocitaMediaGiro, old.VelocitaMediaGiro) << c.name;
        EXPECT_EQ(s.strGiroVeloce, old.strGiroVeloce) << c.name;
        EXPECT_EQ(s.VelocitaGiroLento, old.VelocitaGiroLento) << c.name;
    }
    // Hours before the minutes, blanks around and one digit of tenths read.
    LapStatistics s = old;
    EXPECT_TRUE(computeLapStatistics(s, laps({"00:01:00.00", " 1:00.5 "}), 2, 1, 2, QStringLiteral("1000")));
    EXPECT_EQ(s.TempoTotale, QStringLiteral("00:02:00.50"));
}

class StatisticsGrids : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        loadShippedLanguages();
        QLocale::setDefault(QLocale::c());
    }
    void TearDown() override
    {
        QLocale::setDefault(QLocale::system());
        ZuvTest::TearDown();
    }
};

TEST_F(StatisticsGrids, StatisticsDialogRowsAndWidths)
{
    LapStatistics s{"00:04:14.00", "01:24.66", "42.52", "01:20.00", "01:30.55", "45.0", "39.757"};
    const auto rows = statisticsLines(s, 3, 2, 3);
    EXPECT_EQ(rows[0][0], QStringLiteral("Completed laps"));
    EXPECT_EQ(rows[0][1], QStringLiteral("3"));
    EXPECT_EQ(rows[4][1], QStringLiteral("2"));
    EXPECT_EQ(rows[5][0], rows[8][0]);
    EXPECT_EQ(rows[8][1], QStringLiteral("01:30.55"));
    EXPECT_EQ(rows[9][0], QStringLiteral("Average lap speed"));
    EXPECT_EQ(rows[9][1], QStringLiteral("39.757"));
    EXPECT_EQ(statisticsWidths(5000), (std::array<int, 2>{3000, 1880}));
    EXPECT_EQ(statisticsWidths(1234), (std::array<int, 2>{740, 464}));
}

TEST_F(StatisticsGrids, MeasureAverageFormat)
{
    struct Case {
        double value;
        const char* text;
    } cases[] = {
        {12, "12"}, {12.346, "12.35"}, {0.5, "0.5"}, {-0.004, "0"}, {-3.999, "-4"},
        {0.125, "0.13"}, {1234.5, "1234.5"}, {std::numeric_limits<double>::quiet_NaN(), ""},
        {std::numeric_limits<double>::infinity(), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(averageText(c.value), QLatin1String(c.text)) << c.value;
    EXPECT_EQ(averageText(QStringLiteral("12,5")), QStringLiteral("12.5"));
    EXPECT_EQ(averageText(QStringLiteral(" 7.007 ")), QStringLiteral("7.01"));
    EXPECT_EQ(averageText(QStringLiteral("n/a")), QString());
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    EXPECT_EQ(averageText(2.25), QStringLiteral("2,25"));
}

TEST_F(StatisticsGrids, MeasureGridHasAHeadingAndOneRowPerMeasure)
{
    const MeasureTextsOf measure = [](int i) {
        return MeasureTexts{QStringLiteral("M%1 [u]").arg(i), QStringLiteral("0"), QStringLiteral("9.5"),
                            QStringLiteral("3.14159")};
    };
    const auto rows = measureStatsRows(10, measure);
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(rows[0], (std::array<QString, 4>{"Measure", "Minimum", "Maximum", "Average"}));
    EXPECT_EQ(rows[1], (std::array<QString, 4>{"M3 [u]", "0", "9.5", "3.14"}));
    EXPECT_EQ(rows[8][0], QStringLiteral("M10 [u]"));
    EXPECT_EQ(measureStatsRows(2, measure).size(), 1u);
    EXPECT_EQ(measureStatsRows(0, measure).size(), 1u);
    EXPECT_EQ(measureStatsWidths(1900), (std::array<int, 4>{800, 300, 300, 400}));
}

} // namespace
} // namespace zuv::test
