#pragma once
// The nine analog channels. The project file lists them in one order, the
// instrument numbers its curve slots in another; this table holds both.

#include "project/project_record.h"

#include <QString>
#include <array>

namespace zuv {

struct ChannelInfo {
    int slot;                         // curve slot on the instrument, 0..8
    const char* code;                 // "TO", "PO", ... as in the field names
    QString ProjectRecord::*sensor;   // library sensor name
    QString ProjectRecord::*rate;     // sampling rate text
    bool ProjectRecord::*enabled;     // channel enabled
    qint16 ProjectRecord::*chann;     // analog input (AN 1 / AN 2), or nullptr
    const char* type;                 // sensor type keyword offered for it
};

inline constexpr int kNumChannels = 9;

// In project-file order: TO, PO, TA, PB, LB, PT, SG, Cambio, Lambda.
const std::array<ChannelInfo, kNumChannels>& channelsInFileOrder();
// By slot, 0..8: TO, PO, PB, TA, LB, Cambio, Lambda, PT, SG.
const ChannelInfo& channelFromSlot(int slot);

// Curve scale of a type keyword (10, 100, 1000 or 1); 0 for an unknown keyword.
int typeScale(const QString& type);

} // namespace zuv
