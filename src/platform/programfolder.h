#pragma once
// The folder beside the program: LANGUAGES.DAT, RecentFiles.ini, sensors/
// and tracks/ live there.

#include <QString>

namespace zuv {

// The executable's folder unless a test set another.
QString programFolder();
void setProgramFolder(const QString& folder);

// `name` inside the program folder.
QString programFile(const QString& name);

// A folder or file `name` inside `folder`, matched without regard to case
// so that folders copied from a Windows machine are found; the exact name
// when nothing matches.
QString findEntryNoCase(const QString& folder, const QString& name);

// True when `path` names a folder part ("/" here, also "\" on Windows).
bool hasFolderPart(const QString& path);

} // namespace zuv
