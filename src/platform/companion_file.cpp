#include "platform/companion_file.h"

namespace zuv {

QString companionFileName(const QString& path, const char* ext)
{
    return path.left(qMax<qsizetype>(0, path.size() - 3)) + QLatin1String(ext);
}

} // namespace zuv
