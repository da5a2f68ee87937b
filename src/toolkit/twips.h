#pragma once
// Twips: the unit every window of the program is designed in. The toolkit shows 15 twips as one
// pixel (a screen of 96 dots per inch); twips are rounded to the nearest pixel, halves away from
// zero. The screen scale (ModData::dScaleX / dScaleY) is NOT applied here: the windows multiply
// their design values by it themselves, as they always did, and hand the toolkit the result.
//
//   int px = tk::toPixels(1500);      // 100
//   double tw = tk::toTwips(100);     // 1500

#include <cmath>

namespace tk {

inline constexpr int kTwipsPerPixel = 15;

inline int toPixels(double twips)
{
    if (!std::isfinite(twips))
        return 0;
    const double p = std::round(twips / kTwipsPerPixel);
    if (p > 1e7)
        return 10000000;
    if (p < -1e7)
        return -10000000;
    return static_cast<int>(p);
}

inline double toTwips(double pixels) { return pixels * kTwipsPerPixel; }

} // namespace tk

namespace tk {

// A twips value as a control reports it: the stored value while the control still has the
// pixel size that value gives, else the pixels times 15 (the control was sized otherwise).
inline double reportTwips(double stored, int pixels)
{
    return toPixels(stored) == pixels ? stored : toTwips(pixels);
}

} // namespace tk
