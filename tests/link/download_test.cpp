#include "emulator/session.h"
#include "support/emulator_line.h"
#include "support/link_fixture.h"
#include "support/memory_blocks.h"
#include "support/same_file.h"

#include "analysis/chart_data.h"
#include "analysis/lap_table.h"
#include "link/commands.h"
#include "link/serial_comm.h"
#include "platform/serialport.h"
#include "platform/textfile.h"
#include "project/name_tables.h"
#include "project/state.h"
#include "shell/download.h"
#include "shell/export_data.h"

#include <QRegularExpression>
#include <QStringList>
#include <array>
#include <optional>
#include <set>
#include <vector>

namespace zuv::test {
namespace {

// --- memory images ----------------------------------------------------------

// B's slow values, steady driving; `session` and `status` as given.
MemoryRecord steady(int session, int status)
{
    MemoryRecord r = workedRecordB();
    for (auto& s : r.samples)
        s = {5000, 100, 5, 0, 50, 0};
    r.session = session;
    r.status = status;
    return r;
}

// Two laps in the first session: 83.45 s and 83.00 s.
QByteArray lapImage()
{
    QByteArray laps(128, char(0xFF));
    const char entries[8] = {char(0x80), 0x00, 0x20, char(0x99), 0x00, 0x00, 0x20, 0x6C};
    laps.replace(0, 8, QByteArray(entries, 8));
    return laps;
}

// The scenario of the golden files: marks, a pair whose checksum fails
// once, one erased pair between data, erased memory at the end.
struct Scenario {
    QByteArray memory;
    QByteArray repaired; // the memory once the bad pair reads well
    qint32 badPairAddress = 256;
};

Scenario scenario()
{
    const QByteArray cd = checkedPair(memoryBlock(steady(1, 0x0100)), memoryBlock(steady(1, 0x0100)));
    QByteArray bad = cd;
    bad[255] = char(bad[255] ^ 0x5A);
    const QByteArray head = checkedPair(memoryBlock(workedRecordA()), memoryBlock(workedRecordB()));
    const QByteArray tail = erasedPair() + checkedPair(memoryBlock(steady(2, 0x0002)), memoryBlock(steady(2, 0)));
    Scenario s;
    s.memory = head + bad + tail;
    s.repaired = head + cd + tail;
    return s;
}

QByteArray golden(const char* name)
{
    return fileBytes(QStringLiteral(ZUV_TEST_DATA_DIR "/export/") + QLatin1String(name));
}

// --- the window, as the run sees it -------------------------------------------

class ViewRecorder final : public DownloadView {
public:
    void setProgressMax(int m) override { max = m; }
    void setProgressValue(int v) override { values.push_back(v); }
    void setStatusText(const QString& t) override { texts << t; }
    void setBusy(bool on) override { busy = on; }
    bool closedByUser() const override { return closed; }
    void runEnded(DownloadOutcome o) override { ended = o; }

    int max = 0;
    std::vector<int> values;
    QStringList texts;
    bool busy = false;
    bool closed = false;
    std::optional<DownloadOutcome> ended;
};

// Addresses of the memory (0x0E) or lap (0x26) requests among the frames.
std::vector<qint32> requested(const std::vector<QByteArray>& frames, quint8 code)
{
    std::vector<qint32> out;
    for (const QByteArray& f : frames) {
        if (f.size() < 2 || quint8(f[1]) != code)
            continue;
        qint32 a = 0;
        for (int i = 2; i < f.size() - 2; ++i)
            a = (a << 8) | static_cast<unsigned char>(f[i]);
        out.push_back(a);
    }
    return out;
}

class DownloadBase : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        useNumberedTexts(399);
        CaricaTabelleCostanti();
    }
    void TearDown() override
    {
        ChiudiPorta();
        setSerialPort(nullptr);
        ZuvTest::TearDown();
    }

    int shown(const QString& text) const
    {
        int n = 0;
        for (const ShownMessage& m : msgs.shown)
            n += m.text == text;
        return n;
    }

