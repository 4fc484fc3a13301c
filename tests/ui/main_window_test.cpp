// The main window offscreen: menu tree, toolbar, status bar, the enable
// table after each command, the toolbar's dispatch, the size rule, the
// language change and the shut-down answers.

#include "link/link_guard.h"
#include "project/language.h"
#include "shell/ui/dlgLanguages.h"
#include "shell/ui/dlgNoteProgetto.h"
#include "shell/ui/frmMain.h"
#include "shell/ui/frmSplash.h"
#include "shell/poll.h"
#include "link/commands.h"
#include "link/poll_exchange.h"
#include "link/serial_comm.h"
#include "project/project_file.h"
#include "support/ui/main_window_fixture.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <memory>
#include <set>

namespace zuv::test {
namespace {

class MainWindowTest : public MainWindowFixture {
protected:
    // One tick of the poll taken to its end.
    void tick()
    {
        window->tmrComm_Timer();
        PollExchange::instance().runToEnd();
    }

    bool menuOn(const char* name) { return window->menuAction(QString::fromLatin1(name))->isEnabled(); }
    bool buttonOn(const char* key) { return window->buttonAction(QString::fromLatin1(key))->isEnabled(); }

    // The pairs of the enable table, 1 when both the item and its button are on.
    std::map<QString, int> pairs()
    {
        std::map<QString, int> state;
        for (auto [menu, key] : {std::pair{"mnuSave", "Save"}, {"mnuSaveAs", "SaveAs"},
                                 {"mnuReadDevice", "ReadDev"}, {"mnuProgramDevice", "ProgDev"},
                                 {"mnuSaveData", "SaveData"}, {"mnuDownloadData", "DownData"}}) {
            EXPECT_EQ(menuOn(menu), buttonOn(key)) << menu;
            state[QString::fromLatin1(key)] = menuOn(menu) ? 1 : 0;
        }
        return state;
    }

