#include "platform/mainsurface.h"

namespace zuv {
namespace {

class NoSurface final : public MainSurface {
public:
    void setMenuEnabled(const QString&, bool) override {}
    void setButtonEnabled(const QString&, bool) override {}
    void setPanelText(int, const QString&) override {}
    void setPanelPicture(int, PanelPicture) override {}
    void setRecentItem(int, bool, const QString&) override {}
    void setBusy(bool) override {}
};

MainSurface* g_surface = nullptr;

} // namespace

MainSurface& mainSurface()
{
    static NoSurface none;
    return g_surface ? *g_surface : none;
}

void setMainSurface(MainSurface* surface) { g_surface = surface; }

} // namespace zuv
