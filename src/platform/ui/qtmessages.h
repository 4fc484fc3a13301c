#pragma once

#include "platform/messages.h"

class QWidget;

namespace zuv {

// Message boxes as QMessageBox. The answer is the button the user clicked,
// found by the button itself; a box closed with Esc or its close box gives
// the answer of its Cancel (or No, or for a box that only informs, OK).
// The box is its owner's, or the window's in front when the owner is not on
// screen; once answered, its window is brought forward and active again.
class QtMessages final : public MessageService {
public:
    MsgAnswer show(const QString& text, MsgIcon icon, MsgButtons buttons, const QString& title,
                   QObject* owner) override;

    // The window a box or a file dialog belongs to: the modal window in
    // front, else the active one.
    static QWidget* ownerWindow();
};

} // namespace zuv
