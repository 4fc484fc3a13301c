#include "analysis/analysis_data.h"

#include <algorithm>

namespace zuv {
namespace {

bool measureIndex(int i) { return i >= 0 && i <= kMaxMisura; }

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
    for (int i = kPrimaMisuraSessione; i <= kUltimaMisuraSessione; ++i) {
        MeasureSettings& r = rows[std::size_t(i)];
        r.nome = NomeCampo[i];
        r.filtro = to16(FiltroMisura[i]);
        r.colore = qint32(ColoreMisura[i]);
        r.spessore = to16(SpessoreMisura[i]);
        r.minimo = ValoriMin[i];
        r.massimo = ValoriMax[i];
    }
    return rows;
}

void AnalysisData::applySessionRows(const MeasureRows& rows)
{
    for (int i = kPrimaMisuraSessione; i <= kUltimaMisuraSessione; ++i) {
        const MeasureSettings& r = rows[std::size_t(i)];
        FiltroMisura[i] = r.filtro;
        ColoreMisura[i] = quint32(r.colore);
        SpessoreMisura[i] = r.spessore;
        ValoriMin[i] = r.minimo;
        ValoriMax[i] = r.massimo;
    }
}

void AnalysisData::scaleCurrentLap(const MeasureStats& stats, const RowValue& timeAt, qint64 xEndBack)
{
    CalcolaScale(*this, *this, inizioCorrente(), fineCorrente(), stats, timeAt, xEndBack);
}

TracePlan AnalysisData::planMeasures(const RowValue& timeAt)
{
    return planMeasureTraces(*this, *this, *this, inizioCorrente(), fineCorrente(), timeAt);
}

TracePlan AnalysisData::planAlarms(const RowValue& alarmsTimeAt)
{
    return planAlarmTraces(*this, *this, inizioCorrente(), fineCorrente(), alarmsTimeAt);
}

std::optional<double> AnalysisData::playbackEndX(const RowValue& timeAt) const
{
    if (GiroCorrente < 1 || GiroCorrente >= bounds.rowCount() || !timeAt)
        return std::nullopt;
    return timeAt(fineCorrente() - 1);
}

} // namespace zuv
