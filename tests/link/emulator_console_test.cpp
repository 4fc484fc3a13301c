// The emulator's console: what a newcomer types, and the real program
// answering it over its line.

#include "emulator/console.h"
#include "emulator/emulator.h"
#include "link/serial_comm.h"

#include <QProcess>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace zuv::test {
namespace {

using Kind = emu::ConsoleOrder::Kind;

TEST(EmulatorConsole, ReadsWhatIsTyped)
{
    struct Case {
        const char* line;
        Kind kind;
        quint8 code;
        int ms;
        const char* error;
    };
    const Case cases[] = {
        {"silent", Kind::Silent, 0, 0, ""},
        {"silent 0x13", Kind::Silent, 0x13, 0, ""},
        {"  SILENT   13 ", Kind::Silent, 0x13, 0, ""},
        {"silent 0X1d", Kind::Silent, 0x1D, 0, ""},
        {"late 3000", Kind::Late, 0, 3000, ""},
        {"late 3000 0x12", Kind::Late, 0x12, 3000, ""},
        {"answer", Kind::Answer, 0, 0, ""},
        {"drop", Kind::Drop, 0, 0, ""},
        {"help", Kind::Help, 0, 0, ""},
        {"", Kind::Wrong, 0, 0, "type a command; help lists them"},
        {"mute", Kind::Wrong, 0, 0, "no command mute; help lists them"},
        {"silent 0x03", Kind::Wrong, 0, 0, "0x03 is no command of the instrument (hex, e.g. 0x13)"},
        {"silent zz", Kind::Wrong, 0, 0, "zz is no command of the instrument (hex, e.g. 0x13)"},
        {"silent 13 14", Kind::Wrong, 0, 0, "too many words; help lists the commands"},
        {"late", Kind::Wrong, 0, 0, "late needs a number of milliseconds, 1 to 60000"},
        {"late 0x12", Kind::Wrong, 0, 0, "late needs a number of milliseconds, 1 to 60000"},
        {"late 70000", Kind::Wrong, 0, 0, "late needs a number of milliseconds, 1 to 60000"},
        {"answer now", Kind::Wrong, 0, 0, "answer takes nothing after it"},
    };
    for (const Case& c : cases) {
        const emu::ConsoleOrder o = emu::parseConsoleLine(c.line);
        EXPECT_EQ(o.kind, c.kind) << c.line;
        EXPECT_EQ(o.code, c.code) << c.line;
        EXPECT_EQ(o.ms, c.ms) << c.line;
        EXPECT_EQ(o.error, QString::fromLatin1(c.error)) << c.line;
    }
}

// The serving emulator obeys: a wrong line changes nothing.
TEST(EmulatorConsole, OrdersChangeHowTheInstrumentAnswers)
{
    emu::Emulator emulator;
    struct Step {
        const char* line;
        const char* said;
        bool pollAnswered;
        bool helloAnswered;
    };
    const Step steps[] = {
        {"silent 0x02", "command 0x02 now gets no reply", false, true},
        {"silent 0x99", "0x99 is no command of the instrument (hex, e.g. 0x13)", false, true},
        {"answer", "every command is answered again", true, true},
        {"silent", "every command now gets no reply", false, false},
        {"late 250 1", "command 0x01 now gets its reply 250 ms late", true, true},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(emu::applyConsoleOrder(emulator, emu::parseConsoleLine(s.line)), QString::fromLatin1(s.said));
        emulator.withEngine([&](emu::Engine& e) {
            const std::vector<emu::Reply> poll = e.feed(buildFrame(0x02));
            const std::vector<emu::Reply> hello = e.feed(buildFrame(0x01));
            ASSERT_EQ(poll.size(), 1u);
            ASSERT_EQ(hello.size(), 1u);
            EXPECT_EQ(!poll[0].chunks.empty(), s.pollAnswered) << s.line;
            EXPECT_EQ(!hello[0].chunks.empty(), s.helloAnswered) << s.line;
        });
    }
}

// The line as a program on the other end sees it: raw bytes.
class RawLine {
public:
    explicit RawLine(const QByteArray& path) : fd_(::open(path.constData(), O_RDWR | O_NOCTTY))
    {
        termios t{};
        if (fd_ >= 0 && tcgetattr(fd_, &t) == 0) {
            cfmakeraw(&t);
            tcsetattr(fd_, TCSANOW, &t);
        }
    }
    ~RawLine()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool isOpen() const { return fd_ >= 0; }
    // Sends `frame` and takes exactly n bytes back (a long bound, for a
    // failure only).
    QByteArray exchange(const QByteArray& frame, qsizetype n)
    {
        if (::write(fd_, frame.constData(), size_t(frame.size())) != frame.size())
            return {};
        QByteArray got;
        while (got.size() < n) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 10000) <= 0)
                break;
            char buf[256];
            const ssize_t r = ::read(fd_, buf, size_t(n - got.size()));
            if (r <= 0)
                break;
            got.append(buf, r);
        }
        return got;
    }

private:
    int fd_;
};

TEST(EmulatorConsole, TheProgramTakesItsOrdersWhileItServes)
{
    QProcess emulator;
    emulator.start(QStringLiteral(ZUV_BIN_DIR "/zuv-emulator"), {});
    ASSERT_TRUE(emulator.waitForStarted());
    ASSERT_TRUE(emulator.waitForReadyRead(10000));
    const QByteArray path = emulator.readLine().trimmed();
    ASSERT_TRUE(path.startsWith("/dev/")) << path.constData();
    RawLine line(path);
    ASSERT_TRUE(line.isOpen());

    const auto say = [&](const char* order) {
        emulator.write(order);
        emulator.write("\n");
        EXPECT_TRUE(emulator.waitForReadyRead(10000)) << order;
        return emulator.readLine().trimmed();
    };
    EXPECT_EQ(say("silent 0x02"), "command 0x02 now gets no reply");
    // The instrument handles frames in turn: the hello's acknowledgement is
    // the first thing back, so the poll before it got nothing.
    EXPECT_EQ(line.exchange(buildFrame(0x02) + buildFrame(0x01), 5), ackFrame(0x01));
    EXPECT_EQ(say("answer"), "every command is answered again");
    EXPECT_EQ(line.exchange(buildFrame(0x02), 13).size(), 13);

    emulator.terminate();
    EXPECT_TRUE(emulator.waitForFinished(10000));
    EXPECT_EQ(emulator.exitCode(), 0);
}

} // namespace
} // namespace zuv::test
