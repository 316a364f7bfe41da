#pragma once
#include <cmath>

namespace plat {
// 15 twips to a pixel: the windows were laid out at 96 dots per inch.
constexpr int kTwipsPerPixel = 15;
inline int px(double twips) { return int(std::lround(twips / kTwipsPerPixel)); }
inline int twips(double pixels) { return int(std::lround(pixels * kTwipsPerPixel)); }
}  // namespace plat
