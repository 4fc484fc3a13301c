#pragma once
// The project file: the magic line "ZUVProject", then one "ID_<field>=value"
// line per field of `DatiProgetto` in record order. Values are read back by
// position; the keys are for the reader's eye only.

#include <QString>
#include <array>

namespace zuv {

// The values of the file being read, by position; emptied at each read.
extern std::array<QString, 201> ValoriProgetto;

// `DatiProgetto` becomes a new project and the project commands that need
// one are enabled. Path, modified flag and Save items are the caller's.
void NuovoProgetto();

// Checks the file at `path` (a bare file name is taken from the program
// folder) and applies its values. False, with a message, when the file is
// missing or is not a project file: the record is then untouched.
bool CaricaProgetto(const QString& path);

// `ValoriProgetto` into `DatiProgetto` by position. The first value that
// does not convert stops the copying; that field and the later ones take
// their new-project values, never the previous project's.
void ApplicaValoriProgetto();

// Writes `DatiProgetto` to `PercorsoFileProgetto` and shows the project as
// saved. A file that cannot be written gets a message and false; the old
// file, the record and `ProgettoModificato` stay as they were.
bool SalvaProgetto();

} // namespace zuv
