// The cursor read-out: value rows, alarm lamps and the map marker.

#include "analysis/cursor_readout.h"

#include <gtest/gtest.h>

namespace zuv::test {
namespace {

TEST(CursorReadout, RowsFromTheSampleStrideAndFilter)
{
    EXPECT_EQ(cursorValueRow(10, 3, 1, 200), 230);
    EXPECT_EQ(cursorValueRow(10, 3, 2, 200), 260);
    EXPECT_EQ(cursorAlarmRow(10, 3, 200), 230);
    EXPECT_EQ(cursorValueRow(0, 3, 2, 200), 200);
    // A filter or stride below 1 counts as 1.
    EXPECT_EQ(cursorValueRow(10, 0, 0, 200), 210);
    EXPECT_EQ(cursorAlarmRow(10, -2, 200), 210);
}

TEST(CursorReadout, LampsLightOnTheirOwnActiveLevel)
{
    EXPECT_TRUE(alarmLampOn(0, 2));
    EXPECT_FALSE(alarmLampOn(0, 1));
    EXPECT_TRUE(alarmLampOn(7, 16));
    EXPECT_FALSE(alarmLampOn(7, 15));
    EXPECT_FALSE(alarmLampOn(3, 2));
    EXPECT_FALSE(alarmLampOn(0, 2.0001));
}

TEST(CursorReadout, MarkerIsTheShareOfTheLapBeforeTheCursor)
{
    struct Case {
        qint64 row, first, samples;
        int points;
        std::optional<qint64> p;
    } cases[] = {
        {700, 200, 1000, 201, 100}, // sample 500 of a lap from row 200
        {200, 200, 1000, 201, 0},
        {1200, 200, 1000, 201, 200},
        {999, 200, 1000, 201, 159},  // truncated towards zero
        {150, 200, 1000, 201, 0},    // before the lap
        {5000, 200, 1000, 201, 200}, // past it
        {700, 200, 0, 201, std::nullopt},
        {700, 200, 1000, 0, std::nullopt},
        {700, 200, 1000, 1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(markerPoint(c.row, c.first, c.samples, c.points), c.p) << c.row << " " << c.samples;
}

// A session of FieldsNum 4 with the lap on show at rows 200..1200.
AnalysisData session()
{
    AnalysisData w;
    w.FieldsNum = 4;
    w.bounds.InizioGiro = {0, 0, 200};
    w.bounds.FineGiro = {0, 0, 1200};
    w.GiroCorrente = 2;
    w.CampioniGiro = 1000;
    w.RigaInizioTraccia = 200;
    w.PassoDisegno = 1;
    for (int i = 1; i <= 20; ++i)
        w.FiltroMisura[i] = 1;
    return w;
}

// Column c at row r holds c + r / 1000; rows 0 to 1500 exist.
std::optional<double> cell(int column, qint64 row)
{
    if (row < 0 || row > 1500)
        return std::nullopt;
    return column + double(row) / 1000;
}

TEST(CursorReadout, MeasuresChartReadsTheRowOfTheLastTracesFilter)
{
    AnalysisData w = session();
    w.UltimaMisuraDisegnata = 4;
    w.FiltroMisura[4] = 2;
    const CursorReadout out = AggiornaCursore(w, 250, cell, 201);
    EXPECT_EQ(out.valueRow, 700);
    EXPECT_EQ(out.alarmRow, 450);
    EXPECT_EQ(out.values[1], QStringLiteral("1.7"));
    EXPECT_EQ(out.values[2], QStringLiteral("2.7"));
    EXPECT_EQ(out.values[4], QStringLiteral("4.7"));
    EXPECT_FALSE(out.values[5].has_value()); // beyond FieldsNum
    EXPECT_FALSE(out.values[0].has_value());
    EXPECT_EQ(out.marker, 100);
    for (const auto& lamp : out.lamps)
        EXPECT_FALSE(lamp.has_value());

    // Past the data: the boxes keep their texts, the marker sits at the end.
    const CursorReadout past = AggiornaCursore(w, 900, cell, 201);
    EXPECT_FALSE(past.values[1].has_value());
    EXPECT_EQ(past.marker, 200);

    // No map means no marker.
    EXPECT_FALSE(AggiornaCursore(w, 250, cell, 0).marker.has_value());

    // Nothing drawn: FiltroMisura(0) is 0, so every box shows row
    // RigaInizioTraccia whatever the cursor, and the marker does not move,
    // on either chart.
    w.UltimaMisuraDisegnata = 0;
    for (qint64 n : {0, 10, 500}) {
        const CursorReadout none = AggiornaCursore(w, n, cell, 201);
        EXPECT_EQ(none.valueRow, 200) << n;
        EXPECT_EQ(none.values[3], QStringLiteral("3.2")) << n;
        EXPECT_FALSE(none.marker.has_value()) << n;
        EXPECT_FALSE(AggiornaCursoreAllarmi(w, n, cell, cell, 201).marker.has_value()) << n;
    }
}

// The marker is the share of the lap before the row the boxes show, whatever
// the filter: with CampioniGiro 1000, InizioGiro 200, RigaInizioTraccia 200,
// stride 1 and 201 outline points, sample 500 is point 100 with filter 1,
// and with filter 2 (row 1200, the lap's end) point 200.
TEST(CursorReadout, MarkerFollowsTheRowTheBoxesShowWhateverTheFilter)
{
    AnalysisData w = session();
    w.UltimaMisuraDisegnata = 4;
    EXPECT_EQ(AggiornaCursore(w, 500, cell, 201).marker, 100);
    w.FiltroMisura[4] = 2;
    EXPECT_EQ(AggiornaCursore(w, 500, cell, 201).valueRow, 1200);
    EXPECT_EQ(AggiornaCursore(w, 500, cell, 201).marker, 200);
    // A view that starts later in the lap: row 500 is 300 rows into it, not
    // the 200 that halving the view's offset along with the filter gives.
    w.RigaInizioTraccia = 300;
    EXPECT_EQ(AggiornaCursore(w, 100, cell, 201).marker, 60);
}

TEST(CursorReadout, AlarmsChartReadsTheAlarmsRowForBoxesAndLamps)
{
    AnalysisData w = session();
    w.PassoDisegno = 3;
    w.UltimaMisuraDisegnata = 10;
    w.FiltroMisura[10] = 4;
    // Alarms 0 and 5 active at row 230, the others idle; nothing elsewhere.
    const CellValue alarms = [](int column, qint64 row) -> std::optional<double> {
        if (row != 230)
            return std::nullopt;
        const int k = column - 3;
        return (k == 0 || k == 5) ? 2 * k + 2 : 2 * k + 1;
    };
    const CursorReadout out = AggiornaCursoreAllarmi(w, 10, cell, alarms, 201);
    EXPECT_EQ(out.alarmRow, 230);
    EXPECT_EQ(out.valueRow, 230);
    EXPECT_EQ(out.values[3], QStringLiteral("3.23"));
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(out.lamps[std::size_t(k)], k == 0 || k == 5) << k;
    EXPECT_EQ(out.marker, 6);

    const CursorReadout elsewhere = AggiornaCursoreAllarmi(w, 11, cell, alarms, 201);
    for (const auto& lamp : elsewhere.lamps)
        EXPECT_FALSE(lamp.has_value());
}

TEST(CursorReadout, BoxesShowNumbersWithoutTheLeadingZero)
{
    AnalysisData w = session();
    const CellValue values = [](int column, qint64) -> std::optional<double> {
        const double v[] = {0, 0.5, 12, -3.75, -0.25};
        return v[column];
    };
    const CursorReadout out = AggiornaCursore(w, 0, values, 201);
    EXPECT_EQ(out.values[1], QStringLiteral(".5"));
    EXPECT_EQ(out.values[2], QStringLiteral("12"));
    EXPECT_EQ(out.values[3], QStringLiteral("-3.75"));
    EXPECT_EQ(out.values[4], QStringLiteral("-.25"));
}

} // namespace
} // namespace zuv::test
