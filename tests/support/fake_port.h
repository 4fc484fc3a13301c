#pragma once
// A serial port in the test's own process: the instrument engine answers
// synchronously, the replies arrive on the fake clock's time. Port
// `instrumentPort` has the instrument; the other ports up to `portCount`
// open but stay silent; the rest do not open.

#include "emulator/engine.h"
#include "platform/serialport.h"

#include <QByteArray>
#include <functional>
#include <vector>

namespace zuv::test {

class FakeSerialPort final : public SerialPort {
public:
    bool open(int portNumber) override;
    void close() override;
    bool isOpen() const override { return open_; }
    int portNumber() const override { return number_; }
    bool failed() const override { return failed_; }
    void applySettings(const SerialSettings& s) override;
    qint64 bytesWaitingIn() override;
    qint64 bytesWaitingOut() override;
    void discardBuffers() override;
    QByteArray read(qint64 maxBytes) override;
    bool write(const QByteArray& bytes) override;
    // Time passes as in a real blocking wait (on the fake clock).
    void waitForIo(int ms) override;

    emu::Engine engine;
    int instrumentPort = 1;
    int portCount = kMaxPorts;

    // Bytes that arrive `delayMs` from now, from no request (noise, leftovers).
    void inject(const QByteArray& bytes, int delayMs = 0);
    // The device goes away now: the port closes as failed.
    void vanish();
    // The device refuses every write from now on.
    bool refuseWrites = false;
    // Written bytes never leave the output buffer.
    bool outputStuck = false;

    std::vector<int> openAttempts;
    // Every write, in order, whichever port was open.
    std::vector<QByteArray> writes;
    int settingsApplied = 0;
    SerialSettings settings;
    std::function<void(const QByteArray&)> onWrite;

private:
    struct Arrival {
        qint64 at;
        QByteArray bytes;
        bool dropLine;
    };
    qint64 now() const;
    void deliver();

    bool open_ = false;
    bool failed_ = false;
    int number_ = 0;
    QByteArray in_;
    qint64 out_ = 0;
    std::vector<Arrival> arrivals_;
};

} // namespace zuv::test
