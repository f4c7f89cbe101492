#pragma once

#include <QColor>
#include <QPalette>
#include <functional>

class QObject;
class QWidget;

namespace runtime {

// What the colour of a text says besides its words. The colour is chosen for the palette in use
// and the surface the text is drawn on, so that it reads on a light desktop theme as on a dark
// or high-contrast one.
enum class Ink {
    // Something is wrong with it: a red (an orange on dark surfaces), at least 4.5:1 against the
    // surface, what small text needs.
    Warning,
    // It is out of date: readable (at least 3:1) yet plainly weaker than the ordinary text, which
    // keeps at least 1.5 times its contrast.
    Stale,
};

// The WCAG 2 contrast ratio of two opaque colours: 1 for the same colour, 21 for black on white.
double ContrastRatio(const QColor& a, const QColor& b);

// The colour of text in `ink` on `surface`, where the ordinary text of that place is `text`.
QColor InkColour(Ink ink, const QColor& text, const QColor& surface);

// What is drawn under a widget that does not fill its own background: the colour its container
// paints most over the widget's place (a frame's inside is not quite the window's colour).
QColor SurfaceUnder(const QWidget& widget);

// Calls `recolour` whenever the palette or the style `widget` is drawn with changes (a desktop
// theme changed while the program runs), once the change has reached every widget. The calls
// stop when `owner` goes.
void OnPaletteChange(QWidget& widget, QObject& owner, std::function<void()> recolour);

// Runs `recolour` at once when `widget` is on screen, and otherwise from the event loop: nothing is
// seen of a window being built, whose start-up marks and clears its results several times over,
// and each choice of colour draws the container again to read its surface. startup_bench, CPU
// time to the first frame against a bare window (release, offscreen, 2 busy cores): 2.36 and 2.34
// before inks, 2.60 and 2.43 with every colour chosen at once, 2.39, 2.33 and 2.35 so.
void RecolourWhenSeen(const QWidget& widget, QObject& owner, std::function<void()> recolour);

// Gives back to the palette's `role` the colour the widget's container gives it, and follows the
// container's from then on, keeping the widget's other colours of its own.
void InheritColour(QWidget& widget, QPalette::ColorRole role);

} // namespace runtime
