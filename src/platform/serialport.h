#pragma once
// The one serial port to the instrument. Port n (1 to 20) is entry n of the
// port list; settings a pseudo-terminal refuses do not fail the open. A
// device that goes away (error, or a write that fails) closes the port, so
// the next scan finds the instrument again when it comes back.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <memory>

namespace zuv {

inline constexpr int kMaxPorts = 20;

struct SerialSettings {
    qint32 baudRate = 19200;
    int dataBits = 8;
    bool parity = false;
    int stopBits = 1;
    bool handshaking = false;
    qint64 inBufferSize = 300;
    bool dtr = false;
    bool rts = true;
};

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens port `portNumber` (1..kMaxPorts) with the settings last given;
    // false when there is no such port or it cannot be opened.
    virtual bool open(int portNumber) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // The number last asked to open (0 before any); kept after a close.
    virtual int portNumber() const = 0;
    // The port was closed because the device failed (gone, or refusing
    // bytes), not by a close; cleared by the next open.
    virtual bool failed() const = 0;

    // Kept for the next open, applied at once when open; best effort.
    virtual void applySettings(const SerialSettings& s) = 0;

    // Bytes received and not yet read (pulls what the system holds).
    virtual qint64 bytesWaitingIn() = 0;
    // Bytes written and not yet gone out.
    virtual qint64 bytesWaitingOut() = 0;
    // Drops whatever is pending in both directions; nothing on a closed port.
    virtual void discardBuffers() = 0;
    // At most `maxBytes` of what has arrived; never blocks.
    virtual QByteArray read(qint64 maxBytes) = 0;
    // False (and the port closed) when the device refuses the bytes.
    virtual bool write(const QByteArray& bytes) = 0;
    // Blocks up to `ms` for input or output progress; a wait loop calls it
    // so that it does not spin. Returns at once when nothing can come.
    virtual void waitForIo(int ms) = 0;
};

// Device names for port numbers 1..: "COMn" on Windows; elsewhere the paths
// in ZUV_PORTS (comma-separated), else /dev/ttyUSB*, /dev/ttyACM*, /dev/ttyS*
// each in numeric order; at most kMaxPorts.
QStringList serialPortNames();

// A fresh port on QSerialPort (serialPort() holds one by default).
std::unique_ptr<SerialPort> createSystemSerialPort();

SerialPort& serialPort();
// Tests put their own port in place; nullptr puts the system port back.
void setSerialPort(SerialPort* port);

} // namespace zuv
