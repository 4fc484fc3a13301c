#include "platform/ui/qtdialogs.h"
#include "platform/ui/qtmessages.h"
#include "platform/ui/qtprinter.h"
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
    zuv::setPrinter(nullptr);
    zuv::setDialogs(nullptr);
    zuv::setMessages(nullptr);
    return code;
}
