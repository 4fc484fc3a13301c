// The link's cost over the line itself: one poll exchange and one 130-byte
// memory block read through the serial layer, against a plain write and
// read of the same bytes on the same pseudo-terminal, both answered by the
// instrument emulator.
//
// The two ways run in pairs, one batch of each back to back, the order
// swapped from one pair to the next; each pair gives one ratio, so a slow
// spell of the machine weighs on both halves of the pair alike. The figures
// are the medians over the pairs, with the spread of the ratios.

#include "emulator/emulator.h"
#include "link/commands.h"
#include "link/poll_exchange.h"
#include "link/serial_comm.h"
#include "project/state.h"

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWarmUp = 5;

// Mean microseconds of one exchange over `runs`, after a few untimed ones;
// negative when an exchange failed.
double microsPer(int runs, const std::function<bool()>& once)
{
    for (int i = 0; i < kWarmUp; ++i)
        once();
    const auto t0 = Clock::now();
    for (int i = 0; i < runs; ++i)
        if (!once())
            return -1;
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

struct Times {
    double poll = 0;
    double block = 0;
};

bool fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    return false;
}

bool throughLink(int runs, Times& t)
{
    if (!zuv::ConnettiStrumento())
        return fail("the link found no instrument");
    // The poll's exchange as the program runs it, without the tick's pause.
    t.poll = microsPer(runs, [] {
        zuv::PollExchange& poll = zuv::PollExchange::instance();
        poll.start({});
        poll.runToEnd();
        return zuv::StatoComunicazione.StrumentoPresente;
    });
    t.block = microsPer(runs, [] { return zuv::LeggiBloccoMemoria(256).size() == 128; });
    zuv::ChiudiPorta();
    return t.poll > 0 && t.block > 0 ? true : fail("an exchange through the link failed");
}

bool plain(const QByteArray& path, int runs, Times& t)
{
    static const QByteArray pollFrame = zuv::buildFrame(zuv::cmd::VerificaComunicazione);
    static const QByteArray blockFrame =
        zuv::buildFrame(zuv::cmd::LeggiBloccoMemoria, QByteArray::fromHex("00000100"));
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY);
    if (fd < 0)
        return fail("the pseudo-terminal does not open");
    termios tio{};
    tcgetattr(fd, &tio);
    cfmakeraw(&tio);
    tcsetattr(fd, TCSANOW, &tio);
    t.poll = microsPer(runs, [&] { return plainExchange(fd, pollFrame, zuv::kLenCheck); });
    t.block = microsPer(runs, [&] { return plainExchange(fd, blockFrame, zuv::kLenBlock); });
    ::close(fd);
    return t.poll > 0 && t.block > 0 ? true : fail("a plain exchange failed");
}

// The value below which a share q of the sorted values lies (linear between
// neighbours).
double quantile(std::vector<double> v, double q)
{
    std::sort(v.begin(), v.end());
    const double pos = q * double(v.size() - 1);
    const auto lo = std::size_t(pos);
    const std::size_t hi = std::min(lo + 1, v.size() - 1);
    return v[lo] + (v[hi] - v[lo]) * (pos - double(lo));
}

void report(const char* name, const std::vector<double>& link, const std::vector<double>& plainWay)
{
    std::vector<double> ratio;
    for (std::size_t i = 0; i < link.size(); ++i)
        ratio.push_back(link[i] / plainWay[i]);
    std::printf("%-28s %9.1f %9.1f %7.2f  %5.2f-%-5.2f %5.2f-%-5.2f\n", name, quantile(link, 0.5),
                quantile(plainWay, 0.5), quantile(ratio, 0.5), quantile(ratio, 0.25), quantile(ratio, 0.75),
                quantile(ratio, 0), quantile(ratio, 1));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // Optional: the number of pairs and the exchanges in each batch.
    const int pairs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 31;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 200;

    zuv::emu::Emulator emulator;
    emulator.setMemory(QByteArray(4096, '\x11'));
    if (!emulator.start()) {
        std::fprintf(stderr, "no pseudo-terminal\n");
        return 1;
    }
    const QByteArray path = emulator.devicePath().toLocal8Bit();
    qputenv("ZUV_PORTS", path);

    std::vector<double> linkPoll, plainPoll, linkBlock, plainBlock;
    for (int pair = 0; pair < pairs; ++pair) {
        Times viaLink, viaPlain;
        const bool linkFirst = pair % 2 == 0;
        const bool ok = linkFirst ? throughLink(runs, viaLink) && plain(path, runs, viaPlain)
                                  : plain(path, runs, viaPlain) && throughLink(runs, viaLink);
        if (!ok) {
            emulator.stop();
            return 1;
        }
        linkPoll.push_back(viaLink.poll);
        plainPoll.push_back(viaPlain.poll);
        linkBlock.push_back(viaLink.block);
        plainBlock.push_back(viaPlain.block);
    }
    emulator.stop();

    std::printf("%d pairs of %d exchanges each way; medians over the pairs, ratio = link / plain\n", pairs, runs);
    std::printf("%-28s %9s %9s %7s  %-11s %-11s\n", "exchange", "link us", "plain us", "ratio", "middle half",
                "all pairs");
    report("poll (4 + 13 bytes)", linkPoll, plainPoll);
    report("memory block (8 + 130 bytes)", linkBlock, plainBlock);
    return 0;
}
