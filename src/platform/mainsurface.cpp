#include "platform/mainsurface.h"

namespace zuv {

void SurfaceRecorder::setMenuEnabled(const QString& menu, bool on)
{
    menus[menu] = on;
    calls.push_back(QStringLiteral("menu:%1=%2").arg(menu).arg(on ? 1 : 0));
}

void SurfaceRecorder::setButtonEnabled(const QString& key, bool on)
{
    buttons[key] = on;
    calls.push_back(QStringLiteral("button:%1=%2").arg(key).arg(on ? 1 : 0));
}

void SurfaceRecorder::setPanelText(int panel, const QString& text) { panelText[panel] = text; }

void SurfaceRecorder::setPanelPicture(int panel, PanelPicture picture)
{
    panelPicture[panel] = picture;
}

void SurfaceRecorder::setRecentItem(int item, bool visible, const QString& caption)
{
    recent[item] = {visible, caption};
}

namespace {
MainSurface* g_surface = nullptr;
}

MainSurface& mainSurface()
{
    static SurfaceRecorder unseen;
    return g_surface ? *g_surface : unseen;
}

void setMainSurface(MainSurface* surface) { g_surface = surface; }

} // namespace zuv
