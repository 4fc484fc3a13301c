#include "project/project_file.h"

#include "platform/numbers.h"
#include "platform/programfolder.h"
#include "project/state.h"
#include "support/file_size_limit.h"
#include "support/fixtures.h"

#include <QDir>

namespace zuv::test {
namespace {

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

// A project file of the given value lines, keys as the writer puts them.
QByteArray projectFile(const QStringList& values)
{
    QByteArray out = "ZUVProject\r\n";
    for (int i = 0; i < values.size(); ++i) {
        const char* key = i < kProjectFieldCount ? projectFields()[i].name : "Extra";
        out += "ID_" + QByteArray(key) + "=" + values[i].toLatin1() + "\r\n";
    }
    return out;
}

// The value lines a new project saves as.
QStringList newProjectValueLines()
{
    QStringList v;
    const ProjectRecord r = newProjectValues();
    for (const FieldInfo& f : projectFields())
        v << std::visit(Overloaded{
                            [&](QString ProjectRecord::*) { return QStringLiteral(" "); },
                            [&](qint16 ProjectRecord::*m) { return QString::number(r.*m); },
                            [&](qint32 ProjectRecord::*m) { return QString::number(r.*m); },
                            [&](bool ProjectRecord::*) { return QStringLiteral("0"); },
                        },
                        f.member);
    return v;
}

// A record unlike a new project in every field, so that nothing kept by
// accident passes for a loaded value.
ProjectRecord previousProject()
{
    ProjectRecord r;
    for (const FieldInfo& f : projectFields())
        std::visit(Overloaded{
                       [&](QString ProjectRecord::*m) { r.*m = QStringLiteral("old"); },
                       [&](qint16 ProjectRecord::*m) { r.*m = 77; },
                       [&](qint32 ProjectRecord::*m) { r.*m = 777777; },
                       [&](bool ProjectRecord::*m) { r.*m = true; },
                   },
                   f.member);
    return r;
}

class ProjectFileTest : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        // Only the texts the project file shows.
        TabellaLingua.TestiLingua = QStringList(401, QString());
        TabellaLingua.TestiLingua[174] = QStringLiteral("not a project");
        TabellaLingua.TestiLingua[328] = QStringLiteral("The file");
        TabellaLingua.TestiLingua[329] = QStringLiteral("cannot be used");
        TabellaLingua.NumTestiLingua = 400;
    }

    QString saveAs(const QString& name, const ProjectRecord& r)
    {
        DatiProgetto = r;
        PercorsoFileProgetto = path(name);
        EXPECT_TRUE(SalvaProgetto());
        return PercorsoFileProgetto;
    }
};

TEST_F(ProjectFileTest, NewProjectSetsDefaultsAndEnablesTheEditors)
{
    DatiProgetto = previousProject();
    PercorsoFileProgetto = QStringLiteral("/some/where.pro");
    ProgettoModificato = true;

    NuovoProgetto();

    const ProjectRecord n = DatiProgetto;
    const QStringList ones{"MaxPagine", "NumAccRPM", "ImpulsiRuota", "DiametroRuota", "ChannSG",
                           "ChannSensoreLambda"};
    for (const FieldInfo& f : projectFields()) {
        const QString name = QLatin1String(f.name);
        std::visit(Overloaded{
                       [&](QString ProjectRecord::*m) {
                           EXPECT_EQ(n.*m, QString()) << f.name;
                       },
                       [&](qint16 ProjectRecord::*m) {
                           const int want = name == "MaxPagine" ? 9 : ones.contains(name) ? 1 : 0;
                           EXPECT_EQ(n.*m, want) << f.name;
                       },
                       [&](qint32 ProjectRecord::*m) { EXPECT_EQ(n.*m, 0) << f.name; },
                       [&](bool ProjectRecord::*m) { EXPECT_FALSE(n.*m) << f.name; },
                   },
                   f.member);
    }
    EXPECT_EQ(PercorsoFileProgetto, QStringLiteral("/some/where.pro"));
    EXPECT_TRUE(ProgettoModificato);
    EXPECT_EQ(surface.calls, (std::vector<QString>{"menu:mnuConfigure=1", "button:Setup=1",
                                                   "button:Sensor=1", "button:Alarm=1",
                                                   "menu:mnuNote=1"}));
    EXPECT_TRUE(surface.panelText.empty());
}

