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

constexpr int kMaxRecent = 4;

QString recentFilesPath()
{
    return findEntryNoCase(programFolder(), QStringLiteral("RecentFiles.ini"));
}

bool isFlagLine(const QString& line)
{
    return line == QLatin1String("0") || line == QLatin1String("1");
}

// A path that reads back from one line of the file as itself. Lines end at
// LF only, so a CR inside a path (the system allows it) survives the trip.
bool storable(const QString& path)
{
    if (path.trimmed().isEmpty() || isFlagLine(path) || path.contains(QLatin1Char('\n')))
        return false;
    return fromCp1252(toCp1252(path)) == path;
}

// The file last reported as unwritable: a program folder that cannot be
// written is said once, not at every Open and again at the exit.
QString g_reportedUnwritable;

} // namespace

void CaricaFileRecenti()
{
    NumFileRecenti = 0;
    FileRecenti.fill(QString());
    for (int k = 0; k < kMaxRecent; ++k)
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
        // Only what the next write keeps is shown.
        if (!storable(line) || NumFileRecenti >= kMaxRecent)
            continue;
        if (std::find(FileRecenti.begin(), FileRecenti.begin() + NumFileRecenti, line)
            != FileRecenti.begin() + NumFileRecenti)
            continue;
        FileRecenti[NumFileRecenti] = line;
        ++NumFileRecenti;
    }
    showRecentFiles();
}

void showRecentFiles()
{
    NumFileRecenti = 0;
    for (int k = 0; k < kMaxRecent; ++k) {
        const QString& entry = FileRecenti[k];
        if (!entry.isEmpty())
            NumFileRecenti = qint16(k + 1);
        mainSurface().setRecentItem(k, !entry.isEmpty(), entry);
    }
}

bool SalvaFileRecenti()
{
    QStringList list;
    if (storable(PercorsoDaAprire))
        list << PercorsoDaAprire;
    for (int i = 0; i < kMaxRecent; ++i)
        if (storable(FileRecenti[i]) && !list.contains(FileRecenti[i]))
            list << FileRecenti[i];
    list = list.mid(0, kMaxRecent);
    FileRecenti.fill(QString());
    for (qsizetype i = 0; i < list.size(); ++i)
        FileRecenti[i] = list[i];

    const QString path = recentFilesPath();
    QString error;
    if (!writeTextLines(path, QStringList{UsaAnalisiSpeed ? QStringLiteral("1") : QStringLiteral("0")} + list,
                        &error)) {
        if (g_reportedUnwritable != path) {
            g_reportedUnwritable = path;
            msgBox(languageText(328) + QLatin1Char(' ') + QDir::toNativeSeparators(path) + QLatin1Char(' ')
                       + languageText(329) + QLatin1Char('\n') + error,
                   MsgIcon::Exclamation);
        }
        return false;
    }
    if (g_reportedUnwritable == path)
        g_reportedUnwritable.clear();
    return true;
}

void CaricaListaTracciati()
{
    const QString folder = findEntryNoCase(programFolder(), QStringLiteral("tracks"));
    if (!QFileInfo(folder).isDir())
        return;
    // A name too short to lose four characters names no circuit.
    for (const QString& name : listFolderFiles(folder))
        if (name.size() >= 4 && name.endsWith(QLatin1String("trk")))
            ListaTracciati.append(name.chopped(4));
}

} // namespace zuv
