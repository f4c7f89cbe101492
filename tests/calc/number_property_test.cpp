// NumberToText and TextToNumber over a million doubles of every magnitude, checked against an
// independent oracle: the C library's "%.14e" and strtod under the "C" locale. The unit tier runs
// the first tenth of the random cases, the slow tier all of them (all_cases.h).

#include "calc/number_text.h"

#include "all_cases.h"
#include "calc_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <string_view>

namespace {

constexpr std::uint64_t kSeed = 0x567'2024'0d0c'5eedULL;
constexpr int kCases = 1'000'000, kQuickCases = 100'000;
constexpr int kTexts = 300'000, kQuickTexts = 30'000;

// The decimal value a text denotes, as significant digits (no trailing zeros) and the power of
// ten of the first one; parsed here by hand from the two forms NumberToText may write. Fixed
// buffers: this runs a million times in the sanitized build.
struct Decimal {
    bool negative = false;
    char digits[32] = {};
    int count = 0;
    int exponent = 0;

    std::string_view Digits() const { return {digits, static_cast<std::size_t>(count)}; }
    bool operator==(const Decimal& other) const {
        return negative == other.negative && exponent == other.exponent &&
               Digits() == other.Digits();
    }
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Checks that `text` has exactly the shape NumberToText writes and decodes it. Returns what is
// wrong with it, or nullptr.
const char* DecodeWritten(std::string_view text, Decimal& out) {
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        out.negative = true;
        ++i;
    }
    const std::size_t wholeBegin = i;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
    }
    const std::string_view whole = text.substr(wholeBegin, i - wholeBegin);
    if (whole.empty()) {
        return "no digit before the comma";
    }
    std::string_view fraction;
    if (i < text.size() && text[i] == ',') {
        const std::size_t fractionBegin = ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
        }
        fraction = text.substr(fractionBegin, i - fractionBegin);
        if (fraction.empty()) {
            return "trailing comma";
        }
        if (fraction.back() == '0') {
            return "trailing zero";
        }
    }
    if (whole.size() + fraction.size() > sizeof out.digits) {
        return "far too many digits";
    }
    const auto keep = [&out](std::string_view part) {
        for (char c : part) {
            if (out.count > 0 || c != '0') {
                out.digits[out.count++] = c;
            }
        }
    };
    if (i == text.size()) { // positional form
        if (whole.size() > 1 && whole[0] == '0') {
            return "leading zero";
        }
        if (whole == "0" && fraction.empty()) {
            return out.negative ? "negative zero" : nullptr;
        }
        keep(whole);
        keep(fraction);
        out.exponent = whole == "0" ? -1 - static_cast<int>(fraction.find_first_not_of('0'))
                                    : static_cast<int>(whole.size()) - 1;
        while (out.count > 1 && out.digits[out.count - 1] == '0') {
            --out.count;
        }
        if (out.exponent < -4 || out.exponent > 14) {
            return "positional form outside exponents -4..14";
        }
        return out.count > 15 ? "more than 15 significant digits" : nullptr;
    }
    // Exponent form: one non-zero digit, optional fraction, "E", sign, two or three digits.
    if (whole.size() != 1 || whole[0] == '0') {
        return "exponent form needs one non-zero leading digit";
    }
    if (text[i] != 'E') {
        return "unexpected character";
    }
    ++i;
    if (i == text.size() || (text[i] != '+' && text[i] != '-')) {
        return "exponent without sign";
    }
    const bool exponentNegative = text[i++] == '-';
    const std::string_view exponentDigits = text.substr(i);
    if (exponentDigits.size() < 2 || exponentDigits.size() > 3) {
        return "exponent of wrong width";
    }
    if (exponentDigits.size() == 3 && exponentDigits[0] == '0') {
        return "three-digit exponent with a leading zero";
    }
    for (char c : exponentDigits) {
        if (!IsDigit(c)) {
            return "exponent not numeric";
        }
        out.exponent = out.exponent * 10 + (c - '0');
    }
    if (exponentNegative) {
        out.exponent = -out.exponent;
    }
    keep(whole);
    keep(fraction);
    if (out.exponent >= -4 && out.exponent <= 14) {
        return "exponent form inside exponents -4..14";
    }
    return out.count > 15 ? "more than 15 significant digits" : nullptr;
}

