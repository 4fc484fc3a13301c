// The session data dialog: split, sector-box rules, circuit and sector files, OK.
#include "analysis/session_dialog.h"

#include "analysis/session_file.h"
#include "project/state.h"
#include "support/fixtures.h"

#include <QDir>

namespace zuv::test {
namespace {

std::vector<qint32> lengths(const SessionDialogState& d)
{
    std::vector<qint32> out;
    for (int k = 0; k < d.NumSettori; ++k)
        out.push_back(d.LunghezzaSettore[k]);
    return out;
}

std::vector<QString> shownTexts(const SessionDialogState& d)
{
    std::vector<QString> out;
    for (const SectorBox& b : d.txtX)
        if (b.visible)
            out.push_back(b.text);
    return out;
}

SessionDialogState split(const QString& length, const QString& sectors)
{
    SessionDialogState d;
    d.LunghTracciato = length;
    d.txtLunghezzaTracciato = length;
    d.cboNumSettori = sectors;
    cboNumSettori_Click(d);
    return d;
}

TEST(SessionDialog, EvenSplitGivesTheRestToTheLastSector)
{
    struct Case {
        const char* length;
        const char* count;
        std::vector<QString> boxes;
    } cases[] = {
        {"1000", "3", {"333", "333", "334"}},
        {"1001", "2", {"500", "501"}},
        {"1003", "2", {"502", "501"}},
        {"1000", "1", {"1000"}},
        {"1000", "", {}},
        {"1000", "abc", {}},
        // Only 15 boxes: more counts as 15.
        {"1000", "20", {"67", "67", "67", "67", "67", "67", "67", "67", "67", "67", "67", "67", "67", "67", "62"}},
        // A length of 0 or below is split like any other; round(-5 / 2)
        // is -2, halves going to the even neighbour.
        {"-1000", "2", {"-500", "-500"}},
        {"-5", "2", {"-2", "-3"}},
        {"0", "3", {"0", "0", "0"}},
        {"1000.5", "2", {"500", "500"}},
        // No length the split can take: the boxes come, empty, and nothing
        // is split.
        {"", "3", {"", "", ""}},
        {"long", "2", {"", ""}},
        {"3000000000", "2", {"", ""}},
    };
    for (const Case& c : cases) {
        const SessionDialogState d = split(QString::fromLatin1(c.length), QString::fromLatin1(c.count));
        EXPECT_EQ(shownTexts(d), c.boxes) << c.length << " / " << c.count;
        EXPECT_EQ(d.NumSettori, qint16(c.boxes.size())) << c.length << " / " << c.count;
        for (int k = 0; k < d.NumSettori; ++k)
            EXPECT_EQ(QString::number(d.LunghezzaSettore[k]), c.boxes[k].isEmpty() ? "0" : c.boxes[k]);
    }
}

TEST(SessionDialog, EnterInASectorBoxMovesTheChangeToTheNextBox)
{
    struct Case {
        const char* name;
        const char* count;
        int box;
        const char* typed;
        std::vector<qint32> after;
        const char* boxText; // what the edited box shows after Enter
    } cases[] = {
        {"next absorbs", "4", 0, "300", {300, 200, 250, 250}, "300"},
        {"before the last makes the rest", "3", 1, "400", {333, 400, 267}, "400"},
        {"next may go negative", "3", 0, "900", {900, -234, 334}, "900"},
        {"the whole track", "4", 0, "1000", {250, 250, 250, 250}, "250"},
        {"zero", "4", 2, "0", {250, 250, 250, 250}, "250"},
        // No number: the step ends and the text stays as typed.
        {"text", "4", 1, "12a", {250, 250, 250, 250}, "12a"},
        {"the last box is only computed", "4", 3, "100", {250, 250, 250, 250}, "100"},
    };
    for (const Case& c : cases) {
        SessionDialogState d = split(QStringLiteral("1000"), QString::fromLatin1(c.count));
        d.txtX[c.box].text = QString::fromLatin1(c.typed);
        txtX_LostFocus(d, c.box);
        EXPECT_EQ(lengths(d), c.after) << c.name;
        EXPECT_EQ(d.txtX[c.box].text, QLatin1String(c.boxText)) << c.name;
        for (int k = 0; k < d.NumSettori; ++k)
            if (k != c.box) {
                EXPECT_EQ(d.txtX[k].text, QString::number(d.LunghezzaSettore[k])) << c.name << " box " << k;
            }
    }

    // A box the step reads that holds no number ends it there: what it
    // had changed stays, nothing more is changed.
    SessionDialogState d = split(QStringLiteral("1000"), QStringLiteral("4"));
    d.txtX[1].text = QStringLiteral("x");
    d.txtX[0].text = QStringLiteral("300");
    txtX_LostFocus(d, 0);
    EXPECT_EQ(lengths(d), (std::vector<qint32>{300, 250, 250, 250}));
    EXPECT_EQ(d.txtX[1].text, QStringLiteral("x"));
    d = split(QStringLiteral("1000"), QStringLiteral("3"));
    d.txtX[0].text = QStringLiteral("x");
    d.txtX[1].text = QStringLiteral("400");
    txtX_LostFocus(d, 1);
    EXPECT_EQ(lengths(d), (std::vector<qint32>{333, 400, 334}));
    EXPECT_EQ(d.txtX[2].text, QStringLiteral("334"));
    // So does a track length that is no number.
    d = split(QStringLiteral("1000"), QStringLiteral("3"));
    d.LunghTracciato = QStringLiteral("long");
    d.txtX[0].text = QStringLiteral("400");
    txtX_LostFocus(d, 0);
    EXPECT_EQ(lengths(d), (std::vector<qint32>{333, 333, 334}));
    EXPECT_EQ(d.txtX[0].text, QStringLiteral("400"));
}

TEST(SessionDialog, SectorBoxKeysAndTrackLengthChanges)
{
    SessionDialogState d = split(QStringLiteral("1000"), QStringLiteral("3"));
    EXPECT_FALSE(txtX_KeyPress(d, 0, QLatin1Char(',')));
    EXPECT_FALSE(txtX_KeyPress(d, 1, QLatin1Char('.')));
    EXPECT_TRUE(txtX_KeyPress(d, 1, QLatin1Char('7')));
    EXPECT_TRUE(txtX_KeyPress(d, 2, QLatin1Char('.')));
    EXPECT_TRUE(isLastSector(d, 2));

    d.txtX[0].text = QStringLiteral("400");
    txtX_LostFocus(d, 0);
    ASSERT_EQ(lengths(d), (std::vector<qint32>{400, 266, 334}));
    // Passing through the length box splits again, also without a change.
    d.txtLunghezzaTracciato = QStringLiteral(" 1000 ");
    txtLunghezzaTracciato_LostFocus(d);
    EXPECT_EQ(lengths(d), (std::vector<qint32>{333, 333, 334}));
    EXPECT_EQ(d.LunghTracciato, QStringLiteral(" 1000 "));
    d.txtLunghezzaTracciato = QStringLiteral("1200");
    txtLunghezzaTracciato_LostFocus(d);
    EXPECT_EQ(lengths(d), (std::vector<qint32>{400, 400, 400}));
    EXPECT_EQ(d.LunghTracciato, QStringLiteral("1200"));
    // Not yet the session's.
    EXPECT_EQ(DatiSessione.LunghTracciato, QString());
}

TEST(SessionDialog, MapDrawsSectorsInAlternatingColours)
{
    std::vector<MapPoint> square;
    for (int i = 0; i < 10; ++i)
        square.push_back({i, i % 2});
    const std::array<qint32, kSectorBoxes + 1> sectors = {300, 300, 400};
    const MapDrawing m = DisegnaSettori(square, sectors, QStringLiteral("1000"));

    auto seg = [&](int a, int b, qint32 colour) {
        return std::make_tuple(QLine(a * 43, (a % 2) * 43, b * 43, (b % 2) * 43), colour);
    };
    std::vector<std::tuple<QLine, qint32>> got;
    for (const MapSegment& s : m.lines)
        got.emplace_back(s.line, s.colour);
    const std::vector<std::tuple<QLine, qint32>> expected = {
        // Sector 1 to point round(300 x 10 / 1000) = 3, drawn through 3 -> 4.
        seg(0, 1, kColourGreen), seg(1, 2, kColourGreen), seg(2, 3, kColourGreen), seg(3, 4, kColourGreen),
        seg(3, 4, kColourRed), seg(4, 5, kColourRed), seg(5, 6, kColourRed), seg(6, 7, kColourRed),
        // The last sector runs to the end of the outline.
        seg(6, 7, kColourGreen), seg(7, 8, kColourGreen), seg(8, 9, kColourGreen),
        seg(8, 9, kColourGreen), seg(9, 0, kColourGreen)};
    EXPECT_EQ(got, expected);
    ASSERT_EQ(m.labels.size(), 3u);
    EXPECT_EQ(m.labels[0].position, QPoint(43, 43));
    EXPECT_EQ(m.labels[1].text, QStringLiteral("2"));
    EXPECT_EQ(m.labels[1].position, QPoint(4 * 43, 0));
    EXPECT_EQ(m.labels[2].position, QPoint(7 * 43, 43));

    // A length below 0 divides like any other: -2 of -5 m ends sector 1 at
    // point round(-2 x 10 / -5) = 4.
    const MapDrawing negative = DisegnaSettori(square, {-2, -3}, QStringLiteral("-5"));
    ASSERT_EQ(negative.labels.size(), 2u);
    EXPECT_EQ(negative.labels[1].position, QPoint(5 * 43, 43));
    EXPECT_EQ(negative.lines.front().colour, kColourGreen);
    EXPECT_EQ(negative.lines[5].colour, kColourRed);
    EXPECT_EQ(negative.lines[5].line, QLine(4 * 43, 0, 5 * 43, 43));

    // No track length to split by: the outline alone, closed, in black.
    const MapDrawing plain = DisegnaSettori(square, sectors, QStringLiteral("abc"));
    ASSERT_EQ(plain.lines.size(), 10u);
    EXPECT_TRUE(plain.labels.empty());
    for (const MapSegment& s : plain.lines)
        EXPECT_EQ(s.colour, kColourBlack);
    EXPECT_TRUE(DisegnaSettori({}, sectors, QStringLiteral("1000")).lines.empty());

    const MapDrawing outline = DisegnaTracciato({{0, 0}, {10, 0}, {10, 10}});
    ASSERT_EQ(outline.lines.size(), 7u);
    EXPECT_EQ(outline.lines[2].line, QLine(430, 430, 0, 0));
    EXPECT_EQ(outline.lines[3].line, QLine(-43, -43, 43, -43));
    EXPECT_EQ(outline.lines[6].colour, kColourYellow);
}

class SessionDialogFiles : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        loadShippedLanguages();
        writeFile(QStringLiteral("tracks/Alpha.trk"), "0,0\r\n10,0\r\n10,10\r\n0,10\r\n");
        writeFile(QStringLiteral("tracks/Alpha.sec"), "1000\r\n333\r\n333\r\n334\r\n");
        writeFile(QStringLiteral("tracks/Beta.trk"), "\"5,5\"\r\n6,6\r\n");
        DatiSessione.Sessione = QStringLiteral(" Race 1 ");
        DatiSessione.Circuito = QStringLiteral("Alpha");
        DatiSessione.LunghTracciato = QStringLiteral("999");
        DatiSessione.VeicoloSessione = QStringLiteral("Kart");
        DatiProgetto.Veicolo = QStringLiteral("Project car");
    }

