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

void testiNumerati()
{
    TabellaLingua.TestiLingua = QStringList{QString()};
    for (int n = 1; n <= 400; ++n)
        TabellaLingua.TestiLingua << QStringLiteral("T%1").arg(n);
    TabellaLingua.NumTestiLingua = 400;
}

// Ticks rows 0 .. texts - 1 of a fresh table with those texts.
TabellaPunti tabellaCon(const QStringList& x, const QStringList& y)
{
    TabellaPunti t;
    for (int i = 0; i < x.size(); ++i) {
        t.setX(i, x[i]);
        t.setY(i, y[i]);
        t.setTick(i, true);
    }
    return t;
}

QByteArray crlf(const QStringList& lines)
{
    QByteArray out;
    for (const QString& l : lines)
        out += toCp1252(l) + "\r\n";
    return out;
}

CSensore sensore(const QString& nome, const QString& tipo, int n, double x0, double y0)
{
    CSensore s;
    s.setNome(nome);
    s.setTipo(tipo);
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
    const OpzioneTipo bySlot[9] = {OpzioneTipo::TemperaturaOlio, OpzioneTipo::Pressione,     OpzioneTipo::Pressione,
                                   OpzioneTipo::TemperaturaAcqua, OpzioneTipo::LivelloBenzina, OpzioneTipo::Altro,
                                   OpzioneTipo::SensoreLambda,   OpzioneTipo::PressioneTurbo, OpzioneTipo::SensoreG};
    for (int slot = 0; slot < 9; ++slot)
        EXPECT_EQ(opzioneDaSlot(slot), bySlot[slot]) << slot;
    EXPECT_FALSE(opzioneDaSlot(-1));
    EXPECT_FALSE(opzioneDaSlot(9));

    for (const TipoSensore& t : tipiSensore()) {
        EXPECT_EQ(t.scala, scalaTipo(t.keyword)) << t.keyword.toStdString();
        EXPECT_EQ(opzioneDaKeyword(t.keyword), t.opzione);
        EXPECT_EQ(t.calibrazione, t.opzione == OpzioneTipo::LivelloBenzina);
    }
    EXPECT_FALSE(opzioneDaKeyword(QStringLiteral("livellobenzina")));
}

TEST(SensorEditorChecksTest, NumbersTheBoxesAccept)
{
    struct Case {
        const char* text;
        bool x;         // numeroValido
        int scala;
        bool y;         // valoreYValido at that scale
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
        EXPECT_EQ(numeroValido(QString::fromLatin1(c.text)), c.x);
        EXPECT_EQ(valoreYValido(QString::fromLatin1(c.text), c.scala), c.y);
    }
}

TEST(SensorEditorChecksTest, BoxesLeftAreNormalised)
{
    EXPECT_EQ(formattaY(QStringLiteral("1,5"), 1000), QStringLiteral("1.500"));
    EXPECT_EQ(formattaY(QStringLiteral(" 12 "), 10), QStringLiteral("12.0"));
    EXPECT_EQ(formattaY(QStringLiteral("7"), 1), QStringLiteral("7"));
    EXPECT_EQ(formattaY(QStringLiteral(".25"), 100), QStringLiteral("0.25"));
    EXPECT_EQ(normalizzaX(QStringLiteral(" 1,5 ")), QStringLiteral("1.5"));

    EXPECT_TRUE(xDecrescente(QStringLiteral("600"), QStringLiteral("500")));
    EXPECT_FALSE(xDecrescente(QStringLiteral("600"), QStringLiteral("600")));
    EXPECT_TRUE(xDecrescente(QStringLiteral("1"), QStringLiteral("abc"))); // letters read as 0

    EXPECT_EQ(testoValore(1.5), QStringLiteral("1.5"));
    EXPECT_EQ(testoValore(-0.0), QStringLiteral("0"));
    EXPECT_EQ(testoValore(0.0001), QStringLiteral("0.0001"));
    EXPECT_EQ(testoValore(1024), QStringLiteral("1024"));
}

