// zuv-emulator: an instrument on a pseudo-terminal, served until killed.
// Start it in a terminal of its own, then run the program with ZUV_PORTS set
// to the device path it prints.

#include "emulator/emulator.h"
#include "emulator/engine.h"

#include <QByteArray>
#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace {

volatile std::sig_atomic_t g_stop = 0;
void onSignal(int) { g_stop = 1; }

constexpr int kDefaultSeconds = 120;
constexpr int kLapSeconds = 40;

void usage(std::FILE* out)
{
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
                 "                     seconds in laps of %d s (default %d, 0 for none)\n"
                 "  -v, --verbose      print every frame the program sends, as it comes\n"
                 "  IDENTIFICATION     the instrument's text on the status bar (10 characters)\n"
                 "  -h, --help         this text\n",
                 kLapSeconds, kDefaultSeconds);
}

void put16(QByteArray& b, int pos, int v)
{
    b[pos - 1] = char((v >> 8) & 0xFF);
    b[pos] = char(v & 0xFF);
}

// One recorded second: ten samples of engine speed, lap distance, gear,
// turbo, throttle and G, then the slow channels and the speed.
QByteArray recordedSecond(int second)
{
    QByteArray b(128, '\0');
    const double phase = double(second % kLapSeconds) / kLapSeconds;
    for (int s = 0; s < 10; ++s) {
        const double t = phase + s / (10.0 * kLapSeconds);
        const int rpm = 6000 + int(3000 * std::sin(t * 6.283 * 3));
        const int pos = 11 * s;
        put16(b, pos + 1, rpm);
        put16(b, pos + 3, int(t * 1500));
        b[pos + 4] = char(2 + rpm / 2500);
        b[pos + 5] = char(20 + rpm / 200);
        b[pos + 6] = char(std::clamp(rpm / 100, 0, 100));
        b[pos + 7] = char(int(8 * std::sin(t * 6.283 * 2)));
    }
    put16(b, 111, 900 + second % 30);  // oil temperature, tenths
    put16(b, 113, 850 + second % 20);  // water temperature, tenths
    b[114] = char(35);                 // oil pressure
    b[115] = char(30);                 // fuel pressure
    b[116] = char(std::max(0, 80 - second / 10)); // fuel level
    b[117] = char(138);                // battery, tenths of a volt
    b[118] = char(147);                // air/fuel ratio, tenths
    put16(b, 122, 80 + int(60 * std::sin(phase * 6.283 * 3))); // speed
    // The line is passed at the start and then once a lap: the record of each
    // pass is marked, and every record carries the laps completed so far, so
    // the analysis finds the laps the lap memory lists.
    put16(b, 120, second / kLapSeconds);
    if (second % kLapSeconds == 0)
        put16(b, 124, 0x0002);
    return b;
}

// Seconds of recorded run in checked pairs, an even number of blocks.
QByteArray recordedMemory(int seconds)
{
    QByteArray memory;
    for (int second = 0; second < seconds; second += 2)
        memory += zuv::emu::checkedPair(recordedSecond(second), recordedSecond(second + 1));
    return memory;
}

// The lap times of that run, in hundredths; the first opens the session.
QByteArray lapMemory(int laps)
{
    QByteArray memory(128, '\0');
    for (int k = 0; k < laps && k < 32; ++k) {
        const int hundredths = kLapSeconds * 100 + 37 * k;
        memory[4 * k] = char(k == 0 ? 0x80 : 0);
        memory[4 * k + 1] = char((hundredths >> 16) & 0xFF);
        memory[4 * k + 2] = char((hundredths >> 8) & 0xFF);
        memory[4 * k + 3] = char(hundredths & 0xFF);
    }
    return memory;
}

} // namespace

int main(int argc, char** argv)
{
    int seconds = kDefaultSeconds;
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
            // The instrument's memory holds 16378 seconds.
            if (i + 1 >= argc || *end != '\0' || v < 0 || v > 16000) {
                std::fprintf(stderr, "zuv-emulator: --session needs a number of seconds, 0 to 16000\n");
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
    const QByteArray memory = recordedMemory(seconds);
    const int laps = seconds / kLapSeconds;
    emulator.setMemory(memory);
    emulator.setRecordedBytes(qint32(memory.size()));
    emulator.setLapMemory(lapMemory(laps));
    emulator.setLapCount(qint16(laps));
    if (!emulator.start()) {
        std::fprintf(stderr, "zuv-emulator: no pseudo-terminal available\n");
        return 1;
    }
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::printf("%s\n", emulator.devicePath().toLocal8Bit().constData());
    std::fflush(stdout);
    std::size_t shown = 0;
    while (!g_stop) {
        if (!verbose) {
            pause();
            continue;
        }
        emulator.waitForFrames(shown + 1, 200);
        const std::vector<QByteArray> frames = emulator.received();
        for (; shown < frames.size(); ++shown)
            std::fprintf(stderr, "frame %02X, %lld bytes\n", frames[shown].size() > 1 ? unsigned(quint8(frames[shown][1])) : 0u,
                         static_cast<long long>(frames[shown].size()));
    }
    emulator.stop();
    return 0;
}
