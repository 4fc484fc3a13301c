#include "platform/ui/qtdialogs.h"

#include "platform/ui/colors.h"
#include "platform/ui/qtmessages.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QRegularExpression>

namespace zuv {

namespace {

// "Data File (*.csv)" gives "csv"; a filter without a plain extension none.
QString filterSuffix(const QString& filter)
{
    static const QRegularExpression pattern(QStringLiteral("\\(\\*\\.(\\w+)[ ;)]"));
    const QRegularExpressionMatch m = pattern.match(filter);
    return m.hasMatch() ? m.captured(1) : QString();
}

} // namespace

QString QtDialogs::askFile(const FileDialogRequest& request)
{
    QFileDialog dialog(QtMessages::ownerWindow(), request.title, request.folder, request.filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (request.save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The commands ask their own replace question.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.setDefaultSuffix(filterSuffix(request.filter));
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!request.fileName.isEmpty())
        dialog.selectFile(QDir(request.folder).filePath(request.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

std::optional<quint32> QtDialogs::askColour(quint32 initial)
{
    QColorDialog dialog(colorFromValue(initial), QtMessages::ownerWindow());
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || !dialog.selectedColor().isValid())
        return std::nullopt;
    return valueFromColor(dialog.selectedColor());
}

} // namespace zuv