TEST(SensorEditorChecksTest, SensorNamesThatCannotNameAFile)
{
    TabellaLingua.IndiceLingua = 0;
    EXPECT_TRUE(motivoNomeNonValido(QStringLiteral("Pressione 0-10 bar")).isEmpty());
    EXPECT_TRUE(motivoNomeNonValido(QStringLiteral("Olio 120°C €")).isEmpty()); // all in Windows-1252
    const char* refused[] = {"a/b", "..\\up", "c:x", "a*", "why?", "say\"", "<x>", "a|b", "tab\there",
                             ".hidden", "dot."};
    for (const char* n : refused)
        EXPECT_FALSE(motivoNomeNonValido(QString::fromLatin1(n)).isEmpty()) << n;
    EXPECT_FALSE(motivoNomeNonValido(QString::fromUtf8("名前")).isEmpty());

    const QString it = motivoNomeNonValido(QStringLiteral("a/b"));
    EXPECT_TRUE(it.contains(QStringLiteral("\"/\""))) << it.toStdString();
    TabellaLingua.IndiceLingua = 1;
    EXPECT_TRUE(motivoNomeNonValido(QStringLiteral("a/b")).startsWith(QStringLiteral("The sensor name")));
    TabellaLingua.IndiceLingua = 0;
}

// --- the row rule --------------------------------------------------------------

TEST(SensorEditorTableTest, ActiveRowsStayAPrefix)
{
    TabellaPunti t;
    EXPECT_EQ(t.NumPuntiAttivi(), 0);
    EXPECT_TRUE(t.riga(0).tickAbilitato);
    EXPECT_FALSE(t.riga(1).tickAbilitato);
    EXPECT_FALSE(t.riga(0).attiva);

    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(t.setTick(i, true));
    EXPECT_EQ(t.NumPuntiAttivi(), 10);
    EXPECT_TRUE(t.riga(9).attiva);
    EXPECT_TRUE(t.riga(10).tickAbilitato);
    EXPECT_FALSE(t.riga(10).attiva);
    EXPECT_FALSE(t.riga(11).tickAbilitato);

    // Inside the prefix: undone at once, nothing redrawn.
    EXPECT_FALSE(t.setTick(4, false));
    EXPECT_TRUE(t.riga(4).ticked);
    EXPECT_EQ(t.NumPuntiAttivi(), 10);

    // The last row: the prefix shortens, the row stays editable.
    t.setX(9, QStringLiteral("900"));
    EXPECT_TRUE(t.setTick(9, false));
    EXPECT_EQ(t.NumPuntiAttivi(), 9);
    EXPECT_TRUE(t.riga(9).attiva);
    EXPECT_TRUE(t.riga(9).tickAbilitato);
    EXPECT_EQ(t.riga(9).x, QStringLiteral("900"));
    EXPECT_FALSE(t.riga(10).tickAbilitato);
    EXPECT_TRUE(t.setTick(9, true));
    EXPECT_EQ(t.NumPuntiAttivi(), 10);

    // The same state again changes nothing.
    EXPECT_FALSE(t.setTick(9, true));
    EXPECT_FALSE(t.setTick(15, false));

    EXPECT_TRUE(t.PulisciTabellaPunti());
    EXPECT_EQ(t.NumPuntiAttivi(), 0);
    for (int i = 0; i < kRighePunti; ++i) {
        EXPECT_FALSE(t.riga(i).ticked || t.riga(i).attiva) << i;
        EXPECT_TRUE(t.riga(i).x.isEmpty() && t.riga(i).y.isEmpty()) << i;
        EXPECT_EQ(t.riga(i).tickAbilitato, i == 0) << i;
    }
}

