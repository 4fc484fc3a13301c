// The fuel-level calibration dialog over the sensor editor, against the
// instrument emulator's live inputs on a pseudo-terminal.

#include "config/ui/dlgCalibrazione.h"
#include "config/ui/frmImpostaSensore.h"
#include "link/commands.h"
#include "link/serial_comm.h"
#include "platform/textfile.h"
#include "project/name_tables.h"
#include "project/state.h"
#include "support/emulator_line.h"
#include "support/fixtures.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace zuv::test {
namespace {

class CalibrationDialogTest : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        useNumberedTexts();
        CaricaTabelleCostanti();
        if (!line.attach(fakeClock))
            GTEST_SKIP() << "no pseudo-terminal";
        StatoComunicazione.StrumentoPresente = true;
    }
    void TearDown() override
    {
        line.detach();
        clearNameTables();
        ZuvTest::TearDown();
    }

    void fuelLevel(int raw)
    {
        std::array<qint16, 8> inputs{};
        inputs.fill(11);
        inputs[4] = static_cast<qint16>(raw);
        emulator.setAnalogInputs(inputs);
    }

    // Opens the calibration from the editor and runs `script` in it; a
    // dialog the script leaves open is closed by its frame.
    void calibrate(frmImpostaSensore& w, const std::function<void(dlgCalibrazione&)>& script)
    {
        bool ran = false;
        QTimer::singleShot(0, &w, [&] {
            auto* d = w.findChild<dlgCalibrazione*>();
            if (!d) {
                if (QWidget* modal = QApplication::activeModalWidget())
                    modal->close();
                return;
            }
            ran = true;
            script(*d);
            if (d->isVisible())
                d->close();
        });
        w.cmdCalibrazione->click();
        EXPECT_TRUE(ran);
    }

    // One OK with the tank at `raw` and `litres` typed.
    void okAt(dlgCalibrazione& d, int raw, const QString& litres)
    {
        fuelLevel(raw);
        d.txtLitri->setText(litres);
        d.OKButton->click();
    }

    int liveRequests() const
    {
        int n = 0;
        for (const QByteArray& f : emulator.received())
            n += f.size() > 1 && quint8(f[1]) == cmd::LeggiCalibrazione;
        return n;
    }

    EmulatorLine line;
    emu::Emulator& emulator = line.emulator;
};

TEST_F(CalibrationDialogTest, AFullRunBuildsTheSensorFile)
{
    frmImpostaSensore w;
    w.show();
    w.optLivelloBenzina->click();
    ASSERT_TRUE(w.cmdCalibrazione->isVisible());

    calibrate(w, [&](dlgCalibrazione& d) {
        EXPECT_EQ(StatoComunicazione.FormAttivo, &d);
        EXPECT_EQ(d.windowTitle(), QStringLiteral("T252"));
        EXPECT_EQ(d.Label1->text(), QStringLiteral("T243"));
        EXPECT_EQ(d.lblDescrizioneFase->text(), QStringLiteral("T244T245\n\nT247\n\nT248"));
        EXPECT_FALSE(d.txtLitri->isVisible());

        okAt(d, 850, QString()); // the empty tank, box still hidden
        EXPECT_EQ(d.intUscita(), 1);
        EXPECT_TRUE(d.txtLitri->isVisible());
        EXPECT_EQ(d.txtLitri->text(), QStringLiteral("0.0"));
        EXPECT_EQ(d.lblDescrizioneFase->text(), QStringLiteral("T249\nT250\n\nT247\n\nT248"));
        EXPECT_EQ(w.txtX[0]->text(), QStringLiteral("850"));
        okAt(d, 700, QStringLiteral("10"));
        okAt(d, 520, QStringLiteral("20"));
        okAt(d, 300, QStringLiteral("30"));
        EXPECT_EQ(d.intFaseCalibrazione(), 4);
        EXPECT_EQ(d.XValue(), 300);
        EXPECT_EQ(w.table().NumPuntiAttivi(), 4);
        EXPECT_EQ(ValoriAnalogici[0], 11);
        d.cmdFineProcedura->click();
    });
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(liveRequests(), 4);
    EXPECT_EQ(w.table().NumPuntiAttivi(), 20);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("T78"));
    EXPECT_EQ(StatoComunicazione.FormAttivo, &w);
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);

    w.txtNomeNuovo->setText(QStringLiteral("Serbatoio prova"));
    w.cmdSalvaSensore->click();
    ASSERT_TRUE(msgs.shown.empty()) << msgs.shown[0].text.toStdString();
    QStringList lines = {"ZUVSensor", "LivelloBenzina", "Serbatoio prova", "20", "300", "520", "700", "850"};
    for (int i = 4; i < 20; ++i)
        lines << "1024";
    lines << "30.0" << "20.0" << "10.0" << "0.0";
    for (int i = 4; i < 20; ++i)
        lines << "0.0";
    EXPECT_EQ(readFile(QStringLiteral("sensors/Serbatoio prova.sns")), textLines(lines));
}

