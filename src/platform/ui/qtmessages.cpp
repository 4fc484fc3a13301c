#include "platform/ui/qtmessages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <utility>
#include <vector>

namespace zuv {

namespace {

QMessageBox::Icon boxIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::None: return QMessageBox::NoIcon;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

// The buttons of each set, in the order they are offered; the first is
// the default.
std::vector<std::pair<QMessageBox::StandardButton, MsgAnswer>> buttonSet(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok: return {{QMessageBox::Ok, MsgAnswer::Ok}};
    case MsgButtons::OkCancel: return {{QMessageBox::Ok, MsgAnswer::Ok}, {QMessageBox::Cancel, MsgAnswer::Cancel}};
    case MsgButtons::YesNo: return {{QMessageBox::Yes, MsgAnswer::Yes}, {QMessageBox::No, MsgAnswer::No}};
    case MsgButtons::YesNoCancel:
        return {{QMessageBox::Yes, MsgAnswer::Yes},
                {QMessageBox::No, MsgAnswer::No},
                {QMessageBox::Cancel, MsgAnswer::Cancel}};
    case MsgButtons::RetryCancel:
        return {{QMessageBox::Retry, MsgAnswer::Retry}, {QMessageBox::Cancel, MsgAnswer::Cancel}};
    }
    return {{QMessageBox::Ok, MsgAnswer::Ok}};
}

} // namespace

QWidget* QtMessages::ownerWindow()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

MsgAnswer QtMessages::show(const QString& text, MsgIcon icon, MsgButtons buttons, const QString& title,
                           QObject* owner)
{
    const auto* given = qobject_cast<QWidget*>(owner);
    QPointer<QWidget> window = given && given->window()->isVisible() ? given->window() : ownerWindow();
    QMessageBox box(window);
    box.setWindowTitle(title);
    // Plain text: a path or a name with "<" in it is shown as it is.
    box.setTextFormat(Qt::PlainText);
    box.setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box.setIcon(boxIcon(icon));

    const MsgAnswer onClose = cancelAnswer(buttons);
    std::vector<std::pair<QPushButton*, MsgAnswer>> answers;
    for (const auto& [standard, answer] : buttonSet(buttons)) {
        QPushButton* button = box.addButton(standard);
        answers.emplace_back(button, answer);
        if (answer == onClose)
            box.setEscapeButton(button);
    }
    box.setDefaultButton(answers.front().first);

    box.exec();
    // Back to the window that asked; a window manager may give the focus to
    // another one (a modeless dialog's modal owner, say) and bury it.
    if (window && window->isVisible()) {
        window->raise();
        window->activateWindow();
    }
    const QAbstractButton* clicked = box.clickedButton();
    for (const auto& [button, answer] : answers)
        if (button == clicked)
            return answer;
    return onClose;
}

} // namespace zuv
