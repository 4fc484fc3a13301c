#pragma once
// The analysis's messages built from the language file: the "missing file"
// message, and what a load could not read as it stood.

#include "project/state.h"

#include <QString>
#include <QStringList>

namespace zuv {

// Texts 328 and 329 around `file` (a name or a path): the file is missing
// or cannot be read.
QString missingFileText(const QString& file);

// One thing a load could not read as it stood, after the path of its file.
QString fileWarning(const QString& file, const QString& warning);

// Warnings of a load shown in its message; the rest are counted.
inline constexpr int kWarningsShown = 12;

// The message of a load that kept what it could read: the first
// `kWarningsShown` warnings, then text 367 with the number of those not
// shown (the `leftOut` the reader found beyond its list included). Empty
// when there is nothing to say.
QString loadWarningsText(const QStringList& warnings, qint64 leftOut);

} // namespace zuv
