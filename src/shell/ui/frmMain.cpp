#include "shell/ui/frmMain.h"

#include "link/link_guard.h"
#include "link/operation.h"
#include "link/poll_exchange.h"
#include "platform/twips.h"
#include "project/state.h"
#include "shell/analysis_window.h"
#include "shell/command_captions.h"
#include "shell/poll.h"
#include "shell/project_commands.h"
#include "shell/ui/dlgLanguages.h"
#include "shell/ui/dlgNoteProgetto.h"
#include "shell/ui/frmSplash.h"
#include "shell/ui/frmStampaDatiProgetto.h"
#include "shell/ui/pictures.h"
#include "shell/ui/work_area.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>
#include <exception>

namespace zuv {

namespace {

// Panel 3 at least, however short the operation texts.
constexpr int kOperationPanelMinimum = 150;

// A toolbar button: its key, the menu item that names it and shares its
// picture, and the command it runs.
struct ToolbarButton {
    const char* key;
    const char* menu;
    void (frmMain::*click)();

    bool separator() const { return *key == '\0'; }
};

// The toolbar, left to right; an empty key stands for a separator. Print
// runs nothing: the printout is reached only through its menu item, which
// no command enables.
constexpr ToolbarButton kToolbar[] = {
    {"New", "mnuNew", &frmMain::mnuNew_Click},
    {"Open", "mnuOpen", &frmMain::mnuOpen_Click},
    {"Save", "mnuSave", &frmMain::mnuSave_Click},
    {"SaveAs", "mnuSaveAs", &frmMain::mnuSaveAs_Click},
    {"Print", "mnuPrint", nullptr},
    {"Note", "mnuNote", &frmMain::mnuNote_Click},
    {"Exit", "mnuExit", &frmMain::mnuExit_Click},
    {"", "", nullptr},
    {"Setup", "mnuSetup", &frmMain::mnuSetup_Click},
    {"Sensor", "mnuSensors", &frmMain::mnuSensors_Click},
    {"Alarm", "mnuAlarms", &frmMain::mnuAlarms_Click},
    {"", "", nullptr},
    {"CustSensors", "mnuCustomizeSensors", &frmMain::mnuCustomizeSensors_Click},
    {"", "", nullptr},
    {"ProgDev", "mnuProgramDevice", &frmMain::mnuProgramDevice_Click},
    {"ReadDev", "mnuReadDevice", &frmMain::mnuReadDevice_Click},
    {"ViewDev", "mnuViewDevice", &frmMain::mnuViewDevice_Click},
    {"", "", nullptr},
    {"DownData", "mnuDownloadData", &frmMain::mnuDownloadData_Click},
    {"SaveData", "mnuSaveData", &frmMain::mnuSaveData_Click},
    {"Analize", "mnuAnalize", &frmMain::mnuAnalize_Click},
    {"", "", nullptr},
    {"Language", "mnuLanguage", &frmMain::mnuLanguage_Click},
};

QString escapeMnemonics(QString text) { return text.replace(QLatin1Char('&'), QStringLiteral("&&")); }

} // namespace

frmMain::frmMain(CommandWindows* commands, QWidget* parent)
    : QMainWindow(parent), ownCommands_(commands ? nullptr : std::make_unique<QtCommandWindows>()),
      commands_(commands ? commands : ownCommands_.get())
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("zuv"));
    setWindowIcon(programIcon());
    resize(int(twipsToPixels(kDesignSizeTwips.width(), kDesignDpi)),
           int(twipsToPixels(kDesignSizeTwips.height(), kDesignDpi)));

    buildMenus();
    buildToolbar();
    buildStatusBar();

    // A plain work area: the windows of the program open over it.
    setCentralWidget(new WorkArea(this));

    tmrComm.setObjectName(QStringLiteral("tmrComm"));
    tmrComm.setInterval(kPollIntervalMs);
    connect(&tmrComm, &QTimer::timeout, this, &frmMain::tmrComm_Timer);

    setMainSurface(this);
}

