// The sensor editor without its window: box checks, the row rule, loading
// and saving sensors, the calibration steps, and the shipped example sensors.

#include "config/sensor_editor.h"

#include "platform/programfolder.h"
#include "platform/textfile.h"
#include "project/channels.h"
#include "project/sensor_library.h"
#include "project/state.h"
#include "support/fixtures.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace zuv::test {
namespace {

void numberedTexts()
{
    TabellaLingua.TestiLingua = QStringList{QString()};
    for (int n = 1; n <= 400; ++n)
        TabellaLingua.TestiLingua << QStringLiteral("T%1").arg(n);
    TabellaLingua.NumTestiLingua = 400;
}

// Ticks rows 0 .. texts - 1 of a fresh table with those texts.
PointTable tableWith(const QStringList& x, const QStringList& y)
{
    PointTable t;
    for (int i = 0; i < x.size(); ++i) {
        t.setX(i, x[i]);
        t.setY(i, y[i]);
        t.setTick(i, true);
    }
    return t;
}

CSensore sensor(const QString& name, const QString& type, int n, double x0, double y0)
{
    CSensore s;
    s.setNome(name);
    s.setTipo(type);
    s.setNumPunti(static_cast<qint16>(n));
    for (int i = 0; i < n; ++i) {
        s.setX(i, x0 + 10 * i);
        s.setY(i, y0 + 0.5 * i);
    }
    return s;
}

// --- types and checks --------------------------------------------------------

TEST(SensorEditorTypesTest, SlotsSelectTheirTypeAndScalesAgreeWithTheLibrary)
{
    const SensorKind bySlot[9] = {SensorKind::TemperaturaOlio, SensorKind::Pressione,     SensorKind::Pressione,
                                   SensorKind::TemperaturaAcqua, SensorKind::LivelloBenzina, SensorKind::Altro,
                                   SensorKind::SensoreLambda,   SensorKind::PressioneTurbo, SensorKind::SensoreG};
    for (int slot = 0; slot < 9; ++slot)
        EXPECT_EQ(kindFromSlot(slot), bySlot[slot]) << slot;
    EXPECT_FALSE(kindFromSlot(-1));
    EXPECT_FALSE(kindFromSlot(9));

    for (const SensorType& t : sensorTypes()) {
        EXPECT_EQ(t.scale, typeScale(t.keyword)) << t.keyword.toStdString();
        EXPECT_EQ(kindFromKeyword(t.keyword), t.kind);
        EXPECT_EQ(t.calibration, t.kind == SensorKind::LivelloBenzina);
    }
    EXPECT_FALSE(kindFromKeyword(QStringLiteral("livellobenzina")));
}

TEST(SensorEditorChecksTest, NumbersTheBoxesAccept)
{
    struct Case {
        const char* text;
        bool x;         // validNumber
        int scale;
        bool y;         // validY at that scale
    };
    const Case cases[] = {
        {"abc", false, 1, false},   {"", false, 1, false},       {"40000", false, 1, false},
        {"12.6", true, 10, true},   {"1,5", true, 1000, true},   {" 12 ", true, 1, true},
        {"-32768", true, 1, true},  {"32767.5", false, 1, false}, {"32766.5", true, 1, true},
        {"1e3", false, 1, false},   {".5", true, 10, true},      {"5.", true, 100, true},
        {"12abc", false, 1, false}, {"32.767", true, 1000, true}, {"32.768", true, 1000, false},
        {"35", true, 1000, false},  {"327.67", true, 100, true},  {"-3276.8", true, 10, true},
        {"3276.8", true, 10, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(validNumber(QString::fromLatin1(c.text)), c.x);
        EXPECT_EQ(validY(QString::fromLatin1(c.text), c.scale), c.y);
    }
}

TEST(SensorEditorChecksTest, BoxesLeftAreNormalised)
{
    EXPECT_EQ(formatY(QStringLiteral("1,5"), 1000), QStringLiteral("1.500"));
    EXPECT_EQ(formatY(QStringLiteral(" 12 "), 10), QStringLiteral("12.0"));
    EXPECT_EQ(formatY(QStringLiteral("7"), 1), QStringLiteral("7"));
    EXPECT_EQ(formatY(QStringLiteral(".25"), 100), QStringLiteral("0.25"));
    EXPECT_EQ(normalizeX(QStringLiteral(" 1,5 ")), QStringLiteral("1.5"));

    EXPECT_TRUE(xDescending(QStringLiteral("600"), QStringLiteral("500")));
    EXPECT_FALSE(xDescending(QStringLiteral("600"), QStringLiteral("600")));
    EXPECT_TRUE(xDescending(QStringLiteral("1"), QStringLiteral("abc"))); // letters read as 0

    EXPECT_EQ(pointText(1.5), QStringLiteral("1.5"));
    EXPECT_EQ(pointText(-0.0), QStringLiteral("0"));
    EXPECT_EQ(pointText(0.0001), QStringLiteral("0.0001"));
    EXPECT_EQ(pointText(1024), QStringLiteral("1024"));
}

TEST(SensorEditorChecksTest, SensorNamesThatCannotNameAFile)
{
    TabellaLingua.IndiceLingua = 0;
    EXPECT_TRUE(badNameReason(QStringLiteral("Pressione 0-10 bar")).isEmpty());
    EXPECT_TRUE(badNameReason(QStringLiteral("Olio 120°C €")).isEmpty()); // all in Windows-1252
    const char* refused[] = {"a/b", "..\\up", "c:x", "a*", "why?", "say\"", "<x>", "a|b", "tab\there",
                             ".hidden", "dot."};
    for (const char* n : refused)
        EXPECT_FALSE(badNameReason(QString::fromLatin1(n)).isEmpty()) << n;
    EXPECT_FALSE(badNameReason(QString::fromUtf8("名前")).isEmpty());

    const QString it = badNameReason(QStringLiteral("a/b"));
    EXPECT_TRUE(it.contains(QStringLiteral("\"/\""))) << it.toStdString();
    TabellaLingua.IndiceLingua = 1;
    EXPECT_TRUE(badNameReason(QStringLiteral("a/b")).startsWith(QStringLiteral("The sensor name")));
    TabellaLingua.IndiceLingua = 0;
}

// --- the row rule --------------------------------------------------------------

TEST(SensorEditorTableTest, ActiveRowsStayAPrefix)
{
    PointTable t;
    EXPECT_EQ(t.NumPuntiAttivi(), 0);
    EXPECT_TRUE(t.row(0).tickEnabled);
    EXPECT_FALSE(t.row(1).tickEnabled);
    EXPECT_FALSE(t.row(0).active);

    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(t.setTick(i, true));
    EXPECT_EQ(t.NumPuntiAttivi(), 10);
    EXPECT_TRUE(t.row(9).active);
    EXPECT_TRUE(t.row(10).tickEnabled);
    EXPECT_FALSE(t.row(10).active);
    EXPECT_FALSE(t.row(11).tickEnabled);

    // Inside the prefix: undone at once, nothing redrawn.
    EXPECT_FALSE(t.setTick(4, false));
    EXPECT_TRUE(t.row(4).ticked);
    EXPECT_EQ(t.NumPuntiAttivi(), 10);

    // The last row: the prefix shortens, the row stays editable.
    t.setX(9, QStringLiteral("900"));
    EXPECT_TRUE(t.setTick(9, false));
    EXPECT_EQ(t.NumPuntiAttivi(), 9);
    EXPECT_TRUE(t.row(9).active);
    EXPECT_TRUE(t.row(9).tickEnabled);
    EXPECT_EQ(t.row(9).x, QStringLiteral("900"));
    EXPECT_FALSE(t.row(10).tickEnabled);
    EXPECT_TRUE(t.setTick(9, true));
    EXPECT_EQ(t.NumPuntiAttivi(), 10);

    // The same state again changes nothing.
    EXPECT_FALSE(t.setTick(9, true));
    EXPECT_FALSE(t.setTick(15, false));

    EXPECT_TRUE(t.PulisciTabellaPunti());
    EXPECT_EQ(t.NumPuntiAttivi(), 0);
    for (int i = 0; i < kPointRows; ++i) {
        EXPECT_FALSE(t.row(i).ticked || t.row(i).active) << i;
        EXPECT_TRUE(t.row(i).x.isEmpty() && t.row(i).y.isEmpty()) << i;
        EXPECT_EQ(t.row(i).tickEnabled, i == 0) << i;
    }
}

TEST(SensorEditorTableTest, FullTableAndNewSensor)
{
    PointTable t;
    for (int i = 0; i < kPointRows; ++i)
        t.setTick(i, true);
    EXPECT_EQ(t.NumPuntiAttivi(), 20);
    for (int i = 0; i < kPointRows; ++i)
        EXPECT_TRUE(t.row(i).active && t.row(i).tickEnabled) << i;

    t.setTick(19, false);
    t.setX(19, QStringLiteral("5"));
    t.newSensor();
    EXPECT_EQ(t.NumPuntiAttivi(), 0);
    for (int i = 0; i < kPointRows; ++i) {
        EXPECT_FALSE(t.row(i).active || t.row(i).ticked) << i;
        EXPECT_EQ(t.row(i).tickEnabled, i == 0) << i;
        EXPECT_TRUE(t.row(i).x.isEmpty());
    }
}

class SensorEditorTest : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        numberedTexts();
    }
    QString sensors(const QString& name = QString()) const
    {
        return name.isEmpty() ? path(QStringLiteral("sensors")) : path(QStringLiteral("sensors/") + name);
    }
};

