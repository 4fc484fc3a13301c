// The three configuration pages: load, OK and Cancel against DatiProgetto,
// their check box rules and number checks, and their Send and Read through
// the link to the instrument emulator, frame by frame.

#include "config/ui/editor_widgets.h"
#include "config/ui/frmAllarmi.h"
#include "config/ui/frmConfigurazione.h"
#include "config/ui/frmSensori.h"
#include "link/commands.h"
#include "link/link_guard.h"
#include "link/page_config.h"
#include "link/poll_exchange.h"
#include "link/serial_comm.h"
#include "platform/serialport.h"
#include "project/name_tables.h"
#include "project/project_record.h"
#include "project/state.h"
#include "shell/poll.h"
#include "support/emulator_line.h"
#include "support/fake_port.h"
#include "support/fixtures.h"
#include "support/link_probes.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <set>

// Readable failures: texts as text, not as arrays of characters.
static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace zuv::test {
namespace {

// The back colour the look gave a control.
QColor lookColour(const QWidget* w) { return w->palette().color(QPalette::Active, QPalette::Base); }

constexpr int kTexts = 400;

// --- bytes the instrument should see, built independently of the link -----

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

QByteArray zeros(int n) { return QByteArray(n, '\0'); }

QByteArray word(int v) { return bytes({(v >> 8) & 0xFF, v & 0xFF}); }

// "H", the command, the payload and the two hex digits of the byte sum.
QByteArray frame(int code, const QByteArray& payload)
{
    QByteArray f = bytes({'H', code}) + payload;
    int sum = 0;
    for (char c : f)
        sum += quint8(c);
    return f + QByteArray::number(sum & 0xFF, 16).toUpper().rightJustified(2, '0');
}

QByteArray curvePayload(int slot, const std::array<int, 20>& x, const std::array<int, 20>& y)
{
    QByteArray p = bytes({slot}) + word(20) + word(1) + word(0) + word(0) + word(0) + word(40) + word(2);
    for (int v : x)
        p += word(v);
    p += word(0);
    for (int v : y)
        p += word(v);
    return p;
}

QByteArray zeroCurve(int slot) { return curvePayload(slot, {}, {}); }

CSensore sensor(const char* name, const char* type, const std::array<double, 20>& x,
                const std::array<double, 20>& y)
{
    CSensore s;
    s.setNome(QString::fromUtf8(name));
    s.setTipo(QString::fromUtf8(type));
    s.setNumPunti(20);
    for (int i = 0; i < 20; ++i) {
        s.setX(i, x[i]);
        s.setY(i, y[i]);
    }
    return s;
}

class PagesTest : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        useTwoLanguageTexts(kTexts);
        CaricaTabelleCostanti();
        DatiProgetto = newProjectValues();
        StatoComunicazione.StrumentoPresente = true;
        setSerialPort(&port);
    }

    void TearDown() override
    {
        setSerialPort(nullptr);
        clearNameTables();
        ZuvTest::TearDown();
    }

    // The frames the instrument got, without the hello and the poll.
    std::vector<QByteArray> frames() const
    {
        std::vector<QByteArray> out;
        for (const QByteArray& f : port.engine.received)
            if (f.size() > 1 && f[1] != char(0x01) && f[1] != char(0x02))
                out.push_back(f);
        return out;
    }

    std::vector<QString> shownTexts() const
    {
        std::vector<QString> out;
        for (const ShownMessage& m : msgs.shown)
            out.push_back(m.text);
        return out;
    }

    static void showActive(QWidget& w)
    {
        w.show();
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }

    // Types into a box that has the focus, then leaves it with Tab.
    static void typeAndLeave(QLineEdit* box, const QString& text)
    {
        box->setFocus(Qt::OtherFocusReason);
        box->clear();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Tab);
        QApplication::processEvents();
    }

    template <typename T>
    static T* child(QWidget& w, const char* name)
    {
        T* c = w.findChild<T*>(QLatin1String(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }

    FakeSerialPort port;
};

// ============================================================================
// Configuration page
// ============================================================================

TEST_F(PagesTest, ConfigLoadsTheRecordAndOkWritesItBack)
{
    ProjectRecord& r = DatiProgetto;
    r.Lingua = 1;
    r.UMVel = 1;
    r.UMTemp = 1;
    r.UMPress = 1;
    r.PaginaAbilitata3 = true;
    r.chkAbilRecLap = true;
    r.mskAbilRecVel = 120;
    r.mskStopRecSecondi = 45;
    r.TempoMsgGiro = 7;
    r.TempoVisGiro = 3;
    r.Settore1 = 100;
    r.Settore5 = 32767;

    frmConfigurazione dlg;
    EXPECT_EQ(StatoComunicazione.FormAttivo, static_cast<ActivePage*>(&dlg));
    EXPECT_EQ(child<QComboBox>(dlg, "cboLingua")->currentText(), "English");
    EXPECT_EQ(child<QComboBox>(dlg, "cboUMVelocita")->currentText(), "mph");
    EXPECT_FALSE(child<QComboBox>(dlg, "cboUMPressione")->isEnabled());
    EXPECT_EQ(child<QLineEdit>(dlg, "txtAbilRecVel")->text(), "120");
    EXPECT_EQ(child<QLineEdit>(dlg, "txtSettoreCrono4")->text(), "32767");
    EXPECT_TRUE(child<QCheckBox>(dlg, "chkAbilRecLAP")->isChecked());
    EXPECT_TRUE(dlg.pageEnabled(3));

    child<QComboBox>(dlg, "cboLingua")->setCurrentIndex(0);
    child<QLineEdit>(dlg, "txtTempoMsgGiro")->setText("9");
    child<QLineEdit>(dlg, "txtSettoreCrono1")->setText("2500");
    child<QCheckBox>(dlg, "chkAbilRecLAP")->setChecked(false);
    dlg.cmdNextPage_Click();
    child<QCheckBox>(dlg, "chkAbilitaPagina")->setChecked(true); // page 2
    const ProjectRecord before = r;
    dlg.OKButton_Click();

    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(ProgettoModificato);
    ProjectRecord expected = before;
    expected.Lingua = 0;
    expected.TempoMsgGiro = 9;
    expected.Settore2 = 2500;
    expected.chkAbilRecLap = false;
    expected.PaginaAbilitata2 = true;
    EXPECT_EQ(r, expected);
    EXPECT_EQ(StatoComunicazione.FormAttivo, nullptr);
}

TEST_F(PagesTest, ConfigCancelKeepsTheRecord)
{
    const ProjectRecord before = DatiProgetto;
    frmConfigurazione dlg;
    child<QLineEdit>(dlg, "txtTempoVisGiro")->setText("5");
    child<QCheckBox>(dlg, "chkAbilitaPagina")->setChecked(true);
    dlg.CancelButton_Click();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(DatiProgetto, before);
    EXPECT_FALSE(ProgettoModificato);
    EXPECT_EQ(StatoComunicazione.FormAttivo, nullptr);
}

TEST_F(PagesTest, ConfigCaptionsFollowTheLanguage)
{
    for (int lang : {0, 1}) {
        TabellaLingua.IndiceLingua = lang;
        frmConfigurazione dlg;
        const QString p = lang == 0 ? "it " : "en ";
        EXPECT_EQ(dlg.windowTitle(), p + "24");
        EXPECT_EQ(child<QPushButton>(dlg, "cmdInviaDati")->text(), p + "182");
        EXPECT_EQ(child<QPushButton>(dlg, "CancelButton")->text(), p + "35");
        EXPECT_EQ(child<QPushButton>(dlg, "OKButton")->text(), "OK");
    }
}

TEST_F(PagesTest, ConfigPageBrowserStates)
{
    frmConfigurazione dlg;
    showActive(dlg);
    auto* prev = child<QPushButton>(dlg, "cmdPrevPage");
    auto* next = child<QPushButton>(dlg, "cmdNextPage");
    auto* file = child<QLineEdit>(dlg, "txtFilePagina");
    auto* img = child<QLabel>(dlg, "imgPagina");
    EXPECT_EQ(child<QLabel>(dlg, "lblCurrPagina")->text(), " 1/ 9");
    for (int page = 1; page <= 9; ++page) {
        SCOPED_TRACE(page);
        EXPECT_EQ(dlg.PaginaCorrente(), page);
        EXPECT_EQ(prev->isEnabled(), page > 1);
        EXPECT_EQ(next->isEnabled(), page < 9);
        EXPECT_EQ(file->isVisible(), page == 1 || page == 9);
        EXPECT_EQ(img->size(), QSize(128, 64)); // no page enabled in a new project
        dlg.cmdNextPage_Click();
    }
    // Ticking the page shown enlarges its picture at once; OK stores the flag.
    child<QCheckBox>(dlg, "chkAbilitaPagina")->click();
    EXPECT_EQ(img->size(), QSize(316, 158));
    EXPECT_TRUE(dlg.pageEnabled(9));
    dlg.OKButton_Click();
    EXPECT_TRUE(DatiProgetto.PaginaAbilitata9);
}

TEST_F(PagesTest, ConfigOutOfRangeStoredValuesShowNothingSelected)
{
    DatiProgetto.Lingua = 5;
    DatiProgetto.MaxPagine = 40;
    frmConfigurazione dlg;
    EXPECT_EQ(child<QComboBox>(dlg, "cboLingua")->currentIndex(), -1);
    EXPECT_EQ(dlg.NumPagine(), 9);
    dlg.OKButton_Click();
    EXPECT_EQ(DatiProgetto.Lingua, 0);
    EXPECT_EQ(DatiProgetto.MaxPagine, 40); // not this window's to change
}

TEST_F(PagesTest, ConfigCustomBitmapsOfTheFirstAndLastPage)
{
    QImage red(128, 64, QImage::Format_RGB32);
    red.fill(Qt::red);
    const QString bmp = path("page9.bmp");
    ASSERT_TRUE(red.save(bmp, "BMP"));
    writeFile("broken.bmp", "not a picture");

    DatiProgetto.Pagina1 = " ";
    {
        frmConfigurazione dlg;
        EXPECT_EQ(child<QLineEdit>(dlg, "txtFilePagina")->text(), " ");
        EXPECT_EQ(dlg.picture(1).toImage(), frmConfigurazione::builtInPicture(1).toImage());
        for (int i = 1; i < 9; ++i)
            dlg.cmdNextPage_Click();
        // A file that is no picture changes nothing.
        fileDialogs.answers.push_back(path("broken.bmp"));
        dlg.cmdScegliImmagine_Click();
        EXPECT_EQ(DatiProgetto.Pagina9, "");
        fileDialogs.answers.push_back(bmp);
        dlg.cmdScegliImmagine_Click();
        EXPECT_EQ(fileDialogs.asked.back().filter, "Display Page File (*.bmp)");
        EXPECT_EQ(fileDialogs.asked.back().folder, dir.path());
        EXPECT_EQ(dlg.picture(9).toImage().pixelColor(5, 5), QColor(Qt::red));
        dlg.CancelButton_Click();
    }
    // The chooser stores the path at once and marks the project changed.
    EXPECT_EQ(DatiProgetto.Pagina9, bmp);
    EXPECT_TRUE(ProgettoModificato);
    frmConfigurazione again;
    EXPECT_EQ(again.picture(9).toImage().pixelColor(5, 5), QColor(Qt::red));
    for (int i = 1; i < 9; ++i)
        again.cmdNextPage_Click();
    EXPECT_EQ(child<QLineEdit>(again, "txtFilePagina")->text(), bmp);
}

TEST_F(PagesTest, ConfigRefusedValueKeepsTheFocusAndOkStoresNothing)
{
    frmConfigurazione dlg;
    showActive(dlg);
    auto* stop = child<QLineEdit>(dlg, "txtStopRecSecondi");
    // Typing stops at the box's two characters.
    typeAndLeave(stop, "123");
    EXPECT_EQ(stop->text(), "12");
    EXPECT_TRUE(msgs.shown.empty());

    typeAndLeave(stop, "-5");
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text, "it 262");
    EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(msgs.shown[0].title, "it 24");
    EXPECT_EQ(msgs.shown[0].owner, &dlg) << "the window's own box";
    EXPECT_EQ(stop->text(), "");
    EXPECT_EQ(QApplication::focusWidget(), stop);

    // A value the program put in whole (a read of 255) is refused at OK.
    msgs.clear();
    dlg.setText(ConfigText::txtStopRecSecondi, "255");
    EXPECT_EQ(stop->text(), "255");
    const ProjectRecord before = DatiProgetto;
    dlg.OKButton_Click();
    EXPECT_EQ(shownTexts(), std::vector<QString>{"it 262"});
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(DatiProgetto, before);
    EXPECT_FALSE(ProgettoModificato);
    // The box was emptied and refuses again until it holds a number.
    stop->setText("30");
    child<QLineEdit>(dlg, "txtSettoreCrono2")->setText("40000");
    dlg.OKButton_Click();
    EXPECT_EQ(DatiProgetto, before);
    EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(dlg, "txtSettoreCrono2"));
}

