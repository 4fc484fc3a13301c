#include "link/serial_comm.h"

#include "link/codec.h"
#include "link/command_set.h"
#include "link/link_guard.h"
#include "platform/clock.h"
#include "platform/mainsurface.h"
#include "platform/messages.h"
#include "platform/serialport.h"
#include "project/language.h"
#include "project/state.h"

#include <functional>

namespace zuv {

namespace {

// The scan ignores the errors of the ports it tries: a port that fails its
// hello is simply not the instrument's.
bool g_scan = false;

void writeFailed()
{
    if (!g_scan)
        msgBox(QStringLiteral("Errore nella scrittura dati"), MsgIcon::Information);
}

void readFailed() { msgBox(QStringLiteral("Errore nella lettura dati"), MsgIcon::Information); }

constexpr bool kTakesInput = true;
constexpr bool kRepaintsOnly = false;

bool waitFor(SerialPort& port, LineWait& w, bool takesInput)
{
    return lookUntilOver([&] { return w.look(port); }, takesInput);
}

// The link's own exchanges wait for the poll's to end, and none starts
// from inside another's wait, where it would talk over it.
bool lineFree()
{
    if (insideExchangeWait())
        return false;
    settleExchangeUnderWay();
    return true;
}

void blinkLamp(int panel)
{
    LinkGuard guard;
    ExchangeWait inWait;
    Clock& c = clock();
    mainSurface().setPanelPicture(panel, PanelPicture::LampOn);
    const qint64 end = c.tickMs() + kBlinkMs;
    while (c.tickMs() < end)
        c.yieldEvents();
    mainSurface().setPanelPicture(panel, PanelPicture::LampOff);
}

// An acknowledgement's time-out, the hello's included.
int ackWaitMs() { return StatoComunicazione.ComandoInCorso == 0 ? kAckWaitMs : kOperationAckWaitMs; }

} // namespace

bool lookUntilOver(const std::function<LineWait::State()>& look, bool takesInput)
{
    ExchangeWait inWait;
    Clock& c = clock();
    for (;;) {
        const LineWait::State s = look();
        if (s != LineWait::State::Waiting)
            return s == LineWait::State::Done;
        if (takesInput)
            c.yieldEvents();
        else
            c.yieldWaiting();
        serialPort().waitForIo(1);
    }
}

LineWait LineWait::ack(const QByteArray& expected, int timeoutMs)
{
    LineWait w(Kind::Ack, clock().tickMs() + timeoutMs);
    w.expected_ = expected;
    return w;
}

LineWait LineWait::drain() { return LineWait(Kind::Drain, clock().tickMs() + kSendWaitMs); }

LineWait LineWait::reply(int n)
{
    LineWait w(Kind::Reply, clock().tickMs() + kReplyWaitMs);
    w.n_ = n;
    w.bytes_.reserve(n);
    return w;
}

LineWait::State LineWait::look(SerialPort& port)
{
    if (kind_ == Kind::Reply) {
        bytes_ += port.read(n_ - bytes_.size());
        // A reply complete at the deadline counts.
        if (bytes_.size() >= n_) {
            bytes_.truncate(n_);
            return State::Done;
        }
        if (!port.isOpen())
            return State::Failed;
        return clock().tickMs() > deadline_ ? State::Failed : State::Waiting;
    }
    if (deadline_ <= clock().tickMs() || !port.isOpen())
        return State::Failed;
    if (kind_ == Kind::Drain)
        return port.bytesWaitingOut() == 0 ? State::Done : State::Waiting;
    return port.bytesWaitingIn() >= expected_.size() && port.read(port.bytesWaitingIn()) == expected_
               ? State::Done
               : State::Waiting;
}

bool startFrame(SerialPort& port, const QByteArray& frame)
{
    // Open test first: clearing a closed port's buffers means nothing.
    if (!port.isOpen())
        return false;
    port.discardBuffers();
    return port.write(frame);
}

LineWait::State PortScan::start()
{
    SerialPort& port = serialPort();
    if (port.isOpen())
        return LineWait::State::Done;
    ConfiguraPorta();
    port.discardBuffers();
    port_ = 0;
    return next();
}

LineWait::State PortScan::next()
{
    SerialPort& port = serialPort();
    const QByteArray hello = buildFrame(cmd::Hello);
    while (++port_ <= kMaxPorts) {
        port.open(port_);
        mainSurface().setPanelText(4, QStringLiteral("Connecting COM%1...").arg(port_));
        if (startFrame(port, hello)) {
            hello_ = LineWait::ack(ackFrame(cmd::Hello), ackWaitMs());
            return LineWait::State::Waiting;
        }
        port.close();
    }
    hello_.reset();
    mainSurface().setBusy(false);
    return LineWait::State::Failed;
}

LineWait::State PortScan::look(bool moveOn)
{
    if (!hello_)
        return serialPort().isOpen() ? LineWait::State::Done : LineWait::State::Failed;
    SerialPort& port = serialPort();
    switch (hello_->look(port)) {
    case LineWait::State::Waiting:
        return LineWait::State::Waiting;
    case LineWait::State::Done:
        hello_.reset();
        mainSurface().setBusy(false);
        return LineWait::State::Done;
    case LineWait::State::Failed:
        break;
    }
    port.close();
    if (moveOn)
        return next();
    hello_.reset();
    mainSurface().setBusy(false);
    return LineWait::State::Failed;
}

QByteArray CalcolaChecksum(QByteArrayView bytes)
{
    int sum = 0;
    for (char ch : bytes)
        sum += quint8(ch);
    return Hex2(sum);
}

QByteArray buildFrame(quint8 command, QByteArrayView payload)
{
    QByteArray f;
    f.reserve(2 + payload.size() + 2);
    f.append('H');
    f.append(char(command));
    f.append(payload);
    f.append(CalcolaChecksum(f));
    return f;
}

QByteArray ackFrame(quint8 command)
{
    QByteArray a;
    a.append('R');
    a.append(char(command));
    a.append(CalcolaChecksum(a));
    a.append('*');
    return a;
}

void ConfiguraPorta()
{
    SerialPort& port = serialPort();
    port.applySettings(SerialSettings{});
    port.discardBuffers();
}

void ChiudiPorta()
{
    settleExchangeUnderWay();
    SerialPort& port = serialPort();
    if (port.isOpen())
        port.close();
}

bool ConnettiStrumento()
{
    if (!lineFree())
        return false;
    LinkGuard guard;
    struct Scan {
        Scan() { g_scan = true; }
        ~Scan() { g_scan = false; }
    } scan;
    PortScan s;
    const LineWait::State state = s.start();
    if (state != LineWait::State::Waiting)
        return state == LineWait::State::Done;
    return lookUntilOver([&] { return s.look(); }, kTakesInput);
}

namespace {

// The one skeleton of a send: the frame out on a freshly emptied port, then
// the wait for exactly `expected` within `ackTimeoutMs`, or, without one, for
// the frame to leave. A port whose device failed on the way gets
// `portError`.
bool sendFrame(const QByteArray& frame, const QByteArray& expected, int ackTimeoutMs, bool takesInput,
               void (*portError)())
{
    if (!lineFree())
        return false;
    LinkGuard guard;
    SerialPort& port = serialPort();
    if (!port.isOpen())
        return false;
    bool ok = startFrame(port, frame);
    if (ok) {
        LineWait w = expected.isEmpty() ? LineWait::drain() : LineWait::ack(expected, ackTimeoutMs);
        ok = waitFor(port, w, takesInput);
    }
    if (!ok && port.failed())
        portError();
    return ok;
}

// The writes' callers report a failed exchange themselves.
void recordPortError() { noteOutcome(false); }

} // namespace

bool InviaComando(const QByteArray& frame, const QByteArray& expected)
{
    return sendFrame(frame, expected, ackWaitMs(), kTakesInput, writeFailed);
}

bool InviaComandoAttesa(const QByteArray& frame, const QByteArray& expected)
{
    return sendFrame(frame, expected, kOperationAckWaitMs, kRepaintsOnly, recordPortError);
}

QByteArray RiceviDati(int n)
{
    if (!lineFree())
        return {};
    LinkGuard guard;
    SerialPort& port = serialPort();
    if (!port.isOpen() || n <= 0)
        return {};
    LineWait w = LineWait::reply(n);
    if (waitFor(port, w, kTakesInput))
        return w.bytes();
    if (!port.isOpen() && port.failed())
        readFailed();
    return {};
}

void LampeggiaTX() { blinkLamp(6); }
void LampeggiaRX() { blinkLamp(5); }

bool noteOutcome(bool ok)
{
    StatoComunicazione.ErroreComunicazione = !ok;
    return ok;
}

void reportLinkError()
{
    noteOutcome(false);
    mainSurface().setBusy(false);
    computeLanguageOffset();
    msgBox(languageText(242), MsgIcon::None, MsgButtons::Ok);
}

} // namespace zuv
