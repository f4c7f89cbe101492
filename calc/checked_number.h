#pragma once

// Non-throwing forms of the number rules. The recalculation runs at every keystroke and many of
// its steps fail while the user is still typing; reporting those failures as values keeps a
// failing step as cheap as a succeeding one. The throwing functions of number_text.h are thin
// wrappers over these.

#include "calc/number_text.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace calc::checked {

// A value, or the failure that stopped its computation (then `value` means nothing).
template <typename T> struct Checked {
    T value{};
    std::optional<FailureKind> failure;

    bool ok() const noexcept { return !failure.has_value(); }
};

Checked<double> TextToNumber(std::string_view text) noexcept;
Checked<double> RoundDecimals(double value, int decimals) noexcept;
Checked<std::int32_t> NumberToInteger(double value) noexcept;
Checked<double> SquareRoot(double value) noexcept;
Checked<double> Add(double a, double b) noexcept;
Checked<double> Subtract(double a, double b) noexcept;
Checked<double> Multiply(double a, double b) noexcept;
Checked<double> Divide(double a, double b) noexcept;

// The longest text WriteNumber produces: "-1,23456789012345E-308" is 22 characters.
inline constexpr std::size_t kMaxNumberText = 24;
// The longest text WriteInteger produces: "-2147483648".
inline constexpr std::size_t kMaxIntegerText = 11;

// Writes NumberToText(value) into `out` (room for kMaxNumberText characters, no terminator) and
// returns the count written. Never allocates.
std::size_t WriteNumber(double value, char* out) noexcept;
// Writes IntegerToText(value) into `out` (room for kMaxIntegerText characters).
std::size_t WriteInteger(std::int32_t value, char* out) noexcept;

} // namespace calc::checked
