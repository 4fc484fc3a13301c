#include "platform/widgets/qtdialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

namespace zuv {

QString QtDialogs::askFile(const FileDialogRequest& request)
{
    const QString start = request.fileName.isEmpty()
                              ? request.folder
                              : QDir(request.folder).filePath(request.fileName);
    QWidget* parent = QApplication::activeWindow();
    if (request.save)
        // The commands ask their own replace question.
        return QFileDialog::getSaveFileName(parent, request.title, start, request.filter, nullptr,
                                            QFileDialog::DontConfirmOverwrite);
    return QFileDialog::getOpenFileName(parent, request.title, start, request.filter);
}

} // namespace zuv
