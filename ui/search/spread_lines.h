#pragma once

// What the component search window says under its table about the selected row once parts are
// real, in French, one line each, as the window shows them and as Ctrl+C copies them.

#include "catalogue/tolerance_spread.h"

#include <QStringList>

namespace ui {

// The spread of f0; the wanted frequency against the capture range, when a C2 is chosen; the
// range R1 + RV1 must cover, the suggested parts, and the remark when the range leaves the
// advised 2 to 20 kΩ. Nothing for what could not be computed.
QStringList SpreadLines(const catalogue::DesignSpread& design);

} // namespace ui
