// The emulator's line with fake waits: the waits last as long as the
// instrument takes to answer, however busy the machine, and only a silent
// instrument runs them out.

#include "link/commands.h"
#include "link/serial_comm.h"
#include "support/emulator_line.h"
#include "support/fixtures.h"
#include "support/link_fixture.h"

#include <chrono>
#include <future>
#include <thread>

namespace zuv::test {
namespace {

class FakeWaitsOverTheLine : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        useNumberedTexts(399);
        if (!line.attach(fakeClock))
            GTEST_SKIP() << "no pseudo-terminal";
        emulator.setLapCount(7);
    }
    void TearDown() override
    {
        line.detach();
        ZuvTest::TearDown();
    }

    // The emulator's thread kept from serving for a while, as on a loaded
    // machine; from when this returns until join().
    std::thread stall(int ms)
    {
        std::promise<void> held;
        std::future<void> holding = held.get_future();
        std::thread t([this, ms, held = std::move(held)]() mutable {
            emulator.withEngine([&](emu::Engine&) {
                held.set_value();
                std::this_thread::sleep_for(std::chrono::milliseconds(ms));
            });
        });
        holding.wait();
        return t;
    }

    EmulatorLine line;
    emu::Emulator& emulator = line.emulator;
};

TEST_F(FakeWaitsOverTheLine, AnInstrumentSlowToAnswerIsWaitedForAndASilentOneTimesOut)
{
    // Longer than the fake time-outs would take to run out at full speed.
    std::thread busy = stall(1500);
    EXPECT_TRUE(ConnettiStrumento());
    busy.join();
    busy = stall(1500);
    EXPECT_EQ(readLapCount(), std::optional<qint16>(7));
    busy.join();
    EXPECT_TRUE(msgs.shown.empty());

    emulator.setFault(emu::Fault::Silence, 1, cmd::Status);
    const qint64 before = fakeClock.now();
    EXPECT_EQ(readLapCount(), std::nullopt);
    EXPECT_GE(fakeClock.now() - before, kReplyWaitMs);
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text, QStringLiteral("T242"));
}

} // namespace
} // namespace zuv::test