TEST_F(SensorEditorTest, LoadingALibrarySensorFillsItsRows)
{
    LibreriaSensori.push_back(sensor(QStringLiteral("Doppio"), QStringLiteral("TemperaturaOlio"), 3, 1, 1));
    LibreriaSensori.push_back(sensor(QStringLiteral("Doppio"), QStringLiteral("Pressione"), 5, 100, 1));
    LibreriaSensori.push_back(sensor(QStringLiteral("Pieno"), QStringLiteral("Pressione"), 20, 0, 0));

    PointTable t;
    const CSensore* s = loadSensorIntoTable(QStringLiteral("Doppio"), QStringLiteral("Pressione"), t);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->Tipo(), QStringLiteral("Pressione"));
    EXPECT_EQ(t.NumPuntiAttivi(), 5);
    EXPECT_EQ(t.xTexts(5), (QStringList{"100", "110", "120", "130", "140"}));
    EXPECT_EQ(t.yTexts(5), (QStringList{"1.000", "1.500", "2.000", "2.500", "3.000"}));
    EXPECT_TRUE(t.row(4).active);
    EXPECT_TRUE(t.row(5).tickEnabled);
    EXPECT_FALSE(t.row(5).active);
    EXPECT_FALSE(t.row(6).tickEnabled);

    ASSERT_NE(loadSensorIntoTable(QStringLiteral("Pieno"), QStringLiteral("Pressione"), t), nullptr);
    EXPECT_EQ(t.NumPuntiAttivi(), 20);
    EXPECT_EQ(t.row(19).x, QStringLiteral("190"));

    EXPECT_EQ(loadSensorIntoTable(QStringLiteral("Pieno"), QStringLiteral("SensoreG"), t), nullptr);
    EXPECT_EQ(t.NumPuntiAttivi(), 0);
}

