#include "emulator/emulator.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace zuv::emu {

Emulator::Emulator() = default;

Emulator::~Emulator() { stop(); }

bool Emulator::start()
{
    // The new line is taken before the old one is let go, so it never gets
    // the old number: a program still naming the old device finds nothing.
    int m = -1;
    int s = -1;
    QString path;
    const bool opened = openLine(m, s, path);
    stop();
    return opened && begin(m, s, path);
}

bool Emulator::replug()
{
    stop();
    int m = -1;
    int s = -1;
    QString path;
    return openLine(m, s, path) && begin(m, s, path);
}

bool Emulator::begin(int m, int s, const QString& path)
{
    {
        std::lock_guard lock(mutex_);
        master_ = m;
        slave_ = s;
        path_ = path;
        stop_ = false;
        served_ = 0;
        sent_ = 0;
        ++line_;
        alive_ = true;
    }
    thread_ = std::thread([this] { serve(); });
    return true;
}

bool Emulator::openLine(int& master, int& slave, QString& path)
{
    const int m = posix_openpt(O_RDWR | O_NOCTTY);
    if (m < 0)
        return false;
    if (grantpt(m) != 0 || unlockpt(m) != 0) {
        ::close(m);
        return false;
    }
    const char* name = ptsname(m);
    if (!name) {
        ::close(m);
        return false;
    }
    // Our own slave descriptor keeps the line up between the program's
    // opens, and sets it raw before anyone reads it.
    const int s = ::open(name, O_RDWR | O_NOCTTY);
    if (s < 0) {
        ::close(m);
        return false;
    }
    termios t{};
    if (tcgetattr(s, &t) == 0) {
        cfmakeraw(&t);
        cfsetispeed(&t, B19200);
        cfsetospeed(&t, B19200);
        tcsetattr(s, TCSANOW, &t);
    }
    const int flags = fcntl(m, F_GETFL);
    fcntl(m, F_SETFL, flags | O_NONBLOCK);
    master = m;
    slave = s;
    path = QString::fromLocal8Bit(name);
    return true;
}

void Emulator::stop()
{
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable())
        thread_.join();
    std::lock_guard lock(mutex_);
    closeLine();
}

bool Emulator::running() const
{
    std::lock_guard lock(mutex_);
    return master_ >= 0 && !stop_;
}

QString Emulator::devicePath() const
{
    std::lock_guard lock(mutex_);
    return path_;
}

void Emulator::closeLine()
{
    killLine();
    if (slave_ >= 0)
        ::close(slave_);
    slave_ = -1;
}

void Emulator::killLine()
{
    alive_ = false;
    // The system frees a pseudo-terminal's number only when both sides are
    // closed, and removes its device when the master goes. Keeping our slave
    // open keeps the number ours: until start() or stop(), opening the old
    // path fails instead of reaching the next line another process opens.
    if (master_ >= 0)
        ::close(master_);
    master_ = -1;
}

void Emulator::dropLine()
{
    std::lock_guard lock(mutex_);
    killLine();
}

void Emulator::serve()
{
    char buf[512];
    for (;;) {
        int fd;
        {
            std::lock_guard lock(mutex_);
            if (stop_)
                return;
            fd = master_;
        }
        if (fd < 0) {
            std::unique_lock lock(mutex_);
            changed_.wait_for(lock, std::chrono::milliseconds(20), [this] { return stop_; });
            continue;
        }
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, 20);
        if (ready <= 0 || !(p.revents & POLLIN)) {
            if (ready > 0 && (p.revents & (POLLHUP | POLLERR))) {
                // No slave open at the moment: nothing to serve, do not spin.
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
            continue;
        }
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n <= 0)
            continue;
        std::vector<Reply> replies;
        {
            std::lock_guard lock(mutex_);
            if (master_ != fd)
                continue;
            replies = engine_.feed(QByteArrayView(buf, n));
        }
        changed_.notify_all();
        std::uint64_t unserved = std::uint64_t(n);
        for (const Reply& r : replies)
            send(r, unserved);
        markServed(unserved);
    }
}

