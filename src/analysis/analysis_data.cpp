#include "analysis/analysis_data.h"

#include <algorithm>

namespace zuv {
namespace {

bool measureIndex(int i) { return i >= 0 && i <= kMaxMeasure; }

qint16 to16(int v) { return qint16(std::clamp(v, -32768, 32767)); }

} // namespace

void AnalysisData::toSettingsExchange(int i)
{
    if (!measureIndex(i))
        return;
    currGraphFiltro = to16(FiltroMisura[i]);
    currGraphWidth = to16(SpessoreMisura[i]);
    currGraphMinVal = ValoriMin[i];
    currGraphMaxVal = ValoriMax[i];
}

void AnalysisData::fromSettingsExchange(int i)
{
    if (!measureIndex(i))
        return;
    FiltroMisura[i] = currGraphFiltro;
    SpessoreMisura[i] = currGraphWidth;
    ValoriMin[i] = currGraphMinVal;
    ValoriMax[i] = currGraphMaxVal;
}

MeasureRows AnalysisData::sessionRows() const
{
    MeasureRows rows;
    for (int i = kFirstSessionMeasure; i <= kLastSessionMeasure; ++i) {
        MeasureSettings& r = rows[std::size_t(i)];
        r.name = captions[i];
        r.filter = to16(FiltroMisura[i]);
        r.colour = qint32(colours[i]);
        r.lineWidth = to16(SpessoreMisura[i]);
        r.minimum = ValoriMin[i];
        r.maximum = ValoriMax[i];
    }
    return rows;
}

void AnalysisData::applySessionRows(const MeasureRows& rows)
{
    for (int i = kFirstSessionMeasure; i <= kLastSessionMeasure; ++i) {
        const MeasureSettings& r = rows[std::size_t(i)];
        FiltroMisura[i] = r.filter;
        colours[i] = quint32(r.colour);
        SpessoreMisura[i] = r.lineWidth;
        ValoriMin[i] = r.minimum;
        ValoriMax[i] = r.maximum;
    }
}

void AnalysisData::scaleCurrentLap(const MeasureStats& stats, const RowValue& timeAt, qint64 xEndBack)
{
    CalcolaScale(*this, *this, lapFirst(), lapEnd(), stats, timeAt, xEndBack);
}

TracePlan AnalysisData::planMeasures(const RowValue& timeAt, bool stopPastLap)
{
    return planMeasureTraces(*this, *this, *this, lapFirst(), lapEnd(), timeAt, stopPastLap);
}

TracePlan AnalysisData::planAlarms(const RowValue& alarmsTimeAt, bool stopPastLap)
{
    return planAlarmTraces(*this, *this, lapFirst(), lapEnd(), alarmsTimeAt, stopPastLap);
}

std::optional<double> AnalysisData::playbackEndX(const RowValue& timeAt) const
{
    if (GiroCorrente < 1 || GiroCorrente >= bounds.rowCount() || !timeAt)
        return std::nullopt;
    return timeAt(lapEnd() - 1);
}

} // namespace zuv
