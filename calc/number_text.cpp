#include "calc/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>

#if defined(__FAST_MATH__)
#error "The number rules need IEEE arithmetic: build without -ffast-math."
#endif

namespace calc {

namespace {

bool IsDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

// The powers of ten that a double holds exactly.
constexpr std::array<double, 23> kExactPowersOfTen = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Where the parts of a well-formed number text lie. The mantissa runs from the first digit or
// comma to the end of the digits; the exponent, when present, follows its "E"/"e".
struct NumberForm {
    bool negative = false;
    const char* mantissa = nullptr; // first digit or comma after the sign
    const char* comma = nullptr;    // the decimal comma, or nullptr
    const char* mantissaEnd = nullptr;
    const char* end = nullptr; // end of the whole number, exponent included
    bool exponentNegative = false;
    const char* exponentDigits = nullptr; // nullptr when there is no exponent
};

// Checks the form of the text and locates its parts; false when the text is not a number.
bool ParseForm(std::string_view text, NumberForm& form) noexcept {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && text[first] == ' ') {
        ++first;
    }
    while (last > first && text[last - 1] == ' ') {
        --last;
    }
    const char* p = text.data() + first;
    const char* const end = text.data() + last;

    if (p < end && (*p == '+' || *p == '-')) {
        form.negative = *p == '-';
        ++p;
    }
    form.mantissa = p;
    bool anyDigit = false;
    for (; p < end; ++p) {
        if (IsDigit(*p)) {
            anyDigit = true;
        } else if (*p == ',' && form.comma == nullptr) {
            form.comma = p;
        } else {
            break;
        }
    }
    if (!anyDigit) {
        return false;
    }
    form.mantissaEnd = p;
    if (p < end && (*p == 'E' || *p == 'e')) {
        ++p;
        if (p < end && (*p == '+' || *p == '-')) {
            form.exponentNegative = *p == '-';
            ++p;
        }
        form.exponentDigits = p;
        const char* const digits = p;
        while (p < end && IsDigit(*p)) {
            ++p;
        }
        if (p == digits) {
            return false;
        }
    }
    form.end = end;
    return p == end;
}

// The number after the "E", 0 without one. Saturates instead of overflowing, so that exponents of
// any length are safe: the limit lies far beyond any double's exponent, and far from overflowing
// when a text's length is added to it.
long long WrittenExponent(const NumberForm& form) noexcept {
    constexpr long long kLimit = 1'000'000'000'000'000LL;
    long long exponent = 0;
    if (form.exponentDigits != nullptr) {
        for (const char* p = form.exponentDigits; p < form.end; ++p) {
            exponent = exponent * 10 + (*p - '0');
            if (exponent > kLimit) {
                exponent = kLimit;
                break;
            }
        }
        if (form.exponentNegative) {
            exponent = -exponent;
        }
    }
    return exponent;
}

// The power of ten of the first significant digit, for telling an overflow from an underflow
// when the conversion reports the value out of range. Saturates instead of overflowing, so that
// exponents of any length are safe; only its sign matters. Returns false for a zero mantissa.
bool LeadingPower(const NumberForm& form, long long& power) noexcept {
    const long long exponent = WrittenExponent(form);
    const char* const point = form.comma != nullptr ? form.comma : form.mantissaEnd;
    const char* p = form.mantissa;
    while (p < form.mantissaEnd && (*p == '0' || *p == ',')) {
        ++p;
    }
    if (p == form.mantissaEnd) {
        return false;
    }
    // Positions are bounded by the text's length, far below kLimit, so this cannot overflow.
    const long long position =
        p < point ? static_cast<long long>(point - p) - 1 : -static_cast<long long>(p - point);
    power = exponent + position;
    return true;
}

Checked<double> Fail(FailureKind kind) noexcept {
    return {0.0, kind};
}

Checked<double> Convert(const NumberForm& form) noexcept {
    const char* first = form.mantissa;
    const char* last = form.end;
    std::string copy;
    if (form.comma != nullptr) {
        // std::from_chars knows only the decimal point.
        try {
            copy.assign(first, last);
        } catch (...) {
            return Fail(FailureKind::Overflow); // out of memory: the text is too long to read
        }
        copy[static_cast<std::size_t>(form.comma - first)] = '.';
        first = copy.data();
        last = first + copy.size();
    }

    double magnitude = 0.0;
    const auto [ptr, ec] = std::from_chars(first, last, magnitude, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        long long power = 0;
        if (LeadingPower(form, power) && power >= 0) {
            return Fail(FailureKind::Overflow);
        }
        // Closer to zero than half the smallest subnormal: the nearest double is zero.
        return {form.negative ? -0.0 : 0.0, std::nullopt};
    }
    if (ec != std::errc{} || ptr != last) {
        return Fail(FailureKind::TypeMismatch);
    }
    return {form.negative ? -magnitude : magnitude, std::nullopt};
}

Checked<double> Finite(double result) noexcept {
    if (!std::isfinite(result)) {
        return Fail(FailureKind::Overflow);
    }
    return {result, std::nullopt};
}

// Rounds a whole part towards the even neighbour of an exact half, away from zero beyond it.
double RoundHalfEven(double whole, double fraction) noexcept {
    const double magnitude = std::fabs(fraction);
    if (magnitude > 0.5 || (magnitude == 0.5 && std::fmod(whole, 2.0) != 0.0)) {
        return fraction < 0 ? whole - 1.0 : whole + 1.0;
    }
    return whole;
}

} // namespace

