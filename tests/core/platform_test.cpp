#include "platform/clock.h"
#include "platform/companion_file.h"
#include "platform/dialogs.h"
#include "platform/mainsurface.h"
#include "platform/messages.h"
#include "platform/numbers.h"
#include "platform/printer.h"
#include "platform/serialport.h"
#include "platform/textfile.h"
#include "support/fake_clock.h"
#include "support/fake_port.h"
#include "support/fixtures.h"
#include "support/recorders.h"

namespace zuv::test {
namespace {

TEST(Cp1252, RoundTripsEveryByte)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    EXPECT_EQ(toCp1252(fromCp1252(all)), all);
    EXPECT_EQ(fromCp1252("\x80\xB0\xE0"), QStringLiteral("\u20AC\u00B0\u00E0"));
    EXPECT_EQ(toCp1252(QStringLiteral("\u4E00")), QByteArray("?"));
}

TEST(TextLines, SplitsCrLfAndLfAlike)
{
    EXPECT_EQ(splitLines("a\r\nb\nc"), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(splitLines("a\r\n\r\n"), (QStringList{"a", ""}));
    EXPECT_TRUE(splitLines("").isEmpty());
}

class TextFileTest : public ZuvTest {};

TEST_F(TextFileTest, WritesCrLfInCp1252)
{
    ASSERT_TRUE(writeTextLines(path("t.txt"), {QStringLiteral("° C"), QString()}));
    EXPECT_EQ(readFile("t.txt"), QByteArray("\xB0 C\r\n\r\n"));
}

TEST_F(TextFileTest, FailedWriteReportsAndChangesNothing)
{
    // Root writes anywhere, so the target is made unreplaceable instead.
    writeFile("busy/inside.txt", "kept");
    QString error;
    EXPECT_FALSE(writeTextLines(path("busy"), {QStringLiteral("new")}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readFile("busy/inside.txt"), QByteArray("kept"));
    EXPECT_FALSE(writeTextLines(path("no/such/folder/t.txt"), {QStringLiteral("x")}));
}

// The alarms and lap-time files lose the data file's last four characters,
// the session file and the export's names its last three; a name shorter
// than that keeps its folder.
TEST(CompanionFiles, NamesCutTheDataFilesNameNeverItsFolder)
{
    struct Case {
        const char* data;
        const char* txt; // ".txt"; ".alm" and ".tim" alike
        const char* ses;
    } cases[] = {
        {"/d/run1.csv", "/d/run1.txt", "/d/run1.ses"},
        {"/d/a.csvx", "/d/a..txt", "/d/a.cses"},
        {"/d/a.b.csv", "/d/a.b.txt", "/d/a.b.ses"},
        {"/d/noext", "/d/n.txt", "/d/noses"},
        {"run.csv", "run.txt", "run.ses"},
        {"/d/abc", "/d/.txt", "/d/ses"},
        {"/d.x/ab", "/d.x/.txt", "/d.x/ses"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.data);
        const QString data = QLatin1String(c.data);
        EXPECT_EQ(companionFileName(data, u".txt"), QLatin1String(c.txt));
        EXPECT_EQ(companionFileName(data, u".tim"), QString(QLatin1String(c.txt)).replace(".txt", ".tim"));
        EXPECT_EQ(withLastThreeReplaced(data, QLatin1String("ses")), QLatin1String(c.ses));
    }
    EXPECT_EQ(withLastThreeReplaced(QStringLiteral("/d/run1.csv"), QLatin1String("tim")), "/d/run1.tim");
}

TEST(Numbers, ParseDecimalIsStrictAndLocaleFree)
{
    struct Case {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"12", 12.0}, {" -3.5 ", -3.5}, {"+2", 2.0}, {".5", 0.5}, {"5.", 5.0}, {"1e3", 1000.0},
        {"", std::nullopt}, {"1,5", std::nullopt}, {"abc", std::nullopt}, {"inf", std::nullopt},
        {"nan", std::nullopt}, {"0x10", std::nullopt}, {"1 2", std::nullopt}, {"-", std::nullopt},
        // Beyond the double range is no number; below it is the nearest one, 0.
        {"1e400", std::nullopt}, {"-1e400", std::nullopt}, {"123456789e301", std::nullopt},
        {"1e-400", 0.0}, {"-0.00001e-320", -0.0}, {"0e999", 0.0}, {"1.7e308", 1.7e308},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseDecimal(QString::fromLatin1(c.text)), c.value) << c.text;
}

TEST(Numbers, LeadingNumberTakesWhatStartsTheText)
{
    EXPECT_EQ(leadingNumber(u"  2.50 bar"), 2.5);
    EXPECT_EQ(leadingNumber(u"1,5"), 1.0);
    EXPECT_EQ(leadingNumber(u"letters"), 0.0);
    EXPECT_EQ(leadingNumber(u"-7e1x"), -70.0);
    EXPECT_EQ(leadingNumber(u"1e400 bar"), 0.0);
}

TEST(Numbers, WholeNumbersRoundHalfToEven)
{
    EXPECT_EQ(parseWhole(u"2.5", -10, 10), 2);
    EXPECT_EQ(parseWhole(u"3.5", -10, 10), 4);
    EXPECT_EQ(parseWhole(u"-2.5", -10, 10), -2);
    EXPECT_EQ(parseWhole(u"32768", -32768, 32767), std::nullopt);
    EXPECT_EQ(parseWhole(u"-32768", -32768, 32767), -32768);
    EXPECT_EQ(parseWhole(u"1e400", -32768, 32767), std::nullopt);
}

// With nothing set, each service is its stand-in: no window to ask, no
// printer, the system's clock and port. A test's service, once taken out,
// leaves the stand-in in place, never a dangling one.
TEST(Services, FallBackWhenNoneIsSet)
{
    EXPECT_EQ(msgBox(QStringLiteral("Save?"), MsgIcon::Question, MsgButtons::YesNo), MsgAnswer::No);
    EXPECT_EQ(msgBox(QStringLiteral("Save?"), MsgIcon::Question, MsgButtons::YesNoCancel), MsgAnswer::Cancel);
    EXPECT_EQ(msgBox(QStringLiteral("Done")), MsgAnswer::Ok);
    EXPECT_TRUE(dialogs().askFile(FileDialogRequest{}).isEmpty());
    EXPECT_EQ(dialogs().askColour(0x123456), std::nullopt);
    PrintRefusal why{PrintFault::NotSent, QStringLiteral("untouched")};
    EXPECT_EQ(printer().beginDocument(QStringLiteral("page"), &why), nullptr);
    EXPECT_EQ(why.fault, PrintFault::NoPrinter) << "a refused document says why";
    EXPECT_NE(dynamic_cast<SystemClock*>(&clock()), nullptr);
    SerialPort& systemPort = serialPort();
    MainSurface& noSurface = mainSurface();

    MessageRecorder msgs;
    DialogRecorder files;
    PrintRecorder pages;
    SurfaceRecorder surface;
    FakeClock fakeClock;
    FakeSerialPort port;
    setMessages(&msgs);
    setDialogs(&files);
    setPrinter(&pages);
    setMainSurface(&surface);
    setClock(&fakeClock);
    setSerialPort(&port);
    EXPECT_EQ(&messages(), &msgs);
    EXPECT_EQ(&dialogs(), &files);
    EXPECT_EQ(&printer(), &pages);
    EXPECT_EQ(&mainSurface(), &surface);
    EXPECT_EQ(&clock(), &fakeClock);
    EXPECT_EQ(&serialPort(), &port);

    setMessages(nullptr);
    setDialogs(nullptr);
    setPrinter(nullptr);
    setMainSurface(nullptr);
    setClock(nullptr);
    setSerialPort(nullptr);
    EXPECT_EQ(msgBox(QStringLiteral("Save?"), MsgIcon::Question, MsgButtons::OkCancel), MsgAnswer::Cancel);
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_TRUE(dialogs().askFile(FileDialogRequest{}).isEmpty());
    EXPECT_TRUE(files.asked.empty());
    EXPECT_EQ(printer().beginDocument(QStringLiteral("page"), nullptr), nullptr);
    EXPECT_TRUE(pages.documents.empty());
    EXPECT_EQ(&mainSurface(), &noSurface);
    EXPECT_NE(dynamic_cast<SystemClock*>(&clock()), nullptr);
    EXPECT_EQ(&serialPort(), &systemPort);
}

} // namespace
} // namespace zuv::test
