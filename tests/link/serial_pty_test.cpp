// The real serial layer against the instrument emulator on a pseudo-terminal.

#include "link/codec.h"
#include "link/commands.h"
#include "link/live.h"
#include "link/serial_comm.h"
#include "platform/clock.h"
#include "project/state.h"
#include "shell/poll.h"
#include "support/emulator_line.h"
#include "support/fixtures.h"
#include "support/link_probes.h"

namespace zuv::test {
namespace {

QByteArray hex(const char* h) { return QByteArray::fromHex(h); }

class PtyTest : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        setClock(nullptr); // real time: the emulator lives in real time
        // Port 1 does not exist; the instrument is on port 2.
        ASSERT_TRUE(line.attach("/nonexistent/zuv-port,"));
    }
    void TearDown() override
    {
        line.detach();
        ZuvTest::TearDown();
    }

    EmulatorLine line;
    emu::Emulator& emulator = line.emulator;
};

TEST_F(PtyTest, ScanFindsTheInstrumentAndThePollShowsIt)
{
    emulator.setIdentification("ZUV-PTY 7 ");
    ASSERT_TRUE(ConnettiStrumento());
    EXPECT_EQ(portOpen(), 2);
    ASSERT_TRUE(emulator.waitForFrames(1, 1000));
    EXPECT_EQ(emulator.received().front(), hex("48013439"));

    ASSERT_TRUE(pollTick());
    EXPECT_TRUE(StatoComunicazione.StrumentoPresente);
    EXPECT_EQ(surface.panelText[4], QStringLiteral("COM 2"));
    EXPECT_EQ(surface.panelText[7], QStringLiteral("ZUV-PTY 7 "));
    EXPECT_EQ(emulator.received().back(), hex("48023441"));
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(PtyTest, BlockStatusAndLiveReads)
{
    QByteArray image(1024, '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = char(i % 251);
    emulator.setMemory(image);
    emulator.setLapMemory(image.left(256));
    emulator.setLapCount(17);
    emulator.setRecordedBytes(768);
    emulator.setAnalogInputs({1, 2, 3, 4, 512, 6, 7, -8});
    ASSERT_TRUE(ConnettiStrumento());

    EXPECT_EQ(LeggiBloccoMemoria(256), image.mid(256, 128));
    EXPECT_EQ(LeggiBloccoMemoria(896), image.mid(896, 128));
    EXPECT_EQ(LeggiBloccoSessione(128), image.mid(128, 128));
    EXPECT_EQ(LeggiStatoDownload1(), 17);
    EXPECT_EQ(LeggiStatoDownload2(), 768);
    LeggiCalibrazione();
    EXPECT_EQ(ValoriAnalogici[4], 512);
    EXPECT_EQ(ValoriAnalogici[7], -8);
    EXPECT_FALSE(StatoComunicazione.ErroreComunicazione);
    EXPECT_TRUE(msgs.shown.empty());
}

// Left to itself, the instrument is on a running car: each status and
// input read finds the values moved, in their own units and ranges, the
// engine turning and the fuel level going down.
TEST_F(PtyTest, LiveReadsOfAnInstrumentLeftToItselfMoveAsARunningEngine)
{
    ASSERT_TRUE(ConnettiStrumento());
    struct Range {
        int field;
        double low, high;
    };
    const Range ranges[] = {{0, 800, 9000},  {2, 1, 300},    {3, 60, 130},   {4, 60, 120},
                            {5, 0.5, 8},     {6, 1, 6},      {7, 0, 100},    {9, 11, 15.5},
                            {10, 1, 6},      {11, -1, 2.5},  {12, 0, 100},   {13, -3, 3},
                            {14, 10, 20},    {16, 0.7, 1.4}};
    QByteArray lastStatus, lastInputs;
    double lastFuel = 1e9;
    int lastFuelInput = 1 << 16;
    for (int pass = 0; pass < 6; ++pass) {
        SCOPED_TRACE(pass);
        const QByteArray status = readReply(cmd::Status);
        const QByteArray inputs = readReply(cmd::LeggiCalibrazione);
        ASSERT_EQ(status.size(), kLenStatus);
        ASSERT_EQ(inputs.size(), kLenCalibration);
        EXPECT_NE(status, lastStatus);
        EXPECT_NE(inputs, lastInputs);
        lastStatus = status;
        lastInputs = inputs;

        const DiagnosticsState s = decodeDiagnostics(status);
        for (const Range& r : ranges) {
            const double v = s.fields[std::size_t(r.field)].toDouble();
            EXPECT_TRUE(v >= r.low && v <= r.high) << r.field << ": " << v;
        }
        EXPECT_EQ(s.fields[15], QStringLiteral("100")) << "nothing recorded";
        const double fuel = s.fields[7].toDouble();
        EXPECT_LT(fuel, lastFuel);
        lastFuel = fuel;

        const auto raw = decodeCalibration(inputs);
        for (qint16 v : raw)
            EXPECT_TRUE(v > 0 && v < 1024) << v;
        EXPECT_LT(raw[4], lastFuelInput);
        lastFuelInput = raw[4];
    }
    EXPECT_FALSE(StatoComunicazione.ErroreComunicazione);
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(PtyTest, PageAndCurveWritesAreStoredAndReadBack)
{
    ASSERT_TRUE(ConnettiStrumento());
    QByteArray page(kPayloadConfig, '\0');
    for (int i = 0; i < page.size(); ++i)
        page[i] = char(i + 1);
    StatoComunicazione.ComandoInCorso = cmd::InviaDatiConfigurazione;
    EXPECT_TRUE(writePageFrame(cmd::InviaDatiConfigurazione, page));
    EXPECT_EQ(emulator.page(cmd::InviaDatiConfigurazione), page);
    const QByteArray r = readPageReply(cmd::LeggiDatiConfigurazione);
    ASSERT_EQ(r.size(), kLenConfig);
    EXPECT_EQ(r.mid(2, kPayloadConfig), page);

    // Curves per slot; the read reply carries the curve without its slot byte.
    for (int slot = 0; slot < 9; ++slot) {
        QByteArray curve(kPayloadCurve, char(0x10 + slot));
        curve[0] = char(slot);
        ASSERT_TRUE(InviaComandoAttesa(buildFrame(cmd::InviaCurvaSensore, curve),
                                       ackFrame(cmd::InviaCurvaSensore)));
        ASSERT_TRUE(InviaComando(buildFrame(cmd::LeggiCurvaSensore, ByteInChr(slot))));
        const QByteArray back = RiceviDati(kLenCurve);
        ASSERT_EQ(back.size(), kLenCurve);
        EXPECT_EQ(back.mid(2, kPayloadCurve - 1), curve.mid(1)) << slot;
    }
    for (int slot = 0; slot < 9; ++slot)
        EXPECT_EQ(quint8(emulator.curve(slot).at(0)), slot);
}

TEST_F(PtyTest, ReplyInHalvesAndAckWithAnExtraByte)
{
    ASSERT_TRUE(ConnettiStrumento());
    emulator.setLateMs(200);
    emulator.setFault(emu::Fault::Split, 1, cmd::VerificaComunicazione);
    ASSERT_TRUE(pollTick());
    EXPECT_TRUE(StatoComunicazione.StrumentoPresente);

    // An acknowledgement with one byte too many never matches: the scan
    // fails, the next one finds the instrument.
    ChiudiPorta();
    emulator.setFault(emu::Fault::ExtraByte, 1, cmd::Hello);
    EXPECT_FALSE(ConnettiStrumento());
    EXPECT_TRUE(ConnettiStrumento());
}

TEST_F(PtyTest, DroppedLineClosesThePortAndTheInstrumentIsFoundAgain)
{
    ASSERT_TRUE(ConnettiStrumento());
    emulator.setFault(emu::Fault::DropLine, 1, cmd::VerificaComunicazione);
    ASSERT_TRUE(pollTick());
    EXPECT_FALSE(StatoComunicazione.StrumentoPresente);
    EXPECT_EQ(surface.panelText[4], QStringLiteral("NO COMMUNICATION"));
    // The port noticed the device gone (a mere silence keeps it open).
    EXPECT_EQ(portOpen(), 0);
    EXPECT_LE(msgs.shown.size(), 1u);

    // Plugged in again, on another device path.
    ASSERT_TRUE(line.replug());
    ASSERT_TRUE(ConnettiStrumento());
    ASSERT_TRUE(pollTick());
    EXPECT_TRUE(StatoComunicazione.StrumentoPresente);
}

} // namespace
} // namespace zuv::test
