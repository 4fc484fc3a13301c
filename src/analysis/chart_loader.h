#pragma once
// The chart window's loader: the data of its measures chart reads the data
// file, that of its alarms chart the companion alarms file, each with the
// delimited reader (analysis/chart_data.h); the window's computations then
// read the charts' columns, in chart rows.

#include "analysis/session_loader.h"

#include <memory>

namespace zuv {

// `measures` and `alarms` are the charts' own data; they must outlive the
// loader.
std::unique_ptr<SessionLoader> chartLoader(ChartData& measures, ChartData& alarms);

} // namespace zuv
