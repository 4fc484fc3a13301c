#pragma once
// The instrument's command vocabulary, the presence poll, the memory and
// lap block reads and the download status reads. Writes are even codes,
// acknowledged; the matching read is the code plus one.

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>
#include <optional>

namespace zuv {

namespace cmd {
inline constexpr quint8 Hello = 0x01;
inline constexpr quint8 VerificaComunicazione = 0x02;
inline constexpr quint8 LeggiCalibrazione = 0x09;
inline constexpr quint8 LeggiBloccoMemoria = 0x0E;
inline constexpr quint8 InviaDatiConfigurazione = 0x12;
inline constexpr quint8 LeggiDatiConfigurazione = 0x13;
inline constexpr quint8 InviaDatiAllarmi = 0x14;
inline constexpr quint8 LeggiDatiAllarmi = 0x15;
inline constexpr quint8 InviaDatiSensori = 0x16;
inline constexpr quint8 LeggiDatiSensori = 0x17;
inline constexpr quint8 InviaCurvaSensore = 0x18;
inline constexpr quint8 LeggiCurvaSensore = 0x19;
inline constexpr quint8 InviaDatiConfigurazione2 = 0x1C;
inline constexpr quint8 LeggiDatiConfigurazione2 = 0x1D;
// LeggiStatoDownload1, LeggiStatoDownload2 and LeggiDiagnostica.
inline constexpr quint8 Status = 0x25;
inline constexpr quint8 LeggiBloccoSessione = 0x26;
} // namespace cmd

// Request payload and reply sizes of one command. A write (`isWrite`) is
// answered by its 5-byte acknowledgement, a read by `replyLen` bytes whose
// data start at position 3.
struct CommandInfo {
    quint8 code;
    int payload;
    int replyLen;
    bool isWrite;
};
// nullptr for a code the instrument does not know.
const CommandInfo* commandInfo(quint8 code);

// Reply lengths.
inline constexpr int kLenCheck = 13;
inline constexpr int kLenCalibration = 19;
inline constexpr int kLenBlock = 130;
inline constexpr int kLenConfig = 30;
inline constexpr int kLenAlarms = 31;
inline constexpr int kLenSensors = 21;
inline constexpr int kLenCurve = 99;
inline constexpr int kLenConfig2 = 16;
inline constexpr int kLenStatus = 36;
inline constexpr int kLenAck = 5;
// Write payload lengths.
inline constexpr int kPayloadConfig = 26;
inline constexpr int kPayloadAlarms = 48;
inline constexpr int kPayloadSensors = 34;
inline constexpr int kPayloadCurve = 97;
inline constexpr int kPayloadConfig2 = 22;

inline constexpr int kBlockBytes = 128;
// The instrument's memory, in bytes.
inline constexpr qint32 kDeviceMemory = 2096384;

// Presence poll: the status bar's link panel and identification text, and
// StrumentoPresente. Never a message box.
void VerificaComunicazione();
// What the poll's reply `r` (empty when none came) means for the status bar
// and StrumentoPresente.
void showPollReply(const QByteArray& r);

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
