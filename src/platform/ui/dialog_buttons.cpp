#include "platform/ui/dialog_buttons.h"

#include <QDialogButtonBox>
#include <QPushButton>

namespace zuv {

QDialogButtonBox* okCancelButtons(QWidget* dialog, QPushButton*& ok, QPushButton*& cancel)
{
    auto* buttons = new QDialogButtonBox(dialog);
    ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    cancel = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    return buttons;
}

} // namespace zuv
