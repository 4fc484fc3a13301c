#include "link/commands.h"
#include "link/page_sensors.h"
#include "link/serial_comm.h"
#include "support/hex_bytes.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace zuv::test {
namespace {

QString frameOf(const ProjectRecord& rec)
{
    return hex(buildFrame(cmd::InviaDatiSensori, encodeSensorsPage(sensorsPageFrom(rec))));
}

TEST(SensorsPageCodec, FramesFromTheRecord)
{
    ProjectRecord rec = newProjectValues();
    EXPECT_EQ(frameOf(rec), hex(bytes("48 16 01 01 00 01 00 00 00*8 01 02 02 01 00 00*15 36 37")));

    rec.DiametroRuota = 9999;
    rec.NumAccRPM = 300;
    rec.ImpulsiRuota = -1;
    rec.LAPO = 2;
    rec.LAAL = 1;
    // An input read back as "none" (-1) goes out as 0.
    rec.ChannPT = -1;
    EXPECT_EQ(frameOf(rec), hex(bytes("48 16 2C FF 27 0F 02 01 00*8 01 02 02 00 00 00*15 43 37")));

    EXPECT_EQ(hex(ackFrame(cmd::InviaDatiSensori)), hex(bytes("52 16 36 38 2A")));
    EXPECT_EQ(hex(buildFrame(cmd::LeggiDatiSensori)), hex(bytes("48 17 35 46")));
    EXPECT_EQ(encodeSensorsPage({}).size(), kPayloadSensors);
}

// Line position of each flag and input: not the record's order, nor the slots'.
TEST(SensorsPageCodec, EachFlagAndInputHasItsPosition)
{
    struct FlagCase {
        bool ProjectRecord::*field;
        int pos;
    };
    const FlagCase flags[] = {
        {&ProjectRecord::AbilTO, 9},      {&ProjectRecord::AbilPO, 10},
        {&ProjectRecord::AbilPB, 11},     {&ProjectRecord::AbilTA, 12},
        {&ProjectRecord::AbilLB, 13},     {&ProjectRecord::AbilCambio, 14},
        {&ProjectRecord::AbilSG, 15},     {&ProjectRecord::AbilSensoreLambda, 16},
        {&ProjectRecord::AbilPT, 21},
    };
    for (const FlagCase& c : flags) {
        SCOPED_TRACE(c.pos);
        ProjectRecord rec;
        rec.*c.field = true;
        const QByteArray frame = buildFrame(cmd::InviaDatiSensori, encodeSensorsPage(sensorsPageFrom(rec)));
        for (int pos = 9; pos <= 21; ++pos) {
            const int expected = pos == c.pos ? 1 : (pos >= 17 && pos <= 20 ? 1 : 0);
            EXPECT_EQ(quint8(frame[pos - 1]), expected) << "position " << pos;
        }
        // The reply carries the same 19 bytes back.
        ProjectRecord back;
        storeSensorsPage(decodeSensorsPage(frame.left(kLenSensors)), back);
        EXPECT_EQ(back, rec);
    }

    struct InputCase {
        qint16 ProjectRecord::*field;
        int pos;
    };
    const InputCase inputs[] = {{&ProjectRecord::ChannCambio, 17},
                                {&ProjectRecord::ChannSG, 18},
                                {&ProjectRecord::ChannSensoreLambda, 19},
                                {&ProjectRecord::ChannPT, 20}};
    for (const InputCase& c : inputs) {
        SCOPED_TRACE(c.pos);
        ProjectRecord rec;
        rec.*c.field = 1;
        const QByteArray frame = buildFrame(cmd::InviaDatiSensori, encodeSensorsPage(sensorsPageFrom(rec)));
        for (int pos = 17; pos <= 20; ++pos)
            EXPECT_EQ(quint8(frame[pos - 1]), pos == c.pos ? 2 : 1);
    }
}

TEST(SensorsPageCodec, RepliesIntoTheRecord)
{
    // Enable bytes other than 1 still mean enabled; input byte 0 means none.
    const QByteArray reply = bytes("52 17 FF 05 80 01 03 07 05 00 00 00 00 00 00 02 02 01 00 00 09");
    ProjectRecord rec;
    rec.TemperaturaOlio = QStringLiteral("kept");
    storeSensorsPage(decodeSensorsPage(reply), rec);
    EXPECT_EQ(rec.NumAccRPM, 255);
    EXPECT_EQ(rec.ImpulsiRuota, 5);
    EXPECT_EQ(rec.DiametroRuota, -32767);
    EXPECT_EQ(rec.LAPO, 3);
    EXPECT_EQ(rec.LAAL, 7);
    EXPECT_TRUE(rec.AbilTO);
    EXPECT_FALSE(rec.AbilPO);
    EXPECT_TRUE(rec.AbilSensoreLambda);
    EXPECT_EQ(rec.ChannCambio, 1);
    EXPECT_EQ(rec.ChannSG, 0);
    EXPECT_EQ(rec.ChannSensoreLambda, -1);
    EXPECT_EQ(rec.ChannPT, -1);
    EXPECT_TRUE(rec.AbilPT);
    EXPECT_EQ(rec.TemperaturaOlio, QStringLiteral("kept"));

    // The record's values never travel as anything but 0 or 1 for a flag.
    const QByteArray again = encodeSensorsPage(sensorsPageFrom(rec));
    EXPECT_EQ(quint8(again[6]), 1);
    EXPECT_EQ(quint8(again[16]), 0);
}

} // namespace
} // namespace zuv::test
