#include "link/commands.h"
#include "link/page_config.h"
#include "link/serial_comm.h"
#include "support/config_record.h"
#include "support/hex_bytes.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

namespace zuv::test {
namespace {

struct FrameCase {
    const char* name;
    std::function<void(ProjectRecord&)> setup;
    const char* page1;
    const char* page2;
};

// Frames built from the record, checksum included.
TEST(ConfigPageCodec, FramesFromTheRecord)
{
    const FrameCase cases[] = {
        {"all zero", [](ProjectRecord&) {}, "48 12 00*26 35 41", "48 1C 00*22 36 34"},
        {"worked example",
         [](ProjectRecord& r) {
             r = workedConfigRecord();
             r.PaginaAbilitata2 = r.PaginaAbilitata4 = r.PaginaAbilitata5 = true;
             r.PaginaAbilitata6 = r.PaginaAbilitata7 = r.PaginaAbilitata8 = true;
             r.Settore3 = 40000;
         },
         "48 12 01 01 00 01 00 FF 01 1E 00 32 00*16 41 44",
         "48 1C 05 0A 04 B0 09 C4 9C 40 00 00 00 00 00*10 44 30"},
        {"only page 9; pages 1 and 10 never travel",
         [](ProjectRecord& r) { r.PaginaAbilitata1 = r.PaginaAbilitata9 = r.PaginaAbilitata10 = true; },
         "48 12 00 00 00 00 00 80 00*20 44 41", "48 1C 00*22 36 34"},
        {"values wider than the line keep their low bits",
         [](ProjectRecord& r) {
             r.mskAbilRecVel = 70000;
             r.mskStopRecSecondi = 300;
             r.Settore5 = -1;
             r.TempoMsgGiro = 256;
         },
         "48 12 00 00 00 00 00 00 00 2C 11 70 00*16 30 37",
         "48 1C 00 00 00 00 00 00 00 00 00 00 FF FF 00*10 36 32"},
    };
    for (const FrameCase& c : cases) {
        SCOPED_TRACE(c.name);
        ProjectRecord rec;
        c.setup(rec);
        EXPECT_EQ(hex(buildFrame(cmd::InviaDatiConfigurazione, encodeConfigPage1(configPage1From(rec)))),
                  hex(bytes(c.page1)));
        EXPECT_EQ(hex(buildFrame(cmd::InviaDatiConfigurazione2, encodeConfigPage2(configPage2From(rec)))),
                  hex(bytes(c.page2)));
    }
}

TEST(ConfigPageCodec, EachDisplayPageHasItsOwnBit)
{
    bool ProjectRecord::*const pages[] = {
        &ProjectRecord::PaginaAbilitata2, &ProjectRecord::PaginaAbilitata3, &ProjectRecord::PaginaAbilitata4,
        &ProjectRecord::PaginaAbilitata5, &ProjectRecord::PaginaAbilitata6, &ProjectRecord::PaginaAbilitata7,
        &ProjectRecord::PaginaAbilitata8, &ProjectRecord::PaginaAbilitata9};
    for (int k = 0; k < 8; ++k) {
        SCOPED_TRACE(k + 2);
        ProjectRecord rec;
        rec.*pages[k] = true;
        const QByteArray p = encodeConfigPage1(configPage1From(rec));
        EXPECT_EQ(quint8(p[4]), 0);
        EXPECT_EQ(quint8(p[5]), 1 << k);
        // And back.
        QByteArray reply = "R" + QByteArray(1, char(0x13)) + p + "xx";
        ProjectRecord back;
        storeConfigPage1(decodeConfigPage1(reply), back);
        EXPECT_EQ(back, rec);
    }
}

TEST(ConfigPageCodec, CommandsAndAcknowledgements)
{
    EXPECT_EQ(hex(ackFrame(cmd::InviaDatiConfigurazione)), hex(bytes("52 12 36 34 2A")));
    EXPECT_EQ(hex(ackFrame(cmd::InviaDatiConfigurazione2)), hex(bytes("52 1C 36 45 2A")));
    EXPECT_EQ(hex(buildFrame(cmd::LeggiDatiConfigurazione)), hex(bytes("48 13 35 42")));
    EXPECT_EQ(hex(buildFrame(cmd::LeggiDatiConfigurazione2)), hex(bytes("48 1D 36 35")));
    EXPECT_EQ(encodeConfigPage1({}).size(), kPayloadConfig);
    EXPECT_EQ(encodeConfigPage2({}).size(), kPayloadConfig2);
}

TEST(ConfigPageCodec, RepliesIntoTheRecord)
{
    // Header and the positions past the data are never looked at.
    const QByteArray r1 = bytes("00 00 01 00 01 00 00 05 01 FF 80 00") + QByteArray(18, char(0xAA));
    ProjectRecord rec;
    rec.PaginaAbilitata1 = true;
    rec.NomeProgetto = QStringLiteral("kept");
    storeConfigPage1(decodeConfigPage1(r1), rec);
    EXPECT_EQ(rec.Lingua, 1);
    EXPECT_EQ(rec.UMVel, 0);
    EXPECT_EQ(rec.UMTemp, 1);
    EXPECT_TRUE(rec.PaginaAbilitata2);
    EXPECT_FALSE(rec.PaginaAbilitata3);
    EXPECT_TRUE(rec.PaginaAbilitata4);
    EXPECT_FALSE(rec.PaginaAbilitata9);
    EXPECT_TRUE(rec.chkAbilRecLap);
    EXPECT_EQ(rec.mskStopRecSecondi, 255);
    EXPECT_EQ(rec.mskAbilRecVel, -32768);
    EXPECT_TRUE(rec.PaginaAbilitata1);
    EXPECT_EQ(rec.NomeProgetto, QStringLiteral("kept"));

    const QByteArray zeros = bytes("52 13 00*28");
    QByteArray garbage = zeros;
    for (int i = 12; i < 30; ++i)
        garbage[i] = char(0x5A + i);
    EXPECT_EQ(decodeConfigPage1(garbage), decodeConfigPage1(zeros));
    EXPECT_FALSE(decodeConfigPage1(zeros).AbilRecLap);

    // Sector words are signed: 40000 went out as 9C 40 and comes back negative.
    const QByteArray r2 = bytes("52 1D FA 0A 9C 40 00 01 7F FF 80 00 FF FF 12 34");
    ProjectRecord rec2;
    storeConfigPage2(decodeConfigPage2(r2), rec2);
    EXPECT_EQ(rec2.TempoMsgGiro, 250);
    EXPECT_EQ(rec2.TempoVisGiro, 10);
    EXPECT_EQ(rec2.Settore1, 40000 - 65536);
    EXPECT_EQ(rec2.Settore2, 1);
    EXPECT_EQ(rec2.Settore3, 32767);
    EXPECT_EQ(rec2.Settore4, -32768);
    EXPECT_EQ(rec2.Settore5, -1);
}

} // namespace
} // namespace zuv::test
