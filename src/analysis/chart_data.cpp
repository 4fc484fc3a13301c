#include "analysis/chart_data.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zuv {

std::optional<CellRef> parseCellRef(QStringView text)
{
    if (text.size() < 2 || text.size() > 19)
        return std::nullopt;
    const char16_t letter = QChar::toUpper(text[0].unicode());
    if (letter < u'A' || letter >= u'A' + kMaxChartColumns)
        return std::nullopt;
    qint64 row = 0;
    for (qsizetype i = 1; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        row = row * 10 + (c - u'0');
    }
    return CellRef{int(letter - u'A') + 1, row};
}

QString cellRef(int column, qint64 row)
{
    return QChar(char16_t(u'A' + column - 1)) + QString::number(row);
}

qint64 LapBounds::first(int row) const
{
    return row >= 0 && row < int(InizioGiro.size()) ? InizioGiro[std::size_t(row)] : 0;
}

qint64 LapBounds::end(int row) const
{
    return row >= 0 && row < int(FineGiro.size()) ? FineGiro[std::size_t(row)] : 0;
}

LapBounds lapBoundsFromNumbers(std::span<const qint32> lapNumbers, qint64 firstRow)
{
    qint32 top = -1;
    for (const qint32 n : lapNumbers)
        if (n <= kMaxLapNumber)
            top = std::max(top, n);
    LapBounds b;
    if (top < 0)
        return b;
    const std::size_t size = std::size_t(top) + 2;
    b.InizioGiro.assign(size, 0);
    b.FineGiro.assign(size, 0);
    std::vector<bool> seen(size, false);
    for (std::size_t k = 0; k < lapNumbers.size(); ++k) {
        const qint32 n = lapNumbers[k];
        if (n < 0 || n > kMaxLapNumber)
            continue;
        const std::size_t r = std::size_t(n) + 1;
        const qint64 row = firstRow + qint64(k);
        if (!seen[r]) {
            seen[r] = true;
            b.InizioGiro[r] = row;
        }
        b.FineGiro[r] = row;
    }
    return b;
}

LapBounds lapBoundsFromTableRows(std::span<const qint32> lapNumbers)
{
    return lapBoundsFromNumbers(lapNumbers.first(lapNumbers.empty() ? 0 : lapNumbers.size() - 1));
}

qint32 lapNumberFromValue(double value)
{
    const double r = std::nearbyint(value);
    if (!(r >= double(std::numeric_limits<qint32>::min()) &&
          r <= double(std::numeric_limits<qint32>::max())))
        return -1;
    return qint32(r);
}

bool ChartData::loadFile(const QString& path, const ReadProgress& progress, QString* error)
{
    DelimitedOptions options;
    options.maxColumns = kMaxChartColumns;
    std::optional<DelimitedTable> t = readDelimitedFile(path, options, progress, error);
    if (!t) {
        clear();
        return false;
    }
    table_ = std::move(*t);
    return true;
}

void ChartData::clear() { table_ = DelimitedTable(); }

QString ChartData::header(int column) const
{
    if (column < 1 || column > table_.columns || column > table_.headers.size())
        return QString();
    return table_.headers[column - 1];
}

std::span<const double> ChartData::column(int column) const { return table_.column(column - 1); }

std::optional<double> ChartData::valueAt(int column, qint64 chartRow) const
{
    const std::span<const double> values = this->column(column);
    const qint64 r = chartRow - 2;
    if (r < 0 || r >= qint64(values.size()))
        return std::nullopt;
    return values[std::size_t(r)];
}

namespace {

// The data values between two cells of one column, both rows included.
std::span<const double> cellRange(const ChartData& data, QStringView from, QStringView to)
{
    const std::optional<CellRef> a = parseCellRef(from);
    const std::optional<CellRef> b = parseCellRef(to);
    if (!a || !b || a->column != b->column)
        return {};
    const std::span<const double> values = data.column(a->column);
    const qint64 lo = std::max<qint64>(std::min(a->row, b->row), 2) - 2;
    const qint64 hi = std::min<qint64>(std::max(a->row, b->row) - 2, qint64(values.size()) - 1);
    if (lo > hi)
        return {};
    return values.subspan(std::size_t(lo), std::size_t(hi - lo + 1));
}

} // namespace

double maximumOf(std::span<const double> values)
{
    return values.empty() ? 0.0 : *std::max_element(values.begin(), values.end());
}

double minimumOf(std::span<const double> values)
{
    return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
}

double averageOf(std::span<const double> values)
{
    if (values.empty())
        return 0.0;
    double sum = 0;
    for (const double x : values)
        sum += x;
    return sum / double(values.size());
}

double ChartData::rangeMaximum(QStringView from, QStringView to) const { return maximumOf(cellRange(*this, from, to)); }

double ChartData::rangeMinimum(QStringView from, QStringView to) const { return minimumOf(cellRange(*this, from, to)); }

double ChartData::rangeAverage(QStringView from, QStringView to) const { return averageOf(cellRange(*this, from, to)); }

LapBounds ChartData::lapBoundaries(QStringView firstCell) const
{
    const std::optional<CellRef> cell = parseCellRef(firstCell);
    if (!cell)
        return {};
    const std::span<const double> values = column(cell->column);
    const qint64 start = std::max<qint64>(cell->row, 2);
    if (start - 2 >= qint64(values.size()))
        return {};
    std::vector<qint32> numbers;
    numbers.reserve(values.size() - std::size_t(start - 2));
    for (std::size_t k = std::size_t(start - 2); k < values.size(); ++k)
        numbers.push_back(lapNumberFromValue(values[k]));
    return lapBoundsFromNumbers(numbers, start);
}

} // namespace zuv
