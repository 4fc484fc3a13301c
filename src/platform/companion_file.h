#pragma once
// The files that go with a data file are named after it. Every cut below is
// made in the file's name only, never into its folder, so a companion is
// always looked for and written beside its data file.

#include <QString>
#include <QStringView>

namespace zuv {

// Where the file name starts in `path`: after its last "/" (and "\" on
// Windows), else 0.
qsizetype fileNameStart(const QString& path);

// The alarms and lap-time files of data file `dataFile` (a path, or a name
// alone): `dataFile` without its last four characters (the ".csv"), then
// `ext` (".txt", ".alm", ".tim").
QString companionFileName(const QString& dataFile, QStringView ext);

// A file name (no folder) without its last "." and what follows; the whole
// name when it has no ".".
QString withoutExtension(const QString& name);

// `path` with its last three characters replaced by `ext`: the session
// file's "ses", the export's "txt" and "tim".
QString withLastThreeReplaced(const QString& path, QLatin1String ext);

} // namespace zuv
