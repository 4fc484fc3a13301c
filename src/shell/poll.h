#pragma once
// The main window's 200 ms instrument poll, without the window: tests call
// the tick directly.

namespace zuv {

// One tick: nothing while an analysis window is open, an operation runs, the
// link is busy or an earlier tick is still waiting. Otherwise makes sure a
// port is open to the instrument, polls it, shows the outcome in panel 4
// (and 7), enables Download Data while the instrument answers and switches
// the open page's instrument buttons when that changes. It never shows a
// message. A port whose device went away is closed so that the next tick
// scans again; a port whose instrument falls silent stays open. Returns
// whether the tick ran.
bool pollTick();

} // namespace zuv
