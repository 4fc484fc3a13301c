#pragma once
// The one reader of the session files (data and alarms): ";"-separated text
// with a header line, "." or "," as decimal point, CR LF or LF line ends.
// Every numeric field lands in one contiguous block of doubles, column by
// column, so statistics and traces read memory, never the file again.
//
// Blank lines (empty, or only blanks and CR) are no rows; the header is the
// first line that is not blank. A field that is empty or blank reads as 0; a
// field that is not a number (text, too long, out of range) reads as 0 and is
// reported. A row with fewer fields than the columns asked for gets 0 where
// they are missing; fields past the columns asked for are not read. A row's
// field k always lands in column k: nothing shifts.

#include "analysis/load_warnings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace zuv {

// More columns than this are never kept, whatever the header says (a binary
// file read by mistake must not ask for a table of millions of columns).
inline constexpr int kMaxDelimitedColumns = 256;
// At most this many warnings of a read are kept; the others are only
// counted.
inline constexpr int kMaxDelimitedWarnings = 30;

struct DelimitedOptions {
    // Columns to keep; -1 keeps as many as the header line has fields, but
    // no more than `maxColumns`.
    int columns = -1;
    int maxColumns = kMaxDelimitedColumns;
    // Threads that share the work; 0 chooses by the size of the input.
    int threads = 0;
    // Bytes per piece of work; 0 chooses by the size of the input.
    qint64 chunkBytes = 0;
};

// Memory for a large table: zeros fresh from the system, untouched until
// written (so the threads that fill it share the cost of the first touch),
// in large pages where the system offers them. Free with the same size.
void* allocateTable(std::size_t bytes);
void freeTable(void* p, std::size_t bytes) noexcept;

// Leaves new elements as they are: the reader writes every cell itself, and
// a table of millions of cells is not zeroed first only to be overwritten.
template <class T>
struct UninitAllocator {
    using value_type = T;
    UninitAllocator() = default;
    template <class U>
    UninitAllocator(const UninitAllocator<U>&) noexcept
    {
    }
    T* allocate(std::size_t n) { return static_cast<T*>(allocateTable(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { freeTable(p, n * sizeof(T)); }
    template <class U, class... Args>
    void construct(U* p, Args&&... args)
    {
        if constexpr (sizeof...(Args) == 0)
            ::new (static_cast<void*>(p)) U;
        else
            ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
    template <class U>
    bool operator==(const UninitAllocator<U>&) const noexcept
    {
        return true;
    }
};

struct DelimitedTable {
    // The header line split at ";", decoded from Windows-1252 (from UTF-8
    // after a byte-order mark). A ";" at the end of the line gives one more,
    // empty, name.
    QStringList headers;
    // The header line as it stands, without its line end.
    QString headerLine;
    int columns = 0;
    qint64 rows = 0;
    // Column-major: cell (c, r) is cells[c * rows + r], c and r from 0.
    std::vector<double, UninitAllocator<double>> cells;
    // What could not be read as it stood (a field that is not a number, a
    // line with too many or too few fields, ...), a few dozen listed and
    // all counted; the load goes on and keeps what it could read.
    LoadWarnings warnings;

    std::span<const double> column(int c) const;
    double at(int c, qint64 r) const { return cells[std::size_t(c * rows + r)]; }
};

// Percent read so far, 0..100, a few dozen calls per file at most.
using ReadProgress = std::function<void(int percent)>;

// Nothing, with the system's reason in `error`, when the file cannot be read.
std::optional<DelimitedTable> readDelimitedFile(const QString& path,
                                                const DelimitedOptions& options = {},
                                                const ReadProgress& progress = {},
                                                QString* error = nullptr);

// A file made ready for reading in two steps: opening finds the
// header and counts the data rows exactly, so the caller can size its table
// once; `fill` then reads every row in one forward pass straight into the
// caller's table. A file is read a piece at a time, never held whole.
class DelimitedSource {
public:
    DelimitedSource();
    ~DelimitedSource();
    DelimitedSource(DelimitedSource&&) noexcept;
    DelimitedSource& operator=(DelimitedSource&&) noexcept;

    static std::optional<DelimitedSource> open(const QString& path,
                                               const DelimitedOptions& options = {},
                                               QString* error = nullptr);
    // The header line of a file, found as `open` finds it (after a UTF-8
    // byte-order mark and any blank lines, up to a CR LF, an LF, or a CR
    // alone where the file has no LF), without reading on; nothing when the
    // file cannot be read.
    static std::optional<QString> readHeaderLine(const QString& path, QString* error = nullptr);

    const QStringList& headers() const;
    const QString& headerLine() const;
    qint64 rows() const;
    // What the header gave to report (a line too long to be a header, ...).
    const LoadWarnings& warnings() const;

    // Rows stored so far, called from the calling thread only, a few dozen
    // times at most; the last call gives the rows stored in all.
    using RowProgress = std::function<void(qint64 rowsDone)>;

    // Stores field c of data row r at dest[c * columnStride + r] for
    // c < columns and r < maxRows, 0 where the row has no such field. Rows
    // from maxRows on are not read. A few dozen warnings are listed in
    // `warnings`, and all of them counted.
    void fill(double* dest, qint64 columnStride, int columns, qint64 maxRows,
              const RowProgress& progress = {}, LoadWarnings* warnings = nullptr) const;

private:
    // The file opened, nothing read yet.
    static std::optional<DelimitedSource> openUnread(const QString& path, QString* error);

    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace zuv
