#include "link/serial_comm.h"

#include "link/codec.h"
#include "link/commands.h"
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

bool portClosedUnder(SerialPort& port) { return !port.isOpen(); }

// The scan ignores the errors of the ports it tries: a port that fails its
// hello is simply not the instrument's.
bool g_scan = false;

// QuietReports held: failed exchanges show no message.
int g_quiet = 0;

// The poll finds out about a device that went by itself: a box from it
// would stop every tick until someone is there to press OK.
void writeFailed()
{
    if (!g_scan && !pollTickRunning())
        msgBox(QStringLiteral("Errore nella scrittura dati"), MsgIcon::Information);
}

void readFailed()
{
    if (!pollTickRunning())
        msgBox(QStringLiteral("Errore nella lettura dati"), MsgIcon::Information);
}

// One pass of a wait. The windows stay painted; the user's input waits for
// the end of an operation's exchange, but not for the poll's, which runs
// unasked and would hold the program for seconds in every scan.
void yieldInWait(Clock& c)
{
    if (pollTickRunning())
        c.yieldEvents();
    else
        c.yieldWaiting();
}

void blinkLamp(int panel)
{
    LinkGuard guard;
    ExchangeWait wait;
    Clock& c = clock();
    mainSurface().setPanelPicture(panel, PanelPicture::LampOn);
    const qint64 end = c.tickMs() + kBlinkMs;
    while (c.tickMs() < end)
        yieldInWait(c);
    mainSurface().setPanelPicture(panel, PanelPicture::LampOff);
}

// Waits until `done` holds, false at the deadline or when the port closes
// under the wait.
bool waitUntil(SerialPort& port, int timeoutMs, const std::function<bool()>& done)
{
    Clock& c = clock();
    const qint64 deadline = c.tickMs() + timeoutMs;
    for (;;) {
        if (deadline <= c.tickMs())
            return false;
        if (portClosedUnder(port))
            return false;
        if (done())
            return true;
        yieldInWait(c);
        port.waitForIo(1);
    }
}

// Waits for exactly `expected` among what arrives: whenever enough bytes are
// waiting, all of them are taken and compared whole.
bool awaitAck(SerialPort& port, const QByteArray& expected, int timeoutMs)
{
    return waitUntil(port, timeoutMs, [&] {
        return port.bytesWaitingIn() >= expected.size() && port.read(port.bytesWaitingIn()) == expected;
    });
}

bool awaitDrain(SerialPort& port)
{
    return waitUntil(port, kSendWaitMs, [&] { return port.bytesWaitingOut() == 0; });
}

} // namespace

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
    SerialPort& port = serialPort();
    if (port.isOpen())
        port.close();
}

int portOpen()
{
    SerialPort& port = serialPort();
    return port.isOpen() ? port.portNumber() : 0;
}

bool ConnettiStrumento()
{
    // A scan started from inside another exchange's wait would talk over it.
    if (insideExchangeWait())
        return false;
    LinkGuard guard;
    SerialPort& port = serialPort();
    if (port.isOpen())
        return true;

    ConfiguraPorta();
    port.discardBuffers();
    const QByteArray hello = buildFrame(cmd::Hello);
    const QByteArray ack = ackFrame(cmd::Hello);
    struct Scan {
        Scan() { g_scan = true; }
        ~Scan() { g_scan = false; }
    } scan;
    for (int n = 1; n <= kMaxPorts; ++n) {
        port.open(n);
        mainSurface().setPanelText(4, QStringLiteral("Connecting COM%1...").arg(n));
        if (InviaComando(hello, ack))
            break;
        port.close();
    }
    mainSurface().setBusy(false);
    return port.isOpen();
}

namespace {

// The one skeleton of a send: the frame out on a freshly emptied port, then
// the wait for exactly `expected` within `ackTimeoutMs`, or, without one, for
// the frame to leave. A port whose device failed on the way gets
// `portError`.
bool sendFrame(const QByteArray& frame, const QByteArray& expected, int ackTimeoutMs, void (*portError)())
{
    if (insideExchangeWait())
        return false;
    LinkGuard guard;
    SerialPort& port = serialPort();
    // Open test first: clearing a closed port's buffers means nothing.
    if (!port.isOpen())
        return false;
    port.discardBuffers();
    bool ok = port.write(frame);
    if (ok) {
        ExchangeWait wait;
        ok = expected.isEmpty() ? awaitDrain(port) : awaitAck(port, expected, ackTimeoutMs);
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
    const int timeout = StatoComunicazione.ComandoInCorso == 0 ? kAckWaitMs : kOperationAckWaitMs;
    return sendFrame(frame, expected, timeout, writeFailed);
}

bool InviaComandoAttesa(const QByteArray& frame, const QByteArray& expected)
{
    return sendFrame(frame, expected, kOperationAckWaitMs, recordPortError);
}

QByteArray RiceviDati(int n)
{
    if (insideExchangeWait())
        return {};
    LinkGuard guard;
    SerialPort& port = serialPort();
    if (!port.isOpen() || n <= 0)
        return {};
    Clock& c = clock();
    const qint64 deadline = c.tickMs() + kReplyWaitMs;
    ExchangeWait wait;
    QByteArray buf;
    buf.reserve(n);
    for (;;) {
        buf += port.read(n - buf.size());
        // A reply complete at the deadline counts.
        if (buf.size() >= n)
            return buf.left(n);
        if (portClosedUnder(port)) {
            if (port.failed())
                readFailed();
            return {};
        }
        if (c.tickMs() > deadline)
            return {};
        yieldInWait(c);
        port.waitForIo(1);
    }
}

void LampeggiaTX() { blinkLamp(6); }
void LampeggiaRX() { blinkLamp(5); }

bool noteOutcome(bool ok)
{
    StatoComunicazione.ErroreComunicazione = !ok;
    return ok;
}

QuietReports::QuietReports() { ++g_quiet; }
QuietReports::~QuietReports() { --g_quiet; }

void reportLinkError()
{
    noteOutcome(false);
    if (g_quiet > 0)
        return;
    mainSurface().setBusy(false);
    computeLanguageOffset();
    msgBox(languageText(242), MsgIcon::None, MsgButtons::Ok);
}

} // namespace zuv
