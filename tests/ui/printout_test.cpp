// The project printout: what the page says, how it is copied onto a surface,
// and a real print to PDF read back with pdftotext.

#include "platform/ui/qtprinter.h"
#include "project/language.h"
#include "project/name_tables.h"
#include "shell/ui/frmStampaDatiProgetto.h"
#include "support/shell_fixture.h"

#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>

namespace zuv::test {
namespace {

class PrintoutTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_TRUE(CaricaLingue());
        computeLanguageOffset();
        CaricaTabelleCostanti();
        DatiProgetto = newProjectValues();
        DatiProgetto.NomeProgetto = QStringLiteral("Mugello 2024");
        DatiProgetto.UMVel = 1;
        DatiProgetto.PressioneOlio = QStringLiteral("VDO 0-10 bar");
        DatiProgetto.TemperaturaOlio = QStringLiteral("NTC 150");
        DatiProgetto.PaginaAbilitata2 = DatiProgetto.PaginaAbilitata3 = DatiProgetto.PaginaAbilitata9 = true;
    }
    ~PrintoutTest() override { setPrinter(nullptr); }

    static QString textOf(const std::vector<PageItem>& items, const char* name)
    {
        for (const PageItem& i : items)
            if (i.name == QLatin1String(name))
                return i.text;
        ADD_FAILURE() << "no " << name;
        return QString();
    }
};

TEST_F(PrintoutTest, EnabledPagesText)
{
    EXPECT_EQ(enabledPagesText(DatiProgetto), QStringLiteral("2  3  9  "));
    ProjectRecord none = newProjectValues();
    EXPECT_EQ(enabledPagesText(none), QString());
    none.PaginaAbilitata1 = none.PaginaAbilitata10 = true;
    EXPECT_EQ(enabledPagesText(none), QStringLiteral("1  10  "));
}

TEST_F(PrintoutTest, LabelsFollowTheLanguageAndFixedTextsStay)
{
    for (int language : {0, 1}) {
        TabellaLingua.IndiceLingua = language;
        const std::vector<PageItem> items = printoutItems();
        EXPECT_EQ(textOf(items, "lblProgetto"), fixtureText(language, 1));
        EXPECT_EQ(textOf(items, "lblUMPressione"), fixtureText(language, 28) + " :");
        EXPECT_EQ(textOf(items, "lblNumAcc"), fixtureText(language, 56));
        EXPECT_EQ(textOf(items, "lblTCVV"), QStringLiteral("Tipo di campionamento"));
        EXPECT_EQ(textOf(items, "lblPressOlio"), QStringLiteral("Pressione Olio"));
        EXPECT_EQ(textOf(items, "lblNomeTO"), QStringLiteral("Nome sensore"));
        EXPECT_EQ(textOf(items, "lblValUMVel"), QStringLiteral("mph"));
        EXPECT_EQ(textOf(items, "lblValLinguaDisplay"), QStringLiteral("Italiano"));
        EXPECT_EQ(textOf(items, "lblValNumAcc"), QStringLiteral("1"));
        EXPECT_EQ(textOf(items, "lblValNomePO"), QStringLiteral("VDO 0-10 bar"));
        EXPECT_EQ(textOf(items, "lblValPagineAbilitate"), QStringLiteral("2  3  9  "));
    }
    // A selector that names no entry (a hand-edited file) shows nothing.
    DatiProgetto.Lingua = 7;
    DatiProgetto.UMTemp = -1;
    const std::vector<PageItem> items = printoutItems();
    EXPECT_EQ(textOf(items, "lblValLinguaDisplay"), QString());
    EXPECT_EQ(textOf(items, "lblValUMTemp"), QString());
}

TEST_F(PrintoutTest, PageCopyPutsEachControlAtItsPlace)
{
    PageItem lbl;
    lbl.name = "lblA";
    lbl.twips = QRect(100, 200, 1000, 300);
    lbl.fontName = "Serif";
    lbl.fontSize = 12;
    lbl.bold = true;
    lbl.text = "Label";
    PageItem box = lbl;
    box.kind = PageItem::Kind::TextBox;
    box.bold = false;
    box.fontSize = 10;
    box.text = "Typed";
    PageItem frame;
    frame.kind = PageItem::Kind::Shape;
    frame.twips = QRect(50, 60, 700, 800);

    RecordingSurface surface;
    StampaForm(surface, {lbl, box, frame}, QSize(9000, 6000), true);
    const std::vector<QString> expected = {
        "pos 100,200", "font Serif 12 bold", "text Label",
        // A text box's text sits 0.2 x its point size (in twips) inside it.
        "pos 140,240", "font Serif 10", "text Typed", "box 100,200,1000,300",
        "box 50,60,700,800",
        "box 0,0,9000,6000"};
    EXPECT_EQ(surface.calls, expected);

    RecordingSurface noBorder;
    StampaForm(noBorder, {frame}, QSize(9000, 6000), false);
    EXPECT_EQ(noBorder.calls, std::vector<QString>{"box 50,60,700,800"});
}

