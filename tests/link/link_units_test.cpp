// The units of the link build on one another one way only: no unit uses,
// through its header or its source, a unit that uses it back, however
// long the way round.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace zuv::test {
namespace {

using Graph = std::map<QString, std::set<QString>>;

// Unit -> the other units of src/link its header and source include.
Graph linkUnits()
{
    const QDir link(QStringLiteral(ZUV_SHIPPED_DATA_DIR "/../src/link"));
    const QRegularExpression include(QStringLiteral(R"(^\s*#\s*include\s*"link/(\w+)\.h")"),
                                     QRegularExpression::MultilineOption);
    Graph g;
    for (const QString& name : link.entryList({QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files)) {
        const QString unit = QFileInfo(name).completeBaseName();
        QFile f(link.filePath(name));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        std::set<QString>& uses = g[unit];
        for (auto m = include.globalMatch(QString::fromUtf8(f.readAll())); m.hasNext();) {
            const QString used = m.next().captured(1);
            if (used != unit)
                uses.insert(used);
        }
    }
    return g;
}

// A way from `from` back to itself, or empty.
QStringList wayRound(const Graph& g, const QString& from, const QString& at, std::set<QString>& seen)
{
    const auto it = g.find(at);
    if (it == g.end())
        return {};
    for (const QString& next : it->second) {
        if (next == from)
            return {at, next};
        if (!seen.insert(next).second)
            continue;
        QStringList way = wayRound(g, from, next, seen);
        if (!way.isEmpty())
            return QStringList{at} + way;
    }
    return {};
}

TEST(LinkUnits, NoUnitUsesOneThatUsesItBack)
{
    const Graph g = linkUnits();
    ASSERT_GT(g.size(), 10u) << "the link's sources were not found";
    for (const auto& [unit, uses] : g) {
        std::set<QString> seen;
        const QStringList way = wayRound(g, unit, unit, seen);
        EXPECT_TRUE(way.isEmpty()) << way.join(QStringLiteral(" -> ")).toStdString();
    }
}

} // namespace
} // namespace zuv::test
