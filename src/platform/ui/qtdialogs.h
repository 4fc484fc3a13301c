#pragma once

#include "platform/dialogs.h"

namespace zuv {

// File dialogs as Qt's own QFileDialog (not the desktop's), so that they
// speak the program's language. A name typed without an extension in a
// save dialog gets the filter's.
class QtDialogs final : public DialogService {
public:
    QString askFile(const FileDialogRequest& request) override;
    // QColorDialog, also Qt's own.
    std::optional<quint32> askColour(quint32 initial) override;
};

} // namespace zuv