void Emulator::markServed(std::uint64_t& unserved)
{
    // After the bytes written back, so that whoever sees them served sees
    // those bytes sent.
    served_ += unserved;
    unserved = 0;
}

void Emulator::send(const Reply& r, std::uint64_t& unserved)
{
    std::unique_lock lock(mutex_);
    if (r.dropLine) {
        killLine();
        return;
    }
    for (const Chunk& c : r.chunks) {
        if (c.delayMs > 0)
            markServed(unserved);
        if (c.delayMs > 0
            && changed_.wait_for(lock, std::chrono::milliseconds(c.delayMs), [this] { return stop_; }))
            return;
        if (master_ < 0)
            return;
        qsizetype done = 0;
        while (done < c.bytes.size()) {
            const ssize_t w = ::write(master_, c.bytes.constData() + done, size_t(c.bytes.size() - done));
            if (w > 0) {
                done += w;
                sent_ += std::uint64_t(w);
            } else if (w < 0 && errno == EAGAIN) {
                lock.unlock();
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                lock.lock();
                if (master_ < 0)
                    return;
            } else {
                return;
            }
        }
    }
}

void Emulator::setIdentification(const QByteArray& text10)
{
    withEngine([&](Engine& e) { e.identification = text10; });
}

void Emulator::setAnalogInputs(const std::array<qint16, 8>& values)
{
    withEngine([&](Engine& e) { e.analogInputs = values; });
}

void Emulator::setStatus(const QByteArray& reply36)
{
    withEngine([&](Engine& e) { e.status = reply36; });
}

void Emulator::setLapCount(qint16 laps)
{
    withEngine([&](Engine& e) { e.lapCount = laps; });
}

void Emulator::setRecordedBytes(qint32 bytes)
{
    withEngine([&](Engine& e) { e.recordedBytes = bytes; });
}

void Emulator::setMemory(const QByteArray& image)
{
    withEngine([&](Engine& e) { e.memory = image; });
}

void Emulator::setLapMemory(const QByteArray& image)
{
    withEngine([&](Engine& e) { e.lapMemory = image; });
}

void Emulator::setPage(quint8 writeCode, const QByteArray& payload)
{
    withEngine([&](Engine& e) { e.pages[writeCode] = payload; });
}

QByteArray Emulator::page(quint8 writeCode) const
{
    std::lock_guard lock(mutex_);
    const auto it = engine_.pages.find(writeCode);
    return it == engine_.pages.end() ? QByteArray() : it->second;
}

void Emulator::setCurve(int slot, const QByteArray& payload)
{
    withEngine([&](Engine& e) {
        if (slot >= 0 && slot < int(e.curve.size()))
            e.curve[slot] = payload;
    });
}

QByteArray Emulator::curve(int slot) const
{
    std::lock_guard lock(mutex_);
    return slot >= 0 && slot < int(engine_.curve.size()) ? engine_.curve[slot] : QByteArray();
}

void Emulator::setFault(Fault fault, int count, quint8 onlyCode)
{
    withEngine([&](Engine& e) { e.setFault(fault, count, onlyCode); });
}

void Emulator::clearFault()
{
    withEngine([](Engine& e) { e.clearFault(); });
}

void Emulator::setLateMs(int ms)
{
    withEngine([&](Engine& e) { e.lateMs = ms; });
}

std::vector<QByteArray> Emulator::received() const
{
    std::lock_guard lock(mutex_);
    return engine_.received;
}

void Emulator::clearReceived()
{
    withEngine([](Engine& e) { e.received.clear(); });
}

bool Emulator::waitForFrames(std::size_t n, int timeoutMs) const
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [&] { return engine_.received.size() >= n; });
}

void Emulator::withEngine(const std::function<void(Engine&)>& f)
{
    std::lock_guard lock(mutex_);
    f(engine_);
}

Emulator::Progress Emulator::progress() const
{
    Progress p;
    p.line = line_;
    p.alive = alive_;
    // Served first: every byte sent before it was counted served is then in.
    p.served = served_;
    p.sent = sent_;
    return p;
}

} // namespace zuv::emu
