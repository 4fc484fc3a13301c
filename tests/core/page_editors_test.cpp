// The three page editors between the record and their controls, through
// plain views: what a window shows on opening, what its OK stores, and the
// course of its Send and Read.

#include "config/page_editors.h"
#include "config/page_exchange.h"
#include "link/commands.h"
#include "link/serial_comm.h"
#include "project/channels.h"
#include "project/state.h"
#include "support/config_record.h"
#include "support/link_fixture.h"

#include <array>

namespace zuv::test {
namespace {

// Lists of two items; selections are checked against them as a window would.
template <class Base, int Texts, int Lists, int Checks>
class FakeView : public Base {
public:
    void setInstrumentButtonsEnabled(bool) override {}

    std::array<QString, Texts> texts;
    std::array<int, Lists> index{};
    std::array<Qt::CheckState, Checks> checks{};
    int rulesRun = 0;

protected:
    void select(int list, int i)
    {
        EXPECT_TRUE(i >= -1 && i < 2) << "index " << i;
        index.at(std::size_t(list)) = i;
    }
    void tick(int box, Qt::CheckState s)
    {
        checks.at(std::size_t(box)) = s;
        ++rulesRun;
    }
};

class FakeConfig final : public FakeView<ConfigPageView, 9, 4, 1> {
public:
    int listIndex(ConfigCombo c) const override { return index[int(c)]; }
    int listCount(ConfigCombo) const override { return 2; }
    void setListIndex(ConfigCombo c, int i) override { select(int(c), i); }
    QString text(ConfigText t) const override { return texts[int(t)]; }
    void setText(ConfigText t, const QString& s) override { texts[int(t)] = s; }
    Qt::CheckState chkAbilRecLAP() const override { return checks[0]; }
    void setChkAbilRecLAP(Qt::CheckState s) override { tick(0, s); }
    bool pageEnabled(int p) const override { return pages.at(std::size_t(p - 1)); }
    void setPageEnabled(int p, bool on) override { pages.at(std::size_t(p - 1)) = on; }

    std::array<bool, 10> pages{};
};

class FakeSensors final : public FakeView<SensorsEditorView, 3, 6, 9> {
public:
    QString text(SensorsText t) const override { return texts[int(t)]; }
    void setText(SensorsText t, const QString& s) override { texts[int(t)] = s; }
    int listIndex(SensorsCombo c) const override { return index[int(c)]; }
    int listCount(SensorsCombo) const override { return 2; }
    void setListIndex(SensorsCombo c, int i) override { select(int(c), i); }
    Qt::CheckState check(SensorsCheck b) const override { return checks[int(b)]; }
    void setCheck(SensorsCheck b, Qt::CheckState s) override { tick(int(b), s); }
    QString sensorText(int slot) const override { return sensors.at(std::size_t(slot)); }
    void setSensorText(int slot, const QString& t) override { sensors.at(std::size_t(slot)) = t; }
    QString samplingText(int w) const override { return sampling.at(std::size_t(w)); }
    void setSamplingText(int w, const QString& t) override { sampling.at(std::size_t(w)) = t; }

    std::array<QString, 9> sensors;
    std::array<QString, 11> sampling;
};

class FakeAlarms final : public FakeView<AlarmsEditorView, 11, 3, 9> {
public:
    QString text(AlarmsText t) const override { return texts[int(t)]; }
    void setText(AlarmsText t, const QString& s) override { texts[int(t)] = s; }
    Qt::CheckState check(AlarmsCheck b) const override { return checks[int(b)]; }
    void setCheck(AlarmsCheck b, Qt::CheckState s) override { tick(int(b), s); }
    int listIndex(AlarmsCombo c) const override { return index[int(c)]; }
    int listCount(AlarmsCombo) const override { return 2; }
    void setListIndex(AlarmsCombo c, int i) override { select(int(c), i); }
    Qt::CheckState lampCheck(Lamp l) const override { return lamps[int(l)]; }
    void setLampCheck(Lamp l, Qt::CheckState s) override
    {
        lamps[int(l)] = s;
        ++rulesRun;
    }
    QString lampText(Lamp l) const override { return lampTexts[int(l)]; }
    void setLampText(Lamp l, const QString& t) override { lampTexts[int(l)] = t; }

