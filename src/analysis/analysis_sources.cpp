#include "analysis/analysis_sources.h"

#include "analysis_fast/dati.h"

namespace zuv {
namespace {

constexpr int kTimeColumn = 1;
constexpr int kDistanceColumn = 2;
constexpr int kLapColumn = 11;

// "C12": the chart's cell of column c (1 for "A") at a row.
QString cell(int column, qint64 row)
{
    return QChar(char16_t(u'A' + column - 1)) + QString::number(row);
}

RowValue chartColumn(const ChartData& d, int column)
{
    return [&d, column](qint64 row) { return d.valueAt(column, row); };
}

// Rows 0..NumRecord - 1 of a stored column; the zero padding row after them
// is no data.
std::optional<double> tableValue(const Dati& dati, int column, int table, qint64 row)
{
    if (row < 0 || row >= dati.NumRecord() || dati.rows(column, table).empty())
        return std::nullopt;
    return dati(column, table, row);
}

RowValue tableColumn(const Dati& dati, int column, int table)
{
    return [&dati, column, table](qint64 row) { return tableValue(dati, column, table, row); };
}

} // namespace

DataSources chartSources(const ChartData& data, const ChartData& alarms)
{
    DataSources s;
    s.stats = [&data](int i, qint64 da, qint64 a) {
        const QString from = cell(i, da);
        const QString to = cell(i, a);
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

DataSources tableSources(const Dati& dati)
{
    DataSources s;
    s.stats = [&dati](int i, qint64 da, qint64 a) {
        return RangeStats{GetMaxMisura(dati, i, da, a), GetMinMisura(dati, i, da, a),
                          GetMediaMisura(dati, i, da, a)};
    };
    s.timeAt = tableColumn(dati, kTimeColumn, 0);
    s.alarmsTimeAt = tableColumn(dati, kTimeColumn, 1);
    s.distanceAt = tableColumn(dati, kDistanceColumn, 1);
    s.lapNumberAt = tableColumn(dati, kLapColumn, 1);
    s.valueAt = [&dati](int column, qint64 row) { return tableValue(dati, column, 0, row); };
    s.alarmAt = [&dati](int column, qint64 row) { return tableValue(dati, column, 1, row); };
    s.xEndBack = 1;
    return s;
}

} // namespace zuv
