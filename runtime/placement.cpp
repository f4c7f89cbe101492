#include "runtime/placement.h"

#include <algorithm>
#include <array>
#include <limits>

namespace runtime {

namespace {

// Moved only as far as it takes to lie inside the area; a window larger than the area keeps its
// top-left corner on it, so that its title bar can be reached.
QRect Inside(QRect window, const QRect& area) {
    window.moveLeft(
        std::max(area.left(), std::min(window.left(), area.right() - window.width() + 1)));
    window.moveTop(
        std::max(area.top(), std::min(window.top(), area.bottom() - window.height() + 1)));
    return window;
}

// The window beside `next` on each side in the order they are tried, brought inside the area.
std::array<QRect, 4> Beside(const QRect& next, QSize size, const QRect& area) {
    const int w = size.width();
    const int h = size.height();
    return {Inside(QRect(next.right() + 1, next.top(), w, h), area),
            Inside(QRect(next.left() - w, next.top(), w, h), area),
            Inside(QRect(next.left(), next.bottom() + 1, w, h), area),
            Inside(QRect(next.left(), next.top() - h, w, h), area)};
}

long long CoveredArea(const QRect& window, const QRect& part) {
    const QRect covered = window.intersected(part);
    return covered.isEmpty() ? 0 : static_cast<long long>(covered.width()) * covered.height();
}

} // namespace

QPoint PlaceBeside(const QRect& owner, QSize size, const QRect& available,
                   const QRect& keepInSight) {
    for (const QRect& place : Beside(owner, size, available)) {
        if (!place.intersects(owner)) {
            return place.topLeft();
        }
    }
    QRect least;
    long long leastCovered = std::numeric_limits<long long>::max();
    for (const QRect& place : Beside(keepInSight, size, available)) {
        const long long covered = CoveredArea(place, keepInSight);
        if (covered < leastCovered) {
            least = place;
            leastCovered = covered;
        }
    }
    return least.topLeft();
}

} // namespace runtime
