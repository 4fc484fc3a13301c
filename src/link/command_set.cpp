#include "link/command_set.h"

#include <array>

namespace zuv {

namespace {

constexpr std::array<CommandInfo, 16> kCommands{{
    {cmd::Hello, 0, kLenAck, true},
    {cmd::VerificaComunicazione, 0, kLenCheck, false},
    {cmd::LeggiCalibrazione, 0, kLenCalibration, false},
    {cmd::LeggiBloccoMemoria, 4, kLenBlock, false},
    {cmd::InviaDatiConfigurazione, kPayloadConfig, kLenAck, true},
    {cmd::LeggiDatiConfigurazione, 0, kLenConfig, false},
    {cmd::InviaDatiAllarmi, kPayloadAlarms, kLenAck, true},
    {cmd::LeggiDatiAllarmi, 0, kLenAlarms, false},
    {cmd::InviaDatiSensori, kPayloadSensors, kLenAck, true},
    {cmd::LeggiDatiSensori, 0, kLenSensors, false},
    {cmd::InviaCurvaSensore, kPayloadCurve, kLenAck, true},
    {cmd::LeggiCurvaSensore, 1, kLenCurve, false},
    {cmd::InviaDatiConfigurazione2, kPayloadConfig2, kLenAck, true},
    {cmd::LeggiDatiConfigurazione2, 0, kLenConfig2, false},
    {cmd::Status, 0, kLenStatus, false},
    {cmd::LeggiBloccoSessione, 2, kLenBlock, false},
}};

} // namespace

const CommandInfo* commandInfo(quint8 code)
{
    for (const CommandInfo& c : kCommands)
        if (c.code == code)
            return &c;
    return nullptr;
}

} // namespace zuv
