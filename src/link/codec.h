#pragma once
// Numbers to and from the byte characters of frames and replies, most
// significant byte first. Decoders give decimal text, as callers show it or
// turn it back into a number; readWord and its siblings save that round trip.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <QtGlobal>

namespace zuv {

// An argument of the encoders: a whole number, a Double (rounded half to
// even), a Boolean (True counts as -1) or numeric text ("" counts as 0).
// Text that is no number encodes as 0, and should have been refused by the
// caller before a frame is built.
class CodecNum {
public:
    CodecNum(int v) : value_(v) {}
    CodecNum(long v) : value_(v) {}
    CodecNum(long long v) : value_(v) {}
    CodecNum(unsigned v) : value_(v) {}
    CodecNum(unsigned long v) : value_(qint64(v)) {}
    CodecNum(double v);
    CodecNum(bool v) : value_(v ? -1 : 0) {}
    CodecNum(QStringView text);
    CodecNum(const QString& text) : CodecNum(QStringView(text)) {}
    CodecNum(const char* text) : CodecNum(QString::fromLatin1(text)) {}

    qint64 value() const { return value_; }

private:
    qint64 value_ = 0;
};

// Decoders. Missing bytes (a short argument) count as 0x00.
QString LeggiWord(QByteArrayView b);      // signed 16-bit
QString LeggiWordLong(QByteArrayView b);  // unsigned 16-bit
QString LeggiByte(QByteArrayView b);      // 0..255
QString LeggiByteSegno(QByteArrayView b); // -128..127
QString LeggiLong(QByteArrayView b);      // signed 32-bit

qint16 readWord(QByteArrayView b);
quint16 readUWord(QByteArrayView b);
quint8 readByte(QByteArrayView b);
qint8 readSignedByte(QByteArrayView b);
qint32 readLong(QByteArrayView b);

// The bytes of a reply from 1-based position `pos` on (reply text
// positions), empty past the end.
QByteArrayView at(QByteArrayView reply, int pos);

// Encoders: the low 16, 32 or 8 bits of the value.
QByteArray ScriviWord(CodecNum v);
QByteArray ScriviLong(CodecNum v);
QByteArray ByteInChr(CodecNum v);
// Two uppercase hex digits of the low byte.
QByteArray Hex2(CodecNum v);

// (value And 2^bit) <> 0, bits 0 to 31 (the value as a 32-bit number).
bool BitAttivo(CodecNum value, int bit);

// A value read from the instrument or a file used as an index into a list
// of `count` entries: the value itself when it fits, -1 otherwise.
int indexOrNone(qint64 value, int count);

} // namespace zuv
