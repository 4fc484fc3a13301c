// The analysis windows' traces: separate bands, a view past the lap's end, a
// value far out.

#include "support/ui/analysis_window_fixture.h"

namespace zuv::test {

// Separate mode: each measure in a band of its own, whose y axis runs from
// its minimum less a tenth of its size to its maximum plus a tenth of it,
// read off the chart through every change of the view. Turbo pressure runs
// from -0.6 to 1.1 bar in lap 4: its band shows -0.66 to 1.21.
TEST_P(BothWindows, SeparateBandsShowEachMeasuresOwnRange)
{
    frmAnalisiDati& w = open(example, GetParam());
    ASSERT_TRUE(loaded);
    show();
    const int measures[] = {4, 9, 14}; // speed, G sensor, turbo pressure
    for (int i : measures)
        check(i);
    clickCell(kLap4Row, 1);
    w.toolButton("Separati")->trigger();
    const DataSources& src = w.session().sources();
    const auto ownRanges = [&](const char* step) {
        SCOPED_TRACE(step);
        show();
        ChartComponent& chart = *w.NTGraph1;
        ASSERT_EQ(chart.bandCount(), 3);
        ASSERT_EQ(chart.elementCount(), 3);
        const ChartComponent::Range overlaid = chart.range();
        for (int b = 1; b <= 3; ++b) {
            const int i = measures[b - 1];
            double lo = std::numeric_limits<double>::max();
            double hi = -lo;
            for (qint64 r = w.session().lapFirst(); r <= w.session().lapEnd(); ++r)
                if (const std::optional<double> v = src.valueAt(i, r)) {
                    lo = std::min(lo, *v);
                    hi = std::max(hi, *v);
                }
            QCPAxisRect* rect = chart.bandRect(b);
            EXPECT_TRUE(chart.plot()->axisRects().contains(rect)) << "band " << b << " on show";
            QCPAxis* y = rect->axis(QCPAxis::atLeft);
            EXPECT_EQ(chart.elementPlottable(b - 1)->valueAxis(), y) << i;
            EXPECT_NEAR(y->range().lower, lo - std::abs(lo) * 0.1, 1e-9) << i;
            EXPECT_NEAR(y->range().upper, hi + std::abs(hi) * 0.1, 1e-9) << i;
            EXPECT_NE(y->range().lower, overlaid.yFrom) << i;
            EXPECT_EQ(chart.bandRange(b).yFrom, y->range().lower) << i;
            EXPECT_EQ(chart.bandRange(b).yTo, y->range().upper) << i;
            EXPECT_EQ(y->label(), w.lblNomeCampo[i]->text() + " " + w.lblUM[i]->text());
        }
        const QCPRange turbo = chart.bandRect(3)->axis(QCPAxis::atLeft)->range();
        if (w.session().GiroCorrente == kLap4Row) {
            EXPECT_NEAR(turbo.lower, -0.66, 1e-9);
            EXPECT_NEAR(turbo.upper, 1.21, 1e-9);
        }
    };
    ownRanges("Separati");
    QTest::mouseClick(w.cmdZoomIn50, Qt::LeftButton);
    ownRanges("+50%");
    QTest::mouseClick(w.cmdSpostaDX1, Qt::LeftButton);
    ownRanges(">");
    QTest::mouseClick(w.cmdScorriDX, Qt::LeftButton);
    w.playbackPass();
    w.playbackPass();
    QTest::mouseClick(w.cmdScorriDX, Qt::LeftButton);
    ownRanges("playback");
    w.toolButton("DimOriginali")->trigger();
    ownRanges("original size");
    w.SSTab1->setCurrentIndex(1);
    QTest::mouseClick(w.cmdZoomOut10, Qt::LeftButton);
    w.SSTab1->setCurrentIndex(0);
    ownRanges("zoom on the alarms tab");

    // A fourth measure has no room: the redraws that refuse it leave the
    // three bands as they stood, with the view's new x range.
    check(3);
    QTest::mouseClick(w.cmdSpostaDX10, Qt::LeftButton);
    const double from = w.session().MinX;
    ownRanges("a fourth measure, then >>");
    EXPECT_NEAR(w.NTGraph1->bandRect(1)->axis(QCPAxis::atBottom)->range().lower, from, 1e-9);
    check(3);
    clickCell(6, 1);
    ownRanges("lap 5");
}

// The fast window draws from arrays of the view's rows: from a view that
// starts after the lap's end it stops at the first checked measure, whose
// row and every later one keep their looks, and has drawn nothing. The
// chart window hands its chart the reversed rows, drawing nothing either.
TEST_P(BothWindows, AViewAfterTheLapsEndDrawsNoTrace)
{
    frmAnalisiDati& w = open(example, GetParam());
    ASSERT_TRUE(loaded);
    show();
    check(5);
    check(9);
    clickCell(kLap4Row, 1);
    ASSERT_EQ(w.NTGraph1->elementCount(), 2);
    // ">>" moves by a tenth of the width: eleven start after the lap.
    for (int k = 0; k < 11; ++k)
        QTest::mouseClick(w.cmdSpostaDX10, Qt::LeftButton);
    ASSERT_GT(w.session().RigaInizioTraccia, w.session().RigaFineTraccia);
    EXPECT_EQ(w.NTGraph1->elementCount(), 0);

    check(9); // unchecked, with the view still there
    const bool fast = GetParam() == AnalysisKind::DatiSpeed;
    EXPECT_EQ(w.NTGraph1->elementCount(), 0);
    EXPECT_EQ(w.session().UltimaMisuraDisegnata, fast ? 0 : 5);
    EXPECT_TRUE(w.txtValore[5]->font().bold());
    EXPECT_TRUE(w.cmdSetGraph[5]->isEnabled());
    EXPECT_EQ(w.txtValore[9]->font().bold(), fast);
    EXPECT_EQ(w.cmdSetGraph[9]->isEnabled(), fast);
    EXPECT_EQ(w.optScala[9]->isEnabled(), fast);
    EXPECT_FALSE(w.txtValore[4]->font().bold());

    // Back inside the lap both draw as before.
    w.toolButton("DimOriginali")->trigger();
    EXPECT_EQ(w.NTGraph1->elementCount(), 1);
    EXPECT_EQ(w.session().UltimaMisuraDisegnata, 5);
    EXPECT_FALSE(w.txtValore[9]->font().bold());
    EXPECT_FALSE(w.cmdSetGraph[9]->isEnabled());
}

// A value of 1e308 in a measure: the overlay factors stay finite (a measure
// that stays 0 over the lap would get 1e308 / 0.01) and the chart takes a
// y range out to 1.1e308, so every trace is drawn inside it.
TEST_P(BothWindows, AValueFarOutStillDrawsEveryTrace)
{
    SessionFiles f = makeSession(6, 2, 30);
    QList<QByteArray> lines = f.data.split('\n');
    // Lap 1 is on lines 31 to 60: measure 5 reaches 1e308 there, 6 stays 0.
    for (int line = 31; line <= 60; ++line) {
        QList<QByteArray> fields = lines[line].trimmed().split(';');
        fields[5] = "0";
        if (line == 40)
            fields[4] = "1e308";
        lines[line] = fields.join(';') + '\r';
    }
    f.data = lines.join('\n');
    const QString file = writeFile("far/s.csv", f.data);
    writeFile("far/s.txt", f.alarms);
    writeFile("far/s.tim", f.laps);
    frmAnalisiDati& w = open(file, GetParam());
    ASSERT_TRUE(loaded);
    show();
    for (int i : {3, 5, 6})
        check(i);
    clickCell(2, 1);
    ASSERT_EQ(w.session().ValoriMax[5], 1e308);
    EXPECT_DOUBLE_EQ(w.session().MaxY, 1.1e308);
    for (int i = 3; i <= 6; ++i)
        EXPECT_TRUE(std::isfinite(w.session().FattoriScala[i])) << i;
    EXPECT_EQ(w.session().FattoriScala[5], 1.0);

    const auto everyTraceInside = [&](const char* mode) {
        SCOPED_TRACE(mode);
        show();
        ChartComponent& chart = *w.NTGraph1;
        ASSERT_EQ(chart.elementCount(), 3);
        for (int e = 0; e < 3; ++e) {
            const auto* graph = qobject_cast<const QCPGraph*>(chart.elementPlottable(e));
            ASSERT_TRUE(graph);
            EXPECT_GE(graph->dataCount(), 29) << e;
            const QCPRange y = graph->valueAxis()->range();
            for (auto it = graph->data()->constBegin(); it != graph->data()->constEnd(); ++it) {
                ASSERT_TRUE(std::isfinite(it->value)) << e;
                EXPECT_TRUE(it->value >= y.lower && it->value <= y.upper) << e << ": " << it->value;
            }
        }
    };
    const ChartComponent::Range r = w.NTGraph1->range();
    EXPECT_DOUBLE_EQ(r.yFrom, w.session().MinY);
    EXPECT_DOUBLE_EQ(r.yTo, 1.1e308);
    everyTraceInside("overlaid");

    w.toolButton("Separati")->trigger();
    EXPECT_DOUBLE_EQ(w.NTGraph1->bandRange(2).yTo, 1.1e308);
    EXPECT_DOUBLE_EQ(w.NTGraph1->bandRange(2).yFrom, 45);
    everyTraceInside("separate");
}

} // namespace zuv::test
