// The faults a newcomer sets by typing at zuv-emulator: the lines it takes,
// and the real program over its pseudo-terminal.

#include "emulator/console.h"
#include "emulator/emulator.h"
#include "link/command_set.h"
#include "link/serial_comm.h"

#include <QProcess>
#include <QStringList>
#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

namespace zuv::test {
namespace {

using emu::ConsoleAction;
using emu::Fault;
using Kind = ConsoleAction::Kind;

TEST(EmulatorConsole, EachLineGivesItsActionAndReply)
{
    struct Case {
        const char* line;
        Kind kind;
        Fault fault;
        quint8 onlyCode;
        int lateMs;
        int count;
        const char* reply;
    };
    const Case cases[] = {
        {"silent", Kind::SetFault, Fault::Silence, 0, 0, -1, "no reply at all, to every command, until \"answer\""},
        {"silent 0x13", Kind::SetFault, Fault::Silence, 0x13, 0, -1,
         "no reply at all, to command 0x13 only, until \"answer\""},
        {"silent 13", Kind::SetFault, Fault::Silence, 0x13, 0, -1,
         "no reply at all, to command 0x13 only, until \"answer\""},
        {"  Silent \t 0X02 ", Kind::SetFault, Fault::Silence, 0x02, 0, -1,
         "no reply at all, to command 0x02 only, until \"answer\""},
        {"late 3000", Kind::SetFault, Fault::Late, 0, 3000, -1, "replies 3000 ms late, to every command, until \"answer\""},
        {"late 3000 0x12", Kind::SetFault, Fault::Late, 0x12, 3000, -1,
         "replies 3000 ms late, to command 0x12 only, until \"answer\""},
        {"split 500 25", Kind::SetFault, Fault::Split, 0x25, 500, -1,
         "replies in two halves, the second 500 ms late, to command 0x25 only, until \"answer\""},
        {"wrong 0x12", Kind::SetFault, Fault::WrongAck, 0x12, 0, -1,
         "replies naming the next command code, to command 0x12 only, until \"answer\""},
        {"badsum", Kind::SetFault, Fault::BadChecksum, 0, 0, -1,
         "acknowledgements with a wrong checksum, to every command, until \"answer\""},
        {"extra 9", Kind::SetFault, Fault::ExtraByte, 0x09, 0, -1,
         "replies with one byte more, to command 0x09 only, until \"answer\""},
        {"short 0e", Kind::SetFault, Fault::ShortReply, 0x0E, 0, -1,
         "replies without their last byte, to command 0x0E only, until \"answer\""},
        {"drop 0x0E", Kind::SetFault, Fault::DropLine, 0x0E, 0, 1,
         "the line goes dead when command 0x0E comes; then \"plug\" brings it back"},
        {"drop", Kind::DropLine, Fault::None, 0, 0, -1, "the line is dead; \"plug\" brings it back"},
        {"answer", Kind::Answer, Fault::None, 0, 0, -1, "every fault cleared: the instrument answers again"},
        {"plug", Kind::Plug, Fault::None, 0, 0, -1, ""},
        {"", Kind::Nothing, Fault::None, 0, 0, -1, ""},
        {"   ", Kind::Nothing, Fault::None, 0, 0, -1, ""},
        // Wrong lines: nothing to do, and why.
        {"late", Kind::Nothing, Fault::None, 0, 0, -1, "usage: late MS [CODE], MS from 1 to 600000"},
        {"late x", Kind::Nothing, Fault::None, 0, 0, -1, "usage: late MS [CODE], MS from 1 to 600000"},
        {"late 0", Kind::Nothing, Fault::None, 0, 0, -1, "usage: late MS [CODE], MS from 1 to 600000"},
        {"late 600001", Kind::Nothing, Fault::None, 0, 0, -1, "usage: late MS [CODE], MS from 1 to 600000"},
        {"split 0x12", Kind::Nothing, Fault::None, 0, 0, -1, "usage: split MS [CODE], MS from 1 to 600000"},
        {"late 3000 0x12 7", Kind::Nothing, Fault::None, 0, 0, -1, "usage: late MS [CODE]"},
        {"silent 13 14", Kind::Nothing, Fault::None, 0, 0, -1, "usage: silent [CODE]"},
        {"silent 0x99", Kind::Nothing, Fault::None, 0, 0, -1, "no command has the code \"0x99\" (hex, e.g. 0x13)"},
        {"silent 113", Kind::Nothing, Fault::None, 0, 0, -1, "no command has the code \"113\" (hex, e.g. 0x13)"},
        {"silent 0x", Kind::Nothing, Fault::None, 0, 0, -1, "no command has the code \"0x\" (hex, e.g. 0x13)"},
        {"silent -2", Kind::Nothing, Fault::None, 0, 0, -1, "no command has the code \"-2\" (hex, e.g. 0x13)"},
        {"drop 0x99", Kind::Nothing, Fault::None, 0, 0, -1, "no command has the code \"0x99\" (hex, e.g. 0x13)"},
        {"drop 1 2", Kind::Nothing, Fault::None, 0, 0, -1, "usage: drop [CODE]"},
        {"answer now", Kind::Nothing, Fault::None, 0, 0, -1, "usage: answer"},
        {"plug 2", Kind::Nothing, Fault::None, 0, 0, -1, "usage: plug"},
        {"unplug", Kind::Nothing, Fault::None, 0, 0, -1, "unknown command \"unplug\"; \"help\" lists the commands"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const ConsoleAction a = emu::parseConsoleLine(QString::fromLatin1(c.line));
        EXPECT_EQ(a.kind, c.kind);
        EXPECT_EQ(a.fault, c.fault);
        EXPECT_EQ(a.onlyCode, c.onlyCode);
        EXPECT_EQ(a.lateMs, c.lateMs);
        EXPECT_EQ(a.count, c.count);
        EXPECT_EQ(a.reply, QString::fromLatin1(c.reply));
    }
}

// Every command the help lists is one the console takes, and every one it
// takes is listed.
TEST(EmulatorConsole, HelpListsTheCommandsItTakes)
{
    const ConsoleAction help = emu::parseConsoleLine(u"help");
    EXPECT_EQ(help.kind, Kind::Help);
    EXPECT_EQ(help.reply, emu::consoleHelp());
    QStringList listed;
    for (const QString& row : emu::consoleHelp().split(u'\n'))
        if (row.startsWith(QLatin1String("  ")))
            listed << row.simplified().section(u' ', 0, 0);
    EXPECT_EQ(listed, QStringList({"silent", "late", "split", "wrong", "badsum", "extra", "short", "drop", "plug",
                                   "answer", "help"}));
    for (const QString& word : listed) {
        SCOPED_TRACE(word.toStdString());
        EXPECT_FALSE(emu::parseConsoleLine(word).reply.startsWith(QLatin1String("unknown command")));
    }
}

// A fault set, then a wrong line: the wrong line leaves the fault as it was.
TEST(EmulatorConsole, CarriedOutOnTheInstrumentAndAWrongLineChangesNothing)
{
    emu::Emulator emulator;
    const auto replyTo = [&emulator](quint8 code) {
        std::vector<emu::Reply> replies;
        emulator.withEngine([&](emu::Engine& e) { replies = e.feed(buildFrame(code)); });
        return replies.at(0).chunks;
    };
    EXPECT_EQ(emu::carryOut(emulator, emu::parseConsoleLine(u"late 250 0x25")),
              QStringLiteral("replies 250 ms late, to command 0x25 only, until \"answer\""));
    EXPECT_EQ(emu::carryOut(emulator, emu::parseConsoleLine(u"late 0")),
              QStringLiteral("usage: late MS [CODE], MS from 1 to 600000"));
    EXPECT_EQ(emu::carryOut(emulator, emu::parseConsoleLine(u"silent 0x99")),
              QStringLiteral("no command has the code \"0x99\" (hex, e.g. 0x13)"));
    ASSERT_EQ(replyTo(cmd::Status).size(), 1u);
    EXPECT_EQ(replyTo(cmd::Status)[0].delayMs, 250);
    EXPECT_EQ(replyTo(cmd::VerificaComunicazione)[0].delayMs, 0);

    emu::carryOut(emulator, emu::parseConsoleLine(u"answer"));
    EXPECT_EQ(replyTo(cmd::Status)[0].delayMs, 0);
}

// --- the program itself ------------------------------------------------------

// zuv-emulator as started from a terminal: its input, its output and the
// device it serves.
class EmulatorProgram : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (pty_ >= 0)
            ::close(pty_);
        if (program_.state() != QProcess::NotRunning) {
            program_.kill();
            program_.waitForFinished(10000);
        }
    }