    QByteArray alphaSec() const { return readFile(QStringLiteral("tracks/Alpha.sec")); }
};

TEST_F(SessionDialogFiles, OpeningReadsTheCircuitAndItsSectors)
{
    EXPECT_EQ(CaricaListaCircuiti(), (QStringList{"Alpha", "Beta"}));
    SessionDialogState d = MostraDatiSessione();
    EXPECT_EQ(d.txtSessione, QStringLiteral("Race 1"));
    EXPECT_EQ(d.txtVeicolo, QStringLiteral("Kart"));
    EXPECT_EQ(d.points.size(), 4u);
    EXPECT_EQ(lengths(d), (std::vector<qint32>{333, 333, 334}));
    EXPECT_EQ(d.cboNumSettori, QStringLiteral("3"));
    EXPECT_EQ(d.txtLunghezzaTracciato, QStringLiteral("1000"));
    // The sector file's length is the session's at once.
    EXPECT_EQ(DatiSessione.LunghTracciato, QStringLiteral("1000"));
    // The title as the outline opened, with the length before the sector
    // file; activation gives the new one.
    EXPECT_EQ(d.title, QStringLiteral("Alpha - 999 m."));
    EXPECT_EQ(sessionDialogTitle(d), QStringLiteral("Alpha - 1000 m."));
    // Four points leave the last sector no second point to carry its number.
    EXPECT_EQ(d.drawing.labels.size(), 2u);

    // A circuit without sectors: the first box keeps its value, the rest go.
    d.cboCircuito = QStringLiteral("Beta");
    cboCircuito_Click(d);
    EXPECT_EQ(shownTexts(d), (std::vector<QString>{"333"}));
    EXPECT_TRUE(d.txtX[0].enabled);
    EXPECT_EQ(d.points, (std::vector<MapPoint>{{5, 5}, {6, 6}}));
    EXPECT_EQ(d.drawing.lines.back().colour, kColourYellow);
    EXPECT_EQ(d.title, QStringLiteral("Beta - 1000 m."));

    // No outline: an empty map.
    for (const char* name : {"Gamma", "../tracks/Alpha", ""}) {
        d.cboCircuito = QString::fromLatin1(name);
        cboCircuito_Click(d);
        EXPECT_TRUE(d.points.empty()) << name;
        EXPECT_TRUE(d.drawing.lines.empty()) << name;
        // The sector file stays that of the circuit last loaded.
        EXPECT_EQ(d.PercorsoSettori, path(QStringLiteral("tracks/Beta.sec"))) << name;
        EXPECT_EQ(d.title, QStringLiteral("Beta - 1000 m.")) << name;
    }
}

