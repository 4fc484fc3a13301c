// Every instrument operation as a user runs it: the real main window, the
// real message boxes and file dialogs (answered from inside their exec()),
// the program's own serial port and the instrument emulator on a
// pseudo-terminal, in real time. Each test checks what reached the
// instrument and what the user was shown.

#include "config/ui/frmSensori.h"
#include "link/commands.h"
#include "link/curve_codec.h"
#include "link/live.h"
#include "link/poll_exchange.h"
#include "link/serial_comm.h"
#include "link/page_alarms.h"
#include "link/page_config.h"
#include "link/page_sensors.h"
#include "platform/clock.h"
#include "platform/messages.h"
#include "platform/ui/qtdialogs.h"
#include "platform/ui/qtmessages.h"
#include "project/channels.h"
#include "project/curve_buffer.h"
#include "project/language.h"
#include "project/state.h"
#include "shell/ui/dlgDiagnostica.h"
#include "shell/ui/dlgStrumento.h"
#include "shell/ui/frmDownload.h"
#include "shell/ui/frmMain.h"
#include "support/emulator_line.h"
#include "support/fixtures.h"
#include "support/memory_blocks.h"
#include "support/ui/modal_driver.h"
#include "support/ui/window_system.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <memory>
#include <ostream>

static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace zuv::test {
namespace {

constexpr int kLongRunMs = 60000;
const QString kOilSensor = QStringLiteral("Temp olio NTC");

template <typename T>
T* child(QWidget& w, const char* name)
{
    T* c = w.findChild<T*>(QLatin1String(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

QStringList captions(const ModalDriver::Box& box)
{
    QStringList out;
    for (QString b : box.buttons)
        out << b.remove(QLatin1Char('&'));
    out.sort();
    return out;
}

// The question every Send and Read asks first, as the box shows it.
QString question(int firstLine) { return languageText(firstLine) + QLatin1Char('\n') + languageText(148); }

// The curve a library sensor goes out as.
QByteArray libraryCurve(int slot, const QString& sensor)
{
    EXPECT_TRUE(CaricaCurvaSensore(sensor)) << sensor.toStdString();
    return encodeCurve(slot, CurvaSensore);
}

class DeviceEndToEnd : public ZuvTest {
protected:
    explicit DeviceEndToEnd(int language = 1) : language_(language) {}

    void SetUp() override
    {
        ZuvTest::SetUp();
        loadShippedLanguages(language_);
        const QDir shipped(QStringLiteral(ZUV_SHIPPED_DATA_DIR "/sensors"));
        for (const QString& f : shipped.entryList(QDir::Files))
            writeFile(QStringLiteral("sensors/") + f, fileBytes(shipped.filePath(f)));
        setMessages(&qtMessages);
        setDialogs(&qtDialogs);
        // A user is at the keyboard from the start: a box no test expects
        // fails and is closed instead of waiting for ever.
        user = std::make_unique<ModalDriver>();
        if (!line.attach())
            GTEST_SKIP() << "no pseudo-terminal";
        setClock(nullptr);

        window = std::make_unique<frmMain>();
        ASSERT_TRUE(window->MDIForm_Load());
        window->show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return connected(); }, 10000)) << window->panelText(4).toStdString();
        run("mnuNew");
    }

    void TearDown() override
    {
        window.reset();
        user.reset();
        line.detach();
        ZuvTest::TearDown();
    }

    bool connected() const
    {
        return window->panelText(4) == QLatin1String("COM 1")
               && window->menuAction(QStringLiteral("mnuDownloadData"))->isEnabled();
    }

    // A menu command as the user gives it: only when it is enabled.
    void run(const char* menu)
    {
        QAction* a = window->menuAction(QString::fromLatin1(menu));
        ASSERT_NE(a, nullptr) << menu;
        ASSERT_TRUE(a->isEnabled()) << menu;
        a->trigger();
    }

    // Save As with the name typed in the program folder; Program Device
    // wants a project in a file.
    void saveProjectAs(const QString& name)
    {
        user->typeFile(path(name));
        run("mnuSaveAs");
        ASSERT_TRUE(user->waitDone());
    }

    // The commands the instrument received, without the poll's.
    std::vector<int> received() const
    {
        std::vector<int> codes;
        for (const QByteArray& f : emulator.received())
            if (f.size() > 1 && quint8(f[1]) != cmd::Hello && quint8(f[1]) != cmd::VerificaComunicazione)
                codes.push_back(quint8(f[1]));
        return codes;
    }

    static std::vector<int> repeated(std::vector<int> codes, int code, int times, std::vector<int> after = {})
    {
        codes.insert(codes.end(), std::size_t(times), code);
        codes.insert(codes.end(), after.begin(), after.end());
        return codes;
    }

    // How many frames of `code` the instrument has got.
    std::size_t framesOf(int code) const
    {
        std::size_t n = 0;
        for (const QByteArray& f : emulator.received())
            n += f.size() > 1 && quint8(f[1]) == code;
        return n;
    }

    // The poll is back: it polls the instrument again and shows it.
    bool pollIsBack()
    {
        const std::size_t polls = framesOf(cmd::VerificaComunicazione);
        return QTest::qWaitFor([&] { return framesOf(cmd::VerificaComunicazione) > polls && connected(); }, 5000);
    }

    // `act` (queued input) on the window that `window` finds, once `when`
    // holds; looked for every millisecond that the program lets the window
    // system in, as a user's click would be.
    void actWhen(std::function<QWidget*()> window, std::function<bool()> when, std::function<void(QWidget&)> act)
    {
        closer_.disconnect();
        closer_.setInterval(1);
        QObject::connect(&closer_, &QTimer::timeout, [this, window, when, act] {
            QWidget* w = window();
            if (!w || !w->isVisible() || !when())
                return;
            closer_.stop();
            act(*w);
        });
        closer_.start();
    }

    // The close box of that window, clicked once `when` holds.
    void closeWhen(std::function<QWidget*()> window, std::function<bool()> when)
    {
        actWhen(std::move(window), std::move(when), [](QWidget& w) { queueCloseBox(w); });
    }

    // Esc pressed in that window once `when` holds; `escapes` counts the
    // presses that reached it.
    void escapeWhen(std::function<QWidget*()> window, std::function<bool()> when)
    {
        actWhen(std::move(window), std::move(when), [this](QWidget& w) {
            escapes_.watch(w);
            queueKey(w, Qt::Key_Escape);
        });
    }
    int escapes() const { return escapes_.count; }

    dlgStrumento* progressWindow() const
    {
        for (auto* d : window->findChildren<dlgStrumento*>())
            if (d->isVisible())
                return d;
        return nullptr;
    }

    // A configuration page from its menu: `fill` it, click `button` (Send
    // or Read), OK to the question, OK to the end message when there is
    // one, then, once the run is over, `look` at it and leave with Cancel.
    void runPage(const char* menu, const char* windowClass, const char* button, bool endMessage,
                 std::function<void(QWidget&)> fill, std::function<void(QWidget&)> look)
    {
        user->on(windowClass, [=](QWidget& w) {
            if (fill)
                fill(w);
            QTest::mouseClick(child<QPushButton>(w, button), Qt::LeftButton);
        });
        user->click(QMessageBox::Ok);
        if (endMessage)
            user->click(QMessageBox::Ok);
        user->on(
            windowClass,
            [=](QWidget& w) {
                if (look)
                    look(w);
                QTest::mouseClick(child<QPushButton>(w, "CancelButton"), Qt::LeftButton);
            },
            QStringLiteral("the page once its run is over"),
            [=](QWidget& w) { return child<QPushButton>(w, button)->isEnabled(); });
        emulator.clearReceived();
        run(menu);
        ASSERT_TRUE(user->waitDone(kLongRunMs));
    }

    // Counts the Esc presses that reach a window.
    struct EscapeCounter : QObject {
        void watch(QWidget& w)
        {
            target = &w;
            qApp->installEventFilter(this);
        }
        bool eventFilter(QObject* o, QEvent* e) override
        {
            auto* w = qobject_cast<QWidget*>(o);
            if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape && w
                && w->window() == target)
                ++count;
            return false;
        }
        QPointer<QWidget> target;
        int count = 0;
    };

    QtMessages qtMessages;
    QtDialogs qtDialogs;
    EscapeCounter escapes_;
    QTimer closer_;
    std::unique_ptr<ModalDriver> user;
    EmulatorLine line;
    emu::Emulator& emulator = line.emulator;
    std::unique_ptr<frmMain> window;

private:
    int language_;
};

class DeviceEndToEndItalian : public DeviceEndToEnd {
protected:
    DeviceEndToEndItalian() : DeviceEndToEnd(0) {}
};

// --- Program Device and Read Device --------------------------------------------

TEST_F(DeviceEndToEndItalian, ProgramDeviceSendsTheWholeProjectOnceConfirmed)
{
    DatiProgetto.UMVel = 1;
    DatiProgetto.mskAbilRecVel = 30;
    DatiProgetto.Settore2 = 1200;
    DatiProgetto.chkTO = true;
    DatiProgetto.mskTO = 1200;
    const ChannelInfo& oil = channelFromSlot(0);
    DatiProgetto.*oil.enabled = true;
    DatiProgetto.*oil.sensor = kOilSensor;
    DatiProgetto.*oil.rate = QStringLiteral("10");
    saveProjectAs(QStringLiteral("Mugello"));

    user->click(QMessageBox::Ok);
    emulator.clearReceived();
    run("mnuProgramDevice");
    ASSERT_TRUE(user->waitDone(kLongRunMs));

    ASSERT_EQ(user->boxes.size(), 1u);
    EXPECT_EQ(user->boxes[0].text, question(147));
    EXPECT_EQ(captions(user->boxes[0]), QStringList({"Annulla", "OK"}));
    dlgStrumento* progress = progressWindow();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->heading(), languageText(238));
    EXPECT_EQ(progress->result(), languageText(238) + " " + languageText(237));

    EXPECT_EQ(received(), repeated({0x12, 0x1C, 0x16}, 0x18, 9, {0x14}));
    EXPECT_EQ(emulator.page(0x12), encodeConfigPage1(configPage1From(DatiProgetto)));
    EXPECT_EQ(emulator.page(0x1C), encodeConfigPage2(configPage2From(DatiProgetto)));
    EXPECT_EQ(emulator.page(0x16), encodeSensorsPage(sensorsPageFrom(DatiProgetto)));
    EXPECT_EQ(emulator.page(0x14), encodeAlarmsPage(alarmsPageFrom(DatiProgetto)));
    EXPECT_EQ(emulator.curve(0), libraryCurve(0, kOilSensor));
    EXPECT_EQ(emulator.curve(1), encodeCurve(1, CurveBuffer{}));
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
}

