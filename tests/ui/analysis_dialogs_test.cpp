// The statistics, per-measure statistics, chart settings and lap report
// dialogs on a stand-in analysis window, through their real widgets.

#include "analysis/ui/analysis_dialogs.h"
#include "analysis/ui/dlgReportGiri.h"
#include "analysis/ui/dlgSetGraph.h"
#include "analysis/ui/dlgStatistiche.h"
#include "analysis/ui/dlgStatisticheMisure.h"
#include "analysis/ui/grid_component.h"
#include "platform/ui/qtdialogs.h"
#include "platform/ui/qtprinter.h"
#include "project/language.h"
#include "support/fake_analysis.h"
#include "support/shell_fixture.h"

#include <QApplication>
#include <QColorDialog>
#include <QRegularExpression>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>

namespace zuv::test {
namespace {

class AnalysisDialogsTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_TRUE(CaricaLingue());
        computeLanguageOffset();
        DatiSessione.LunghTracciato = QStringLiteral("1500");
        owner.show();
    }
    void TearDown() override
    {
        closeAnalysisDialogs();
        setPrinter(nullptr);
        ShellTest::TearDown();
    }

    static QStringList column(const GridComponent& g, int c)
    {
        QStringList out;
        for (int r = 0; r < g.rowCount(); ++r)
            out << g.text(r, c);
        return out;
    }

    // Every message shown so far, then forgets them.
    QStringList takeMessages()
    {
        QStringList out;
        for (const ShownMessage& m : msgs.shown)
            out << m.text;
        msgs.shown.clear();
        return out;
    }

    QWidget owner;
    FakeAnalysis window;
};

TEST_F(AnalysisDialogsTest, FakeWindowStandsInTheResolverUnderItsKind)
{
    EXPECT_EQ(currentAnalysis(), &window);
    {
        FakeAnalysis speed(AnalysisKind::DatiSpeed);
        UsaAnalisiSpeed = true;
        EXPECT_EQ(currentAnalysis(), &speed);
        speed.setLaps({"01:30.00", "01:20.50", "01:20.50"}, {"1", "1", "2"});
        EXPECT_EQ(speed.session().intGiriCompletati, 3);
        EXPECT_EQ(speed.session().intGiroVeloce, 2) << "the first of equal times";
        EXPECT_EQ(speed.session().intGiroLento, 1);
        EXPECT_EQ(speed.GetTempoGiro(3), QStringLiteral("01:20.50"));
        EXPECT_EQ(speed.GetSessioneTempo(4), QStringLiteral("2"));
        speed.lapTime[3] = QStringLiteral("scripted");
        EXPECT_EQ(currentAnalysis()->GetTempoGiro(3), QStringLiteral("scripted"));
    }
    EXPECT_EQ(currentAnalysis(), nullptr) << "out of the resolver once gone";
}

// --- statistics --------------------------------------------------------------

