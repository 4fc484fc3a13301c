// Save Data of a full memory: 16384 blocks, 163840 data lines, from the
// download buffers to the three files.

#include "moving_record.h"

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
    zuv::MsgAnswer show(const QString&, zuv::MsgIcon, zuv::MsgButtons, const QString&, QObject*) override
    {
        ++shown;
        return zuv::MsgAnswer::Ok;
    }
    int shown = 0;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QuietMessages messages;
    zuv::setMessages(&messages);
    zuv::TabellaLingua.TestiLingua = QStringList(400);

    for (int b = 0; b < zuv::kMaxBlocks; ++b)
        zuv::DatiScaricati[std::size_t(b)] = bench::movingRecord(b);
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
