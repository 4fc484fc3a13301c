#include "platform/programfolder.h"

#include <QCoreApplication>
#include <QDir>

namespace zuv {
namespace {
QString g_folder;
}

QString programFolder()
{
    if (!g_folder.isEmpty())
        return g_folder;
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

void setProgramFolder(const QString& folder) { g_folder = folder; }

QString programFile(const QString& name) { return QDir(programFolder()).filePath(name); }

QString findEntryNoCase(const QString& folder, const QString& name)
{
    QDir dir(folder);
    if (dir.exists(name))
        return dir.filePath(name);
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    for (const QString& e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(e);
    return dir.filePath(name);
}

bool hasFolderPart(const QString& path)
{
#ifdef Q_OS_WIN
    return path.contains(QLatin1Char('/')) || path.contains(QLatin1Char('\\'));
#else
    return path.contains(QLatin1Char('/'));
#endif
}

} // namespace zuv
