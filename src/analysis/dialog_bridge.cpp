// The dialogs' computations wired to the open analysis window.
#include "analysis/dialog_bridge.h"

#include "analysis/analysis_interface.h"
#include "analysis/measure_stats.h"
#include "project/state.h"

namespace zuv {

bool fillLapStatistics(AnalysisInterface& w)
{
    // A run that stops keeps what it wrote before it stopped.
    AnalysisSession& s = w.session();
    return computeLapStatistics(s, [&w](int row) { return w.GetTempoGiro(qint16(row)); }, s.intGiriCompletati,
                                s.intGiroVeloce, s.intGiroLento, DatiSessione.LunghTracciato);
}

std::array<std::array<QString, 2>, kStatisticsLines> statisticsLines(const AnalysisInterface& w)
{
    const AnalysisSession& s = w.session();
    return statisticsLines(s, s.intGiriCompletati, s.intGiroVeloce, s.intGiroLento);
}

std::vector<std::array<QString, 4>> measureStatsRows(const AnalysisInterface& w)
{
    return measureStatsRows(w.session().FieldsNum, [&w](int i) {
        const qint16 m = qint16(i);
        return MeasureTexts{w.GetNomeMisura(m), w.GetMinVal(m), w.GetMaxVal(m), w.GetMediaVal(m)};
    });
}

ReportSource reportSource(const AnalysisInterface& w)
{
    ReportSource g;
    g.intGiriCompletati = w.session().intGiriCompletati;
    g.GetSessioneTempo = [&w](int numGiro) { return w.GetSessioneTempo(qint16(numGiro)); };
    g.GetTempoGiro = [&w](int numGiro) { return w.GetTempoGiro(qint16(numGiro)); };
    g.GetVelocitaGiro = [&w](int numGiro) { return w.GetVelocitaGiro(qint16(numGiro)); };
    return g;
}

SetGraphTexts setGraphTexts(const AnalysisInterface& w)
{
    const AnalysisSession& s = w.session();
    return setGraphTexts(s.currGraphFiltro, s.currGraphWidth, s.currGraphMinVal, s.currGraphMaxVal);
}

void applySetGraph(AnalysisInterface& w, int i, const QString& name, const QString& unit, quint32 colour,
                   const SetGraphResult& outcome)
{
    if (!outcome.accepted)
        return;
    AnalysisSession& s = w.session();
    w.setMeasureName(i, name);
    w.setMeasureUnit(i, unit);
    s.currGraphFiltro = outcome.filter;
    w.setMeasureColour(i, colour);
    s.currGraphWidth = outcome.lineWidth;
    s.currGraphMinVal = outcome.minimum;
    s.currGraphMaxVal = outcome.maximum;
}

} // namespace zuv
