#include "analysis_fast/dati.h"

#include "analysis/chart_data.h"
#include "analysis/delimited_reader.h"

#include <algorithm>

namespace zuv {

void Dati::release()
{
    freeTable(block_, cells_ * sizeof(double));
    block_ = nullptr;
    cells_ = 0;
}

void Dati::reset(int fieldsNum, qint64 numRecord)
{
    release();
    fieldsNum_ = 0;
    numRecord_ = 0;
    const int fields = std::max(fieldsNum, 0);
    const qint64 records = std::max<qint64>(numRecord, 0);
    const std::size_t cells = std::size_t(fields + std::min(kLapNumberColumn, fields)) * std::size_t(records + 1);
    if (fields > 0)
        block_ = static_cast<double*>(allocateTable(cells * sizeof(double))); // zeros
    cells_ = fields > 0 ? cells : 0;
    fieldsNum_ = fields;
    numRecord_ = records;
}

int Dati::storedColumns(int table) const
{
    if (table == 0)
        return fieldsNum_;
    if (table == 1)
        return std::min(kLapNumberColumn, fieldsNum_);
    return 0;
}

const double* Dati::stored(int column, int table) const
{
    if (!block_ || column < 1 || column > storedColumns(table))
        return nullptr;
    const qint64 index = (table == 0 ? 0 : storedColumns(0)) + column - 1;
    return block_ + index * stride();
}

double* Dati::columnData(int column, int table) { return const_cast<double*>(stored(column, table)); }

std::span<const double> Dati::rows(int column, int table) const
{
    const double* c = stored(column, table);
    return c ? std::span<const double>(c, std::size_t(stride())) : std::span<const double>();
}

namespace {

// The stored values of rows da..a that lie inside the table; none for a
// column that is not stored, whose cells all read 0.
std::span<const double> range(const Dati& tables, int c, qint64 da, qint64 a)
{
    const qint64 lo = std::max<qint64>(da, 0);
    const qint64 hi = std::min<qint64>(a, tables.NumRecord());
    const std::span<const double> all = tables.rows(c, 0);
    if (lo > hi || all.empty())
        return {};
    return all.subspan(std::size_t(lo), std::size_t(hi - lo + 1));
}

} // namespace

double GetMaxMisura(const Dati& tables, int c, qint64 da, qint64 a) { return maximumOf(range(tables, c, da, a)); }

double GetMinMisura(const Dati& tables, int c, qint64 da, qint64 a) { return minimumOf(range(tables, c, da, a)); }

double GetMediaMisura(const Dati& tables, int c, qint64 da, qint64 a) { return averageOf(range(tables, c, da, a)); }

std::vector<qint32> rowLapNumbers(const Dati& tables)
{
    std::vector<qint32> out(std::size_t(tables.NumRecord() + 1));
    for (std::size_t r = 0; r < out.size(); ++r)
        out[r] = lapNumberFromValue(tables(kLapNumberColumn, 1, qint64(r)));
    return out;
}

} // namespace zuv