TEST(SensorEditorTableTest, FullTableAndNewSensor)
{
    TabellaPunti t;
    for (int i = 0; i < kRighePunti; ++i)
        t.setTick(i, true);
    EXPECT_EQ(t.NumPuntiAttivi(), 20);
    for (int i = 0; i < kRighePunti; ++i)
        EXPECT_TRUE(t.riga(i).attiva && t.riga(i).tickAbilitato) << i;

    t.setTick(19, false);
    t.setX(19, QStringLiteral("5"));
    t.nuovoSensore();
    EXPECT_EQ(t.NumPuntiAttivi(), 0);
    for (int i = 0; i < kRighePunti; ++i) {
        EXPECT_FALSE(t.riga(i).attiva || t.riga(i).ticked) << i;
        EXPECT_EQ(t.riga(i).tickAbilitato, i == 0) << i;
        EXPECT_TRUE(t.riga(i).x.isEmpty());
    }
}

class SensorEditorTest : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        testiNumerati();
    }
    QString sensors(const QString& name = QString()) const
    {
        return name.isEmpty() ? path(QStringLiteral("sensors")) : path(QStringLiteral("sensors/") + name);
    }
};

TEST_F(SensorEditorTest, LoadingALibrarySensorFillsItsRows)
{
    LibreriaSensori.push_back(sensore(QStringLiteral("Doppio"), QStringLiteral("TemperaturaOlio"), 3, 1, 1));
    LibreriaSensori.push_back(sensore(QStringLiteral("Doppio"), QStringLiteral("Pressione"), 5, 100, 1));
    LibreriaSensori.push_back(sensore(QStringLiteral("Pieno"), QStringLiteral("Pressione"), 20, 0, 0));

    TabellaPunti t;
    const CSensore* s = caricaSensoreInTabella(QStringLiteral("Doppio"), QStringLiteral("Pressione"), t);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->Tipo(), QStringLiteral("Pressione"));
    EXPECT_EQ(t.NumPuntiAttivi(), 5);
    EXPECT_EQ(t.testiX(5), (QStringList{"100", "110", "120", "130", "140"}));
    EXPECT_EQ(t.testiY(5), (QStringList{"1.000", "1.500", "2.000", "2.500", "3.000"}));
    EXPECT_TRUE(t.riga(4).attiva);
    EXPECT_TRUE(t.riga(5).tickAbilitato);
    EXPECT_FALSE(t.riga(5).attiva);
    EXPECT_FALSE(t.riga(6).tickAbilitato);

    ASSERT_NE(caricaSensoreInTabella(QStringLiteral("Pieno"), QStringLiteral("Pressione"), t), nullptr);
    EXPECT_EQ(t.NumPuntiAttivi(), 20);
    EXPECT_EQ(t.riga(19).x, QStringLiteral("190"));

    EXPECT_EQ(caricaSensoreInTabella(QStringLiteral("Pieno"), QStringLiteral("SensoreG"), t), nullptr);
    EXPECT_EQ(t.NumPuntiAttivi(), 0);
}

// --- saving --------------------------------------------------------------------

TEST_F(SensorEditorTest, SaveWritesTheFileAndReadsTheLibraryAgain)
{
    ASSERT_FALSE(QFileInfo::exists(sensors())); // made by the first save
    const TabellaPunti t = tabellaCon({"10", "20", "30"}, {"1.000", "2.500", "3.000"});
    const Salvataggio r = SalvaSensore(QStringLiteral("  Test  "), OpzioneTipo::Pressione, t, QStringLiteral("cap"));
    ASSERT_EQ(r.esito, EsitoSalvataggio::Salvato);
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(QFileInfo(r.percorso).fileName(), QStringLiteral("Test.sns"));

    QStringList lines = {"ZUVSensor", "Pressione", "Test", "20", "10", "20"};
    for (int i = 2; i < 20; ++i)
        lines << "30";
    lines << "1.000" << "2.500";
    for (int i = 2; i < 20; ++i)
        lines << "3.000";
    EXPECT_EQ(readFile(QStringLiteral("sensors/Test.sns")), crlf(lines));

    ASSERT_EQ(LibreriaSensori.size(), 1u);
    EXPECT_EQ(LibreriaSensori[0].Nome(), QStringLiteral("Test"));
    EXPECT_DOUBLE_EQ(LibreriaSensori[0].Y(1), 2.5);
}