TEST_F(ProjectFileTest, SaveThenLoadGivesBackEveryField)
{
    // Every field away from its default; some Strings empty.
    ProjectRecord r;
    int i = 0;
    for (const FieldInfo& f : projectFields()) {
        ++i;
        std::visit(Overloaded{
                       [&](QString ProjectRecord::*m) {
                           r.*m = i % 4 == 0 ? QString() : QStringLiteral("v%1 \u00E0\u20AC=x").arg(i);
                       },
                       [&](qint16 ProjectRecord::*m) {
                           r.*m = static_cast<qint16>(i % 2 ? -32768 + i : 32767 - i);
                       },
                       [&](qint32 ProjectRecord::*m) { r.*m = i % 2 ? -2147483647 - 1 + i : 2147483647 - i; },
                       [&](bool ProjectRecord::*m) { r.*m = true; },
                   },
                   f.member);
    }
    const QString file = saveAs(QStringLiteral("round.pro"), r);
    DatiProgetto = previousProject();

    ASSERT_TRUE(CaricaProgetto(file));

    ProjectRecord want = r;
    for (const FieldInfo& f : projectFields())
        if (auto m = std::get_if<QString ProjectRecord::*>(&f.member); m && (want.**m).isEmpty())
            want.**m = QStringLiteral(" ");
    want.chkIngresso = false;
    EXPECT_EQ(DatiProgetto, want);
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(ProjectFileTest, SavedFileMatchesItsGoldenImage)
{
    ProjectRecord r = newProjectValues();
    r.NomeProgetto = QStringLiteral("Kart 125");
    r.DataCreazione = QStringLiteral("01/02/2024");
    r.Veicolo = QStringLiteral("Citt\u00E0 \u20AC");
    r.NoteProgetto = QStringLiteral("line1\r\nline2");
    r.Strumento = QStringLiteral("\"X\"");
    r.Lingua = 1;
    r.PaginaAbilitata1 = true;
    r.PaginaAbilitata10 = true;
    r.mskPO = 2500;
    r.mskTO = -15;
    r.Settore5 = 2147483647;
    r.Led0 = -32768;
    r.TipoLedGiallo = QStringLiteral("1");
    r.chkIngresso = true; // never stored
    saveAs(QStringLiteral("golden.pro"), r);

    const QByteArray golden = fileLines({
        "ZUVProject",
        "ID_NomeProgetto=Kart 125",
        "ID_DataCreazione=01/02/2024",
        "ID_DataUltimaModifica= ",
        "ID_AutoreProgetto= ",
        "ID_Strumento=\"\"X\"\"",
        "ID_Veicolo=Citt\xE0 \x80",
        "ID_NoteProgetto=line1 line2",
        "ID_Lingua=1",
        "ID_UMVel=0",
        "ID_UMTemp=0",
        "ID_UMPress=0",
        "ID_MaxPagine=9",
        "ID_Pagina1= ",
        "ID_Pagina8= ",
        "ID_Pagina9= ",
        "ID_Pagina10= ",
        "ID_PaginaAbilitata1=1",
        "ID_PaginaAbilitata2=0",
        "ID_PaginaAbilitata3=0",
        "ID_PaginaAbilitata4=0",
        "ID_PaginaAbilitata5=0",
        "ID_PaginaAbilitata6=0",
        "ID_PaginaAbilitata7=0",
        "ID_PaginaAbilitata8=0",
        "ID_PaginaAbilitata9=0",
        "ID_PaginaAbilitata10=1",
        "ID_NumAccRPM=1",
        "ID_TCampRPM= ",
        "ID_LAPO=0",
        "ID_LAAL=0",
        "ID_ImpulsiRuota=1",
        "ID_DiametroRuota=1",
        "ID_TCampVV= ",
        "ID_TemperaturaOlio= ",
        "ID_TCampTO= ",
        "ID_AbilTO=0",
        "ID_PressioneOlio= ",
        "ID_TCampPO= ",
        "ID_AbilPO=0",
        "ID_TemperaturaAcqua= ",
        "ID_TCampTA= ",
        "ID_AbilTA=0",
        "ID_PressioneBenzina= ",
        "ID_TCampPB= ",
        "ID_AbilPB=0",
        "ID_LivelloBenzina= ",
        "ID_TCampLB= ",
        "ID_AbilLB=0",
        "ID_PressioneTurbo= ",
        "ID_TCampPT= ",
        "ID_AbilPT=0",
        "ID_SensoreG= ",
        "ID_TCampSG= ",
        "ID_AbilSG=0",
        "ID_Cambio= ",
        "ID_TCampCambio= ",
        "ID_AbilCambio=0",
        "ID_Led0=-32768",
        "ID_Led1=0",
        "ID_Led2=0",
        "ID_Led3=0",
        "ID_Led4=0",
        "ID_LedGiallo=0",
        "ID_LedVerde=0",
        "ID_LedBlu=0",
        "ID_TipoLedGiallo=1",
        "ID_TipoLedVerde= ",
        "ID_TipoLedBlu= ",
        "ID_chkTO=0",
        "ID_mskTO=-15",
        "ID_chkPO=0",
        "ID_mskPO=2500",
        "ID_chkPB=0",
        "ID_mskPB=0",
        "ID_chkTA=0",
        "ID_mskTA=0",
        "ID_chkLB=0",
        "ID_mskLB=0",
        "ID_chkTB=0",
        "ID_mskTB=0",
        "ID_chkIngresso=0",
        "ID_chkUscita=0",
        "ID_TipoIngresso=0",
        "ID_TipoUscita=0",
        "ID_chkAbilRecLap=0",
        "ID_mskAbilRecVel=0",
        "ID_mskStopRecSecondi=0",
        "ID_TempoMsgGiro=0",
        "ID_TempoVisGiro=0",
        "ID_Settore1=0",
        "ID_Settore2=0",
        "ID_Settore3=0",
        "ID_Settore4=0",
        "ID_Settore5=2147483647",
        "ID_SensoreLambda= ",
        "ID_TCampSensoreLambda= ",
        "ID_AbilSensoreLambda=0",
        "ID_ChannSG=1",
        "ID_ChannCambio=0",
        "ID_ChannPT=0",
        "ID_ChannSensoreLambda=1",
    });
    EXPECT_EQ(readFile(QStringLiteral("golden.pro")), golden);
}

TEST_F(ProjectFileTest, SaveShowsTheProjectAsSaved)
{
    struct Case {
        QString name;
        QString panel1;
    } cases[] = {
        {QStringLiteral("Kart"), QStringLiteral("Kart")},
        {QString(), QStringLiteral("No Project Name")},
        {QStringLiteral(" "), QStringLiteral(" ")},
    };
    for (const Case& c : cases) {
        surface.clear();
        ProgettoModificato = true;
        ProjectRecord r = newProjectValues();
        r.NomeProgetto = c.name;
        const QString file = saveAs(QStringLiteral("p.pro"), r);
        EXPECT_EQ(surface.calls, (std::vector<QString>{"menu:mnuSave=1", "button:Save=1"}));
        EXPECT_EQ(surface.panelText[1], c.panel1);
        EXPECT_EQ(surface.panelText[2], file);
        EXPECT_FALSE(ProgettoModificato);
    }
}

TEST_F(ProjectFileTest, TextsWithQuotesAndLineBreaksKeepEveryLaterField)
{
    ProjectRecord r = newProjectValues();
    r.NoteProgetto = QStringLiteral("first\r\nID_X=second\nthird\rfourth");
    r.Strumento = QStringLiteral("\"");
    r.Veicolo = QStringLiteral("\"quoted\"");
    r.AutoreProgetto = QStringLiteral("\"\"");
    r.Pagina1 = QStringLiteral("ends with \"");
    r.Lingua = 1;
    r.ChannPT = 1;
    const QString file = saveAs(QStringLiteral("q.pro"), r);
    DatiProgetto = previousProject();

    ASSERT_TRUE(CaricaProgetto(file));

    r.NoteProgetto = QStringLiteral("first ID_X=second third fourth");
    for (const FieldInfo& f : projectFields())
        if (auto m = std::get_if<QString ProjectRecord::*>(&f.member); m && (r.**m).isEmpty())
            r.**m = QStringLiteral(" ");
    EXPECT_EQ(DatiProgetto, r);
}

TEST_F(ProjectFileTest, FailedSaveKeepsFileRecordAndModifiedFlag)
{
    const QString file = saveAs(QStringLiteral("keep.pro"), newProjectValues());
    const QByteArray before = readFile(QStringLiteral("keep.pro"));
    ProjectRecord changed = newProjectValues();
    changed.NomeProgetto = QStringLiteral("changed");
    changed.NoteProgetto = QString(5000, QLatin1Char('n'));
    DatiProgetto = changed;
    ProgettoModificato = true;
    surface.clear();

    bool saved = true;
    {
        FileSizeLimit limit(100);
        saved = SalvaProgetto();
    }

    EXPECT_FALSE(saved);
    EXPECT_EQ(readFile(QStringLiteral("keep.pro")), before);
    EXPECT_EQ(DatiProgetto, changed);
    EXPECT_TRUE(ProgettoModificato);
    EXPECT_TRUE(surface.calls.empty());
    EXPECT_TRUE(surface.panelText.empty());
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(msgs.shown[0].text.startsWith(QStringLiteral("The file ") + file + " cannot be used"))
        << msgs.shown[0].text.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.pro"});

    // A folder in the way, and a folder that does not exist.
    for (const QString& target : {path(QStringLiteral("sub")), path(QStringLiteral("no/such/p.pro"))}) {
        writeFile(QStringLiteral("sub/inside.txt"), "kept");
        msgs.clear();
        PercorsoFileProgetto = target;
        EXPECT_FALSE(SalvaProgetto());
        EXPECT_EQ(msgs.shown.size(), 1u);
        EXPECT_TRUE(ProgettoModificato);
        EXPECT_EQ(readFile(QStringLiteral("sub/inside.txt")), QByteArray("kept"));
    }
}

TEST_F(ProjectFileTest, RefusedFilesLeaveTheRecordUntouched)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        QString message;
    } cases[] = {
        {"empty.pro", QByteArray(), QStringLiteral("not a project")},
        {"lower.pro", fileLines({"zuvproject", "ID_NomeProgetto=x"}), QStringLiteral("not a project")},
        {"bom.pro", "\xEF\xBB\xBFZUVProject\r\nID_NomeProgetto=x\r\n", QStringLiteral("not a project")},
        {"blank.pro", fileLines({"", "ZUVProject"}), QStringLiteral("not a project")},
        {"trailing.pro", fileLines({"ZUVProject ", "ID_NomeProgetto=x"}), QStringLiteral("not a project")},
        {"binary.pro", QByteArray(100000, '\x9F'), QStringLiteral("not a project")},
    };
    for (const Case& c : cases) {
        writeFile(QLatin1String(c.name), c.bytes);
        DatiProgetto = previousProject();
        msgs.clear();
        EXPECT_FALSE(CaricaProgetto(path(QLatin1String(c.name)))) << c.name;
        EXPECT_EQ(DatiProgetto, previousProject()) << c.name;
        ASSERT_EQ(msgs.shown.size(), 1u) << c.name;
        EXPECT_EQ(msgs.shown[0].text, c.message) << c.name;
        EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Critical);
        EXPECT_EQ(msgs.shown[0].buttons, MsgButtons::Ok);
    }

    msgs.clear();
    const QString missing = path(QStringLiteral("missing.pro"));
    EXPECT_FALSE(CaricaProgetto(missing));
    EXPECT_EQ(DatiProgetto, previousProject());
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text, QStringLiteral("The file ") + missing + " cannot be used");
    EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Critical);
}

