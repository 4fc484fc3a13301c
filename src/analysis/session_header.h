#pragma once
// The session's data at the top of a printed page, on the lap report and on
// a printed chart: texts 195 to 201 with their fields inside a frame. Places
// are centimetres from the printable area's top-left corner.

#include "project/state.h"

#include <QString>
#include <array>

namespace zuv {

class PrintSurface;

using SessionHeader = std::array<QString, 7>;

// Texts 195 to 201, each followed by its field, the drivers and the notes
// line being `drivers` and `notes`.
SessionHeader sessionHeaderTexts(const SessionRecord& s, const QString& drivers, const QString& notes);
// The lap report's: every carriage return of the drivers, together with the
// character after it, becomes ", "; the notes print as they are.
SessionHeader reportHeaderTexts(const SessionRecord& s);

// The nine arguments of the chart print: the seven header texts (each
// carriage return and each line feed of the drivers and the notes lines one
// blank), the trace-names text and the alarms flag.
struct ChartPrintArguments {
    SessionHeader header;
    QString traceNames;
    bool alarms = false;
};
// The measures tab names its traces by text 202; the alarms tab by texts
// 274 to 281, each followed by ";".
ChartPrintArguments chartPrintArguments(const SessionRecord& s, bool alarmsTab);

struct CmRect {
    double left, top, right, bottom;
};
inline constexpr CmRect kSessionHeaderFrame{1, 1, 19, 5};
inline constexpr double kSessionHeaderPoints = 10;
// The font of the pages that carry the header.
inline constexpr char kReportFont[] = "Arial";

// The seven texts at their places inside the frame, in the current font.
void printSessionHeader(PrintSurface& page, const SessionHeader& texts);

} // namespace zuv
