// The session data dialog through its widgets: captions in both languages,
// the circuit list and map, the sector boxes, OK's refusals and writes,
// Cancel, and the analysis window's way in.
#include "analysis/ui/dlgDatiSessione.h"

#include "analysis/session_file.h"
#include "analysis/ui/frmAnalisiDati.h"
#include "analysis/ui/session_map.h"
#include "analysis_fast/ui/frmAnalisiDatiSpeed.h"
#include "platform/ui/qtmessages.h"
#include "project/language.h"
#include "project/state.h"
#include "support/fake_analysis.h"
#include "support/fixtures.h"
#include "support/ui/modal_driver.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <map>
#include <memory>

namespace zuv::test {
namespace {

// A window that saves a real session file, as the analysis windows do.
class SavingAnalysis : public FakeAnalysis {
public:
    using FakeAnalysis::FakeAnalysis;
    void SalvaDatiSessione() override
    {
        FakeAnalysis::SalvaDatiSessione();
        zuv::SalvaDatiSessione(session().SessionFileName, session().sessionRows());
    }
};

// A rectangle of 34 points, clockwise from its top-left corner.
QByteArray rectangleOutline()
{
    QByteArray out;
    auto add = [&out](int x, int y) { out += QByteArray::number(x) + "," + QByteArray::number(y) + "\r\n"; };
    for (int x = 10; x < 130; x += 10)
        add(x, 10);
    for (int y = 10; y < 60; y += 10)
        add(130, y);
    for (int x = 130; x > 10; x -= 10)
        add(x, 60);
    for (int y = 60; y > 10; y -= 10)
        add(10, y);
    return out;
}

std::map<QRgb, int> colourCounts(const QImage& image)
{
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y) & 0xFFFFFF];
    return counts;
}

constexpr QRgb kGreenPx = 0x00FF00;
constexpr QRgb kRedPx = 0xFF0000;
constexpr QRgb kYellowPx = 0xFFFF00;
constexpr QRgb kBlackPx = 0x000000;

class SessionDialogTest : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        for (const char* name : {"Pista Collina", "Anello Lago"})
            for (const char* ext : {".trk", ".sec"}) {
                const QString file = QLatin1String(name) + QLatin1String(ext);
                writeFile(QStringLiteral("tracks/") + file,
                          fileBytes(QStringLiteral(ZUV_SHIPPED_DATA_DIR "/tracks/") + file));
            }
        writeFile(QStringLiteral("tracks/Quadro.trk"), rectangleOutline());
        // Not circuits: the list takes names ending in "trk" exactly.
        writeFile(QStringLiteral("tracks/notes.txt"), "x");
        writeFile(QStringLiteral("tracks/Vecchia.TRK"), rectangleOutline());
        writeFile(QStringLiteral("sessions/Prova.csv"), "t;d\r\n");
        loadShippedLanguages(1);

        DatiSessione.Sessione = QStringLiteral(" Qualifying ");
        DatiSessione.DataSessione = QStringLiteral("12/05/2024");
        DatiSessione.OraSessione = QStringLiteral("10:30");
        DatiSessione.Circuito = QStringLiteral("Pista Collina");
        DatiSessione.LunghTracciato = QStringLiteral("2400");
        DatiSessione.VeicoloSessione = QStringLiteral("Kart 125");
        DatiSessione.Piloti = QStringLiteral("Anna\r\nBruno");
        DatiSessione.NoteSessione = QStringLiteral("dry");
        DatiProgetto.Veicolo = QStringLiteral("Project car");
        window.session().SessionFileName = path(QStringLiteral("sessions/Prova.ses"));
    }
    void TearDown() override
    {
        dialog.reset();
        ZuvTest::TearDown();
    }

    dlgDatiSessione& open()
    {
        dialog = std::make_unique<dlgDatiSessione>();
        dialog->show();
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        return *dialog;
    }

    // Picks `name` from the combo's list with an arrow key, as a user may:
    // the entry before it is made current, then Down.
    static void pick(QComboBox* combo, const QString& name)
    {
        const int i = combo->findText(name);
        ASSERT_GE(i, 0) << name.toStdString();
        combo->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), combo);
        const bool first = i == 0;
        combo->setCurrentIndex(first ? 1 : i - 1);
        QTest::keyClick(combo, first ? Qt::Key_Up : Qt::Key_Down);
        ASSERT_EQ(combo->currentIndex(), i);
    }

    // Types into a box and ends with `key` (Enter, Tab, or none).
    static void type(QWidget* box, const QString& text, int key = Qt::Key_Return)
    {
        box->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), box);
        if (auto* line = qobject_cast<QLineEdit*>(box); line && !line->isReadOnly())
            line->clear();
        if (auto* combo = qobject_cast<QComboBox*>(box))
            combo->clearEditText();
        QTest::keyClicks(box, text);
        if (key)
            QTest::keyClick(box, Qt::Key(key));
    }

    std::vector<QString> sectorTexts() const
    {
        std::vector<QString> out;
        for (QLineEdit* box : dialog->txtX)
            if (!box->isHidden())
                out.push_back(box->text());
        return out;
    }

    QLabel* labelOf(QWidget* box) const
    {
        for (QLabel* l : dialog->findChildren<QLabel*>())
            if (l->buddy() == box)
                return l;
        return nullptr;
    }

    // Every file of the program folder with its bytes.
    std::map<QString, QByteArray> files() const
    {
        std::map<QString, QByteArray> out;
        QDirIterator it(dir.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString p = it.next();
            out[QDir(dir.path()).relativeFilePath(p)] = fileBytes(p);
        }
        return out;
    }

    void clickOk() { QTest::mouseClick(dialog->OKButton, Qt::LeftButton); }

    // OK through the real message boxes, each answered with its OK button:
    // what the boxes said, in order. A box more than `boxes` fails the test.
    QStringList clickOkAnswering(int boxes)
    {
        QtMessages real;
        setMessages(&real);
        ModalDriver user;
        for (int i = 0; i < boxes; ++i)
            user.click(QMessageBox::Ok);
        clickOk();
        EXPECT_TRUE(user.waitDone());
        setMessages(&msgs);
        QStringList texts;
        for (const ModalDriver::Box& box : user.boxes) {
            EXPECT_EQ(box.title, appTitle());
            EXPECT_EQ(box.buttons, QStringList{QStringLiteral("OK")});
            EXPECT_EQ(box.owner, dialog.get()) << "the dialog's own box";
            texts << box.text;
        }
        // Answered, the box gives the dialog back, ready for the next try.
        if (!user.boxes.empty() && dialog->isVisible()) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        }
        return texts;
    }

    SavingAnalysis window{AnalysisKind::Dati};
    std::unique_ptr<dlgDatiSessione> dialog;
};