TEST_F(SessionDialogFiles, ShippedCircuitsOpenWithTheirSectors)
{
    for (const char* name : {"Pista Collina", "Anello Lago"}) {
        for (const char* ext : {".trk", ".sec"})
            writeFile(QStringLiteral("tracks/") + QLatin1String(name) + QLatin1String(ext),
                      fileBytes(QStringLiteral(ZUV_SHIPPED_DATA_DIR "/tracks/") + QLatin1String(name)
                                + QLatin1String(ext)));
        DatiSessione.Circuito = QString::fromLatin1(name);
        const SessionDialogState d = MostraDatiSessione();
        EXPECT_GT(d.points.size(), 100u) << name;
        EXPECT_GE(d.NumSettori, 2) << name;
        qint64 sum = 0;
        for (int k = 0; k < d.NumSettori; ++k)
            sum += d.LunghezzaSettore[k];
        EXPECT_EQ(QString::number(sum), d.txtLunghezzaTracciato) << name;
        EXPECT_EQ(int(d.drawing.labels.size()), int(d.NumSettori)) << name;
    }
}

TEST_F(SessionDialogFiles, EverySectorLineUpToTheFifteenthIsABox)
{
    // A line of 0, or one that starts with no number, is a box with 0.
    writeFile(QStringLiteral("tracks/Alpha.sec"),
              "1234.5 m\r\n100\r\n200.5\r\n199.5\r\n-3\r\nnone\r\n0\r\n500\r\n");
    SessionDialogState d = MostraDatiSessione();
    EXPECT_EQ(lengths(d), (std::vector<qint32>{100, 200, 200, -3, 0, 0, 500}));
    EXPECT_EQ(shownTexts(d), (std::vector<QString>{"100", "200", "200", "-3", "0", "0", "500"}));
    EXPECT_EQ(d.cboNumSettori, QStringLiteral("7"));
    EXPECT_EQ(d.txtLunghezzaTracciato, QStringLiteral("1234.5"));
    // A length beyond 32 bits ends the reading.
    writeFile(QStringLiteral("tracks/Alpha.sec"), "1000\r\n400\r\n3000000000\r\n600\r\n");
    EXPECT_EQ(lengths(MostraDatiSessione()), (std::vector<qint32>{400}));

    QByteArray many = "2000\r\n";
    for (int i = 0; i < 20; ++i)
        many += "100\r\n";
    writeFile(QStringLiteral("tracks/Alpha.sec"), many);
    EXPECT_EQ(MostraDatiSessione().NumSettori, kSectorBoxes);
    const auto raw = readSectorFile(path(QStringLiteral("tracks/Alpha.sec")));
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->length, QStringLiteral("2000"));
    EXPECT_EQ(raw->sectors.size(), std::size_t(kSectorBoxes + 1));
}

