#pragma once

// The units of the main window's three unit boxes, and how each brings the number of its value
// box to the working unit of the recalculation: kilo-ohms for R1, microfarads for C1 and C2.
// A unit's value is its position in its box's list, which is what the recalculation reads (the
// box's ListIndex); -1 (nothing selected) and any position beyond the list select no unit, and
// the value box is then not scaled at all.

#include "calc/number_text.h"

#include <array>
#include <cstddef>
#include <optional>
#include <type_traits>

namespace calc {

enum class R1Unit { Ohms = 0, KOhms = 1, MOhms = 2 };
enum class C1Unit { PicoFarad = 0, NanoFarad = 1, MicroFarad = 2 };
enum class C2Unit { NanoFarad = 0, MicroFarad = 1 };

// Each box's units in the order of its list.
inline constexpr std::array kR1Units = {R1Unit::Ohms, R1Unit::KOhms, R1Unit::MOhms};
inline constexpr std::array kC1Units = {C1Unit::PicoFarad, C1Unit::NanoFarad, C1Unit::MicroFarad};
inline constexpr std::array kC2Units = {C2Unit::NanoFarad, C2Unit::MicroFarad};

// The ListIndex that selects `unit` in its box.
template <typename Unit>
requires std::is_enum_v<Unit>
constexpr int ListIndex(Unit unit) {
    return static_cast<int>(unit);
}

// The unit that a box's ListIndex selects, if any.
template <typename Unit, std::size_t N>
constexpr std::optional<Unit> UnitAt(const std::array<Unit, N>& units, int listIndex) {
    if (listIndex < 0 || static_cast<std::size_t>(listIndex) >= N) {
        return std::nullopt;
    }
    return units[static_cast<std::size_t>(listIndex)];
}

inline constexpr double kOhmsPerKiloOhm = 1000.0;
inline constexpr double kKiloOhmsPerMegohm = 1000.0;
inline constexpr double kPicofaradsPerMicrofarad = 1000000.0;
inline constexpr double kNanofaradsPerMicrofarad = 1000.0;

// How a number in a unit becomes a number in the working unit. For the working unit itself
// (Keep) the recalculation stores the value box's text as it is, without reading it.
struct Scaling {
    enum class Operation { Keep, Divide, Multiply };
    Operation operation = Operation::Keep;
    double factor = 1.0;
};

constexpr Scaling ScalingOf(R1Unit unit) {
    switch (unit) {
    case R1Unit::Ohms:
        return {Scaling::Operation::Divide, kOhmsPerKiloOhm};
    case R1Unit::KOhms:
        break;
    case R1Unit::MOhms:
        return {Scaling::Operation::Multiply, kKiloOhmsPerMegohm};
    }
    return {};
}

constexpr Scaling ScalingOf(C1Unit unit) {
    switch (unit) {
    case C1Unit::PicoFarad:
        return {Scaling::Operation::Divide, kPicofaradsPerMicrofarad};
    case C1Unit::NanoFarad:
        return {Scaling::Operation::Divide, kNanofaradsPerMicrofarad};
    case C1Unit::MicroFarad:
        break;
    }
    return {};
}

constexpr Scaling ScalingOf(C2Unit unit) {
    switch (unit) {
    case C2Unit::NanoFarad:
        return {Scaling::Operation::Divide, kNanofaradsPerMicrofarad};
    case C2Unit::MicroFarad:
        break;
    }
    return {};
}

// The number in the working unit, failing as Divide and Multiply do.
inline Checked<double> Scale(double number, Scaling scaling) noexcept {
    switch (scaling.operation) {
    case Scaling::Operation::Divide:
        return Divide(number, scaling.factor);
    case Scaling::Operation::Multiply:
        return Multiply(number, scaling.factor);
    case Scaling::Operation::Keep:
        break;
    }
    return {number, std::nullopt};
}

} // namespace calc
