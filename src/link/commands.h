#pragma once
// The instrument's commands over the frame exchange: the memory and lap
// block reads, the download status reads and the building blocks of the
// page commands. Their codes and sizes are the command set's.

#include "link/command_set.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>
#include <optional>

namespace zuv {

// 128 bytes of memory at `address`, or empty after the failure report.
// A success clears ErroreComunicazione.
QByteArray LeggiBloccoMemoria(const qint32& address);
// 128 bytes of lap memory at byte address `address` (sent as a word).
QByteArray LeggiBloccoSessione(qint32 address);
// Laps stored in the instrument (signed as on the line); 0 on failure.
qint16 LeggiStatoDownload1();
// Recorded memory bytes (signed as on the line); 0 on failure.
qint32 LeggiStatoDownload2();
// The same two reads, nothing after the failure report.
std::optional<qint16> readLapCount();
std::optional<qint32> readRecordedBytes();

// The counts above, made safe to index the download buffers with:
// negative gives 0, laps stop at the lap table, bytes at the memory size.
int safeLapCount(qint16 laps);
qint32 safeByteCount(qint32 bytes);

// Building blocks of the page commands. The caller has connected.
// A write: frame, acknowledgement within 10000 ms, transmit lamp and
// ErroreComunicazione false; or the failure report and false.
bool writePageFrame(quint8 code, QByteArrayView payload);
// A page read: the whole reply (length from the table) after the receive
// lamp, ErroreComunicazione false; or the failure report and empty.
QByteArray readPageReply(quint8 code, QByteArrayView payload = {});
// A read with no lamp that leaves ErroreComunicazione alone on success:
// the whole reply, or the failure report and empty.
QByteArray readReply(quint8 code, QByteArrayView payload = {});

} // namespace zuv
