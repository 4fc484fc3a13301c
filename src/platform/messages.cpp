#include "platform/messages.h"

#include "platform/service.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

namespace zuv {

QString appTitle()
{
    if (QCoreApplication::instance()) {
        const QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
        if (!name.isEmpty())
            return name;
    }
    return QStringLiteral("zuv");
}

MsgAnswer cancelAnswer(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok: return MsgAnswer::Ok;
    case MsgButtons::YesNo: return MsgAnswer::No;
    case MsgButtons::OkCancel:
    case MsgButtons::YesNoCancel:
    case MsgButtons::RetryCancel: return MsgAnswer::Cancel;
    }
    return MsgAnswer::Cancel;
}

namespace {

// Without windows (a tool, or before the window service is set) messages go
// to the standard error stream, and a question nobody can see is declined.
class StderrMessages final : public MessageService {
public:
    MsgAnswer show(const QString& text, MsgIcon, MsgButtons buttons, const QString& title, QObject*) override
    {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
        return cancelAnswer(buttons);
    }
};

constinit ServiceHolder<MessageService, StderrMessages> g_messages;

} // namespace

MessageService& messages() { return g_messages.get(); }

void setMessages(MessageService* service) { g_messages.set(service); }

MsgAnswer msgBox(const QString& text, MsgIcon icon, MsgButtons buttons, const QString& title)
{
    return msgBox(nullptr, text, icon, buttons, title);
}

MsgAnswer msgBox(QObject* owner, const QString& text, MsgIcon icon, MsgButtons buttons, const QString& title)
{
    return messages().show(text, icon, buttons, title.isEmpty() ? appTitle() : title, owner);
}

} // namespace zuv
