#pragma once
// The recent projects of the Project File menu with the analysis-window
// choice ("RecentFiles.ini" beside the program: a "1" or "0" flag line,
// then up to four paths, newest first), and the circuit names of the
// folder "tracks".

namespace zuv {

// Fills `FileRecenti`, `NumFileRecenti` and the recent-file menu items from
// the file; a line "0" or "1" sets `UsaAnalisiSpeed`. Blank lines and
// repeated paths are skipped, paths past the fourth ignored. A missing file
// gives an empty list and leaves the flag as it was.
void CaricaFileRecenti();

// `NumFileRecenti` and the menu items from `FileRecenti` as it stands in
// memory, whether or not the file could be written.
void showRecentFiles();

// Puts `PercorsoDaAprire` (when not empty) at the top of `FileRecenti`
// without repeating it, keeps at most four, and writes the file. With
// `PercorsoDaAprire` empty the list is written unchanged. A file that cannot
// be written gives false and the old file stays; the list in memory is
// updated all the same. Its message, with the system's reason, shows once
// for a file, not again until a write there has worked.
bool SalvaFileRecenti();

// Appends to `ListaTracciati`, in name order, every file name of the tracks
// folder whose last three characters are "trk" in these letters, less its
// last four characters. A missing folder leaves the list as it was.
void CaricaListaTracciati();

} // namespace zuv