    bool projectCommands()
    {
        return menuOn("mnuConfigure") && menuOn("mnuNote") && buttonOn("Setup") && buttonOn("Sensor")
               && buttonOn("Alarm");
    }
};

TEST_F(MainWindowTest, MenuTreeWithItsCaptionsInBothLanguages)
{
    struct Item {
        const char* name;
        int text;
    };
    const std::vector<Item> top = {{"mnuProjectFile", 1}, {"mnuConfigure", 10}, {"mnuDevice", 15},
                                   {"mnuAnalysis", 19},   {"mnuLanguage", 23},  {"mnuInfo", 225}};
    const std::map<QString, std::vector<Item>> children = {
        {"mnuProjectFile",
         {{"mnuNew", 2}, {"mnuOpen", 3}, {"mnuSave", 5}, {"mnuSaveAs", 6}, {"mnuPrint", 7}, {"mnuNote", 8},
          {"mnuspazio", 0}, {"mnuExit", 9}, {"mnuspazio1", 0}, {"mnuRecentFiles0", 0},
          {"mnuRecentFiles1", 0}, {"mnuRecentFiles2", 0}, {"mnuRecentFiles3", 0}}},
        {"mnuConfigure", {{"mnuSetup", 11}, {"mnuSensors", 12}, {"mnuAlarms", 14}, {"mnuCustomizeSensors", 13}}},
        {"mnuDevice", {{"mnuProgramDevice", 16}, {"mnuReadDevice", 17}, {"mnuViewDevice", 18}}},
        {"mnuAnalysis", {{"mnuDownloadData", 20}, {"mnuSaveData", 21}, {"mnuAnalize", 22}}},
    };

    for (int language : {0, 1}) {
        SCOPED_TRACE(language);
        TabellaLingua.IndiceLingua = language;
        languageChanged();
        window->MDIForm_Activate();

        const QList<QAction*> bar = window->menuBar()->actions();
        ASSERT_EQ(bar.size(), int(top.size()));
        for (std::size_t i = 0; i < top.size(); ++i) {
            QAction* a = bar[int(i)];
            const QString name = a->menu() ? a->menu()->objectName() : a->objectName();
            EXPECT_EQ(name, QString::fromLatin1(top[i].name));
            EXPECT_EQ(a->text(), fixtureText(language, top[i].text));
            if (!a->menu())
                continue;
            const QList<QAction*> items = a->menu()->actions();
            const std::vector<Item>& want = children.at(name);
            ASSERT_EQ(items.size(), int(want.size())) << name.toStdString();
            for (std::size_t k = 0; k < want.size(); ++k) {
                EXPECT_EQ(items[int(k)]->objectName(), QString::fromLatin1(want[k].name));
                if (want[k].text) {
                    EXPECT_EQ(items[int(k)]->text(), fixtureText(language, want[k].text));
                }
            }
        }
        // A button's tooltip is its menu item's caption.
        EXPECT_EQ(window->buttonAction("CustSensors")->toolTip(), fixtureText(language, 13));
        EXPECT_EQ(window->buttonAction("Language")->toolTip(), fixtureText(language, 23));
    }
    // The recent items start hidden, and so does the line above them.
    EXPECT_FALSE(window->menuAction("mnuRecentFiles0")->isVisible());
    EXPECT_FALSE(window->menuAction("mnuspazio1")->isVisible());
}

TEST_F(MainWindowTest, ToolbarHasEighteenPicturedButtonsInTheirGroups)
{
    QStringList layout;
    for (QAction* a : window->toolbar()->actions())
        layout << (a->isSeparator() ? QStringLiteral("|") : a->data().toString());
    EXPECT_EQ(layout.join(' '), QStringLiteral("New Open Save SaveAs Print Note Exit | Setup Sensor Alarm | "
                                               "CustSensors | ProgDev ReadDev ViewDev | DownData SaveData "
                                               "Analize | Language"));
    EXPECT_EQ(window->buttonKeys().size(), 18);
    EXPECT_EQ(window->toolbar()->toolButtonStyle(), Qt::ToolButtonIconOnly);
    for (const QString& key : window->buttonKeys()) {
        const QIcon icon = window->buttonAction(key)->icon();
        EXPECT_FALSE(icon.isNull()) << key.toStdString();
        EXPECT_FALSE(icon.pixmap(24).toImage().isNull());
    }
    // Every picture is its own.
    std::set<QByteArray> drawn;
    for (const QString& key : window->buttonKeys()) {
        const QImage img = window->buttonAction(key)->icon().pixmap(24).toImage();
        drawn.insert(QByteArray(reinterpret_cast<const char*>(img.constBits()), img.sizeInBytes()));
    }
    EXPECT_EQ(drawn.size(), 18u);
}

TEST_F(MainWindowTest, EnableTableAfterEachCommand)
{
    using Pairs = std::map<QString, int>;
    const Pairs off = {{"Save", 0}, {"SaveAs", 0}, {"ReadDev", 0}, {"ProgDev", 0}, {"SaveData", 0}, {"DownData", 0}};

    // Start: the design state and the load's six pairs.
    EXPECT_EQ(pairs(), off);
    EXPECT_FALSE(projectCommands());
    EXPECT_FALSE(menuOn("mnuPrint"));
    EXPECT_TRUE(buttonOn("Note"));
    EXPECT_TRUE(buttonOn("CustSensors"));
    EXPECT_TRUE(buttonOn("Print"));
    for (const char* on : {"mnuNew", "mnuOpen", "mnuExit", "mnuViewDevice", "mnuAnalize", "mnuLanguage", "mnuInfo",
                           "mnuDevice", "mnuAnalysis", "mnuCustomizeSensors"})
        EXPECT_TRUE(menuOn(on)) << on;

    window->buttonAction("New")->trigger();
    Pairs expected = off;
    expected["SaveAs"] = expected["ReadDev"] = 1;
    EXPECT_EQ(pairs(), expected);
    EXPECT_TRUE(projectCommands());
    EXPECT_EQ(window->panelText(1), fixtureText(0, 131));

    fileDialogs.answers = {path("one.pro")};
    window->menuAction("mnuSaveAs")->trigger();
    expected["Save"] = expected["ProgDev"] = 1;
    EXPECT_EQ(pairs(), expected);
    EXPECT_EQ(window->panelText(2), path("one.pro"));

    window->menuAction("mnuNew")->trigger();
    fileDialogs.answers = {path("one.pro")};
    window->buttonAction("Open")->trigger();
    EXPECT_EQ(pairs(), expected);
    EXPECT_TRUE(window->menuAction("mnuRecentFiles0")->isVisible());
    EXPECT_TRUE(window->menuAction("mnuspazio1")->isVisible());

    // The poll switches Download Data only.
    plugInstrument();
    tick();
    expected["DownData"] = 1;
    EXPECT_EQ(pairs(), expected);
    port.engine.setFault(emu::Fault::Silence);
    tick();
    expected["DownData"] = 0;
    EXPECT_EQ(pairs(), expected);

    // Printing is never offered from the menu.
    EXPECT_FALSE(menuOn("mnuPrint"));
}

TEST_F(MainWindowTest, ToolbarDispatchByExactKey)
{
    std::map<QString, int> ran;
    auto hook = [&ran](const char* name) { return [&ran, name](QWidget*) { ++ran[QString::fromLatin1(name)]; }; };
    auto& h = commands.standIns;
    h[WindowCommand::Setup] = hook("setup");
    h[WindowCommand::Sensors] = hook("sensors");
    h[WindowCommand::Alarms] = hook("alarms");
    h[WindowCommand::CustomizeSensors] = hook("customizeSensors");
    h[WindowCommand::ProgramDevice] = hook("programDevice");
    h[WindowCommand::ReadDevice] = hook("readDevice");
    h[WindowCommand::ViewDevice] = hook("viewDevice");
    h[WindowCommand::DownloadData] = hook("downloadData");
    h[WindowCommand::SaveData] = hook("saveData");

    const std::pair<const char*, const char*> table[] = {
        {"Setup", "setup"},         {"Sensor", "sensors"},      {"Alarm", "alarms"},
        {"CustSensors", "customizeSensors"}, {"ProgDev", "programDevice"}, {"ReadDev", "readDevice"},
        {"ViewDev", "viewDevice"},  {"DownData", "downloadData"}, {"SaveData", "saveData"}};
    for (auto [key, name] : table) {
        window->Toolbar1_ButtonClick(QString::fromLatin1(key));
        EXPECT_EQ(ran[QString::fromLatin1(name)], 1) << key;
    }
    EXPECT_EQ(ran.size(), 9u);

    // Wrong case, unknown keys and Print do nothing.
    for (const char* key : {"new", "setup", "Stampa", "", "Print"})
        window->Toolbar1_ButtonClick(QString::fromLatin1(key));
    EXPECT_EQ(ran.size(), 9u);
    EXPECT_TRUE(pairs()["SaveAs"] == 0) << "'new' must not have run New";
    window->buttonAction("Print")->trigger();
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_NE(w->objectName(), QStringLiteral("frmStampaDatiProgetto"));

    // A command that throws does not take the window down.
    h[WindowCommand::Setup] = [](QWidget*) { throw std::runtime_error("editor failed"); };
    window->Toolbar1_ButtonClick(QStringLiteral("Setup"));
    EXPECT_TRUE(window->buttonAction("New")->isEnabled());
}

TEST_F(MainWindowTest, SaveDataWithoutAStandInRunsTheExport)
{
    window->buttonAction("SaveData")->setEnabled(true);
    window->buttonAction("SaveData")->trigger();
    ASSERT_EQ(fileDialogs.asked.size(), 1u) << "the export asks for its file name";
    EXPECT_TRUE(fileDialogs.asked[0].save);
}

TEST_F(MainWindowTest, ACommandDuringThePollsExchangeRunsAtOnceAndItsExchangeFollows)
{
    // The poll's reply is late: its exchange is under way across events,
    // with nothing waiting inside it.
    plugInstrument();
    ASSERT_TRUE(ConnettiStrumento());
    port.engine.lateMs = 300;
    port.engine.setFault(emu::Fault::Late, 1, cmd::VerificaComunicazione);
    window->tmrComm_Timer();
    ASSERT_TRUE(PollExchange::instance().underWay());
    int ran = 0;
    bool underWayWhenRun = false;
    commands.standIns[WindowCommand::ViewDevice] = [&](QWidget*) {
        ++ran;
        underWayWhenRun = PollExchange::instance().underWay();
        // The command's own exchange lets the poll's end first.
        EXPECT_TRUE(ConnettiStrumento());
        EXPECT_FALSE(PollExchange::instance().underWay());
    };
    window->buttonAction(QStringLiteral("ViewDev"))->trigger();
    EXPECT_EQ(ran, 1);
    EXPECT_TRUE(underWayWhenRun);
    EXPECT_EQ(window->panelText(4), QStringLiteral("COM 1")) << "the poll's reply was shown";
}

TEST_F(MainWindowTest, ARunningOperationRefusesCommandsThatWouldCutIntoIt)
{
    // Program Device runs with its progress window modeless, so the main
    // window's commands can be clicked in the middle of it.
    window->mnuNew_Click();
    DatiProgetto.Veicolo = QStringLiteral("being programmed");
    int instrument = 0;
    int editors = 0;
    commands.standIns[WindowCommand::ReadDevice] = [&instrument](QWidget*) { ++instrument; };
    commands.standIns[WindowCommand::DownloadData] = [&instrument](QWidget*) { ++instrument; };
    commands.standIns[WindowCommand::Setup] = [&editors](QWidget*) { ++editors; };
    commands.standIns[WindowCommand::CustomizeSensors] = [&editors](QWidget*) { ++editors; };
    FileRecenti[0] = path("other.pro");
    fileDialogs.answers = {path("other.pro")};
    {
        StatoComunicazione.ComandoInCorso = 0x12;
        LinkGuard run;
        for (const char* key : {"ReadDev", "DownData", "New", "Open", "Setup", "CustSensors"})
            window->Toolbar1_ButtonClick(QString::fromLatin1(key));
        window->menuAction(QStringLiteral("mnuRecentFiles0"))->trigger();
        StatoComunicazione.ComandoInCorso = 0;
    }
    // Nor is anything left over to start by itself once the run has ended.
    window->tmrComm_Timer();
    QCoreApplication::processEvents();
    EXPECT_EQ(instrument, 0);
    EXPECT_EQ(editors, 0);
    EXPECT_TRUE(fileDialogs.asked.empty());
    EXPECT_EQ(DatiProgetto.Veicolo, QStringLiteral("being programmed"));
}

TEST_F(MainWindowTest, StatusPanels)
{
    EXPECT_EQ(window->panelPicture(5), PanelPicture::LampOff);
    EXPECT_EQ(window->panelPicture(6), PanelPicture::LampOff);

    tick();
    EXPECT_EQ(window->panelText(4), QStringLiteral("NO COMMUNICATION"));
    EXPECT_EQ(window->panelPicture(4), PanelPicture::LinkOff);

    plugInstrument();
    port.engine.identification = QByteArrayLiteral("DASH 2.1  ");
    tick();
    EXPECT_EQ(window->panelText(4), QStringLiteral("COM 1"));
    EXPECT_EQ(window->panelPicture(4), PanelPicture::LinkOn);
    EXPECT_EQ(window->panelText(7), QStringLiteral("DASH 2.1  "));

    DatiProgetto.NomeProgetto.clear();
    fileDialogs.answers = {path("p.pro")};
    window->mnuNew_Click();
    window->mnuSaveAs_Click();
    EXPECT_EQ(window->panelText(1), QStringLiteral("No Project Name"));
    EXPECT_EQ(window->panelText(2), path("p.pro"));

    // Panels out of range are ignored.
    window->setPanelText(0, "x");
    window->setPanelText(8, "x");
    EXPECT_TRUE(window->panelText(8).isEmpty());
}

TEST_F(MainWindowTest, SizeRuleByScreenHeight)
{
    EXPECT_EQ(frmMain::sizeForScreenTwips(9000), QSize(12000, 7680));
    EXPECT_EQ(frmMain::sizeForScreenTwips(11520), QSize(15360, 10200));
    EXPECT_EQ(frmMain::sizeForScreenTwips(9015), std::nullopt);

    // 15 twips to the pixel at 96 dpi.
    struct Case {
        int pixels;
        double dpi;
        QSize size;
    } cases[] = {
        {600, 96, QSize(800, 512)},
        {768, 96, QSize(1024, 680)},
        {601, 96, QSize(900, 600)},
        {1024, 96, QSize(900, 600)},
        {900, 144, QSize(1200, 768)},
    };
    for (const Case& c : cases) {
        window->applySizeRule(c.pixels, c.dpi);
        EXPECT_EQ(window->size(), c.size) << c.pixels << " px at " << c.dpi;
    }
}

TEST_F(MainWindowTest, LanguageChangeFromTheMenu)
{
    const QByteArray before = readFile("LANGUAGES.DAT");
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<dlgLanguages*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->optItaliano->isChecked());
        dialog->optInglese->click();
        dialog->OKButton->click();
    });
    window->mnuLanguage_Click();
    EXPECT_EQ(TabellaLingua.IndiceLingua, 1);
    EXPECT_EQ(TabellaLingua.OffsetLingua, kFixtureTexts);
    EXPECT_EQ(window->menuAction("mnuNew")->text(), fixtureText(1, 2));
    EXPECT_EQ(window->buttonAction("New")->toolTip(), fixtureText(1, 2));
    const QByteArray after = readFile("LANGUAGES.DAT");
    EXPECT_TRUE(after.startsWith("1\r\n"));
    EXPECT_EQ(after.mid(3), before.mid(3));

    // Back to Italian with Cancel: in use now, not stored.
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<dlgLanguages*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->optItaliano->click();
        dialog->CancelButton->click();
    });
    window->mnuLanguage_Click();
    EXPECT_EQ(window->menuAction("mnuNew")->text(), fixtureText(0, 2));
    EXPECT_EQ(readFile("LANGUAGES.DAT"), after);
}

