#pragma once
// What the model and the link may touch of the main window: commands by
// their menu or toolbar name, the status panels, the recent-file items and
// the busy cursor. The shell implements it; tests record it.

#include <QString>

namespace zuv {

// Pictures of the status panels 4 to 6 (link state, receive and transmit lamps).
enum class PanelPicture { None, LampOff, LampOn, LinkOn, LinkOff };

class MainSurface {
public:
    virtual ~MainSurface() = default;
    // A menu item by its control name ("mnuSave", "mnuConfigure").
    virtual void setMenuEnabled(const QString& menu, bool on) = 0;
    // A toolbar button by its key ("Save", "Setup").
    virtual void setButtonEnabled(const QString& key, bool on) = 0;
    // Panels are numbered 1 to 7.
    virtual void setPanelText(int panel, const QString& text) = 0;
    virtual void setPanelPicture(int panel, PanelPicture picture) = 0;
    // Items 0 to 3 of the recent-files menu.
    virtual void setRecentItem(int item, bool visible, const QString& caption) = 0;
    virtual void setBusy(bool busy) = 0;
};

// Without a main window (a tool, or before it opens) the calls change nothing.
MainSurface& mainSurface();
void setMainSurface(MainSurface* surface);

} // namespace zuv
