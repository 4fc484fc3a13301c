// The per-measure statistics grid and its average format.
#include "analysis/measure_stats.h"

#include "analysis/statistics.h"
#include "platform/numbers.h"
#include "project/state.h"

#include <QLocale>
#include <cmath>

namespace zuv {

QString formatoMedia(double media)
{
    if (!std::isfinite(media))
        return QString();
    const double arrotondata = std::round(media * 100.0) / 100.0;
    // "-0" for a small negative average says nothing.
    QString s = QString::number(arrotondata == 0 ? 0.0 : arrotondata, 'f', 2);
    while (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    if (s.endsWith(QLatin1Char('.')))
        s.chop(1);
    return s.replace(QLatin1Char('.'), QLocale().decimalPoint());
}

QString formatoMedia(const QString& media)
{
    QString testo = media;
    const auto v = parseDecimal(testo.replace(QLatin1Char(','), QLatin1Char('.')));
    return v ? formatoMedia(*v) : QString();
}

std::vector<std::array<QString, 4>> righeStatisticheMisure(int FieldsNum, const MisuraDiIndice& misura)
{
    std::vector<std::array<QString, 4>> righe{{Testo(190), Testo(187), Testo(188), Testo(189)}};
    for (int i = 3; i <= FieldsNum; ++i) {
        const TestiMisura t = misura(i);
        righe.push_back({t.nome, t.minimo, t.massimo, formatoMedia(t.media)});
    }
    return righe;
}

std::array<int, 4> larghezzeStatisticheMisure(int larghezzaGriglia)
{
    return larghezzeProporzionali<4>(larghezzaGriglia, 19.0f, {8.0f, 3.0f, 3.0f, 4.0f});
}

} // namespace zuv
