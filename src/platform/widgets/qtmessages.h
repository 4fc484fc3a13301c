#pragma once

#include "platform/messages.h"

namespace zuv {

// Message boxes as QMessageBox.
class QtMessages final : public MessageService {
public:
    MsgAnswer show(const QString& text, MsgIcon icon, MsgButtons buttons,
                   const QString& title) override;
};

} // namespace zuv
