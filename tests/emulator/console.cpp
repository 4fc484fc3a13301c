#include "emulator/console.h"

#include "emulator/emulator.h"
#include "link/command_set.h"

#include <QStringList>
#include <array>
#include <optional>

namespace zuv::emu {

namespace {

constexpr int kMaxLateMs = 600000;

// The faults a line can set; `effect` takes the milliseconds as %1.
struct FaultWord {
    const char* word;
    Fault fault;
    bool takesMs;
    const char* effect;
};

constexpr std::array<FaultWord, 7> kFaultWords{{
    {"silent", Fault::Silence, false, "no reply at all"},
    {"late", Fault::Late, true, "replies %1 ms late"},
    {"split", Fault::Split, true, "replies in two halves, the second %1 ms late"},
    {"wrong", Fault::WrongAck, false, "replies naming the next command code"},
    {"badsum", Fault::BadChecksum, false, "acknowledgements with a wrong checksum"},
    {"extra", Fault::ExtraByte, false, "replies with one byte more"},
    {"short", Fault::ShortReply, false, "replies without their last byte"},
}};

const FaultWord* faultWord(const QString& word)
{
    for (const FaultWord& f : kFaultWords)
        if (word == QLatin1String(f.word))
            return &f;
    return nullptr;
}

QString effectOf(const FaultWord& f, const QString& ms)
{
    const QString effect = QString::fromLatin1(f.effect);
    return f.takesMs ? effect.arg(ms) : effect;
}

QString usageOf(const FaultWord& f)
{
    return QLatin1String(f.word) + (f.takesMs ? QStringLiteral(" MS [CODE]") : QStringLiteral(" [CODE]"));
}

ConsoleAction wrong(const QString& reply)
{
    ConsoleAction a;
    a.reply = reply;
    return a;
}

QString codeText(quint8 code)
{
    return QStringLiteral("0x") + QString::number(code, 16).toUpper().rightJustified(2, u'0');
}

ConsoleAction badCode(const QString& text)
{
    return wrong(QStringLiteral("no command has the code \"%1\" (hex, e.g. 0x13)").arg(text));
}

// A command code in hex, "0x13" or "13", that the instrument knows.
std::optional<quint8> commandCode(QString text)
{
    if (text.startsWith(QLatin1String("0x")))
        text.remove(0, 2);
    bool ok = false;
    const uint code = text.size() <= 2 ? text.toUInt(&ok, 16) : 0;
    if (!ok || !commandInfo(quint8(code)))
        return std::nullopt;
    return quint8(code);
}

QString scope(quint8 code)
{
    return code ? QStringLiteral("to command %1 only").arg(codeText(code)) : QStringLiteral("to every command");
}

ConsoleAction setFault(const FaultWord& f, const QStringList& args)
{
    ConsoleAction a;
    qsizetype next = 0;
    if (f.takesMs) {
        bool ok = false;
        a.lateMs = args.isEmpty() ? 0 : args[0].toInt(&ok);
        if (!ok || a.lateMs < 1 || a.lateMs > kMaxLateMs)
            return wrong(QStringLiteral("usage: %1, MS from 1 to %2").arg(usageOf(f)).arg(kMaxLateMs));
        next = 1;
    }
    if (args.size() > next + 1)
        return wrong(QStringLiteral("usage: ") + usageOf(f));
    if (args.size() == next + 1) {
        const std::optional<quint8> code = commandCode(args[next]);
        if (!code)
            return badCode(args[next]);
        a.onlyCode = *code;
    }
    a.kind = ConsoleAction::Kind::SetFault;
    a.fault = f.fault;
    a.reply = QStringLiteral("%1, %2, until \"answer\"")
                  .arg(effectOf(f, QString::number(a.lateMs)), scope(a.onlyCode));
    return a;
}

ConsoleAction drop(const QStringList& args)
{
    if (args.size() > 1)
        return wrong(QStringLiteral("usage: drop [CODE]"));
    ConsoleAction a;
    if (args.isEmpty()) {
        a.kind = ConsoleAction::Kind::DropLine;
        a.reply = QStringLiteral("the line is dead; \"plug\" brings it back");
        return a;
    }
    const std::optional<quint8> code = commandCode(args[0]);
    if (!code)
        return badCode(args[0]);
    a.kind = ConsoleAction::Kind::SetFault;
    a.fault = Fault::DropLine;
    a.count = 1;
    a.onlyCode = *code;
    a.reply = QStringLiteral("the line goes dead when command %1 comes; then \"plug\" brings it back")
                  .arg(codeText(*code));
    return a;
}

// The commands that take no argument.
ConsoleAction bare(ConsoleAction::Kind kind, const QString& word, const QStringList& args)
{
    if (!args.isEmpty())
        return wrong(QStringLiteral("usage: ") + word);
    ConsoleAction a;
    a.kind = kind;
    if (kind == ConsoleAction::Kind::Answer)
        a.reply = QStringLiteral("every fault cleared: the instrument answers again");
    else if (kind == ConsoleAction::Kind::Help)
        a.reply = consoleHelp();
    return a;
}

} // namespace

ConsoleAction parseConsoleLine(QStringView line)
{
    QStringList words = line.toString().toLower().simplified().split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty())
        return {};
    const QString word = words.takeFirst();
    if (const FaultWord* f = faultWord(word))
        return setFault(*f, words);
    if (word == QLatin1String("drop"))
        return drop(words);
    if (word == QLatin1String("answer"))
        return bare(ConsoleAction::Kind::Answer, word, words);
    if (word == QLatin1String("plug"))
        return bare(ConsoleAction::Kind::Plug, word, words);
    if (word == QLatin1String("help"))
        return bare(ConsoleAction::Kind::Help, word, words);
    return wrong(QStringLiteral("unknown command \"%1\"; \"help\" lists the commands").arg(word));
}

