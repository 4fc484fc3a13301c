#include "platform/clock.h"

#include "platform/service.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

namespace zuv {

namespace {

// The longest stretch of a pause in which nothing is repainted.
constexpr int kPaintSliceMs = 10;

bool isUserInput(QEvent::Type t)
{
    switch (t) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

// The window system's own input stays in its queue while a wait excludes
// it; input that comes as a posted or sent event is held here and posted
// again afterwards, in order. A window that opens inside the wait anyway
// (a message box of the exchange) runs a loop of its own and gets its input
// as usual.
class InputHold final : public QObject {
public:
    InputHold() : level_(QThread::currentThread()->loopLevel()) {}

    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        if (!isUserInput(event->type()) || QThread::currentThread()->loopLevel() != level_)
            return false;
        held_.push_back({QPointer<QObject>(receiver), std::unique_ptr<QEvent>(event->clone())});
        return true;
    }

    void release()
    {
        for (auto& [receiver, event] : held_)
            if (receiver)
                QCoreApplication::postEvent(receiver, event.release());
        held_.clear();
    }

private:
    struct Held {
        QPointer<QObject> receiver;
        std::unique_ptr<QEvent> event;
    };
    int level_;
    std::vector<Held> held_;
};

} // namespace

qint64 SystemClock::tickMs()
{
    // Monotonic, unlike the wall clock.
    static const auto origin = std::chrono::steady_clock::now();
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now() - origin)
        .count();
}

void SystemClock::sleepMs(int ms)
{
    if (ms <= 0)
        return;
    if (!QCoreApplication::instance()) {
        QThread::msleep(static_cast<unsigned long>(ms));
        return;
    }
    const qint64 end = tickMs() + ms;
    for (;;) {
        yieldWaiting();
        const qint64 left = end - tickMs();
        if (left <= 0)
            return;
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, kPaintSliceMs)));
    }
}

void SystemClock::yieldEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

void SystemClock::yieldWaiting()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || app->thread() != QThread::currentThread())
        return;
    InputHold hold;
    app->installEventFilter(&hold);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers |
                                    QEventLoop::X11ExcludeTimers);
    app->removeEventFilter(&hold);
    hold.release();
    // The window system woke the loop for the input this call left queued;
    // a dispatcher that counts that wake-up as spent (GLib's) would keep
    // the input queued until something else came. Wake it again.
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        dispatcher->wakeUp();
}

namespace {
constinit ServiceHolder<Clock, SystemClock> g_clock;
}

Clock& clock() { return g_clock.get(); }

void setClock(Clock* c) { g_clock.set(c); }

} // namespace zuv
