#include "link/commands.h"
#include "link/curve_codec.h"
#include "link/page_alarms.h"
#include "link/page_config.h"
#include "link/page_sensors.h"
#include "link/serial_comm.h"
#include "platform/serialport.h"
#include "project/channels.h"
#include "project/state.h"
#include "shell/device_ops.h"
#include "support/fake_port.h"
#include "support/fixtures.h"

namespace zuv::test {
namespace {

class FakeProgress final : public DeviceProgressView {
public:
    void setHeading(const QString& text) override { heading = text; }
    void appendLog(const QString& text) override
    {
        logText += text;
        if (++appends == closeAtAppend)
            shown = false;
    }
    QString log() const override { return logText; }
    void setResult(const QString& text) override { result = text; }
    void setBusy(bool b) override { busy = b; }
    bool isShown() const override { return shown; }
    void closeWindow() override
    {
        shown = false;
        closed = true;
    }

    QString heading, logText, result;
    bool busy = false, shown = true, closed = false;
    int appends = 0;
    int closeAtAppend = -1;
};

CSensore sensor(const QString& name, const QString& type, double base)
{
    CSensore s;
    s.setNome(name);
    s.setTipo(type);
    s.setNumPunti(20);
    for (int i = 0; i < 20; ++i) {
        s.setX(i, 50.0 * i);
        s.setY(i, base + i);
    }
    return s;
}

class DeviceOpsTest : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        loadShippedLanguages();
        fakeClock.tickStepMs = 1;
        port.instrumentPort = 3;
        port.portCount = 4;
        setSerialPort(&port);

        DatiProgetto = newProjectValues();
        DatiProgetto.NomeProgetto = QStringLiteral("Test");
        DatiProgetto.UMVel = 1;
        DatiProgetto.mskAbilRecVel = 30;
        DatiProgetto.Settore2 = 1200;
        DatiProgetto.NumAccRPM = 2;
        DatiProgetto.DiametroRuota = 540;
        DatiProgetto.chkTO = true;
        DatiProgetto.mskTO = 1200;
        int n = 0;
        for (const ChannelInfo& ch : channelsInFileOrder()) {
            const QString name = QStringLiteral("S%1").arg(ch.code);
            LibreriaSensori.push_back(sensor(name, QString::fromLatin1(ch.type), ++n));
            DatiProgetto.*ch.sensor = name;
            DatiProgetto.*ch.rate = QStringLiteral("10");
            DatiProgetto.*ch.enabled = true;
        }
    }

    void TearDown() override
    {
        ChiudiPorta();
        setSerialPort(nullptr);
        ZuvTest::TearDown();
    }

    ProgressOpener opener()
    {
        return [this]() -> DeviceProgressView& {
            ++opened;
            return progress;
        };
    }

    // Codes of the frames the instrument received, the hellos left out.
    std::vector<int> receivedCodes() const
    {
        std::vector<int> codes;
        for (const QByteArray& f : port.engine.received)
            if (f.size() > 1 && quint8(f[1]) != cmd::Hello)
                codes.push_back(quint8(f[1]));
        return codes;
    }

    FakeSerialPort port;
    FakeProgress progress;
    int opened = 0;
};