TEST_F(MainWindowTest, NotesFromTheToolbarBeforeAnyProjectAndClosedByNew)
{
    ASSERT_FALSE(menuOn("mnuNote"));
    window->buttonAction("Note")->trigger();
    QPointer<dlgNoteProgetto> notes = window->notesDialog();
    ASSERT_TRUE(notes);
    EXPECT_TRUE(notes->isVisible());
    EXPECT_FALSE(notes->isModal());
    EXPECT_TRUE(notes->txtNomeProgetto->text().isEmpty());
    // A second command brings up the same dialog.
    window->buttonAction("Note")->trigger();
    EXPECT_EQ(window->notesDialog(), notes.data());

    // A new project takes the dialog of the old one away.
    window->mnuNew_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(notes.isNull());
}

TEST_F(MainWindowTest, InfoShowsTheAboutBoxUntilAKey)
{
    window->menuAction("mnuInfo")->trigger();
    QPointer<frmSplash> about = window->aboutBox();
    ASSERT_TRUE(about);
    EXPECT_TRUE(about->blnInfo);
    EXPECT_TRUE(about->isVisible());
    window->mnuInfo_Click();
    EXPECT_EQ(window->aboutBox(), about.data());
    QTest::keyClick(about.data(), Qt::Key_Space);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(about.isNull());
}

