#pragma once
// Text to number in the C locale, whatever the user's settings.

#include <QString>
#include <optional>

namespace zuv {

// A whole decimal number text: blanks around it, an optional sign, digits,
// an optional point with decimals and an optional exponent. No "inf", "nan",
// hex or grouping; nothing else on the line. A number beyond the double
// range ("1e400") is refused; one below it ("1e-400") reads as 0.
std::optional<double> parseDecimal(QStringView text);

// The number at the start of a text (leading blanks skipped, whatever follows
// ignored), 0 when there is none or it lies beyond the double range.
double leadingNumber(QStringView text);

// Halves go to the even neighbour.
double roundHalfEven(double v);

// An infinity stops at the largest double of its sign; NaN stays NaN.
double finiteOrLargest(double v);

// `parseDecimal`, rounded half to even, within [lo, hi].
std::optional<qint64> parseWhole(QStringView text, qint64 lo, qint64 hi);

// A decimal text with "." whatever the locale, as short as round-trips.
QString decimalText(double v);

} // namespace zuv
