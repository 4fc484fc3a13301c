#include "shell/ui/pictures.h"

#include "platform/ui/picture_kit.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <functional>
#include <map>

namespace zuv {

namespace {

using namespace picture;

void page(QPainter& p, const QRectF& r, const QColor& fill = kPaper)
{
    const double fold = r.width() * 0.32;
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(inkPen());
    p.setBrush(fill);
    p.drawPath(path);
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    p.setBrush(QColor(0xdd, 0xe2, 0xe8));
    p.drawPath(corner);
}

void textLines(QPainter& p, double left, double right, double top, int count, double step = 2.6)
{
    p.setPen(inkPen(1.0, kGrey));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(left, top + i * step), QPointF(right, top + i * step));
}

void floppy(QPainter& p, const QRectF& r)
{
    QPainterPath body;
    const double cut = r.width() * 0.18;
    body.moveTo(r.left(), r.top());
    body.lineTo(r.right() - cut, r.top());
    body.lineTo(r.right(), r.top() + cut);
    body.lineTo(r.right(), r.bottom());
    body.lineTo(r.left(), r.bottom());
    body.closeSubpath();
    p.setPen(inkPen());
    p.setBrush(kBlue);
    p.drawPath(body);
    // Shutter and label.
    const double w = r.width();
    const double h = r.height();
    p.setBrush(QColor(0xd6, 0xdc, 0xe3));
    p.drawRect(QRectF(r.left() + w * 0.25, r.top(), w * 0.45, h * 0.32));
    p.setBrush(kDark);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(r.left() + w * 0.52, r.top() + h * 0.05, w * 0.12, h * 0.22));
    p.setPen(inkPen());
    p.setBrush(kPaper);
    p.drawRect(QRectF(r.left() + w * 0.16, r.top() + h * 0.5, w * 0.68, h * 0.42));
    textLines(p, r.left() + w * 0.26, r.left() + w * 0.74, r.top() + h * 0.64, 2, h * 0.14);
}

void pencil(QPainter& p, const QPointF& tip, double length, double angleDeg)
{
    p.save();
    p.translate(tip);
    p.rotate(angleDeg);
    const double w = 3.0;
    QPainterPath shaft;
    shaft.moveTo(0, 0);
    shaft.lineTo(3.2, -w / 2);
    shaft.lineTo(length, -w / 2);
    shaft.lineTo(length, w / 2);
    shaft.lineTo(3.2, w / 2);
    shaft.closeSubpath();
    p.setPen(inkPen(1.0));
    p.setBrush(kAmber);
    p.drawPath(shaft);
    QPainterPath wood;
    wood.moveTo(0, 0);
    wood.lineTo(3.2, -w / 2);
    wood.lineTo(3.2, w / 2);
    wood.closeSubpath();
    p.setBrush(QColor(0xf3, 0xdc, 0xb5));
    p.drawPath(wood);
    p.setBrush(QColor(0xe0, 0x8c, 0x9a));
    p.drawRect(QRectF(length - 2.2, -w / 2, 2.2, w));
    p.restore();
}

// An arrow from `from` to `to` with a broad head.
void arrow(QPainter& p, const QPointF& from, const QPointF& to, const QColor& colour, double width = 3.2)
{
    const QLineF line(from, to);
    const double head = width * 1.9;
    p.save();
    p.translate(to);
    p.rotate(-line.angle());
    const double len = line.length();
    QPainterPath path;
    path.moveTo(0, 0);
    path.lineTo(-head, -head * 0.85);
    path.lineTo(-head, -width / 2);
    path.lineTo(-len, -width / 2);
    path.lineTo(-len, width / 2);
    path.lineTo(-head, width / 2);
    path.lineTo(-head, head * 0.85);
    path.closeSubpath();
    p.setPen(inkPen(1.0, colour.darker(150)));
    p.setBrush(colour);
    p.drawPath(path);
    p.restore();
}

// The instrument: a dark dashboard with a display and a rev gauge.
void device(QPainter& p, const QRectF& r)
{
    p.setPen(inkPen());
    p.setBrush(kDark);
    p.drawRoundedRect(r, 2.2, 2.2);
    const QRectF screen(r.left() + r.width() * 0.12, r.top() + r.height() * 0.2, r.width() * 0.46,
                        r.height() * 0.6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x7d, 0xd3, 0x8f));
    p.drawRoundedRect(screen, 0.8, 0.8);
    p.setPen(inkPen(0.9, kDark));
    p.drawLine(QPointF(screen.left() + 1.2, screen.center().y()),
               QPointF(screen.right() - 1.2, screen.center().y()));
    const QPointF c(r.left() + r.width() * 0.78, r.center().y());
    const double rad = r.height() * 0.26;
    p.setPen(inkPen(1.0, kPaper));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, rad, rad);
    p.setPen(inkPen(1.0, kAmber));
    p.drawLine(c, c + QPointF(rad * 0.7, -rad * 0.7));
}