TEST_F(SessionDialogTest, OpensOnTheSessionAndItsCircuitInBothLanguages)
{
    for (int language : {0, 1}) {
        SCOPED_TRACE(language);
        loadShippedLanguages(language);
        DatiSessione.LunghTracciato = QStringLiteral("9999");
        dlgDatiSessione& d = open();

        EXPECT_EQ(d.fraSessione->title(), languageText(117));
        EXPECT_EQ(d.fraCircuito->title(), languageText(120));
        EXPECT_EQ(d.CancelButton->text(), languageText(35));
        EXPECT_EQ(d.OKButton->text(), QStringLiteral("OK"));
        const std::pair<QWidget*, int> labels[] = {
            {d.txtSessione, 194}, {d.txtDataSessione, 118}, {d.txtOraSessione, 119}, {d.cboCircuito, 120},
            {d.txtLunghezzaTracciato, 121}, {d.txtVeicolo, 123}, {d.txtPiloti, 124}, {d.txtNote, 125},
            {d.cboNumSettori, 324}};
        for (auto [box, text] : labels) {
            QLabel* l = labelOf(box);
            ASSERT_NE(l, nullptr) << text;
            EXPECT_EQ(l->text(), languageText(text));
        }
        EXPECT_EQ(d.findChild<QLabel*>(QStringLiteral("lblMetri"))->text(), languageText(122));
        EXPECT_EQ(d.findChild<QLabel*>(QStringLiteral("lblSettori"))->text(), languageText(321));

        // The session's values without blanks around them, its own vehicle.
        EXPECT_EQ(d.txtSessione->text(), QStringLiteral("Qualifying"));
        EXPECT_EQ(d.txtVeicolo->text(), QStringLiteral("Kart 125"));
        EXPECT_EQ(d.txtPiloti->toPlainText(), QStringLiteral("Anna\nBruno"));
        EXPECT_EQ(d.cboCircuito->currentText(), QStringLiteral("Pista Collina"));
        QStringList names;
        for (int i = 0; i < d.cboCircuito->count(); ++i)
            names << d.cboCircuito->itemText(i);
        EXPECT_EQ(names, (QStringList{"Anello Lago", "Pista Collina", "Quadro"}));
        QStringList counts;
        for (int i = 0; i < d.cboNumSettori->count(); ++i)
            counts << d.cboNumSettori->itemText(i);
        EXPECT_EQ(counts.size(), 15);
        EXPECT_EQ(counts.last(), QStringLiteral("15"));

        // The sector file's length replaces the session's at once.
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Pista Collina - 2400 m."));
        EXPECT_EQ(d.txtLunghezzaTracciato->text(), QStringLiteral("2400"));
        EXPECT_EQ(DatiSessione.LunghTracciato, QStringLiteral("2400"));
        EXPECT_EQ(d.cboNumSettori->currentText(), QStringLiteral("3"));
        EXPECT_EQ(sectorTexts(), (std::vector<QString>{"780", "910", "710"}));
        for (int k = 0; k < 3; ++k)
            EXPECT_FALSE(d.lblNumSetc[k]->isHidden()) << k;
        EXPECT_TRUE(d.lblNumSetc[3]->isHidden());
        EXPECT_EQ(d.lblNumSetc[14]->text(), QStringLiteral("15."));
        EXPECT_EQ(d.txtX[0]->maxLength(), 4);

        // The map: three sectors, green, red, green, each numbered.
        std::vector<QString> numbers;
        for (const MapLabel& l : d.Picture1->drawing().labels)
            numbers.push_back(l.text);
        EXPECT_EQ(numbers, (std::vector<QString>{"1", "2", "3"}));
        auto shown = colourCounts(d.Picture1->grab().toImage());
        EXPECT_GT(shown[kGreenPx], 200);
        EXPECT_GT(shown[kRedPx], 200);
        EXPECT_GT(shown[kBlackPx], 20);

        d.CancelButton->click();
        EXPECT_FALSE(d.isVisible());
    }
    EXPECT_EQ(window.sessionSaves, 0);
}

