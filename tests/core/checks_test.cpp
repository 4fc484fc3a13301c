// The editors' number and channel checks.

#include "config/checks.h"

#include "project/state.h"
#include "support/link_fixture.h"

#include <gtest/gtest.h>

namespace zuv::test {
namespace {

struct BoxCase {
    const char* text;
    bool ok;
    const char* shown; // text after leaving the box (when accepted)
    qint32 value;
};

void expectCase(const BoxCheck& got, const BoxCase& c)
{
    EXPECT_EQ(got.ok, c.ok);
    if (got.ok && c.ok) {
        EXPECT_EQ(got.text, QString::fromUtf8(c.shown));
        EXPECT_EQ(got.value, c.value);
    }
}

TEST(EditorNumber, TakesPlainDecimalsWithPointOrComma)
{
    struct Case {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"12", 12},       {" 12 ", 12},   {"-5", -5},       {"+7", 7},     {"12,5", 12.5},
        {"12.5", 12.5},   {".5", 0.5},    {"5.", 5},        {"", {}},      {"   ", {}},
        {"abc", {}},      {"12a", {}},    {"1e3", {}},      {"1.000,5", {}}, {"--1", {}},
        {"0x10", {}},     {"1 2", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(editorNumber(QString::fromUtf8(c.text)), c.value);
    }
}

TEST(ConfigBoxCheck, BoundsEachBoxByItsWireFieldAndTypingLimit)
{
    struct Case {
        ConfigBox box;
        BoxCase c;
    } cases[] = {
        {ConfigBox::AbilRecVel, {"0", true, "0", 0}},
        {ConfigBox::AbilRecVel, {"999", true, "999", 999}},
        {ConfigBox::AbilRecVel, {"1000", false, "", 0}},
        {ConfigBox::AbilRecVel, {"-5", false, "", 0}},
        {ConfigBox::AbilRecVel, {" 050", true, "50", 50}},
        {ConfigBox::StopRecSecondi, {"99", true, "99", 99}},
        {ConfigBox::StopRecSecondi, {"100", false, "", 0}},
        {ConfigBox::StopRecSecondi, {"", false, "", 0}},
        {ConfigBox::TempoMsgGiro, {"2,5", true, "2", 2}},   // halves to even
        {ConfigBox::TempoVisGiro, {"3.5", true, "4", 4}},
        {ConfigBox::TempoVisGiro, {"x", false, "", 0}},
        {ConfigBox::SettoreCrono, {"32767", true, "32767", 32767}},
        {ConfigBox::SettoreCrono, {"40000", false, "", 0}}, // would read back negative
        {ConfigBox::SettoreCrono, {"99999", false, "", 0}},
        {ConfigBox::SettoreCrono, {"-1", false, "", 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.c.text);
        expectCase(checkConfigBox(c.box, QString::fromUtf8(c.c.text)), c.c);
    }
    EXPECT_EQ(configTypingLimit(ConfigBox::AbilRecVel), 3);
    EXPECT_EQ(configTypingLimit(ConfigBox::StopRecSecondi), 2);
    EXPECT_EQ(configTypingLimit(ConfigBox::SettoreCrono), 5);
}

TEST(SensorsBoxCheck, ZeroBecomesOneAndLabelRangesHold)
{
    struct Case {
        SensorsBox box;
        BoxCase c;
    } cases[] = {
        {SensorsBox::ImpulsiRuota, {"0", true, "1", 1}},
        {SensorsBox::ImpulsiRuota, {"00", false, "", 0}},
        {SensorsBox::ImpulsiRuota, {" 0", false, "", 0}},
        {SensorsBox::ImpulsiRuota, {"99", true, "99", 99}},
        {SensorsBox::ImpulsiRuota, {"100", false, "", 0}},
        {SensorsBox::ImpulsiRuota, {"-5", false, "", 0}},
        {SensorsBox::ImpulsiRuota, {"500", false, "", 0}},
        {SensorsBox::ImpulsiRuota, {"40000", false, "", 0}},
        {SensorsBox::ImpulsiRuota, {"abc", false, "", 0}},
        {SensorsBox::ImpulsiRuota, {"", false, "", 0}},
        {SensorsBox::DiametroRuota, {"9999", true, "9999", 9999}},
        {SensorsBox::DiametroRuota, {"10000", false, "", 0}},
        {SensorsBox::DiametroRuota, {"0", true, "1", 1}},
        {SensorsBox::NumAccRPM, {"255", true, "255", 255}},
        {SensorsBox::NumAccRPM, {"256", false, "", 0}},
        {SensorsBox::NumAccRPM, {"300", false, "", 0}},
        {SensorsBox::NumAccRPM, {"2", true, "2", 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.c.text);
        expectCase(checkSensorsBox(c.box, QString::fromUtf8(c.c.text)), c.c);
    }
}

TEST(ThresholdCheck, FormatsClampsAndScales)
{
    using S = ThresholdScale;
    struct Case {
        S scale;
        BoxCase c;
    } cases[] = {
        {S::Tenths, {"12,5", true, "12.5", 125}},
        {S::Tenths, {"7", true, "7.0", 70}},
        {S::Tenths, {"1000", true, "999.9", 9999}},
        {S::Tenths, {"999.9", true, "999.9", 9999}},
        {S::Tenths, {"5000", true, "999.9", 9999}},
        {S::Tenths, {"-5", true, "-5.0", -50}},
        {S::Tenths, {".5", true, "0.5", 5}},
        {S::Tenths, {"0.25", true, "0.25", 2}},       // halves to even
        {S::Tenths, {"-3276.8", true, "-3276.8", -32768}},
        {S::Tenths, {"-3276.9", false, "", 0}},      // below the signed word
        {S::Tenths, {"-5000", false, "", 0}},
        {S::Tenths, {"40000", false, "", 0}},        // no 16-bit number
        {S::Tenths, {"", false, "", 0}},
        {S::Tenths, {"abc", false, "", 0}},
        {S::Thousandths, {"2", true, "2.000", 2000}},
        {S::Thousandths, {"12", true, "9.999", 9999}},
        {S::Thousandths, {"0.5", true, "0.500", 500}},
        {S::Thousandths, {"1,5", true, "1.500", 1500}},
        {S::Thousandths, {"-32.768", true, "-32.768", -32768}},
        {S::Thousandths, {"-33", false, "", 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.c.text);
        expectCase(checkThreshold(QString::fromUtf8(c.c.text), c.scale), c.c);
    }
}

TEST(ThresholdText, ShowsStoredValuesWithTheScalesDecimals)
{
    using S = ThresholdScale;
    EXPECT_EQ(thresholdText(250, S::Tenths), "25.0");
    EXPECT_EQ(thresholdText(905, S::Tenths), "90.5");
    EXPECT_EQ(thresholdText(0, S::Tenths), "0.0");
    EXPECT_EQ(thresholdText(-5, S::Tenths), "-0.5");
    EXPECT_EQ(thresholdText(2500, S::Thousandths), "2.500");
    EXPECT_EQ(thresholdText(1500, S::Thousandths), "1.500");
    EXPECT_EQ(thresholdText(0, S::Thousandths), "0.000");
    EXPECT_EQ(thresholdText(7, S::Thousandths), "0.007");
    EXPECT_EQ(thresholdText(1000000000, S::Tenths), "100000000.0");
    // What is shown is accepted back as the same value.
    for (qint32 v : {0, 9, 250, 905, 9999, -50, -32768})
        EXPECT_EQ(checkThreshold(thresholdText(v, S::Tenths), S::Tenths).value, v);
}

TEST(ShiftLightCheck, TakesSixteenBitWholeNumbers)
{
    const BoxCase cases[] = {
        {"6500", true, "6500", 6500}, {"32767", true, "32767", 32767}, {"-32768", true, "-32768", -32768},
        {"40000", false, "", 0},      {"", false, "", 0},              {"abc", false, "", 0},
        {"12,5", true, "12", 12},
    };
    for (const BoxCase& c : cases) {
        SCOPED_TRACE(c.text);
        expectCase(checkShiftLight(QString::fromUtf8(c.text)), c);
    }
}

class ChannelChecks : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        useNumberedTexts();
        CSensore s;
        s.setNome(QStringLiteral("PT100"));
        s.setTipo(QStringLiteral("TemperaturaOlio"));
        LibreriaSensori.push_back(s);
        // A sensor file whose type has no scale gives no curve to send.
        CSensore odd;
        odd.setNome(QStringLiteral("Odd"));
        odd.setTipo(QStringLiteral("Sconosciuto"));
        LibreriaSensori.push_back(odd);
    }

    static ChannelEntries entries(std::initializer_list<std::pair<int, const char*>> enabled)
    {
        ChannelEntries e;
        for (auto [slot, name] : enabled) {
            e[slot].enabled = true;
            e[slot].sensor = QString::fromUtf8(name);
        }
        return e;
    }
};

TEST_F(ChannelChecks, FirstMissingSensorFollowsTheCheckOrder)
{
    struct Case {
        ChannelEntries e;
        bool needLibrary;
        int slot;
    } cases[] = {
        {entries({}), true, -1},
        {entries({{0, ""}}), false, 0},
        {entries({{0, "PT100"}}), true, -1},
        {entries({{0, " "}}), false, 0},               // blanks count as no sensor
        {entries({{0, "Gone"}}), false, -1},           // a stored name is kept on OK
        {entries({{0, "Gone"}}), true, 0},             // but never sent
        {entries({{0, "Odd"}}), true, 0},              // nor one that loads no curve
        {entries({{2, ""}, {3, ""}}), false, 3},       // water temperature before fuel pressure
        {entries({{8, ""}, {5, ""}, {6, ""}}), false, 8}, // G, then gear, then lambda
        {entries({{5, ""}, {6, ""}}), false, 5},
        {entries({{6, ""}}), false, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slot);
        EXPECT_EQ(firstMissingSensor(c.e, c.needLibrary), c.slot);
    }
}

TEST_F(ChannelChecks, EachChannelHasItsOwnMissingSensorText)
{
    const char* texts[] = {"T166", "T167", "T169", "T168", "T170", "T173", "T304", "T171", "T172"};
    for (int slot = 0; slot < 9; ++slot)
        EXPECT_EQ(missingSensorText(slot), texts[slot]);
}

TEST_F(ChannelChecks, InputsClashOnlyAmongGTurboAndLambda)
{
    struct Case {
        std::initializer_list<std::pair<int, int>> enabledOn; // slot, input
        bool clash;
    } cases[] = {
        {{{8, 0}, {7, 1}, {6, 1}}, true},  // turbo and lambda
        {{{8, 0}, {6, 0}}, true},
        {{{8, 0}, {7, 0}}, true},
        {{{8, 0}, {7, 1}}, false},
        {{{8, 0}, {5, 0}}, false},         // the gear may share
        {{{5, 1}, {7, 1}}, false},
        {{{8, -1}, {6, -1}}, true},        // both unset count as the same input
    };
    for (const Case& c : cases) {
        ChannelEntries e;
        for (auto [slot, input] : c.enabledOn) {
            e[slot].enabled = true;
            e[slot].input = input;
        }
        EXPECT_EQ(inputsClash(e), c.clash);
        // With one of a pair disabled nothing clashes.
        if (c.enabledOn.size() == 2) {
            ChannelEntries off = e;
            off[c.enabledOn.begin()->first].enabled = false;
            EXPECT_FALSE(inputsClash(off));
        }
    }
}

} // namespace
} // namespace zuv::test
