#pragma once

#include "platform/dialogs.h"

namespace zuv {

// File dialogs as QFileDialog.
class QtDialogs final : public DialogService {
public:
    QString askFile(const FileDialogRequest& request) override;
};

} // namespace zuv
