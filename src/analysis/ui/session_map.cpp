#include "analysis/ui/session_map.h"

#include "platform/twips.h"
#include "platform/ui/colors.h"

#include <QPainter>

namespace zuv {

SessionMap::SessionMap(int widthTwips, int heightTwips, QWidget* parent) : QWidget(parent)
{
    const QPoint size = toPixels(QPoint(widthTwips, heightTwips));
    setFixedSize(size.x(), size.y());
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

void SessionMap::setDrawing(const MapDrawing& drawing)
{
    drawing_ = drawing;
    update();
}

QPoint SessionMap::toPixels(const QPoint& twips)
{
    return QPoint(int(twipsToPixels(twips.x(), kDesignDpi)), int(twipsToPixels(twips.y(), kDesignDpi)));
}

void SessionMap::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const MapSegment& s : drawing_.lines) {
        painter.setPen(QPen(colorFromValue(quint32(s.colour)), kDialogMapPen, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(toPixels(s.line.p1()), toPixels(s.line.p2()));
    }
    QFont font = painter.font();
    font.setBold(true);
    font.setPointSize(kSectorLabelPoints);
    painter.setFont(font);
    painter.setPen(colorFromValue(kColourBlack));
    for (const MapLabel& l : drawing_.labels) {
        const QPoint at = toPixels(l.position);
        painter.drawText(QRect(at, QSize(width(), height())), Qt::AlignLeft | Qt::AlignTop, l.text);
    }
}

} // namespace zuv
