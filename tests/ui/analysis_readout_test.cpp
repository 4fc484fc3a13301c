// The analysis windows' cursor read-out, alarm lamps and circuit map.

#include "support/ui/analysis_window_fixture.h"

namespace zuv::test {

TEST_P(BothWindows, CursorShowsEveryValueTheLampsAndTheMapMarkerInBothTabs)
{
    frmAnalisiDati& w = open(example, GetParam());
    ASSERT_TRUE(loaded);
    show();
    check(6);
    clickCell(kLap4Row, 1);
    w.Toolbar1_ButtonClick(QStringLiteral("Circuito"));
    ASSERT_TRUE(w.session().blnCircuitoVisibile());
    ASSERT_TRUE(w.Picture1->isVisibleTo(&w));
    EXPECT_EQ(w.txtCircuito->text(), "Pista Collina");
    EXPECT_EQ(w.Picture1->markerPoint(), 0);
    const int points = w.Picture1->pointCount();
    EXPECT_GT(points, 100);

    // Oil pressure is low in lap 4 from 49.0 to 53 s. The cursor there
    // reads one data row in every box, the row of the time it shows.
    const DataSources& src = w.session().sources();
    const auto rowShown = [&] {
        const double t = w.txtValore[1]->text().toDouble();
        return w.session().RigaInizioTraccia + qRound64(t * 10);
    };
    clickChart(*w.NTGraph1, 51.0);
    EXPECT_NEAR(w.txtValore[1]->text().toDouble(), 51.0, 0.15);
    qint64 row = rowShown();
    for (int j : {2, 6, 16})
        EXPECT_EQ(w.txtValore[j]->text(), readoutText(*src.valueAt(j, row))) << j;
    const qint64 expected = (row - w.session().RigaInizioTraccia) * (points - 1) / (kLap4End - kLap4First);
    EXPECT_EQ(w.Picture1->markerPoint(), expected);
    const QPoint twips = *markerCorner(w.Picture1->outline(), expected);
    EXPECT_NEAR(w.Shape1->x(), twips.x() * w.Picture1->logicalDpiX() / 1440.0, 1.0);

    // On the alarms tab the same time lights the oil-pressure lamp only.
    w.SSTab1->setCurrentIndex(1);
    EXPECT_EQ(w.NTGraphAll->elementCount(), 8);
    EXPECT_EQ(w.NTGraphAll->elementColor(6), colorFromValue(w.shpAlarmColor[6]->colour()));
    EXPECT_NEAR(w.NTGraphAll->range().yTo, 18.0, 1e-9);
    clickChart(*w.NTGraphAll, 51.0);
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(w.shpAlarm[std::size_t(k)]->colour(), k == 6 ? kLampOn : kLampOff) << k;
    row = rowShown();
    EXPECT_EQ(w.txtValore[6]->text(), readoutText(*src.valueAt(6, row)));
    clickChart(*w.NTGraphAll, 20.0);
    EXPECT_EQ(w.shpAlarm[6]->colour(), kLampOff);
    EXPECT_NEAR(w.txtValore[1]->text().toDouble(), 20.0, 0.15);

    // The key again hides the map; the marker no longer moves.
    w.Toolbar1_ButtonClick(QStringLiteral("Circuito"));
    EXPECT_FALSE(w.Picture1->isVisibleTo(&w));
    const qint64 before = w.Picture1->markerPoint();
    clickChart(*w.NTGraphAll, 60.0);
    EXPECT_EQ(w.Picture1->markerPoint(), before);
}

// An outline file that ends on a bad line: the map shows the points before
// it and repeats none.
TEST_P(BothWindows, MapOfAnOutlineThatEndsOnABadLine)
{
    writeFile(QStringLiteral("tracks/Pista Collina.trk"), "0,0\r\n10,0\r\n10,10\r\nend,\r\n");
    frmAnalisiDati& w = open(example, GetParam());
    ASSERT_TRUE(loaded);
    w.Toolbar1_ButtonClick(QStringLiteral("Circuito"));
    ASSERT_TRUE(w.session().blnCircuitoVisibile());
    EXPECT_EQ(w.Picture1->outline(), (std::vector<MapPoint>{{0, 0}, {10, 0}, {10, 10}}));
    EXPECT_EQ(w.Picture1->markerPoint(), 0);
}

// With nothing drawn every box shows the first trace row and the map marker
// stays where it was, in both windows.
TEST_P(BothWindows, NothingDrawnLeavesTheMapMarkerWhereItIs)
{
    frmAnalisiDati& w = open(example, GetParam());
    ASSERT_TRUE(loaded);
    show();
    clickCell(kLap4Row, 1);
    w.Toolbar1_ButtonClick(QStringLiteral("Circuito"));
    ASSERT_TRUE(w.session().blnCircuitoVisibile());
    check(6);
    QTest::mouseClick(w.cmdSpostaDX10, Qt::LeftButton);
    const qint64 moved = w.Picture1->markerPoint();
    EXPECT_GT(moved, 0) << "a tenth into the lap";

    check(6);
    ASSERT_EQ(w.session().UltimaMisuraDisegnata, 0);
    for (int k = 0; k < 3; ++k) {
        QTest::mouseClick(w.cmdSpostaDX10, Qt::LeftButton);
        EXPECT_EQ(w.Picture1->markerPoint(), moved);
        EXPECT_EQ(w.txtValore[1]->text(), readoutText(*w.session().sources().valueAt(1, w.session().RigaInizioTraccia)));
    }
    clickChart(*w.NTGraph1, w.session().MinX + 5);
    EXPECT_EQ(w.Picture1->markerPoint(), moved);

    // Drawn again, it follows the cursor.
    check(6);
    QTest::mouseClick(w.cmdSpostaDX1, Qt::LeftButton);
    EXPECT_GT(w.Picture1->markerPoint(), moved);
}

} // namespace zuv::test
