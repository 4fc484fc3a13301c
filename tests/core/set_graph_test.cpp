// The chart settings dialog's number rules and OK checks.
#include "analysis/set_graph.h"

#include "support/fixtures.h"

namespace zuv::test {
namespace {

TEST(SetGraph, TextToNumberTakesTheLeadingNumber)
{
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"12.5 V", 12.5}, {"abc", 0}, {"", 0}, {" 1 2 3 ", 123}, {"-.5", -0.5}, {"1e3x", 1000},
        {"\t7\n", 7}, {"12,5", 12}, {"- 4", -4}, {"+2.5e-1", 0.25},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(leadingValue(QString::fromLatin1(c.text)), c.value) << c.text;
}

TEST(SetGraph, WholeNumbersRoundHalfToEvenWithinSixteenBits)
{
    struct Case {
        const char* text;
        std::optional<qint16> value;
    } cases[] = {
        {"2.5", 2}, {"3.5", 4}, {" 8 ", 8}, {"1,5", 2}, {"-32768", -32768}, {"32767", 32767},
        {"32768", std::nullopt}, {"1e9", std::nullopt}, {"", std::nullopt}, {"12 V", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(wholeFromText(QString::fromLatin1(c.text)), c.value) << c.text;
}

TEST(SetGraph, OpeningWidensTheScaleByATenthOfEachBound)
{
    const SetGraphTexts t = setGraphTexts(3, 2, 100, 200);
    EXPECT_EQ(t.txtFiltro, QStringLiteral("3"));
    EXPECT_EQ(t.cboWidth, QStringLiteral("2"));
    EXPECT_EQ(t.txtMinVal, QStringLiteral("90"));
    EXPECT_EQ(t.txtMaxVal, QStringLiteral("220"));
    // OK without an edit stores what was shown; the next opening widens again.
    const SetGraphTexts again = setGraphTexts(3, 2, leadingValue(t.txtMinVal), leadingValue(t.txtMaxVal));
    EXPECT_EQ(again.txtMinVal, QStringLiteral("81"));
    EXPECT_EQ(again.txtMaxVal, QStringLiteral("242"));
    EXPECT_EQ(setGraphTexts(1, 1, -10, 0).txtMinVal, QStringLiteral("-9"));
    EXPECT_EQ(setGraphTexts(1, 1, -10, 0).txtMaxVal, QStringLiteral("0"));
    EXPECT_EQ(setGraphTexts(1, 1, 0.3, -0.5).txtMinVal, QStringLiteral(".27"));
    EXPECT_EQ(setGraphTexts(1, 1, 0.3, -0.5).txtMaxVal, QStringLiteral("-.55"));
}

class SetGraphOk : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        loadShippedLanguages();
    }
};

// Only what would break the drawing or the 16 bits is refused: a width
// below 1 and a minimum above the maximum are stored as typed.
TEST_F(SetGraphOk, RefusesAFilterBelowOneAndValuesBeyondSixteenBitsOnly)
{
    const QString filterMessage = QStringLiteral("The filter must be a whole number from 1 to 32767.");
    const QString widthMessage = QStringLiteral("The line width must be a whole number from -32768 to 32767.");
    struct Case {
        const char* filter;
        const char* width;
        const char* min;
        const char* max;
        QString message; // empty: accepted
        int lineWidth;
        double minimum;
        double maximum;
    } cases[] = {
        {"1", "8", "abc", "12.5 V", {}, 8, 0, 12.5},
        {"0", "1", "0", "1", filterMessage},
        {"-2", "1", "0", "1", filterMessage},
        {"x", "1", "0", "1", filterMessage},
        {"40000", "1", "0", "1", filterMessage},
        {"1", "", "0", "1", widthMessage},
        {"1", "w", "0", "1", widthMessage},
        {"1", "40000", "0", "1", widthMessage},
        {"1", "0", "0", "1", {}, 0, 0, 1},
        {"1", "-3", "0", "1", {}, -3, 0, 1},
        {"1", "2", "10", "5", {}, 2, 10, 5},
        {"1", "2", "5", "5", {}, 2, 5, 5},
    };
    for (const Case& c : cases) {
        const SetGraphResult e = checkSetGraph(QString::fromLatin1(c.filter), QString::fromLatin1(c.width),
                                               QString::fromLatin1(c.min), QString::fromLatin1(c.max));
        EXPECT_EQ(e.message, c.message) << c.filter << " " << c.width << " " << c.min;
        EXPECT_EQ(e.accepted, e.message.isEmpty());
        if (e.accepted) {
            EXPECT_EQ(e.lineWidth, c.lineWidth) << c.width;
            EXPECT_EQ(e.minimum, c.minimum) << c.min;
            EXPECT_EQ(e.maximum, c.maximum) << c.max;
        }
    }
    const SetGraphResult ok = checkSetGraph(QStringLiteral("2.5"), QStringLiteral("8"), QStringLiteral("abc"),
                                            QStringLiteral("12.5 V"));
    EXPECT_EQ(ok.filter, 2);
    EXPECT_EQ(ok.lineWidth, 8);
    EXPECT_EQ(ok.minimum, 0);
    EXPECT_EQ(ok.maximum, 12.5);
}

} // namespace
} // namespace zuv::test
