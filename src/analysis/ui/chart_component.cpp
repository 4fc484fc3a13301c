#include "analysis/ui/chart_component.h"

#include "analysis/session_header.h"
#include "platform/numbers.h"
#include "platform/printer.h"
#include "platform/twips.h"
#include "platform/ui/colors.h"
#include "project/print_texts.h"
#include "project/state.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPicture>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <qcustomplot.h>

namespace zuv {

// Ticks of band 0's y axis in the units of the measure chosen for it: the
// traces there are drawn times its factor, so the labels divide it out.
class ScaledTicker : public QCPAxisTicker {
public:
    double factor = 1.0;
    // Labels without decimals need ticks on whole numbers, or 12.5 would
    // read 13.
    bool wholeSteps = false;

    double getTickStep(const QCPRange& range) override
    {
        const double step = QCPAxisTicker::getTickStep(range);
        return wholeSteps && factor == 1.0 ? std::max(1.0, std::ceil(step)) : step;
    }

    void generate(const QCPRange& range, const QLocale& locale, QChar formatChar, int precision,
                  QVector<double>& ticks, QVector<double>* subTicks, QVector<QString>* tickLabels) override
    {
        if (factor == 1.0) {
            QCPAxisTicker::generate(range, locale, formatChar, precision, ticks, subTicks, tickLabels);
            return;
        }
        QCPRange shown(range.lower / factor, range.upper / factor);
        shown.normalize();
        QCPAxisTicker::generate(shown, locale, formatChar, precision, ticks, subTicks, tickLabels);
        for (double& t : ticks)
            t *= factor;
        if (subTicks)
            for (double& t : *subTicks)
                t *= factor;
    }
};

namespace {

// QCustomPlot takes no range that reaches 1e250: an axis whose range goes
// that far holds its values in a unit of its own, a power of two, so a value
// of 1e308 is drawn too.
constexpr double kAxisReach = 1e240;

double axisUnit(double from, double to)
{
    const double reach = std::max(std::abs(from), std::abs(to));
    if (!(reach > kAxisReach))
        return 1.0;
    int exponent = 0;
    std::frexp(reach / kAxisReach, &exponent);
    return std::ldexp(1.0, exponent);
}

// A range the axes can show: in order and never empty.
void makeShowable(double& from, double& to)
{
    if (from > to)
        std::swap(from, to);
    if (from == to) {
        const double half = std::max(0.5, std::abs(from) * 1e-6);
        from -= half;
        to += half;
    }
}

} // namespace

ChartComponent::ChartComponent(QWidget* parent)
    : QFrame(parent), plot_(new QCustomPlot(this)), rects_(new QCPLayoutGrid)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(plot_);
    setFrameStyle(QFrame::NoFrame);

    plot_->setAutoAddPlottableToLegend(false);
    plot_->setNoAntialiasingOnDrag(true);
    plot_->addLayer(QStringLiteral("cursor"), plot_->layer(QStringLiteral("main")), QCustomPlot::limAbove);
    cursorLayer_ = plot_->layer(QStringLiteral("cursor"));
    // Moving the cursor repaints its own layer only, not every trace.
    cursorLayer_->setMode(QCPLayer::lmBuffered);

