#include "link/commands.h"
#include "link/page_alarms.h"
#include "link/page_views.h"
#include "link/serial_comm.h"
#include "platform/serialport.h"
#include "project/state.h"
#include "support/link_fixture.h"

#include <array>

namespace zuv::test {
namespace {

// The alarms window's controls, as plain values. Its check box rule clears
// the selection of a list whose box is unticked; every call is logged so the
// order (box before its text or list) can be checked.
class FakeAlarmsPage final : public AlarmsPageView {
public:
    void setInstrumentButtonsEnabled(bool) override {}

    QString text(AlarmsText t) const override { return texts[int(t)]; }
    void setText(AlarmsText t, const QString& s) override
    {
        texts[int(t)] = s;
        log.push_back(QStringLiteral("text%1").arg(int(t)));
    }
    Qt::CheckState check(AlarmsCheck b) const override { return checks[int(b)]; }
    void setCheck(AlarmsCheck b, Qt::CheckState s) override
    {
        checks[int(b)] = s;
        log.push_back(QStringLiteral("check%1").arg(int(b)));
        const int governed = int(b) - int(AlarmsCheck::chkLedGiallo);
        if (governed >= 0 && s == Qt::Unchecked)
            index[governed] = -1;
    }
    int listIndex(AlarmsCombo c) const override { return index[int(c)]; }
    int listCount(AlarmsCombo c) const override { return counts[int(c)]; }
    void setListIndex(AlarmsCombo c, int i) override
    {
        EXPECT_TRUE(i >= -1 && i < counts[int(c)]) << "index " << i;
        index[int(c)] = i;
        log.push_back(QStringLiteral("list%1").arg(int(c)));
    }

