#include "config/curve_chart_model.h"

#include "platform/numbers.h"

#include <algorithm>
#include <cmath>

namespace zuv {
namespace {

// Beyond this a width no longer measures in a double.
constexpr double kLimit = 1e150;

void widen(double& lo, double& hi)
{
    lo = std::clamp(lo, -kLimit, kLimit);
    hi = std::clamp(hi, -kLimit, kLimit);
    if (!(hi > lo))
        hi = lo + 1;
}

} // namespace

std::vector<CurvePoint> curvePoints(const QStringList& xTexts, const QStringList& yTexts,
                                   int activePoints)
{
    std::vector<CurvePoint> out;
    const int n = std::max(0, activePoints);
    out.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const QString x = i < xTexts.size() ? xTexts.at(i) : QString();
        const QString y = i < yTexts.size() ? yTexts.at(i) : QString();
        // A row just ticked has nothing typed yet: it is no point at (0, 0).
        if (x.trimmed().isEmpty() || y.trimmed().isEmpty())
            continue;
        out.push_back({leadingNumber(x), leadingNumber(y)});
    }
    return out;
}

CurveRange CalcolaLimitiCurva(const std::vector<CurvePoint>& points)
{
    CurveRange r;
    for (const CurvePoint& p : points) {
        if (p.x > r.xMax)
            r.xMax = p.x;
        if (p.x < r.xMin)
            r.xMin = p.x;
        if (p.y > r.yMax)
            r.yMax = p.y;
        if (p.y < r.yMin)
            r.yMin = p.y;
    }
    return r;
}

CurveRange CurveChartModel::displayRange() const
{
    CurveRange r = range_;
    widen(r.xMin, r.xMax);
    widen(r.yMin, r.yMax);
    return r;
}

QPointF CurveChartModel::toPixel(const CurvePoint& p, const QRectF& area) const
{
    const CurveRange r = displayRange();
    const double x = std::clamp(p.x, -kLimit, kLimit);
    const double y = std::clamp(p.y, -kLimit, kLimit);
    const double fx = (x - r.xMin) / (r.xMax - r.xMin);
    const double fy = (y - r.yMin) / (r.yMax - r.yMin);
    return {area.left() + fx * area.width(), area.bottom() - fy * area.height()};
}

std::vector<double> CurveChartModel::ticks(double lo, double hi, int maxTicks)
{
    std::vector<double> out;
    const double width = hi - lo;
    if (maxTicks < 1 || !std::isfinite(width) || !(width > 0))
        return out;
    const double raw = width / maxTicks;
    const double base = std::pow(10.0, std::floor(std::log10(raw)));
    double step = base * 10;
    for (double m : {1.0, 2.0, 5.0}) {
        if (base * m >= raw) {
            step = base * m;
            break;
        }
    }
    if (!(step > 0) || !std::isfinite(step))
        return out;
    const double first = std::ceil(lo / step);
    const double last = std::floor(hi / step);
    // The step is at least width / maxTicks, so at most maxTicks + 1 values.
    for (double k = first; k <= last && out.size() <= static_cast<std::size_t>(maxTicks); ++k) {
        const double t = k * step;
        out.push_back(t == 0 ? 0.0 : t); // no "-0" on the axis
    }
    return out;
}

void redrawCurve(CurveChartModel& model, const QStringList& xTexts, const QStringList& yTexts,
                    int activePoints)
{
    const std::vector<CurvePoint> curve = curvePoints(xTexts, yTexts, activePoints);
    model.clear();
    model.setRange(CalcolaLimitiCurva(curve));
    for (const CurvePoint& p : curve)
        model.addPoint(p.x, p.y);
}

} // namespace zuv
