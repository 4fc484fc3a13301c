#include "platform/companion_file.h"

#include <algorithm>

namespace zuv {
namespace {

QString withoutLastCharacters(const QString& path, qsizetype n)
{
    return path.left(std::max(fileNameStart(path), path.size() - n));
}

} // namespace

qsizetype fileNameStart(const QString& path)
{
    qsizetype p = path.lastIndexOf(QLatin1Char('/'));
#if defined(Q_OS_WIN)
    p = std::max(p, path.lastIndexOf(QLatin1Char('\\')));
#endif
    return p + 1;
}

QString companionFileName(const QString& dataFile, QStringView ext)
{
    return withoutLastCharacters(dataFile, 4) + ext.toString();
}

QString withoutExtension(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

QString withLastThreeReplaced(const QString& path, QLatin1String ext)
{
    return withoutLastCharacters(path, 3) + ext;
}

} // namespace zuv
