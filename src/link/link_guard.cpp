#include "link/link_guard.h"

namespace zuv {

namespace {
int g_guards = 0;
int g_waits = 0;
bool g_pollTick = false;
} // namespace

LinkGuard::LinkGuard() { ++g_guards; }
LinkGuard::~LinkGuard() { --g_guards; }

bool linkBusy() { return g_guards > 0; }

bool runPollTick(const std::function<void()>& tick)
{
    if (g_pollTick || linkBusy())
        return false;
    struct TickFlag {
        TickFlag() { g_pollTick = true; }
        ~TickFlag() { g_pollTick = false; }
    } flag;
    LinkGuard guard;
    if (tick)
        tick();
    return true;
}

bool pollTickRunning() { return g_pollTick; }

bool insideExchangeWait() { return g_waits > 0; }

ExchangeWait::ExchangeWait() { ++g_waits; }
ExchangeWait::~ExchangeWait() { --g_waits; }

} // namespace zuv