TEST_F(PagesTest, ConfigClickingOkOrCancelFromABadBox)
{
    frmConfigurazione dlg;
    showActive(dlg);
    auto* msg = child<QLineEdit>(dlg, "txtTempoMsgGiro");
    msg->setFocus();
    QTest::keyClicks(msg, "x");
    const ProjectRecord before = DatiProgetto;
    // OK checks every box itself: one message, not one for leaving as well,
    // even when the window system runs events between press and release.
    auto* ok = child<QPushButton>(dlg, "OKButton");
    QTest::mousePress(ok, Qt::LeftButton);
    QApplication::processEvents();
    QTest::mouseRelease(ok, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(shownTexts(), std::vector<QString>{"it 262"});
    EXPECT_EQ(QApplication::focusWidget(), msg);
    EXPECT_EQ(DatiProgetto, before);
    // Cancel just closes.
    msgs.clear();
    QTest::keyClicks(msg, "y");
    auto* cancel = child<QPushButton>(dlg, "CancelButton");
    QTest::mousePress(cancel, Qt::LeftButton);
    QApplication::processEvents();
    QTest::mouseRelease(cancel, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(DatiProgetto, before);
}

TEST_F(PagesTest, ConfigSendPutsTheScreenOnTheLineByteForByte)
{
    DatiProgetto.UMPress = 1;
    for (bool ProjectRecord::*p : {&ProjectRecord::PaginaAbilitata2, &ProjectRecord::PaginaAbilitata3,
                                   &ProjectRecord::PaginaAbilitata4, &ProjectRecord::PaginaAbilitata5,
                                   &ProjectRecord::PaginaAbilitata6, &ProjectRecord::PaginaAbilitata7,
                                   &ProjectRecord::PaginaAbilitata8, &ProjectRecord::PaginaAbilitata9})
        DatiProgetto.*p = true;
    frmConfigurazione dlg;
    child<QComboBox>(dlg, "cboLingua")->setCurrentIndex(1);
    child<QComboBox>(dlg, "cboUMVelocita")->setCurrentIndex(1);
    child<QCheckBox>(dlg, "chkAbilRecLAP")->setChecked(true);
    child<QLineEdit>(dlg, "txtStopRecSecondi")->setText("30");
    child<QLineEdit>(dlg, "txtAbilRecVel")->setText("50");
    child<QLineEdit>(dlg, "txtTempoMsgGiro")->setText("5");
    child<QLineEdit>(dlg, "txtTempoVisGiro")->setText("10");
    child<QLineEdit>(dlg, "txtSettoreCrono0")->setText("1200");
    child<QLineEdit>(dlg, "txtSettoreCrono1")->setText("2500");
    child<QLineEdit>(dlg, "txtSettoreCrono2")->setText("30000");
    const ProjectRecord before = DatiProgetto;

    std::vector<std::pair<int, QString>> duringWrites;
    port.onWrite = [&](const QByteArray&) {
        duringWrites.emplace_back(StatoComunicazione.ComandoInCorso, surface.panelText[3]);
    };
    msgs.answers.push_back(MsgAnswer::Ok);
    dlg.cmdInviaDati_Click();

    const QByteArray page1 = frame(0x12, bytes({1, 1, 0, 1, 0x00, 0xFF, 1, 30, 0x00, 50}) + zeros(16));
    EXPECT_EQ(page1.right(2), "AD");
    const QByteArray page2 =
        frame(0x1C, bytes({5, 10}) + word(1200) + word(2500) + word(30000) + zeros(4) + zeros(10));
    EXPECT_EQ(frames(), (std::vector<QByteArray>{page1, page2}));
    ASSERT_FALSE(duringWrites.empty());
    for (const auto& [code, panel] : duringWrites) {
        EXPECT_EQ(code, 0x12);
        EXPECT_EQ(panel, "it 146");
    }
    ASSERT_EQ(msgs.shown.size(), 2u);
    EXPECT_EQ(msgs.shown[0].text, "it 147\r\nit 148");
    EXPECT_EQ(msgs.shown[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(msgs.shown[0].title, "it 226");
    EXPECT_EQ(msgs.shown[1].text, "it 218");
    EXPECT_EQ(msgs.shown[1].icon, MsgIcon::Information);
    EXPECT_EQ(msgs.shown[1].title, appTitle());
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
    EXPECT_EQ(surface.panelText[3], "");
    EXPECT_EQ(DatiProgetto, before);
    EXPECT_TRUE(child<QPushButton>(dlg, "OKButton")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(dlg, "cmdInviaDati")->isEnabled());
}

TEST_F(PagesTest, ConfigSendEndsAsACommunicationErrorWhenAnythingFails)
{
    struct Case {
        const char* what;
        std::function<void(FakeSerialPort&)> fault;
        std::vector<QString> texts;
        std::size_t frames;
    } cases[] = {
        // No instrument: nothing exchanged is no success.
        {"no connection", [](FakeSerialPort& p) { p.portCount = 0; }, {"it 147\r\nit 148", "it 230"}, 0},
        // The second page goes whatever the first gave.
        {"page 1", [](FakeSerialPort& p) { p.engine.setFault(emu::Fault::Silence, 1, 0x12); },
         {"it 147\r\nit 148", "it 242", "it 230"}, 2},
        {"page 2", [](FakeSerialPort& p) { p.engine.setFault(emu::Fault::Silence, 1, 0x1C); },
         {"it 147\r\nit 148", "it 242", "it 230"}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ChiudiPorta();
        port.engine = emu::Engine();
        port.portCount = kMaxPorts;
        msgs.clear();
        c.fault(port);
        frmConfigurazione dlg;
        msgs.answers.push_back(MsgAnswer::Ok);
        dlg.cmdInviaDati_Click();
        EXPECT_EQ(shownTexts(), c.texts);
        EXPECT_EQ(frames().size(), c.frames);
        EXPECT_TRUE(StatoComunicazione.ErroreComunicazione);
        EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
    }
}

TEST_F(PagesTest, ConfigSendAskedAndCancelledSendsNothing)
{
    frmConfigurazione dlg;
    msgs.answers.push_back(MsgAnswer::Cancel);
    dlg.cmdInviaDati_Click();
    EXPECT_TRUE(frames().empty());
    EXPECT_EQ(msgs.shown.size(), 1u);
}

TEST_F(PagesTest, ConfigReadPutsTheInstrumentsPagesOnScreenOnly)
{
    // Language byte 5 is no item of the list; pages 2 and 4 on.
    port.engine.pages[0x12] = bytes({5, 0, 1, 0, 0x00, 0x05, 1, 45, 0x00, 120}) + zeros(16);
    port.engine.pages[0x1C] = bytes({7, 3}) + word(100) + word(200) + word(300) + word(400) + word(500) + zeros(10);
    frmConfigurazione dlg;
    dlg.cmdNextPage_Click(); // page 2 on show
    const ProjectRecord before = DatiProgetto;
    msgs.answers.push_back(MsgAnswer::Ok);
    dlg.cmdLeggiDati_Click();

    EXPECT_EQ(frames(), (std::vector<QByteArray>{frame(0x13, {}), frame(0x1D, {})}));
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text, "it 232\r\nit 148");
    EXPECT_EQ(msgs.shown[0].title, "it 234");
    EXPECT_EQ(child<QComboBox>(dlg, "cboLingua")->currentIndex(), -1);
    EXPECT_EQ(child<QComboBox>(dlg, "cboUMTemperatura")->currentIndex(), 1);
    EXPECT_TRUE(child<QCheckBox>(dlg, "chkAbilRecLAP")->isChecked());
    EXPECT_EQ(child<QLineEdit>(dlg, "txtStopRecSecondi")->text(), "45");
    EXPECT_EQ(child<QLineEdit>(dlg, "txtAbilRecVel")->text(), "120");
    EXPECT_EQ(child<QLineEdit>(dlg, "txtTempoMsgGiro")->text(), "7");
    EXPECT_EQ(child<QLineEdit>(dlg, "txtSettoreCrono4")->text(), "500");
    // The page on show follows what was read.
    EXPECT_TRUE(child<QCheckBox>(dlg, "chkAbilitaPagina")->isChecked());
    EXPECT_TRUE(dlg.pageEnabled(4));
    EXPECT_FALSE(dlg.pageEnabled(3));
    EXPECT_EQ(DatiProgetto, before);
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);

    // Read then Cancel: the values go with the window.
    dlg.CancelButton_Click();
    EXPECT_EQ(DatiProgetto, before);
}

TEST_F(PagesTest, ConfigReadThatFailsSaysSo)
{
    port.portCount = 0;
    frmConfigurazione dlg;
    msgs.answers.push_back(MsgAnswer::Ok);
    dlg.cmdLeggiDati_Click();
    EXPECT_EQ(shownTexts(), (std::vector<QString>{"it 232\r\nit 148", "it 230"}));
}

// ============================================================================
// Sensors page
// ============================================================================

class SensorsPageTest : public PagesTest {
protected:
    void SetUp() override
    {
        PagesTest::SetUp();
        std::array<double, 20> x{}, yOil{}, yP1{}, yP2{}, yG{};
        for (int i = 0; i < 20; ++i) {
            x[i] = i * 50;
            yOil[i] = i * 7.5;
            yP1[i] = i * 0.125;
            yP2[i] = i * 0.25;
            yG[i] = (i - 10) * 0.25;
        }
        LibreriaSensori = {sensor("Oil 150", "TemperaturaOlio", x, yOil), sensor("P1", "Pressione", x, yP1),
                           sensor("P2", "Pressione", x, yP2), sensor("G2", "SensoreG", x, yG)};
    }
};

TEST_F(SensorsPageTest, NewProjectOpensWithEveryChannelOff)
{
    StatoComunicazione.StrumentoPresente = false;
    frmSensori dlg;
    EXPECT_EQ(dlg.windowTitle(), "it 49");
    EXPECT_EQ(child<QTabWidget>(dlg, "SSTab1")->currentIndex(), 0);
    for (int slot = 0; slot < 9; ++slot) {
        SCOPED_TRACE(slot);
        const frmSensori::Channel& c = dlg.channel(slot);
        EXPECT_FALSE(c.chkAbil->isChecked());
        for (QWidget* w : {static_cast<QWidget*>(c.sensor), static_cast<QWidget*>(c.rate),
                           static_cast<QWidget*>(c.chann)}) {
            if (!w)
                continue;
            EXPECT_FALSE(w->isEnabled());
            EXPECT_EQ(lookColour(w), kInactiveColour);
        }
    }
    EXPECT_EQ(child<QLineEdit>(dlg, "txtNumAccRPM")->text(), "1");
    EXPECT_EQ(child<QLineEdit>(dlg, "txtImpulsiRuota")->text(), "1");
    EXPECT_EQ(child<QLineEdit>(dlg, "txtDiametroRuota")->text(), "1");
    EXPECT_EQ(child<QComboBox>(dlg, "cboLAPO")->currentIndex(), 0);
    EXPECT_EQ(child<QComboBox>(dlg, "cboChannSG")->currentText(), "AN 2");
    EXPECT_EQ(child<QComboBox>(dlg, "cboChannSensoreLambda")->currentText(), "AN 2");
    EXPECT_EQ(child<QComboBox>(dlg, "cboChannCambio")->currentText(), "AN 1");
    EXPECT_EQ(child<QComboBox>(dlg, "cboChannPT")->currentText(), "AN 1");
    EXPECT_FALSE(child<QPushButton>(dlg, "cmdInviaDati")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(dlg, "cmdLeggiDati")->isEnabled());
    // Sensor lists offer the library sensors of the channel's type.
    EXPECT_EQ(dlg.channel(1).sensor->count(), 2);
    EXPECT_EQ(dlg.channel(2).sensor->itemText(1), "P2");
    EXPECT_EQ(dlg.channel(5).sensor->count(), 0);
}

TEST_F(SensorsPageTest, CheckBoxRuleSwitchesTheChannelsControls)
{
    frmSensori dlg;
    const frmSensori::Channel& g = dlg.channel(8);
    // A click, and the codec setting the box, run the same rule; the
    // sampling rate comes along, so a channel ticked here can be given one.
    g.chkAbil->click();
    for (QWidget* w : {static_cast<QWidget*>(g.sensor), static_cast<QWidget*>(g.rate),
                       static_cast<QWidget*>(g.chann)}) {
        EXPECT_TRUE(w->isEnabled());
        EXPECT_EQ(lookColour(w), kActiveColour);
    }
    dlg.setCheck(SensorsCheck::chkAbilSG, Qt::Unchecked);
    EXPECT_FALSE(g.chann->isEnabled());
    EXPECT_EQ(lookColour(g.rate), kInactiveColour);
    dlg.setCheck(SensorsCheck::chkAbilPB, Qt::Checked);
    EXPECT_TRUE(dlg.channel(2).sensor->isEnabled());
    EXPECT_EQ(dlg.check(SensorsCheck::chkAbilPB), Qt::Checked);
}

TEST_F(SensorsPageTest, OkWritesEveryFieldAndCancelNone)
{
    ProjectRecord& r = DatiProgetto;
    r.TemperaturaOlio = "Gone";  // not in the library: shown and kept
    r.AbilTO = true;
    r.TCampTO = "10 Hz";
    r.PressioneBenzina = "P2";
    r.LAAL = 2;
    r.ChannPT = 0;
    {
        frmSensori dlg;
        EXPECT_EQ(dlg.channel(0).sensor->currentText(), "Gone");
        EXPECT_EQ(dlg.channel(0).rate->currentText(), "10 Hz");
        EXPECT_EQ(dlg.channel(2).sensor->currentText(), "P2");
        dlg.channel(1).chkAbil->setChecked(true);
        dlg.channel(1).sensor->setCurrentIndex(0);
        dlg.channel(1).rate->setCurrentIndex(2);
        dlg.CancelButton_Click();
    }
    EXPECT_EQ(DatiProgetto.AbilPO, false);
    EXPECT_FALSE(ProgettoModificato);

    frmSensori dlg;
    dlg.channel(1).chkAbil->setChecked(true);
    dlg.channel(1).sensor->setCurrentIndex(0);
    dlg.channel(1).rate->setCurrentIndex(2);
    dlg.channel(8).chkAbil->setChecked(true);
    dlg.channel(8).sensor->setEditText("G2");
    dlg.channel(8).chann->setCurrentIndex(0);
    child<QLineEdit>(dlg, "txtDiametroRuota")->setText("620");
    child<QComboBox>(dlg, "cboTCampVV")->setEditText("20 Hz");
    const ProjectRecord before = r;
    dlg.OKButton_Click();
    ASSERT_EQ(dlg.result(), QDialog::Accepted) << (msgs.shown.empty() ? "" : msgs.shown[0].text.toStdString());
    ProjectRecord expected = before;
    expected.AbilPO = true;
    expected.PressioneOlio = "P1";
    expected.TCampPO = "20 Hz";
    expected.AbilSG = true;
    expected.SensoreG = "G2";
    expected.ChannSG = 0;
    expected.DiametroRuota = 620;
    expected.TCampVV = "20 Hz";
    EXPECT_EQ(r, expected);
    EXPECT_TRUE(ProgettoModificato);
}

TEST_F(SensorsPageTest, OkRefusesMissingSensorsAndSharedInputsBeforeWritingAnything)
{
    struct Case {
        const char* what;
        std::function<void(frmSensori&)> edit;
        const char* text;
    } cases[] = {
        {"oil temperature without sensor", [](frmSensori& d) { d.channel(0).chkAbil->setChecked(true); }, "it 166"},
        // Water temperature is checked before fuel pressure.
        {"two missing",
         [](frmSensori& d) {
             d.channel(2).chkAbil->setChecked(true);
             d.channel(3).chkAbil->setChecked(true);
         },
         "it 168"},
        {"a blank name", [](frmSensori& d) {
             d.channel(6).chkAbil->setChecked(true);
             d.channel(6).sensor->setEditText("  ");
         }, "it 304"},
        {"G and lambda on AN 1",
         [](frmSensori& d) {
             for (int slot : {6, 8}) {
                 d.channel(slot).chkAbil->setChecked(true);
                 d.channel(slot).sensor->setEditText("Any");
                 d.channel(slot).chann->setCurrentIndex(0);
             }
             d.channel(2).rate->setEditText("changed"); // must not reach the record
         },
         "it 305"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        msgs.clear();
        const ProjectRecord before = DatiProgetto;
        frmSensori dlg;
        c.edit(dlg);
        dlg.OKButton_Click();
        ASSERT_EQ(msgs.shown.size(), 1u);
        EXPECT_EQ(msgs.shown[0].text, c.text);
        EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(msgs.shown[0].title, "it 49");
        EXPECT_NE(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(DatiProgetto, before);
        EXPECT_FALSE(ProgettoModificato);
    }
    // The gear may share an input with the G sensor.
    frmSensori dlg;
    for (int slot : {5, 8}) {
        dlg.channel(slot).chkAbil->setChecked(true);
        dlg.channel(slot).sensor->setEditText("Any");
        dlg.channel(slot).chann->setCurrentIndex(1);
    }
    dlg.OKButton_Click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
}

TEST_F(SensorsPageTest, NumberBoxesOnLeavingAndAtOk)
{
    frmSensori dlg;
    showActive(dlg);
    auto* pulses = child<QLineEdit>(dlg, "txtImpulsiRuota");
    typeAndLeave(pulses, "0");
    EXPECT_EQ(pulses->text(), "1");
    typeAndLeave(pulses, "42");
    EXPECT_EQ(pulses->text(), "42");
    EXPECT_TRUE(msgs.shown.empty());
    for (const char* bad : {"500", "-5", "40000", "abc", ""}) {
        SCOPED_TRACE(bad);
        msgs.clear();
        typeAndLeave(pulses, bad);
        EXPECT_EQ(shownTexts(), std::vector<QString>{"it 262"});
        EXPECT_EQ(pulses->text(), "");
        EXPECT_EQ(QApplication::focusWidget(), pulses);
    }
    // OK pressed with the focus still in an emptied box (Enter) refuses it.
    msgs.clear();
    const ProjectRecord before = DatiProgetto;
    QTest::keyClick(pulses, Qt::Key_Return);
    EXPECT_EQ(shownTexts(), std::vector<QString>{"it 262"});
    EXPECT_EQ(DatiProgetto, before);
    EXPECT_TRUE(dlg.isVisible());
}

TEST_F(SensorsPageTest, ABoxRefusedAtOkOnAHiddenTabIsShownWithTheFocus)
{
    frmSensori dlg;
    showActive(dlg);
    auto* tabs = child<QTabWidget>(dlg, "SSTab1");
    auto* pulses = child<QLineEdit>(dlg, "txtImpulsiRuota");
    pulses->setText("abc");
    tabs->setCurrentIndex(1);
    const ProjectRecord before = DatiProgetto;
    child<QPushButton>(dlg, "OKButton")->click();
    EXPECT_EQ(shownTexts(), std::vector<QString>{"it 262"});
    EXPECT_EQ(DatiProgetto, before);
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(QApplication::focusWidget(), pulses);
}

TEST_F(SensorsPageTest, SendProgramsThePageAndNineCurvesByteForByte)
{
    frmSensori dlg;
    dlg.channel(8).chkAbil->setChecked(true);
    dlg.channel(8).sensor->setCurrentIndex(0); // G2
    dlg.channel(8).chann->setCurrentIndex(0);
    dlg.channel(7).chann->setCurrentIndex(0); // turbo off: no clash
    std::vector<QString> panels;
    port.onWrite = [&](const QByteArray& f) {
        if (f[1] == char(0x01))
            return; // the hello of the first connection
        EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0x16);
        EXPECT_FALSE(child<QPushButton>(dlg, "OKButton")->isEnabled());
        EXPECT_FALSE(child<QPushButton>(dlg, "cmdLeggiDati")->isEnabled());
        EXPECT_TRUE(dlg.channel(8).sensor->isEnabled()); // the page stays as it was
        panels.push_back(surface.panelText[3]);
    };
    msgs.answers.push_back(MsgAnswer::Ok);
    dlg.cmdInviaDati_Click();

    std::vector<QByteArray> expected;
    const QByteArray page = frame(0x16, bytes({1, 1, 0, 1, 0, 0}) + bytes({0, 0, 0, 0, 0, 0, 1, 0})
                                            + bytes({1, 1, 2, 1, 0}) + zeros(15));
    expected.push_back(page);
    std::array<int, 20> gx{}, gy{};
    for (int i = 0; i < 20; ++i) {
        gx[i] = i * 50;
        gy[i] = (i - 10) * 250;
    }
    for (int slot = 0; slot < 9; ++slot)
        expected.push_back(frame(0x18, slot == 8 ? curvePayload(8, gx, gy) : zeroCurve(slot)));
    EXPECT_EQ(frames(), expected);
    EXPECT_EQ(expected[1].right(2), "9F");
    EXPECT_EQ(panels, (std::vector<QString>{"it 150", "it 151", "it 152", "it 153", "it 154", "it 155", "it 156",
                                            "it 322", "it 331", "it 332"}));
    ASSERT_EQ(msgs.shown.size(), 2u);
    EXPECT_EQ(msgs.shown[0].text, "it 147\r\nit 148");
    EXPECT_EQ(msgs.shown[0].title, "it 149");
    EXPECT_EQ(msgs.shown[1].text, "it 157");
    EXPECT_EQ(msgs.shown[1].icon, MsgIcon::Information);
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
    EXPECT_TRUE(child<QPushButton>(dlg, "OKButton")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(dlg, "cmdLeggiDati")->isEnabled());
    EXPECT_TRUE(dlg.channel(8).sensor->isEnabled());
    EXPECT_FALSE(dlg.channel(0).sensor->isEnabled());
    EXPECT_EQ(DatiProgetto, newProjectValues());
}

TEST_F(SensorsPageTest, WhatTheChecksPassedIsWhatGoesOutWhateverChangesDuringTheSend)
{
    frmSensori dlg;
    dlg.channel(8).chkAbil->setChecked(true);
    dlg.channel(8).sensor->setCurrentIndex(0); // G2
    dlg.channel(8).chann->setCurrentIndex(0);
    dlg.channel(7).chann->setCurrentIndex(0);
    // Once the page has gone out the user renames the G sensor and ticks oil
    // temperature.
    port.onWrite = [&](const QByteArray& f) {
        if (f[1] == char(0x16)) {
            dlg.channel(8).sensor->setEditText("Gone");
            dlg.channel(0).chkAbil->setChecked(true);
        }
    };
    msgs.answers.push_back(MsgAnswer::Ok);
    dlg.cmdInviaDati_Click();
    std::array<int, 20> gx{}, gy{};
    for (int i = 0; i < 20; ++i) {
        gx[i] = i * 50;
        gy[i] = (i - 10) * 250;
    }
    const std::vector<QByteArray> sent = frames();
    ASSERT_EQ(sent.size(), 10u);
    EXPECT_EQ(sent[1], frame(0x18, zeroCurve(0)));
    EXPECT_EQ(sent[9], frame(0x18, curvePayload(8, gx, gy)));
    EXPECT_EQ(shownTexts(), (std::vector<QString>{"it 147\r\nit 148", "it 157"}));
}

TEST_F(SensorsPageTest, SendRefusesBeforeAskingAndSendsNothing)
{
    struct Case {
        const char* what;
        std::function<void(frmSensori&)> edit;
        const char* text;
    } cases[] = {
        {"no sensor", [](frmSensori& d) { d.channel(4).chkAbil->setChecked(true); }, "it 170"},
        // The stale curve of another channel would go out in its place.
        {"not in the library",
         [](frmSensori& d) {
             d.channel(0).chkAbil->setChecked(true);
             d.channel(0).sensor->setEditText("Gone");
         },
         "it 166"},
        {"G and turbo on one input",
         [](frmSensori& d) {
             for (int slot : {7, 8}) {
                 d.channel(slot).chkAbil->setChecked(true);
                 d.channel(slot).sensor->setEditText("G2");
                 d.channel(slot).chann->setCurrentIndex(1);
             }
         },
         "it 305"},
        {"a number out of range",
         [](frmSensori& d) { d.findChild<QLineEdit*>("txtNumAccRPM")->setText("300"); }, "it 262"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        msgs.clear();
        frmSensori dlg;
        c.edit(dlg);
        dlg.cmdInviaDati_Click();
        EXPECT_EQ(shownTexts(), std::vector<QString>{c.text});
        EXPECT_TRUE(frames().empty());
    }
}

TEST_F(SensorsPageTest, ClosingTheWindowDuringASendBreaksItOff)
{
    frmSensori dlg;
    dlg.show();
    // The user closes the page while slot 3's curve is on its way.
    fakeClock.onYield = [&] {
        if (surface.panelText[3] == "it 154" && dlg.isVisible())
            dlg.CancelButton_Click();
    };
    msgs.answers.push_back(MsgAnswer::Ok);
    dlg.cmdInviaDati_Click();
    fakeClock.onYield = nullptr;
    const std::vector<QByteArray> sent = frames();
    ASSERT_EQ(sent.size(), 5u); // the page and slots 0 to 3
    EXPECT_EQ(sent.back(), frame(0x18, zeroCurve(3)));
    EXPECT_EQ(shownTexts(), (std::vector<QString>{"it 147\r\nit 148", "it 229"}));
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
    // Registered until the run ended, then released.
    EXPECT_EQ(StatoComunicazione.FormAttivo, nullptr);
}

TEST_F(SensorsPageTest, FailedCurveEndsTheSendWithTheErrorOnly)
{
    port.engine.setFault(emu::Fault::Silence, 1, 0x18);
    frmSensori dlg;
    msgs.answers.push_back(MsgAnswer::Ok);
    dlg.cmdInviaDati_Click();
    EXPECT_EQ(frames().size(), 2u); // the page and slot 0
    EXPECT_EQ(shownTexts(), (std::vector<QString>{"it 147\r\nit 148", "it 242", "it 230"}));
    EXPECT_TRUE(child<QPushButton>(dlg, "OKButton")->isEnabled());
}

TEST_F(SensorsPageTest, ReadFillsThePageAndNamesTheSensorsOfTheCurves)
{
    // Oil and fuel pressure on, G on AN 1; enable byte order TO PO PB TA LB Cambio SG Lambda.
    port.engine.pages[0x16] = bytes({4, 20}) + word(650) + bytes({2, 1}) + bytes({0, 1, 1, 0, 0, 0, 1, 0})
        + bytes({1, 1, 2, 0, 0}) + zeros(15);
    std::array<int, 20> x{}, y1{}, yOther{};
    for (int i = 0; i < 20; ++i) {
        x[i] = i * 50;
        y1[i] = i * 125; // P1 in thousandths
        yOther[i] = i * 3;
    }
    port.engine.curve[1] = curvePayload(1, x, y1);
    port.engine.curve[2] = curvePayload(2, x, yOther);
    DatiProgetto.PressioneBenzina = "P2";
    frmSensori dlg;
    std::vector<QString> panels;
    port.onWrite = [&](const QByteArray& f) {
        if (f[1] != char(0x01))
            panels.push_back(surface.panelText[3]);
    };
    msgs.answers.push_back(MsgAnswer::Ok);
    dlg.cmdLeggiDati_Click();

    std::vector<QByteArray> expected{frame(0x17, {})};
    for (int slot = 0; slot < 9; ++slot)
        expected.push_back(frame(0x19, bytes({slot})));
    EXPECT_EQ(frames(), expected);
    EXPECT_EQ(panels, (std::vector<QString>{"it 158", "it 159", "it 160", "it 161", "it 162", "it 163", "it 164",
                                            "it 323", "it 333", "it 334"}));
    EXPECT_EQ(shownTexts(), (std::vector<QString>{"it 232\r\nit 148", "it 165"}));
    EXPECT_EQ(msgs.shown[0].title, "it 235");
    EXPECT_EQ(child<QLineEdit>(dlg, "txtNumAccRPM")->text(), "4");
    EXPECT_EQ(child<QLineEdit>(dlg, "txtDiametroRuota")->text(), "650");
    EXPECT_EQ(child<QComboBox>(dlg, "cboLAPO")->currentIndex(), 2);
    EXPECT_EQ(child<QComboBox>(dlg, "cboChannSensoreLambda")->currentIndex(), 1);
    EXPECT_EQ(child<QComboBox>(dlg, "cboChannPT")->currentIndex(), -1); // byte 0
    EXPECT_TRUE(dlg.channel(1).chkAbil->isChecked());
    EXPECT_TRUE(dlg.channel(1).sensor->isEnabled()); // the rule ran
    EXPECT_EQ(dlg.channel(1).sensor->currentText(), "P1");
    EXPECT_EQ(dlg.channel(2).sensor->currentText(), ""); // no library sensor has that curve
    EXPECT_EQ(DatiProgetto.PressioneBenzina, "P2");

    // The unmatched enabled channel now fails OK; nothing is written.
    msgs.clear();
    const ProjectRecord before = DatiProgetto;
    dlg.OKButton_Click();
    EXPECT_EQ(shownTexts(), std::vector<QString>{"it 169"});
    EXPECT_EQ(DatiProgetto, before);
}

TEST_F(SensorsPageTest, NoSecondRunStartsWhileOneWaits)
{
    frmSensori dlg;
    int nested = 0;
    fakeClock.onYield = [&] {
        if (nested++ > 0)
            return;
        // A second press of either button, and the poll, in the middle of a wait.
        dlg.cmdInviaDati_Click();
        dlg.cmdLeggiDati_Click();
        EXPECT_FALSE(pollTick());
    };
    msgs.answers.push_back(MsgAnswer::Ok);
    dlg.cmdInviaDati_Click();
    fakeClock.onYield = nullptr;
    EXPECT_EQ(frames().size(), 10u);
    EXPECT_EQ(shownTexts(), (std::vector<QString>{"it 147\r\nit 148", "it 157"}));
}

TEST_F(PagesTest, EveryPageFollowsThePollAsTheInstrumentComesAndGoes)
{
    const std::function<std::unique_ptr<QDialog>()> pages[] = {
        [] { return std::make_unique<frmConfigurazione>(); },
        [] { return std::make_unique<frmSensori>(); },
        [] { return std::make_unique<frmAllarmi>(); },
    };
    for (const auto& open : pages) {
        StatoComunicazione.StrumentoPresente = false;
        StatoComunicazione.StrumentoPresentePrec = false;
        ChiudiPorta();
        port.portCount = kMaxPorts;
        std::unique_ptr<QDialog> dlg = open();
        SCOPED_TRACE(dlg->objectName().toStdString());
        auto* send = child<QPushButton>(*dlg, "cmdInviaDati");
        auto* read = child<QPushButton>(*dlg, "cmdLeggiDati");
        EXPECT_FALSE(send->isEnabled());
        ASSERT_TRUE(pollTick());
        EXPECT_TRUE(send->isEnabled());
        EXPECT_TRUE(read->isEnabled());

        port.vanish();
        port.portCount = 0;
        pollTick();
        EXPECT_FALSE(send->isEnabled());
        EXPECT_FALSE(read->isEnabled());

        port.portCount = kMaxPorts;
        pollTick();
        EXPECT_TRUE(send->isEnabled());
    }
}

TEST_F(PagesTest, AfterSendOrReadTheFocusIsBackOnTheButtonThatStartedIt)
{
    const std::function<std::unique_ptr<QDialog>()> pages[] = {
        [] { return std::make_unique<frmConfigurazione>(); },
        [] { return std::make_unique<frmSensori>(); },
        [] { return std::make_unique<frmAllarmi>(); },
    };
    for (const auto& open : pages) {
        for (const char* button : {"cmdLeggiDati", "cmdInviaDati"}) {
            std::unique_ptr<QDialog> dlg = open();
            SCOPED_TRACE(dlg->objectName().toStdString() + " " + button);
            showActive(*dlg);
            auto* start = child<QPushButton>(*dlg, button);
            msgs.clear();
            msgs.answers.push_back(MsgAnswer::Ok);
            QTest::mouseClick(start, Qt::LeftButton);
            ASSERT_FALSE(frames().empty()) << "the run did not start";
            EXPECT_EQ(QApplication::focusWidget(), start);

            // Enter asks for the same run again; the page and what it
            // holds stay.
            msgs.clear();
            msgs.answers.push_back(MsgAnswer::Cancel);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            EXPECT_TRUE(dlg->isVisible());
            EXPECT_EQ(msgs.shown.size(), 1u);
            port.engine.received.clear();
        }
    }
}

TEST_F(PagesTest, ASendDuringThePollsExchangeAsksAtOnceAndSendsAfterIt)
{
    frmAllarmi dlg;
    // The poll's reply is late, so its exchange is under way when the
    // button is pressed.
    ASSERT_TRUE(ConnettiStrumento());
    port.engine.lateMs = 200;
    port.engine.setFault(emu::Fault::Late, 1, cmd::VerificaComunicazione);
    ASSERT_TRUE(startPollTick());
    ASSERT_TRUE(PollExchange::instance().underWay());
    msgs.answers.push_back(MsgAnswer::Ok);
    dlg.cmdInviaDati_Click();
    EXPECT_EQ(shownTexts(), (std::vector<QString>{"it 147\r\nit 148", "it 220"}));
    ASSERT_EQ(frames().size(), 1u);
    // The poll got its reply before the page's frame went out.
    ASSERT_EQ(port.engine.received.size(), 3u);
    EXPECT_EQ(port.engine.received[1][1], char(cmd::VerificaComunicazione));
    EXPECT_EQ(port.engine.received.back(), frames()[0]);
    EXPECT_EQ(port.writes.size(), port.engine.received.size());
}

// ============================================================================
// Alarms and shift-light page
// ============================================================================

TEST_F(PagesTest, AlarmsNewProjectLoadsAndStores)
{
    StatoComunicazione.StrumentoPresente = false;
    frmAllarmi dlg;
    EXPECT_EQ(dlg.windowTitle(), "it 79");
    for (const char* name : {"txtTO", "txtTA", "txtLB", "txtTB"}) {
        EXPECT_EQ(child<QLineEdit>(dlg, name)->text(), "0.0");
        EXPECT_EQ(lookColour(child<QLineEdit>(dlg, name)), kInactiveColour);
    }
    EXPECT_EQ(child<QLineEdit>(dlg, "txtPO")->text(), "0.000");
    EXPECT_EQ(child<QLineEdit>(dlg, "txtLed2")->text(), "0");
    for (const char* name : {"cboLedGiallo", "cboLedVerde", "cboLedBlu", "cboUscita", "cboIngresso"}) {
        EXPECT_FALSE(child<QComboBox>(dlg, name)->isEnabled());
        EXPECT_EQ(child<QComboBox>(dlg, name)->currentIndex(), -1);
    }
    EXPECT_EQ(child<QComboBox>(dlg, "cboUscita")->count(), 7);
    EXPECT_EQ(child<QComboBox>(dlg, "cboUscita")->itemText(0), "it 255");
    EXPECT_EQ(child<QComboBox>(dlg, "cboLedGiallo")->itemText(0), "it 263");
    EXPECT_FALSE(child<QCheckBox>(dlg, "chkIngresso")->isVisibleTo(&dlg));
    EXPECT_EQ(child<QLabel>(dlg, "lblTemp1")->text(), "° C");
    EXPECT_EQ(child<QLabel>(dlg, "lblPress0")->text(), "bar");
    EXPECT_EQ(child<QLabel>(dlg, "lblTB")->text(), "V");
    EXPECT_FALSE(child<QPushButton>(dlg, "cmdInviaDati")->isEnabled());
    dlg.OKButton_Click();
    EXPECT_EQ(DatiProgetto.TipoLedGiallo, "0");
    EXPECT_EQ(DatiProgetto.TipoIngresso, 0);
    EXPECT_EQ(DatiProgetto.TipoUscita, 0);
    EXPECT_EQ(DatiProgetto.mskTO, 0);
    EXPECT_TRUE(ProgettoModificato);
}

TEST_F(PagesTest, AlarmsRoundTripAndCheckBoxRules)
{
    ProjectRecord& r = DatiProgetto;
    r.chkPB = true;
    r.mskPB = 1500;
    r.chkTA = true;
    r.mskTA = 905;
    r.LedGiallo = true;
    r.TipoLedGiallo = "1";
    r.chkUscita = true;
    r.TipoUscita = 3;
    r.LedVerde = true;
    r.TipoLedVerde = "free text";
    r.Led3 = 7200;
    r.UMPress = 1;
    frmAllarmi dlg;
    EXPECT_EQ(child<QLineEdit>(dlg, "txtPB")->text(), "1.500");
    EXPECT_EQ(child<QLineEdit>(dlg, "txtTA")->text(), "90.5");
    EXPECT_EQ(lookColour(child<QLineEdit>(dlg, "txtTA")), kActiveColour);
    EXPECT_EQ(child<QComboBox>(dlg, "cboLedGiallo")->currentIndex(), 0);
    EXPECT_EQ(child<QComboBox>(dlg, "cboUscita")->currentIndex(), 2);
    EXPECT_EQ(child<QComboBox>(dlg, "cboLedVerde")->currentText(), "free text");
    EXPECT_EQ(child<QLabel>(dlg, "lblPress1")->text(), "psi");

    // Clearing the output drops its selection; clearing the green lamp keeps its text.
    child<QCheckBox>(dlg, "chkUscita")->click();
    EXPECT_EQ(child<QComboBox>(dlg, "cboUscita")->currentIndex(), -1);
    EXPECT_FALSE(child<QComboBox>(dlg, "cboUscita")->isEnabled());
    child<QCheckBox>(dlg, "chkLedVerde")->click();
    EXPECT_EQ(child<QComboBox>(dlg, "cboLedVerde")->currentText(), "free text");
    EXPECT_EQ(lookColour(child<QComboBox>(dlg, "cboLedVerde")), kInactiveColour);

    const ProjectRecord before = r;
    dlg.OKButton_Click();
    ProjectRecord expected = before;
    expected.chkUscita = false;
    expected.TipoUscita = 0;
    expected.LedVerde = false;
    EXPECT_EQ(r, expected);
}

TEST_F(PagesTest, AlarmsOutOfListTypesSelectNothing)
{
    DatiProgetto.LedGiallo = true;
    DatiProgetto.TipoLedGiallo = "5";
    DatiProgetto.chkUscita = true;
    DatiProgetto.TipoUscita = 200;
    frmAllarmi dlg;
    EXPECT_EQ(child<QComboBox>(dlg, "cboLedGiallo")->currentIndex(), -1);
    EXPECT_EQ(child<QComboBox>(dlg, "cboUscita")->currentIndex(), -1);
    EXPECT_TRUE(child<QComboBox>(dlg, "cboUscita")->isEnabled());
}

TEST_F(PagesTest, AlarmsThresholdBoxesOnLeaving)
{
    DatiProgetto.chkTO = DatiProgetto.chkPO = DatiProgetto.chkLB = true;
    frmAllarmi dlg;
    showActive(dlg);
    struct Case {
        const char* box;
        const char* typed;
        const char* shown; // nullptr: refused
    } cases[] = {
        {"txtTO", "12,5", "12.5"}, {"txtTO", "7", "7.0"},       {"txtTO", "1000", "999.9"},
        {"txtTO", "999.9", "999.9"}, {"txtTO", "-5", "-5.0"},    {"txtPO", "2", "2.000"},
        {"txtPO", "12", "9.999"},  {"txtPO", "0.5", "0.500"},   {"txtLB", "1000", "999.9"},
        {"txtTO", "-5000", nullptr}, {"txtTO", "", nullptr},     {"txtPO", "x", nullptr},
        {"txtLed2", "", nullptr},  {"txtLed2", "abc", nullptr}, {"txtLed2", "40000", nullptr},
        {"txtLed2", "6500", "6500"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.box) + " " + c.typed);
        msgs.clear();
        auto* box = child<QLineEdit>(dlg, c.box);
        typeAndLeave(box, c.typed);
        if (c.shown) {
            EXPECT_TRUE(msgs.shown.empty());
            EXPECT_EQ(box->text(), c.shown);
        } else {
            EXPECT_EQ(shownTexts(), std::vector<QString>{"it 262"});
            EXPECT_EQ(msgs.shown[0].title, "it 79");
            EXPECT_EQ(box->text(), "");
            EXPECT_EQ(QApplication::focusWidget(), box);
            box->setText("1");
        }
    }
    // Shift lights stop at five typed characters.
    auto* led = child<QLineEdit>(dlg, "txtLed0");
    typeAndLeave(led, "123456");
    EXPECT_EQ(led->text(), "12345");
}

TEST_F(PagesTest, AlarmsOkByEnterAppliesTheRulesFirst)
{
    DatiProgetto.chkTO = true;
    frmAllarmi dlg;
    showActive(dlg);
    auto* to = child<QLineEdit>(dlg, "txtTO");
    to->setFocus();
    to->setText("5000");
    QTest::keyClick(to, Qt::Key_Return);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(DatiProgetto.mskTO, 9999); // not 50000, which the line would wrap

    frmAllarmi again;
    showActive(again);
    auto* led = child<QLineEdit>(again, "txtLed4");
    led->setFocus();
    led->setText("abc");
    const ProjectRecord before = DatiProgetto;
    ProgettoModificato = false;
    QTest::keyClick(led, Qt::Key_Return);
    EXPECT_EQ(shownTexts(), std::vector<QString>{"it 262"});
    EXPECT_EQ(DatiProgetto, before);
    EXPECT_FALSE(ProgettoModificato);
    EXPECT_TRUE(again.isVisible());
}

TEST_F(PagesTest, AlarmsSendPutsTheScreenOnTheLineByteForByte)
{
    frmAllarmi dlg;
    child<QCheckBox>(dlg, "chkTO")->setChecked(true);
    child<QLineEdit>(dlg, "txtTO")->setText("85.5");
    child<QCheckBox>(dlg, "chkPO")->setChecked(true);
    child<QLineEdit>(dlg, "txtPO")->setText("2.5");
    child<QLineEdit>(dlg, "txtTA")->setText("50.0"); // unticked: sent as 0
    const char* leds[5] = {"5000", "6000", "7000", "8000", "9000"};
    for (int i = 0; i < 5; ++i)
        child<QLineEdit>(dlg, QByteArray("txtLed" + QByteArray::number(i)).constData())->setText(leds[i]);
    child<QCheckBox>(dlg, "chkLedGiallo")->setChecked(true);
    child<QComboBox>(dlg, "cboLedGiallo")->setCurrentIndex(0);
    child<QCheckBox>(dlg, "chkUscita")->setChecked(true);
    child<QComboBox>(dlg, "cboUscita")->setCurrentIndex(2);
    const ProjectRecord before = DatiProgetto;
    port.onWrite = [&](const QByteArray&) {
        EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0x14);
        EXPECT_EQ(surface.panelText[3], "it 219");
    };
    msgs.answers.push_back(MsgAnswer::Ok);
    dlg.cmdInviaDati_Click();

    const QByteArray expected = frame(0x14, word(855) + word(2500) + zeros(8) + word(5000) + word(6000)
                                                + word(7000) + word(8000) + word(9000)
                                                + bytes({1, 0, 0, 3, 0, 0}) + zeros(20));
    EXPECT_EQ(expected.right(2), "C6");
    EXPECT_EQ(frames(), std::vector<QByteArray>{expected});
    ASSERT_EQ(msgs.shown.size(), 2u);
    EXPECT_EQ(msgs.shown[0].title, "it 227");
    EXPECT_EQ(msgs.shown[1].text, "it 220");
    EXPECT_EQ(msgs.shown[1].title, "it 79");
    EXPECT_EQ(DatiProgetto, before);
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
}

TEST_F(PagesTest, AlarmsSendWithoutTheInstrumentIsAnError)
{
    port.portCount = 0;
    frmAllarmi dlg;
    msgs.answers.push_back(MsgAnswer::Ok);
    dlg.cmdInviaDati_Click();
    EXPECT_EQ(shownTexts(), (std::vector<QString>{"it 147\r\nit 148", "it 230"}));
    EXPECT_EQ(msgs.shown[1].title, appTitle());
}

TEST_F(PagesTest, AlarmsReadPutsThePageOnScreenWithTheRules)
{
    // TO 85.5, PO off (0), PB -1 (off), TA 90.5, LB off, TB 13.8; lamp 1, output 9 (no such item).
    port.engine.pages[0x14] = word(855) + word(0) + word(-1) + word(905) + word(0) + word(138) + word(5000)
        + word(6000) + word(7000) + word(8000) + word(9000) + bytes({1, 0, 0, 9, 4, 0}) + zeros(20);
    DatiProgetto.chkPO = true;
    frmAllarmi dlg;
    const ProjectRecord before = DatiProgetto;
    msgs.answers.push_back(MsgAnswer::Ok);
    dlg.cmdLeggiDati_Click();

    EXPECT_EQ(frames(), std::vector<QByteArray>{frame(0x15, {})});
    EXPECT_EQ(shownTexts(), std::vector<QString>{"it 232\r\nit 148"});
    EXPECT_EQ(msgs.shown[0].title, "it 236");
    EXPECT_EQ(child<QLineEdit>(dlg, "txtTO")->text(), "85.5");
    EXPECT_TRUE(child<QCheckBox>(dlg, "chkTO")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(dlg, "chkPO")->isChecked());
    EXPECT_FALSE(child<QLineEdit>(dlg, "txtPO")->isEnabled());
    EXPECT_EQ(child<QLineEdit>(dlg, "txtPO")->text(), "0.000");
    EXPECT_EQ(child<QLineEdit>(dlg, "txtTB")->text(), "13.8");
    EXPECT_EQ(child<QLineEdit>(dlg, "txtLed4")->text(), "9000");
    EXPECT_EQ(child<QComboBox>(dlg, "cboLedGiallo")->currentIndex(), 0);
    EXPECT_TRUE(child<QCheckBox>(dlg, "chkUscita")->isChecked());
    EXPECT_EQ(child<QComboBox>(dlg, "cboUscita")->currentIndex(), -1);
    EXPECT_EQ(DatiProgetto, before);
    dlg.CancelButton_Click();
    EXPECT_EQ(DatiProgetto, before);
}

// ============================================================================
// Over a real serial line to the emulator
// ============================================================================

class PagesOverTheLine : public SensorsPageTest {
protected:
    void SetUp() override
    {
        SensorsPageTest::SetUp();
        // Real bytes, fake waits that always end.
        if (!line.attach(fakeClock))
            GTEST_SKIP() << "no pseudo-terminal";
    }
    void TearDown() override
    {
        line.detach();
        SensorsPageTest::TearDown();
    }

    // The commands the instrument got, without the hello and the poll.
    std::vector<int> received() const
    {
        std::vector<int> codes;
        for (const QByteArray& f : emulator.received())
            if (f.size() > 1 && f[1] != char(cmd::Hello) && f[1] != char(cmd::VerificaComunicazione))
                codes.push_back(quint8(f[1]));
        return codes;
    }

    EmulatorLine line;
    emu::Emulator& emulator = line.emulator;
};

// A failed exchange is reported by the link (text 242); only a Send adds its
// own end (230). The configuration page's second page goes out after the
// first whatever the first gave.
TEST_F(PagesOverTheLine, AFailedPageExchangeShowsTheLinksMessageAndOnlyASendItsOwnEnd)
{
    ConfigPage2 page2;
    page2.TempoMsgGiro = 7;
    page2.Settori = {100, 200, 300, 400, 500};
    emulator.setPage(cmd::InviaDatiConfigurazione2, encodeConfigPage2(page2));
    const std::function<std::unique_ptr<QDialog>()> config = [] { return std::make_unique<frmConfigurazione>(); };
    const std::function<std::unique_ptr<QDialog>()> alarms = [] { return std::make_unique<frmAllarmi>(); };
    const struct {
        const char* what;
        std::function<std::unique_ptr<QDialog>()> open;
        const char* button;
        int silent; // the command left unanswered
        std::vector<int> frames;
        std::vector<QString> texts;
    } cases[] = {
        {"configuration read", config, "cmdLeggiDati", 0x13, {0x13, 0x1D}, {"it 232\r\nit 148", "it 242"}},
        {"alarms read", alarms, "cmdLeggiDati", 0x15, {0x15}, {"it 232\r\nit 148", "it 242"}},
        {"configuration send", config, "cmdInviaDati", 0x12, {0x12, 0x1C}, {"it 147\r\nit 148", "it 242", "it 230"}},
        {"alarms send", alarms, "cmdInviaDati", 0x14, {0x14}, {"it 147\r\nit 148", "it 242", "it 230"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<QDialog> dlg = c.open();
        emulator.clearReceived();
        emulator.setFault(emu::Fault::Silence, 1, quint8(c.silent));
        msgs.clear();
        msgs.answers.push_back(MsgAnswer::Ok);
        child<QPushButton>(*dlg, c.button)->click();
        EXPECT_EQ(received(), c.frames);
        EXPECT_EQ(shownTexts(), c.texts);
        EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
        if (c.silent == 0x13) {
            EXPECT_EQ(child<QLineEdit>(*dlg, "txtTempoMsgGiro")->text(), "7");
            EXPECT_EQ(child<QLineEdit>(*dlg, "txtSettoreCrono4")->text(), "500");
        }
    }
}

// While a page's Send or Read runs, its Send, Read and OK are off, so no
// second run can start inside the first; Cancel and the page's own controls
// stay as they were.
TEST_F(PagesOverTheLine, SendReadAndOkAreLockedWhileAPageRuns)
{
    const struct {
        const char* what;
        std::function<std::unique_ptr<QDialog>()> open;
        const char* control; // one of the page's own
    } pages[] = {
        {"configuration", [] { return std::make_unique<frmConfigurazione>(); }, "cboLingua"},
        {"sensors", [] { return std::make_unique<frmSensori>(); }, "SSTab1"},
        {"alarms", [] { return std::make_unique<frmAllarmi>(); }, "chkTO"},
    };
    for (const auto& page : pages) {
        for (const char* button : {"cmdInviaDati", "cmdLeggiDati"}) {
            SCOPED_TRACE(std::string(page.what) + " " + button);
            std::unique_ptr<QDialog> dlg = page.open();
            auto states = [&] {
                QStringList s;
                for (const char* name : {"cmdInviaDati", "cmdLeggiDati", "OKButton", "CancelButton", page.control})
                    s << QStringLiteral("%1 %2").arg(QLatin1String(name),
                                                     child<QWidget>(*dlg, name)->isEnabled() ? "on" : "off");
                return s.join(QStringLiteral(", "));
            };
            std::set<QString> during;
            fakeClock.onYield = [&] { during.insert(states()); };
            msgs.clear();
            msgs.answers.push_back(MsgAnswer::Ok);
            child<QPushButton>(*dlg, button)->click();
            fakeClock.onYield = nullptr;
            const QString own = QLatin1String(page.control);
            EXPECT_EQ(during, (std::set<QString>{"cmdInviaDati off, cmdLeggiDati off, OKButton off, CancelButton on, "
                                                 + own + " on"}));
            EXPECT_EQ(states(), "cmdInviaDati on, cmdLeggiDati on, OKButton on, CancelButton on, " + own + " on");
        }
    }
}

TEST_F(PagesOverTheLine, SensorsPageSentIsReadBackIntoAnotherPage)
{
    {
        frmSensori dlg;
        child<QLineEdit>(dlg, "txtNumAccRPM")->setText("2");
        child<QLineEdit>(dlg, "txtDiametroRuota")->setText("580");
        child<QComboBox>(dlg, "cboLAAL")->setCurrentIndex(1);
        dlg.channel(1).chkAbil->setChecked(true);
        dlg.channel(1).sensor->setEditText("P2");
        dlg.channel(8).chkAbil->setChecked(true);
        dlg.channel(8).sensor->setEditText("G2");
        msgs.answers.push_back(MsgAnswer::Ok);
        dlg.cmdInviaDati_Click();
        EXPECT_EQ(shownTexts(), (std::vector<QString>{"it 147\r\nit 148", "it 157"}));
    }
    std::array<int, 20> x{}, y{};
    for (int i = 0; i < 20; ++i) {
        x[i] = i * 50;
        y[i] = i * 250;
    }
    EXPECT_EQ(emulator.curve(1), curvePayload(1, x, y));
    EXPECT_EQ(emulator.curve(0), zeroCurve(0));

    msgs.clear();
    frmSensori back;
    msgs.answers.push_back(MsgAnswer::Ok);
    back.cmdLeggiDati_Click();
    EXPECT_EQ(shownTexts(), (std::vector<QString>{"it 232\r\nit 148", "it 165"}));
    EXPECT_EQ(child<QLineEdit>(back, "txtNumAccRPM")->text(), "2");
    EXPECT_EQ(child<QLineEdit>(back, "txtDiametroRuota")->text(), "580");
    EXPECT_EQ(child<QComboBox>(back, "cboLAAL")->currentIndex(), 1);
    EXPECT_TRUE(back.channel(1).chkAbil->isChecked());
    EXPECT_EQ(back.channel(1).sensor->currentText(), "P2");
    EXPECT_EQ(back.channel(8).sensor->currentText(), "G2");
    EXPECT_FALSE(back.channel(0).chkAbil->isChecked());
}

} // namespace
} // namespace zuv::test
