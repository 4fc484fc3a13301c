#pragma once
// File open and save dialogs behind one service; an empty answer means the
// user cancelled.

#include <QString>

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
};

// Without a service set (a tool without windows) every dialog is cancelled
// and says so on the standard error stream.
DialogService& dialogs();
void setDialogs(DialogService* service);

} // namespace zuv