// The oracle's 15-digit rounding: "%.14e" gives "[-]d.ddddddddddddddde[+-]dd[d]".
Decimal OracleDecimal(const char* printed) {
    Decimal d;
    const char* p = printed;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    d.digits[0] = p[0];
    std::memcpy(d.digits + 1, p + 2, 14);
    d.count = 15;
    while (d.count > 1 && d.digits[d.count - 1] == '0') {
        --d.count;
    }
    d.exponent = std::atoi(p + 17);
    return d;
}

std::string Hex(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%a", value);
    return text;
}

// One value through both directions; an explanation when something is wrong.
std::optional<std::string> CheckValue(double value, bool writeAgain = true) {
    const std::string text = calc::NumberToText(value);
    Decimal written;
    if (const char* problem = DecodeWritten(text, written)) {
        return "\"" + text + "\": " + problem;
    }
    if (value == 0) {
        return text == "0" ? std::nullopt : std::optional<std::string>("zero not written \"0\"");
    }

    char printed[48];
    std::snprintf(printed, sizeof printed, "%.14e", value);
    if (!(written == OracleDecimal(printed))) {
        return "\"" + text + "\" does not denote " + printed;
    }

    // Read back: the double nearest to the 15-digit text, or Overflow when that lies beyond
    // the largest double (values that round up past 1,79769313486232E+308).
    const double nearest = std::strtod(printed, nullptr);
    const calc::Checked<double> checked = calc::TextToNumber(text);
    if (!checked.ok()) {
        if (std::isinf(nearest) && checked.failure == calc::FailureKind::Overflow) {
            return std::nullopt;
        }
        return "\"" + text + "\" not read back: " + calc::FailureName(*checked.failure);
    }
    const double read = checked.value;
    if (std::isinf(nearest)) {
        return "\"" + text + "\" read although beyond the double range";
    }
    if (!calc_test::SameBits(read, nearest)) {
        return "\"" + text + "\" read as " + Hex(read) + ", nearest is " + Hex(nearest);
    }
    // Fifteen digits survive a round trip through a normal double.
    if (writeAgain && std::isnormal(read) && calc::NumberToText(read) != text) {
        return "\"" + text + "\" written again as \"" + calc::NumberToText(read) + "\"";
    }
    return std::nullopt;
}

class ScopedCLocale {
public:
    ScopedCLocale() : saved_(std::setlocale(LC_ALL, nullptr)) { std::setlocale(LC_ALL, "C"); }
    ~ScopedCLocale() { std::setlocale(LC_ALL, saved_.c_str()); }
    ScopedCLocale(const ScopedCLocale&) = delete;
    ScopedCLocale& operator=(const ScopedCLocale&) = delete;

private:
    std::string saved_;
};

TEST(NumberTextProperty, WritesFifteenDigitsAndReadsBackTheNearestDouble) {
    const ScopedCLocale cLocale; // the oracle's printf and strtod must use the point
    std::mt19937_64 random(kSeed);
    std::uniform_int_distribution<int> decimalExponent(-320, 308);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    int failures = 0;
    std::uniform_int_distribution<int> digitCount(1, 17);
    std::uniform_int_distribution<int> digit(0, 9);
    const int cases = testing_support::CasesToRun(kCases, kQuickCases);
    for (int i = 0; i < cases && failures < 10; ++i) {
        double value = 0;
        switch (i % 3) {
        case 0:
            // Any finite bit pattern: every binade, subnormals and both signs alike.
            do {
                const std::uint64_t bits = random();
                std::memcpy(&value, &bits, sizeof value);
            } while (!std::isfinite(value));
            break;
        case 1:
            // Uniform in the decimal exponent, so that each power of ten gets its share.
            value = mantissa(random) * std::pow(10.0, decimalExponent(random));
            if (!std::isfinite(value)) {
                value = std::numeric_limits<double>::max();
            }
            if (random() & 1) {
                value = -value;
            }
            break;
        default: {
            // A decimal of 1 to 17 digits read by the oracle, as the program's own values are:
            // short texts such as 1748.252 or 0.022 near the doubles they denote.
            char text[48];
            int length = 0;
            if (random() & 1) {
                text[length++] = '-';
            }
            text[length++] = static_cast<char>('1' + digit(random) % 9);
            text[length++] = '.';
            for (int n = digitCount(random); n > 1; --n) {
                text[length++] = static_cast<char>('0' + digit(random));
            }
            std::snprintf(text + length, sizeof text - static_cast<std::size_t>(length), "e%d",
                          decimalExponent(random));
            value = std::strtod(text, nullptr);
            if (!std::isfinite(value)) {
                value = std::copysign(std::numeric_limits<double>::max(), value);
            }
            break;
        }
        }
        // Writing the read value again is checked on a quarter of the cases, to keep the time down.
        if (auto problem = CheckValue(value, i % 4 == 0)) {
            ++failures;
            ADD_FAILURE() << "seed " << kSeed << ", case " << i << ", value " << Hex(value) << ": "
                          << *problem;
        }
    }
}

