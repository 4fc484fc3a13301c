#include "project/time_text.h"

#include <gtest/gtest.h>

namespace zuv::test {
namespace {

TEST(TimeText, SommaTempiCarriesAndWritesTwoDigitHours)
{
    struct Case {
        const char* a;
        const char* b;
        const char* sum;
    } cases[] = {
        {"00:00:59.60", "00:01:00.50", "00:02:00.10"},
        {"00:59:59.99", "00:00:00.01", "01:00:00.00"},
        {"0:01:02.03", "00:00:00.00", "00:01:02.03"},   // one-digit hour
        {"00:00:00.00", "0:01:02.03", "00:01:02.03"},
        {"23:59:59.99", "00:00:00.01", "24:00:00.00"},
        // A lap of 100 minutes or more, as CentesimiInTempo writes it.
        {"00:00:00.00", "00:100:00.00", "01:40:00.00"},
        {"00:00:00.00", "00:00:00.00", "00:00:00.00"},
        // Nonsense reads as zero parts, never a crash.
        {"", "", "00:00:00.00"},
        {"abc", "00:00:01.00", "00:00:01.00"},
        {"1000000000:00:00.00", "00:00:00.00", "999999999:00:00.00"},
        {"99999999999999999999:00:00.00", "00:00:00.00", "00:00:00.00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SommaTempi(QString::fromLatin1(c.a), QString::fromLatin1(c.b)),
                  QLatin1String(c.sum))
            << c.a << " + " << c.b;
}

TEST(TimeText, SommaTempiLeavesItsArgumentsAlone)
{
    const QString a = QStringLiteral("0:01:02.03");
    SommaTempi(a, a);
    EXPECT_EQ(a, QStringLiteral("0:01:02.03"));
}

TEST(TimeText, DividiTempoTruncatesAndKeepsTheHoursInTheMinutes)
{
    struct Case {
        const char* total;
        qint32 n;
        const char* lap;
    } cases[] = {
        {"01:30:00.00", 3, "30:00.00"},
        {"00:01:00.01", 2, "00:30.00"},     // the odd hundredth is dropped
        {"02:00:00.00", 1, "120:00.00"},    // hours are not lost
        {"01:01:30.00", 1, "61:30.00"},     // nor shown as 01:30.00
        {"01:05:00.00", 2, "32:30.00"},
        {"0:01:00.00", 1, "01:00.00"},
        // Remainders times 100 pass 16 bits once n exceeds 327.
        {"00:59:59.99", 400, "00:08.99"},
        {"10:00:00.00", 1000, "00:36.00"},
        {"00:00:00.00", 5, "00:00.00"},
        {"00:10:00.00", 0, "00:00.00"},
        {"00:10:00.00", -3, "00:00.00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DividiTempo(QString::fromLatin1(c.total), c.n), QLatin1String(c.lap))
            << c.total << " / " << c.n;
}

TEST(TimeText, AverageOfLapsComesBackFromTheSum)
{
    // As the lap statistics do: "00:" before each lap, summed, divided.
    const char* laps[] = {"01:35.20", "01:36.80", "01:34.00"};
    QString total = QStringLiteral("00:00:00.00");
    for (const char* lap : laps)
        total = SommaTempi(total, QStringLiteral("00:") + QLatin1String(lap));
    EXPECT_EQ(total, QStringLiteral("00:04:46.00"));
    EXPECT_EQ(DividiTempo(total, 3), QStringLiteral("01:35.33"));
}

TEST(TimeText, TimeHundredthsTakesTheNumberEachPartStartsWith)
{
    struct Case {
        const char* text;
        qint64 cs;
    } cases[] = {
        {"01:23.45", 8345},        {"1:02:03.04", 372304}, {"9:01:02:03.04", 372304},
        {"12.3", 1230},            {"01:23.4x", 8340},     {"01a:23.45 *", 8345},
        {"-1:00.00", 0},           {"x1:00.00", 0},        {"", 0},
        {"1000000000.00", 99999999900}, {"99999999999999999999.00", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(timeHundredths(QString::fromLatin1(c.text)), c.cs) << c.text;
}

TEST(TimeText, CentesimiInTempo)
{
    struct Case {
        qint64 h;
        const char* text;
    } cases[] = {
        {123, "00:01.23"},  {600000, "100:00.00"}, {0, "00:00.00"},
        {5999, "00:59.99"}, {6000, "01:00.00"},    {2147483647, "357913:56.47"},
        {-5, "00:00.00"},   // a negative lap value from the instrument
    };
    for (const Case& c : cases)
        EXPECT_EQ(CentesimiInTempo(c.h), QLatin1String(c.text)) << c.h;
}

TEST(DecimalText, VirgolaInPuntoChangesOnlyCommas)
{
    const QString in = QStringLiteral("1,5");
    EXPECT_EQ(VirgolaInPunto(in), QStringLiteral("1.5"));
    EXPECT_EQ(in, QStringLiteral("1,5"));
    EXPECT_EQ(VirgolaInPunto(QStringLiteral("a,b,,c")), QStringLiteral("a.b..c"));
    EXPECT_EQ(VirgolaInPunto(QString()), QString());
}

TEST(DecimalText, FormattaDecimaliPadsWithoutRounding)
{
    struct Case {
        const char* text;
        int scale;
        const char* result;
    } cases[] = {
        {"5", 10, "5.0"},          {"5.", 10, "5.0"},         {"5.25", 10, "5.25"},
        {"5.", 100, "5.00"},       {"5", 100, "5.00"},        {"5.1", 100, "5.10"},
        {"5.1", 1000, "5.100"},    {"1.23", 1000, "1.230"},   {"5", 1000, "5.000"},
        {"5.", 1000, "5.000"},     {".5", 10, "0.5"},         {".", 100, "0.00"},
        {"", 100, "0.00"},         {"", 10, "0.0"},           {"12.3456", 100, "12.3456"},
        {"7", 1, "7"},             {"7", 0, "7"},             {"", 1, "0"},
        {"-.5", 10, "-.5"},        {"-5", 10, "-5.0"},        {"1.2.3", 1000, "1.2.3"},
        {"abc", 10, "abc.0"},
    };
    for (const Case& c : cases) {
        QString text = QString::fromLatin1(c.text);
        const QString returned = FormattaDecimali(text, c.scale);
        EXPECT_EQ(returned, QLatin1String(c.result)) << c.text << " scale " << c.scale;
        EXPECT_EQ(text, returned) << "written back: " << c.text;
    }
}

} // namespace
} // namespace zuv::test
