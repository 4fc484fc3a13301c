#pragma once
// An instrument on a pseudo-terminal: the program opens the slave device
// (put devicePath() in ZUV_PORTS) and talks to it as to the real thing. It
// serves from its own thread, because the link's waits that do not yield
// block the caller's. Every setter and getter is thread-safe.

#include "emulator/engine.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace zuv::emu {

class Emulator {
public:
    Emulator();
    ~Emulator();
    Emulator(const Emulator&) = delete;
    Emulator& operator=(const Emulator&) = delete;

    // Opens a fresh pseudo-terminal and starts serving; false when the
    // system gives none. A running emulator is stopped first.
    bool start();
    void stop();
    bool running() const;
    // The slave device, e.g. "/dev/pts/7"; empty before start.
    QString devicePath() const;

    // A new line, the old device let go first: the system mostly gives its
    // number back, so that a program that names it finds the instrument
    // again, as after an adapter plugged in again. devicePath() says which.
    bool replug();

    // The line goes dead now (the master side is closed): the program's
    // port errors, and the device path is gone, never handed to another
    // process while this emulator lives. start() gives a new line, on a new
    // device path.
    void dropLine();

    // --- instrument state --------------------------------------------------
    void setIdentification(const QByteArray& text10);
    // The live values, fixed from now on (unset, they move as a running
    // engine's; see Engine).
    void setAnalogInputs(const std::array<qint16, 8>& values);
    // The 36-byte status reply; laps and recorded bytes are patched in.
    void setStatus(const QByteArray& reply36);
    void setLapCount(qint16 laps);
    void setRecordedBytes(qint32 bytes);
    void setMemory(const QByteArray& image);
    void setLapMemory(const QByteArray& image);
    // The payload stored for a page write code (0x12, 0x14, 0x16, 0x1C).
    void setPage(quint8 writeCode, const QByteArray& payload);
    QByteArray page(quint8 writeCode) const;
    // A curve payload (97 bytes, slot byte first) for slot 0..8.
    void setCurve(int slot, const QByteArray& payload);
    QByteArray curve(int slot) const;

    // --- faults --------------------------------------------------------------
    void setFault(Fault fault, int count = -1, quint8 onlyCode = 0);
    void clearFault();
    void setLateMs(int ms);

    // --- what it was sent ------------------------------------------------
    std::vector<QByteArray> received() const;
    void clearReceived();
    // Waits (really) until at least n frames have come; false on time-out.
    bool waitForFrames(std::size_t n, int timeoutMs) const;

    // Anything else, under the lock.
    void withEngine(const std::function<void(Engine&)>& f);

    // How far the line has got, read without the lock (so also while the
    // emulator is busy): `served` bytes taken from the program and answered
    // at once (a reply that comes late counts from when it starts waiting),
    // `sent` bytes written back. Both count from start(), which makes a new
    // `line`; `alive` until the line goes dead or stops.
    struct Progress {
        unsigned line = 0;
        bool alive = false;
        std::uint64_t served = 0;
        std::uint64_t sent = 0;
    };
    Progress progress() const;

private:
    // Serves that line from a new thread.
    bool begin(int master, int slave, const QString& path);
    void serve();
    // `unserved` bytes are counted served before a delayed chunk or at the end.
    void send(const Reply& r, std::uint64_t& unserved);
    void markServed(std::uint64_t& unserved);
    static bool openLine(int& master, int& slave, QString& path);
    // Both sides; killLine() only the master, the way a line goes dead.
    void closeLine();
    void killLine();

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    Engine engine_;
    std::thread thread_;
    bool stop_ = false;
    int master_ = -1;
    int slave_ = -1;
    QString path_;
    std::atomic<unsigned> line_{0};
    std::atomic<bool> alive_{false};
    std::atomic<std::uint64_t> served_{0};
    std::atomic<std::uint64_t> sent_{0};
};

} // namespace zuv::emu