TEST_F(MainWindowTest, AnalyzeOpensTheChosenFileInTheAnalysisWindow)
{
    // A session that is not there: the analysis window says so and closes.
    fileDialogs.answers = {path("lap.csv")};
    window->buttonAction("Analize")->trigger();
    ASSERT_FALSE(msgs.shown.empty());
    for (const ShownMessage& m : msgs.shown) {
        EXPECT_TRUE(m.text.contains("lap.")) << m.text.toStdString();
        EXPECT_EQ(m.icon, MsgIcon::Critical);
    }
    EXPECT_FALSE(StatoComunicazione.AnalisiAperta);
    EXPECT_FALSE(AnalisiCaricata);
}

class KeyboardTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void TearDown() override
    {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        MainWindowTest::TearDown();
    }

    QMenu* menu(const char* name) { return window->menuBar()->findChild<QMenu*>(QLatin1String(name)); }
};

TEST_F(KeyboardTest, F10OrAltOpensTheMenusAndTheArrowsGoOn)
{
    QTest::keyClick(window.get(), Qt::Key_F10);
    EXPECT_EQ(QApplication::activePopupWidget(), menu("mnuProjectFile"));
    // The configuration menu is off without a project: the arrow passes it.
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Right);
    EXPECT_EQ(QApplication::activePopupWidget(), menu("mnuDevice"));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Left);
    QMenu* file = menu("mnuProjectFile");
    ASSERT_EQ(QApplication::activePopupWidget(), file);
    QTest::keyClick(file, Qt::Key_Escape);
    QTest::keyClick(window->menuBar(), Qt::Key_Escape);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

    // Alt alone marks the first menu; Down opens it and Enter runs New.
    window->activateWindow();
    QTest::keyPress(window.get(), Qt::Key_Alt);
    QTest::keyRelease(window.get(), Qt::Key_Alt);
    EXPECT_EQ(window->menuBar()->activeAction(), file->menuAction());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    ASSERT_EQ(QApplication::activePopupWidget(), file);
    EXPECT_EQ(file->activeAction(), window->menuAction("mnuNew"));
    QTest::keyClick(file, Qt::Key_Return);
    EXPECT_EQ(window->panelText(1), fixtureText(0, 131));
}

