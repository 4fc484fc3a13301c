#pragma once
// Texts the analysis shows in the language in use: the language file's
// "missing file" message, and whether our own texts (the ones the language
// file does not hold) are written in Italian.

#include <QString>

namespace zuv {

// True while the program speaks Italian.
bool italian();

// Texts 328 and 329 around `file` (a name or a path): the file is missing
// or cannot be read.
QString missingFileText(const QString& file);

} // namespace zuv
