#include "support/ui/user_at_the_line.h"

#include "link/command_set.h"
#include "platform/dialogs.h"
#include "platform/messages.h"
#include "shell/poll.h"
#include "support/link_probes.h"

#include <QAction>
#include <QPushButton>
#include <QTest>

namespace zuv::test {

QString shown(const ModalDriver::Box& box)
{
    return QStringLiteral("%1 | %2 | icon %3 | %4 buttons")
        .arg(box.text, box.title)
        .arg(int(box.icon))
        .arg(box.buttons.size());
}

void UserAtTheLine::TearDown()
{
    user.reset();
    line.detach();
    MainWindowFixture::TearDown();
}

void UserAtTheLine::startUser()
{
    setMessages(&qtMessages);
    setDialogs(&qtDialogs);
    user = std::make_unique<ModalDriver>();
    window->show();
    command("mnuNew");
}

void UserAtTheLine::command(const char* menu)
{
    QAction* a = window->menuAction(QString::fromLatin1(menu));
    ASSERT_NE(a, nullptr) << menu;
    ASSERT_TRUE(a->isEnabled()) << menu;
    a->trigger();
}

void UserAtTheLine::pageRun(const char* menu, const char* windowClass, const char* button, int boxes,
                            std::function<void(QWidget&)> look)
{
    user->on(windowClass, [button](QWidget& w) {
        QTest::mouseClick(w.findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
    });
    for (int i = 0; i < boxes; ++i)
        user->click(QMessageBox::Ok);
    user->on(
        windowClass,
        [look](QWidget& w) {
            if (look)
                look(w);
            w.findChild<QPushButton*>(QStringLiteral("CancelButton"))->click();
        },
        QStringLiteral("the page once its run is over"),
        [button](QWidget& w) { return w.findChild<QPushButton*>(QLatin1String(button))->isEnabled(); });
    emulator.clearReceived();
    command(menu);
    ASSERT_TRUE(user->waitDone(60000));
}

QStringList UserAtTheLine::boxesMet() const
{
    QStringList out;
    for (const ModalDriver::Box& b : user->boxes)
        out << shown(b);
    return out;
}

std::vector<int> UserAtTheLine::commands() const
{
    std::vector<int> codes;
    for (const QByteArray& f : emulator.received()) {
        const int code = f.size() > 1 ? quint8(f[1]) : -1;
        if (code >= 0 && code != cmd::Hello && code != cmd::VerificaComunicazione)
            codes.push_back(code);
    }
    return codes;
}

void UserAtAQuickLine::SetUp()
{
    MainWindowFixture::SetUp();
    if (!line.attach(fakeClock, 1, 50))
        GTEST_SKIP() << "no pseudo-terminal";
    startUser();
    ASSERT_TRUE(pollTick());
    ASSERT_EQ(window->panelText(4), QStringLiteral("COM 1"));
}

} // namespace zuv::test
