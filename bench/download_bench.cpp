// A download of 2048 memory blocks from the emulator on a pseudo-terminal,
// against the floor set by the protocol's own pause of 10 ms after each
// block read.

#include "emulator/emulator.h"
#include "emulator/engine.h"
#include "link/serial_comm.h"
#include "platform/clock.h"
#include "project/state.h"
#include "shell/download.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

namespace {

class NullView final : public zuv::DownloadView {
public:
    void setProgressMax(int) override {}
    void setProgressValue(int) override {}
    void setStatusText(const QString&) override {}
    void setBusy(bool) override {}
    bool closedByUser() const override { return false; }
    void runEnded(zuv::DownloadOutcome o) override { outcome = o; }
    zuv::DownloadOutcome outcome = zuv::DownloadOutcome::Failed;
};

// 1024 pairs of blocks whose checksums hold, each pair different.
QByteArray memoryImage(int blocks)
{
    QByteArray m;
    m.reserve(blocks * 128);
    for (int p = 0; p < blocks / 2; ++p) {
        QByteArray a(128, '\0');
        QByteArray b(128, '\0');
        for (int i = 0; i < 128; ++i)
            a[i] = char((p * 7 + i * 13) & 0x7F);
        for (int i = 0; i < 127; ++i)
            b[i] = char((p * 7 + (i + 128) * 13) & 0x7F);
        m += zuv::emu::checkedPair(a, b);
    }
    return m;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    constexpr int kBlocks = 2048;

    zuv::emu::Emulator emulator;
    if (!emulator.start()) {
        std::fprintf(stderr, "no pseudo-terminal\n");
        return 1;
    }
    qputenv("ZUV_PORTS", emulator.devicePath().toLocal8Bit());
    emulator.setStatus(QByteArray(36, '\0'));
    emulator.setMemory(memoryImage(kBlocks));
    emulator.setRecordedBytes(kBlocks * 128);
    zuv::TabellaLingua.TestiLingua = QStringList(400);

    if (!zuv::ConnettiStrumento()) {
        std::fprintf(stderr, "the emulator does not answer\n");
        return 1;
    }
    zuv::resetDownloadBuffers();
    NullView view;
    zuv::DownloadRun run(view);
    run.ByteTotali = kBlocks * 128;
    emulator.clearReceived();

    QElapsedTimer t;
    t.start();
    run.ScaricaMemoria();
    const double ms = double(t.nsecsElapsed()) / 1e6;

    std::size_t reads = 0;
    for (const QByteArray& f : emulator.received())
        reads += f.size() > 1 && quint8(f[1]) == 0x0E;
    const double floorMs = double(reads) * zuv::kBlockPauseMs;
    std::printf("download: %d blocks stored, %zu block reads in %.0f ms\n", zuv::NumBlocchi, reads, ms);
    std::printf("floor (10 ms after each block read): %.0f ms\n", floorMs);
    std::printf("ratio: %.3fx (aim: within 1.15x)\n", ms / floorMs);
    std::printf("per block above the floor: %.3f ms\n", (ms - floorMs) / double(reads));
    zuv::ChiudiPorta();
    emulator.stop();
    return view.outcome == zuv::DownloadOutcome::Completed && zuv::NumBlocchi == kBlocks ? 0 : 1;
}