void chartFrame(QPainter& p, const QRectF& r)
{
    p.setPen(inkPen());
    p.setBrush(kPaper);
    p.drawRect(r);
    p.setPen(inkPen(0.6, QColor(0xc4, 0xcc, 0xd4)));
    for (int i = 1; i < 4; ++i) {
        const double y = r.top() + r.height() * i / 4.0;
        p.drawLine(QPointF(r.left() + 0.6, y), QPointF(r.right() - 0.6, y));
    }
}

void gear(QPainter& p, const QPointF& c, double outer, int teeth, const QColor& colour)
{
    QPainterPath path;
    const double inner = outer * 0.76;
    const int n = teeth * 4;
    for (int i = 0; i < n; ++i) {
        const double a = 2 * M_PI * i / n;
        const double r = (i % 4 < 2) ? outer : inner;
        const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(c, outer * 0.32, outer * 0.32);
    p.setPen(inkPen(1.0));
    p.setBrush(colour);
    p.drawPath(path.subtracted(hole));
}

void drawNew(QPainter& p)
{
    page(p, QRectF(4.5, 2.5, 14, 19));
    p.setPen(inkPen(1.0, kAmber.darker(130)));
    p.setBrush(kYellow);
    QPainterPath star;
    const QPointF c(17.5, 17.5);
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + M_PI * i / 5;
        const double r = (i % 2 == 0) ? 5.2 : 2.3;
        const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        if (i == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    p.drawPath(star);
}

void drawOpen(QPainter& p)
{
    p.setPen(inkPen());
    p.setBrush(QColor(0xc9, 0x8f, 0x2e));
    QPainterPath back;
    back.moveTo(2, 5);
    back.lineTo(8.5, 5);
    back.lineTo(10.5, 7.5);
    back.lineTo(20, 7.5);
    back.lineTo(20, 19.5);
    back.lineTo(2, 19.5);
    back.closeSubpath();
    p.drawPath(back);
    page(p, QRectF(5.5, 9, 12, 9));
    QPainterPath front;
    front.moveTo(2, 19.5);
    front.lineTo(5.2, 11);
    front.lineTo(22.8, 11);
    front.lineTo(20, 19.5);
    front.closeSubpath();
    p.setBrush(kYellow);
    p.drawPath(front);
}

void drawSave(QPainter& p)
{
    floppy(p, QRectF(3, 3, 18, 18));
}

void drawSaveAs(QPainter& p)
{
    floppy(p, QRectF(2, 2, 16, 16));
    pencil(p, QPointF(12.5, 21.5), 12.5, -45);
}

void drawPrint(QPainter& p)
{
    p.setPen(inkPen());
    page(p, QRectF(6.5, 2.5, 11, 8));
    p.setPen(inkPen());
    p.setBrush(QColor(0xb8, 0xc1, 0xca));
    p.drawRoundedRect(QRectF(2.5, 9, 19, 9), 1.8, 1.8);
    p.setBrush(kPaper);
    p.drawRect(QRectF(6.5, 14.5, 11, 7));
    textLines(p, 8.5, 15.5, 17, 2, 2.4);
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(18.5, 11.8), 1.1, 1.1);
}

void drawNote(QPainter& p)
{
    p.setPen(inkPen());
    p.setBrush(QColor(0xfb, 0xf1, 0xb0));
    p.drawRect(QRectF(4, 3.5, 14, 18));
    p.setPen(inkPen(1.0, kRed));
    p.drawLine(QPointF(7, 3.8), QPointF(7, 21.2));
    textLines(p, 8.5, 16, 8, 5, 2.7);
    p.setPen(inkPen(1.0));
    p.setBrush(kGrey);
    for (int i = 0; i < 4; ++i)
        p.drawEllipse(QPointF(6 + i * 3.3, 3.5), 0.9, 1.4);
    pencil(p, QPointF(14, 20.5), 10, -60);
}

void drawExit(QPainter& p)
{
    p.setPen(inkPen());
    p.setBrush(QColor(0x9c, 0x6b, 0x3f));
    p.drawRect(QRectF(3.5, 2.5, 11, 19));
    p.setBrush(QColor(0xc4, 0x8d, 0x58));
    QPainterPath leaf;
    leaf.moveTo(3.5, 2.5);
    leaf.lineTo(10.5, 4.5);
    leaf.lineTo(10.5, 23);
    leaf.lineTo(3.5, 21.5);
    leaf.closeSubpath();
    p.drawPath(leaf);
    p.setPen(Qt::NoPen);
    p.setBrush(kYellow);
    p.drawEllipse(QPointF(9, 13), 0.9, 0.9);
    arrow(p, QPointF(11.5, 12), QPointF(22.5, 12), kRed, 3.4);
}

void drawSetup(QPainter& p)
{
    gear(p, QPointF(12, 12), 9.5, 9, QColor(0x7f, 0x8c, 0x99));
    p.setPen(inkPen(1.0));
    p.setBrush(kLightBlue);
    p.drawEllipse(QPointF(12, 12), 2.4, 2.4);
}

void drawSensor(QPainter& p)
{
    // A screw-in sender: lead, hexagon nut, thread and tip.
    p.setPen(inkPen(1.6, kDark));
    p.setBrush(Qt::NoBrush);
    QPainterPath lead;
    lead.moveTo(12, 6);
    lead.cubicTo(12, 1.5, 18, 4.5, 21.5, 1.5);
    p.drawPath(lead);
    p.setPen(inkPen());
    p.setBrush(kDark);
    p.drawRect(QRectF(10, 4.5, 4, 2.5));
    QLinearGradient steel(5, 0, 19, 0);
    steel.setColorAt(0, QColor(0x9a, 0xa5, 0xb0));
    steel.setColorAt(0.5, QColor(0xe4, 0xe9, 0xee));
    steel.setColorAt(1, QColor(0x7f, 0x8a, 0x95));
    p.setBrush(steel);
    p.drawRoundedRect(QRectF(5, 7, 14, 6.5), 1, 1);
    p.setPen(inkPen(0.8));
    p.drawLine(QPointF(9.7, 7.3), QPointF(9.7, 13.2));
    p.drawLine(QPointF(14.3, 7.3), QPointF(14.3, 13.2));
    p.setPen(inkPen());
    p.setBrush(QColor(0xd9, 0xb0, 0x4a));
    p.drawRect(QRectF(8.5, 13.5, 7, 6));
    p.setPen(inkPen(0.8, QColor(0x8a, 0x68, 0x1c)));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(8.7, 15.2 + i * 1.6), QPointF(15.3, 14.4 + i * 1.6));
    p.setPen(inkPen());
    p.setBrush(kRed);
    p.drawRoundedRect(QRectF(10.2, 19.5, 3.6, 2.8), 0.8, 0.8);
}