TEST_F(KeyboardTest, TheUsualKeysForNewOpenSaveAndQuit)
{
    QTest::keySequence(window.get(), QKeySequence::New);
    EXPECT_EQ(window->panelText(1), fixtureText(0, 131));

    // Save is off until the project has a file.
    QTest::keySequence(window.get(), QKeySequence::Save);
    EXPECT_TRUE(fileDialogs.asked.empty());
    fileDialogs.answers = {path("keys.pro")};
    window->mnuSaveAs_Click();
    ASSERT_TRUE(QFile::remove(path("keys.pro")));
    QTest::keySequence(window.get(), QKeySequence::Save);
    EXPECT_TRUE(QFileInfo::exists(path("keys.pro")));

    fileDialogs.answers = {path("keys.pro")};
    QTest::keySequence(window.get(), QKeySequence::Open);
    ASSERT_EQ(fileDialogs.asked.size(), 2u);
    EXPECT_FALSE(fileDialogs.asked[1].save);
    EXPECT_EQ(window->panelText(2), path("keys.pro"));

    // The menu shows the key beside each item; Quit is the platform's, or
    // Ctrl+Q where the platform names none.
    EXPECT_EQ(window->menuAction("mnuNew")->shortcut(), QKeySequence(QKeySequence::New));
    const QKeySequence quit = window->menuAction("mnuExit")->shortcut();
    const QKeySequence platform(QKeySequence::Quit);
    EXPECT_EQ(quit, platform.isEmpty() ? QKeySequence(Qt::CTRL | Qt::Key_Q) : platform);

    QSignalSpy done(window.get(), &frmMain::shutDownDone);
    QTest::keySequence(window.get(), quit);
    EXPECT_EQ(done.count(), 1);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, OperationPanelHoldsEveryOperationTextInBothLanguages)
{
    // The shipped texts, the longest there are.
    const int texts[] = {146, 150, 151, 152, 153, 154, 155, 156, 158, 159, 160, 161, 162, 163,
                         164, 203, 205, 206, 219, 227, 322, 323, 331, 332, 333, 334};
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    auto* panel = window->statusBar()->findChild<QFrame*>(QStringLiteral("sbPanel3"));
    ASSERT_NE(panel, nullptr);
    // The other panels with long texts of their own.
    window->setPanelText(1, QStringLiteral("Vallelunga, spring test days"));
    window->setPanelText(2, QStringLiteral("/home/driver/projects/vallelunga-2024-spring-test-days.pro"));
    window->setPanelText(4, QStringLiteral("NO COMMUNICATION"));
    window->setPanelText(7, QStringLiteral("ZUV-EMU 01"));
    // The design size and the smallest screen's size.
    for (int screenHeight : {1024, 600}) {
        window->applySizeRule(screenHeight, 96);
        for (int language : {0, 1}) {
            loadShippedLanguages(language);
            window->MDIForm_Activate();
            for (int n : texts) {
                const QString text = languageText(n);
                window->setPanelText(3, text);
                QApplication::processEvents();
                QLabel* shown = nullptr;
                for (QLabel* l : panel->findChildren<QLabel*>())
                    if (l->text() == text)
                        shown = l;
                ASSERT_NE(shown, nullptr);
                // What the frame and the window leave of it to be seen.
                EXPECT_GE(shown->visibleRegion().boundingRect().width(),
                          shown->fontMetrics().horizontalAdvance(text))
                    << window->width() << " " << language << " " << n << " " << text.toStdString();
            }
        }
    }
    // The main window kept the size its rule gave it.
    EXPECT_EQ(window->width(), 800);
}

