// The frame exchange on the in-process port: bytes on the line, time-outs on
// the fake clock, faults of the instrument and of the port, the link guard.

#include "link/codec.h"
#include "link/commands.h"
#include "link/link_guard.h"
#include "link/live.h"
#include "link/poll_exchange.h"
#include "link/serial_comm.h"
#include "platform/serialport.h"
#include "project/state.h"
#include "shell/poll.h"
#include "support/fake_port.h"
#include "support/fixtures.h"
#include "support/link_probes.h"

namespace zuv::test {
namespace {

QByteArray hex(const char* h) { return QByteArray::fromHex(h); }

class LinkTest : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        setSerialPort(&port);
        // Both languages; the failure report must pick the current one.
        useTwoLanguageTexts(300);
        TabellaLingua.IndiceLingua = 1;
        TabellaLingua.OffsetLingua = 0;
        fakeClock.onYield = [this] { ++yields; };
    }
    void TearDown() override
    {
        fakeClock.onYield = nullptr;
        setSerialPort(nullptr);
        ZuvTest::TearDown();
    }

    // Connected to the instrument on port 1, with the traffic so far forgotten.
    void connect()
    {
        ASSERT_TRUE(ConnettiStrumento());
        port.writes.clear();
        port.engine.received.clear();
        msgs.clear();
    }

    // Runs `f` and gives the fake time it took.
    template <class F> qint64 timed(F&& f)
    {
        const qint64 t0 = fakeClock.now();
        f();
        return fakeClock.now() - t0;
    }

    bool failureReported() const
    {
        return msgs.shown.size() == 1 && msgs.shown[0].text == QLatin1String("en 242")
               && msgs.shown[0].icon == MsgIcon::None && msgs.shown[0].buttons == MsgButtons::Ok
               && msgs.shown[0].title == appTitle();
    }

    FakeSerialPort port;
    int yields = 0;
};