void drawAlarm(QPainter& p)
{
    p.setPen(inkPen());
    p.setBrush(kAmber);
    QPainterPath bell;
    bell.moveTo(4, 18);
    bell.cubicTo(6.5, 16, 6, 12, 6.5, 9.5);
    bell.cubicTo(7, 5, 17, 5, 17.5, 9.5);
    bell.cubicTo(18, 12, 17.5, 16, 20, 18);
    bell.closeSubpath();
    p.drawPath(bell);
    p.drawEllipse(QPointF(12, 4.5), 1.4, 1.4);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(12, 19.8), 2, 1.6);
    p.setPen(inkPen(1.2, kRed));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(0.8, 5, 5, 9), 100 * 16, 160 * 16);
    p.drawArc(QRectF(18.2, 5, 5, 9), -80 * 16, 160 * 16);
}

void drawCustSensors(QPainter& p)
{
    chartFrame(p, QRectF(2.5, 3.5, 19, 17));
    p.setPen(inkPen(1.6, kBlue));
    p.setBrush(Qt::NoBrush);
    QPainterPath curve;
    curve.moveTo(4, 18.5);
    curve.cubicTo(9, 17, 11, 9, 20, 6);
    p.drawPath(curve);
    p.setPen(inkPen(1.0, kBlue.darker(140)));
    p.setBrush(kPaper);
    for (const QPointF& pt : {QPointF(4, 18.5), QPointF(9.6, 14.8), QPointF(14.4, 9.6), QPointF(20, 6)})
        p.drawEllipse(pt, 1.3, 1.3);
}

