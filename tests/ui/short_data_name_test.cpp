// A data file whose name is shorter than the cut that names its companions:
// both analysis windows look for them, and write the session file, beside
// it, never in the folder above.
#include "analysis/ui/frmAnalisiDati.h"
#include "analysis/ui/grid_component.h"
#include "analysis_fast/ui/frmAnalisiDatiSpeed.h"
#include "project/state.h"
#include "support/fixtures.h"
#include "support/session_files.h"

#include <QDir>
#include <QFileInfo>
#include <memory>

namespace zuv::test {
namespace {

class ShortDataNameTest : public ZuvTest {};

TEST_F(ShortDataNameTest, CompanionsAndTheSessionFileStayBesideTheDataFile)
{
    loadShippedLanguages();
    const SessionFiles two = makeSession(16, 2, 20);
    const SessionFiles three = makeSession(16, 3, 20);
    for (const bool fast : {false, true}) {
        SCOPED_TRACE(fast ? "frmAnalisiDatiSpeed" : "frmAnalisiDati");
        UsaAnalisiSpeed = fast;
        const QString folder = fast ? QStringLiteral("fast/") : QStringLiteral("chart/");
        // "ab" less four characters is nothing: the companions are ".txt"
        // and ".tim" in its folder, the session file "ses".
        const QString data = writeFile(folder + "d/ab", two.data);
        writeFile(folder + "d/.txt", two.alarms);
        writeFile(folder + "d/ab.txt", two.alarms);
        writeFile(folder + "d/.tim", two.laps);
        // What a cut into the folder would find: "d/ab" less four
        // characters is the folder above.
        writeFile(folder + ".txt", three.alarms);
        writeFile(folder + ".tim", three.laps);

        std::unique_ptr<frmAnalisiDati> w;
        if (fast)
            w = std::make_unique<frmAnalisiDatiSpeed>();
        else
            w = std::make_unique<frmAnalisiDati>();
        w->AnalysisFileName = data;
        ASSERT_TRUE(w->Form_Load());
        EXPECT_TRUE(msgs.shown.empty()) << msgs.shown[0].text.toStdString();
        EXPECT_EQ(w->session().intGiriCompletati, 2) << "the laps of d/.tim";
        EXPECT_EQ(w->MSFlexGrid1->rowCount(), 5);
        EXPECT_EQ(w->session().SessionFileName, path(folder + "d/ses"));
        w->ChiudiGrafico();
        w.reset();

        EXPECT_TRUE(QFileInfo::exists(path(folder + "d/ses")));
        EXPECT_EQ(QDir(path(folder)).entryList(QDir::Files | QDir::Hidden), (QStringList{".tim", ".txt"}))
            << "nothing written beside the folder";
    }
}

} // namespace
} // namespace zuv::test
