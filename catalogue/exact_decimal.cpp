#include "catalogue/exact_decimal.h"

#include "calc/number_text.h"

#include <algorithm>
#include <string>
#include <utility>

namespace catalogue {

namespace {

mpz_class PowerOfTen(unsigned long exponent) {
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, exponent);
    return power;
}

std::int64_t Clamp(const mpz_class& value, std::int64_t limit) {
    if (value > limit) {
        return limit;
    }
    if (value < -limit) {
        return -limit;
    }
    return value.get_si();
}

} // namespace

ExactDecimal::ExactDecimal(long mantissa, long long exponent)
    : mantissa_(mantissa), exponent_(exponent) {}

ExactDecimal::ExactDecimal(mpz_class mantissa, long long exponent)
    : mantissa_(std::move(mantissa)), exponent_(exponent) {}

std::optional<ExactDecimal> ExactDecimal::Read(std::string_view text) {
    const calc::Checked<double> number = calc::TextToNumber(text);
    if (!number.ok()) {
        return std::nullopt;
    }
    // Below the smallest double the exponent may be any length; a double-sized value's exponent
    // lies within the length of its text and a few hundred, which keeps every power of ten here
    // as small as the text.
    if (number.value == 0) {
        return ExactDecimal(0);
    }
    std::optional<calc::DecimalDigits> decimal = calc::TextToDecimalDigits(text);
    if (!decimal) {
        return std::nullopt;
    }
    mpz_class mantissa(decimal->digits, 10);
    if (decimal->negative) {
        mantissa = -mantissa;
    }
    return ExactDecimal(std::move(mantissa), decimal->exponent);
}

void ExactDecimal::Align(const ExactDecimal& a, const ExactDecimal& b, mpz_class& x, mpz_class& y) {
    x = a.mantissa_;
    y = b.mantissa_;
    if (a.exponent_ > b.exponent_) {
        x *= PowerOfTen(static_cast<unsigned long>(a.exponent_ - b.exponent_));
    } else if (b.exponent_ > a.exponent_) {
        y *= PowerOfTen(static_cast<unsigned long>(b.exponent_ - a.exponent_));
    }
}

ExactDecimal operator+(const ExactDecimal& a, const ExactDecimal& b) {
    mpz_class x, y;
    ExactDecimal::Align(a, b, x, y);
    return ExactDecimal(mpz_class(x + y), std::min(a.exponent_, b.exponent_));
}

ExactDecimal operator-(const ExactDecimal& a, const ExactDecimal& b) {
    mpz_class x, y;
    ExactDecimal::Align(a, b, x, y);
    return ExactDecimal(mpz_class(x - y), std::min(a.exponent_, b.exponent_));
}

ExactDecimal operator*(const ExactDecimal& a, const ExactDecimal& b) {
    return ExactDecimal(mpz_class(a.mantissa_ * b.mantissa_), a.exponent_ + b.exponent_);
}

std::strong_ordering operator<=>(const ExactDecimal& a, const ExactDecimal& b) {
    // Told by the signs alone, the usual case, without aligning.
    const int signA = sgn(a.mantissa_);
    const int signB = sgn(b.mantissa_);
    if (signA != signB) {
        return signA <=> signB;
    }
    mpz_class x, y;
    ExactDecimal::Align(a, b, x, y);
    return cmp(x, y) <=> 0;
}

std::int64_t ExactDecimal::Whole(bool up, std::int64_t limit) const {
    if (exponent_ >= 0) {
        // Beyond 10^18 every limit that an int64_t holds is passed.
        if (mantissa_ == 0 || exponent_ > 18) {
            return mantissa_ == 0 ? 0 : sgn(mantissa_) * limit;
        }
        return Clamp(mantissa_ * PowerOfTen(static_cast<unsigned long>(exponent_)), limit);
    }
    // A mantissa of fewer digits than the exponent's: the value lies strictly between -1 and 1.
    // (sizeinbase may count one digit too many, never too few.)
    const auto shift = static_cast<unsigned long>(-exponent_);
    if (mpz_sizeinbase(mantissa_.get_mpz_t(), 10) <= shift) {
        const int sign = sgn(mantissa_);
        return up ? (sign > 0 ? 1 : 0) : (sign < 0 ? -1 : 0);
    }
    mpz_class whole;
    if (up) {
        mpz_cdiv_q(whole.get_mpz_t(), mantissa_.get_mpz_t(), PowerOfTen(shift).get_mpz_t());
    } else {
        mpz_fdiv_q(whole.get_mpz_t(), mantissa_.get_mpz_t(), PowerOfTen(shift).get_mpz_t());
    }
    return Clamp(whole, limit);
}

std::int64_t ExactDecimal::Floor(std::int64_t limit) const {
    return Whole(false, limit);
}

std::int64_t ExactDecimal::Ceil(std::int64_t limit) const {
    return Whole(true, limit);
}

bool ExactDecimal::IsWhole() const {
    return exponent_ >= 0 ||
           mpz_divisible_p(mantissa_.get_mpz_t(),
                           PowerOfTen(static_cast<unsigned long>(-exponent_)).get_mpz_t()) != 0;
}

// Let f be the fraction of the wanted value w. The distance from a whole number to w is a whole
// number plus f (from below) or minus f (from above), so no two different distances lie in the
// same half unit [k/2, (k+1)/2): floor(2 x distance) orders them exactly, ties included. With
// F = floor(2w), that is 2n - F, less one when 2w has a fraction, above w, and F - 2n at or below.
// A wanted value beyond 2^61 is held there: every n lies below it, in the same order.
Nearness::Nearness(const ExactDecimal& wanted) {
    constexpr std::int64_t kLimit = std::int64_t{1} << 62;
    const ExactDecimal twice = wanted * ExactDecimal(2);
    twiceWantedFloor_ = std::max<std::int64_t>(0, twice.Floor(kLimit));
    twiceWantedHasFraction_ = !twice.IsWhole();
}

std::int64_t Nearness::Key(std::int64_t n) const {
    const std::int64_t twice = 2 * n;
    if (twice > twiceWantedFloor_) {
        return twice - twiceWantedFloor_ - (twiceWantedHasFraction_ ? 1 : 0);
    }
    return twiceWantedFloor_ - twice;
}

} // namespace catalogue
