#pragma once
// The companion alarms file both analysis windows look for beside the data
// file: the data file's folder and name, the two names the companion may
// have, and the choice between them with its messages.

#include <QString>

namespace zuv {

struct TableFileNames {
    // The data file's folder, with its trailing separator.
    QString Cartella;
    // The data file's name with its extension.
    QString NomeFileTabella;
};

// Splits `AnalysisFileName` at its last path separator ("/", and "\" too on
// Windows).
TableFileNames tableFileNames(const QString& analysisFileName);

struct AlarmsChoice {
    QString NomeFileAllarmi;
    bool FileAllarmiPresente = false;
};

// The companion alarms file in `folder` (names matched without regard to
// case): the ".txt" one, else the ".alm" one, each named as
// `companionFileName` names it after `tableName`. Each one missing is reported
// with the critical message, texts 328 and 329 around the file's name (its
// whole path with `showFolder`, as the chart window says it); with neither,
// `FileAllarmiPresente` is false and the window closes.
AlarmsChoice chooseAlarmsFile(const QString& folder, const QString& tableName, bool showFolder = false);

} // namespace zuv
