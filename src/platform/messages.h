#pragma once
// Message boxes behind one service: the window build shows QMessageBox,
// tests script the answers and read back what was shown.

#include <QString>

class QObject;

namespace zuv {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No, Retry };

class MessageService {
public:
    virtual ~MessageService() = default;
    // `owner` is the window the box belongs to, the one the user goes back
    // to once it is answered; nullptr lets the service take the window in
    // front.
    virtual MsgAnswer show(const QString& text, MsgIcon icon, MsgButtons buttons, const QString& title,
                           QObject* owner) = 0;
};

// The executable's name: the title of every message box unless one is given.
QString appTitle();

MessageService& messages();
void setMessages(MessageService* service);

// Shows a message titled with the executable's name unless `title` is given.
MsgAnswer msgBox(const QString& text, MsgIcon icon = MsgIcon::None,
                 MsgButtons buttons = MsgButtons::Ok, const QString& title = QString());
// The same, a box of the window `owner` (a dialog's own message).
MsgAnswer msgBox(QObject* owner, const QString& text, MsgIcon icon = MsgIcon::None,
                 MsgButtons buttons = MsgButtons::Ok, const QString& title = QString());

// The answer of a box closed without a button (Esc, the close box): Cancel,
// or No where there is no Cancel, or OK for a box that only informs.
MsgAnswer cancelAnswer(MsgButtons buttons);

} // namespace zuv