TEST_F(PrintoutTest, WindowPrintsItsPageOnce)
{
    PrintRecorder recorder;
    setPrinter(&recorder);
    frmStampaDatiProgetto window;
    EXPECT_EQ(window.cmdPrint->text(), QStringLiteral("Print"));
    EXPECT_EQ(window.cmdPreview->text(), QStringLiteral("Preview"));
    ASSERT_TRUE(window.cmdPrint_Click());
    ASSERT_EQ(recorder.documents.size(), 1u);
    const auto& calls = recorder.documents[0].calls;
    EXPECT_TRUE(recorder.documents[0].ended);
    const auto texts = std::count_if(calls.begin(), calls.end(), [](const QString& c) { return c.startsWith("text "); });
    const auto boxes = std::count_if(calls.begin(), calls.end(), [](const QString& c) { return c.startsWith("box "); });
    EXPECT_EQ(texts, 32);
    EXPECT_EQ(boxes, 3) << "two frames and the border";
    EXPECT_NE(std::find(calls.begin(), calls.end(), QStringLiteral("text Mugello 2024")), calls.end());

    // No printer: the printer's reason, nothing sent.
    recorder.refuse = PrintRefusal{PrintFault::NoDefaultPrinter, QString()};
    EXPECT_FALSE(window.cmdPrint_Click());
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text, languageText(369));
    EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Critical);
    EXPECT_EQ(recorder.documents.size(), 1u);
}

// Print goes straight to the system's default printer; these tests' system
// has none, which the message says in the program's language.
TEST_F(PrintoutTest, PrintGoesToTheSystemsPrinterAndSaysWhenThereIsNone)
{
    QtPrinter system;
    setPrinter(&system);
    for (const int language : {0, 1}) {
        TabellaLingua.IndiceLingua = language;
        computeLanguageOffset();
        frmStampaDatiProgetto window;
        msgs.clear();
        EXPECT_FALSE(window.cmdPrint_Click());
        ASSERT_EQ(msgs.shown.size(), 1u);
        EXPECT_EQ(msgs.shown[0].text, fixtureText(language, 368));
        EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Critical);
    }
}

TEST_F(PrintoutTest, PreviewDrawsThePage)
{
    frmStampaDatiProgetto window;
    window.cmdPreview_Click();
    ASSERT_TRUE(window.preview());
    const QImage& page = window.preview()->page();
    ASSERT_FALSE(page.isNull());
    int dark = 0;
    for (int y = 0; y < page.height(); y += 2)
        for (int x = 0; x < page.width(); x += 2)
            dark += qGray(page.pixel(x, y)) < 128 ? 1 : 0;
    EXPECT_GT(dark, 200) << "text and outlines drawn";
    // A second preview draws on the same window.
    frmSupportoStampa* first = window.preview();
    window.cmdPreview_Click();
    EXPECT_EQ(window.preview(), first);
}

TEST_F(PrintoutTest, PrintsToPdf)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    const QString pdf = path("page.pdf");
    QtPrinter printer(pdf);
    setPrinter(&printer);
    TabellaLingua.IndiceLingua = 1;
    frmStampaDatiProgetto window;
    ASSERT_TRUE(window.cmdPrint_Click());
    ASSERT_TRUE(QFile::exists(pdf));

    QProcess run;
    run.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(run.waitForFinished(20000));
    const QString text = QString::fromUtf8(run.readAllStandardOutput());
    for (const QString& want : {fixtureText(1, 1), QStringLiteral("Mugello 2024"), fixtureText(1, 28) + " :",
                                QStringLiteral("mph"), QStringLiteral("Pressione Olio"),
                                QStringLiteral("VDO 0-10 bar"), QStringLiteral("NTC 150"),
                                QStringLiteral("Tipo di campionamento")})
        EXPECT_TRUE(text.contains(want)) << want.toStdString() << "\n" << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("2\\s+3\\s+9")))) << text.toStdString();
}

} // namespace
} // namespace zuv::test