TEST_F(AnalysisDialogsTest, StatisticsWithoutACompletedLapSay302AndOpenNothing)
{
    window.session().TempoTotale = QStringLiteral("kept");
    for (int laps : {0, -1}) {
        window.session().intGiriCompletati = laps;
        EXPECT_EQ(dlgStatistiche::open(&owner), nullptr);
        EXPECT_EQ(dlgStatisticheMisure::open(&owner), nullptr);
        EXPECT_EQ(dlgReportGiri::open(&owner), nullptr);
        for (const ShownMessage& m : msgs.shown)
            EXPECT_EQ(m.owner, &owner) << "a box of the window whose key was pressed";
        EXPECT_EQ(takeMessages(), QStringList(3, fixtureText(0, 302))) << laps;
    }
    EXPECT_EQ(msgs.shown.size(), 0u);
    EXPECT_EQ(window.session().TempoTotale, QStringLiteral("kept"));
    EXPECT_EQ(raiseOpenDialog<dlgStatistiche>(), nullptr);
    EXPECT_EQ(raiseOpenDialog<dlgStatisticheMisure>(), nullptr);
    EXPECT_EQ(raiseOpenDialog<dlgReportGiri>(), nullptr);

    // No analysis window at all: nothing, not even the message.
    UsaAnalisiSpeed = true;
    EXPECT_EQ(dlgStatistiche::open(&owner), nullptr);
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(AnalysisDialogsTest, StatisticsOfOneAndOfManyLapsInBothLanguages)
{
    struct Case {
        QStringList laps;
        QStringList values;
    };
    const Case cases[] = {
        {{"01:30.00"}, {"1", "00:01:30.00", "01:30.00", "60.0", "1", "01:30.00", "60.0", "1", "01:30.00", "60.0"}},
        {{"01:30.00", "01:20.50", "01:45.25"},
         {"3", "00:04:35.75", "01:31.91", "58.749", "2", "01:20.50", "67.081", "3", "01:45.25", "51.306"}},
    };
    for (int language : {0, 1})
        for (const Case& c : cases) {
            TabellaLingua.IndiceLingua = language;
            window.setLaps(c.laps);
            dlgStatistiche* d = dlgStatistiche::open(&owner);
            ASSERT_NE(d, nullptr);
            EXPECT_TRUE(d->isVisible());
            EXPECT_FALSE(d->isModal());
            EXPECT_EQ(d->parentWidget(), &owner);
            EXPECT_EQ(d->windowTitle(), fixtureText(language, 116));
            ASSERT_EQ(d->MSFlexGrid1->rowCount(), 10);
            ASSERT_EQ(d->MSFlexGrid1->columnCount(), 2);
            const QStringList labels{fixtureText(language, 102), fixtureText(language, 103),
                                     fixtureText(language, 104), fixtureText(language, 105),
                                     fixtureText(language, 106), fixtureText(language, 107),
                                     fixtureText(language, 108), fixtureText(language, 109),
                                     fixtureText(language, 107), fixtureText(language, 108)};
            EXPECT_EQ(column(*d->MSFlexGrid1, 0), labels);
            EXPECT_EQ(column(*d->MSFlexGrid1, 1), c.values);
            EXPECT_EQ(window.session().TempoTotale, c.values[1]) << "computed into the window's texts";
            EXPECT_EQ(d->MSFlexGrid1->columnAlignment(1), 4);
            d->close();
        }
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(AnalysisDialogsTest, AnOpenDialogIsBroughtForwardNotFilledAgainUntilClosed)
{
    window.setLaps({"01:30.00"});
    window.setMeasure(3, "Rpm", "[rpm]", 100, 9000, 5000);
    dlgStatistiche* stats = dlgStatistiche::open(&owner);
    dlgStatisticheMisure* measures = dlgStatisticheMisure::open(&owner);
    dlgReportGiri* report = dlgReportGiri::open(&owner);
    ASSERT_TRUE(stats && measures && report);

    window.setLaps({"01:10.00", "01:20.00"});
    window.setMeasure(3, "Giri", "[rpm]", 100, 9000, 5000);
    EXPECT_EQ(dlgStatistiche::open(&owner), stats);
    EXPECT_EQ(dlgStatisticheMisure::open(&owner), measures);
    EXPECT_EQ(dlgReportGiri::open(&owner), report);
    EXPECT_EQ(window.session().TempoTotale, QStringLiteral("00:02:30.00")) << "the press computes again";
    EXPECT_EQ(stats->MSFlexGrid1->text(1, 1), QStringLiteral("00:01:30.00")) << "the grid keeps its values";
    EXPECT_EQ(measures->MSFlexGrid1->text(1, 0), QStringLiteral("Rpm [rpm]"));
    EXPECT_EQ(report->MSFlexGrid1->rowCount(), 2);

    // Closed by the user: the next press fills a new one.
    QPointer<QDialog> old = stats;
    stats->close();
    dlgStatistiche* again = dlgStatistiche::open(&owner);
    ASSERT_NE(again, nullptr);
    EXPECT_NE(again, old.data());
    EXPECT_EQ(again->MSFlexGrid1->text(1, 1), QStringLiteral("00:02:30.00"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(old.isNull()) << "deleted once closed";

    // The window's close takes every one of them with it.
    QPointer<QDialog> a = again, b = measures, c = report;
    closeAnalysisDialogs();
    EXPECT_TRUE(a.isNull() && b.isNull() && c.isNull());
    EXPECT_EQ(raiseOpenDialog<dlgReportGiri>(), nullptr);
}

// --- per-measure statistics --------------------------------------------------

TEST_F(AnalysisDialogsTest, PerMeasureGridHasARowPerMeasureInBothLanguages)
{
    window.setLaps({"01:30.00"});
    for (int i = 3; i <= 10; ++i)
        window.setMeasure(i, QStringLiteral("M%1").arg(i), QStringLiteral("[u]"), -i, 10 * i, i + 0.456);
    window.session().ValoriMedi[4] = 12;
    window.avgVal[5] = QStringLiteral("not a number");
    const QString point = QLocale().decimalPoint();
    for (int language : {0, 1}) {
        TabellaLingua.IndiceLingua = language;
        window.calls.clear();
        dlgStatisticheMisure* d = dlgStatisticheMisure::open(&owner);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), fixtureText(language, 186));
        const GridComponent& g = *d->MSFlexGrid1;
        ASSERT_EQ(g.rowCount(), 9) << "the headings and measures 3 to 10";
        EXPECT_EQ(g.fixedRowCount(), 1);
        EXPECT_EQ((QStringList{g.text(0, 0), g.text(0, 1), g.text(0, 2), g.text(0, 3)}),
                  (QStringList{fixtureText(language, 190), fixtureText(language, 187), fixtureText(language, 188),
                               fixtureText(language, 189)}));
        EXPECT_EQ((QStringList{g.text(1, 0), g.text(1, 1), g.text(1, 2), g.text(1, 3)}),
                  (QStringList{"M3 [u]", window.GetMinVal(3), window.GetMaxVal(3), "3" + point + "46"}));
        EXPECT_EQ(g.text(2, 3), QStringLiteral("12")) << "no separator for a whole number";
        EXPECT_EQ(g.text(3, 3), QString()) << "an average that is no number shows nothing";
        EXPECT_EQ(g.text(8, 0), QStringLiteral("M10 [u]"));
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(g.columnAlignment(c), 4);
        EXPECT_TRUE(std::count(window.calls.begin(), window.calls.end(), QStringLiteral("GetMediaVal 10")));
        EXPECT_FALSE(std::count(window.calls.begin(), window.calls.end(), QStringLiteral("GetMediaVal 11")));
        // Its own size, 6720 by 3900 twips.
        EXPECT_NEAR(d->width(), 6720 * d->logicalDpiX() / 1440.0, 1);
        EXPECT_NEAR(d->height(), 3900 * d->logicalDpiY() / 1440.0, 1);
        // Columns take 8, 3, 3 and 4 nineteenths of the grid.
        const int w = g.widthTwips();
        EXPECT_NEAR(g.columnWidth(0), w * 8 / 19.0, 20);
        EXPECT_NEAR(g.columnWidth(3), w * 4 / 19.0, 20);
        d->close();
    }

    // No measure at all: the headings alone.
    window.session().FieldsNum = 2;
    dlgStatisticheMisure* d = dlgStatisticheMisure::open(&owner);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->MSFlexGrid1->rowCount(), 1);
    EXPECT_EQ(d->MSFlexGrid1->text(0, 0), fixtureText(1, 190));
}

// --- chart settings ----------------------------------------------------------

class SetGraphTest : public AnalysisDialogsTest {
protected:
    static constexpr qint16 kMeasure = 5;

    void SetUp() override
    {
        AnalysisDialogsTest::SetUp();
        window.setMeasure(kMeasure, QStringLiteral("Oil"), QStringLiteral("[bar]"), 100, 200, 150);
        window.session().FiltroMisura[kMeasure] = 2;
        window.session().SpessoreMisura[kMeasure] = 3;
        window.session().colours[kMeasure] = 0x0000FF;
        window.session().blnSeparati = true;
    }

    // Runs `act` on the chart settings dialog once it is shown modal; a
    // dialog still open after it is cancelled, so no test hangs.
    void whenModal(std::function<void(dlgSetGraph&)> act)
    {
        timer = std::make_unique<QTimer>();
        QObject::connect(timer.get(), &QTimer::timeout, [this, act] {
            auto* d = qobject_cast<dlgSetGraph*>(QApplication::activeModalWidget());
            if (!d)
                return;
            timer->stop();
            act(*d);
            if (d->isVisible()) {
                ADD_FAILURE() << "dialog left open";
                d->reject();
            }
        });
        timer->start(5);
    }

    struct Settings {
        int filter;
        int lineWidth;
        double minimum;
        double maximum;
        QString name;
        QString unit;
        quint32 colour;
        bool operator==(const Settings&) const = default;
    };
    Settings settings() const
    {
        return {window.session().FiltroMisura[kMeasure], window.session().SpessoreMisura[kMeasure], window.session().ValoriMin[kMeasure],
                window.session().ValoriMax[kMeasure], window.session().captions[kMeasure], window.session().units[kMeasure],
                window.session().colours[kMeasure]};
    }

    std::unique_ptr<QTimer> timer;
};

TEST_F(SetGraphTest, OpensOnTheMeasureWithItsCaptionsInBothLanguages)
{
    window.session().toSettingsExchange(kMeasure);
    for (int language : {0, 1}) {
        TabellaLingua.IndiceLingua = language;
        dlgSetGraph d(kMeasure, &owner);
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Set grafico"));
        const std::pair<QString, int> captions[] = {
            {d.lblNomeCampo->text(), 41},     {d.lblUM->text(), 42},            {d.lblFiltro->text(), 43},
            {d.lblColoreGrafico->text(), 44}, {d.lblSpessoreLinea->text(), 45}, {d.fraScalaDisegno->title(), 46},
            {d.lblMinValDisegno->text(), 47}, {d.lblMaxValDisegno->text(), 48}, {d.CancelButton->text(), 35}};
        for (const auto& [shown, n] : captions)
            EXPECT_EQ(shown, fixtureText(language, n));
        EXPECT_EQ(d.OKButton->text(), QStringLiteral("OK"));
        EXPECT_TRUE(d.OKButton->isDefault());
        EXPECT_EQ(d.txtNomeCampo->text(), QStringLiteral("Oil"));
        EXPECT_EQ(d.txtUM->text(), QStringLiteral("[bar]"));
        EXPECT_EQ(d.txtFiltro->text(), QStringLiteral("2"));
        EXPECT_EQ(d.cboWidth->currentText(), QStringLiteral("3"));
        EXPECT_EQ(d.cboWidth->currentIndex(), 2);
        EXPECT_EQ(d.cboWidth->count(), 6);
        EXPECT_EQ(d.colour(), 0x0000FFu);
        EXPECT_EQ(d.txtMinVal->text(), QStringLiteral("90"));
        EXPECT_EQ(d.txtMaxVal->text(), QStringLiteral("220"));
        EXPECT_TRUE(d.fraScalaDisegno->isVisibleTo(&d));
    }
    // A language chosen while it is open shows at its next activation.
    dlgSetGraph d(kMeasure, &owner);
    TabellaLingua.IndiceLingua = 0;
    d.show();
    d.activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([&] { return d.lblFiltro->text() == fixtureText(0, 43); }, 2000));
}

