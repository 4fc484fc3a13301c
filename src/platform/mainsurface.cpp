#include "platform/mainsurface.h"

#include "platform/service.h"

namespace zuv {
namespace {

// Without a main window there is nothing to show the state on.
class NoSurface final : public MainSurface {
public:
    void setMenuEnabled(const QString&, bool) override {}
    void setButtonEnabled(const QString&, bool) override {}
    void setPanelText(int, const QString&) override {}
    void setPanelPicture(int, PanelPicture) override {}
    void setRecentItem(int, bool, const QString&) override {}
    void setBusy(bool) override {}
};

constinit ServiceHolder<MainSurface, NoSurface> g_surface;

} // namespace

MainSurface& mainSurface() { return g_surface.get(); }

void setMainSurface(MainSurface* surface) { g_surface.set(surface); }

} // namespace zuv
