#pragma once
// The frame exchange with the instrument: port scan, send and wait for an
// exact acknowledgement or a fixed number of reply bytes, the status lamps.
// Frames and replies are bytes: QByteArray, never text.

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>
#include <functional>
#include <optional>

namespace zuv {

class SerialPort;

// Waits, in milliseconds.
inline constexpr int kAckWaitMs = 2000;       // acknowledgement, idle
inline constexpr int kOperationAckWaitMs = 10000; // during an operation, and writes
inline constexpr int kSendWaitMs = 3000;          // frame leaving the output buffer
inline constexpr int kReplyWaitMs = 5000;       // a read reply
inline constexpr int kBlinkMs = 500;

// True when the port is open to an instrument that answered the hello;
// scans ports 1..20 when the port is closed, sends nothing when it is open.
bool ConnettiStrumento();
// Settings of the line, applied before the scan.
void ConfiguraPorta();
void ChiudiPorta();

// The waits of the scan, InviaComando, RiceviDati and the lamps let the
// windows take the user's input, so the window of a running operation can
// be closed; InviaComandoAttesa only repaints (Clock::yieldWaiting). Each
// exchange first lets a poll exchange under way end (settleExchangeUnderWay).

// Sends `frame`; with `expected` waits for exactly those bytes, 2000 ms idle
// or 10000 ms while ComandoInCorso is set; without, until the frame has
// gone out (3000 ms). False on a closed port or a time-out.
bool InviaComando(const QByteArray& frame, const QByteArray& expected = {});
// The writes' variant: 10000 ms for the acknowledgement. A port error ends
// in False (and ErroreComunicazione) rather than escaping.
bool InviaComandoAttesa(const QByteArray& frame, const QByteArray& expected = {});
// Exactly n bytes from the port within 5000 ms, or empty.
QByteArray RiceviDati(int n);

// What an exchange waits for, one look at the port at a time: the waits
// above loop over it, the poll's exchange looks between events.
class LineWait {
public:
    enum class State { Waiting, Done, Failed };

    // Exactly `expected` among what arrives within `timeoutMs`: whenever
    // enough bytes wait, all of them are taken and compared whole.
    static LineWait ack(const QByteArray& expected, int timeoutMs);
    // The frame has left the output buffer (3000 ms).
    static LineWait drain();
    // Exactly n bytes (5000 ms); more stay for the next send to drop.
    static LineWait reply(int n);

    State look(SerialPort& port);
    // The reply's n bytes once Done.
    const QByteArray& bytes() const { return bytes_; }

private:
    enum class Kind { Ack, Drain, Reply };
    LineWait(Kind kind, qint64 deadline) : kind_(kind), deadline_(deadline) {}

    Kind kind_;
    qint64 deadline_;
    QByteArray expected_;
    int n_ = 0;
    QByteArray bytes_;
};

// Looks with `look` until it is no longer Waiting, letting the window system
// in between two looks (with the user's input when `takesInput`, else
// repainting only) as an exchange's wait, inside which no other exchange
// may start. True when it ended Done.
bool lookUntilOver(const std::function<LineWait::State()>& look, bool takesInput);

// A frame out on a freshly emptied port; false when the port is closed or
// its device refused the bytes.
bool startFrame(SerialPort& port, const QByteArray& frame);

// The scan of ConnettiStrumento one look at a time: ports 1 to 20, each
// opened and sent the hello, until one acknowledges.
class PortScan {
public:
    // Done at once when the port is already open.
    LineWait::State start();
    // A hello that fails closes its port and, with `moveOn`, the next port
    // is tried; without, the scan ends there (Failed).
    LineWait::State look(bool moveOn = true);

private:
    LineWait::State next();

    int port_ = 0;
    std::optional<LineWait> hello_;
};

// Two uppercase hex digits of the low byte of the sum of all byte values.
QByteArray CalcolaChecksum(QByteArrayView bytes);

// Lamp of panel 6 (transmit) or 5 (receive) lit for 500 ms.
void LampeggiaTX();
void LampeggiaRX();

// The one report of a failed exchange: ErroreComunicazione = true, busy
// cursor off, OffsetLingua recomputed, text 242 with OK only, no icon and
// the default title.
void reportLinkError();

// The one writer of ErroreComunicazione: records how an exchange or a step
// ended. Returns `ok`.
bool noteOutcome(bool ok);

// "H", command, payload, checksum (FrameComando).
QByteArray buildFrame(quint8 command, QByteArrayView payload = {});
// "R", command, checksum of those two, "*" (RispostaConferma).
QByteArray ackFrame(quint8 command);

} // namespace zuv
