#include "analysis/alarms_companion.h"

#include "analysis/texts.h"
#include "platform/companion_file.h"
#include "platform/messages.h"
#include "platform/programfolder.h"

#include <QFileInfo>

namespace zuv {

TableFileNames tableFileNames(const QString& analysisFileName)
{
    const qsizetype p = fileNameStart(analysisFileName);
    return {analysisFileName.left(p), analysisFileName.mid(p)};
}

AlarmsChoice chooseAlarmsFile(const QString& folder, const QString& tableName, CompanionRule rule)
{
    const bool chart = rule == CompanionRule::Chart;
    AlarmsChoice s;
    for (const QStringView ext : {u".txt", u".alm"}) {
        const QString name = chart ? companionFileName(tableName, ext) : withoutExtension(tableName) + ext.toString();
        const QFileInfo found(findEntryNoCase(folder.isEmpty() ? QStringLiteral(".") : folder, name));
        s.FileAllarmiPresente = found.isFile();
        s.NomeFileAllarmi = s.FileAllarmiPresente ? found.fileName() : name;
        if (s.FileAllarmiPresente)
            return s;
        msgBox(missingFileText(chart ? folder + name : name), MsgIcon::Critical);
    }
    return s;
}

} // namespace zuv
