#include "analysis_fast/fast_load.h"

#include "analysis/delimited_reader.h"
#include "platform/numbers.h"
#include "platform/textfile.h"
#include "shell/file_layout.h"

#include <QFile>
#include <algorithm>
#include <new>

namespace zuv {
namespace {


} // namespace

int fieldsNumFromVersion(QStringView versionLine)
{
    return versionLine == QLatin1String(kLapFileVersion) ? kDataColumnsWithVersion : kDataColumnsWithoutVersion;
}

QByteArray schemaIniText(const QString& tableName, const QString& alarmsName,
                         int fieldsNum, int alarmsNum)
{
    QByteArray out;
    auto line = [&out](const QByteArray& text) { out += text + "\r\n"; };
    auto section = [&](const QString& name) {
        line("[" + toCp1252(name) + "]");
        line("ColNameHeader=True");
        line("Format=Delimited(;)");
        line("MaxScanRows=1");
        line("CharacterSet=ANSI");
    };
    auto column = [&](int i, const char* type) {
        const QByteArray n = QByteArray::number(i);
        line("Col" + n + "=F" + n + " " + type);
    };
    section(tableName);
    for (int i = 1; i <= fieldsNum; ++i)
        column(i, "Double");
    section(alarmsName);
    for (int i = 1; i <= alarmsNum; ++i)
        column(i, "Double");
    column(alarmsNum + 1, "Integer");
    return out;
}

bool ScriviSchemaIni(const QString& folder, const QString& tableName,
                     const QString& alarmsName, int fieldsNum, int alarmsNum, LoadWarning* problem)
{
    const QString path = folder + QStringLiteral("schema.ini");
    QString reason;
    if (writeFileAtomically(path, schemaIniText(tableName, alarmsName, fieldsNum, alarmsNum),
                            &reason))
        return true;
    if (problem)
        *problem = {.kind = LoadWarning::Kind::NotWritten, .file = path, .value = reason};
    return false;
}

NomiCanali namesFromHeader(QStringView headerLine, int fieldsNum)
{
    NomiCanali names;
    fieldsNum = std::clamp(fieldsNum, 0, int(names.size()) - 1);
    QStringView rest = headerLine;
    for (int i = 1; i <= fieldsNum; ++i) {
        const qsizetype p = rest.indexOf(QLatin1Char(';'));
        if (i == fieldsNum || p < 0) {
            names[std::size_t(i)] = rest.toString();
            break;
        }
        names[std::size_t(i)] = rest.left(p).toString();
        rest = rest.mid(p + 1);
    }
    return names;
}

NomiCanali LeggiNomiCanali(const QString& analysisFileName, int fieldsNum)
{
    // The header as the data reader finds it, so both windows name the
    // measures alike whatever the file's line ends or byte-order mark.
    const std::optional<QString> line = DelimitedSource::readHeaderLine(analysisFileName);
    return line ? namesFromHeader(*line, fieldsNum) : NomiCanali();
}

std::optional<qint64> loadPercent(qint64 row, qint64 numRecord)
{
    if (row <= 1000 || numRecord <= 0)
        return std::nullopt;
    return qint64(roundHalfEven(double(row) / double(numRecord) * 100.0));
}

namespace {

// The progress of one table: the rule's percent once past row 1000.
auto tableTick(const TableProgress& progress, qint64 numRecord, int table)
{
    return [&progress, numRecord, table](qint64 row) {
        if (const std::optional<qint64> p = loadPercent(row, numRecord); p && progress)
            progress(table, row, *p);
    };
}

} // namespace

TableLoad loadDataTable(Dati& tables, int fieldsNum, const QString& dataFile, const TableProgress& progress)
{
    TableLoad out;
    QString error;
    std::optional<DelimitedSource> data = DelimitedSource::open(dataFile, {}, &error);
    if (!data)
        out.errors.add({.kind = LoadWarning::Kind::Unreadable, .file = dataFile, .value = error});
    out.NumRecord = data ? data->rows() : 0;
    try {
        tables.reset(fieldsNum, out.NumRecord);
    } catch (const std::bad_alloc&) {
        out.errors.add(
            {.kind = LoadWarning::Kind::NoMemory, .file = dataFile, .count = out.NumRecord, .limit = fieldsNum});
        out.NumRecord = 0;
        data.reset();
        tables.reset(fieldsNum, 0);
    }

    if (data) {
        LoadWarnings found = data->warnings();
        if (double* dest = tables.columnData(1, 0))
            data->fill(dest, tables.stride(), tables.storedColumns(0), out.NumRecord,
                       tableTick(progress, out.NumRecord, 0), &found);
        out.warnings.append(found, dataFile);
        out.dataRead = true;
    }
    return out;
}

void loadAlarmsTable(Dati& tables, const QString& alarmsFile, TableLoad& load, const TableProgress& progress)
{
    QString error;
    std::optional<DelimitedSource> alarms = DelimitedSource::open(alarmsFile, {}, &error);
    if (!alarms) {
        load.errors.add({.kind = LoadWarning::Kind::Unreadable, .file = alarmsFile, .value = error});
        return;
    }
    const qint64 numRecord = load.NumRecord;
    LoadWarnings found = alarms->warnings();
    load.alarmRows = alarms->rows();
    if (double* dest = tables.columnData(1, 1)) {
        // Rows 0..NumRecord of the table; the counter still runs to the
        // file's last row, as the progress text shows.
        const auto tick = tableTick(progress, numRecord, 1);
        alarms->fill(dest, tables.stride(), tables.storedColumns(1), numRecord + 1,
                     [&](qint64 row) {
                         if (row < std::min(load.alarmRows, numRecord + 1))
                             tick(row);
                     },
                     &found);
        tick(load.alarmRows);
    }
    load.warnings.append(found, alarmsFile);
    load.alarmsRead = true;
}

} // namespace zuv
