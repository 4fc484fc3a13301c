#include "support/link_fixture.h"

#include "link/commands.h"
#include "platform/serialport.h"

namespace zuv::test {

std::vector<int> FakeLinkTest::commandsSent() const
{
    std::vector<int> out;
    for (const QByteArray& f : port.engine.received)
        if (f.size() > 1 && f[1] != char(cmd::Hello))
            out.push_back(quint8(f[1]));
    return out;
}

void FakeLinkTest::SetUp()
{
    ZuvTest::SetUp();
    useNumberedTexts();
    setSerialPort(&port);
}

void FakeLinkTest::TearDown()
{
    setSerialPort(nullptr);
    ZuvTest::TearDown();
}

} // namespace zuv::test
