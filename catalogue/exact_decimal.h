#pragma once

// Decimal numbers held exactly, for the decisions of the search that a double would blur: whether
// a centre frequency shown to three decimals lies within a tolerance typed as text, which of two
// figures lies nearer to a wanted one. The digits are GMP's integers, as many as were typed, so
// that a typed 0,98000000000000000000001 is not 0,98.

#include <gmpxx.h>

#include <compare>
#include <cstdint>
#include <optional>
#include <string_view>

namespace catalogue {

class ExactDecimal {
public:
    // mantissa x 10^exponent: ExactDecimal(1748252, -3) is 1748,252.
    explicit ExactDecimal(long mantissa, long long exponent = 0);

    // The value of a number text as the program's number rules read it: nothing when the text is
    // no number or lies beyond a double's range; zero when a double reads it as zero, as the
    // recalculation does. Otherwise every digit typed counts.
    static std::optional<ExactDecimal> Read(std::string_view text);

    friend ExactDecimal operator+(const ExactDecimal& a, const ExactDecimal& b);
    friend ExactDecimal operator-(const ExactDecimal& a, const ExactDecimal& b);
    friend ExactDecimal operator*(const ExactDecimal& a, const ExactDecimal& b);
    friend std::strong_ordering operator<=>(const ExactDecimal& a, const ExactDecimal& b);
    friend bool operator==(const ExactDecimal& a, const ExactDecimal& b) {
        return (a <=> b) == std::strong_ordering::equal;
    }

    // The greatest whole number at or below it, and the least at or above it, held within
    // -limit..limit: a value beyond gives the limit.
    std::int64_t Floor(std::int64_t limit) const;
    std::int64_t Ceil(std::int64_t limit) const;
    bool IsWhole() const;

private:
    ExactDecimal(mpz_class mantissa, long long exponent);
    // Both as mantissas of the smaller exponent.
    static void Align(const ExactDecimal& a, const ExactDecimal& b, mpz_class& x, mpz_class& y);
    // Floor when `up` is false, ceiling when it is true.
    std::int64_t Whole(bool up, std::int64_t limit) const;

    mpz_class mantissa_;
    long long exponent_ = 0;
};

// Orders whole numbers by their exact distance to a wanted value of zero or more: Key(n) grows
// with |n - wanted| and two keys are equal only for equal distances, so that equally near figures
// are told by the rules that follow, never by the last bit of a double. For n from 0 to 2^60.
class Nearness {
public:
    explicit Nearness(const ExactDecimal& wanted);

    std::int64_t Key(std::int64_t n) const;

private:
    std::int64_t twiceWantedFloor_ = 0; // floor(2 x wanted), at most 2^62
    bool twiceWantedHasFraction_ = false;
};

} // namespace catalogue
