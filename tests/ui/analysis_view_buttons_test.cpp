// The analysis windows' view buttons: zoom, move and playback.

#include "support/ui/analysis_window_fixture.h"

namespace zuv::test {

TEST_P(BothWindows, PlaybackMovesByAHundredthAndStopsAtTheLapEndOrWhenTheWindowCloses)
{
    frmAnalisiDati& w = open(example, GetParam());
    ASSERT_TRUE(loaded);
    show();
    check(3);
    clickCell(kLap4Row, 1);
    QTest::mouseClick(w.cmdZoomIn50, Qt::LeftButton); // 0 .. 36.45

    QTest::mouseClick(w.cmdScorriDX, Qt::LeftButton);
    EXPECT_TRUE(w.playbackRunning());
    // A pass every 40 ms, not one after each redraw, which would play a
    // whole view in a quarter of a second.
    EXPECT_EQ(w.playbackTickMs(), 40);
    EXPECT_FALSE(w.cmdScorriSX->isEnabled());
    EXPECT_EQ(w.cmdScorriDX->palette().color(QPalette::Button), colorFromValue(0x00FF00));
    EXPECT_FALSE(w.NTGraph1->cursorTracking());
    // The first playback redraws where it stands, then moves a hundredth
    // of the width a pass.
    w.playbackPass();
    const double width = w.session().MaxX - w.session().MinX;
    EXPECT_NEAR(w.session().MinX, 0.0, 1e-9);
    w.playbackPass();
    EXPECT_NEAR(w.session().MinX, width / 100, 1e-9);
    EXPECT_NEAR(w.session().MaxX - w.session().MinX, width, 1e-9);
    EXPECT_NEAR(w.NTGraph1->range().xFrom, w.session().MinX, 1e-9);
    EXPECT_EQ(w.txtValore[1]->text(), readoutText(0.4)) << "the read-out follows the view";

    // The timer plays on by itself, a pass a tick.
    const double at = w.session().MinX;
    QTest::qWait(200);
    EXPECT_GT(w.session().MinX, at);

    // It ends once the view passes the lap's end.
    for (int pass = 0; pass < 1000 && w.playbackRunning(); ++pass)
        w.playbackPass();
    EXPECT_FALSE(w.playbackRunning());
    EXPECT_GT(w.session().MaxX, 72.8);
    EXPECT_TRUE(w.cmdScorriSX->isEnabled());
    EXPECT_TRUE(w.NTGraph1->cursorTracking());

    // A second click stops it; closing the window mid-playback too.
    QTest::mouseClick(w.cmdScorriSX, Qt::LeftButton);
    EXPECT_TRUE(w.playbackRunning());
    QTest::mouseClick(w.cmdScorriSX, Qt::LeftButton);
    EXPECT_FALSE(w.playbackRunning());
    QTest::mouseClick(w.cmdScorriDX, Qt::LeftButton);
    ASSERT_TRUE(w.playbackRunning());
    w.close();
    EXPECT_FALSE(w.playbackRunning());
    EXPECT_FALSE(StatoComunicazione.AnalisiAperta);
    QTest::qWait(150);
    window.reset();
    QTest::qWait(50);
}

TEST_F(AnalysisTest, ZoomAndMoveFollowTheButtonsAndBothChartsShareTheRange)
{
    frmAnalisiDati& w = open(example);
    ASSERT_TRUE(loaded);
    show();
    check(3);
    clickCell(kLap4Row, 1);
    QTest::mouseClick(w.cmdZoomIn10, Qt::LeftButton);
    EXPECT_NEAR(w.NTGraph1->range().xTo, 72.9 * 0.9, 1e-9);
    QTest::mouseClick(w.cmdZoomOut10, Qt::LeftButton);
    EXPECT_NEAR(w.NTGraph1->range().xTo, 72.9, 1e-9) << "-10% undoes +10%";
    QTest::mouseClick(w.cmdZoomOut50, Qt::LeftButton);
    EXPECT_NEAR(w.NTGraph1->range().xTo, 145.8, 1e-9);
    EXPECT_EQ(w.session().PassoDisegno, 3);
    EXPECT_EQ(keys(*w.NTGraph1).size(), 244u) << "730 rows every third";
    EXPECT_NEAR(w.NTGraphAll->range().xTo, 145.8, 1e-9);
    EXPECT_FALSE(surface.busy);

    // A move is a hundredth of the width, ten of them for the double one.
    QTest::mouseClick(w.cmdSpostaDX10, Qt::LeftButton);
    EXPECT_NEAR(w.NTGraph1->range().xFrom, 14.58, 1e-9);
    QTest::mouseClick(w.cmdSpostaSX1, Qt::LeftButton);
    EXPECT_NEAR(w.NTGraph1->range().xFrom, 14.58 - 1.458, 1e-9);
    // The traces start where the view does, from the lap's own row.
    EXPECT_NEAR(keys(*w.NTGraph1).front(), 13.1, 1e-9);
    EXPECT_EQ(w.session().RigaInizioTraccia, kLap4First + 131);

    // The alarms tab takes the measures chart's range.
    QTest::mouseClick(w.cmdZoomIn50, Qt::LeftButton);
    w.SSTab1->setCurrentIndex(1);
    EXPECT_NEAR(w.NTGraphAll->range().xFrom, w.NTGraph1->range().xFrom, 1e-9);
    EXPECT_NEAR(w.NTGraphAll->range().xTo, w.NTGraph1->range().xTo, 1e-9);
    EXPECT_EQ(w.session().SchedaCorrente, 1);

    // Zooming in stops at one sample, and the zoom-in buttons go off there.
    for (int i = 0; i < 40 && w.cmdZoomIn50->isEnabled(); ++i)
        QTest::mouseClick(w.cmdZoomIn50, Qt::LeftButton);
    EXPECT_FALSE(w.cmdZoomIn10->isEnabled());
    EXPECT_NEAR(w.NTGraph1->range().xTo - w.NTGraph1->range().xFrom, 0.1, 1e-6);
    QTest::mouseClick(w.cmdZoomOut50, Qt::LeftButton);
    EXPECT_TRUE(w.cmdZoomIn10->isEnabled());

    // "Original size" goes back to the whole lap.
    w.toolButton("DimOriginali")->trigger();
    EXPECT_NEAR(w.NTGraph1->range().xFrom, 0.0, 1e-9);
    EXPECT_NEAR(w.NTGraphAll->range().xTo, 72.9, 1e-9);
}

// A playback pass whose redraw has no room for a fourth separate measure
// shows its box, and the next pass waits until the user has answered it.
TEST_F(AnalysisTest, PlaybackWaitsForTheBoxOfARedrawThatHasNoRoom)
{
    frmAnalisiDati& w = open(example);
    ASSERT_TRUE(loaded);
    show();
    for (int i : {3, 4, 5})
        check(i);
    clickCell(kLap4Row, 1);
    QTest::mouseClick(w.cmdZoomIn50, Qt::LeftButton);
    w.toolButton("Separati")->trigger();
    check(6);
    QTest::mouseClick(w.cmdScorriDX, Qt::LeftButton);
    ASSERT_TRUE(w.playbackRunning());

    QtMessages real;
    setMessages(&real);
    ModalDriver user;
    bool waiting = false;
    user.on(
        "QMessageBox",
        [&](QWidget& box) {
            waiting = !w.playbackRunning();
            QTest::mouseClick(static_cast<QMessageBox&>(box).button(QMessageBox::Ok), Qt::LeftButton);
        },
        QStringLiteral("the redraw's box"));
    w.playbackPass();
    setMessages(&msgs);
    EXPECT_TRUE(user.waitDone());
    ASSERT_EQ(user.boxes.size(), 1u);
    EXPECT_EQ(user.boxes[0].text, languageText(145));
    EXPECT_EQ(user.boxes[0].owner, &w);
    EXPECT_TRUE(waiting);
    EXPECT_TRUE(w.playbackRunning()) << "it plays on once answered";
    QTest::mouseClick(w.cmdScorriDX, Qt::LeftButton);
    EXPECT_FALSE(w.playbackRunning());
    EXPECT_EQ(w.NTGraph1->bandCount(), 3);
}

} // namespace zuv::test