TEST_F(ProjectFileTest, BareNameIsTakenFromTheProgramFolder)
{
    QStringList v = newProjectValueLines();
    v[0] = QStringLiteral("in program folder");
    writeFile(QStringLiteral("bare.pro"), projectFile(v));
    QTemporaryDir elsewhere;
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());
    const bool loaded = CaricaProgetto(QStringLiteral("bare.pro"));
    QDir::setCurrent(cwd);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(DatiProgetto.NomeProgetto, QStringLiteral("in program folder"));
}

TEST_F(ProjectFileTest, ValuesAreReadByPositionWhateverTheKeys)
{
    QByteArray bytes = "ZUVProject\r\n";
    const QStringList v = newProjectValueLines();
    for (int i = 0; i < v.size(); ++i) { // keys misspelled and in reverse order
        const QByteArray value = i == 0 ? "\"Abc\"" : i == 3 ? "a=b" : v[i].toLatin1();
        bytes += "ID_Wrong" + QByteArray::number(100 - i) + "=" + value + "\r\n";
    }
    // Lines without "=" take no position.
    bytes.insert(bytes.indexOf("\r\n") + 2, "no equals sign\r\n\r\n");
    writeFile(QStringLiteral("keys.pro"), bytes);

    ASSERT_TRUE(CaricaProgetto(path(QStringLiteral("keys.pro"))));
    EXPECT_EQ(DatiProgetto.NomeProgetto, QStringLiteral("Abc"));
    EXPECT_EQ(DatiProgetto.AutoreProgetto, QStringLiteral("a=b"));
    EXPECT_EQ(DatiProgetto.MaxPagine, 9);
    EXPECT_EQ(DatiProgetto.ChannSensoreLambda, 1);
}

