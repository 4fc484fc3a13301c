// The lap table without its grid: lap-time and sector files, sector times,
// the grid's texts and marks, selecting a lap, lap times and speeds.

#include "analysis/lap_table.h"
#include "project/language.h"
#include "project/state.h"
#include "support/fixtures.h"

namespace zuv::test {
namespace {

class LapTable : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        loadShippedLanguages();
    }

    // A lap file beside "run.csv"; the path of the data file.
    QString lapFile(const QByteArray& bytes, const QString& name = QStringLiteral("run.tim"))
    {
        writeFile(name, bytes);
        return path(QStringLiteral("run.csv"));
    }

    // Three laps of ten rows after eight rows before the first lap and six
    // after the last, as chart rows from 2; the lap number is row / 10.
    static LapState threeLaps()
    {
        LapState s;
        s.bounds.InizioGiro = {0, 2, 10, 20, 30, 40};
        s.bounds.FineGiro = {0, 9, 19, 29, 39, 45};
        readLapLines(s, {"1.4", "01:23.45, 1", "01:20.00, 1", "01:25.10, 2", ""});
        return s;
    }
};

// 10 m a row from each lap's first row (laps of ten rows from row 10).
RowValue lapMetres()
{
    return [](qint64 row) -> std::optional<double> { return double(row % 10) * 10; };
}

RowValue lapNumbers()
{
    return [](qint64 row) -> std::optional<double> { return double(row / 10); };
}

QByteArray lapLines(int laps, bool closingLine = true)
{
    QByteArray b = "1.4\r\n";
    for (int i = 1; i <= laps; ++i)
        b += QByteArray::number(1 + i % 3) + ":" + QByteArray::number(10 + i % 50) + ".00, 1\r\n";
    if (closingLine)
        b += "\r\n";
    return b;
}

TEST_F(LapTable, LapFilesGiveTheRowCounts)
{
    struct Case {
        const char* what;
        QByteArray bytes;
        int total;
        int completed;
    } cases[] = {
        {"two laps", "1.4\r\n01:23.45, 7\r\n01:20.00, 7\r\n\r\n", 5, 2},
        {"LF line ends", "1.4\n01:23.45, 7\n01:20.00, 7\n\n", 5, 2},
        {"no closing line", "1.4\r\n01:23.45, 1\r\n01:20.00, 1\r\n", 4, 1},
        {"no laps", "1.4\r\n\r\n", 3, 0},
        {"version only", "1.4\r\n", 2, 0},
        {"empty file", "", 2, 0},
        {"997 laps", lapLines(997), 1000, 997},
        // Rows end at 999: the closing line and later laps are dropped.
        {"998 laps", lapLines(998), 1000, 997},
        {"1200 laps", lapLines(1200), 1000, 997},
    };
    for (const Case& c : cases) {
        LapState s;
        QString version = QStringLiteral("unset");
        ASSERT_TRUE(CaricaTempiGiro(s, lapFile(c.bytes), &version)) << c.what;
        EXPECT_EQ(s.intGiriTotali, c.total) << c.what;
        EXPECT_EQ(s.intGiriCompletati, c.completed) << c.what;
        EXPECT_EQ(version, c.bytes.isEmpty() ? "" : "1.4") << c.what;
        EXPECT_EQ(s.RigheTempiGiro[1], "") << c.what;
        EXPECT_TRUE(msgs.shown.empty()) << c.what;
    }
}

