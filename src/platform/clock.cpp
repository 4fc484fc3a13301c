#include "platform/clock.h"

#include <QCoreApplication>
#include <QThread>
#include <chrono>

namespace zuv {

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
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

void SystemClock::yieldEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

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
    now_ += yieldStepMs;
    if (onYield)
        onYield();
}

namespace {
Clock* g_clock = nullptr;
}

Clock& clock()
{
    static SystemClock system;
    return g_clock ? *g_clock : system;
}

void setClock(Clock* c) { g_clock = c; }

} // namespace zuv
