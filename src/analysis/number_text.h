#pragma once
// Numbers as the analysis windows write them: the cursor boxes, the
// per-measure getters and the lap speeds each have their own rule.

#include <QString>

namespace zuv {

// Up to 15 significant digits, no blank; exponent form ("1E+20",
// "1.5E-07") from 1E+15 on and below 0.0001. `point` is the decimal separator; without
// `leadingZero` a value between -1 and 1 loses the "0" before it.
QString numberText(double v, QStringView point, bool leadingZero);

// The cursor read-out: "." and no zero before the point (".5", "-.25").
QString readoutText(double v);

// The getters of the analysis windows: the user's decimal separator, "0.5".
QString valueText(double v);

// A speed as "#.0##": one to three decimals, no zero before the point, the
// user's decimal separator (43.1396 gives "43.14", 100 gives "100.0").
QString speedText(double v);

} // namespace zuv
