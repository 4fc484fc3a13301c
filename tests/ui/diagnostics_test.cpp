#include "link/commands.h"
#include "link/live.h"
#include "link/serial_comm.h"
#include "platform/serialport.h"
#include "project/name_tables.h"
#include "project/state.h"
#include "shell/ui/dlgDiagnostica.h"
#include "support/fake_port.h"
#include "support/fixtures.h"

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

TEST_F(DiagnosticsTest, ASilentInstrumentRaisesOneMessagePerOutage)
{
    dlgDiagnostica dlg;
    dlg.show();
    dlg.doStep();
    port.engine.setFault(emu::Fault::Silence);
    for (int i = 0; i < 4; ++i)
        dlg.doStep();
    EXPECT_EQ(std::count_if(msgs.shown.begin(), msgs.shown.end(),
                            [](const ShownMessage& m) { return m.text == languageText(242); }),
              1);
    port.engine.clearFault();
    dlg.doStep();
    port.engine.setFault(emu::Fault::Silence);
    dlg.doStep();
    EXPECT_EQ(std::count_if(msgs.shown.begin(), msgs.shown.end(),
                            [](const ShownMessage& m) { return m.text == languageText(242); }),
              2);
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

TEST_F(DiagnosticsTest, WithoutAnInstrumentTheScanWaitsBetweenPasses)
{
    port.instrumentPort = 0;
    port.portCount = 0;
    dlgDiagnostica dlg;
    dlg.show();
    dlg.doStep();
    const auto attempts = port.openAttempts.size();
    dlg.doStep(); // too soon: no scan
    EXPECT_EQ(port.openAttempts.size(), attempts);
    fakeClock.advance(2500);
    dlg.doStep();
    EXPECT_GT(port.openAttempts.size(), attempts);
    dlg.hide();
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

} // namespace
} // namespace zuv::test