TEST_F(ProjectFileTest, ConversionOfNumbersAndBooleans)
{
    struct Case {
        int index;
        const char* text;
        bool converts;
        qint64 value;
    } cases[] = {
        {7, "2.5", true, 2},        {7, "3.5", true, 4},          {7, " -12 ", true, -12},
        {7, "32767", true, 32767},  {7, "-32768", true, -32768},  {7, "40000", false, 0},
        {7, "abc", false, 0},       {7, "1,5", false, 0},         {7, "0x10", false, 0},
        {85, "2147483647", true, 2147483647}, {85, "2147483648", false, 0},
        {85, "-2147483648", true, -2147483647LL - 1},
        {16, "True", true, 1},      {16, "false", true, 0},       {16, "-1", true, 1},
        {16, "5", true, 1},         {16, "0", true, 0},           {16, "yes", false, 0},
    };
    for (const Case& c : cases) {
        QStringList v = newProjectValueLines();
        v[c.index] = QLatin1String(c.text);
        v[c.index + 1] = QStringLiteral("5"); // a number field after each tested one
        writeFile(QStringLiteral("conv.pro"), projectFile(v));
        DatiProgetto = previousProject();
        ASSERT_TRUE(CaricaProgetto(path(QStringLiteral("conv.pro")))) << c.text;

        const FieldInfo& f = projectFields()[c.index];
        const qint64 got = std::visit(Overloaded{
                                          [&](QString ProjectRecord::*) { return qint64(-999); },
                                          [&](qint16 ProjectRecord::*m) { return qint64(DatiProgetto.*m); },
                                          [&](qint32 ProjectRecord::*m) { return qint64(DatiProgetto.*m); },
                                          [&](bool ProjectRecord::*m) { return qint64(DatiProgetto.*m); },
                                      },
                                      f.member);
        const ProjectRecord fresh = newProjectValues();
        if (c.converts) {
            EXPECT_EQ(got, c.value) << c.text;
            EXPECT_EQ(DatiProgetto.ChannSG, 1) << c.text; // reading went on to the end
        } else {
            // That field and every later one: new-project values.
            ProjectRecord want = fresh;
            for (int i = 0; i < c.index; ++i) {
                const FieldInfo& g = projectFields()[i];
                if (auto m = std::get_if<QString ProjectRecord::*>(&g.member))
                    want.**m = QStringLiteral(" ");
            }
            EXPECT_EQ(DatiProgetto, want) << c.text;
        }
    }
}