TEST_F(DeviceEndToEnd, ProgramDeviceCancelledSendsNothing)
{
    saveProjectAs(QStringLiteral("Mugello"));
    user->click(QMessageBox::Cancel);
    emulator.clearReceived();
    run("mnuProgramDevice");
    ASSERT_TRUE(user->waitDone());
    QTest::qWait(300);
    EXPECT_TRUE(received().empty());
    EXPECT_EQ(progressWindow(), nullptr);
}

TEST_F(DeviceEndToEnd, ProgramDeviceClosedMidRunStopsAfterTheExchangeInFlight)
{
    saveProjectAs(QStringLiteral("Mugello"));
    user->click(QMessageBox::Ok);
    user->click(QMessageBox::Ok);
    // Closed while the first curve is on its way.
    closeWhen([this] { return progressWindow(); }, [this] { return framesOf(cmd::InviaCurvaSensore) > 0; });
    emulator.clearReceived();
    run("mnuProgramDevice");
    ASSERT_TRUE(user->waitDone(kLongRunMs));

    EXPECT_EQ(received(), (std::vector<int>{0x12, 0x1C, 0x16, 0x18})) << "nothing after the curve in flight";
    ASSERT_EQ(user->boxes.size(), 2u);
    EXPECT_EQ(user->boxes[1].text, languageText(229));
    EXPECT_EQ(progressWindow(), nullptr);
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
    EXPECT_TRUE(pollIsBack());
}

