#pragma once
// The visible range of an analysis window and what changes it without a
// widget: plotting stride and move step, the zoom and move buttons, the
// zoom-in buttons' state and the playback passes. The window reads the
// chart's range into the view first and applies the view afterwards.

#include "analysis/colour_values.h"

#include <optional>

namespace zuv {

// Samples are 0.1 s apart.
inline constexpr double kSampleSeconds = 0.1;

// A chart's visible range, as the window reads it from the chart.
struct ViewRange {
    double xFrom = 0;
    double xTo = 0;
    double yFrom = 0;
    double yTo = 0;
};

struct ViewState {
    double MinX = 0;
    double MaxX = 0;
    double MinY = 0;
    double MaxY = 0;
    // Data rows from one plotted point to the next, before the filter.
    int PassoDisegno = 1;
    double PassoSpostamento = 0;
    double PassoScorrimento = 0;
    bool ModoZoom = false;
    // The time-axis box; while it is not ticked the steps keep their values.
    bool chkTempo = true;

    // `PassoDisegno` about 500 points over the visible width, and a move
    // step of a hundredth of it. A width whose stride would not fit 16 bits
    // leaves both as they are.
    void CalcolaPassoSpostamento();
    // The same for the playback step.
    void CalcolaPassoScorrimento();
    // `MinX` and `MaxX` from a chart's range, `MinY` and `MaxY` too when
    // `withY`.
    void takeRange(const ViewRange& shown, bool withY);
};

enum class ZoomButton { In10, In50, Out10, Out50 };
// "+10%" and "+50%" keep 90% and 50% of the width, "-10%" and "-50%" divide
// it by 0.9 and 0.5, so each undoes its twin. The left end stays; zooming in
// stops at one sample.
void applyZoom(ViewState& view, ZoomButton button);

enum class MoveButton { Left1, Left10, Right1, Right10 };
// One or ten move steps; the range is not bounded.
void applyMove(ViewState& view, MoveButton button);

// `AggiornaPulsantiZoom`: false when the view ends before 1 s or is down to
// one sample (the zoom-in buttons are disabled), nothing while the zoom mode
// is on (they keep their state), else true.
std::optional<bool> AggiornaPulsantiZoom(const ViewState& view);

enum class PlaybackDirection { Right, Left };

// Idle, playing right or playing left. The window runs one pass per timer
// tick: it reads the chart's range into the view, calls `pass`, applies the
// view and redraws when the pass moved it, and stops its timer, gives the
// button its idle colour back and turns cursor tracking on again when the
// pass stopped the playback.
class Playback {
public:
    // Button colours: playing, and idle (the inactive border colour).
    static constexpr unsigned kPlayingColour = kColourGreen;
    static constexpr unsigned kIdleColour = kColourInactiveBorder;

    enum class Click { Started, Stopped, Ignored };
    // A click on a playback button while tab `tab` is shown (0 measures,
    // 1 alarms; other tabs are ignored). Starts when idle, stops when that
    // direction plays; the other direction's button is disabled meanwhile.
    Click click(PlaybackDirection direction, int tab);
    // Ends a running playback (the window is closing).
    void stop();

    bool ScorrimentoDX() const { return state_ == State::Right; }
    bool ScorrimentoSX() const { return state_ == State::Left; }
    bool playing() const { return state_ != State::Idle; }
    // The tab whose chart plays.
    int tab() const { return tab_; }

    struct Pass {
        bool moved = false;   // apply the view, redraw, update the read-out
        bool stopped = false; // the playback ended in this pass
    };
    // One pass. `lapEndX` is the x at sample `FineGiro`(`GiroCorrente`) - 1
    // of the playing chart, nothing when there is none: playing right then
    // stops, after this pass has still moved the view. Playing left stops,
    // without moving, once `MinX` is below 0.
    Pass pass(ViewState& view, std::optional<double> lapEndX);

private:
    enum class State { Idle, Right, Left };
    State state_ = State::Idle;
    int tab_ = 0;
};

} // namespace zuv