TEST_F(ProjectFileTest, FileThatStopsEarlyGivesNewProjectValuesAfterTheStop)
{
    DatiProgetto = previousProject();
    // A file written before fields 84 to 100 existed.
    QStringList v = newProjectValueLines().mid(0, 84);
    v[0] = QStringLiteral("legacy");
    v[83] = QStringLiteral("3");
    writeFile(QStringLiteral("legacy.pro"), projectFile(v));
    ASSERT_TRUE(CaricaProgetto(path(QStringLiteral("legacy.pro"))));
    EXPECT_EQ(DatiProgetto.NomeProgetto, QStringLiteral("legacy"));
    EXPECT_EQ(DatiProgetto.TipoUscita, 3);
    EXPECT_FALSE(DatiProgetto.chkAbilRecLap);
    EXPECT_EQ(DatiProgetto.Settore1, 0);
    EXPECT_EQ(DatiProgetto.ChannSG, 1);
    EXPECT_EQ(DatiProgetto.ChannSensoreLambda, 1);
    EXPECT_EQ(DatiProgetto.SensoreLambda, QString());

    // Only the magic line, without even its line break.
    DatiProgetto = previousProject();
    writeFile(QStringLiteral("magic.pro"), "ZUVProject");
    ASSERT_TRUE(CaricaProgetto(path(QStringLiteral("magic.pro"))));
    EXPECT_EQ(DatiProgetto, newProjectValues());

    // An empty value mid-file ends the reading: Strings up to the next
    // number become "", the rest new-project values.
    DatiProgetto = previousProject();
    v = newProjectValueLines();
    v[0] = QStringLiteral("name");
    v[2] = QString();
    v[3] = QStringLiteral("never read");
    v[8] = QStringLiteral("1");
    writeFile(QStringLiteral("gap.pro"), projectFile(v));
    ASSERT_TRUE(CaricaProgetto(path(QStringLiteral("gap.pro"))));
    EXPECT_EQ(ValoriProgetto[2], QString());
    EXPECT_EQ(ValoriProgetto[3], QString());
    ProjectRecord want = newProjectValues();
    want.NomeProgetto = QStringLiteral("name");
    want.DataCreazione = QStringLiteral(" ");
    EXPECT_EQ(DatiProgetto, want);

    // A lone quote is an empty value too.
    v = newProjectValueLines();
    v[1] = QStringLiteral("\"");
    writeFile(QStringLiteral("quote.pro"), projectFile(v));
    ASSERT_TRUE(CaricaProgetto(path(QStringLiteral("quote.pro"))));
    EXPECT_EQ(DatiProgetto.MaxPagine, 9);
    EXPECT_EQ(ValoriProgetto[2], QString());
}

