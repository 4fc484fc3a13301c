#include "analysis/ui/frmAnalisiDati.h"
#include "analysis_fast/ui/frmAnalisiDatiSpeed.h"
#include "platform/ui/qtdialogs.h"
#include "platform/ui/qtmessages.h"
#include "platform/ui/qtprinter.h"
#include "shell/analysis_window.h"
#include "shell/ui/frmMain.h"
#include "shell/ui/frmSplash.h"

#include <QApplication>
#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Modeless windows left open must not keep the program alive, and the
    // main window's close may be refused: the shut-down decides.
    app.setQuitOnLastWindowClosed(false);

    zuv::QtMessages messages;
    zuv::setMessages(&messages);
    zuv::QtDialogs fileDialogs;
    zuv::setDialogs(&fileDialogs);
    zuv::QtPrinter printer;
    zuv::setPrinter(&printer);
    // The analysis windows, a fresh one for every opening, over whichever
    // window is active then (the main window may be gone by a later one).
    zuv::setAnalysisFactory(zuv::AnalysisKind::Dati, [] {
        return std::make_unique<zuv::frmAnalisiDati>(QApplication::activeWindow());
    });
    zuv::setAnalysisFactory(zuv::AnalysisKind::DatiSpeed, [] {
        return std::make_unique<zuv::frmAnalisiDatiSpeed>(QApplication::activeWindow());
    });

    std::unique_ptr<zuv::frmMain> mainWindow;
    bool started = false;
    {
        zuv::frmSplash splash;
        splash.show();
        splash.startUpWait([&] {
            mainWindow = std::make_unique<zuv::frmMain>();
            QObject::connect(mainWindow.get(), &zuv::frmMain::shutDownDone, &app, &QApplication::quit,
                             Qt::QueuedConnection);
            started = mainWindow->MDIForm_Load();
            if (started)
                mainWindow->show();
        });
    }
    if (!started)
        return 1;
    const int code = app.exec();
    mainWindow.reset();
    zuv::setAnalysisFactory(zuv::AnalysisKind::DatiSpeed, nullptr);
    zuv::setAnalysisFactory(zuv::AnalysisKind::Dati, nullptr);
    zuv::setPrinter(nullptr);
    zuv::setDialogs(nullptr);
    zuv::setMessages(nullptr);
    return code;
}