TEST_F(DeviceEndToEnd, EscLeavesProgramDeviceRunningToItsEnd)
{
    saveProjectAs(QStringLiteral("Mugello"));
    user->click(QMessageBox::Ok);
    // Esc while the first curve is on its way: only the close box breaks
    // the run off.
    escapeWhen([this] { return progressWindow(); }, [this] { return framesOf(cmd::InviaCurvaSensore) > 0; });
    emulator.clearReceived();
    run("mnuProgramDevice");
    ASSERT_TRUE(user->waitDone(kLongRunMs));

    EXPECT_GE(escapes(), 1);
    EXPECT_EQ(received(), repeated({0x12, 0x1C, 0x16}, 0x18, 9, {0x14}));
    ASSERT_EQ(user->boxes.size(), 1u) << "the question only";
    dlgStrumento* progress = progressWindow();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->result(), languageText(238) + " " + languageText(237));
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
}

TEST_F(DeviceEndToEnd, ReadDeviceBringsTheInstrumentsSettingsIntoTheProject)
{
    ProjectRecord instrument = newProjectValues();
    instrument.UMVel = 1;
    instrument.mskAbilRecVel = 45;
    instrument.Settore3 = 2500;
    instrument.NumAccRPM = 2;
    instrument.DiametroRuota = 560;
    instrument.chkTA = true;
    instrument.mskTA = 1050;
    const ChannelInfo& oil = channelFromSlot(0);
    instrument.*oil.enabled = true;
    emulator.setPage(0x12, encodeConfigPage1(configPage1From(instrument)));
    emulator.setPage(0x1C, encodeConfigPage2(configPage2From(instrument)));
    emulator.setPage(0x16, encodeSensorsPage(sensorsPageFrom(instrument)));
    emulator.setPage(0x14, encodeAlarmsPage(alarmsPageFrom(instrument)));
    emulator.setCurve(0, libraryCurve(0, kOilSensor));

    user->click(QMessageBox::Ok);
    emulator.clearReceived();
    run("mnuReadDevice");
    ASSERT_TRUE(user->waitDone(kLongRunMs));

    ASSERT_EQ(user->boxes.size(), 1u);
    EXPECT_EQ(user->boxes[0].text, question(232));
    EXPECT_EQ(captions(user->boxes[0]), QStringList({"Cancel", "OK"}));
    dlgStrumento* progress = progressWindow();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->result(), languageText(239) + " " + languageText(237));

    EXPECT_EQ(received(), repeated({0x13, 0x1D, 0x17}, 0x19, 9, {0x15}));
    EXPECT_EQ(configPage1From(DatiProgetto), configPage1From(instrument));
    EXPECT_EQ(configPage2From(DatiProgetto), configPage2From(instrument));
    EXPECT_EQ(sensorsPageFrom(DatiProgetto), sensorsPageFrom(instrument));
    EXPECT_EQ(alarmsPageFrom(DatiProgetto), alarmsPageFrom(instrument));
    EXPECT_EQ(DatiProgetto.*oil.sensor, kOilSensor) << "named after the library curve it matches";
    EXPECT_TRUE(ProgettoModificato);
}

TEST_F(DeviceEndToEnd, SaveAsReplacesAnExistingProjectOnlyOnOk)
{
    writeFile(QStringLiteral("Mugello.pro"), "old");
    DatiProgetto.NomeProgetto = QStringLiteral("Mugello");
    user->typeFile(path(QStringLiteral("Mugello")), [](QFileDialog& d) { EXPECT_EQ(d.windowTitle(), languageText(6)); });
    user->click(QMessageBox::Cancel);
    user->typeFile(path(QStringLiteral("Mugello")));
    user->click(QMessageBox::Ok);
    run("mnuSaveAs");
    EXPECT_EQ(fileBytes(path("Mugello.pro")), QByteArray("old"));
    run("mnuSaveAs");
    ASSERT_TRUE(user->waitDone());

    ASSERT_EQ(user->boxes.size(), 2u);
    EXPECT_EQ(user->boxes[1].text, path("Mugello.pro") + QLatin1Char(' ') + languageText(132));
    EXPECT_TRUE(fileBytes(path("Mugello.pro")).contains("Mugello"));
    EXPECT_TRUE(window->menuAction(QStringLiteral("mnuProgramDevice"))->isEnabled());
}

// --- the three configuration pages ---------------------------------------------

TEST_F(DeviceEndToEnd, ConfigurationPageSendPutsWhatIsOnScreenIntoTheInstrument)
{
    const ProjectRecord before = DatiProgetto;
    ConfigPage1 page1 = configPage1From(DatiProgetto);
    page1.Lingua = 1;
    page1.AbilRecLap = true;
    page1.StopRecSecondi = 30;
    page1.AbilRecVel = 50;
    ConfigPage2 page2 = configPage2From(DatiProgetto);
    page2.Settori[1] = 2500;

    runPage("mnuSetup", "zuv::frmConfigurazione", "cmdInviaDati", true,
            [](QWidget& w) {
                child<QComboBox>(w, "cboLingua")->setCurrentIndex(1);
                child<QCheckBox>(w, "chkAbilRecLAP")->setChecked(true);
                child<QLineEdit>(w, "txtStopRecSecondi")->setText("30");
                child<QLineEdit>(w, "txtAbilRecVel")->setText("50");
                child<QLineEdit>(w, "txtSettoreCrono1")->setText("2500");
            },
            nullptr);

    ASSERT_EQ(user->boxes.size(), 2u);
    EXPECT_EQ(user->boxes[0].text, question(147));
    EXPECT_EQ(user->boxes[0].title, languageText(226));
    EXPECT_EQ(user->boxes[1].text, languageText(218));
    EXPECT_EQ(received(), (std::vector<int>{0x12, 0x1C}));
    EXPECT_EQ(emulator.page(0x12), encodeConfigPage1(page1));
    EXPECT_EQ(emulator.page(0x1C), encodeConfigPage2(page2));
    EXPECT_EQ(DatiProgetto, before) << "Cancel keeps the project";
}

