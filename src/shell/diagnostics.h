#pragma once
// The live values while their dialog is shown: one operation for the whole
// showing, refreshed pass by pass (status, 50 ms, raw inputs, 50 ms, then
// the window system's turn).

#include "link/operation.h"

namespace zuv {

class DiagnosticsRun {
public:
    DiagnosticsRun();

    // One pass. Each read connects first, so without an instrument each
    // runs the port scan; each read that fails shows the communication
    // error, and the values keep what they last showed.
    void step();

private:
    Operation operation_;
};

} // namespace zuv
