// zuv-emulator: an instrument on a pseudo-terminal, served until killed.
// Start it in a terminal of its own, then run the program with ZUV_PORTS set
// to the device path it prints.

#include "emulator/console.h"
#include "emulator/emulator.h"
#include "emulator/engine.h"
#include "emulator/session.h"

#include <QByteArray>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

volatile std::sig_atomic_t g_stop = 0;
void onSignal(int) { g_stop = 1; }

void usage(std::FILE* out)
{
    using namespace zuv::emu;
    std::fprintf(out,
                 "Usage: zuv-emulator [--session SECONDS] [--verbose] [IDENTIFICATION]\n"
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
                 "  -v, --verbose      print every frame the program sends, as it comes\n"
                 "  IDENTIFICATION     the instrument's text on the status bar (10 characters)\n"
                 "  -h, --help         this text\n"
                 "\n"
                 "While it serves, it takes these commands on its input, one a line:\n"
                 "\n"
                 "%s\n",
                 *std::min_element(kSessionLapCycle.begin(), kSessionLapCycle.end()),
                 *std::max_element(kSessionLapCycle.begin(), kSessionLapCycle.end()), kSessionMaxSeconds,
                 kSessionMaxLaps, kSessionDefaultSeconds, qPrintable(consoleHelp()));
}

} // namespace

int main(int argc, char** argv)
{
    int seconds = zuv::emu::kSessionDefaultSeconds;
    bool verbose = false;
    QByteArray identification;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!std::strcmp(arg, "-h") || !std::strcmp(arg, "--help")) {
            usage(stdout);
            return 0;
        }
        if (!std::strcmp(arg, "-v") || !std::strcmp(arg, "--verbose")) {
            verbose = true;
            continue;
        }
        if (!std::strcmp(arg, "--session")) {
            char* end = nullptr;
            const long v = i + 1 < argc ? std::strtol(argv[i + 1], &end, 10) : -1;
            if (i + 1 >= argc || *end != '\0' || v < 0 || v > zuv::emu::kSessionMaxSeconds) {
                std::fprintf(stderr, "zuv-emulator: --session needs a number of seconds, 0 to %d\n",
                             zuv::emu::kSessionMaxSeconds);
                return 2;
            }
            seconds = int(v);
            ++i;
            continue;
        }
        if (arg[0] == '-' || !identification.isEmpty()) {
            std::fprintf(stderr, "zuv-emulator: unknown argument %s\n\n", arg);
            usage(stderr);
            return 2;
        }
        identification = QByteArray(arg);
    }

    zuv::emu::Emulator emulator;
    if (!identification.isEmpty())
        emulator.setIdentification(identification.leftJustified(10, ' ', true));
    emulator.withEngine([seconds](zuv::emu::Engine& e) { zuv::emu::recordSession(e, seconds); });
    if (!emulator.start()) {
        std::fprintf(stderr, "zuv-emulator: no pseudo-terminal available\n");
        return 1;
    }
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::printf("%s\n", emulator.devicePath().toLocal8Bit().constData());
    std::fflush(stdout);
    // The console's lines and, with --verbose, the frames: the main thread
    // waits on the input while the emulator serves from its own.
    bool reading = true;
    std::string typed;
    std::size_t shown = 0;
    while (!g_stop) {
        pollfd in{STDIN_FILENO, POLLIN, 0};
        if (reading && poll(&in, 1, 200) > 0) {
            char buf[256];
            const ssize_t n = read(STDIN_FILENO, buf, sizeof buf);
            // At the end of the input it goes on serving, as without one.
            if (n <= 0)
                reading = false;
            typed.append(buf, std::size_t(std::max<ssize_t>(n, 0)));
            for (std::size_t eol; (eol = typed.find('\n')) != std::string::npos; typed.erase(0, eol + 1)) {
                const QString said = zuv::emu::applyConsoleOrder(
                    emulator, zuv::emu::parseConsoleLine(QByteArrayView(typed.data(), qsizetype(eol))));
                std::printf("%s\n", qPrintable(said));
                std::fflush(stdout);
            }
        } else if (!reading && !verbose) {
            pause();
        }
        if (verbose) {
            emulator.waitForFrames(shown + 1, reading ? 0 : 200);
            const std::vector<QByteArray> frames = emulator.received();
            for (; shown < frames.size(); ++shown)
                std::fprintf(stderr, "frame %02X, %lld bytes\n",
                             frames[shown].size() > 1 ? unsigned(quint8(frames[shown][1])) : 0u,
                             static_cast<long long>(frames[shown].size()));
        }
    }
    emulator.stop();
    return 0;
}
