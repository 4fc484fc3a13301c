#include "platform/dialogs.h"

#include <cstdio>

namespace zuv {
namespace {

class NoDialogs final : public DialogService {
public:
    QString askFile(const FileDialogRequest& request) override
    {
        std::fprintf(stderr, "no file dialog to show: %s\n", qPrintable(request.title));
        return QString();
    }
    std::optional<quint32> askColour(quint32) override
    {
        std::fprintf(stderr, "no colour dialog to show\n");
        return std::nullopt;
    }
};

DialogService* g_dialogs = nullptr;

} // namespace

DialogService& dialogs()
{
    static NoDialogs none;
    return g_dialogs ? *g_dialogs : none;
}

void setDialogs(DialogService* service) { g_dialogs = service; }

} // namespace zuv