TEST_F(DeviceEndToEnd, ConfigurationPageReadShowsTheInstrumentsPages)
{
    ConfigPage1 page1 = configPage1From(DatiProgetto);
    page1.UMTemp = 1;
    page1.AbilRecLap = true;
    page1.StopRecSecondi = 45;
    page1.AbilRecVel = 120;
    ConfigPage2 page2 = configPage2From(DatiProgetto);
    page2.TempoMsgGiro = 7;
    page2.Settori = {100, 200, 300, 400, 500};
    emulator.setPage(0x12, encodeConfigPage1(page1));
    emulator.setPage(0x1C, encodeConfigPage2(page2));
    const ProjectRecord before = DatiProgetto;

    QStringList shown;
    runPage("mnuSetup", "zuv::frmConfigurazione", "cmdLeggiDati", false, nullptr, [&](QWidget& w) {
        shown << QString::number(child<QComboBox>(w, "cboUMTemperatura")->currentIndex())
              << QString::number(child<QCheckBox>(w, "chkAbilRecLAP")->isChecked())
              << child<QLineEdit>(w, "txtStopRecSecondi")->text() << child<QLineEdit>(w, "txtAbilRecVel")->text()
              << child<QLineEdit>(w, "txtTempoMsgGiro")->text() << child<QLineEdit>(w, "txtSettoreCrono4")->text();
    });

    ASSERT_EQ(user->boxes.size(), 1u);
    EXPECT_EQ(user->boxes[0].text, question(232));
    EXPECT_EQ(user->boxes[0].title, languageText(234));
    EXPECT_EQ(received(), (std::vector<int>{0x13, 0x1D}));
    EXPECT_EQ(shown, QStringList({"1", "1", "45", "120", "7", "500"}));
    EXPECT_EQ(DatiProgetto, before) << "read onto the screen only, then Cancel";
}

// The configuration and alarms pages have no break-off: closed while the
// first page's acknowledgement is awaited, the Send still goes to its end,
// and then the window is gone.
TEST_F(DeviceEndToEnd, ConfigurationAndAlarmsPagesClosedDuringASendRunToTheirEnd)
{
    const struct {
        const char* menu;
        const char* windowClass;
        int first; // the page whose acknowledgement comes late
        std::vector<int> frames;
        int end;
        QString endTitle;
    } pages[] = {
        {"mnuSetup", "zuv::frmConfigurazione", 0x12, {0x12, 0x1C}, 218, appTitle()},
        {"mnuAlarms", "zuv::frmAllarmi", 0x14, {0x14}, 220, languageText(79)},
    };
    emulator.setLateMs(300);
    for (const auto& page : pages) {
        SCOPED_TRACE(page.menu);
        ASSERT_TRUE(pollIsBack());
        emulator.setFault(emu::Fault::Late, 1, quint8(page.first));
        QPointer<QWidget> shown;
        user->boxes.clear();
        user->on(page.windowClass, [&](QWidget& w) {
            shown = &w;
            QTest::mouseClick(child<QPushButton>(w, "cmdInviaDati"), Qt::LeftButton);
        });
        user->click(QMessageBox::Ok);
        user->click(QMessageBox::Ok);
        closeWhen([&]() -> QWidget* { return shown; }, [&] { return framesOf(page.first) > 0; });
        emulator.clearReceived();
        run(page.menu);
        ASSERT_TRUE(user->waitDone(kLongRunMs));

        EXPECT_EQ(received(), page.frames);
        ASSERT_EQ(user->boxes.size(), 2u);
        EXPECT_EQ(user->boxes[0].text, question(147));
        EXPECT_EQ(user->boxes[1].text, languageText(page.end));
        EXPECT_EQ(user->boxes[1].title, page.endTitle);
        EXPECT_EQ(shown, nullptr) << "the page is gone";
        EXPECT_EQ(StatoComunicazione.FormAttivo, nullptr);
        EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
    }
    EXPECT_TRUE(pollIsBack());
}

TEST_F(DeviceEndToEnd, SensorsPageSendProgramsThePageAndItsNineCurves)
{
    runPage("mnuSensors", "zuv::frmSensori", "cmdInviaDati", true,
            [](QWidget& w) {
                auto& page = static_cast<frmSensori&>(w);
                child<QLineEdit>(w, "txtNumAccRPM")->setText("2");
                child<QLineEdit>(w, "txtDiametroRuota")->setText("580");
                page.channel(0).chkAbil->setChecked(true);
                page.channel(0).sensor->setEditText(kOilSensor);
            },
            nullptr);

    ASSERT_EQ(user->boxes.size(), 2u);
    EXPECT_EQ(user->boxes[0].text, question(147));
    EXPECT_EQ(user->boxes[0].title, languageText(149));
    EXPECT_EQ(user->boxes[1].text, languageText(157));
    EXPECT_EQ(received(), repeated({0x16}, 0x18, 9));
    SensorsPage expected = sensorsPageFrom(DatiProgetto);
    expected.NumAccRPM = 2;
    expected.DiametroRuota = 580;
    expected.AbilTO = true;
    EXPECT_EQ(emulator.page(0x16), encodeSensorsPage(expected));
    EXPECT_EQ(emulator.curve(0), libraryCurve(0, kOilSensor));
    EXPECT_EQ(emulator.curve(8), encodeCurve(8, CurveBuffer{}));
}

