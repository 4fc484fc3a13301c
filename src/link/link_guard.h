#pragma once
// One conversation with the instrument at a time. Every exchange and every
// instrument operation holds a LinkGuard while it runs; the waits of an
// exchange let window events run, so the poll must see the link busy and
// stay away. The poll's own exchanges never wait (PollExchange).

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