TEST_F(SessionDialogTest, ChoosingACircuitReadsItsOutlineAndSectors)
{
    dlgDatiSessione& d = open();

    // Without a sector file: the first box keeps its value and opens for
    // typing, the others go, and the outline shows with its start square.
    pick(d.cboCircuito, QStringLiteral("Quadro"));
    EXPECT_EQ(sectorTexts(), (std::vector<QString>{"780"}));
    EXPECT_TRUE(d.txtX[0]->isEnabled());
    EXPECT_TRUE(d.lblNumSetc[1]->isHidden());
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Quadro - 2400 m."));
    auto shown = colourCounts(d.Picture1->grab().toImage());
    EXPECT_GT(shown[kYellowPx], 10);
    EXPECT_GT(shown[kBlackPx], 500);
    EXPECT_EQ(shown[kGreenPx], 0);
    EXPECT_TRUE(d.Picture1->drawing().labels.empty());

    // With one: its length and sectors. The title was set as the outline
    // opened, with the length before the sector file.
    pick(d.cboCircuito, QStringLiteral("Anello Lago"));
    EXPECT_EQ(d.txtLunghezzaTracciato->text(), QStringLiteral("1800"));
    EXPECT_EQ(sectorTexts(), (std::vector<QString>{"600", "620", "580"}));
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Anello Lago - 2400 m."));
    EXPECT_EQ(DatiSessione.LunghTracciato, QStringLiteral("1800"));

    // A name typed reads nothing, also one of the list, also confirmed.
    // (Tab goes on to the track-length box, which splits when left.)
    for (const char* name : {"Monza", "Pista Collina"}) {
        for (int key : {Qt::Key_Return, Qt::Key_Tab}) {
            SCOPED_TRACE(name);
            d.cboCircuito->setFocus();
            const std::vector<QString> before = sectorTexts();
            type(d.cboCircuito, QLatin1String(name), key);
            EXPECT_EQ(d.cboCircuito->currentText(), QLatin1String(name));
            EXPECT_EQ(sectorTexts(), before);
            EXPECT_EQ(d.state().PercorsoSettori, path(QStringLiteral("tracks/Anello Lago.sec")));
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Anello Lago - 2400 m."));
        }
    }
    // Chosen from the open list, it is read.
    d.cboCircuito->setFocus();
    d.cboCircuito->showPopup();
    QAbstractItemView* list = d.cboCircuito->view();
    list->setCurrentIndex(list->model()->index(d.cboCircuito->findText(QStringLiteral("Pista Collina")), 0));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(d.state().PercorsoSettori, path(QStringLiteral("tracks/Pista Collina.sec")));
    EXPECT_EQ(sectorTexts(), (std::vector<QString>{"780", "910", "710"}));
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Pista Collina - 1800 m."));
}

TEST_F(SessionDialogTest, TheNumberOfSectorsSplitsTheTrackEvenly)
{
    dlgDatiSessione& d = open();
    pick(d.cboCircuito, QStringLiteral("Quadro"));
    struct Case {
        const char* length;
        const char* count;
        std::vector<QString> boxes;
    } cases[] = {
        {"1000", "3", {"333", "333", "334"}},
        {"1003", "2", {"502", "501"}},
        {"1000", "1", {"1000"}},
    };
    for (const Case& c : cases) {
        type(d.txtLunghezzaTracciato, QString::fromLatin1(c.length));
        pick(d.cboNumSettori, QString::fromLatin1(c.count));
        EXPECT_EQ(sectorTexts(), c.boxes) << c.length << " / " << c.count;
    }

    // A number typed is no pick: neither Enter nor leaving the box splits
    // the track; the next change of the track length splits into it, and
    // the map follows.
    type(d.txtLunghezzaTracciato, QStringLiteral("1000"));
    type(d.cboNumSettori, QStringLiteral("4"));
    EXPECT_EQ(sectorTexts(), (std::vector<QString>{"1000"}));
    type(d.cboNumSettori, QStringLiteral("4"), Qt::Key_Tab);
    EXPECT_EQ(sectorTexts(), (std::vector<QString>{"1000"}));
    type(d.txtLunghezzaTracciato, QStringLiteral("1000"));
    EXPECT_EQ(sectorTexts(), (std::vector<QString>{"250", "250", "250", "250"}));
    EXPECT_EQ(d.Picture1->drawing().labels.size(), 4u);
    auto shown = colourCounts(d.Picture1->grab().toImage());
    EXPECT_GT(shown[kGreenPx], 200);
    EXPECT_GT(shown[kRedPx], 200);

    // A new track length splits again, also when left with Tab; the title
    // keeps the length it had until the dialog is activated again.
    type(d.txtLunghezzaTracciato, QStringLiteral("2000"), Qt::Key_Tab);
    EXPECT_EQ(sectorTexts(), (std::vector<QString>{"500", "500", "500", "500"}));
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Quadro - 2400 m."));
    // Passing through it unchanged splits again too.
    type(d.txtX[0], QStringLiteral("300"));
    EXPECT_EQ(sectorTexts(), (std::vector<QString>{"300", "700", "500", "500"}));
    d.txtLunghezzaTracciato->setFocus();
    QTest::keyClick(d.txtLunghezzaTracciato, Qt::Key_Tab);
    EXPECT_EQ(sectorTexts(), (std::vector<QString>{"500", "500", "500", "500"}));
    type(d.txtX[0], QStringLiteral("300"), 0);
    QTest::keyClick(d.txtLunghezzaTracciato, Qt::Key_Return);
    EXPECT_EQ(sectorTexts(), (std::vector<QString>{"500", "500", "500", "500"}));

    // The arrow keys step through the list from the number shown.
    type(d.cboNumSettori, QStringLiteral("3"));
    type(d.txtLunghezzaTracciato, QStringLiteral("2000"));
    EXPECT_EQ(sectorTexts(), (std::vector<QString>{"667", "667", "666"}));
    QTest::keyClick(d.cboNumSettori, Qt::Key_Down);
    EXPECT_EQ(d.cboNumSettori->currentText(), QStringLiteral("4"));
    EXPECT_EQ(sectorTexts(), (std::vector<QString>{"500", "500", "500", "500"}));
    QTest::keyClick(d.cboNumSettori, Qt::Key_Up);
    QTest::keyClick(d.cboNumSettori, Qt::Key_Up);
    EXPECT_EQ(d.cboNumSettori->currentText(), QStringLiteral("2"));
    EXPECT_EQ(sectorTexts(), (std::vector<QString>{"1000", "1000"}));

    // Activated again, the dialog titles itself with the length now.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Quadro - 2000 m."));
}