TEST_F(DeviceEndToEnd, SensorsPageReadShowsThePageAndNamesTheCurvesSensor)
{
    SensorsPage page = sensorsPageFrom(DatiProgetto);
    page.NumAccRPM = 4;
    page.DiametroRuota = 650;
    page.AbilTO = true;
    emulator.setPage(0x16, encodeSensorsPage(page));
    emulator.setCurve(0, libraryCurve(0, kOilSensor));

    QStringList shown;
    runPage("mnuSensors", "zuv::frmSensori", "cmdLeggiDati", true, nullptr, [&](QWidget& w) {
        auto& p = static_cast<frmSensori&>(w);
        shown << child<QLineEdit>(w, "txtNumAccRPM")->text() << child<QLineEdit>(w, "txtDiametroRuota")->text()
              << QString::number(p.channel(0).chkAbil->isChecked()) << p.channel(0).sensor->currentText();
    });

    ASSERT_EQ(user->boxes.size(), 2u);
    EXPECT_EQ(user->boxes[0].text, question(232));
    EXPECT_EQ(user->boxes[0].title, languageText(235));
    EXPECT_EQ(user->boxes[1].text, languageText(165));
    EXPECT_EQ(received(), repeated({0x17}, 0x19, 9));
    EXPECT_EQ(shown, QStringList({"4", "650", "1", kOilSensor}));
}

TEST_F(DeviceEndToEnd, SensorsPageClosedMidSendStopsAfterTheExchangeInFlight)
{
    QPointer<QWidget> page;
    user->on("zuv::frmSensori", [&](QWidget& w) {
        page = &w;
        QTest::mouseClick(child<QPushButton>(w, "cmdInviaDati"), Qt::LeftButton);
    });
    user->click(QMessageBox::Ok);
    user->click(QMessageBox::Ok);
    closeWhen([&]() -> QWidget* { return page; }, [this] { return framesOf(cmd::InviaCurvaSensore) > 0; });
    emulator.clearReceived();
    run("mnuSensors");
    ASSERT_TRUE(user->waitDone(kLongRunMs));

    EXPECT_EQ(received(), (std::vector<int>{0x16, 0x18})) << "nothing after the curve in flight";
    ASSERT_EQ(user->boxes.size(), 2u);
    EXPECT_EQ(user->boxes[1].text, languageText(229));
    EXPECT_EQ(page, nullptr) << "the page is gone";
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
    EXPECT_TRUE(pollIsBack());
}

// Read at every moment of the poll's cycle: between two ticks, while the
// scan's hello is out, and while the poll's reply is due.
TEST_F(DeviceEndToEnd, APageOpenedAtAnyMomentOfThePollReadsThePage)
{
    struct Page {
        const char* menu;
        const char* windowClass;
        bool endMessage;
        std::vector<int> frames;
    };
    const Page pages[] = {
        {"mnuSetup", "zuv::frmConfigurazione", false, {0x13, 0x1D}},
        {"mnuSensors", "zuv::frmSensori", true, repeated({0x17}, 0x19, 9)},
        {"mnuAlarms", "zuv::frmAllarmi", false, {0x15}},
    };
    struct Moment {
        const char* what;
        int lateCode; // the poll's frame whose reply is late, 0 for none
    };
    const Moment moments[] = {
        {"between two ticks", 0},
        {"the scan's hello out", cmd::Hello},
        {"the poll's reply due", cmd::VerificaComunicazione},
    };
    // Late enough that the exchange is still under way when the page's
    // button is pressed, however busy the machine.
    emulator.setLateMs(1000);
    for (const Page& page : pages) {
        for (const Moment& m : moments) {
            SCOPED_TRACE(std::string(page.menu) + ", " + m.what);
            ASSERT_TRUE(pollIsBack());
            if (m.lateCode == cmd::Hello)
                ChiudiPorta();
            const std::size_t sent = framesOf(m.lateCode);
            if (m.lateCode != 0)
                emulator.setFault(emu::Fault::Late, 1, quint8(m.lateCode));
            ASSERT_TRUE(QTest::qWaitFor(
                [&] {
                    const bool underWay = PollExchange::instance().underWay();
                    return m.lateCode == 0 ? !underWay : underWay && framesOf(m.lateCode) > sent;
                },
                5000));
            user->boxes.clear();
            bool underWayAtRead = false;
            runPage(page.menu, page.windowClass, "cmdLeggiDati", page.endMessage,
                    [&](QWidget&) { underWayAtRead = PollExchange::instance().underWay(); }, nullptr);
            if (m.lateCode != 0) {
                EXPECT_TRUE(underWayAtRead) << "the exchange was over before the click";
            }
            ASSERT_FALSE(user->boxes.empty());
            EXPECT_EQ(user->boxes[0].text, question(232));
            EXPECT_EQ(received(), page.frames);
        }
    }
}

TEST_F(DeviceEndToEnd, AlarmsPageSendPutsTheThresholdsIntoTheInstrument)
{
    runPage("mnuAlarms", "zuv::frmAllarmi", "cmdInviaDati", true,
            [](QWidget& w) {
                child<QCheckBox>(w, "chkTO")->setChecked(true);
                child<QLineEdit>(w, "txtTO")->setText("85.5");
                child<QLineEdit>(w, "txtLed4")->setText("9000");
            },
            nullptr);

    ASSERT_EQ(user->boxes.size(), 2u);
    EXPECT_EQ(user->boxes[0].text, question(147));
    EXPECT_EQ(user->boxes[0].title, languageText(227));
    EXPECT_EQ(user->boxes[1].text, languageText(220));
    EXPECT_EQ(user->boxes[1].title, languageText(79));
    EXPECT_EQ(received(), std::vector<int>{0x14});
    AlarmsPage expected = alarmsPageFrom(DatiProgetto);
    expected.Soglie[0] = 855;
    expected.Led[4] = 9000;
    EXPECT_EQ(emulator.page(0x14), encodeAlarmsPage(expected));
}

TEST_F(DeviceEndToEnd, AlarmsPageReadShowsTheInstrumentsThresholds)
{
    AlarmsPage page = alarmsPageFrom(DatiProgetto);
    page.Soglie[0] = 855;
    page.Soglie[5] = 138;
    page.Led[4] = 9000;
    emulator.setPage(0x14, encodeAlarmsPage(page));

    QStringList shown;
    runPage("mnuAlarms", "zuv::frmAllarmi", "cmdLeggiDati", false, nullptr, [&](QWidget& w) {
        shown << QString::number(child<QCheckBox>(w, "chkTO")->isChecked()) << child<QLineEdit>(w, "txtTO")->text()
              << child<QLineEdit>(w, "txtTB")->text() << child<QLineEdit>(w, "txtLed4")->text();
    });

    ASSERT_EQ(user->boxes.size(), 1u);
    EXPECT_EQ(user->boxes[0].text, question(232));
    EXPECT_EQ(user->boxes[0].title, languageText(236));
    EXPECT_EQ(received(), std::vector<int>{0x15});
    EXPECT_EQ(shown, QStringList({"1", "85.5", "13.8", "9000"}));
}