// --- saving --------------------------------------------------------------------

TEST_F(SensorEditorTest, SaveWritesTheFileAndReadsTheLibraryAgain)
{
    ASSERT_FALSE(QFileInfo::exists(sensors())); // made by the first save
    const PointTable t = tableWith({"10", "20", "30"}, {"1.000", "2.500", "3.000"});
    const SaveResult r = SalvaSensore(QStringLiteral("  Test  "), SensorKind::Pressione, t, QStringLiteral("cap"));
    ASSERT_EQ(r.outcome, SaveOutcome::Saved);
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(QFileInfo(r.path).fileName(), QStringLiteral("Test.sns"));

    QStringList lines = {"ZUVSensor", "Pressione", "Test", "20", "10", "20"};
    for (int i = 2; i < 20; ++i)
        lines << "30";
    lines << "1.000" << "2.500";
    for (int i = 2; i < 20; ++i)
        lines << "3.000";
    EXPECT_EQ(readFile(QStringLiteral("sensors/Test.sns")), textLines(lines));

    ASSERT_EQ(LibreriaSensori.size(), 1u);
    EXPECT_EQ(LibreriaSensori[0].Nome(), QStringLiteral("Test"));
    EXPECT_DOUBLE_EQ(LibreriaSensori[0].Y(1), 2.5);
}

