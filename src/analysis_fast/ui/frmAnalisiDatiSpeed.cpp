#include "analysis_fast/ui/frmAnalisiDatiSpeed.h"

#include "analysis/ui/chart_component.h"
#include "analysis_fast/table_loader.h"

#include <algorithm>

namespace zuv {
namespace {

// Every row of the range goes to the chart, which applies the stride.
void plotFromTable(const Dati& tables, ChartComponent& chart, bool alarms, const TraceRows& rows, const TracePlot& p,
                   int element)
{
    const int table = alarms ? 1 : 0;
    const std::span<const double> x = tables.rows(1, table);
    const std::span<const double> y = tables.rows(p.column, table);
    const qint64 first = std::max<qint64>(rows.first, 0);
    const qint64 end = std::min<qint64>({rows.last + 1, qint64(x.size()), qint64(y.size())});
    if (rows.empty() || end <= first) {
        chart.plotFromArrays({}, {}, element, p.scale, p.stride);
        return;
    }
    chart.plotFromArrays(x.subspan(std::size_t(first), std::size_t(end - first)),
                         y.subspan(std::size_t(first), std::size_t(end - first)), element, p.scale, p.stride);
}

} // namespace

frmAnalisiDatiSpeed::frmAnalisiDatiSpeed(QWidget* parent)
    : frmAnalisiDati(
          AnalysisKind::DatiSpeed,
          [](ChartData&, ChartData&) {
              auto loader = std::make_unique<TableLoader>();
              const Dati& tables = loader->tables();
              return DataSide{std::move(loader), [&tables](ChartComponent& chart, bool alarms, const TraceRows& rows,
                                                           const TracePlot& p, int element) {
                                  plotFromTable(tables, chart, alarms, rows, p, element);
                              }};
          },
          parent)
{
}

} // namespace zuv
