#pragma once
// The common ground of every test: fresh program state, a program folder of
// its own, a fake clock and recorders in place of the message box and the
// main window.

#include "support/fake_clock.h"
#include "support/recorders.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zuv::test {

class ZuvTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A path inside the test's program folder.
    QString path(const QString& name) const;
    // Writes raw bytes into the program folder (creating sub-folders).
    QString writeFile(const QString& name, const QByteArray& bytes) const;
    QByteArray readFile(const QString& name) const;
    // Puts the shipped LANGUAGES.DAT in the program folder and loads it, in
    // English unless `index` says otherwise.
    void loadShippedLanguages(int index = 1);

    QTemporaryDir dir;
    FakeClock fakeClock;
    MessageRecorder msgs;
    SurfaceRecorder surface;
    DialogRecorder fileDialogs;
};

// The bytes of a file anywhere.
QByteArray fileBytes(const QString& path);

// A text file's bytes: each line followed by `eol`.
QByteArray fileLines(const QList<QByteArray>& lines, const char* eol = "\r\n");
// Lines as the program writes them: Windows-1252, each ended by CR LF.
QByteArray textLines(const QStringList& lines);

// Made-up language tables that let a test see which text a window shows.
// Text n of language 0 or 1 in a two-language table: "it 12", "en 12".
QString fixtureText(int language, int n);
// One language: text n is "T<n>" for n = 1 .. count (text 0 is empty).
void useNumberedTexts(int count = 400);
// Both languages, fixtureText(0, n) then fixtureText(1, n), count texts a
// language; which language is shown is left as it was.
void useTwoLanguageTexts(int count = 400);

// Makes `path` a file that is there and that no one can read, root
// included (whom a file's permissions do not stop): a link to one of the
// kernel's attributes that only take writes. False where the system has
// none.
bool makeUnreadable(const QString& path);

} // namespace zuv::test
