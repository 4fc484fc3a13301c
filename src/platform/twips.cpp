#include "platform/twips.h"

#include <cmath>

namespace zuv {

int roundedPixels(double twips, double dpi) { return int(std::lround(twipsToPixels(twips, dpi))); }

int roundedTwips(double pixels, double dpi) { return int(std::lround(pixelsToTwips(pixels, dpi))); }

int cmInTwips(double cm) { return int(std::lround(cm * kTwipsPerInch / 2.54)); }

} // namespace zuv
