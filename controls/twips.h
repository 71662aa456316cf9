#pragma once
// Twips, the unit of every position and size: 15 twips are one (96 dpi
// logical) pixel.

#include <cmath>

inline constexpr int TwipsPerPixel = 15;

inline int ToPixels(double twips) {
    return int(std::lround(twips / TwipsPerPixel));
}
