#pragma once
// What the sensor editor's chart shows: one curve of the table's active rows,
// in row order, on a range that always holds 0 on both axes. Kept apart from
// the widget so that the numbers can be checked without a window.

#include <QPointF>
#include <QRectF>
#include <QStringList>
#include <vector>

namespace zuv {

struct CurveRange {
    double xMin = 0;
    double xMax = 0;
    double yMin = 0;
    double yMax = 0;
    bool operator==(const CurveRange&) const = default;
};

struct CurvePoint {
    double x = 0;
    double y = 0;
    bool operator==(const CurvePoint&) const = default;
};

// The points of rows 0 .. activePoints - 1: the leading number of each text
// (read with a point, 0 when there is none), in row order, never sorted. A
// row whose X or Y box is still blank gives no point.
std::vector<CurvePoint> curvePoints(const QStringList& xTexts, const QStringList& yTexts,
                                   int activePoints);

// 0 to 0 on both axes, widened by every point.
CurveRange CalcolaLimitiCurva(const std::vector<CurvePoint>& points);

class CurveChartModel {
public:
    // Drops the points; the range stays.
    void clear() { points_.clear(); }
    void setRange(const CurveRange& range) { range_ = range; }
    void addPoint(double x, double y) { points_.push_back({x, y}); }

    const std::vector<CurvePoint>& points() const { return points_; }
    const CurveRange& range() const { return range_; }

    // The range as drawn: an axis of zero width (no point, or all at 0)
    // becomes one unit wide, and an axis too wide for a double to measure
    // is narrowed, so mapping never divides by zero or meets infinity.
    CurveRange displayRange() const;

    // Where a value lands inside `area` (pixels, y growing downwards).
    QPointF toPixel(const CurvePoint& p, const QRectF& area) const;

    // Round steps (1, 2 or 5 times a power of ten) inside [lo, hi], at most
    // `maxTicks` + 1 of them; empty for an empty or unmeasurable interval.
    static std::vector<double> ticks(double lo, double hi, int maxTicks);

private:
    CurveRange range_{0, 1, 0, 1};
    std::vector<CurvePoint> points_;
};

// The redraw of the editor: clear, range from the active rows, their points.
void redrawCurve(CurveChartModel& model, const QStringList& xTexts,
                    const QStringList& yTexts, int activePoints);

} // namespace zuv
