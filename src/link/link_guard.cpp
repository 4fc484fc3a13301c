#include "link/link_guard.h"

namespace zuv {

namespace {
int g_guards = 0;
int g_waits = 0;
void (*g_settle)() = nullptr;
} // namespace

LinkGuard::LinkGuard() { ++g_guards; }
LinkGuard::~LinkGuard() { --g_guards; }

bool linkBusy() { return g_guards > 0; }

bool insideExchangeWait() { return g_waits > 0; }

ExchangeWait::ExchangeWait() { ++g_waits; }
ExchangeWait::~ExchangeWait() { --g_waits; }

void setExchangeSettler(void (*settle)()) { g_settle = settle; }

void settleExchangeUnderWay()
{
    if (g_settle)
        g_settle();
}

} // namespace zuv