    // Saves the buffers as "<name>.csv" through the Save Data command.
    void saveAs(const QString& name)
    {
        fileDialogs.answers.push_back(path(name));
        ASSERT_TRUE(runSaveData());
    }

    ViewRecorder view;
};

// --- in-process instrument ----------------------------------------------------

class Download : public DownloadBase {
protected:
    void SetUp() override
    {
        DownloadBase::SetUp();
        setSerialPort(&port);
        port.engine.status = QByteArray(36, '\0');
    }

    void load(const QByteArray& memory, qint32 bytes, qint16 laps = 0,
              const QByteArray& lapMemory = QByteArray())
    {
        port.engine.memory = memory;
        port.engine.recordedBytes = bytes;
        port.engine.lapCount = laps;
        port.engine.lapMemory = lapMemory;
    }

    std::vector<qint32> memoryReads() const { return requested(port.engine.received, 0x0E); }
    std::vector<qint32> lapReads() const { return requested(port.engine.received, 0x26); }

    // Download Data once the poll has found the instrument: the port is
    // open (`connected`) or, when the instrument went, closed.
    DownloadOutcome download(bool connected = true)
    {
        if (connected) {
            EXPECT_TRUE(ConnettiStrumento());
        }
        resetDownloadBuffers();
        DownloadRun run(view);
        return run.run();
    }

    FakeSerialPort port;
};

TEST_F(Download, StoresPairsSkipsOneErasedPairAndStopsAtTwo)
{
    Scenario s = scenario();
    load(s.memory, 16 * 256, 2, lapImage());
    // The bad pair's B reads wrong once, then right.
    int badReads = 0;
    port.onWrite = [&](const QByteArray& f) {
        if (requested({f}, 0x0E) == std::vector<qint32>{s.badPairAddress + 128} && ++badReads == 2)
            port.engine.memory = s.repaired;
    };

    EXPECT_EQ(download(), DownloadOutcome::Completed);
    EXPECT_FALSE(downloadInterrupted);
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
    EXPECT_EQ(NumBlocchi, 6);
    EXPECT_EQ(memoryReads(), (std::vector<qint32>{0, 128, 256, 384, 256, 384, 512, 640, 768, 896,
                                                  1024, 1152, 1280, 1408}));
    EXPECT_EQ(TempiGiro[1], "01:23.45, 1");
    EXPECT_EQ(TempiGiro[2], "01:23.00, 1");
    EXPECT_EQ(TempiGiro[0], "00:00.00");
    EXPECT_EQ(view.texts.last(), "T268");
    EXPECT_EQ(view.max, 100);
    EXPECT_FALSE(view.busy);
    EXPECT_TRUE(surface.menus["mnuSaveData"]);
    EXPECT_TRUE(surface.buttons["SaveData"]);
    EXPECT_TRUE(msgs.shown.empty());

    saveAs("run");
    EXPECT_TRUE(sameFile(readFile("run.csv"), golden("download.csv")));
    EXPECT_TRUE(sameFile(readFile("run.txt"), golden("download.txt")));
    EXPECT_TRUE(sameFile(readFile("run.tim"), golden("worked.tim")));
}

TEST_F(Download, RecordedBytesDecideThePairsRead)
{
    const QByteArray data = checkedPair(memoryBlock(workedRecordA()), memoryBlock(workedRecordB()));
    struct Case {
        qint32 bytes;
        std::vector<qint32> reads;
        int blocks;
        const char* text;
        // The bar after each pair: the pair's first address over the
        // recorded bytes, halves to even.
        std::vector<int> progress;
    };
    const std::vector<Case> cases = {
        {0, {}, 0, "T271", {}},
        {-256, {}, 0, "T271", {}},
        // The loop tests the address of the last block requested.
        {256, {0, 128, 256, 384}, 2, "T268", {0, 100}},
        // Not a whole number of pairs: the last pair begins past the count,
        // and the percent stops at 100 (256 / 200 would be 128).
        {200, {0, 128, 256, 384}, 2, "T268", {0, 100}},
        // Far past the memory: erased memory ends it.
        {0x7FFFFFFF, {0, 128, 256, 384, 512, 640}, 2, "T268", {0, 0}},
        // 256 / 2048 is 12.5 %.
        {2048, {0, 128, 256, 384, 512, 640}, 2, "T268", {0, 12}},
    };
    for (const Case& c : cases) {
        load(data, c.bytes);
        port.engine.received.clear();
        view.texts.clear();
        view.values.clear();
        download();
        EXPECT_EQ(memoryReads(), c.reads) << c.bytes;
        EXPECT_EQ(view.values, c.progress) << c.bytes;
        EXPECT_EQ(NumBlocchi, c.blocks) << c.bytes;
        EXPECT_EQ(view.texts.last(), c.text) << c.bytes;
        EXPECT_EQ(surface.menus["mnuSaveData"], c.blocks > 0) << c.bytes;
    }
}

