#pragma once
// The data side of a session chart: the file it reads, its columns, range
// statistics between two cells and the lap boundaries. Rows are numbered as
// the chart numbers them: row 1 is the header line, data rows follow from
// row 2. A cell is a column letter "A".."T" followed by a row, as "C12".

#include "analysis/delimited_reader.h"

#include <QString>
#include <optional>
#include <span>
#include <vector>

namespace zuv {

// Columns "A".."T": a file with more keeps the first 20.
inline constexpr int kMaxChartColumns = 20;
// The instrument holds at most 999 laps; with "Start" and "End" the lap
// numbers run 0..1000. Larger ones, like negative ones, belong to no lap.
inline constexpr qint32 kMaxLapNumber = 1000;

struct CellRef {
    int column = 0; // 1 for "A"
    qint64 row = 0;
};
// "A".."T" (either case) followed directly by the row's digits.
std::optional<CellRef> parseCellRef(QStringView text);
// "C12": the cell of column c (1 for "A") at a row.
QString cellRef(int column, qint64 row);

// First and end row of each lap-table row, in the numbering of the input
// they were taken from. Lap-table row r holds the rows whose lap number is
// r - 1; a lap number that never occurs gives first == end.
struct LapBounds {
    std::vector<qint64> InizioGiro;
    std::vector<qint64> FineGiro;

    int rowCount() const { return int(InizioGiro.size()); }
    // Rows beyond the arrays read as empty laps (0, 0).
    qint64 first(int row) const;
    qint64 end(int row) const;
};

// Lap numbers by row; element k stands for row `firstRow` + k. Rows with a
// negative lap number belong to no lap. The arrays have one
// entry per lap-table row up to that of the largest lap number, entry 0
// unused; a lap number that never occurs gives first == end == 0.
LapBounds lapBoundsFromNumbers(std::span<const qint32> lapNumbers, qint64 firstRow = 0);

// The array form the in-memory table hands over: the lap numbers of its
// rows 0 to NumRecord. Its last row is the zero row past the data, which
// belongs to no lap, so "Start" never runs to the end of the session.
LapBounds lapBoundsFromTableRows(std::span<const qint32> lapNumbers);

// The statistics of a range of values, for the chart's data and the
// in-memory table alike; 0 for no value.
double maximumOf(std::span<const double> values);
double minimumOf(std::span<const double> values);
double averageOf(std::span<const double> values);

// The lap number a stored value stands for: the nearest whole number,
// halves to even; -1 (no lap) outside the 32-bit range.
qint32 lapNumberFromValue(double value);

class ChartData {
public:
    bool loadFile(const QString& path, const ReadProgress& progress = {}, QString* error = nullptr);
    void clear();

    int columnCount() const { return table_.columns; }
    qint64 dataRows() const { return table_.rows; }
    // Column numbers from 1, as the cell letters count.
    QString header(int column) const;
    std::span<const double> column(int column) const;
    // The value at a chart row; nothing for the header row or outside.
    std::optional<double> valueAt(int column, qint64 chartRow) const;

    // Over the data rows between two cells of one column, both included, in
    // either order; rows outside the data are left out. 0 when none is left
    // or the references are not cells.
    double rangeMaximum(QStringView from, QStringView to) const;
    double rangeMinimum(QStringView from, QStringView to) const;
    double rangeAverage(QStringView from, QStringView to) const;

    // Lap boundaries from the lap-number column that starts at `firstCell`
    // ("K1"), in chart rows; the header row belongs to no lap. Each value
    // counts as the whole number nearest to it, halves to even.
    LapBounds lapBoundaries(QStringView firstCell) const;

    const DelimitedTable& table() const { return table_; }

private:
    DelimitedTable table_;
};

} // namespace zuv