    // The plot's own axis rect is band 0; the bands live beside it and take
    // its place in the layout while they are shown.
    rect_[0] = plot_->axisRect();
    plot_->plotLayout()->take(rect_[0]);
    plot_->plotLayout()->simplify();
    plot_->plotLayout()->addElement(0, 0, rects_);
    rects_->setRowSpacing(0);
    margins_ = new QCPMarginGroup(plot_);
    for (int b = 0; b <= kBands; ++b) {
        QCPAxisRect* rect = b == 0 ? rect_[0] : new QCPAxisRect(plot_, true);
        rect_[b] = rect;
        auto ticker = QSharedPointer<ScaledTicker>::create();
        ticker_[b] = ticker.data();
        rect->axis(QCPAxis::atLeft)->setTicker(ticker);
        for (QCPAxis* axis : rect->axes())
            axis->grid()->setPen(QPen(QColor(0xD8, 0xD8, 0xD8), 0, Qt::DotLine));
    }
    // Items look for the plot's first axis rect when they are made.
    rects_->addElement(0, 0, rect_[0]);
    for (int b = 0; b <= kBands; ++b) {
        QCPAxisRect* rect = rect_[b];
        auto* line = new QCPItemStraightLine(plot_);
        line->setLayer(cursorLayer_);
        line->setClipAxisRect(rect);
        for (QCPItemPosition* p : {line->point1, line->point2}) {
            p->setAxes(rect->axis(QCPAxis::atBottom), rect->axis(QCPAxis::atLeft));
            p->setAxisRect(rect);
        }
        line->point1->setCoords(0, 0);
        line->point2->setCoords(0, 1);
        cursor_[b] = line;
    }
    setCursorColor(0xFF0000);
    shownBands_ = -1;
    showBands(0);

    connect(plot_, &QCustomPlot::mousePress, this, &ChartComponent::onMousePress);
    connect(plot_, &QCustomPlot::mouseMove, this, &ChartComponent::onMouseMove);
    connect(plot_->selectionRect(), &QCPSelectionRect::accepted, this,
            [this](const QRect& rect, QMouseEvent*) { onZoomRect(rect); });
}

ChartComponent::~ChartComponent()
{
    // What the layout does not hold, the plot would free after its layers.
    plot_->clearPlottables();
    for (QCPAxisRect* rect : rect_)
        if (!rect->layout())
            delete rect;
}

// --- data ---

int ChartComponent::columnCount() const { return data_.columnCount(); }

// --- traces ---

void ChartComponent::clear()
{
    plot_->clearPlottables();
    elements_.clear();
    lastPlotted_ = -1;
    band_ = 0;
    showBands(0);
    requestReplot();
}

void ChartComponent::addElement()
{
    Element e;
    e.name = next_.name;
    e.color = next_.color;
    elements_.push_back(std::move(e));
}

void ChartComponent::setElementColor(quint32 color) { next_.color = color; }

void ChartComponent::setElementLineWidth(int width) { next_.width = std::clamp(width, 1, 20); }

void ChartComponent::setElementName(const QString& name) { next_.name = name; }

QString ChartComponent::elementName(int element) const
{
    return element >= 0 && element < elementCount() ? elements_[std::size_t(element)].name : QString();
}

QColor ChartComponent::elementColor(int element) const
{
    return element >= 0 && element < elementCount() ? colorFromValue(elements_[std::size_t(element)].color)
                                                     : QColor(Qt::black);
}

QCPAbstractPlottable* ChartComponent::elementPlottable(int element) const
{
    return element >= 0 && element < elementCount() ? elements_[std::size_t(element)].plottable : nullptr;
}

std::vector<double> ChartComponent::elementKeys(int element) const
{
    std::vector<double> keys;
    const QCPAbstractPlottable* p = elementPlottable(element);
    if (const auto* graph = qobject_cast<const QCPGraph*>(p))
        for (auto it = graph->data()->constBegin(); it != graph->data()->constEnd(); ++it)
            keys.push_back(it->key);
    else if (const auto* curve = qobject_cast<const QCPCurve*>(p))
        for (auto it = curve->data()->constBegin(); it != curve->data()->constEnd(); ++it)
            keys.push_back(it->key);
    return keys;
}

int ChartComponent::elementSlot(int element)
{
    if (element >= 0 && element < elementCount())
        return element;
    addElement();
    return elementCount() - 1;
}

namespace {

// The points of one trace, written straight into what the graph keeps.
struct Points {
    QVector<QCPGraphData> data;
    QCPGraphData* next = nullptr;
    bool sorted = true;

