// The analysis-window interface: the resolver the dialogs use, the public
// getters and setters, and the values exchanged with the dialogs.

#include "analysis/analysis_interface.h"
#include "project/state.h"
#include "support/fake_analysis.h"
#include "support/fixtures.h"

#include <QLocale>
#include <memory>

namespace zuv::test {
namespace {

using AnalysisInterfaceTest = ZuvTest;

TEST_F(AnalysisInterfaceTest, ResolverGivesTheOpenWindowThatUsaAnalisiSpeedNames)
{
    EXPECT_EQ(currentAnalysis(), nullptr);
    FakeAnalysis tables(AnalysisKind::Dati);
    // The stand-in enters the resolver by itself; here it enters as a
    // window does.
    unregisterAnalysis(&tables);
    EXPECT_EQ(currentAnalysis(), nullptr);
    registerAnalysis(&tables);
    EXPECT_EQ(currentAnalysis(), &tables);
    UsaAnalisiSpeed = true;
    EXPECT_EQ(currentAnalysis(), nullptr);
    {
        auto speed = std::make_unique<FakeAnalysis>(AnalysisKind::DatiSpeed);
        unregisterAnalysis(speed.get());
        registerAnalysis(speed.get());
        EXPECT_EQ(currentAnalysis(), speed.get());
        // A window that goes away without taking itself out still leaves.
    }
    EXPECT_EQ(currentAnalysis(), nullptr);
    UsaAnalisiSpeed = false;
    EXPECT_EQ(currentAnalysis(), &tables);
    unregisterAnalysis(&tables);
    EXPECT_EQ(currentAnalysis(), nullptr);
    registerAnalysis(nullptr);
    EXPECT_EQ(currentAnalysis(), nullptr);
}

TEST_F(AnalysisInterfaceTest, GettersAndSettersOfTheMeasures)
{
    FakeAnalysis w(AnalysisKind::Dati);
    w.session().ValoriMin[5] = -2;
    w.SetMaxVal(5, 12.5);
    EXPECT_EQ(w.GetMaxVal(5), "12.5");
    EXPECT_EQ(w.GetMinVal(5), "-2");
    w.SetMinVal(5, 0.5);
    EXPECT_EQ(w.GetMinVal(5), "0.5");
    w.session().ValoriMedi[5] = 1.0 / 3;
    EXPECT_EQ(w.GetMediaVal(5), "0.333333333333333");

    // Outside 0..20 nothing is written and the texts are empty.
    w.SetMaxVal(21, 1);
    w.SetMinVal(-1, 1);
    EXPECT_EQ(w.GetMaxVal(21), "");
    EXPECT_EQ(w.GetMinVal(-1), "");
    EXPECT_EQ(w.GetMediaVal(300), "");
    EXPECT_EQ(w.GetNomeMisura(-5), "");

    w.setMeasureName(5, "Oil");
    w.setMeasureUnit(5, "[bar]");
    w.setMeasureColour(5, 0x00FF00);
    EXPECT_EQ(w.GetNomeMisura(5), "Oil [bar]");
    EXPECT_EQ(w.measureName(5), "Oil");
    EXPECT_EQ(w.measureUnit(5), "[bar]");
    EXPECT_EQ(w.measureColour(5), 0x00FF00u);
    w.setMeasureName(99, "x");
    EXPECT_EQ(w.measureName(99), "");

    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    w.SetMaxVal(6, 0.01);
    EXPECT_EQ(w.GetMaxVal(6), "0,01");
    QLocale::setDefault(before);
}

TEST_F(AnalysisInterfaceTest, LapGettersReadTheLapTableAndTheSessionsTrackLength)
{
    FakeAnalysis w(AnalysisKind::DatiSpeed);
    readLapLines(w.session(), {"1.4", "01:23.45, 4", ""});
    EXPECT_EQ(w.GetTempoGiro(2), "01:23.45");
    EXPECT_EQ(w.GetSessioneTempo(2), "4");
    EXPECT_EQ(w.GetVelocitaGiro(2), ".0");
    DatiSessione.LunghTracciato = "1000";
    EXPECT_EQ(w.GetVelocitaGiro(2), "43.14");
    EXPECT_EQ(w.GetTempoGiro(-3), "");
    EXPECT_EQ(w.session().intGiriCompletati, 1);
}

TEST_F(AnalysisInterfaceTest, SettingsDialogExchangeRoundTrip)
{
    AnalysisData w;
    w.FiltroMisura[7] = 2;
    w.SpessoreMisura[7] = 3;
    w.ValoriMin[7] = 100;
    w.ValoriMax[7] = 200;
    w.toSettingsExchange(7);
    EXPECT_EQ(w.currGraphFiltro, 2);
    EXPECT_EQ(w.currGraphWidth, 3);
    EXPECT_EQ(w.currGraphMinVal, 100);
    EXPECT_EQ(w.currGraphMaxVal, 200);
    w.currGraphFiltro = 8;
    w.currGraphMaxVal = 220;
    w.fromSettingsExchange(7);
    EXPECT_EQ(w.FiltroMisura[7], 8);
    EXPECT_EQ(w.ValoriMax[7], 220);
    EXPECT_EQ(w.ValoriMin[7], 100);
    EXPECT_EQ(w.filter(7), 8);
    w.currGraphFiltro = -1;
    w.fromSettingsExchange(7);
    EXPECT_EQ(w.FiltroMisura[7], -1); // kept as typed, read as 1
    EXPECT_EQ(w.filter(7), 1);
    w.fromSettingsExchange(21);
    w.toSettingsExchange(-1);
    EXPECT_EQ(w.currGraphFiltro, -1);
}

TEST_F(AnalysisInterfaceTest, SessionRowsRoundTrip)
{
    AnalysisData w;
    w.captions[3] = "Engine";
    w.FiltroMisura[3] = 2;
    w.SpessoreMisura[20] = 4;
    w.colours[20] = 0x8000000F;
    w.ValoriMin[12] = -1.5;
    w.ValoriMax[12] = 9;
    const MeasureRows rows = w.sessionRows();
    EXPECT_EQ(rows[3].name, "Engine");
    EXPECT_EQ(rows[3].filter, 2);
    EXPECT_EQ(rows[20].colour, qint32(0x8000000F));

    AnalysisData back;
    back.ValoriMax[2] = 77;
    back.applySessionRows(rows);
    EXPECT_EQ(back.FiltroMisura[3], 2);
    EXPECT_EQ(back.SpessoreMisura[20], 4);
    EXPECT_EQ(back.colours[20], 0x8000000Fu);
    EXPECT_EQ(back.colours[4], kMeasureColours[4]);
    EXPECT_EQ(back.ValoriMin[12], -1.5);
    EXPECT_EQ(back.ValoriMax[12], 9);
    EXPECT_EQ(back.ValoriMax[2], 77); // the time and distance rows are not stored
    EXPECT_EQ(back.captions[3], "");
}

TEST_F(AnalysisInterfaceTest, TheLapOnShowDrivesScalesAndThePlaybackEnd)
{
    AnalysisData w;
    w.FieldsNum = 3;
    w.bounds.InizioGiro = {0, 2, 12};
    w.bounds.FineGiro = {0, 11, 61};
    const RowValue clock = [](qint64 row) -> std::optional<double> {
        return row >= 2 ? std::optional<double>((row - 2) * 0.1) : std::nullopt;
    };
    EXPECT_EQ(w.playbackEndX(clock), std::nullopt);

    w.GiroCorrente = 2;
    qint64 da = -1;
    qint64 a = -1;
    w.scaleCurrentLap(
        [&](int, qint64 from, qint64 to) {
            da = from;
            a = to;
            return RangeStats{10, 0, 5};
        },
        clock);
    EXPECT_EQ(da, 12);
    EXPECT_EQ(a, 61);
    EXPECT_DOUBLE_EQ(w.MinX, 1.0);
    EXPECT_DOUBLE_EQ(w.MaxX, 5.9);
    EXPECT_DOUBLE_EQ(*w.playbackEndX(clock), 5.8);
    w.GiroCorrente = 3;
    EXPECT_EQ(w.playbackEndX(clock), std::nullopt);
}

} // namespace
} // namespace zuv::test
