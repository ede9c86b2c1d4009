#pragma once
// Window layouts are designed in twips (1440 to the inch); the screen works in pixels at 96 per inch.
#include <cmath>

namespace korvel::ui {

inline constexpr int kTwipsPerPixel = 15;

inline int twipsToPixels(int twips)
{
    return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

// Shorthand for the layouts: a length given in twips, in pixels ("twips(240)").
inline int twips(int t)
{
    return twipsToPixels(t);
}

inline int pixelsToTwips(int pixels)
{
    return pixels * kTwipsPerPixel;
}

} // namespace korvel::ui
