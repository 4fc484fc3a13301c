#pragma once
// The steps of the fast-loading window's load: the lap-time file's version
// line, `schema.ini`, the header names, and the reading of the data and
// alarms files into `Dati` through the same reader as the chart's
// (analysis/delimited_reader.h). The loader that runs them in their order
// is analysis_fast/table_loader.h.

#include "analysis/load_warnings.h"
#include "analysis_fast/dati.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

namespace zuv {

// `FieldsNum` from the lap-time file's first line: 16 for exactly the
// version line the export writes ("1.4"), else 15.
int fieldsNumFromVersion(QStringView versionLine);

// The bytes of `schema.ini`: Windows-1252, every line ended by CR LF.
QByteArray schemaIniText(const QString& tableName, const QString& alarmsName,
                         int fieldsNum, int alarmsNum);

// Writes `schema.ini` in `folder`, replacing any file of that name. When
// it cannot be written, `problem` says so (the file's path and the system's
// reason) and the load goes on: nothing reads the file back.
bool ScriviSchemaIni(const QString& folder, const QString& tableName,
                     const QString& alarmsName, int fieldsNum, int alarmsNum,
                     LoadWarning* problem = nullptr);

// Entries 1..fieldsNum of `NomiCanali` from a header line: each name up to
// the next ";", the last one with all that is left, further ";" included.
// Entries past the names the line has stay empty.
using NomiCanali = std::array<QString, 21>;
NomiCanali namesFromHeader(QStringView headerLine, int fieldsNum);
// The same from the header line of the data file, as the data reader finds
// it (analysis/delimited_reader.h); all empty when it cannot be read.
NomiCanali LeggiNomiCanali(const QString& analysisFileName, int fieldsNum);

// The number the progress text shows after `row` rows: nothing for the
// first 1000 rows, then row / numRecord * 100, halves to even. The alarms
// table counts against the data table's rows too, so a companion longer
// than the data goes past 100.
std::optional<qint64> loadPercent(qint64 row, qint64 numRecord);

// Called from the loading thread a few dozen times per table (0 data,
// 1 alarms), only once the row count passed 1000, with the rule's percent;
// the last call of each table gives its final row count.
using TableProgress = std::function<void(int table, qint64 row, qint64 percent)>;

struct TableLoad {
    qint64 NumRecord = 0;
    bool dataRead = false;
    bool alarmsRead = false;
    qint64 alarmRows = 0; // rows of the alarms file, stored or not
    // A file that could not be opened, or a table too large for memory;
    // then the reader's warnings about the files' content. Each names its
    // file.
    LoadWarnings errors;
    LoadWarnings warnings;
};

// The load's two steps, between which its caller shows where it stands.
// The data file into `tables` made anew, sized once from its row count,
// with `fieldsNum` columns (columns past fieldsNum are not read); then the
// alarms file into table 1 (11 columns; rows past NumRecord dropped, rows
// it lacks left 0). A file that cannot be read leaves its table 0 and the
// load goes on.
TableLoad loadDataTable(Dati& tables, int fieldsNum, const QString& dataFile, const TableProgress& progress = {});
void loadAlarmsTable(Dati& tables, const QString& alarmsFile, TableLoad& load, const TableProgress& progress = {});

} // namespace zuv
