#pragma once
// A menu command's caption where it titles something else: without its
// mnemonic marks, as the title of the command's file dialog. The project,
// export and analysis commands all title their dialogs so.

#include "platform/dialogs.h"

#include <QString>

namespace zuv {

// A caption without its "&" mnemonic marks ("&&" stays one "&").
QString withoutMnemonic(const QString& caption);

// The file dialog of a menu command: titled with the command's caption,
// language text `caption`, without its mnemonic.
FileDialogRequest commandFileDialog(bool save, int caption, const QString& filter,
                                    const QString& folder = QString());

} // namespace zuv
