#include "calc/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
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
    const char* mantissa_end = nullptr;
    const char* end = nullptr; // end of the whole number, exponent included
    bool exponent_negative = false;
    const char* exponent_digits = nullptr; // nullptr when there is no exponent

    // The digits as one integer, while it has at most 15 significant digits, and the power of
    // ten that scales it to the value; `exact` is false when either does not fit.
    std::uint64_t significand = 0;
    long long scale = 0;
    bool exact = true;
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
    bool any_digit = false;
    int significant_digits = 0;
    for (; p < end; ++p) {
        if (IsDigit(*p)) {
            any_digit = true;
            if (form.comma != nullptr) {
                --form.scale;
            }
            if (significant_digits > 0 || *p != '0') {
                if (++significant_digits <= 15) {
                    form.significand = form.significand * 10 + static_cast<unsigned>(*p - '0');
                } else {
                    form.exact = false;
                }
            }
        } else if (*p == ',' && form.comma == nullptr) {
            form.comma = p;
        } else {
            break;
        }
    }
    if (!any_digit) {
        return false;
    }
    form.mantissa_end = p;
    if (p < end && (*p == 'E' || *p == 'e')) {
        ++p;
        if (p < end && (*p == '+' || *p == '-')) {
            form.exponent_negative = *p == '-';
            ++p;
        }
        form.exponent_digits = p;
        const char* const digits = p;
        long long exponent = 0;
        while (p < end && IsDigit(*p)) {
            if (exponent < 100000) {
                exponent = exponent * 10 + (*p - '0');
            } else {
                form.exact = false;
            }
            ++p;
        }
        if (p == digits) {
            return false;
        }
        form.scale += form.exponent_negative ? -exponent : exponent;
    }
    form.end = end;
    return p == end;
}

