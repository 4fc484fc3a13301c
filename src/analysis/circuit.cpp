// Circuit outline files, circuit names in paths and the map geometry.
#include "analysis/circuit.h"

#include "platform/numbers.h"
#include "platform/programfolder.h"
#include "platform/textfile.h"
#include "project/state.h"

#include <algorithm>

namespace zuv {
namespace {

std::optional<QString> circuitFile(const QString& circuit, const char* extension)
{
    if (circuit.isEmpty() || circuitNameProblem(circuit))
        return std::nullopt;
    return findEntryNoCase(tracksFolder(), circuit + QLatin1String(extension));
}

// Far beyond any map box, and small enough that no scale overflows.
constexpr qint32 kMaxCoordinate = 10000000;

std::optional<qint32> coordinate(QStringView text)
{
    const auto v = parseWhole(text, -kMaxCoordinate, kMaxCoordinate);
    if (!v)
        return std::nullopt;
    return qint32(*v);
}

QString unquoted(const QString& line)
{
    QStringView s(line);
    if (s.startsWith(QLatin1Char('"')))
        s = s.sliced(1);
    if (s.endsWith(QLatin1Char('"')))
        s.chop(1);
    return s.toString();
}

QPoint inTwips(const MapPoint& p, int scale) { return QPoint(p.x * scale, p.y * scale); }

} // namespace

std::optional<QString> circuitNameProblem(const QString& circuit)
{
    for (const QChar c : circuit) {
        const bool control = c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F);
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') || control) {
            const QString shown = control ? QStringLiteral("0x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'))
                                            : QString(c);
            return languageText(377).arg(shown);
        }
    }
    if (circuit.contains(QLatin1String("..")))
        return languageText(378);
    return std::nullopt;
}

QString tracksFolder() { return findEntryNoCase(programFolder(), QStringLiteral("tracks")); }

std::optional<QString> outlineFilePath(const QString& circuit) { return circuitFile(circuit, ".trk"); }

std::optional<QString> sectorFilePath(const QString& circuit) { return circuitFile(circuit, ".sec"); }

std::optional<MapPoint> outlinePoint(const QString& line)
{
    const QString s = unquoted(line);
    const qsizetype comma = s.indexOf(QLatin1Char(','));
    if (comma < 0)
        return std::nullopt;
    const auto x = coordinate(QStringView(s).left(comma));
    const auto y = coordinate(QStringView(s).sliced(comma + 1));
    if (!x || !y)
        return std::nullopt;
    return MapPoint{*x, *y};
}

std::vector<MapPoint> windowOutline(const QStringList& lines)
{
    std::vector<MapPoint> points;
    for (const QString& line : lines) {
        if (int(points.size()) >= kMaxMapPoints)
            return points;
        const QString s = unquoted(line);
        if (!s.trimmed().isEmpty() && !s.contains(QLatin1Char(',')))
            continue;
        const auto p = outlinePoint(line);
        if (!p)
            return points;
        points.push_back(*p);
    }
    // Only a reading that reached the end of the file repeats its last point.
    if (!points.empty() && int(points.size()) < kMaxMapPoints)
        points.push_back(points.back());
    return points;
}

std::vector<MapPoint> dialogOutline(const QStringList& lines)
{
    std::vector<MapPoint> points;
    for (const QString& line : lines) {
        if (int(points.size()) >= kMaxMapPoints)
            break;
        if (const auto p = outlinePoint(line))
            points.push_back(*p);
    }
    return points;
}

std::optional<QStringList> readOutlineFile(const QString& path) { return readTextLines(path); }

std::optional<QPoint> markerCorner(const std::vector<MapPoint>& points, qint64 point)
{
    if (points.empty())
        return std::nullopt;
    const MapPoint& p = points[std::size_t(std::clamp<qint64>(point, 0, qint64(points.size()) - 1))];
    return QPoint(p.x * kWindowMapScale - 20, p.y * kWindowMapScale - 30);
}

std::vector<QLine> mapLines(const std::vector<MapPoint>& points)
{
    std::vector<QLine> lines;
    if (points.size() < 2)
        return lines;
    for (std::size_t i = 0; i + 1 < points.size(); ++i)
        lines.emplace_back(inTwips(points[i], kWindowMapScale), inTwips(points[i + 1], kWindowMapScale));
    // The last entry repeats the last point read, or is that point when the
    // reading ended early or filled every entry.
    lines.emplace_back(inTwips(points.back(), kWindowMapScale), inTwips(points.front(), kWindowMapScale));
    return lines;
}

} // namespace zuv
