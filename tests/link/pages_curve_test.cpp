#include "link/commands.h"
#include "link/curve_codec.h"
#include "link/serial_comm.h"
#include "platform/serialport.h"
#include "project/state.h"
#include "support/link_fixture.h"

namespace zuv::test {
namespace {

class CurveLinkTest : public FakeLinkTest {
protected:
    void SetUp() override
    {
        FakeLinkTest::SetUp();
        StatoComunicazione.ComandoInCorso = cmd::InviaDatiConfigurazione;
        ASSERT_TRUE(ConnettiStrumento());
    }

    static void fill(int slot)
    {
        for (int i = 0; i < 20; ++i) {
            CurvaSensore.CurvaX[i] = 40 * i + slot;
            CurvaSensore.CurvaY[i] = -300 + 1000 * i + slot;
        }
    }
};

TEST_F(CurveLinkTest, EverySlotSentAndReadBack)
{
    for (int slot = 0; slot < kNumSlot; ++slot) {
        fill(slot);
        InviaCurvaSensore(slot);
        ASSERT_FALSE(StatoComunicazione.ErroreComunicazione) << slot;
        EXPECT_EQ(port.engine.curve[slot], encodeCurve(slot, CurvaSensore)) << slot;
    }
    for (int slot = kNumSlot - 1; slot >= 0; --slot) {
        SCOPED_TRACE(slot);
        CurvaSensore = CurveBuffer();
        CurvaSensore.CurvaX[20] = 5;
        LeggiCurvaSensore(slot);
        EXPECT_FALSE(StatoComunicazione.ErroreComunicazione);
        const CurveBuffer read = CurvaSensore;
        fill(slot);
        CurvaSensore.CurvaX[20] = 5;
        CurvaSensore.CurvaY[20] = 0;
        EXPECT_EQ(read.CurvaX, CurvaSensore.CurvaX);
        EXPECT_EQ(read.CurvaY, CurvaSensore.CurvaY);
    }
    EXPECT_EQ(port.writes.back().toHex(' '), QByteArray("48 19 00 36 31"));
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(CurveLinkTest, ReadScaledByTheSlotsType)
{
    const struct {
        int slot;
        double y;
        double library;
    } cases[] = {{0, 1205, 120.5}, {1, 1234, 1.234}, {5, 3, 3}, {6, 1470, 14.7}, {8, -250, -0.25}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.slot);
        CurvaSensore = CurveBuffer();
        CurvaSensore.CurvaY[3] = c.y;
        InviaCurvaSensore(c.slot);
        CurvaSensore = CurveBuffer();
        EXPECT_TRUE(readCurveScaled(c.slot));
        EXPECT_EQ(CurvaSensore.CurvaY[3], c.library);
    }
}

TEST_F(CurveLinkTest, FailuresLeaveTheBuffer)
{
    fill(2);
    InviaCurvaSensore(2);
    const CurveBuffer before = CurvaSensore;

    port.engine.setFault(emu::Fault::Silence);
    EXPECT_FALSE(readCurveScaled(2));
    EXPECT_TRUE(StatoComunicazione.ErroreComunicazione);
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text, QStringLiteral("T242"));
    // Not read, and not divided either.
    EXPECT_EQ(CurvaSensore.CurvaY, before.CurvaY);
    EXPECT_EQ(CurvaSensore.CurvaX, before.CurvaX);

    msgs.clear();
    port.engine.setFault(emu::Fault::WrongAck);
    InviaCurvaSensore(2);
    EXPECT_TRUE(StatoComunicazione.ErroreComunicazione);
    EXPECT_EQ(msgs.shown.size(), 1u);
    port.engine.clearFault();

    // A slot the instrument does not have is never put on the line.
    msgs.clear();
    const std::size_t writes = port.writes.size();
    for (int slot : {-1, 9, 255}) {
        StatoComunicazione.ErroreComunicazione = false;
        InviaCurvaSensore(slot);
        EXPECT_TRUE(StatoComunicazione.ErroreComunicazione) << slot;
        StatoComunicazione.ErroreComunicazione = false;
        LeggiCurvaSensore(slot);
        EXPECT_TRUE(StatoComunicazione.ErroreComunicazione) << slot;
    }
    EXPECT_EQ(port.writes.size(), writes);
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(CurvaSensore.CurvaY, before.CurvaY);
}

} // namespace
} // namespace zuv::test
