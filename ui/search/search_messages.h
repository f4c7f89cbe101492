#pragma once

// What the component search window says, in French: above its table, why it cannot search, or
// that nothing lies within the tolerance and which pair comes nearest; under it and beside its C2,
// what the figures do not say by themselves.

#include "catalogue/component_search.h"

#include <QString>
#include <span>

namespace ui {

// Empty when the search found rows.
QString SearchMessage(const catalogue::SearchResult& result);

// Remarks in words: short, where they are shown, and their reasons in full, for the tool tip and
// for a screen reader. Both empty without a remark.
struct RemarkWords {
    QString shown;
    QString reasons;
};

// The line under the pairs: the remarks on the request and on the selected pair's trimmer, one
// sentence each.
RemarkWords RemarkLine(std::span<const catalogue::Remark> remarks);

// The mark of a C2 row, in its own column.
RemarkWords C2Mark(std::span<const catalogue::Remark> remarks);

} // namespace ui