// --- Download Data and Save Data ------------------------------------------------

class DownloadEndToEnd : public DeviceEndToEndItalian {
protected:
    void SetUp() override
    {
        DeviceEndToEndItalian::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        // The worked example: one second at speed, then a session mark.
        emulator.setMemory(checkedPair(memoryBlock(workedRecordA()), memoryBlock(workedRecordB())));
        emulator.setRecordedBytes(256);
    }

    // The user, once the download is over: `look` at its window (its status
    // goes to downloadStatus), then OK.
    void okOnceOver(std::function<void(frmDownload&)> look = nullptr)
    {
        user->on(
            "zuv::frmDownload",
            [this, look](QWidget& w) {
                auto& d = static_cast<frmDownload&>(w);
                downloadStatus = d.lblStatoDownload->text();
                if (look)
                    look(d);
                QTest::mouseClick(d.OKButton, Qt::LeftButton);
            },
            QStringLiteral("the download once it is over"),
            [](QWidget& w) { return static_cast<frmDownload&>(w).runFinished(); });
    }

    // Download Data from its menu, OK once it is over, then its Save Data
    // with `name` typed.
    void download(const QString& name)
    {
        okOnceOver();
        user->typeFile(name);
        user->click(QMessageBox::Ok);
        runDownload();
    }

    // Download Data from its menu, run to the end of the user's steps; the
    // emulator's faults are cleared after.
    void runDownload()
    {
        emulator.clearReceived();
        run("mnuDownloadData");
        ASSERT_TRUE(user->waitDone(kLongRunMs));
        emulator.clearFault();
    }

    // The user's steps after a download broken off: OK to the word that
    // the data are partial (text 380), then Cancel in the save dialog.
    void partialNotSaved()
    {
        user->click(QMessageBox::Ok);
        user->cancelFile();
    }

    // `pairs` pairs of the worked example recorded, each block read late:
    // the user's input comes while a block is on its way.
    void slowMemory(int pairs)
    {
        QByteArray memory;
        for (int pair = 0; pair < pairs; ++pair)
            memory += checkedPair(memoryBlock(workedRecordA()), memoryBlock(workedRecordB()));
        emulator.setMemory(memory);
        emulator.setRecordedBytes(pairs * 256);
        emulator.setLateMs(150);
        emulator.setFault(emu::Fault::Late, -1, cmd::LeggiBloccoMemoria);
    }

    static frmDownload* downloadWindow()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<frmDownload*>(w))
                return d;
        return nullptr;
    }

    // The addresses of the memory or lap reads (`code`) the instrument got.
    std::vector<qint32> addressesOf(int code) const
    {
        std::vector<qint32> out;
        for (const QByteArray& f : emulator.received())
            if (f.size() > 4 && quint8(f[1]) == code) {
                qint32 a = 0;
                for (int i = 2; i < f.size() - 2; ++i)
                    a = (a << 8) | quint8(f[i]);
                out.push_back(a);
            }
        return out;
    }

    QString downloadStatus;
};

TEST_F(DownloadEndToEnd, DownloadDataReadsTheMemoryAndSavesItsThreeFiles)
{
    download(QStringLiteral("run1"));

    EXPECT_EQ(downloadStatus, languageText(268));
    EXPECT_EQ(received(), (std::vector<int>{0x25, 0x25, 0x0E, 0x0E, 0x0E, 0x0E}))
        << "the status, the pair, then the erased pair that ends the memory";
    EXPECT_EQ(user->fileDialogTitles, QStringList{languageText(21)});
    ASSERT_EQ(user->boxes.size(), 1u);
    EXPECT_EQ(user->boxes[0].text, languageText(269));
    EXPECT_EQ(fileBytes(path("run1.csv")), fileBytes(QStringLiteral(ZUV_TEST_DATA_DIR "/export/worked.csv")));
    EXPECT_EQ(fileBytes(path("run1.txt")), fileBytes(QStringLiteral(ZUV_TEST_DATA_DIR "/export/worked.txt")));
    EXPECT_TRUE(fileBytes(path("run1.tim")).startsWith("1.4\r\n"));
    EXPECT_TRUE(window->menuAction(QStringLiteral("mnuSaveData"))->isEnabled());
}

TEST_F(DownloadEndToEnd, SaveDataAsksBeforeReplacingAndWritesOnlyOnOk)
{
    download(QStringLiteral("run1"));
    const QByteArray saved = fileBytes(path("run1.csv"));
    writeFile(QStringLiteral("run1.csv"), "mine");

    // Cancel at the replace question: the file stays.
    user->typeFile(path("run1.csv"), [](QFileDialog& d) { EXPECT_EQ(d.windowTitle(), languageText(21)); });
    user->click(QMessageBox::Cancel);
    run("mnuSaveData");
    ASSERT_TRUE(user->waitDone());
    EXPECT_EQ(fileBytes(path("run1.csv")), QByteArray("mine"));

    // OK: written again, and said so.
    user->typeFile(QStringLiteral("run1"));
    user->click(QMessageBox::Ok);
    user->click(QMessageBox::Ok);
    run("mnuSaveData");
    ASSERT_TRUE(user->waitDone());
    EXPECT_EQ(fileBytes(path("run1.csv")), saved);

    ASSERT_EQ(user->boxes.size(), 4u);
    const QString replace = path("run1.csv") + QLatin1Char(' ') + languageText(132);
    for (std::size_t i : {1, 2}) {
        EXPECT_EQ(user->boxes[i].text, replace);
        EXPECT_EQ(user->boxes[i].title, languageText(133));
        EXPECT_EQ(captions(user->boxes[i]), QStringList({"Annulla", "OK"}));
    }
    EXPECT_EQ(user->boxes[3].text, languageText(269));
}

