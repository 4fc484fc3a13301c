// The splash: its version text, the start-up wait on the clock service, and
// the about box that stays until a key or the loss of focus.

#include "shell/ui/frmSplash.h"
#include "support/shell_fixture.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QTest>

namespace zuv::test {
namespace {

TEST(SplashVersion, NumbersAreNeverPadded)
{
    EXPECT_EQ(frmSplash::versionText(1, 5, 1), QStringLiteral("Ver 1.5.1"));
    EXPECT_EQ(frmSplash::versionText(1, 5, 12), QStringLiteral("Ver 1.5.12"));
    EXPECT_EQ(frmSplash::versionText(10, 0, 0), QStringLiteral("Ver 10.0.0"));
    EXPECT_TRUE(frmSplash::programVersionText().startsWith("Ver "));
}

class SplashTest : public ShellTest {};

TEST_F(SplashTest, MainWindowComesOnceAfterThreeSecondsEvenWhenAKeyClosedTheSplash)
{
    frmSplash splash;
    splash.show();
    EXPECT_EQ(splash.findChild<QLabel*>("lblVersion")->text(), frmSplash::programVersionText());
    const qint64 start = fakeClock.now();
    bool keyed = false;
    fakeClock.onYield = [&] {
        if (!keyed && fakeClock.now() - start > 500) {
            keyed = true;
            QTest::keyClick(&splash, Qt::Key_Escape);
        }
    };
    int shown = 0;
    qint64 shownAt = 0;
    splash.startUpWait([&] {
        ++shown;
        shownAt = fakeClock.now();
        EXPECT_FALSE(splash.isVisible()) << "the key closed the splash at once";
    });
    fakeClock.onYield = nullptr;
    EXPECT_TRUE(keyed);
    EXPECT_EQ(shown, 1);
    EXPECT_GE(shownAt - start, frmSplash::kStartUpWaitMs);
    EXPECT_LT(shownAt - start, frmSplash::kStartUpWaitMs + 20);
    EXPECT_FALSE(splash.isVisible());
}

TEST_F(SplashTest, WaitWithoutAKeyClosesTheSplashAfterShowingTheMainWindow)
{
    frmSplash splash;
    splash.show();
    bool visibleWhenMainShown = false;
    splash.startUpWait([&] { visibleWhenMainShown = splash.isVisible(); });
    EXPECT_TRUE(visibleWhenMainShown);
    EXPECT_FALSE(splash.isVisible());
}

TEST_F(SplashTest, AboutBoxNeverClosesByItselfNorOpensAMainWindow)
{
    frmSplash about;
    about.blnInfo = true;
    about.show();
    int shown = 0;
    const qint64 before = fakeClock.now();
    about.startUpWait([&] { ++shown; });
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(fakeClock.now(), before);
    EXPECT_TRUE(about.isVisible());

    // Losing the focus closes it.
    QEvent deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(&about, &deactivate);
    EXPECT_FALSE(about.isVisible());
}

} // namespace
} // namespace zuv::test