TEST_F(SessionDialogTest, EnterInASectorBoxMovesTheRestToTheNext)
{
    dlgDatiSessione& d = open();
    pick(d.cboCircuito, QStringLiteral("Quadro"));
    struct Case {
        const char* name;
        const char* count;
        int box;
        const char* typed;
        int key;
        std::vector<QString> boxes;
    } cases[] = {
        {"next absorbs", "4", 0, "300", Qt::Key_Return, {"300", "200", "250", "250"}},
        {"last is the rest", "3", 1, "400", Qt::Key_Return, {"333", "400", "267"}},
        {"the track length", "4", 0, "1000", Qt::Key_Return, {"250", "250", "250", "250"}},
        {"zero", "4", 1, "0", Qt::Key_Return, {"250", "250", "250", "250"}},
        // No number: Enter is dropped and the text stays.
        {"text", "4", 1, "ab", Qt::Key_Return, {"250", "ab", "250", "250"}},
        {"point and comma dropped", "4", 0, "1.2,0", Qt::Key_Return, {"120", "380", "250", "250"}},
        {"leaving the box", "4", 2, "100", Qt::Key_Tab, {"250", "250", "100", "400"}},
        {"may push the next below 0", "4", 0, "900", Qt::Key_Return, {"900", "-400", "250", "250"}},
    };
    for (const Case& c : cases) {
        type(d.txtLunghezzaTracciato, QStringLiteral("1000"));
        pick(d.cboNumSettori, QString::fromLatin1(c.count));
        type(d.txtX[c.box], QString::fromLatin1(c.typed), c.key);
        EXPECT_EQ(sectorTexts(), c.boxes) << c.name;
    }

    // The last box takes any key, and Enter or leaving it does nothing:
    // its length stays the computed one.
    pick(d.cboNumSettori, QStringLiteral("2"));
    type(d.txtX[1], QStringLiteral("7.5"));
    EXPECT_EQ(sectorTexts(), (std::vector<QString>{"500", "7.5"}));
    QTest::keyClick(d.txtX[1], Qt::Key_Tab);
    EXPECT_EQ(sectorTexts(), (std::vector<QString>{"500", "7.5"}));
    EXPECT_FALSE(d.isHidden());
    EXPECT_TRUE(msgs.shown.empty());
    clickOk();
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(readFile(QStringLiteral("tracks/Quadro.sec")), QByteArray("1000\r\n500\r\n500\r\n"));
}