TEST_F(SetGraphTest, OkWidensTheScaleEachTimeAndTheSessionKeepsIt)
{
    for (const auto& [min, max] : {std::pair{90.0, 220.0}, std::pair{81.0, 242.0}}) {
        whenModal([](dlgSetGraph& d) { QTest::mouseClick(d.OKButton, Qt::LeftButton); });
        EXPECT_TRUE(dlgSetGraph::edit(&owner, kMeasure));
        EXPECT_EQ(window.session().ValoriMin[kMeasure], min);
        EXPECT_EQ(window.session().ValoriMax[kMeasure], max);
    }
    const MeasureRows rows = window.session().sessionRows();
    EXPECT_EQ(rows[kMeasure].minimum, 81.0);
    EXPECT_EQ(rows[kMeasure].maximum, 242.0);
    EXPECT_EQ(rows[kMeasure].filter, 2);
    EXPECT_EQ(rows[kMeasure].lineWidth, 3);

    // A negative minimum moves towards zero; in the overlaid mode the scale
    // boxes are hidden and still stored.
    window.session().ValoriMin[kMeasure] = -10;
    window.session().blnSeparati = false;
    whenModal([](dlgSetGraph& d) {
        EXPECT_FALSE(d.fraScalaDisegno->isVisible());
        EXPECT_EQ(d.txtMinVal->text(), QStringLiteral("-9"));
        QTest::keyClick(d.txtFiltro, Qt::Key_Return);
    });
    EXPECT_TRUE(dlgSetGraph::edit(&owner, kMeasure));
    EXPECT_EQ(window.session().ValoriMin[kMeasure], -9.0);
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(SetGraphTest, EditsAreStoredAtOkAndCancelEscAndCloseBoxStoreNothing)
{
    auto edit = [](dlgSetGraph& d) {
        d.txtNomeCampo->setText(QStringLiteral("Olio"));
        d.txtUM->setText(QStringLiteral("[psi]"));
        d.txtFiltro->setText(QStringLiteral("4"));
        d.cboWidth->setEditText(QStringLiteral("8"));
        d.txtMinVal->setText(QStringLiteral("12.5 V"));
        d.txtMaxVal->setText(QStringLiteral("300"));
    };
    const Settings before = settings();
    const std::function<void(dlgSetGraph&)> closers[] = {
        [](dlgSetGraph& d) { QTest::mouseClick(d.CancelButton, Qt::LeftButton); },
        [](dlgSetGraph& d) { QTest::keyClick(&d, Qt::Key_Escape); },
        [](dlgSetGraph& d) { d.close(); },
    };
    for (const auto& close : closers) {
        whenModal([&](dlgSetGraph& d) {
            edit(d);
            close(d);
        });
        EXPECT_FALSE(dlgSetGraph::edit(&owner, kMeasure));
        EXPECT_EQ(settings(), before);
    }
    EXPECT_TRUE(window.calls.empty()) << "nothing written into the window";

    whenModal([&](dlgSetGraph& d) {
        edit(d);
        QTest::mouseClick(d.OKButton, Qt::LeftButton);
    });
    EXPECT_TRUE(dlgSetGraph::edit(&owner, kMeasure));
    EXPECT_EQ(settings(), (Settings{4, 8, 12.5, 300, "Olio", "[psi]", 0x0000FF}))
        << "a width beyond the list is kept as typed";
}

TEST_F(SetGraphTest, BadNumbersAreRefusedWithTheDialogStillOpen)
{
    const Settings before = settings();
    struct Bad {
        const char* filter;
        const char* lineWidth;
        const char* minimum;
        const char* maximum;
    };
    const Bad cases[] = {
        {"0", "3", "1", "2"}, {"-2", "3", "1", "2"}, {"abc", "3", "1", "2"}, {"40000", "3", "1", "2"},
        {"2", "x", "1", "2"}, {"2", "", "1", "2"},   {"2", "40000", "1", "2"},
    };
    for (int language : {0, 1}) {
        TabellaLingua.IndiceLingua = language;
        for (const Bad& b : cases) {
            window.session().toSettingsExchange(kMeasure);
            dlgSetGraph d(kMeasure, &owner);
            d.show();
            d.txtFiltro->setText(QLatin1String(b.filter));
            d.cboWidth->setEditText(QLatin1String(b.lineWidth));
            d.txtMinVal->setText(QLatin1String(b.minimum));
            d.txtMaxVal->setText(QLatin1String(b.maximum));
            QTest::mouseClick(d.OKButton, Qt::LeftButton);
            EXPECT_TRUE(d.isVisible()) << b.filter << " " << b.lineWidth;
            ASSERT_EQ(msgs.shown.size(), 1u) << b.filter << " " << b.lineWidth;
            EXPECT_FALSE(msgs.shown[0].text.isEmpty());
            EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Exclamation);
            EXPECT_EQ(msgs.shown[0].owner, &d) << "the dialog's own box";
            msgs.shown.clear();
            window.session().fromSettingsExchange(kMeasure);
            EXPECT_EQ(settings(), before);
        }
    }
    // Once put right, the same dialog stores.
    window.session().toSettingsExchange(kMeasure);
    dlgSetGraph d(kMeasure, &owner);
    d.show();
    d.txtFiltro->setText(QStringLiteral("0"));
    EXPECT_FALSE(d.OKButton_Click());
    d.txtFiltro->setText(QStringLiteral("7"));
    EXPECT_TRUE(d.OKButton_Click());
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(window.session().currGraphFiltro, 7);
}

