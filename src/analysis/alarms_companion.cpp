#include "analysis/alarms_companion.h"

#include "analysis/texts.h"
#include "platform/messages.h"
#include "platform/programfolder.h"

#include <QFileInfo>
#include <algorithm>

namespace zuv {
namespace {

qsizetype lastSeparator(const QString& path)
{
    qsizetype p = path.lastIndexOf(QLatin1Char('/'));
#if defined(Q_OS_WIN)
    p = std::max(p, path.lastIndexOf(QLatin1Char('\\')));
#endif
    return p;
}

} // namespace

TableFileNames tableFileNames(const QString& analysisFileName)
{
    const qsizetype p = lastSeparator(analysisFileName);
    return {analysisFileName.left(p + 1), analysisFileName.mid(p + 1)};
}

QString companionName(const QString& tableName, QStringView ext)
{
    const qsizetype q = tableName.lastIndexOf(QLatin1Char('.'));
    return (q < 0 ? tableName : tableName.left(q)) + ext.toString();
}

AlarmsChoice chooseAlarmsFile(const QString& folder, const QString& tableName, bool showFolder)
{
    AlarmsChoice s;
    for (const QStringView ext : {u".txt", u".alm"}) {
        const QString name = companionName(tableName, ext);
        const QFileInfo found(findEntryNoCase(folder.isEmpty() ? QStringLiteral(".") : folder, name));
        s.FileAllarmiPresente = found.isFile();
        s.NomeFileAllarmi = s.FileAllarmiPresente ? found.fileName() : name;
        if (s.FileAllarmiPresente)
            return s;
        msgBox(missingFileText(showFolder ? folder + name : name), MsgIcon::Critical);
    }
    return s;
}

} // namespace zuv
