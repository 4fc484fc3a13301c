#include "link/commands.h"
#include "link/live.h"
#include "link/serial_comm.h"
#include "platform/serialport.h"
#include "platform/ui/qtmessages.h"
#include "project/name_tables.h"
#include "project/state.h"
#include "shell/poll.h"
#include "shell/ui/dlgDiagnostica.h"
#include "support/emulator_line.h"
#include "support/fake_port.h"
#include "support/fixtures.h"
#include "support/link_probes.h"
#include "support/ui/main_window_fixture.h"
#include "support/ui/modal_driver.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <limits>

namespace zuv::test {
namespace {

class DiagnosticsTest : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        loadShippedLanguages();
        CaricaTabelleCostanti();
        fakeClock.tickStepMs = 1;
        port.portCount = 2;
        port.instrumentPort = 2;
        setSerialPort(&port);
        DatiProgetto = newProjectValues();
        DatiProgetto.UMPress = 1;
    }
    void TearDown() override
    {
        ChiudiPorta();
        setSerialPort(nullptr);
        ZuvTest::TearDown();
    }

    FakeSerialPort port;
};

TEST_F(DiagnosticsTest, APassFillsValuesLampsAndInputs)
{
    port.engine.analogInputs = {11, 22, 33, 44, 55, 66, 77, -1};
    QByteArray status(kLenStatus, '\0');
    for (int i = 2; i < 30; ++i)
        status[i] = char(i * 7);
    port.engine.status = status;
    dlgDiagnostica dlg;
    dlg.show();
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0x25);
    dlg.doStep();

    const DiagnosticsState expected =
        decodeDiagnostics(port.engine.readAnswer(cmd::Status, {}));
    for (int i : {0, 2, 5, 9, 15})
        EXPECT_EQ(dlg.fieldValue(i), expected.fields[i]) << i;
    for (int k = 0; k < kNumAlarms; ++k)
        EXPECT_EQ(dlg.alarm(k), expected.alarms[k]) << k;
    EXPECT_EQ(dlg.analogValue(0), QStringLiteral("11"));
    EXPECT_EQ(dlg.analogValue(7), QStringLiteral("-1"));
    // The live dialog shows the inputs; ValoriAnalogici belongs to the calibration.
    EXPECT_EQ(ValoriAnalogici[0], 0.0);

    EXPECT_EQ(dlg.fieldName(0), languageText(284));
    EXPECT_EQ(dlg.fieldName(15), languageText(291));
    EXPECT_EQ(dlg.fieldUnit(5), NomiUMPressione[1]);
    EXPECT_EQ(dlg.fieldUnit(0), QStringLiteral("RPM"));
    EXPECT_EQ(dlg.alarmName(7), languageText(281));

    dlg.hide();
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
    EXPECT_EQ(diagnosticsView(), nullptr);
}

// The text sits whole inside the box: with the cursor at its end, where the
// box puts it, its start is not scrolled out at the left. The box works out
// its scrolling as it paints: it must have painted the text.
bool showsWholeText(QLineEdit* box)
{
    const int end = box->inputMethodQuery(Qt::ImCursorRectangle).toRect().x();
    const int start = end - box->fontMetrics().horizontalAdvance(box->text());
    return box->cursorPosition() == box->text().size() && start >= 0 && end <= box->width();
}

TEST_F(DiagnosticsTest, EveryValueShowsWhole)
{
    dlgDiagnostica dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    // The free memory keeps every digit; the other values at their widest.
    const qint32 recorded[] = {80000, 2096383, 2096385, std::numeric_limits<qint32>::min(),
                               std::numeric_limits<qint32>::max()};
    QByteArray widest(36, '\x80');
    for (qint32 bytes : recorded) {
        port.engine.status = widest;
        port.engine.recordedBytes = bytes;
        dlg.doStep();
        dlg.grab();
        const QString memory = dlg.fieldValue(15);
        ASSERT_GE(memory.size(), 15) << bytes;
        for (QLineEdit* box : dlg.findChildren<QLineEdit*>()) {
            if (box->isVisible()) {
                EXPECT_TRUE(showsWholeText(box)) << bytes << ": " << box->text().toStdString();
            }
        }
    }
    dlg.hide();
}

TEST_F(DiagnosticsTest, ClosingDuringAnExchangeEndsAfterThatPass)
{
    dlgDiagnostica dlg;
    dlg.show();
    // The user closes the dialog while the link waits for a reply.
    port.engine.setFault(emu::Fault::Late);
    bool closed = false;
    fakeClock.onYield = [&] {
        if (!closed) {
            closed = true;
            dlg.hide();
        }
    };
    dlg.doStep();
    fakeClock.onYield = nullptr;
    EXPECT_TRUE(closed);
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
    EXPECT_EQ(diagnosticsView(), nullptr);
    EXPECT_EQ(&messages(), static_cast<MessageService*>(&msgs));
}

