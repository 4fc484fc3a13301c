#pragma once
// Text files of the system: single-byte Windows-1252, lines ended by CR LF.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

class QSaveFile;

namespace zuv {

QString fromCp1252(QByteArrayView bytes);
// Characters outside Windows-1252 become '?'.
QByteArray toCp1252(QStringView text);

// Splits on LF and drops one CR before it, so files written on other
// systems read the same. A last line without terminator still counts.
QStringList splitLines(QByteArrayView bytes);

// The lines of a text file, or nothing when it cannot be opened.
std::optional<QStringList> readTextLines(const QString& path);

// Writes every line followed by CR LF, through a temporary file renamed
// over the target, so a failed write leaves the old file as it was.
bool writeTextLines(const QString& path, const QStringList& lines, QString* error = nullptr);

// Same, for bytes already encoded.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// The first half of a safe replace: opens `file` and writes `bytes` to its
// temporary copy, flushed and synced. Null when all of it is on disk (commit
// then replaces the target); else the system's reason, and nothing replaced.
QString writeAside(QSaveFile& file, const QByteArray& bytes);

} // namespace zuv
