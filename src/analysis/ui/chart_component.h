#pragma once
// The chart of the analysis windows: the measures against the session time,
// or the alarm states. It reads its session file through ChartData (no
// window there) and draws with QCustomPlot.
//
// Operations, as the windows use them:
//   Data     data(), into which the chart window's loader reads both files
//              and from which its computations read the columns and the
//              lap boundaries; the fast window gives the charts no data
//   Traces   clear (every element removed), elementCount, addElement; the
//              next trace's setElementColor, setElementLineWidth,
//              setElementName; with a chart's first element setCursorX(0),
//              setCursorY(0), setElementLineStyle(kSolidLine),
//              setElementPointStyle(kNoPointMarks), setMouseMode and
//              setCursorColor; plotFromCells (the chart window) or
//              plotFromArrays (the fast window); setYScaleFactor
//   View     setRange (band 0, or 1..3 separate), range, setCursorX,
//              sampleAt, setCursorTracking, setMouseMode (kMouseNormal,
//              kMouseZoom)
//   Look     setTitle (only ever cleared), setXCaption, setYCaption,
//              setYAxisColor, QFrame::setFrameStyle (0, no frame); the
//              alarms chart's six calls, in their order: setControlColor,
//              setAxisColor, setYAxisColor, setGridVisible,
//              setYLabelDecimals, setFrameStyle
//   Print    the nine-argument print
//   Events   cursorMoved(x, y, sample), zoomed()
// What the windows set is read back (columnCount, bandRange, bandCount,
// cursorX, cursorTracking, mouseMode, elementName, elementColor,
// yScaleFactor) and the drawing is reached (plot, bandRect,
// elementPlottable, elementKeys) by the tests and the benchmark.
//
// Colours are 32-bit values with red in the low byte (0x00BBGGRR); values
// with the top bit set name system colours.
//
// Elements are numbered from 0 in the order added. A plot fills the element
// it names (a number past the last adds one at the end) with the trace
// settings as they stand, on the axes of the band named by the latest
// setRange. Band 0 is the whole chart on one y axis; bands 1..3 are separate
// strips stacked from the top, each with its own y axis, all sharing the x
// range. The strips stay on show until a plot on band 0 or clear() goes
// back to band 0; a setRange of band 0 meanwhile changes their x range. The
// sample index of the cursor counts the points the latest plot drew, from 0
// at its first row. With cursor tracking on (the default) a click or a drag
// in normal mouse mode moves the cursor there and raises cursorMoved.

#include "analysis/chart_data.h"

#include <QFrame>
#include <QString>
#include <QVector>
#include <array>
#include <span>
#include <vector>

class QCustomPlot;
class QCPAbstractPlottable;
class QCPAxisRect;
class QCPGraphData;
class QCPItemStraightLine;
class QCPLayer;
class QCPLayoutGrid;
class QCPMarginGroup;
class QMouseEvent;
class QPainter;

namespace zuv {

class PrintSurface;
class ScaledTicker;

class ChartComponent : public QFrame {
    Q_OBJECT
public:
    static constexpr int kBands = 3;
    // Mouse modes: a click or a drag moves the cursor; a dragged rectangle
    // zooms.
    static constexpr int kMouseNormal = 0;
    static constexpr int kMouseZoom = 2;
    // The two element settings the windows pass: every trace is a solid
    // line through its points, with no mark on them.
    static constexpr int kSolidLine = 2;
    static constexpr int kNoPointMarks = 1;

    explicit ChartComponent(QWidget* parent = nullptr);
    ~ChartComponent() override;

    // --- data ---
    // Where the chart window's loader reads the files, with their progress
    // and lap boundaries (analysis/chart_loader.h).
    const ChartData& data() const { return data_; }
    ChartData& data() { return data_; }
    int columnCount() const;

    // --- traces ---
    void clear();
    int elementCount() const { return int(elements_.size()); }
    void addElement();
    // The settings of the traces plotted next; they stay until changed.
    void setElementColor(quint32 color);
    void setElementLineWidth(int width);
    void setElementName(const QString& name);
    // kSolidLine and kNoPointMarks, the way every trace is drawn: the chart
    // keeps neither.
    void setElementLineStyle(int) {}
    void setElementPointStyle(int) {}
    QString elementName(int element) const;
    QColor elementColor(int element) const;

    // Rows of the cell range from..to, every `stride` rows (below 1 counts
    // as 1), y values times `factor`; rows outside the data are left out.
    // Returns the element filled (`element`, or a new one when it names
    // none yet); a range that runs backwards, or cells that are not cells,
    // give that element with no point.
    int plotFromCells(QStringView xFrom, QStringView xTo, QStringView yFrom, QStringView yTo, int element,
                      double factor, int stride);
    // The same from two arrays, index 0 first. The minimum, maximum and
    // average are passed along by the callers and left as they are.
    int plotFromArrays(std::span<const double> x, std::span<const double> y, int element, double factor,
                       int stride, double minimum = 0, double maximum = 0, double average = 0);
    // The y axis of band 0 then reads value / factor (0 counts as 1).
    void setYScaleFactor(double factor);
    double yScaleFactor() const { return yFactor_; }

