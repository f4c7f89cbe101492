#pragma once

#include <cmath>

class QWidget;

// Window geometry is given in twips, 1440 to the inch: 15 twips to a logical pixel at 96 dpi.
// Qt's high-DPI scaling turns logical pixels into device pixels, so nothing else is scaled here,
// except a window too large for its screen, which is drawn smaller as a whole (its scale).
namespace runtime {

inline constexpr int TwipsPerPixel = 15;

// Rounds to the nearest pixel, halves up, so that 760 twips (50.67 px) gives 51.
constexpr int TwipsToPixels(int twips) {
    return twips >= 0 ? (2 * twips + TwipsPerPixel) / (2 * TwipsPerPixel) : -TwipsToPixels(-twips);
}

constexpr int PixelsToTwips(int pixels) {
    return pixels * TwipsPerPixel;
}

// The same, in a window drawn at `scale` times its size (1 as drawn).
inline int TwipsToPixels(int twips, double scale) {
    return scale == 1.0 ? TwipsToPixels(twips)
                        : static_cast<int>(std::lround(twips * scale / TwipsPerPixel));
}
inline int PixelsToTwips(int pixels, double scale) {
    return scale == 1.0 ? PixelsToTwips(pixels)
                        : static_cast<int>(std::lround(pixels * TwipsPerPixel / scale));
}

// A top-level window that may be drawn smaller than it was designed, so that it fits its screen.
// It keeps its scale: 1 as designed.
class ScaledWindow {
public:
    virtual double Scale() const = 0;

protected:
    ~ScaledWindow() = default;
};

// The scale of the window that holds the widget: 1 unless it is a ScaledWindow drawn smaller.
double WindowScale(const QWidget* widget);

} // namespace runtime
