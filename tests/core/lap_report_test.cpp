// The lap report's grid, sorts and printed pages.
#include "analysis/lap_report.h"

#include "analysis/grid_sort.h"
#include "analysis/session_header.h"
#include "platform/twips.h"
#include "project/language.h"
#include "project/state.h"
#include "support/fixtures.h"

#include <map>
#include <set>

namespace zuv::test {
namespace {

ReportSource report(int n)
{
    ReportSource g;
    g.intGiriCompletati = n;
    g.GetSessioneTempo = [](int row) { return QString::number(1 + (row - 2) / 30); };
    g.GetTempoGiro = [](int row) { return QStringLiteral("01:%1.00").arg(10 + row % 40, 2, 10, QLatin1Char('0')); };
    g.GetVelocitaGiro = [](int row) { return QStringLiteral("v%1").arg(row); };
    return g;
}

struct Printed {
    int x;
    int y;
    QString text;
};

// The texts of each page with the position each was printed at.
std::vector<std::vector<Printed>> pages(const std::vector<QString>& calls)
{
    std::vector<std::vector<Printed>> out(1);
    int x = 0;
    int y = 0;
    for (const QString& c : calls) {
        if (c == QLatin1String("page"))
            out.emplace_back();
        else if (c.startsWith(QLatin1String("pos "))) {
            const QStringList xy = c.mid(4).split(QLatin1Char(','));
            x = xy[0].toInt();
            y = xy[1].toInt();
        } else if (c.startsWith(QLatin1String("text ")))
            out.back().push_back({x, y, c.mid(5)});
    }
    return out;
}

class LapReport : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        loadShippedLanguages();
        session.Sessione = QStringLiteral("Race");
        session.VeicoloSessione = QStringLiteral("Kart");
        session.Piloti = QStringLiteral("A\r\nB");
        session.NoteSessione = QStringLiteral("dry\nwarm");
    }

    SessionRecord session;
    PrintRecorder recorder;
};

TEST_F(LapReport, GridRowsHeadingsAndWidths)
{
    EXPECT_EQ(reportGridRows(-1), 1);
    EXPECT_EQ(reportGridRows(0), 1);
    EXPECT_EQ(reportGridRows(5), 6);
    EXPECT_EQ(reportHeadings(), (ReportRow{"Session", "Lap", "Lap time", "Speed (Km/h)"}));
    EXPECT_TRUE(reportRows(report(-1)).empty());
    const auto rows = reportRows(report(3));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (ReportRow{"1", "1", "01:12.00", "v2"}));
    EXPECT_EQ(rows[2], (ReportRow{"1", "3", "01:14.00", "v4"}));
    EXPECT_EQ(reportWidths(10000), (std::array<int, 4>{2000, 1500, 2500, 3800}));
}

TEST_F(LapReport, SortsByTimeAsTextAndBackByNumber)
{
    std::vector<ReportRow> rows = {
        {"1", "1", "01:30.00", ""}, {"1", "2", "01:20.00", ""}, {"1", "9", "01:25.00", ""},
        {"2", "10", "01:20.00", ""}, {"2", "11", "01:19.99", ""},
    };
    // As the report's grid sorts them: by the key column's texts.
    const auto sortOn = [&rows](int column, int mode) {
        std::vector<QString> keys;
        for (const ReportRow& r : rows)
            keys.push_back(r[std::size_t(column)]);
        const std::vector<int> order = sortedOrder(keys, mode).value();
        std::vector<ReportRow> sorted;
        for (const int from : order)
            sorted.push_back(rows[std::size_t(from)]);
        rows = sorted;
    };
    sortOn(2, kSortTexts);
    std::vector<QString> order;
    for (const auto& r : rows)
        order.push_back(r[1]);
    // Equal times keep their lap order.
    EXPECT_EQ(order, (std::vector<QString>{"11", "2", "10", "9", "1"}));
    sortOn(1, kSortNumbers);
    order.clear();
    for (const auto& r : rows)
        order.push_back(r[1]);
    EXPECT_EQ(order, (std::vector<QString>{"1", "2", "9", "10", "11"}));
}