void drawProgDev(QPainter& p)
{
    device(p, QRectF(1.5, 11, 21, 11));
    arrow(p, QPointF(12, 1.2), QPointF(12, 10.5), kGreen, 3.4);
}

void drawReadDev(QPainter& p)
{
    device(p, QRectF(1.5, 11, 21, 11));
    arrow(p, QPointF(12, 10.5), QPointF(12, 1.2), kBlue, 3.4);
}

void drawViewDev(QPainter& p)
{
    device(p, QRectF(1.5, 3, 21, 11));
    magnifier(p, QPointF(14, 15.5), 4.2);
    p.setPen(inkPen(1.0, kGreen));
    p.drawPolyline(QPolygonF({QPointF(11.2, 15.8), QPointF(12.8, 15.8), QPointF(13.8, 13.4),
                              QPointF(14.8, 17.6), QPointF(15.8, 15.8), QPointF(17, 15.8)}));
}

void drawDownData(QPainter& p)
{
    p.setPen(inkPen());
    p.setBrush(QColor(0xb8, 0xc1, 0xca));
    QPainterPath tray;
    tray.moveTo(2.5, 14);
    tray.lineTo(6.5, 14);
    tray.lineTo(8, 17);
    tray.lineTo(16, 17);
    tray.lineTo(17.5, 14);
    tray.lineTo(21.5, 14);
    tray.lineTo(21.5, 21.5);
    tray.lineTo(2.5, 21.5);
    tray.closeSubpath();
    p.drawPath(tray);
    arrow(p, QPointF(12, 1.5), QPointF(12, 15), kGreen, 4);
}

void drawSaveData(QPainter& p)
{
    p.setPen(inkPen());
    p.setBrush(kPaper);
    p.drawRect(QRectF(2.5, 2.5, 15, 18));
    p.setPen(inkPen(0.7, kGrey));
    for (int i = 1; i < 6; ++i)
        p.drawLine(QPointF(2.5, 2.5 + i * 3), QPointF(17.5, 2.5 + i * 3));
    p.drawLine(QPointF(7.5, 2.5), QPointF(7.5, 20.5));
    p.drawLine(QPointF(12.5, 2.5), QPointF(12.5, 20.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2e, 0x9b, 0x4a, 90));
    p.drawRect(QRectF(2.9, 2.9, 14.2, 2.6));
    floppy(p, QRectF(11.5, 11.5, 11, 11));
}

void drawAnalize(QPainter& p)
{
    chartFrame(p, QRectF(2, 2.5, 19, 16));
    p.setPen(inkPen(1.5, kRed));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(3.5, 15), QPointF(7, 9), QPointF(10, 12), QPointF(13.5, 5.5),
                              QPointF(16.5, 9), QPointF(19.5, 6)}));
    p.setPen(inkPen(1.5, kBlue));
    p.drawPolyline(QPolygonF({QPointF(3.5, 12), QPointF(7, 13.5), QPointF(10, 10), QPointF(13.5, 12.5),
                              QPointF(16.5, 11), QPointF(19.5, 13)}));
    magnifier(p, QPointF(15, 15.5), 3.8);
}

void drawLanguage(QPainter& p)
{
    const QPointF c(12, 12);
    QRadialGradient sea(c - QPointF(3, 3), 12);
    sea.setColorAt(0, kLightBlue.lighter(115));
    sea.setColorAt(1, kBlue);
    p.setPen(inkPen());
    p.setBrush(sea);
    p.drawEllipse(c, 9.5, 9.5);
    p.setPen(inkPen(0.8, kPaper));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 4.2, 9.5);
    p.drawLine(QPointF(12, 2.5), QPointF(12, 21.5));
    p.drawLine(QPointF(2.5, 12), QPointF(21.5, 12));
    p.drawLine(QPointF(4, 7.5), QPointF(20, 7.5));
    p.drawLine(QPointF(4, 16.5), QPointF(20, 16.5));
}

// Each command's picture, by its toolbar key.
struct CommandPicture {
    const char* key;
    void (*draw)(QPainter&);
};
constexpr CommandPicture kCommandPictures[] = {
    {"New", drawNew},
    {"Open", drawOpen},
    {"Save", drawSave},
    {"SaveAs", drawSaveAs},
    {"Print", drawPrint},
    {"Note", drawNote},
    {"Exit", drawExit},
    {"Setup", drawSetup},
    {"Sensor", drawSensor},
    {"Alarm", drawAlarm},
    {"CustSensors", drawCustSensors},
    {"ProgDev", drawProgDev},
    {"ReadDev", drawReadDev},
    {"ViewDev", drawViewDev},
    {"DownData", drawDownData},
    {"SaveData", drawSaveData},
    {"Analize", drawAnalize},
    {"Language", drawLanguage},
};

