#include "analysis/trace_plan.h"

#include "platform/numbers.h"
#include "shell/file_layout.h"

#include <algorithm>
#include <cmath>

namespace zuv {
namespace {

// Ten rows a second; a range the chart could not give stays far inside 64 bits.
qint64 rowsFor(double seconds)
{
    const double rows = roundHalfEven(seconds * 10);
    return std::isfinite(rows) ? qint64(std::clamp(rows, -1e15, 1e15)) : 0;
}

// What every redraw does first: the stride for the visible width and the
// rows of the lap it covers.
void startPlan(TracePlan& plan, TraceState& t, ViewState& view, qint64 first, qint64 end,
               const RowValue& timeAt)
{
    view.CalcolaPassoSpostamento();
    plan.xFrom = view.MinX;
    plan.xTo = view.MaxX;
    plan.rows = traceRows(first, end, view, timeAt);
    t.RigaInizioTraccia = plan.rows.first;
    t.RigaFineTraccia = plan.rows.last;
}

} // namespace

TraceRows traceRows(qint64 first, qint64 end, const ViewState& view, const RowValue& timeAt)
{
    const auto time = [&](qint64 row) { return timeAt ? timeAt(row) : std::nullopt; };
    // Rows are counted from the lap's first row and its own time, so a lap
    // whose clock does not start at 0 is cut where its time says.
    const std::optional<double> start = time(first);
    const double t0 = start.value_or(0);
    TraceRows rows{first, end};
    if (start && view.MinX > t0)
        rows.first = first + rowsFor(view.MinX - t0);
    const std::optional<double> stop = time(end);
    if (stop && *stop > view.MaxX)
        rows.last = std::min(first + rowsFor(view.MaxX - t0), end);
    return rows;
}

YRange separateRange(double min, double max)
{
    if (min > max)
        std::swap(min, max);
    YRange r{finiteOrLargest(min - std::abs(min) * 0.1), finiteOrLargest(max + std::abs(max) * 0.1)};
    if (!(r.to > r.from)) {
        r.from -= 0.5;
        r.to += 0.5;
    }
    return r;
}

int traceStride(int filter, int stride)
{
    const qint64 s = qint64(std::max(1, filter)) * std::max(1, stride);
    return int(std::min<qint64>(s, 1 << 30));
}

RowLook measureRowLook(bool drawn)
{
    if (!drawn)
        return {};
    return {true, kColourYellow, true, kColourYellow, true};
}

bool separateRefused(const TraceState& t) { return t.blnSeparati && t.NumGraficiAttivi > kMaxSeparate; }

TracePlan planMeasureTraces(TraceState& t, const MeasureState& m, ViewState& view, qint64 first,
                            qint64 end, const RowValue& timeAt, bool stopPastLap)
{
    TracePlan plan;
    if (separateRefused(t)) {
        plan.refused = true;
        return plan;
    }
    t.UltimaMisuraDisegnata = 0;
    t.BandaSeparata = 0;
    startPlan(plan, t, view, first, end, timeAt);

    const int last = std::min(m.FieldsNum, kMaxMeasure);
    for (int i = kFirstMeasure; i <= last; ++i) {
        if (!t.checked[i])
            continue;
        if (stopPastLap && plan.rows.empty()) {
            plan.lastLook = i - 1;
            break;
        }
        plan.drawn[i] = true;
        t.UltimaMisuraDisegnata = i;
        TracePlot p;
        p.column = i;
        p.colour = m.colours[i];
        p.width = m.lineWidth(i);
        p.name = m.captions[i];
        p.stride = traceStride(m.filter(i), view.PassoDisegno);
        if (t.blnSeparati) {
            p.band = ++t.BandaSeparata;
            const YRange y = separateRange(m.ValoriMin[i], m.ValoriMax[i]);
            p.yFrom = y.from;
            p.yTo = y.to;
            p.scale = 1.0;
            p.axisColour = m.colours[i];
            p.axisCaption = m.captions[i] + QLatin1Char(' ') + m.units[i];
        } else {
            p.yFrom = view.MinY;
            p.yTo = view.MaxY;
            p.scale = m.FattoriScala[i];
        }
        if (!plan.rows.empty())
            plan.plots.push_back(p);
    }
    return plan;
}

TracePlan planAlarmTraces(TraceState& t, ViewState& view, qint64 first, qint64 end,
                          const RowValue& alarmsTimeAt, bool stopPastLap)
{
    TracePlan plan;
    startPlan(plan, t, view, first, end, alarmsTimeAt);
    for (int i = kFirstAlarmColumn; i <= kLastAlarmColumn && !(stopPastLap && plan.rows.empty()); ++i) {
        t.UltimaMisuraDisegnata = i;
        if (plan.rows.empty())
            continue;
        TracePlot p;
        p.column = i;
        p.yTo = kAlarmsYMax;
        p.colour = kAlarmColours[std::size_t(i - kFirstAlarmColumn)];
        p.stride = traceStride(1, view.PassoDisegno);
        plan.plots.push_back(p);
    }
    return plan;
}

CheckClick measureCheckClick(TraceState& t, int index, bool nowChecked)
{
    CheckClick c;
    if (index < kFirstMeasure || index > kMaxMeasure)
        return c;
    t.checked[index] = nowChecked;
    t.NumGraficiAttivi = int(std::count(t.checked.begin() + kFirstMeasure, t.checked.end(), true));
    if (!t.blnSeparati)
        c.separateKeyEnabled = t.NumGraficiAttivi <= kMaxSeparate;
    if (nowChecked) {
        c.selectScale = index;
    } else {
        for (int i = kFirstMeasure; i <= kMaxMeasure && c.selectScale == 0; ++i)
            if (t.checked[i])
                c.selectScale = i;
    }
    if (c.selectScale != 0)
        t.chosenScale = c.selectScale;
    return c;
}

SeparateKey separateKeyWhenOverlaid(int activeCount)
{
    if (activeCount <= kMaxSeparate)
        return {true, false};
    return {false, true};
}

} // namespace zuv
