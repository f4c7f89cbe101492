#pragma once

// The build sheet drawn on a page: the diagram (with Qt SVG) and the values, results and parts.

#include "ui/sheet/design_sheet.h"

class QPagedPaintDevice;

namespace ui {

// Paints the sheet on the device's current page, laid out on the device's page size; false when
// no painter could be started on it.
bool PaintSheet(const DesignSheet& sheet, QPagedPaintDevice& device);

} // namespace ui
