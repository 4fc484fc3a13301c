// An instrument operation holds the link and its code however it ends; its
// steps tell the caller how they went; the sensors page and its nine curves
// run in one order for every caller.

#include "link/commands.h"
#include "link/operation.h"
#include "link/page_alarms.h"
#include "link/page_config.h"
#include "link/page_sensors.h"
#include "link/sensors_run.h"
#include "link/serial_comm.h"
#include "project/channels.h"
#include "project/state.h"
#include "support/link_fixture.h"

#include <stdexcept>

namespace zuv::test {
namespace {

class OperationTest : public FakeLinkTest {
protected:
    void TearDown() override
    {
        ChiudiPorta();
        FakeLinkTest::TearDown();
    }

    int failureMessages() const
    {
        return int(std::count_if(msgs.shown.begin(), msgs.shown.end(),
                                 [](const ShownMessage& m) { return m.text == QLatin1String("T242"); }));
    }
};

TEST_F(OperationTest, HoldsTheLinkAndItsCodeHoweverItEnds)
{
    EXPECT_FALSE(operationRunning());
    {
        Operation op(0x16);
        EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0x16);
        EXPECT_TRUE(linkBusy());
        EXPECT_TRUE(operationRunning());
        // Over for the end messages, the poll still kept away.
        op.finish();
        EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
        EXPECT_TRUE(operationRunning());
    }
    EXPECT_FALSE(operationRunning());