// The power of ten of the first significant digit, for telling an overflow from an underflow
// when the conversion reports the value out of range. Saturates instead of overflowing, so that
// exponents of any length are safe; only its sign matters. Returns false for a zero mantissa.
bool LeadingPower(const NumberForm& form, long long& power) noexcept {
    constexpr long long kLimit = 1'000'000'000'000'000LL; // far beyond any double exponent
    long long exponent = 0;
    if (form.exponent_digits != nullptr) {
        for (const char* p = form.exponent_digits; p < form.end; ++p) {
            exponent = exponent * 10 + (*p - '0');
            if (exponent > kLimit) {
                exponent = kLimit;
                break;
            }
        }
        if (form.exponent_negative) {
            exponent = -exponent;
        }
    }
    const char* const point = form.comma != nullptr ? form.comma : form.mantissa_end;
    const char* p = form.mantissa;
    while (p < form.mantissa_end && (*p == '0' || *p == ',')) {
        ++p;
    }
    if (p == form.mantissa_end) {
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

// Texts up to this length are converted from a copy on the stack; longer ones (typed or pasted
// by hand, never produced by the program) take one allocation.
constexpr std::size_t kStackText = 128;

Checked<double> Convert(const NumberForm& form) noexcept {
    // An integer of at most 15 digits and a power of ten up to 22 are both exact doubles, so
    // one correctly rounded division or multiplication gives the double nearest to the text.
    // Every text of the lists and every text NumberToText writes for an ordinary value is read
    // this way.
    if (form.exact && form.scale >= -22 && form.scale <= 22) {
        const auto significand = static_cast<double>(form.significand);
        const double power =
            kExactPowersOfTen[static_cast<std::size_t>(form.scale < 0 ? -form.scale : form.scale)];
        const double magnitude = form.scale < 0 ? significand / power : significand * power;
        return {form.negative ? -magnitude : magnitude, std::nullopt};
    }

    const char* first = form.mantissa;
    const char* last = form.end;
    std::array<char, kStackText> stack_copy;
    std::string heap_copy;
    if (form.comma != nullptr) {
        // std::from_chars knows only the decimal point.
        const auto length = static_cast<std::size_t>(last - first);
        char* copy = nullptr;
        if (length <= stack_copy.size()) {
            copy = stack_copy.data();
        } else {
            try {
                heap_copy.resize(length);
            } catch (...) {
                return Fail(FailureKind::Overflow); // out of memory: the text is too long to read
            }
            copy = heap_copy.data();
        }
        std::memcpy(copy, first, length);
        copy[form.comma - first] = '.';
        first = copy;
        last = copy + length;
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

// Finds the decimal of at most 15 significant digits and at most 10 decimals whose nearest
// double is `magnitude`, as decimals(significand) / 10^decimals, when there is one. That decimal
// is then the rounding of `magnitude` to 15 digits: it lies within half a unit in the last place
// of the double (at most 2^-53 of it), well inside half the spacing of 15-digit decimals (at
// least 5e-16 of it). This is what the program's own values are (1748.252, 0.022, 883) and it
// spares them the general conversion.
bool FindShortDecimal(double magnitude, std::uint64_t& significand, int& decimals) noexcept {
    constexpr double kLimit = 1e15; // 15 digits
    if (!(magnitude >= 1e-10 && magnitude < kLimit)) {
        return false;
    }
    for (int j = 0; j <= 10; ++j) {
        const double power = kExactPowersOfTen[static_cast<std::size_t>(j)];
        const double scaled = magnitude * power;
        if (scaled >= kLimit) {
            return false;
        }
        const auto candidate = static_cast<std::uint64_t>(scaled + 0.5);
        const auto whole = static_cast<double>(candidate);
        // A cheap look first; the division decides.
        if (candidate != 0 && std::fabs(whole - scaled) <= scaled * 0x1p-45 &&
            whole / power == magnitude) {
            significand = candidate;
            decimals = j;
            return true;
        }
    }
    return false;
}

// The longest text WriteNumber produces: "-1,23456789012345E-308" is 22 characters.
constexpr std::size_t kMaxNumberText = 24;
// The longest text WriteInteger produces: "-2147483648".
constexpr std::size_t kMaxIntegerText = 11;

std::size_t WriteNumber(double value, char* out) noexcept {
    if (value == 0) {
        out[0] = '0';
        return 1;
    }
    if (!std::isfinite(value)) {
        // No operation yields these; written as to_chars does, should one ever get here.
        return static_cast<std::size_t>(std::to_chars(out, out + kMaxNumberText, value).ptr - out);
    }

    // The value's significant digits, rounded to 15, and the power of ten of the first.
    const bool negative = value < 0;
    std::array<char, 20> digits;
    int count = 0;
    int exponent = 0;
    std::uint64_t short_decimal = 0;
    int decimals = 0;
    if (FindShortDecimal(std::fabs(value), short_decimal, decimals)) {
        count = static_cast<int>(
            std::to_chars(digits.data(), digits.data() + digits.size(), short_decimal).ptr -
            digits.data());
        exponent = count - 1 - decimals;
    } else {
        // "[-]d.dddddddddddddde[+-]dd[d]"
        std::array<char, 32> scientific;
        const char* const sci_end =
            std::to_chars(scientific.data(), scientific.data() + scientific.size(), value,
                          std::chars_format::scientific, 14)
                .ptr;
        const char* p = scientific.data() + (negative ? 1 : 0);
        digits[0] = p[0];
        std::memcpy(digits.data() + 1, p + 2, 14);
        count = 15;
        p += 17; // past the digits, the point and the 'e'
        const bool exponent_negative = *p++ == '-';
        for (; p < sci_end; ++p) {
            exponent = exponent * 10 + (*p - '0');
        }
        if (exponent_negative) {
            exponent = -exponent;
        }
    }
    char* o = out;
    if (negative) {
        *o++ = '-';
    }
    while (count > 1 && digits[static_cast<std::size_t>(count - 1)] == '0') {
        --count;
    }

    const auto put_digits = [&o, &digits](int from, int to) {
        for (int i = from; i < to; ++i) {
            *o++ = digits[static_cast<std::size_t>(i)];
        }
    };

    if (exponent >= -4 && exponent <= 14) {
        if (exponent >= 0) {
            const int whole_digits = exponent + 1;
            put_digits(0, std::min(count, whole_digits));
            for (int i = count; i < whole_digits; ++i) {
                *o++ = '0';
            }
            if (count > whole_digits) {
                *o++ = ',';
                put_digits(whole_digits, count);
            }
        } else {
            *o++ = '0';
            *o++ = ',';
            for (int i = 1; i < -exponent; ++i) {
                *o++ = '0';
            }
            put_digits(0, count);
        }
    } else {
        *o++ = digits[0];
        if (count > 1) {
            *o++ = ',';
            put_digits(1, count);
        }
        *o++ = 'E';
        *o++ = exponent < 0 ? '-' : '+';
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude >= 100) {
            *o++ = static_cast<char>('0' + magnitude / 100);
        }
        *o++ = static_cast<char>('0' + magnitude / 10 % 10);
        *o++ = static_cast<char>('0' + magnitude % 10);
    }
    return static_cast<std::size_t>(o - out);
}

std::size_t WriteInteger(std::int32_t value, char* out) noexcept {
    return static_cast<std::size_t>(std::to_chars(out, out + kMaxIntegerText, value).ptr - out);
}

} // namespace

Checked<double> TextToNumber(std::string_view text) noexcept {
    NumberForm form;
    if (!ParseForm(text, form)) {
        return Fail(FailureKind::TypeMismatch);
    }
    return Convert(form);
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
    std::array<char, kMaxNumberText> text;
    return std::string(text.data(), WriteNumber(value, text.data()));
}

std::string IntegerToText(std::int32_t value) {
    std::array<char, kMaxIntegerText> text;
    return std::string(text.data(), WriteInteger(value, text.data()));
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
