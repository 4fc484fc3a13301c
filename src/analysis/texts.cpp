#include "analysis/texts.h"

#include "project/state.h"

#include <QDir>

namespace zuv {

QString missingFileText(const QString& file)
{
    return languageText(328) + QLatin1Char(' ') + QDir::toNativeSeparators(file) + QLatin1Char(' ') + languageText(329);
}

} // namespace zuv
