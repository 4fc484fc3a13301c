#include "shell/download.h"

#include "link/commands.h"
#include "link/operation.h"
#include "link/serial_comm.h"
#include "platform/clock.h"
#include "platform/mainsurface.h"
#include "platform/numbers.h"
#include "project/state.h"

#include <algorithm>

namespace zuv {

namespace {

constexpr int kDownloadCommand = 0x26;
constexpr int kBlockEntries = 32;

class SerialDownloadLink final : public DownloadLink {
public:
    bool connect() override { return ConnettiStrumento(); }
    void closePort() override { ChiudiPorta(); }
    qint32 recordedBytes() override { return LeggiStatoDownload2(); }
    qint16 lapCount() override { return LeggiStatoDownload1(); }
    QByteArray memoryBlock(qint32 address) override { return LeggiBloccoMemoria(address); }
    QByteArray lapBlock(qint32 address) override { return LeggiBloccoSessione(address); }
};

// "0#": at least two digits, the sign in front.
QString twoDigits(qint64 v)
{
    const QString digits = QString::number(v < 0 ? -v : v).rightJustified(2, QLatin1Char('0'));
    return v < 0 ? QLatin1Char('-') + digits : digits;
}

int byteAt(const QByteArray& b, int i) { return static_cast<unsigned char>(b[i]); }

void setSaveData(bool on)
{
    mainSurface().setMenuEnabled(QStringLiteral("mnuSaveData"), on);
    mainSurface().setButtonEnabled(QStringLiteral("SaveData"), on);
}

} // namespace

DownloadLink& instrumentDownloadLink()
{
    static SerialDownloadLink link;
    return link;
}

bool VerificaChecksum(const QByteArray& blockA, const QByteArray& blockB)
{
    if (blockA.size() != kBlockBytes || blockB.size() != kBlockBytes)
        return false;
    quint32 sum = 0;
    for (int i = 0; i < kBlockBytes; ++i)
        sum += quint32(byteAt(blockA, i));
    for (int i = 0; i < kBlockBytes - 1; ++i)
        sum += quint32(byteAt(blockB, i));
    return (sum & 0xFF) == quint32(byteAt(blockB, kBlockBytes - 1));
}

QString lapText(qint32 hundredths, int session)
{
    const qint64 v = hundredths;
    const qint64 cc = v % 100;
    const qint64 seconds = (v - cc) / 100;
    const qint64 ss = seconds % 60;
    const qint64 mm = seconds / 60;
    return twoDigits(mm) + QLatin1Char(':') + twoDigits(ss) + QLatin1Char('.') + twoDigits(cc)
           + QLatin1String(", ") + QString::number(session);
}

void DecodificaTempoGiro(const QByteArray& block, qint32 base, qint16& session)
{
    if (block.size() < kBlockEntries * 4)
        return; // a failed read leaves the lap lines as they were
    for (int k = 0; k < kBlockEntries; ++k) {
        const int p = 4 * k;
        qint32 value;
        if (byteAt(block, p) == 0x80) {
            ++session;
            value = (byteAt(block, p + 1) << 16) | (byteAt(block, p + 2) << 8) | byteAt(block, p + 3);
        } else {
            value = qint32((quint32(byteAt(block, p)) << 24) | (quint32(byteAt(block, p + 1)) << 16)
                           | (quint32(byteAt(block, p + 2)) << 8) | quint32(byteAt(block, p + 3)));
        }
        const qint64 index = qint64(base) + k;
        if (index >= 0 && index < qint64(TempiGiro.size()) && index < kMaxLaps)
            TempiGiro[std::size_t(index)] = lapText(value, session);
    }
}

void resetDownloadBuffers()
{
    TempiGiro.assign(kMaxLaps, QStringLiteral("00:00.00"));
    DatiScaricati.assign(kMaxBlocks + 1, QByteArray());
    NumBlocchi = 0;
    NumGiriStrumento = 0;
    downloadInterrupted = false;
}

DownloadRun::DownloadRun(DownloadView& view, DownloadLink& link) : view_(view), link_(link) {}

DownloadOutcome DownloadRun::run()
{
    Operation operation(kDownloadCommand);
    view_.setProgressMax(100);
    view_.setStatusText(languageText(270));
    view_.setBusy(true);
    clock().yieldEvents();

    // A failed status read has shown its message and gives 0: nothing to
    // read in that phase, and the run goes on to its end.
    ByteTotali = link_.recordedBytes();
    clock().sleepMs(kPhasePauseMs);
    NumGiriStrumento = qint16(safeLapCount(link_.lapCount()));
    clock().sleepMs(kPhasePauseMs);
    const DownloadOutcome outcome = ScaricaTempiGiro();
    if (outcome != DownloadOutcome::Completed)
        return outcome;
    clock().sleepMs(kPhasePauseMs);
    return ScaricaMemoria();
}

DownloadOutcome DownloadRun::ScaricaTempiGiro()
{
    session_ = 0;
    // Only the blocks that hold laps 1..NumGiriStrumento; a lap's block
    // follows from its index, so nothing shifts when a read fails. The lap
    // blocks are read whether or not the window is still open.
    for (int i = 1; i <= NumGiriStrumento; i += kBlockEntries) {
        if (!link_.connect())
            return fail(true);
        const qint32 block = (i - 1) / kBlockEntries;
        BloccoA = link_.lapBlock(block * kBlockBytes);
        // No retry: a failed read has shown its message.
        DecodificaTempoGiro(BloccoA, i, session_);
        clock().sleepMs(kLapPauseMs);
        clock().yieldEvents();
    }
    return DownloadOutcome::Completed;
}

bool DownloadRun::readBlock(qint32 address, QByteArray& out)
{
    // The retries do not look at the window: a block whose read failed is
    // read again even once the window has been closed.
    for (;;) {
        out = link_.memoryBlock(address);
        if (out.size() == kBlockBytes) {
            retries_ = 0;
            clock().sleepMs(kBlockPauseMs);
            return true;
        }
        if (++retries_ > kBlockAttempts)
            return false;
        link_.closePort();
        if (!link_.connect())
            return false;
    }
}

DownloadOutcome DownloadRun::ScaricaMemoria()
{
    view_.setStatusText(languageText(270));
    retries_ = 0;
    bool endFlag = false;
    NumBlocchi = 0;
    qint32 page = 0;
    qint32 address = 0;
    // A count past the memory would read on for ever.
    const qint32 total = safeByteCount(ByteTotali);
    const qint32 capacity = std::min<qint32>(kMaxBlocks, qint32(DatiScaricati.size()));

    while (address < total) {
        // The loop may ask for one pair past the recorded bytes, never for
        // one past the memory.
        if (qint64(page + 2) * kBlockBytes > kDeviceMemory)
            break;
        address = page * kBlockBytes;
        const int percent = std::clamp(int(roundHalfEven(double(address) / total * 100.0)), 0, 100);

        // The one look at the window: once it is closed, no pair is begun.
        if (view_.closedByUser())
            return finish(DownloadOutcome::Closed);
        if (!link_.connect())
            return fail(true);

        // A pair whose checksum fails is read again, as a failed block is.
        for (int attempt = 0;; ++attempt) {
            address = page * kBlockBytes;
            if (!readBlock(address, BloccoA))
                return fail(false);
            address = (page + 1) * kBlockBytes;
            if (!readBlock(address, BloccoB))
                return fail(false);

            if (byteAt(BloccoA, 0) == 0xFF) {
                // Erased memory: one such pair is skipped, two end the memory.
                if (endFlag)
                    return finish(DownloadOutcome::Completed);
                endFlag = true;
                break;
            }
            if (VerificaChecksum(BloccoA, BloccoB)) {
                endFlag = false;
                if (NumBlocchi + 2 > capacity)
                    return finish(DownloadOutcome::Completed);
                DatiScaricati[std::size_t(NumBlocchi)] = BloccoA;
                DatiScaricati[std::size_t(NumBlocchi + 1)] = BloccoB;
                NumBlocchi += 2;
                break;
            }
            if (attempt >= kBlockAttempts)
                return fail(true);
        }

        view_.setProgressValue(percent);
        clock().yieldEvents();
        page += 2;
    }
    return finish(DownloadOutcome::Completed);
}

DownloadOutcome DownloadRun::fail(bool showMessage)
{
    if (showMessage)
        reportLinkError();
    else
        noteOutcome(false);
    return finish(DownloadOutcome::Failed);
}

DownloadOutcome DownloadRun::finish(DownloadOutcome outcome)
{
    if (outcome == DownloadOutcome::Completed && NumBlocchi == 0)
        outcome = DownloadOutcome::NothingDownloaded;
    if (outcome == DownloadOutcome::Completed)
        view_.setStatusText(languageText(268));
    else if (outcome == DownloadOutcome::NothingDownloaded)
        view_.setStatusText(languageText(271));
    // What was stored stays usable, however the run ended; Save Data tells
    // that it is partial.
    downloadInterrupted = outcome == DownloadOutcome::Closed || outcome == DownloadOutcome::Failed;
    setSaveData(NumBlocchi > 0);
    view_.setBusy(false);
    view_.runEnded(outcome);
    return outcome;
}

} // namespace zuv
