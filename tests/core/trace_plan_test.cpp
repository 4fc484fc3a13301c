// What a redraw plots: trace rows, bands, ranges and strides, and the rules
// of the measure boxes and the overlaid/separate buttons.

#include "analysis/analysis_data.h"
#include "analysis/trace_plan.h"

#include <gtest/gtest.h>
#include <limits>

namespace zuv::test {
namespace {

// Time 0 at `lapStart`, 0.1 s a row, rows from 2 on.
RowValue lapClock(qint64 lapStart, double startTime = 0)
{
    return [=](qint64 row) -> std::optional<double> {
        if (row < 2)
            return std::nullopt;
        return startTime + (row - lapStart) * 0.1;
    };
}

TEST(TracePlan, RowsAreCutOnlyWhereTheViewCutsIntoTheLap)
{
    struct Case {
        double minX, maxX;
        qint64 first, last;
    } cases[] = {
        {0, 100, 100, 400},    // the whole lap (times 0 to 30)
        {0, 30, 100, 400},     // MaxX equal to the last time: not cut
        {0, 20, 100, 300},
        {10, 20, 200, 300},
        {10.25, 20.25, 202, 302}, // 102.5 rows round to even 102
        {10.75, 30, 208, 400},    // 107.5 rows round to even 108
        {-5, 20, 100, 300},
        {35, 50, 450, 400},       // after the lap: nothing to plot
    };
    for (const Case& c : cases) {
        const TraceRows rows = traceRows(100, 400, ViewState{.MinX = c.minX, .MaxX = c.maxX}, lapClock(100));
        EXPECT_EQ(rows.first, c.first) << c.minX << ".." << c.maxX;
        EXPECT_EQ(rows.last, c.last) << c.minX << ".." << c.maxX;
    }
    EXPECT_TRUE(traceRows(100, 400, ViewState{.MinX = 35, .MaxX = 50}, lapClock(100)).empty());

    // A lap whose clock starts at 5 s is cut where its time says.
    const TraceRows late = traceRows(100, 400, ViewState{.MinX = 10, .MaxX = 20}, lapClock(100, 5));
    EXPECT_EQ(late.first, 150);
    EXPECT_EQ(late.last, 250);
}

TEST(TracePlan, SeparateBandRangeLiesOutsideTheData)
{
    struct Case {
        double min, max, from, to;
    } cases[] = {
        {-10, -5, -11, -4.5},
        {10, 20, 9, 22},
        {-10, 20, -11, 22},
        {0, 0.01, 0, 0.011},
        {5, 5, 4.5, 5.5},
        {0, 0, -0.5, 0.5},
        {20, 10, 9, 22}, // a scale typed upside down
        {-1.7e308, 1.7e308, -std::numeric_limits<double>::max(), std::numeric_limits<double>::max()},
    };
    for (const Case& c : cases) {
        const YRange y = separateRange(c.min, c.max);
        EXPECT_DOUBLE_EQ(y.from, c.from) << c.min << " " << c.max;
        EXPECT_DOUBLE_EQ(y.to, c.to) << c.min << " " << c.max;
    }
}

TEST(TracePlan, StrideIsFilterTimesPlottingStrideNeverBelowOne)
{
    EXPECT_EQ(traceStride(3, 2), 6);
    EXPECT_EQ(traceStride(1, 1), 1);
    EXPECT_EQ(traceStride(0, 2), 2);
    EXPECT_EQ(traceStride(-4, 0), 1);
}

AnalysisData session(int fieldsNum)
{
    AnalysisData w;
    w.FieldsNum = fieldsNum;
    for (int i = 1; i <= fieldsNum; ++i) {
        w.FiltroMisura[i] = 1;
        w.SpessoreMisura[i] = 1;
        w.captions[i] = QStringLiteral("M%1").arg(i);
        w.units[i] = QStringLiteral("[u%1]").arg(i);
        w.ValoriMin[i] = -i;
        w.ValoriMax[i] = 10 * i;
        w.FattoriScala[i] = 1.0 / i;
    }
    w.bounds.InizioGiro = {0, 2, 100};
    w.bounds.FineGiro = {0, 99, 400};
    w.GiroCorrente = 2;
    w.MinX = 0;
    w.MaxX = 150; // stride 3
    w.MinY = -4;
    w.MaxY = 44;
    return w;
}

TEST(TracePlan, SeparateModeDrawsCheckedMeasuresInBandsOneToThree)
{
    AnalysisData w = session(20);
    w.blnSeparati = true;
    for (int i : {5, 9, 17})
        measureCheckClick(w, i, true);
    w.FiltroMisura[9] = 2;
    w.SpessoreMisura[17] = 3;
    w.colours[5] = 0x123456;

    const TracePlan plan = w.planMeasures(lapClock(100));
    ASSERT_FALSE(plan.refused);
    ASSERT_EQ(plan.plots.size(), 3u);
    EXPECT_EQ(plan.rows.first, 100);
    EXPECT_EQ(plan.rows.last, 400);
    const int columns[] = {5, 9, 17};
    for (int k = 0; k < 3; ++k) {
        const TracePlot& p = plan.plots[std::size_t(k)];
        EXPECT_EQ(p.column, columns[k]);
        EXPECT_EQ(p.band, k + 1);
        EXPECT_EQ(p.scale, 1.0);
        EXPECT_DOUBLE_EQ(p.yFrom, -columns[k] * 1.1);
        EXPECT_DOUBLE_EQ(p.yTo, columns[k] * 11.0);
        EXPECT_EQ(p.axisCaption, QStringLiteral("M%1 [u%1]").arg(columns[k]));
    }
    EXPECT_EQ(plan.plots[0].colour, 0x123456u);
    EXPECT_EQ(plan.plots[0].axisColour, 0x123456u);
    EXPECT_EQ(plan.plots[0].stride, 3);
    EXPECT_EQ(plan.plots[1].stride, 6);
    EXPECT_EQ(plan.plots[2].width, 3);
    EXPECT_EQ(w.UltimaMisuraDisegnata, 17);
    EXPECT_EQ(w.BandaSeparata, 3);
    EXPECT_EQ(w.PassoDisegno, 3);
    EXPECT_EQ(w.RigaInizioTraccia, 100);
    for (int i = 3; i <= 20; ++i)
        EXPECT_EQ(plan.drawn[i], i == 5 || i == 9 || i == 17) << i;

    // A fourth measure: refused, and the state of the last redraw stays.
    measureCheckClick(w, 6, true);
    const TracePlan refused = w.planMeasures(lapClock(100));
    EXPECT_TRUE(refused.refused);
    EXPECT_TRUE(refused.plots.empty());
    EXPECT_EQ(w.UltimaMisuraDisegnata, 17);
}

TEST(TracePlan, OverlaidModeSharesOneRangeWithEachMeasuresFactor)
{
    AnalysisData w = session(16);
    for (int i : {4, 16, 17}) // 17 lies beyond the file's columns
        w.checked[i] = true;
    const TracePlan plan = w.planMeasures(lapClock(100));
    ASSERT_EQ(plan.plots.size(), 2u);
    for (const TracePlot& p : plan.plots) {
        EXPECT_EQ(p.band, 0);
        EXPECT_EQ(p.yFrom, -4);
        EXPECT_EQ(p.yTo, 44);
        EXPECT_DOUBLE_EQ(p.scale, 1.0 / p.column);
        EXPECT_EQ(p.name, QStringLiteral("M%1").arg(p.column));
        EXPECT_TRUE(p.axisCaption.isEmpty());
    }
    EXPECT_EQ(w.UltimaMisuraDisegnata, 16);
    EXPECT_EQ(plan.xFrom, 0);
    EXPECT_EQ(plan.xTo, 150);
}

TEST(TracePlan, NothingCheckedOrAViewPastTheLapPlotsNothing)
{
    AnalysisData w = session(16);
    w.UltimaMisuraDisegnata = 9;
    TracePlan plan = w.planMeasures(lapClock(100));
    EXPECT_TRUE(plan.plots.empty());
    EXPECT_EQ(w.UltimaMisuraDisegnata, 0);
    for (bool d : plan.drawn)
        EXPECT_FALSE(d);

    w.checked[3] = w.checked[4] = true;
    w.MinX = 40;
    w.MaxX = 60;
    plan = w.planMeasures(lapClock(100));
    EXPECT_TRUE(plan.rows.empty());
    EXPECT_TRUE(plan.plots.empty());
    EXPECT_TRUE(plan.drawn[3] && plan.drawn[4]); // their rows still look drawn
    EXPECT_EQ(plan.lastLook, 20);
    EXPECT_EQ(w.UltimaMisuraDisegnata, 4);
}

// The fast window's arrays from a view after the lap's end would be of
// negative length: the redraw stops at the first checked measure.
TEST(TracePlan, FastWindowStopsAtAViewPastTheLap)
{
    AnalysisData w = session(16);
    w.blnSeparati = true;
    for (int i : {5, 9})
        w.checked[i] = true;
    w.UltimaMisuraDisegnata = 9;
    w.BandaSeparata = 2;
    w.MinX = 40;
    w.MaxX = 60;
    const TracePlan plan = w.planMeasures(lapClock(100), true);
    EXPECT_FALSE(plan.refused);
    EXPECT_TRUE(plan.plots.empty());
    // Rows 3 and 4 come before it and look not drawn; 5 on keep their look.
    EXPECT_EQ(plan.lastLook, 4);
    for (bool d : plan.drawn)
        EXPECT_FALSE(d);
    EXPECT_EQ(w.UltimaMisuraDisegnata, 0);
    EXPECT_EQ(w.BandaSeparata, 0);
    EXPECT_EQ(w.RigaInizioTraccia, 500);
    EXPECT_EQ(w.RigaFineTraccia, 400);

    // The alarms too: no trace, and the last measure drawn stays.
    w.UltimaMisuraDisegnata = 7;
    EXPECT_TRUE(w.planAlarms(lapClock(100), true).plots.empty());
    EXPECT_EQ(w.UltimaMisuraDisegnata, 7);
    // The chart window goes through every trace with the reversed range.
    EXPECT_TRUE(w.planAlarms(lapClock(100)).plots.empty());
    EXPECT_EQ(w.UltimaMisuraDisegnata, 10);

    // Inside the lap the fast window draws as the other.
    w.MinX = 0;
    w.MaxX = 20;
    const TracePlan inside = w.planMeasures(lapClock(100), true);
    EXPECT_EQ(inside.plots.size(), 2u);
    EXPECT_EQ(inside.lastLook, 20);
    EXPECT_EQ(w.UltimaMisuraDisegnata, 9);
}

TEST(TracePlan, AlarmTracesUseTheAlarmColoursOnEighteenUnits)
{
    AnalysisData w = session(16);
    w.MinX = 5;
    w.MaxX = 10;
    const TracePlan plan = w.planAlarms(lapClock(100));
    ASSERT_EQ(plan.plots.size(), 8u);
    for (int k = 0; k < 8; ++k) {
        const TracePlot& p = plan.plots[std::size_t(k)];
        EXPECT_EQ(p.column, k + 3);
        EXPECT_EQ(p.band, 0);
        EXPECT_EQ(p.yFrom, 0);
        EXPECT_EQ(p.yTo, 18);
        EXPECT_EQ(p.scale, 1.0);
        EXPECT_EQ(p.stride, 1);
        EXPECT_EQ(p.colour, kAlarmColours[std::size_t(k)]);
        EXPECT_TRUE(p.name.isEmpty());
    }
    EXPECT_EQ(plan.rows.first, 150);
    EXPECT_EQ(plan.rows.last, 200);
    EXPECT_EQ(w.UltimaMisuraDisegnata, 10);
    EXPECT_EQ(kAlarmColours[6], 0xFF0000u);
}

TEST(TracePlan, CheckBoxesCountMeasuresPickTheScaleAndGateSeparateMode)
{
    TraceState t;
    for (int i : {4, 7, 9}) {
        const CheckClick c = measureCheckClick(t, i, true);
        EXPECT_EQ(c.separateKeyEnabled, true);
        EXPECT_EQ(c.selectScale, i);
    }
    CheckClick c = measureCheckClick(t, 12, true);
    EXPECT_EQ(t.NumGraficiAttivi, 4);
    EXPECT_EQ(c.separateKeyEnabled, false);
    // Unchecking any measure selects the lowest one still checked.
    c = measureCheckClick(t, 7, false);
    EXPECT_EQ(c.separateKeyEnabled, true);
    EXPECT_EQ(c.selectScale, 4);
    EXPECT_EQ(t.chosenScale, 4);

    t.blnSeparati = true;
    EXPECT_FALSE(separateRefused(t));
    c = measureCheckClick(t, 15, true);
    EXPECT_EQ(c.separateKeyEnabled, std::nullopt);
    EXPECT_TRUE(separateRefused(t));
    for (int i : {4, 9, 12, 15})
        measureCheckClick(t, i, false);
    c = measureCheckClick(t, 15, false);
    EXPECT_EQ(t.NumGraficiAttivi, 0);
    EXPECT_EQ(c.selectScale, 0); // the options stay as they are
    EXPECT_EQ(t.chosenScale, 15);
    EXPECT_EQ(measureCheckClick(t, 2, true).selectScale, 0);
    EXPECT_EQ(t.NumGraficiAttivi, 0);
}

TEST(TracePlan, SeparateKeyInOverlaidModeAndRowLooks)
{
    EXPECT_TRUE(separateKeyWhenOverlaid(3).enabled);
    EXPECT_FALSE(separateKeyWhenOverlaid(3).release);
    EXPECT_FALSE(separateKeyWhenOverlaid(4).enabled);
    EXPECT_TRUE(separateKeyWhenOverlaid(4).release);

    const RowLook on = measureRowLook(true);
    EXPECT_TRUE(on.bold && on.setEnabled && on.scaleEnabled);
    EXPECT_EQ(on.valueBack, 0x00FFFFu);
    EXPECT_EQ(on.setBack, 0x00FFFFu);
    const RowLook off = measureRowLook(false);
    EXPECT_FALSE(off.bold || off.setEnabled || off.scaleEnabled);
    EXPECT_EQ(off.valueBack, 0xFFFFFFu);
    EXPECT_EQ(off.setBack, 0x8000000Fu);
}

} // namespace
} // namespace zuv::test