void drawCommand(QPainter& p, const QString& key)
{
    for (const CommandPicture& c : kCommandPictures)
        if (key == QLatin1String(c.key))
            c.draw(p);
}

} // namespace

QIcon commandIcon(const QString& key)
{
    static IconSet icons(
        [] {
            QStringList keys;
            for (const CommandPicture& c : kCommandPictures)
                keys << QLatin1String(c.key);
            return keys;
        }(),
        drawCommand);
    return icons.icon(key);
}

QPixmap panelPixmap(PanelPicture picture, int size)
{
    if (picture == PanelPicture::None)
        return QPixmap();
    return drawn(size, [picture](QPainter& p) {
        const QPointF c(12, 12);
        switch (picture) {
        case PanelPicture::LampOff:
        case PanelPicture::LampOn: {
            const bool lit = picture == PanelPicture::LampOn;
            const QColor base = lit ? QColor(0x3c, 0xe0, 0x5a) : QColor(0x3f, 0x55, 0x46);
            if (lit) {
                QRadialGradient glow(c, 11.5);
                glow.setColorAt(0.55, QColor(0x3c, 0xe0, 0x5a, 120));
                glow.setColorAt(1, QColor(0x3c, 0xe0, 0x5a, 0));
                p.setPen(Qt::NoPen);
                p.setBrush(glow);
                p.drawEllipse(c, 11.5, 11.5);
            }
            QRadialGradient g(c - QPointF(2.5, 2.5), 9);
            g.setColorAt(0, base.lighter(lit ? 160 : 130));
            g.setColorAt(1, base.darker(lit ? 110 : 120));
            p.setPen(inkPen(1.4, kDark));
            p.setBrush(g);
            p.drawEllipse(c, 7, 7);
            break;
        }
        case PanelPicture::LinkOn:
        case PanelPicture::LinkOff: {
            const bool on = picture == PanelPicture::LinkOn;
            // Two plug halves, joined when the link is up.
            const double gap = on ? 0 : 3.5;
            p.setPen(inkPen(1.2, kDark));
            p.setBrush(on ? kGreen : kGrey);
            p.drawRoundedRect(QRectF(2.5 - gap / 2, 8, 9, 8), 1.5, 1.5);
            p.drawRoundedRect(QRectF(12.5 + gap / 2, 8, 9, 8), 1.5, 1.5);
            p.setPen(inkPen(2, kDark));
            p.drawLine(QPointF(11.5 - gap / 2, 10.5), QPointF(12.5 + gap / 2, 10.5));
            p.drawLine(QPointF(11.5 - gap / 2, 13.5), QPointF(12.5 + gap / 2, 13.5));
            if (!on) {
                p.setPen(inkPen(2.6, kRed));
                p.drawLine(QPointF(5, 4), QPointF(19, 20));
            }
            break;
        }
        case PanelPicture::None:
            break;
        }
    });
}

