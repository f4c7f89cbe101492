#include "runtime/ink.h"

#include <QEvent>
#include <QImage>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace runtime {

namespace {

// Small text needs 4.5:1 to be read; 3:1 is the least that still reads at all. The ordinary text
// keeps 1.5 times the contrast of out-of-date text, so that the two are told apart at a glance.
constexpr double ReadsWell = 4.5;
constexpr double ReadsAtAll = 3.0;
constexpr double PlainlyWeaker = 1.5;
// The strokes of small antialiased text seldom cover a pixel whole, so that text reads fainter
// than its colour: measured in the resistor box on a dark palette, 4.3:1 for a colour of 4.5:1.
constexpr double ThinStrokes = 1.1;

double RelativeLuminance(const QColor& colour) {
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

QColor Mix(const QColor& from, const QColor& to, double share) {
    const auto channel = [share](int a, int b) {
        return static_cast<int>(std::lround(a + (b - a) * share));
    };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()));
}

// The reds a warning may take, from black to white: the classic dark red first, lighter through
// pure red to orange for darker surfaces, and darker towards black for greyer light ones.
// Luminance grows along the path, so that one side of the dark red reads on each surface.
struct PathColour {
    QColor colour;
    double luminance;
};

std::vector<PathColour> WarningPath() {
    const QColor stops[] = {QColor(0, 0, 0), QColor(164, 0, 0), QColor(255, 0, 0),
                            QColor(255, 128, 0), QColor(255, 255, 255)};
    constexpr int steps = 256;
    std::vector<PathColour> path;
    for (std::size_t stop = 0; stop + 1 < std::size(stops); ++stop) {
        for (int step = 0; step <= steps; ++step) {
            const QColor colour = Mix(stops[stop], stops[stop + 1], double(step) / steps);
            if (step < steps || stop + 2 == std::size(stops)) {
                path.push_back({colour, RelativeLuminance(colour)});
            }
        }
    }
    return path;
}

double Contrast(double first, double second) {
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// The red nearest the classic dark red (164, 0, 0) that reads well on the surface, or the one
// that reads best where none reads well.
QColor WarningColour(const QColor& surface) {
    static const std::vector<PathColour> path = WarningPath();
    constexpr std::ptrdiff_t classic = 256; // the second stop
    const double under = RelativeLuminance(surface);
    std::ptrdiff_t chosen = -1;
    std::ptrdiff_t best = 0;
    double bestContrast = 0;
    for (std::ptrdiff_t i = 0; i < std::ssize(path); ++i) {
        const double contrast = Contrast(path[i].luminance, under);
        if (contrast >= ReadsWell * ThinStrokes &&
            (chosen < 0 || std::abs(i - classic) < std::abs(chosen - classic))) {
            chosen = i;
        }
        if (contrast > bestContrast) {
            best = i;
            bestContrast = contrast;
        }
    }
    return path[chosen >= 0 ? chosen : best].colour;
}

// The ordinary text faded towards the surface: as readable as small text needs where the
// ordinary text is strong enough to stay plainly stronger, never below what reads at all.
QColor StaleColour(const QColor& text, const QColor& surface) {
    const double weakEnough = ContrastRatio(text, surface) / PlainlyWeaker;
    const double aim = std::min(ReadsWell * ThinStrokes, weakEnough);
    constexpr int steps = 256;
    QColor chosen = text;
    bool readable = false;
    // From the surface towards the text, the contrast growing with every step.
    for (int step = steps; step >= 0; --step) {
        const QColor faded = Mix(text, surface, double(step) / steps);
        const double contrast = ContrastRatio(faded, surface);
        if (contrast < ReadsAtAll * ThinStrokes) {
            continue;
        }
        if (readable && contrast > weakEnough) {
            break; // one step too far: the last one stays plainly weaker
        }
        chosen = faded;
        readable = true;
        if (contrast >= aim) {
            break;
        }
    }
    return chosen;
}

// Reports the changes of palette and style of the widgets it watches, from the event loop rather
// than at once: a theme change reaches the windows, their frames and their controls one after
// the other, and a colour chosen at the first of them would be chosen against the old surface.
class PaletteWatch : public QObject {
public:
    PaletteWatch(QObject& owner, std::function<void()> recolour)
        : QObject(&owner), recolour_(std::move(recolour)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::PaletteChange:
        case QEvent::ApplicationPaletteChange:
        case QEvent::StyleChange:
            if (!pending_) {
                pending_ = true;
                QMetaObject::invokeMethod(
                    this,
                    [this] {
                        recolour_();
                        // Cleared only now: the colour set by recolour_ is itself a palette
                        // change of the widget, which must not start another round.
                        pending_ = false;
                    },
                    Qt::QueuedConnection);
            }
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> recolour_;
    bool pending_ = false;
};

} // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
    return Contrast(RelativeLuminance(a), RelativeLuminance(b));
}

QColor InkColour(Ink ink, const QColor& text, const QColor& surface) {
    switch (ink) {
    case Ink::Warning:
        return WarningColour(surface);
    case Ink::Stale:
        return StaleColour(text, surface);
    }
    return text;
}

QColor SurfaceUnder(const QWidget& widget) {
    QWidget* container = widget.parentWidget();
    if (widget.autoFillBackground() || container == nullptr) {
        return widget.palette().color(widget.backgroundRole());
    }
    const QRect place = widget.geometry().intersected(container->rect());
    if (place.isEmpty()) {
        return container->palette().color(container->backgroundRole());
    }
    // The container alone, its children left out: its background and what it draws itself.
    QImage image(place.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    container->render(&image, QPoint(), QRegion(place), QWidget::DrawWindowBackground);
    // A handful of colours at most: the inside, and the lines of a frame the widget overlaps.
    std::vector<std::pair<QRgb, int>> count;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) != 255) {
                continue;
            }
            const auto seen = std::find_if(count.begin(), count.end(),
                                           [&](const auto& each) { return each.first == line[x]; });
            if (seen != count.end()) {
                ++seen->second;
            } else {
                count.emplace_back(line[x], 1);
            }
        }
    }
    if (count.empty()) {
        return container->palette().color(container->backgroundRole());
    }
    const QRgb common =
        std::max_element(count.begin(), count.end(), [](const auto& a, const auto& b) {
            return a.second < b.second;
        })->first;
    return QColor(common);
}

void OnPaletteChange(QWidget& widget, QObject& owner, std::function<void()> recolour) {
    widget.installEventFilter(new PaletteWatch(owner, std::move(recolour)));
}

void RecolourWhenSeen(const QWidget& widget, QObject& owner, std::function<void()> recolour) {
    if (widget.isVisible()) {
        recolour();
    } else {
        QMetaObject::invokeMethod(&owner, std::move(recolour), Qt::QueuedConnection);
    }
}

void InheritColour(QWidget& widget, QPalette::ColorRole role) {
    const QPalette own = widget.palette();
    QPalette kept;
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int each = 0; each < QPalette::NColorRoles; ++each) {
            const auto g = static_cast<QPalette::ColorGroup>(group);
            const auto r = static_cast<QPalette::ColorRole>(each);
            if (r != role && own.isBrushSet(g, r)) {
                kept.setBrush(g, r, own.brush(g, r));
            }
        }
    }
    widget.setPalette(kept);
}

} // namespace runtime
