#pragma once
// What the program's drawn pictures share: a 24 x 24 grid scaled to any
// size, one palette and pen, and icons drawn once per key. The main
// toolbar's pictures and the analysis window's use it, so the two toolbars
// look like one program.

#include <QColor>
#include <QIcon>
#include <QPen>
#include <QPixmap>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>

class QPainter;

namespace zuv::picture {

// Every picture is drawn on this grid and scaled.
inline constexpr double kGrid = 24.0;

extern const QColor kInk;
extern const QColor kPaper;
extern const QColor kBlue;
extern const QColor kLightBlue;
extern const QColor kGreen;
extern const QColor kRed;
extern const QColor kAmber;
extern const QColor kYellow;
extern const QColor kGrey;
extern const QColor kDark;

// Round joins and caps.
QPen inkPen(double width = 1.2, const QColor& colour = kInk);

// A magnifying glass: a pale lens of `radius` around `centre`, its handle
// to the lower right.
void magnifier(QPainter& p, const QPointF& centre, double radius);

// A transparent square of `size` pixels on which `draw` paints in grid
// units, antialiased.
QPixmap drawn(int size, const std::function<void(QPainter&)>& draw);

// The icons of a set of keys, each drawn at the toolbar sizes when first
// asked for and then kept.
class IconSet {
public:
    using Draw = std::function<void(QPainter&, const QString& key)>;
    IconSet(QStringList keys, Draw draw);
    // An empty icon for a key outside the set.
    QIcon icon(const QString& key);

private:
    QStringList keys_;
    Draw draw_;
    std::map<QString, QIcon> cache_;
};

} // namespace zuv::picture