TEST_F(SensorEditorTest, ReplacingAFileOfTheSameNameAsksFirst)
{
    const QByteArray old = textLines({"ZUVSensor", "Pressione", "TEST", "1", "5", "1"});
    writeFile(QStringLiteral("sensors/TEST.sns"), old);
    const PointTable t = tableWith({"10"}, {"1.000"});

    msgs.answers = {MsgAnswer::Cancel};
    EXPECT_EQ(SalvaSensore(QStringLiteral("Test"), SensorKind::Pressione, t, QStringLiteral("cap")).outcome,
              SaveOutcome::Cancelled);
    ASSERT_EQ(msgs.shown.size(), 1u);
    const QString existing = QDir::toNativeSeparators(sensors(QStringLiteral("TEST.sns")));
    EXPECT_EQ(msgs.shown[0].text, QStringLiteral("T175") + existing + QStringLiteral(" T132"));
    EXPECT_EQ(msgs.shown[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(msgs.shown[0].icon, MsgIcon::None);
    EXPECT_EQ(msgs.shown[0].title, QStringLiteral("T133"));
    EXPECT_EQ(readFile(QStringLiteral("sensors/TEST.sns")), old);

    // OK replaces that file, under its own spelling: never two of one name.
    msgs.clear();
    msgs.answers = {MsgAnswer::Ok};
    EXPECT_EQ(SalvaSensore(QStringLiteral("Test"), SensorKind::Pressione, t, QStringLiteral("cap")).outcome,
              SaveOutcome::Saved);
    EXPECT_EQ(QDir(sensors()).entryList(QDir::Files), QStringList{"TEST.sns"});
    EXPECT_TRUE(readFile(QStringLiteral("sensors/TEST.sns")).startsWith("ZUVSensor\r\nPressione\r\nTest\r\n20\r\n"));
}

TEST_F(SensorEditorTest, RefusedSavesWriteNothing)
{
    const QByteArray old = textLines({"ZUVSensor", "Altro", "Vuoto", "1", "5", "1"});
    writeFile(QStringLiteral("sensors/Vuoto.sns"), old);
    const PointTable full = tableWith({"10", "20"}, {"1", "2"});

    // Blank name: text 179, critical, the caption as title.
    EXPECT_EQ(SalvaSensore(QStringLiteral("   "), SensorKind::Altro, full, QStringLiteral("cap")).outcome,
              SaveOutcome::EmptyName);
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text, QStringLiteral("T179"));
    EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Critical);
    EXPECT_EQ(msgs.shown[0].title, QStringLiteral("cap"));

    // A folder part would leave the sensors folder.
    msgs.clear();
    EXPECT_EQ(SalvaSensore(QStringLiteral("../fuori"), SensorKind::Altro, full, QStringLiteral("cap")).outcome,
              SaveOutcome::BadName);
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Critical);
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("fuori.sns"))));

    // No active row: the write-error message after the replace question; the old file stays.
    msgs.clear();
    msgs.answers.push_back(MsgAnswer::Ok);
    EXPECT_EQ(SalvaSensore(QStringLiteral("Vuoto"), SensorKind::Altro, PointTable(), QStringLiteral("cap")).outcome,
              SaveOutcome::WriteFailed);
    ASSERT_EQ(msgs.shown.size(), 2u);
    EXPECT_EQ(msgs.shown[1].text, QStringLiteral("T328 ") + QDir::toNativeSeparators(sensors("Vuoto.sns")) +
                                      QStringLiteral(" T329"));
    EXPECT_EQ(msgs.shown[1].icon, MsgIcon::Critical);
    EXPECT_EQ(msgs.shown[1].title, appTitle());
    EXPECT_EQ(readFile(QStringLiteral("sensors/Vuoto.sns")), old);

    // An active box without a number, or a falling X: no file.
    struct Case {
        PointTable t;
        SensorKind type;
        BadCell cell;
        QString text;
    };
    const Case cases[] = {
        {tableWith({"10", "20"}, {"1", ""}), SensorKind::Altro, {1, true}, "T262"},
        {tableWith({"10", ""}, {"1", "2"}), SensorKind::Altro, {1, false}, "T262"},
        {tableWith({"10", "20"}, {"1", "40"}), SensorKind::SensoreG, {1, true}, "T262"},
        {tableWith({"600", "500"}, {"1", "2"}), SensorKind::Altro, {1, false}, bitOrderMessage()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        msgs.clear();
        const SaveResult r = SalvaSensore(QStringLiteral("Nuovo"), c.type, c.t, QStringLiteral("cap"));
        EXPECT_EQ(r.outcome, SaveOutcome::BadCell);
        EXPECT_EQ(r.cell.row, c.cell.row);
        EXPECT_EQ(r.cell.inY, c.cell.inY);
        ASSERT_EQ(msgs.shown.size(), 1u);
        EXPECT_EQ(msgs.shown[0].text, c.text);
        EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Exclamation);
    }
    EXPECT_FALSE(QFileInfo::exists(sensors(QStringLiteral("Nuovo.sns"))));

    // A falling X is a fuel-level curve's right.
    msgs.clear();
    EXPECT_EQ(SalvaSensore(QStringLiteral("Nuovo"), SensorKind::LivelloBenzina,
                           tableWith({"600", "500"}, {"0.0", "5.0"}), QStringLiteral("cap"))
                  .outcome,
              SaveOutcome::Saved);
}

