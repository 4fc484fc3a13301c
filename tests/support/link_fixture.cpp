#include "support/link_fixture.h"

#include "platform/serialport.h"
#include "project/state.h"

#include <QStringList>

namespace zuv::test {

void useNumberedTexts(int count)
{
    QStringList texts{QString()};
    for (int n = 1; n <= count; ++n)
        texts << QStringLiteral("T%1").arg(n);
    TabellaLingua.TestiLingua = texts;
    TabellaLingua.NumTestiLingua = count;
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
