#pragma once
// The lap report: the grid of completed laps (session number, lap number,
// lap time, average speed), which the grid sorts (analysis/grid_sort.h),
// and the printout, 80 laps a page in two groups of 40 under a frame with
// the session's data. Positions on the page are centimetres from the
// top-left corner of the printable area, handed to the printer in twips.

#include "project/print_texts.h"
#include "project/state.h"

#include <QString>
#include <array>
#include <functional>
#include <vector>

namespace zuv {

class PrintJob;
class PrinterService;

// What the report reads of the analysis window; lap k is lap-table row k + 1.
struct ReportSource {
    int intGiriCompletati = 0;
    std::function<QString(int numGiro)> GetSessioneTempo;
    std::function<QString(int numGiro)> GetTempoGiro;
    std::function<QString(int numGiro)> GetVelocitaGiro;
};

using ReportRow = std::array<QString, 4>;

// Rows of the grid, the heading row included; at least that one.
int reportGridRows(int intGiriCompletati);
// Texts 194, 110, 111 and 112 followed by " (Km/h)".
ReportRow reportHeadings();
// The data rows, laps 1 to n in order: session, lap number, time, speed.
std::vector<ReportRow> reportRows(const ReportSource& laps);
// 2, 1.5, 2.5 and 3.8 tenths of the grid's width.
std::array<int, 4> reportWidths(int gridWidth);

inline constexpr int kLapsPerPage = 80;

// Every page of the report on `job`, laps in lap order, a new page between
// pages; nothing for no lap. The document is not ended.
void printReportPages(PrintJob& job, const ReportSource& laps, const SessionRecord& session);

// Prints the report on `printer` (title text 115) and sends it. No lap:
// nothing is begun.
PrintResult printLapReport(PrinterService& printer, const ReportSource& laps, const SessionRecord& session);

} // namespace zuv
