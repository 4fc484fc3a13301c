#pragma once
// The analysis's messages built from the language file: the "missing file"
// message, and what a load could not read as it stood.

#include "analysis/load_warnings.h"
#include "project/state.h"

#include <QString>
#include <QStringList>

namespace zuv {

// Texts 328 and 329 around `file` (a name or a path): the file is missing
// or cannot be read.
QString missingFileText(const QString& file);

// One warning as its message says it: the path of its file, ": " and what
// was wrong (texts 361 to 366, or the system's reason). A file that could
// not be written is said as a missing one, the reason on the next line.
QString warningText(const LoadWarning& w);
QStringList warningTexts(const LoadWarnings& w);

// Warnings of a load shown in its message; the rest are counted.
inline constexpr int kWarningsShown = 12;

// The message of a load that kept what it could read: the first
// `kWarningsShown` warnings, then text 367 with the number of those not
// shown (those found beyond the list included). Empty when there is
// nothing to say.
QString loadWarningsText(const LoadWarnings& warnings);

} // namespace zuv