    std::array<Qt::CheckState, 2> lamps{};
    std::array<QString, 2> lampTexts;
};

using PageEditors = FakeLinkTest;

TEST_F(PageEditors, ConfigurationRoundTripsEveryField)
{
    ProjectRecord rec = workedConfigRecord();
    rec.UMTemp = 1;
    rec.PaginaAbilitata1 = rec.PaginaAbilitata4 = rec.PaginaAbilitata10 = true;
    rec.Settore3 = 32767;
    FakeConfig view;
    recordToView(rec, view);
    EXPECT_EQ(view.texts[int(ConfigText::txtSettoreCrono2)], "32767");
    EXPECT_TRUE(view.pages[0] && view.pages[3] && view.pages[9]);
    ProjectRecord back;
    viewToRecord(view, back);
    EXPECT_EQ(back, rec);

    // A stored value that is no item selects nothing, and stores as 0.
    rec.UMVel = 7;
    recordToView(rec, view);
    EXPECT_EQ(view.index[int(ConfigCombo::cboUMVelocita)], -1);
    viewToRecord(view, back);
    EXPECT_EQ(back.UMVel, 0);
}

TEST_F(PageEditors, SensorsRoundTripWithNamesAndSamplingRates)
{
    ProjectRecord rec;
    rec.NumAccRPM = 2;
    rec.ImpulsiRuota = 4;
    rec.DiametroRuota = 540;
    rec.LAPO = 1;
    rec.TCampRPM = QStringLiteral("10 Hz");
    rec.TCampVV = QStringLiteral("20 Hz");
    for (const ChannelInfo& ch : channelsInFileOrder()) {
        rec.*ch.sensor = QStringLiteral("S") + QLatin1String(ch.code);
        rec.*ch.rate = QStringLiteral("1 Hz ") + QLatin1String(ch.code);
    }
    rec.AbilPT = rec.AbilLB = true;
    rec.ChannPT = 1;
    FakeSensors view;
    recordToView(rec, view);
    EXPECT_EQ(view.sensors[7], QStringLiteral("SPT"));
    EXPECT_EQ(view.sampling[kSamplingVV], QStringLiteral("20 Hz"));
    EXPECT_EQ(view.rulesRun, 9);
    ProjectRecord back;
    viewToRecord(view, back);
    EXPECT_EQ(back, rec);

    // What the checks and Send see, by slot.
    const ChannelEntries e = channelEntries(view);
    EXPECT_TRUE(e[7].enabled);
    EXPECT_EQ(e[7].input, 1);
    EXPECT_EQ(e[7].sensor, QStringLiteral("SPT"));
    EXPECT_TRUE(e[4].enabled);
    EXPECT_EQ(e[4].input, -1);
    EXPECT_FALSE(e[0].enabled);

    view.index[int(SensorsCombo::cboChannPT)] = -1;
    viewToRecord(view, back);
    EXPECT_EQ(back.ChannPT, 0);
}

TEST_F(PageEditors, AlarmsShowWhatIsStoredAndStoreWhatTheChecksAccept)
{
    ProjectRecord rec;
    rec.chkTO = true;
    rec.mskTO = 855;
    rec.mskPO = 2500; // off, but its value stays on show
    rec.Led2 = 7000;
    rec.LedGiallo = true;
    rec.TipoLedGiallo = QStringLiteral("2");
    rec.LedVerde = true;
    rec.TipoLedVerde = QStringLiteral("green");
    rec.chkUscita = true;
    rec.TipoUscita = 1;
    FakeAlarms view;
    recordToView(rec, view);
    EXPECT_EQ(view.texts[int(AlarmsText::txtTO)], "85.5");
    EXPECT_EQ(view.texts[int(AlarmsText::txtPO)], "2.500");
    EXPECT_EQ(view.checks[int(AlarmsCheck::chkPO)], Qt::Unchecked);
    EXPECT_EQ(view.index[int(AlarmsCombo::cboLedGiallo)], 1);
    EXPECT_EQ(view.index[int(AlarmsCombo::cboUscita)], 0);
    EXPECT_EQ(view.index[int(AlarmsCombo::cboIngresso)], -1);
    EXPECT_EQ(view.lamps[int(Lamp::Verde)], Qt::Checked);
    ProjectRecord back;
    viewToRecord(view, back);
    ProjectRecord expected = rec;
    expected.TipoIngresso = 0; // nothing selected
    EXPECT_EQ(back, expected);

    // A stored type outside its list, or of a box that is off, selects
    // nothing; a type text rounds to its item.
    const struct {
        const char* type;
        bool on;
        int index;
    } types[] = {{"2.6", true, -1}, {"1.4", true, 0}, {"9", true, -1}, {"1", false, -1}, {"x", true, -1}};
    for (const auto& t : types) {
        rec.TipoLedGiallo = QLatin1String(t.type);
        rec.LedGiallo = t.on;
        recordToView(rec, view);
        EXPECT_EQ(view.index[int(AlarmsCombo::cboLedGiallo)], t.index) << t.type;
    }

    // A switched-off threshold that holds no number stores 0.
    view.texts[int(AlarmsText::txtPO)] = QStringLiteral("abc");
    viewToRecord(view, back);
    EXPECT_EQ(back.mskPO, 0);
    EXPECT_FALSE(back.chkPO);
}

class FakeRun final : public PageRunView {
public:
    void runStarts() override { events << QStringLiteral("starts"); }
    void runEnding() override { events << QStringLiteral("ending"); }
    bool closedDuringRun() const override { return closed && closed(); }

    QStringList events;
    std::function<bool()> closed;
};

class PageExchange : public FakeLinkTest {
protected:
    void TearDown() override
    {
        ChiudiPorta();
        FakeLinkTest::TearDown();
    }