    // Started, its device open; false when it printed no device.
    bool start(const QStringList& args = {})
    {
        program_.start(QStringLiteral(ZUV_BIN_DIR "/zuv-emulator"), args);
        return openDevice(outputLine());
    }

    bool openDevice(const QString& path)
    {
        if (!path.startsWith(QLatin1String("/dev/")))
            return false;
        path_ = path;
        pty_ = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
        return pty_ >= 0;
    }

    // A line typed at it, and the line it says back.
    QString type(const char* line)
    {
        program_.write(QByteArray(line) + '\n');
        program_.waitForBytesWritten(10000);
        return outputLine();
    }

    QString outputLine()
    {
        while (!program_.canReadLine())
            if (!program_.waitForReadyRead(10000))
                return {};
        return QString::fromLocal8Bit(program_.readLine()).trimmed();
    }

    void sendFrame(quint8 code)
    {
        const QByteArray frame = buildFrame(code);
        ASSERT_EQ(::write(pty_, frame.constData(), size_t(frame.size())), frame.size());
    }

    // The next n bytes the instrument sends (fewer only when it stops).
    QByteArray receive(qsizetype n)
    {
        QByteArray got;
        while (got.size() < n) {
            pollfd p{pty_, POLLIN, 0};
            if (::poll(&p, 1, 10000) <= 0)
                break;
            char buf[64];
            const ssize_t r = ::read(pty_, buf, size_t(std::min<qsizetype>(n - got.size(), sizeof buf)));
            if (r <= 0)
                break;
            got.append(buf, r);
        }
        return got;
    }

