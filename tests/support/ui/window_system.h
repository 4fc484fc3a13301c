#pragma once
// Input as the window system hands it to the program: queued behind
// whatever the program is doing, delivered only when it lets the window
// system in. QTest's own clicks and keys are delivered at once, inside any
// wait, so they cannot tell whether a wait takes the user's input.

#include <Qt>

class QWidget;

namespace zuv::test {

// A key pressed and released over `w`'s window.
void queueKey(QWidget& w, Qt::Key key);
// The close box of `w`'s window.
void queueCloseBox(QWidget& w);

} // namespace zuv::test