frmMain::~frmMain()
{
    tmrComm.stop();
    PollExchange::instance().abandon();
    if (&mainSurface() == static_cast<MainSurface*>(this))
        setMainSurface(nullptr);
    if (busy_)
        QApplication::restoreOverrideCursor();
}

QAction* frmMain::addMenuItem(QWidget* owner, const QString& name, void (frmMain::*handler)())
{
    QAction* action = owner->addAction(QString());
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, [this, handler] { runCommand(handler); });
    menus_[name] = action;
    return action;
}

QMenu* frmMain::addTopMenu(const QString& name)
{
    QMenu* menu = menuBar()->addMenu(QString());
    menu->setObjectName(name);
    menus_[name] = menu->menuAction();
    return menu;
}

QAction* frmMain::addMenuSeparator(QMenu* menu, const QString& name)
{
    QAction* separator = menu->addSeparator();
    separator->setObjectName(name);
    menus_[name] = separator;
    return separator;
}

void frmMain::buildMenus()
{
    QMenu* file = addTopMenu(QStringLiteral("mnuProjectFile"));
    addMenuItem(file, QStringLiteral("mnuNew"), &frmMain::mnuNew_Click);
    addMenuItem(file, QStringLiteral("mnuOpen"), &frmMain::mnuOpen_Click);
    addMenuItem(file, QStringLiteral("mnuSave"), &frmMain::mnuSave_Click);
    addMenuItem(file, QStringLiteral("mnuSaveAs"), &frmMain::mnuSaveAs_Click);
    addMenuItem(file, QStringLiteral("mnuPrint"), &frmMain::mnuPrint_Click);
    addMenuItem(file, QStringLiteral("mnuNote"), &frmMain::mnuNote_Click);
    addMenuSeparator(file, QStringLiteral("mnuspazio"));
    addMenuItem(file, QStringLiteral("mnuExit"), &frmMain::mnuExit_Click);
    mnuspazio1 = addMenuSeparator(file, QStringLiteral("mnuspazio1"));
    for (int i = 0; i < 4; ++i) {
        QAction* item = file->addAction(QString());
        item->setObjectName(QStringLiteral("mnuRecentFiles%1").arg(i));
        item->setVisible(false);
        connect(item, &QAction::triggered, this, [this, i] {
            if (!operationRunning())
                mnuRecentFiles_Click(i);
        });
        recent_[std::size_t(i)] = item;
    }
    updateRecentSeparator();

    QMenu* configure = addTopMenu(QStringLiteral("mnuConfigure"));
    addMenuItem(configure, QStringLiteral("mnuSetup"), &frmMain::mnuSetup_Click);
    addMenuItem(configure, QStringLiteral("mnuSensors"), &frmMain::mnuSensors_Click);
    addMenuItem(configure, QStringLiteral("mnuAlarms"), &frmMain::mnuAlarms_Click);
    addMenuItem(configure, QStringLiteral("mnuCustomizeSensors"), &frmMain::mnuCustomizeSensors_Click);

    QMenu* device = addTopMenu(QStringLiteral("mnuDevice"));
    addMenuItem(device, QStringLiteral("mnuProgramDevice"), &frmMain::mnuProgramDevice_Click);
    addMenuItem(device, QStringLiteral("mnuReadDevice"), &frmMain::mnuReadDevice_Click);
    addMenuItem(device, QStringLiteral("mnuViewDevice"), &frmMain::mnuViewDevice_Click);

    QMenu* analysis = addTopMenu(QStringLiteral("mnuAnalysis"));
    addMenuItem(analysis, QStringLiteral("mnuDownloadData"), &frmMain::mnuDownloadData_Click);
    addMenuItem(analysis, QStringLiteral("mnuSaveData"), &frmMain::mnuSaveData_Click);
    addMenuItem(analysis, QStringLiteral("mnuAnalize"), &frmMain::mnuAnalize_Click);

    // Two commands stand in the menu bar itself.
    addMenuItem(menuBar(), QStringLiteral("mnuLanguage"), &frmMain::mnuLanguage_Click);
    addMenuItem(menuBar(), QStringLiteral("mnuInfo"), &frmMain::mnuInfo_Click);

    // The usual keys of the desktop for the usual commands.
    menus_.at(QStringLiteral("mnuNew"))->setShortcut(QKeySequence::New);
    menus_.at(QStringLiteral("mnuOpen"))->setShortcut(QKeySequence::Open);
    menus_.at(QStringLiteral("mnuSave"))->setShortcut(QKeySequence::Save);
    // Some platforms name no key for Quit (their window manager closes with
    // Alt+F4); Ctrl+Q then, as on the desktops that do.
    const QKeySequence quit(QKeySequence::Quit);
    menus_.at(QStringLiteral("mnuExit"))->setShortcut(quit.isEmpty() ? QKeySequence(Qt::CTRL | Qt::Key_Q) : quit);

    // F10 opens the first menu (Alt alone marks it, by the style); the
    // arrow keys go on from there.
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    f10->setObjectName(QStringLiteral("keyMenuBar"));
    connect(f10, &QShortcut::activated, this, &frmMain::openMenuBar);

    // The menu items share the toolbar's pictures; the language item stands
    // in the menu bar itself, where a picture would take the place of its text.
    for (const ToolbarButton& b : kToolbar) {
        if (!b.separator() && b.menu != QLatin1String("mnuLanguage"))
            menus_.at(QString::fromLatin1(b.menu))->setIcon(commandIcon(QString::fromLatin1(b.key)));
    }

    // Nothing to configure or note before a project exists, and the
    // instrument commands that need a project wait for one. Printing stays
    // off: no command offers the project printout.
    for (const char* off : {"mnuConfigure", "mnuNote", "mnuPrint", "mnuProgramDevice", "mnuReadDevice"})
        menus_.at(QString::fromLatin1(off))->setEnabled(false);
}

