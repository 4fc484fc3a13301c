// The sensor library editor on screen (offscreen): building, saving and
// loading a sensor, the checks of its boxes, and reading a curve from the
// instrument emulator over a pseudo-terminal.

#include "config/ui/curve_chart.h"
#include "config/ui/frmImpostaSensore.h"
#include "link/codec.h"
#include "link/commands.h"
#include "link/curve_codec.h"
#include "link/serial_comm.h"
#include "platform/textfile.h"
#include "project/name_tables.h"
#include "project/state.h"
#include "support/emulator_line.h"
#include "support/fixtures.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace zuv::test {
namespace {

class SensorEditorWindowTest : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        useNumberedTexts();
        CaricaTabelleCostanti();
    }
    void TearDown() override
    {
        line.detach();
        clearNameTables();
        ZuvTest::TearDown();
    }

    // The instrument on the only port; real bytes, fake waits.
    bool plugEmulator() { return line.attach(fakeClock); }

    // Types into a box as the user does, then moves the focus on.
    static void typeInto(frmImpostaSensore& w, int row, bool y, const QString& text)
    {
        QLineEdit* box = y ? w.txtY[row] : w.txtX[row];
        box->clear();
        QTest::keyClicks(box, text);
        y ? w.txtY_LostFocus(row) : w.txtX_LostFocus(row);
    }

    static void fillRow(frmImpostaSensore& w, int row, const QString& x, const QString& y)
    {
        w.Check1[row]->click();
        typeInto(w, row, false, x);
        typeInto(w, row, true, y);
    }

    EmulatorLine line;
    emu::Emulator& emulator = line.emulator;
};

TEST_F(SensorEditorWindowTest, OpensRegisteredWithTheFirstSlotAndType)
{
    CSensore a;
    a.setNome(QStringLiteral("Olio A"));
    a.setTipo(QStringLiteral("TemperaturaOlio"));
    a.setNumPunti(1);
    CSensore b = a;
    b.setNome(QStringLiteral("Acqua B"));
    b.setTipo(QStringLiteral("TemperaturaAcqua"));
    LibreriaSensori = {a, b};

    frmImpostaSensore w;
    w.show();
    EXPECT_EQ(StatoComunicazione.FormAttivo, &w);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("T78"));
    EXPECT_EQ(w.cboTipiSensore->count(), 9);
    EXPECT_EQ(w.cboTipiSensore->currentIndex(), 0);
    EXPECT_TRUE(w.optTemperaturaOlio->isChecked());
    EXPECT_EQ(w.TipoSensoreCorrente(), QStringLiteral("TemperaturaOlio"));
    EXPECT_EQ(w.lblY->text(), QStringLiteral("Y (°C)"));
    EXPECT_FALSE(w.cmdLeggiSensoreStrumento->isEnabled()); // no instrument yet
    EXPECT_FALSE(w.cmdCalibrazione->isVisible());
    EXPECT_EQ(w.cboListaSensori->count(), 1);
    EXPECT_EQ(w.cboListaSensori->currentIndex(), -1);
    EXPECT_EQ(w.optPressione->text(), QStringLiteral("T330"));

    // A slot picks its type and the read button, instrument or not.
    w.cboTipiSensore->setCurrentIndex(2);
    w.cboTipiSensore_Click();
    EXPECT_TRUE(w.optPressione->isChecked());
    EXPECT_EQ(w.lblY->text(), QStringLiteral("Y (bar)"));
    EXPECT_TRUE(w.cmdLeggiSensoreStrumento->isEnabled());
    w.cboTipiSensore->setCurrentIndex(5);
    w.cboTipiSensore_Click();
    EXPECT_TRUE(w.optAltro->isChecked());
    w.cboTipiSensore->setCurrentIndex(4);
    w.cboTipiSensore_Click();
    EXPECT_TRUE(w.cmdCalibrazione->isVisible());

    w.optTemperaturaAcqua->click();
    EXPECT_EQ(w.cboListaSensori->count(), 1);
    EXPECT_EQ(w.cboListaSensori->itemText(0), QStringLiteral("Acqua B"));
    EXPECT_FALSE(w.cmdCalibrazione->isVisible());

    // The poll's switch.
    w.setInstrumentButtonsEnabled(false);
    EXPECT_FALSE(w.cmdLeggiSensoreStrumento->isEnabled());
    EXPECT_FALSE(w.cmdCalibrazione->isEnabled());
    w.setInstrumentButtonsEnabled(true);
    EXPECT_TRUE(w.cmdCalibrazione->isEnabled());

    w.close();
    EXPECT_EQ(StatoComunicazione.FormAttivo, nullptr);
}

