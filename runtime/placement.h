#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace runtime {

// Where a window of outer size `size` opens beside the window `owner` (outer rectangles, frames
// included), inside `available`, the screen's free area: to its right, else its left, else below,
// else above, on the first side with room, level with the owner's top or left edge where the
// screen allows. Where no side has room it may overlap the owner, beside `keepInSight`, the part
// of the owner that must stay visible, in the same order; where even that has no room it covers
// as little of that part as it can. Returns the outer top-left corner.
QPoint PlaceBeside(const QRect& owner, QSize size, const QRect& available,
                   const QRect& keepInSight);

} // namespace runtime
