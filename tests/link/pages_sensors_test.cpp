#include "link/commands.h"
#include "link/page_sensors.h"
#include "link/page_views.h"
#include "link/serial_comm.h"
#include "platform/serialport.h"
#include "project/state.h"
#include "support/link_fixture.h"

#include <array>

namespace zuv::test {
namespace {

// The sensors window's controls, as plain values; every check box set is
// logged, as it runs the window's check box rule.
class FakeSensorsPage final : public SensorsPageView {
public:
    void setInstrumentButtonsEnabled(bool) override {}

    QString text(SensorsText t) const override { return texts[int(t)]; }
    void setText(SensorsText t, const QString& s) override { texts[int(t)] = s; }
    int listIndex(SensorsCombo c) const override { return index[int(c)]; }
    int listCount(SensorsCombo c) const override { return c == SensorsCombo::cboLAPO || c == SensorsCombo::cboLAAL ? 3 : 2; }
    void setListIndex(SensorsCombo c, int i) override
    {
        EXPECT_TRUE(i >= -1 && i < listCount(c)) << "index " << i;
        index[int(c)] = i;
    }
    Qt::CheckState check(SensorsCheck b) const override { return checks[int(b)]; }
    void setCheck(SensorsCheck b, Qt::CheckState s) override
    {
        checks[int(b)] = s;
        ++rulesRun;
    }

    std::array<QString, 3> texts;
    std::array<int, 6> index{};
    std::array<Qt::CheckState, 9> checks{};
    int rulesRun = 0;
};

class SensorsPageTest : public FakeLinkTest {
protected:
    void SetUp() override
    {
        FakeLinkTest::SetUp();
        StatoComunicazione.ComandoInCorso = cmd::InviaDatiSensori;
        ASSERT_TRUE(ConnettiStrumento());
    }
};

ProjectRecord workedRecord()
{
    ProjectRecord r = newProjectValues();
    r.NumAccRPM = 2;
    r.ImpulsiRuota = 4;
    r.DiametroRuota = 560;
    r.LAPO = 1;
    r.LAAL = 2;
    r.AbilTO = r.AbilPB = r.AbilSG = r.AbilPT = true;
    r.ChannCambio = 1;
    r.ChannPT = 0;
    return r;
}

TEST_F(SensorsPageTest, RecordSentAndReadBack)
{
    DatiProgetto = workedRecord();
    InviaDatiSensori();
    EXPECT_FALSE(StatoComunicazione.ErroreComunicazione);
    EXPECT_EQ(port.engine.pages[0x16], encodeSensorsPage(sensorsPageFrom(workedRecord())));

    DatiProgetto = ProjectRecord();
    LeggiDatiSensori();
    EXPECT_FALSE(StatoComunicazione.ErroreComunicazione);
    ProjectRecord expected = ProjectRecord();
    storeSensorsPage(sensorsPageFrom(workedRecord()), expected);
    EXPECT_EQ(DatiProgetto, expected);
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(SensorsPageTest, OpenWindowIsSourceAndDestination)
{
    FakeSensorsPage page;
    page.texts = {QStringLiteral(" 2 "), QStringLiteral("x"), QStringLiteral(" 9999")};
    page.index = {2, -1, 1, -1, 0, 1};
    page.checks[int(SensorsCheck::chkAbilTO)] = Qt::Checked;
    page.checks[int(SensorsCheck::chkAbilPO)] = Qt::PartiallyChecked;
    page.checks[int(SensorsCheck::chkAbilPT)] = Qt::Checked;
    StatoComunicazione.FormAttivo = &page;
    DatiProgetto = workedRecord();

    InviaDatiSensori();
    EXPECT_FALSE(StatoComunicazione.ErroreComunicazione);
    // A list with no selection: FF for a level, 0 for an input; any tick is 1.
    EXPECT_EQ(port.engine.pages[0x16].left(20).toHex(' '),
              QByteArray("02 00 27 0f 02 ff 01 01 00 00 00 00 00 00 02 00 01 02 01 00"));

    // Out-of-range values from the instrument select nothing.
    SensorsPage held;
    held.NumAccRPM = 255;
    held.DiametroRuota = 40000;
    held.LAPO = 3;
    held.LAAL = 0;
    held.AbilLB = true;
    held.ChannCambio = 2; // byte 3
    held.ChannSG = -1;    // byte 0
    held.ChannSensoreLambda = 1;
    held.ChannPT = 0;
    QByteArray stored = encodeSensorsPage(held);
    stored[6] = 5; // an enable byte other than 1
    port.engine.pages[0x16] = stored;
    LeggiDatiSensori();
    EXPECT_FALSE(StatoComunicazione.ErroreComunicazione);
    EXPECT_EQ(page.texts[0], QStringLiteral("255"));
    EXPECT_EQ(page.texts[1], QStringLiteral("0"));
    EXPECT_EQ(page.texts[2], QStringLiteral("-25536"));
    EXPECT_EQ(page.index, (std::array<int, 6>{-1, 0, -1, -1, 1, 0}));
    EXPECT_EQ(page.checks[int(SensorsCheck::chkAbilTO)], Qt::Checked);
    EXPECT_EQ(page.checks[int(SensorsCheck::chkAbilPO)], Qt::Unchecked);
    EXPECT_EQ(page.checks[int(SensorsCheck::chkAbilLB)], Qt::Checked);
    EXPECT_EQ(page.checks[int(SensorsCheck::chkAbilPT)], Qt::Unchecked);
    // Every box got its rule run, changed or not.
    EXPECT_EQ(page.rulesRun, 9);
    EXPECT_EQ(DatiProgetto, workedRecord());
}

TEST_F(SensorsPageTest, FailedExchangesAreReportedOnce)
{
    const struct {
        const char* name;
        emu::Fault fault;
        bool send;
    } cases[] = {
        {"silent write", emu::Fault::Silence, true},
        {"wrong ack", emu::Fault::WrongAck, true},
        {"late ack", emu::Fault::Late, true},
        {"silent read", emu::Fault::Silence, false},
        {"short read", emu::Fault::ShortReply, false},
    };
    port.engine.lateMs = 10500;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        msgs.clear();
        port.engine.setFault(c.fault);
        DatiProgetto = workedRecord();
        StatoComunicazione.ErroreComunicazione = false;
        if (c.send)
            InviaDatiSensori();
        else
            LeggiDatiSensori();
        EXPECT_TRUE(StatoComunicazione.ErroreComunicazione);
        ASSERT_EQ(msgs.shown.size(), 1u);
        EXPECT_EQ(msgs.shown[0].text, QStringLiteral("T242"));
        EXPECT_EQ(DatiProgetto, workedRecord());
        port.engine.clearFault();
    }
}

} // namespace
} // namespace zuv::test