TEST_F(SensorEditorWindowTest, BuildSaveAndLoadASensor)
{
    frmImpostaSensore w;
    w.show();
    w.optPressione->click();
    w.cmdNuovoSensore->click();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("T177T178"));
    EXPECT_TRUE(w.Check1[0]->isEnabled());
    EXPECT_FALSE(w.txtX[0]->isEnabled());

    fillRow(w, 0, QStringLiteral("102"), QStringLiteral("0"));
    fillRow(w, 1, QStringLiteral("512"), QStringLiteral("5,25"));
    fillRow(w, 2, QStringLiteral("921"), QStringLiteral("10"));
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(w.table().NumPuntiAttivi(), 3);
    EXPECT_EQ(w.txtY[1]->text(), QStringLiteral("5.250"));
    EXPECT_TRUE(w.Check1[3]->isEnabled());
    EXPECT_FALSE(w.txtX[3]->isEnabled());
    // Each tick drew the rows as they were (the last one not yet typed);
    // the button draws them as typed.
    EXPECT_EQ(w.GraficoSensore->model().points().size(), 2u);
    w.cmdDisegnaCurva->click();
    EXPECT_EQ(w.GraficoSensore->model().points(),
              (std::vector<CurvePoint>{{102, 0}, {512, 5.25}, {921, 10}}));
    EXPECT_EQ(w.GraficoSensore->model().range(), (CurveRange{0, 921, 0, 10}));

    w.txtNomeNuovo->setText(QStringLiteral("Olio 10 bar"));
    w.cmdSalvaSensore->click();
    ASSERT_TRUE(msgs.shown.empty()) << msgs.shown[0].text.toStdString();

    QStringList lines = {"ZUVSensor", "Pressione", "Olio 10 bar", "20", "102", "512"};
    for (int i = 2; i < 20; ++i)
        lines << "921";
    lines << "0.000" << "5.250";
    for (int i = 2; i < 20; ++i)
        lines << "10.000";
    const QByteArray expected = textLines(lines);
    EXPECT_EQ(readFile(QStringLiteral("sensors/Olio 10 bar.sns")), expected);

    // Read again: the name box empty, the table cleared, the sensor listed.
    EXPECT_TRUE(w.txtNomeNuovo->text().isEmpty());
    EXPECT_EQ(w.table().NumPuntiAttivi(), 0);
    EXPECT_TRUE(w.txtX[0]->text().isEmpty());
    ASSERT_EQ(w.cboListaSensori->count(), 1);
    EXPECT_EQ(w.cboListaSensori->itemText(0), QStringLiteral("Olio 10 bar"));

    // Loading it gives all 20 stored rows; saving it again asks, then writes the same bytes.
    w.cboListaSensori->setCurrentIndex(0);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("T177Olio 10 bar"));
    EXPECT_EQ(w.txtNomeNuovo->text(), QStringLiteral("Olio 10 bar"));
    EXPECT_EQ(w.table().NumPuntiAttivi(), 20);
    EXPECT_EQ(w.txtX[1]->text(), QStringLiteral("512"));
    EXPECT_EQ(w.txtY[19]->text(), QStringLiteral("10.000"));
    EXPECT_EQ(w.GraficoSensore->model().points().size(), 20u);
    msgs.answers = {MsgAnswer::Ok};
    w.cmdSalvaSensore->click();
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].title, QStringLiteral("T133"));
    EXPECT_EQ(readFile(QStringLiteral("sensors/Olio 10 bar.sns")), expected);

    // The caption goes back at the next activation.
    w.Form_Activate();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("T78"));
}

