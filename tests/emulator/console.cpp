#include "emulator/console.h"

#include "emulator/emulator.h"
#include "link/command_set.h"

#include <QByteArray>
#include <QList>

namespace zuv::emu {

namespace {

// "0x13", "13" and "0X13" all name command 0x13: codes are hex, as the
// frames print them.
bool parseCode(const QByteArray& word, quint8& code)
{
    QByteArray digits = word;
    if (digits.startsWith("0x") || digits.startsWith("0X"))
        digits = digits.mid(2);
    bool ok = false;
    const uint v = digits.toUInt(&ok, 16);
    if (!ok || digits.isEmpty() || v > 0xFF || !commandInfo(quint8(v)))
        return false;
    code = quint8(v);
    return true;
}

ConsoleOrder wrong(const QString& why)
{
    ConsoleOrder o;
    o.error = why;
    return o;
}

QString codeText(quint8 code)
{
    return code ? QString::asprintf("command 0x%02X", code) : QStringLiteral("every command");
}

} // namespace

ConsoleOrder parseConsoleLine(QByteArrayView line)
{
    const QList<QByteArray> words = line.toByteArray().simplified().split(' ');
    const QByteArray verb = words.value(0).toLower();
    ConsoleOrder o;
    qsizetype next = 1;
    if (verb == "silent") {
        o.kind = ConsoleOrder::Kind::Silent;
    } else if (verb == "late") {
        bool ok = false;
        o.ms = words.value(1).toInt(&ok);
        if (!ok || o.ms < 1 || o.ms > 60000)
            return wrong(QStringLiteral("late needs a number of milliseconds, 1 to 60000"));
        o.kind = ConsoleOrder::Kind::Late;
        next = 2;
    } else if (verb == "answer" || verb == "drop" || verb == "help") {
        o.kind = verb == "answer" ? ConsoleOrder::Kind::Answer
                 : verb == "drop" ? ConsoleOrder::Kind::Drop
                                  : ConsoleOrder::Kind::Help;
        if (words.size() > 1)
            return wrong(QStringLiteral("%1 takes nothing after it").arg(QString::fromLatin1(verb)));
        return o;
    } else {
        return wrong(verb.isEmpty() ? QStringLiteral("type a command; help lists them")
                                    : QStringLiteral("no command %1; help lists them").arg(QString::fromLatin1(verb)));
    }
    if (words.size() > next + 1)
        return wrong(QStringLiteral("too many words; help lists the commands"));
    if (words.size() == next + 1 && !parseCode(words[next], o.code))
        return wrong(QStringLiteral("%1 is no command of the instrument (hex, e.g. 0x13)")
                         .arg(QString::fromLatin1(words[next])));
    return o;
}

QString applyConsoleOrder(Emulator& emulator, const ConsoleOrder& order)
{
    switch (order.kind) {
    case ConsoleOrder::Kind::Silent:
        emulator.setFault(Fault::Silence, -1, order.code);
        return QStringLiteral("%1 now gets no reply").arg(codeText(order.code));
    case ConsoleOrder::Kind::Late:
        emulator.setLateMs(order.ms);
        emulator.setFault(Fault::Late, -1, order.code);
        return QStringLiteral("%1 now gets its reply %2 ms late").arg(codeText(order.code)).arg(order.ms);
    case ConsoleOrder::Kind::Answer:
        emulator.clearFault();
        return QStringLiteral("every command is answered again");
    case ConsoleOrder::Kind::Drop:
        emulator.dropLine();
        return QStringLiteral("the line is dead and its device gone, as an unplugged adapter; "
                              "stop with Ctrl+C and start both again for a new line");
    case ConsoleOrder::Kind::Help:
        return consoleHelp();
    case ConsoleOrder::Kind::Wrong:
        break;
    }
    return order.error;
}

QString consoleHelp()
{
    return QStringLiteral(
        "silent [CODE]     no reply at all, to the command CODE (hex, e.g. 0x13) or to every command\n"
        "late MS [CODE]    the reply comes MS milliseconds late\n"
        "answer            every command is answered again\n"
        "drop              the line goes dead, as an unplugged adapter\n"
        "help              this list");
}

} // namespace zuv::emu