TEST_F(SessionDialogFiles, OkRefusesWhatCannotBeStoredAndStoresNothing)
{
    struct Case {
        const char* name;
        const char* length;
        const char* circuit;
        std::vector<qint32> sectors;
        QString message;
    };
    const QString lengthMessage =
        QStringLiteral("The track length must be a number of metres from -2147483648 to 2147483647.");
    const QString zeroMessage = QStringLiteral("A sector length cannot be zero.");
    const QString folderMessage = QStringLiteral("The circuit name cannot contain the character \"/\".");
    const Case cases[] = {
        {"empty length", "", "Alpha", {1000}, lengthMessage},
        {"text length", "long", "Alpha", {1000}, lengthMessage},
        {"beyond 32 bits", "3000000000", "Alpha", {1000}, lengthMessage},
        // A length of 0, below 0 or with a fraction is matched as it stands.
        {"zero length", "0", "Alpha", {1000}, languageText(327)},
        {"negative length", "-1000", "Alpha", {1000}, languageText(327)},
        {"fraction", "1000.5", "Alpha", {300, 700}, languageText(327)},
        {"negative sector", "1000", "Alpha", {1200, -200}, languageText(326)},
        {"sum too large", "1000", "Alpha", {600, 600}, languageText(327)},
        {"no sectors", "1000", "Alpha", {}, languageText(327)},
        // 326 and 327 come first, then the refusals of our own.
        {"negative sector, no length", "", "Alpha", {-1}, languageText(326)},
        {"zero sector", "1000", "Alpha", {300, 0, 700}, zeroMessage},
        {"zero sector, sum differs", "1000", "Alpha", {300, 0, 600}, languageText(327)},
        {"zero length in zero sectors", "0", "Alpha", {0, 0}, zeroMessage},
        {"folder in the name", "1000", "x/Alpha", {1000}, folderMessage},
        {"folder in the name, sum differs", "1000", "x/Alpha", {900}, languageText(327)},
    };
    const QByteArray before = alphaSec();
    for (const Case& c : cases) {
        SessionDialogState d = MostraDatiSessione();
        d.txtSessione = QStringLiteral("changed");
        d.txtLunghezzaTracciato = QString::fromLatin1(c.length);
        d.LunghTracciato = d.txtLunghezzaTracciato;
        d.cboCircuito = QString::fromLatin1(c.circuit);
        d.LunghezzaSettore.fill(0);
        d.NumSettori = qint16(c.sectors.size());
        for (std::size_t k = 0; k < c.sectors.size(); ++k)
            d.LunghezzaSettore[k] = c.sectors[k];
        const SessionOk e = OKButton_Click(d);
        EXPECT_FALSE(e.accepted) << c.name;
        EXPECT_EQ(e.message, c.message) << c.name;
        EXPECT_EQ(DatiSessione.Sessione, QStringLiteral(" Race 1 ")) << c.name;
        EXPECT_EQ(alphaSec(), before) << c.name;
    }
}

