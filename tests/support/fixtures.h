#pragma once
// The common ground of every test: fresh program state, a program folder of
// its own, a fake clock and recorders in place of the message box and the
// main window.

#include "support/fake_clock.h"
#include "support/recorders.h"

#include <QByteArray>
#include <QString>
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

// Makes `path` a file that is there and that no one can read, root
// included (whom a file's permissions do not stop): a link to one of the
// kernel's attributes that only take writes. False where the system has
// none.
bool makeUnreadable(const QString& path);

} // namespace zuv::test
