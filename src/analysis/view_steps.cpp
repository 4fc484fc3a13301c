#include "analysis/view_steps.h"

#include "platform/numbers.h"

#include <algorithm>

namespace zuv {
namespace {

// False when the stride does not fit the 16-bit field it was made for.
bool computeStride(ViewState& view, double& step)
{
    const double w = view.MaxX - view.MinX;
    const double stride = roundHalfEven(w * 10 / 500);
    if (!(stride >= -32768 && stride <= 32767))
        return false;
    view.PassoDisegno = std::max(1, int(stride));
    if (view.chkTempo)
        step = w / 100;
    return true;
}

} // namespace

void ViewState::CalcolaPassoSpostamento() { computeStride(*this, PassoSpostamento); }

void ViewState::CalcolaPassoScorrimento() { computeStride(*this, PassoScorrimento); }

void ViewState::takeRange(const ViewRange& shown, bool withY)
{
    MinX = shown.xFrom;
    MaxX = shown.xTo;
    if (withY) {
        MinY = shown.yFrom;
        MaxY = shown.yTo;
    }
}

void applyZoom(ViewState& view, ZoomButton button)
{
    const double w = view.MaxX - view.MinX;
    double next = w;
    switch (button) {
    case ZoomButton::In10:
    case ZoomButton::In50:
        // Never below one sample, and never wider than before.
        if (w > kSampleSeconds)
            next = std::max(w * (button == ZoomButton::In10 ? 0.9 : 0.5), kSampleSeconds);
        break;
    case ZoomButton::Out10:
    case ZoomButton::Out50:
        next = std::max(w, kSampleSeconds) / (button == ZoomButton::Out10 ? 0.9 : 0.5);
        break;
    }
    view.MaxX = view.MinX + next;
}

void applyMove(ViewState& view, MoveButton button)
{
    double d = view.PassoSpostamento;
    if (button == MoveButton::Left10 || button == MoveButton::Right10)
        d *= 10;
    if (button == MoveButton::Left1 || button == MoveButton::Left10)
        d = -d;
    view.MinX += d;
    view.MaxX += d;
}

std::optional<bool> AggiornaPulsantiZoom(const ViewState& view)
{
    // A view ending before the first second is as deep as the zoom goes;
    // one moved further on stops at one sample (a hair of tolerance: 0.1 is
    // not exact in binary).
    if (view.MaxX < 1.0 || view.MaxX - view.MinX <= kSampleSeconds * (1 + 1e-9))
        return false;
    if (view.ModoZoom)
        return std::nullopt;
    return true;
}

Playback::Click Playback::click(PlaybackDirection direction, int tab)
{
    const State wanted = direction == PlaybackDirection::Right ? State::Right : State::Left;
    if (state_ == wanted) {
        state_ = State::Idle;
        return Click::Stopped;
    }
    if (state_ != State::Idle || (tab != 0 && tab != 1))
        return Click::Ignored;
    state_ = wanted;
    tab_ = tab;
    return Click::Started;
}

void Playback::stop() { state_ = State::Idle; }

Playback::Pass Playback::pass(ViewState& view, std::optional<double> lapEndX)
{
    Pass result;
    if (state_ == State::Right) {
        if (!lapEndX || view.MaxX > *lapEndX) {
            state_ = State::Idle;
            result.stopped = true;
        }
        view.MinX += view.PassoScorrimento;
        view.MaxX += view.PassoScorrimento;
    } else if (state_ == State::Left) {
        if (view.MinX < 0) {
            state_ = State::Idle;
            result.stopped = true;
            return result;
        }
        view.MinX -= view.PassoScorrimento;
        view.MaxX -= view.PassoScorrimento;
    } else {
        return result;
    }
    view.CalcolaPassoScorrimento();
    result.moved = true;
    return result;
}

} // namespace zuv
