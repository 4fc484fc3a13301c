// The language dialog and the project notes dialog.

#include "project/language.h"
#include "shell/ui/dlgLanguages.h"
#include "shell/ui/dlgNoteProgetto.h"
#include "support/shell_fixture.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace zuv::test {
namespace {

class DialogsTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_TRUE(CaricaLingue());
        computeLanguageOffset();
    }
};

TEST_F(DialogsTest, LanguageOptionsFollowTheIndex)
{
    for (auto [index, italian, english] : {std::tuple{0, true, false}, {1, false, true}, {2, false, false}}) {
        TabellaLingua.IndiceLingua = index;
        dlgLanguages dialog;
        EXPECT_EQ(dialog.optItaliano->isChecked(), italian) << index;
        EXPECT_EQ(dialog.optInglese->isChecked(), english) << index;
        EXPECT_EQ(dialog.optItaliano->text(), QStringLiteral("Italiano"));
        EXPECT_EQ(dialog.optInglese->text(), QStringLiteral("English"));
        EXPECT_EQ(dialog.OKButton->text(), QStringLiteral("OK"));
    }
}

TEST_F(DialogsTest, EnglishWithOkRewritesLineOneOnly)
{
    const QByteArray before = readFile("LANGUAGES.DAT");
    // The process's own folder elsewhere, as after a file dialog.
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(QDir::tempPath());
    dlgLanguages dialog;
    EXPECT_EQ(dialog.windowTitle(), fixtureText(0, 23));
    EXPECT_EQ(dialog.CancelButton->text(), fixtureText(0, 35));
    QTest::mouseClick(dialog.optInglese, Qt::LeftButton);
    EXPECT_EQ(TabellaLingua.IndiceLingua, 1) << "at once";
    dialog.OKButton->click();
    QDir::setCurrent(cwd);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const QByteArray after = readFile("LANGUAGES.DAT");
    EXPECT_EQ(after.left(3), QByteArray("1\r\n"));
    EXPECT_EQ(after.mid(3), before.mid(3));
    EXPECT_TRUE(msgs.shown.empty());

    // The next start shows English.
    resetProgramState();
    ASSERT_TRUE(CaricaLingue());
    computeLanguageOffset();
    EXPECT_EQ(languageText(2), fixtureText(1, 2));
}

TEST_F(DialogsTest, CancelKeepsTheChoiceForThisRunOnly)
{
    const QByteArray before = readFile("LANGUAGES.DAT");
    {
        dlgLanguages dialog;
        dialog.optInglese->click();
        dialog.CancelButton->click();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_EQ(TabellaLingua.IndiceLingua, 1);
    EXPECT_EQ(readFile("LANGUAGES.DAT"), before);

    // OK untouched stores the language in use again.
    dlgLanguages again;
    EXPECT_EQ(again.windowTitle(), fixtureText(1, 23)) << "captions in the language now in use";
    again.OKButton->click();
    EXPECT_EQ(readFile("LANGUAGES.DAT").left(3), QByteArray("1\r\n"));
}

TEST_F(DialogsTest, UnwritableDatabaseGetsAMessageAndStaysAsItWas)
{
    // Root may write any file, so the database is made a folder.
    QFile::remove(path("LANGUAGES.DAT"));
    writeFile("LANGUAGES.DAT/inside", "x");
    dlgLanguages dialog;
    dialog.optInglese->click();
    dialog.OKButton->click();
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(msgs.shown[0].text.contains("LANGUAGES.DAT"));
    EXPECT_EQ(TabellaLingua.IndiceLingua, 1) << "still in use until the program ends";
    EXPECT_EQ(readFile("LANGUAGES.DAT/inside"), QByteArray("x"));
}

TEST_F(DialogsTest, NotesShowTrimmedAndOkStoresAsTyped)
{
    DatiProgetto.NomeProgetto = QStringLiteral("  Imola  ");
    DatiProgetto.NoteProgetto = QStringLiteral(" wet track ");
    DatiProgetto.Veicolo = QStringLiteral("F3");
    dlgNoteProgetto notes;
    EXPECT_FALSE(notes.isModal());
    EXPECT_EQ(notes.txtNomeProgetto->text(), QStringLiteral("Imola"));
    EXPECT_EQ(notes.txtNoteProgetto->toPlainText(), QStringLiteral("wet track"));
    EXPECT_EQ(notes.windowTitle(), fixtureText(0, 207));
    EXPECT_EQ(notes.CancelButton->text(), fixtureText(0, 35));
    const std::pair<QWidget*, int> labels[] = {
        {notes.txtNomeProgetto, 126}, {notes.txtDataCreazione, 208}, {notes.txtDataUltimaModifica, 209},
        {notes.txtAutoreProgetto, 210}, {notes.txtStrumento, 211}, {notes.txtVeicolo, 212},
        {notes.txtNoteProgetto, 213}};
    for (auto [box, text] : labels) {
        QLabel* label = nullptr;
        for (QLabel* l : notes.findChildren<QLabel*>())
            if (l->buddy() == box)
                label = l;
        ASSERT_NE(label, nullptr) << text;
        EXPECT_EQ(label->text(), fixtureText(0, text));
    }

    notes.txtAutoreProgetto->setText(QStringLiteral(" Rossi "));
    notes.txtNoteProgetto->setPlainText(QStringLiteral("line one\nline two"));
    notes.OKButton->click();
    EXPECT_EQ(DatiProgetto.NomeProgetto, QStringLiteral("Imola"));
    EXPECT_EQ(DatiProgetto.AutoreProgetto, QStringLiteral(" Rossi "));
    EXPECT_EQ(DatiProgetto.NoteProgetto, QStringLiteral("line one\nline two"));
    EXPECT_TRUE(ProgettoModificato);
}

TEST_F(DialogsTest, NotesOkMarksTheProjectEvenUnchangedAndCancelChangesNothing)
{
    {
        dlgNoteProgetto notes;
        notes.txtVeicolo->setText(QStringLiteral("typed"));
        notes.CancelButton->click();
    }
    EXPECT_TRUE(DatiProgetto.Veicolo.isEmpty());
    EXPECT_FALSE(ProgettoModificato);

    dlgNoteProgetto notes;
    notes.OKButton->click();
    EXPECT_TRUE(ProgettoModificato);
}

} // namespace
} // namespace zuv::test
