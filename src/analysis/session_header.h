#pragma once
// The session's data at the top of a printed page, the same on the lap
// report and on a printed chart: texts 195 to 201 with their fields inside
// a frame. Places are centimetres from the printable area's top-left corner.

#include "project/state.h"

#include <QString>
#include <array>

namespace zuv {

class PrintSurface;

using SessionHeader = std::array<QString, 7>;

// Texts 195 to 201, each followed by its field; a multi-line box on one line,
// since a line break would run through the frame.
SessionHeader sessionHeaderTexts(const SessionRecord& s);

struct CmRect {
    double left, top, right, bottom;
};
inline constexpr CmRect kSessionHeaderFrame{1, 1, 19, 5};
inline constexpr double kSessionHeaderPoints = 10;

// The seven texts at their places inside the frame, in the current font.
void printSessionHeader(PrintSurface& page, const SessionHeader& texts);

} // namespace zuv
