#include "platform/messages.h"

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

namespace {

MsgAnswer firstAnswer(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
        return MsgAnswer::Yes;
    case MsgButtons::RetryCancel:
        return MsgAnswer::Retry;
    default:
        return MsgAnswer::Ok;
    }
}

// Without windows (a tool, or before the window service is set) messages go
// to the standard error stream.
class StderrMessages final : public MessageService {
public:
    MsgAnswer show(const QString& text, MsgIcon, MsgButtons buttons, const QString& title) override
    {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
        return firstAnswer(buttons);
    }
};

MessageService* g_messages = nullptr;

} // namespace

MessageService& messages()
{
    static StderrMessages fallback;
    return g_messages ? *g_messages : fallback;
}

void setMessages(MessageService* service) { g_messages = service; }

MsgAnswer msgBox(const QString& text, MsgIcon icon, MsgButtons buttons, const QString& title)
{
    return messages().show(text, icon, buttons, title.isEmpty() ? appTitle() : title);
}

MsgAnswer MessageRecorder::show(const QString& text, MsgIcon icon, MsgButtons buttons,
                                const QString& title)
{
    shown.push_back({text, icon, buttons, title});
    if (answers.empty())
        return firstAnswer(buttons);
    const MsgAnswer a = answers.front();
    answers.pop_front();
    return a;
}

} // namespace zuv
