#include "link/commands.h"

#include "link/codec.h"
#include "link/serial_comm.h"
#include "project/state.h"

#include <algorithm>

namespace zuv {

QByteArray readReply(quint8 code, QByteArrayView payload)
{
    const CommandInfo* info = commandInfo(code);
    QByteArray r;
    if (info && !info->isWrite && InviaComando(buildFrame(code, payload)))
        r = RiceviDati(info->replyLen);
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
