// Lap statistics and the statistics dialog's grid.
#include "analysis/statistics.h"

#include "analysis/lap_table.h"
#include "project/state.h"
#include "project/time_text.h"

#include <QRegularExpression>

namespace zuv {
namespace {

// Minutes, seconds and hundredths (hours may come first), as the lap-time
// file gives them.
bool readableLapTime(const QString& text)
{
    static const QRegularExpression time(
        QStringLiteral("^\\s*(?:[0-9]+:)?[0-9]+:[0-5]?[0-9]\\.[0-9]{1,2}\\s*$"));
    return time.match(text).hasMatch();
}

} // namespace

bool computeLapStatistics(LapStatistics& s, const LapTimeOf& lapTime, int intGiriCompletati, int intGiroVeloce,
                          int intGiroLento, const QString& trackLength)
{
    // A lap file without its closing empty line counts -1 laps.
    if (intGiriCompletati < 1)
        return false;
    // The prefix gives the lap time zero hours.
    const QString hours = QStringLiteral("00:");
    const QString first = lapTime(2);
    if (!readableLapTime(first))
        return false;
    s.TempoTotale = SommaTempi(hours + first, QStringLiteral("00:00:00.00"));
    for (int r = 3; r <= intGiriCompletati + 1; ++r) {
        const QString lap = lapTime(r);
        if (!readableLapTime(lap))
            return false;
        s.TempoTotale = SommaTempi(s.TempoTotale, hours + lap);
    }
    s.TempoMedioGiro = DividiTempo(s.TempoTotale, intGiriCompletati);
    s.VelocitaMediaGiro = VelocitaMediaGiri(s.TempoTotale, intGiriCompletati, trackLength);
    s.strGiroVeloce = lapTime(intGiroVeloce + 1);
    s.strGiroLento = lapTime(intGiroLento + 1);
    s.VelocitaGiroVeloce = VelocitaDaTempo(s.strGiroVeloce, trackLength);
    s.VelocitaGiroLento = VelocitaDaTempo(s.strGiroLento, trackLength);
    return true;
}

std::array<std::array<QString, 2>, kStatisticsLines> statisticsLines(const LapStatistics& s,
                                                                      int intGiriCompletati,
                                                                      int intGiroVeloce, int intGiroLento)
{
    return {{
        {languageText(102), QString::number(intGiriCompletati)},
        {languageText(103), s.TempoTotale},
        {languageText(104), s.TempoMedioGiro},
        {languageText(105), s.VelocitaMediaGiro},
        {languageText(106), QString::number(intGiroVeloce)},
        {languageText(107), s.strGiroVeloce},
        {languageText(108), s.VelocitaGiroVeloce},
        {languageText(109), QString::number(intGiroLento)},
        {languageText(107), s.strGiroLento},
        {languageText(108), s.VelocitaGiroLento},
    }};
}

std::array<int, 2> statisticsWidths(int gridWidth)
{
    return proportionalWidths<2>(gridWidth, 5.0f, {3.0f, 1.88f});
}

} // namespace zuv
