#include "link/commands.h"

#include "link/codec.h"
#include "link/serial_comm.h"
#include "platform/mainsurface.h"
#include "platform/serialport.h"
#include "platform/textfile.h"
#include "project/state.h"

#include <algorithm>
#include <array>

namespace zuv {

namespace {

constexpr std::array<CommandInfo, 16> kCommands{{
    {cmd::Hello, 0, kLenAck, true},
    {cmd::VerificaComunicazione, 0, kLenCheck, false},
    {cmd::LeggiCalibrazione, 0, kLenCalibration, false},
    {cmd::LeggiBloccoMemoria, 4, kLenBlock, false},
    {cmd::InviaDatiConfigurazione, kPayloadConfig, kLenAck, true},
    {cmd::LeggiDatiConfigurazione, 0, kLenConfig, false},
    {cmd::InviaDatiAllarmi, kPayloadAlarms, kLenAck, true},
    {cmd::LeggiDatiAllarmi, 0, kLenAlarms, false},
    {cmd::InviaDatiSensori, kPayloadSensors, kLenAck, true},
    {cmd::LeggiDatiSensori, 0, kLenSensors, false},
    {cmd::InviaCurvaSensore, kPayloadCurve, kLenAck, true},
    {cmd::LeggiCurvaSensore, 1, kLenCurve, false},
    {cmd::InviaDatiConfigurazione2, kPayloadConfig2, kLenAck, true},
    {cmd::LeggiDatiConfigurazione2, 0, kLenConfig2, false},
    {cmd::Status, 0, kLenStatus, false},
    {cmd::LeggiBloccoSessione, 2, kLenBlock, false},
}};

// The ten bytes of the identification text as the status bar shows them:
// one character per byte, control bytes as blanks.
QString identificationText(QByteArrayView bytes)
{
    QByteArray b(bytes.toByteArray());
    for (char& ch : b)
        if (quint8(ch) < 0x20 || ch == 0x7F)
            ch = ' ';
    return fromCp1252(b);
}

// Sends a read request and takes its whole reply; empty when nothing came.
QByteArray transact(quint8 code, QByteArrayView payload)
{
    const CommandInfo* info = commandInfo(code);
    if (!info || info->isWrite)
        return {};
    if (!InviaComando(buildFrame(code, payload)))
        return {};
    return RiceviDati(info->replyLen);
}

} // namespace

const CommandInfo* commandInfo(quint8 code)
{
    for (const CommandInfo& c : kCommands)
        if (c.code == code)
            return &c;
    return nullptr;
}

QByteArray readReply(quint8 code, QByteArrayView payload)
{
    const QByteArray r = transact(code, payload);
    if (r.isEmpty())
        reportLinkError();
    return r;
}

QByteArray readPageReply(quint8 code, QByteArrayView payload)
{
    const QByteArray r = readReply(code, payload);
    if (r.isEmpty())
        return {};
    LampeggiaRX();
    noteOutcome(true);
    return r;
}

bool writePageFrame(quint8 code, QByteArrayView payload)
{
    if (!InviaComandoAttesa(buildFrame(code, payload), ackFrame(code))) {
        reportLinkError();
        return false;
    }
    LampeggiaTX();
    return noteOutcome(true);
}

void VerificaComunicazione() { showPollReply(transact(cmd::VerificaComunicazione, {})); }

void showPollReply(const QByteArray& r)
{
    MainSurface& s = mainSurface();
    if (r.isEmpty()) {
        s.setPanelPicture(4, PanelPicture::LinkOff);
        s.setPanelText(4, QStringLiteral("NO COMMUNICATION"));
        StatoComunicazione.StrumentoPresente = false;
    } else {
        s.setPanelPicture(4, PanelPicture::LinkOn);
        s.setPanelText(4, QStringLiteral("COM %1").arg(serialPort().portNumber()));
        s.setPanelText(7, identificationText(r.mid(2, 10)));
        StatoComunicazione.StrumentoPresente = true;
    }
    noteOutcome(true);
}

namespace {

// The 128 data bytes of a block read; empty after the failure report.
QByteArray blockRead(quint8 code, QByteArrayView address)
{
    const QByteArray r = readReply(code, address);
    if (r.isEmpty())
        return {};
    noteOutcome(true);
    return r.mid(2, kBlockBytes);
}

} // namespace

QByteArray LeggiBloccoMemoria(const qint32& address)
{
    return blockRead(cmd::LeggiBloccoMemoria, ScriviLong(address));
}

QByteArray LeggiBloccoSessione(qint32 address)
{
    return blockRead(cmd::LeggiBloccoSessione, ScriviWord(address));
}

std::optional<qint16> readLapCount()
{
    const QByteArray r = readReply(cmd::Status, {});
    return r.isEmpty() ? std::nullopt : std::optional<qint16>(readWord(at(r, 23)));
}

std::optional<qint32> readRecordedBytes()
{
    const QByteArray r = readReply(cmd::Status, {});
    return r.isEmpty() ? std::nullopt : std::optional<qint32>(readLong(at(r, 32)));
}

qint16 LeggiStatoDownload1() { return readLapCount().value_or(0); }

qint32 LeggiStatoDownload2() { return readRecordedBytes().value_or(0); }

int safeLapCount(qint16 laps) { return std::clamp(int(laps), 0, kMaxLaps - 1); }

qint32 safeByteCount(qint32 bytes) { return std::clamp(bytes, 0, kDeviceMemory); }

} // namespace zuv