TEST_F(DownloadEndToEnd, DownloadClosedMidRunRequestsNothingButThePairInFlight)
{
    slowMemory(20);
    closeWhen(downloadWindow, [this] { return framesOf(cmd::LeggiBloccoMemoria) > 0; });
    // The instrument stays the download's while the pair in flight ends.
    std::vector<int> commandWhileClosed;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        if (frmDownload* d = downloadWindow(); d && !d->isVisible() && !d->runFinished())
            commandWhileClosed.push_back(StatoComunicazione.ComandoInCorso);
    });
    sampler.start(1);
    partialNotSaved();
    runDownload();

    EXPECT_EQ(framesOf(cmd::LeggiBloccoMemoria), 2u) << "the pair in flight, nothing after";
    ASSERT_FALSE(commandWhileClosed.empty());
    EXPECT_EQ(std::count(commandWhileClosed.begin(), commandWhileClosed.end(), 0x26),
              std::ptrdiff_t(commandWhileClosed.size()));
    const std::vector<QByteArray> frames = emulator.received();
    const auto lastBlock = std::find_if(frames.rbegin(), frames.rend(), [](const QByteArray& f) {
        return quint8(f[1]) == cmd::LeggiBloccoMemoria;
    });
    EXPECT_TRUE(std::none_of(lastBlock, frames.rend(), [](const QByteArray& f) {
        return quint8(f[1]) == cmd::VerificaComunicazione;
    })) << "no poll before the pair in flight has ended";
    ASSERT_EQ(user->boxes.size(), 1u);
    EXPECT_EQ(user->boxes[0].text, languageText(380));
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
    EXPECT_TRUE(pollIsBack());
}

TEST_F(DownloadEndToEnd, UnansweredStatusReadsGiveNothingDownloadedAndTheWindowWaitsForOk)
{
    emulator.setFault(emu::Fault::Silence, -1, cmd::Status);
    bool openAtTheEnd = false;
    bool okEnabled = false;
    user->click(QMessageBox::Ok); // the recorded bytes
    user->click(QMessageBox::Ok); // the lap count
    okOnceOver([&](frmDownload& d) {
        openAtTheEnd = d.isVisible();
        okEnabled = d.OKButton->isEnabled();
    });
    // Save Data follows, with nothing downloaded.
    user->typeFile(QStringLiteral("empty"));
    user->click(QMessageBox::Ok);
    runDownload();

    EXPECT_EQ(received(), (std::vector<int>{0x25, 0x25}));
    ASSERT_EQ(user->boxes.size(), 3u);
    EXPECT_EQ(user->boxes[0].text, languageText(242));
    EXPECT_EQ(user->boxes[1].text, languageText(242));
    EXPECT_EQ(downloadStatus, languageText(271));
    EXPECT_TRUE(openAtTheEnd);
    EXPECT_TRUE(okEnabled);
    EXPECT_EQ(user->boxes[2].text, languageText(269));
    EXPECT_EQ(fileBytes(path("empty.csv")).count("\r\n"), 1) << "the header only";
    EXPECT_EQ(fileBytes(path("empty.tim")), QByteArray("1.4\r\n\r\n"));
    EXPECT_FALSE(window->menuAction(QStringLiteral("mnuSaveData"))->isEnabled());
    EXPECT_TRUE(pollIsBack());
}

TEST_F(DownloadEndToEnd, EscLeavesTheDownloadRunningToItsEnd)
{
    slowMemory(4);
    escapeWhen(downloadWindow, [this] { return framesOf(cmd::LeggiBloccoMemoria) > 0; });
    bool open = false;
    okOnceOver([&](frmDownload& d) { open = d.isVisible(); });
    user->cancelFile();
    runDownload();

    EXPECT_GE(escapes(), 1);
    EXPECT_TRUE(open);
    EXPECT_EQ(downloadStatus, languageText(268));
    EXPECT_EQ(framesOf(cmd::LeggiBloccoMemoria), 10u) << "four pairs, then the erased pair";
    EXPECT_EQ(NumBlocchi, 8);
    EXPECT_TRUE(user->boxes.empty());
}

TEST_F(DownloadEndToEnd, ClosedDuringTheStatusOrLapReadsReadsThemButNoMemory)
{
    QByteArray laps;
    for (int k = 0; k < 64; ++k)
        laps += QByteArray::fromHex("00001F40"); // 80.00 s
    emulator.setLapMemory(laps);
    emulator.setLapCount(33);
    emulator.setLateMs(150);
    for (int code : {cmd::Status, cmd::LeggiBloccoSessione}) {
        SCOPED_TRACE(code);
        // Closed while the first frame of `code` is on its way.
        emulator.setFault(emu::Fault::Late, -1, quint8(code));
        closeWhen(downloadWindow, [this, code] { return framesOf(code) > 0; });
        partialNotSaved();
        runDownload();

        EXPECT_EQ(received(), (std::vector<int>{0x25, 0x25, 0x26, 0x26}));
        EXPECT_EQ(addressesOf(cmd::LeggiBloccoSessione), (std::vector<qint32>{0, 128}));
        EXPECT_EQ(TempiGiro[33], "01:20.00, 0");
        ASSERT_EQ(user->boxes.size(), 1u);
        EXPECT_EQ(user->boxes[0].text, languageText(380));
        user->boxes.clear();
        EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
        EXPECT_TRUE(pollIsBack());
    }
}

TEST_F(DownloadEndToEnd, ClosedDuringAFailingBlockReadRetriesUpToTheLimit)
{
    emulator.setFault(emu::Fault::Silence, -1, cmd::LeggiBloccoMemoria);
    closeWhen(downloadWindow, [this] { return framesOf(cmd::LeggiBloccoMemoria) > 0; });
    for (int i = 0; i < 4; ++i)
        user->click(QMessageBox::Ok);
    partialNotSaved();
    runDownload();

    EXPECT_EQ(addressesOf(cmd::LeggiBloccoMemoria), (std::vector<qint32>{0, 0, 0, 0}))
        << "the first read and its three retries, then nothing";
    ASSERT_EQ(user->boxes.size(), 5u);
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(user->boxes[i].text, languageText(242));
    EXPECT_EQ(user->boxes[4].text, languageText(380));
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
    EXPECT_TRUE(pollIsBack());
}

