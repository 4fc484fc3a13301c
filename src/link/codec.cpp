#include "link/codec.h"

#include "platform/numbers.h"

#include <cmath>
#include <limits>

namespace zuv {

namespace {

qint64 wholeOf(double v)
{
    if (!std::isfinite(v))
        return 0;
    const double r = roundHalfEven(v);
    // Beyond 64 bits the low bits mean nothing; such values count as 0.
    if (r < double(std::numeric_limits<qint64>::min()) || r >= double(std::numeric_limits<qint64>::max()))
        return 0;
    return qint64(r);
}

quint8 byteAt(QByteArrayView b, qsizetype i) { return i < b.size() ? quint8(b[i]) : quint8(0); }

char hexDigit(int d) { return "0123456789ABCDEF"[d & 0xF]; }

} // namespace

CodecNum::CodecNum(double v) : value_(wholeOf(v)) {}

CodecNum::CodecNum(QStringView text)
{
    if (text.trimmed().isEmpty())
        return;
    if (const auto v = parseDecimal(text))
        value_ = wholeOf(*v);
}

qint16 readWord(QByteArrayView b) { return qint16(quint16(byteAt(b, 0) << 8 | byteAt(b, 1))); }

quint16 readUWord(QByteArrayView b) { return quint16(byteAt(b, 0) << 8 | byteAt(b, 1)); }

quint8 readByte(QByteArrayView b) { return byteAt(b, 0); }

qint8 readSignedByte(QByteArrayView b) { return qint8(byteAt(b, 0)); }

qint32 readLong(QByteArrayView b)
{
    const quint32 u = quint32(byteAt(b, 0)) << 24 | quint32(byteAt(b, 1)) << 16
                      | quint32(byteAt(b, 2)) << 8 | quint32(byteAt(b, 3));
    return qint32(u);
}

QString LeggiWord(QByteArrayView b) { return QString::number(readWord(b)); }
QString LeggiWordLong(QByteArrayView b) { return QString::number(readUWord(b)); }
QString LeggiByte(QByteArrayView b) { return QString::number(readByte(b)); }
QString LeggiByteSegno(QByteArrayView b) { return QString::number(readSignedByte(b)); }
QString LeggiLong(QByteArrayView b) { return QString::number(readLong(b)); }

QByteArrayView at(QByteArrayView reply, int pos)
{
    if (pos < 1 || pos > reply.size())
        return {};
    return reply.sliced(pos - 1);
}

QByteArray ScriviWord(CodecNum v)
{
    const quint16 u = quint16(quint64(v.value()) & 0xFFFF);
    QByteArray out(2, '\0');
    out[0] = char(u >> 8);
    out[1] = char(u & 0xFF);
    return out;
}

QByteArray ScriviLong(CodecNum v)
{
    // Always the 32-bit two's complement, whatever type the value came as.
    const quint32 u = quint32(quint64(v.value()) & 0xFFFFFFFFu);
    QByteArray out(4, '\0');
    for (int i = 0; i < 4; ++i)
        out[i] = char((u >> (24 - 8 * i)) & 0xFF);
    return out;
}

QByteArray ByteInChr(CodecNum v) { return QByteArray(1, char(quint64(v.value()) & 0xFF)); }

QByteArray Hex2(CodecNum v)
{
    const int b = int(quint64(v.value()) & 0xFF);
    QByteArray out(2, '0');
    out[0] = hexDigit(b >> 4);
    out[1] = hexDigit(b);
    return out;
}

bool BitAttivo(CodecNum value, int bit)
{
    if (bit < 0 || bit > 31)
        return false;
    const quint32 u = quint32(quint64(value.value()) & 0xFFFFFFFFu);
    return (u >> bit) & 1u;
}

int indexOrNone(qint64 value, int count)
{
    return value >= 0 && value < count ? int(value) : -1;
}

} // namespace zuv
