#include "link/commands.h"
#include "link/page_config.h"
#include "link/page_views.h"
#include "link/serial_comm.h"
#include "platform/serialport.h"
#include "project/state.h"
#include "support/config_record.h"
#include "support/link_fixture.h"

#include <array>

namespace zuv::test {
namespace {

// The configuration window's controls, as plain values.
class FakeConfigPage final : public ConfigPageView {
public:
    void setInstrumentButtonsEnabled(bool) override {}

    int listIndex(ConfigCombo c) const override { return index[int(c)]; }
    int listCount(ConfigCombo c) const override { return count[int(c)]; }
    void setListIndex(ConfigCombo c, int i) override
    {
        EXPECT_TRUE(i >= -1 && i < count[int(c)]) << "index " << i;
        index[int(c)] = i;
    }
    QString text(ConfigText t) const override { return texts[int(t)]; }
    void setText(ConfigText t, const QString& s) override { texts[int(t)] = s; }
    Qt::CheckState chkAbilRecLAP() const override { return rec; }
    void setChkAbilRecLAP(Qt::CheckState s) override { rec = s; }
    bool pageEnabled(int p) const override { return pages.at(p - 1); }
    void setPageEnabled(int p, bool on) override { pages.at(p - 1) = on; }

    std::array<int, 4> index{0, 0, 0, 0};
    std::array<int, 4> count{2, 2, 2, 2};
    std::array<QString, 9> texts;
    Qt::CheckState rec = Qt::Unchecked;
    std::array<bool, 11> pages{};
};

class ConfigPagesTest : public FakeLinkTest {
protected:
    void SetUp() override
    {
        FakeLinkTest::SetUp();
        StatoComunicazione.ComandoInCorso = cmd::InviaDatiConfigurazione;
    }