// Every example frame and reply, byte for byte, as the link puts it on the line.
TEST_F(LinkTest, ExampleFramesAndRepliesByteForByte)
{
    auto sent = [this](auto call) {
        port.writes.clear();
        call();
        return port.writes.empty() ? QByteArray() : port.writes.front();
    };
    struct Row {
        const char* what;
        std::function<QByteArray()> bytes;
        QByteArray want;
    };
    const Row rows[] = {
        {"checksum H 01", [] { return CalcolaChecksum(hex("4801")); }, "49"},
        {"checksum R 01", [] { return CalcolaChecksum(hex("5201")); }, "53"},
        {"checksum of sum 0x10A", [] { return CalcolaChecksum(hex("FF0B")); }, "0A"},
        {"hello", [&] { return sent([] { ConnettiStrumento(); }); }, hex("48013439")},
        {"hello acknowledgement", [] { return ackFrame(cmd::Hello); }, hex("520135332A")},
        {"poll", [&] { return sent([] { pollTick(); }); }, hex("48023441")},
        {"memory block at 256", [&] { return sent([] { LeggiBloccoMemoria(256); }); },
         hex("480E000001003537")},
        {"lap block at 256", [&] { return sent([] { LeggiBloccoSessione(256); }); },
         hex("482601003646")},
        {"status", [&] { return sent([] { LeggiStatoDownload1(); }); }, hex("48253644")},
        {"live inputs", [&] { return sent([] { LeggiCalibrazione(); }); }, hex("48093531")},
        {"diagnostics", [&] { return sent([] { LeggiDiagnostica(); }); }, hex("48253644")},
        {"config page 1 ack", [] { return ackFrame(cmd::InviaDatiConfigurazione); }, hex("521236342A")},
        {"config page 2 ack", [] { return ackFrame(cmd::InviaDatiConfigurazione2); }, hex("521C36452A")},
        {"sensors page ack", [] { return ackFrame(cmd::InviaDatiSensori); }, hex("521636382A")},
        {"alarms page ack", [] { return ackFrame(cmd::InviaDatiAllarmi); }, hex("521436362A")},
        {"curve ack", [] { return ackFrame(cmd::InviaCurvaSensore); }, hex("521836412A")},
        {"curve read, slot 8", [] { return buildFrame(cmd::LeggiCurvaSensore, hex("08")); },
         hex("4819083639")},
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.bytes().toHex(' '), r.want.toHex(' ')) << r.what;

    // The replies the link takes apart: poll text at 3..12 (13 bytes), the
    // memory block at 3..130.
    port.engine.identification = "ABC 12    ";
    ASSERT_TRUE(pollTick());
    EXPECT_EQ(surface.panelText[7], QStringLiteral("ABC 12    "));
    QByteArray image(512, '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = char(i * 7);
    port.engine.memory = image;
    EXPECT_EQ(LeggiBloccoMemoria(256), image.mid(256, 128));
}

TEST_F(LinkTest, ScanStopsAtTheFirstPortThatAnswersAndLeavesItOpen)
{
    port.instrumentPort = 3;
    // Two silent ports cost the hello's 2000 ms each, idle.
    const qint64 t = timed([] { EXPECT_TRUE(ConnettiStrumento()); });
    EXPECT_GE(t, 4000);
    EXPECT_LT(t, 4100);
    EXPECT_EQ(port.openAttempts, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(portOpen(), 3);
    EXPECT_EQ(surface.panelText[4], QStringLiteral("Connecting COM3..."));
    EXPECT_FALSE(surface.busy);
    EXPECT_GE(port.settingsApplied, 1);
    EXPECT_EQ(port.settings.baudRate, 19200);
    EXPECT_TRUE(port.settings.rts);
    EXPECT_FALSE(port.settings.dtr);

    // Open: no frame, True, even with the instrument gone silent.
    port.engine.setFault(emu::Fault::Silence);
    port.writes.clear();
    EXPECT_EQ(timed([] { EXPECT_TRUE(ConnettiStrumento()); }), 0);
    EXPECT_TRUE(port.writes.empty());
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(LinkTest, ScanWithoutInstrumentCostsOnlyThePortsThatOpen)
{
    port.instrumentPort = 0;
    port.portCount = 2;
    EXPECT_GE(timed([] { EXPECT_FALSE(ConnettiStrumento()); }), 4000);
    EXPECT_EQ(port.openAttempts.size(), 20u);
    EXPECT_EQ(surface.panelText[4], QStringLiteral("Connecting COM20..."));
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(msgs.shown.empty());

    // During an operation each silent port waits 10000 ms.
    StatoComunicazione.ComandoInCorso = cmd::InviaDatiConfigurazione;
    const qint64 t = timed([] { EXPECT_FALSE(ConnettiStrumento()); });
    EXPECT_GE(t, 20000);
    EXPECT_LT(t, 20200);
}

TEST_F(LinkTest, AcknowledgementMustMatchWhole)
{
    struct Case {
        emu::Fault fault;
        bool ok;
    };
    const Case cases[] = {
        {emu::Fault::None, true},
        {emu::Fault::WrongAck, false},
        {emu::Fault::BadChecksum, false},
        {emu::Fault::ExtraByte, false},
        {emu::Fault::ShortReply, false},
        {emu::Fault::Silence, false},
    };
    connect();
    const QByteArray frame = buildFrame(cmd::InviaDatiSensori, QByteArray(kPayloadSensors, '\1'));
    for (const Case& c : cases) {
        port.engine.setFault(c.fault, 1);
        qint64 t = 0;
        t = timed([&] { EXPECT_EQ(InviaComando(frame, ackFrame(cmd::InviaDatiSensori)), c.ok); });
        // A failure is the idle time-out, never more.
        if (!c.ok) {
            EXPECT_GE(t, 2000);
            EXPECT_LT(t, 2100);
        }
        port.engine.setFault(c.fault, 1);
        t = timed([&] { EXPECT_EQ(InviaComandoAttesa(frame, ackFrame(cmd::InviaDatiSensori)), c.ok); });
        if (!c.ok) {
            EXPECT_GE(t, 10000);
            EXPECT_LT(t, 10100);
        }
    }
    EXPECT_TRUE(msgs.shown.empty());
}

// Bytes taken and not matching are dropped and the wait goes on: the right
// acknowledgement coming later still counts; one arriving in pieces too.
TEST_F(LinkTest, AcknowledgementAfterAMismatchOrInPiecesStillCounts)
{
    connect();
    const QByteArray frame = buildFrame(cmd::InviaDatiAllarmi, QByteArray(kPayloadAlarms, '\0'));
    const QByteArray ack = ackFrame(cmd::InviaDatiAllarmi);
    for (bool expected : {false, true}) {
        port.engine.setFault(emu::Fault::Silence, 1);
        port.inject("XXXXX", 10);
        port.inject(ack.left(3), 100);
        port.inject(ack.mid(3), 200);
        const qint64 t = timed([&] {
            EXPECT_TRUE(expected ? InviaComandoAttesa(frame, ack) : InviaComando(frame, ack)) << expected;
        });
        EXPECT_LT(t, 300) << expected;
    }
}

TEST_F(LinkTest, AcknowledgementWaitsFollowTheOperationAndKeepTheWindowsPainted)
{
    connect();
    const QByteArray frame = buildFrame(cmd::InviaDatiAllarmi, QByteArray(kPayloadAlarms, '\0'));
    const QByteArray ack = ackFrame(cmd::InviaDatiAllarmi);
    port.engine.lateMs = 5000;

    port.engine.setFault(emu::Fault::Late, 1);
    EXPECT_FALSE(InviaComando(frame, ack)); // idle: 2000 ms
    // The late acknowledgement comes meanwhile; the next send drops it.
    fakeClock.advance(5000);
    StatoComunicazione.ComandoInCorso = cmd::InviaDatiAllarmi;
    port.engine.setFault(emu::Fault::Late, 1);
    yields = 0;
    EXPECT_TRUE(InviaComando(frame, ack)); // operation: 10000 ms
    EXPECT_GT(yields, 0);

    // The write's wait: 10000 ms whatever ComandoInCorso holds. Like every
    // wait outside the poll it keeps the windows painted but holds the
    // user's input back.
    StatoComunicazione.ComandoInCorso = 0;
    port.engine.setFault(emu::Fault::Late, 1);
    fakeClock.inputYields = fakeClock.waitingYields = 0;
    EXPECT_TRUE(InviaComandoAttesa(frame, ack));
    EXPECT_GT(fakeClock.waitingYields, 0);
    EXPECT_EQ(fakeClock.inputYields, 0);
    port.engine.lateMs = 10500;
    port.engine.setFault(emu::Fault::Late, 1);
    EXPECT_FALSE(InviaComandoAttesa(frame, ack));
}

TEST_F(LinkTest, SendWithoutReplyWaitsForTheOutputToDrain)
{
    connect();
    port.outputStuck = true;
    EXPECT_GE(timed([] { EXPECT_FALSE(InviaComando(buildFrame(cmd::VerificaComunicazione))); }), 3000);
    EXPECT_GE(timed([] { EXPECT_FALSE(InviaComandoAttesa(buildFrame(cmd::VerificaComunicazione))); }), 3000);
    port.outputStuck = false;
    EXPECT_TRUE(InviaComando(buildFrame(cmd::VerificaComunicazione)));
    ChiudiPorta();
    EXPECT_FALSE(InviaComando(buildFrame(cmd::VerificaComunicazione)));
}

TEST_F(LinkTest, RiceviDatiTakesExactlyNAndTheNextSendDropsTheRest)
{
    connect();
    port.inject(QByteArray("ABCDEFGHIJKLMNOPQRST"));
    EXPECT_EQ(RiceviDati(13), QByteArray("ABCDEFGHIJKLM"));
    // The next send clears the seven left over.
    EXPECT_TRUE(InviaComando(buildFrame(cmd::VerificaComunicazione)));
    const QByteArray r = RiceviDati(kLenCheck);
    ASSERT_EQ(r.size(), kLenCheck);
    EXPECT_EQ(r.left(2), QByteArray("R\x02"));

    // A reply that comes in two halves is put together; a short reply times out.
    port.engine.lateMs = 1500;
    port.engine.setFault(emu::Fault::Split, 1);
    EXPECT_TRUE(InviaComando(buildFrame(cmd::VerificaComunicazione)));
    EXPECT_EQ(RiceviDati(kLenCheck).size(), kLenCheck);
    port.engine.setFault(emu::Fault::ShortReply, 1);
    EXPECT_TRUE(InviaComando(buildFrame(cmd::VerificaComunicazione)));
    const qint64 t = timed([] { EXPECT_TRUE(RiceviDati(kLenCheck).isEmpty()); });
    EXPECT_GE(t, 5000);
    EXPECT_LT(t, 5100);
    EXPECT_TRUE(msgs.shown.empty());
    ChiudiPorta();
    EXPECT_TRUE(RiceviDati(5).isEmpty());
}

TEST_F(LinkTest, PortVanishingMidExchangeEndsItAndTheNextScanFindsTheInstrument)
{
    connect();
    // A line that dies under a read: no 5000 ms wait, the port is closed.
    port.engine.setFault(emu::Fault::DropLine, 1);
    ASSERT_TRUE(InviaComando(buildFrame(cmd::VerificaComunicazione)));
    const qint64 t = timed([] { EXPECT_TRUE(RiceviDati(kLenCheck).isEmpty()); });
    EXPECT_LT(t, 100);
    EXPECT_EQ(portOpen(), 0);
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text, QStringLiteral("Errore nella lettura dati"));
    EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Information);

    // Back again: the next connect scans and finds it.
    port.writes.clear();
    EXPECT_TRUE(ConnettiStrumento());
    EXPECT_EQ(port.writes.front(), hex("48013439"));
    ASSERT_TRUE(pollTick());
    EXPECT_TRUE(StatoComunicazione.StrumentoPresente);

    // A device that refuses bytes: the plain send says so once; the write
    // leaves the report to its caller.
    msgs.clear();
    port.refuseWrites = true;
    EXPECT_FALSE(InviaComando(buildFrame(cmd::VerificaComunicazione)));
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text, QStringLiteral("Errore nella scrittura dati"));
    EXPECT_FALSE(port.isOpen());
    port.refuseWrites = false;
    ASSERT_TRUE(ConnettiStrumento());
    msgs.clear();
    port.refuseWrites = true;
    StatoComunicazione.ErroreComunicazione = false;
    EXPECT_FALSE(InviaComandoAttesa(buildFrame(cmd::InviaCurvaSensore, QByteArray(kPayloadCurve, '\0')),
                                    ackFrame(cmd::InviaCurvaSensore)));
    EXPECT_TRUE(StatoComunicazione.ErroreComunicazione);
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(LinkTest, ScanIgnoresThePortsThatFail)
{
    // Port 1 opens but its device fails at the first byte: no message, the
    // scan goes on to the instrument on port 2.
    port.instrumentPort = 2;
    port.onWrite = [&](const QByteArray&) {
        if (port.portNumber() == 1)
            port.vanish();
    };
    EXPECT_TRUE(ConnettiStrumento());
    EXPECT_EQ(portOpen(), 2);
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(LinkTest, FailureReportUsesTheCurrentLanguage)
{
    StatoComunicazione.ErroreComunicazione = false;
    surface.setBusy(true);
    reportLinkError();
    EXPECT_TRUE(StatoComunicazione.ErroreComunicazione);
    EXPECT_FALSE(surface.busy);
    EXPECT_EQ(TabellaLingua.OffsetLingua, 300);
    EXPECT_TRUE(failureReported());
}

TEST_F(LinkTest, LampsLightForHalfASecond)
{
    PanelPicture during = PanelPicture::None;
    fakeClock.onYield = [&] { during = surface.panelPicture[6]; };
    EXPECT_GE(timed([] { LampeggiaTX(); }), 500);
    EXPECT_EQ(during, PanelPicture::LampOn);
    EXPECT_EQ(surface.panelPicture[6], PanelPicture::LampOff);
    fakeClock.onYield = [&] { during = surface.panelPicture[5]; };
    LampeggiaRX();
    EXPECT_EQ(during, PanelPicture::LampOn);
    EXPECT_EQ(surface.panelPicture[5], PanelPicture::LampOff);
}

TEST_F(LinkTest, PageHelpersReportOnceAndBlinkOnlyOnSuccess)
{
    connect();
    const QByteArray payload(kPayloadConfig, '\x05');
    StatoComunicazione.ErroreComunicazione = true;
    EXPECT_TRUE(writePageFrame(cmd::InviaDatiConfigurazione, payload));
    EXPECT_FALSE(StatoComunicazione.ErroreComunicazione);
    EXPECT_EQ(surface.panelPicture[6], PanelPicture::LampOff);
    EXPECT_EQ(port.engine.pages[cmd::InviaDatiConfigurazione], payload);

    const QByteArray r = readPageReply(cmd::LeggiDatiConfigurazione);
    EXPECT_EQ(r.size(), kLenConfig);
    EXPECT_EQ(r.mid(2, kPayloadConfig), payload);
    EXPECT_EQ(surface.panelPicture[5], PanelPicture::LampOff);
    EXPECT_TRUE(msgs.shown.empty());

    surface.panelPicture.clear();
    port.engine.setFault(emu::Fault::Silence);
    EXPECT_FALSE(writePageFrame(cmd::InviaDatiConfigurazione, payload));
    EXPECT_TRUE(failureReported());
    msgs.clear();
    EXPECT_TRUE(readPageReply(cmd::LeggiDatiConfigurazione).isEmpty());
    EXPECT_TRUE(failureReported());
    EXPECT_TRUE(StatoComunicazione.ErroreComunicazione);
    EXPECT_TRUE(surface.panelPicture.empty());
}

TEST_F(LinkTest, PollShowsTheInstrumentOrNoCommunicationNeverAMessage)
{
    connect();
    port.engine.identification = QByteArray("ZUV\x01" "6 v2  ", 10);
    StatoComunicazione.ErroreComunicazione = true;
    ASSERT_TRUE(pollTick());
    EXPECT_TRUE(StatoComunicazione.StrumentoPresente);
    EXPECT_FALSE(StatoComunicazione.ErroreComunicazione);
    EXPECT_EQ(surface.panelText[4], QStringLiteral("COM 1"));
    EXPECT_EQ(surface.panelPicture[4], PanelPicture::LinkOn);
    // Exactly the ten characters, trailing blanks and a control byte kept.
    const QString text = QString::fromLatin1(port.engine.identification);
    EXPECT_EQ(surface.panelText[7], text);
    EXPECT_TRUE(surface.panelPicture.count(5) == 0 && surface.panelPicture.count(6) == 0);

    // No reply: panel 4 only; the instrument's text stays where it was.
    port.engine.setFault(emu::Fault::Silence);
    StatoComunicazione.ErroreComunicazione = true;
    ASSERT_TRUE(pollTick());
    EXPECT_FALSE(StatoComunicazione.StrumentoPresente);
    EXPECT_FALSE(StatoComunicazione.ErroreComunicazione);
    EXPECT_EQ(surface.panelText[4], QStringLiteral("NO COMMUNICATION"));
    EXPECT_EQ(surface.panelPicture[4], PanelPicture::LinkOff);
    EXPECT_EQ(surface.panelText[7], text);
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(LinkTest, BlockAndStatusReads)
{
    connect();
    QByteArray laps(256, '\0');
    laps[128] = '\x80';
    port.engine.lapMemory = laps;
    port.engine.lapCount = qint16(0x8000);
    port.engine.recordedBytes = 1048192;

    StatoComunicazione.ErroreComunicazione = true;
    EXPECT_EQ(LeggiBloccoSessione(128), laps.mid(128, 128));
    EXPECT_FALSE(StatoComunicazione.ErroreComunicazione);
    // Past the recorded memory the instrument gives erased bytes.
    EXPECT_EQ(LeggiBloccoMemoria(4096), QByteArray(128, char(0xFF)));

    // Two separate status requests; a success leaves the error flag alone.
    port.engine.received.clear();
    StatoComunicazione.ErroreComunicazione = true;
    EXPECT_EQ(LeggiStatoDownload1(), -32768);
    EXPECT_EQ(LeggiStatoDownload2(), 1048192);
    EXPECT_TRUE(StatoComunicazione.ErroreComunicazione);
    EXPECT_EQ(port.engine.received.size(), 2u);
    EXPECT_TRUE(msgs.shown.empty());

    // Counts made safe for the download buffers.
    EXPECT_EQ(safeLapCount(-32768), 0);
    EXPECT_EQ(safeLapCount(12), 12);
    EXPECT_EQ(safeLapCount(5000), kMaxLaps - 1);
    EXPECT_EQ(safeByteCount(-1), 0);
    EXPECT_EQ(safeByteCount(kDeviceMemory + 1), kDeviceMemory);

    // Each failed read: one report and an empty or zero result.
    port.engine.setFault(emu::Fault::Silence);
    struct Fail {
        const char* what;
        std::function<bool()> emptyResult;
    };
    const Fail fails[] = {
        {"memory", [] { return LeggiBloccoMemoria(0).isEmpty(); }},
        {"laps", [] { return LeggiBloccoSessione(0).isEmpty(); }},
        {"lap count", [] { return LeggiStatoDownload1() == 0; }},
        {"bytes", [] { return LeggiStatoDownload2() == 0; }},
    };
    for (const Fail& f : fails) {
        msgs.clear();
        StatoComunicazione.ErroreComunicazione = false;
        EXPECT_TRUE(f.emptyResult()) << f.what;
        EXPECT_TRUE(failureReported()) << f.what;
        EXPECT_TRUE(StatoComunicazione.ErroreComunicazione) << f.what;
    }
}

TEST_F(LinkTest, OneConversationAtATime)
{
    connect();
    {
        LinkGuard held;
        EXPECT_TRUE(linkBusy());
        EXPECT_FALSE(pollTick());
    }
    EXPECT_FALSE(linkBusy());
    EXPECT_TRUE(pollTick());
    // A tick that fires again while the last one's exchanges are under way
    // does nothing.
    ASSERT_TRUE(startPollTick());
    EXPECT_FALSE(startPollTick());
    PollExchange::instance().runToEnd();

    // Events that run inside an exchange's wait can start neither a poll
    // nor another exchange; the one in progress gets its reply.
    bool innerTick = true, innerSend = true, innerScan = true;
    QByteArray innerRead = "x";
    std::size_t writesBefore = 0;
    port.engine.lateMs = 50;
    port.engine.setFault(emu::Fault::Late, 1);
    bool once = false;
    fakeClock.onYield = [&] {
        if (std::exchange(once, true))
            return;
        writesBefore = port.writes.size();
        innerTick = pollTick();
        innerSend = InviaComando(buildFrame(cmd::VerificaComunicazione));
        innerScan = ConnettiStrumento();
        innerRead = RiceviDati(3);
        EXPECT_EQ(port.writes.size(), writesBefore);
    };
    EXPECT_TRUE(InviaComando(buildFrame(cmd::InviaDatiAllarmi, QByteArray(kPayloadAlarms, '\0')),
                             ackFrame(cmd::InviaDatiAllarmi)));
    EXPECT_FALSE(innerTick);
    EXPECT_FALSE(innerSend);
    EXPECT_FALSE(innerScan);
    EXPECT_TRUE(innerRead.isEmpty());
    EXPECT_FALSE(linkBusy());
}

} // namespace
} // namespace zuv::test