    explicit Points(qint64 capacity)
    {
        data.resize(qsizetype(std::max<qint64>(capacity, 0)));
        next = data.data();
    }
    void add(double key, double value)
    {
        if (next != data.data() && !(key >= next[-1].key))
            sorted = false;
        *next++ = QCPGraphData(key, value);
    }
    QVector<QCPGraphData>&& done()
    {
        data.resize(next - data.data());
        return std::move(data);
    }
};

} // namespace

int ChartComponent::plotFromCells(QStringView xFrom, QStringView xTo, QStringView yFrom, QStringView yTo,
                                  int element, double factor, int stride)
{
    const int slot = elementSlot(element);
    const auto xa = parseCellRef(xFrom);
    const auto xb = parseCellRef(xTo);
    const auto ya = parseCellRef(yFrom);
    const auto yb = parseCellRef(yTo);
    if (!xa || !xb || !ya || !yb || xa->column != xb->column || ya->column != yb->column || xa->row > xb->row
        || ya->row > yb->row)
        return plotPoints(slot, {}, true);

    const std::span<const double> xs = data_.column(xa->column);
    const std::span<const double> ys = data_.column(ya->column);
    // Chart row 2 is the first data row; rows outside the data are left
    // out.
    const qint64 first = std::max<qint64>({0, 2 - xa->row, 2 - ya->row});
    const qint64 last = std::min({xb->row - xa->row, yb->row - ya->row, qint64(xs.size()) + 1 - xa->row,
                                  qint64(ys.size()) + 1 - ya->row});
    const qint64 step = std::max(stride, 1);
    const double f = std::isfinite(factor) ? factor : 1.0;
    qint64 k = first;
    if (k % step)
        k += step - k % step;
    Points points(last < k ? 0 : (last - k) / step + 1);
    for (; k <= last; k += step)
        points.add(xs[std::size_t(xa->row + k - 2)], toAxis(ys[std::size_t(ya->row + k - 2)] * f));
    const bool sorted = points.sorted;
    return plotPoints(slot, points.done(), sorted);
}

int ChartComponent::plotFromArrays(std::span<const double> x, std::span<const double> y, int element, double factor,
                                   int stride, double, double, double)
{
    const int slot = elementSlot(element);
    const std::size_t n = std::min(x.size(), y.size());
    const std::size_t step = std::size_t(std::max(stride, 1));
    const double f = std::isfinite(factor) ? factor : 1.0;
    Points points(n ? qint64((n - 1) / step + 1) : 0);
    for (std::size_t k = 0; k < n; k += step)
        points.add(x[k], toAxis(y[k] * f));
    const bool sorted = points.sorted;
    return plotPoints(slot, points.done(), sorted);
}

int ChartComponent::plotPoints(int slot, QVector<QCPGraphData>&& points, bool sorted)
{
    Element& e = elements_[std::size_t(slot)];
    if (e.plottable)
        plot_->removePlottable(e.plottable);
    if (band_ == 0)
        showBands(0);
    QCPAxis* x = rect_[band_]->axis(QCPAxis::atBottom);
    QCPAxis* y = rect_[band_]->axis(QCPAxis::atLeft);
    if (sorted) {
        auto* graph = new QCPGraph(x, y);
        graph->data()->set(points, true);
        e.plottable = graph;
    } else {
        // Time that goes back (rows of two laps) is drawn in row order.
        auto* curve = new QCPCurve(x, y);
        QVector<QCPCurveData> ordered(points.size());
        for (qsizetype i = 0; i < points.size(); ++i)
            ordered[i] = QCPCurveData(double(i), points[i].key, points[i].value);
        curve->data()->set(ordered, true);
        e.plottable = curve;
    }
    e.plottable->setPen(QPen(colorFromValue(next_.color), next_.width));
    e.plottable->setName(next_.name);
    e.name = next_.name;
    e.color = next_.color;
    lastPlotted_ = slot;
    requestReplot();
    return slot;
}

// A value times a factor that overflows is drawn at the largest double.
double ChartComponent::toAxis(double value) const { return finiteOrLargest(value) / yUnit_[std::size_t(band_)]; }

