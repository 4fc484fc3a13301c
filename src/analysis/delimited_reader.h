#pragma once
// The one reader of the session files (data and alarms): ";"-separated text
// with a header line, "." or "," as decimal point, CR LF or LF line ends.
// Every numeric field lands in one contiguous block of doubles, column by
// column, so statistics and traces read memory, never the file again.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace zuv {

struct DelimitedOptions {
    // Columns to keep; -1 keeps as many as the header line has fields.
    int columns = -1;
};

struct DelimitedTable {
    // The header line split at ";", decoded from Windows-1252. A ";" at the
    // end of the line gives one more, empty, name.
    QStringList headers;
    // The header line as it stands, without its line end.
    QString headerLine;
    int columns = 0;
    qint64 rows = 0;
    // Column-major: cell (c, r) is cells[c * rows + r], c and r from 0.
    std::vector<double> cells;
    // What could not be read as it stood (a field that is not a number, a
    // line with too many or too few fields, ...), one text each, at most a
    // few dozen; the load goes on and keeps what it could read.
    QStringList warnings;

    std::span<const double> column(int c) const;
    double at(int c, qint64 r) const { return cells[std::size_t(c * rows + r)]; }
};

// Percent read so far, 0..100, a few dozen calls per file at most.
using ReadProgress = std::function<void(int percent)>;

DelimitedTable parseDelimited(QByteArrayView bytes, const DelimitedOptions& options = {},
                              const ReadProgress& progress = {});

// Nothing, with the system's reason in `error`, when the file cannot be read.
std::optional<DelimitedTable> readDelimitedFile(const QString& path,
                                                const DelimitedOptions& options = {},
                                                const ReadProgress& progress = {},
                                                QString* error = nullptr);

} // namespace zuv
