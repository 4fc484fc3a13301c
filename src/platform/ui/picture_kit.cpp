#include "platform/ui/picture_kit.h"

#include <QPainter>

namespace zuv::picture {

const QColor kInk(0x33, 0x3b, 0x45);
const QColor kPaper(0xfd, 0xfd, 0xfb);
const QColor kBlue(0x2f, 0x6f, 0xb8);
const QColor kLightBlue(0x8c, 0xb9, 0xe8);
const QColor kGreen(0x2e, 0x9b, 0x4a);
const QColor kRed(0xc8, 0x3a, 0x32);
const QColor kAmber(0xe8, 0xa3, 0x1c);
const QColor kYellow(0xf4, 0xd0, 0x5c);
const QColor kGrey(0x8a, 0x94, 0x9e);
const QColor kDark(0x2a, 0x30, 0x38);

QPen inkPen(double width, const QColor& colour)
{
    QPen pen(colour, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

void magnifier(QPainter& p, const QPointF& centre, double radius)
{
    p.setPen(inkPen(2.6, kInk));
    p.drawLine(centre + QPointF(radius * 0.7, radius * 0.7), centre + QPointF(radius * 1.9, radius * 1.9));
    p.setPen(inkPen(1.4, kInk));
    p.setBrush(QColor(0xd8, 0xec, 0xff, 220));
    p.drawEllipse(centre, radius, radius);
}

QPixmap drawn(int size, const std::function<void(QPainter&)>& draw)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kGrid, size / kGrid);
    draw(p);
    return pixmap;
}

IconSet::IconSet(QStringList keys, Draw draw) : keys_(std::move(keys)), draw_(std::move(draw)) {}

QIcon IconSet::icon(const QString& key)
{
    if (!keys_.contains(key))
        return QIcon();
    if (const auto it = cache_.find(key); it != cache_.end())
        return it->second;
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64})
        icon.addPixmap(drawn(size, [&](QPainter& p) { draw_(p, key); }));
    cache_.emplace(key, icon);
    return icon;
}

} // namespace zuv::picture
