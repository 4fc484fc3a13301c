#pragma once
// Millisecond tick, fixed pauses and the yield to the window system, behind
// one service so that tests run a 10-second time-out in no time.

#include <QtGlobal>
#include <functional>

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
    // for the end of the wait, so no command or window starts inside it.
    virtual void yieldWaiting() = 0;
};

class SystemClock final : public Clock {
public:
    qint64 tickMs() override;
    void sleepMs(int ms) override;
    void yieldEvents() override;
    void yieldWaiting() override;
};

// Time stands still until someone sleeps or yields. Every yield moves it by
// `yieldStepMs` and every read of the tick by `tickStepMs`, so a wait loop
// always ends; `onYield` lets a test act in the middle of a wait (either
// kind of yield), and the counts tell which kind ran.
class FakeClock final : public Clock {
public:
    qint64 tickMs() override;
    void sleepMs(int ms) override;
    void yieldEvents() override;
    void yieldWaiting() override;

    void advance(qint64 ms) { now_ += ms; }
    qint64 now() const { return now_; }
    qint64 slept() const { return slept_; }

    int yieldStepMs = 1;
    int tickStepMs = 0;
    int inputYields = 0;   // yieldEvents
    int waitingYields = 0; // yieldWaiting
    std::function<void()> onYield;
    std::function<void(int)> onSleep;

private:
    qint64 now_ = 1000;
    qint64 slept_ = 0;
};

Clock& clock();
// Tests put their own clock in place; nullptr puts the system clock back.
void setClock(Clock* c);

} // namespace zuv
