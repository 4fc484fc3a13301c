#include "platform/widgets/qtmessages.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    zuv::QtMessages messages;
    zuv::setMessages(&messages);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("zuv"));
    window.show();
    return app.exec();
}
