#include "platform/textfile.h"
#include "project/sensor_library.h"
#include "project/state.h"
#include "support/fixtures.h"

#include <QDir>

namespace zuv::test {
namespace {

// A sensor file with points (i, 10 i + 0.5) for i = 1..n.
QByteArray sensorFile(const QByteArray& type, const QByteArray& name, int n)
{
    QList<QByteArray> lines = {"ZUVSensor", type, name, QByteArray::number(n)};
    for (int i = 1; i <= n; ++i)
        lines << QByteArray::number(i);
    for (int i = 1; i <= n; ++i)
        lines << QByteArray::number(10 * i) + ".5";
    return fileLines(lines);
}

class SensorLibraryTest : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        TabellaLingua.TestiLingua = QStringList(400, QString());
        TabellaLingua.NumTestiLingua = 399;
        TabellaLingua.TestiLingua[175] = QStringLiteral("The file ");
        TabellaLingua.TestiLingua[176] = QStringLiteral("is not a sensor file");
    }

    QString rejection(const QString& file) const
    {
        return QStringLiteral("The file ") + file + QStringLiteral(" is not a sensor file");
    }

    std::vector<QString> shownTexts() const
    {
        std::vector<QString> out;
        for (const ShownMessage& m : msgs.shown)
            out.push_back(m.text);
        return out;
    }
};

TEST_F(SensorLibraryTest, LoadsEveryFileInNameOrderAndPadsOnlyFuelLevel)
{
    writeFile("sensors/b_pressure.sns", sensorFile("Pressione", "Oil 10 bar", 12));
    writeFile("sensors/A_fuel.sns", sensorFile("LivelloBenzina", "Tank", 12));
    writeFile("sensors/c_lower.sns", sensorFile("livellobenzina", "Tank lower", 12));
    writeFile("sensors/d_same.txt", sensorFile("Pressione", "Oil 10 bar", 20));

    CaricaLibreriaSensori();

    EXPECT_TRUE(msgs.shown.empty());
    ASSERT_EQ(LibreriaSensori.size(), 4u);
    EXPECT_EQ(LibreriaSensori[0].Nome(), QStringLiteral("Tank"));
    EXPECT_EQ(LibreriaSensori[1].Nome(), QStringLiteral("Oil 10 bar"));
    EXPECT_EQ(LibreriaSensori[2].Nome(), QStringLiteral("Tank lower"));
    EXPECT_EQ(LibreriaSensori[3].Nome(), QStringLiteral("Oil 10 bar")); // duplicates both load
    EXPECT_EQ(LibreriaSensori[3].NumPunti(), 20);

    const CSensore& fuel = LibreriaSensori[0];
    EXPECT_EQ(fuel.Tipo(), QStringLiteral("LivelloBenzina"));
    EXPECT_EQ(fuel.NomeFile(), QDir(path("sensors")).filePath(QStringLiteral("A_fuel.sns")));
    EXPECT_EQ(fuel.NumPunti(), 12); // the count as read, not the padded one
    for (int i = 12; i < 20; ++i) {
        EXPECT_EQ(fuel.X(i), 12.0) << i;
        EXPECT_EQ(fuel.Y(i), 120.5) << i;
    }
    EXPECT_EQ(fuel.X(20), 0.0);

    for (const CSensore* s : {&LibreriaSensori[1], &LibreriaSensori[2]}) {
        EXPECT_EQ(s->X(0), 1.0);
        EXPECT_EQ(s->Y(11), 120.5);
        for (int i = 12; i < 20; ++i)
            EXPECT_TRUE(s->X(i) == 0 && s->Y(i) == 0) << s->Nome().toStdString() << " " << i;
    }
}

TEST_F(SensorLibraryTest, ValueLinesReadTheirLeadingNumber)
{
    struct Case {
        const char* line;
        double value;
    } cases[] = {
        {"1,5", 1.0},  {"abc", 0.0}, {"  2.50 bar", 2.5}, {"-3e2", -300.0}, {"+4", 4.0},
        {"inf", 0.0},  {"nan", 0.0}, {"0x10", 0.0},       {"", 0.0},         {".25", 0.25},
        {"1e999", 0.0}, {"\xB0" "5", 0.0},
    };
    for (const Case& c : cases) {
        writeFile("v.sns", fileLines({"ZUVSensor", "Altro", "v", "1", c.line, c.line}));
        const auto s = readSensorFile(path("v.sns"));
        ASSERT_TRUE(s) << c.line;
        EXPECT_EQ(s->X(0), c.value) << c.line;
        EXPECT_EQ(s->Y(0), c.value) << c.line;
    }
}

