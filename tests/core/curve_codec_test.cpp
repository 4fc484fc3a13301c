#include "link/commands.h"
#include "link/codec.h"
#include "link/curve_codec.h"
#include "link/serial_comm.h"
#include "support/hex_bytes.h"

#include <QStringList>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace zuv::test {
namespace {

// The reply the instrument gives for a stored curve: no slot byte, one byte
// more at the end.
QByteArray replyFor(const QByteArray& payload, char trailing = 0)
{
    return QByteArray("R") + char(cmd::LeggiCurvaSensore) + payload.mid(1) + trailing;
}

TEST(CurveCodec, FramesAndRequests)
{
    CurveBuffer zero;
    EXPECT_EQ(hex(buildFrame(cmd::InviaCurvaSensore, encodeCurve(0, zero))),
              hex(bytes("48 18 00 00 14 00 01 00 00 00 00 00 00 00 28 00 02 00*82 39 46")));
    EXPECT_EQ(hex(ackFrame(cmd::InviaCurvaSensore)), hex(bytes("52 18 36 41 2A")));
    EXPECT_EQ(hex(buildFrame(cmd::LeggiCurvaSensore, ByteInChr(8))), hex(bytes("48 19 08 36 39")));
    EXPECT_EQ(hex(buildFrame(cmd::LeggiCurvaSensore, ByteInChr(0))), hex(bytes("48 19 00 36 31")));
    EXPECT_EQ(encodeCurve(0, zero).size(), kPayloadCurve);
}

TEST(CurveCodec, PointsSitAtTheirPositionsAndComeBack)
{
    CurveBuffer c;
    for (int i = 0; i < kCurvePoints; ++i) {
        c.CurvaX[i] = 50 * i;
        c.CurvaY[i] = 250 * i;
    }
    c.CurvaX[20] = 777; // never travels
    const QByteArray payload = encodeCurve(1, c);
    const QByteArray frame = buildFrame(cmd::InviaCurvaSensore, payload);
    ASSERT_EQ(frame.size(), 101);
    EXPECT_EQ(quint8(frame[2]), 1);
    for (int i = 0; i < kCurvePoints; ++i) {
        SCOPED_TRACE(i);
        const int xPos = 18 + 2 * i;
        const int yPos = 60 + 2 * i;
        EXPECT_EQ((quint8(frame[xPos - 1]) << 8) | quint8(frame[xPos]), 50 * i);
        EXPECT_EQ((quint8(frame[yPos - 1]) << 8) | quint8(frame[yPos]), 250 * i);
    }
    EXPECT_EQ(frame.mid(57, 2), QByteArray(2, '\0'));
    EXPECT_EQ(frame.right(2), QByteArray("0E"));

    CurveBuffer back;
    back.CurvaX[20] = -1;
    back.CurvaY[20] = -2;
    QByteArray reply = replyFor(payload, char(0x77));
    ASSERT_EQ(reply.size(), kLenCurve);
    // What is not decoded may hold anything.
    for (int pos = 3; pos <= 16; ++pos)
        reply[pos - 1] = char(0xA5);
    reply[56] = reply[57] = char(0xC3);
    decodeCurve(reply, back);
    for (int i = 0; i < kCurvePoints; ++i) {
        EXPECT_EQ(back.CurvaX[i], c.CurvaX[i]);
        EXPECT_EQ(back.CurvaY[i], c.CurvaY[i]);
    }
    EXPECT_EQ(back.CurvaX[20], -1);
    EXPECT_EQ(back.CurvaY[20], -2);
}

TEST(CurveCodec, ValuesOnTheLine)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double y;
        const char* word;
        double readBack;
    } cases[] = {
        {40000, "9C 40", 40000 - 65536}, {-500, "FE 0C", -500}, {12.5, "00 0C", 12},
        {13.5, "00 0E", 14},             {-0.5, "00 00", 0},    {65536 + 3, "00 03", 3},
        {nan, "00 00", 0},               {inf, "00 00", 0},     {32767, "7F FF", 32767},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.y);
        CurveBuffer buf;
        buf.CurvaY[7] = c.y;
        const QByteArray payload = encodeCurve(2, buf);
        EXPECT_EQ(hex(payload.mid(57 + 14, 2)), hex(bytes(c.word)));
        CurveBuffer back;
        decodeCurve(replyFor(payload), back);
        EXPECT_EQ(back.CurvaY[7], c.readBack);
    }
}

} // namespace
} // namespace zuv::test
