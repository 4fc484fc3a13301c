// Measure names, statistics, overlay factors and the visible range, and the
// number texts of the analysis windows.

#include "analysis/measure_scales.h"
#include "analysis/number_text.h"
#include "project/language.h"
#include "project/state.h"
#include "support/fixtures.h"

#include <QLocale>
#include <cmath>
#include <limits>
#include <map>
#include <vector>

namespace zuv::test {
namespace {

class MeasureScales : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        loadShippedLanguages();
    }
};

TEST_F(MeasureScales, HeaderGivesTheLanguageNameAndTheBracketedUnit)
{
    MeasureState m;
    m.FieldsNum = 5;
    m.FiltroMisura[4] = 3;
    InizializzaMisure(m, {"Tempo [sec]", "Distanza [m]", "Lambda sensor[Lambda]", "Marcia []", "Free text"});
    EXPECT_EQ(m.captions[1], languageText(306));
    EXPECT_EQ(m.units[1], "[sec]");
    EXPECT_EQ(m.captions[2], languageText(307));
    EXPECT_EQ(m.units[2], "[m]");
    EXPECT_EQ(m.captions[3], languageText(308));
    EXPECT_EQ(m.units[3], "[Lambda]");
    EXPECT_EQ(m.units[4], "[]");
    // No "[": the header is the name, and no unit is carried over.
    EXPECT_EQ(m.captions[5], "Free text");
    EXPECT_EQ(m.units[5], "");
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(m.FiltroMisura[i], 1);
        EXPECT_EQ(m.SpessoreMisura[i], 1);
    }
    EXPECT_EQ(m.FiltroMisura[6], 0);
    EXPECT_EQ(m.colours[3], 0x0000C0u);
    EXPECT_EQ(m.colours[20], 0xFFC0C0u);

    // Text 321 labels the sectors: measure 16 shares 15's name, and past it
    // the header's own words name the measure.
    EXPECT_EQ(splitHeader("Lambda sensor[Lambda]", 16).name, languageText(320));
    EXPECT_EQ(splitHeader(" Extra 1 [V]", 17).name, "Extra 1");
    EXPECT_EQ(splitHeader(" Extra 1 [V]", 17).unit, "[V]");

    TabellaLingua.IndiceLingua = 0;
    computeLanguageOffset();
    EXPECT_EQ(splitHeader("Distance [m]", 2).name, languageText(307));
    EXPECT_NE(languageText(307), QString());
}

// Statistics by measure, whatever rows are asked.
MeasureStats fixedStats(std::map<int, RangeStats> byMeasure, std::vector<std::pair<qint64, qint64>>* asked = nullptr)
{
    return [byMeasure, asked](int i, qint64 da, qint64 a) {
        if (asked)
            asked->push_back({da, a});
        const auto it = byMeasure.find(i);
        return it == byMeasure.end() ? RangeStats{} : it->second;
    };
}

RowValue timeOfRow(double first, qint64 firstRow)
{
    return [=](qint64 row) -> std::optional<double> {
        if (row < firstRow)
            return std::nullopt;
        return first + (row - firstRow) * 0.1;
    };
}

TEST_F(MeasureScales, CalcolaScaleFactorsFromTheLargestMaximum)
{
    MeasureState m;
    m.FieldsNum = 5;
    ViewState v;
    std::vector<std::pair<qint64, qint64>> asked;
    CalcolaScale(m, v, 12, 340, fixedStats({{3, {50, 10, 30}}, {4, {200, 20, 80}}, {5, {0, 0, 0}}}, &asked),
                 timeOfRow(0, 2));
    EXPECT_EQ(asked, (std::vector<std::pair<qint64, qint64>>{{12, 340}, {12, 340}, {12, 340}}));
    EXPECT_DOUBLE_EQ(m.FattoriScala[3], 4);
    EXPECT_DOUBLE_EQ(m.FattoriScala[4], 1);
    EXPECT_DOUBLE_EQ(v.MaxY, 220);
    // A measure that stays 0 gets 0.01, and its factor stays finite.
    EXPECT_DOUBLE_EQ(m.ValoriMax[5], 0.01);
    EXPECT_EQ(m.ValoriMin[5], 0);
    EXPECT_DOUBLE_EQ(m.FattoriScala[5], 20000);
    EXPECT_DOUBLE_EQ(m.ValoriMedi[4], 80);
    // Smallest of ValoriMin(3) and the scaled minima, less a fifth of it.
    EXPECT_DOUBLE_EQ(v.MinY, 0);
    EXPECT_DOUBLE_EQ(v.MinX, 1.0);
    EXPECT_DOUBLE_EQ(v.MaxX, 33.8);
    // The stride and move step follow the new x range.
    EXPECT_EQ(v.PassoDisegno, 1);
    EXPECT_NEAR(v.PassoSpostamento, 0.328, 1e-12);
}

TEST_F(MeasureScales, CalcolaScaleKeepsNegativeMeasuresUprightAndItsMarginsOutside)
{
    MeasureState m;
    m.FieldsNum = 4;
    ViewState v;
    CalcolaScale(m, v, 2, 11, fixedStats({{3, {-5, -10, -7}}, {4, {50, 12, 30}}}), timeOfRow(0, 2));
    EXPECT_DOUBLE_EQ(m.FattoriScala[3], 5); // from |-10|
    EXPECT_DOUBLE_EQ(m.FattoriScala[4], 1);
    EXPECT_DOUBLE_EQ(v.MaxY, 55);
    EXPECT_DOUBLE_EQ(v.MinY, -60); // -50 and a fifth beyond it

    MeasureState positive;
    positive.FieldsNum = 4;
    CalcolaScale(positive, v, 2, 11, fixedStats({{3, {100, 50, 70}}, {4, {200, 150, 170}}}), timeOfRow(0, 2));
    // ValoriMin(3) itself, unscaled, is the lowest: 50, less a fifth.
    EXPECT_DOUBLE_EQ(v.MinY, 40);
}

