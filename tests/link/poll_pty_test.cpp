// The 200 ms poll's tick through the real serial port, against the
// instrument emulator on a pseudo-terminal: an instrument that falls silent
// keeps its port, a line that goes dead is given up without a word and
// found again when it comes back.

#include "link/serial_comm.h"
#include "platform/clock.h"
#include "project/state.h"
#include "shell/poll.h"
#include "support/emulator_line.h"
#include "support/fixtures.h"
#include "support/link_probes.h"

namespace zuv::test {
namespace {

const QByteArray kHello = QByteArray::fromHex("48013439");
const QByteArray kPoll = QByteArray::fromHex("48023441");

class PollPtyTest : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        if (!line.attach(fakeClock))
            GTEST_SKIP() << "no pseudo-terminal";
        emulator.setIdentification(QByteArrayLiteral("EMU PTY 01"));
    }
    void TearDown() override
    {
        line.detach();
        ZuvTest::TearDown();
    }

    // Ticks until the instrument shows as connected.
    void connectFirst()
    {
        ASSERT_TRUE(pollTick());
        ASSERT_EQ(surface.panelText[4], QStringLiteral("COM 1"));
        ASSERT_EQ(surface.panelText[7], QStringLiteral("EMU PTY 01"));
        emulator.clearReceived();
    }

    bool downloadOn() { return surface.menus["mnuDownloadData"] && surface.buttons["DownData"]; }

    EmulatorLine line;
    emu::Emulator& emulator = line.emulator;
};

TEST_F(PollPtyTest, ASilentInstrumentKeepsItsPortAndIsPolledThere)
{
    connectFirst();
    emulator.setFault(emu::Fault::Silence);
    for (int tick = 0; tick < 2; ++tick) {
        ASSERT_TRUE(pollTick());
        EXPECT_EQ(surface.panelText[4], QStringLiteral("NO COMMUNICATION")) << tick;
        EXPECT_EQ(surface.panelText[7], QStringLiteral("EMU PTY 01"));
        EXPECT_FALSE(downloadOn());
        EXPECT_EQ(portOpen(), 1) << tick;
    }
    // Polled on its port, never scanned for.
    EXPECT_EQ(emulator.received(), (std::vector<QByteArray>{kPoll, kPoll}));

    emulator.clearFault();
    emulator.clearReceived();
    ASSERT_TRUE(pollTick());
    EXPECT_EQ(emulator.received(), std::vector<QByteArray>{kPoll});
    EXPECT_EQ(surface.panelText[4], QStringLiteral("COM 1"));
    EXPECT_TRUE(downloadOn());
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(PollPtyTest, ADeadLineIsGivenUpWithoutAMessageAndFoundAgain)
{
    connectFirst();
    emulator.dropLine();
    ASSERT_TRUE(pollTick());
    EXPECT_TRUE(msgs.shown.empty()) << msgs.shown.front().text.toStdString();
    EXPECT_EQ(surface.panelText[4], QStringLiteral("NO COMMUNICATION"));
    EXPECT_EQ(surface.panelPicture[4], PanelPicture::LinkOff);
    EXPECT_EQ(surface.panelText[7], QStringLiteral("EMU PTY 01"));
    EXPECT_FALSE(downloadOn());
    EXPECT_EQ(portOpen(), 0);

    // Still gone: the tick scans and finds nothing, quietly; the failed
    // connection writes panel 4 alone.
    ASSERT_TRUE(pollTick());
    EXPECT_EQ(surface.panelText[4], QStringLiteral("NO COMMUNICATION"));
    EXPECT_EQ(surface.panelText[7], QStringLiteral("EMU PTY 01"));
    EXPECT_TRUE(msgs.shown.empty());

    // Back, on its new device: the next tick's scan finds it.
    ASSERT_TRUE(line.replug());
    ASSERT_TRUE(pollTick());
    EXPECT_EQ(surface.panelText[4], QStringLiteral("COM 1"));
    EXPECT_EQ(surface.panelText[7], QStringLiteral("EMU PTY 01"));
    EXPECT_TRUE(downloadOn());
    EXPECT_EQ(emulator.received(), (std::vector<QByteArray>{kHello, kPoll}));
    EXPECT_TRUE(msgs.shown.empty());
}

} // namespace
} // namespace zuv::test
