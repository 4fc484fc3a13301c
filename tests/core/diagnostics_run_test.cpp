// The live values as one operation for as long as their dialog shows, and
// the communication-error message for each read that fails.

#include "link/commands.h"
#include "link/link_guard.h"
#include "link/serial_comm.h"
#include "platform/serialport.h"
#include "project/state.h"
#include "shell/diagnostics.h"
#include "support/link_fixture.h"

namespace zuv::test {
namespace {

class DiagnosticsRunTest : public FakeLinkTest {
protected:
    void TearDown() override
    {
        ChiudiPorta();
        FakeLinkTest::TearDown();
    }

    long failureMessages() const
    {
        return std::count_if(msgs.shown.begin(), msgs.shown.end(),
                             [](const ShownMessage& m) { return m.text == QLatin1String("T242"); });
    }
};

TEST_F(DiagnosticsRunTest, HoldsTheLinkWhileItLives)
{
    {
        DiagnosticsRun run;
        EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0x25);
        EXPECT_TRUE(linkBusy());
        run.step();
        EXPECT_EQ(commandsSent(), (std::vector<int>{cmd::Status, cmd::LeggiCalibrazione}));
        EXPECT_TRUE(msgs.shown.empty());
    }
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
    EXPECT_FALSE(linkBusy());
}

TEST_F(DiagnosticsRunTest, EachFailedReadShowsTheMessage)
{
    DiagnosticsRun run;
    run.step();
    // Silent for three passes: six reads, six messages.
    port.engine.setFault(emu::Fault::Silence);
    for (int pass = 1; pass <= 3; ++pass) {
        run.step();
        EXPECT_EQ(failureMessages(), 2 * pass);
    }
    EXPECT_TRUE(StatoComunicazione.ErroreComunicazione);

    // Half a pass read: one message, for the read that failed.
    msgs.clear();
    port.engine.setFault(emu::Fault::Silence, 1, cmd::LeggiCalibrazione);
    run.step();
    EXPECT_EQ(failureMessages(), 1);

    // No instrument at all: nothing read, nothing said, and every read
    // scans ports 1 to 20 for it.
    msgs.clear();
    ChiudiPorta();
    port.engine.clearFault();
    port.instrumentPort = 0;
    port.portCount = 2;
    port.openAttempts.clear();
    run.step();
    EXPECT_TRUE(msgs.shown.empty());
    std::vector<int> twoScans;
    for (int scan = 0; scan < 2; ++scan)
        for (int n = 1; n <= kMaxPorts; ++n)
            twoScans.push_back(n);
    EXPECT_EQ(port.openAttempts, twoScans);
}

} // namespace
} // namespace zuv::test
