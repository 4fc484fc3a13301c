// The analysis chart through the real widget, offscreen: its data calls on a
// session file written here, traces with stride and factor, bands, the range,
// the cursor and its sample index, the mouse zoom and the print.

#include "analysis/ui/chart_component.h"
#include "platform/printer.h"
#include "platform/ui/colors.h"
#include "platform/ui/qtprinter.h"
#include "project/state.h"
#include "support/fixtures.h"
#include "support/recorders.h"

#include <QApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <qcustomplot.h>

#include <cmath>

namespace zuv::test {
namespace {

// Twenty rows as the export writes them: time 0.0..1.9, distance 2k,
// engine speed 3000 + 100k, speed 100 + k % 5, and a lap number (0 for the
// first five rows, then 1).
QByteArray sessionBytes()
{
    QByteArray bytes = "Tempo [sec];Distanza [m];Motore [RPM];Velocit\xE0 [Km/h];Giro\r\n";
    for (int k = 0; k < 20; ++k)
        bytes += QByteArray::number(k / 10.0, 'f', 1) + ';' + QByteArray::number(2 * k) + ".0;"
                 + QByteArray::number(3000 + 100 * k) + ';' + QByteArray::number(100 + k % 5) + ".0;"
                 + QByteArray::number(k < 5 ? 0 : 1) + "\r\n";
    return bytes;
}

QVector<QCPGraphData> graphData(QCPAbstractPlottable* p)
{
    QVector<QCPGraphData> out;
    auto* graph = qobject_cast<QCPGraph*>(p);
    if (!graph)
        return out;
    for (auto it = graph->data()->constBegin(); it != graph->data()->constEnd(); ++it)
        out.push_back(*it);
    return out;
}

class ChartTest : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        file = writeFile(QStringLiteral("session.csv"), sessionBytes());
        ASSERT_TRUE(chart.data().loadFile(file));
    }

    void showChart()
    {
        chart.resize(640, 480);
        chart.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
        chart.plot()->replot();
    }

    QPoint pixelOf(int band, double x, double y) const
    {
        QCPAxisRect* rect = chart.bandRect(band);
        return QPoint(qRound(rect->axis(QCPAxis::atBottom)->coordToPixel(x)),
                      qRound(rect->axis(QCPAxis::atLeft)->coordToPixel(y)));
    }

    QString file;
    ChartComponent chart;
};