TEST_F(SetGraphTest, ColourChosenIsStoredAtOkAndACancelledChoiceKeepsTheColour)
{
    fileDialogs.colourAnswers = {std::nullopt, 0x00FF00u};
    whenModal([](dlgSetGraph& d) {
        QTest::mouseClick(d.cmdColor, Qt::LeftButton);
        EXPECT_EQ(d.colour(), 0x0000FFu) << "cancelled";
        QTest::mouseClick(d.cmdColor, Qt::LeftButton);
        EXPECT_EQ(d.colour(), 0x00FF00u);
        EXPECT_EQ(d.cmdColor->styleSheet(), QStringLiteral("background-color: #00ff00;"));
        QTest::mouseClick(d.CancelButton, Qt::LeftButton);
    });
    EXPECT_FALSE(dlgSetGraph::edit(&owner, kMeasure));
    EXPECT_EQ(window.session().colours[kMeasure], 0x0000FFu) << "not stored after Cancel";
    EXPECT_EQ(fileDialogs.coloursAsked, (std::vector<quint32>{0x0000FF, 0x0000FF}))
        << "the colour dialog opens on the button's colour";

    fileDialogs.colourAnswers = {0xFF0000u};
    whenModal([](dlgSetGraph& d) {
        QTest::mouseClick(d.cmdColor, Qt::LeftButton);
        QTest::mouseClick(d.OKButton, Qt::LeftButton);
    });
    EXPECT_TRUE(dlgSetGraph::edit(&owner, kMeasure));
    EXPECT_EQ(window.session().colours[kMeasure], 0xFF0000u);

    // A cancelled choice, then OK: the colour the button had is stored.
    whenModal([](dlgSetGraph& d) {
        QTest::mouseClick(d.cmdColor, Qt::LeftButton);
        QTest::mouseClick(d.OKButton, Qt::LeftButton);
    });
    EXPECT_TRUE(dlgSetGraph::edit(&owner, kMeasure));
    EXPECT_EQ(window.session().colours[kMeasure], 0xFF0000u);
}