void ChartComponent::setYUnit(int band, double unit)
{
    double& was = yUnit_[std::size_t(band)];
    if (unit == was)
        return;
    // What the axis already shows moves to the new unit.
    const double ratio = was / unit;
    const QCPAxis* y = rect_[band]->axis(QCPAxis::atLeft);
    for (const Element& e : elements_) {
        if (!e.plottable || e.plottable->valueAxis() != y)
            continue;
        if (auto* graph = qobject_cast<QCPGraph*>(e.plottable))
            for (auto it = graph->data()->begin(); it != graph->data()->end(); ++it)
                it->value *= ratio;
        else if (auto* curve = qobject_cast<QCPCurve*>(e.plottable))
            for (auto it = curve->data()->begin(); it != curve->data()->end(); ++it)
                it->value *= ratio;
    }
    was = unit;
    ticker_[band]->factor = (band == 0 ? yFactor_ : 1.0) / unit;
}

void ChartComponent::setYScaleFactor(double factor)
{
    yFactor_ = std::isfinite(factor) && factor != 0 ? factor : 1.0;
    ticker_[0]->factor = yFactor_ / yUnit_[0];
    requestReplot();
}

// --- view ---

void ChartComponent::setRange(double xFrom, double xTo, double yFrom, double yTo, int band)
{
    if (!std::isfinite(xFrom) || !std::isfinite(xTo) || !std::isfinite(yFrom) || !std::isfinite(yTo))
        return;
    band = std::clamp(band, 0, kBands);
    makeShowable(xFrom, xTo);
    makeShowable(yFrom, yTo);
    for (QCPAxisRect* rect : rect_)
        rect->axis(QCPAxis::atBottom)->setRange(xFrom, xTo);
    const double unit = axisUnit(yFrom, yTo);
    setYUnit(band, unit);
    rect_[band]->axis(QCPAxis::atLeft)->setRange(yFrom / unit, yTo / unit);
    band_ = band;
    // The bands on show stay until a trace goes to band 0 or the chart is
    // cleared: a redraw that draws nothing keeps them as they were.
    if (band != 0)
        showBands(std::max(shownBands_, band));
    // A band takes the y caption and colour given before its range.
    applyYAxisLook(rect_[band]);
    requestReplot();
}

ChartComponent::Range ChartComponent::range() const { return bandRange(0); }

ChartComponent::Range ChartComponent::bandRange(int band) const
{
    band = std::clamp(band, 0, kBands);
    const QCPRange x = rect_[0]->axis(QCPAxis::atBottom)->range();
    const QCPRange y = rect_[band]->axis(QCPAxis::atLeft)->range();
    const double unit = yUnit_[std::size_t(band)];
    return {x.lower, x.upper, y.lower * unit, y.upper * unit};
}

QCPAxisRect* ChartComponent::bandRect(int band) const { return rect_[std::clamp(band, 0, kBands)]; }

void ChartComponent::showBands(int count)
{
    count = std::clamp(count, 0, kBands);
    if (count == shownBands_)
        return;
    for (QCPAxisRect* rect : rect_)
        if (rect->layout())
            rects_->take(rect);
    rects_->simplify();
    const int first = count == 0 ? 0 : 1;
    const int last = count;
    for (int b = 0; b <= kBands; ++b) {
        const bool shown = b >= first && b <= last;
        rect_[b]->setVisible(shown);
        cursor_[b]->setVisible(shown);
        // Strips on show line up their plot areas; hidden ones take no part.
        rect_[b]->setMarginGroup(QCP::msLeft | QCP::msRight, shown ? margins_ : nullptr);
        if (shown)
            rects_->addElement(b - first, 0, rect_[b]);
        // The strips share one time axis: only the lowest one is labelled.
        QCPAxis* x = rect_[b]->axis(QCPAxis::atBottom);
        x->setTickLabels(b == last);
        x->setLabel(b == last ? xCaption_ : QString());
    }
    shownBands_ = count;
}

