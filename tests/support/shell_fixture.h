#pragma once
// The ground of the main-window tests: a language database of made-up texts
// ("it 12", "en 12") in the program folder, a fixed today, and the
// in-process port with no instrument unless a test puts one there.

#include "platform/serialport.h"
#include "project/state.h"
#include "shell/project_commands.h"
#include "support/fake_port.h"
#include "support/fixtures.h"

#include <QByteArray>
#include <QDate>
#include <QString>

namespace zuv::test {

inline constexpr int kFixtureTexts = 400;

// LANGUAGES.DAT with `index` on line 1.
inline QByteArray fixtureLanguages(int index)
{
    QByteArray bytes = QByteArray::number(index) + "\r\nN=" + QByteArray::number(2 * kFixtureTexts) + "\r\n";
    for (int language = 0; language < 2; ++language)
        for (int n = 1; n <= kFixtureTexts; ++n)
            bytes += "T" + QByteArray::number(n) + "=" + fixtureText(language, n).toLatin1() + "\r\n";
    return bytes;
}

class ShellTest : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        writeFile(QStringLiteral("LANGUAGES.DAT"), fixtureLanguages(0));
        setTodayForTests(QDate(2024, 3, 9));
        port.instrumentPort = 0;
        port.portCount = 2;
        setSerialPort(&port);
    }
    void TearDown() override
    {
        setSerialPort(nullptr);
        setTodayForTests(std::nullopt);
        ZuvTest::TearDown();
    }

    // Puts the instrument on port 1.
    void plugInstrument()
    {
        port.instrumentPort = 1;
        port.engine.clearFault();
    }

    FakeSerialPort port;
};

} // namespace zuv::test
