#include "support/ui/window_system.h"

#include <QWidget>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

namespace zuv::test {

namespace {

QWindow* windowOf(QWidget& w)
{
    QWidget* top = w.window();
    return top ? top->windowHandle() : nullptr;
}

} // namespace

void queueKey(QWidget& w, Qt::Key key)
{
    if (QWindow* win = windowOf(w)) {
        using Async = QWindowSystemInterface::AsynchronousDelivery;
        QWindowSystemInterface::handleKeyEvent<Async>(win, QEvent::KeyPress, key, Qt::NoModifier);
        QWindowSystemInterface::handleKeyEvent<Async>(win, QEvent::KeyRelease, key, Qt::NoModifier);
    }
}

void queueCloseBox(QWidget& w)
{
    if (QWindow* win = windowOf(w))
        QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::AsynchronousDelivery>(win);
}

} // namespace zuv::test

