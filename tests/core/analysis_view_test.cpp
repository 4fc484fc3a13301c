// Zoom, move, plotting stride and playback of the analysis windows' view.

#include "analysis/view_steps.h"

#include <gtest/gtest.h>

namespace zuv::test {
namespace {

ViewState view(double minX, double maxX)
{
    ViewState v;
    v.MinX = minX;
    v.MaxX = maxX;
    return v;
}

TEST(AnalysisView, StrideAndMoveStepFollowTheWidth)
{
    struct Case {
        double width;
        int stride;
    } cases[] = {
        {60, 1}, {75, 2},   // 1.5 rounds to even 2
        {125, 2},           // 2.5 rounds to even 2
        {175, 4},           // 3.5 rounds to even 4
        {300, 6}, {100, 2},
        {20, 1},            // 0.4 rounds to 0, raised to 1
        {0, 1}, {-30, 1},
        {1638350, 32767},
    };
    for (const Case& c : cases) {
        ViewState v = view(10, 10 + c.width);
        v.CalcolaPassoSpostamento();
        EXPECT_EQ(v.PassoDisegno, c.stride) << c.width;
        EXPECT_DOUBLE_EQ(v.PassoSpostamento, c.width / 100) << c.width;
        v.PassoScorrimento = 0;
        v.CalcolaPassoScorrimento();
        EXPECT_DOUBLE_EQ(v.PassoScorrimento, c.width / 100) << c.width;
    }
}

TEST(AnalysisView, StepsStayWhenTheStrideWouldNotFitOrTheTimeAxisIsOff)
{
    // 1,638,375 x 10 / 500 rounds to 32768.
    ViewState wide = view(0, 1638375);
    wide.PassoDisegno = 7;
    wide.PassoSpostamento = 3;
    wide.CalcolaPassoSpostamento();
    EXPECT_EQ(wide.PassoDisegno, 7);
    EXPECT_EQ(wide.PassoSpostamento, 3);

    ViewState off = view(0, 300);
    off.chkTempo = false;
    off.PassoSpostamento = 0.01;
    off.CalcolaPassoSpostamento();
    EXPECT_EQ(off.PassoDisegno, 6);
    EXPECT_EQ(off.PassoSpostamento, 0.01);
}

TEST(AnalysisView, ZoomKeepsTheLeftEndAndOutUndoesIn)
{
    ViewState v = view(0, 100);
    applyZoom(v, ZoomButton::In10);
    EXPECT_DOUBLE_EQ(v.MaxX, 90);
    applyZoom(v, ZoomButton::Out10);
    EXPECT_DOUBLE_EQ(v.MaxX, 100);
    applyZoom(v, ZoomButton::In50);
    EXPECT_DOUBLE_EQ(v.MaxX, 50);
    applyZoom(v, ZoomButton::Out50);
    EXPECT_DOUBLE_EQ(v.MaxX, 100);
    applyZoom(v, ZoomButton::Out50);
    EXPECT_DOUBLE_EQ(v.MaxX, 200);
    EXPECT_EQ(v.MinX, 0);

    ViewState moved = view(40, 50);
    applyZoom(moved, ZoomButton::In50);
    EXPECT_EQ(moved.MinX, 40);
    EXPECT_DOUBLE_EQ(moved.MaxX, 45);
}

TEST(AnalysisView, ZoomInStopsAtOneSample)
{
    ViewState v = view(500, 500.15);
    applyZoom(v, ZoomButton::In50); // 0.075 would be less than a sample
    EXPECT_NEAR(v.MaxX - v.MinX, 0.1, 1e-9);
    EXPECT_EQ(AggiornaPulsantiZoom(v), false);
    applyZoom(v, ZoomButton::In10);
    EXPECT_NEAR(v.MaxX - v.MinX, 0.1, 1e-9);
    EXPECT_EQ(v.MinX, 500);

    // A degenerate range zooms out from one sample.
    ViewState flat = view(3, 3);
    applyZoom(flat, ZoomButton::Out50);
    EXPECT_NEAR(flat.MaxX, 3.2, 1e-9);
}

TEST(AnalysisView, ZoomInButtonsFollowTheWidthAndTheZoomMode)
{
    ViewState v = view(0, 1.2);
    applyZoom(v, ZoomButton::In10);
    EXPECT_EQ(AggiornaPulsantiZoom(v), true); // ends at 1.08 s
    applyZoom(v, ZoomButton::In10);
    EXPECT_EQ(AggiornaPulsantiZoom(v), false); // ends before the first second
    EXPECT_EQ(AggiornaPulsantiZoom(view(700, 700.5)), true);
    EXPECT_EQ(AggiornaPulsantiZoom(view(700, 700.1)), false);
    EXPECT_EQ(AggiornaPulsantiZoom(view(0, 0.05)), false);
    ViewState zoomMode = view(0, 100);
    zoomMode.ModoZoom = true;
    EXPECT_EQ(AggiornaPulsantiZoom(zoomMode), std::nullopt);
    zoomMode.MaxX = 0.1;
    EXPECT_EQ(AggiornaPulsantiZoom(zoomMode), false);
}

TEST(AnalysisView, MovesShiftByOneOrTenStepsUnbounded)
{
    ViewState v = view(0, 100);
    v.CalcolaPassoSpostamento();
    applyMove(v, MoveButton::Right1);
    EXPECT_DOUBLE_EQ(v.MinX, 1);
    applyMove(v, MoveButton::Right10);
    EXPECT_DOUBLE_EQ(v.MinX, 11);
    EXPECT_DOUBLE_EQ(v.MaxX, 111);
    applyMove(v, MoveButton::Left1);
    EXPECT_DOUBLE_EQ(v.MinX, 10);

    ViewState near = view(5, 105);
    near.PassoSpostamento = 1;
    applyMove(near, MoveButton::Left10);
    EXPECT_DOUBLE_EQ(near.MinX, -5);
    EXPECT_DOUBLE_EQ(near.MaxX, 95);
}

TEST(AnalysisView, FirstPlaybackRedrawsOnceInPlaceThenMovesAHundredthPerPass)
{
    Playback p;
    ViewState v = view(0, 50);
    ASSERT_EQ(p.click(PlaybackDirection::Right, 0), Playback::Click::Started);
    EXPECT_TRUE(p.ScorrimentoDX());
    EXPECT_FALSE(p.ScorrimentoSX());

    Playback::Pass first = p.pass(v, 100.0);
    EXPECT_TRUE(first.moved);
    EXPECT_FALSE(first.stopped);
    EXPECT_EQ(v.MinX, 0);
    EXPECT_DOUBLE_EQ(v.PassoScorrimento, 0.5);

    p.pass(v, 100.0);
    EXPECT_DOUBLE_EQ(v.MinX, 0.5);
    EXPECT_DOUBLE_EQ(v.MaxX, 50.5);
}

TEST(AnalysisView, PlayingRightPastTheLapEndStopsAfterOneMorePass)
{
    Playback p;
    ViewState v = view(10, 60);
    v.PassoScorrimento = 0.5;
    p.click(PlaybackDirection::Right, 1);
    EXPECT_EQ(p.tab(), 1);
    const Playback::Pass pass = p.pass(v, 59.9);
    EXPECT_TRUE(pass.moved);
    EXPECT_TRUE(pass.stopped);
    EXPECT_DOUBLE_EQ(v.MinX, 10.5);
    EXPECT_FALSE(p.playing());
    EXPECT_FALSE(p.pass(v, 59.9).moved);

    // Without a lap on show there is no end to play to.
    Playback q;
    ViewState w = view(0, 10);
    q.click(PlaybackDirection::Right, 0);
    EXPECT_TRUE(q.pass(w, std::nullopt).stopped);
}

TEST(AnalysisView, PlayingLeftStopsWithoutMovingOnceBelowZero)
{
    Playback p;
    ViewState v = view(0, 50);
    v.PassoScorrimento = 0.5;
    p.click(PlaybackDirection::Left, 0);
    EXPECT_TRUE(p.ScorrimentoSX());
    Playback::Pass pass = p.pass(v, std::nullopt); // 0 is not below 0
    EXPECT_TRUE(pass.moved);
    EXPECT_DOUBLE_EQ(v.MinX, -0.5);
    pass = p.pass(v, std::nullopt);
    EXPECT_FALSE(pass.moved);
    EXPECT_TRUE(pass.stopped);
    EXPECT_DOUBLE_EQ(v.MinX, -0.5);
}

TEST(AnalysisView, PlaybackButtonsToggleAndExcludeEachOther)
{
    Playback p;
    EXPECT_EQ(p.click(PlaybackDirection::Right, 2), Playback::Click::Ignored);
    EXPECT_FALSE(p.playing());
    ASSERT_EQ(p.click(PlaybackDirection::Right, 0), Playback::Click::Started);
    EXPECT_EQ(p.click(PlaybackDirection::Left, 0), Playback::Click::Ignored);
    EXPECT_TRUE(p.ScorrimentoDX());
    EXPECT_EQ(p.click(PlaybackDirection::Right, 1), Playback::Click::Stopped);
    EXPECT_FALSE(p.playing());
    EXPECT_EQ(p.tab(), 0); // the chart that played

    ASSERT_EQ(p.click(PlaybackDirection::Left, 1), Playback::Click::Started);
    p.stop();
    EXPECT_FALSE(p.playing());
    ViewState v = view(5, 10);
    v.PassoScorrimento = 1;
    EXPECT_FALSE(p.pass(v, std::nullopt).moved);
    EXPECT_EQ(v.MinX, 5);
}

} // namespace
} // namespace zuv::test
