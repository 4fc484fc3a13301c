#include "analysis/analysis_sources.h"

#include "analysis_fast/dati.h"

namespace zuv {
namespace {

constexpr int kTimeColumn = 1;
constexpr int kDistanceColumn = 2;
constexpr int kLapColumn = 11;

RowValue chartColumn(const ChartData& d, int column)
{
    return [&d, column](qint64 row) { return d.valueAt(column, row); };
}

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

DataSources chartSources(const ChartData& data, const ChartData& alarms)
{
    DataSources s;
    s.stats = [&data](int i, qint64 da, qint64 a) {
        const QString from = cellRef(i, da);
        const QString to = cellRef(i, a);
        return RangeStats{data.rangeMaximum(from, to), data.rangeMinimum(from, to),
                          data.rangeAverage(from, to)};
    };
    s.timeAt = chartColumn(data, kTimeColumn);
    s.alarmsTimeAt = chartColumn(alarms, kTimeColumn);
    s.distanceAt = chartColumn(alarms, kDistanceColumn);
    s.lapNumberAt = chartColumn(alarms, kLapColumn);
    s.valueAt = [&data](int column, qint64 row) { return data.valueAt(column, row); };
    s.alarmAt = [&alarms](int column, qint64 row) { return alarms.valueAt(column, row); };
    return s;
}

DataSources tableSources(const Dati& tables)
{
    DataSources s;
    s.stats = [&tables](int i, qint64 da, qint64 a) {
        return RangeStats{GetMaxMisura(tables, i, da, a), GetMinMisura(tables, i, da, a),
                          GetMediaMisura(tables, i, da, a)};
    };
    s.timeAt = tableColumn(tables, kTimeColumn, 0);
    s.alarmsTimeAt = tableColumn(tables, kTimeColumn, 1);
    s.distanceAt = tableColumn(tables, kDistanceColumn, 1);
    s.lapNumberAt = tableColumn(tables, kLapColumn, 1);
    s.valueAt = [&tables](int column, qint64 row) { return tableValue(tables, column, 0, row); };
    s.alarmAt = [&tables](int column, qint64 row) { return tableValue(tables, column, 1, row); };
    s.xEndBack = 1;
    s.stopPastLap = true;
    return s;
}

} // namespace zuv
