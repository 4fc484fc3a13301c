#include "shell/ui/work_area.h"

#include <QLinearGradient>
#include <QPainter>
#include <QtMath>

namespace zuv {

WorkArea::WorkArea(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("workArea"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void WorkArea::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient back(0, 0, 0, height());
    back.setColorAt(0, QColor(0x8e, 0x97, 0xa0));
    back.setColorAt(1, QColor(0x74, 0x7d, 0x87));
    p.fillRect(rect(), back);

    // A faint rev gauge and the name, drawn only where there is room.
    const double r = std::min(width(), height()) * 0.16;
    if (r < 30)
        return;
    const QPointF c(width() / 2.0, height() / 2.0 - r * 0.25);
    const QColor mark(255, 255, 255, 38);
    p.setPen(QPen(mark, r * 0.07, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), -45 * 16, 270 * 16);
    for (int i = 0; i <= 8; ++i) {
        const double a = qDegreesToRadians(225.0 - i * 270.0 / 8);
        p.drawLine(QPointF(c.x() + r * 0.72 * std::cos(a), c.y() - r * 0.72 * std::sin(a)),
                   QPointF(c.x() + r * 0.86 * std::cos(a), c.y() - r * 0.86 * std::sin(a)));
    }
    const double needle = qDegreesToRadians(225.0 - 0.7 * 270.0);
    p.drawLine(c, QPointF(c.x() + r * 0.62 * std::cos(needle), c.y() - r * 0.62 * std::sin(needle)));
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(int(r * 0.55));
    font.setBold(true);
    font.setItalic(true);
    p.setFont(font);
    p.setPen(mark);
    p.drawText(QRectF(c.x() - 2 * r, c.y() + r * 0.95, 4 * r, r * 0.8), Qt::AlignCenter, QStringLiteral("ZUV"));
}

} // namespace zuv