QString carryOut(Emulator& emulator, const ConsoleAction& a)
{
    switch (a.kind) {
    case ConsoleAction::Kind::SetFault:
        // Both at once, so that no frame comes between them.
        emulator.withEngine([&a](Engine& e) {
            if (a.lateMs > 0)
                e.lateMs = a.lateMs;
            e.setFault(a.fault, a.count, a.onlyCode);
        });
        break;
    case ConsoleAction::Kind::Answer:
        emulator.clearFault();
        break;
    case ConsoleAction::Kind::DropLine:
        emulator.dropLine();
        break;
    case ConsoleAction::Kind::Plug: {
        const QString before = emulator.devicePath();
        if (!emulator.replug())
            return QStringLiteral("no pseudo-terminal available, so no line; \"plug\" tries again");
        const QString path = emulator.devicePath();
        if (path == before)
            return QStringLiteral("the line is back on %1").arg(path);
        return QStringLiteral("the line is back, on a new device: %1 (start the program again with ZUV_PORTS=%1)")
            .arg(path);
    }
    case ConsoleAction::Kind::Nothing:
    case ConsoleAction::Kind::Help:
        break;
    }
    return a.reply;
}

QString consoleHelp()
{
    QString text;
    const auto row = [&text](const QString& usage, const QString& what) {
        text += QStringLiteral("  %1 %2\n").arg(usage, -18).arg(what);
    };
    for (const FaultWord& f : kFaultWords)
        row(usageOf(f), effectOf(f, QStringLiteral("MS")));
    row(QStringLiteral("drop [CODE]"), QStringLiteral("the line goes dead now, or when CODE next comes"));
    row(QStringLiteral("plug"), QStringLiteral("the line back after drop, on the same device if it is free"));
    row(QStringLiteral("answer"), QStringLiteral("every fault cleared: the instrument answers again"));
    row(QStringLiteral("help"), QStringLiteral("this list"));
    text += QStringLiteral("CODE is a command code in hex (0x13 or 13): the fault hits that command\n"
                           "only; without it, every command. A fault lasts until \"answer\", and a new\n"
                           "one takes the place of the last.");
    return text;
}

} // namespace zuv::emu
