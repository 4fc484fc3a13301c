// Live inputs and instrument status, decoded and shown.

#include "emulator/engine.h"
#include "link/commands.h"
#include "link/live.h"
#include "link/serial_comm.h"
#include "platform/serialport.h"
#include "project/state.h"
#include "support/fake_port.h"
#include "support/fixtures.h"

#include <map>

namespace zuv::test {
namespace {

using emu::putLong;
using emu::putWord;

QByteArray statusReply()
{
    QByteArray r(kLenStatus, '\0');
    r[0] = 'R';
    r[1] = char(cmd::Status);
    putWord(r, 3, 0x0100);   // oil pump alarm only
    putWord(r, 5, 6500);     // RPM
    putWord(r, 9, 187);      // speed
    putWord(r, 11, -55);     // oil temperature, tenths
    putWord(r, 13, 905);     // water temperature
    putWord(r, 15, 2500);    // oil pressure, thousandths
    putWord(r, 17, 3125);    // fuel pressure
    putWord(r, 19, 423);     // fuel level, tenths
    putWord(r, 23, 0x8000);  // laps, signed
    r[24] = char(125);       // battery 12.5 V
    r[25] = char(4);         // gear
    r[26] = char(0xF6);      // turbo -1.0
    r[27] = char(200);       // throttle
    r[28] = char(0x0F);      // G 1.5
    putWord(r, 30, 1470);    // A/F 14.70, lambda 1.000
    putLong(r, 32, 1048192); // half the memory recorded
    return r;
}

TEST(LiveDecode, StatusFieldsAsTheDialogShowsThem)
{
    const DiagnosticsState s = decodeDiagnostics(statusReply());
    const std::map<int, QString> want = {
        {0, "6500"},  {2, "187"},   {3, "-5.5"},  {4, "90.5"},   {5, "2.500"},  {6, "3.125"},
        {7, "42.3"},  {8, "-32768"}, {9, "12.5"}, {10, "4"},     {11, "-1.0"},  {12, "200"},
        {13, "1.5"},  {14, "14.70"}, {15, "50"},  {16, "1.000"},
    };
    for (const auto& [box, text] : want)
        EXPECT_EQ(s.fields[box], text) << "box " << box;
    EXPECT_TRUE(s.fields[1].isEmpty());
    EXPECT_EQ(s.alarms, (std::array<bool, 8>{true, false, false, false, false, false, false, false}));
}

TEST(LiveDecode, FreeMemoryAlarmsAndShortReplies)
{
    QByteArray r = statusReply();
    putLong(r, 32, 0);
    putWord(r, 3, 0x8001); // bit 15: fuel level; bit 0 is no alarm
    DiagnosticsState s = decodeDiagnostics(r);
    EXPECT_EQ(s.fields[15], QStringLiteral("100"));
    EXPECT_EQ(s.alarms, (std::array<bool, 8>{false, false, false, false, false, false, false, true}));
    putLong(r, 32, 1);
    EXPECT_EQ(decodeDiagnostics(r).fields[15], QStringLiteral("99.9999522988155"));

    // A reply cut short decodes its missing bytes as zeros.
    s = decodeDiagnostics(r.left(10));
    EXPECT_EQ(s.fields[0], QStringLiteral("6500"));
    EXPECT_EQ(s.fields[14], QStringLiteral("0.00"));
    EXPECT_EQ(decodeCalibration(QByteArray("R\x09\x01", 3))[0], 256);
}

class FakeDiagnostics final : public DiagnosticsView {
public:
    void setAnalogValue(int k, const QString& text) override { analog[k] = text; }
    void setFieldValue(int i, const QString& text) override { fields[i] = text; }
    void setAlarm(int k, bool on) override { alarms[k] = on; }
    std::map<int, QString> analog, fields;
    std::map<int, bool> alarms;
};

class LiveTest : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        setSerialPort(&port);
        port.engine.analogInputs = {100, -2, 300, 400, 1023, 0, -32768, 32767};
        port.engine.status = statusReply();
        port.engine.lapCount = 3;
        ASSERT_TRUE(ConnettiStrumento());
    }
    void TearDown() override
    {
        setDiagnosticsView(nullptr);
        setSerialPort(nullptr);
        ZuvTest::TearDown();
    }
    FakeSerialPort port;
    FakeDiagnostics view;
};

TEST_F(LiveTest, InputsGoToTheShownDialogElseToValoriAnalogici)
{
    LeggiCalibrazione();
    EXPECT_EQ(ValoriAnalogici, (std::array<double, 8>{100, -2, 300, 400, 1023, 0, -32768, 32767}));

    ValoriAnalogici.fill(7);
    setDiagnosticsView(&view);
    LeggiCalibrazione();
    EXPECT_EQ(view.analog[1], QStringLiteral("-2"));
    EXPECT_EQ(view.analog[7], QStringLiteral("32767"));
    EXPECT_EQ(ValoriAnalogici[4], 7);
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_TRUE(surface.panelPicture.count(5) == 0);
}

TEST_F(LiveTest, StatusFillsTheDialogAndAFailedReadChangesNothing)
{
    setDiagnosticsView(&view);
    StatoComunicazione.ErroreComunicazione = true;
    LeggiDiagnostica();
    EXPECT_EQ(view.fields.size(), 16u);
    EXPECT_EQ(view.fields.count(1), 0u);
    EXPECT_EQ(view.fields[8], QStringLiteral("3"));
    EXPECT_EQ(view.alarms.size(), 8u);
    EXPECT_TRUE(view.alarms[0]);
    // Neither read clears the error flag.
    EXPECT_TRUE(StatoComunicazione.ErroreComunicazione);

    view.fields.clear();
    ValoriAnalogici.fill(7);
    port.engine.setFault(emu::Fault::Silence);
    StatoComunicazione.ErroreComunicazione = false;
    LeggiDiagnostica();
    EXPECT_TRUE(view.fields.empty());
    EXPECT_EQ(msgs.shown.size(), 1u);
    EXPECT_TRUE(StatoComunicazione.ErroreComunicazione);
    setDiagnosticsView(nullptr);
    LeggiCalibrazione();
    EXPECT_EQ(ValoriAnalogici[0], 7);
    EXPECT_EQ(msgs.shown.size(), 2u);
}

} // namespace
} // namespace zuv::test
