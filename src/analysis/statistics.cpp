// Lap statistics and the statistics dialog's grid.
#include "analysis/statistics.h"

#include "analysis/lap_table.h"
#include "project/state.h"
#include "project/time_text.h"

namespace zuv {

std::optional<StatisticheGiri> MostraStatistiche(const TempoDiRiga& tempoGiro, int intGiriCompletati,
                                                 int intGiroVeloce, int intGiroLento,
                                                 const QString& lunghTracciato)
{
    // A lap file without its closing empty line counts -1 laps.
    if (intGiriCompletati < 1)
        return std::nullopt;
    // The prefix gives the lap time zero hours.
    const QString ore = QStringLiteral("00:");
    StatisticheGiri s;
    s.TempoTotale = SommaTempi(ore + tempoGiro(2), QStringLiteral("00:00:00.00"));
    for (int r = 3; r <= intGiriCompletati + 1; ++r)
        s.TempoTotale = SommaTempi(s.TempoTotale, ore + tempoGiro(r));
    s.TempoMedioGiro = DividiTempo(s.TempoTotale, intGiriCompletati);
    s.VelocitaMediaGiro = VelocitaMediaGiri(s.TempoTotale, intGiriCompletati, lunghTracciato);
    s.strGiroVeloce = tempoGiro(intGiroVeloce + 1);
    s.strGiroLento = tempoGiro(intGiroLento + 1);
    s.VelocitaGiroVeloce = VelocitaDaTempo(s.strGiroVeloce, lunghTracciato);
    s.VelocitaGiroLento = VelocitaDaTempo(s.strGiroLento, lunghTracciato);
    return s;
}

std::array<std::array<QString, 2>, kRigheStatistiche> righeStatistiche(const StatisticheGiri& s,
                                                                      int intGiriCompletati,
                                                                      int intGiroVeloce, int intGiroLento)
{
    return {{
        {Testo(102), QString::number(intGiriCompletati)},
        {Testo(103), s.TempoTotale},
        {Testo(104), s.TempoMedioGiro},
        {Testo(105), s.VelocitaMediaGiro},
        {Testo(106), QString::number(intGiroVeloce)},
        {Testo(107), s.strGiroVeloce},
        {Testo(108), s.VelocitaGiroVeloce},
        {Testo(109), QString::number(intGiroLento)},
        {Testo(107), s.strGiroLento},
        {Testo(108), s.VelocitaGiroLento},
    }};
}

std::array<int, 2> larghezzeStatistiche(int larghezzaGriglia)
{
    return larghezzeProporzionali<2>(larghezzaGriglia, 5.0f, {3.0f, 1.88f});
}

} // namespace zuv
