#pragma once
// The program's frame window: menus, toolbar, status bar and the 200 ms
// instrument poll. It is the main surface of the model and the link while
// it lives. The commands with windows of their own run through the
// `CommandWindows` it is given (the real windows unless a test gives
// stand-ins).

#include "platform/mainsurface.h"
#include "shell/ui/command_windows.h"
#include "shell/ui/dlgNoteProgetto.h"
#include "shell/ui/frmSplash.h"
#include "shell/ui/frmStampaDatiProgetto.h"

#include <QMainWindow>
#include <QPointer>
#include <QSize>
#include <QTimer>
#include <array>
#include <map>
#include <memory>
#include <optional>

class QLabel;
class QMenu;
class QToolBar;

namespace zuv {

class frmMain : public QMainWindow, public MainSurface {
    Q_OBJECT
public:
    // Without `commands`, its own real ones; given ones must outlive it.
    explicit frmMain(CommandWindows* commands = nullptr, QWidget* parent = nullptr);
    ~frmMain() override;

    // The load sequence: window size, shared state, captions, then the
    // poll starts. False when the language database failed: the program
    // must end.
    bool MDIForm_Load();
    // Every caption and tooltip from the language table.
    void MDIForm_Activate();
    // The toolbar's dispatch by key; "Print" and unknown keys do nothing.
    void Toolbar1_ButtonClick(const QString& key);

    // The window size in twips for a screen height in twips: 9000 and 11520
    // have their own, any other keeps the design size (nothing).
    static std::optional<QSize> sizeForScreenTwips(int screenHeightTwips);
    static constexpr QSize kDesignSizeTwips{13500, 9000};
    // Applies the size rule for a screen height in pixels at `dpi`.
    void applySizeRule(int screenHeightPixels, double dpi);

    // MainSurface.
    void setMenuEnabled(const QString& menu, bool on) override;
    void setButtonEnabled(const QString& key, bool on) override;
    void setPanelText(int panel, const QString& text) override;
    void setPanelPicture(int panel, PanelPicture picture) override;
    void setRecentItem(int item, bool visible, const QString& caption) override;
    void setBusy(bool busy) override;

    // For tests and for the windows that look at the main window.
    QAction* menuAction(const QString& name) const;
    QAction* buttonAction(const QString& key) const;
    QStringList buttonKeys() const;
    QString panelText(int panel) const;
    PanelPicture panelPicture(int panel) const;
    QToolBar* toolbar() const { return Toolbar1; }
    QTimer& pollTimer() { return tmrComm; }
    dlgNoteProgetto* notesDialog() const { return notes_; }
    frmSplash* aboutBox() const { return about_; }

    static constexpr int kPollIntervalMs = 200;

signals:
    // The shut-down has run; the program may end.
    void shutDownDone();

public slots:
    void mnuNew_Click();
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuPrint_Click();
    void mnuNote_Click();
    void mnuExit_Click();
    void mnuRecentFiles_Click(int index);
    void mnuSetup_Click();
    void mnuSensors_Click();
    void mnuAlarms_Click();
    void mnuCustomizeSensors_Click();
    void mnuProgramDevice_Click();
    void mnuReadDevice_Click();
    void mnuViewDevice_Click();
    void mnuDownloadData_Click();
    void mnuSaveData_Click();
    void mnuAnalize_Click();
    void mnuLanguage_Click();
    void mnuInfo_Click();
    void tmrComm_Timer();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Panel {
        QLabel* picture = nullptr;
        QLabel* text = nullptr;
        PanelPicture shown = PanelPicture::None;
    };

    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    // A command in a menu or in the menu bar itself.
    QAction* addMenuItem(QWidget* owner, const QString& name, void (frmMain::*handler)());
    QMenu* addTopMenu(const QString& name);
    QAction* addMenuSeparator(QMenu* menu, const QString& name);
    // A menu or toolbar command, unless an instrument operation holds them off.
    void runCommand(void (frmMain::*handler)());
    void closeProjectWindows();
    void updateRecentSeparator();
    // Panel 3 as wide as the longest operation text of the language table.
    void fitOperationPanel();
    // The first menu open, for the keyboard.
    void openMenuBar();

    std::map<QString, QAction*> menus_;
    std::map<QString, QAction*> buttons_;
    QStringList keys_;
    std::array<QAction*, 4> recent_{};
    QAction* mnuspazio1 = nullptr;
    QToolBar* Toolbar1 = nullptr;
    std::array<Panel, 8> panels_{};
    QTimer tmrComm;
    bool busy_ = false;
    bool closePending_ = false;
    bool shutDownRun_ = false;
    std::unique_ptr<QtCommandWindows> ownCommands_;
    CommandWindows* commands_;
    QPointer<dlgNoteProgetto> notes_;
    QPointer<frmStampaDatiProgetto> printout_;
    QPointer<frmSplash> about_;
};

} // namespace zuv
