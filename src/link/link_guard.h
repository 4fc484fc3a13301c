#pragma once
// One conversation with the instrument at a time. Every exchange and every
// instrument operation holds a LinkGuard while it runs; the waits of an
// exchange let window events run, so the poll must see the link busy and
// stay away. The poll's own exchanges never wait (PollExchange): they run
// between events, and an exchange that begins while they are under way
// lets them end first (settleExchangeUnderWay).

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

// The owner of an exchange that runs between events gives here how it is
// taken to its end (nullptr: none any more); every other exchange of the
// link calls settleExchangeUnderWay() before it begins.
void setExchangeSettler(void (*settle)());
void settleExchangeUnderWay();

} // namespace zuv