// Left to itself, the emulator's car burns fuel: each OK reads the level as
// it stands, never 0 and lower each time, so Finish turns the rows round.
TEST_F(CalibrationDialogTest, AnInstrumentLeftToItselfGivesReadingsThatFall)
{
    frmImpostaSensore w;
    w.show();
    w.optLivelloBenzina->click();
    calibrate(w, [&](dlgCalibrazione& d) {
        d.OKButton->click();
        for (const char* litres : {"10", "20"}) {
            d.txtLitri->setText(QLatin1String(litres));
            d.OKButton->click();
        }
        d.cmdFineProcedura->click();
    });
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(liveRequests(), 3);
    const int x[3] = {w.txtX[0]->text().toInt(), w.txtX[1]->text().toInt(), w.txtX[2]->text().toInt()};
    EXPECT_GT(x[0], 0);
    EXPECT_LT(x[0], x[1]);
    EXPECT_LT(x[1], x[2]);
    EXPECT_LT(x[2], 1024);
    EXPECT_EQ(w.txtY[0]->text(), QStringLiteral("20.0"));
    EXPECT_EQ(w.txtY[2]->text(), QStringLiteral("0.0"));
    EXPECT_EQ(w.txtX[3]->text(), QStringLiteral("1024"));
}

TEST_F(CalibrationDialogTest, AStepWithoutAReadingRecordsNothing)
{
    frmImpostaSensore w;
    w.show();
    w.optLivelloBenzina->click();
    calibrate(w, [&](dlgCalibrazione& d) {
        okAt(d, 100, QString());

        // Litres that are no number: told, and the instrument is not asked.
        const int asked = liveRequests();
        okAt(d, 400, QStringLiteral("abc"));
        ASSERT_EQ(msgs.shown.size(), 1u);
        EXPECT_EQ(msgs.shown[0].text, QStringLiteral("T262"));
        EXPECT_EQ(msgs.shown[0].title, QStringLiteral("T252"));
        EXPECT_EQ(msgs.shown[0].owner, &d) << "the dialog's own box";
        EXPECT_EQ(liveRequests(), asked);
        EXPECT_EQ(d.intFaseCalibrazione(), 1);

        // The live read fails: the link's one message, no point.
        msgs.clear();
        emulator.setFault(emu::Fault::Silence, 1, cmd::LeggiCalibrazione);
        okAt(d, 400, QStringLiteral("15"));
        ASSERT_EQ(msgs.shown.size(), 1u);
        EXPECT_EQ(msgs.shown[0].text, QStringLiteral("T242"));
        EXPECT_EQ(d.intFaseCalibrazione(), 1);
        EXPECT_EQ(w.table().NumPuntiAttivi(), 1);
        EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);

        msgs.clear();
        okAt(d, 400, QStringLiteral("15"));
        EXPECT_TRUE(msgs.shown.empty());
        EXPECT_EQ(w.txtX[1]->text(), QStringLiteral("400"));
        EXPECT_EQ(w.txtY[1]->text(), QStringLiteral("15.0"));
        okAt(d, 900, QStringLiteral("40"));
        d.cmdFineProcedura->click();
    });
    EXPECT_EQ(w.table().NumPuntiAttivi(), 20);
    EXPECT_EQ(w.txtX[2]->text(), QStringLiteral("900"));
    EXPECT_EQ(w.txtX[3]->text(), QStringLiteral("1024"));
    EXPECT_EQ(w.txtY[19]->text(), QStringLiteral("40.0"));
}

