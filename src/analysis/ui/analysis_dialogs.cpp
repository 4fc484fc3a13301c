#include "analysis/ui/analysis_dialogs.h"

#include "analysis/analysis_interface.h"
#include "analysis/ui/grid_component.h"
#include "platform/messages.h"
#include "platform/twips.h"
#include "project/state.h"

#include <QPointer>
#include <QVBoxLayout>
#include <vector>

namespace zuv {
namespace {

std::vector<QPointer<QDialog>>& openDialogs()
{
    static std::vector<QPointer<QDialog>> dialogs;
    std::erase_if(dialogs, [](const QPointer<QDialog>& d) { return d.isNull(); });
    return dialogs;
}

} // namespace

GridDialog::GridDialog(QWidget* parent, int columns, int fixedRows)
    : QDialog(parent), MSFlexGrid1(new GridComponent(this)), layout_(new QVBoxLayout(this))
{
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->setColumnCount(columns);
    MSFlexGrid1->setFixedRowCount(fixedRows);
    MSFlexGrid1->setFixedColumnCount(0);
    layout_->addWidget(MSFlexGrid1, 1);
}

void GridDialog::sizeColumns()
{
    layout_->activate();
    const std::vector<int> widths = columnWidths(MSFlexGrid1->widthTwips());
    for (std::size_t c = 0; c < widths.size(); ++c)
        MSFlexGrid1->setColumnWidth(int(c), widths[c]);
}

void GridDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    sizeColumns();
}

QDialog* detail::raiseOpenDialog(const QMetaObject& kind)
{
    for (const QPointer<QDialog>& d : openDialogs())
        // One the user has closed is hidden until its deletion comes
        // round; it no longer counts as open.
        if (d->metaObject() == &kind && !d->isHidden()) {
            d->setWindowState(d->windowState() & ~Qt::WindowMinimized);
            d->raise();
            d->activateWindow();
            return d;
        }
    return nullptr;
}

void showModeless(QDialog* dialog)
{
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setModal(false);
    openDialogs().emplace_back(dialog);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

bool completedLaps(const AnalysisInterface* w, QWidget* owner)
{
    if (!w)
        return false;
    // A lap-time file without its closing line leaves no lap, not a
    // negative count.
    if (w->session().intGiriCompletati >= 1)
        return true;
    msgBox(owner, languageText(302), MsgIcon::Information);
    return false;
}

void closeAnalysisDialogs()
{
    const std::vector<QPointer<QDialog>> open = openDialogs();
    for (const QPointer<QDialog>& d : open)
        delete d.data();
    openDialogs().clear();
}

void resizeTwips(QWidget& widget, int widthTwips, int heightTwips)
{
    widget.resize(roundedPixels(widthTwips, widget.logicalDpiX()), roundedPixels(heightTwips, widget.logicalDpiY()));
}

} // namespace zuv
