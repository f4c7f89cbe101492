// Texts a user can type or paste into the resistor box: whatever they hold, TextToNumber either
// reads them as the decimal-comma form allows or refuses them cleanly, in time linear in length.

#include "calc/number_text.h"

#include "calc_test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

using calc::FailureKind;
using calc_test::SameBits;

constexpr std::size_t kMillion = 1000000;

// The texts are built by the row's own test, not when the table is registered: CTest runs each
// test in a process of its own, and a dozen megabyte texts in each of them add up.
using TextMaker = std::function<std::string()>;

struct HostileRow {
    std::string name;
    TextMaker text;
    std::optional<double> value;                  // the number read, or
    FailureKind kind = FailureKind::TypeMismatch; // the failure when there is no value
    friend void PrintTo(const HostileRow& row, std::ostream* out) { *out << row.name; }
};

HostileRow Reads(std::string name, TextMaker text, double value) {
    return {std::move(name), std::move(text), value};
}
HostileRow Reads(std::string name, std::string text, double value) {
    return Reads(
        std::move(name), [text] { return text; }, value);
}
HostileRow Refused(std::string name, TextMaker text, FailureKind kind = FailureKind::TypeMismatch) {
    return {std::move(name), std::move(text), std::nullopt, kind};
}
HostileRow Refused(std::string name, std::string text,
                   FailureKind kind = FailureKind::TypeMismatch) {
    return Refused(
        std::move(name), [text] { return text; }, kind);
}

std::string Ones() {
    return std::string(kMillion, '1');
}
std::string Zeros() {
    return std::string(kMillion, '0');
}

std::vector<HostileRow> HostileTexts() {
    return {
        Refused("MillionDigits", Ones, FailureKind::Overflow),
        Refused(
            "MillionDigitsNegative", [] { return "-" + Ones(); }, FailureKind::Overflow),
        Reads(
            "MillionDigitFraction", [] { return "0," + std::string(kMillion, '3'); }, 1.0 / 3),
        Reads(
            "MillionDigitsScaledBack", [] { return "1" + Zeros() + "E-1000000"; }, 1.0),
        Reads(
            "MillionDigitsCommaInside",
            [] {
                const std::string ones = Ones();
                return ones.substr(0, 500000) + "," + ones.substr(500000) + "E-499999";
            },
            1.1111111111111112),
        Reads(
            "MillionZerosThenOne", [] { return "0," + Zeros() + "1"; }, 0.0),
        Refused("MillionDigitsThenLetter", [] { return Ones() + "x"; }),
        Refused("MillionDigitsTwoCommas", [] { return "1," + Zeros() + ",1"; }),
        Reads(
            "MillionDigitExponent", [] { return "1E" + Zeros() + "5"; }, 100000.0),
        Refused(
            "MillionNinesExponent", [] { return "1E" + std::string(kMillion, '9'); },
            FailureKind::Overflow),
        Reads(
            "MillionNinesNegativeExponent", [] { return "1E-" + std::string(kMillion, '9'); }, 0.0),
        Reads(
            "MillionSpacesAround",
            [] { return std::string(kMillion / 2, ' ') + "26" + std::string(kMillion / 2, ' '); },
            26.0),
        Refused("MillionSpaces", [] { return std::string(kMillion, ' '); }),
        Refused("InvalidUtf8", "\xff\xfe"),
        Refused("StrayContinuationByte", "2\x80"
                                         "6"),
        Refused("OverlongDigit", "\xc0\xb2"),
        Refused("TruncatedSequence", "26\xe2\x82"),
        Refused("Infinity", "inf"),
        Refused("InfinityWord", "Infinity"),
        Refused("NotANumber", "nan"),
        Refused("Hexadecimal", "0x1A"),
        Refused("PeriodAsSeparator", "1.5"),
        Refused("SpaceAsGroupSeparator", "1 000"),
        Refused("FullWidthDigits", "\xef\xbc\x91\xef\xbc\x92"), // "１２"
        Refused("ArabicIndicDigits", "\xd9\xa2\xd9\xa6"),       // "٢٦"
        Refused("UnicodeMinus", "\xe2\x88\x92"
                                "26"), // "−26"
        Refused("LeadingTab", "\t26"),
        Refused("TrailingTab", "26\t"),
        Refused("TrailingNewline", "26\n"),
        Refused("NoBreakSpace", "\xc2\xa0"
                                "26"),
        Refused("NarrowNoBreakSpaceGroup", "1\xe2\x80\xaf"
                                           "000"),
        Refused("EmbeddedNul", std::string("2\0"
                                           "6",
                                           3)),
        Refused("TrailingNul", std::string("26\0", 3)),
        Refused("LoneNul", std::string(1, '\0')),
        Refused("PlusMinus", "+-1"),
        Refused("DoubleMinus", "--1"),
        Refused("BareExponent", "1E"),
        Refused("BareExponentSign", "1E+"),
        Refused("CommaOnly", ","),
        Refused("Empty", ""),
        Refused("SpacesOnly", "   "),
        Refused("ExponentOnly", "E5"),
        Refused("ThreeParts", "1,2,3"),
        Refused(
            "FourHundredDigits", [] { return "1" + std::string(399, '0'); }, FailureKind::Overflow),
        Reads(
            "FourHundredDigitsScaledBack", [] { return "1" + std::string(399, '0') + "E-399"; },
            1.0),
        Refused("HugeExponent", "1E99999999999999999999", FailureKind::Overflow),
        Reads("ZeroHugeExponent", "0E99999999999", 0.0),
        Reads("TinyExponent", "1E-400", 0.0),
    };
}

class HostileText : public testing::TestWithParam<HostileRow> {};

TEST_P(HostileText, IsReadOrRefusedCleanly) {
    const HostileRow& row = GetParam();
    const std::string text = row.text();
    const calc::Checked<double> read = calc::TextToNumber(text);
    if (row.value) {
        EXPECT_TRUE(SameBits(read, *row.value)) << read;
    } else {
        EXPECT_EQ(read.failure, row.kind) << read;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, HostileText, testing::ValuesIn(HostileTexts()),
                         calc_test::RowName{});

} // namespace
