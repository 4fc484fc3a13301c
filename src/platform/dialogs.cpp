#include "platform/dialogs.h"

namespace zuv {
namespace {
DialogService* g_dialogs = nullptr;
}

DialogService& dialogs()
{
    static DialogRecorder none;
    return g_dialogs ? *g_dialogs : none;
}

void setDialogs(DialogService* service) { g_dialogs = service; }

QString DialogRecorder::askFile(const FileDialogRequest& request)
{
    asked.push_back(request);
    if (answers.empty())
        return QString();
    QString a = answers.front();
    answers.pop_front();
    return a;
}

} // namespace zuv
