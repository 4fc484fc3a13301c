#include "link/commands.h"
#include "link/page_alarms.h"
#include "link/serial_comm.h"
#include "support/hex_bytes.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

namespace zuv::test {
namespace {

struct FrameCase {
    const char* name;
    std::function<void(ProjectRecord&)> setup;
    const char* frame;
};

TEST(AlarmsPageCodec, FramesFromTheRecord)
{
    const FrameCase cases[] = {
        {"all off", [](ProjectRecord&) {}, "48 14 00*48 35 43"},
        {"worked example",
         [](ProjectRecord& r) {
             r.chkTO = true;
             r.mskTO = 855;
             r.chkPO = true;
             r.mskPO = 2500;
             r.mskPB = 1500; // off: not sent
             r.Led0 = 5000;
             r.Led1 = 6000;
             r.Led2 = 7000;
             r.Led3 = 8000;
             r.Led4 = 9000;
             r.LedGiallo = true;
             r.TipoLedGiallo = QStringLiteral("1");
             r.chkUscita = true;
             r.TipoUscita = 3;
         },
         "48 14 03 57 09 C4 00*8 13 88 17 70 1B 58 1F 40 23 28 01 00 00 03 00 00 00*20 43 36"},
        {"what never travels: green and blue LEDs, the input, switched-off choices",
         [](ProjectRecord& r) {
             r.LedVerde = r.LedBlu = true;
             r.TipoLedVerde = r.TipoLedBlu = QStringLiteral("2");
             r.chkIngresso = true;
             r.TipoIngresso = 1;
             r.TipoLedGiallo = QStringLiteral("3"); // LedGiallo off
             r.TipoUscita = 4;                      // chkUscita off
         },
         "48 14 00*48 35 43"},
        {"thresholds keep their low 16 bits",
         [](ProjectRecord& r) {
             r.chkTB = true;
             r.mskTB = 70000;
             r.chkLB = true;
             r.mskLB = -1;
         },
         "48 14 00*8 FF FF 11 70 00*36 44 42"},
    };
    for (const FrameCase& c : cases) {
        SCOPED_TRACE(c.name);
        ProjectRecord rec;
        c.setup(rec);
        EXPECT_EQ(hex(buildFrame(cmd::InviaDatiAllarmi, encodeAlarmsPage(alarmsPageFrom(rec)))),
                  hex(bytes(c.frame)));
    }
    EXPECT_EQ(hex(ackFrame(cmd::InviaDatiAllarmi)), hex(bytes("52 14 36 36 2A")));
    EXPECT_EQ(hex(buildFrame(cmd::LeggiDatiAllarmi)), hex(bytes("48 15 35 44")));
    EXPECT_EQ(encodeAlarmsPage({}).size(), kPayloadAlarms);
}

TEST(AlarmsPageCodec, YellowLedFunctionFromItsText)
{
    const struct {
        const char* type;
        int sent;
    } cases[] = {{"3", 3}, {"0", 0}, {"", 0}, {" ", 0}, {"abc", 0}, {" 2 ", 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        ProjectRecord rec;
        rec.LedGiallo = true;
        rec.TipoLedGiallo = QString::fromLatin1(c.type);
        EXPECT_EQ(quint8(encodeAlarmsPage(alarmsPageFrom(rec))[22]), c.sent);
    }
}

TEST(AlarmsPageCodec, ThresholdTexts)
{
    const struct {
        const char* text;
        int scale;
        qint64 threshold;
    } toLine[] = {
        {"85.5", 10, 855},   {"2.5", 1000, 2500}, {"999.9", 10, 9999}, {"", 10, 0},
        {"abc", 10, 0},      {"0.25", 10, 2},     {"0.35", 10, 4},     {"0.0015", 1000, 2},
        {"12abc", 10, 120},  {"  7", 10, 70},     {"-5", 10, -50},     {"3276.8", 10, 32768},
        {"1e300", 10, 0},    {"9.999", 1000, 9999},
    };
    for (const auto& c : toLine) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(pageThresholdFromText(QString::fromLatin1(c.text), c.scale), c.threshold);
    }

    const struct {
        qint64 threshold;
        int scale;
        const char* text;
    } shown[] = {
        {0, 10, "0.0"},        {0, 1000, "0.000"},  {2500, 1000, "2.500"}, {-5, 10, "-0.5"},
        {855, 10, "85.5"},     {9999, 10, "999.9"}, {1, 1000, "0.001"},    {10, 1000, "0.010"},
        {-32768, 10, "-3276.8"}, {250, 10, "25.0"},
    };
    for (const auto& c : shown) {
        SCOPED_TRACE(c.threshold);
        EXPECT_EQ(pageThresholdText(c.threshold, c.scale), QString::fromLatin1(c.text));
    }
}

// A threshold read into the window and sent again unchanged must go out as
// the same word, whatever word the instrument held.
TEST(AlarmsPageCodec, EveryShownThresholdGoesBackAsItCame)
{
    for (int scale : {10, 1000}) {
        int wrong = 0;
        for (int w = -32768; w <= 32767; ++w) {
            const QString t = pageThresholdText(w, scale);
            if (pageThresholdFromText(t, scale) != w && ++wrong <= 5)
                ADD_FAILURE() << "scale " << scale << ": " << w << " shown as " << t.toStdString();
        }
        EXPECT_EQ(wrong, 0) << "scale " << scale;
    }
}

TEST(AlarmsPageCodec, RepliesIntoTheRecord)
{
    // TO 855, PO 0, PB -5, TA 80 00, LB 1, TB 7F FF; LEDs; yellow 2, green and
    // blue not read, output 0, input 4, then two bytes never read.
    const QByteArray reply =
        bytes("52 15 03 57 00 00 FF FB 80 00 00 01 7F FF 13 88 FF FF 00 00 00 01 80 00 02 09 09 00 04 EE EE");
    ASSERT_EQ(reply.size(), kLenAlarms);
    ProjectRecord rec;
    rec.chkPO = true;
    rec.chkUscita = true;
    rec.TipoUscita = 5;
    rec.chkIngresso = true;
    rec.LedVerde = true;
    storeAlarmsPage(decodeAlarmsPage(reply), rec);
    EXPECT_TRUE(rec.chkTO);
    EXPECT_EQ(rec.mskTO, 855);
    EXPECT_FALSE(rec.chkPO);
    EXPECT_EQ(rec.mskPO, 0);
    EXPECT_FALSE(rec.chkPB);
    EXPECT_EQ(rec.mskPB, -5);
    EXPECT_FALSE(rec.chkTA);
    EXPECT_EQ(rec.mskTA, -32768);
    EXPECT_TRUE(rec.chkLB);
    EXPECT_EQ(rec.mskLB, 1);
    EXPECT_TRUE(rec.chkTB);
    EXPECT_EQ(rec.mskTB, 32767);
    EXPECT_EQ(rec.Led0, 5000);
    EXPECT_EQ(rec.Led1, -1);
    EXPECT_EQ(rec.Led3, 1);
    EXPECT_EQ(rec.Led4, -32768);
    EXPECT_TRUE(rec.LedGiallo);
    EXPECT_EQ(rec.TipoLedGiallo, QStringLiteral("2"));
    EXPECT_FALSE(rec.chkUscita);
    EXPECT_EQ(rec.TipoUscita, 0);
    EXPECT_EQ(rec.TipoIngresso, 4);
    EXPECT_FALSE(rec.chkIngresso);
    EXPECT_TRUE(rec.LedVerde);

    ProjectRecord off;
    storeAlarmsPage(decodeAlarmsPage(bytes("52 15 00*29")), off);
    EXPECT_FALSE(off.LedGiallo);
    EXPECT_EQ(off.TipoLedGiallo, QStringLiteral("0"));
}

} // namespace
} // namespace zuv::test
