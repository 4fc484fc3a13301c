#include "project/language.h"

#include "project/state.h"
#include "support/file_size_limit.h"
#include "support/fixtures.h"

#include <QDir>

namespace zuv::test {
namespace {

class LanguageTest : public ZuvTest {
protected:
    QString dat() const { return path(QStringLiteral("LANGUAGES.DAT")); }

    // A table that a failed load must leave alone.
    void presetTable()
    {
        TabellaLingua.TestiLingua = {QString(), QStringLiteral("uno"), QStringLiteral("one")};
        TabellaLingua.NumTestiLingua = 1;
        TabellaLingua.IndiceLingua = 1;
        TabellaLingua.OffsetLingua = 1;
    }
    void expectPresetTable(const char* what)
    {
        EXPECT_EQ(TabellaLingua.TestiLingua,
                  (QStringList{QString(), QStringLiteral("uno"), QStringLiteral("one")}))
            << what;
        EXPECT_EQ(TabellaLingua.NumTestiLingua, 1) << what;
        EXPECT_EQ(TabellaLingua.IndiceLingua, 1) << what;
        EXPECT_EQ(TabellaLingua.OffsetLingua, 1) << what;
    }
};

TEST_F(LanguageTest, LooksTextsUpByLanguage)
{
    writeFile(QStringLiteral("LANGUAGES.DAT"),
              "1\r\nN=4\r\nA=first\r\nB=second\r\nC=third\r\nD=fourth\r\n");
    ASSERT_TRUE(CaricaLingue());
    computeLanguageOffset();
    EXPECT_EQ(TabellaLingua.NumTestiLingua, 2);
    EXPECT_EQ(TabellaLingua.IndiceLingua, 1);
    EXPECT_EQ(TabellaLingua.OffsetLingua, 2);
    EXPECT_EQ(languageText(1), QStringLiteral("third"));
    EXPECT_EQ(languageText(2), QStringLiteral("fourth"));
    EXPECT_EQ(TabellaLingua.TestiLingua.value(0), QString());

    TabellaLingua.IndiceLingua = 0;
    computeLanguageOffset();
    EXPECT_EQ(languageText(1), QStringLiteral("first"));
    EXPECT_EQ(languageText(2), QStringLiteral("second"));

    // Either language whichever is current, never a text of the other one.
    EXPECT_EQ(languageCount(), 2);
    EXPECT_EQ(languageText(2, 0), QStringLiteral("second"));
    EXPECT_EQ(languageText(1, 1), QStringLiteral("third"));
    const std::pair<int, int> missing[] = {{3, 0}, {0, 1}, {1, 2}, {1, -1}};
    for (auto [n, language] : missing)
        EXPECT_EQ(languageText(n, language), QString()) << n << ' ' << language;
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(LanguageTest, TextLinesKeepWhatFollowsTheFirstEqualsSign)
{
    // Quotes off at each end, "=" kept, an empty text, LF-only line ends,
    // Windows-1252 bytes, and lines after the counted ones ignored.
    writeFile(QStringLiteral("LANGUAGES.DAT"),
              "0\nN=\"6\"\nT1=\"quoted\"\nT2=a=b\nT3=\nT4=\"\nT5=\xB0 C \x80\xFF\nT6=\" x \"\n"
              "garbage without equals\n");
    ASSERT_TRUE(CaricaLingue());
    computeLanguageOffset();
    EXPECT_EQ(TabellaLingua.TestiLingua,
              (QStringList{QString(), "quoted", "a=b", "", "", QStringLiteral("\u00B0 C \u20AC\u00FF"),
                           " x "}));
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(LanguageTest, BrokenFilesAreFatalAndKeepTheTable)
{
    const char* cases[] = {
        "",                                  // empty
        "1\r\n",                             // no count line
        "1\r\nN4\r\na=1\r\nb=2\r\nc=3\r\nd=4\r\n",   // count line without "="
        "2\r\nN=2\r\na=x\r\nb=y\r\n",        // language index out of range
        "-1\r\nN=2\r\na=x\r\nb=y\r\n",
        "x\r\nN=2\r\na=x\r\nb=y\r\n",        // language index not a number
        "\r\nN=2\r\na=x\r\nb=y\r\n",
        "1\r\nN=two\r\na=x\r\nb=y\r\n",      // count not a number
        "1\r\nN=1.5\r\na=x\r\nb=y\r\n",
        "1\r\nN=3\r\na=x\r\nb=y\r\nc=z\r\n", // odd count
        "1\r\nN=0\r\n",
        "1\r\nN=-2\r\na=x\r\nb=y\r\n",
        "1\r\nN=6\r\na=x\r\nb=y\r\n",        // stops before the counted texts
        "1\r\nN=99999999999999999999\r\na=x\r\nb=y\r\n",
        "1\r\nN=65536\r\na=x\r\nb=y\r\n",
        "1\r\nN=4\r\na=x\r\nno equals\r\nc=z\r\nd=w\r\n", // text line without "="
        "1\r\nN=4\r\na=x\r\n\r\nc=z\r\nd=w\r\n",
    };
    for (const char* bytes : cases) {
        writeFile(QStringLiteral("LANGUAGES.DAT"), bytes);
        presetTable();
        msgs.clear();
        EXPECT_FALSE(CaricaLingue()) << bytes;
        expectPresetTable(bytes);
        ASSERT_EQ(msgs.shown.size(), 1u) << bytes;
        EXPECT_EQ(msgs.shown[0].text, QStringLiteral("Fatal Error: Language database file ") + dat()
                                          + QStringLiteral(" is missing critical information."));
        EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Critical);
        EXPECT_EQ(msgs.shown[0].buttons, MsgButtons::Ok);
    }
}

TEST_F(LanguageTest, MissingFileNamesItsPath)
{
    presetTable();
    EXPECT_FALSE(CaricaLingue());
    expectPresetTable("missing");
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_TRUE(msgs.shown[0].text.contains(dat())) << msgs.shown[0].text.toStdString();
    EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Critical);

    // A folder of that name is no database either.
    QDir(dir.path()).mkdir(QStringLiteral("LANGUAGES.DAT"));
    EXPECT_FALSE(CaricaLingue());
    expectPresetTable("folder");
}

TEST_F(LanguageTest, OffsetStaysInsideTheTable)
{
    TabellaLingua.TestiLingua = QStringList(9);
    TabellaLingua.NumTestiLingua = 4;
    struct Case {
        qint32 index;
        qint16 offset;
    } cases[] = {{0, 0}, {1, 4}, {2, 0}, {-1, 0}, {100000, 0}};
    for (const Case& c : cases) {
        TabellaLingua.IndiceLingua = c.index;
        computeLanguageOffset();
        EXPECT_EQ(TabellaLingua.OffsetLingua, c.offset) << c.index;
    }
    // More texts than 16 bits can reach.
    TabellaLingua.TestiLingua = QStringList(80001);
    TabellaLingua.NumTestiLingua = 40000;
    TabellaLingua.IndiceLingua = 1;
    computeLanguageOffset();
    EXPECT_EQ(TabellaLingua.OffsetLingua, 0);
}

TEST_F(LanguageTest, StoringTheLanguageReplacesOnlyLineOne)
{
    const QByteArray rest = "N=2\r\nT1=\xE0 \"x\"\r\nT2=\xFF\nno line end";
    struct Case {
        QByteArray line1;
    } cases[] = {{"0\r\n"}, {"1\r\n"}, {"01\r\n"}, {" 0 \r\n"}, {"0\n"}, {"\r\n"}};
    for (const Case& c : cases) {
        writeFile(QStringLiteral("LANGUAGES.DAT"), c.line1 + rest);
        QString error;
        EXPECT_TRUE(writeLanguageIndex(1, &error)) << error.toStdString();
        EXPECT_EQ(readFile(QStringLiteral("LANGUAGES.DAT")), "1\r\n" + rest) << c.line1.constData();
    }
    ASSERT_TRUE(CaricaLingue());
    EXPECT_EQ(TabellaLingua.IndiceLingua, 1);
    ASSERT_TRUE(writeLanguageIndex(0));
    EXPECT_EQ(readFile(QStringLiteral("LANGUAGES.DAT")), "0\r\n" + rest);
}

TEST_F(LanguageTest, StoringTheLanguageFailsWithoutHarm)
{
    const QByteArray bytes = "0\r\nN=2\r\nT1=" + QByteArray(500, 'a') + "\r\nT2=b\r\n";
    writeFile(QStringLiteral("LANGUAGES.DAT"), bytes);
    QString error;
    EXPECT_FALSE(writeLanguageIndex(2, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(writeLanguageIndex(-1));
    EXPECT_EQ(readFile(QStringLiteral("LANGUAGES.DAT")), bytes);

    bool stored = true;
    error.clear();
    {
        FileSizeLimit limit(100);
        stored = writeLanguageIndex(1, &error);
    }
    EXPECT_FALSE(stored);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readFile(QStringLiteral("LANGUAGES.DAT")), bytes);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"LANGUAGES.DAT"});

    // No database: nothing is created.
    QFile::remove(dat());
    error.clear();
    EXPECT_FALSE(writeLanguageIndex(1, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(dat()));
    EXPECT_TRUE(msgs.shown.empty());
}

} // namespace
} // namespace zuv::test