TEST_F(SensorEditorWindowTest, ChartShowsEveryLabelAndEdgePointWholeAndNoEmptyRow)
{
    frmImpostaSensore w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.optSensoreG->click();
    // Points on every edge of the range, with long scale labels.
    fillRow(w, 0, QStringLiteral("-2500"), QStringLiteral("-3.5"));
    fillRow(w, 1, QStringLiteral("12000"), QStringLiteral("0.125"));
    fillRow(w, 2, QStringLiteral("32000"), QStringLiteral("4.75"));
    w.cmdDisegnaCurva->click();
    CurveChart& chart = *w.GraficoSensore;
    ASSERT_EQ(chart.model().points().size(), 3u);

    // A row just ticked is nothing to draw until it holds numbers.
    w.Check1[3]->click();
    EXPECT_EQ(chart.model().points().size(), 3u);
    for (const CurvePoint& p : chart.model().points())
        EXPECT_FALSE(p.x == 0 && p.y == 0);

    for (QSize size : {chart.size(), QSize(200, 140), QSize(640, 300)}) {
        SCOPED_TRACE(size.width());
        chart.resize(size);
        const CurveChart::Layout l = chart.layoutFor(chart.size(), chart.fontMetrics());
        ASSERT_TRUE(l.drawable);
        ASSERT_GE(l.labels.size(), 4u);
        const QRectF whole(QPointF(0, 0), QSizeF(chart.size()));
        for (const CurveChart::Label& label : l.labels) {
            EXPECT_TRUE(whole.contains(label.rect)) << label.text.toStdString();
            EXPECT_GE(label.rect.width(), chart.fontMetrics().horizontalAdvance(label.text)) << label.text.toStdString();
        }
        for (const CurvePoint& p : chart.model().points()) {
            const QPointF c = chart.model().toPixel(p, l.plot);
            const double r = CurveChart::kPointRadius + 1;
            EXPECT_TRUE(l.frame.adjusted(1, 1, -1, -1).contains(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r)))
                << p.x << "," << p.y;
        }
        // And the marks are really there, red on the rendered chart.
        const QImage shown = chart.grab().toImage();
        for (const CurvePoint& p : chart.model().points()) {
            const QPoint c = chart.model().toPixel(p, l.plot).toPoint();
            EXPECT_EQ(shown.pixelColor(c), QColor(255, 0, 0)) << p.x << "," << p.y;
        }
    }
}

TEST_F(SensorEditorWindowTest, AFailedSaveGivesTheSystemsReason)
{
    // A folder where the sensor file should go cannot be replaced by a file.
    writeFile(QStringLiteral("sensors/Bloccato.sns/inside"), "kept");
    frmImpostaSensore w;
    w.show();
    w.optAltro->click();
    fillRow(w, 0, QStringLiteral("10"), QStringLiteral("1"));
    w.txtNomeNuovo->setText(QStringLiteral("Bloccato"));
    w.cmdSalvaSensore->click();
    ASSERT_EQ(msgs.shown.size(), 1u);
    const QStringList lines = msgs.shown[0].text.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2) << msgs.shown[0].text.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("T328 ")) && lines[0].endsWith(QStringLiteral(" T329")));
    EXPECT_FALSE(lines[1].trimmed().isEmpty()) << "the system's own words";
    EXPECT_EQ(readFile(QStringLiteral("sensors/Bloccato.sns/inside")), QByteArray("kept"));
}

TEST_F(SensorEditorWindowTest, BoxChecksWhenTheFocusLeaves)
{
    frmImpostaSensore w;
    w.show();
    w.optPressione->click();
    w.Check1[0]->click();

    struct Case {
        bool y;
        const char* typed;
        const char* kept; // nullptr: refused with 262
    };
    const Case cases[] = {
        {false, "abc", nullptr}, {false, "40000", nullptr}, {false, "12.6", "12.6"}, {false, "1,5", "1.5"},
        {true, "1,5", "1.500"},  {true, "35", nullptr},     {true, "", nullptr},     {true, "-0.5", "-0.500"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        msgs.clear();
        QLineEdit* box = c.y ? w.txtY[0] : w.txtX[0];
        box->setText(QStringLiteral("9"));
        QTest::keyClick(box, Qt::Key_Backspace); // the user empties it...
        QTest::keyClicks(box, QString::fromLatin1(c.typed));
        c.y ? w.txtY_LostFocus(0) : w.txtX_LostFocus(0);
        if (c.kept) {
            EXPECT_TRUE(msgs.shown.empty());
            EXPECT_EQ(box->text(), QString::fromLatin1(c.kept));
        } else {
            ASSERT_EQ(msgs.shown.size(), 1u);
            EXPECT_EQ(msgs.shown[0].text, QStringLiteral("T262"));
            EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Exclamation);
            EXPECT_EQ(msgs.shown[0].title, w.windowTitle());
            EXPECT_EQ(msgs.shown[0].owner, &w) << "the window's own box";
            EXPECT_TRUE(box->text().isEmpty());
            EXPECT_TRUE(w.table().row(0).ticked);
        }
    }

    // X may not fall: the row is emptied and, being the last, unticked.
    msgs.clear();
    w.txtX[0]->setText(QString());
    typeInto(w, 0, false, QStringLiteral("100"));
    fillRow(w, 1, QStringLiteral("600"), QStringLiteral("1"));
    fillRow(w, 2, QStringLiteral("600"), QStringLiteral("2"));
    EXPECT_TRUE(msgs.shown.empty()); // equal passes
    w.Check1[3]->click();
    typeInto(w, 3, false, QStringLiteral("500"));
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text, QStringLiteral("Il valore di bit deve essere crescente"));
    EXPECT_TRUE(w.txtX[3]->text().isEmpty());
    EXPECT_EQ(w.table().NumPuntiAttivi(), 3);
    EXPECT_FALSE(w.Check1[3]->isChecked());

    // Inside the table the tick cannot go.
    w.Check1[1]->click();
    EXPECT_TRUE(w.Check1[1]->isChecked());
    EXPECT_EQ(w.table().NumPuntiAttivi(), 3);

    // No order for a fuel-level curve.
    msgs.clear();
    w.optLivelloBenzina->click();
    fillRow(w, 0, QStringLiteral("800"), QStringLiteral("0"));
    fillRow(w, 1, QStringLiteral("300"), QStringLiteral("20"));
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(w.txtY[1]->text(), QStringLiteral("20.0"));
}