TEST_F(DiagnosticsTest, DestroyedWhileShownLeavesNothingBehind)
{
    {
        dlgDiagnostica dlg;
        dlg.show();
        dlg.doStep();
    }
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
    EXPECT_EQ(diagnosticsView(), nullptr);
    EXPECT_EQ(&messages(), static_cast<MessageService*>(&msgs));
}

// View Device from the main window's menu against the emulator on a
// pseudo-terminal, on the fake clock: the real dialog and the real message
// boxes, answered from inside their exec(), with waits that cost nothing.
class ViewDeviceOnTheLine : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        if (!line.attach(fakeClock, 1, 50))
            GTEST_SKIP() << "no pseudo-terminal";
        setMessages(&qtMessages);
        user = std::make_unique<ModalDriver>();
        window->show();
    }
    void TearDown() override
    {
        user.reset();
        line.detach();
        MainWindowFixture::TearDown();
    }

    // View Device as the user picks it, and the passes it ran until the
    // driver's last step closed it with Esc once `closeWhen` held.
    int viewDevice(const QString& what, std::function<bool(dlgDiagnostica&)> closeWhen)
    {
        int passes = 0;
        user->on(
            "zuv::dlgDiagnostica",
            [&](QWidget& w) {
                passes = static_cast<dlgDiagnostica&>(w).steps();
                QTest::keyClick(&w, Qt::Key_Escape);
            },
            what, [=](QWidget& w) { return closeWhen(static_cast<dlgDiagnostica&>(w)); });
        QAction* command = window->menuAction(QStringLiteral("mnuViewDevice"));
        EXPECT_TRUE(command->isEnabled());
        command->trigger();
        EXPECT_TRUE(user->waitDone());
        EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
        return passes;
    }

    QtMessages qtMessages;
    std::unique_ptr<ModalDriver> user;
    EmulatorLine line;
    emu::Emulator& emulator = line.emulator;
};

QStringList captions(const ModalDriver::Box& box)
{
    QStringList out;
    for (QString b : box.buttons)
        out << b.remove(QLatin1Char('&'));
    return out;
}

TEST_F(ViewDeviceOnTheLine, ASilentInstrumentShowsTheMessageForEachUnansweredRead)
{
    ASSERT_TRUE(pollTick());
    ASSERT_EQ(window->panelText(4), QStringLiteral("COM 1"));
    emulator.setAnalogInputs({11, 22, 33, 44, 55, 66, 77, -1});
    // Three passes' reads unanswered, then the instrument speaks again.
    emulator.setFault(emu::Fault::Silence, 6);
    emulator.clearReceived();
    for (int read = 0; read < 6; ++read)
        user->click(QMessageBox::Ok);
    const int passes = viewDevice(QStringLiteral("the values back"),
                                  [](dlgDiagnostica& d) { return d.analogValue(0) == QLatin1String("11"); });

    ASSERT_EQ(user->boxes.size(), 6u);
    for (const ModalDriver::Box& box : user->boxes) {
        EXPECT_EQ(box.text, languageText(242));
        EXPECT_EQ(box.icon, QMessageBox::NoIcon);
        EXPECT_EQ(captions(box), QStringList{QStringLiteral("OK")});
    }
    // Each of them a read of its own, on the port that stayed open.
    std::vector<QByteArray> frames = emulator.received();
    ASSERT_GE(frames.size(), 8u);
    frames.resize(8);
    const QByteArray status = buildFrame(cmd::Status);
    const QByteArray inputs = buildFrame(cmd::LeggiCalibrazione);
    EXPECT_EQ(frames, (std::vector<QByteArray>{status, inputs, status, inputs, status, inputs, status, inputs}));
    EXPECT_GE(passes, 4);
}

TEST_F(ViewDeviceOnTheLine, WithoutAnInstrumentEveryPassScansAtOnce)
{
    // The port opens, but no hello is acknowledged.
    emulator.setFault(emu::Fault::Silence);
    std::vector<qint64> pauseEnds;
    fakeClock.onSleep = [&](int) { pauseEnds.push_back(fakeClock.now()); };
    const int passes =
        viewDevice(QStringLiteral("three passes"), [](dlgDiagnostica& d) { return d.steps() >= 3; });
    fakeClock.onSleep = nullptr;

    // A hello before each read, and nothing else.
    EXPECT_GE(passes, 3);
    EXPECT_EQ(emulator.received(), std::vector<QByteArray>(std::size_t(2 * passes), buildFrame(cmd::Hello)));
    EXPECT_TRUE(user->boxes.empty());
    // From one 50 ms pause to the next there is one scan, whose hello waits
    // its 10000 ms during an operation, and no pause of our own.
    ASSERT_EQ(pauseEnds.size(), std::size_t(2 * passes));
    for (std::size_t i = 1; i < pauseEnds.size(); ++i) {
        const qint64 scan = pauseEnds[i] - pauseEnds[i - 1] - 50;
        EXPECT_GE(scan, 10000) << i;
        EXPECT_LT(scan, 11000) << i;
    }
}

} // namespace
} // namespace zuv::test
