#include "analysis/data_sources.h"

namespace zuv {
namespace {

constexpr int kTimeColumn = 1;
constexpr int kDistanceColumn = 2;
constexpr int kLapColumn = 11;

RowValue chartColumn(const ChartData& d, int column)
{
    return [&d, column](qint64 row) { return d.valueAt(column, row); };
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

} // namespace zuv