// The overlay factor is the largest maximum over the measure's own whenever
// that is above 0; the margins lie outside the data: the top a tenth above,
// the bottom a fifth below (a bottom of -10 becomes -12, not -8).
TEST_F(MeasureScales, CalcolaScaleFactorsMarginsAndValuesFarOut)
{
    constexpr double most = std::numeric_limits<double>::max();
    struct Case {
        const char* name;
        std::map<int, RangeStats> stats;
        std::map<int, double> factors;
        double minY, maxY;
    } cases[] = {
        {"maxima 50 and 200", {{3, {50, 10, 0}}, {4, {200, 20, 0}}}, {{3, 4}, {4, 1}}, 8, 220},
        {"a bottom of -10", {{3, {50, -10, 0}}, {4, {50, 0, 0}}}, {{3, 1}, {4, 1}}, -12, 55},
        // Below 0 farther than above: still by its maximum.
        {"G sensor -1.6 to 1.2", {{3, {1.2, -1.6, 0}}, {4, {48, 0, 0}}}, {{3, 40}, {4, 1}}, -76.8, 52.8},
        {"a minimum beyond every maximum", {{3, {50, -100, 0}}, {4, {80, 0, 0}}}, {{3, 1.6}, {4, 1}}, -192, 88},
        // Only a maximum below 0 takes the largest magnitude, so the trace
        // is not drawn upside down.
        {"all below 0", {{3, {-5, -10, 0}}, {4, {50, 12, 0}}}, {{3, 5}, {4, 1}}, -60, 55},
        // 1e308 over 0.01 and the margin above 1.7e308 overflow: they stop
        // at the largest double.
        {"1e308", {{3, {1e308, 50, 0}}, {4, {0, 0, 0}}, {5, {40, -5, 0}}}, {{3, 1}, {4, most}, {5, 2.5e306}},
         -1.5e307, 1.1e308},
        {"1.7e308", {{3, {1.7e308, 1, 0}}, {4, {1, -1e10, 0}}}, {{3, 1}, {4, 1.7e308}}, -most, most},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MeasureState m;
        m.FieldsNum = int(c.stats.rbegin()->first);
        ViewState v;
        CalcolaScale(m, v, 2, 11, fixedStats(c.stats), timeOfRow(0, 2));
        for (const auto& [i, f] : c.factors) {
            EXPECT_DOUBLE_EQ(m.FattoriScala[i], f) << i;
            EXPECT_TRUE(std::isfinite(m.FattoriScala[i])) << i;
        }
        EXPECT_DOUBLE_EQ(v.MinY, c.minY);
        EXPECT_DOUBLE_EQ(v.MaxY, c.maxY);
    }
}

TEST_F(MeasureScales, CalcolaScaleWithoutMeasuresAndTheFastWindowsXRange)
{
    MeasureState m;
    m.FieldsNum = 2;
    ViewState v;
    v.MaxY = 99;
    CalcolaScale(m, v, 2, 11, fixedStats({{3, {50, 1, 2}}}), timeOfRow(0, 2));
    EXPECT_EQ(v.MaxY, 0);
    EXPECT_EQ(m.ValoriMax[3], 0);

    // The fast window's range ends one row before the end row.
    MeasureState f;
    f.FieldsNum = 3;
    CalcolaScale(f, v, 100, 200, fixedStats({{3, {1, 0, 0}}}), timeOfRow(0, 100), 1);
    EXPECT_DOUBLE_EQ(v.MinX, 0);
    EXPECT_DOUBLE_EQ(v.MaxX, 9.9);
}

TEST(NumberText, ReadoutLosesTheLeadingZeroGettersKeepIt)
{
    struct Case {
        double v;
        const char* readout;
        const char* value;
    } cases[] = {
        {0.5, ".5", "0.5"},
        {-0.25, "-.25", "-0.25"},
        {12, "12", "12"},
        {-3.75, "-3.75", "-3.75"},
        {0, "0", "0"},
        {-0.0, "0", "0"},
        {0.0001, ".0001", "0.0001"},
        {0.00001, "1E-05", "1E-05"},
        {123456789012345, "123456789012345", "123456789012345"},
        {1234567890123456, "1.23456789012346E+15", "1.23456789012346E+15"},
        {1e20, "1E+20", "1E+20"},
        {1.0 / 3, ".333333333333333", "0.333333333333333"},
        {0.1 + 0.2, ".3", "0.3"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(readoutText(c.v), QLatin1String(c.readout)) << c.v;
        EXPECT_EQ(valueText(c.v), QLatin1String(c.value)) << c.v;
    }
}

TEST(NumberText, SpeedsHaveOneToThreeDecimals)
{
    EXPECT_EQ(speedText(360000.0 / 8345), "43.14");
    EXPECT_EQ(speedText(100), "100.0");
    EXPECT_EQ(speedText(0.5), ".5");
    EXPECT_EQ(speedText(0), ".0");
    EXPECT_EQ(speedText(12.3456), "12.346");
}

TEST(NumberText, GettersAndSpeedsUseTheUsersDecimalSeparator)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    EXPECT_EQ(valueText(0.01), "0,01");
    EXPECT_EQ(speedText(43.5), "43,5");
    EXPECT_EQ(readoutText(0.01), ".01");
    QLocale::setDefault(before);
}

} // namespace
} // namespace zuv::test
