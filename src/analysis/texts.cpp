#include "analysis/texts.h"

#include "project/state.h"

#include <QDir>
#include <algorithm>

namespace zuv {

QString missingFileText(const QString& file)
{
    return languageText(328) + QLatin1Char(' ') + QDir::toNativeSeparators(file) + QLatin1Char(' ') + languageText(329);
}

namespace {

QString what(const LoadWarning& w)
{
    const auto n = [](qint64 v) { return QString::number(v); };
    switch (w.kind) {
    case LoadWarning::Kind::NotANumber:
        return languageText(361).arg(n(w.line), n(w.field), w.value);
    case LoadWarning::Kind::FieldCount:
        return languageText(362).arg(n(w.line), n(w.count), n(w.limit));
    case LoadWarning::Kind::LongHeader:
        return languageText(363).arg(n(w.line), n(w.count), n(w.limit));
    case LoadWarning::Kind::TooManyColumns:
        return languageText(364).arg(n(w.count), n(w.limit));
    case LoadWarning::Kind::TooManyRows:
        return languageText(365).arg(n(w.count), n(w.limit));
    case LoadWarning::Kind::NoMemory:
        return languageText(366).arg(n(w.count), n(w.limit));
    case LoadWarning::Kind::Unreadable:
    case LoadWarning::Kind::NotWritten:
        break;
    }
    return w.value;
}

} // namespace

QString warningText(const LoadWarning& w)
{
    if (w.kind == LoadWarning::Kind::NotWritten)
        return missingFileText(w.file) + QLatin1Char('\n') + w.value;
    if (w.file.isEmpty())
        return what(w);
    return QDir::toNativeSeparators(w.file) + QStringLiteral(": ") + what(w);
}

QStringList warningTexts(const LoadWarnings& w)
{
    QStringList out;
    for (const LoadWarning& one : w.listed)
        out.append(warningText(one));
    return out;
}

QString loadWarningsText(const LoadWarnings& warnings)
{
    const qint64 listed = qint64(warnings.listed.size());
    const qint64 notShown = std::max<qint64>(0, listed - kWarningsShown) + std::max<qint64>(0, warnings.notListed());
    if (listed == 0 && notShown == 0)
        return QString();
    QStringList lines;
    for (qint64 k = 0; k < std::min<qint64>(listed, kWarningsShown); ++k)
        lines.append(warningText(warnings.listed[std::size_t(k)]));
    if (notShown > 0)
        lines.append(languageText(367).arg(notShown));
    return lines.join(QLatin1Char('\n'));
}

} // namespace zuv
