#include "support/fake_clock.h"

namespace zuv::test {

qint64 FakeClock::tickMs()
{
    now_ += tickStepMs;
    return now_;
}

void FakeClock::sleepMs(int ms)
{
    if (ms > 0) {
        now_ += ms;
        slept_ += ms;
    }
    if (onSleep)
        onSleep(ms);
}

void FakeClock::yieldEvents()
{
    ++inputYields;
    now_ += yieldStepMs;
    if (onYield)
        onYield();
}

void FakeClock::yieldWaiting()
{
    ++waitingYields;
    now_ += yieldStepMs;
    if (onYield)
        onYield();
}

} // namespace zuv::test
