#include "support/fixtures.h"

#include "platform/printer.h"
#include "platform/programfolder.h"
#include "platform/qtlanguage.h"
#include "platform/serialport.h"
#include "platform/textfile.h"
#include "project/language.h"
#include "project/state.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace zuv::test {

QByteArray fileLines(const QList<QByteArray>& lines, const char* eol)
{
    QByteArray out;
    for (const QByteArray& l : lines)
        out += l + eol;
    return out;
}

QByteArray textLines(const QStringList& lines)
{
    QByteArray out;
    for (const QString& l : lines)
        out += toCp1252(l) + "\r\n";
    return out;
}

QString fixtureText(int language, int n)
{
    return QStringLiteral("%1 %2").arg(language ? "en" : "it").arg(n);
}

void useNumberedTexts(int count)
{
    QStringList texts{QString()};
    for (int n = 1; n <= count; ++n)
        texts << QStringLiteral("T%1").arg(n);
    TabellaLingua.TestiLingua = texts;
    TabellaLingua.NumTestiLingua = count;
}

void useTwoLanguageTexts(int count)
{
    QStringList texts{QString()};
    for (int language = 0; language < 2; ++language)
        for (int n = 1; n <= count; ++n)
            texts << fixtureText(language, n);
    TabellaLingua.TestiLingua = texts;
    TabellaLingua.NumTestiLingua = count;
}

void ZuvTest::SetUp()
{
    ASSERT_TRUE(dir.isValid());
    resetProgramState();
    setProgramFolder(dir.path());
    setClock(&fakeClock);
    setMessages(&msgs);
    setMainSurface(&surface);
    setDialogs(&fileDialogs);
}

void ZuvTest::TearDown()
{
    setClock(nullptr);
    setMessages(nullptr);
    setMainSurface(nullptr);
    setDialogs(nullptr);
    // Services a test put in place itself go too: a dangling one would be
    // the next test's.
    setPrinter(nullptr);
    setSerialPort(nullptr);
    setProgramFolder(QString());
    resetProgramState();
    // Qt's own texts back to English for the next test.
    useQtLanguage(1);
}

QString ZuvTest::path(const QString& name) const { return QDir(dir.path()).filePath(name); }

QString ZuvTest::writeFile(const QString& name, const QByteArray& bytes) const
{
    const QString p = path(name);
    QDir().mkpath(QFileInfo(p).absolutePath());
    QFile f(p);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << p.toStdString();
    return p;
}

QByteArray ZuvTest::readFile(const QString& name) const { return fileBytes(path(name)); }

void ZuvTest::loadShippedLanguages(int index)
{
    QByteArray bytes = fileBytes(QStringLiteral(ZUV_SHIPPED_DATA_DIR "/LANGUAGES.DAT"));
    ASSERT_FALSE(bytes.isEmpty());
    bytes[0] = char('0' + index);
    writeFile(QStringLiteral("LANGUAGES.DAT"), bytes);
    ASSERT_TRUE(CaricaLingue());
    computeLanguageOffset();
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

bool makeUnreadable(const QString& path)
{
    const QDir buses(QStringLiteral("/sys/bus"));
    for (const QString& bus : buses.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString target = buses.filePath(bus + QStringLiteral("/uevent"));
        if (!QFileInfo(target).isFile() || QFile(target).open(QIODevice::ReadOnly))
            continue;
        QFile::remove(path);
        QDir().mkpath(QFileInfo(path).absolutePath());
        return QFile::link(target, path);
    }
    return false;
}

} // namespace zuv::test
