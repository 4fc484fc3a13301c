#pragma once
// Qt's own texts (the standard buttons, the file dialogs, the
// edit boxes' menus) in the program's language: Qt's Italian catalog for
// language index 0, none (Qt's English) for any other.

namespace zuv {

// Puts in place the catalog for `languageIndex`, once per change. False when
// the Italian catalog cannot be loaded (Qt's texts then stay English) or
// there is no application to install it in.
bool useQtLanguage(int languageIndex);

} // namespace zuv