TEST_F(SessionDialogTest, SectorsOfFiveDigitsAreShownWholeAndKept)
{
    // Two sectors of 10416 m: the boxes take four characters from the
    // keyboard, but show what the file gives in full.
    writeFile(QStringLiteral("tracks/Quadro.sec"), "20832\r\n10416\r\n10416\r\n");
    DatiSessione.Circuito = QStringLiteral("Quadro");
    dlgDatiSessione& d = open();
    EXPECT_EQ(sectorTexts(), (std::vector<QString>{"10416", "10416"}));

    // Tabbing through every box changes nothing, nor does OK.
    d.txtX[0]->setFocus();
    QTest::keyClick(d.txtX[0], Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(sectorTexts(), (std::vector<QString>{"10416", "10416"}));
    // No more typing into a box that is full.
    d.txtX[0]->setFocus();
    d.txtX[0]->end(false);
    QTest::keyClicks(d.txtX[0], QStringLiteral("7"));
    EXPECT_EQ(d.txtX[0]->text(), QStringLiteral("10416"));
    QTest::keyClick(d.txtX[0], Qt::Key_Tab);
    clickOk();
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(readFile(QStringLiteral("tracks/Quadro.sec")), QByteArray("20832\r\n10416\r\n10416\r\n"));
    EXPECT_EQ(DatiSessione.LunghTracciato, QStringLiteral("20832"));

    // Shortened by the user, a box takes four characters again.
    DatiSessione.LunghTracciato = QStringLiteral("20832");
    dlgDatiSessione& again = open();
    again.txtX[0]->setFocus();
    again.txtX[0]->end(false);
    QTest::keyClick(again.txtX[0], Qt::Key_Backspace);
    QTest::keyClick(again.txtX[0], Qt::Key_Backspace);
    QTest::keyClicks(again.txtX[0], QStringLiteral("789"));
    EXPECT_EQ(again.txtX[0]->text(), QStringLiteral("1047"));
    type(again.txtX[0], QStringLiteral("123456"));
    EXPECT_EQ(again.txtX[0]->text(), QStringLiteral("1234"));
    EXPECT_EQ(sectorTexts(), (std::vector<QString>{"1234", "19598"}));
}

TEST_F(SessionDialogTest, OkRefusesAndKeepsTheDialogOpenWithNothingWritten)
{
    // A sector file whose sectors miss the track length.
    writeFile(QStringLiteral("tracks/Quadro.sec"), "1000\r\n300\r\n300\r\n");
    // A circuit whose sector file cannot be written: a folder has its name.
    writeFile(QStringLiteral("tracks/Blocco.trk"), rectangleOutline());
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("tracks/Blocco.sec"))));
    for (int language : {0, 1}) {
        loadShippedLanguages(language);
        const bool it = language == 0;
        const QString lengthMessage =
            it ? QStringLiteral("La lunghezza del tracciato deve essere un numero di metri da -2147483648 a 2147483647.")
               : QStringLiteral("The track length must be a number of metres from -2147483648 to 2147483647.");
        const QString zeroMessage = it ? QStringLiteral("La lunghezza di un settore non può essere zero.")
                                       : QStringLiteral("A sector length cannot be zero.");
        struct Case {
            const char* name;
            std::function<void(SessionDialogTest&, dlgDatiSessione&)> setUp;
            QString message;
            // The message goes on with the system's reason on a line of its own.
            bool withReason = false;
        };
        const Case cases[] = {
            {"negative sector",
             [](SessionDialogTest& t, dlgDatiSessione& d) {
                 t.pick(d.cboNumSettori, QStringLiteral("4"));
                 t.type(d.txtX[0], QStringLiteral("2000"));
             },
             languageText(326)},
            {"sum differs", [](SessionDialogTest& t, dlgDatiSessione& d) { t.pick(d.cboCircuito, "Quadro"); },
             languageText(327)},
            {"zero sector",
             [](SessionDialogTest& t, dlgDatiSessione& d) {
                 t.type(d.txtLunghezzaTracciato, QStringLiteral("1000"));
                 t.pick(d.cboNumSettori, QStringLiteral("4"));
                 t.type(d.txtX[0], QStringLiteral("500"));
             },
             zeroMessage},
            {"empty length", [](SessionDialogTest& t, dlgDatiSessione& d) { t.type(d.txtLunghezzaTracciato, ""); },
             lengthMessage},
            // Split into the three sectors on show: 0, 0, 0 add up to 0.
            {"zero length", [](SessionDialogTest& t, dlgDatiSessione& d) { t.type(d.txtLunghezzaTracciato, "0"); },
             zeroMessage},
            // -800, -800, -800.
            {"negative length",
             [](SessionDialogTest& t, dlgDatiSessione& d) { t.type(d.txtLunghezzaTracciato, "-2400"); },
             languageText(326)},
            {"text length",
             [](SessionDialogTest& t, dlgDatiSessione& d) { t.type(d.txtLunghezzaTracciato, "long"); },
             lengthMessage},
            // Typed, not confirmed: OK still reads the box.
            {"too large",
             [](SessionDialogTest& t, dlgDatiSessione& d) { t.type(d.txtLunghezzaTracciato, "3000000000", 0); },
             lengthMessage},
            {"folder in the circuit",
             [](SessionDialogTest& t, dlgDatiSessione& d) { t.type(d.cboCircuito, "../Pista Collina", 0); },
             it ? QStringLiteral("Il nome del circuito non può contenere il carattere \"/\".")
                : QStringLiteral("The circuit name cannot contain the character \"/\".")},
            {"parent folder", [](SessionDialogTest& t, dlgDatiSessione& d) { t.type(d.cboCircuito, "..", 0); },
             it ? QStringLiteral("Il nome del circuito non può contenere \"..\".")
                : QStringLiteral("The circuit name cannot contain \"..\".")},
            {"drive in the circuit", [](SessionDialogTest& t, dlgDatiSessione& d) { t.type(d.cboCircuito, "C:Pista", 0); },
             it ? QStringLiteral("Il nome del circuito non può contenere il carattere \":\".")
                : QStringLiteral("The circuit name cannot contain the character \":\".")},
            {"sector file not written",
             [](SessionDialogTest& t, dlgDatiSessione& d) {
                 t.pick(d.cboCircuito, QStringLiteral("Blocco"));
                 t.type(d.txtLunghezzaTracciato, QStringLiteral("2400"));
             },
             (it ? QStringLiteral("Impossibile scrivere il file dei settori %1.")
                 : QStringLiteral("The sector file %1 could not be written."))
                 .arg(path(QStringLiteral("tracks/Blocco.sec"))),
             true},
        };
        const SessionRecord before = DatiSessione;
        const auto filesBefore = files();
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            dlgDatiSessione& d = open();
            d.txtSessione->setText(QStringLiteral("changed"));
            c.setUp(*this, d);
            const QStringList shown = clickOkAnswering(1);
            ASSERT_EQ(shown.size(), 1);
            if (c.withReason)
                EXPECT_TRUE(shown[0].startsWith(c.message + QLatin1Char('\n'))) << shown[0].toStdString();
            else
                EXPECT_EQ(shown[0], c.message);
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(d.result(), QDialog::Rejected);
            EXPECT_EQ(window.sessionSaves, 0);
            EXPECT_EQ(DatiSessione.Sessione, before.Sessione);
            EXPECT_EQ(DatiSessione.Circuito, before.Circuito);
            EXPECT_EQ(files(), filesBefore);
        }
    }
}

// OK's checks take the track length as it stands: a fraction, 0 and a
// negative length are lengths like any other, and a sector that a circuit
// without sectors left at 0 is one that does not add up.
TEST_F(SessionDialogTest, OkChecksTheSectorsAgainstTheTrackLengthAsItStands)
{
    // A circuit with an outline and no sector file: no sectors yet.
    DatiSessione.Circuito = QStringLiteral("Quadro");
    for (int language : {0, 1}) {
        SCOPED_TRACE(language);
        loadShippedLanguages(language);
        const auto filesBefore = files();
        struct Case {
            const char* name;
            std::function<void(SessionDialogTest&, dlgDatiSessione&)> setUp;
            std::vector<QString> boxes;
            QString message;
        };
        const Case cases[] = {
            {"1000.5 with sectors 300 and 700",
             [](SessionDialogTest& t, dlgDatiSessione& d) {
                 t.type(d.txtLunghezzaTracciato, QStringLiteral("1000.5"));
                 t.pick(d.cboNumSettori, QStringLiteral("2"));
                 t.type(d.txtX[0], QStringLiteral("300"));
             },
             {"300", "700"}, languageText(327)},
            // round(-5 / 2) = -2 (halves to the even neighbour), the last
            // sector the rest.
            {"-5 in two sectors",
             [](SessionDialogTest& t, dlgDatiSessione& d) {
                 t.pick(d.cboNumSettori, QStringLiteral("2"));
                 t.type(d.txtLunghezzaTracciato, QStringLiteral("-5"));
             },
             {"-2", "-3"}, languageText(326)},
            {"-5 without sectors",
             [](SessionDialogTest& t, dlgDatiSessione& d) {
                 t.type(d.txtLunghezzaTracciato, QStringLiteral("-5"));
             },
             {}, languageText(327)},
            // The sectors 2 and 3 of the first circuit are 0 and hidden.
            {"Pista Collina, then a circuit without sectors",
             [](SessionDialogTest& t, dlgDatiSessione& d) {
                 t.pick(d.cboCircuito, QStringLiteral("Pista Collina"));
                 t.pick(d.cboCircuito, QStringLiteral("Quadro"));
             },
             {"780"}, languageText(327)},
            // Both checks passed: the refusal of a sector of 0 comes last.
            {"0 in two sectors",
             [](SessionDialogTest& t, dlgDatiSessione& d) {
                 t.pick(d.cboNumSettori, QStringLiteral("2"));
                 t.type(d.txtLunghezzaTracciato, QStringLiteral("0"));
             },
             {"0", "0"},
             language == 0 ? QStringLiteral("La lunghezza di un settore non può essere zero.")
                           : QStringLiteral("A sector length cannot be zero.")},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            DatiSessione.LunghTracciato = QStringLiteral("2400");
            dlgDatiSessione& d = open();
            c.setUp(*this, d);
            EXPECT_EQ(sectorTexts(), c.boxes);
            EXPECT_EQ(clickOkAnswering(1), QStringList{c.message});
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(window.sessionSaves, 0);
            EXPECT_EQ(DatiSessione.LunghTracciato, QStringLiteral("2400"));
            EXPECT_EQ(files(), filesBefore);
        }
    }

    // A length of 0 with no sectors adds up, and is stored.
    dlgDatiSessione& d = open();
    type(d.txtLunghezzaTracciato, QStringLiteral("0"));
    EXPECT_TRUE(clickOkAnswering(0).isEmpty());
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(DatiSessione.LunghTracciato, QStringLiteral("0"));
    EXPECT_EQ(readFile(QStringLiteral("tracks/Quadro.sec")), QByteArray("0\r\n"));
    EXPECT_EQ(window.sessionSaves, 1);
}

