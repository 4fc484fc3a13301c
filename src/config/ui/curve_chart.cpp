#include "config/ui/curve_chart.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace zuv {
namespace {

QString axisLabel(double v) { return QString::number(v, 'g', 6); }

// Between the frame and the plot: a mark on the range's edge stays inside.
constexpr double kPad = CurveChart::kPointRadius + 3;
// Between a label and its tick, and around the whole.
constexpr double kGap = 4;

} // namespace

CurveChart::CurveChart(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CurveChart::Layout CurveChart::layoutFor(QSize size, const QFontMetrics& fm) const
{
    Layout l;
    const CurveRange r = model_.displayRange();
    const double h = fm.height();
    const double w = size.width();
    const double hh = size.height();

    l.yTicks = CurveChartModel::ticks(r.yMin, r.yMax, std::max(2, int(hh / (3 * h))));
    double wY = fm.horizontalAdvance(QStringLiteral("0"));
    for (double t : l.yTicks)
        wY = std::max<double>(wY, fm.horizontalAdvance(axisLabel(t)));

    // The x labels are centred on their ticks: the first and the last need
    // half their width beside the plot.
    const double slot = fm.horizontalAdvance(QStringLiteral("-00000")) + 8;
    l.xTicks = CurveChartModel::ticks(r.xMin, r.xMax, std::max(2, int((w - wY - 4 * kGap) / slot)));
    double halfX = 0;
    for (double t : l.xTicks)
        halfX = std::max(halfX, std::ceil(fm.horizontalAdvance(axisLabel(t)) / 2.0));

    const double left = std::max(wY + 2 * kGap + kPad, halfX + 1);
    const double right = w - std::max(kGap + kPad, halfX + 1);
    const double top = std::max(std::ceil(h / 2) + 1, kGap + kPad);
    const double bottom = hh - h - 2 * kGap - kPad;
    l.plot = QRectF(QPointF(left, top), QPointF(right, bottom));
    l.frame = l.plot.adjusted(-kPad, -kPad, kPad, kPad);
    l.drawable = l.plot.width() >= 10 && l.plot.height() >= 10;
    if (!l.drawable)
        return l;

    for (double t : l.yTicks) {
        const double y = model_.toPixel({r.xMin, t}, l.plot).y();
        const QString text = axisLabel(t);
        l.labels.push_back({QRectF(l.frame.left() - kGap - wY, y - h / 2, wY, h), text});
    }
    for (double t : l.xTicks) {
        const double x = model_.toPixel({t, r.yMin}, l.plot).x();
        const QString text = axisLabel(t);
        const double tw = fm.horizontalAdvance(text);
        l.labels.push_back({QRectF(x - tw / 2, l.frame.bottom() + kGap, tw, h), text});
    }
    return l;
}

void CurveChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);

    const Layout l = layoutFor(size(), p.fontMetrics());
    if (!l.drawable)
        return;
    const CurveRange r = model_.displayRange();

    // Scale and grid.
    const QPen grid(QColor(225, 225, 225), 0, Qt::DotLine);
    const QPen black(Qt::black, 0);
    for (double t : l.yTicks) {
        const double y = model_.toPixel({r.xMin, t}, l.plot).y();
        p.setPen(grid);
        p.drawLine(QPointF(l.frame.left(), y), QPointF(l.frame.right(), y));
        p.setPen(black);
        p.drawLine(QPointF(l.frame.left() - 3, y), QPointF(l.frame.left(), y));
    }
    for (double t : l.xTicks) {
        const double x = model_.toPixel({t, r.yMin}, l.plot).x();
        p.setPen(grid);
        p.drawLine(QPointF(x, l.frame.top()), QPointF(x, l.frame.bottom()));
        p.setPen(black);
        p.drawLine(QPointF(x, l.frame.bottom()), QPointF(x, l.frame.bottom() + 3));
    }
    p.setPen(black);
    const std::size_t yLabels = l.yTicks.size();
    for (std::size_t i = 0; i < l.labels.size(); ++i)
        p.drawText(l.labels[i].rect, (i < yLabels ? Qt::AlignRight : Qt::AlignHCenter) | Qt::AlignVCenter,
                   l.labels[i].text);

    // The frame, and the axes through 0 (the range always holds it).
    p.drawRect(l.frame);
    const QPointF zero = model_.toPixel({0, 0}, l.plot);
    p.setPen(QPen(Qt::black, 1));
    if (zero.x() > l.frame.left() && zero.x() < l.frame.right())
        p.drawLine(QPointF(zero.x(), l.frame.top()), QPointF(zero.x(), l.frame.bottom()));
    if (zero.y() > l.frame.top() && zero.y() < l.frame.bottom())
        p.drawLine(QPointF(l.frame.left(), zero.y()), QPointF(l.frame.right(), zero.y()));

    // The curve, in row order, inside the frame.
    const auto& pts = model_.points();
    if (pts.empty())
        return;
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(l.frame);
    const QColor red(255, 0, 0);
    QPainterPath path;
    for (std::size_t i = 0; i < pts.size(); ++i) {
        const QPointF q = model_.toPixel(pts[i], l.plot);
        if (i == 0)
            path.moveTo(q);
        else
            path.lineTo(q);
    }
    p.setPen(QPen(red, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setBrush(red);
    p.setPen(Qt::NoPen);
    for (const CurvePoint& c : pts)
        p.drawEllipse(model_.toPixel(c, l.plot), kPointRadius, kPointRadius);
}

} // namespace zuv
