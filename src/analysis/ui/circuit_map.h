#pragma once
// The analysis window's circuit map (`Picture1`): the outline of the
// session's circuit and the position marker (`Shape1`) on one of its
// entries. Geometry is in twips as the map was designed (27 twips a map
// unit, a box of 3855 x 1815), shown at the screen's resolution.

#include "analysis/circuit.h"

#include <QFrame>
#include <vector>

namespace zuv {

class Swatch;

class CircuitMap : public QFrame {
    Q_OBJECT
public:
    static constexpr int kWidthTwips = 3855;
    static constexpr int kHeightTwips = 1815;
    static constexpr int kMarkerTwips = 135;

    explicit CircuitMap(QWidget* parent = nullptr);

    // The entries of the outline (`NumPuntiCircuito` of them).
    void setOutline(std::vector<MapPoint> points);
    const std::vector<MapPoint>& outline() const { return points_; }
    int pointCount() const { return int(points_.size()); }

    // `DisegnaCircuito`: the marker on entry `point` (clamped to the
    // entries); nothing without entries.
    void placeMarker(qint64 point);
    // The entry the marker stands on, -1 before the first placement.
    qint64 markerPoint() const { return marker_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    Swatch* Shape1;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double pixels(double twips) const;

    std::vector<MapPoint> points_;
    qint64 marker_ = -1;
};

} // namespace zuv
