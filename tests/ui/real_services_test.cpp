// The real Qt services, driven as a user would from inside their modal
// exec(): every button of every message box set, Esc and the close box; the
// file dialog with a typed name, its filter and a cancel; the printer to a
// PDF file, and to the system's default printer with no dialog; Qt's own
// texts in the program's language.

#include "platform/ui/qtdialogs.h"
#include "platform/ui/qtmessages.h"
#include "platform/ui/qtprinter.h"
#include "shell/ui/dlgLanguages.h"
#include "shell/ui/frmMain.h"
#include "support/shell_fixture.h"
#include "support/ui/modal_driver.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>
#include <ostream>

// Readable failures: texts as text.
static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace zuv::test {
namespace {

QString noMnemonic(QString s) { return s.remove(QLatin1Char('&')); }

QStringList captions(const ModalDriver::Box& box)
{
    QStringList out;
    for (const QString& b : box.buttons)
        out << noMnemonic(b);
    out.sort();
    return out;
}

class RealServicesTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        setMessages(&qtMessages);
        setDialogs(&qtDialogs);
    }
    void TearDown() override
    {
        setPrinter(nullptr);
        ShellTest::TearDown();
    }

    QtMessages qtMessages;
    QtDialogs qtDialogs;
};

// --- message boxes ----------------------------------------------------------

TEST_F(RealServicesTest, EveryButtonOfEverySetGivesItsOwnAnswer)
{
    using B = QMessageBox;
    struct Case {
        MsgButtons set;
        QMessageBox::StandardButton button;
        MsgAnswer answer;
    } cases[] = {
        {MsgButtons::Ok, B::Ok, MsgAnswer::Ok},
        {MsgButtons::OkCancel, B::Ok, MsgAnswer::Ok},
        {MsgButtons::OkCancel, B::Cancel, MsgAnswer::Cancel},
        {MsgButtons::YesNo, B::Yes, MsgAnswer::Yes},
        {MsgButtons::YesNo, B::No, MsgAnswer::No},
        {MsgButtons::YesNoCancel, B::Yes, MsgAnswer::Yes},
        {MsgButtons::YesNoCancel, B::No, MsgAnswer::No},
        {MsgButtons::YesNoCancel, B::Cancel, MsgAnswer::Cancel},
        {MsgButtons::RetryCancel, B::Retry, MsgAnswer::Retry},
        {MsgButtons::RetryCancel, B::Cancel, MsgAnswer::Cancel},
    };
    const std::map<MsgButtons, QStringList> shown = {
        {MsgButtons::Ok, {"OK"}},
        {MsgButtons::OkCancel, {"Cancel", "OK"}},
        {MsgButtons::YesNo, {"No", "Yes"}},
        {MsgButtons::YesNoCancel, {"Cancel", "No", "Yes"}},
        {MsgButtons::RetryCancel, {"Cancel", "Retry"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.set) << " button " << c.button);
        ModalDriver user;
        user.click(c.button);
        EXPECT_EQ(msgBox(QStringLiteral("Go on?"), MsgIcon::Question, c.set, QStringLiteral("Title")), c.answer);
        ASSERT_TRUE(user.waitDone());
        ASSERT_EQ(user.boxes.size(), 1u);
        EXPECT_EQ(user.boxes[0].text, QStringLiteral("Go on?"));
        EXPECT_EQ(user.boxes[0].title, QStringLiteral("Title"));
        EXPECT_EQ(user.boxes[0].icon, QMessageBox::Question);
        EXPECT_EQ(captions(user.boxes[0]), shown.at(c.set));
    }
}

TEST_F(RealServicesTest, EscTheCloseBoxAndEnterAnswerAsTheBoxesMean)
{
    struct Case {
        MsgButtons set;
        MsgAnswer closed; // Esc or the close box
        MsgAnswer enter;  // the first button is the default
    } cases[] = {
        {MsgButtons::Ok, MsgAnswer::Ok, MsgAnswer::Ok},
        {MsgButtons::OkCancel, MsgAnswer::Cancel, MsgAnswer::Ok},
        {MsgButtons::YesNo, MsgAnswer::No, MsgAnswer::Yes},
        {MsgButtons::YesNoCancel, MsgAnswer::Cancel, MsgAnswer::Yes},
        {MsgButtons::RetryCancel, MsgAnswer::Cancel, MsgAnswer::Retry},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.set));
        ModalDriver user;
        user.key(Qt::Key_Escape).closeBox().key(Qt::Key_Return);
        EXPECT_EQ(msgBox(QStringLiteral("Esc"), MsgIcon::None, c.set), c.closed);
        EXPECT_EQ(msgBox(QStringLiteral("Close"), MsgIcon::None, c.set), c.closed);
        EXPECT_EQ(msgBox(QStringLiteral("Enter"), MsgIcon::None, c.set), c.enter);
        EXPECT_TRUE(user.waitDone());
    }
}