TEST_F(Download, AMemoryOfZerosFillsTheBuffersAndStopsAtTheMemorySize)
{
    // Zero blocks pass their checksum; a count past the memory stops at it.
    load(QByteArray(kDeviceMemory, '\0'), kDeviceMemory + 100000);
    EXPECT_EQ(download(), DownloadOutcome::Completed);
    EXPECT_EQ(NumBlocchi, kDeviceMemory / 128);
    EXPECT_LE(NumBlocchi, kMaxBlocks);
    EXPECT_EQ(memoryReads().back(), kDeviceMemory - 128);
    EXPECT_EQ(view.values.back(), 100);
}

TEST_F(Download, ReadFailuresAreRetriedThreeTimes)
{
    const QByteArray data = checkedPair(memoryBlock(workedRecordA()), memoryBlock(workedRecordB()))
                            + checkedPair(memoryBlock(steady(1, 0)), memoryBlock(steady(1, 0)));
    load(data, 512);

    // Three silent replies to the first read of pair 2: read again, stored.
    bool armed = true;
    port.onWrite = [&](const QByteArray& f) {
        if (armed && requested({f}, 0x0E) == std::vector<qint32>{256}) {
            port.engine.setFault(emu::Fault::Silence, 3, 0x0E);
            armed = false;
        }
    };
    EXPECT_EQ(download(), DownloadOutcome::Completed);
    EXPECT_EQ(NumBlocchi, 4);
    EXPECT_EQ(shown("T242"), 3);
    EXPECT_EQ(view.texts.last(), "T268");
}