TEST_F(LapTable, LapLinesSplitAtTheFirstComma)
{
    LapState s;
    readLapLines(s, {"1.4", "01:23.45, 7", "01:24.00", "01:25.00,3", "100:00.00, 12, x", ""});
    EXPECT_EQ(s.TabellaGiri[2][1], "01:23.45");
    EXPECT_EQ(s.TempiSessione[2], "7");
    EXPECT_EQ(s.TabellaGiri[3][1], "01:24.00");
    EXPECT_EQ(s.TempiSessione[3], "1");
    EXPECT_EQ(s.TabellaGiri[4][1], "01:25.00");
    EXPECT_EQ(s.TempiSessione[4], ""); // the character after the comma is skipped
    EXPECT_EQ(s.TabellaGiri[5][1], "100:00.00");
    EXPECT_EQ(s.TempiSessione[5], "12, x");
    EXPECT_EQ(s.RigheTempiGiro[3], "01:24.00");
    EXPECT_EQ(GetTempoGiro(s, 5), "100:00.00");
    EXPECT_EQ(GetSessioneTempo(s, 2), "7");
    EXPECT_EQ(GetTempoGiro(s, -1), "");
    EXPECT_EQ(GetSessioneTempo(s, 1000), "");

    // A second read leaves nothing of the first.
    readLapLines(s, {"1.4", "02:00.00, 1", ""});
    EXPECT_EQ(s.TabellaGiri[3][1], "");
    EXPECT_EQ(s.TempiSessione[4], "");
}

