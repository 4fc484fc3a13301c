#pragma once
// The instrument's side of the line, byte for byte, as a plain object: bytes
// from the PC go in, the replies come out. The pty emulator and the
// in-process fake port both talk through it. Not thread-safe by itself.

#include "emulator/words.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>
#include <array>
#include <map>
#include <optional>
#include <vector>

namespace zuv::emu {

// What can go wrong with the instrument's next replies.
enum class Fault {
    None,
    Silence,      // no reply at all
    WrongAck,     // acknowledgement naming another command (checksum right for it)
    BadChecksum,  // acknowledgement with a wrong checksum
    Late,         // the reply comes after lateMs
    ExtraByte,    // the reply and one byte more, together
    ShortReply,   // the reply without its last byte
    Split,        // the reply in two halves, the second after lateMs
    DropLine,     // the line goes dead instead of replying
};

// One chunk of a reply: sent `delayMs` after the previous one.
struct Chunk {
    int delayMs = 0;
    QByteArray bytes;
};

struct Reply {
    std::vector<Chunk> chunks;
    bool dropLine = false;
};

class Engine {
public:
    // Takes the bytes the PC sent; gives the instrument's reply to every
    // frame they complete, in order. Bytes that start no frame are dropped;
    // a frame with a wrong checksum gets no reply.
    std::vector<Reply> feed(QByteArrayView bytes);

    // --- what the instrument holds ---------------------------------------
    // Ten bytes of identification text for the poll reply.
    QByteArray identification = QByteArrayLiteral("ZUV-EMU 01");
    // The live values: the eight raw inputs (0x09) and the whole 36-byte
    // status reply (0x25), into which laps and recorded bytes are patched.
    // Left unset, each moves as a running engine's, a step per live read
    // (runningStatus, runningInputs); set, it stays as set.
    std::optional<std::array<qint16, 8>> analogInputs;
    std::optional<QByteArray> status;
    int liveStep = 0;
    qint16 lapCount = 0;
    qint32 recordedBytes = 0;
    // Recorded memory (0x0E) and lap memory (0x26); past the end reads 0xFF.
    QByteArray memory;
    QByteArray lapMemory;
    // Stored page payloads by write code (0x12, 0x14, 0x16, 0x1C).
    std::map<quint8, QByteArray> pages;
    // Stored curve payloads (97 bytes, slot byte first) by slot 0..8.
    std::array<QByteArray, 9> curve;

    // --- faults ----------------------------------------------------------
    // `fault` for the next `count` frames (-1: until cleared) whose command
    // is `onlyCode` (0: any command).
    void setFault(Fault fault, int count = -1, quint8 onlyCode = 0);
    void clearFault() { setFault(Fault::None, 0); }
    int lateMs = 3000;

    // --- what it was sent ------------------------------------------------
    // Every complete frame, checksum included, good or bad.
    std::vector<QByteArray> received;
    // Bytes dropped because they started no frame.
    QByteArray dropped;

    // The read reply for a command, as the instrument lays it out.
    QByteArray readAnswer(quint8 code, QByteArrayView payload) const;

private:
    Reply respond(quint8 code, QByteArrayView payload, bool checksumOk);

    QByteArray pending_;
    Fault fault_ = Fault::None;
    int faultCount_ = 0;
    quint8 faultCode_ = 0;
};

// Two memory blocks as the instrument stores them: B's last byte is the
// checksum (the low byte of the sum) of the other 255.
QByteArray checkedPair(QByteArray a, QByteArray b);

// Lap memory as the instrument stores it: one 4-byte entry per lap time (in
// hundredths), 32 to a block, as many blocks as the laps need; the first
// entry opens the session, the last block's spare entries are erased.
QByteArray lapMemoryImage(const std::vector<qint32>& hundredths);

} // namespace zuv::emu
