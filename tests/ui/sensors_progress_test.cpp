// The sensors page's Send and Read last some seconds: each step shows on
// panel 3 of the main window, and the page has no progress of its own.
// First against a recording main window, which sees every text; then on
// the real main window's status bar, as the user sees it.

#include "config/ui/frmSensori.h"
#include "project/language.h"
#include "project/name_tables.h"
#include "project/project_record.h"
#include "project/state.h"
#include "support/emulator_line.h"
#include "support/fixtures.h"
#include "support/ui/user_at_the_line.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <ostream>

static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace zuv::test {
namespace {

// Each run's button, the texts of its steps on panel 3, and its end message.
struct SensorsRun {
    const char* button;
    std::vector<int> steps;
    int end;
};
const SensorsRun kRuns[] = {
    {"cmdInviaDati", {150, 151, 152, 153, 154, 155, 156, 322, 331, 332}, 157},
    {"cmdLeggiDati", {158, 159, 160, 161, 162, 163, 164, 323, 333, 334}, 165},
};

// The step texts, then panel 3 cleared at the end.
QStringList stepTexts(const SensorsRun& r)
{
    QStringList texts;
    for (int n : r.steps)
        texts << languageText(n);
    return texts << QString();
}

class SensorsProgressTest : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        useTwoLanguageTexts();
        CaricaTabelleCostanti();
        DatiProgetto = newProjectValues();
        StatoComunicazione.StrumentoPresente = true;
        if (!line.attach(fakeClock))
            GTEST_SKIP() << "no pseudo-terminal";
    }
    void TearDown() override
    {
        line.detach();
        clearNameTables();
        ZuvTest::TearDown();
    }

    // Panel 3 as the user saw it change during the run.
    QStringList panel3() const
    {
        QStringList shown;
        for (const auto& [panel, text] : surface.panelTexts)
            if (panel == 3 && (shown.isEmpty() || shown.last() != text))
                shown << text;
        return shown;
    }

    EmulatorLine line;
};

TEST_F(SensorsProgressTest, EachStepShowsOnPanel3OfTheMainWindowOnly)
{
    for (const SensorsRun& r : kRuns) {
        SCOPED_TRACE(r.button);
        frmSensori dlg;
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        const QSize before = dlg.size();
        EXPECT_TRUE(dlg.findChildren<QProgressBar*>().isEmpty());
        QStringList labels;
        for (const QLabel* l : dlg.findChildren<QLabel*>())
            labels << l->text();
        surface.clear();
        msgs.clear();
        msgs.answers.push_back(MsgAnswer::Ok);
        dlg.findChild<QPushButton*>(QLatin1String(r.button))->click();

        EXPECT_EQ(panel3(), stepTexts(r));
        EXPECT_EQ(msgs.shown.back().text, languageText(r.end));
        // Nothing on the page told the steps.
        QStringList after;
        for (const QLabel* l : dlg.findChildren<QLabel*>())
            after << l->text();
        EXPECT_EQ(after, labels);
        EXPECT_EQ(dlg.size(), before);
    }
}

// The real sensors page from the real main window's menu, the emulator on
// a pseudo-terminal: the main window's own status bar tells each step.
TEST_F(UserAtAQuickLine, TheSensorsPageStepsShowOnTheMainWindowsPanel3)
{
    for (const SensorsRun& r : kRuns) {
        SCOPED_TRACE(r.button);
        QStringList panel3;
        auto look = [&] {
            const QString now = window->panelText(3);
            if (panel3.isEmpty() || panel3.last() != now)
                panel3 << now;
        };
        fakeClock.onYield = look;
        user->boxes.clear();
        pageRun("mnuSensors", "zuv::frmSensori", r.button, 2);
        fakeClock.onYield = nullptr;
        look();

        EXPECT_EQ(panel3, stepTexts(r));
        ASSERT_EQ(user->boxes.size(), 2u);
        EXPECT_EQ(user->boxes[1].text, languageText(r.end));
        EXPECT_EQ(user->boxes[1].icon, QMessageBox::Information);
    }
}

} // namespace
} // namespace zuv::test