// A circuit whose sector file holds a length of 0 and no sector, picked
// after one with sectors: box 1. still shows the first circuit's sector, but
// no sector is in use, so OK writes none into the new circuit's file (the
// file would not add up to its own length).
TEST_F(SessionDialogTest, OkWritesOnlyTheSectorsInUseNotABoxAnotherCircuitLeft)
{
    writeFile(QStringLiteral("tracks/Quadro.sec"), "0\r\n");
    dlgDatiSessione& d = open();
    ASSERT_EQ(sectorTexts(), (std::vector<QString>{"780", "910", "710"}));
    pick(d.cboCircuito, QStringLiteral("Quadro"));
    EXPECT_EQ(sectorTexts(), std::vector<QString>{"780"});
    EXPECT_EQ(d.cboNumSettori->currentText(), QStringLiteral("0"));
    EXPECT_EQ(d.txtLunghezzaTracciato->text(), QStringLiteral("0"));
    EXPECT_TRUE(clickOkAnswering(0).isEmpty());
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(readFile(QStringLiteral("tracks/Quadro.sec")), QByteArray("0\r\n"));
    EXPECT_EQ(DatiSessione.Circuito, QStringLiteral("Quadro"));
    EXPECT_EQ(DatiSessione.LunghTracciato, QStringLiteral("0"));
    EXPECT_EQ(window.sessionSaves, 1);
}

// A circuit name typed, not picked, is the session's circuit; the sectors
// edited go to the sector file of the circuit last loaded.
TEST_F(SessionDialogTest, ATypedCircuitNameLeavesTheSectorsWithTheCircuitLastLoaded)
{
    dlgDatiSessione& d = open();
    ASSERT_EQ(sectorTexts(), (std::vector<QString>{"780", "910", "710"}));
    type(d.txtX[0], QStringLiteral("800"));
    ASSERT_EQ(sectorTexts(), (std::vector<QString>{"800", "890", "710"}));
    type(d.cboCircuito, QStringLiteral("Nuova Pista"), 0);
    EXPECT_TRUE(clickOkAnswering(0).isEmpty());
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(DatiSessione.Circuito, QStringLiteral("Nuova Pista"));
    EXPECT_EQ(readFile(QStringLiteral("tracks/Pista Collina.sec")), QByteArray("2400\r\n800\r\n890\r\n710\r\n"));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("tracks/Nuova Pista.sec"))));
    EXPECT_EQ(window.sessionSaves, 1);
}

// A refusal is a box of the dialog itself, whichever window is in front.
TEST_F(SessionDialogTest, ARefusalIsTheDialogsOwnBox)
{
    dlgDatiSessione& d = open();
    // Three sectors of 1000.5: 333, 333 and 334 make 1000.
    type(d.txtLunghezzaTracciato, QStringLiteral("1000.5"));
    ASSERT_EQ(sectorTexts(), (std::vector<QString>{"333", "333", "334"}));
    clickOk();
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text, languageText(327));
    EXPECT_EQ(msgs.shown[0].owner, &d);
    EXPECT_TRUE(d.isVisible());
}

