// The sensor editor's chart as data: points from the table, the range that
// always holds 0, the mapping to pixels and the axis scale.

#include "config/curve_chart_model.h"

#include <gtest/gtest.h>
#include <cmath>

namespace zuv::test {
namespace {

struct RangeCase {
    const char* name;
    QStringList x;
    QStringList y;
    CurveRange expected;
};

TEST(CurveChartModelTest, RangeHoldsZeroAndEveryActivePoint)
{
    const RangeCase cases[] = {
        {"empty table", {}, {}, {0, 0, 0, 0}},
        {"positive", {"100", "200"}, {"1.5", "3.0"}, {0, 200, 0, 3}},
        {"both signs", {"-50", "10"}, {"-2", "5"}, {-50, 10, -2, 5}},
        {"all negative", {"-30", "-10"}, {"-1.5", "-0.5"}, {-30, 0, -1.5, 0}},
    };
    for (const RangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CalcolaLimitiCurva(curvePoints(c.x, c.y, c.x.size())), c.expected);
    }
}

TEST(CurveChartModelTest, PointsAreTheLeadingNumbersOfTheActiveRowsInRowOrder)
{
    const QStringList x = {"900", "abc", "  2.50 bit", "1,5", "300", "77"};
    const QStringList y = {"40.0", "1", "-3", "2", "0.0", "99"};
    // Only the first five rows are active; falling X stays in row order.
    const std::vector<CurvePoint> expected = {{900, 40}, {0, 1}, {2.5, -3}, {1, 2}, {300, 0}};
    EXPECT_EQ(curvePoints(x, y, 5), expected);
    EXPECT_TRUE(curvePoints(x, y, 0).empty());
}

TEST(CurveChartModelTest, ARowWithABlankBoxIsNoPoint)
{
    // The row just ticked after 100/5 and 200/9, then one half typed.
    CurveChartModel m;
    redrawCurve(m, {"100", "200", ""}, {"5", "9", ""}, 3);
    EXPECT_EQ(m.points(), (std::vector<CurvePoint>{{100, 5}, {200, 9}}));
    redrawCurve(m, {"-50", "200", "300"}, {"-1", "9", " "}, 3);
    EXPECT_EQ(m.points(), (std::vector<CurvePoint>{{-50, -1}, {200, 9}}));
    EXPECT_EQ(m.range(), (CurveRange{-50, 200, -1, 9}));
    // Rows past the texts given count as blank.
    redrawCurve(m, {"100"}, {"5"}, 2);
    EXPECT_EQ(m.points(), (std::vector<CurvePoint>{{100, 5}}));
}

TEST(CurveChartModelTest, RedrawReplacesPointsAndRange)
{
    CurveChartModel m;
    EXPECT_EQ(m.range(), (CurveRange{0, 1, 0, 1})); // as at window load
    redrawCurve(m, {"100", "200", "300"}, {"1.5", "3.0", "9"}, 2);
    EXPECT_EQ(m.range(), (CurveRange{0, 200, 0, 3}));
    EXPECT_EQ(m.points(), (std::vector<CurvePoint>{{100, 1.5}, {200, 3}}));

    redrawCurve(m, {}, {}, 0);
    EXPECT_TRUE(m.points().empty());
    EXPECT_EQ(m.range(), (CurveRange{0, 0, 0, 0}));
}

TEST(CurveChartModelTest, MappingFillsTheAreaAndSurvivesDegenerateRanges)
{
    CurveChartModel m;
    const QRectF area(10, 20, 200, 100);
    m.setRange({-50, 150, -2, 8});
    EXPECT_EQ(m.toPixel({-50, -2}, area), QPointF(10, 120));  // bottom left
    EXPECT_EQ(m.toPixel({150, 8}, area), QPointF(210, 20));   // top right
    EXPECT_EQ(m.toPixel({50, 3}, area), QPointF(110, 70));

    // No point: a range of zero width is drawn one unit wide.
    m.setRange({0, 0, 0, 0});
    EXPECT_EQ(m.displayRange(), (CurveRange{0, 1, 0, 1}));
    const QPointF origin = m.toPixel({0, 0}, area);
    EXPECT_EQ(origin, QPointF(10, 120));

    // Values a double cannot measure the width of still map to finite pixels.
    m.setRange({-1e308, 1e308, 0, 1e308});
    const QPointF far = m.toPixel({1e308, 1e308}, area);
    EXPECT_TRUE(std::isfinite(far.x()) && std::isfinite(far.y()));
}

TEST(CurveChartModelTest, TicksAreRoundStepsInsideTheRange)
{
    EXPECT_EQ(CurveChartModel::ticks(0, 200, 5), (std::vector<double>{0, 50, 100, 150, 200}));
    EXPECT_EQ(CurveChartModel::ticks(-2, 5, 7), (std::vector<double>{-2, -1, 0, 1, 2, 3, 4, 5}));
    const std::vector<double> small = CurveChartModel::ticks(-0.85, 1.85, 6);
    ASSERT_FALSE(small.empty());
    EXPECT_LE(small.size(), 7u);
    for (double t : small) {
        EXPECT_GE(t, -0.85);
        EXPECT_LE(t, 1.85);
    }
    EXPECT_TRUE(CurveChartModel::ticks(0, 0, 5).empty());
    EXPECT_TRUE(CurveChartModel::ticks(-1e308, 1e308, 5).empty());
    EXPECT_TRUE(CurveChartModel::ticks(0, 1, 0).empty());
}

} // namespace
} // namespace zuv::test
