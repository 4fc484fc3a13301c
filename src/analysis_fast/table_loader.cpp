#include "analysis_fast/table_loader.h"

#include "analysis/alarms_companion.h"
#include "analysis/texts.h"

#include <QDir>

namespace zuv {

SessionLoader::Load TableLoader::load(AnalysisData& w, const QString& file)
{
    const TableFileNames names = tableFileNames(file);
    const AlarmsChoice companion = chooseAlarmsFile(names.Cartella, names.NomeFileTabella, CompanionRule::Fast);
    if (!companion.FileAllarmiPresente)
        return Load::NoCompanion;

    QString version;
    w.FieldsNum = 0;
    w.AlarmsNum = 0;
    if (readLapFile(w, file, &version)) {
        w.FieldsNum = fieldsNumFromVersion(version);
        w.AlarmsNum = kAlarmsNum;
        LoadWarning problem;
        if (!ScriviSchemaIni(names.Cartella, names.NomeFileTabella, companion.NomeFileAllarmi, w.FieldsNum,
                             w.AlarmsNum, &problem))
            warnings_.add(problem);
    }

    showDataStep();
    names_ = LeggiNomiCanali(file, w.FieldsNum);

    const TableProgress progress = [](int, qint64, qint64 percent) { showProgress(percent); };
    TableLoad r = loadDataTable(tables_, w.FieldsNum, file, progress);
    if (!r.dataRead) {
        failure_ = missingFileText(file) + QLatin1Char('\n') + warningTexts(r.errors).join(QLatin1Char('\n'));
        return Load::Failed;
    }
    showAlarmsStep();
    loadAlarmsTable(tables_, QDir(names.Cartella).filePath(companion.NomeFileAllarmi), r, progress);
    warnings_.append(r.errors);
    warnings_.append(r.warnings);
    sources_ = tableSources(tables_);
    return Load::Complete;
}

QStringList TableLoader::headers() const
{
    QStringList h;
    for (int i = 1; i <= tables_.FieldsNum() && i < int(names_.size()); ++i)
        h.append(names_[std::size_t(i)]);
    return h;
}

LapBounds TableLoader::lapBounds() const { return lapBoundsFromTableRows(rowLapNumbers(tables_)); }

namespace {

// Rows 0..NumRecord - 1 of a stored column; the zero padding row after them
// is no data.
std::optional<double> tableValue(const Dati& tables, int column, int table, qint64 row)
{
    if (row < 0 || row >= tables.NumRecord() || tables.rows(column, table).empty())
        return std::nullopt;
    return tables(column, table, row);
}

RowValue tableColumn(const Dati& tables, int column, int table)
{
    return [&tables, column, table](qint64 row) { return tableValue(tables, column, table, row); };
}

} // namespace

DataSources tableSources(const Dati& tables)
{
    DataSources s;
    s.stats = [&tables](int i, qint64 da, qint64 a) {
        return RangeStats{GetMaxMisura(tables, i, da, a), GetMinMisura(tables, i, da, a),
                          GetMediaMisura(tables, i, da, a)};
    };
    s.timeAt = tableColumn(tables, kFileTimeColumn, 0);
    s.alarmsTimeAt = tableColumn(tables, kFileTimeColumn, 1);
    s.distanceAt = tableColumn(tables, kFileDistanceColumn, 1);
    s.lapNumberAt = tableColumn(tables, kLapNumberColumn, 1);
    s.valueAt = [&tables](int column, qint64 row) { return tableValue(tables, column, 0, row); };
    s.alarmAt = [&tables](int column, qint64 row) { return tableValue(tables, column, 1, row); };
    s.xEndBack = 1;
    s.stopPastLap = true;
    return s;
}

} // namespace zuv
