// The link's cost over the line itself: one poll exchange and one 130-byte
// memory block read through the serial layer, against a plain write and
// read of the same bytes on the same pseudo-terminal, both answered by the
// instrument emulator.

#include "emulator/emulator.h"
#include "link/commands.h"
#include "link/serial_comm.h"
#include "project/state.h"

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double microsPer(int runs, const std::function<bool()>& once)
{
    for (int i = 0; i < 10; ++i)
        once();
    const auto t0 = Clock::now();
    for (int i = 0; i < runs; ++i)
        if (!once()) {
            std::fprintf(stderr, "exchange failed\n");
            return -1;
        }
    return std::chrono::duration<double, std::micro>(Clock::now() - t0).count() / runs;
}

// Writes the request and reads exactly n reply bytes, nothing more.
bool plainExchange(int fd, const QByteArray& request, int n)
{
    tcflush(fd, TCIOFLUSH);
    if (::write(fd, request.constData(), size_t(request.size())) != request.size())
        return false;
    char buf[256];
    int got = 0;
    while (got < n) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 5000) <= 0)
            return false;
        const ssize_t r = ::read(fd, buf + got, size_t(n - got));
        if (r <= 0)
            return false;
        got += int(r);
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    zuv::emu::Emulator emulator;
    QByteArray image(4096, '\x11');
    emulator.setMemoria(image);
    if (!emulator.start()) {
        std::fprintf(stderr, "no pseudo-terminal\n");
        return 1;
    }
    const QByteArray path = emulator.devicePath().toLocal8Bit();
    qputenv("ZUV_PORTS", path);
    const int runs = 300;
    const int rounds = 5;
    const QByteArray pollFrame = zuv::buildFrame(zuv::comando::VerificaComunicazione);
    const QByteArray blockFrame =
        zuv::buildFrame(zuv::comando::LeggiBloccoMemoria, QByteArray::fromHex("00000100"));
    // Rounds alternate the two ways; the best round of each counts, as the
    // least disturbed by whatever else the machine runs.
    double linkPoll = 1e18, linkBlock = 1e18, plainPoll = 1e18, plainBlock = 1e18;
    for (int round = 0; round < rounds; ++round) {
        if (!zuv::ConnettiStrumento()) {
            std::fprintf(stderr, "the link found no instrument on %s\n", path.constData());
            return 1;
        }
        linkPoll = std::min(linkPoll, microsPer(runs, [] {
                                zuv::VerificaComunicazione();
                                return zuv::StatoComunicazione.StrumentoPresente;
                            }));
        linkBlock = std::min(linkBlock, microsPer(runs, [] { return zuv::LeggiBloccoMemoria(256).size() == 128; }));
        zuv::ChiudiPorta();

        const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY);
        if (fd < 0)
            return 1;
        termios t{};
        tcgetattr(fd, &t);
        cfmakeraw(&t);
        tcsetattr(fd, TCSANOW, &t);
        plainPoll = std::min(plainPoll, microsPer(runs, [&] { return plainExchange(fd, pollFrame, zuv::kLenVerifica); }));
        plainBlock = std::min(plainBlock, microsPer(runs, [&] { return plainExchange(fd, blockFrame, zuv::kLenBlocco); }));
        ::close(fd);
    }
    emulator.stop();

    std::printf("%-28s %10s %10s %7s\n", "exchange", "link us", "plain us", "ratio");
    std::printf("%-28s %10.1f %10.1f %7.2f\n", "poll (4 + 13 bytes)", linkPoll, plainPoll, linkPoll / plainPoll);
    std::printf("%-28s %10.1f %10.1f %7.2f\n", "memory block (8 + 130 bytes)", linkBlock, plainBlock,
                linkBlock / plainBlock);
    return 0;
}
