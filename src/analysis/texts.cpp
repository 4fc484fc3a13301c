#include "analysis/texts.h"

#include "project/state.h"

#include <QDir>
#include <algorithm>

namespace zuv {

QString missingFileText(const QString& file)
{
    return languageText(328) + QLatin1Char(' ') + QDir::toNativeSeparators(file) + QLatin1Char(' ') + languageText(329);
}

QString fileWarning(const QString& file, const QString& warning)
{
    return QDir::toNativeSeparators(file) + QStringLiteral(": ") + warning;
}

QString loadWarningsText(const QStringList& warnings, qint64 leftOut)
{
    const qint64 notShown = std::max<qint64>(0, warnings.size() - kWarningsShown) + std::max<qint64>(0, leftOut);
    if (warnings.isEmpty() && notShown == 0)
        return QString();
    QStringList lines = warnings.mid(0, kWarningsShown);
    if (notShown > 0)
        lines.append(languageText(367).arg(notShown));
    return lines.join(QLatin1Char('\n'));
}

} // namespace zuv