TEST_F(SensorLibraryTest, ToleratesLfLineEndsTrailingLinesAndHighBytes)
{
    struct Case {
        const char* why;
        QByteArray bytes;
        QString name;
    } cases[] = {
        {"LF only", fileLines({"ZUVSensor", "Altro", "lf", "1", "7", "8"}, "\n"), "lf"},
        {"no final line end", QByteArray("ZUVSensor\r\nAltro\r\nend\r\n1\r\n7\r\n8"), "end"},
        {"lines after the points", fileLines({"ZUVSensor", "Altro", "more", "1", "7", "8", "x", ""}),
         "more"},
        {"count with blanks", fileLines({"ZUVSensor", "Altro", "blank", " 1 ", "7", "8"}), "blank"},
        {"Windows-1252 name", fileLines({"ZUVSensor", "Altro", "\x80 \xB0" "C \xE0\xFF", "1", "7", "8"}),
         QStringLiteral("\u20AC \u00B0C \u00E0\u00FF")},
    };
    for (const Case& c : cases) {
        writeFile("t.sns", c.bytes);
        const auto s = readSensorFile(path("t.sns"));
        ASSERT_TRUE(s) << c.why;
        EXPECT_EQ(s->Nome(), c.name) << c.why;
        EXPECT_EQ(s->NumPunti(), 1) << c.why;
        EXPECT_EQ(s->X(0), 7.0) << c.why;
        EXPECT_EQ(s->Y(0), 8.0) << c.why;
    }
}

TEST_F(SensorLibraryTest, RefusesEachBadFileWithItsOwnMessageAndLoadsTheRest)
{
    struct Case {
        const char* file;
        QByteArray bytes;
    } cases[] = {
        {"notes.txt", "Shopping list\r\nmilk\r\n"},
        {"empty.sns", ""},
        {"magic_case.sns", sensorFile("Altro", "m", 1).replace("ZUVSensor", "zuvsensor")},
        {"magic_blank.sns", sensorFile("Altro", "m", 1).replace("ZUVSensor", "ZUVSensor ")},
        {"bom.sns", "\xEF\xBB\xBF" + sensorFile("Altro", "m", 1)},
        {"magic_only.sns", "ZUVSensor\r\n"},
        {"no_count.sns", fileLines({"ZUVSensor", "Altro", "m"})},
        {"count_0.sns", fileLines({"ZUVSensor", "Altro", "m", "0"})},
        {"count_21.sns", sensorFile("Altro", "m", 21)},
        {"count_neg.sns", fileLines({"ZUVSensor", "Altro", "m", "-1", "1", "1"})},
        {"count_huge.sns", fileLines({"ZUVSensor", "Altro", "m", "99999999999999999999", "1", "1"})},
        {"count_text.sns", fileLines({"ZUVSensor", "Altro", "m", "twenty", "1", "1"})},
        {"count_frac.sns", fileLines({"ZUVSensor", "Altro", "m", "1.5", "1", "1"})},
        {"count_empty.sns", fileLines({"ZUVSensor", "Altro", "m", "", "1", "1"})},
        {"count_trail.sns", fileLines({"ZUVSensor", "Altro", "m", "1 points", "1", "1"})},
        {"short_x.sns", fileLines({"ZUVSensor", "LivelloBenzina", "m", "3", "1", "2"})},
        {"short_y.sns", sensorFile("LivelloBenzina", "m", 3).chopped(6)},
    };
    writeFile("sensors/zz_good.sns", sensorFile("Pressione", "Good", 20));
    std::vector<QString> expected;
    for (const Case& c : cases) {
        writeFile(QStringLiteral("sensors/") + QLatin1String(c.file), c.bytes);
        expected.push_back(rejection(QLatin1String(c.file)));
    }
    std::sort(expected.begin(), expected.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });

    CaricaLibreriaSensori();

    ASSERT_EQ(LibreriaSensori.size(), 1u);
    EXPECT_EQ(LibreriaSensori[0].Nome(), QStringLiteral("Good"));
    EXPECT_EQ(shownTexts(), expected);
    for (const ShownMessage& m : msgs.shown) {
        EXPECT_EQ(m.icon, MsgIcon::Critical);
        EXPECT_EQ(m.buttons, MsgButtons::Ok);
        EXPECT_EQ(m.title, appTitle());
    }
    // Refusing reads only: every file is still there as it was.
    for (const Case& c : cases)
        EXPECT_EQ(readFile(QStringLiteral("sensors/") + QLatin1String(c.file)), c.bytes) << c.file;
}