    // --- view ---
    // A range given backwards is turned round; an empty one is widened.
    // Values that are not numbers leave the range as it was; any other
    // range is shown, out to the largest double.
    void setRange(double xFrom, double xTo, double yFrom, double yTo, int band = 0);
    struct Range {
        double xFrom, xTo, yFrom, yTo;
    };
    // The x range and the y range of band 0, as shown or as the mouse zoom
    // left them.
    Range range() const;
    // The y range of band 1..3 (band 0: as range()).
    Range bandRange(int band) const;
    // Bands shown: 0 for the whole chart, else 1..3.
    int bandCount() const { return shownBands_; }

    void setCursorX(double x);
    double cursorX() const { return cursorX_; }
    // The cursor is a vertical line: a y has no place on it.
    void setCursorY(double) {}
    // Index, among the points of the latest plot, of the one nearest to x
    // (the earlier one of two as near); 0 when it drew none. The second
    // argument is kept for the callers and not used.
    qint32 sampleAt(double x, double y = 1.0) const;
    void setCursorTracking(bool on) { tracking_ = on; }
    bool cursorTracking() const { return tracking_; }
    void setMouseMode(int mode);
    int mouseMode() const { return mouseMode_; }

    // --- look ---
    // The windows clear the title and give none: the chart shows no title.
    void setTitle(const QString&) {}
    void setXCaption(const QString& caption);
    void setYCaption(const QString& caption);
    void setYAxisColor(quint32 color);
    void setCursorColor(quint32 color);
    void setControlColor(quint32 color);
    void setAxisColor(quint32 color);
    void setGridVisible(bool visible);
    // Decimals of the y tick labels; below 0 as many as the ticks need.
    void setYLabelDecimals(int decimals);

    // --- print ---
    // The seven header texts above the chart, the chart, and a legend line:
    // `traceNames` followed by the elements' names for the measures chart,
    // or for the alarms chart (`alarms`) the names in `traceNames`, each
    // ended by ";", in the colours of elements 0, 1, ... False when nothing
    // was printed: `error` says why, in the program's language.
    bool print(const QString& h1, const QString& h2, const QString& h3, const QString& h4, const QString& h5,
               const QString& h6, const QString& h7, const QString& traceNames, bool alarms,
               QString* error = nullptr);

    // The drawing, for tests and the benchmark.
    QCustomPlot* plot() const { return plot_; }
    QCPAxisRect* bandRect(int band) const;
    QCPAbstractPlottable* elementPlottable(int element) const;
    // The x of the points an element drew, in the order drawn.
    std::vector<double> elementKeys(int element) const;

signals:
    // y in the units of the axis of the band clicked.
    void cursorMoved(double x, double y, qint32 sample);
    // The mouse zoom changed the range.
    void zoomed();

private:
    struct Element {
        QCPAbstractPlottable* plottable = nullptr;
        QString name;
        quint32 color = 0;
    };
    struct Settings {
        quint32 color = 0;
        int width = 1;
        QString name;
    };

    int elementSlot(int element);
    // A y value as the axis of the current band holds it.
    double toAxis(double value) const;
    void setYUnit(int band, double unit);
    int plotPoints(int slot, QVector<QCPGraphData>&& points, bool sorted);
    void showBands(int count);
    void applyYAxisLook(QCPAxisRect* rect);
    void moveCursorTo(const QPointF& pos);
    void onMousePress(QMouseEvent* event);
    void onMouseMove(QMouseEvent* event);
    void onZoomRect(const QRect& rect);
    void requestReplot();
    // The page of the print on any surface.
    void printPage(PrintSurface& page, const std::array<QString, 7>& header, const QString& traceNames,
                   bool alarms);
    // The chart in its frame on the page; the frame in twips.
    QRect printChart(PrintSurface& page);
    void printLegend(PrintSurface& page, const QRect& chart, const QString& traceNames, bool alarms);
    void drawChart(QPainter& painter, const QRectF& target);

    ChartData data_;
    QCustomPlot* plot_;
    QCPLayoutGrid* rects_;
    QCPMarginGroup* margins_ = nullptr;
    // [0] band 0, [1..3] the separate bands.
    std::array<QCPAxisRect*, kBands + 1> rect_{};
    std::array<QCPItemStraightLine*, kBands + 1> cursor_{};
    std::array<ScaledTicker*, kBands + 1> ticker_{};
    // What one unit of each band's y axis is worth: 1 but for ranges too far
    // out for QCustomPlot.
    std::array<double, kBands + 1> yUnit_{1.0, 1.0, 1.0, 1.0};
    QCPLayer* cursorLayer_ = nullptr;
    std::vector<Element> elements_;
    Settings next_;
    int lastPlotted_ = -1;
    int band_ = 0;
    int shownBands_ = 0;
    double yFactor_ = 1.0;
    QString xCaption_;
    QString yCaption_;
    quint32 yColor_ = 0;
    double cursorX_ = 0;
    bool tracking_ = true;
    int mouseMode_ = kMouseNormal;
};

} // namespace zuv