Checked<double> TextToNumber(std::string_view text) noexcept {
    NumberForm form;
    if (!ParseForm(text, form)) {
        return Fail(FailureKind::TypeMismatch);
    }
    return Convert(form);
}

std::optional<DecimalDigits> TextToDecimalDigits(std::string_view text) {
    NumberForm form;
    if (!ParseForm(text, form)) {
        return std::nullopt;
    }
    DecimalDigits decimal;
    long long fractionDigits = 0;
    for (const char* p = form.mantissa; p < form.mantissaEnd; ++p) {
        if (*p == ',') {
            continue;
        }
        if (form.comma != nullptr && p > form.comma) {
            ++fractionDigits;
        }
        if (*p != '0' || !decimal.digits.empty()) {
            decimal.digits.push_back(*p);
        }
    }
    const std::size_t last = decimal.digits.find_last_not_of('0');
    if (last == std::string::npos) {
        decimal.digits.clear();
        return decimal; // zero, of either sign, is plain zero
    }
    const auto trailingZeros = static_cast<long long>(decimal.digits.size() - last - 1);
    decimal.digits.resize(last + 1);
    decimal.negative = form.negative;
    decimal.exponent = WrittenExponent(form) - fractionDigits + trailingZeros;
    return decimal;
}

Checked<double> RoundDecimals(double value, int decimals) noexcept {
    // Exact powers of ten only, so that the scale itself adds no rounding.
    if (decimals < 0 || decimals >= static_cast<int>(kExactPowersOfTen.size())) {
        return Fail(FailureKind::InvalidArgument);
    }
    const double scale = kExactPowersOfTen[static_cast<std::size_t>(decimals)];
    const double scaled = value * scale;
    if (!std::isfinite(scaled)) {
        return Fail(FailureKind::Overflow);
    }
    const double whole = std::trunc(scaled);
    const double fraction = scaled - whole; // exact: both lie in the same binade or below
    return {RoundHalfEven(whole, fraction) / scale, std::nullopt};
}

Checked<std::int32_t> NumberToInteger(double value) noexcept {
    if (std::isnan(value) || value < -2147483648.5 || value >= 2147483647.5) {
        return {0, FailureKind::Overflow};
    }
    const double whole = std::trunc(value);
    return {static_cast<std::int32_t>(RoundHalfEven(whole, value - whole)), std::nullopt};
}

Checked<double> SquareRoot(double value) noexcept {
    if (std::isnan(value) || value < 0) {
        return Fail(FailureKind::InvalidArgument);
    }
    return {std::sqrt(value), std::nullopt};
}

Checked<double> Add(double a, double b) noexcept {
    return Finite(a + b);
}
Checked<double> Subtract(double a, double b) noexcept {
    return Finite(a - b);
}
Checked<double> Multiply(double a, double b) noexcept {
    return Finite(a * b);
}

Checked<double> Divide(double a, double b) noexcept {
    if (b == 0) {
        // 0 / 0 is an invalid operation, reported like an overflow.
        return Fail(a != 0 && !std::isnan(a) ? FailureKind::DivisionByZero : FailureKind::Overflow);
    }
    return Finite(a / b);
}

std::string NumberToText(double value) {
    if (value == 0) {
        return "0"; // -0 too
    }
    // printf's %.15g is the written form: 15 significant digits, positional when the rounded
    // value's exponent lies in -4..14, no trailing zeros. Only the comma and the "E" are ours.
    std::array<char, 32> text;
    const auto writtenTo = std::to_chars(text.data(), text.data() + text.size(), value,
                                         std::chars_format::general, 15);
    std::string written(text.data(), writtenTo.ptr);
    std::replace(written.begin(), written.end(), '.', ',');
    std::replace(written.begin(), written.end(), 'e', 'E');
    return written;
}

std::string IntegerToText(std::int32_t value) {
    return std::to_string(value);
}

std::size_t Find(std::u16string_view text, std::u16string_view what) {
    const std::size_t position = text.find(what);
    return position == std::u16string_view::npos ? 0 : position + 1;
}

std::u16string ReplaceAll(std::u16string_view text, std::u16string_view what,
                          std::u16string_view with) {
    if (what.empty()) {
        return std::u16string(text);
    }
    std::u16string result;
    result.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at = text.find(what); at != std::u16string_view::npos;
         at = text.find(what, from)) {
        result.append(text.substr(from, at - from));
        result.append(with);
        from = at + what.size();
    }
    result.append(text.substr(from));
    return result;
}

std::size_t Length(std::u16string_view text) {
    return text.size();
}

} // namespace calc
