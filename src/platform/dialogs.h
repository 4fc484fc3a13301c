#pragma once
// File open and save dialogs and the colour dialog behind one service; an
// empty answer means the user cancelled.

#include <QString>
#include <optional>

namespace zuv {

struct FileDialogRequest {
    bool save = false;
    QString title;
    QString filter;      // "Project File (*.pro)"
    QString folder;
    QString fileName;    // proposed name
};

class DialogService {
public:
    virtual ~DialogService() = default;
    virtual QString askFile(const FileDialogRequest& request) = 0;
    // The colour dialog, opening on `initial`: the chosen colour, nothing
    // when cancelled. Colours are values with red in the low byte
    // (0x00BBGGRR), as the analysis windows keep them.
    virtual std::optional<quint32> askColour(quint32 initial) = 0;
};

// Without a service set (a tool without windows) every dialog is cancelled
// and says so on the standard error stream.
DialogService& dialogs();
void setDialogs(DialogService* service);

} // namespace zuv
