#pragma once
// File open and save dialogs behind one service; an empty answer means the
// user cancelled.

#include <QString>
#include <deque>
#include <vector>

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

DialogService& dialogs();
void setDialogs(DialogService* service);

// Keeps every request and answers from a script; empty (cancel) once the
// script runs out.
class DialogRecorder final : public DialogService {
public:
    QString askFile(const FileDialogRequest& request) override;

    std::vector<FileDialogRequest> asked;
    std::deque<QString> answers;
};

} // namespace zuv
