// Every page and every curve over a real serial line (a pseudo-terminal) to
// the instrument emulator, and back.

#include "link/commands.h"
#include "link/curve_codec.h"
#include "link/operation.h"
#include "link/page_alarms.h"
#include "link/page_config.h"
#include "link/page_sensors.h"
#include "link/page_views.h"
#include "link/serial_comm.h"
#include "project/state.h"
#include "support/emulator_line.h"
#include "support/fixtures.h"

namespace zuv::test {
namespace {

class PagesOverTheLineTest : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        // Real bytes, fake waits.
        if (!line.attach(fakeClock))
            GTEST_SKIP() << "no pseudo-terminal";
    }
    void TearDown() override
    {
        line.detach();
        ZuvTest::TearDown();
    }

    EmulatorLine line;
    emu::Emulator& emulator = line.emulator;
};

ProjectRecord fullRecord()
{
    ProjectRecord r = newProjectValues();
    r.Lingua = 1;
    r.UMTemp = 1;
    r.PaginaAbilitata2 = r.PaginaAbilitata5 = r.PaginaAbilitata9 = true;
    r.chkAbilRecLap = true;
    r.mskStopRecSecondi = 45;
    r.mskAbilRecVel = 30;
    r.TempoMsgGiro = 3;
    r.TempoVisGiro = 8;
    r.Settore1 = 350;
    r.Settore4 = 32000;
    r.NumAccRPM = 2;
    r.ImpulsiRuota = 4;
    r.DiametroRuota = 580;
    r.LAPO = 2;
    r.AbilTO = r.AbilLB = r.AbilSensoreLambda = r.AbilPT = true;
    r.ChannPT = 1;
    r.ChannSensoreLambda = 0;
    r.chkTO = r.chkPO = r.chkTB = true;
    r.mskTO = 1250;
    r.mskPO = 1500;
    r.mskTB = 115;
    r.Led0 = 7000;
    r.Led2 = 7800;
    r.LedGiallo = true;
    r.TipoLedGiallo = QStringLiteral("1");
    r.chkUscita = true;
    r.TipoUscita = 2;
    return r;
}

void fillCurve(int slot)
{
    for (int i = 0; i < kCurvePoints; ++i) {
        CurvaSensore.CurvaX[i] = 50 * i + slot;
        CurvaSensore.CurvaY[i] = 100 * i - 7 * slot;
    }
}

TEST_F(PagesOverTheLineTest, ProgramAndReadEverything)
{
    DatiProgetto = fullRecord();
    StatoComunicazione.ComandoInCorso = cmd::InviaDatiConfigurazione;
    ASSERT_TRUE(configPagesRun(true).ok);
    ASSERT_TRUE(StepRun().step(InviaDatiSensori));
    for (int slot = 0; slot < kNumSlot; ++slot) {
        fillCurve(slot);
        ASSERT_TRUE(StepRun().step([slot] { return InviaCurvaSensore(slot); })) << slot;
    }
    ASSERT_TRUE(StepRun().step(InviaDatiAllarmi));
    EXPECT_EQ(emulator.page(0x16), encodeSensorsPage(sensorsPageFrom(fullRecord())));
    EXPECT_EQ(emulator.page(0x14), encodeAlarmsPage(alarmsPageFrom(fullRecord())));

    DatiProgetto = ProjectRecord();
    StatoComunicazione.ComandoInCorso = cmd::LeggiDatiConfigurazione;
    ASSERT_TRUE(configPagesRun(false).ok);
    ASSERT_TRUE(StepRun().step(LeggiDatiSensori));
    for (int slot = 0; slot < kNumSlot; ++slot) {
        SCOPED_TRACE(slot);
        CurvaSensore = CurveBuffer();
        ASSERT_TRUE(StepRun().step([slot] { return LeggiCurvaSensore(slot); }));
        const CurveBuffer read = CurvaSensore;
        fillCurve(slot);
        EXPECT_EQ(read.CurvaX, CurvaSensore.CurvaX);
        EXPECT_EQ(read.CurvaY, CurvaSensore.CurvaY);
    }
    ASSERT_TRUE(StepRun().step(LeggiDatiAllarmi));

    // Everything that travels comes back; what never travels stays as it was.
    ProjectRecord expected = fullRecord();
    expected.MaxPagine = 0;
    EXPECT_EQ(DatiProgetto, expected);
    EXPECT_TRUE(msgs.shown.empty());
}

} // namespace
} // namespace zuv::test
