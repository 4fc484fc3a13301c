#include "platform/widgets/qtdialogs.h"

#include "analysis/ui/chart_colors.h"

#include <QApplication>
#include <QColorDialog>
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

std::optional<quint32> QtDialogs::askColour(quint32 initial)
{
    QColorDialog dialog(colorFromValue(initial), QApplication::activeWindow());
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || !dialog.selectedColor().isValid())
        return std::nullopt;
    return valueFromColor(dialog.selectedColor());
}

} // namespace zuv
