// The sensors page's Send and Read last some seconds: each step shows on the
// page itself, beside its buttons, and on the main window's status bar.

#include "config/ui/frmSensori.h"
#include "link/serial_comm.h"
#include "platform/serialport.h"
#include "project/name_tables.h"
#include "project/project_record.h"
#include "project/state.h"
#include "support/fake_port.h"
#include "support/fixtures.h"

#include <QLabel>
#include <QProgressBar>
#include <QTest>

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
        setSerialPort(&port);
    }
    void TearDown() override
    {
        ChiudiPorta();
        setSerialPort(nullptr);
        clearNameTables();
        ZuvTest::TearDown();
    }

    struct Step {
        bool shown;
        int value;
        QString text;
        QString panel3;
        bool operator==(const Step&) const = default;
    };

    // What the page showed as each frame went to the instrument.
    std::vector<Step> run(frmSensori& dlg, void (frmSensori::*click)())
    {
        std::vector<Step> steps;
        auto* frame = dlg.findChild<QWidget*>(QStringLiteral("fraAvanzamento"));
        auto* bar = dlg.findChild<QProgressBar*>(QStringLiteral("prgPassi"));
        auto* label = dlg.findChild<QLabel*>(QStringLiteral("lblPasso"));
        EXPECT_TRUE(frame && bar && label);
        if (!frame || !bar || !label)
            return steps;
        EXPECT_FALSE(frame->isVisible());
        port.onWrite = [&](const QByteArray& f) {
            if (f.size() > 1 && f[1] != char(0x01))
                steps.push_back({frame->isVisible(), bar->value() * 100 / bar->maximum(), label->text(),
                                 surface.panelText[3]});
        };
        msgs.answers = {MsgAnswer::Ok};
        (dlg.*click)();
        port.onWrite = nullptr;
        EXPECT_FALSE(frame->isVisible()) << "the progress goes once the run has ended";
        return steps;
    }

    static std::vector<Step> expected(std::initializer_list<int> texts)
    {
        std::vector<Step> out;
        int k = 0;
        for (int n : texts) {
            const QString t = QStringLiteral("IT%1").arg(n);
            out.push_back({true, k++ * 10, t, t});
        }
        return out;
    }

    FakeSerialPort port;
};

TEST_F(SensorsProgressTest, SendShowsEachStepOnThePage)
{
    frmSensori dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    const QSize before = dlg.size();
    EXPECT_EQ(run(dlg, &frmSensori::cmdInviaDati_Click),
              expected({150, 151, 152, 153, 154, 155, 156, 322, 331, 332}));
    EXPECT_EQ(msgs.shown.back().text, QStringLiteral("IT157"));
    EXPECT_EQ(dlg.size(), before) << "the window keeps its size";
}

TEST_F(SensorsProgressTest, ReadShowsEachStepOnThePage)
{
    frmSensori dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    EXPECT_EQ(run(dlg, &frmSensori::cmdLeggiDati_Click),
              expected({158, 159, 160, 161, 162, 163, 164, 323, 333, 334}));
    EXPECT_EQ(msgs.shown.back().text, QStringLiteral("IT165"));
}

} // namespace
} // namespace zuv::test
