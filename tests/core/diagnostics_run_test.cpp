// The live values as one operation for as long as their dialog shows, and
// one communication-error message per outage.

#include "link/link_guard.h"
#include "link/serial_comm.h"
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
        const DiagnosticsStep p = run.step();
        EXPECT_TRUE(p.connected);
        EXPECT_TRUE(p.read);
    }
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
    EXPECT_FALSE(linkBusy());
}

TEST_F(DiagnosticsRunTest, OneMessagePerOutage)
{
    DiagnosticsRun run;
    run.step();
    port.engine.setFault(emu::Fault::Silence);
    for (int i = 0; i < 3; ++i) {
        const DiagnosticsStep p = run.step();
        EXPECT_TRUE(p.connected);
        EXPECT_FALSE(p.read);
    }
    EXPECT_EQ(failureMessages(), 1);
    EXPECT_TRUE(StatoComunicazione.ErroreComunicazione);

    // Half a pass read is still the outage.
    port.engine.setFault(emu::Fault::Silence, 1);
    EXPECT_FALSE(run.step().read);
    EXPECT_EQ(failureMessages(), 1);

    // A whole pass read ends it: the next failure is a new outage.
    port.engine.clearFault();
    EXPECT_TRUE(run.step().read);
    port.engine.setFault(emu::Fault::Silence);
    run.step();
    EXPECT_EQ(failureMessages(), 2);

    // No instrument at all: nothing read, nothing said.
    msgs.clear();
    ChiudiPorta();
    port.instrumentPort = 0;
    const DiagnosticsStep p = run.step();
    EXPECT_FALSE(p.connected);
    EXPECT_FALSE(p.read);
    EXPECT_TRUE(msgs.shown.empty());
}

} // namespace
} // namespace zuv::test
