// The analysis windows' lap table: the example's laps and sector times, and a
// click on a lap time that shows that lap.

#include "support/ui/analysis_window_fixture.h"

namespace zuv::test {

TEST_P(BothWindows, SectorTimesOfTheExampleEndAtItsSectorBoundaries)
{
    // Pista Collina: 780, 910 and 710 m. Every lap of the example runs past
    // 2400 m before its end, and the last sector ends where 2400 m is
    // reached: times from the alarms file's distance column, by hand.
    const char* const expected[7][3] = {
        {"00:20.80", "00:27.90", "00:25.50"}, {"00:20.40", "00:27.30", "00:24.80"},
        {"00:20.50", "00:27.00", "00:24.90"}, {"00:20.50", "00:27.10", "00:24.70"},
        {"00:20.10", "00:26.90", "00:24.20"}, {"00:20.60", "00:26.80", "00:24.30"},
        {"00:19.70", "00:27.10", "00:24.50"},
    };
    frmAnalisiDati& w = open(example, GetParam());
    ASSERT_TRUE(loaded);
    show();
    const auto expectTable = [&] {
        GridComponent& g = *w.MSFlexGrid1;
        for (int lap = 1; lap <= 7; ++lap)
            for (int sector = 1; sector <= 3; ++sector)
                EXPECT_EQ(g.text(lap + 1, sector + 1), QLatin1String(expected[lap - 1][sector - 1]))
                    << "lap " << lap << ", sector " << sector;
        EXPECT_EQ(g.text(0, 5), "");
        EXPECT_EQ(g.text(2, 5), "");
        // Sector 3: lap 5 fastest, lap 1 slowest.
        EXPECT_EQ(g.cellBackground(6, 4), colorFromValue(65280));
        EXPECT_EQ(g.cellBackground(2, 4), colorFromValue(255));
    };
    expectTable();

    // After the session data dialog the table is rebuilt and every row is
    // white again, the selected one too; the lap on show stays.
    clickCell(kLap4Row, 1);
    ASSERT_EQ(w.MSFlexGrid1->cellBackground(kLap4Row, 2), colorFromValue(0xFF0000));
    {
        ModalDriver user;
        user.on("zuv::dlgDatiSessione", [](QWidget& d) { static_cast<QDialog&>(d).reject(); });
        w.toolButton("DatiSessione")->trigger();
        EXPECT_TRUE(user.waitDone());
    }
    expectTable();
    EXPECT_EQ(w.session().GiroCorrente, kLap4Row);
    for (int c = 2; c <= 4; ++c) {
        EXPECT_EQ(w.MSFlexGrid1->cellBackground(kLap4Row, c), colorFromValue(0xFFFFFF)) << c;
        EXPECT_EQ(w.MSFlexGrid1->cellForeground(kLap4Row, c), colorFromValue(0)) << c;
    }
    // The next click paints a selection again.
    clickCell(3, 1);
    EXPECT_EQ(w.MSFlexGrid1->cellBackground(3, 2), colorFromValue(0xFF0000));
}

TEST_P(BothWindows, ClickOnALapTimeShowsThatLapWithTheCheckedTraces)
{
    frmAnalisiDati& w = open(example, GetParam());
    ASSERT_TRUE(loaded);
    show();
    check(4);
    check(9);
    EXPECT_EQ(w.session().NumGraficiAttivi, 2);
    EXPECT_TRUE(w.txtValore[4]->font().bold());
    EXPECT_TRUE(w.optScala[9]->isChecked()) << "the last measure checked gives the scale";
    ASSERT_EQ(w.NTGraph1->elementCount(), 2);

    clickCell(kLap4Row, 1);
    EXPECT_EQ(w.session().GiroCorrente, kLap4Row);
    EXPECT_EQ(w.SSTab1->tabText(0), languageText(273) + " " + languageText(110) + " 4");
    EXPECT_EQ(w.SSTab1->tabText(1), languageText(91) + " " + languageText(110) + " 4");
    // The selected row from column 2 on is blue on white.
    EXPECT_EQ(w.MSFlexGrid1->cellBackground(kLap4Row, 2), colorFromValue(0xFF0000));
    EXPECT_EQ(w.MSFlexGrid1->cellForeground(kLap4Row, 2), colorFromValue(0xFFFFFF));
    EXPECT_EQ(w.MSFlexGrid1->cellBackground(1, 2), colorFromValue(0xFFFFFF));

    // Lap 4 runs 0.0 to 72.9 s, 730 rows, drawn one by one (stride 1); the
    // fast window's view ends a row before the lap's last, as its scales say.
    const bool chart = GetParam() == AnalysisKind::Dati;
    const ChartComponent::Range r = w.NTGraph1->range();
    EXPECT_DOUBLE_EQ(r.xFrom, 0.0);
    const double lapEnd = chart ? 72.9 : 72.8;
    EXPECT_NEAR(r.xTo, lapEnd, 1e-9);
    EXPECT_EQ(w.session().PassoDisegno, 1);
    const std::vector<double> k = keys(*w.NTGraph1);
    ASSERT_EQ(k.size(), chart ? 730u : 729u);
    EXPECT_DOUBLE_EQ(k.front(), 0.0);
    EXPECT_NEAR(k.back(), lapEnd, 1e-9);
    EXPECT_EQ(w.NTGraph1->elementName(0), w.lblNomeCampo[4]->text());
    EXPECT_EQ(w.NTGraph1->elementColor(0), colorFromValue(w.shpColor[4]->colour()));
    // Overlaid: the largest maximum sets the top, each measure scaled to it.
    EXPECT_GT(r.yTo, w.session().ValoriMax[4]);
    EXPECT_DOUBLE_EQ(w.session().FattoriScala[3], 1.0) << "engine speed is the largest of all";
    EXPECT_NEAR(w.session().FattoriScala[4] * w.session().ValoriMax[4], w.session().ValoriMax[3], 1e-6);

    // A measure's filter thins its own trace.
    w.session().FiltroMisura[4] = 2;
    w.RidisegnaGraficoAttivo();
    EXPECT_EQ(keys(*w.NTGraph1).size(), 365u);

    // "Start" and "End" can be chosen like a lap; a click beside the lap
    // time only redoes the marks.
    clickCell(9, 1);
    EXPECT_EQ(w.session().GiroCorrente, 9);
    EXPECT_NEAR(w.NTGraph1->range().xTo, GetParam() == AnalysisKind::Dati ? 111.9 : 111.8, 1e-9);
    clickCell(3, 2);
    EXPECT_EQ(w.session().GiroCorrente, 9);
    EXPECT_EQ(w.MSFlexGrid1->cellBackground(6, 1), colorFromValue(65280));
}

} // namespace zuv::test
