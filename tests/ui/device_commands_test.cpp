// Program Device and Read Device from the main window: the real progress
// window, against the in-process instrument.

#include "link/commands.h"
#include "project/project_file.h"
#include "shell/ui/dlgStrumento.h"
#include "support/ui/main_window_fixture.h"

#include <QApplication>

namespace zuv::test {
namespace {

class DeviceCommandsTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        plugInstrument();
        NuovoProgetto();
    }

    dlgStrumento* progressWindow() const
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<dlgStrumento*>(w); d && d->isVisible())
                return d;
        return nullptr;
    }
};

TEST_F(DeviceCommandsTest, ASuccessfulRunLeavesTheProgressWindowWithItsResult)
{
    msgs.answers = {MsgAnswer::Ok, MsgAnswer::Ok};
    window->mnuProgramDevice_Click();
    dlgStrumento* progress = progressWindow();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->heading(), fixtureText(0, 238));
    EXPECT_EQ(progress->result(), fixtureText(0, 238) + " " + fixtureText(0, 237));
    EXPECT_EQ(progress->log().count("\r\n"), 12);
    EXPECT_EQ(port.engine.pages.count(cmd::InviaDatiAllarmi), 1u);

    // A second run replaces the window of the first.
    window->mnuReadDevice_Click();
    progress = progressWindow();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->heading(), fixtureText(0, 239));
    EXPECT_TRUE(ProgettoModificato);
}

TEST_F(DeviceCommandsTest, AFailedRunClosesTheProgressWindow)
{
    port.engine.setFault(emu::Fault::Silence, -1, cmd::InviaDatiSensori);
    msgs.answers.push_back(MsgAnswer::Ok);
    window->mnuProgramDevice_Click();
    EXPECT_EQ(progressWindow(), nullptr);
    ASSERT_FALSE(msgs.shown.empty());
    EXPECT_EQ(msgs.shown.back().text, fixtureText(0, 230));
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
}

} // namespace
} // namespace zuv::test
