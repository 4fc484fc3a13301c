#include "analysis/ui/swatch.h"

#include "platform/ui/colors.h"

#include <QPainter>

namespace zuv {

Swatch::Swatch(Shape shape, quint32 colour, QWidget* parent) : QFrame(parent), shape_(shape), colour_(colour)
{
    setAttribute(Qt::WA_TranslucentBackground, shape == Shape::Circle);
}

void Swatch::setColour(quint32 colour)
{
    if (colour == colour_)
        return;
    colour_ = colour;
    update();
}

void Swatch::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, shape_ == Shape::Circle);
    p.setPen(QPen(palette().color(QPalette::WindowText), 1));
    p.setBrush(colorFromValue(colour_));
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (shape_ == Shape::Circle)
        p.drawEllipse(r);
    else
        p.drawRect(r);
}

} // namespace zuv
