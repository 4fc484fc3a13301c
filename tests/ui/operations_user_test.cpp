// The instrument operations as a new user tries them, through the real main
// window, its windows and the real message boxes (answered from inside
// their exec()), against the emulator on a pseudo-terminal with its faults:
// on the fake clock where no input has to come during a wait, in real time
// where the user closes a window in the middle of a run.

#include "config/ui/frmSensori.h"
#include "link/commands.h"
#include "link/link_guard.h"
#include "link/page_alarms.h"
#include "link/page_config.h"
#include "link/page_sensors.h"
#include "link/serial_comm.h"
#include "platform/clock.h"
#include "platform/messages.h"
#include "project/channels.h"
#include "project/language.h"
#include "project/project_record.h"
#include "project/state.h"
#include "shell/poll.h"
#include "shell/ui/dlgStrumento.h"
#include "shell/ui/frmDownload.h"
#include "support/link_probes.h"
#include "support/memory_blocks.h"
#include "support/ui/user_at_the_line.h"
#include "support/ui/window_system.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <ostream>
#include <set>

static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace zuv::test {
namespace {

// The question before a Send (147) or a Read (232), titled with text
// `title`, or with the program's name.
QString questionBox(int firstLine, int title = 0)
{
    return QStringLiteral("%1\n%2 | %3 | icon 0 | 2 buttons")
        .arg(languageText(firstLine), languageText(148), title ? languageText(title) : appTitle());
}

// An end message with the information icon.
QString infoBox(int text, const QString& title = appTitle())
{
    return QStringLiteral("%1 | %2 | icon %3 | 1 buttons")
        .arg(languageText(text), title)
        .arg(int(QMessageBox::Information));
}

// The link's own report of a failed exchange: no icon, OK only.
QString linkErrorBox() { return QStringLiteral("%1 | %2 | icon 0 | 1 buttons").arg(languageText(242), appTitle()); }

// A failed page read shows the link's one box: the configuration page
// reads its second page all the same, and neither page adds a box.
TEST_F(UserAtAQuickLine, AFailedPageReadShowsOneBox)
{
    const struct {
        const char* menu;
        const char* windowClass;
        int silent;
        int title;
        std::vector<int> frames;
    } pages[] = {
        {"mnuSetup", "zuv::frmConfigurazione", cmd::LeggiDatiConfigurazione, 234, {0x13, 0x1D}},
        {"mnuAlarms", "zuv::frmAllarmi", cmd::LeggiDatiAllarmi, 236, {0x15}},
    };
    for (const auto& page : pages) {
        SCOPED_TRACE(page.menu);
        user->boxes.clear();
        emulator.setFault(emu::Fault::Silence, 1, quint8(page.silent));
        pageRun(page.menu, page.windowClass, "cmdLeggiDati", 2);

        EXPECT_EQ(commands(), page.frames);
        EXPECT_EQ(boxesMet(), QStringList({questionBox(232, page.title), linkErrorBox()}));
        EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
        EXPECT_EQ(window->panelText(3), QString());
    }
}

// With the instrument gone, every page's Send and Read, whose first step
// finds no instrument, ends as a communication error.
TEST_F(UserAtAQuickLine, APageRunWithTheInstrumentGoneEndsWithTheCommunicationError)
{
    const struct {
        const char* menu;
        const char* windowClass;
        int sendTitle;
        int readTitle;
    } pages[] = {
        {"mnuSetup", "zuv::frmConfigurazione", 226, 234},
        {"mnuSensors", "zuv::frmSensori", 149, 235},
        {"mnuAlarms", "zuv::frmAllarmi", 227, 236},
    };
    emulator.setFault(emu::Fault::Silence);
    for (const auto& page : pages) {
        for (bool send : {true, false}) {
            SCOPED_TRACE(std::string(page.menu) + (send ? " send" : " read"));
            ChiudiPorta();
            user->boxes.clear();
            pageRun(page.menu, page.windowClass, send ? "cmdInviaDati" : "cmdLeggiDati", 2);

            EXPECT_TRUE(commands().empty());
            EXPECT_EQ(boxesMet(), QStringList({questionBox(send ? 147 : 232, send ? page.sendTitle : page.readTitle),
                                               infoBox(230)}));
            EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
        }
    }
}

// A curve that did not arrive names no sensor: its channel keeps the
// sensor it showed, and the run ends as a failed one.
TEST_F(UserAtAQuickLine, ASensorsPageReadKeepsTheSensorOfACurveThatDidNotArrive)
{
    const ChannelInfo& oil = channelFromSlot(0);
    DatiProgetto.*oil.enabled = true;
    DatiProgetto.*oil.sensor = QStringLiteral("Oil 150");
    emulator.setPage(cmd::InviaDatiSensori, encodeSensorsPage(sensorsPageFrom(DatiProgetto)));
    emulator.setFault(emu::Fault::Silence, 1, cmd::LeggiCurvaSensore);
    QString sensor;
    pageRun("mnuSensors", "zuv::frmSensori", "cmdLeggiDati", 3,
            [&](QWidget& w) { sensor = static_cast<frmSensori&>(w).sensorText(0); });

    EXPECT_EQ(commands(), (std::vector<int>{0x17, 0x19}));
    EXPECT_EQ(boxesMet(), QStringList({questionBox(232, 235), linkErrorBox(), infoBox(230)}));
    EXPECT_EQ(sensor, QStringLiteral("Oil 150"));
}

// Panel 7 shows the ten characters of the poll's reply as they came,
// whatever bytes they are.
TEST_F(UserAtAQuickLine, Panel7ShowsTheTenCharactersOfTheReply)
{
    const QByteArray text("ZUV\x07" "EMU\t01", 10);
    emulator.setIdentification(text);
    ASSERT_TRUE(pollTick());
    EXPECT_EQ(window->panelText(7), QString::fromLatin1(text));
    EXPECT_EQ(window->panelText(7).size(), 10);
}

// A download whose block read fails four times closes its window; its
// status line keeps the download's text, as nothing in the run changes it.
TEST_F(UserAtAQuickLine, ADownloadThatGivesUpLeavesItsStatusLineAsItWas)
{
    emulator.setMemory(checkedPair(memoryBlock(workedRecordA()), memoryBlock(workedRecordB())));
    emulator.setRecordedBytes(256);
    emulator.setFault(emu::Fault::Silence, -1, cmd::LeggiBloccoMemoria);
    struct AtClose : QObject {
        bool eventFilter(QObject* o, QEvent* e) override
        {
            if (auto* d = qobject_cast<frmDownload*>(o); d && e->type() == QEvent::Hide)
                status << d->lblStatoDownload->text();
            return false;
        }
        QStringList status;
    } atClose;
    qApp->installEventFilter(&atClose);
    for (int i = 0; i < 4; ++i)
        user->click(QMessageBox::Ok);
    user->click(QMessageBox::Ok); // the data are partial
    user->cancelFile();
    command("mnuDownloadData");
    ASSERT_TRUE(user->waitDone());
    qApp->removeEventFilter(&atClose);

    const QStringList failed(4, linkErrorBox());
    EXPECT_EQ(boxesMet().mid(0, 4), failed);
    ASSERT_EQ(user->boxes.size(), 5u);
    EXPECT_EQ(user->boxes[4].text, languageText(380));
    EXPECT_EQ(atClose.status, QStringList{languageText(270)});
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
}

// Real time, the poll running: the user's input comes in the middle of a
// run's waits, queued as the window system queues it.
class UserAtALiveLine : public UserAtTheLine {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        if (!line.attach())
            GTEST_SKIP() << "no pseudo-terminal";
        setClock(nullptr);
        startUser();
        window->pollTimer().start();
        ASSERT_TRUE(pollIsBack());
    }

    // The poll has asked the instrument once more and shows it there.
    bool pollIsBack()
    {
        const std::size_t polls = framesOf(cmd::VerificaComunicazione);
        return QTest::qWaitFor(
            [&] {
                return framesOf(cmd::VerificaComunicazione) > polls && window->panelText(4) == QLatin1String("COM 1")
                       && window->menuAction(QStringLiteral("mnuDownloadData"))->isEnabled();
            },
            10000);
    }

    std::size_t framesOf(int code) const
    {
        std::size_t n = 0;
        for (const QByteArray& f : emulator.received())
            n += f.size() > 1 && quint8(f[1]) == code;
        return n;
    }

    // The close box (`closeBox`) or Esc of the window `target` gives, once
    // the instrument has got a frame of `code`, whose reply comes late.
    void interruptAt(int code, std::function<QWidget*()> target, bool closeBox)
    {
        emulator.setLateMs(300);
        emulator.setFault(emu::Fault::Late, 1, quint8(code));
        watch_.disconnect();
        QObject::connect(&watch_, &QTimer::timeout, [=, this] {
            QWidget* w = target();
            if (!w || !w->isVisible() || framesOf(code) == 0)
                return;
            watch_.stop();
            if (closeBox)
                queueCloseBox(*w);
            else
                queueKey(*w, Qt::Key_Escape);
        });
        watch_.start(1);
    }

    dlgStrumento* progressWindow() const
    {
        for (auto* d : window->findChildren<dlgStrumento*>())
            if (d->isVisible())
                return d;
        return nullptr;
    }

    QTimer watch_;
};

// A page closed with its close box (or, on the alarms page, Esc) during a
// run: the configuration and alarms pages run to their end, reading into
// the window only; the sensors page breaks off after the step under way.
TEST_F(UserAtALiveLine, APageClosedMidRunGoesOnOrBreaksOffAsThatPageDoes)
{
    ProjectRecord instrument = newProjectValues();
    instrument.mskStopRecSecondi = 45;
    instrument.Settore2 = 1200;
    instrument.Led4 = 9000;
    instrument.NumAccRPM = 2;
    emulator.setPage(0x12, encodeConfigPage1(configPage1From(instrument)));
    emulator.setPage(0x1C, encodeConfigPage2(configPage2From(instrument)));
    emulator.setPage(0x14, encodeAlarmsPage(alarmsPageFrom(instrument)));
    emulator.setPage(0x16, encodeSensorsPage(sensorsPageFrom(instrument)));
    const ProjectRecord before = DatiProgetto;
    const struct {
        const char* what;
        const char* menu;
        const char* windowClass;
        const char* button;
        int late; // the frame under way when the user closes
        bool closeBox;
        std::vector<int> frames;
        QStringList boxes;
    } cases[] = {
        // `late` is also the run's ComandoInCorso.
        {"configuration read, close box", "mnuSetup", "zuv::frmConfigurazione", "cmdLeggiDati", 0x13, true,
         {0x13, 0x1D}, {questionBox(232, 234)}},
        {"alarms read, close box", "mnuAlarms", "zuv::frmAllarmi", "cmdLeggiDati", 0x15, true, {0x15},
         {questionBox(232, 236)}},
        {"alarms send, Esc", "mnuAlarms", "zuv::frmAllarmi", "cmdInviaDati", 0x14, false, {0x14},
         {questionBox(147, 227), infoBox(220, languageText(79))}},
        {"alarms read, Esc", "mnuAlarms", "zuv::frmAllarmi", "cmdLeggiDati", 0x15, false, {0x15},
         {questionBox(232, 236)}},
        {"sensors read, close box", "mnuSensors", "zuv::frmSensori", "cmdLeggiDati", 0x17, true, {0x17},
         {questionBox(232, 235), infoBox(233)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(pollIsBack());
        user->boxes.clear();
        QPointer<QWidget> page;
        const char* button = c.button;
        user->on(c.windowClass, [&page, button](QWidget& w) {
            page = &w;
            QTest::mouseClick(w.findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
        });
        for (int i = 0; i < c.boxes.size(); ++i)
            user->click(QMessageBox::Ok);
        interruptAt(c.late, [&page]() -> QWidget* { return page; }, c.closeBox);
        // The run keeps the instrument (and the poll off it) once its page
        // is closed, until its end.
        std::set<int> commandWhileClosed;
        QTimer sampler;
        QObject::connect(&sampler, &QTimer::timeout, [&] {
            if (page && !page->isVisible() && linkBusy())
                commandWhileClosed.insert(StatoComunicazione.ComandoInCorso);
        });
        sampler.start(1);
        emulator.clearReceived();
        command(c.menu);
        ASSERT_TRUE(user->waitDone(60000));
        sampler.stop();

        EXPECT_EQ(commandWhileClosed, std::set<int>{c.late});
        EXPECT_EQ(commands(), c.frames);
        EXPECT_EQ(boxesMet(), c.boxes);
        EXPECT_EQ(page, nullptr) << "the page is gone";
        EXPECT_EQ(DatiProgetto, before) << "nothing read reaches the project";
        EXPECT_EQ(StatoComunicazione.FormAttivo, nullptr);
        EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
        EXPECT_EQ(window->panelText(3), QString());
    }
    EXPECT_TRUE(pollIsBack());
}

// Read Device's progress window: its close box breaks the run off after
// the curve in flight; Esc does nothing there.
TEST_F(UserAtALiveLine, ReadDeviceBrokenOffByTheCloseBoxOnlyNotByEsc)
{
    std::vector<int> whole{0x13, 0x1D, 0x17};
    whole.insert(whole.end(), 9, 0x19);
    whole.push_back(0x15);
    const struct {
        const char* what;
        bool closeBox;
        std::vector<int> frames;
        QStringList boxes;
        bool openAtTheEnd;
    } cases[] = {
        {"close box", true, {0x13, 0x1D, 0x17, 0x19}, {questionBox(232), infoBox(233)}, false},
        {"Esc", false, whole, {questionBox(232)}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(pollIsBack());
        user->boxes.clear();
        for (int i = 0; i < c.boxes.size(); ++i)
            user->click(QMessageBox::Ok);
        interruptAt(cmd::LeggiCurvaSensore, [this]() -> QWidget* { return progressWindow(); }, c.closeBox);
        emulator.clearReceived();
        command("mnuReadDevice");
        ASSERT_TRUE(user->waitDone(60000));

        EXPECT_EQ(commands(), c.frames);
        EXPECT_EQ(boxesMet(), c.boxes);
        dlgStrumento* progress = progressWindow();
        EXPECT_EQ(progress != nullptr, c.openAtTheEnd);
        if (progress) {
            EXPECT_EQ(progress->result(), languageText(239) + QLatin1Char(' ') + languageText(237));
        }
        EXPECT_EQ(window->panelText(3), QString());
    }
    EXPECT_TRUE(pollIsBack());
}

} // namespace
} // namespace zuv::test
