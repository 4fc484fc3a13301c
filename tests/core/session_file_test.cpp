// The session file: exact bytes, round trip, damaged files, failed writes.
#include "analysis/session_file.h"

#include "platform/textfile.h"
#include "project/state.h"
#include "support/fixtures.h"

#include <QDir>
#include <QLocale>
#include <tuple>

namespace zuv::test {
namespace {

class SessionFileTest : public ZuvTest {
protected:
    // The bytes below have "." for the decimals, whatever the machine's
    // settings.
    void SetUp() override
    {
        ZuvTest::SetUp();
        QLocale::setDefault(QLocale::c());
    }
    void TearDown() override
    {
        QLocale::setDefault(QLocale::system());
        ZuvTest::TearDown();
    }

    static MeasureRows sampleRows()
    {
        MeasureRows rows;
        for (int i = kFirstSessionMeasure; i <= kLastSessionMeasure; ++i)
            rows[i] = {QStringLiteral("M%1").arg(i), qint16(i), qint32(i * 1000), 2, -1.5 * i, 10.25 * i};
        rows[3] = {QStringLiteral("Velocità"), 1, 255, 1, 0, 120.5};
        rows[4] = {QStringLiteral("Gas"), -3, -2147483647 - 1, 6, 0.1 + 0.2, -1e20};
        return rows;
    }

    static SessionRecord sampleSession()
    {
        SessionRecord s;
        s.Sessione = QString();
        s.DataSessione = QStringLiteral("12/05/2024");
        s.OraSessione = QStringLiteral("  10:30 ");
        s.Circuito = QStringLiteral("Monza");
        s.LunghTracciato = QStringLiteral("5793");
        s.VeicoloSessione = QStringLiteral("Kart 125");
        s.Piloti = QStringLiteral("Anna\r\nBruno\nCarla\rDario");
        s.NoteSessione = QStringLiteral("wet=dry");
        return s;
    }

