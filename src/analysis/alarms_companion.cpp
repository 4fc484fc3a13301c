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

AlarmsChoice chooseAlarmsFile(const QString& folder, const QString& tableName, bool showFolder)
{
    AlarmsChoice s;
    for (const QStringView ext : {u".txt", u".alm"}) {
        const QString name = companionFileName(tableName, ext);
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