TEST_F(SetGraphTest, QtColourDialogOpensOnTheColourAndGivesTheChoiceOrNothing)
{
    QtDialogs qt;
    for (const bool accept : {true, false}) {
        QColor shown;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto* d = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            if (!d)
                return;
            timer.stop();
            shown = d->currentColor();
            d->setCurrentColor(QColor(0x12, 0x34, 0x56));
            accept ? d->accept() : d->reject();
        });
        timer.start(5);
        const std::optional<quint32> chosen = qt.askColour(0x0000FF);
        EXPECT_EQ(shown, QColor(Qt::red)) << "red is the low byte";
        if (accept)
            EXPECT_EQ(chosen, std::optional<quint32>(0x563412));
        else
            EXPECT_EQ(chosen, std::nullopt);
    }
}

// --- lap report --------------------------------------------------------------

TEST_F(AnalysisDialogsTest, ReportListsTheLapsInBothLanguages)
{
    window.setLaps({"01:30.00", "01:20.50"}, {"3", "4"});
    for (int language : {0, 1}) {
        TabellaLingua.IndiceLingua = language;
        dlgReportGiri* d = dlgReportGiri::open(&owner);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), fixtureText(language, 115));
        EXPECT_EQ(d->cmdGiri->text(), fixtureText(language, 113));
        EXPECT_EQ(d->cmdTempi->text(), fixtureText(language, 114));
        EXPECT_EQ(d->cmdStampa->text(), fixtureText(language, 7));
        const GridComponent& g = *d->MSFlexGrid1;
        ASSERT_EQ(g.rowCount(), 3);
        EXPECT_EQ(g.fixedRowCount(), 1);
        EXPECT_EQ((QStringList{g.text(0, 0), g.text(0, 1), g.text(0, 2), g.text(0, 3)}),
                  (QStringList{fixtureText(language, 194), fixtureText(language, 110), fixtureText(language, 111),
                               fixtureText(language, 112) + " (Km/h)"}));
        EXPECT_EQ((QStringList{g.text(2, 0), g.text(2, 1), g.text(2, 2), g.text(2, 3)}),
                  (QStringList{"4", "2", "01:20.50", "67.081"}));
        const int w = g.widthTwips();
        EXPECT_NEAR(g.columnWidth(3), w * 3.8 / 10, 20);
        d->close();
    }

    // A lap count below zero reaching the dialog keeps the heading row.
    window.session().intGiriCompletati = -1;
    dlgReportGiri d(&owner);
    EXPECT_EQ(d.MSFlexGrid1->rowCount(), 1);
}