TEST_F(SensorEditorTest, ReplacingAFileOfTheSameNameAsksFirst)
{
    const QByteArray old = crlf({"ZUVSensor", "Pressione", "TEST", "1", "5", "1"});
    writeFile(QStringLiteral("sensors/TEST.sns"), old);
    const TabellaPunti t = tabellaCon({"10"}, {"1.000"});

    msgs.answers = {MsgAnswer::Cancel};
    EXPECT_EQ(SalvaSensore(QStringLiteral("Test"), OpzioneTipo::Pressione, t, QStringLiteral("cap")).esito,
              EsitoSalvataggio::Annullato);
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
    EXPECT_EQ(SalvaSensore(QStringLiteral("Test"), OpzioneTipo::Pressione, t, QStringLiteral("cap")).esito,
              EsitoSalvataggio::Salvato);
    EXPECT_EQ(QDir(sensors()).entryList(QDir::Files), QStringList{"TEST.sns"});
    EXPECT_TRUE(readFile(QStringLiteral("sensors/TEST.sns")).startsWith("ZUVSensor\r\nPressione\r\nTest\r\n20\r\n"));
}

TEST_F(SensorEditorTest, RefusedSavesWriteNothing)
{
    const QByteArray old = crlf({"ZUVSensor", "Altro", "Vuoto", "1", "5", "1"});
    writeFile(QStringLiteral("sensors/Vuoto.sns"), old);
    const TabellaPunti piena = tabellaCon({"10", "20"}, {"1", "2"});

    // Blank name: text 179, critical, the caption as title.
    EXPECT_EQ(SalvaSensore(QStringLiteral("   "), OpzioneTipo::Altro, piena, QStringLiteral("cap")).esito,
              EsitoSalvataggio::NomeVuoto);
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text, QStringLiteral("T179"));
    EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Critical);
    EXPECT_EQ(msgs.shown[0].title, QStringLiteral("cap"));

    // A folder part would leave the sensors folder.
    msgs.clear();
    EXPECT_EQ(SalvaSensore(QStringLiteral("../fuori"), OpzioneTipo::Altro, piena, QStringLiteral("cap")).esito,
              EsitoSalvataggio::NomeNonValido);
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Critical);
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("fuori.sns"))));

    // No active row: the write-error message after the replace question; the old file stays.
    msgs.clear();
    msgs.answers.push_back(MsgAnswer::Ok);
    EXPECT_EQ(SalvaSensore(QStringLiteral("Vuoto"), OpzioneTipo::Altro, TabellaPunti(), QStringLiteral("cap")).esito,
              EsitoSalvataggio::ErroreScrittura);
    ASSERT_EQ(msgs.shown.size(), 2u);
    EXPECT_EQ(msgs.shown[1].text, QStringLiteral("T328 ") + QDir::toNativeSeparators(sensors("Vuoto.sns")) +
                                      QStringLiteral(" T329"));
    EXPECT_EQ(msgs.shown[1].icon, MsgIcon::Critical);
    EXPECT_EQ(msgs.shown[1].title, appTitle());
    EXPECT_EQ(readFile(QStringLiteral("sensors/Vuoto.sns")), old);

    // An active box without a number, or a falling X: no file.
    struct Case {
        TabellaPunti t;
        OpzioneTipo tipo;
        CellaNonValida cella;
        QString text;
    };
    const Case cases[] = {
        {tabellaCon({"10", "20"}, {"1", ""}), OpzioneTipo::Altro, {1, true}, "T262"},
        {tabellaCon({"10", ""}, {"1", "2"}), OpzioneTipo::Altro, {1, false}, "T262"},
        {tabellaCon({"10", "20"}, {"1", "40"}), OpzioneTipo::SensoreG, {1, true}, "T262"},
        {tabellaCon({"600", "500"}, {"1", "2"}), OpzioneTipo::Altro, {1, false}, messaggioOrdineBit()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        msgs.clear();
        const Salvataggio r = SalvaSensore(QStringLiteral("Nuovo"), c.tipo, c.t, QStringLiteral("cap"));
        EXPECT_EQ(r.esito, EsitoSalvataggio::CellaNonValida);
        EXPECT_EQ(r.cella.riga, c.cella.riga);
        EXPECT_EQ(r.cella.colonnaY, c.cella.colonnaY);
        ASSERT_EQ(msgs.shown.size(), 1u);
        EXPECT_EQ(msgs.shown[0].text, c.text);
        EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Exclamation);
    }
    EXPECT_FALSE(QFileInfo::exists(sensors(QStringLiteral("Nuovo.sns"))));

    // A falling X is a fuel-level curve's right.
    msgs.clear();
    EXPECT_EQ(SalvaSensore(QStringLiteral("Nuovo"), OpzioneTipo::LivelloBenzina,
                           tabellaCon({"600", "500"}, {"0.0", "5.0"}), QStringLiteral("cap"))
                  .esito,
              EsitoSalvataggio::Salvato);
}

