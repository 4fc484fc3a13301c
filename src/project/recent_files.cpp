#include "project/recent_files.h"

#include "platform/mainsurface.h"
#include "platform/messages.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"
#include "project/sensor_library.h"
#include "project/state.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace zuv {
namespace {

constexpr int kMaxRecenti = 4;

QString recentFilesPath()
{
    return findEntryNoCase(programFolder(), QStringLiteral("RecentFiles.ini"));
}

bool isFlagLine(const QString& line)
{
    return line == QLatin1String("0") || line == QLatin1String("1");
}

// A path that reads back from one line of the file as itself.
bool storable(const QString& path)
{
    if (path.trimmed().isEmpty() || isFlagLine(path) || path.contains(QLatin1Char('\n'))
        || path.contains(QLatin1Char('\r')))
        return false;
    return fromCp1252(toCp1252(path)) == path;
}

} // namespace

void CaricaFileRecenti()
{
    NumFileRecenti = 0;
    FileRecenti.fill(QString());
    for (int k = 0; k < kMaxRecenti; ++k)
        mainSurface().setRecentItem(k, false, QString());

    const auto lines = readTextLines(recentFilesPath());
    if (!lines)
        return;
    for (const QString& line : *lines) {
        if (line == QLatin1String("0")) {
            UsaAnalisiSpeed = false;
            continue;
        }
        if (line == QLatin1String("1")) {
            UsaAnalisiSpeed = true;
            continue;
        }
        if (line.trimmed().isEmpty() || NumFileRecenti >= kMaxRecenti)
            continue;
        if (std::find(FileRecenti.begin(), FileRecenti.begin() + NumFileRecenti, line)
            != FileRecenti.begin() + NumFileRecenti)
            continue;
        FileRecenti[NumFileRecenti] = line;
        mainSurface().setRecentItem(NumFileRecenti, true, line);
        ++NumFileRecenti;
    }
}

bool SalvaFileRecenti()
{
    QStringList list;
    if (storable(PercorsoDaAprire))
        list << PercorsoDaAprire;
    for (int i = 0; i < kMaxRecenti; ++i)
        if (storable(FileRecenti[i]) && !list.contains(FileRecenti[i]))
            list << FileRecenti[i];
    list = list.mid(0, kMaxRecenti);
    FileRecenti.fill(QString());
    for (qsizetype i = 0; i < list.size(); ++i)
        FileRecenti[i] = list[i];

    const QString path = recentFilesPath();
    QString error;
    if (!writeTextLines(path, QStringList{UsaAnalisiSpeed ? QStringLiteral("1") : QStringLiteral("0")} + list,
                        &error)) {
        msgBox(Testo(328) + QLatin1Char(' ') + QDir::toNativeSeparators(path) + QLatin1Char(' ')
                   + Testo(329) + QLatin1Char('\n') + error,
               MsgIcon::Critical);
        return false;
    }
    return true;
}

void CaricaListaTracciati()
{
    const QString folder = findEntryNoCase(programFolder(), QStringLiteral("tracks"));
    if (!QFileInfo(folder).isDir())
        return;
    for (const QString& name : listFolderFiles(folder))
        if (name.size() > 4 && name.endsWith(QLatin1String(".trk"), Qt::CaseInsensitive))
            ListaTracciati.append(name.chopped(4));
}

} // namespace zuv
