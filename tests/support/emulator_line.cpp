#include "support/emulator_line.h"

#include "link/serial_comm.h"

#include <QElapsedTimer>

namespace zuv::test {

namespace {

// The system's port for fake waits. The fake clock moves a little at every
// pass of a wait while the emulator answers in real time, so on a busy
// machine a wait would run out before a reply that is on its way. Here the
// line settles, really, before a wait passes (and before the buffers are
// emptied): the emulator has dealt with every byte sent, and whatever it
// answered at once has come in. Only a silent instrument runs a wait out.
class SettledPort final : public SerialPort {
public:
    SettledPort(std::unique_ptr<SerialPort> port, const emu::Emulator& emulator)
        : port_(std::move(port)), emulator_(emulator)
    {
    }

    bool open(int portNumber) override
    {
        const bool ok = port_->open(portNumber);
        startCounting();
        return ok;
    }
    void close() override { port_->close(); }
    bool isOpen() const override { return port_->isOpen(); }
    int portNumber() const override { return port_->portNumber(); }
    bool failed() const override { return port_->failed(); }
    void applySettings(const SerialSettings& s) override { port_->applySettings(s); }
    qint64 bytesWaitingIn() override { return port_->bytesWaitingIn(); }
    qint64 bytesWaitingOut() override { return port_->bytesWaitingOut(); }

    void discardBuffers() override
    {
        settle();
        taken_ += std::uint64_t(port_->bytesWaitingIn());
        port_->discardBuffers();
    }

    QByteArray read(qint64 maxBytes) override
    {
        const QByteArray b = port_->read(maxBytes);
        taken_ += std::uint64_t(b.size());
        return b;
    }

    bool write(const QByteArray& bytes) override
    {
        const bool ok = port_->write(bytes);
        if (ok)
            written_ += std::uint64_t(bytes.size());
        return ok;
    }

    void waitForIo(int ms) override
    {
        if (settled())
            port_->waitForIo(ms);
        else
            settle();
    }

private:
    // Longer than any busy machine keeps a thread waiting; past it the
    // counts start again rather than hold the test.
    static constexpr int kSettleLimitMs = 10000;

    bool settled()
    {
        if (!port_->isOpen())
            return true;
        const emu::Emulator::Progress p = emulator_.progress();
        if (!p.alive || p.line != from_.line)
            return true;
        return p.served - from_.served >= written_
               && taken_ + std::uint64_t(port_->bytesWaitingIn()) >= p.sent - from_.sent;
    }

    void settle()
    {
        QElapsedTimer waited;
        waited.start();
        while (!settled()) {
            if (waited.elapsed() > kSettleLimitMs) {
                startCounting();
                return;
            }
            port_->waitForIo(1);
        }
    }

    void startCounting()
    {
        from_ = emulator_.progress();
        written_ = 0;
        taken_ = 0;
    }

    std::unique_ptr<SerialPort> port_;
    const emu::Emulator& emulator_;
    emu::Emulator::Progress from_;
    std::uint64_t written_ = 0;
    std::uint64_t taken_ = 0;
};

} // namespace

EmulatorLine::~EmulatorLine() { detach(); }

bool EmulatorLine::attach(const QByteArray& portsBefore)
{
    detach();
    portsBefore_ = portsBefore;
    savedPorts_ = qgetenv("ZUV_PORTS");
    attached_ = true;
    setSerialPort(nullptr);
    return startLine();
}

bool EmulatorLine::attach(FakeClock& clock, int tickStepMs, int yieldStepMs)
{
    if (!attach())
        return false;
    port_ = std::make_unique<SettledPort>(createSystemSerialPort(), emulator);
    setSerialPort(port_.get());
    clock.tickStepMs = tickStepMs;
    clock.yieldStepMs = yieldStepMs;
    return true;
}

bool EmulatorLine::replug() { return startLine(); }

bool EmulatorLine::startLine()
{
    if (!emulator.start())
        return false;
    qputenv("ZUV_PORTS", portsBefore_ + emulator.devicePath().toLocal8Bit());
    return true;
}

void EmulatorLine::detach()
{
    if (!attached_)
        return;
    attached_ = false;
    ChiudiPorta();
    setSerialPort(nullptr);
    port_.reset();
    if (savedPorts_.isNull())
        qunsetenv("ZUV_PORTS");
    else
        qputenv("ZUV_PORTS", savedPorts_);
    emulator.stop();
}

} // namespace zuv::test
