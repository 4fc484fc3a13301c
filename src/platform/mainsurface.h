#pragma once
// What the model and the link may touch of the main window: commands by
// their menu or toolbar name, the status panels, the recent-file items and
// the busy cursor. The shell implements it; tests read the recorder.

#include <QString>
#include <map>
#include <vector>

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

// Keeps the last state of everything and the order of the enable calls.
class SurfaceRecorder final : public MainSurface {
public:
    void setMenuEnabled(const QString& menu, bool on) override;
    void setButtonEnabled(const QString& key, bool on) override;
    void setPanelText(int panel, const QString& text) override;
    void setPanelPicture(int panel, PanelPicture picture) override;
    void setRecentItem(int item, bool visible, const QString& caption) override;
    void setBusy(bool on) override { busy = on; }

    struct Recent {
        bool visible = false;
        QString caption;
    };

    std::map<QString, bool> menus;
    std::map<QString, bool> buttons;
    std::map<int, QString> panelText;
    std::map<int, PanelPicture> panelPicture;
    std::map<int, Recent> recent;
    bool busy = false;
    // "menu:mnuSave=1", "button:Save=0", in call order.
    std::vector<QString> calls;

    void clear() { *this = SurfaceRecorder(); }
};

MainSurface& mainSurface();
// nullptr puts back a recorder that nobody reads.
void setMainSurface(MainSurface* surface);

} // namespace zuv
