// The 200 ms poll's tick on the in-process port: when it keeps off the line,
// what it shows, and how it follows an instrument that comes and goes.

#include "link/commands.h"
#include "link/link_guard.h"
#include "link/poll_exchange.h"
#include "link/serial_comm.h"
#include "project/active_page.h"
#include "shell/poll.h"
#include "support/link_probes.h"
#include "support/shell_fixture.h"

namespace zuv::test {
namespace {

// An open configuration page that counts how its buttons were switched.
class FakePage final : public ActivePage {
public:
    PageKind pageKind() const override { return PageKind::Sensors; }
    void setInstrumentButtonsEnabled(bool on) override { calls.push_back(on); }
    std::vector<bool> calls;
};

class PollTest : public ShellTest {
protected:
    bool downloadOn() { return surface.menus["mnuDownloadData"] && surface.buttons["DownData"]; }
};

TEST_F(PollTest, KeepsOffTheLineWhileAnythingElseHasIt)
{
    plugInstrument();
    struct Case {
        const char* what;
        std::function<void()> set;
        std::function<void()> clear;
    } cases[] = {
        {"analysis window open", [] { StatoComunicazione.AnalisiAperta = true; },
         [] { StatoComunicazione.AnalisiAperta = false; }},
        {"operation running", [] { StatoComunicazione.ComandoInCorso = 0x12; },
         [] { StatoComunicazione.ComandoInCorso = 0; }},
    };
    for (const Case& c : cases) {
        c.set();
        EXPECT_FALSE(pollTick()) << c.what;
        c.clear();
    }
    {
        LinkGuard exchange;
        EXPECT_FALSE(pollTick()) << "link guard held";
    }
    EXPECT_TRUE(port.writes.empty());
    EXPECT_TRUE(port.openAttempts.empty());
    EXPECT_TRUE(surface.calls.empty());
    EXPECT_TRUE(surface.panelText.empty());

    // Free again: the next tick runs.
    EXPECT_TRUE(pollTick());
    EXPECT_FALSE(port.writes.empty());
}

TEST_F(PollTest, ATickNeverStartsInsideAnotherOnesWait)
{
    plugInstrument();
    // A reply that takes its time, so the tick waits and lets events in.
    port.engine.lateMs = 100;
    port.engine.setFault(emu::Fault::Late, 1, 0x02);
    int nested = 0;
    int nestedRan = 0;
    fakeClock.onYield = [&] {
        ++nested;
        if (pollTick())
            ++nestedRan;
    };
    ASSERT_TRUE(pollTick());
    fakeClock.onYield = nullptr;
    EXPECT_GT(nested, 0) << "the exchange should have let events in";
    EXPECT_EQ(nestedRan, 0);
    // One hello and one poll, nothing interleaved.
    ASSERT_EQ(port.engine.received.size(), 2u);
    EXPECT_EQ(port.engine.received[0], QByteArray::fromHex("48013439"));
    EXPECT_EQ(port.engine.received[1], QByteArray::fromHex("48023441"));
}

// An exchange of the link that begins while the tick's are under way: the
// one in flight ends first, and the tick starts no other.
TEST_F(PollTest, AnExchangeThatBeginsMidTickLetsTheOneInFlightEndAndTheTickStops)
{
    // The scan's hello to a silent port 1; the instrument is on port 2.
    port.instrumentPort = 2;
    ASSERT_TRUE(startPollTick());
    ASSERT_TRUE(PollExchange::instance().underWay());
    EXPECT_EQ(port.openAttempts, std::vector<int>{1});
    EXPECT_FALSE(InviaComando(buildFrame(cmd::VerificaComunicazione)));
    EXPECT_FALSE(PollExchange::instance().underWay());
    EXPECT_EQ(port.openAttempts, std::vector<int>{1}) << "the scan went on to port 2";
    EXPECT_EQ(portOpen(), 0);
    EXPECT_NE(surface.panelText[4], QStringLiteral("NO COMMUNICATION")) << "a cut tick shows nothing";

    // The poll's reply due: it is taken and shown before the frame goes out.
    plugInstrument();
    ASSERT_TRUE(ConnettiStrumento());
    port.engine.received.clear();
    port.engine.lateMs = 100;
    port.engine.setFault(emu::Fault::Late, 1, cmd::VerificaComunicazione);
    ASSERT_TRUE(startPollTick());
    const QByteArray alarms = buildFrame(cmd::InviaDatiAllarmi, QByteArray(kPayloadAlarms, '\0'));
    EXPECT_TRUE(InviaComando(alarms, ackFrame(cmd::InviaDatiAllarmi)));
    EXPECT_EQ(surface.panelText[4], QStringLiteral("COM 1"));
    EXPECT_TRUE(downloadOn());
    ASSERT_EQ(port.engine.received.size(), 2u);
    EXPECT_EQ(port.engine.received[1], alarms);
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(PollTest, FollowsTheInstrumentComingAndGoing)
{
    FakePage page;
    StatoComunicazione.FormAttivo = &page;

    // Nothing there: the scan fails.
    ASSERT_TRUE(pollTick());
    EXPECT_EQ(surface.panelText[4], QStringLiteral("NO COMMUNICATION"));
    EXPECT_EQ(surface.panelPicture[4], PanelPicture::LinkOff);
    EXPECT_FALSE(downloadOn());
    EXPECT_TRUE(page.calls.empty()) << "no change of presence yet";

    // Plugged in: found, shown, Download Data on, page buttons on once.
    plugInstrument();
    port.engine.identification = QByteArrayLiteral("ZUV 7 OK  ");
    ASSERT_TRUE(pollTick());
    EXPECT_EQ(surface.panelText[4], QStringLiteral("COM 1"));
    EXPECT_EQ(surface.panelPicture[4], PanelPicture::LinkOn);
    EXPECT_EQ(surface.panelText[7], QStringLiteral("ZUV 7 OK  "));
    EXPECT_TRUE(downloadOn());
    EXPECT_EQ(page.calls, std::vector<bool>{true});
    EXPECT_GE(fakeClock.slept(), 50) << "the settling pause after a poll";

    // Still there: no scan (one poll frame), no second switch.
    port.engine.received.clear();
    ASSERT_TRUE(pollTick());
    EXPECT_EQ(port.engine.received, std::vector<QByteArray>{QByteArray::fromHex("48023441")});
    EXPECT_EQ(page.calls.size(), 1u);

    // Silent on a port that still works: off at once, but the port stays
    // open and the next tick polls it again instead of scanning. Panel 7
    // keeps the instrument's text.
    port.engine.setFault(emu::Fault::Silence);
    ASSERT_TRUE(pollTick());
    EXPECT_EQ(surface.panelText[4], QStringLiteral("NO COMMUNICATION"));
    EXPECT_EQ(surface.panelText[7], QStringLiteral("ZUV 7 OK  "));
    EXPECT_FALSE(downloadOn());
    EXPECT_EQ(page.calls, (std::vector<bool>{true, false}));
    EXPECT_EQ(portOpen(), 1);
    port.engine.received.clear();
    port.openAttempts.clear();
    ASSERT_TRUE(pollTick());
    EXPECT_EQ(port.engine.received, std::vector<QByteArray>{QByteArray::fromHex("48023441")});
    EXPECT_TRUE(port.openAttempts.empty());
    EXPECT_EQ(surface.panelText[4], QStringLiteral("NO COMMUNICATION"));

    // Speaking again: back on the same port, without a scan.
    port.engine.clearFault();
    ASSERT_TRUE(pollTick());
    EXPECT_TRUE(port.openAttempts.empty());
    EXPECT_EQ(surface.panelText[4], QStringLiteral("COM 1"));
    EXPECT_TRUE(downloadOn());
    EXPECT_EQ(page.calls, (std::vector<bool>{true, false, true}));
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(PollTest, ADeviceThatGoesDuringATickIsGivenUpQuietlyAndFoundAgain)
{
    const struct {
        const char* what;
        std::function<void(FakeSerialPort&)> unplug;
    } cases[] = {
        {"writes refused", [](FakeSerialPort& p) { p.refuseWrites = true; }},
        {"line gone while the reply is awaited",
         [](FakeSerialPort& p) { p.engine.setFault(emu::Fault::DropLine, 1, 0x02); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        plugInstrument();
        port.refuseWrites = false;
        port.engine.identification = QByteArrayLiteral("ZUV 7 OK  ");
        ASSERT_TRUE(pollTick());
        ASSERT_EQ(surface.panelText[4], QStringLiteral("COM 1"));

        c.unplug(port);
        ASSERT_TRUE(pollTick());
        EXPECT_TRUE(msgs.shown.empty()) << msgs.shown.front().text.toStdString();
        EXPECT_EQ(surface.panelText[4], QStringLiteral("NO COMMUNICATION"));
        EXPECT_EQ(surface.panelPicture[4], PanelPicture::LinkOff);
        EXPECT_EQ(surface.panelText[7], QStringLiteral("ZUV 7 OK  "));
        EXPECT_FALSE(downloadOn());
        EXPECT_EQ(portOpen(), 0);

        // Plugged in again: the next tick scans and finds it.
        port.refuseWrites = false;
        plugInstrument();
        port.openAttempts.clear();
        ASSERT_TRUE(pollTick());
        EXPECT_EQ(port.openAttempts, std::vector<int>{1});
        EXPECT_EQ(surface.panelText[4], QStringLiteral("COM 1"));
        EXPECT_TRUE(downloadOn());
        msgs.clear();
        ChiudiPorta();
    }
}

TEST_F(PollTest, AFailedScanAfterAnOperationClearsAStalePresence)
{
    // An operation closed the port while the instrument was there; then it
    // went away before the next tick.
    StatoComunicazione.StrumentoPresente = true;
    StatoComunicazione.StrumentoPresentePrec = true;
    FakePage page;
    StatoComunicazione.FormAttivo = &page;
    ASSERT_TRUE(pollTick());
    EXPECT_FALSE(StatoComunicazione.StrumentoPresente);
    EXPECT_FALSE(downloadOn());
    EXPECT_EQ(page.calls, std::vector<bool>{false});
}

TEST_F(PollTest, AChangeWithNoPageOpenIsRememberedAndTouchesNothing)
{
    plugInstrument();
    ASSERT_TRUE(pollTick());
    EXPECT_TRUE(StatoComunicazione.StrumentoPresentePrec);

    // A page opened while the instrument is present: the poll leaves it be.
    FakePage page;
    StatoComunicazione.FormAttivo = &page;
    ASSERT_TRUE(pollTick());
    EXPECT_TRUE(page.calls.empty());
}

TEST_F(PollTest, AnUnpluggedAdapterIsRescannedOnTheNextTick)
{
    plugInstrument();
    ASSERT_TRUE(pollTick());
    port.vanish();
    port.instrumentPort = 0;
    ASSERT_TRUE(pollTick());
    EXPECT_FALSE(downloadOn());
    EXPECT_EQ(surface.panelText[4], QStringLiteral("NO COMMUNICATION"));

    plugInstrument();
    port.openAttempts.clear();
    ASSERT_TRUE(pollTick());
    EXPECT_EQ(port.openAttempts.front(), 1);
    EXPECT_TRUE(downloadOn());
}

} // namespace
} // namespace zuv::test