    // The poll frame unanswered, a hello still answered: the instrument
    // answers in order, so the first bytes back are the hello's.
    void expectPollSilentHelloAnswered()
    {
        sendFrame(cmd::VerificaComunicazione);
        sendFrame(cmd::Hello);
        EXPECT_EQ(receive(kLenAck), ackFrame(cmd::Hello));
    }

    void expectPollAnswered()
    {
        sendFrame(cmd::VerificaComunicazione);
        EXPECT_EQ(receive(kLenCheck), QByteArray("R\x02ZUV-EMU 01*"));
    }

    QProcess program_;
    QString path_;
    int pty_ = -1;
};

TEST_F(EmulatorProgram, SilentPollTypedAtItUntilAnswerAndItServesOnAfterTheInput)
{
    ASSERT_TRUE(start());
    expectPollAnswered();

    EXPECT_EQ(type("silent 0x02"), QStringLiteral("no reply at all, to command 0x02 only, until \"answer\""));
    expectPollSilentHelloAnswered();
    EXPECT_EQ(type("silent 0x99"), QStringLiteral("no command has the code \"0x99\" (hex, e.g. 0x13)"));
    expectPollSilentHelloAnswered();

    EXPECT_EQ(type("answer"), QStringLiteral("every fault cleared: the instrument answers again"));
    expectPollAnswered();

    // The end of its input ends no run; Ctrl+C does, cleanly.
    program_.closeWriteChannel();
    expectPollAnswered();
    ::kill(pid_t(program_.processId()), SIGINT);
    ASSERT_TRUE(program_.waitForFinished(10000));
    EXPECT_EQ(program_.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program_.exitCode(), 0);
}

// Unplugged and plugged in again: the line comes back, on the same device
// when the system gives its number back.
TEST_F(EmulatorProgram, DropAndPlugTypedAtIt)
{
    ASSERT_TRUE(start());
    const QString before = path_;
    EXPECT_EQ(type("drop"), QStringLiteral("the line is dead; \"plug\" brings it back"));
    EXPECT_EQ(receive(1), QByteArray());
    ::close(pty_);
    pty_ = -1;

    const QString reply = type("plug");
    const QString path = reply.split(u' ').filter(QStringLiteral("/dev/")).value(0);
    ASSERT_FALSE(path.isEmpty()) << reply.toStdString();
    if (path == before)
        EXPECT_EQ(reply, QStringLiteral("the line is back on ") + path);
    else
        EXPECT_EQ(reply, QStringLiteral("the line is back, on a new device: %1 (start the program again with "
                                        "ZUV_PORTS=%1)")
                             .arg(path));
    ASSERT_TRUE(openDevice(path));
    expectPollAnswered();
}

TEST_F(EmulatorProgram, FaultFromTheStart)
{
    ASSERT_TRUE(start({"--fault", "silent 02"}));
    expectPollSilentHelloAnswered();
    EXPECT_EQ(type("answer"), QStringLiteral("every fault cleared: the instrument answers again"));
    expectPollAnswered();
}

TEST_F(EmulatorProgram, AFaultOptionThatSetsNoFaultServesNothing)
{
    struct Case {
        const char* fault;
        const char* says;
    };
    const Case cases[] = {
        {"late 0", "zuv-emulator: --fault: usage: late MS [CODE], MS from 1 to 600000\n"},
        {"drop", "zuv-emulator: --fault: it takes a command that sets a fault, e.g. \"silent 0x13\"\n"},
        {"nonsense", "zuv-emulator: --fault: unknown command \"nonsense\"; \"help\" lists the commands\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        QProcess run;
        run.start(QStringLiteral(ZUV_BIN_DIR "/zuv-emulator"), {"--fault", c.fault});
        ASSERT_TRUE(run.waitForFinished(10000));
        EXPECT_EQ(run.exitCode(), 2);
        EXPECT_EQ(run.readAllStandardError(), QByteArray(c.says));
        EXPECT_TRUE(run.readAllStandardOutput().isEmpty());
    }
}

} // namespace
} // namespace zuv::test
