#include "link/curve_codec.h"

#include "link/codec.h"
#include "link/commands.h"
#include "link/serial_comm.h"
#include "project/channels.h"

#include <initializer_list>

namespace zuv {

namespace {

bool validSlot(int slot) { return slot >= 0 && slot < kNumSlot; }

} // namespace

QByteArray encodeCurve(int slot, const CurveBuffer& curve)
{
    QByteArray p;
    p += ByteInChr(slot);
    for (int w : {20, 1, 0, 0, 0, 40, 2})
        p += ScriviWord(w);
    for (int i = 0; i < kCurvePoints; ++i)
        p += ScriviWord(curve.CurvaX[i]);
    p += ScriviWord(0);
    for (int i = 0; i < kCurvePoints; ++i)
        p += ScriviWord(curve.CurvaY[i]);
    return p;
}

void decodeCurve(QByteArrayView reply, CurveBuffer& curve)
{
    for (int i = 0; i < kCurvePoints; ++i)
        curve.CurvaX[i] = readWord(at(reply, 17 + 2 * i));
    for (int i = 0; i < kCurvePoints; ++i)
        curve.CurvaY[i] = readWord(at(reply, 59 + 2 * i));
}

bool InviaCurvaSensore(int slot)
{
    if (!validSlot(slot))
        return noteOutcome(false);
    return writePageFrame(cmd::InviaCurvaSensore, encodeCurve(slot, CurvaSensore));
}

bool LeggiCurvaSensore(int slot)
{
    if (!validSlot(slot))
        return noteOutcome(false);
    const QByteArray reply = readPageReply(cmd::LeggiCurvaSensore, ByteInChr(slot));
    if (reply.isEmpty())
        return false;
    decodeCurve(reply, CurvaSensore);
    return true;
}

bool readCurveScaled(int slot)
{
    if (!LeggiCurvaSensore(slot))
        return false;
    const int scale = typeScale(QString::fromLatin1(channelFromSlot(slot).type));
    for (int i = 0; i < kCurvePoints; ++i)
        CurvaSensore.CurvaY[i] /= scale;
    return true;
}

} // namespace zuv
