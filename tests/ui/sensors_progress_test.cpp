// The sensors page's Send and Read last some seconds: each step shows on
// panel 3 of the main window, and the page has no progress of its own.

#include "config/ui/frmSensori.h"
#include "project/name_tables.h"
#include "project/project_record.h"
#include "project/state.h"
#include "support/emulator_line.h"
#include "support/fixtures.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <ostream>

static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace zuv::test {
namespace {

class SensorsProgressTest : public ZuvTest {
protected:
    void SetUp() override
    {
        ZuvTest::SetUp();
        QStringList texts{QString()};
        for (const char* lang : {"IT", "EN"})
            for (int n = 1; n <= 400; ++n)
                texts << QStringLiteral("%1%2").arg(QLatin1String(lang)).arg(n);
        TabellaLingua.TestiLingua = texts;
        TabellaLingua.NumTestiLingua = 400;
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
    std::vector<QString> panel3() const
    {
        std::vector<QString> shown;
        for (const auto& [panel, text] : surface.panelTexts)
            if (panel == 3 && (shown.empty() || shown.back() != text))
                shown.push_back(text);
        return shown;
    }

    EmulatorLine line;
};

TEST_F(SensorsProgressTest, EachStepShowsOnPanel3OfTheMainWindowOnly)
{
    const struct {
        const char* button;
        std::vector<int> steps;
        int end;
    } runs[] = {
        {"cmdInviaDati", {150, 151, 152, 153, 154, 155, 156, 322, 331, 332}, 157},
        {"cmdLeggiDati", {158, 159, 160, 161, 162, 163, 164, 323, 333, 334}, 165},
    };
    for (const auto& r : runs) {
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

        std::vector<QString> expected;
        for (int n : r.steps)
            expected.push_back(QStringLiteral("IT%1").arg(n));
        expected.push_back(QString()); // cleared at the end
        EXPECT_EQ(panel3(), expected);
        EXPECT_EQ(msgs.shown.back().text, QStringLiteral("IT%1").arg(r.end));
        // Nothing on the page told the steps.
        QStringList after;
        for (const QLabel* l : dlg.findChildren<QLabel*>())
            after << l->text();
        EXPECT_EQ(after, labels);
        EXPECT_EQ(dlg.size(), before);
    }
}

} // namespace
} // namespace zuv::test