TEST_F(LapReport, PrintsEightyLapsAPageInTwoGroups)
{
    for (const int n : {1, 40, 41, 80, 81, 200}) {
        recorder.documents.clear();
        const PrintResult e = printLapReport(recorder, report(n), session);
        ASSERT_TRUE(e.printed) << n;
        ASSERT_EQ(recorder.documents.size(), 1u);
        const auto& doc = recorder.documents[0];
        EXPECT_EQ(doc.title, QStringLiteral("Lap report"));
        EXPECT_TRUE(doc.ended);
        EXPECT_EQ(doc.calls.back(), QStringLiteral("end"));
        const auto printed = pages(doc.calls);
        ASSERT_EQ(int(printed.size()), (n + 79) / 80) << n;

        std::set<int> seen;
        for (std::size_t p = 0; p < printed.size(); ++p) {
            std::map<QString, int> header;
            for (const Printed& t : printed[p])
                if (t.y < cmInTwips(6))
                    ++header[t.text];
            EXPECT_EQ(header[QStringLiteral("Drivers: A, B")], 1) << n;
            EXPECT_EQ(header[QStringLiteral("Notes: dry\nwarm")], 1) << n;
            EXPECT_EQ(header[QStringLiteral("Vehicle: Kart")], 1) << n;
            for (const Printed& t : printed[p]) {
                const bool left = t.x == cmInTwips(3);
                if ((!left && t.x != cmInTwips(12)) || t.y < cmInTwips(7))
                    continue;
                const int k = t.text.mid(1).toInt();
                EXPECT_EQ(t.text, QLatin1Char(' ') + QString::number(k));
                const int r = k - 80 * int(p);
                EXPECT_GE(r, 1);
                EXPECT_LE(r, 80);
                EXPECT_EQ(left, r <= 40) << k;
                EXPECT_EQ(t.y, cmInTwips(6.5 + 0.5 * (r <= 40 ? r : r - 40))) << k;
                EXPECT_TRUE(seen.insert(k).second) << "lap printed twice: " << k;
            }
        }
        EXPECT_EQ(int(seen.size()), n);
        EXPECT_EQ(*seen.rbegin(), n);
    }
}

TEST_F(LapReport, PageLayoutInCentimetres)
{
    printLapReport(recorder, report(81), session);
    const auto& calls = recorder.documents.at(0).calls;
    const auto at = [&](const QString& c) { return std::find(calls.begin(), calls.end(), c) - calls.begin(); };
    EXPECT_EQ(cmInTwips(1), 567);
    EXPECT_EQ(cmInTwips(28), 15874);
    EXPECT_EQ(calls[0], QStringLiteral("font Arial 10"));
    EXPECT_EQ(calls[1], QStringLiteral("line 567,567,10772,567"));
    EXPECT_EQ(calls[4], QStringLiteral("line 567,2835,567,567"));
    EXPECT_EQ(calls[5], QStringLiteral("pos 850,850"));
    EXPECT_EQ(calls[6], QStringLiteral("text Session: Race"));
    const auto font9 = at(QStringLiteral("font Arial 9"));
    EXPECT_EQ(calls[font9 - 1], QStringLiteral("line 567,15874,567,3118"));
    EXPECT_EQ(calls[font9 + 1], QStringLiteral("pos 850,3402"));
    EXPECT_EQ(calls[font9 + 2], QStringLiteral("text Session"));
    // The second page holds lap 81 alone, first in the left group.
    const auto page = at(QStringLiteral("page"));
    const auto lap81 = std::find(calls.begin() + page, calls.end(), QStringLiteral("text  81")) - calls.begin();
    EXPECT_EQ(calls[lap81 - 1], QStringLiteral("pos 1701,3969"));
    EXPECT_EQ(calls[page + 1], QStringLiteral("font Arial 10"));
}

