#pragma once
// The fast-loading window's in-memory table `Dati` and the statistics it
// computes from it. Table 0 holds the data file, table 1 the alarms file;
// every later view of the session reads this memory, never the files.

#include "shell/file_layout.h"

#include <QtGlobal>
#include <span>
#include <vector>

namespace zuv {

// Dati(column, table, row) with column 0..FieldsNum, table 0..2 and row
// 0..NumRecord, all bounds included, in one contiguous block of doubles.
// Only what a load can fill is stored: columns 1..FieldsNum of table 0 and
// columns 1..min(11, FieldsNum) of table 1 (the alarms file's, up to its
// lap number), each with rows 0..NumRecord.
// Every other cell, and every index outside the bounds, reads as 0.
class Dati {
public:
    Dati() = default;
    ~Dati() { release(); }
    Dati(const Dati&) = delete;
    Dati& operator=(const Dati&) = delete;

    // A new table, all zeros. The memory is taken once and only touched
    // when it is written.
    void reset(int fieldsNum, qint64 numRecord);

    int FieldsNum() const { return fieldsNum_; }
    qint64 NumRecord() const { return numRecord_; }

    double operator()(int column, int table, qint64 row) const
    {
        const double* c = stored(column, table);
        return c && row >= 0 && row <= numRecord_ ? c[row] : 0.0;
    }

    // Rows 0..NumRecord of a stored column; empty when it is not stored.
    std::span<const double> rows(int column, int table) const;
    // Where the loader writes: column `column` of `table`, rows follow each
    // other, the next column starts `stride()` doubles further on.
    double* columnData(int column, int table);
    qint64 stride() const { return numRecord_ + 1; }
    int storedColumns(int table) const;
    std::size_t bytes() const { return cells_ * sizeof(double); }

private:
    const double* stored(int column, int table) const;

    void release();

    double* block_ = nullptr;
    std::size_t cells_ = 0;
    int fieldsNum_ = 0;
    qint64 numRecord_ = 0;
};

// Statistics of column c of table 0 over rows da..a, both included. Rows
// outside 0..NumRecord are left out; an empty range (a < da) gives 0.
double GetMaxMisura(const Dati& tables, int c, qint64 da, qint64 a);
double GetMinMisura(const Dati& tables, int c, qint64 da, qint64 a);
double GetMediaMisura(const Dati& tables, int c, qint64 da, qint64 a);

// The lap number of each row of the table, element r = Dati(11, 1, r) as
// the nearest whole number (halves to even) for r = 0..NumRecord: the array
// the alarms chart takes its lap boundaries from (`lapBoundsFromTableRows`,
// analysis/chart_data.h).
std::vector<qint32> rowLapNumbers(const Dati& tables);

} // namespace zuv
