#pragma once
// Millisecond tick, fixed pauses and the yield to the window system, behind
// one service so that tests run a 10-second time-out in no time.

#include <QtGlobal>

namespace zuv {

class Clock {
public:
    virtual ~Clock() = default;
    virtual qint64 tickMs() = 0;
    // A fixed pause; the windows stay painted meanwhile (see yieldWaiting).
    virtual void sleepMs(int ms) = 0;
    // Lets the window system handle every pending event, a click included:
    // for the waits that let the user close the window of an operation.
    virtual void yieldEvents() = 0;
    // For the waits that must not let anything else run: the windows
    // repaint, while the user's input, timers and port notifications wait
    // for the end of the wait, so neither the user nor a timer starts a
    // command or window inside it.
    virtual void yieldWaiting() = 0;
};

class SystemClock final : public Clock {
public:
    qint64 tickMs() override;
    void sleepMs(int ms) override;
    void yieldEvents() override;
    void yieldWaiting() override;
};

Clock& clock();
// Tests put their own clock in place; nullptr puts the system clock back.
void setClock(Clock* c);

} // namespace zuv
