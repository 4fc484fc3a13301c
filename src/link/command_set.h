#pragma once
// The instrument's command vocabulary: every code with its request payload
// and reply size. Writes are even codes, acknowledged; the matching read is
// the code plus one. No exchange here: the frame exchange and the commands
// built on it both take their codes and sizes from this table.

#include <QtGlobal>

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

} // namespace zuv