TEST_F(ProjectFileTest, LongFilesLineFeedsAndHighBytes)
{
    QStringList v = newProjectValueLines();
    v[0] = QStringLiteral("LF only");
    for (int i = 0; i < 150; ++i)
        v << QStringLiteral("extra%1").arg(i);
    QByteArray bytes = projectFile(v);
    bytes.replace("\r\n", "\n");
    bytes.replace("LF only", "\xB0\x80\xFF");
    writeFile(QStringLiteral("long.pro"), bytes);

    ASSERT_TRUE(CaricaProgetto(path(QStringLiteral("long.pro"))));
    EXPECT_EQ(DatiProgetto.NomeProgetto, QStringLiteral("\u00B0\u20AC\u00FF"));
    EXPECT_EQ(DatiProgetto.ChannSensoreLambda, 1);
    EXPECT_EQ(ValoriProgetto[200], QStringLiteral("extra99"));
    EXPECT_EQ(ValoriProgetto.size(), 201u);

    // The next read starts from an empty list.
    writeFile(QStringLiteral("short.pro"), "ZUVProject\r\nID_NomeProgetto=x\r\n");
    ASSERT_TRUE(CaricaProgetto(path(QStringLiteral("short.pro"))));
    EXPECT_EQ(ValoriProgetto[0], QStringLiteral("x"));
    EXPECT_EQ(ValoriProgetto[200], QString());
}

} // namespace
} // namespace zuv::test
