#pragma once
// Message boxes behind one service: the window build shows QMessageBox,
// tests script the answers and read back what was shown.

#include <QString>
#include <deque>
#include <vector>

namespace zuv {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No, Retry };

class MessageService {
public:
    virtual ~MessageService() = default;
    virtual MsgAnswer show(const QString& text, MsgIcon icon, MsgButtons buttons,
                           const QString& title) = 0;
};

// The executable's name: the title of every message box unless one is given.
QString appTitle();

MessageService& messages();
void setMessages(MessageService* service);

// Shows a message titled with the executable's name unless `title` is given.
MsgAnswer msgBox(const QString& text, MsgIcon icon = MsgIcon::None,
                 MsgButtons buttons = MsgButtons::Ok, const QString& title = QString());

struct ShownMessage {
    QString text;
    MsgIcon icon;
    MsgButtons buttons;
    QString title;
};

// Keeps every message and answers from a script; with the script empty it
// gives the first button's answer (OK, Yes or Retry).
class MessageRecorder final : public MessageService {
public:
    MsgAnswer show(const QString& text, MsgIcon icon, MsgButtons buttons,
                   const QString& title) override;

    std::vector<ShownMessage> shown;
    std::deque<MsgAnswer> answers;

    void clear()
    {
        shown.clear();
        answers.clear();
    }
};

} // namespace zuv
