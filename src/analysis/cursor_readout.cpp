#include "analysis/cursor_readout.h"

#include "analysis/number_text.h"
#include "platform/numbers.h"

#include <algorithm>

namespace zuv {
namespace {

CursorReadout readout(const AnalysisData& w, qint64 row, const CellValue& valueAt, int numPuntiCircuito)
{
    CursorReadout out;
    out.valueRow = row;
    for (int j = 1; j <= std::min(w.FieldsNum, kMaxMisura) && valueAt; ++j)
        if (const std::optional<double> v = valueAt(j, row))
            out.values[std::size_t(j)] = readoutText(*v);
    out.marker = markerPoint(row, w.inizioCorrente(), w.CampioniGiro, numPuntiCircuito);
    return out;
}

} // namespace

qint64 cursorValueRow(qint64 n, int passoDisegno, int filtro, qint64 rigaInizioTraccia)
{
    const double r = double(n) * std::max(1, passoDisegno) * std::max(1, filtro) + double(rigaInizioTraccia);
    return qint64(roundHalfEven(r));
}

qint64 cursorAlarmRow(qint64 n, int passoDisegno, qint64 rigaInizioTraccia)
{
    return n * std::max(1, passoDisegno) + rigaInizioTraccia;
}

bool alarmLampOn(int k, double value) { return value == double(2 * k + 2); }

std::optional<qint64> markerPoint(qint64 row, qint64 inizioGiro, qint64 campioniGiro, int numPuntiCircuito)
{
    if (campioniGiro < 1 || numPuntiCircuito < 1)
        return std::nullopt;
    // A lap's rows times an outline's points (at most 201) fit easily.
    const qint64 offset = std::clamp<qint64>(row - inizioGiro, 0, campioniGiro);
    return offset * (numPuntiCircuito - 1) / campioniGiro;
}

CursorReadout AggiornaCursore(const AnalysisData& w, qint64 n, const CellValue& valueAt, int numPuntiCircuito)
{
    const qint64 r = cursorValueRow(n, w.PassoDisegno, w.filtro(w.UltimaMisuraDisegnata), w.RigaInizioTraccia);
    CursorReadout out = readout(w, r, valueAt, numPuntiCircuito);
    out.alarmRow = cursorAlarmRow(n, w.PassoDisegno, w.RigaInizioTraccia);
    return out;
}

CursorReadout AggiornaCursoreAllarmi(const AnalysisData& w, qint64 n, const CellValue& valueAt,
                                     const CellValue& alarmAt, int numPuntiCircuito)
{
    const qint64 s = cursorAlarmRow(n, w.PassoDisegno, w.RigaInizioTraccia);
    CursorReadout out = readout(w, s, valueAt, numPuntiCircuito);
    out.alarmRow = s;
    for (int k = 0; k < 8 && alarmAt; ++k)
        if (const std::optional<double> v = alarmAt(k + 3, s))
            out.lamps[std::size_t(k)] = alarmLampOn(k, *v);
    return out;
}

} // namespace zuv
