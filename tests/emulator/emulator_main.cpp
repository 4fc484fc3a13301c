// zuv-emulator: an instrument on a pseudo-terminal, served until killed.
// Start it, then run the program with ZUV_PORTS set to the path it prints.

#include "emulator/emulator.h"

#include <QByteArray>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {
volatile std::sig_atomic_t g_stop = 0;
void onSignal(int) { g_stop = 1; }
} // namespace

int main(int argc, char** argv)
{
    zuv::emu::Emulator emulator;
    if (argc > 1)
        emulator.setIdentificazione(QByteArray(argv[1]).leftJustified(10, ' ', true));
    if (!emulator.start()) {
        std::fprintf(stderr, "zuv-emulator: no pseudo-terminal available\n");
        return 1;
    }
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::printf("%s\n", emulator.devicePath().toLocal8Bit().constData());
    std::fflush(stdout);
    while (!g_stop)
        pause();
    emulator.stop();
    return 0;
}