TEST_F(SensorEditorTest, AFolderThatCannotBeMadeIsAWriteError)
{
    writeFile(QStringLiteral("sensors"), "not a folder");
    const Salvataggio r = SalvaSensore(QStringLiteral("Test"), OpzioneTipo::Altro, tabellaCon({"1"}, {"1"}),
                                       QStringLiteral("cap"));
    EXPECT_EQ(r.esito, EsitoSalvataggio::ErroreScrittura);
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_TRUE(msgs.shown[0].text.startsWith(QStringLiteral("T328 ")));
    EXPECT_TRUE(LibreriaSensori.empty());
}

// --- calibration -----------------------------------------------------------------

struct Letture {
    std::vector<std::optional<double>> valori;
    int chiamate = 0;
    Calibrazione::Lettura fn()
    {
        return [this]() -> std::optional<double> { return valori.at(static_cast<std::size_t>(chiamate++)); };
    }
};

// Runs the steps (litres as typed) with those readings, then Finish.
TabellaPunti calibra(const std::vector<double>& letture, const QStringList& litri, bool finisci = true)
{
    TabellaPunti t;
    Calibrazione c;
    Letture l;
    for (double v : letture)
        l.valori.push_back(v);
    for (const QString& typed : litri) {
        QString box = typed;
        EXPECT_EQ(c.passo(box, t, l.fn()), Calibrazione::Esito::Registrato);
    }
    if (finisci)
        c.fine(t);
    return t;
}

TEST(CalibrazioneTest, FinishOrdersTheReadingsAndFillsTo1024)
{
    struct Case {
        const char* name;
        std::vector<double> letture;
        QStringList litri;
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
        const TabellaPunti t = calibra(c.letture, c.litri);
        const int s = static_cast<int>(c.letture.size());
        EXPECT_EQ(t.NumPuntiAttivi(), 20);
        EXPECT_EQ(t.testiX(s), c.x);
        EXPECT_EQ(t.testiY(s), c.y);
        for (int i = s; i < kRighePunti; ++i) {
            EXPECT_EQ(t.riga(i).x, QStringLiteral("1024")) << i;
            EXPECT_EQ(t.riga(i).y, c.y.last()) << i;
        }
    }
}