// The boxes open on the session's values less the blanks around them, and
// only the blanks: a tab stays, and so does a line typed last in the
// drivers, which OK then stores as it stands.
TEST_F(SessionDialogTest, OpensWithOnlyTheBlanksAroundEachValueDropped)
{
    DatiSessione.Sessione = QStringLiteral(" \tQualifying\t ");
    DatiSessione.Circuito = QStringLiteral(" Pista Collina ");
    DatiSessione.Piloti = QStringLiteral("  Anna\r\nBruno\r\n");
    dlgDatiSessione& d = open();
    EXPECT_EQ(d.txtSessione->text(), QStringLiteral("\tQualifying\t"));
    EXPECT_EQ(d.cboCircuito->currentText(), QStringLiteral("Pista Collina"));
    EXPECT_EQ(sectorTexts(), (std::vector<QString>{"780", "910", "710"}));
    EXPECT_EQ(d.txtPiloti->toPlainText(), QStringLiteral("Anna\nBruno\n"));

    d.txtPiloti->setFocus();
    QTest::keyClick(d.txtPiloti, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(d.txtPiloti, QStringLiteral("Carla"));
    QTest::keyClick(d.txtPiloti, Qt::Key_Return);
    EXPECT_TRUE(clickOkAnswering(0).isEmpty());
    EXPECT_EQ(DatiSessione.Sessione, QStringLiteral("\tQualifying\t"));
    EXPECT_EQ(DatiSessione.Piloti, QStringLiteral("Anna\r\nBruno\r\nCarla\r\n"));
    dlgDatiSessione& again = open();
    EXPECT_EQ(again.txtPiloti->toPlainText(), QStringLiteral("Anna\nBruno\nCarla\n"));
}

TEST_F(SessionDialogTest, OkStoresTheBoxesAsTheyStandBlanksIncluded)
{
    dlgDatiSessione& d = open();
    type(d.txtSessione, QStringLiteral("  Prova 2 "), 0);
    type(d.txtDataSessione, QStringLiteral(" 13/05/2024"), 0);
    type(d.txtVeicolo, QStringLiteral("Kart 3  "), 0);
    d.txtNote->setFocus();
    d.txtNote->clear();
    QTest::keyClicks(d.txtNote, QStringLiteral(" wet "));
    EXPECT_TRUE(clickOkAnswering(0).isEmpty());
    EXPECT_EQ(DatiSessione.Sessione, QStringLiteral("  Prova 2 "));
    EXPECT_EQ(DatiSessione.DataSessione, QStringLiteral(" 13/05/2024"));
    EXPECT_EQ(DatiSessione.VeicoloSessione, QStringLiteral("Kart 3  "));
    EXPECT_EQ(DatiSessione.NoteSessione, QStringLiteral(" wet "));
    const QByteArray session = readFile(QStringLiteral("sessions/Prova.ses"));
    EXPECT_TRUE(session.startsWith("Sessione=  Prova 2 \r\nDataSessione= 13/05/2024\r\n"))
        << session.left(100).toStdString();
    EXPECT_TRUE(session.contains("\r\nVeicoloSessione=Kart 3  \r\n"));
    EXPECT_TRUE(session.contains("\r\nNoteSessione= wet \r\n"));
}

TEST_F(SessionDialogTest, OkWritesTheSectorFileAndTheSessionFile)
{
    UsaAnalisiSpeed = true;
    FakeAnalysis other(AnalysisKind::DatiSpeed);
    const auto filesBefore = files();
    dlgDatiSessione& d = open();
    pick(d.cboCircuito, QStringLiteral("Quadro"));
    type(d.txtLunghezzaTracciato, QStringLiteral("1000"));
    pick(d.cboNumSettori, QStringLiteral("3"));
    type(d.txtSessione, QStringLiteral("Race 2"), 0);
    d.txtPiloti->setPlainText(QStringLiteral("Carla\nDario"));
    type(d.txtVeicolo, QStringLiteral("Kart 2"), 0);
    clickOk();
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Accepted);

    EXPECT_EQ(readFile(QStringLiteral("tracks/Quadro.sec")), QByteArray("1000\r\n333\r\n333\r\n334\r\n"));
    EXPECT_EQ(DatiSessione.Sessione, QStringLiteral("Race 2"));
    EXPECT_EQ(DatiSessione.Circuito, QStringLiteral("Quadro"));
    EXPECT_EQ(DatiSessione.LunghTracciato, QStringLiteral("1000"));
    EXPECT_EQ(DatiSessione.VeicoloSessione, QStringLiteral("Kart 2"));
    // Two lines typed in the box are two lines ended by CR LF, as the
    // drivers line of the printed report joins them.
    EXPECT_EQ(DatiSessione.Piloti, QStringLiteral("Carla\r\nDario"));
    EXPECT_EQ(DatiProgetto.Veicolo, QStringLiteral("Project car"));
    // The window `UsaAnalisiSpeed` names saves its session file.
    EXPECT_EQ(other.sessionSaves, 1);
    EXPECT_EQ(window.sessionSaves, 0);

    // The window of the other kind, with a real file.
    UsaAnalisiSpeed = false;
    dlgDatiSessione& again = open();
    EXPECT_EQ(sectorTexts(), (std::vector<QString>{"333", "333", "334"}));
    type(again.txtX[0], QStringLiteral("400"));
    clickOk();
    EXPECT_EQ(window.sessionSaves, 1);
    EXPECT_EQ(readFile(QStringLiteral("tracks/Quadro.sec")), QByteArray("1000\r\n400\r\n266\r\n334\r\n"));
    const QByteArray session = readFile(QStringLiteral("sessions/Prova.ses"));
    EXPECT_TRUE(session.startsWith("Sessione=Race 2\r\nDataSessione=12/05/2024\r\nOraSessione=10:30\r\n"
                                   "Circuito=Quadro\r\nLunghTracciato=1000\r\nVeicoloSessione=Kart 2\r\n"
                                   "Piloti=Carla, Dario\r\nNoteSessione=dry\r\n"))
        << session.left(200).toStdString();

    // Only the sector file and the session file are new.
    auto filesAfter = files();
    for (const auto& [name, bytes] : filesBefore)
        if (filesAfter.count(name) && filesAfter[name] == bytes)
            filesAfter.erase(name);
    std::vector<QString> changed;
    for (const auto& entry : filesAfter)
        changed.push_back(entry.first);
    EXPECT_EQ(changed, (std::vector<QString>{"sessions/Prova.ses", "tracks/Quadro.sec"}));
}

TEST_F(SessionDialogTest, OkOnACircuitWithoutOutlineWritesNoSectorFile)
{
    DatiSessione.Circuito = QStringLiteral("Nowhere");
    DatiSessione.LunghTracciato = QStringLiteral("1500");
    dlgDatiSessione& d = open();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Nowhere - 1500 m."));
    EXPECT_TRUE(d.Picture1->drawing().lines.empty());
    pick(d.cboNumSettori, QStringLiteral("2"));
    EXPECT_EQ(sectorTexts(), (std::vector<QString>{"750", "750"}));
    const auto before = files();
    clickOk();
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(DatiSessione.Circuito, QStringLiteral("Nowhere"));
    EXPECT_EQ(DatiSessione.LunghTracciato, QStringLiteral("1500"));
    EXPECT_EQ(window.sessionSaves, 1);
    auto after = files();
    after.erase(QStringLiteral("sessions/Prova.ses"));
    EXPECT_EQ(after, before);
}