TEST_F(MainWindowTest, AProgramFolderThatCannotBeWrittenIsSaidOnceAndTheListGoesOn)
{
    writeFile(QStringLiteral("RecentFiles.ini/inside"), "a folder in the file's place");
    DatiProgetto.NomeProgetto = QStringLiteral("Mugello");
    PercorsoFileProgetto = path("mugello.pro");
    ASSERT_TRUE(SalvaProgetto());
    DatiProgetto.NomeProgetto = QStringLiteral("Imola");
    PercorsoFileProgetto = path("imola.pro");
    ASSERT_TRUE(SalvaProgetto());
    msgs.clear();

    fileDialogs.answers = {path("mugello.pro"), path("imola.pro")};
    window->mnuOpen_Click();
    window->mnuOpen_Click();
    window->mnuRecentFiles_Click(1);
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_NE(msgs.shown[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(window->menuAction("mnuRecentFiles0")->isVisible());
    EXPECT_EQ(window->menuAction("mnuRecentFiles0")->data().toString(), path("mugello.pro"));
    EXPECT_EQ(window->menuAction("mnuRecentFiles1")->data().toString(), path("imola.pro"));
    EXPECT_EQ(window->panelText(1), QStringLiteral("Mugello"));

    QSignalSpy done(window.get(), &frmMain::shutDownDone);
    window->close();
    EXPECT_EQ(done.count(), 1);
    EXPECT_EQ(msgs.shown.size(), 1u) << "nothing more at the exit";
}

class ShutDownTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->mnuNew_Click();
        DatiProgetto.NomeProgetto = QStringLiteral("Vallelunga");
        ProgettoModificato = true;
        msgs.clear();
    }
};