// --- live diagnostics -------------------------------------------------------------

TEST_F(DeviceEndToEnd, LiveDiagnosticsShowsTheInstrumentsValuesUntilClosed)
{
    emulator.setAnalogInputs({11, 22, 33, 44, 55, 66, 77, -1});
    QByteArray status(kLenStatus, '\0');
    for (int i = 2; i < 30; ++i)
        status[i] = char(i * 7);
    emulator.setStatus(status);
    QByteArray reply;
    emulator.withEngine([&](emu::Engine& e) { reply = e.readAnswer(cmd::Status, {}); });
    const DiagnosticsState expected = decodeDiagnostics(reply);

    QStringList inputs, values, wanted;
    for (int i = 0; i < kNumFields; ++i)
        wanted << expected.fields[std::size_t(i)];
    user->on(
        "zuv::dlgDiagnostica",
        [&](QWidget& w) {
            auto& d = static_cast<dlgDiagnostica&>(w);
            for (int k = 0; k < 8; ++k)
                inputs << d.analogValue(k);
            for (int i = 0; i < kNumFields; ++i)
                values << d.fieldValue(i);
            QTest::keyClick(&w, Qt::Key_Escape);
        },
        QStringLiteral("live values on show"),
        [&](QWidget& w) {
            auto& d = static_cast<dlgDiagnostica&>(w);
            return d.analogValue(0) == QLatin1String("11") && d.fieldValue(0) == expected.fields[0];
        });
    emulator.clearReceived();
    run("mnuViewDevice");
    ASSERT_TRUE(user->waitDone());

    EXPECT_EQ(inputs, QStringList({"11", "22", "33", "44", "55", "66", "77", "-1"}));
    EXPECT_EQ(values, wanted);
    const std::vector<int> codes = received();
    EXPECT_NE(std::find(codes.begin(), codes.end(), cmd::Status), codes.end());
    EXPECT_NE(std::find(codes.begin(), codes.end(), cmd::LeggiCalibrazione), codes.end());
    EXPECT_TRUE(user->boxes.empty());
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);

    // Closed: the live values stop.
    QTest::qWait(300);
    emulator.clearReceived();
    QTest::qWait(600);
    for (int code : received())
        EXPECT_NE(code, cmd::Status);
}


// An instrument left to itself shows a running engine: values that move,
// an engine turning and the fuel going down.
TEST_F(DeviceEndToEnd, LiveDiagnosticsOfAnInstrumentLeftToItselfShowARunningEngine)
{
    struct Seen {
        QStringList fields, inputs;
    };
    std::vector<Seen> seen;
    auto look = [&](QWidget& w) {
        auto& d = static_cast<dlgDiagnostica&>(w);
        Seen s;
        for (int i = 0; i < kNumFields; ++i)
            s.fields << d.fieldValue(i);
        for (int k = 0; k < 8; ++k)
            s.inputs << d.analogValue(k);
        seen.push_back(s);
    };
    // A look after two passes, another six passes on, then Esc.
    QTimer later;
    later.setInterval(1);
    user->on(
        "zuv::dlgDiagnostica",
        [&](QWidget& w) {
            look(w);
            QObject::connect(&later, &QTimer::timeout, [&] {
                if (static_cast<dlgDiagnostica&>(w).steps() < 8)
                    return;
                later.stop();
                look(w);
                queueKey(w, Qt::Key_Escape);
            });
            later.start();
        },
        QStringLiteral("a first pass"),
        [](QWidget& w) { return static_cast<dlgDiagnostica&>(w).steps() >= 2; });
    run("mnuViewDevice");
    ASSERT_TRUE(user->waitDone());
    ASSERT_TRUE(QTest::qWaitFor([&] { return StatoComunicazione.ComandoInCorso == 0; }, 10000));
    EXPECT_TRUE(user->boxes.empty());

    ASSERT_EQ(seen.size(), 2u);
    for (const Seen& s : seen) {
        EXPECT_GT(s.fields[0].toInt(), 0) << "engine speed";
        EXPECT_GT(s.fields[2].toInt(), 0) << "speed";
        EXPECT_GT(s.inputs[4].toInt(), 0) << "fuel level input";
    }
    EXPECT_NE(seen[1].fields, seen[0].fields);
    EXPECT_LT(seen[1].fields[7].toDouble(), seen[0].fields[7].toDouble()) << "fuel level";
    EXPECT_LT(seen[1].inputs[4].toInt(), seen[0].inputs[4].toInt()) << "fuel level input";
}

TEST_F(DeviceEndToEnd, LiveDiagnosticsClosesAtOnceOnEscapeAndOnItsCloseBox)
{
    for (bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Esc");
        std::size_t statusAtClose = 0;
        QPointer<QDialog> shown;
        // A close that is never taken must not hang the test.
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [&] {
            if (shown && shown->isVisible()) {
                ADD_FAILURE() << "the window did not close";
                shown->reject();
            }
        });
        user->on(
            "zuv::dlgDiagnostica",
            [&](QWidget& w) {
                shown = static_cast<QDialog*>(&w);
                watchdog.start(5000);
                statusAtClose = framesOf(cmd::Status);
                if (closeBox)
                    queueCloseBox(w);
                else
                    queueKey(w, Qt::Key_Escape);
            },
            QStringLiteral("live values on show"),
            [](QWidget& w) { return static_cast<dlgDiagnostica&>(w).steps() >= 3; });
        emulator.clearReceived();
        run("mnuViewDevice");
        ASSERT_TRUE(user->waitDone());
        EXPECT_LE(framesOf(cmd::Status), statusAtClose + 1) << "at most the pass under way";
        EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
        EXPECT_TRUE(user->boxes.empty());
        EXPECT_TRUE(pollIsBack());
    }
}

} // namespace
} // namespace zuv::test
