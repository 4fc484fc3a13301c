#include "support/ui/main_window_fixture.h"

namespace zuv::test {

void MainWindowFixture::SetUp()
{
    ShellTest::SetUp();
    window = std::make_unique<frmMain>(&commands);
    ASSERT_TRUE(window->MDIForm_Load());
    window->pollTimer().stop();
}

void MainWindowFixture::TearDown()
{
    window.reset();
    ShellTest::TearDown();
}

} // namespace zuv::test
