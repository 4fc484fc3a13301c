#pragma once
// The language database LANGUAGES.DAT beside the program: line 1 the
// current language (0 Italiano, 1 English), line 2 "key=count", then count
// "key=text" lines, the Italian half first and the English half after it.

#include <QString>

namespace zuv {

// Loads the database into `TabellaLingua`. A missing or broken file shows
// its fixed message and gives false, leaving the table as it was; the
// caller then ends the program.
bool CaricaLingue();

// `OffsetLingua` = `NumTestiLingua` x `IndiceLingua`; 0 when that would not
// fit the table or 16 bits.
void computeLanguageOffset();

// Stores `index` (0 or 1) as line 1 of the database. Only that line is
// replaced, the rest of the file stays byte for byte; a file that cannot be
// read or written gives false with the reason and is left as it was.
bool writeLanguageIndex(int index, QString* error = nullptr);

} // namespace zuv