TEST_F(SensorEditorTest, AFolderThatCannotBeMadeIsAWriteError)
{
    writeFile(QStringLiteral("sensors"), "not a folder");
    const SaveResult r = SalvaSensore(QStringLiteral("Test"), SensorKind::Altro, tableWith({"1"}, {"1"}),
                                       QStringLiteral("cap"));
    EXPECT_EQ(r.outcome, SaveOutcome::WriteFailed);
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_TRUE(msgs.shown[0].text.startsWith(QStringLiteral("T328 ")));
    EXPECT_TRUE(LibreriaSensori.empty());
}

// --- calibration -----------------------------------------------------------------

struct ScriptedReadings {
    std::vector<std::optional<double>> values;
    int calls = 0;
    CalibrationRun::Reader fn()
    {
        return [this]() -> std::optional<double> { return values.at(static_cast<std::size_t>(calls++)); };
    }
};

// Runs the steps (litres as typed) with those readings, then Finish.
PointTable calibrate(const std::vector<double>& readings, const QStringList& litres, bool finish = true)
{
    PointTable t;
    CalibrationRun c;
    ScriptedReadings l;
    for (double v : readings)
        l.values.push_back(v);
    for (const QString& typed : litres) {
        QString box = typed;
        EXPECT_EQ(c.step(box, t, l.fn()), CalibrationRun::Outcome::Recorded);
    }
    if (finish)
        c.finish(t);
    return t;
}