TEST_F(AnalysisDialogsTest, ReportSortsByTimeAndBackByLapWithEqualTimesInLapOrder)
{
    window.setLaps({"01:31.00", "01:29.50", "01:31.00", "01:29.50", "01:40.00", "01:29.50", "01:35.00", "01:33.00",
                    "01:32.00", "01:30.00", "01:29.00"});
    dlgReportGiri* d = dlgReportGiri::open(&owner);
    ASSERT_NE(d, nullptr);
    auto laps = [&] { return column(*d->MSFlexGrid1, 1).mid(1).join(' '); };
    QTest::mouseClick(d->cmdTempi, Qt::LeftButton);
    EXPECT_EQ(laps(), QStringLiteral("11 2 4 6 10 1 3 9 8 7 5"));
    EXPECT_EQ(d->MSFlexGrid1->text(1, 2), QStringLiteral("01:29.00")) << "whole rows move";
    QTest::mouseClick(d->cmdGiri, Qt::LeftButton);
    EXPECT_EQ(laps(), QStringLiteral("1 2 3 4 5 6 7 8 9 10 11")) << "numbers, not texts: 10 after 9";
    EXPECT_EQ(d->MSFlexGrid1->text(2, 2), QStringLiteral("01:29.50"));
}

TEST_F(AnalysisDialogsTest, FailedPrintSaysWhyAndKeepsTheDialog)
{
    PrintRecorder none;
    none.refuse = PrintRefusal{PrintFault::NoPrinter, QString()};
    setPrinter(&none);
    window.setLaps({"01:30.00"});
    dlgReportGiri* d = dlgReportGiri::open(&owner);
    ASSERT_NE(d, nullptr);

    // Straight to the printer, which has nothing to print on: the reason,
    // in the program's language, and the dialog stays.
    for (const int language : {0, 1}) {
        TabellaLingua.IndiceLingua = language;
        computeLanguageOffset();
        QTest::mouseClick(d->cmdStampa, Qt::LeftButton);
        ASSERT_EQ(msgs.shown.size(), 1u);
        EXPECT_EQ(msgs.shown[0].text, fixtureText(language, 368));
        EXPECT_EQ(msgs.shown[0].owner, d) << "the dialog's own box";
        EXPECT_TRUE(d->isVisible());
        msgs.shown.clear();
    }
    EXPECT_TRUE(none.documents.empty());
    TabellaLingua.IndiceLingua = 0;
    computeLanguageOffset();

    // Sent: no message, the laps in lap order whatever the grid's order.
    PrintRecorder recorder;
    setPrinter(&recorder);
    msgs.shown.clear();
    window.setLaps({"01:31.00", "01:29.00"});
    d->cmdTempi_Click();
    EXPECT_TRUE(d->cmdStampa_Click());
    EXPECT_TRUE(msgs.shown.empty());
    ASSERT_EQ(recorder.documents.size(), 1u);
    EXPECT_EQ(recorder.documents[0].title, fixtureText(0, 115));
    const auto& calls = recorder.documents[0].calls;
    const auto first = std::find(calls.begin(), calls.end(), QStringLiteral("text 01:31.00"));
    const auto second = std::find(calls.begin(), calls.end(), QStringLiteral("text 01:29.00"));
    EXPECT_TRUE(first < second && second != calls.end()) << "each print reads the window again";
}