    QString sessionPath() const { return path(QStringLiteral("run1.ses")); }
};

TEST_F(SessionFileTest, WritesTheTwentySixLinesByteForByte)
{
    const QByteArray bytes = sessionFileText(sampleSession(), sampleRows());
    const QList<QByteArray> lines = bytes.split('\n');
    ASSERT_EQ(lines.size(), kSessionFileLines + 1); // the last CR LF leaves an empty tail
    EXPECT_TRUE(lines.last().isEmpty());
    for (int i = 0; i < kSessionFileLines; ++i)
        EXPECT_TRUE(lines[i].endsWith('\r')) << i;
    EXPECT_EQ(lines[0], QByteArray("Sessione= \r"));
    EXPECT_EQ(lines[2], QByteArray("OraSessione=  10:30 \r"));
    EXPECT_EQ(lines[5], QByteArray("VeicoloSessione=Kart 125\r"));
    // Every kind of line break keeps the drivers on their line.
    EXPECT_EQ(lines[6], QByteArray("Piloti=Anna, Bruno, Carla, Dario\r"));
    EXPECT_EQ(lines[8], QByteArray("Velocit\xE0;1;255;1;0;120.5\r"));
    EXPECT_EQ(lines[9], QByteArray("Gas;-3;-2147483648;6;0.3;-1E+20\r"));
    EXPECT_EQ(lines[25], QByteArray("M20;20;20000;2;-30;205\r"));
}

TEST_F(SessionFileTest, RoundTripKeepsValuesByPositionWithoutOuterBlanks)
{
    DatiProgetto.Veicolo = QStringLiteral("Project car");
    DatiSessione = sampleSession();
    const MeasureRows written = sampleRows();
    QString error;
    ASSERT_TRUE(SalvaDatiSessione(sessionPath(), written, &error)) << error.toStdString();

    DatiSessione = SessionRecord();
    MeasureRows read;
    const SessionReadResult r = CaricaDatiSessione(sessionPath(), read);
    EXPECT_EQ(r.outcome, SessionLoad::Complete);
    EXPECT_EQ(r.linesRead, kSessionFileLines);
    EXPECT_EQ(DatiSessione.Sessione, QString());
    EXPECT_EQ(DatiSessione.OraSessione, QStringLiteral("10:30"));
    EXPECT_EQ(DatiSessione.Circuito, QStringLiteral("Monza"));
    EXPECT_EQ(DatiSessione.VeicoloSessione, QStringLiteral("Kart 125"));
    EXPECT_EQ(DatiSessione.Piloti, QStringLiteral("Anna, Bruno, Carla, Dario"));
    EXPECT_EQ(DatiSessione.NoteSessione, QStringLiteral("wet=dry"));
    EXPECT_EQ(DatiProgetto.Veicolo, QStringLiteral("Project car"));
    for (int i = kFirstSessionMeasure; i <= kLastSessionMeasure; ++i) {
        EXPECT_EQ(read[i].filter, written[i].filter) << i;
        EXPECT_EQ(read[i].colour, written[i].colour) << i;
        EXPECT_EQ(read[i].lineWidth, written[i].lineWidth) << i;
        EXPECT_DOUBLE_EQ(read[i].minimum, written[i].minimum) << i;
        EXPECT_DOUBLE_EQ(read[i].maximum, written[i].maximum) << i;
        // The row keeps its own name.
        EXPECT_TRUE(read[i].name.isEmpty()) << i;
    }
}

// Minimum and maximum follow the user's decimal separator; a file written
// under either separator reads under the other.
TEST_F(SessionFileTest, DecimalsFollowTheUsersSeparatorAndReadUnderEither)
{
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    QLocale::setDefault(italian);
    const QByteArray comma = sessionFileText(sampleSession(), sampleRows());
    QLocale::setDefault(QLocale::c());
    const QByteArray point = sessionFileText(sampleSession(), sampleRows());
    const QList<QByteArray> lines = comma.split('\n');
    EXPECT_EQ(lines[8], QByteArray("Velocit\xE0;1;255;1;0;120,5\r"));
    EXPECT_EQ(lines[9], QByteArray("Gas;-3;-2147483648;6;0,3;-1E+20\r"));
    EXPECT_EQ(lines[10], QByteArray("M5;5;5000;2;-7,5;51,25\r"));
    EXPECT_EQ(point.split('\n')[10], QByteArray("M5;5;5000;2;-7.5;51.25\r"));

    const MeasureRows written = sampleRows();
    for (const auto& [name, bytes, locale] : {std::tuple("comma read under C", comma, QLocale::c()),
                                              std::tuple("point read in Italy", point, italian),
                                              std::tuple("comma read in Italy", comma, italian)}) {
        SCOPED_TRACE(name);
        QLocale::setDefault(locale);
        SessionRecord s;
        MeasureRows read;
        EXPECT_EQ(readSessionLines(splitLines(bytes), s, read).outcome, SessionLoad::Complete);
        for (int i = kFirstSessionMeasure; i <= kLastSessionMeasure; ++i) {
            EXPECT_DOUBLE_EQ(read[i].minimum, written[i].minimum) << i;
            EXPECT_DOUBLE_EQ(read[i].maximum, written[i].maximum) << i;
        }
    }
}

// Only blanks go: a tab, a CR or a non-breaking space is part of the value.
TEST_F(SessionFileTest, ValuesLoseTheirBlanksAndNothingElse)
{
    const struct {
        QString line;
        QString SessionRecord::*value;
        QString read;
    } cases[] = {
        {QStringLiteral("Sessione=  Prova  "), &SessionRecord::Sessione, QStringLiteral("Prova")},
        {QStringLiteral("DataSessione=\t12/05\t"), &SessionRecord::DataSessione, QStringLiteral("\t12/05\t")},
        {QStringLiteral("OraSessione=\u00a010:30\u00a0 "), &SessionRecord::OraSessione,
         QStringLiteral("\u00a010:30\u00a0")},
        {QStringLiteral("Circuito= Monza\r"), &SessionRecord::Circuito, QStringLiteral("Monza\r")},
        {QStringLiteral("LunghTracciato=2400"), &SessionRecord::LunghTracciato, QStringLiteral("2400")},
        {QStringLiteral("VeicoloSessione= "), &SessionRecord::VeicoloSessione, QString()},
        {QStringLiteral("Piloti=  Anna e Bruno "), &SessionRecord::Piloti, QStringLiteral("Anna e Bruno")},
    };
    QStringList lines = splitLines(sessionFileText(SessionRecord(), MeasureRows()));
    for (std::size_t k = 0; k < std::size(cases); ++k)
        lines[qsizetype(k)] = cases[k].line;
    SessionRecord s;
    MeasureRows rows;
    EXPECT_EQ(readSessionLines(lines, s, rows).outcome, SessionLoad::Complete);
    for (const auto& c : cases)
        EXPECT_EQ(s.*c.value, c.read) << c.line.toStdString();
}

TEST_F(SessionFileTest, ASecondShorterSaveReplacesTheWholeFile)
{
    DatiSessione = sampleSession();
    DatiSessione.NoteSessione = QString(500, QLatin1Char('x'));
    ASSERT_TRUE(SalvaDatiSessione(sessionPath(), sampleRows()));
    DatiSessione = SessionRecord();
    ASSERT_TRUE(SalvaDatiSessione(sessionPath(), MeasureRows()));
    EXPECT_EQ(fileBytes(sessionPath()), sessionFileText(SessionRecord(), MeasureRows()));
}

TEST_F(SessionFileTest, AFailedWriteSaysWhy)
{
    QString error;
    EXPECT_FALSE(SalvaDatiSessione(path(QStringLiteral("missing/folder/x.ses")), sampleRows(), &error));
    EXPECT_FALSE(error.isEmpty());
    // A folder in the file's place is not replaced.
    QDir().mkpath(path(QStringLiteral("taken.ses")));
    error.clear();
    EXPECT_FALSE(SalvaDatiSessione(path(QStringLiteral("taken.ses")), sampleRows(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QDir(path(QStringLiteral("taken.ses"))).exists());
}

TEST_F(SessionFileTest, NameCutsThreeCharactersWhateverTheExtension)
{
    EXPECT_EQ(sessionFileFor(QStringLiteral("/data/run 1.csv")), QStringLiteral("/data/run 1.ses"));
    EXPECT_EQ(sessionFileFor(QStringLiteral("/data/run.abcd")), QStringLiteral("/data/run.ases"));
    EXPECT_EQ(sessionFileFor(QStringLiteral("ab")), QStringLiteral("ses"));
}

TEST_F(SessionFileTest, NoFileClearsTheSessionAndLeavesTheRows)
{
    DatiSessione = sampleSession();
    MeasureRows rows = sampleRows();
    const SessionReadResult r = CaricaDatiSessione(sessionPath(), rows);
    EXPECT_EQ(r.outcome, SessionLoad::NoFile);
    EXPECT_EQ(DatiSessione.Circuito, QString());
    EXPECT_EQ(DatiSessione.VeicoloSessione, QString());
    EXPECT_EQ(rows[5].filter, sampleRows()[5].filter);
}

// A short or damaged file keeps what came before the damage; nothing of the
// session shown before survives.
TEST_F(SessionFileTest, ReadingStopsAtTheDamageKeepingWhatCameBefore)
{
    const QStringList full = splitLines(sessionFileText(sampleSession(), sampleRows()));
    const MeasureRows defaults = [] {
        MeasureRows d;
        for (auto& m : d)
            m = {QStringLiteral("row"), 7, 7, 7, 7, 7};
        return d;
    }();

    struct Case {
        const char* name;
        QStringList lines;
        int linesRead;
        int lastFullRow; // rows up to this one read whole
    };
    QStringList badColour = full;
    badColour[10] = QStringLiteral("M5;9;red;1;0;1"); // row 5
    QStringList fewFields = full;
    fewFields[9] = QStringLiteral("M4;1;2;3;4");
    QStringList bigFilter = full;
    bigFilter[8] = QStringLiteral("M3;40000;1;1;0;1");
    const Case cases[] = {
        {"three lines", full.mid(0, 3), 3, 2},
        {"eleven lines", full.mid(0, 11), 11, 5},
        {"bad colour", badColour, 10, 4},
        {"four fields", fewFields, 9, 3},
        {"filter beyond 16 bits", bigFilter, 8, 2},
    };
    const MeasureRows written = sampleRows();
    for (const Case& c : cases) {
        SessionRecord s = sampleSession();
        s.Circuito = QStringLiteral("previous");
        MeasureRows rows = defaults;
        const SessionReadResult r = readSessionLines(c.lines, s, rows);
        EXPECT_EQ(r.outcome, SessionLoad::Partial) << c.name;
        EXPECT_EQ(r.linesRead, c.linesRead) << c.name;
        EXPECT_EQ(s.Circuito, c.linesRead >= 4 ? QStringLiteral("Monza") : QString()) << c.name;
        for (int i = kFirstSessionMeasure; i <= kLastSessionMeasure; ++i) {
            const bool taken = i <= c.lastFullRow;
            EXPECT_EQ(rows[i].lineWidth, taken ? written[i].lineWidth : qint16(7)) << c.name << " row " << i;
        }
    }
    // The fields before the bad one stay: row 5's filter was read.
    SessionRecord s;
    MeasureRows rows = defaults;
    readSessionLines(badColour, s, rows);
    EXPECT_EQ(rows[5].filter, 9);
    EXPECT_EQ(rows[5].colour, 7);
}

TEST_F(SessionFileTest, MeasureLinesReadFromTheRight)
{
    QStringList lines = splitLines(sessionFileText(SessionRecord(), MeasureRows()));
    lines[8] = QStringLiteral("Temp; oil [C];2; 65280 ; 3 ; 1 0,5 ;  99.5 ");
    lines[9] = QStringLiteral("RPM;2.5;1;3.5;0;1");
    // Keys are not compared: values go by position.
    lines[0] = QStringLiteral("Circuito=first");
    lines[1] = QStringLiteral("no key at all ");
    SessionRecord s;
    MeasureRows rows;
    EXPECT_EQ(readSessionLines(lines, s, rows).outcome, SessionLoad::Complete);
    EXPECT_EQ(s.Sessione, QStringLiteral("first"));
    EXPECT_EQ(s.DataSessione, QStringLiteral("no key at all"));
    EXPECT_EQ(rows[3].filter, 2);
    EXPECT_EQ(rows[3].colour, 65280);
    EXPECT_EQ(rows[3].lineWidth, 3);
    EXPECT_DOUBLE_EQ(rows[3].minimum, 10.5); // blanks removed, comma taken as the point
    EXPECT_DOUBLE_EQ(rows[3].maximum, 99.5);
    // Halves go to the even neighbour.
    EXPECT_EQ(rows[4].filter, 2);
    EXPECT_EQ(rows[4].lineWidth, 4);
}

TEST_F(SessionFileTest, ReadsTheShippedExampleWhole)
{
    MeasureRows rows;
    const SessionReadResult r =
        CaricaDatiSessione(QStringLiteral(ZUV_SHIPPED_DATA_DIR "/examples/Prova Collina.ses"), rows);
    EXPECT_EQ(r.outcome, SessionLoad::Complete);
    EXPECT_EQ(DatiSessione.Circuito, QStringLiteral("Pista Collina"));
    EXPECT_EQ(DatiSessione.LunghTracciato, QStringLiteral("2400"));
    EXPECT_EQ(rows[4].colour, 255);
    EXPECT_DOUBLE_EQ(rows[5].minimum, 2.3);
}

} // namespace
} // namespace zuv::test
