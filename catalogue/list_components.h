#pragma once

// The values of the main window's lists as the recalculation works with them: each item with its
// unit and its number in the working unit (kilo-ohms, microfarads). Shared by the component search
// and the tolerance spread, which must both read a value exactly as the main window will.

#include "calc/units.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace catalogue {

// A value of a list, or a typed R1, with its number in the working unit.
struct Component {
    int unit; // its position in its unit list (a calc::R1Unit, C1Unit or C2Unit)
    std::string_view text;
    double value;
};

// The number the recalculation works with for a value box, read back from the stored text as
// its later steps read it; nothing when one of its steps would fail.
std::optional<double> WorkingValue(std::string_view text, calc::Scaling scaling);

// The same for a value box's text and the position of its unit in `units` (-1: none); nothing
// when that position selects no unit.
template <typename Unit, std::size_t N>
std::optional<double> WorkingValue(std::string_view text, int unit,
                                   const std::array<Unit, N>& units) {
    const std::optional<Unit> selected = calc::UnitAt(units, unit);
    return selected ? WorkingValue(text, calc::ScalingOf(*selected)) : std::nullopt;
}

// The lists never change: their numbers are worked out once, on first use. The resistors come
// smallest first (the three lists follow each other without overlap).
const std::vector<Component>& ListResistors();
const std::vector<Component>& ListC1();
const std::vector<Component>& ListC2();

} // namespace catalogue