TEST(CalibrationRunTest, FinishOrdersTheReadingsAndFillsTo1024)
{
    struct Case {
        const char* name;
        std::vector<double> readings;
        QStringList litres;
        QStringList x;
        QStringList y;
    };
    const Case cases[] = {
        {"falling readings are reversed", {850, 700, 520, 300}, {"", "10", "20", "30"},
         {"300", "520", "700", "850"}, {"30.0", "20.0", "10.0", "0.0"}},
        {"rising readings stay", {100, 400, 900}, {"", "15", "40"}, {"100", "400", "900"}, {"0.0", "15.0", "40.0"}},
        {"equal ends stay", {500, 300, 500}, {"", "5", "12,5"}, {"500", "300", "500"}, {"0.0", "5.0", "12.5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PointTable t = calibrate(c.readings, c.litres);
        const int s = static_cast<int>(c.readings.size());
        EXPECT_EQ(t.NumPuntiAttivi(), 20);
        EXPECT_EQ(t.xTexts(s), c.x);
        EXPECT_EQ(t.yTexts(s), c.y);
        for (int i = s; i < kPointRows; ++i) {
            EXPECT_EQ(t.row(i).x, QStringLiteral("1024")) << i;
            EXPECT_EQ(t.row(i).y, c.y.last()) << i;
        }
    }
}

TEST(CalibrationRunTest, StepsAndOutcomes)
{
    PointTable t;
    CalibrationRun c;
    EXPECT_EQ(c.intUscita, 0);

    // Finish at once: nothing written.
    CalibrationRun atOnce;
    atOnce.finish(t);
    EXPECT_EQ(atOnce.intUscita, 2);
    EXPECT_EQ(t.NumPuntiAttivi(), 0);

    // Litres that are no number: no reading at all.
    ScriptedReadings l;
    l.values = {std::nullopt, 520.5, 521.5};
    QString box = QStringLiteral("abc");
    EXPECT_EQ(c.step(box, t, l.fn()), CalibrationRun::Outcome::BadLitres);
    EXPECT_EQ(l.calls, 0);
    box = QStringLiteral("4000");
    EXPECT_EQ(c.step(box, t, l.fn()), CalibrationRun::Outcome::BadLitres); // 40000 in the word

    // A failed read records no point and does not move on.
    box.clear();
    EXPECT_EQ(c.step(box, t, l.fn()), CalibrationRun::Outcome::ReadFailed);
    EXPECT_EQ(c.intUscita, 0);
    EXPECT_EQ(c.intFaseCalibrazione, 0);
    EXPECT_EQ(t.NumPuntiAttivi(), 0);
    EXPECT_TRUE(box.isEmpty());

    EXPECT_EQ(c.step(box, t, l.fn()), CalibrationRun::Outcome::Recorded);
    EXPECT_EQ(box, QStringLiteral("0.0"));
    EXPECT_EQ(c.intUscita, 1);
    EXPECT_EQ(c.XValue, 520); // halves to the even neighbour
    box = QStringLiteral("7,25");
    EXPECT_EQ(c.step(box, t, l.fn()), CalibrationRun::Outcome::Recorded);
    EXPECT_EQ(c.XValue, 522);
    EXPECT_EQ(box, QStringLiteral("7.25"));
    EXPECT_EQ(t.xTexts(2), (QStringList{"520", "522"}));
    EXPECT_EQ(t.yTexts(2), (QStringList{"0.0", "7.25"}));
    EXPECT_EQ(c.intFaseCalibrazione, 2);

    c.cancel();
    EXPECT_EQ(c.intUscita, 3);
}

TEST(CalibrationRunTest, NineteenReadingsAtMost)
{
    PointTable t;
    CalibrationRun c;
    ScriptedReadings l;
    for (int i = 0; i < 20; ++i)
        l.values.push_back(100 + 10 * i);
    for (int i = 0; i < 19; ++i) {
        QString box = QString::number(i);
        ASSERT_EQ(c.step(box, t, l.fn()), CalibrationRun::Outcome::Recorded) << i;
        EXPECT_EQ(c.moreReadings(), i < 18);
    }
    QString box = QStringLiteral("99");
    EXPECT_EQ(c.step(box, t, l.fn()), CalibrationRun::Outcome::Complete);
    EXPECT_EQ(l.calls, 19);
    EXPECT_EQ(t.row(18).x, QStringLiteral("280"));
    c.finish(t);
    EXPECT_EQ(t.NumPuntiAttivi(), 20);
    EXPECT_EQ(t.row(19).x, QStringLiteral("1024"));
    EXPECT_EQ(t.row(19).y, QStringLiteral("18.0"));
}

// --- the shipped examples --------------------------------------------------------

TEST_F(SensorEditorTest, ShippedExamplesCoverEveryTypeAndSurviveTheEditor)
{
    setProgramFolder(QStringLiteral(ZUV_SHIPPED_DATA_DIR));
    CaricaLibreriaSensori();
    EXPECT_TRUE(msgs.shown.empty());
    ASSERT_EQ(LibreriaSensori.size(), static_cast<std::size_t>(kNumKinds));
    const QString out = path(QStringLiteral("resaved.sns"));
    for (const SensorType& type : sensorTypes()) {
        SCOPED_TRACE(type.keyword.toStdString());
        const auto it = std::find_if(LibreriaSensori.begin(), LibreriaSensori.end(),
                                     [&](const CSensore& s) { return s.Tipo() == type.keyword; });
        ASSERT_NE(it, LibreriaSensori.end());
        EXPECT_EQ(it->NumPunti(), 20);

        // Loaded into the editor, it passes its checks and saves back byte for byte.
        PointTable t;
        ASSERT_NE(loadSensorIntoTable(it->Nome(), type.keyword, t), nullptr);
        EXPECT_FALSE(checkTable(t, type.scale, type.kind != SensorKind::LivelloBenzina));
        ASSERT_TRUE(writeSensorFile(out, type.keyword, it->Nome(), t.xTexts(20), t.yTexts(20)));
        EXPECT_EQ(fileBytes(out), fileBytes(it->NomeFile()));
        EXPECT_TRUE(badNameReason(it->Nome()).isEmpty());
        EXPECT_EQ(QFileInfo(it->NomeFile()).fileName(), it->Nome() + QStringLiteral(".sns"));
    }
}

} // namespace
} // namespace zuv::test
