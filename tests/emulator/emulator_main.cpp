// zuv-emulator: an instrument on a pseudo-terminal, served until killed.
// Start it in a terminal of its own, then run the program with ZUV_PORTS set
// to the device path it prints. Lines typed at it set faults.

#include "emulator/console.h"
#include "emulator/emulator.h"
#include "emulator/engine.h"
#include "emulator/session.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <poll.h>
#include <unistd.h>
#include <vector>

namespace {

using zuv::emu::ConsoleAction;

volatile std::sig_atomic_t g_stop = 0;
void onSignal(int) { g_stop = 1; }

void usage(std::FILE* out)
{
    using namespace zuv::emu;
    std::fprintf(out,
                 "Usage: zuv-emulator [--session SECONDS] [--fault COMMAND] [--verbose] [IDENTIFICATION]\n"
                 "\n"
                 "Plays the instrument on a new pseudo-terminal and prints its device\n"
                 "path, e.g. /dev/pts/5; it then serves the program until Ctrl+C.\n"
                 "Leave it running in a terminal of its own and start the program from\n"
                 "another one with the path in ZUV_PORTS:\n"
                 "\n"
                 "    ZUV_PORTS=/dev/pts/5 ./run.sh\n"
                 "\n"
                 "  --session SECONDS  recorded memory to download: a run of that many\n"
                 "                     seconds, one record a second, in laps of %d to\n"
                 "                     %d s, each lap as long as its lap time; 0 for\n"
                 "                     none, at most %d (the whole memory), so at most\n"
                 "                     %d laps; an odd count is recorded up to the\n"
                 "                     next even one (default %d)\n"
                 "  --fault COMMAND    a fault from the start, as one of the commands\n"
                 "                     below that set one, e.g. --fault \"silent 0x13\"\n"
                 "  -v, --verbose      print every frame the program sends, as it comes\n"
                 "  IDENTIFICATION     the instrument's text on the status bar (10 characters)\n"
                 "  -h, --help         this text\n"
                 "\n"
                 "While it serves, it reads commands on its input, one a line, and says\n"
                 "what it did; at the end of the input it serves on until Ctrl+C.\n"
                 "%s\n",
                 *std::min_element(kSessionLapCycle.begin(), kSessionLapCycle.end()),
                 *std::max_element(kSessionLapCycle.begin(), kSessionLapCycle.end()), kSessionMaxSeconds,
                 kSessionMaxLaps, kSessionDefaultSeconds, consoleHelp().toLocal8Bit().constData());
}

struct Options {
    int seconds = zuv::emu::kSessionDefaultSeconds;
    bool verbose = false;
    QByteArray identification;
    std::vector<ConsoleAction> faults;
};

// The options, or the exit code when there is nothing to serve.
std::optional<int> parseArguments(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (!std::strcmp(arg, "-h") || !std::strcmp(arg, "--help")) {
            usage(stdout);
            return 0;
        }
        if (!std::strcmp(arg, "-v") || !std::strcmp(arg, "--verbose")) {
            o.verbose = true;
            continue;
        }
        if (!std::strcmp(arg, "--session")) {
            char* end = nullptr;
            const long v = value ? std::strtol(value, &end, 10) : -1;
            if (!value || *end != '\0' || v < 0 || v > zuv::emu::kSessionMaxSeconds) {
                std::fprintf(stderr, "zuv-emulator: --session needs a number of seconds, 0 to %d\n",
                             zuv::emu::kSessionMaxSeconds);
                return 2;
            }
            o.seconds = int(v);
            ++i;
            continue;
        }
        if (!std::strcmp(arg, "--fault")) {
            const ConsoleAction a = zuv::emu::parseConsoleLine(QString::fromLocal8Bit(value ? value : ""));
            if (a.kind != ConsoleAction::Kind::SetFault) {
                const QString why = a.kind == ConsoleAction::Kind::Nothing && !a.reply.isEmpty()
                                        ? a.reply
                                        : QStringLiteral("it takes a command that sets a fault, e.g. \"silent 0x13\"");
                std::fprintf(stderr, "zuv-emulator: --fault: %s\n", why.toLocal8Bit().constData());
                return 2;
            }
            o.faults.push_back(a);
            ++i;
            continue;
        }
        if (arg[0] == '-' || !o.identification.isEmpty()) {
            std::fprintf(stderr, "zuv-emulator: unknown argument %s\n\n", arg);
            usage(stderr);
            return 2;
        }
        o.identification = QByteArray(arg);
    }
    return std::nullopt;
}