TEST_F(ShutDownTest, CancelKeepsTheProgramRunning)
{
    QSignalSpy done(window.get(), &frmMain::shutDownDone);
    msgs.answers = {MsgAnswer::Cancel};
    window->menuAction("mnuExit")->trigger();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(done.count(), 0);
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text, fixtureText(0, 127) + "Vallelunga " + fixtureText(0, 128) + "\n" +
                                      fixtureText(0, 129));
}

TEST_F(ShutDownTest, YesWithSaveAsCancelledKeepsItRunningNoEnds)
{
    QSignalSpy done(window.get(), &frmMain::shutDownDone);
    msgs.answers = {MsgAnswer::Yes};
    window->buttonAction("Exit")->trigger();
    EXPECT_TRUE(window->isVisible()) << "Save As was cancelled";
    EXPECT_EQ(fileDialogs.asked.size(), 1u);

    msgs.answers = {MsgAnswer::No};
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(done.count(), 1);
    EXPECT_FALSE(window->pollTimer().isActive());
    EXPECT_TRUE(QFile::exists(path("RecentFiles.ini")));
}

TEST_F(ShutDownTest, ACloseDuringAnExchangeWaitsForItsEnd)
{
    QSignalSpy done(window.get(), &frmMain::shutDownDone);
    msgs.answers = {MsgAnswer::No};
    {
        LinkGuard exchange;
        window->close();
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(msgs.shown.empty());
    }
    window->tmrComm_Timer();
    EXPECT_TRUE(QTest::qWaitFor([&] { return done.count() == 1; }, 2000));
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(msgs.shown.size(), 1u);
}

} // namespace
} // namespace zuv::test
