#include "project/curve_buffer.h"
#include "project/state.h"
#include "support/fixtures.h"

#include <cmath>

namespace zuv::test {
namespace {

// n points: X = 50 i, Y = "<base>.00i" read as a library file is.
CSensore sensor(const char* type, const char* name, int n, int base = 1)
{
    CSensore s;
    s.setTipo(QString::fromLatin1(type));
    s.setNome(QString::fromLatin1(name));
    s.setNumPunti(static_cast<qint16>(n));
    for (int i = 0; i < n; ++i) {
        s.setX(i, 50.0 * i);
        s.setY(i, QStringLiteral("%1.%2").arg(base).arg(i, 3, 10, QLatin1Char('0')).toDouble());
    }
    return s;
}

void fillBuffer(double v)
{
    CurvaSensore.CurvaX.fill(v);
    CurvaSensore.CurvaY.fill(v);
}

// The read path: the instrument keeps whole fixed-point numbers, the
// caller divides them back into library units.
void divideY(double scale)
{
    for (int i = 0; i < 20; ++i)
        CurvaSensore.CurvaY[i] = std::nearbyint(CurvaSensore.CurvaY[i]) / scale;
}

class CurveBufferTest : public ZuvTest {};

TEST_F(CurveBufferTest, ScalesYByTheSensorsType)
{
    struct Case {
        const char* type;
        double scale;
    } cases[] = {
        {"TemperaturaOlio", 10}, {"TemperaturaAcqua", 10}, {"LivelloBenzina", 10},
        {"Pressione", 1000},     {"PressioneTurbo", 1000}, {"SensoreG", 1000},
        {"SensoreLambda", 100},  {"Altro", 1},
    };
    for (const Case& c : cases) {
        CSensore s = sensor(c.type, "S", 20);
        s.setY(0, 1.234);
        LibreriaSensori = {s};
        ASSERT_TRUE(CaricaCurvaSensore(QStringLiteral("S"))) << c.type;
        EXPECT_EQ(CurvaSensore.CurvaX[19], 950.0) << c.type;
        EXPECT_EQ(CurvaSensore.CurvaY[0], 1.234 * c.scale) << c.type;
        EXPECT_EQ(CurvaSensore.CurvaY[19], s.Y(19) * c.scale) << c.type;
    }
    LibreriaSensori = {sensor("Pressione", "S", 20)};
    LibreriaSensori[0].setY(0, 1.234);
    ASSERT_TRUE(CaricaCurvaSensore(QStringLiteral("S")));
    EXPECT_EQ(CurvaSensore.CurvaY[0], 1234.0);
}

TEST_F(CurveBufferTest, ShortFuelLevelGoesOnAt1024WithItsLastValue)
{
    LibreriaSensori = {sensor("LivelloBenzina", "Tank", 12)};
    ASSERT_TRUE(CaricaCurvaSensore(QStringLiteral("Tank")));
    for (int i = 12; i < 20; ++i) {
        EXPECT_EQ(CurvaSensore.CurvaX[i], 1024.0) << i;
        EXPECT_EQ(CurvaSensore.CurvaY[i], CurvaSensore.CurvaY[11]) << i;
    }
    EXPECT_EQ(CurvaSensore.CurvaY[11], LibreriaSensori[0].Y(11) * 10);
}

TEST_F(CurveBufferTest, NothingOfAnEarlierCurveSurvivesALoad)
{
    // A short sensor of another type keeps zeros past its points, and a
    // name that cannot be used leaves an empty curve, not the last channel's.
    LibreriaSensori = {sensor("Pressione", "Short", 12), sensor("Pressione", " ", 20),
                       sensor("Nonsense", "Untyped", 20)};
    fillBuffer(7.0);
    EXPECT_TRUE(sensorInLibrary(QStringLiteral("Short")));
    ASSERT_TRUE(CaricaCurvaSensore(QStringLiteral("Short")));
    for (int i = 12; i < 20; ++i)
        EXPECT_TRUE(CurvaSensore.CurvaX[i] == 0 && CurvaSensore.CurvaY[i] == 0) << i;

    const char* unusable[] = {"", " ", "  \t", "Missing", "short", "Short ", "Untyped"};
    for (const char* name : unusable) {
        fillBuffer(7.0);
        EXPECT_FALSE(sensorInLibrary(QString::fromLatin1(name))) << '"' << name << '"';
        EXPECT_FALSE(CaricaCurvaSensore(QString::fromLatin1(name))) << '"' << name << '"';
        for (int i = 0; i < 20; ++i)
            EXPECT_TRUE(CurvaSensore.CurvaX[i] == 0 && CurvaSensore.CurvaY[i] == 0)
                << '"' << name << "\" " << i;
        EXPECT_EQ(CurvaSensore.CurvaX[20], 7.0) << "position 20 is never touched";
    }
}

TEST_F(CurveBufferTest, TheLastSensorOfTheNameDecidesTheWholeCurve)
{
    LibreriaSensori = {sensor("Pressione", "Twin", 20, 2), sensor("TemperaturaOlio", "Twin", 12, 80)};
    ASSERT_TRUE(CaricaCurvaSensore(QStringLiteral("Twin")));
    EXPECT_EQ(CurvaSensore.CurvaY[0], 800.0);
    // Points past the later sensor's count are not the earlier one's.
    EXPECT_EQ(CurvaSensore.CurvaY[15], 0.0);
}

TEST_F(CurveBufferTest, AzzeraCurvaClearsPoints0To19Only)
{
    fillBuffer(3.0);
    AzzeraCurva();
    for (int i = 0; i < 20; ++i)
        EXPECT_TRUE(CurvaSensore.CurvaX[i] == 0 && CurvaSensore.CurvaY[i] == 0) << i;
    EXPECT_EQ(CurvaSensore.CurvaX[20], 3.0);
    EXPECT_EQ(CurvaSensore.CurvaY[20], 3.0);
}

TEST_F(CurveBufferTest, TrovaSensoreDaCurvaFindsTheFirstExactMatchOfTheType)
{
    LibreriaSensori = {sensor("TemperaturaOlio", "OtherType", 20), sensor("Pressione", "First", 20),
                       sensor("Pressione", "Second", 20), sensor("Pressione", "Short", 12, 5),
                       sensor("LivelloBenzina", "Tank", 12)};
    // Three decimals survive x 1000 and / 1000 exactly.
    ASSERT_TRUE(CaricaCurvaSensore(QStringLiteral("Second")));
    divideY(1000);
    EXPECT_EQ(TrovaSensoreDaCurva(QStringLiteral("Pressione")), QStringLiteral("First"));
    EXPECT_EQ(TrovaSensoreDaCurva(QStringLiteral("TemperaturaOlio")), QStringLiteral("OtherType"));
    EXPECT_EQ(TrovaSensoreDaCurva(QStringLiteral("pressione")), QString());

    // A short sensor of a scaled type comes back too: its zeros match.
    ASSERT_TRUE(CaricaCurvaSensore(QStringLiteral("Short")));
    divideY(1000);
    EXPECT_EQ(TrovaSensoreDaCurva(QStringLiteral("Pressione")), QStringLiteral("Short"));

    // A short fuel-level sensor is sent with X 1024 and so is never found.
    ASSERT_TRUE(CaricaCurvaSensore(QStringLiteral("Tank")));
    divideY(10);
    EXPECT_EQ(TrovaSensoreDaCurva(QStringLiteral("LivelloBenzina")), QString());

    // One value off by its last bit: no match, no tolerance.
    ASSERT_TRUE(CaricaCurvaSensore(QStringLiteral("First")));
    divideY(1000);
    CurvaSensore.CurvaY[19] = std::nextafter(CurvaSensore.CurvaY[19], 100.0);
    EXPECT_EQ(TrovaSensoreDaCurva(QStringLiteral("Pressione")), QString());

    LibreriaSensori.clear();
    EXPECT_EQ(TrovaSensoreDaCurva(QStringLiteral("Pressione")), QString());
}

TEST_F(CurveBufferTest, FourDecimalsNeverComeBackFromAThousandthScale)
{
    CSensore s = sensor("Pressione", "Fine", 20);
    s.setY(3, 1.2345);
    LibreriaSensori = {s};
    ASSERT_TRUE(CaricaCurvaSensore(QStringLiteral("Fine")));
    divideY(1000);
    EXPECT_EQ(TrovaSensoreDaCurva(QStringLiteral("Pressione")), QString());
}

struct Page final : ActivePage {
    PageKind pageKind() const override { return PageKind::Sensors; }
    void setInstrumentButtonsEnabled(bool) override {}
};

TEST_F(CurveBufferTest, ImpostaFormAttivoRegistersTheLastWindow)
{
    Page a, b;
    ImpostaFormAttivo(&a);
    ImpostaFormAttivo(&b);
    EXPECT_EQ(StatoComunicazione.FormAttivo, &b);
    ImpostaFormAttivo(nullptr);
    EXPECT_EQ(StatoComunicazione.FormAttivo, nullptr);
}

} // namespace
} // namespace zuv::test
