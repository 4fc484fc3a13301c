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

// How each window names the companion alarms file of its data file and
// says one is missing: the chart window cuts the data file's last four
// characters and names the whole path; the fast window cuts its last "." and
// what follows, and names the file alone.
enum class CompanionRule { Chart, Fast };

// The companion alarms file in `folder` (names matched without regard to
// case): the ".txt" one, else the ".alm" one, named after `tableName` by
// `rule`. Each one missing is reported with the critical message, texts 328
// and 329 around it; with neither, `FileAllarmiPresente` is false and the
// window closes.
AlarmsChoice chooseAlarmsFile(const QString& folder, const QString& tableName, CompanionRule rule);

} // namespace zuv
