// Save Data of a full memory: 16384 blocks, 163840 data lines, from the
// download buffers to the three files.

#include "platform/messages.h"
#include "project/state.h"
#include "shell/download.h"
#include "shell/export_data.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

namespace {

class QuietMessages final : public zuv::MessageService {
public:
    zuv::MsgAnswer show(const QString&, zuv::MsgIcon, zuv::MsgButtons, const QString&) override
    {
        ++shown;
        return zuv::MsgAnswer::Ok;
    }
    int shown = 0;
};

// A record that moves: every field changes from one second to the next,
// with a session mark every ten minutes.
QByteArray record(int b)
{
    QByteArray r(128, '\0');
    for (int s = 0; s < 10; ++s) {
        const int rpm = 3000 + (b * 37 + s * 111) % 9000;
        const int dist = (b * 10 + s) % 4000;
        r[11 * s + 0] = char(rpm >> 8);
        r[11 * s + 1] = char(rpm);
        r[11 * s + 2] = char(dist >> 8);
        r[11 * s + 3] = char(dist);
        r[11 * s + 4] = char(1 + (b + s) % 6);
        r[11 * s + 5] = char((b + s) % 20 - 5);
        r[11 * s + 6] = char((b * 3 + s * 7) % 101);
        r[11 * s + 7] = char((b + s * 3) % 30 - 15);
    }
    const int oil = 600 + b % 700, water = 550 + b % 400, speed = (b * 13) % 320;
    r[110] = char(oil >> 8), r[111] = char(oil);
    r[112] = char(water >> 8), r[113] = char(water);
    r[114] = char(20 + b % 50), r[115] = char(25 + b % 20), r[116] = char(b % 100);
    r[117] = char(120 + b % 25), r[118] = char(100 + b % 80);
    const int session = b / 600;
    r[119] = char(session >> 8), r[120] = char(session);
    r[121] = char(speed >> 8), r[122] = char(speed);
    r[123] = char((b * 7) % 256);
    r[124] = char(b % 600 == 0 ? 0x02 : 0x00);
    return r;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QuietMessages messages;
    zuv::setMessages(&messages);
    zuv::TabellaLingua.TestiLingua = QStringList(400);

    for (int b = 0; b < zuv::kMaxBlocks; ++b)
        zuv::DatiScaricati[std::size_t(b)] = record(b);
    zuv::NumBlocchi = zuv::kMaxBlocks;
    zuv::NumGiriStrumento = 999;

    QTemporaryDir dir;
    zuv::PercorsoFileDati = QDir(dir.path()).filePath(QStringLiteral("full.csv"));

    QElapsedTimer t;
    t.start();
    const zuv::ExportFiles files = zuv::buildExportFiles(zuv::downloadedSource());
    const double buildMs = double(t.nsecsElapsed()) / 1e6;
    t.restart();
    const bool ok = zuv::SalvaDatiScaricati();
    const double saveMs = double(t.nsecsElapsed()) / 1e6;

    std::printf("export: %d blocks, %lld data lines, %.1f MB\n", zuv::NumBlocchi,
                files.data.count('\n') - 1LL, double(files.data.size() + files.alarms.size()) / 1e6);
    std::printf("build the three files in memory: %.0f ms\n", buildMs);
    std::printf("Save Data (build and write): %.0f ms (aim: under 500 ms)\n", saveMs);
    return ok && QFileInfo(zuv::PercorsoFileDati).size() == files.data.size() ? 0 : 1;
}
