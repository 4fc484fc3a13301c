#pragma once
// What a load could not take as it stood, as values: the reader's findings
// in a file (a field that is not a number, a short line, ...) and the
// loaders' own (a file that cannot be opened, a table too large for memory,
// a file that cannot be written). The load goes on and keeps what it could;
// the texts the user reads are made from these in one place
// (analysis/texts.h).

#include <QString>
#include <QtGlobal>
#include <vector>

namespace zuv {

struct LoadWarning {
    enum class Kind {
        // Field `field` of line `line` holds `value` (its first characters),
        // which is not a number; it reads as 0.
        NotANumber,
        // Line `line` has `count` fields where the header has `limit`.
        FieldCount,
        // The header, line `line`, is `count` bytes long; only the first
        // `limit` are read.
        LongHeader,
        // `count` columns; only the first `limit` are read.
        TooManyColumns,
        // `count` rows are too many; only the first `limit` are read.
        TooManyRows,
        // `count` rows of `limit` columns do not fit in memory; none is read.
        NoMemory,
        // The file cannot be read; `value` is the system's reason.
        Unreadable,
        // The file cannot be written; `value` is the system's reason.
        NotWritten,
    };
    Kind kind = Kind::NotANumber;
    // The file it is about; empty while it is only the reader's.
    QString file;
    qint64 line = 0;
    int field = 0;
    QString value;
    qint64 count = 0;
    qint64 limit = 0;

    bool operator==(const LoadWarning&) const = default;
};

// The first few dozen warnings in full, and how many were found in all.
struct LoadWarnings {
    std::vector<LoadWarning> listed;
    qint64 total = 0;

    bool empty() const { return total == 0; }
    qint64 notListed() const { return total - qint64(listed.size()); }
    void add(LoadWarning w);
    // Those of `more`, each naming `file` where it names none yet.
    void append(const LoadWarnings& more, const QString& file = QString());

    bool operator==(const LoadWarnings&) const = default;
};

} // namespace zuv
