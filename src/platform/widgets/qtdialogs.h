#pragma once

#include "platform/dialogs.h"

namespace zuv {

// File dialogs as QFileDialog.
class QtDialogs final : public DialogService {
public:
    QString askFile(const FileDialogRequest& request) override;
    // QColorDialog, also Qt's own.
    std::optional<quint32> askColour(quint32 initial) override;
};

} // namespace zuv
