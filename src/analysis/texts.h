#pragma once
// The language file's "missing file" message, as the analysis shows it.

#include "project/state.h"

#include <QString>

namespace zuv {

// Texts 328 and 329 around `file` (a name or a path): the file is missing
// or cannot be read.
QString missingFileText(const QString& file);

} // namespace zuv
