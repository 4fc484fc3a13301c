// The main window's own 200 ms poll against the instrument emulator on a
// pseudo-terminal, in real time: it finds the instrument, keeps the line
// quiet while an analysis window is open, finds the instrument again after
// its line went dead without a message, and keeps the port of an
// instrument that merely falls silent.

#include "link/serial_comm.h"
#include "platform/clock.h"
#include "shell/analysis_window.h"
#include "shell/ui/frmMain.h"
#include "support/emulator_line.h"
#include "support/fake_analysis_window.h"
#include "support/link_probes.h"
#include "support/shell_fixture.h"

#include <QTest>

namespace zuv::test {
namespace {

class PollEmulatorTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        // The real line needs real time and the real port.
        if (!line.attach())
            GTEST_SKIP() << "no pseudo-terminal";
        setClock(nullptr);
    }
    void TearDown() override
    {
        window.reset();
        setAnalysisFactory(AnalysisKind::DatiSpeed, nullptr);
        line.detach();
        ShellTest::TearDown();
    }

    bool connected() const
    {
        return window->panelText(4) == QLatin1String("COM 1")
               && window->buttonAction(QStringLiteral("DownData"))->isEnabled();
    }

    EmulatorLine line;
    emu::Emulator& emulator = line.emulator;
    std::unique_ptr<frmMain> window;
};

TEST_F(PollEmulatorTest, FindsTheInstrumentKeepsQuietDuringAnalysisAndComesBackAfterADeadLine)
{
    emulator.setIdentification(QByteArrayLiteral("EMU LINK 1"));
    window = std::make_unique<frmMain>();
    ASSERT_TRUE(window->MDIForm_Load());
    ASSERT_TRUE(window->pollTimer().isActive());

    ASSERT_TRUE(QTest::qWaitFor([&] { return connected(); }, 5000)) << window->panelText(4).toStdString();
    EXPECT_EQ(window->panelText(7), QStringLiteral("EMU LINK 1"));
    EXPECT_EQ(window->panelPicture(4), PanelPicture::LinkOn);
    EXPECT_TRUE(window->menuAction(QStringLiteral("mnuDownloadData"))->isEnabled());

    // The analysis window: not one byte from the poll while it is open.
    // It stays open for a while, as a user looking at a session would.
    std::size_t framesWhileOpen = 99;
    setAnalysisFactory(AnalysisKind::DatiSpeed, [&] {
        return std::make_unique<FakeAnalysisWindow>(AnalysisKind::DatiSpeed, [&](FakeAnalysisWindow&) {
            // Let an exchange already on the line finish, then listen.
            QTest::qWait(300);
            emulator.clearReceived();
            QTest::qWait(1200);
            framesWhileOpen = emulator.received().size();
        });
    });
    UsaAnalisiSpeed = true;
    fileDialogs.answers = {path("session.csv")};
    window->mnuAnalize_Click();
    EXPECT_EQ(framesWhileOpen, 0u);
    EXPECT_FALSE(StatoComunicazione.AnalisiAperta);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !emulator.received().empty(); }, 3000))
        << "the poll resumes once it has closed";

    // The line goes dead: no communication, Download Data off, and not a
    // word from the poll; panel 7 keeps the instrument's text.
    msgs.clear();
    emulator.dropLine();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->buttonAction(QStringLiteral("DownData"))->isEnabled(); },
                                8000));
    EXPECT_EQ(window->panelText(4), QStringLiteral("NO COMMUNICATION"));
    EXPECT_EQ(window->panelPicture(4), PanelPicture::LinkOff);
    EXPECT_EQ(window->panelText(7), QStringLiteral("EMU LINK 1"));
    QTest::qWait(500);
    EXPECT_TRUE(msgs.shown.empty()) << msgs.shown.front().text.toStdString();

    // Back, on a new device: found again without a restart.
    ASSERT_TRUE(line.replug());
    EXPECT_TRUE(QTest::qWaitFor([&] { return connected(); }, 8000)) << window->panelText(4).toStdString();
    EXPECT_EQ(window->panelText(7), QStringLiteral("EMU LINK 1"));
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(PollEmulatorTest, ASilentInstrumentShowsNoCommunicationOnItsOpenPort)
{
    window = std::make_unique<frmMain>();
    ASSERT_TRUE(window->MDIForm_Load());
    ASSERT_TRUE(QTest::qWaitFor([&] { return connected(); }, 5000)) << window->panelText(4).toStdString();
    EXPECT_EQ(window->panelText(7), QStringLiteral("ZUV-EMU 01"));

    // It stops answering; the poll's read gives up after its five seconds.
    // Panel 7 keeps the text of the last reply.
    emulator.setFault(emu::Fault::Silence);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->panelText(4) == QLatin1String("NO COMMUNICATION"); }, 8000))
        << window->panelText(4).toStdString();
    EXPECT_FALSE(window->buttonAction(QStringLiteral("DownData"))->isEnabled());
    EXPECT_EQ(window->panelText(7), QStringLiteral("ZUV-EMU 01"));

    // The next ticks ask it again on its port: no scan, no "Connecting".
    emulator.clearReceived();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !emulator.received().empty(); }, 7000));
    EXPECT_EQ(emulator.received().front(), QByteArray::fromHex("48023441"));
    EXPECT_EQ(portOpen(), 1);
    EXPECT_EQ(window->panelText(4), QStringLiteral("NO COMMUNICATION"));
    EXPECT_TRUE(msgs.shown.empty());
}

} // namespace
} // namespace zuv::test