TEST_F(SensorLibraryTest, FolderFoundWhateverItsCaseHiddenFilesAndFoldersSkipped)
{
    writeFile("SENSORS/one.sns", sensorFile("Altro", "One", 2));
    writeFile("SENSORS/.hidden.sns", "not a sensor");
    writeFile("SENSORS/sub/inner.sns", sensorFile("Altro", "Inner", 2));

    CaricaLibreriaSensori();
    CaricaLibreriaSensori(); // appends: the caller empties the library first

    EXPECT_TRUE(msgs.shown.empty());
    ASSERT_EQ(LibreriaSensori.size(), 2u);
    EXPECT_EQ(LibreriaSensori[1].Nome(), QStringLiteral("One"));
}

TEST_F(SensorLibraryTest, NoFolderGivesAnEmptyLibraryWithoutMessage)
{
    CaricaLibreriaSensori();
    writeFile("sensors", "a file where the folder should be");
    CaricaLibreriaSensori();
    EXPECT_TRUE(LibreriaSensori.empty());
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(SensorLibraryTest, WriterRepeatsTheLastRowUpTo20AndReadsBack)
{
    const QString file = writeFile("sensors/Test.sns", "old");
    QString error;
    ASSERT_TRUE(writeSensorFile(file, QStringLiteral("LivelloBenzina"),
                                  QStringLiteral("Test \u00B0"), {"10", "20", "30"},
                                  {"1.0", "2.5", "4.25"}, &error))
        << error.toStdString();

    QList<QByteArray> lines = {"ZUVSensor", "LivelloBenzina", "Test \xB0", "20", "10", "20"};
    for (int i = 0; i < 18; ++i)
        lines << "30";
    lines << "1.0" << "2.5";
    for (int i = 0; i < 18; ++i)
        lines << "4.25";
    EXPECT_EQ(readFile("sensors/Test.sns"), fileLines(lines));

    const auto s = readSensorFile(file);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->Nome(), QStringLiteral("Test \u00B0"));
    EXPECT_EQ(s->NumPunti(), 20);
    EXPECT_EQ(s->X(19), 30.0);
    EXPECT_EQ(s->Y(19), 4.25);
}

TEST_F(SensorLibraryTest, WriterRefusesWhatTheFileCannotHoldAndKeepsTheOldFile)
{
    const QStringList three = {"1", "2", "3"};
    const QStringList many(21, QStringLiteral("1"));
    struct Case {
        const char* why;
        QString name;
        QStringList x;
        QStringList y;
    } cases[] = {
        {"no rows", "s", {}, {}},
        {"21 rows", "s", many, many},
        {"X and Y differ", "s", three, {"1", "2"}},
        {"line break in the name", "a\nb", three, three},
        {"CR in a value", "s", three, {"1", "2\r", "3"}},
        {"outside Windows-1252", QStringLiteral("\u4E00"), three, three},
    };
    const QString file = writeFile("sensors/s.sns", "old");
    for (const Case& c : cases) {
        QString error;
        EXPECT_FALSE(writeSensorFile(file, QStringLiteral("Altro"), c.name, c.x, c.y, &error))
            << c.why;
        EXPECT_FALSE(error.isEmpty()) << c.why;
        EXPECT_EQ(readFile("sensors/s.sns"), QByteArray("old")) << c.why;
    }
    QString error;
    EXPECT_FALSE(writeSensorFile(path("nowhere/s.sns"), QStringLiteral("Altro"),
                                   QStringLiteral("s"), three, three, &error));
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
} // namespace zuv::test