    void expectOneFailureMessage()
    {
        EXPECT_TRUE(StatoComunicazione.ErroreComunicazione);
        ASSERT_EQ(msgs.shown.size(), 1u);
        EXPECT_EQ(msgs.shown[0].text, QStringLiteral("T242"));
        EXPECT_EQ(msgs.shown[0].icon, MsgIcon::None);
        EXPECT_EQ(msgs.shown[0].buttons, MsgButtons::Ok);
    }
};

ProjectRecord workedRecord()
{
    ProjectRecord r = workedConfigRecord();
    r.Settore5 = 32767;
    return r;
}

TEST_F(ConfigPagesTest, RecordSentAndReadBack)
{
    DatiProgetto = workedRecord();
    StatoComunicazione.ErroreComunicazione = true; // left over from before
    EXPECT_TRUE(configPagesRun(true).ok);
    EXPECT_FALSE(StatoComunicazione.ErroreComunicazione);
    EXPECT_EQ(commandsSent(), (std::vector<int>{0x12, 0x1C}));
    EXPECT_EQ(port.engine.pages[0x12], encodeConfigPage1(configPage1From(workedRecord())));
    EXPECT_EQ(port.engine.pages[0x1C], encodeConfigPage2(configPage2From(workedRecord())));
    EXPECT_GE(fakeClock.slept(), 50);
    EXPECT_EQ(surface.panelPicture[6], PanelPicture::LampOff);

    DatiProgetto = ProjectRecord();
    DatiProgetto.NomeProgetto = QStringLiteral("P");
    StatoComunicazione.ComandoInCorso = cmd::LeggiDatiConfigurazione;
    EXPECT_TRUE(configPagesRun(false).ok);
    ProjectRecord expected = workedRecord();
    expected.NomeProgetto = QStringLiteral("P");
    EXPECT_EQ(DatiProgetto, expected);
    EXPECT_EQ(commandsSent(), (std::vector<int>{0x12, 0x1C, 0x13, 0x1D}));
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_FALSE(ProgettoModificato);
}

TEST_F(ConfigPagesTest, OpenWindowIsSourceAndDestination)
{
    FakeConfigPage page;
    page.index = {1, -1, 0, 1};
    page.rec = Qt::PartiallyChecked;
    page.pages[1] = page.pages[8] = true; // display pages 2 and 9
    page.pages[0] = page.pages[9] = true; // pages 1 and 10 never travel
    page.texts = {QStringLiteral(" 12 "), QStringLiteral("abc"), QStringLiteral("3"), QString(),
                  QStringLiteral("40000"), QStringLiteral("1.5"), QStringLiteral("-1"),
                  QStringLiteral("0"), QStringLiteral("7")};
    StatoComunicazione.FormAttivo = &page;
    DatiProgetto = workedRecord();

    EXPECT_TRUE(configPagesRun(true).ok);
    // No selection goes out as FF; a greyed box as 1; text that spells no number as 0.
    EXPECT_EQ(port.engine.pages[0x12].left(10).toHex(' '), QByteArray("01 ff 00 01 00 81 01 0c 00 00"));
    EXPECT_EQ(port.engine.pages[0x1C].left(12).toHex(' '), QByteArray("03 00 9c 40 00 02 ff ff 00 00 00 07"));

    // What the instrument holds lands in the window, not in the record; a
    // value that is no item of its list selects nothing.
    QByteArray p1 = encodeConfigPage1({});
    p1[0] = 1;
    p1[1] = 5;
    p1[2] = char(0xFF);
    p1[3] = 0;
    p1[5] = char(0x84);
    p1[6] = 7;
    p1[7] = char(200);
    p1[8] = char(0x80);
    port.engine.pages[0x12] = p1;
    ConfigPage2 v2;
    v2.TempoMsgGiro = 2;
    v2.Settori = {1, 40000, 0, -5, 9};
    port.engine.pages[0x1C] = encodeConfigPage2(v2);
    EXPECT_TRUE(configPagesRun(false).ok);
    EXPECT_EQ(page.index, (std::array<int, 4>{1, -1, -1, 0}));
    EXPECT_EQ(page.pages[1], false);
    EXPECT_EQ(page.pages[3], true);
    EXPECT_EQ(page.pages[8], true);
    EXPECT_EQ(page.pages[0], true);
    EXPECT_EQ(page.rec, Qt::Checked);
    EXPECT_EQ(page.texts[0], QStringLiteral("200"));
    EXPECT_EQ(page.texts[1], QStringLiteral("-32768"));
    EXPECT_EQ(page.texts[2], QStringLiteral("2"));
    EXPECT_EQ(page.texts[3], QStringLiteral("0"));
    EXPECT_EQ(page.texts[5], QStringLiteral("-25536"));
    EXPECT_EQ(page.texts[7], QStringLiteral("-5"));
    EXPECT_EQ(DatiProgetto, workedRecord());
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(ConfigPagesTest, WindowClosedDuringTheReadGetsNothing)
{
    FakeConfigPage page;
    StatoComunicazione.FormAttivo = &page;
    port.engine.pages[0x12] = encodeConfigPage1(configPage1From(workedRecord()));
    ASSERT_TRUE(ConnettiStrumento());
    fakeClock.onYield = [] { StatoComunicazione.FormAttivo = nullptr; };
    LeggiDatiConfigurazione();
    fakeClock.onYield = nullptr;
    EXPECT_FALSE(StatoComunicazione.ErroreComunicazione);
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(page.index, (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(DatiProgetto, ProjectRecord());
}

TEST_F(ConfigPagesTest, FailedExchangesAreReportedOnce)
{
    const struct {
        const char* name;
        emu::Fault fault;
        quint8 code;
        bool send;
        std::vector<int> sent;
    } cases[] = {
        // Page 2 goes whatever page 1 gave; the pair fails with either.
        {"silent on page 1", emu::Fault::Silence, 0x12, true, {0x12, 0x1C}},
        {"wrong ack on page 1", emu::Fault::WrongAck, 0x12, true, {0x12, 0x1C}},
        {"bad ack checksum on page 1", emu::Fault::BadChecksum, 0x12, true, {0x12, 0x1C}},
        {"one byte too many on page 1", emu::Fault::ExtraByte, 0x12, true, {0x12, 0x1C}},
        {"page 2 alone fails", emu::Fault::Silence, 0x1C, true, {0x12, 0x1C}},
        {"silent on read 1", emu::Fault::Silence, 0x13, false, {0x13, 0x1D}},
        {"short reply on read 1", emu::Fault::ShortReply, 0x13, false, {0x13, 0x1D}},
        {"read 2 alone fails", emu::Fault::Silence, 0x1D, false, {0x13, 0x1D}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        msgs.clear();
        port.engine.received.clear();
        port.engine.setFault(c.fault, -1, c.code);
        DatiProgetto = workedRecord();
        StatoComunicazione.ErroreComunicazione = false;
        StatoComunicazione.ComandoInCorso = c.send ? 0x12 : 0x13;
        if (c.send) {
            EXPECT_FALSE(configPagesRun(true).ok);
        } else {
            port.engine.pages[0x12] = encodeConfigPage1({});
            port.engine.pages[0x1C] = encodeConfigPage2({});
            DatiProgetto.Settore1 = 99; // a failed page 2 read must leave it
            EXPECT_FALSE(configPagesRun(false).ok);
            EXPECT_EQ(DatiProgetto.Settore1, c.code == 0x1D ? 99 : 0);
        }
        expectOneFailureMessage();
        EXPECT_EQ(commandsSent(), c.sent);
        port.engine.clearFault();
    }
}

TEST_F(ConfigPagesTest, NoInstrumentIsACommunicationError)
{
    port.instrumentPort = 0;
    StatoComunicazione.ErroreComunicazione = false; // as the last poll left it
    EXPECT_FALSE(configPagesRun(true).ok);
    EXPECT_TRUE(StatoComunicazione.ErroreComunicazione);
    // The operation reports it; the link shows nothing of its own.
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_TRUE(commandsSent().empty());
    // Each page connects, as every caller runs the pair.
    EXPECT_EQ(port.openAttempts.size(), std::size_t(2 * kMaxPorts));

    StatoComunicazione.ErroreComunicazione = false;
    EXPECT_FALSE(configPagesRun(false).ok);
    EXPECT_TRUE(StatoComunicazione.ErroreComunicazione);
    EXPECT_EQ(DatiProgetto, ProjectRecord());
}

} // namespace
} // namespace zuv::test
