#include "project/name_tables.h"

#include "platform/textfile.h"
#include "project/language.h"
#include "project/state.h"
#include "support/fixtures.h"

namespace zuv::test {
namespace {

class NameTablesTest : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        useTwoLanguageTexts();
    }
    void TearDown() override
    {
        clearNameTables();
        ZuvTest::TearDown();
    }
    void useLanguage(int index)
    {
        TabellaLingua.IndiceLingua = index;
        computeLanguageOffset();
    }
};

template <std::size_t N>
QStringList asList(const std::array<QString, N>& table)
{
    return QStringList(table.begin(), table.end());
}

QStringList texts(int language, std::initializer_list<int> numbers)
{
    QStringList out;
    for (int n : numbers)
        out << fixtureText(language, n);
    return out << QString(); // the spare position
}

TEST_F(NameTablesTest, FillsEveryTableAndFollowsTheLanguage)
{
    for (int language : {0, 1}) {
        useLanguage(language);
        CaricaTabelleCostanti();
        EXPECT_EQ(asList(NomiLingue), (QStringList{"Italiano", "English", ""}));
        EXPECT_EQ(asList(NomiUMVelocita), (QStringList{"Km/h", "mph", ""}));
        EXPECT_EQ(asList(NomiUMPressione), (QStringList{"bar", "psi", ""}));
        EXPECT_EQ(asList(NomiIngressiAnalogici), (QStringList{"AN 1", "AN 2", ""}));
        EXPECT_EQ(toCp1252(NomiUMTemperatura[0]), QByteArray("\xB0 C"));
        EXPECT_EQ(toCp1252(NomiUMTemperatura[1]), QByteArray("\xB0 F"));
        EXPECT_EQ(NomiUMTemperatura[2], QString());
        EXPECT_EQ(asList(NomiLivelloLAPO), texts(language, {221, 222, 223}));
        EXPECT_EQ(asList(NomiLivelloLAAL), texts(language, {221, 222, 223}));
        EXPECT_EQ(asList(NomiTipiSensore), texts(language, {134, 135, 136, 137, 138, 139, 290, 319, 314}));
        EXPECT_EQ(asList(NomiTipoIngresso), texts(language, {253}));
        EXPECT_EQ(asList(NomiTipoUscita), texts(language, {255, 256, 257, 258, 259, 260, 261}));
        EXPECT_EQ(asList(NomiTipoLedGiallo), texts(language, {263}));
    }

    clearNameTables();
    EXPECT_EQ(asList(NomiLingue), QStringList(3));
    EXPECT_EQ(asList(NomiTipiSensore), QStringList(10));
    EXPECT_EQ(asList(NomiTipoUscita), QStringList(8));
}

TEST_F(NameTablesTest, LookupOutsideTheUsedPositionsIsEmpty)
{
    useLanguage(0);
    CaricaTabelleCostanti();
    EXPECT_EQ(nameInTable(NomiIngressiAnalogici, 1), QStringLiteral("AN 2"));
    EXPECT_EQ(nameInTable(NomiTipiSensore, 8), QStringLiteral("it 314"));
    EXPECT_EQ(nameInTable(NomiTipoUscita, 6), QStringLiteral("it 261"));
    for (int bad : {-1, 2, 3, 255, -32768, 32767})
        EXPECT_EQ(nameInTable(NomiLingue, bad), QString()) << bad;
    EXPECT_EQ(nameInTable(NomiTipoLedGiallo, 1), QString());
    EXPECT_EQ(nameInTable(NomiTipoIngresso, -1), QString());
    EXPECT_EQ(usedPositions(NomiTipiSensore), 9);
    EXPECT_EQ(usedPositions(NomiLivelloLAPO), 3);
}

} // namespace
} // namespace zuv::test
