// Waits on the instrument and what they let run. The waits that the user
// may cut short by closing the operation's window take the input; the ones
// that must not let anything else in only repaint. The poll never waits:
// its exchange runs between events.

#include "link/codec.h"
#include "link/commands.h"
#include "link/serial_comm.h"
#include "platform/clock.h"
#include "project/state.h"
#include "link/poll_exchange.h"
#include "shell/poll.h"
#include "support/shell_fixture.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QThread>
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

    // A key and a click are pending and a repaint is asked for when `wait`
    // starts, and a timer fires 50 ms into it. Returns whether the timer
    // ran inside the wait.
    bool during(const std::function<void()>& wait)
    {
        QCoreApplication::postEvent(&watched, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier));
        QCoreApplication::postEvent(&watched, new QMouseEvent(QEvent::MouseButtonPress, QPointF(5, 5),
                                                              QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                                                              Qt::NoModifier));
        bool timerInWait = false;
        QTimer::singleShot(50, &watched, [&] { timerInWait = g_waiting; });
        watched.update();
        g_waiting = true;
        wait();
        g_waiting = false;
        QTest::qWait(80);
        return timerInWait;
    }

    void reset() { watched.paintsIn = watched.keysIn = watched.keysAfter = watched.clicksIn = watched.clicksAfter = 0; }

    Watched watched;
};

const QByteArray& alarmsFrame()
{
    static const QByteArray f = buildFrame(cmd::InviaDatiAllarmi, QByteArray(kPayloadAlarms, '\0'));
    return f;
}

// The waits that let the user close an operation's window take the input
// in their middle; the ones that must let nothing else in only repaint and
// hand the input over at their end.
TEST_F(WaitsTest, EachWaitOfTheLinkLetsInWhatItShould)
{
    const QByteArray ack = ackFrame(cmd::InviaDatiAllarmi);
    const struct {
        const char* what;
        bool takesInput;
        std::function<void()> wait;
    } cases[] = {
        {"an acknowledgement", true, [&] { EXPECT_TRUE(InviaComando(alarmsFrame(), ack)); }},
        {"a reply", true,
         [&] {
             ASSERT_TRUE(InviaComando(buildFrame(cmd::VerificaComunicazione)));
             EXPECT_EQ(RiceviDati(kLenCheck).size(), kLenCheck);
         }},
        {"a lamp", true, [] { LampeggiaTX(); }},
        {"the scan", true,
         [] {
             ChiudiPorta();
             EXPECT_TRUE(ConnettiStrumento());
         }},
        {"a write's acknowledgement", false, [&] { EXPECT_TRUE(InviaComandoAttesa(alarmsFrame(), ack)); }},
        {"a pause", false, [] { clock().sleepMs(300); }},
    };
    ASSERT_TRUE(ConnettiStrumento());
    StatoComunicazione.ComandoInCorso = cmd::InviaDatiAllarmi;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        port.engine.setFault(emu::Fault::Late, 1);
        reset();
        EXPECT_EQ(during(c.wait), c.takesInput) << "a timer inside the wait";
        EXPECT_GT(watched.paintsIn, 0) << "no repaint during the wait";
        EXPECT_EQ(watched.keysIn, c.takesInput ? 1 : 0);
        EXPECT_EQ(watched.clicksIn, c.takesInput ? 1 : 0);
        EXPECT_EQ(watched.keysIn + watched.keysAfter, 1) << "the key was lost";
        EXPECT_EQ(watched.clicksIn + watched.clicksAfter, 1) << "the click was lost";
    }
}

TEST_F(WaitsTest, ThePollsExchangeWaitsNowhere)
{
    ASSERT_TRUE(ConnettiStrumento());
    port.engine.setFault(emu::Fault::Late, 1, cmd::VerificaComunicazione);
    const int level = QThread::currentThread()->loopLevel();
    int deepest = level;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, &watched,
                     [&] { deepest = std::max(deepest, QThread::currentThread()->loopLevel()); });
    probe.start(5);
    reset();
    g_waiting = true;
    ASSERT_TRUE(startPollTick());
    QCoreApplication::postEvent(&watched, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier));
    EXPECT_TRUE(QTest::qWaitFor([] { return !PollExchange::instance().underWay(); }, 2000));
    g_waiting = false;
    EXPECT_TRUE(StatoComunicazione.StrumentoPresente);
    EXPECT_EQ(watched.keysIn, 1) << "the key did not come in during the exchange";
    // qWaitFor runs one loop of its own: nothing ran deeper than that.
    EXPECT_LE(deepest, level + 1);
}

} // namespace
} // namespace zuv::test