void ChartComponent::applyYAxisLook(QCPAxisRect* rect)
{
    QCPAxis* y = rect->axis(QCPAxis::atLeft);
    const QColor color = colorFromValue(yColor_);
    y->setLabel(yCaption_);
    y->setBasePen(QPen(color));
    y->setTickPen(QPen(color));
    y->setSubTickPen(QPen(color));
    y->setTickLabelColor(color);
    y->setLabelColor(color);
}

void ChartComponent::setCursorX(double x)
{
    if (!std::isfinite(x))
        return;
    cursorX_ = x;
    for (QCPItemStraightLine* line : cursor_) {
        line->point1->setCoords(x, 0);
        line->point2->setCoords(x, 1);
    }
    requestReplot();
}

qint32 ChartComponent::sampleAt(double x, double) const
{
    const QCPAbstractPlottable* p = elementPlottable(lastPlotted_);
    if (!p || !std::isfinite(x))
        return 0;
    qsizetype best = 0;
    if (const auto* graph = qobject_cast<const QCPGraph*>(p)) {
        const auto begin = graph->data()->constBegin();
        const auto end = graph->data()->constEnd();
        if (begin == end)
            return 0;
        const auto at = std::lower_bound(begin, end, x, [](const QCPGraphData& d, double v) { return d.key < v; });
        best = at - begin;
        if (at == end || (at != begin && x - (at - 1)->key <= at->key - x))
            --best;
        // Of equal keys, the first.
        while (best > 0 && (begin + best - 1)->key == (begin + best)->key)
            --best;
    } else if (const auto* curve = qobject_cast<const QCPCurve*>(p)) {
        const auto begin = curve->data()->constBegin();
        for (auto it = begin; it != curve->data()->constEnd(); ++it)
            if (std::abs(it->key - x) < std::abs((begin + best)->key - x))
                best = it - begin;
    }
    return qint32(std::min<qsizetype>(best, std::numeric_limits<qint32>::max()));
}

void ChartComponent::setMouseMode(int mode)
{
    mouseMode_ = mode == kMouseZoom ? kMouseZoom : kMouseNormal;
    plot_->setSelectionRectMode(mouseMode_ == kMouseZoom ? QCP::srmCustom : QCP::srmNone);
}

void ChartComponent::moveCursorTo(const QPointF& pos)
{
    QCPAxisRect* rect = plot_->axisRectAt(pos);
    if (!rect)
        return;
    const double x = rect->axis(QCPAxis::atBottom)->pixelToCoord(pos.x());
    const auto band = std::size_t(std::find(rect_.begin(), rect_.end(), rect) - rect_.begin());
    if (band >= rect_.size())
        return;
    double y = rect->axis(QCPAxis::atLeft)->pixelToCoord(pos.y()) * yUnit_[band];
    if (band == 0)
        y /= yFactor_;
    setCursorX(x);
    cursorLayer_->replot();
    emit cursorMoved(x, y, sampleAt(x));
}

void ChartComponent::onMousePress(QMouseEvent* event)
{
    if (mouseMode_ == kMouseNormal && tracking_ && event->button() == Qt::LeftButton)
        moveCursorTo(event->position());
}

void ChartComponent::onMouseMove(QMouseEvent* event)
{
    if (mouseMode_ == kMouseNormal && tracking_ && (event->buttons() & Qt::LeftButton))
        moveCursorTo(event->position());
}

void ChartComponent::onZoomRect(const QRect& dragged)
{
    // The rectangle starts where the button went down.
    QCPAxisRect* rect = plot_->axisRectAt(dragged.topLeft());
    const QRect r = dragged.normalized();
    if (!rect)
        rect = plot_->axisRectAt(r.center());
    // A click or a slip of the mouse is no rectangle.
    if (!rect || r.width() < 3)
        return;
    QCPAxis* xAxis = rect->axis(QCPAxis::atBottom);
    const QCPRange x(xAxis->pixelToCoord(r.left()), xAxis->pixelToCoord(r.right()));
    for (QCPAxisRect* each : rect_)
        each->axis(QCPAxis::atBottom)->setRange(x);
    if (r.height() >= 3) {
        QCPAxis* yAxis = rect->axis(QCPAxis::atLeft);
        yAxis->setRange(QCPRange(yAxis->pixelToCoord(r.bottom()), yAxis->pixelToCoord(r.top())));
    }
    plot_->replot();
    emit zoomed();
}

