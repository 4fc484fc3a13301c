// The chart settings dialog's texts and OK checks.
#include "analysis/set_graph.h"

#include "analysis/number_text.h"
#include "analysis/texts.h"
#include "platform/numbers.h"
#include "project/language.h"
#include "project/state.h"
#include "project/time_text.h"

#include <limits>

namespace zuv {
namespace {

QString wholeMessage(bool filter)
{
    constexpr int kMin = std::numeric_limits<qint16>::min();
    constexpr int kMax = std::numeric_limits<qint16>::max();
    return filter ? languageText(372).arg(kMax) : languageText(373).arg(kMin).arg(kMax);
}

} // namespace

double leadingValue(QStringView text)
{
    QString compact;
    compact.reserve(text.size());
    for (const QChar c : text)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n'))
            compact.append(c);
    return leadingNumber(compact);
}

std::optional<qint16> wholeFromText(QStringView text)
{
    const auto v = parseWhole(VirgolaInPunto(text.toString()), std::numeric_limits<qint16>::min(),
                              std::numeric_limits<qint16>::max());
    if (!v)
        return std::nullopt;
    return qint16(*v);
}

double widenedMin(double minimum) { return minimum - minimum * 0.1; }

double widenedMax(double maximum) { return maximum + maximum * 0.1; }

SetGraphTexts setGraphTexts(qint16 filter, qint16 lineWidth, double minimum, double maximum)
{
    return {QString::number(filter), QString::number(lineWidth), readoutText(widenedMin(minimum)),
            readoutText(widenedMax(maximum))};
}

SetGraphResult checkSetGraph(const QString& txtFiltro, const QString& cboWidth, const QString& txtMinVal,
                             const QString& txtMaxVal)
{
    SetGraphResult e;
    // A filter below 1 would make a stride of 0.
    const auto filter = wholeFromText(txtFiltro);
    if (!filter || *filter < 1) {
        e.message = wholeMessage(true);
        return e;
    }
    const auto lineWidth = wholeFromText(cboWidth);
    if (!lineWidth) {
        e.message = wholeMessage(false);
        return e;
    }
    e.filter = *filter;
    e.lineWidth = *lineWidth;
    e.minimum = leadingValue(txtMinVal);
    e.maximum = leadingValue(txtMaxVal);
    e.accepted = true;
    return e;
}

} // namespace zuv
