#pragma once
// What a test of the link reads or runs to the end where the program only
// starts it and lets the event loop carry on.

namespace zuv::test {

// One poll tick (startPollTick) with its exchanges taken to their end;
// whether the tick started.
bool pollTick();

// The number of the port the link is open on (CommPort), 0 when closed.
int portOpen();

} // namespace zuv::test
