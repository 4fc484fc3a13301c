// The dialogs' computations wired to the open analysis window.
#include "analysis/dialog_bridge.h"

#include "analysis/analysis_interface.h"
#include "analysis/measure_stats.h"
#include "project/state.h"

namespace zuv {

bool MostraStatistiche(AnalysisInterface& w)
{
    const auto s = MostraStatistiche([&w](int row) { return w.GetTempoGiro(qint16(row)); }, w.intGiriCompletati,
                                     w.intGiroVeloce, w.intGiroLento, DatiSessione.LunghTracciato);
    if (!s)
        return false;
    w.TempoTotale = s->TempoTotale;
    w.TempoMedioGiro = s->TempoMedioGiro;
    w.VelocitaMediaGiro = s->VelocitaMediaGiro;
    w.strGiroVeloce = s->strGiroVeloce;
    w.strGiroLento = s->strGiroLento;
    w.VelocitaGiroVeloce = s->VelocitaGiroVeloce;
    w.VelocitaGiroLento = s->VelocitaGiroLento;
    return true;
}

std::array<std::array<QString, 2>, kRigheStatistiche> righeStatistiche(const AnalysisInterface& w)
{
    const StatisticheGiri s{w.TempoTotale,  w.TempoMedioGiro,     w.VelocitaMediaGiro, w.strGiroVeloce,
                            w.strGiroLento, w.VelocitaGiroVeloce, w.VelocitaGiroLento};
    return righeStatistiche(s, w.intGiriCompletati, w.intGiroVeloce, w.intGiroLento);
}

std::vector<std::array<QString, 4>> righeStatisticheMisure(const AnalysisInterface& w)
{
    return righeStatisticheMisure(w.FieldsNum, [&w](int i) {
        const qint16 m = qint16(i);
        return TestiMisura{w.GetNomeMisura(m), w.GetMinVal(m), w.GetMaxVal(m), w.GetMediaVal(m)};
    });
}

GiriReport giriReport(const AnalysisInterface& w)
{
    GiriReport g;
    g.intGiriCompletati = w.intGiriCompletati;
    g.GetSessioneTempo = [&w](int numGiro) { return w.GetSessioneTempo(qint16(numGiro)); };
    g.GetTempoGiro = [&w](int numGiro) { return w.GetTempoGiro(qint16(numGiro)); };
    g.GetVelocitaGiro = [&w](int numGiro) { return w.GetVelocitaGiro(qint16(numGiro)); };
    return g;
}

TestiSetGrafico testiSetGrafico(const AnalysisInterface& w)
{
    return testiSetGrafico(w.currGraphFiltro, w.currGraphWidth, w.currGraphMinVal, w.currGraphMaxVal);
}

void applicaSetGrafico(AnalysisInterface& w, int i, const QString& nome, const QString& unita, quint32 colore,
                       const EsitoSetGrafico& esito)
{
    if (!esito.accettato)
        return;
    w.setMeasureName(i, nome);
    w.setMeasureUnit(i, unita);
    w.currGraphFiltro = esito.filtro;
    w.setMeasureColour(i, colore);
    w.currGraphWidth = esito.spessore;
    w.currGraphMinVal = esito.minimo;
    w.currGraphMaxVal = esito.massimo;
}

} // namespace zuv