TEST_F(Download, FaultsMidRunEndItAndKeepWhatWasStored)
{
    const QByteArray data = checkedPair(memoryBlock(workedRecordA()), memoryBlock(workedRecordB()))
                            + checkedPair(memoryBlock(steady(1, 0)), memoryBlock(steady(1, 0)))
                            + checkedPair(memoryBlock(steady(1, 0)), memoryBlock(steady(1, 0)));
    const QByteArray bad = [&] {
        QByteArray b = data;
        b[511] = char(b[511] ^ 1);
        return b;
    }();

    enum class Fault { Silence, LineGone, BadChecksum, ClosedWindow };
    struct Case {
        const char* name;
        Fault fault;
        DownloadOutcome outcome;
        int messages242;
        int blocks;
        int readsOfPair2; // requests of the second pair's first block
    };
    const std::vector<Case> cases = {
        {"silence", Fault::Silence, DownloadOutcome::Failed, 4, 2, 4},
        {"line gone", Fault::LineGone, DownloadOutcome::Failed, 1, 2, 1},
        // Read again three times, as a failed block is.
        {"checksum never right", Fault::BadChecksum, DownloadOutcome::Failed, 1, 2, 4},
        // The pair in progress is finished; the next is not started.
        {"window closed", Fault::ClosedWindow, DownloadOutcome::Closed, 0, 4, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChiudiPorta();
        port.portCount = kMaxPorts;
        port.engine.clearFault();
        port.engine.received.clear();
        msgs.clear();
        view = ViewRecorder();
        load(c.fault == Fault::BadChecksum ? bad : data, 768);
        // The fault starts with the first request of the second pair.
        bool armed = true;
        port.onWrite = [&](const QByteArray& f) {
            if (!armed || requested({f}, 0x0E) != std::vector<qint32>{256})
                return;
            armed = false;
            switch (c.fault) {
            case Fault::Silence:
                port.engine.setFault(emu::Fault::Silence, -1, 0x0E);
                break;
            case Fault::LineGone:
                port.engine.setFault(emu::Fault::DropLine, 1);
                port.portCount = 0; // and no port answers the scan
                break;
            case Fault::ClosedWindow:
                view.closed = true;
                break;
            case Fault::BadChecksum:
                break;
            }
        };

        EXPECT_EQ(download(), c.outcome);
        EXPECT_EQ(view.ended, c.outcome);
        EXPECT_EQ(NumBlocchi, c.blocks);
        EXPECT_TRUE(downloadInterrupted) << "Save Data must say the data are partial";
        EXPECT_EQ(DatiScaricati[1], memoryBlock(workedRecordB()).left(127) + data.mid(255, 1));
        EXPECT_FALSE(view.texts.contains("T268"));
        EXPECT_EQ(shown("T242"), c.messages242);
        EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
        EXPECT_TRUE(surface.menus["mnuSaveData"]);
        EXPECT_FALSE(view.busy);
        // Nothing is read once the run has given up.
        const std::vector<qint32> reads = memoryReads();
        EXPECT_EQ(std::count(reads.begin(), reads.end(), 512), 0);
        EXPECT_EQ(std::count(reads.begin(), reads.end(), 256), c.readsOfPair2);
    }
}

TEST_F(Download, AFailedLapReadLeavesItsLinesAndTheRunGoesOn)
{
    QByteArray laps;
    for (int k = 0; k < 64; ++k)
        laps += QByteArray::fromHex("00001F40"); // 80.00 s
    load(checkedPair(memoryBlock(workedRecordA()), memoryBlock(workedRecordB())), 256, 33, laps);
    port.engine.setFault(emu::Fault::Silence, 1, cmd::LeggiBloccoSessione);

    EXPECT_EQ(download(), DownloadOutcome::Completed);
    EXPECT_EQ(shown("T242"), 1);
    // No retry, and the next block is still the second one.
    EXPECT_EQ(lapReads(), (std::vector<qint32>{0, 128}));
    EXPECT_EQ(TempiGiro[1], "00:00.00");
    EXPECT_EQ(TempiGiro[32], "00:00.00");
    EXPECT_EQ(TempiGiro[33], "01:20.00, 0");
    EXPECT_EQ(NumGiriStrumento, 33);
    EXPECT_EQ(NumBlocchi, 2);
    EXPECT_EQ(view.texts.last(), "T268");
}

TEST_F(Download, AFailedStatusReadGivesZeroAndTheRunGoesOnToItsEnd)
{
    const QByteArray data = checkedPair(memoryBlock(workedRecordA()), memoryBlock(workedRecordB()));
    struct Case {
        const char* name;
        // The status reads that stay unanswered, from the first (1) or the
        // second (2); with no port open, every read fails at once.
        int silentFrom;
        int silentCount;
        bool portOpen;
        int messages242;
        int statusFrames;
        std::vector<qint32> laps;
        std::vector<qint32> memory;
        DownloadOutcome outcome;
        const char* text;
    };
    const std::vector<Case> cases = {
        // 0 bytes and 0 laps: nothing to read, text 271, and the window
        // waits for OK.
        {"both unanswered", 1, 2, true, 2, 2, {}, {}, DownloadOutcome::NothingDownloaded, "T271"},
        {"recorded bytes unanswered", 1, 1, true, 1, 2, {0}, {}, DownloadOutcome::NothingDownloaded, "T271"},
        {"lap count unanswered", 2, 1, true, 1, 2, {}, {0, 128, 256, 384}, DownloadOutcome::Completed, "T268"},
        // The instrument went after the poll saw it.
        {"port closed", 0, 0, false, 2, 0, {}, {}, DownloadOutcome::NothingDownloaded, "T271"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChiudiPorta();
        port.portCount = c.portOpen ? kMaxPorts : 0;
        port.engine.clearFault();
        port.engine.received.clear();
        msgs.clear();
        view = ViewRecorder();
        load(data, 256, 2, lapImage());
        int statusFrames = 0;
        port.onWrite = [&](const QByteArray& f) {
            if (quint8(f[1]) == cmd::Status && ++statusFrames == c.silentFrom)
                port.engine.setFault(emu::Fault::Silence, c.silentCount, cmd::Status);
        };

        EXPECT_EQ(download(c.portOpen), c.outcome);
        EXPECT_EQ(view.ended, c.outcome);
        EXPECT_EQ(shown("T242"), c.messages242);
        EXPECT_EQ(statusFrames, c.statusFrames);
        EXPECT_EQ(lapReads(), c.laps);
        EXPECT_EQ(memoryReads(), c.memory);
        EXPECT_EQ(view.texts.last(), c.text);
        EXPECT_FALSE(downloadInterrupted) << "the run went to its end";
        EXPECT_EQ(surface.menus["mnuSaveData"], c.outcome == DownloadOutcome::Completed);
        EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
        EXPECT_FALSE(view.busy);
    }
}

TEST_F(Download, AClosedWindowStopsOnlyThePairLoop)
{
    const QByteArray data = checkedPair(memoryBlock(workedRecordA()), memoryBlock(workedRecordB()))
                            + checkedPair(memoryBlock(steady(1, 0)), memoryBlock(steady(1, 0)))
                            + checkedPair(memoryBlock(steady(1, 0)), memoryBlock(steady(1, 0)));
    QByteArray badSecondPair = data;
    badSecondPair[511] = char(badSecondPair[511] ^ 1);
    QByteArray laps;
    for (int k = 0; k < 64; ++k)
        laps += QByteArray::fromHex("00001F40");

    // The window is closed as the frame `closeAt` (its code and, for a
    // block, its address) goes out; `silent` replies to memory reads stay
    // away from then on.
    struct Case {
        const char* name;
        quint8 closeCode;
        qint32 closeAddress;
        int silent;
        bool badChecksum;
        std::vector<qint32> memory;
        DownloadOutcome outcome;
        int messages242;
        int blocks;
    };
    const std::vector<Case> cases = {
        // The second status read and both lap blocks are still read.
        {"first status read", cmd::Status, -1, 0, false, {}, DownloadOutcome::Closed, 0, 0},
        {"first lap block", cmd::LeggiBloccoSessione, 0, 0, false, {}, DownloadOutcome::Closed, 0, 0},
        // The pair in flight ends; no other begins.
        {"block B", cmd::LeggiBloccoMemoria, 384, 0, false, {0, 128, 256, 384}, DownloadOutcome::Closed, 0, 4},
        // A failing read is read again up to the retry limit, then the run
        // gives up with the pairs read so far.
        {"block A, every read failing", cmd::LeggiBloccoMemoria, 256, -1, false, {0, 128, 256, 256, 256, 256},
         DownloadOutcome::Failed, 4, 2},
        // Read well at the third try: its pair ends, and is stored.
        {"block A, two reads failing", cmd::LeggiBloccoMemoria, 256, 2, false, {0, 128, 256, 256, 256, 384},
         DownloadOutcome::Closed, 2, 4},
        // A pair whose checksum fails is read again the same way.
        {"a pair whose checksum fails", cmd::LeggiBloccoMemoria, 256, 0, true,
         {0, 128, 256, 384, 256, 384, 256, 384, 256, 384}, DownloadOutcome::Failed, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChiudiPorta();
        port.engine.clearFault();
        port.engine.received.clear();
        msgs.clear();
        view = ViewRecorder();
        load(c.badChecksum ? badSecondPair : data, 768, 33, laps);
        std::vector<int> commandsAfterClose;
        port.onWrite = [&](const QByteArray& f) {
            if (view.closed) {
                commandsAfterClose.push_back(StatoComunicazione.ComandoInCorso);
                return;
            }
            const quint8 code = quint8(f[1]);
            if (code != c.closeCode)
                return;
            if (c.closeAddress >= 0 && requested({f}, code) != std::vector<qint32>{c.closeAddress})
                return;
            view.closed = true;
            if (c.silent)
                port.engine.setFault(emu::Fault::Silence, c.silent, cmd::LeggiBloccoMemoria);
        };

        EXPECT_EQ(download(), c.outcome);
        EXPECT_EQ(view.ended, c.outcome);
        EXPECT_EQ(std::count_if(port.engine.received.begin(), port.engine.received.end(),
                                [](const QByteArray& f) { return quint8(f[1]) == cmd::Status; }),
                  2);
        EXPECT_EQ(lapReads(), (std::vector<qint32>{0, 128}));
        EXPECT_EQ(memoryReads(), c.memory);
        EXPECT_EQ(shown("T242"), c.messages242);
        EXPECT_EQ(NumBlocchi, c.blocks);
        EXPECT_TRUE(downloadInterrupted);
        EXPECT_FALSE(view.texts.contains("T268"));
        // The instrument stays the download's until its last exchange.
        EXPECT_EQ(std::count(commandsAfterClose.begin(), commandsAfterClose.end(), 0x26),
                  std::ptrdiff_t(commandsAfterClose.size()));
        EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
    }
}

TEST_F(Download, LapCountsFromTheInstrumentAreBounded)
{
    QByteArray laps;
    for (int b = 0; b < 40; ++b)
        for (int k = 0; k < 32; ++k)
            laps += QByteArray::fromHex("00001F40"); // 80.00 s
    struct Case {
        qint16 count;
        int blocks;
        int stored;
    };
    for (const Case& c : std::vector<Case>{{0, 0, 0}, {-5, 0, 0}, {1, 1, 0}, {33, 2, 33},
                                          {qint16(0x8000), 0, 0}, {1500, 32, 999}}) {
        port.engine.received.clear();
        load(QByteArray(), 0, c.count, laps);
        download();
        const std::vector<qint32> reads = lapReads();
        ASSERT_EQ(int(reads.size()), c.blocks) << c.count;
        for (int b = 0; b < c.blocks; ++b)
            EXPECT_EQ(reads[std::size_t(b)], 128 * b) << c.count;
        EXPECT_EQ(NumGiriStrumento, std::max<int>(0, std::min<int>(c.count, 999))) << c.count;
        if (c.stored) {
            EXPECT_EQ(TempiGiro[std::size_t(c.stored)], "01:20.00, 0") << c.count;
        }
        EXPECT_EQ(TempiGiro[0], "00:00.00");
    }
}

// --- pure parts -------------------------------------------------------------------

TEST(DownloadDecode, LapEntriesGiveTimesAndSessions)
{
    resetProgramState();
    QByteArray b(128, '\0');
    const QByteArray entries = QByteArray::fromHex("80001F40" "00001F40" "000927C0" "80000000"
                                                   "00000000" "FFFFFFFF" "80FFFFFF" "00002099");
    b.replace(0, entries.size(), entries);
    b.replace(124, 4, QByteArray::fromHex("80000064")); // the last entry, 1.00 s
    qint16 session = 4;
    DecodificaTempoGiro(b, 1, session);
    EXPECT_EQ(TempiGiro[1], "01:20.00, 5");
    EXPECT_EQ(TempiGiro[2], "01:20.00, 5");
    EXPECT_EQ(TempiGiro[3], "100:00.00, 5"); // minutes are not limited to 59
    EXPECT_EQ(TempiGiro[4], "00:00.00, 6");
    EXPECT_EQ(TempiGiro[6], "00:00.-01, 6");  // signed, as the instrument sent it
    EXPECT_EQ(TempiGiro[7], "2796:12.15, 7"); // the largest 24-bit time
    EXPECT_EQ(TempiGiro[8], "01:23.45, 7");
    EXPECT_EQ(TempiGiro[9], "00:00.00, 7");
    EXPECT_EQ(TempiGiro[32], "00:01.00, 8"); // all 32 entries are decoded
    EXPECT_EQ(session, 8);

    // Entries past the last lap line are dropped; line 0 is never written.
    session = 0;
    DecodificaTempoGiro(b, 993, session);
    EXPECT_EQ(TempiGiro[999], "2796:12.15, 3");
    EXPECT_EQ(TempiGiro.size(), std::size_t(kMaxLaps));
    EXPECT_EQ(TempiGiro[0], "00:00.00");

    // A failed read leaves the lines as they were.
    DecodificaTempoGiro(QByteArray(), 1, session);
    EXPECT_EQ(TempiGiro[1], "01:20.00, 5");
    resetProgramState();
}

TEST(DownloadDecode, PairChecksumIsTheLowByteOfTheOther255)
{
    const QByteArray good = checkedPair(memoryBlock(workedRecordA()), memoryBlock(workedRecordB()));
    EXPECT_TRUE(VerificaChecksum(good.left(128), good.mid(128)));
    QByteArray wrong = good;
    wrong[3] = char(wrong[3] + 1);
    EXPECT_FALSE(VerificaChecksum(wrong.left(128), wrong.mid(128)));
    EXPECT_TRUE(VerificaChecksum(QByteArray(128, '\0'), QByteArray(128, '\0')));
    EXPECT_FALSE(VerificaChecksum(QByteArray(128, char(0xFF)), QByteArray(128, char(0xFF))));
    EXPECT_FALSE(VerificaChecksum(good.left(128), good.mid(128, 127)));
}

// --- over a pseudo-terminal ----------------------------------------------------------

class DownloadOverLine : public DownloadBase {
protected:
    void SetUp() override
    {
        DownloadBase::SetUp();
        ASSERT_TRUE(line.attach(fakeClock));
    }
    void TearDown() override
    {
        line.detach();
        DownloadBase::TearDown();
    }
    // Download Data once the poll has opened the port to the instrument.
    DownloadOutcome download()
    {
        EXPECT_TRUE(ConnettiStrumento());
        resetDownloadBuffers();
        DownloadRun run(view);
        return run.run();
    }

    EmulatorLine line;
    emu::Emulator& emulator = line.emulator;
};

TEST_F(DownloadOverLine, AMemoryImageExportsTheExpectedFiles)
{
    const Scenario s = scenario();
    emulator.setStatus(QByteArray(36, '\0'));
    emulator.setMemory(s.memory);
    emulator.setRecordedBytes(16 * 256);
    emulator.setLapCount(2);
    emulator.setLapMemory(lapImage());
    // The bad pair reads well from its second reading on: after the ten
    // millisecond pause that follows its first B block, the memory mends.
    int pauses = 0;
    fakeClock.onSleep = [&](int ms) {
        if (ms == kBlockPauseMs && ++pauses == 4)
            emulator.setMemory(s.repaired);
    };

    EXPECT_EQ(download(), DownloadOutcome::Completed);
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(NumBlocchi, 6);
    EXPECT_EQ(requested(emulator.received(), 0x0E),
              (std::vector<qint32>{0, 128, 256, 384, 256, 384, 512, 640, 768, 896, 1024, 1152,
                                   1280, 1408}));
    EXPECT_EQ(requested(emulator.received(), 0x26), std::vector<qint32>{0});
    saveAs("line");
    EXPECT_TRUE(sameFile(readFile("line.csv"), golden("download.csv")));
    EXPECT_TRUE(sameFile(readFile("line.txt"), golden("download.txt")));
    EXPECT_TRUE(sameFile(readFile("line.tim"), golden("worked.tim")));
}

// The emulator's longest runs: more laps than one lap block holds.
TEST_F(DownloadOverLine, ALongRecordedRunGivesEveryLapARealTime)
{
    emulator.withEngine([](emu::Engine& e) { emu::recordSession(e, 16000); });

    EXPECT_EQ(download(), DownloadOutcome::Completed);
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(NumBlocchi, 16000);
    // 49 rounds of the eight laps (15925 s) and a lap under way.
    ASSERT_EQ(NumGiriStrumento, 393);
    EXPECT_EQ(requested(emulator.received(), 0x26).size(), 13u);

    saveAs("long");
    const QStringList lines = QString::fromLatin1(readFile("long.tim")).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 1 + 393 + 2);
    EXPECT_EQ(lines[0], "1.4");
    EXPECT_EQ(lines[394], "");
    EXPECT_EQ(lines[395], "");
    // A real time: minutes, seconds below 60 and hundredths, all digits,
    // and more than nothing; one session.
    static const QRegularExpression real(QStringLiteral("^\\d\\d:[0-5]\\d\\.\\d\\d, 1$"));
    for (int lap = 1; lap <= 393; ++lap) {
        const QString& l = lines[lap];
        EXPECT_TRUE(real.match(l).hasMatch() && !l.startsWith(QLatin1String("00:00.00"))) << lap << ' ' << l.toStdString();
        EXPECT_EQ(l, TempiGiro[std::size_t(lap)]) << lap;
    }
}

// "mm:ss.cc" in hundredths.
int hundredths(const QString& lapTime)
{
    return (lapTime.left(2).toInt() * 60 + lapTime.mid(3, 2).toInt()) * 100 + lapTime.mid(6, 2).toInt();
}

// --session 3600, downloaded and saved: each lap's samples in the analysis
// (its lap number in the alarms file) last its lap time, record for record.
TEST_F(DownloadOverLine, EachRecordedLapLastsItsLapTime)
{
    emulator.withEngine([](emu::Engine& e) { emu::recordSession(e, 3600); });

    ASSERT_EQ(download(), DownloadOutcome::Completed);
    ASSERT_EQ(NumBlocchi, 3600);
    saveAs("hour");

    const QStringList alarms = splitLines(readFile("hour.txt"));
    std::vector<qint32> lapNumbers;
    for (qsizetype i = 1; i < alarms.size(); ++i)
        lapNumbers.push_back(alarms[i].section(QLatin1Char(';'), -1).toInt());
    ASSERT_EQ(lapNumbers.size(), 36000u);
    const LapBounds bounds = lapBoundsFromNumbers(lapNumbers);
    LapState laps;
    readLapLines(laps, splitLines(readFile("hour.tim")));
    // Eleven rounds of the eight laps (3575 s), then 25 s of a lap under way.
    EXPECT_EQ(laps.intGiriCompletati, 88);

    std::set<int> times;
    for (int lap = 1; lap <= laps.intGiriCompletati; ++lap) {
        const int row = lap + 1;
        const qint64 samples = bounds.end(row) - bounds.first(row) + 1;
        EXPECT_EQ(samples % 10, 0) << lap;
        EXPECT_EQ(hundredths(laps.TabellaGiri[std::size_t(row)][1]), samples / 10 * 100) << lap;
        times.insert(hundredths(laps.TabellaGiri[std::size_t(row)][1]));
    }
    EXPECT_GT(times.size(), 1u) << "every lap alike";
    EXPECT_EQ(bounds.end(90) - bounds.first(90) + 1, 250);
    EXPECT_EQ(bounds.end(90), 35999);
}

TEST_F(DownloadOverLine, ADroppedLineEndsTheRunWithItsFailure)
{
    QByteArray memory;
    for (int p = 0; p < 4; ++p)
        memory += checkedPair(memoryBlock(steady(0, 0)), memoryBlock(steady(0, 0)));
    emulator.setStatus(QByteArray(36, '\0'));
    emulator.setMemory(memory);
    emulator.setRecordedBytes(memory.size());
    int pauses = 0;
    fakeClock.onSleep = [&](int ms) {
        if (ms == kBlockPauseMs && ++pauses == 4)
            emulator.dropLine();
    };

    EXPECT_EQ(download(), DownloadOutcome::Failed);
    EXPECT_EQ(NumBlocchi, 4);
    EXPECT_GE(shown("T242"), 1);
    EXPECT_FALSE(view.texts.contains("T268"));
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
}

} // namespace
} // namespace zuv::test