TEST_F(LapTable, MissingLapFileIsReportedAndCaseDoesNotMatter)
{
    LapState s;
    EXPECT_FALSE(CaricaTempiGiro(s, path("none.csv")));
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].text, languageText(328) + " " + path("none.tim") + " " + languageText(329));
    EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Critical);
    EXPECT_EQ(s.intGiriTotali, 0);

    msgs.clear();
    EXPECT_TRUE(CaricaTempiGiro(s, lapFile("1.4\r\n01:00.00, 1\r\n\r\n", "RUN.TIM")));
    EXPECT_EQ(s.intGiriCompletati, 1);
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(LapTable, SectorFileGivesTheLengthsAndRefusesUnsafeNames)
{
    writeFile("tracks/Monza.SEC", "5000\r\n30\r\n30.5\r\nabc\r\n 40 m\r\n");
    LapState s;
    EXPECT_TRUE(CaricaSettori(s, "Monza"));
    EXPECT_EQ(s.SettoriGiro, 5);
    EXPECT_EQ(s.LunghezzeSettori[0], 30);
    EXPECT_EQ(s.LunghezzeSettori[1], 30.5);
    EXPECT_EQ(s.LunghezzeSettori[2], 0);
    EXPECT_EQ(s.LunghezzeSettori[3], 40);

    QByteArray many = "9000\r\n";
    for (int i = 1; i <= 20; ++i)
        many += QByteArray::number(i * 10) + "\r\n";
    writeFile("tracks/long.sec", many);
    EXPECT_TRUE(CaricaSettori(s, "long"));
    EXPECT_EQ(s.SettoriGiro, 17);
    EXPECT_EQ(s.LunghezzeSettori[15], 160);
    EXPECT_EQ(s.LunghezzeSettori[16], 0);

    // A shorter file overwrites only its own entries.
    EXPECT_TRUE(CaricaSettori(s, "Monza"));
    EXPECT_EQ(s.SettoriGiro, 5);
    EXPECT_EQ(s.LunghezzeSettori[3], 40);
    EXPECT_EQ(s.LunghezzeSettori[4], 50);
    EXPECT_EQ(s.LunghezzeSettori[15], 160);

    writeFile("x.sec", "100\r\n50\r\n");
    for (const char* name : {"../x", "tracks/../../x", "a/b", "a\\b", "", "missing"}) {
        EXPECT_FALSE(CaricaSettori(s, QString::fromLatin1(name))) << name;
        EXPECT_EQ(s.SettoriGiro, 1) << name;
        EXPECT_EQ(s.LunghezzeSettori[0], 30) << name;
    }
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(LapTable, SectorTimesOfAHandMadeLap)
{
    // A lap of rows 10 to 19 at 0, 10, ..., 90 m. Columns 2 to `SettoriGiro`
    // are the sectors the grid shows; once the distance reaches the sum of
    // the lengths, the rest of the lap goes into the columns after them.
    struct Case {
        const char* what;
        int sectors;
        std::vector<double> lengths; // entries from 0; those past `sectors` are stale
        std::vector<const char*> columns; // from column 2
    } cases[] = {
        {"lengths beyond the lap", 3, {30, 30, 40}, {"00:00.30", "00:00.30", "00:00.40"}},
        // 40 + 30 = 70 m is reached at row 17; rows 17 to 19 are no sector.
        {"lap past the track", 2, {40, 30}, {"00:00.40", "00:00.30", "00:00.10", "00:00.10", "00:00.00"}},
        {"stale length after the last", 2, {20, 20, 25}, {"00:00.20", "00:00.20", "00:00.30", "00:00.10", "00:00.00"}},
        // Never reaching the first boundary: the whole lap is sector 1.
        {"first boundary not reached", 2, {500, 500}, {"00:01.00"}},
        {"one sector", 1, {100}, {"00:01.00"}},
        // Zero lengths cross at once, one row at a time; the sum is reached
        // at the lap's last row, which then counts after the sectors.
        {"zero lengths", 3, {0, 0, 90}, {"00:00.00", "00:00.10", "00:00.80", "00:00.10"}},
    };
    for (const Case& c : cases) {
        LapState s;
        s.bounds.InizioGiro = {0, 0, 10};
        s.bounds.FineGiro = {0, 0, 19};
        s.SettoriGiro = c.sectors + 1;
        for (std::size_t k = 0; k < c.lengths.size(); ++k)
            s.LunghezzeSettori[k] = c.lengths[k];
        s.TabellaGiri[2][8] = "stale";
        CalcolaTempiSettori(s, 2, lapMetres());
        for (std::size_t col = 2; col < 21; ++col)
            EXPECT_EQ(s.TabellaGiri[2][col], col - 2 < c.columns.size() ? QLatin1String(c.columns[col - 2]) : QLatin1String(""))
                << c.what << ", column " << col;
    }
}

TEST_F(LapTable, SixteenSectorsEndAtTheirBoundaries)
{
    // Sixteen sectors of 100 m; one lap of rows 100 to 299 at 10 m a row,
    // so 1990 m: each sector takes ten rows, the last one too, and the
    // 390 m after 1600 m are in no sector.
    QByteArray sec = "1600\r\n";
    for (int k = 0; k < 16; ++k)
        sec += "100\r\n";
    writeFile("tracks/Sedici.sec", sec);
    LapState s;
    ASSERT_TRUE(CaricaSettori(s, "Sedici"));
    ASSERT_EQ(s.SettoriGiro, 17);
    s.bounds.InizioGiro = {0, 0, 100};
    s.bounds.FineGiro = {0, 99, 299};
    readLapLines(s, {"1.4", "00:20.00, 1", ""});
    const RowValue metres = [](qint64 row) -> std::optional<double> { return row >= 100 ? (row - 100) * 10.0 : 0.0; };
    const RowValue lap = [](qint64 row) -> std::optional<double> { return row >= 100 ? 1.0 : 0.0; };
    ASSERT_TRUE(CompilaTabellaGiri(s, lap, metres));
    EXPECT_EQ(s.grid.text(0, 17), languageText(144) + "16");
    for (int c = 2; c <= 17; ++c)
        EXPECT_EQ(s.grid.text(2, c), "00:01.00") << "sector " << c - 1;
    EXPECT_EQ(s.grid.text(2, 18), "");
    EXPECT_EQ(s.TabellaGiri[2][18], "00:00.10");
    EXPECT_EQ(s.TabellaGiri[2][20], "00:00.00");
}

TEST_F(LapTable, CompilaTabellaGiriFillsTheGridAndMarksTheExtremes)
{
    LapState s = threeLaps();
    s.SettoriGiro = 3;
    s.LunghezzeSettori[0] = 40;
    s.LunghezzeSettori[1] = 60;
    ASSERT_TRUE(CompilaTabellaGiri(s, lapNumbers(), lapMetres()));
    const LapGrid& g = s.grid;
    EXPECT_TRUE(g.visible);
    EXPECT_EQ(g.rows, 6);
    EXPECT_EQ(g.text(0, 1), languageText(143));
    EXPECT_EQ(g.text(0, 2), languageText(144) + "1");
    EXPECT_EQ(g.text(0, 3), languageText(144) + "2");
    EXPECT_EQ(g.text(0, 4), "");
    EXPECT_EQ(g.text(1, 0), "Start");
    EXPECT_EQ(g.text(2, 0), languageText(193) + "1");
    EXPECT_EQ(g.text(4, 0), languageText(193) + "3");
    EXPECT_EQ(g.text(5, 0), "End");
    EXPECT_EQ(g.text(2, 1), "01:23.45");
    // 40 m are reached at the lap's fifth row.
    EXPECT_EQ(g.text(2, 2), "00:00.40");
    EXPECT_EQ(g.text(2, 3), "00:00.60");
    EXPECT_EQ(g.text(1, 1), "");
    EXPECT_EQ(g.widths[0], 0);
    EXPECT_EQ(g.widths[1], 1100);
    EXPECT_EQ(g.widths[20], 850);

    EXPECT_EQ(g.fastRow[1], 3);
    EXPECT_EQ(g.slowRow[1], 4);
    EXPECT_EQ(s.intGiroVeloce, 2);
    EXPECT_EQ(s.intGiroLento, 3);
    EXPECT_EQ(g.colours(3, 1).back, 0x00FF00u);
    EXPECT_EQ(g.colours(4, 1).back, 0x0000FFu);
    EXPECT_EQ(g.colours(2, 1).back, 0xFFFFFFu);
    // Equal sector times everywhere: the first row is green, and the first
    // is also the slowest, so it ends red.
    EXPECT_EQ(g.fastRow[2], 2);
    EXPECT_EQ(g.slowRow[2], 2);
    EXPECT_EQ(g.colours(2, 2).back, 0x0000FFu);
}

TEST_F(LapTable, ALapWithoutRowsKeepsEmptySectorCellsThatAreNeverMarked)
{
    LapState s = threeLaps();
    s.bounds.InizioGiro[3] = s.bounds.FineGiro[3] = 0; // lap 2 has no rows
    s.SettoriGiro = 2;
    s.LunghezzeSettori[0] = 50;
    ASSERT_TRUE(CompilaTabellaGiri(s, lapNumbers(), lapMetres()));
    EXPECT_EQ(s.grid.text(3, 0), languageText(193) + "2"); // its row number less one
    EXPECT_EQ(s.grid.text(3, 1), "01:20.00");
    EXPECT_EQ(s.grid.text(3, 2), "");
    EXPECT_NE(s.grid.fastRow[2], 3);
    EXPECT_NE(s.grid.slowRow[2], 3);
    EXPECT_NE(s.grid.fastRow[2], 0);
}

TEST_F(LapTable, MarksCompareTimesAsNumbers)
{
    struct Case {
        std::vector<const char*> times; // rows 2, 3, ...
        int fast;
        int slow;
    } cases[] = {
        {{"01:20.00", "01:20.00", "01:30.00"}, 2, 4},
        {{"01:30.00", "01:20.00", "01:30.00"}, 3, 2},
        {{"01:25.00"}, 2, 2},
        {{"99:59.99", "100:00.00", "09:00.00"}, 4, 3},
        {{"", "01:10.00", "abc", "01:05.00"}, 5, 3},
        {{"", ""}, 0, 0},
    };
    for (const Case& c : cases) {
        LapState s;
        s.intGiriCompletati = int(c.times.size());
        s.intGiriTotali = s.intGiriCompletati + 3;
        s.grid.cells.resize(std::size_t(s.intGiriTotali));
        for (std::size_t k = 0; k < c.times.size(); ++k)
            s.TabellaGiri[k + 2][1] = QLatin1String(c.times[k]);
        EvidenziaGiriEstremi(s);
        EXPECT_EQ(s.grid.fastRow[1], c.fast) << c.times[0];
        EXPECT_EQ(s.grid.slowRow[1], c.slow) << c.times[0];
        EXPECT_EQ(s.intGiroVeloce, c.fast ? c.fast - 1 : 0);
        EXPECT_EQ(s.intGiroLento, c.slow ? c.slow - 1 : 0);
        EXPECT_EQ(s.grid.text(2, 1), QLatin1String(c.times[0]));
    }
}

TEST_F(LapTable, NoCompletedLapShowsTheWholeSessionWithoutAGrid)
{
    LapState s;
    s.bounds.InizioGiro = {0, 0, 2};
    s.bounds.FineGiro = {0, 0, 500};
    readLapLines(s, {"1.4", ""});
    EXPECT_FALSE(CompilaTabellaGiri(s, lapNumbers(), lapMetres()));
    EXPECT_FALSE(s.grid.visible);
    EXPECT_EQ(s.GiroCorrente, 2);
    EXPECT_EQ(s.CampioniGiro, 498);
    // Nothing is selected on a hidden grid.
    EXPECT_FALSE(MSFlexGrid1_Click(s, 1, 1, lapNumbers()).selected);
    EXPECT_EQ(s.GiroCorrente, 2);
}

TEST_F(LapTable, ClickingALapTimeSelectsItsRows)
{
    LapState s = threeLaps();
    CompilaTabellaGiri(s, lapNumbers(), lapMetres());
    LapSelection sel = MSFlexGrid1_Click(s, 3, 1, lapNumbers());
    ASSERT_TRUE(sel.selected);
    EXPECT_EQ(sel.lapCaption, " " + languageText(110) + " 2");
    EXPECT_TRUE(sel.showChart);
    EXPECT_EQ(s.GiroCorrente, 3);
    EXPECT_EQ(s.CampioniGiro, 9);
    EXPECT_EQ(s.grid.colours(3, 2).back, 0xFF0000u);
    EXPECT_EQ(s.grid.colours(3, 2).fore, 0xFFFFFFu);
    EXPECT_EQ(s.grid.colours(3, 1).back, 0x00FF00u); // the fastest mark stays

    sel = MSFlexGrid1_Click(s, 1, 1, lapNumbers());
    EXPECT_EQ(sel.lapCaption, " " + languageText(110) + " 0");
    EXPECT_EQ(s.GiroCorrente, 1);
    EXPECT_EQ(s.grid.colours(3, 2).back, 0xFFFFFFu);
    EXPECT_EQ(s.grid.colours(3, 2).fore, 0u);

    // Another column only redoes the marking.
    s.TabellaGiri[2][1] = "01:00.00";
    sel = MSFlexGrid1_Click(s, 4, 2, lapNumbers());
    EXPECT_FALSE(sel.selected);
    EXPECT_EQ(s.GiroCorrente, 1);
    EXPECT_EQ(s.grid.fastRow[1], 2);

    for (int row : {0, 6, -1})
        EXPECT_FALSE(MSFlexGrid1_Click(s, row, 1, lapNumbers()).selected) << row;

    s.bounds.FineGiro[4] = s.bounds.InizioGiro[4];
    sel = MSFlexGrid1_Click(s, 4, 1, lapNumbers());
    EXPECT_TRUE(sel.selected);
    EXPECT_FALSE(sel.showChart);
    EXPECT_EQ(sel.lapCaption, " " + languageText(110) + " 3");
}

TEST_F(LapTable, RebuildAfterACircuitChangeAndANewLanguage)
{
    LapState s = threeLaps();
    s.SettoriGiro = 4;
    s.LunghezzeSettori = {20, 20, 20};
    CompilaTabellaGiri(s, lapNumbers(), lapMetres());
    // 60 m are reached at the lap's seventh row: the last sector ends there.
    EXPECT_EQ(s.grid.text(2, 4), "00:00.20");
    MSFlexGrid1_Click(s, 3, 1, lapNumbers());
    ASSERT_EQ(s.grid.colours(3, 2).back, 0xFF0000u);

    // Every row is painted white again, the selected one too, until the
    // next click; the lap on show stays.
    for (int r = 0; r < s.grid.rows; ++r)
        PulisciRigaTabella(s, r);
    for (int c = 2; c <= 4; ++c) {
        EXPECT_EQ(s.grid.colours(3, c).back, 0xFFFFFFu) << c;
        EXPECT_EQ(s.grid.colours(3, c).fore, 0u) << c;
    }
    EXPECT_EQ(s.GiroCorrente, 3);
    EXPECT_EQ(s.grid.text(2, 2), "");
    EXPECT_EQ(s.grid.text(0, 2), "");
    EXPECT_EQ(s.grid.text(2, 1), "01:23.45");
    EXPECT_EQ(s.grid.text(0, 1), languageText(143));

    CaricaSettori(s, "gone"); // one column now
    CompilaTabellaGiri(s, lapNumbers(), lapMetres());
    for (int c = 2; c <= 20; ++c)
        EXPECT_EQ(s.TabellaGiri[2][std::size_t(c)], "") << c;
    EXPECT_EQ(s.grid.text(2, 4), "");

    const QString english = languageText(143);
    TabellaLingua.IndiceLingua = 0;
    computeLanguageOffset();
    AggiornaTestiTabellaGiri(s, lapNumbers());
    EXPECT_EQ(s.grid.text(0, 1), languageText(143));
    EXPECT_NE(languageText(143), english);
    EXPECT_EQ(s.grid.text(3, 0), languageText(193) + "2");
    EXPECT_EQ(s.grid.text(3, 1), "01:20.00");
}

TEST_F(LapTable, PrimoGiroValidoIsTheFirstSegmentEndingFromRowThree)
{
    LapState s = threeLaps();
    EXPECT_EQ(PrimoGiroValido(s), 1);
    s.bounds.InizioGiro[1] = s.bounds.FineGiro[1] = 0; // nothing before lap 1
    EXPECT_EQ(PrimoGiroValido(s), 2);
    s.bounds = LapBounds();
    EXPECT_EQ(PrimoGiroValido(s), 1);
}

TEST_F(LapTable, TimeTextsInHundredths)
{
    struct Case {
        const char* text;
        qint64 cs;
    } cases[] = {
        {"00:01:23.45", 8345}, {"01:23.45", 8345}, {"1:23.45", 8345},
        {"100:00.00", 600000}, {"01:23.4", 8340}, {"02:00:00.00", 720000},
        {"", 0}, {"ab:cd.ef", 0}, {"00:00.00", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LeggiTempoCentesimi(QLatin1String(c.text)), c.cs) << c.text;
}

TEST_F(LapTable, SpeedsFromTheTrackLength)
{
    EXPECT_EQ(VelocitaDaTempo("01:23.45", "1000"), "43.14");
    EXPECT_EQ(VelocitaDaTempo("00:01:23.45", "1000"), "43.14");
    EXPECT_EQ(VelocitaDaTempo("01:23.45", ""), ".0");
    EXPECT_EQ(VelocitaDaTempo("01:23.45", "abc"), ".0");
    EXPECT_EQ(VelocitaDaTempo("00:00.00", "1000"), "");
    EXPECT_EQ(VelocitaDaTempo("", "1000"), "");
    EXPECT_EQ(VelocitaMediaGiri("00:04:10.35", 3, "1000"), "43.14");
    EXPECT_EQ(VelocitaMediaGiri("00:00:00.00", 3, "1000"), "");

    LapState s = threeLaps();
    EXPECT_EQ(GetVelocitaGiro(s, 2, "1000"), "43.14");
    EXPECT_EQ(GetVelocitaGiro(s, 1, "1000"), "");
    EXPECT_EQ(GetVelocitaGiro(s, 1000, "1000"), "");
}

} // namespace
} // namespace zuv::test
