// Outline reading, circuit names in paths, the marker and the map lines.
#include "analysis/circuit.h"

#include "support/fixtures.h"

#include <QDir>

namespace zuv::test {
namespace {

QStringList points(int n)
{
    QStringList lines;
    for (int i = 0; i < n; ++i)
        lines.append(QStringLiteral("%1,%2").arg(i).arg(2 * i));
    return lines;
}

TEST(Circuit, NamesThatCouldLeaveTheTracksFolderAreRefused)
{
    struct Case {
        QString name;
        bool ok;
    } cases[] = {
        {QStringLiteral("Monza"), true},
        {QStringLiteral("Le Mans 2"), true},
        {QStringLiteral("Vallelunga.old"), true},
        {QStringLiteral(""), true}, // no circuit at all
        {QStringLiteral("../secret"), false},
        {QStringLiteral(".."), false},
        {QStringLiteral("a/b"), false},
        {QStringLiteral("a\\b"), false},
        {QStringLiteral("C:track"), false},
        {QStringLiteral("tab\there"), false},
        {QStringLiteral("line\nbreak"), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(!circuitNameProblem(c.name), c.ok) << c.name.toStdString();
}

class CircuitFiles : public ZuvTest {};

TEST_F(CircuitFiles, PathsMatchFolderAndExtensionWithoutCase)
{
    writeFile(QStringLiteral("Tracks/Monza.TRK"), "0,0\r\n");
    const auto trk = outlineFilePath(QStringLiteral("monza"));
    ASSERT_TRUE(trk);
    EXPECT_EQ(*trk, path(QStringLiteral("Tracks/Monza.TRK")));
    // A sector file not there yet goes beside the outline under the name given.
    EXPECT_EQ(sectorFilePath(QStringLiteral("Monza")), path(QStringLiteral("Tracks/Monza.sec")));
    EXPECT_FALSE(outlineFilePath(QStringLiteral("../Monza")));
    EXPECT_FALSE(sectorFilePath(QString()));
    ASSERT_TRUE(readOutlineFile(*trk));
    EXPECT_EQ(windowOutline(*readOutlineFile(*trk)).size(), 2u);
}

// Only a reading that reaches the end of the file repeats its last point;
// a bad or empty line ends it without.
TEST(Circuit, WindowOutlineRepeatsTheLastPointAndStopsAtABadLine)
{
    struct Case {
        const char* name;
        QStringList lines;
        std::vector<MapPoint> expected;
    };
    const Case cases[] = {
        {"triangle", {"0,0", "10,0", "10,10"}, {{0, 0}, {10, 0}, {10, 10}, {10, 10}}},
        {"quoted", {"\"3,4\"", "\"5,-6\""}, {{3, 4}, {5, -6}, {5, -6}}},
        {"no comma skipped", {"1,1", "header", "2,2"}, {{1, 1}, {2, 2}, {2, 2}}},
        {"empty line ends", {"1,1", "", "2,2"}, {{1, 1}}},
        {"not a number ends", {"1,1", "x,2", "3,3"}, {{1, 1}}},
        {"second comma ends", {"1,1", "2,2,2", "3,3"}, {{1, 1}}},
        {"far beyond any map ends", {"1,1", "99999999,0"}, {{1, 1}}},
        {"bad last line", {"0,0", "10,0", "10,10", "end,"}, {{0, 0}, {10, 0}, {10, 10}}},
        {"no comma on the last line", {"0,0", "10,0", "end"}, {{0, 0}, {10, 0}, {10, 0}}},
        {"nothing", {}, {}},
        {"bad first line", {"oops,1"}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(windowOutline(c.lines), c.expected) << c.name;

    // 200 points leave room for the repeat; 201 and more fill every entry.
    auto entries200 = windowOutline(points(200));
    ASSERT_EQ(entries200.size(), 201u);
    EXPECT_EQ(entries200[200], (MapPoint{199, 398}));
    const auto entries250 = windowOutline(points(250));
    ASSERT_EQ(entries250.size(), 201u);
    EXPECT_EQ(entries250[200], (MapPoint{200, 400}));
}

TEST(Circuit, DialogOutlineSkipsBadLinesAndAddsNothing)
{
    EXPECT_EQ(dialogOutline({"1,1", "", "x,2", "\"2,2\"", "3;3", "4,4"}),
              (std::vector<MapPoint>{{1, 1}, {2, 2}, {4, 4}}));
    EXPECT_EQ(dialogOutline(points(250)).size(), 201u);
}

TEST(Circuit, MarkerAndOutlineInTwips)
{
    const auto entries = windowOutline({"0,0", "10,0", "10,10"});
    EXPECT_EQ(markerCorner(entries, 0), QPoint(-20, -30));
    EXPECT_EQ(markerCorner(entries, 2), QPoint(250, 240));
    // A cursor past the lap cannot leave the outline.
    EXPECT_EQ(markerCorner(entries, 99), QPoint(250, 240));
    EXPECT_EQ(markerCorner(entries, -5), QPoint(-20, -30));
    EXPECT_FALSE(markerCorner({}, 0));

    const std::vector<QLine> expected = {
        QLine(0, 0, 270, 0), QLine(270, 0, 270, 270), QLine(270, 270, 270, 270), QLine(270, 270, 0, 0)};
    EXPECT_EQ(mapLines(entries), expected);
    EXPECT_TRUE(mapLines({{5, 5}}).empty());

    // Every entry taken by the file: the closing line still starts at its last point.
    const auto full = mapLines(windowOutline(points(250)));
    ASSERT_EQ(full.size(), 201u);
    EXPECT_EQ(full.back(), QLine(200 * 27, 400 * 27, 0, 0));
}

} // namespace
} // namespace zuv::test
