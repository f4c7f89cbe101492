#pragma once

// What the component search window says above its table, in French: why it cannot search, or
// that nothing lies within the tolerance and which pair comes nearest.

#include "catalogue/component_search.h"

#include <QString>

namespace ui {

// Empty when the search found rows.
QString SearchMessage(const catalogue::SearchResult& result);

} // namespace ui