TEST_F(ChartTest, ReadsTheSessionFileWithProgress)
{
    ChartComponent other;
    std::vector<int> progress;
    ASSERT_TRUE(other.data().loadFile(file, [&](int percent) { progress.push_back(percent); }));
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), 100);

    EXPECT_EQ(chart.columnCount(), 5);
    // The windows read the columns through the chart's data: the header
    // text, then one value per row from row 2.
    const ChartData& d = chart.data();
    EXPECT_EQ(d.header(4), QString::fromUtf8("Velocità [Km/h]"));
    EXPECT_EQ(d.dataRows() + 2, 22) << "header, then one element per row from element 2";
    EXPECT_FALSE(d.valueAt(4, 1));
    EXPECT_DOUBLE_EQ(*d.valueAt(4, 2), 100.0);
    EXPECT_DOUBLE_EQ(*d.valueAt(4, 21), 104.0);
    EXPECT_FALSE(d.valueAt(4, 22));
    EXPECT_TRUE(d.column(0).empty());
    EXPECT_TRUE(d.column(6).empty());

    // Rows 2..11 of the engine speed: 3000..3900.
    EXPECT_DOUBLE_EQ(d.rangeMaximum(u"C2", u"C11"), 3900.0);
    EXPECT_DOUBLE_EQ(d.rangeMinimum(u"C2", u"C11"), 3000.0);
    EXPECT_DOUBLE_EQ(d.rangeAverage(u"C2", u"C11"), 3450.0);
    EXPECT_DOUBLE_EQ(d.rangeAverage(u"D7", u"D11"), 102.0);

    const LapBounds laps = d.lapBoundaries(u"E1");
    ASSERT_EQ(laps.rowCount(), 3);
    EXPECT_EQ(laps.first(1), 2);
    EXPECT_EQ(laps.end(1), 6);
    EXPECT_EQ(laps.first(2), 7);
    EXPECT_EQ(laps.end(2), 21);
    const std::vector<qint32> numbers = {0, 0, 1, 1, 1};
    const LapBounds fromArray = lapBoundsFromNumbers(numbers);
    EXPECT_EQ(fromArray.first(2), 2);
    EXPECT_EQ(fromArray.end(2), 4);

    QString error;
    EXPECT_FALSE(other.data().loadFile(path(QStringLiteral("missing.csv")), {}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(other.columnCount(), 0);
}

TEST_F(ChartTest, PlotsCellsWithStrideAndFactor)
{
    // As a chart's first trace is drawn: the trace's settings, then the
    // first element and its colour, then the plot into element 0.
    chart.setElementColor(0x0000C0);
    chart.setElementLineWidth(2);
    chart.setElementName(QStringLiteral("Motore"));
    ASSERT_EQ(chart.elementCount(), 0);
    chart.addElement();
    chart.setCursorX(0);
    chart.setElementLineStyle(2);
    chart.setElementPointStyle(1);
    chart.setCursorColor(0xFF0000);
    EXPECT_EQ(chart.plotFromCells(u"A2", u"A21", u"C2", u"C21", 0, 2.0, 3), 0);
    EXPECT_EQ(chart.elementCount(), 1);

    const QVector<QCPGraphData> points = graphData(chart.elementPlottable(0));
    ASSERT_EQ(points.size(), 7) << "rows 2, 5, ... 20";
    for (int i = 0; i < points.size(); ++i) {
        EXPECT_NEAR(points[i].key, 0.3 * i, 1e-9);
        EXPECT_DOUBLE_EQ(points[i].value, 2.0 * (3000 + 300 * i));
    }
    const QPen pen = chart.elementPlottable(0)->pen();
    EXPECT_EQ(pen.color(), QColor(192, 0, 0)) << "the trace keeps its own colour, not the first element's";
    EXPECT_EQ(pen.width(), 2);
    EXPECT_EQ(chart.elementName(0), QStringLiteral("Motore"));

    // One past the last element adds one; a higher number too, at the end.
    chart.setElementColor(0x00C000);
    EXPECT_EQ(chart.plotFromCells(u"A7", u"A11", u"D7", u"D11", 1, 1.0, 1), 1);
    EXPECT_EQ(chart.plotFromCells(u"A7", u"A8", u"D7", u"D8", 9, 1.0, 0), 2) << "stride 0 counts as 1";
    EXPECT_EQ(graphData(chart.elementPlottable(2)).size(), 2);
    EXPECT_EQ(graphData(chart.elementPlottable(1)).size(), 5);
    // Plotting an existing element replaces its points.
    EXPECT_EQ(chart.plotFromCells(u"A2", u"A3", u"B2", u"B3", 1, 1.0, 1), 1);
    EXPECT_EQ(chart.elementCount(), 3);
    EXPECT_EQ(chart.plot()->plottableCount(), 3);
    EXPECT_EQ(graphData(chart.elementPlottable(1)).size(), 2);

    // A view past the lap's last row gives a backwards range: the element,
    // no point. Rows past the data and cells that are not cells give none.
    EXPECT_EQ(chart.plotFromCells(u"A15", u"A9", u"C15", u"C9", 3, 1.0, 1), 3);
    EXPECT_TRUE(chart.elementKeys(3).empty());
    EXPECT_EQ(chart.plotFromCells(u"A20", u"A40", u"C20", u"C40", 4, 1.0, 1), 4);
    EXPECT_EQ(chart.elementKeys(4).size(), 2u);
    EXPECT_EQ(chart.plotFromCells(u"A2", u"A9", u"Z2", u"Z9", 5, 1.0, 1), 5);
    EXPECT_TRUE(chart.elementKeys(5).empty());

    chart.clear();
    EXPECT_EQ(chart.elementCount(), 0);
    EXPECT_EQ(chart.plot()->plottableCount(), 0);
}

TEST_F(ChartTest, PlotsArraysAndLeavesTheStatisticsAlone)
{
    const std::vector<double> x = {0.0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6};
    const std::vector<double> y = {1, 2, 3, 4, 5, 6, 7};
    double minimum = -1, maximum = -2, average = -3;
    EXPECT_EQ(chart.plotFromArrays(x, y, 0, 10.0, 2, minimum, maximum, average), 0);
    const QVector<QCPGraphData> points = graphData(chart.elementPlottable(0));
    ASSERT_EQ(points.size(), 4);
    EXPECT_DOUBLE_EQ(points[3].key, 0.6);
    EXPECT_DOUBLE_EQ(points[3].value, 70.0);
    EXPECT_EQ(minimum, -1);
    EXPECT_EQ(maximum, -2);
    EXPECT_EQ(average, -3);

    // Time that goes back (two laps in one range) is drawn in row order.
    const std::vector<double> back = {0.8, 0.9, 0.0, 0.1};
    chart.plotFromArrays(back, y, 1, 1.0, 1);
    auto* curve = qobject_cast<QCPCurve*>(chart.elementPlottable(1));
    ASSERT_TRUE(curve);
    EXPECT_EQ(curve->dataCount(), 4);
    EXPECT_EQ(chart.sampleAt(0.05), 2);
}

TEST_F(ChartTest, SetAndReadRange)
{
    chart.setRange(1.0, 5.0, -2.0, 8.0, 0);
    auto r = chart.range();
    EXPECT_DOUBLE_EQ(r.xFrom, 1.0);
    EXPECT_DOUBLE_EQ(r.xTo, 5.0);
    EXPECT_DOUBLE_EQ(r.yFrom, -2.0);
    EXPECT_DOUBLE_EQ(r.yTo, 8.0);

    // Backwards is turned round, an empty range widened, NaN ignored.
    chart.setRange(5.0, 1.0, 8.0, -2.0, 0);
    r = chart.range();
    EXPECT_DOUBLE_EQ(r.xFrom, 1.0);
    EXPECT_DOUBLE_EQ(r.yTo, 8.0);
    chart.setRange(0.0, 0.0, 0.0, 18.0, 0);
    r = chart.range();
    EXPECT_LT(r.xFrom, 0.0);
    EXPECT_GT(r.xTo, 0.0);
    chart.setRange(std::nan(""), 3.0, 0.0, 1.0, 0);
    EXPECT_DOUBLE_EQ(chart.range().yTo, 18.0);
}

TEST_F(ChartTest, SeparateBandsAreStackedAxisRects)
{
    showChart();
    const struct {
        const char* column;
        double yFrom, yTo;
        const char* caption;
        quint32 color;
    } traces[] = {{"B", 0, 40, "Distanza [m]", 0x0000FF}, {"C", 2900, 5000, "Motore [RPM]", 0x00C000},
                  {"D", 90, 110, "Velocita [Km/h]", 0xFF0000}};
    for (int band = 1; band <= 3; ++band) {
        const auto& t = traces[band - 1];
        chart.setYAxisColor(t.color);
        chart.setYCaption(QString::fromLatin1(t.caption));
        chart.setRange(0.0, 1.9, t.yFrom, t.yTo, band);
        const QString letter = QString::fromLatin1(t.column);
        chart.plotFromCells(u"A2", u"A21", QString(letter + "2"), QString(letter + "21"), band - 1, 1.0, 1);
    }
    chart.plot()->replot();
    EXPECT_EQ(chart.bandCount(), 3);
    ASSERT_EQ(chart.plot()->axisRects().size(), 3);
    int lastTop = -1;
    for (int band = 1; band <= 3; ++band) {
        QCPAxisRect* rect = chart.bandRect(band);
        EXPECT_EQ(chart.plot()->axisRects().at(band - 1), rect);
        EXPECT_GT(rect->rect().top(), lastTop) << "band " << band << " below the one before";
        lastTop = rect->rect().bottom();
        QCPAxis* y = rect->axis(QCPAxis::atLeft);
        EXPECT_EQ(chart.elementPlottable(band - 1)->valueAxis(), y);
        EXPECT_DOUBLE_EQ(y->range().lower, traces[band - 1].yFrom);
        EXPECT_EQ(y->label(), QString::fromLatin1(traces[band - 1].caption));
        EXPECT_EQ(y->basePen().color(), colorFromValue(traces[band - 1].color));
        EXPECT_DOUBLE_EQ(rect->axis(QCPAxis::atBottom)->range().upper, 1.9) << "one time axis for all";
    }
    // Band 0 keeps its own y range for the window to read.
    EXPECT_DOUBLE_EQ(chart.range().xTo, 1.9);

    // Back to one axis rect: a redraw clears, then sets band 0.
    chart.clear();
    chart.setRange(0.0, 1.9, 0.0, 5000.0, 0);
    chart.plotFromCells(u"A2", u"A21", u"C2", u"C21", 0, 1.0, 1);
    chart.plot()->replot();
    EXPECT_EQ(chart.bandCount(), 0);
    ASSERT_EQ(chart.plot()->axisRects().size(), 1);
    EXPECT_EQ(chart.elementPlottable(0)->valueAxis(), chart.bandRect(0)->axis(QCPAxis::atLeft));
}

TEST_F(ChartTest, YScaleFactorShowsTheMeasuresOwnUnits)
{
    showChart();
    chart.setRange(0.0, 2.0, 0.0, 800.0, 0);
    chart.setYScaleFactor(4.0);
    chart.plot()->replot();
    QCPAxis* y = chart.bandRect(0)->axis(QCPAxis::atLeft);
    const QVector<double> ticks = y->tickVector();
    const QVector<QString> labels = y->tickVectorLabels();
    ASSERT_GE(ticks.size(), 3);
    ASSERT_EQ(ticks.size(), labels.size());
    for (int i = 0; i < ticks.size(); ++i)
        EXPECT_DOUBLE_EQ(QLocale::c().toDouble(labels[i]), ticks[i] / 4.0) << labels[i].toStdString();
    chart.setYScaleFactor(0);
    EXPECT_EQ(chart.yScaleFactor(), 1.0);
}

// QCustomPlot takes no range beyond 1e250; the chart takes one out to the
// largest double, and what it reports, labels and draws is in true units.
TEST_F(ChartTest, RangesOutToTheLargestDoubleAreShownToo)
{
    showChart();
    chart.setRange(0.0, 1.9, 0.0, 1.1e308, 0);
    EXPECT_DOUBLE_EQ(chart.range().yTo, 1.1e308);
    QCPAxis* y = chart.bandRect(0)->axis(QCPAxis::atLeft);
    EXPECT_LT(y->range().upper, 1e250);
    // Engine speed 3000..4900 times 2e304: 6e307 to 9.8e307.
    chart.plotFromCells(u"A2", u"A21", u"C2", u"C21", 0, 2e304, 1);
    // Times 1e306 it overflows: drawn at the largest double.
    chart.plotFromCells(u"A2", u"A21", u"C2", u"C21", 1, 1e306, 1);
    chart.plot()->replot();
    const QVector<QCPGraphData> scaled = graphData(chart.elementPlottable(0));
    ASSERT_EQ(scaled.size(), 20);
    const QRect area = chart.bandRect(0)->rect();
    for (const QCPGraphData& d : scaled) {
        EXPECT_TRUE(y->range().contains(d.value)) << d.value;
        const double py = y->coordToPixel(d.value);
        EXPECT_TRUE(py >= area.top() && py <= area.bottom()) << d.value;
    }
    for (const QCPGraphData& d : graphData(chart.elementPlottable(1)))
        EXPECT_TRUE(std::isfinite(d.value));
    const QVector<double> ticks = y->tickVector();
    const QVector<QString> labels = y->tickVectorLabels();
    ASSERT_GE(ticks.size(), 3);
    EXPECT_NEAR(QLocale::c().toDouble(labels.last()) / (ticks.last() * (1.1e308 / y->range().upper)), 1, 1e-6);

    // The cursor reads the true y.
    QSignalSpy moved(&chart, &ChartComponent::cursorMoved);
    QTest::mouseClick(chart.plot(), Qt::LeftButton, {}, pixelOf(0, 1.0, y->range().center()));
    ASSERT_EQ(moved.size(), 1);
    EXPECT_NEAR(moved[0][1].toDouble() / 5.5e307, 1, 0.02);

    // Back to an ordinary range: what was drawn keeps its true values.
    chart.setRange(0.0, 1.9, 0.0, 5000.0, 0);
    EXPECT_DOUBLE_EQ(y->range().upper, 5000.0);
    EXPECT_DOUBLE_EQ(graphData(chart.elementPlottable(0)).front().value, 6e307);
}

TEST_F(ChartTest, LabelsWithoutDecimalsStandOnWholeNumbers)
{
    // The alarms chart: levels 1 to 16 on 0..18.
    showChart();
    chart.setYLabelDecimals(0);
    chart.setRange(0.0, 2.0, 0.0, 18.0, 0);
    chart.plot()->replot();
    QCPAxis* y = chart.bandRect(0)->axis(QCPAxis::atLeft);
    const QVector<double> ticks = y->tickVector();
    const QVector<QString> labels = y->tickVectorLabels();
    ASSERT_GE(ticks.size(), 3);
    for (int i = 0; i < ticks.size(); ++i) {
        EXPECT_EQ(ticks[i], std::round(ticks[i]));
        EXPECT_EQ(labels[i], QString::number(ticks[i]));
    }
}

TEST_F(ChartTest, SampleAtCountsThePointsOfTheLatestPlot)
{
    EXPECT_EQ(chart.sampleAt(1.0), 0) << "nothing plotted";
    chart.plotFromCells(u"A2", u"A21", u"B2", u"B21", 0, 1.0, 1);
    // The latest plot: rows 2, 5, ..., 20 at 0.0, 0.3, ..., 1.8.
    chart.plotFromCells(u"A2", u"A21", u"C2", u"C21", 1, 1.0, 3);
    const struct {
        double x;
        qint32 sample;
    } cases[] = {{-5.0, 0}, {0.0, 0}, {0.14, 0}, {0.16, 1}, {1.0, 3}, {1.8, 6}, {50.0, 6}};
    for (const auto& c : cases)
        EXPECT_EQ(chart.sampleAt(c.x, 1.0), c.sample) << c.x;
    const std::vector<double> x = {0.0, 0.5, 1.0};
    chart.plotFromArrays(x, x, 2, 1.0, 1);
    EXPECT_EQ(chart.sampleAt(0.25), 0) << "halfway: the earlier point";
    EXPECT_EQ(chart.sampleAt(0.75), 1);
}

TEST_F(ChartTest, ClickMovesTheCursorAndReportsTheSample)
{
    showChart();
    chart.setRange(0.0, 1.9, 0.0, 5000.0, 0);
    chart.plotFromCells(u"A2", u"A21", u"B2", u"B21", 0, 1.0, 1);
    chart.plotFromCells(u"A2", u"A21", u"C2", u"C21", 1, 1.0, 3);
    chart.plot()->replot();
    QSignalSpy moved(&chart, &ChartComponent::cursorMoved);

    QTest::mouseClick(chart.plot(), Qt::LeftButton, {}, pixelOf(0, 1.0, 2500.0));
    ASSERT_EQ(moved.size(), 1);
    EXPECT_NEAR(moved[0].at(0).toDouble(), 1.0, 0.01);
    EXPECT_NEAR(moved[0].at(1).toDouble(), 2500.0, 15.0);
    EXPECT_EQ(moved[0].at(2).value<qint32>(), 3) << "0.9 is the nearest point of the trace plotted last";
    EXPECT_NEAR(chart.cursorX(), 1.0, 0.01);

    // Dragging carries the cursor along.
    QTest::mousePress(chart.plot(), Qt::LeftButton, {}, pixelOf(0, 1.0, 2500.0));
    QTest::mouseMove(chart.plot(), pixelOf(0, 1.8, 2500.0));
    QTest::mouseRelease(chart.plot(), Qt::LeftButton, {}, pixelOf(0, 1.8, 2500.0));
    ASSERT_EQ(moved.size(), 3);
    EXPECT_EQ(moved[2].at(2).value<qint32>(), 6);
    EXPECT_NEAR(chart.cursorX(), 1.8, 0.01);

    // During playback the cursor does not follow the mouse, nor in zoom mode.
    chart.setCursorTracking(false);
    QTest::mouseClick(chart.plot(), Qt::LeftButton, {}, pixelOf(0, 1.5, 2500.0));
    chart.setCursorTracking(true);
    chart.setMouseMode(2);
    QTest::mouseClick(chart.plot(), Qt::LeftButton, {}, pixelOf(0, 1.5, 2500.0));
    EXPECT_EQ(moved.size(), 3);
    EXPECT_NEAR(chart.cursorX(), 1.8, 0.01);
}

TEST_F(ChartTest, MouseRectangleZoomsTheRange)
{
    showChart();
    chart.setRange(0.0, 2.0, 0.0, 4000.0, 0);
    chart.plotFromCells(u"A2", u"A21", u"C2", u"C21", 0, 1.0, 1);
    chart.plot()->replot();
    chart.setMouseMode(2);
    QSignalSpy zoomed(&chart, &ChartComponent::zoomed);

    // A slip of the mouse changes nothing.
    QTest::mousePress(chart.plot(), Qt::LeftButton, {}, pixelOf(0, 0.5, 3500.0));
    QTest::mouseMove(chart.plot(), pixelOf(0, 0.5, 3500.0) + QPoint(1, 1));
    QTest::mouseRelease(chart.plot(), Qt::LeftButton, {}, pixelOf(0, 0.5, 3500.0) + QPoint(1, 1));
    EXPECT_EQ(zoomed.size(), 0);
    EXPECT_DOUBLE_EQ(chart.range().xTo, 2.0);

    const QPoint from = pixelOf(0, 0.5, 3500.0);
    const QPoint to = pixelOf(0, 1.5, 1000.0);
    QTest::mousePress(chart.plot(), Qt::LeftButton, {}, from);
    QTest::mouseMove(chart.plot(), (from + to) / 2);
    QTest::mouseMove(chart.plot(), to);
    QTest::mouseRelease(chart.plot(), Qt::LeftButton, {}, to);
    ASSERT_EQ(zoomed.size(), 1);
    const auto r = chart.range();
    const double pixel = 2.0 / chart.bandRect(0)->width();
    EXPECT_NEAR(r.xFrom, 0.5, 2 * pixel);
    EXPECT_NEAR(r.xTo, 1.5, 2 * pixel);
    EXPECT_NEAR(r.yFrom, 1000.0, 30.0);
    EXPECT_NEAR(r.yTo, 3500.0, 30.0);
}

class ChartPrintTest : public ChartTest {
protected:
    ~ChartPrintTest() override { setPrinter(nullptr); }

    void drawTraces()
    {
        chart.setRange(0.0, 1.9, 0.0, 5000.0, 0);
        chart.setElementColor(0x0000C0);
        chart.setElementName(QStringLiteral("Motore"));
        chart.plotFromCells(u"A2", u"A21", u"C2", u"C21", 0, 1.0, 1);
        chart.setElementColor(0x00C000);
        chart.setElementName(QStringLiteral("Distanza"));
        chart.plotFromCells(u"A2", u"A21", u"B2", u"B21", 1, 50.0, 1);
    }

    const std::array<QString, 7> header = {
        QStringLiteral("Session: 3"),   QStringLiteral("Date: 09/03/2024"), QStringLiteral("Time: 10:20"),
        QStringLiteral("Circuit: Mugello"), QStringLiteral("Vehicle: F4"),  QStringLiteral("Drivers: Ann, Bob"),
        QStringLiteral("Notes: wet")};
};

TEST_F(ChartPrintTest, PageHoldsHeaderChartFrameAndLegend)
{
    drawTraces();
    PrintRecorder recorder;
    setPrinter(&recorder);
    ASSERT_TRUE(chart.print(header[0], header[1], header[2], header[3], header[4], header[5], header[6],
                            QStringLiteral("Measures"), false));
    ASSERT_EQ(recorder.documents.size(), 1u);
    const auto& calls = recorder.documents[0].calls;
    EXPECT_TRUE(recorder.documents[0].ended);
    std::vector<QString> texts;
    for (const QString& c : calls)
        if (c.startsWith(QStringLiteral("text ")))
            texts.push_back(c.mid(5));
    const std::vector<QString> expected = {header[0], header[1],  header[2],
                                           header[3], header[4],  header[5],
                                           header[6], "Measures:", "Motore", "Distanza"};
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(), [](const QString& c) { return c.startsWith("box "); }), 2)
        << "the header frame and the chart's";

    // The alarms chart names its traces in the text, one per element.
    recorder.documents.clear();
    ASSERT_TRUE(chart.print(header[0], header[1], header[2], header[3], header[4], header[5], header[6],
                            QStringLiteral("Oil pump;Alternator;"), true));
    texts.clear();
    for (const QString& c : recorder.documents[0].calls)
        if (c.startsWith(QStringLiteral("text ")))
            texts.push_back(c.mid(5));
    ASSERT_EQ(texts.size(), 9u);
    EXPECT_EQ(texts[7], QStringLiteral("Oil pump"));
    EXPECT_EQ(texts[8], QStringLiteral("Alternator"));

    // No printer, or one that does not take the page: why, in the
    // program's language.
    loadShippedLanguages(1);
    recorder.refuse = PrintRefusal{PrintFault::NoPrinter, QString()};
    QString error;
    EXPECT_FALSE(chart.print(header[0], header[1], header[2], header[3], header[4], header[5], header[6],
                             QStringLiteral("Measures"), false, &error));
    EXPECT_EQ(error, languageText(368));
    recorder.refuse.reset();
    recorder.refuseEnd = true;
    EXPECT_FALSE(chart.print(header[0], header[1], header[2], header[3], header[4], header[5], header[6],
                             QStringLiteral("Measures"), false, &error));
    EXPECT_EQ(error, languageText(371));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(ChartPrintTest, PrintsToPdf)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    showChart();
    drawTraces();
    chart.setXCaption(QStringLiteral("Time [sec]"));
    const QString pdf = path(QStringLiteral("chart.pdf"));
    QtPrinter pdfPrinter(pdf);
    setPrinter(&pdfPrinter);
    ASSERT_TRUE(chart.print(header[0], header[1], header[2], header[3], header[4], header[5], header[6],
                            QStringLiteral("Measures"), false));

    QProcess run;
    run.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(run.waitForFinished(20000));
    const QString text = QString::fromUtf8(run.readAllStandardOutput());
    for (const QString& want : header)
        EXPECT_TRUE(text.contains(want)) << want.toStdString() << "\n" << text.toStdString();
    for (const char* want : {"Measures:", "Motore", "Distanza", "Time [sec]"})
        EXPECT_TRUE(text.contains(QLatin1String(want))) << want << "\n" << text.toStdString();
}

TEST(ChartColors, ValuesHoldRedInTheLowByte)
{
    EXPECT_EQ(colorFromValue(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(colorFromValue(0x00FF00), QColor(0, 255, 0));
    EXPECT_EQ(colorFromValue(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(colorFromValue(0x80C0FF), QColor(255, 192, 128));
    EXPECT_EQ(valueFromColor(QColor(255, 192, 128)), 0x80C0FFu);
    EXPECT_EQ(colorFromValue(0x8000000F), QGuiApplication::palette().color(QPalette::Button));
    EXPECT_EQ(colorFromValue(0x80000012), QGuiApplication::palette().color(QPalette::ButtonText));
    EXPECT_TRUE(colorFromValue(0x800000FF).isValid()) << "an unknown system colour is still a colour";
}

} // namespace
} // namespace zuv::test
