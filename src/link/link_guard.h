#pragma once
// One conversation with the instrument at a time. Every exchange and every
// instrument operation holds a LinkGuard while it runs; the waits of an
// exchange let window events run, so a command or the poll that starts in
// the middle must see the link busy and stay away.

#include <functional>

namespace zuv {

class LinkGuard {
public:
    LinkGuard();
    ~LinkGuard();
    LinkGuard(const LinkGuard&) = delete;
    LinkGuard& operator=(const LinkGuard&) = delete;
};

// Some guard is held: an exchange or an operation is under way.
bool linkBusy();

// The 200 ms poll's tick: runs `tick` holding a guard, unless the link is
// busy or an earlier tick is still running. Returns whether it ran.
bool runPollTick(const std::function<void()>& tick);
// The poll's tick is running: it works in the background, so it shows no
// message and its waits leave the user's input to the windows.
bool pollTickRunning();

// An exchange's wait loop is letting window events run. An exchange started
// from inside such an event would talk over the one in progress, so the
// link refuses it.
bool insideExchangeWait();

class ExchangeWait {
public:
    ExchangeWait();
    ~ExchangeWait();
    ExchangeWait(const ExchangeWait&) = delete;
    ExchangeWait& operator=(const ExchangeWait&) = delete;
};

} // namespace zuv