    std::array<QString, 11> texts;
    std::array<Qt::CheckState, 9> checks{};
    std::array<int, 3> index{-1, -1, -1};
    std::array<int, 3> counts{1, 7, 1};
    std::vector<QString> log;
};

class AlarmsPageTest : public FakeLinkTest {
protected:
    void SetUp() override
    {
        FakeLinkTest::SetUp();
        StatoComunicazione.ComandoInCorso = cmd::InviaDatiAllarmi;
        ASSERT_TRUE(ConnettiStrumento());
    }
};

ProjectRecord workedRecord()
{
    ProjectRecord r;
    r.chkTO = true;
    r.mskTO = 1205;
    r.chkPB = true;
    r.mskPB = 4500;
    r.chkTB = true;
    r.mskTB = 118;
    r.Led0 = 6500;
    r.Led4 = 8200;
    r.LedGiallo = true;
    r.TipoLedGiallo = QStringLiteral("1");
    r.chkUscita = true;
    r.TipoUscita = 6;
    return r;
}

TEST_F(AlarmsPageTest, RecordSentAndReadBack)
{
    DatiProgetto = workedRecord();
    InviaDatiAllarmi();
    EXPECT_FALSE(StatoComunicazione.ErroreComunicazione);
    EXPECT_EQ(port.engine.pages[0x14], encodeAlarmsPage(alarmsPageFrom(workedRecord())));

    DatiProgetto = ProjectRecord();
    DatiProgetto.chkIngresso = true;
    DatiProgetto.TipoIngresso = 3;
    LeggiDatiAllarmi();
    EXPECT_FALSE(StatoComunicazione.ErroreComunicazione);
    // The input never travels: it reads back as 0 and off.
    EXPECT_EQ(DatiProgetto, workedRecord());
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(AlarmsPageTest, OpenWindowIsSourceAndDestination)
{
    FakeAlarmsPage page;
    page.texts = {QStringLiteral("85.5"),  QStringLiteral("2.5"), QString(),
                  QStringLiteral("90"),    QStringLiteral("999.9"), QStringLiteral("12,5"),
                  QStringLiteral(" 5000 "), QStringLiteral("abc"), QString(),
                  QStringLiteral("-1"),    QStringLiteral("32767")};
    page.checks = {Qt::Checked, Qt::PartiallyChecked, Qt::Checked, Qt::Unchecked, Qt::Checked,
                   Qt::Checked, Qt::Checked,          Qt::Checked, Qt::Checked};
    page.index = {0, 2, 0};
    StatoComunicazione.FormAttivo = &page;
    DatiProgetto = workedRecord();

    InviaDatiAllarmi();
    EXPECT_FALSE(StatoComunicazione.ErroreComunicazione);
    // "12,5" reads as 12 (the point is the only separator); the input goes as 0.
    EXPECT_EQ(port.engine.pages[0x14].left(28).toHex(' '),
              QByteArray("03 57 09 c4 00 00 00 00 27 0f 00 78 13 88 00 00 00 00 ff ff 7f ff 01 00 00 03 00 00"));

    // Reading: yellow function 2 is no item of its one-entry list.
    AlarmsPage held;
    held.Soglie = {0, 2500, -5, 855, 1, 70};
    held.Led = {1, 2, 3, 4, -5};
    held.LedGiallo = 2;
    held.Uscita = 3;
    QByteArray stored = encodeAlarmsPage(held);
    stored[26] = 4; // input byte
    port.engine.pages[0x14] = stored;
    page.log.clear();
    LeggiDatiAllarmi();
    EXPECT_FALSE(StatoComunicazione.ErroreComunicazione);
    EXPECT_EQ(page.checks[0], Qt::Unchecked);
    EXPECT_EQ(page.texts[0], QStringLiteral("0.0"));
    EXPECT_EQ(page.checks[1], Qt::Checked);
    EXPECT_EQ(page.texts[1], QStringLiteral("2.500"));
    EXPECT_EQ(page.checks[2], Qt::Unchecked);
    EXPECT_EQ(page.texts[2], QStringLiteral("-0.005"));
    EXPECT_EQ(page.texts[3], QStringLiteral("85.5"));
    EXPECT_EQ(page.texts[4], QStringLiteral("0.1"));
    EXPECT_EQ(page.texts[5], QStringLiteral("7.0"));
    EXPECT_EQ(page.texts[10], QStringLiteral("-5"));
    EXPECT_EQ(page.checks[int(AlarmsCheck::chkLedGiallo)], Qt::Checked);
    EXPECT_EQ(page.index[0], -1);
    EXPECT_EQ(page.checks[int(AlarmsCheck::chkUscita)], Qt::Checked);
    EXPECT_EQ(page.index[1], 2);
    EXPECT_EQ(page.checks[int(AlarmsCheck::chkIngresso)], Qt::Unchecked);
    EXPECT_EQ(page.index[2], -1);
    // Each box before its text; each choice's box before its list.
    const std::vector<QString> head(page.log.begin(), page.log.begin() + 2);
    EXPECT_EQ(head, (std::vector<QString>{QStringLiteral("check0"), QStringLiteral("text0")}));
    const std::vector<QString> tail(page.log.end() - 5, page.log.end());
    EXPECT_EQ(tail, (std::vector<QString>{QStringLiteral("check6"), QStringLiteral("list0"),
                                          QStringLiteral("check7"), QStringLiteral("list1"),
                                          QStringLiteral("check8")}));
    EXPECT_EQ(DatiProgetto, workedRecord());
}

TEST_F(AlarmsPageTest, FailedExchangesAreReportedOnce)
{
    FakeAlarmsPage page;
    page.texts[0] = QStringLiteral("kept");
    StatoComunicazione.FormAttivo = &page;
    for (bool send : {true, false}) {
        SCOPED_TRACE(send);
        msgs.clear();
        page.log.clear();
        port.engine.setFault(emu::Fault::Silence);
        StatoComunicazione.ErroreComunicazione = false;
        if (send)
            InviaDatiAllarmi();
        else
            LeggiDatiAllarmi();
        EXPECT_TRUE(StatoComunicazione.ErroreComunicazione);
        ASSERT_EQ(msgs.shown.size(), 1u);
        EXPECT_EQ(msgs.shown[0].text, QStringLiteral("T242"));
        EXPECT_TRUE(page.log.empty());
        EXPECT_EQ(page.texts[0], QStringLiteral("kept"));
        port.engine.clearFault();
    }
}

} // namespace
} // namespace zuv::test
