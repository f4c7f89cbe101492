#pragma once

// Window geometry is given in twips, 1440 to the inch: 15 twips to a logical pixel at 96 dpi.
// Qt's high-DPI scaling turns logical pixels into device pixels, so nothing else is scaled here.
namespace runtime {

inline constexpr int TwipsPerPixel = 15;

// Rounds to the nearest pixel, halves up, so that 760 twips (50.67 px) gives 51.
constexpr int TwipsToPixels(int twips) {
    return twips >= 0 ? (2 * twips + TwipsPerPixel) / (2 * TwipsPerPixel) : -TwipsToPixels(-twips);
}

constexpr int PixelsToTwips(int pixels) {
    return pixels * TwipsPerPixel;
}

} // namespace runtime
