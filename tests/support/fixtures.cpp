#include "support/fixtures.h"

#include "platform/printer.h"
#include "platform/programfolder.h"
#include "platform/qtlanguage.h"
#include "platform/serialport.h"
#include "project/language.h"
#include "project/state.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zuv::test {

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
