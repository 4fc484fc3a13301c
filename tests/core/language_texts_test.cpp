// The shipped language database against the sources: every text number the
// program looks up must have a text in both languages.

#include "platform/programfolder.h"
#include "platform/textfile.h"
#include "project/language.h"
#include "project/state.h"
#include "support/fixtures.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <map>

namespace zuv::test {
namespace {

const QString kShipped = QStringLiteral(ZUV_SHIPPED_DATA_DIR);

// Text number -> first source file that uses it.
std::map<int, QString> usedTextNumbers()
{
    std::map<int, QString> used;
    const QString root = QDir(kShipped).absoluteFilePath(QStringLiteral("../src"));
    const QRegularExpression call(QStringLiteral(R"(\blanguageText\(\s*(\d+)\s*\))"));
    QDirIterator it(root, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(f.readAll());
        for (auto m = call.globalMatch(text); m.hasNext();)
            used.emplace(m.next().captured(1).toInt(), QDir(root).relativeFilePath(file));
    }
    return used;
}

class LanguageTextsTest : public ZuvTest {};

TEST_F(LanguageTextsTest, ShippedDatabaseLoadsWithAValidLanguage)
{
    setProgramFolder(kShipped);
    ASSERT_TRUE(CaricaLingue());
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_TRUE(TabellaLingua.IndiceLingua == 0 || TabellaLingua.IndiceLingua == 1);
    EXPECT_EQ(TabellaLingua.TestiLingua.size(), 2 * TabellaLingua.NumTestiLingua + 1);

    // Windows-1252 with CR LF after every line.
    const QByteArray bytes = fileBytes(QDir(kShipped).filePath(QStringLiteral("LANGUAGES.DAT")));
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
    EXPECT_EQ(bytes.count('\r'), bytes.count("\r\n"));
    EXPECT_TRUE(bytes.startsWith("0\r\n") || bytes.startsWith("1\r\n"));
}

TEST_F(LanguageTextsTest, EveryTextTheSourcesUseExistsInBothLanguages)
{
    const std::map<int, QString> used = usedTextNumbers();
    // The project file shows 174; finding none means the scan looked nowhere.
    ASSERT_TRUE(used.count(174)) << "no languageText(n) found under the sources";

    setProgramFolder(kShipped);
    ASSERT_TRUE(CaricaLingue());
    const qint32 per = TabellaLingua.NumTestiLingua;
    for (const auto& [n, file] : used) {
        ASSERT_GE(n, 1) << file.toStdString();
        ASSERT_LE(n, per) << "text " << n << " of " << file.toStdString() << " is beyond the table";
        EXPECT_FALSE(TabellaLingua.TestiLingua.at(n).trimmed().isEmpty())
            << "Italian text " << n << " (used in " << file.toStdString() << ") is empty";
        EXPECT_FALSE(TabellaLingua.TestiLingua.at(per + n).trimmed().isEmpty())
            << "English text " << n << " (used in " << file.toStdString() << ") is empty";
    }
}

} // namespace
} // namespace zuv::test