    try {
        Operation op(0x26);
        throw std::runtime_error("gone");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(StatoComunicazione.ComandoInCorso, 0);
    EXPECT_FALSE(linkBusy());
}

TEST_F(OperationTest, AStepSaysHowItWentAndRecordsIt)
{
    auto silentRead = [this] { port.engine.setFault(emu::Fault::Silence, -1, cmd::LeggiDatiAllarmi); };
    const struct {
        const char* what;
        std::function<void()> fault;
        StepEnd end;
        int messages;
    } cases[] = {
        {"worked", [] {}, StepEnd::Done, 0},
        {"no instrument: the operation reports it", [this] { port.instrumentPort = 0; }, StepEnd::NoInstrument,
         0},
        {"failed read", silentRead, StepEnd::Failed, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ChiudiPorta();
        port.instrumentPort = 1;
        port.engine.clearFault();
        msgs.clear();
        c.fault();
        StatoComunicazione.ErroreComunicazione = c.end == StepEnd::Done;
        EXPECT_EQ(runStep(LeggiDatiAllarmi), c.end);
        EXPECT_EQ(StatoComunicazione.ErroreComunicazione, c.end != StepEnd::Done);
        EXPECT_EQ(failureMessages(), c.messages);
    }
}

TEST_F(OperationTest, ARunEndsAtTheFirstFailedOrBrokenStep)
{
    int closeAfter = -1;
    int steps = 0;
    StepRun failing([&] { return steps == closeAfter; });
    port.engine.setFault(emu::Fault::Silence, -1, cmd::LeggiDatiSensori);
    for (auto* command : {LeggiDatiAllarmi, LeggiDatiSensori, LeggiDatiAllarmi})
        failing.step([&] {
            ++steps;
            return command();
        });
    EXPECT_EQ(steps, 2);
    EXPECT_FALSE(failing.outcome().ok);
    EXPECT_FALSE(failing.outcome().broken);

    port.engine.clearFault();
    steps = 0;
    closeAfter = 1;
    StepRun closed([&] { return steps == closeAfter; });
    EXPECT_FALSE(closed.step([&] {
        ++steps;
        return LeggiDatiAllarmi();
    }));
    EXPECT_FALSE(closed.step([&] {
        ++steps;
        return LeggiDatiAllarmi();
    }));
    EXPECT_EQ(steps, 1);
    EXPECT_TRUE(closed.outcome().ok);
    EXPECT_TRUE(closed.outcome().broken);
}

TEST_F(OperationTest, TheConfigurationPairRunsPage2WhateverPage1GaveAndFailsWithEither)
{
    for (bool send : {true, false}) {
        SCOPED_TRACE(send ? "send" : "read");
        const int first = send ? cmd::InviaDatiConfigurazione : cmd::LeggiDatiConfigurazione;
        const int second = send ? cmd::InviaDatiConfigurazione2 : cmd::LeggiDatiConfigurazione2;
        port.engine.received.clear();
        msgs.clear();
        port.engine.setFault(emu::Fault::Silence, 1, quint8(first));
        const RunOutcome r = configPagesRun(send);
        EXPECT_EQ(commandsSent(), (std::vector<int>{first, second}));
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.noInstrument);
        EXPECT_TRUE(StatoComunicazione.ErroreComunicazione) << "page 2 worked, the pair did not";
        EXPECT_EQ(failureMessages(), 1);
    }

    // No instrument: told by no message of the link's.
    ChiudiPorta();
    port.instrumentPort = 0;
    msgs.clear();
    const RunOutcome r = configPagesRun(true);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.noInstrument);
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(OperationTest, SensorsPageAndNineCurvesInOneOrder)
{
    std::vector<std::pair<int, QString>> begun;
    SensorsRunHooks hooks;
    hooks.beginStep = [&](int stepNo, const QString& text) { begun.emplace_back(stepNo, text); };

    // Send: a channel that is off goes out as zeros.
    SlotSensors sensors;
    sensors[3] = QStringLiteral("Nowhere");
    CurvaSensore.CurvaX[0] = 77;
    EXPECT_TRUE(sendSensorsRun(sensors, hooks).goesOn());
    std::vector<int> expected{cmd::InviaDatiSensori};
    expected.insert(expected.end(), kNumSlot, cmd::InviaCurvaSensore);
    EXPECT_EQ(commandsSent(), expected);
    const std::vector<std::pair<int, QString>> sendSteps{{0, ""},       {1, "T151"}, {2, "T152"}, {3, "T153"},
                                                         {4, "T154"},   {5, "T155"}, {6, "T156"}, {7, "T322"},
                                                         {8, "T331"},   {9, "T332"}};
    EXPECT_EQ(begun, sendSteps);
    EXPECT_EQ(port.engine.curve[0], encodeCurve(0, CurveBuffer{}));

    // Read: each curve read names its sensor; a failed one ends the run.
    begun.clear();
    port.engine.received.clear();
    port.engine.setFault(emu::Fault::Silence, -1, cmd::LeggiCurvaSensore);
    std::vector<int> named;
    const RunOutcome r = readSensorsRun(hooks, [&](int slot, const QString&) { named.push_back(slot); });
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(named.empty());
    EXPECT_EQ(commandsSent(), (std::vector<int>{cmd::LeggiDatiSensori, cmd::LeggiCurvaSensore}));
    EXPECT_EQ(begun.back(), std::make_pair(1, QStringLiteral("T159")));

    port.engine.clearFault();
    hooks.brokenOff = [&] { return named.size() == 2; };
    EXPECT_TRUE(readSensorsRun(hooks, [&](int slot, const QString&) { named.push_back(slot); }).broken);
    EXPECT_EQ(named, (std::vector<int>{0, 1}));
}

TEST_F(OperationTest, RecordChannelsGiveTheirSensorsWhenOn)
{
    ProjectRecord rec;
    rec.AbilTO = true;
    rec.TemperaturaOlio = QStringLiteral("A");
    rec.PressioneOlio = QStringLiteral("kept off");
    const SlotSensors s = slotSensorsFrom(rec);
    EXPECT_EQ(s[0], QStringLiteral("A"));
    for (int slot = 1; slot < kNumSlot; ++slot)
        EXPECT_FALSE(s[std::size_t(slot)].has_value()) << slot;
}

} // namespace
} // namespace zuv::test
