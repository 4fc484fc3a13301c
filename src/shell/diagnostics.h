#pragma once
// The live values while their dialog is shown: one operation for the whole
// showing, refreshed pass by pass (status, 50 ms, raw inputs, 50 ms, then
// the window system's turn).

#include "link/operation.h"

namespace zuv {

struct DiagnosticsStep {
    bool connected = false; // some port answered
    bool read = false;    // both reads came back
};

class DiagnosticsRun {
public:
    DiagnosticsRun();

    // One pass. The first failed read of an outage shows the communication
    // error; the rest of the outage stays quiet, so a silent instrument does
    // not raise a message on every pass. A pass that reads again ends the
    // outage.
    DiagnosticsStep step();

private:
    // One read as a quiet step, then the pause: false only when it ran and
    // failed.
    bool read(bool (*command)(), DiagnosticsStep& result);

    Operation operation_;
    bool inOutage_ = false;
};

} // namespace zuv
