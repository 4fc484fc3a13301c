#pragma once
// One channel slot's 20-point calibration curve between the curve buffer
// (CurvaSensore) and the instrument: write 0x18, read 0x19. The buffer holds
// X as the raw input and Y in fixed point (the library value times its
// type's scale); the callers fill it before a write and divide Y after a
// read (readCurveScaled does the division for them).

#include "project/state.h"

#include <QByteArray>
#include <QByteArrayView>

namespace zuv {

inline constexpr int kNumSlot = 9;
inline constexpr int kCurvePoints = 20;

// The 97 payload bytes of the write frame: slot, the fixed words 20, 1, 0,
// 0, 0, 40, 2, the 20 X, word 0, the 20 Y. Values are rounded half to even
// and keep their low 16 bits; one that is no finite number goes as 0.
QByteArray encodeCurve(int slot, const CurveBuffer& curve);
// Points 0..19 of the 99-byte reply (X at position 17 + 2i, Y at 59 + 2i,
// signed) into `curve`; position 20 is left alone.
void decodeCurve(QByteArrayView reply, CurveBuffer& curve);

// Sends CurvaSensore as the curve of `slot` (0..8); whether the exchange
// worked, a failed one having shown text 242. A slot outside 0..8 sends
// nothing and fails, without a message.
bool InviaCurvaSensore(int slot);
// Reads the curve of `slot` into CurvaSensore, Y still in fixed point. A
// failed read leaves the buffer as it was.
bool LeggiCurvaSensore(int slot);

// LeggiCurvaSensore, then, only when it succeeded, CurvaY divided by the
// scale of the slot's sensor type, so the buffer is in library units.
bool readCurveScaled(int slot);

} // namespace zuv
