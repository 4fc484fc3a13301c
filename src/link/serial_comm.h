#pragma once
// The frame exchange with the instrument: port scan, send and wait for an
// exact acknowledgement or a fixed number of reply bytes, the status lamps.
// Frames and replies are bytes: QByteArray, never text.

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

namespace zuv {

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

// Every wait below keeps the windows painted and holds the user's input
// until it ends (the poll's waits let the input through; see
// Clock::yieldWaiting). A port error or a device gone shows no message
// while the poll runs.

// Sends `frame`; with `expected` waits for exactly those bytes, 2000 ms idle
// or 10000 ms while ComandoInCorso is set; without, until the frame has
// gone out (3000 ms). False on a closed port or a time-out.
bool InviaComando(const QByteArray& frame, const QByteArray& expected = {});
// The writes' variant: 10000 ms for the acknowledgement. A port error ends
// in False (and ErroreComunicazione) rather than escaping.
bool InviaComandoAttesa(const QByteArray& frame, const QByteArray& expected = {});
// Exactly n bytes from the port within 5000 ms, or empty.
QByteArray RiceviDati(int n);

// Two uppercase hex digits of the low byte of the sum of all byte values.
QByteArray CalcolaChecksum(QByteArrayView bytes);

// Lamp of panel 6 (transmit) or 5 (receive) lit for 500 ms.
void LampeggiaTX();
void LampeggiaRX();

// The one report of a failed exchange: ErroreComunicazione = true, busy
// cursor off, OffsetLingua recomputed, text 242 with OK only, no icon and
// the default title. While a QuietReports is held, only the flag.
void reportLinkError();

// While one is held, a failed exchange shows no message: its caller reports
// it (the live values report one failure per outage).
class QuietReports {
public:
    QuietReports();
    ~QuietReports();
    QuietReports(const QuietReports&) = delete;
    QuietReports& operator=(const QuietReports&) = delete;
};

// The one writer of ErroreComunicazione: records how an exchange or a step
// ended. Returns `ok`.
bool noteOutcome(bool ok);

// "H", command, payload, checksum (FrameComando).
QByteArray buildFrame(quint8 command, QByteArrayView payload = {});
// "R", command, checksum of those two, "*" (RispostaConferma).
QByteArray ackFrame(quint8 command);

// The port number the link is open on (CommPort), 0 when closed.
int portOpen();

} // namespace zuv
