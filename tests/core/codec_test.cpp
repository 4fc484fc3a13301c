// Numbers to and from line bytes, most significant first.

#include "link/codec.h"

#include <gtest/gtest.h>

namespace zuv::test {
namespace {

QByteArray hex(const char* h) { return QByteArray::fromHex(h); }

TEST(Codec, EncodersGiveTheLowBitsBigEndian)
{
    struct Case {
        const char* what;
        QByteArray got;
        QByteArray want;
    };
    const Case cases[] = {
        {"Hex2(0)", Hex2(0), "00"},
        {"Hex2(255)", Hex2(255), "FF"},
        {"Hex2(256)", Hex2(256), "00"},
        {"Hex2(-1)", Hex2(-1), "FF"},
        {"Hex2(0x10A)", Hex2(0x10A), "0A"},
        {"Hex2(10)", Hex2(10), "0A"},
        {"ByteInChr(True)", ByteInChr(true), hex("FF")},
        {"ByteInChr(False)", ByteInChr(false), hex("00")},
        {"ByteInChr(256)", ByteInChr(256), hex("00")},
        {"ScriviWord(300)", ScriviWord(300), hex("012C")},
        {"ScriviWord(-1)", ScriviWord(-1), hex("FFFF")},
        {"ScriviWord(70000)", ScriviWord(70000), hex("1170")},
        {"ScriviWord(\"\")", ScriviWord(""), hex("0000")},
        {"ScriviWord(65535)", ScriviWord(65535), hex("FFFF")},
        {"ScriviWord(-500)", ScriviWord(-500), hex("FE0C")},
        {"ScriviWord(\"300\")", ScriviWord(QStringLiteral(" 300 ")), hex("012C")},
        // Doubles and decimal text round half to even.
        {"ScriviWord(2.5)", ScriviWord(2.5), hex("0002")},
        {"ScriviWord(3.5)", ScriviWord(3.5), hex("0004")},
        {"ScriviWord(1470.5)", ScriviWord(1470.5), hex("05BE")},
        {"ScriviWord(1004.9999999999999)", ScriviWord(1004.9999999999999), hex("03ED")},
        {"ScriviWord(\"12.5\")", ScriviWord("12.5"), hex("000C")},
        {"ScriviLong(256)", ScriviLong(256), hex("00000100")},
        // Sign-extended whatever the type it came as.
        {"ScriviLong(qint16 -1)", ScriviLong(qint16(-1)), hex("FFFFFFFF")},
        {"ScriviLong(-2)", ScriviLong(qint64(-2)), hex("FFFFFFFE")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got.toHex(' '), c.want.toHex(' ')) << c.what;
}

TEST(Codec, DecodersReadSignedOrUnsigned)
{
    struct Case {
        QString got;
        const char* want;
    };
    const Case cases[] = {
        {LeggiWord(hex("FFF6")), "-10"},
        {LeggiWord(hex("012C")), "300"},
        {LeggiWord(hex("8000")), "-32768"},
        {LeggiWordLong(hex("8000")), "32768"},
        {LeggiWordLong(hex("FFFF")), "65535"},
        {LeggiWord(hex("7FFF")), "32767"},
        {LeggiByte(hex("F6")), "246"},
        {LeggiByteSegno(hex("F6")), "-10"},
        {LeggiByteSegno(hex("7F")), "127"},
        {LeggiLong(hex("FFFFFFFE")), "-2"},
        {LeggiLong(hex("001FFC00")), "2096128"},
        // Short input: the missing bytes read as 0x00, never past the end.
        {LeggiWord(hex("01")), "256"},
        {LeggiLong(QByteArray()), "0"},
        {LeggiByte(QByteArray()), "0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, QLatin1String(c.want));
}

TEST(Codec, BitAttivoTakesNumbersAndDecodedText)
{
    EXPECT_TRUE(BitAttivo(0x0102, 1));
    EXPECT_TRUE(BitAttivo(0x0102, 8));
    EXPECT_FALSE(BitAttivo(0x0102, 0));
    EXPECT_TRUE(BitAttivo(LeggiWord(hex("FF00")), 15)); // "-256"
    EXPECT_FALSE(BitAttivo(1, 40));
}

TEST(Codec, TextThatIsNoNumberEncodesAsZero)
{
    EXPECT_EQ(CodecNum(QString()).value(), 0);
    EXPECT_EQ(CodecNum(QStringLiteral("-12.5")).value(), -12);
    EXPECT_EQ(CodecNum(QStringLiteral("12a")).value(), 0);
    EXPECT_EQ(CodecNum(QStringLiteral("inf")).value(), 0);
    EXPECT_EQ(CodecNum(QStringLiteral("abc")).value(), 0);
    EXPECT_EQ(ScriviWord(QStringLiteral("abc")), hex("0000"));
    EXPECT_EQ(CodecNum(std::numeric_limits<double>::quiet_NaN()).value(), 0);
}

TEST(Codec, PositionsAndIndexesStayInside)
{
    const QByteArray r = hex("0102030405");
    EXPECT_EQ(at(r, 1).toByteArray(), r);
    EXPECT_EQ(at(r, 4).toByteArray(), hex("0405"));
    EXPECT_TRUE(at(r, 6).isEmpty());
    EXPECT_TRUE(at(r, 0).isEmpty());

    EXPECT_EQ(indexOrNone(2, 3), 2);
    EXPECT_EQ(indexOrNone(3, 3), -1);
    EXPECT_EQ(indexOrNone(-1, 3), -1);
    EXPECT_EQ(indexOrNone(255, 0), -1);
}

} // namespace
} // namespace zuv::test
