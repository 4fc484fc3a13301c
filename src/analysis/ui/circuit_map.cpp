#include "analysis/ui/circuit_map.h"

#include "analysis/colour_values.h"

#include "analysis/ui/swatch.h"
#include "platform/twips.h"

#include <QPainter>
#include <algorithm>

namespace zuv {

CircuitMap::CircuitMap(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Picture1"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    Shape1 = new Swatch(Swatch::Shape::Circle, kColourRed, this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    const int d = qRound(pixels(kMarkerTwips));
    Shape1->resize(d, d);
    Shape1->hide();
}

double CircuitMap::pixels(double twips) const { return twipsToPixels(twips, logicalDpiX()); }

QSize CircuitMap::sizeHint() const
{
    return QSize(qRound(pixels(kWidthTwips)), qRound(pixels(kHeightTwips)));
}

void CircuitMap::setOutline(std::vector<MapPoint> points)
{
    points_ = std::move(points);
    marker_ = -1;
    Shape1->hide();
    update();
}

void CircuitMap::placeMarker(qint64 point)
{
    const std::optional<QPoint> at = markerCorner(points_, point);
    if (!at)
        return;
    marker_ = std::clamp<qint64>(point, 0, qint64(points_.size()) - 1);
    Shape1->move(qRound(pixels(at->x())), qRound(pixels(at->y())));
    Shape1->show();
    update();
}

void CircuitMap::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    const double s = twipsToPixels(1, logicalDpiX());
    for (const QLine& l : mapLines(points_))
        p.drawLine(QPointF(l.x1() * s, l.y1() * s), QPointF(l.x2() * s, l.y2() * s));
}

} // namespace zuv
