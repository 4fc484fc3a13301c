#include "support/fake_port.h"

#include "platform/clock.h"
#include "support/fake_clock.h"

#include <algorithm>

namespace zuv::test {

qint64 FakeSerialPort::now() const
{
    // Looking at the time must not move it (the link's reads of the tick do).
    if (auto* fake = dynamic_cast<FakeClock*>(&clock()))
        return fake->now();
    return clock().tickMs();
}

bool FakeSerialPort::open(int portNumber)
{
    openAttempts.push_back(portNumber);
    close();
    number_ = portNumber;
    failed_ = false;
    if (portNumber < 1 || portNumber > portCount)
        return false;
    open_ = true;
    return true;
}

void FakeSerialPort::close()
{
    open_ = false;
    in_.clear();
    out_ = 0;
    arrivals_.clear();
}

void FakeSerialPort::applySettings(const SerialSettings& s)
{
    settings = s;
    ++settingsApplied;
}

void FakeSerialPort::deliver()
{
    const qint64 t = now();
    std::stable_sort(arrivals_.begin(), arrivals_.end(),
                     [](const Arrival& a, const Arrival& b) { return a.at < b.at; });
    while (open_ && !arrivals_.empty() && arrivals_.front().at <= t) {
        const Arrival a = arrivals_.front();
        arrivals_.erase(arrivals_.begin());
        if (a.dropLine) {
            vanish();
            return;
        }
        in_ += a.bytes;
    }
}

qint64 FakeSerialPort::bytesWaitingIn()
{
    deliver();
    return open_ ? in_.size() : 0;
}

qint64 FakeSerialPort::bytesWaitingOut() { return open_ ? out_ : 0; }

void FakeSerialPort::discardBuffers()
{
    if (!open_)
        return;
    deliver();
    in_.clear();
    out_ = 0;
}

QByteArray FakeSerialPort::read(qint64 maxBytes)
{
    deliver();
    if (!open_ || maxBytes <= 0)
        return {};
    const QByteArray b = in_.left(maxBytes);
    in_.remove(0, b.size());
    return b;
}

bool FakeSerialPort::write(const QByteArray& bytes)
{
    if (!open_)
        return false;
    if (refuseWrites) {
        vanish();
        return false;
    }
    writes.push_back(bytes);
    if (onWrite)
        onWrite(bytes);
    if (outputStuck)
        out_ += bytes.size();
    if (number_ != instrumentPort)
        return true;
    qint64 at = now();
    for (const emu::Reply& r : engine.feed(bytes)) {
        if (r.dropLine) {
            arrivals_.push_back({at, {}, true});
            continue;
        }
        for (const emu::Chunk& c : r.chunks) {
            at += c.delayMs;
            arrivals_.push_back({at, c.bytes, false});
        }
    }
    return true;
}

void FakeSerialPort::waitForIo(int ms)
{
    if (auto* fake = dynamic_cast<FakeClock*>(&clock()); fake && ms > 0)
        fake->advance(ms);
}

void FakeSerialPort::inject(const QByteArray& bytes, int delayMs)
{
    arrivals_.push_back({now() + delayMs, bytes, false});
}

void FakeSerialPort::vanish()
{
    close();
    failed_ = true;
}

} // namespace zuv::test