void ChartComponent::requestReplot() { plot_->replot(QCustomPlot::rpQueuedReplot); }

// --- look ---

void ChartComponent::setXCaption(const QString& caption)
{
    xCaption_ = caption;
    rect_[std::max(shownBands_, 0)]->axis(QCPAxis::atBottom)->setLabel(caption);
    requestReplot();
}

void ChartComponent::setYCaption(const QString& caption)
{
    yCaption_ = caption;
    applyYAxisLook(rect_[0]);
    requestReplot();
}

void ChartComponent::setYAxisColor(quint32 color)
{
    yColor_ = color;
    applyYAxisLook(rect_[0]);
    requestReplot();
}

void ChartComponent::setCursorColor(quint32 color)
{
    for (QCPItemStraightLine* line : cursor_)
        line->setPen(QPen(colorFromValue(color), 1));
    requestReplot();
}

void ChartComponent::setControlColor(quint32 color)
{
    plot_->setBackground(QBrush(colorFromValue(color)));
    requestReplot();
}

void ChartComponent::setAxisColor(quint32 color)
{
    const QColor c = colorFromValue(color);
    for (QCPAxisRect* rect : rect_) {
        QCPAxis* x = rect->axis(QCPAxis::atBottom);
        x->setBasePen(QPen(c));
        x->setTickPen(QPen(c));
        x->setSubTickPen(QPen(c));
        x->setTickLabelColor(c);
        x->setLabelColor(c);
    }
    requestReplot();
}

void ChartComponent::setGridVisible(bool visible)
{
    for (QCPAxisRect* rect : rect_)
        for (QCPAxis* axis : rect->axes())
            axis->grid()->setVisible(visible);
    requestReplot();
}

void ChartComponent::setYLabelDecimals(int decimals)
{
    for (QCPAxisRect* rect : rect_) {
        QCPAxis* y = rect->axis(QCPAxis::atLeft);
        y->setNumberFormat(decimals >= 0 ? QStringLiteral("f") : QStringLiteral("g"));
        y->setNumberPrecision(decimals >= 0 ? std::min(decimals, 12) : 6);
    }
    for (ScaledTicker* ticker : ticker_)
        if (ticker)
            ticker->wholeSteps = decimals == 0;
    requestReplot();
}

// --- print ---

bool ChartComponent::print(const QString& h1, const QString& h2, const QString& h3, const QString& h4,
                           const QString& h5, const QString& h6, const QString& h7, const QString& traceNames,
                           bool alarms, QString* error)
{
    const PrintResult outcome = printDocument(printer(), h1, [&](PrintJob& job) {
        printPage(job, {h1, h2, h3, h4, h5, h6, h7}, traceNames, alarms);
    });
    if (!outcome.printed && error)
        *error = outcome.message;
    return outcome.printed;
}

void ChartComponent::printPage(PrintSurface& page, const std::array<QString, 7>& header, const QString& traceNames,
                               bool alarms)
{
    page.setFont(QString::fromLatin1(kReportFont), kSessionHeaderPoints, false);
    const CmRect& f = kSessionHeaderFrame;
    page.drawBox(cmInTwips(f.left), cmInTwips(f.top), cmInTwips(f.right - f.left), cmInTwips(f.bottom - f.top));
    printSessionHeader(page, header);
    printLegend(page, printChart(page), traceNames, alarms);
}

