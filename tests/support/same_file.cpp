#include "support/same_file.h"

#include <QList>
#include <algorithm>

namespace zuv::test {

::testing::AssertionResult sameFile(const QByteArray& got, const QByteArray& want)
{
    if (got == want)
        return ::testing::AssertionSuccess();
    const QList<QByteArray> g = got.split('\n');
    const QList<QByteArray> w = want.split('\n');
    for (qsizetype i = 0; i < std::max(g.size(), w.size()); ++i)
        if (g.value(i) != w.value(i))
            return ::testing::AssertionFailure()
                   << "line " << i + 1 << ": got \"" << g.value(i).toStdString() << "\", want \""
                   << w.value(i).toStdString() << "\" (" << got.size() << " vs " << want.size()
                   << " bytes)";
    return ::testing::AssertionFailure() << "differs";
}

} // namespace zuv::test