TEST_F(SessionDialogFiles, OkWritesTheSectorsOfTheCircuitOnShowAndStoresTheTexts)
{
    SessionDialogState d = MostraDatiSessione();
    d.txtLunghezzaTracciato = QStringLiteral("1200 ");
    txtLunghezzaTracciato_LostFocus(d);
    d.cboNumSettori = QStringLiteral("2");
    cboNumSettori_Click(d);
    d.txtPiloti = QStringLiteral("Anna\r\nBruno");
    d.txtVeicolo = QStringLiteral(" Kart 2 ");
    const SessionOk e = OKButton_Click(d);
    ASSERT_TRUE(e.accepted) << e.message.toStdString();
    EXPECT_EQ(alphaSec(), QByteArray("1200 \r\n600\r\n600\r\n"));
    EXPECT_EQ(DatiSessione.LunghTracciato, QStringLiteral("1200 "));
    EXPECT_EQ(DatiSessione.Piloti, QStringLiteral("Anna\r\nBruno"));
    EXPECT_EQ(DatiSessione.VeicoloSessione, QStringLiteral(" Kart 2 "));
    EXPECT_EQ(DatiSessione.Sessione, QStringLiteral("Race 1"));
    EXPECT_EQ(DatiProgetto.Veicolo, QStringLiteral("Project car"));

    // A name typed over the circuit on show: its sectors still go to the
    // circuit whose outline was read.
    d = MostraDatiSessione();
    d.cboCircuito = QStringLiteral("Delta");
    d.txtX[0].text = QStringLiteral("500");
    txtX_LostFocus(d, 0);
    ASSERT_TRUE(OKButton_Click(d).accepted);
    EXPECT_EQ(alphaSec(), QByteArray("1200\r\n500\r\n700\r\n"));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("tracks/Delta.sec"))));
    EXPECT_EQ(DatiSessione.Circuito, QStringLiteral("Delta"));

    // A length of 0 with no sectors adds up.
    DatiSessione.Circuito = QStringLiteral("Beta");
    d = MostraDatiSessione();
    d.txtLunghezzaTracciato = QStringLiteral("0");
    txtLunghezzaTracciato_LostFocus(d);
    ASSERT_EQ(d.NumSettori, 0);
    ASSERT_TRUE(OKButton_Click(d).accepted);
    EXPECT_EQ(readFile(QStringLiteral("tracks/Beta.sec")), QByteArray("0\r\n"));
    EXPECT_EQ(DatiSessione.LunghTracciato, QStringLiteral("0"));

    // The same circuit in other letters is the same circuit.
    d = MostraDatiSessione();
    d.cboCircuito = QStringLiteral("Alpha");
    cboCircuito_Click(d);
    d.cboCircuito = QStringLiteral("ALPHA");
    d.cboNumSettori = QStringLiteral("3");
    cboNumSettori_Click(d);
    ASSERT_TRUE(OKButton_Click(d).accepted);
    EXPECT_EQ(alphaSec(), QByteArray("1200\r\n400\r\n400\r\n400\r\n"));

    // A circuit whose sector file holds a length of 0 and no sector, picked
    // after Alpha: none is in use, and Alpha's first sector, which its box
    // still shows, is not written into Beta's file.
    writeFile(QStringLiteral("tracks/Beta.sec"), "0\r\n");
    d = MostraDatiSessione();
    d.cboCircuito = QStringLiteral("Beta");
    cboCircuito_Click(d);
    ASSERT_EQ(d.NumSettori, 0);
    ASSERT_EQ(d.txtX[0].text, QStringLiteral("400"));
    ASSERT_TRUE(OKButton_Click(d).accepted);
    EXPECT_EQ(readFile(QStringLiteral("tracks/Beta.sec")), QByteArray("0\r\n"));
}

TEST_F(SessionDialogFiles, ASectorFileThatCannotBeWrittenStopsOk)
{
    writeFile(QStringLiteral("tracks/Beta.trk"), "0,0\r\n");
    QDir().mkpath(path(QStringLiteral("tracks/Beta.sec")));
    DatiSessione.Circuito = QStringLiteral("Beta");
    SessionDialogState d = MostraDatiSessione();
    d.txtLunghezzaTracciato = QStringLiteral("500");
    d.txtSessione = QStringLiteral("changed");
    d.cboNumSettori = QStringLiteral("1");
    d.LunghTracciato = QStringLiteral("500");
    cboNumSettori_Click(d);
    const SessionOk e = OKButton_Click(d);
    EXPECT_FALSE(e.accepted);
    EXPECT_TRUE(e.message.startsWith(QStringLiteral("The sector file "))) << e.message.toStdString();
    EXPECT_EQ(DatiSessione.Sessione, QStringLiteral(" Race 1 "));
}

} // namespace
} // namespace zuv::test
