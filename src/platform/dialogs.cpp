#include "platform/dialogs.h"

#include "platform/service.h"

#include <cstdio>

namespace zuv {
namespace {

// Without windows every dialog is cancelled, and says so on the standard
// error stream.
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

constinit ServiceHolder<DialogService, NoDialogs> g_dialogs;

} // namespace

DialogService& dialogs() { return g_dialogs.get(); }

void setDialogs(DialogService* service) { g_dialogs.set(service); }

} // namespace zuv