void frmMain::openMenuBar()
{
    for (QAction* a : menuBar()->actions()) {
        if (a->isVisible() && a->isEnabled() && a->menu()) {
            menuBar()->setActiveAction(a);
            return;
        }
    }
}

void frmMain::buildToolbar()
{
    Toolbar1 = addToolBar(QString());
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->setIconSize(QSize(24, 24));
    Toolbar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    Toolbar1->toggleViewAction()->setVisible(false);
    for (const ToolbarButton& b : kToolbar) {
        if (b.separator()) {
            Toolbar1->addSeparator();
            continue;
        }
        const QString key = QString::fromLatin1(b.key);
        QAction* button = Toolbar1->addAction(commandIcon(key), QString());
        button->setObjectName(QStringLiteral("btn") + key);
        button->setData(key);
        connect(button, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
        buttons_[key] = button;
        keys_ << key;
    }
    for (const char* off : {"Setup", "Sensor", "Alarm"})
        buttons_.at(QString::fromLatin1(off))->setEnabled(false);
}

void frmMain::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("sbStatusBar"));
    // Minimum widths in pixels, small enough for the 800-pixel window of the
    // smallest screens; the path takes what is left, and shows whole in its
    // tooltip. The operation panel follows its texts (fitOperationPanel).
    const int widths[8] = {0, 120, 40, kOperationPanelMinimum, 150, 24, 24, 110};
    for (int n = 1; n <= 7; ++n) {
        auto* frame = new QFrame(bar);
        frame->setObjectName(QStringLiteral("sbPanel%1").arg(n));
        frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        frame->setMinimumWidth(widths[n]);
        auto* layout = new QHBoxLayout(frame);
        layout->setContentsMargins(4, 1, 4, 1);
        layout->setSpacing(4);
        Panel& panel = panels_[std::size_t(n)];
        panel.picture = new QLabel(frame);
        panel.picture->setFixedSize(16, 16);
        panel.picture->setVisible(false);
        layout->addWidget(panel.picture);
        panel.text = new QLabel(frame);
        panel.text->setTextFormat(Qt::PlainText);
        layout->addWidget(panel.text, 1);
        if (n == 5 || n == 6) {
            panel.text->setVisible(false);
            layout->setAlignment(panel.picture, Qt::AlignCenter);
        }
        bar->addWidget(frame, n == 2 ? 1 : 0);
    }
    setPanelPicture(5, PanelPicture::LampOff);
    setPanelPicture(6, PanelPicture::LampOff);
}