TEST_F(DeviceOpsTest, ProgramDeviceSendsEveryPageAndCurveInOrder)
{
    DatiProgetto.AbilPB = false; // slot 2 goes out as zeros
    msgs.answers.push_back(MsgAnswer::Ok);
    ASSERT_EQ(programInstrument(opener()), DeviceRunEnd::Succeeded);

    EXPECT_EQ(receivedCodes(), (std::vector<int>{0x12, 0x1C, 0x16, 0x18, 0x18, 0x18, 0x18, 0x18,
                                                  0x18, 0x18, 0x18, 0x18, 0x14}));
    std::vector<QByteArray> frames;
    for (const QByteArray& f : port.engine.received)
        if (quint8(f[1]) != cmd::Hello)
            frames.push_back(f);
    EXPECT_EQ(frames[0], buildFrame(0x12, encodeConfigPage1(configPage1From(DatiProgetto))));
    EXPECT_EQ(frames[1], buildFrame(0x1C, encodeConfigPage2(configPage2From(DatiProgetto))));
    EXPECT_EQ(frames[2], buildFrame(0x16, encodeSensorsPage(sensorsPageFrom(DatiProgetto))));
    EXPECT_EQ(frames[12], buildFrame(0x14, encodeAlarmsPage(alarmsPageFrom(DatiProgetto))));
    // Slot 2 (fuel pressure, disabled): slot byte then all zeros.
    EXPECT_EQ(port.engine.curve[2], encodeCurve(2, CurveBuffer{}));

    EXPECT_EQ(progress.result, languageText(238) + " " + languageText(237));
    EXPECT_EQ(progress.log().count("\r\n"), 12);
    EXPECT_TRUE(progress.log().startsWith(languageText(146) + " ...   " + languageText(237) + "\r\n" + languageText(11) +
                                          " " + languageText(12) + " ...   " + languageText(237) + "\r\n"));
    EXPECT_FALSE(progress.closed);
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
    EXPECT_FALSE(ProgettoModificato);
    EXPECT_EQ(surface.panelText[3], QString());
    EXPECT_TRUE(msgs.shown.size() == 1); // the question only
}

TEST_F(DeviceOpsTest, ReadDeviceGivesBackTheProgrammedProject)
{
    msgs.answers = {MsgAnswer::Ok, MsgAnswer::Ok};
    ASSERT_EQ(programInstrument(opener()), DeviceRunEnd::Succeeded);
    const ProjectRecord programmed = DatiProgetto;

    DatiProgetto = newProjectValues();
    DatiProgetto.NomeProgetto = programmed.NomeProgetto;
    for (const ChannelInfo& ch : channelsInFileOrder())
        DatiProgetto.*ch.rate = programmed.*ch.rate;
    DatiProgetto.chkTO = programmed.chkTO;
    ASSERT_EQ(readInstrument(opener()), DeviceRunEnd::Succeeded);

    EXPECT_EQ(configPage1From(DatiProgetto), configPage1From(programmed));
    EXPECT_EQ(configPage2From(DatiProgetto), configPage2From(programmed));
    EXPECT_EQ(sensorsPageFrom(DatiProgetto), sensorsPageFrom(programmed));
    EXPECT_EQ(alarmsPageFrom(DatiProgetto), alarmsPageFrom(programmed));
    for (const ChannelInfo& ch : channelsInFileOrder())
        EXPECT_EQ(DatiProgetto.*ch.sensor, programmed.*ch.sensor) << ch.code;
    EXPECT_TRUE(ProgettoModificato);
    EXPECT_EQ(progress.result, languageText(239) + " " + languageText(237));
}

TEST_F(DeviceOpsTest, MissingSensorIsRefusedBeforeAnyFrame)
{
    struct Case {
        const char* what;
        std::function<void()> spoil;
        int text;
    } cases[] = {
        {"blank sampling", [] { DatiProgetto.TCampPO = QStringLiteral(" "); }, 167},
        {"blank sensor", [] { DatiProgetto.TemperaturaAcqua = QStringLiteral(" "); }, 168},
        {"unknown sensor", [] { DatiProgetto.SensoreLambda = QStringLiteral("Nowhere"); }, 304},
        {"first in file order wins",
         [] {
             DatiProgetto.Cambio.clear();
             DatiProgetto.TCampPB.clear();
         },
         169},
    };
    const ProjectRecord good = DatiProgetto;
    for (const Case& c : cases) {
        DatiProgetto = good;
        c.spoil();
        msgs.clear();
        msgs.answers.push_back(MsgAnswer::Ok);
        port.engine.received.clear();
        EXPECT_EQ(programInstrument(opener()), DeviceRunEnd::MissingSensor) << c.what;
        EXPECT_TRUE(receivedCodes().empty()) << c.what;
        ASSERT_EQ(msgs.shown.size(), 2u) << c.what;
        EXPECT_EQ(msgs.shown[1].text, languageText(c.text)) << c.what;
        EXPECT_EQ(msgs.shown[1].title, QStringLiteral("Sensori"));
        EXPECT_EQ(msgs.shown[1].icon, MsgIcon::Exclamation);
    }
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
}

