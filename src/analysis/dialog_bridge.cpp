// The dialogs' computations wired to the open analysis window.
#include "analysis/dialog_bridge.h"

#include "analysis/analysis_interface.h"
#include "analysis/measure_stats.h"
#include "project/state.h"

namespace zuv {

namespace {

LapStatistics statisticsTexts(const AnalysisInterface& w)
{
    return {w.TempoTotale,  w.TempoMedioGiro,     w.VelocitaMediaGiro, w.strGiroVeloce,
            w.strGiroLento, w.VelocitaGiroVeloce, w.VelocitaGiroLento};
}

} // namespace

bool MostraStatistiche(AnalysisInterface& w)
{
    LapStatistics s = statisticsTexts(w);
    const bool done = MostraStatistiche(s, [&w](int row) { return w.GetTempoGiro(qint16(row)); },
                                        w.intGiriCompletati, w.intGiroVeloce, w.intGiroLento,
                                        DatiSessione.LunghTracciato);
    // Also what a stopped run wrote before it stopped.
    w.TempoTotale = s.TempoTotale;
    w.TempoMedioGiro = s.TempoMedioGiro;
    w.VelocitaMediaGiro = s.VelocitaMediaGiro;
    w.strGiroVeloce = s.strGiroVeloce;
    w.strGiroLento = s.strGiroLento;
    w.VelocitaGiroVeloce = s.VelocitaGiroVeloce;
    w.VelocitaGiroLento = s.VelocitaGiroLento;
    return done;
}

std::array<std::array<QString, 2>, kStatisticsLines> statisticsLines(const AnalysisInterface& w)
{
    return statisticsLines(statisticsTexts(w), w.intGiriCompletati, w.intGiroVeloce, w.intGiroLento);
}

std::vector<std::array<QString, 4>> measureStatsRows(const AnalysisInterface& w)
{
    return measureStatsRows(w.FieldsNum, [&w](int i) {
        const qint16 m = qint16(i);
        return MeasureTexts{w.GetNomeMisura(m), w.GetMinVal(m), w.GetMaxVal(m), w.GetMediaVal(m)};
    });
}

ReportSource reportSource(const AnalysisInterface& w)
{
    ReportSource g;
    g.intGiriCompletati = w.intGiriCompletati;
    g.GetSessioneTempo = [&w](int numGiro) { return w.GetSessioneTempo(qint16(numGiro)); };
    g.GetTempoGiro = [&w](int numGiro) { return w.GetTempoGiro(qint16(numGiro)); };
    g.GetVelocitaGiro = [&w](int numGiro) { return w.GetVelocitaGiro(qint16(numGiro)); };
    return g;
}

SetGraphTexts setGraphTexts(const AnalysisInterface& w)
{
    return setGraphTexts(w.currGraphFiltro, w.currGraphWidth, w.currGraphMinVal, w.currGraphMaxVal);
}

void applySetGraph(AnalysisInterface& w, int i, const QString& name, const QString& unit, quint32 colour,
                   const SetGraphResult& outcome)
{
    if (!outcome.accepted)
        return;
    w.setMeasureName(i, name);
    w.setMeasureUnit(i, unit);
    w.currGraphFiltro = outcome.filter;
    w.setMeasureColour(i, colour);
    w.currGraphWidth = outcome.lineWidth;
    w.currGraphMinVal = outcome.minimum;
    w.currGraphMaxVal = outcome.maximum;
}

} // namespace zuv
