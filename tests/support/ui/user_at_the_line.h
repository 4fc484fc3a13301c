#pragma once
// A user at the real main window, its windows and the real message boxes
// and file dialogs (answered from inside their exec()), with the emulator on
// a pseudo-terminal as the instrument: on the fake clock (UserAtAQuickLine,
// the poll ticked by the test) or in real time, as a fixture sets it up.

#include "support/emulator_line.h"
#include "support/ui/main_window_fixture.h"
#include "support/ui/modal_driver.h"

#include "platform/ui/qtdialogs.h"
#include "platform/ui/qtmessages.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace zuv::test {

// What a message box showed: its text, title, icon and how many buttons.
QString shown(const ModalDriver::Box& box);

class UserAtTheLine : public MainWindowFixture {
protected:
    void TearDown() override;

    // The user's side of the program, once the line is attached: the real
    // services, the main window shown, a new project.
    void startUser();
    // A menu command, as the user can give it only when it is enabled.
    void command(const char* menu);
    // The page `windowClass` from `menu`: `button` clicked, `boxes` message
    // boxes answered OK, then, its run over, `look` at the page and leave it
    // with Cancel.
    void pageRun(const char* menu, const char* windowClass, const char* button, int boxes,
                 std::function<void(QWidget&)> look = nullptr);
    // The boxes the user met, as shown().
    QStringList boxesMet() const;
    // The instrument's commands received, without the hello and the poll.
    std::vector<int> commands() const;

    QtMessages qtMessages;
    QtDialogs qtDialogs;
    std::unique_ptr<ModalDriver> user;
    EmulatorLine line;
    emu::Emulator& emulator = line.emulator;
};

// Waits that cost nothing, and no input inside them: the instrument found
// by one poll tick.
class UserAtAQuickLine : public UserAtTheLine {
protected:
    void SetUp() override;
};

} // namespace zuv::test
