#pragma once
// Circuits of the tracks folder: the outline file ("x,y" a line, map units,
// y downwards), the checks a circuit name passes before it becomes a path,
// and the map's geometry in twips for the analysis window's small map and
// the session data dialog's larger one.

#include <QLine>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace zuv {

struct MapPoint {
    qint32 x = 0;
    qint32 y = 0;
    friend bool operator==(const MapPoint&, const MapPoint&) = default;
};

inline constexpr int kMaxMapPoints = 201;
// Twips per map unit.
inline constexpr int kWindowMapScale = 27;
inline constexpr int kDialogMapScale = 43;

// --- names and paths -----------------------------------------------------------

// Nothing when `circuit` may name files of the tracks folder; otherwise why
// not, for a message. Refused: a folder separator ("/", "\"), ":", "..",
// and control characters.
std::optional<QString> circuitNameProblem(const QString& circuit);

// The tracks folder of the program and a circuit's files in it, names and
// extensions matched without regard to case; nothing for a refused name.
QString tracksFolder();
std::optional<QString> outlineFilePath(const QString& circuit);
std::optional<QString> sectorFilePath(const QString& circuit);

// --- outline files -------------------------------------------------------------

// One line as a point: one leading and one trailing double quote dropped,
// then two whole numbers around the first ",", each within +-10000000.
std::optional<MapPoint> outlinePoint(const QString& line);

// The analysis window's reading: lines in order, a line without "," skipped,
// an empty line or one that is not two numbers ends the reading, at most 201
// entries. A reading that reaches the end of the lines repeats the last point
// taken once as the final entry when there is room, so a file of n good
// lines gives n + 1 entries; one that ends early adds nothing.
std::vector<MapPoint> windowOutline(const QStringList& lines);

// The session data dialog's reading: every line that is a point, in order,
// at most 201; no repeated entry.
std::vector<MapPoint> dialogOutline(const QStringList& lines);

// The lines of an outline file; nothing when it cannot be read.
std::optional<QStringList> readOutlineFile(const QString& path);

// --- the analysis window's map ---------------------------------------------------

// Top-left corner of the position marker (a circle 135 twips across) on
// entry `point`, clamped to the entries: x x 27 - 20, y x 27 - 30. Nothing
// without entries.
std::optional<QPoint> markerCorner(const std::vector<MapPoint>& points, qint64 point);

// The outline as lines in twips (scale 27, width 2, black): entry i to i + 1,
// then the closing line from the last entry back to the first. Nothing with
// fewer than two entries.
std::vector<QLine> mapLines(const std::vector<MapPoint>& points);

} // namespace zuv
