#include "platform/serialport.h"

#include "platform/service.h"

#include <QDir>
#include <QSerialPort>
#include <QtGlobal>
#include <algorithm>

namespace zuv {

namespace {

// "/dev/ttyUSB*" entries in numeric order of their suffix.
QStringList devicesNamed(const QString& prefix)
{
    const QDir dev(QStringLiteral("/dev"));
    QStringList names = dev.entryList({prefix + QLatin1Char('*')}, QDir::System | QDir::Files | QDir::Readable | QDir::Writable);
    QList<QPair<int, QString>> numbered;
    for (const QString& n : names) {
        bool ok = false;
        const int k = n.mid(prefix.size()).toInt(&ok);
        if (ok)
            numbered.append({k, dev.filePath(n)});
    }
    std::sort(numbered.begin(), numbered.end());
    QStringList out;
    for (const auto& p : numbered)
        out << p.second;
    return out;
}

class QtSerialPort final : public SerialPort {
public:
    bool open(int portNumber) override
    {
        close();
        number_ = portNumber;
        failed_ = false;
        const QStringList names = serialPortNames();
        if (portNumber < 1 || portNumber > names.size())
            return false;
        port_.setPortName(names.at(portNumber - 1));
        if (!port_.open(QIODevice::ReadWrite)) {
            port_.clearError();
            return false;
        }
        configure();
        return true;
    }

    void close() override
    {
        if (port_.isOpen())
            port_.close();
        port_.clearError();
    }

    bool isOpen() const override { return port_.isOpen(); }
    int portNumber() const override { return number_; }
    bool failed() const override { return failed_; }

    void applySettings(const SerialSettings& s) override
    {
        settings_ = s;
        if (port_.isOpen())
            configure();
    }

    qint64 bytesWaitingIn() override
    {
        if (!port_.isOpen())
            return 0;
        // QSerialPort moves bytes only inside the event loop or a wait:
        // take what the system holds now.
        port_.waitForReadyRead(0);
        check();
        seen_ = port_.isOpen() ? port_.bytesAvailable() : 0;
        return seen_;
    }

    qint64 bytesWaitingOut() override
    {
        if (!port_.isOpen())
            return 0;
        if (port_.bytesToWrite() > 0)
            port_.flush();
        check();
        return port_.isOpen() ? port_.bytesToWrite() : 0;
    }

    void discardBuffers() override
    {
        if (!port_.isOpen())
            return;
        port_.clear(QSerialPort::AllDirections);
        // Anything read into our buffer before the clear goes too.
        if (port_.bytesAvailable() > 0)
            port_.readAll();
        seen_ = 0;
        check();
    }

    QByteArray read(qint64 maxBytes) override
    {
        if (!port_.isOpen() || maxBytes <= 0)
            return {};
        if (port_.bytesAvailable() < maxBytes)
            port_.waitForReadyRead(0);
        QByteArray b = port_.read(maxBytes);
        check();
        seen_ = port_.isOpen() ? port_.bytesAvailable() : 0;
        return b;
    }

    bool write(const QByteArray& bytes) override
    {
        if (!port_.isOpen())
            return false;
        if (port_.write(bytes) != bytes.size()) {
            lost();
            return false;
        }
        port_.flush();
        check();
        return port_.isOpen();
    }

    void waitForIo(int ms) override
    {
        if (!port_.isOpen() || ms <= 0)
            return;
        if (port_.bytesToWrite() > 0)
            port_.waitForBytesWritten(ms);
        // Bytes that came in meanwhile (the caller let events run) are not
        // waited for again.
        else if (port_.bytesAvailable() <= seen_)
            port_.waitForReadyRead(ms);
        check();
    }

private:
    void configure()
    {
        // A pseudo-terminal refuses some of these (DTR, RTS): not an error.
        port_.setBaudRate(settings_.baudRate);
        port_.setDataBits(QSerialPort::DataBits(settings_.dataBits));
        port_.setParity(settings_.parity ? QSerialPort::EvenParity : QSerialPort::NoParity);
        port_.setStopBits(settings_.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
        port_.setFlowControl(settings_.handshaking ? QSerialPort::HardwareControl : QSerialPort::NoFlowControl);
        port_.setReadBufferSize(settings_.inBufferSize);
        port_.setDataTerminalReady(settings_.dtr);
        port_.setRequestToSend(settings_.rts);
        port_.clearError();
    }

    // A device that has gone away closes the port.
    void check()
    {
        switch (port_.error()) {
        case QSerialPort::ResourceError:
        case QSerialPort::ReadError:
        case QSerialPort::WriteError:
        case QSerialPort::DeviceNotFoundError:
        case QSerialPort::PermissionError:
            lost();
            break;
        case QSerialPort::NoError:
            break;
        default:
            // Time-outs of the waits and refused settings are no fault.
            port_.clearError();
            break;
        }
    }

    void lost()
    {
        failed_ = true;
        close();
    }

    QSerialPort port_;
    SerialSettings settings_;
    int number_ = 0;
    bool failed_ = false;
    // Bytes the caller has seen waiting.
    qint64 seen_ = 0;
};

constinit ServiceHolder<SerialPort, QtSerialPort> g_port;

} // namespace

QStringList serialPortNames()
{
    QStringList names;
#ifdef Q_OS_WIN
    for (int n = 1; n <= kMaxPorts; ++n)
        names << QStringLiteral("COM%1").arg(n);
#else
    const QString env = qEnvironmentVariable("ZUV_PORTS");
    if (!env.trimmed().isEmpty()) {
        for (const QString& p : env.split(QLatin1Char(',')))
            if (!p.trimmed().isEmpty())
                names << p.trimmed();
    } else {
        names << devicesNamed(QStringLiteral("ttyUSB")) << devicesNamed(QStringLiteral("ttyACM"))
              << devicesNamed(QStringLiteral("ttyS"));
    }
#endif
    if (names.size() > kMaxPorts)
        names.resize(kMaxPorts);
    return names;
}

std::unique_ptr<SerialPort> createSystemSerialPort() { return std::make_unique<QtSerialPort>(); }

SerialPort& serialPort() { return g_port.get(); }

void setSerialPort(SerialPort* port) { g_port.set(port); }

} // namespace zuv