TEST_F(CalibrationDialogTest, CancelEscapeAndTheFrame)
{
    frmImpostaSensore w;
    w.show();
    w.optLivelloBenzina->click();

    // Cancel: table cleared, shared curve zeroed.
    CurvaSensore.CurvaX[2] = 5;
    calibrate(w, [&](dlgCalibrazione& d) {
        okAt(d, 100, QString());
        okAt(d, 200, QStringLiteral("5"));
        d.CancelButton->click();
        EXPECT_EQ(d.intUscita(), 3);
    });
    EXPECT_EQ(w.table().NumPuntiAttivi(), 0);
    EXPECT_EQ(CurvaSensore.CurvaX[2], 0);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("T78"));
    EXPECT_EQ(StatoComunicazione.FormAttivo, &w);

    // Escape is Cancel.
    calibrate(w, [&](dlgCalibrazione& d) {
        okAt(d, 100, QString());
        QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_EQ(d.intUscita(), 3);
    });
    EXPECT_EQ(w.table().NumPuntiAttivi(), 0);

    // The frame: the rows measured so far stay, without the 1024 fill.
    calibrate(w, [&](dlgCalibrazione& d) {
        okAt(d, 100, QString());
        okAt(d, 300, QStringLiteral("12,5"));
        d.close();
        EXPECT_EQ(d.intUscita(), 1);
    });
    EXPECT_EQ(w.table().NumPuntiAttivi(), 2);
    EXPECT_EQ(w.txtY[1]->text(), QStringLiteral("12.5"));
    EXPECT_TRUE(w.txtX[2]->text().isEmpty());

    // Finish at once: nothing written.
    calibrate(w, [&](dlgCalibrazione& d) {
        d.cmdFineProcedura->click();
        EXPECT_EQ(d.intUscita(), 2);
    });
    EXPECT_EQ(w.table().NumPuntiAttivi(), 0);
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(CalibrationDialogTest, TheOkButtonFollowsTheInstrumentAndGoesAfter19Readings)
{
    frmImpostaSensore w;
    w.show();
    w.optLivelloBenzina->click();
    calibrate(w, [&](dlgCalibrazione& d) {
        d.setInstrumentButtonsEnabled(false);
        EXPECT_FALSE(d.OKButton->isEnabled());
        d.setInstrumentButtonsEnabled(true);
        // Readings of a stand-in, so that 19 steps cost no line time.
        int raw = 100;
        d.setReading([&raw]() -> std::optional<double> { return raw += 10; });
        for (int i = 0; i < 19; ++i) {
            d.txtLitri->setText(QString::number(i));
            d.OKButton->click();
        }
        EXPECT_FALSE(d.OKButton->isVisible());
        EXPECT_EQ(d.intFaseCalibrazione(), 19);
        d.cmdFineProcedura->click();
    });
    EXPECT_EQ(w.table().NumPuntiAttivi(), 20);
    EXPECT_EQ(w.txtX[18]->text(), QStringLiteral("290"));
    EXPECT_EQ(w.txtX[19]->text(), QStringLiteral("1024"));
    EXPECT_EQ(w.txtY[19]->text(), QStringLiteral("18.0"));
}

} // namespace
} // namespace zuv::test