QRect ChartComponent::printChart(PrintSurface& page)
{
    QPainter* painter = page.painter();
    const QPaintDevice* device = painter ? painter->device() : nullptr;
    // The chart is placed in whole centimetres.
    const int cm = cmInTwips(1);
    const int top = 11 * cm / 2;
    int width = 18 * cm;
    int height = 14 * cm;
    if (device) {
        const int pageWidth = int(pixelsToTwips(device->width(), device->logicalDpiX()));
        const int pageHeight = int(pixelsToTwips(device->height(), device->logicalDpiY()));
        width = std::max(cm, std::min(width, pageWidth - 2 * cm));
        height = std::max(cm, std::min(height, pageHeight - top - 2 * cm));
    }
    if (painter) {
        const double dpi = device->logicalDpiX();
        drawChart(*painter, QRectF(twipsToPixels(cm, dpi), twipsToPixels(top, dpi), twipsToPixels(width, dpi),
                                   twipsToPixels(height, dpi)));
    }
    page.drawBox(cm, top, width, height);
    return QRect(cm, top, width, height);
}

// Each name after a stroke of its trace's colour, in lines under the chart.
void ChartComponent::printLegend(PrintSurface& page, const QRect& chart, const QString& traceNames, bool alarms)
{
    std::vector<std::pair<QString, QColor>> entries;
    if (alarms) {
        const QStringList names = traceNames.split(QLatin1Char(';'));
        for (int k = 0; k < names.size(); ++k)
            if (!names[k].isEmpty() || k + 1 < names.size())
                entries.emplace_back(names[k], elementColor(k));
    } else {
        for (int k = 0; k < elementCount(); ++k)
            if (!elementName(k).isEmpty())
                entries.emplace_back(elementName(k), elementColor(k));
    }
    QPainter* painter = page.painter();
    const double dpi = painter ? painter->device()->logicalDpiX() : kTwipsPerInch;
    const auto devicePx = [dpi](int twips) { return twipsToPixels(twips, dpi); };
    const auto textWidth = [painter](const QString& text) {
        if (!painter)
            return int(text.size()) * 110;
        const QFontMetricsF metrics(painter->font(), painter->device());
        return int(pixelsToTwips(metrics.horizontalAdvance(text), painter->device()->logicalDpiX()));
    };
    const int lineHeight = 300;
    int x = chart.left();
    int y = chart.top() + chart.height() + cmInTwips(1) / 2;
    if (!alarms && !traceNames.isEmpty()) {
        const QString heading = traceNames + QLatin1Char(':');
        page.setPosition(x, y);
        page.printLine(heading);
        x += textWidth(heading) + 200;
    }
    for (const auto& [name, color] : entries) {
        const int needed = 500 + textWidth(name) + 300;
        if (x > chart.left() && x + needed > chart.left() + chart.width()) {
            x = chart.left();
            y += lineHeight;
        }
        if (painter) {
            painter->save();
            painter->setPen(QPen(color, devicePx(30)));
            painter->drawLine(QPointF(devicePx(x), devicePx(y + lineHeight / 2)),
                              QPointF(devicePx(x + 400), devicePx(y + lineHeight / 2)));
            painter->restore();
        }
        page.setPosition(x + 500, y);
        page.printLine(name);
        x += needed;
    }
}

void ChartComponent::drawChart(QPainter& painter, const QRectF& target)
{
    // Recorded as vectors at the picture's own resolution; drawing the
    // picture scales that to the page's, so only a rounding is left over.
    QPicture picture;
    const double dpiX = painter.device()->logicalDpiX();
    const double dpiY = painter.device()->logicalDpiY();
    const int w = std::max(1, qRound(target.width() * picture.logicalDpiX() / dpiX));
    const int h = std::max(1, qRound(target.height() * picture.logicalDpiY() / dpiY));
    {
        QCPPainter chart(&picture);
        chart.setMode(QCPPainter::pmVectorized);
        chart.setMode(QCPPainter::pmNoCaching);
        plot_->toPainter(&chart, w, h);
    }
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / (w * dpiX / picture.logicalDpiX()),
                  target.height() / (h * dpiY / picture.logicalDpiY()));
    painter.drawPicture(0, 0, picture);
    painter.restore();
}

} // namespace zuv