// The drivers line loses each carriage return with the character after
// it; the notes print as they are.
TEST_F(LapReport, DriversLineJoinsItsLinesAndTheNotesStayAsTheyAre)
{
    struct Case {
        const char* drivers;
        const char* line;
    } cases[] = {
        {"A\r\nB", "A, B"}, {"A\r\nB\r\nC", "A, B, C"}, {"A\rB", "A, "}, {"A\r", "A, "},
        {"A\nB", "A\nB"},   {"A\r\r\nB", "A, \nB"},     {"", ""},
    };
    for (const Case& c : cases) {
        session.Piloti = QString::fromLatin1(c.drivers);
        session.NoteSessione = QStringLiteral("wet\r\nthen dry");
        const SessionHeader h = reportHeaderTexts(session);
        EXPECT_EQ(h[5], languageText(200) + QLatin1String(c.line)) << c.drivers;
        EXPECT_EQ(h[6], languageText(201) + QStringLiteral("wet\r\nthen dry"));
        EXPECT_EQ(h[0], languageText(195) + QStringLiteral("Race"));
        EXPECT_EQ(h[4], languageText(199) + QStringLiteral("Kart"));
    }
}

// The chart print's arguments: the same header but for the drivers and the
// notes, where each carriage return and each line feed is one blank; the
// alarms tab names the eight alarms, each followed by ";".
TEST_F(LapReport, ChartPrintArgumentsBlankTheLineBreaksAndNameTheTabsTraces)
{
    session.Piloti = QStringLiteral("A\r\nB\rC\nD");
    session.NoteSessione = QStringLiteral("dry\r\n");
    const ChartPrintArguments alarms = chartPrintArguments(session, true);
    EXPECT_EQ(alarms.header[5], languageText(200) + QStringLiteral("A  B C D"));
    EXPECT_EQ(alarms.header[6], languageText(201) + QStringLiteral("dry  "));
    EXPECT_EQ(alarms.header[5].size(), languageText(200).size() + session.Piloti.size());
    const SessionHeader report = reportHeaderTexts(session);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(alarms.header[std::size_t(i)], report[std::size_t(i)]) << i;
    QString names;
    for (int k = 274; k <= 281; ++k)
        names += languageText(k) + QLatin1Char(';');
    EXPECT_EQ(alarms.traceNames, names);
    EXPECT_TRUE(alarms.traceNames.endsWith(QLatin1Char(';')));
    EXPECT_TRUE(alarms.alarms);

    const ChartPrintArguments measures = chartPrintArguments(session, false);
    EXPECT_EQ(measures.header, alarms.header);
    EXPECT_EQ(measures.traceNames, languageText(202));
    EXPECT_FALSE(measures.alarms);
}

TEST_F(LapReport, NoLapPrintsNothingAndARefusalSaysWhyInTheProgramsLanguage)
{
    EXPECT_FALSE(printLapReport(recorder, report(0), session).printed);
    EXPECT_FALSE(printLapReport(recorder, report(-1), session).printed);
    EXPECT_TRUE(recorder.documents.empty());

    for (const int language : {0, 1}) {
        TabellaLingua.IndiceLingua = language;
        computeLanguageOffset();
        recorder.refuse = PrintRefusal{PrintFault::NoPrinter, QString()};
        const PrintResult none = printLapReport(recorder, report(3), session);
        EXPECT_FALSE(none.printed);
        EXPECT_EQ(none.message, languageText(368));

        recorder.refuse = PrintRefusal{PrintFault::NotStarted, QStringLiteral("Office")};
        EXPECT_EQ(printLapReport(recorder, report(3), session).message, languageText(370) + " Office");

        recorder.refuse.reset();
        recorder.refuseEnd = true;
        const PrintResult notTaken = printLapReport(recorder, report(3), session);
        EXPECT_FALSE(notTaken.printed);
        EXPECT_EQ(notTaken.message, languageText(371));
        recorder.refuseEnd = false;
    }
    EXPECT_NE(languageText(368, 0), languageText(368, 1));
}

} // namespace
} // namespace zuv::test
