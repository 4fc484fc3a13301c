// Waits on the instrument keep every window painted and its timers running
// while they hold the user's input back until they are over: no window looks
// dead during a silent instrument's time-out, and nothing the user does can
// start in the middle of an exchange. The poll, which runs unasked, leaves
// the input to the windows.

#include "link/codec.h"
#include "link/commands.h"
#include "link/serial_comm.h"
#include "platform/clock.h"
#include "project/state.h"
#include "shell/poll.h"
#include "support/shell_fixture.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace zuv::test {
namespace {

bool g_waiting = false;

// Counts what reaches it during the wait and after it.
class Watched final : public QWidget {
public:
    int paintsIn = 0;
    int keysIn = 0, keysAfter = 0;
    int clicksIn = 0, clicksAfter = 0;

protected:
    void paintEvent(QPaintEvent*) override { paintsIn += g_waiting; }
    void keyPressEvent(QKeyEvent*) override { ++(g_waiting ? keysIn : keysAfter); }
    void mousePressEvent(QMouseEvent*) override { ++(g_waiting ? clicksIn : clicksAfter); }
};

class WaitsTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        setClock(nullptr); // the event loop only runs in real time
        plugInstrument();
        port.engine.lateMs = 300;
        watched.resize(120, 80);
        watched.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&watched));
        QCoreApplication::processEvents();
    }
    void TearDown() override
    {
        ChiudiPorta();
        StatoComunicazione.ComandoInCorso = 0;
        ShellTest::TearDown();
    }

    // A key and a click are pending and a timer will ask for a repaint when
    // `wait` starts; returns whether the timer ran inside it.
    bool during(const std::function<void()>& wait)
    {
        QCoreApplication::postEvent(&watched, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier));
        QCoreApplication::postEvent(&watched, new QMouseEvent(QEvent::MouseButtonPress, QPointF(5, 5),
                                                              QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                                                              Qt::NoModifier));
        bool timerInWait = false;
        QTimer::singleShot(50, &watched, [&] {
            timerInWait = g_waiting;
            watched.update();
        });
        g_waiting = true;
        wait();
        g_waiting = false;
        QTest::qWait(50);
        return timerInWait;
    }

    Watched watched;
};

TEST_F(WaitsTest, AnOperationsWaitsRepaintAndHoldTheInputUntilTheyEnd)
{
    const QByteArray alarms = buildFrame(cmd::InviaDatiAllarmi, QByteArray(kPayloadAlarms, '\0'));
    const QByteArray ack = ackFrame(cmd::InviaDatiAllarmi);
    const struct {
        const char* what;
        std::function<void()> wait;
    } cases[] = {
        {"an acknowledgement", [&] { EXPECT_TRUE(InviaComando(alarms, ack)); }},
        {"a write's acknowledgement", [&] { EXPECT_TRUE(InviaComandoAttesa(alarms, ack)); }},
        {"a reply",
         [&] {
             ASSERT_TRUE(InviaComando(buildFrame(cmd::VerificaComunicazione)));
             EXPECT_EQ(RiceviDati(kLenCheck).size(), kLenCheck);
         }},
        {"a lamp", [] { LampeggiaTX(); }},
        {"a pause", [] { clock().sleepMs(300); }},
    };
    ASSERT_TRUE(ConnettiStrumento());
    StatoComunicazione.ComandoInCorso = cmd::InviaDatiAllarmi;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        port.engine.setFault(emu::Fault::Late, 1);
        watched.paintsIn = watched.keysIn = watched.keysAfter = watched.clicksIn = watched.clicksAfter = 0;
        EXPECT_TRUE(during(c.wait)) << "the timer waited for the end";
        EXPECT_GT(watched.paintsIn, 0) << "no repaint during the wait";
        EXPECT_EQ(watched.keysIn, 0);
        EXPECT_EQ(watched.clicksIn, 0);
        EXPECT_EQ(watched.keysAfter, 1) << "the key was lost";
        EXPECT_EQ(watched.clicksAfter, 1) << "the click was lost";
    }
}

TEST_F(WaitsTest, ThePollsWaitsLeaveTheInputToTheWindows)
{
    ASSERT_TRUE(ConnettiStrumento());
    port.engine.setFault(emu::Fault::Late, 1, cmd::VerificaComunicazione);
    EXPECT_TRUE(during([] { EXPECT_TRUE(pollTick()); }));
    EXPECT_TRUE(StatoComunicazione.StrumentoPresente);
    EXPECT_EQ(watched.keysIn, 1);
    EXPECT_EQ(watched.clicksIn, 1);
}

} // namespace
} // namespace zuv::test