void say(const QString& line)
{
    if (line.isEmpty())
        return;
    std::printf("%s\n", line.toLocal8Bit().constData());
    std::fflush(stdout);
}

// The lines typed so far; a line is carried out once its end has come.
class Console {
public:
    explicit Console(zuv::emu::Emulator& emulator) : emulator_(emulator) {}
    // Standard input, until its end.
    int fd() const { return open_ ? STDIN_FILENO : -1; }

    void readInput()
    {
        char buf[512];
        const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
        if (n > 0) {
            pending_.append(buf, n);
        } else {
            // The instrument serves on: the end of the input ends no run,
            // but ends its last line.
            open_ = false;
            if (!pending_.isEmpty())
                pending_.append('\n');
        }
        for (qsizetype end; (end = pending_.indexOf('\n')) >= 0;) {
            const QString line = QString::fromLocal8Bit(pending_.left(end));
            pending_.remove(0, end + 1);
            say(carryOut(emulator_, zuv::emu::parseConsoleLine(line)));
        }
    }

private:
    zuv::emu::Emulator& emulator_;
    QByteArray pending_;
    bool open_ = true;
};

void showFrames(const zuv::emu::Emulator& emulator, std::size_t& shown)
{
    const std::vector<QByteArray> frames = emulator.received();
    for (; shown < frames.size(); ++shown)
        std::fprintf(stderr, "frame %02X, %lld bytes\n", frames[shown].size() > 1 ? unsigned(quint8(frames[shown][1])) : 0u,
                     static_cast<long long>(frames[shown].size()));
}

// Until Ctrl+C or SIGTERM, which are held back but while it waits, so that
// none is lost between a look at g_stop and the wait.
void serve(zuv::emu::Emulator& emulator, bool verbose, const sigset_t& waitMask)
{
    Console console(emulator);
    std::size_t shown = 0;
    while (!g_stop) {
        pollfd p{console.fd(), POLLIN, 0};
        const timespec tick{0, 200 * 1000 * 1000};
        const int ready = ::ppoll(&p, 1, verbose ? &tick : nullptr, &waitMask);
        if (ready > 0 && (p.revents & (POLLIN | POLLHUP | POLLERR)))
            console.readInput();
        if (verbose)
            showFrames(emulator, shown);
    }
}

} // namespace

int main(int argc, char** argv)
{
    Options o;
    if (const std::optional<int> exitCode = parseArguments(argc, argv, o))
        return *exitCode;

    // Blocked before the emulator's thread starts, which inherits it: the
    // signals then reach only the wait below.
    sigset_t stopSignals;
    sigset_t waitMask;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigprocmask(SIG_BLOCK, &stopSignals, &waitMask);
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);

    zuv::emu::Emulator emulator;
    if (!o.identification.isEmpty())
        emulator.setIdentification(o.identification.leftJustified(10, ' ', true));
    emulator.withEngine([&o](zuv::emu::Engine& e) { zuv::emu::recordSession(e, o.seconds); });
    for (const ConsoleAction& a : o.faults)
        carryOut(emulator, a);
    if (!emulator.start()) {
        std::fprintf(stderr, "zuv-emulator: no pseudo-terminal available\n");
        return 1;
    }
    say(emulator.devicePath());
    if (isatty(STDIN_FILENO))
        say(QStringLiteral("Type \"help\" for the faults to set here, Ctrl+C to stop."));
    serve(emulator, o.verbose, waitMask);
    emulator.stop();
    return 0;
}
