#include "analysis/measure_scales.h"

#include "platform/numbers.h"
#include "project/state.h"

#include <algorithm>
#include <cmath>

namespace zuv {

const std::array<quint32, kMaxMeasure + 1> kMeasureColours = {
    0,        0,        0,        0x0000C0, 0x0000FF, 0x0040C0, 0x0080FF,
    0x00C0C0, 0x008080, 0x00C000, 0x008000, 0xC0C000, 0x808000, 0xFF8080,
    0xC00000, 0x800080, 0xC000C0, 0xFF00FF, 0xFF80FF, 0xFFC0FF, 0xFFC0C0,
};

const std::array<quint32, kAlarmCount> kAlarmColours = {
    0x0000C0, 0x000080, 0xC000C0, 0x800080, 0x808000, 0x008000, 0xFF0000, 0x800000,
};

namespace {

bool inRange(int i) { return i >= 0 && i <= kMaxMeasure; }

int lastMeasure(const MeasureState& m) { return std::min(m.FieldsNum, kMaxMeasure); }

} // namespace

int MeasureState::filter(int i) const { return inRange(i) ? std::max(1, FiltroMisura[i]) : 1; }

int MeasureState::lineWidth(int i) const { return inRange(i) ? std::max(1, SpessoreMisura[i]) : 1; }

int measureNameText(int i)
{
    if (i < 1 || i > 16)
        return 0;
    return 305 + std::min(i, 15);
}

MeasureHeader splitHeader(const QString& header, int measure)
{
    const qsizetype j = header.indexOf(QLatin1Char('['));
    if (j < 0)
        return {header, QString()};
    const int text = measureNameText(measure);
    return {text ? languageText(text) : header.left(j).trimmed(), header.mid(j)};
}

void InizializzaMisure(MeasureState& m, const QStringList& headers)
{
    for (int i = 1; i <= lastMeasure(m); ++i) {
        const MeasureHeader h = splitHeader(headers.value(i - 1), i);
        m.captions[i] = h.name;
        m.units[i] = h.unit;
        m.IndiceElemento[i][0] = 0;
        m.FiltroMisura[i] = 1;
        m.SpessoreMisura[i] = 1;
    }
}

void CalcolaScale(MeasureState& m, ViewState& view, qint64 da, qint64 a, const MeasureStats& stats,
                  const RowValue& timeAt, qint64 xEndBack)
{
    const int last = lastMeasure(m);
    view.MaxY = 0;
    for (int i = kFirstMeasure; i <= last; ++i) {
        const RangeStats s = stats ? stats(i, da, a) : RangeStats{};
        m.ValoriMax[i] = s.max == 0 ? 0.01 : s.max;
        m.ValoriMin[i] = s.min;
        m.ValoriMedi[i] = s.avg;
        if (m.ValoriMax[i] > view.MaxY)
            view.MaxY = m.ValoriMax[i];
    }

    for (int i = kFirstMeasure; i <= last; ++i) {
        // A maximum below 0 would turn the trace upside down: such a measure
        // is scaled by its largest magnitude instead.
        const double by = m.ValoriMax[i] > 0 ? m.ValoriMax[i]
                                             : std::max(std::abs(m.ValoriMax[i]), std::abs(m.ValoriMin[i]));
        // A value far out (1e308) over a small maximum would give an
        // infinite factor, and nothing could be drawn.
        m.FattoriScala[i] = finiteOrLargest(view.MaxY / by);
    }
    view.MinY = m.ValoriMin[kFirstMeasure];
    for (int i = kFirstMeasure; i <= last; ++i) {
        const double scaled = finiteOrLargest(m.FattoriScala[i] * m.ValoriMin[i]);
        if (scaled < view.MinY)
            view.MinY = scaled;
    }

    const auto time = [&](qint64 row) { return timeAt ? timeAt(row).value_or(0) : 0; };
    view.MinX = time(da);
    view.MaxX = time(a - xEndBack);

    view.MaxY = finiteOrLargest(view.MaxY + std::abs(view.MaxY) * 0.1);
    view.MinY = finiteOrLargest(view.MinY - std::abs(view.MinY) * 0.2);
    view.CalcolaPassoSpostamento();
}

} // namespace zuv
