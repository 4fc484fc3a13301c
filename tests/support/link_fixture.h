#pragma once
// Tests that talk to the instrument through the in-process fake port, with
// the numbered language texts that let a test see which text a message is.

#include "support/fake_port.h"
#include "support/fixtures.h"

#include <vector>

namespace zuv::test {

// ZuvTest with numbered texts and the fake port as the serial port.
class FakeLinkTest : public ZuvTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Command bytes of the frames the instrument got, the hellos left out.
    std::vector<int> commandsSent() const;

    FakeSerialPort port;
};

} // namespace zuv::test