TEST_F(DeviceOpsTest, CancelAtTheQuestionDoesNothing)
{
    msgs.answers.push_back(MsgAnswer::Cancel);
    EXPECT_EQ(readInstrument(opener()), DeviceRunEnd::Cancelled);
    EXPECT_EQ(opened, 0);
    EXPECT_TRUE(port.engine.received.empty());
    EXPECT_EQ(msgs.shown[0].text, languageText(232) + "\r\n" + languageText(148));
}

TEST_F(DeviceOpsTest, SilenceMidRunEndsWithTheCommunicationError)
{
    port.engine.setFault(emu::Fault::Silence, -1, cmd::InviaCurvaSensore);
    msgs.answers.push_back(MsgAnswer::Ok);
    EXPECT_EQ(programInstrument(opener()), DeviceRunEnd::CommError);
    const std::vector<int> codes = receivedCodes();
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 0x18), 1);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 0x14), 0);
    ASSERT_GE(msgs.shown.size(), 3u);
    EXPECT_EQ(msgs.shown[msgs.shown.size() - 2].text, languageText(242));
    EXPECT_EQ(msgs.shown.back().text, languageText(230));
    EXPECT_TRUE(progress.closed);
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
    EXPECT_EQ(surface.panelText[3], QString());
}

TEST_F(DeviceOpsTest, ClosingTheProgressWindowBreaksTheRunOffAfterItsStep)
{
    // Appends: step 1, done + step 2, done + the first curve step.
    progress.closeAtAppend = 5;
    const ProjectRecord before = DatiProgetto;
    msgs.answers.push_back(MsgAnswer::Ok);
    EXPECT_EQ(readInstrument(opener()), DeviceRunEnd::BrokenOff);
    const std::vector<int> codes = receivedCodes();
    EXPECT_EQ(codes.back(), 0x19); // the curve of slot 0 was still read
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 0x19), 1);
    EXPECT_EQ(msgs.shown.back().text, languageText(233));
    EXPECT_FALSE(ProgettoModificato);
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
    EXPECT_EQ(DatiProgetto.PressioneOlio, before.PressioneOlio);
}

TEST_F(DeviceOpsTest, NoInstrumentIsACommunicationErrorNotSuccess)
{
    port.instrumentPort = 0;
    port.portCount = 0;
    msgs.answers.push_back(MsgAnswer::Ok);
    EXPECT_EQ(programInstrument(opener()), DeviceRunEnd::CommError);
    EXPECT_EQ(msgs.shown.back().text, languageText(230));
    EXPECT_TRUE(progress.result.isEmpty());
}

TEST_F(DeviceOpsTest, AFailedCurveReadKeepsTheChannelsSensor)
{
    msgs.answers = {MsgAnswer::Ok, MsgAnswer::Ok};
    ASSERT_EQ(programInstrument(opener()), DeviceRunEnd::Succeeded);
    port.engine.setFault(emu::Fault::Silence, 1, cmd::LeggiCurvaSensore);
    DatiProgetto.TemperaturaOlio = QStringLiteral("kept");
    EXPECT_EQ(readInstrument(opener()), DeviceRunEnd::CommError);
    EXPECT_EQ(DatiProgetto.TemperaturaOlio, QStringLiteral("kept"));
}

} // namespace
} // namespace zuv::test