TEST_F(AnalysisDialogsTest, ReportOfMoreThan80LapsPrintsToPdf)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (pdftotext.isEmpty() || pdfinfo.isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    auto run = [](const QString& program, const QStringList& args) {
        QProcess p;
        p.start(program, args);
        EXPECT_TRUE(p.waitForFinished(20000));
        return QString::fromUtf8(p.readAllStandardOutput());
    };

    constexpr int kLaps = 85;
    QStringList times;
    QStringList sessions;
    auto time = [](int k) {
        return QStringLiteral("%1:%2.%3")
            .arg(1 + k / 60, 2, 10, QLatin1Char('0'))
            .arg(k % 60, 2, 10, QLatin1Char('0'))
            .arg(k * 7 % 100, 2, 10, QLatin1Char('0'));
    };
    for (int k = 1; k <= kLaps; ++k) {
        times << time(k);
        sessions << (k <= 40 ? QStringLiteral("1") : QStringLiteral("2"));
    }
    window.setLaps(times, sessions);
    DatiSessione.Sessione = QStringLiteral("Qualifying");
    DatiSessione.DataSessione = QStringLiteral("09/03/2024");
    DatiSessione.OraSessione = QStringLiteral("10:15");
    DatiSessione.Circuito = QStringLiteral("Monza");
    DatiSessione.VeicoloSessione = QStringLiteral("F3 car");
    DatiSessione.Piloti = QStringLiteral("Anna\r\nBruno");
    DatiSessione.NoteSessione = QStringLiteral("dry");

    const QString pdf = path(QStringLiteral("report.pdf"));
    QtPrinter printer(pdf);
    setPrinter(&printer);
    TabellaLingua.IndiceLingua = 1;
    dlgReportGiri* d = dlgReportGiri::open(&owner);
    ASSERT_NE(d, nullptr);
    QTest::mouseClick(d->cmdStampa, Qt::LeftButton);
    EXPECT_TRUE(msgs.shown.empty());
    ASSERT_TRUE(QFile::exists(pdf));

    EXPECT_TRUE(run(pdfinfo, {pdf}).contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))));
    const QStringList pages = run(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
                                  .split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), 2);
    for (const QString& page : pages) {
        for (const QString& header :
             {fixtureText(1, 195) + "Qualifying", fixtureText(1, 196) + "09/03/2024", fixtureText(1, 197) + "10:15",
              fixtureText(1, 198) + "Monza", fixtureText(1, 199) + "F3 car", fixtureText(1, 200) + "Anna, Bruno",
              fixtureText(1, 201) + "dry", fixtureText(1, 112) + " (Km/h)"})
            EXPECT_TRUE(page.contains(header)) << header.toStdString() << "\n" << page.toStdString();
    }
    for (int k = 1; k <= kLaps; ++k) {
        const int on = k <= 80 ? 0 : 1;
        EXPECT_TRUE(pages[on].contains(time(k))) << k;
        EXPECT_FALSE(pages[1 - on].contains(time(k))) << k;
    }
    // A row reads session, lap, time and speed.
    EXPECT_TRUE(pages[1].contains(QRegularExpression(QStringLiteral("\\b2\\s+81\\s+") + time(81) + "\\s+" +
                                                     window.GetVelocitaGiro(82))))
        << pages[1].toStdString();
}

} // namespace
} // namespace zuv::test
