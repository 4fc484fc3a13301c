// The dialogs' computations on an analysis window, through the interface
// the dialogs reach it by.
#include "analysis/dialog_bridge.h"

#include "analysis/analysis_interface.h"
#include "analysis/measure_stats.h"
#include "analysis/session_file.h"

#include "platform/textfile.h"
#include "project/state.h"
#include "support/fake_analysis.h"
#include "support/fixtures.h"

#include <QLocale>

namespace zuv::test {
namespace {

class AnalysisDialogs : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        loadShippedLanguages();
        QLocale::setDefault(QLocale::c());
        const QStringList times = {"01:23.45", "01:20.00", "01:30.55"};
        for (int n = 1; n <= times.size(); ++n) {
            w.session().TabellaGiri[n + 1][1] = times[n - 1];
            w.session().TempiSessione[n + 1] = QString::number(7);
        }
        w.session().intGiriCompletati = 3;
        w.session().intGiroVeloce = 2;
        w.session().intGiroLento = 3;
        DatiSessione.LunghTracciato = QStringLiteral("1000");
    }
    void TearDown() override
    {
        QLocale::setDefault(QLocale::system());
        ZuvTest::TearDown();
    }

    FakeAnalysis w;
};

TEST_F(AnalysisDialogs, StatisticsFillTheWindowsTextsAndTheGrid)
{
    ASSERT_TRUE(fillLapStatistics(w));
    EXPECT_EQ(w.session().TempoTotale, QStringLiteral("00:04:14.00"));
    EXPECT_EQ(w.session().strGiroVeloce, QStringLiteral("01:20.00"));
    EXPECT_EQ(w.session().VelocitaGiroLento, QStringLiteral("39.757"));
    const auto rows = statisticsLines(w);
    EXPECT_EQ(rows[1][1], QStringLiteral("00:04:14.00"));
    EXPECT_EQ(rows[7][1], QStringLiteral("3"));

    // No completed lap: the texts stay as they were.
    w.session().intGiriCompletati = 0;
    EXPECT_FALSE(fillLapStatistics(w));
    EXPECT_EQ(w.session().TempoTotale, QStringLiteral("00:04:14.00"));
}

TEST_F(AnalysisDialogs, ReportAndMeasureGridsReadTheGetters)
{
    const auto rows = reportRows(reportSource(w));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1], (ReportRow{"7", "2", "01:20.00", "45.0"}));

    w.session().FieldsNum = 4;
    w.session().captions[3] = QStringLiteral("Engine");
    w.session().units[3] = QStringLiteral("[rpm]");
    w.session().ValoriMin[4] = -1.5;
    w.session().ValoriMedi[4] = 2.0 / 3.0;
    const auto grid = measureStatsRows(w);
    ASSERT_EQ(grid.size(), 3u);
    EXPECT_EQ(grid[1][0], QStringLiteral("Engine [rpm]"));
    EXPECT_EQ(grid[2][1], QStringLiteral("-1.5"));
    EXPECT_EQ(grid[2][3], QStringLiteral("0.67"));
}

// Open the settings of a measure, OK without an edit, and the session file
// holds the widened scale.
TEST_F(AnalysisDialogs, ChartSettingsReachTheSessionFile)
{
    const int i = 5;
    w.session().FiltroMisura[i] = 2;
    w.session().SpessoreMisura[i] = 3;
    w.session().ValoriMin[i] = 100;
    w.session().ValoriMax[i] = 200;
    w.session().toSettingsExchange(i);
    const SetGraphTexts t = setGraphTexts(w);
    const SetGraphResult e = checkSetGraph(t.txtFiltro, QStringLiteral("8"), t.txtMinVal, t.txtMaxVal);
    ASSERT_TRUE(e.accepted);
    applySetGraph(w, i, QStringLiteral("Oil; hot"), QStringLiteral("[bar]"), 0x00FF00, e);
    w.session().fromSettingsExchange(i);
    EXPECT_EQ(w.session().captions[i], QStringLiteral("Oil; hot"));
    EXPECT_EQ(w.session().units[i], QStringLiteral("[bar]"));

    const QByteArray file = sessionFileText(DatiSessione, w.session().sessionRows());
    EXPECT_TRUE(file.contains("\r\nOil; hot;2;65280;8;90;220\r\n")) << file.constData();

    // Read back into a fresh window: the ";" in the name shifts nothing.
    FakeAnalysis again;
    MeasureRows rows = again.session().sessionRows();
    ASSERT_EQ(readSessionLines(splitLines(file), DatiSessione, rows).outcome, SessionLoad::Complete);
    again.session().applySessionRows(rows);
    EXPECT_EQ(again.session().FiltroMisura[i], 2);
    EXPECT_EQ(again.session().SpessoreMisura[i], 8);
    EXPECT_EQ(again.session().colours[i], 0x00FF00u);
    EXPECT_EQ(again.session().ValoriMin[i], 90);
    EXPECT_EQ(again.session().ValoriMax[i], 220);

    // A refused OK writes nothing into the window.
    const SetGraphResult refused = checkSetGraph(QStringLiteral("0"), QStringLiteral("1"), {}, {});
    applySetGraph(w, i, QStringLiteral("other"), QString(), 0, refused);
    EXPECT_EQ(w.session().captions[i], QStringLiteral("Oil; hot"));
}

} // namespace
} // namespace zuv::test