QPixmap splashPixmap(const QSize& size)
{
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double w = size.width();
    const double h = size.height();

    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(0x1d, 0x27, 0x33));
    sky.setColorAt(1, QColor(0x0c, 0x10, 0x16));
    p.fillRect(pixmap.rect(), sky);

    // A chequered strip along the foot, as at a finish line.
    const double cell = h / 26.0;
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col * cell < w; ++col) {
            p.fillRect(QRectF(col * cell, h - (2 - row) * cell, cell, cell),
                       (row + col) % 2 ? QColor(0xe8, 0xea, 0xec) : QColor(0x16, 0x1b, 0x22));
        }
    }

    // The rev gauge.
    const QPointF c(w * 0.74, h * 0.47);
    const double r = h * 0.33;
    p.setPen(QPen(QColor(0x4a, 0x56, 0x63), r * 0.05));
    p.setBrush(QColor(0x12, 0x18, 0x20));
    p.drawEllipse(c, r, r);
    for (int i = 0; i <= 40; ++i) {
        const double a = qDegreesToRadians(225.0 - i * 270.0 / 40);
        const bool major = i % 5 == 0;
        const double inner = r * (major ? 0.72 : 0.8);
        QColor tick = i >= 32 ? QColor(0xe0, 0x44, 0x3a) : QColor(0xdd, 0xe3, 0xe8);
        p.setPen(QPen(tick, major ? r * 0.035 : r * 0.015, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(c.x() + inner * std::cos(a), c.y() - inner * std::sin(a)),
                   QPointF(c.x() + r * 0.88 * std::cos(a), c.y() - r * 0.88 * std::sin(a)));
    }
    const double needle = qDegreesToRadians(225.0 - 0.72 * 270.0);
    p.setPen(QPen(QColor(0xf3, 0x9c, 0x12), r * 0.045, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, QPointF(c.x() + r * 0.78 * std::cos(needle), c.y() - r * 0.78 * std::sin(needle)));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x4a, 0x56, 0x63));
    p.drawEllipse(c, r * 0.09, r * 0.09);

    // Shift lights above the gauge.
    for (int i = 0; i < 5; ++i) {
        const QColor led = i < 3 ? QColor(0x3c, 0xe0, 0x5a) : (i == 3 ? QColor(0xf3, 0xc6, 0x12) : QColor(0xe0, 0x44, 0x3a));
        p.setBrush(led);
        p.drawEllipse(QPointF(c.x() - r * 0.6 + i * r * 0.3, c.y() - r * 1.18), r * 0.07, r * 0.07);
    }

    // The name.
    QFont title(QStringLiteral("Sans Serif"));
    title.setPixelSize(int(h * 0.26));
    title.setBold(true);
    title.setItalic(true);
    title.setLetterSpacing(QFont::PercentageSpacing, 108);
    p.setFont(title);
    p.setPen(QColor(0xf3, 0x9c, 0x12));
    p.drawText(QRectF(w * 0.06, h * 0.14, w * 0.5, h * 0.32), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("ZUV"));
    QFont sub(QStringLiteral("Sans Serif"));
    sub.setPixelSize(int(h * 0.062));
    p.setFont(sub);
    p.setPen(QColor(0xc9, 0xd1, 0xd9));
    p.drawText(QRectF(w * 0.065, h * 0.46, w * 0.5, h * 0.2), Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("Dashboard data logger\nConfiguration and analysis"));
    return pixmap;
}

QPixmap flagPixmap(int language, const QSize& size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, size.width() - 1.0, size.height() - 1.0);
    if (language == 0) {
        const double third = r.width() / 3;
        p.fillRect(QRectF(r.left(), r.top(), third, r.height()), QColor(0x00, 0x92, 0x46));
        p.fillRect(QRectF(r.left() + third, r.top(), third, r.height()), QColor(0xf4, 0xf5, 0xf0));
        p.fillRect(QRectF(r.left() + 2 * third, r.top(), third, r.height()), QColor(0xce, 0x2b, 0x37));
    } else {
        const QColor navy(0x01, 0x21, 0x69);
        const QColor red(0xc8, 0x10, 0x2e);
        p.fillRect(r, navy);
        p.save();
        p.setClipRect(r);
        const double unit = r.height() / 6;
        p.setPen(QPen(Qt::white, unit * 1.2));
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.bottomLeft(), r.topRight());
        p.setPen(QPen(red, unit * 0.4));
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.bottomLeft(), r.topRight());
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(r.center().x() - unit, r.top(), 2 * unit, r.height()));
        p.drawRect(QRectF(r.left(), r.center().y() - unit, r.width(), 2 * unit));
        p.setBrush(red);
        p.drawRect(QRectF(r.center().x() - unit * 0.6, r.top(), 1.2 * unit, r.height()));
        p.drawRect(QRectF(r.left(), r.center().y() - unit * 0.6, r.width(), 1.2 * unit));
        p.restore();
    }
    p.setPen(QPen(QColor(0x55, 0x5d, 0x66), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
    return pixmap;
}

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        icon.addPixmap(drawn(size, [](QPainter& p) {
            p.setPen(inkPen(1.2, kDark));
            p.setBrush(QColor(0x1d, 0x27, 0x33));
            p.drawRoundedRect(QRectF(1.5, 1.5, 21, 21), 4, 4);
            const QPointF c(12, 13.5);
            p.setPen(inkPen(1.6, QColor(0xdd, 0xe3, 0xe8)));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(c.x() - 7.5, c.y() - 7.5, 15, 15), -45 * 16, 270 * 16);
            p.setPen(inkPen(2.0, QColor(0xf3, 0x9c, 0x12)));
            p.drawLine(c, c + QPointF(5, -4.5));
        }));
    }
    return icon;
}

} // namespace zuv