TEST_F(SessionDialogTest, WithoutATracksFolderTheListIsEmptyAndOkStillSaves)
{
    ASSERT_TRUE(QDir(path(QStringLiteral("tracks"))).removeRecursively());
    const auto before = files();
    dlgDatiSessione& d = open();
    EXPECT_EQ(d.cboCircuito->count(), 0);
    EXPECT_TRUE(d.Picture1->drawing().lines.empty());
    pick(d.cboNumSettori, QStringLiteral("1"));
    EXPECT_EQ(sectorTexts(), (std::vector<QString>{"2400"}));
    clickOk();
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(window.sessionSaves, 1);
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("tracks"))));
    auto after = files();
    after.erase(QStringLiteral("sessions/Prova.ses"));
    EXPECT_EQ(after, before);
}

TEST_F(SessionDialogTest, CancelStoresNothingButTheSectorFilesLength)
{
    const auto before = files();
    DatiSessione.LunghTracciato = QStringLiteral("1234");
    const SessionRecord session = DatiSessione;
    dlgDatiSessione& d = open();
    pick(d.cboCircuito, QStringLiteral("Anello Lago"));
    // Enter in a session box closes nothing.
    type(d.txtSessione, QStringLiteral("changed"));
    EXPECT_TRUE(d.isVisible());
    type(d.txtX[0], QStringLiteral("700"));
    QTest::mouseClick(d.CancelButton, Qt::LeftButton);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_EQ(DatiSessione.Sessione, session.Sessione);
    EXPECT_EQ(DatiSessione.Circuito, session.Circuito);
    EXPECT_EQ(DatiSessione.LunghTracciato, QStringLiteral("1800"));
    EXPECT_EQ(window.sessionSaves, 0);
    EXPECT_EQ(files(), before);

    // Esc is Cancel too.
    open();
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(files(), before);
}

TEST_F(SessionDialogTest, TheToolbarKeyShowsItModalAndReturnsWhenClosed)
{
    for (bool ok : {false, true}) {
        ModalDriver user;
        QString title;
        user.on("zuv::dlgDatiSessione", [&](QWidget& w) {
            auto& d = static_cast<dlgDatiSessione&>(w);
            title = d.windowTitle();
            EXPECT_TRUE(d.isModal());
            (ok ? d.OKButton : d.CancelButton)->click();
        });
        EXPECT_EQ(openSessionDialog(nullptr), ok);
        EXPECT_TRUE(user.waitDone());
        EXPECT_EQ(title, QStringLiteral("Pista Collina - 2400 m."));
        EXPECT_EQ(window.sessionSaves, ok ? 1 : 0);
    }
}

// The dialog over either real analysis window, on the shipped example: what
// OK stores, blanks and all, is what the window writes again at its close;
// the session file's reader gives each value back without the blanks around
// it.
class SessionDialogOverTheWindowTest : public ZuvTest {};

TEST_F(SessionDialogOverTheWindowTest, TheBoxesAsTheyStandReachTheSessionFileWrittenAtClose)
{
    loadShippedLanguages(1);
    for (const char* name : {"Pista Collina.trk", "Pista Collina.sec"})
        writeFile(QStringLiteral("tracks/") + QLatin1String(name),
                  fileBytes(QStringLiteral(ZUV_SHIPPED_DATA_DIR "/tracks/") + QLatin1String(name)));
    for (const bool fast : {false, true}) {
        SCOPED_TRACE(fast ? "frmAnalisiDatiSpeed" : "frmAnalisiDati");
        UsaAnalisiSpeed = fast;
        const QString examples = QStringLiteral(ZUV_SHIPPED_DATA_DIR "/examples/Prova Collina");
        for (const char* ext : {".csv", ".txt", ".tim", ".ses"})
            writeFile(QStringLiteral("session/Prova Collina") + QLatin1String(ext),
                      fileBytes(examples + QLatin1String(ext)));
        auto openWindow = [this, fast] {
            std::unique_ptr<frmAnalisiDati> w;
            if (fast)
                w = std::make_unique<frmAnalisiDatiSpeed>();
            else
                w = std::make_unique<frmAnalisiDati>();
            w->AnalysisFileName = path(QStringLiteral("session/Prova Collina.csv"));
            EXPECT_TRUE(w->Form_Load());
            return w;
        };

        auto w = openWindow();
        ModalDriver user;
        user.on("zuv::dlgDatiSessione", [](QWidget& widget) {
            auto& d = static_cast<dlgDatiSessione&>(widget);
            d.txtSessione->setFocus();
            d.txtSessione->clear();
            QTest::keyClicks(d.txtSessione, QStringLiteral("  Prova 2 "));
            QTest::mouseClick(d.OKButton, Qt::LeftButton);
        });
        w->toolButton(QStringLiteral("DatiSessione"))->trigger();
        EXPECT_TRUE(user.waitDone());
        EXPECT_TRUE(msgs.shown.empty());
        EXPECT_EQ(DatiSessione.Sessione, QStringLiteral("  Prova 2 "));
        w->ChiudiGrafico();
        w.reset();
        EXPECT_TRUE(readFile(QStringLiteral("session/Prova Collina.ses")).startsWith("Sessione=  Prova 2 \r\n"));

        w = openWindow();
        EXPECT_EQ(DatiSessione.Sessione, QStringLiteral("Prova 2"));
        w->ChiudiGrafico();
    }
}

} // namespace
} // namespace zuv::test
