#pragma once
// The main window loaded over the shell's ground, as the program opens it
// (the analysis windows registered), with its poll stopped: the tests tick
// it themselves. Its commands with windows of their own run through
// `commands`, where a test may put stand-ins.

#include "shell/ui/frmMain.h"
#include "support/shell_fixture.h"
#include "support/ui/analysis_windows.h"
#include "support/ui/command_stand_ins.h"

#include <memory>

namespace zuv::test {

class MainWindowFixture : public ShellTest {
protected:
    void SetUp() override;
    void TearDown() override;

    CommandStandIns commands;
    AnalysisWindowsRegistered analysisWindows;
    std::unique_ptr<frmMain> window;
};

} // namespace zuv::test
