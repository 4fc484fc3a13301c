#include "analysis/data_sources.h"

#include "shell/file_layout.h"

namespace zuv {
namespace {

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
    s.timeAt = chartColumn(data, kFileTimeColumn);
    s.alarmsTimeAt = chartColumn(alarms, kFileTimeColumn);
    s.distanceAt = chartColumn(alarms, kFileDistanceColumn);
    s.lapNumberAt = chartColumn(alarms, kLapNumberColumn);
    s.valueAt = [&data](int column, qint64 row) { return data.valueAt(column, row); };
    s.alarmAt = [&alarms](int column, qint64 row) { return alarms.valueAt(column, row); };
    return s;
}

} // namespace zuv
