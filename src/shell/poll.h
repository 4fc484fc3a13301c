#pragma once
// The main window's 200 ms instrument poll, without the window.

namespace zuv {

// One tick: nothing while an analysis window is open, an operation runs, the
// link is busy or the previous tick's exchanges are still under way.
// Otherwise makes sure a port is open to the instrument and polls it
// (PollExchange, which never waits and shows the poll's outcome); when that
// is over it shows a connection that failed in panel 4, enables Download
// Data while the instrument answers and switches the open page's instrument
// buttons when that changes. It never shows a message. A port whose device
// went away is closed so that the next tick scans again; a port whose
// instrument falls silent stays open.
// Returns whether the tick started.
bool startPollTick();

} // namespace zuv