TEST_F(SensorEditorWindowTest, ARealFocusChangeRunsTheCheckAndKeepsTheFocus)
{
    frmImpostaSensore w;
    w.show();
    QApplication::setActiveWindow(&w);
    if (!QTest::qWaitForWindowActive(&w))
        GTEST_SKIP() << "the platform gives no active window";
    w.Check1[0]->click();
    w.txtX[0]->setFocus();
    QTest::keyClicks(w.txtX[0], QStringLiteral("abc"));
    w.txtY[0]->setFocus();
    QCoreApplication::processEvents();
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text, QStringLiteral("T262"));
    EXPECT_TRUE(w.txtX[0]->text().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), w.txtX[0]);
}

TEST_F(SensorEditorWindowTest, ReadsTheSlotsCurveFromTheInstrument)
{
    if (!plugEmulator())
        GTEST_SKIP() << "no pseudo-terminal";
    CurveBuffer curve;
    for (int i = 0; i < 20; ++i) {
        curve.CurvaX[i] = 50 * i;
        curve.CurvaY[i] = 250 * i - 500; // fixed point, scale 1000
    }
    emulator.setCurve(2, encodeCurve(2, curve));
    StatoComunicazione.StrumentoPresente = true;

    frmImpostaSensore w;
    w.show();
    w.cboTipiSensore->setCurrentIndex(2);
    w.cboTipiSensore_Click();
    w.txtNomeNuovo->setText(QStringLiteral("kept"));
    w.cmdLeggiSensoreStrumento->click();

    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(w.table().NumPuntiAttivi(), 20);
    EXPECT_EQ(w.txtX[0]->text(), QStringLiteral("0"));
    EXPECT_EQ(w.txtX[19]->text(), QStringLiteral("950"));
    EXPECT_EQ(w.txtY[0]->text(), QStringLiteral("-0.500"));
    EXPECT_EQ(w.txtY[3]->text(), QStringLiteral("0.250"));
    EXPECT_EQ(w.txtY[19]->text(), QStringLiteral("4.250"));
    for (int i = 0; i < 20; ++i)
        EXPECT_TRUE(w.Check1[i]->isChecked() && w.txtY[i]->isEnabled()) << i;
    EXPECT_DOUBLE_EQ(CurvaSensore.CurvaY[3], 0.25);
    EXPECT_EQ(w.txtNomeNuovo->text(), QStringLiteral("kept"));
    EXPECT_EQ(w.GraficoSensore->model().points().size(), 20u);
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
    EXPECT_TRUE(surface.panelText[3].isEmpty());

    bool asked = false;
    for (const QByteArray& f : emulator.received())
        asked = asked || f == buildFrame(cmd::LeggiCurvaSensore, ByteInChr(2));
    EXPECT_TRUE(asked);

    // The read is the slot's even when another type was chosen since.
    w.optSensoreG->click();
    w.cmdLeggiSensoreStrumento->click();
    EXPECT_TRUE(w.optPressione->isChecked());
    EXPECT_EQ(w.txtY[3]->text(), QStringLiteral("0.250"));

    // A read that fails leaves the table empty and the shared curve as it was.
    emulator.setFault(emu::Fault::Silence, -1, cmd::LeggiCurvaSensore);
    CurvaSensore.CurvaY[3] = 777;
    w.cmdLeggiSensoreStrumento->click();
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text, QStringLiteral("T242"));
    EXPECT_EQ(w.table().NumPuntiAttivi(), 0);
    EXPECT_TRUE(w.txtX[0]->text().isEmpty());
    EXPECT_EQ(CurvaSensore.CurvaY[3], 777);
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
}

} // namespace
} // namespace zuv::test
