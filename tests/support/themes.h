#pragma once

// The desktop themes the windows must read on, as palettes a desktop gives the program (the style
// stays the program's own Fusion), and what the eye reads of a text on screen: its contrast with
// what it is drawn on, taken from the pixels of the real widgets.
#include <QApplication>
#include <QColor>
#include <QHash>
#include <QImage>
#include <QPalette>
#include <QStyle>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <ostream>

namespace testing_support {

struct Theme {
    const char* name;
    QPalette (*palette)();

    friend void PrintTo(const Theme& theme, std::ostream* out) { *out << theme.name; }
};

// A palette from its surfaces and texts, the frame shades derived from the window's colour.
inline QPalette PaletteOf(QColor window, QColor text, QColor base, QColor highlight,
                          QColor highlightedText, QColor disabledText) {
    QPalette palette(window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::Highlight, highlight);
    palette.setColor(QPalette::HighlightedText, highlightedText);
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        palette.setColor(QPalette::Disabled, role, disabledText);
    }
    return palette;
}

// Fusion's own palette, which the program gets on a desktop that sets none.
inline QPalette FusionLight() {
    return QApplication::style()->standardPalette();
}

// The dark Fusion palette that a KDE or qt6ct user's dark theme gives.
inline QPalette FusionDark() {
    return PaletteOf(QColor(53, 53, 53), Qt::white, QColor(42, 42, 42), QColor(42, 130, 218),
                     Qt::white, QColor(127, 127, 127));
}

inline QPalette BlackOnWhite() {
    return PaletteOf(Qt::white, Qt::black, Qt::white, Qt::black, Qt::white, QColor(96, 96, 96));
}

inline QPalette WhiteOnBlack() {
    return PaletteOf(Qt::black, Qt::white, Qt::black, Qt::white, Qt::black, QColor(160, 160, 160));
}

inline const Theme Themes[] = {{"FusionLight", FusionLight},
                               {"FusionDark", FusionDark},
                               {"HighContrastBlackOnWhite", BlackOnWhite},
                               {"HighContrastWhiteOnBlack", WhiteOnBlack}};

// The application takes a theme's palette for the life of the scope, as when the desktop's theme
// changes, and the one it had afterwards.
class ThemeScope {
public:
    explicit ThemeScope(const QPalette& palette) : before_(QApplication::palette()) {
        QApplication::setPalette(palette);
    }
    ~ThemeScope() { QApplication::setPalette(before_); }
    ThemeScope(const ThemeScope&) = delete;
    ThemeScope& operator=(const ThemeScope&) = delete;

private:
    QPalette before_;
};

// The WCAG 2 contrast ratio, written out here rather than taken from the program: the figures
// measured must not share a mistake with the code that chose the colours.
inline double WcagRatio(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A text as the screen shows it: the colour it is drawn on and the pixel of it that stands out
// most from that, with their contrast.
struct Seen {
    QColor text;
    QColor surface;
    double ratio = 1;
};

// Reads a widget's text from a grab of its whole window, where the widget is drawn over what its
// container draws: the commonest colour of its place is the surface, the pixel that contrasts
// most with it is the text's ink. The place stops short of the container's edges, whose lines are
// no text.
inline Seen SeenText(const QWidget* widget) {
    QWidget* window = widget->window();
    const QImage shot = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QWidget* container = widget->parentWidget();
    const QRect inside(container->mapTo(window, QPoint(2, 2)), container->size() - QSize(4, 4));
    const QRect place = QRect(widget->mapTo(window, QPoint(0, 0)), widget->size())
                            .intersected(inside)
                            .intersected(shot.rect());
    QHash<QRgb, int> count;
    for (int y = place.top(); y <= place.bottom(); ++y) {
        for (int x = place.left(); x <= place.right(); ++x) {
            ++count[shot.pixel(x, y)];
        }
    }
    Seen seen;
    int most = 0;
    for (auto it = count.cbegin(); it != count.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            seen.surface = QColor(it.key());
        }
    }
    for (auto it = count.cbegin(); it != count.cend(); ++it) {
        const double ratio = WcagRatio(QColor(it.key()), seen.surface);
        if (ratio > seen.ratio) {
            seen.ratio = ratio;
            seen.text = QColor(it.key());
        }
    }
    return seen;
}

// Red to orange, and plainly coloured rather than a grey with a tint.
inline bool RedOrOrange(const QColor& colour) {
    const int hue = colour.hsvHue(); // -1 for a grey
    return hue >= 0 && (hue <= 40 || hue >= 345) && colour.hsvSaturationF() >= 0.5;
}

} // namespace testing_support