TEST_F(RealServicesTest, TextIsShownAsWrittenOnItsLines)
{
    ModalDriver user;
    user.click(QMessageBox::Ok);
    msgBox(QStringLiteral("The data will be sent.\r\nGo on? <b>x</b>"), MsgIcon::Critical);
    ASSERT_TRUE(user.waitDone());
    EXPECT_EQ(user.boxes[0].text, QStringLiteral("The data will be sent.\nGo on? <b>x</b>"));
    EXPECT_EQ(user.boxes[0].title, appTitle()) << "the program's name when no title is given";
    EXPECT_EQ(user.boxes[0].icon, QMessageBox::Critical);
}

// --- file dialogs -------------------------------------------------------------

TEST_F(RealServicesTest, SaveDialogTakesATypedNameAndGivesItTheFiltersExtension)
{
    FileDialogRequest request;
    request.save = true;
    request.title = QStringLiteral("Save the project");
    request.filter = QStringLiteral("Project File (*.pro)");
    request.folder = dir.path();

    ModalDriver user;
    user.typeFile(QStringLiteral("Mugello"), [&](QFileDialog& d) {
        EXPECT_TRUE(d.testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_EQ(d.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(d.nameFilters(), QStringList{request.filter});
        EXPECT_EQ(QFileInfo(d.directory().absolutePath()), QFileInfo(dir.path()));
    });
    EXPECT_EQ(dialogs().askFile(request), path("Mugello.pro"));
    ASSERT_TRUE(user.waitDone());
    EXPECT_EQ(user.fileDialogTitles, QStringList{"Save the project"});

    // A name proposed by the command is there to take with Enter; an
    // existing file is not questioned here (the commands ask themselves).
    writeFile("old.pro", "x");
    request.fileName = QStringLiteral("old.pro");
    ModalDriver enter;
    enter.on("QFileDialog", [](QWidget& w) {
        auto* edit = w.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text(), QStringLiteral("old.pro"));
        QTest::keyClick(edit, Qt::Key_Return);
    });
    EXPECT_EQ(dialogs().askFile(request), path("old.pro"));
    EXPECT_TRUE(enter.waitDone());
}

TEST_F(RealServicesTest, OpenDialogListsWhatItsFilterLetsThroughAndCancelGivesNothing)
{
    writeFile("a.pro", "x");
    writeFile("b.txt", "x");
    FileDialogRequest request;
    request.filter = QStringLiteral("Project File (*.pro)");
    request.folder = dir.path();

    QStringList listed;
    ModalDriver user;
    user.cancelFile([&](QFileDialog& d) {
        EXPECT_EQ(d.acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(d.fileMode(), QFileDialog::ExistingFile);
        auto* view = d.findChild<QListView*>(QStringLiteral("listView"));
        ASSERT_NE(view, nullptr);
        QAbstractItemModel* model = view->model();
        const QModelIndex root = view->rootIndex();
        EXPECT_TRUE(QTest::qWaitFor([&] { return model->rowCount(root) > 0; }, 5000));
        QTest::qWait(100);
        for (int r = 0; r < model->rowCount(root); ++r)
            if (!view->isRowHidden(r) && (model->flags(model->index(r, 0, root)) & Qt::ItemIsEnabled))
                listed << model->index(r, 0, root).data().toString();
    });
    EXPECT_EQ(dialogs().askFile(request), QString());
    ASSERT_TRUE(user.waitDone());
    EXPECT_EQ(listed, QStringList{"a.pro"});

    ModalDriver typed;
    typed.typeFile(path("a.pro"));
    EXPECT_EQ(dialogs().askFile(request), path("a.pro"));
    EXPECT_TRUE(typed.waitDone());
}

// --- printer ------------------------------------------------------------------

QString pdfText(const QString& pdf, int page)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    QProcess run;
    run.start(tool, {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page),
                     QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    run.waitForFinished(20000);
    return QString::fromUtf8(run.readAllStandardOutput());
}

TEST_F(RealServicesTest, PrinterWritesEachPageToThePdf)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    const QString pdf = path("out.pdf");
    QtPrinter qtPrinter(pdf);
    PrintRefusal why;
    std::unique_ptr<PrintJob> job = qtPrinter.beginDocument(QStringLiteral("Doc"), &why);
    ASSERT_NE(job, nullptr) << why.where.toStdString();
    ASSERT_NE(job->painter(), nullptr);
    job->setFont(QStringLiteral("Sans"), 12, true);
    job->setPosition(1440, 1440);
    job->printLine(QStringLiteral("First page"));
    job->printLine(QStringLiteral("its second line"));
    job->drawBox(1000, 1000, 4000, 2000);
    job->newPage();
    job->printLine(QStringLiteral("Second page"));
    EXPECT_TRUE(job->endDocument());
    job.reset();

    const QString one = pdfText(pdf, 1);
    EXPECT_TRUE(one.contains("First page")) << one.toStdString();
    EXPECT_TRUE(one.contains("its second line"));
    EXPECT_FALSE(one.contains("Second page"));
    EXPECT_TRUE(pdfText(pdf, 2).contains("Second page"));
}

TEST_F(RealServicesTest, PrinterThatCannotWriteItsFileRefusesWithAReason)
{
    const QString pdf = path("no/such/folder/out.pdf");
    QtPrinter qtPrinter(pdf);
    PrintRefusal why;
    EXPECT_EQ(qtPrinter.beginDocument(QStringLiteral("Doc"), &why), nullptr);
    EXPECT_EQ(why.fault, PrintFault::NotStarted);
    EXPECT_EQ(why.where, pdf);
}

// The system's default printer, with no dialog in between; these tests see
// no printer of the system (their main points the print system nowhere).
TEST_F(RealServicesTest, PrinterGoesToTheSystemsDefaultWithNoDialogAndSaysWhenThereIsNone)
{
    ASSERT_TRUE(QPrinterInfo::availablePrinterNames().isEmpty());
    QtPrinter qtPrinter;
    ModalDriver user(2000); // no step: a dialog would fail the test
    PrintRefusal why{PrintFault::NotSent, QStringLiteral("untouched")};
    EXPECT_EQ(qtPrinter.beginDocument(QStringLiteral("Doc"), &why), nullptr);
    EXPECT_TRUE(user.done());
    EXPECT_EQ(why.fault, PrintFault::NoPrinter);
    EXPECT_TRUE(why.where.isEmpty());
}

// --- Qt's own texts in the program's language ----------------------------------

TEST_F(RealServicesTest, ItalianInterfaceShowsItalianStandardButtonsAndFollowsTheLanguageDialog)
{
    // The fixture's database says Italian.
    frmMain window;
    ASSERT_TRUE(window.MDIForm_Load());
    window.pollTimer().stop();

    QStringList fileButtons;
    ModalDriver user;
    user.click(QMessageBox::Cancel);
    user.cancelFile([&](QFileDialog& d) {
        for (QPushButton* b : d.findChildren<QPushButton*>())
            fileButtons << noMnemonic(b->text());
    });
    // The language dialog: English, OK.
    user.on("zuv::dlgLanguages", [](QWidget& w) {
        auto& d = static_cast<dlgLanguages&>(w);
        // On the round button: the line is wider than its caption.
        QTest::mouseClick(d.optInglese, Qt::LeftButton, {}, QPoint(6, d.optInglese->height() / 2));
        QTest::mouseClick(d.OKButton, Qt::LeftButton);
    });
    user.click(QMessageBox::Cancel);

    EXPECT_EQ(msgBox(QStringLiteral("?"), MsgIcon::None, MsgButtons::YesNoCancel), MsgAnswer::Cancel);
    FileDialogRequest request;
    request.save = true;
    request.title = QStringLiteral("T");
    request.folder = dir.path();
    dialogs().askFile(request);
    window.mnuLanguage_Click();
    EXPECT_EQ(msgBox(QStringLiteral("?"), MsgIcon::None, MsgButtons::YesNoCancel), MsgAnswer::Cancel);
    ASSERT_TRUE(user.waitDone());

    ASSERT_EQ(user.boxes.size(), 2u);
    EXPECT_EQ(captions(user.boxes[0]), QStringList({"Annulla", "No", "S\u00ec"}));
    EXPECT_EQ(captions(user.boxes[1]), QStringList({"Cancel", "No", "Yes"}));
    EXPECT_TRUE(fileButtons.contains(QStringLiteral("Annulla"))) << fileButtons.join(',').toStdString();
    EXPECT_FALSE(fileButtons.contains(QStringLiteral("Cancel")));
}

} // namespace
} // namespace zuv::test
