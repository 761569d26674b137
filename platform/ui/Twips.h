#pragma once
// Sizes and positions of the forms are given in twips, as the original laid them out.

namespace zav {

inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) { return twips / kTwipsPerPixel; }
constexpr int PixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

} // namespace zav
