#pragma once
// A clock for tests: time stands still until someone sleeps or yields.
// Every yield moves it by `yieldStepMs` and every read of the tick by
// `tickStepMs`, so a wait loop always ends; `onYield` lets a test act in the
// middle of a wait (either kind of yield), and the counts tell which kind
// ran.

#include "platform/clock.h"

#include <QtGlobal>
#include <functional>

namespace zuv::test {

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

} // namespace zuv::test
