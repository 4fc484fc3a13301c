#pragma once
// Lengths on the screen and on paper are given in twips, 1440 to the inch,
// so a length reads the same at any resolution: a twip becomes pixels by the
// device's dots per inch, and a centimetre is 1440 / 2.54 twips.

namespace zuv {

inline constexpr double kTwipsPerInch = 1440.0;
// The screen the windows were laid out on: 15 twips to a pixel.
inline constexpr double kDesignDpi = 96.0;

constexpr double twipsToPixels(double twips, double dpi) { return twips * dpi / kTwipsPerInch; }
constexpr double pixelsToTwips(double pixels, double dpi) { return pixels * kTwipsPerInch / dpi; }

// The same to the nearest whole pixel or twip, halves away from 0.
int roundedPixels(double twips, double dpi);
int roundedTwips(double pixels, double dpi);

// Centimetres to the nearest twip, halves away from 0.
int cmInTwips(double cm);

} // namespace zuv
