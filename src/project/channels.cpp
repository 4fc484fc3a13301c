#include "project/channels.h"

#include <stdexcept>

namespace zuv {

const std::array<ChannelInfo, kNumChannels>& channelsInFileOrder()
{
    using R = ProjectRecord;
    static const std::array<ChannelInfo, kNumChannels> table = {{
        {0, "TO", &R::TemperaturaOlio, &R::TCampTO, &R::AbilTO, nullptr, "TemperaturaOlio"},
        {1, "PO", &R::PressioneOlio, &R::TCampPO, &R::AbilPO, nullptr, "Pressione"},
        {3, "TA", &R::TemperaturaAcqua, &R::TCampTA, &R::AbilTA, nullptr, "TemperaturaAcqua"},
        {2, "PB", &R::PressioneBenzina, &R::TCampPB, &R::AbilPB, nullptr, "Pressione"},
        {4, "LB", &R::LivelloBenzina, &R::TCampLB, &R::AbilLB, nullptr, "LivelloBenzina"},
        {7, "PT", &R::PressioneTurbo, &R::TCampPT, &R::AbilPT, &R::ChannPT, "PressioneTurbo"},
        {8, "SG", &R::SensoreG, &R::TCampSG, &R::AbilSG, &R::ChannSG, "SensoreG"},
        {5, "Cambio", &R::Cambio, &R::TCampCambio, &R::AbilCambio, &R::ChannCambio, "Altro"},
        {6, "SensoreLambda", &R::SensoreLambda, &R::TCampSensoreLambda, &R::AbilSensoreLambda,
         &R::ChannSensoreLambda, "SensoreLambda"},
    }};
    return table;
}

const ChannelInfo& channelFromSlot(int slot)
{
    for (const ChannelInfo& c : channelsInFileOrder())
        if (c.slot == slot)
            return c;
    throw std::out_of_range("no such curve slot");
}

int typeScale(const QString& type)
{
    struct Scale {
        const char* type;
        int scale;
    };
    static constexpr Scale scales[] = {
        {"TemperaturaOlio", 10}, {"TemperaturaAcqua", 10}, {"LivelloBenzina", 10},
        {"Pressione", 1000},     {"PressioneTurbo", 1000}, {"SensoreG", 1000},
        {"SensoreLambda", 100},  {"Altro", 1},
    };
    for (const Scale& s : scales)
        if (type == QLatin1String(s.type))
            return s.scale;
    return 0;
}

} // namespace zuv
