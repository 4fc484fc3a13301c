#include "analysis/cursor_readout.h"

#include "analysis/number_text.h"
#include "platform/numbers.h"

#include <algorithm>

namespace zuv {
namespace {

CursorReadout readout(const AnalysisData& w, qint64 row, const CellValue& valueAt, int mapPoints)
{
    CursorReadout out;
    out.valueRow = row;
    for (int j = 1; j <= std::min(w.FieldsNum, kMaxMeasure) && valueAt; ++j)
        if (const std::optional<double> v = valueAt(j, row))
            out.values[std::size_t(j)] = readoutText(*v);
    // With nothing drawn the share's divisor, the filter of entry 0, is 0:
    // the marker stays where it is.
    if (w.UltimaMisuraDisegnata != 0)
        out.marker = markerPoint(row, w.lapFirst(), w.CampioniGiro, mapPoints);
    return out;
}

} // namespace

qint64 cursorValueRow(qint64 n, int stride, int filter, qint64 firstTraceRow)
{
    const double r = double(n) * std::max(1, stride) * std::max(1, filter) + double(firstTraceRow);
    return qint64(roundHalfEven(r));
}

qint64 cursorAlarmRow(qint64 n, int stride, qint64 firstTraceRow)
{
    return n * std::max(1, stride) + firstTraceRow;
}

bool alarmLampOn(int k, double value) { return value == double(2 * k + 2); }

std::optional<qint64> markerPoint(qint64 row, qint64 lapFirst, qint64 lapSamples, int mapPoints)
{
    if (lapSamples < 1 || mapPoints < 1)
        return std::nullopt;
    // A lap's rows times an outline's points (at most 201) fit easily.
    const qint64 offset = std::clamp<qint64>(row - lapFirst, 0, lapSamples);
    return offset * (mapPoints - 1) / lapSamples;
}

CursorReadout AggiornaCursore(const AnalysisData& w, qint64 n, const CellValue& valueAt, int mapPoints)
{
    // Nothing drawn: the filter of entry 0 is 0, every box shows the first
    // trace row.
    const int m = w.UltimaMisuraDisegnata;
    const qint64 r = m == 0 ? w.RigaInizioTraccia : cursorValueRow(n, w.PassoDisegno, w.filter(m), w.RigaInizioTraccia);
    CursorReadout out = readout(w, r, valueAt, mapPoints);
    out.alarmRow = cursorAlarmRow(n, w.PassoDisegno, w.RigaInizioTraccia);
    return out;
}

CursorReadout AggiornaCursoreAllarmi(const AnalysisData& w, qint64 n, const CellValue& valueAt,
                                     const CellValue& alarmAt, int mapPoints)
{
    const qint64 s = cursorAlarmRow(n, w.PassoDisegno, w.RigaInizioTraccia);
    CursorReadout out = readout(w, s, valueAt, mapPoints);
    out.alarmRow = s;
    for (int k = 0; k < kAlarmCount && alarmAt; ++k)
        if (const std::optional<double> v = alarmAt(kFirstAlarmColumn + k, s))
            out.lamps[std::size_t(k)] = alarmLampOn(k, *v);
    return out;
}

} // namespace zuv