std::optional<QSize> frmMain::sizeForScreenTwips(int screenHeightTwips)
{
    if (screenHeightTwips == 9000)
        return QSize(12000, 7680);
    if (screenHeightTwips == 11520)
        return QSize(15360, 10200);
    return std::nullopt;
}

void frmMain::applySizeRule(int screenHeightPixels, double dpi)
{
    if (dpi <= 0)
        return;
    const QSize sizeTwips = sizeForScreenTwips(roundedTwips(screenHeightPixels, dpi)).value_or(kDesignSizeTwips);
    resize(roundedPixels(sizeTwips.width(), dpi), roundedPixels(sizeTwips.height(), dpi));
    if (QScreen* s = screen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
}

bool frmMain::MDIForm_Load()
{
    if (QScreen* s = screen())
        applySizeRule(s->geometry().height(), s->logicalDotsPerInchY());
    if (!startUp())
        return false;
    MDIForm_Activate();
    // Only now: a tick during the start-up messages would talk to the port
    // before the program is ready.
    tmrComm.start();
    return true;
}

void frmMain::MDIForm_Activate()
{
    auto caption = [this](const char* name, const QString& text) {
        menus_.at(QString::fromLatin1(name))->setText(text);
    };
    caption("mnuProjectFile", languageText(1));
    caption("mnuNew", languageText(2));
    caption("mnuOpen", languageText(3));
    caption("mnuSave", languageText(5));
    caption("mnuSaveAs", languageText(6));
    caption("mnuPrint", languageText(7));
    caption("mnuNote", languageText(8));
    caption("mnuExit", languageText(9));
    caption("mnuConfigure", languageText(10));
    caption("mnuSetup", languageText(11));
    caption("mnuSensors", languageText(12));
    caption("mnuAlarms", languageText(14));
    caption("mnuCustomizeSensors", languageText(13));
    caption("mnuDevice", languageText(15));
    caption("mnuProgramDevice", languageText(16));
    caption("mnuReadDevice", languageText(17));
    caption("mnuViewDevice", languageText(18));
    caption("mnuAnalysis", languageText(19));
    caption("mnuDownloadData", languageText(20));
    caption("mnuSaveData", languageText(21));
    caption("mnuAnalize", languageText(22));
    caption("mnuLanguage", languageText(23));
    caption("mnuInfo", languageText(225));

    // A button's tooltip is its menu item's caption.
    for (const ToolbarButton& b : kToolbar) {
        if (b.separator())
            continue;
        const QString tip = withoutMnemonic(menus_.at(QString::fromLatin1(b.menu))->text());
        QAction* button = buttons_.at(QString::fromLatin1(b.key));
        button->setText(tip);
        button->setToolTip(tip);
    }
    fitOperationPanel();
}

void frmMain::fitOperationPanel()
{
    // Every text an instrument operation puts in panel 3, in either
    // language, fits without being cut.
    static constexpr int kOperationTexts[] = {146, 150, 151, 152, 153, 154, 155, 156, 158, 159, 160,
                                              161, 162, 163, 164, 203, 205, 206, 219, 227, 322, 323,
                                              331, 332, 333, 334};
    QLabel* label = panels_[3].text;
    const QFontMetrics fm = label->fontMetrics();
    int widest = 0;
    for (int language = 0; language < languageCount(); ++language)
        for (int n : kOperationTexts)
            widest = std::max(widest, fm.horizontalAdvance(languageText(n, language)));
    label->setMinimumWidth(widest + 2);
    // The status bar squeezes a panel down to its own minimum, not to its
    // text's: the frame takes the width its text needs.
    QWidget* frame = label->parentWidget();
    frame->setMinimumWidth(std::max(kOperationPanelMinimum, frame->minimumSizeHint().width()));
}

void frmMain::Toolbar1_ButtonClick(const QString& key)
{
    const auto it = std::find_if(std::begin(kToolbar), std::end(kToolbar), [&key](const ToolbarButton& b) {
        return !b.separator() && key == QLatin1String(b.key);
    });
    if (it == std::end(kToolbar) || !it->click)
        return;
    // A fault inside one command must not take the window down.
    try {
        runCommand(it->click);
    } catch (const std::exception& e) {
        qWarning("command %s failed: %s", qPrintable(key), e.what());
    }
}

// --- MainSurface -------------------------------------------------------------

void frmMain::setMenuEnabled(const QString& menu, bool on)
{
    const auto it = menus_.find(menu);
    if (it != menus_.end())
        it->second->setEnabled(on);
}

void frmMain::setButtonEnabled(const QString& key, bool on)
{
    const auto it = buttons_.find(key);
    if (it != buttons_.end())
        it->second->setEnabled(on);
}

void frmMain::setPanelText(int panel, const QString& text)
{
    if (panel < 1 || panel > 7)
        return;
    panels_[std::size_t(panel)].text->setText(text);
    panels_[std::size_t(panel)].text->setToolTip(text);
}

void frmMain::setPanelPicture(int panel, PanelPicture picture)
{
    if (panel < 1 || panel > 7)
        return;
    Panel& p = panels_[std::size_t(panel)];
    p.shown = picture;
    p.picture->setPixmap(panelPixmap(picture, 16));
    p.picture->setVisible(picture != PanelPicture::None);
}

void frmMain::setRecentItem(int item, bool visible, const QString& caption)
{
    if (item < 0 || item > 3)
        return;
    QAction* action = recent_[std::size_t(item)];
    action->setText(escapeMnemonics(caption));
    action->setData(caption);
    action->setVisible(visible);
    updateRecentSeparator();
}

void frmMain::setBusy(bool busy)
{
    if (busy == busy_)
        return;
    busy_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void frmMain::updateRecentSeparator()
{
    bool any = false;
    for (QAction* a : recent_)
        any = any || (a && a->isVisible());
    if (mnuspazio1)
        mnuspazio1->setVisible(any);
}

QAction* frmMain::menuAction(const QString& name) const
{
    if (name.startsWith(QLatin1String("mnuRecentFiles"))) {
        bool ok = false;
        const int i = name.mid(14).toInt(&ok);
        return ok && i >= 0 && i < 4 ? recent_[std::size_t(i)] : nullptr;
    }
    const auto it = menus_.find(name);
    return it == menus_.end() ? nullptr : it->second;
}

QAction* frmMain::buttonAction(const QString& key) const
{
    const auto it = buttons_.find(key);
    return it == buttons_.end() ? nullptr : it->second;
}

QStringList frmMain::buttonKeys() const { return keys_; }

QString frmMain::panelText(int panel) const
{
    return panel >= 1 && panel <= 7 ? panels_[std::size_t(panel)].text->text() : QString();
}

PanelPicture frmMain::panelPicture(int panel) const
{
    return panel >= 1 && panel <= 7 ? panels_[std::size_t(panel)].shown : PanelPicture::None;
}

// --- commands ----------------------------------------------------------------

void frmMain::closeProjectWindows()
{
    // A notes dialog left open would write the old project's texts into
    // the new one.
    if (notes_)
        notes_->close();
    if (printout_)
        printout_->close();
}

void frmMain::runCommand(void (frmMain::*handler)())
{
    // The waits of a running operation let the windows take input, so that
    // its window can be closed; a command started from there would run
    // inside them. Exit alone goes through: the close follows the end.
    if (operationRunning() && handler != &frmMain::mnuExit_Click)
        return;
    (this->*handler)();
}

void frmMain::mnuNew_Click()
{
    if (newProject())
        closeProjectWindows();
}

void frmMain::mnuOpen_Click()
{
    if (openProject())
        closeProjectWindows();
}

void frmMain::mnuRecentFiles_Click(int index)
{
    if (openRecentFile(index))
        closeProjectWindows();
}

void frmMain::mnuSave_Click() { saveProject(); }

void frmMain::mnuSaveAs_Click() { saveProjectAs(); }

void frmMain::mnuPrint_Click()
{
    if (!printout_) {
        printout_ = new frmStampaDatiProgetto(this);
        printout_->setAttribute(Qt::WA_DeleteOnClose);
    }
    printout_->show();
    printout_->raise();
    printout_->activateWindow();
}

void frmMain::mnuNote_Click()
{
    if (!notes_) {
        notes_ = new dlgNoteProgetto(this);
        notes_->setAttribute(Qt::WA_DeleteOnClose);
    }
    notes_->show();
    notes_->raise();
    notes_->activateWindow();
}

void frmMain::mnuExit_Click() { close(); }

void frmMain::mnuSetup_Click() { commands_->run(WindowCommand::Setup, this); }

void frmMain::mnuSensors_Click() { commands_->run(WindowCommand::Sensors, this); }

void frmMain::mnuAlarms_Click() { commands_->run(WindowCommand::Alarms, this); }

void frmMain::mnuCustomizeSensors_Click() { commands_->run(WindowCommand::CustomizeSensors, this); }

void frmMain::mnuProgramDevice_Click() { commands_->run(WindowCommand::ProgramDevice, this); }

void frmMain::mnuReadDevice_Click() { commands_->run(WindowCommand::ReadDevice, this); }

void frmMain::mnuViewDevice_Click() { commands_->run(WindowCommand::ViewDevice, this); }

void frmMain::mnuDownloadData_Click() { commands_->run(WindowCommand::DownloadData, this); }

void frmMain::mnuSaveData_Click() { commands_->run(WindowCommand::SaveData, this); }

void frmMain::mnuAnalize_Click() { runAnalysisCommand(); }

void frmMain::mnuLanguage_Click()
{
    {
        dlgLanguages dialog(this);
        dialog.exec();
    }
    languageChanged();
    MDIForm_Activate();
}

void frmMain::mnuInfo_Click()
{
    if (!about_) {
        about_ = new frmSplash(this);
        about_->setAttribute(Qt::WA_DeleteOnClose);
    }
    about_->blnInfo = true;
    about_->show();
    about_->raise();
    about_->activateWindow();
    about_->setFocus();
}

void frmMain::tmrComm_Timer()
{
    startPollTick();
    if (linkBusy())
        return;
    if (closePending_) {
        closePending_ = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

void frmMain::closeEvent(QCloseEvent* event)
{
    if (shutDownRun_) {
        event->accept();
        return;
    }
    if (linkBusy()) {
        // Closing now would pull the port from under a waiting operation;
        // the close follows as soon as the link is free.
        closePending_ = true;
        event->ignore();
        return;
    }
    if (!shutDown()) {
        event->ignore();
        return;
    }
    shutDownRun_ = true;
    tmrComm.stop();
    closeProjectWindows();
    if (about_)
        about_->close();
    event->accept();
    emit shutDownDone();
}

void frmMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        MDIForm_Activate();
}

} // namespace zuv
