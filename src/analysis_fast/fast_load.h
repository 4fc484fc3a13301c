#pragma once
// The windowless steps of the fast-loading window's load: the file names,
// the lap-time file's version line, `schema.ini`, the header names, and the
// reading of the data and alarms files into `Dati` through the same reader
// as the chart's (analysis/delimited_reader.h).

#include "analysis_fast/dati.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

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

// `NomeFileTabella` without its last "." and what follows, then `ext`
// (".txt", ".alm"); a name without "." keeps all of it.
QString companionName(const QString& tableName, QStringView ext);

struct AlarmsChoice {
    QString NomeFileAllarmi;
    bool FileAllarmiPresente = false;
};

// The companion alarms file in `folder` (names matched without regard to
// case): the ".txt" one, else the ".alm" one. Each one missing is reported
// with the critical message, texts 328 and 329 around the file's name (its
// whole path with `showFolder`, as the chart window says it); with neither,
// `FileAllarmiPresente` is false and the window closes.
AlarmsChoice chooseAlarmsFile(const QString& folder, const QString& tableName, bool showFolder = false);

// `FieldsNum` from the lap-time file's first line: 16 for exactly "1.4",
// else 15.
int fieldsNumFromVersion(QStringView versionLine);

struct LapFileVersion {
    bool found = false;
    // Both 0 when the lap-time file cannot be read.
    int FieldsNum = 0;
    int AlarmsNum = 0;
};
LapFileVersion readLapFileVersion(const QString& lapFile);

// The bytes of `schema.ini`: Windows-1252, every line ended by CR LF.
QByteArray schemaIniText(const QString& tableName, const QString& alarmsName,
                         int fieldsNum, int alarmsNum);

// Writes `schema.ini` in `folder`, replacing any file of that name. When
// it cannot be written, `error` gets the text to show (the file's path and
// the system's reason) and the load goes on: nothing reads the file back.
bool ScriviSchemaIni(const QString& folder, const QString& tableName,
                     const QString& alarmsName, int fieldsNum, int alarmsNum,
                     QString* error = nullptr);

// Entries 1..fieldsNum of `NomiCanali` from a header line: each name up to
// the next ";", the last one with all that is left, further ";" included.
// Entries past the names the line has stay empty.
using NomiCanali = std::array<QString, 21>;
NomiCanali namesFromHeader(QStringView headerLine, int fieldsNum);
// The same from the header line of the data file, as the data reader finds
// it (analysis/delimited_reader.h); all empty when it cannot be read.
NomiCanali LeggiNomiCanali(const QString& analysisFileName, int fieldsNum);

// The number the progress text shows after `row` rows: nothing for the
// first 1000 rows, then row / numRecord * 100, halves to even, at most 100.
std::optional<int> loadPercent(qint64 row, qint64 numRecord);

// Called from the loading thread a few dozen times per table (0 data,
// 1 alarms), only once the row count passed 1000, with the rule's percent;
// the last call of each table gives its final row count.
using TableProgress = std::function<void(int table, qint64 row, int percent)>;

struct TableLoad {
    qint64 NumRecord = 0;
    bool dataRead = false;
    bool alarmsRead = false;
    qint64 alarmRows = 0; // rows of the alarms file, stored or not
    // The files' reasons when they could not be opened, then the reader's
    // warnings about their content, each after its file's path, and how
    // many more warnings it found than it kept.
    QStringList errors;
    QStringList warnings;
    qint64 warningsLeftOut = 0;
};

// The two steps of `loadTables`, for a caller that shows where it stands
// between them: the data file into a new table, then the alarms file.
TableLoad loadDataTable(Dati& tables, int fieldsNum, const QString& dataFile, const TableProgress& progress = {});
void loadAlarmsTable(Dati& tables, const QString& alarmsFile, TableLoad& load, const TableProgress& progress = {});

// Makes `tables` anew, sized once from the data file's row count, with
// `fieldsNum` columns: the data file into table 0 (columns past fieldsNum
// are not read), the alarms file into table 1 (11 columns; rows past
// NumRecord dropped, rows it lacks left 0). A file that cannot be read
// leaves its table 0 and the load goes on.
TableLoad loadTables(Dati& tables, int fieldsNum, const QString& dataFile,
                     const QString& alarmsFile, const TableProgress& progress = {});

} // namespace zuv
