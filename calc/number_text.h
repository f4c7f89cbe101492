#pragma once

// The decimal-comma number rules of the calculator: how a text becomes a number and back, how
// values are rounded and turned into integers, and which floating-point results are failures.
// Everything here is independent of the process locale: the comma is the decimal separator
// whatever the user's regional settings say.
//
// A failure is a value, not an exception: the recalculation runs at every keystroke and many of
// its steps fail while the user is still typing.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace calc {

enum class FailureKind { TypeMismatch, Overflow, DivisionByZero, InvalidArgument };

// A value, or the failure that stopped its computation (then `value` means nothing).
template <typename T> struct [[nodiscard]] Checked {
    T value{};
    std::optional<FailureKind> failure;

    bool ok() const noexcept { return !failure.has_value(); }
};

// Reads a UTF-8 text: ASCII spaces around it are ignored, then an optional sign, digits with at
// most one decimal comma (at least one digit in all), an optional exponent "E"/"e" with an
// optional sign and digits. Anything else fails with TypeMismatch; a well-formed value beyond
// the double range fails with Overflow. A value too small for a double reads as its nearest
// double (0 or a subnormal) without failing.
Checked<double> TextToNumber(std::string_view text) noexcept;

// The value a number text writes, exactly, before any rounding to a double: (-1)^negative x
// digits x 10^exponent, `digits` without leading or trailing zeros, empty for zero. For the
// decisions that must hold on the very value typed ("within 2 %" on a boundary a double blurs).
// Nothing when the text is not of TextToNumber's form. An exponent written with more digits than
// a long long holds saturates; only texts that TextToNumber reads as zero or refuses as an
// overflow have one.
struct DecimalDigits {
    bool negative = false;
    std::string digits;
    long long exponent = 0;

    bool operator==(const DecimalDigits&) const = default;
};
std::optional<DecimalDigits> TextToDecimalDigits(std::string_view text);

// Writes a finite value rounded to 15 significant digits, with the decimal comma and no trailing
// zeros: positional when the rounded value's decimal exponent lies in -4..14, "d,ddE+XX" otherwise.
// Both zeros give "0".
std::string NumberToText(double value);

std::string IntegerToText(std::int32_t value);

// Rounds to `decimals` places: y = value * 10^decimals, w = trunc(y), f = y - w; w moves one unit
// away from zero when |f| > 1/2, or when |f| == 1/2 and w is odd, so halves end on the even
// neighbour; the result is w / 10^decimals. Fails with Overflow only when y itself overflows.
Checked<double> RoundDecimals(double value, int decimals) noexcept;

// Nearest integer, halves to even. Overflow below -2147483648.5 or at/above 2147483647.5.
Checked<std::int32_t> NumberToInteger(double value) noexcept;

// Correctly rounded square root; InvalidArgument below zero.
Checked<double> SquareRoot(double value) noexcept;

// Double-precision arithmetic that refuses to produce an infinity or a not-a-number:
// a non-zero number divided by zero fails with DivisionByZero; a result beyond the double range
// and an invalid operation such as 0 / 0 fail with Overflow. Underflow is no failure.
Checked<double> Add(double a, double b) noexcept;
Checked<double> Subtract(double a, double b) noexcept;
Checked<double> Multiply(double a, double b) noexcept;
Checked<double> Divide(double a, double b) noexcept;

// Text operations over UTF-16, as the window's texts hold them; positions and lengths count
// UTF-16 units. Find is 1-based and gives 0 when `what` does not occur (an empty `what` is found
// at position 1). ReplaceAll scans left to right without overlap; an empty `what` changes nothing.
std::size_t Find(std::u16string_view text, std::u16string_view what);
std::u16string ReplaceAll(std::u16string_view text, std::u16string_view what,
                          std::u16string_view with);
std::size_t Length(std::u16string_view text);

} // namespace calc