TEST(CalibrazioneTest, StepsAndOutcomes)
{
    TabellaPunti t;
    Calibrazione c;
    EXPECT_EQ(c.intUscita, 0);

    // Finish at once: nothing written.
    Calibrazione subito;
    subito.fine(t);
    EXPECT_EQ(subito.intUscita, 2);
    EXPECT_EQ(t.NumPuntiAttivi(), 0);

    // Litres that are no number: no reading at all.
    Letture l;
    l.valori = {std::nullopt, 520.5, 521.5};
    QString box = QStringLiteral("abc");
    EXPECT_EQ(c.passo(box, t, l.fn()), Calibrazione::Esito::LitriNonValidi);
    EXPECT_EQ(l.chiamate, 0);
    box = QStringLiteral("4000");
    EXPECT_EQ(c.passo(box, t, l.fn()), Calibrazione::Esito::LitriNonValidi); // 40000 in the word

    // A failed read records no point and does not move on.
    box.clear();
    EXPECT_EQ(c.passo(box, t, l.fn()), Calibrazione::Esito::LetturaFallita);
    EXPECT_EQ(c.intUscita, 0);
    EXPECT_EQ(c.intFaseCalibrazione, 0);
    EXPECT_EQ(t.NumPuntiAttivi(), 0);
    EXPECT_TRUE(box.isEmpty());

    EXPECT_EQ(c.passo(box, t, l.fn()), Calibrazione::Esito::Registrato);
    EXPECT_EQ(box, QStringLiteral("0.0"));
    EXPECT_EQ(c.intUscita, 1);
    EXPECT_EQ(c.XValue, 520); // halves to the even neighbour
    box = QStringLiteral("7,25");
    EXPECT_EQ(c.passo(box, t, l.fn()), Calibrazione::Esito::Registrato);
    EXPECT_EQ(c.XValue, 522);
    EXPECT_EQ(box, QStringLiteral("7.25"));
    EXPECT_EQ(t.testiX(2), (QStringList{"520", "522"}));
    EXPECT_EQ(t.testiY(2), (QStringList{"0.0", "7.25"}));
    EXPECT_EQ(c.intFaseCalibrazione, 2);

    c.annulla();
    EXPECT_EQ(c.intUscita, 3);
}

TEST(CalibrazioneTest, NineteenReadingsAtMost)
{
    TabellaPunti t;
    Calibrazione c;
    Letture l;
    for (int i = 0; i < 20; ++i)
        l.valori.push_back(100 + 10 * i);
    for (int i = 0; i < 19; ++i) {
        QString box = QString::number(i);
        ASSERT_EQ(c.passo(box, t, l.fn()), Calibrazione::Esito::Registrato) << i;
        EXPECT_EQ(c.altraLettura(), i < 18);
    }
    QString box = QStringLiteral("99");
    EXPECT_EQ(c.passo(box, t, l.fn()), Calibrazione::Esito::Completa);
    EXPECT_EQ(l.chiamate, 19);
    EXPECT_EQ(t.riga(18).x, QStringLiteral("280"));
    c.fine(t);
    EXPECT_EQ(t.NumPuntiAttivi(), 20);
    EXPECT_EQ(t.riga(19).x, QStringLiteral("1024"));
    EXPECT_EQ(t.riga(19).y, QStringLiteral("18.0"));
}

// --- the shipped examples --------------------------------------------------------

TEST_F(SensorEditorTest, ShippedExamplesCoverEveryTypeAndSurviveTheEditor)
{
    setProgramFolder(QStringLiteral(ZUV_SHIPPED_DATA_DIR));
    CaricaLibreriaSensori();
    EXPECT_TRUE(msgs.shown.empty());
    ASSERT_EQ(LibreriaSensori.size(), static_cast<std::size_t>(kNumTipi));
    const QString out = path(QStringLiteral("resaved.sns"));
    for (const TipoSensore& tipo : tipiSensore()) {
        SCOPED_TRACE(tipo.keyword.toStdString());
        const auto it = std::find_if(LibreriaSensori.begin(), LibreriaSensori.end(),
                                     [&](const CSensore& s) { return s.Tipo() == tipo.keyword; });
        ASSERT_NE(it, LibreriaSensori.end());
        EXPECT_EQ(it->NumPunti(), 20);

        // Loaded into the editor, it passes its checks and saves back byte for byte.
        TabellaPunti t;
        ASSERT_NE(caricaSensoreInTabella(it->Nome(), tipo.keyword, t), nullptr);
        EXPECT_FALSE(controllaTabella(t, tipo.scala, tipo.opzione != OpzioneTipo::LivelloBenzina));
        ASSERT_TRUE(scriviFileSensore(out, tipo.keyword, it->Nome(), t.testiX(20), t.testiY(20)));
        EXPECT_EQ(fileBytes(out), fileBytes(it->NomeFile()));
        EXPECT_TRUE(motivoNomeNonValido(it->Nome()).isEmpty());
        EXPECT_EQ(QFileInfo(it->NomeFile()).fileName(), it->Nome() + QStringLiteral(".sns"));
    }
}

} // namespace
} // namespace zuv::test
