#include "analysis_fast/fast_load.h"

#include "analysis/delimited_reader.h"
#include "analysis/texts.h"
#include "platform/messages.h"
#include "platform/numbers.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <new>

namespace zuv {
namespace {

qsizetype lastSeparator(const QString& path)
{
    qsizetype p = path.lastIndexOf(QLatin1Char('/'));
#if defined(Q_OS_WIN)
    p = std::max(p, path.lastIndexOf(QLatin1Char('\\')));
#endif
    return p;
}

// The first line of a text file (without its line end), when it opens.
std::optional<QByteArray> firstLine(const QString& path, qint64 limit)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray line = f.readLine(limit);
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return line;
}

} // namespace

TableFileNames tableFileNames(const QString& analysisFileName)
{
    const qsizetype p = lastSeparator(analysisFileName);
    return {analysisFileName.left(p + 1), analysisFileName.mid(p + 1)};
}

QString companionName(const QString& tableName, QStringView ext)
{
    const qsizetype q = tableName.lastIndexOf(QLatin1Char('.'));
    return (q < 0 ? tableName : tableName.left(q)) + ext.toString();
}

AlarmsChoice chooseAlarmsFile(const QString& folder, const QString& tableName, bool showFolder)
{
    AlarmsChoice s;
    for (const QStringView ext : {u".txt", u".alm"}) {
        const QString name = companionName(tableName, ext);
        const QFileInfo found(findEntryNoCase(folder.isEmpty() ? QStringLiteral(".") : folder, name));
        s.FileAllarmiPresente = found.isFile();
        s.NomeFileAllarmi = s.FileAllarmiPresente ? found.fileName() : name;
        if (s.FileAllarmiPresente)
            return s;
        msgBox(missingFileText(showFolder ? folder + name : name), MsgIcon::Critical);
    }
    return s;
}

int fieldsNumFromVersion(QStringView versionLine) { return versionLine == u"1.4" ? 16 : 15; }

LapFileVersion readLapFileVersion(const QString& lapFile)
{
    LapFileVersion v;
    const std::optional<QByteArray> line = firstLine(lapFile, 256);
    if (!line)
        return v;
    v.found = true;
    v.FieldsNum = fieldsNumFromVersion(fromCp1252(*line));
    v.AlarmsNum = kAlarmsNum;
    return v;
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
                     const QString& alarmsName, int fieldsNum, int alarmsNum, QString* error)
{
    const QString path = folder + QStringLiteral("schema.ini");
    QString reason;
    if (writeFileAtomically(path, schemaIniText(tableName, alarmsName, fieldsNum, alarmsNum),
                            &reason))
        return true;
    if (error)
        *error = missingFileText(path) + QLatin1Char('\n') + reason;
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

std::optional<int> loadPercent(qint64 row, qint64 numRecord)
{
    if (row <= 1000 || numRecord <= 0)
        return std::nullopt;
    return int(std::min(roundHalfEven(double(row) / double(numRecord) * 100.0), 100.0));
}

namespace {

// The progress of one table: the rule's percent once past row 1000.
auto tableTick(const TableProgress& progress, qint64 numRecord, int table)
{
    return [&progress, numRecord, table](qint64 row) {
        if (const std::optional<int> p = loadPercent(row, numRecord); p && progress)
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
        out.errors.append(fileWarning(dataFile, error));
    out.NumRecord = data ? data->rows() : 0;
    try {
        tables.reset(fieldsNum, out.NumRecord);
    } catch (const std::bad_alloc&) {
        out.errors.append(fileWarning(
            dataFile, languageText(366).arg(QString::number(out.NumRecord), QString::number(fieldsNum))));
        out.NumRecord = 0;
        data.reset();
        tables.reset(fieldsNum, 0);
    }

    if (data) {
        QStringList found = data->warnings();
        if (double* dest = tables.columnData(1, 0))
            data->fill(dest, tables.stride(), tables.storedColumns(0), out.NumRecord,
                       tableTick(progress, out.NumRecord, 0), &found, &out.warningsLeftOut);
        for (const QString& w : found)
            out.warnings.append(fileWarning(dataFile, w));
        out.dataRead = true;
    }
    return out;
}

void loadAlarmsTable(Dati& tables, const QString& alarmsFile, TableLoad& load, const TableProgress& progress)
{
    QString error;
    std::optional<DelimitedSource> alarms = DelimitedSource::open(alarmsFile, {}, &error);
    if (!alarms) {
        load.errors.append(fileWarning(alarmsFile, error));
        return;
    }
    const qint64 numRecord = load.NumRecord;
    QStringList found = alarms->warnings();
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
                     &found, &load.warningsLeftOut);
        tick(load.alarmRows);
    }
    for (const QString& w : found)
        load.warnings.append(fileWarning(alarmsFile, w));
    load.alarmsRead = true;
}

TableLoad loadTables(Dati& tables, int fieldsNum, const QString& dataFile,
                     const QString& alarmsFile, const TableProgress& progress)
{
    TableLoad out = loadDataTable(tables, fieldsNum, dataFile, progress);
    loadAlarmsTable(tables, alarmsFile, out, progress);
    return out;
}

} // namespace zuv
