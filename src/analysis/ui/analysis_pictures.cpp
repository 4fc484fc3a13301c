#include "analysis/ui/analysis_pictures.h"

#include "platform/ui/picture_kit.h"

#include <QPainter>
#include <QPainterPath>

namespace zuv {
namespace {

// The main toolbar's grid and colours, so both toolbars read as one.
using namespace picture;

void frame(QPainter& p, const QRectF& r)
{
    p.setPen(inkPen());
    p.setBrush(kPaper);
    p.drawRect(r);
}

void trace(QPainter& p, const QColor& colour, std::initializer_list<QPointF> points, double width = 1.5)
{
    p.setPen(inkPen(width, colour));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF(points));
}

void triangle(QPainter& p, double x, bool right, const QColor& colour)
{
    QPainterPath path;
    if (right) {
        path.moveTo(x, 5);
        path.lineTo(x + 8, 12);
        path.lineTo(x, 19);
    } else {
        path.moveTo(x + 8, 5);
        path.lineTo(x, 12);
        path.lineTo(x + 8, 19);
    }
    path.closeSubpath();
    p.setPen(inkPen(1.0));
    p.setBrush(colour);
    p.drawPath(path);
}

void draw(QPainter& p, const QString& key)
{
    if (key == QLatin1String("ChiudiGrafico")) {
        frame(p, QRectF(2.5, 3.5, 15, 17));
        trace(p, kBlue, {{4, 16}, {8, 10}, {11, 13}, {15, 7}});
        p.setPen(inkPen(1.2));
        p.setBrush(kRed);
        p.drawEllipse(QPointF(17, 16), 5.5, 5.5);
        p.setPen(inkPen(2, kPaper));
        p.drawLine(QPointF(14.8, 13.8), QPointF(19.2, 18.2));
        p.drawLine(QPointF(19.2, 13.8), QPointF(14.8, 18.2));
    } else if (key == QLatin1String("Statistiche")) {
        frame(p, QRectF(2.5, 2.5, 19, 19));
        p.setPen(inkPen(1.0));
        const double h[] = {6, 11, 8, 14};
        const QColor c[] = {kBlue, kGreen, kAmber, kRed};
        for (int i = 0; i < 4; ++i) {
            p.setBrush(c[i]);
            p.drawRect(QRectF(4.5 + i * 4.2, 20 - h[i], 3, h[i]));
        }
    } else if (key == QLatin1String("StatisticheMisure")) {
        frame(p, QRectF(2.5, 2.5, 19, 19));
        p.setPen(inkPen(1.0, kGrey));
        for (int i = 0; i < 4; ++i)
            p.drawLine(QPointF(4.5, 6.5 + i * 4), QPointF(19.5, 6.5 + i * 4));
        p.setPen(inkPen(1.0, kInk));
        p.drawLine(QPointF(9.5, 4), QPointF(9.5, 20));
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        for (int i = 0; i < 4; ++i)
            p.drawRect(QRectF(10.5, 5.5 + i * 4, 3 + (i * 5) % 8, 2));
    } else if (key == QLatin1String("ReportGiri")) {
        p.setPen(inkPen());
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 2.5, 15, 19));
        p.setPen(inkPen(1.0, kGrey));
        for (int i = 0; i < 5; ++i)
            p.drawLine(QPointF(10, 6.5 + i * 3), QPointF(17.5, 6.5 + i * 3));
        // A chequered flag beside the lines.
        p.setPen(Qt::NoPen);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 2; ++c) {
                p.setBrush((r + c) % 2 ? kPaper : kInk);
                p.drawRect(QRectF(6 + c * 1.6, 5.5 + r * 1.6, 1.6, 1.6));
            }
        p.setPen(inkPen(1.0));
        p.drawLine(QPointF(6, 5.5), QPointF(6, 18.5));
    } else if (key == QLatin1String("Sovrapposti")) {
        frame(p, QRectF(2.5, 3.5, 19, 17));
        trace(p, kRed, {{4, 16}, {8, 9}, {12, 12}, {16, 6}, {20, 9}});
        trace(p, kBlue, {{4, 11}, {8, 14}, {12, 9}, {16, 13}, {20, 11}});
        trace(p, kGreen, {{4, 18}, {8, 17}, {12, 16}, {16, 17.5}, {20, 15}});
    } else if (key == QLatin1String("Separati")) {
        const QColor c[] = {kRed, kBlue, kGreen};
        for (int b = 0; b < 3; ++b) {
            const double top = 2.5 + b * 6.5;
            frame(p, QRectF(2.5, top, 19, 5.5));
            trace(p, c[b], {{4, top + 4}, {8, top + 1.5}, {12, top + 3}, {16, top + 1.2}, {20, top + 3.5}}, 1.2);
        }
    } else if (key == QLatin1String("SetZoom")) {
        frame(p, QRectF(2.5, 3.5, 19, 17));
        p.setPen(QPen(kBlue, 1.0, Qt::DashLine));
        p.setBrush(QColor(0x2f, 0x6f, 0xb8, 40));
        p.drawRect(QRectF(5, 6, 9, 7));
        magnifier(p, QPointF(13.5, 12.5), 3.6);
    } else if (key == QLatin1String("DimOriginali")) {
        frame(p, QRectF(6.5, 7.5, 11, 9));
        p.setPen(inkPen(1.6, kGreen));
        const QPointF corners[] = {{2.5, 3.5}, {21.5, 3.5}, {2.5, 20.5}, {21.5, 20.5}};
        for (const QPointF& c : corners) {
            const double dx = c.x() < 12 ? 1 : -1;
            const double dy = c.y() < 12 ? 1 : -1;
            p.drawLine(c, c + QPointF(dx * 3.5, dy * 3.5));
            p.drawLine(c, c + QPointF(dx * 3, 0));
            p.drawLine(c, c + QPointF(0, dy * 3));
        }
    } else if (key == QLatin1String("Stampa")) {
        p.setPen(inkPen());
        p.setBrush(kPaper);
        p.drawRect(QRectF(6.5, 2.5, 11, 8));
        trace(p, kRed, {{8, 9}, {10.5, 6}, {13, 8}, {16, 4.5}}, 1.0);
        p.setPen(inkPen());
        p.setBrush(kGrey);
        p.drawRoundedRect(QRectF(2.5, 9.5, 19, 8), 1.5, 1.5);
        p.setBrush(kPaper);
        p.drawRect(QRectF(6.5, 14.5, 11, 7));
        p.setPen(Qt::NoPen);
        p.setBrush(kGreen);
        p.drawEllipse(QPointF(18.5, 12), 1, 1);
    } else if (key == QLatin1String("Circuito")) {
        QPainterPath track;
        track.moveTo(5, 15);
        track.cubicTo(2, 6, 9, 3, 13, 7);
        track.cubicTo(16, 10, 22, 5, 21, 13);
        track.cubicTo(20, 21, 8, 22, 5, 15);
        p.setPen(inkPen(3.2, kGrey));
        p.setBrush(Qt::NoBrush);
        p.drawPath(track);
        p.setPen(inkPen(1.0, kInk));
        p.drawPath(track);
        p.setPen(inkPen(1.0));
        p.setBrush(kRed);
        p.drawEllipse(QPointF(13, 7), 2.3, 2.3);
    } else if (key == QLatin1String("DatiSessione")) {
        p.setPen(inkPen());
        p.setBrush(QColor(0xc8, 0x9b, 0x5e));
        p.drawRoundedRect(QRectF(3.5, 3.5, 17, 19), 1.5, 1.5);
        p.setBrush(kPaper);
        p.drawRect(QRectF(5.5, 6, 13, 14.5));
        p.setBrush(kGrey);
        p.drawRoundedRect(QRectF(8.5, 1.5, 7, 3.5), 1, 1);
        p.setPen(inkPen(1.0, kGrey));
        for (int i = 0; i < 4; ++i)
            p.drawLine(QPointF(7.5, 9 + i * 3), QPointF(16.5, 9 + i * 3));
    } else if (key == QLatin1String("ScorriDX")) {
        triangle(p, 3, true, kGreen);
        triangle(p, 11, true, kGreen);
    } else if (key == QLatin1String("ScorriSX")) {
        triangle(p, 5, false, kGreen);
        triangle(p, 13, false, kGreen);
    }
}

} // namespace

QIcon analysisIcon(const QString& key)
{
    static IconSet icons({"ChiudiGrafico", "Statistiche", "StatisticheMisure", "ReportGiri", "Sovrapposti", "Separati",
                          "SetZoom", "DimOriginali", "Stampa", "Circuito", "DatiSessione", "ScorriSX", "ScorriDX"},
                         draw);
    return icons.icon(key);
}

} // namespace zuv