    // Text and title of each message, the program's title as none.
    QStringList shown() const
    {
        QStringList out;
        for (const ShownMessage& m : msgs.shown)
            out << m.text + QLatin1Char('|') + (m.title == appTitle() ? QString() : m.title);
        return out;
    }

    FakeRun run;
    FakeSensors sensors;
};

TEST_F(PageExchange, EachPageAsksRunsAsOneOperationAndReports)
{
    const struct {
        const char* what;
        std::function<PageExchangeEnd()> exchange;
        int code;
        QString panel;
        QStringList messages;
    } cases[] = {
        {"config send", [&] { return exchangeConfigPage(true, run); }, 0x12, "T146",
         {"T147\r\nT148|T226", "T218|"}},
        {"config read", [&] { return exchangeConfigPage(false, run); }, 0x13, "T206", {"T232\r\nT148|T234"}},
        {"alarms send", [&] { return exchangeAlarmsPage(true, run); }, 0x14, "T219",
         {"T147\r\nT148|T227", "T220|T79"}},
        {"alarms read", [&] { return exchangeAlarmsPage(false, run); }, 0x15, "T203", {"T232\r\nT148|T236"}},
        {"sensors send", [&] { return exchangeSensorsPage(true, run, sensors); }, 0x16, "T150",
         {"T147\r\nT148|T149", "T157|"}},
        {"sensors read", [&] { return exchangeSensorsPage(false, run, sensors); }, 0x17, "T158",
         {"T232\r\nT148|T235", "T165|"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        msgs.clear();
        run.events.clear();
        std::vector<std::pair<int, QString>> during;
        port.onWrite = [&](const QByteArray& f) {
            if (f[1] != char(cmd::Hello))
                during.emplace_back(StatoComunicazione.ComandoInCorso, surface.panelText[3]);
        };
        msgs.answers.push_back(MsgAnswer::Ok);
        EXPECT_EQ(c.exchange(), PageExchangeEnd::Succeeded);
        ASSERT_FALSE(during.empty());
        EXPECT_EQ(during.front(), std::make_pair(c.code, c.panel));
        EXPECT_EQ(shown(), c.messages);
        EXPECT_EQ(run.events, QStringList({"starts", "ending"}));
        EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
        EXPECT_FALSE(linkBusy());
        EXPECT_EQ(surface.panelText[3], QString());
    }
}

TEST_F(PageExchange, DeclinedFailedAndBrokenRuns)
{
    msgs.answers.push_back(MsgAnswer::Cancel);
    EXPECT_EQ(exchangeConfigPage(true, run), PageExchangeEnd::Declined);
    EXPECT_TRUE(run.events.isEmpty());
    EXPECT_TRUE(port.engine.received.empty());

    // Closed after the first page: the configuration page has no break-off,
    // the sensors page stops there.
    int writes = 0;
    port.onWrite = [&](const QByteArray& f) { writes += f[1] != char(cmd::Hello); };
    run.closed = [&] { return writes > 0; };
    msgs.clear();
    msgs.answers.push_back(MsgAnswer::Ok);
    EXPECT_EQ(exchangeConfigPage(true, run), PageExchangeEnd::Succeeded);
    EXPECT_EQ(writes, 2);
    EXPECT_EQ(shown(), QStringList({"T147\r\nT148|T226", "T218|"}));
    writes = 0;
    msgs.clear();
    msgs.answers.push_back(MsgAnswer::Ok);
    EXPECT_EQ(exchangeSensorsPage(true, run, sensors), PageExchangeEnd::BrokenOff);
    EXPECT_EQ(writes, 1);
    EXPECT_EQ(shown(), QStringList({"T147\r\nT148|T149", "T229|"}));

    // No instrument: a failure, reported by the run alone, a Read's too.
    ChiudiPorta();
    port.instrumentPort = 0;
    run.closed = nullptr;
    const struct {
        const char* what;
        std::function<PageExchangeEnd()> exchange;
        QString question;
    } reads[] = {
        {"sensors", [&] { return exchangeSensorsPage(false, run, sensors); }, "T232\r\nT148|T235"},
        {"configuration", [&] { return exchangeConfigPage(false, run); }, "T232\r\nT148|T234"},
        {"alarms", [&] { return exchangeAlarmsPage(false, run); }, "T232\r\nT148|T236"},
    };
    for (const auto& r : reads) {
        SCOPED_TRACE(r.what);
        run.events.clear();
        msgs.clear();
        msgs.answers.push_back(MsgAnswer::Ok);
        EXPECT_EQ(r.exchange(), PageExchangeEnd::Failed);
        EXPECT_EQ(shown(), QStringList({r.question, "T230|"}));
        EXPECT_EQ(run.events, QStringList({"starts", "ending"}));
        EXPECT_TRUE(StatoComunicazione.ErroreComunicazione);
    }
}

} // namespace
} // namespace zuv::test