TEST(NumberTextProperty, ReadsRandomTextsAsTheNearestDouble) {
    const ScopedCLocale cLocale;
    std::mt19937_64 random(kSeed + 1);
    std::uniform_int_distribution<int> length(0, 20);
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> smallExponent(-40, 40);
    std::uniform_int_distribution<int> largeExponent(-400, 400);
    int failures = 0;
    const int texts = testing_support::CasesToRun(kTexts, kQuickTexts);
    for (int i = 0; i < texts && failures < 10; ++i) {
        // [sign] digits [, digits] [E [sign] digits], with leading and trailing zeros.
        std::string text;
        const auto putDigits = [&](int count) {
            const bool zeros = random() % 4 == 0;
            for (int n = 0; n < count; ++n) {
                text += static_cast<char>('0' + (zeros && random() % 2 ? 0 : digit(random)));
            }
        };
        switch (random() % 3) {
        case 0:
            text += '-';
            break;
        case 1:
            text += '+';
            break;
        default:
            break;
        }
        const int whole = length(random) % (random() % 2 ? 4 : 21);
        putDigits(whole);
        if (whole == 0 || random() % 2) {
            text += ',';
            putDigits(whole == 0 ? 1 + length(random) : length(random));
        }
        if (random() % 2) {
            text += random() % 2 ? 'E' : 'e';
            const int exponent = random() % 4 == 0 ? largeExponent(random) : smallExponent(random);
            if (exponent >= 0 && random() % 2) {
                text += '+';
            }
            text += std::to_string(exponent);
        }

        std::string withPoint = text;
        std::replace(withPoint.begin(), withPoint.end(), ',', '.');
        char* end = nullptr;
        const double nearest = std::strtod(withPoint.c_str(), &end);
        if (*end != '\0') {
            ADD_FAILURE() << "the oracle did not read \"" << withPoint << '"';
            ++failures;
            continue;
        }
        const calc::Checked<double> read = calc::TextToNumber(text);
        if (read.ok()) {
            if (std::isinf(nearest) || !calc_test::SameBits(read.value, nearest)) {
                ADD_FAILURE() << "seed " << kSeed + 1 << ", case " << i << ": \"" << text
                              << "\" read as " << Hex(read.value) << ", nearest is "
                              << Hex(nearest);
                ++failures;
            }
        } else if (!std::isinf(nearest) || read.failure != calc::FailureKind::Overflow) {
            ADD_FAILURE() << "seed " << kSeed + 1 << ", case " << i << ": \"" << text
                          << "\" failed: " << *read.failure;
            ++failures;
        }
    }
}

TEST(NumberTextProperty, BoundariesOfThePositionalForm) {
    const ScopedCLocale cLocale;
    // Around every power of ten from 1e-6 to 1e16, where the rounded exponent decides the form.
    for (int exponent = -6; exponent <= 16; ++exponent) {
        const double power = std::pow(10.0, exponent);
        double value = power;
        for (int step = 0; step < 64; ++step) {
            value = std::nextafter(value, 0.0);
        }
        for (int step = 0; step < 128; ++step) {
            for (double signedValue : {value, -value}) {
                if (auto problem = CheckValue(signedValue)) {
                    ADD_FAILURE() << "value " << Hex(signedValue) << ": " << *problem;
                }
            }
            value = std::nextafter(value, 1e300);
        }
    }
}

} // namespace
