#include "config/widgets/curve_chart.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace zuv {
namespace {

QString etichetta(double v) { return QString::number(v, 'g', 6); }

} // namespace

CurveChart::CurveChart(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CurveChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);

    const CurveRange r = model_.displayRange();
    const QFontMetrics fm = p.fontMetrics();
    const int hTick = fm.height();

    // Room on the left for the widest y label, below for the x labels.
    const std::vector<double> yTicks = CurveChartModel::ticks(r.yMin, r.yMax, std::max(2, height() / (3 * hTick)));
    int wLabel = fm.horizontalAdvance(QStringLiteral("0"));
    for (double t : yTicks)
        wLabel = std::max(wLabel, fm.horizontalAdvance(etichetta(t)));
    const QRectF area(QPointF(wLabel + 12, hTick / 2 + 6),
                      QPointF(width() - 12, height() - hTick - 10));
    if (area.width() < 10 || area.height() < 10)
        return;
    const std::vector<double> xTicks = CurveChartModel::ticks(
        r.xMin, r.xMax, std::max(2, static_cast<int>(area.width()) / (fm.horizontalAdvance(QStringLiteral("-00000")) + 8)));

    // Scale and grid.
    const QPen grid(QColor(225, 225, 225), 0, Qt::DotLine);
    const QPen black(Qt::black, 0);
    p.setPen(black);
    for (double t : yTicks) {
        const double y = model_.toPixel({r.xMin, t}, area).y();
        p.setPen(grid);
        p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        p.setPen(black);
        p.drawLine(QPointF(area.left() - 4, y), QPointF(area.left(), y));
        p.drawText(QRectF(0, y - hTick / 2.0, area.left() - 6, hTick), Qt::AlignRight | Qt::AlignVCenter,
                   etichetta(t));
    }
    for (double t : xTicks) {
        const double x = model_.toPixel({t, r.yMin}, area).x();
        p.setPen(grid);
        p.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
        p.setPen(black);
        p.drawLine(QPointF(x, area.bottom()), QPointF(x, area.bottom() + 4));
        p.drawText(QRectF(x - 40, area.bottom() + 5, 80, hTick), Qt::AlignHCenter | Qt::AlignTop, etichetta(t));
    }

    // The frame, and the axes through 0 (the range always holds it).
    p.setPen(black);
    p.drawRect(area);
    const QPointF zero = model_.toPixel({0, 0}, area);
    QPen axis(Qt::black, 1);
    p.setPen(axis);
    if (zero.x() > area.left() && zero.x() < area.right())
        p.drawLine(QPointF(zero.x(), area.top()), QPointF(zero.x(), area.bottom()));
    if (zero.y() > area.top() && zero.y() < area.bottom())
        p.drawLine(QPointF(area.left(), zero.y()), QPointF(area.right(), zero.y()));

    // The curve, in row order.
    const auto& pts = model_.points();
    if (pts.empty())
        return;
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(area.adjusted(-4, -4, 4, 4));
    const QColor red(255, 0, 0);
    QPainterPath path;
    for (std::size_t i = 0; i < pts.size(); ++i) {
        const QPointF q = model_.toPixel(pts[i], area);
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
        p.drawEllipse(model_.toPixel(c, area), 3, 3);
}

} // namespace zuv
