// The per-measure statistics grid and its average format.
#include "analysis/measure_stats.h"

#include "analysis/statistics.h"
#include "platform/numbers.h"
#include "project/state.h"
#include "project/time_text.h"

#include <QLocale>
#include <cmath>

namespace zuv {

QString averageText(double average)
{
    if (!std::isfinite(average))
        return QString();
    const double rounded = std::round(average * 100.0) / 100.0;
    // "-0" for a small negative average says nothing.
    QString s = QString::number(rounded == 0 ? 0.0 : rounded, 'f', 2);
    while (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    if (s.endsWith(QLatin1Char('.')))
        s.chop(1);
    return s.replace(QLatin1Char('.'), QLocale().decimalPoint());
}

QString averageText(const QString& average)
{
    const auto v = parseDecimal(VirgolaInPunto(average));
    return v ? averageText(*v) : QString();
}

std::vector<std::array<QString, 4>> measureStatsRows(int FieldsNum, const MeasureTextsOf& measure)
{
    std::vector<std::array<QString, 4>> lines{{languageText(190), languageText(187), languageText(188), languageText(189)}};
    for (int i = 3; i <= FieldsNum; ++i) {
        const MeasureTexts t = measure(i);
        lines.push_back({t.name, t.minimum, t.maximum, averageText(t.average)});
    }
    return lines;
}

std::array<int, 4> measureStatsWidths(int gridWidth)
{
    return proportionalWidths<4>(gridWidth, 19.0f, {8.0f, 3.0f, 3.0f, 4.0f});
}

} // namespace zuv
