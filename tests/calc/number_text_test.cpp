// The number rules, one table per operation, with the values the results depend on.

#include "calc/number_text.h"

#include "calc_test_support.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace {

using calc::FailureKind;
using calc_test::RowName;
using calc_test::SameBits;
using calc_test::ValueOf;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kSmallestSubnormal = std::numeric_limits<double>::denorm_min();

// ---------------------------------------------------------------- reading

struct ReadRow {
    const char* name;
    const char* text;
    double value;
    friend void PrintTo(const ReadRow& row, std::ostream* out) { *out << row.name; }
};

class TextToNumberReads : public testing::TestWithParam<ReadRow> {};

TEST_P(TextToNumberReads, GivesTheNearestDouble) {
    const ReadRow& row = GetParam();
    const calc::Checked<double> read = calc::TextToNumber(row.text);
    EXPECT_TRUE(SameBits(read, row.value))
        << '"' << row.text << "\" gave " << read << ", expected " << row.value;
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextToNumberReads,
    testing::Values(
        ReadRow{"Whole", "26", 26.0}, ReadRow{"LeadingZero", "05", 5.0},
        ReadRow{"DecimalComma", "1,2", 1.2}, ReadRow{"SurroundingSpaces", "   26  ", 26.0},
        ReadRow{"TrailingComma", "4,", 4.0}, ReadRow{"LeadingComma", ",5", 0.5},
        ReadRow{"Negative", "-5", -5.0}, ReadRow{"PlusSign", "+5", 5.0},
        ReadRow{"NegativeZero", "-0", -0.0}, ReadRow{"Exponent", "1E-06", 0.000001},
        ReadRow{"ExponentWithComma", "4,7E-06", 0.0000047},
        ReadRow{"LowercaseExponent", "2,5e3", 2500.0}, ReadRow{"ExponentPlus", "1E+15", 1e15},
        ReadRow{"SignCommaExponentSpaces", "  -,5E+2 ", -50.0},
        ReadRow{"TrailingCommaExponent", "4,E1", 40.0},
        ReadRow{"ManyLeadingZeros", "00000000000000000000000000000001", 1.0},
        ReadRow{"ExponentLeadingZeros", "1E+0005", 100000.0},
        ReadRow{"StartUpFrequency", "1748,252", 1748.252},
        ReadRow{"StartUpCapacitor", "0,022", 0.022},
        // 2^53 + 1 lies exactly between two doubles and goes to the even one; a hair above
        // it, only the 40th digit tells that the upper one is nearer.
        ReadRow{"TieToEven", "9007199254740993", 9007199254740992.0},
        ReadRow{"LongTextAboveTie", "9007199254740993,000000000000000000000001",
                9007199254740994.0},
        ReadRow{"ExactDecimalOfTenth", "0,1000000000000000055511151231257827021181583404541015625",
                0.1},
        ReadRow{"LargestDouble", "1,7976931348623157E308", DBL_MAX},
        ReadRow{"RoundsDownToLargest", "1,797693134862315807E308", DBL_MAX},
        ReadRow{"SmallestNormal", "2,2250738585072014E-308", DBL_MIN},
        ReadRow{"Subnormal", "4,9E-324", kSmallestSubnormal},
        ReadRow{"AboveHalfSmallestSubnormal", "3E-324", kSmallestSubnormal},
        ReadRow{"BelowHalfSmallestSubnormal", "2E-324", 0.0},
        ReadRow{"UnderflowIsZero", "1E-400", 0.0},
        ReadRow{"NegativeUnderflowIsNegativeZero", "-1E-400", -0.0},
        ReadRow{"ZeroWithHugeExponent", "0E99999999999", 0.0},
        ReadRow{"ZeroFractionWithHugeNegativeExponent", "0,000E-99999999999999999999", 0.0},
        ReadRow{"HugeNegativeExponent", "1E-99999999999999999999", 0.0}),
    RowName{});

struct RejectRow {
    const char* name;
    const char* text;
    FailureKind kind;
    friend void PrintTo(const RejectRow& row, std::ostream* out) { *out << row.name; }
};

class TextToNumberRejects : public testing::TestWithParam<RejectRow> {};

TEST_P(TextToNumberRejects, WithItsFailure) {
    const RejectRow& row = GetParam();
    EXPECT_EQ(calc::TextToNumber(row.text).failure, row.kind) << '"' << row.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextToNumberRejects,
    testing::Values(
        RejectRow{"Empty", "", FailureKind::TypeMismatch},
        RejectRow{"Letters", "abc", FailureKind::TypeMismatch},
        RejectRow{"TwoCommas", "1,2,3", FailureKind::TypeMismatch},
        RejectRow{"ExponentWithoutDigits", "1E", FailureKind::TypeMismatch},
        RejectRow{"ExponentSignWithoutDigits", "1E+", FailureKind::TypeMismatch},
        RejectRow{"PeriodIsNoSeparator", "1.5", FailureKind::TypeMismatch},
        RejectRow{"SignOnly", "-", FailureKind::TypeMismatch},
        RejectRow{"CommaOnly", ",", FailureKind::TypeMismatch},
        RejectRow{"SignAndComma", "+,", FailureKind::TypeMismatch},
        RejectRow{"ExponentWithoutMantissa", "E5", FailureKind::TypeMismatch},
        RejectRow{"CommaInExponent", "1E5,5", FailureKind::TypeMismatch},
        RejectRow{"TwoExponents", "1E5E5", FailureKind::TypeMismatch},
        RejectRow{"OtherExponentLetter", "1D5", FailureKind::TypeMismatch},
        RejectRow{"SpaceInExponent", "1E 5", FailureKind::TypeMismatch},
        RejectRow{"SpaceAfterSign", "- 5", FailureKind::TypeMismatch},
        RejectRow{"UnitAfterNumber", "26 Hz", FailureKind::TypeMismatch},
        RejectRow{"TrailingSign", "5-", FailureKind::TypeMismatch},
        RejectRow{"Parentheses", "(5)", FailureKind::TypeMismatch},
        RejectRow{"Overflow", "1E400", FailureKind::Overflow},
        RejectRow{"NegativeOverflow", "-1E400", FailureKind::Overflow},
        RejectRow{"HugeExponent", "1E99999999999999999999", FailureKind::Overflow},
        RejectRow{"NegativeHugeExponent", "-1E99999999999999999999", FailureKind::Overflow},
        RejectRow{"JustAboveLargestDouble", "1,7976931348623159E308", FailureKind::Overflow},
        RejectRow{"WholeBeyondRange",
                  "1000000000000000000000000000000000000000000000000000000000000000000000000000000"
                  "0000000000000000000000000000000000000000000000000000000000000000000000000000000"
                  "0000000000000000000000000000000000000000000000000000000000000000000000000000000"
                  "0000000000000000000000000000000000000000000000000000000000000000000000000000000"
                  "0000000000000000000000000000000000000000000000000000000000000000000000000000000",
                  FailureKind::Overflow}),
    RowName{});

// ---------------------------------------------------------------- the exact value written

struct DigitsRow {
    const char* name;
    const char* text;
    std::optional<calc::DecimalDigits> digits;
    friend void PrintTo(const DigitsRow& row, std::ostream* out) { *out << row.name; }
};

class TextToDecimalDigitsReads : public testing::TestWithParam<DigitsRow> {};

TEST_P(TextToDecimalDigitsReads, TheValueAsWrittenOrNothing) {
    const DigitsRow& row = GetParam();
    const std::optional<calc::DecimalDigits> digits = calc::TextToDecimalDigits(row.text);
    ASSERT_EQ(digits.has_value(), row.digits.has_value()) << '"' << row.text << '"';
    if (digits) {
        EXPECT_EQ(digits->negative, row.digits->negative);
        EXPECT_EQ(digits->digits, row.digits->digits);
        EXPECT_EQ(digits->exponent, row.digits->exponent);
    }
}

// The exponent is that of the last significant digit: 1748,252 is 1748252 x 10^-3.
INSTANTIATE_TEST_SUITE_P(
    Table, TextToDecimalDigitsReads,
    testing::Values(
        DigitsRow{"ThreeDecimals", "1748,252", calc::DecimalDigits{false, "1748252", -3}},
        DigitsRow{"ZerosAroundAndSpaces", " 0012,3400E-2 ", calc::DecimalDigits{false, "1234", -4}},
        DigitsRow{"ExponentOnly", "1E3", calc::DecimalDigits{false, "1", 3}},
        DigitsRow{"TrailingZerosOfAWholeNumber", "-500000", calc::DecimalDigits{true, "5", 5}},
        DigitsRow{"CommaLast", "4,", calc::DecimalDigits{false, "4", 0}},
        DigitsRow{"CommaFirst", ",05", calc::DecimalDigits{false, "5", -2}},
        // Beyond the 17 digits a double keeps: the 1 at the end decides a boundary.
        DigitsRow{"MoreDigitsThanADouble", "0,98000000000000000000001",
                  calc::DecimalDigits{false, "98000000000000000000001", -23}},
        DigitsRow{"NegativeZeroIsZero", "-0,000", calc::DecimalDigits{false, "", 0}},
        DigitsRow{"ExponentBeyondAnyDouble", "1E-99999999999999999999",
                  calc::DecimalDigits{false, "1", -1'000'000'000'000'000LL}},
        DigitsRow{"PeriodIsNoSeparator", "1.5", std::nullopt},
        DigitsRow{"Empty", "", std::nullopt}),
    RowName{});

// ---------------------------------------------------------------- writing

struct WriteRow {
    const char* name;
    double value;
    const char* text;
    friend void PrintTo(const WriteRow& row, std::ostream* out) { *out << row.name; }
};

class NumberToTextWrites : public testing::TestWithParam<WriteRow> {};

TEST_P(NumberToTextWrites, TheDecimalCommaForm) {
    const WriteRow& row = GetParam();
    EXPECT_EQ(calc::NumberToText(row.value), row.text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumberToTextWrites,
    testing::Values(
        // The rows of the results table.
        WriteRow{"TwentyTwoThousandths", 22.0 / 1000, "0,022"},
        WriteRow{"StartUpFrequency", 1748.252, "1748,252"}, WriteRow{"Whole", 11.0, "11"},
        WriteRow{"ScaledUp", 910.0 * 1000, "910000"},
        WriteRow{"HeldJustBelow", 2127.66 - 80, "2047,66"},
        WriteRow{"OneThird", 1.0 / 3, "0,333333333333333"},
        WriteRow{"TwoThirds", 2.0 / 3, "0,666666666666667"},
        WriteRow{"SmallestPositional", 0.0001, "0,0001"},
        WriteRow{"LargestExponentFormBelowOne", 0.00001, "1E-05"},
        WriteRow{"OneMillionth", 1.0 / 1000000, "1E-06"},
        WriteRow{"FourPointSevenMillionths", 4.7 / 1000000, "4,7E-06"},
        WriteRow{"TenToTheFifteen", 1e15, "1E+15"},
        WriteRow{"FifteenDigitsPositional", 123456789012345.0, "123456789012345"},
        WriteRow{"NegativeOneAndAHalf", -1.5, "-1,5"},
        // Zeros, signs and the boundaries of the positional form.
        WriteRow{"Zero", 0.0, "0"}, WriteRow{"NegativeZero", -0.0, "0"},
        WriteRow{"Half", 0.5, "0,5"}, WriteRow{"Hundred", 100.0, "100"},
        WriteRow{"TenToTheFourteen", 1e14, "100000000000000"},
        WriteRow{"RoundsUpToTenToTheFifteen", 999999999999999.9, "1E+15"},
        WriteRow{"RoundsUpToTenToTheFourteen", 99999999999999.99, "100000000000000"},
        WriteRow{"RoundsUpToTenThousandth", 0.000099999999999999995, "0,0001"},
        WriteRow{"JustBelowTenThousandth", 0.00009999999999999, "9,999999999999E-05"},
        WriteRow{"MoreThanFifteenDigits", 123456789012345678.0, "1,23456789012346E+17"},
        WriteRow{"FifteenSignificantFraction", 1748.2517482517483, "1748,25174825175"},
        WriteRow{"SumRoundsToFifteenDigits", 0.1 + 0.2, "0,3"},
        WriteRow{"LeadingZerosAfterComma", 0.00012, "0,00012"},
        WriteRow{"NegativeExponentForm", -0.00001, "-1E-05"},
        WriteRow{"NegativeFifteenDigits", -123456789012345.0, "-123456789012345"},
        WriteRow{"ThreeDigitExponent", 1e100, "1E+100"},
        WriteRow{"LargeThreeDigitExponent", 1e308, "1E+308"},
        WriteRow{"LargestDouble", DBL_MAX, "1,79769313486232E+308"},
        WriteRow{"SmallestNormal", DBL_MIN, "2,2250738585072E-308"},
        WriteRow{"SmallestSubnormal", kSmallestSubnormal, "4,94065645841247E-324"},
        WriteRow{"NegativeHugeWithDigits", -1.5e300, "-1,5E+300"}),
    RowName{});

// ---------------------------------------------------------------- integers

struct IntegerRow {
    const char* name;
    std::int32_t value;
    const char* text;
    friend void PrintTo(const IntegerRow& row, std::ostream* out) { *out << row.name; }
};

class IntegerToTextWrites : public testing::TestWithParam<IntegerRow> {};

TEST_P(IntegerToTextWrites, PlainDigits) {
    EXPECT_EQ(calc::IntegerToText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Table, IntegerToTextWrites,
                         testing::Values(IntegerRow{"Zero", 0, "0"}, IntegerRow{"Seven", 7, "7"},
                                         IntegerRow{"StartUpHalfWidth", 11, "11"},
                                         IntegerRow{"Hundred", 100, "100"},
                                         IntegerRow{"Negative", -16575, "-16575"},
                                         IntegerRow{"Largest", 2147483647, "2147483647"},
                                         IntegerRow{"Smallest", -2147483647 - 1, "-2147483648"}),
                         RowName{});

// ---------------------------------------------------------------- rounding to decimals

struct RoundRow {
    const char* name;
    double value;
    int decimals;
    double rounded;
    friend void PrintTo(const RoundRow& row, std::ostream* out) { *out << row.name; }
};

class RoundDecimalsRounds : public testing::TestWithParam<RoundRow> {};

TEST_P(RoundDecimalsRounds, HalvesToEven) {
    const RoundRow& row = GetParam();
    EXPECT_TRUE(SameBits(calc::RoundDecimals(row.value, row.decimals), row.rounded))
        << calc::RoundDecimals(row.value, row.decimals);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RoundDecimalsRounds,
    testing::Values(
        RoundRow{"StartUpFrequency", 1748.2517482517483, 3, 1748.252},
        RoundRow{"StartUpHalfWidth", 11.012473615362437, 3, 11.012},
        RoundRow{"HalfDownToEven", 0.0625, 3, 0.062}, RoundRow{"HalfUpToEven", 0.1875, 3, 0.188},
        RoundRow{"NegativeHalfToEven", -0.0625, 3, -0.062},
        RoundRow{"NegativeHalfAwayToEven", -0.1875, 3, -0.188},
        RoundRow{"HalfWithWholePart", 2.0625, 3, 2.062}, RoundRow{"AboveHalf", 3.4996, 3, 3.5},
        RoundRow{"AboveHalfEleven", 11.4996, 3, 11.5}, RoundRow{"AboveHalfTen", 10.4996, 3, 10.5},
        RoundRow{"SecondWorkedExample", 117.212627306106, 3, 117.213},
        RoundRow{"AlreadyRound", 1000.0, 3, 1000.0},
        RoundRow{"TinyNegativeGoesToNegativeZero", -0.0001, 3, -0.0},
        RoundRow{"TinyGoesToZero", 0.0000120758, 3, 0.0},
        RoundRow{"NoDecimalsHalfDown", 2.5, 0, 2.0}, RoundRow{"NoDecimalsHalfUp", 3.5, 0, 4.0},
        RoundRow{"LargeValueStays", 1e300, 3, 1e300}),
    RowName{});

struct RoundFailureRow {
    const char* name;
    double value;
    int decimals;
    FailureKind kind;
    friend void PrintTo(const RoundFailureRow& row, std::ostream* out) { *out << row.name; }
};

class RoundDecimalsFails : public testing::TestWithParam<RoundFailureRow> {};

// The scaling is a multiplication like any other: when it overflows, the rounding fails rather
// than pass an infinity on.
TEST_P(RoundDecimalsFails, WithItsFailure) {
    const RoundFailureRow& row = GetParam();
    EXPECT_EQ(calc::RoundDecimals(row.value, row.decimals).failure, row.kind);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RoundDecimalsFails,
    testing::Values(RoundFailureRow{"ScalingOverflows", 1e306, 3, FailureKind::Overflow},
                    RoundFailureRow{"NegativeScalingOverflows", -1e306, 3, FailureKind::Overflow},
                    RoundFailureRow{"NotANumber", kNaN, 3, FailureKind::Overflow},
                    RoundFailureRow{"NegativeDecimals", 1.5, -1, FailureKind::InvalidArgument}),
    RowName{});

// ---------------------------------------------------------------- whole numbers

struct IntegerConversionRow {
    const char* name;
    double value;
    std::optional<std::int32_t> integer; // empty: fails with Overflow
    friend void PrintTo(const IntegerConversionRow& row, std::ostream* out) { *out << row.name; }
};

class NumberToIntegerConverts : public testing::TestWithParam<IntegerConversionRow> {};

TEST_P(NumberToIntegerConverts, HalvesToEvenWithinRange) {
    const IntegerConversionRow& row = GetParam();
    const calc::Checked<std::int32_t> integer = calc::NumberToInteger(row.value);
    if (row.integer) {
        EXPECT_EQ(ValueOf(integer), *row.integer);
    } else {
        EXPECT_EQ(integer.failure, FailureKind::Overflow) << integer;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumberToIntegerConverts,
    testing::Values(
        IntegerConversionRow{"TwoAndAHalf", 2.5, 2}, IntegerConversionRow{"ThreeAndAHalf", 3.5, 4},
        IntegerConversionRow{"MinusTwoAndAHalf", -2.5, -2},
        IntegerConversionRow{"MinusThreeAndAHalf", -3.5, -4}, IntegerConversionRow{"Half", 0.5, 0},
        IntegerConversionRow{"MinusHalf", -0.5, 0}, IntegerConversionRow{"OneAndAHalf", 1.5, 2},
        IntegerConversionRow{"StartUpHalfWidth", 11.012, 11},
        IntegerConversionRow{"RoundedHalfWidth", 3.5, 4}, IntegerConversionRow{"AboveHalf", 2.6, 3},
        IntegerConversionRow{"BelowHalf", -2.4, -2},
        IntegerConversionRow{"JustBelowUpperLimit", 2147483647.4, 2147483647},
        IntegerConversionRow{"EvenHalfBelowUpperLimit", 2147483646.5, 2147483646},
        IntegerConversionRow{"UpperLimit", 2147483647.5, std::nullopt},
        IntegerConversionRow{"FarAbove", 1e10, std::nullopt},
        IntegerConversionRow{"LowerLimitHalfIsEven", -2147483648.5, -2147483647 - 1},
        IntegerConversionRow{"OddHalfAboveLowerLimit", -2147483647.5, -2147483647 - 1},
        IntegerConversionRow{"JustAboveLowerLimit", -2147483648.4, -2147483647 - 1},
        IntegerConversionRow{"JustBelowLowerLimit", -2147483648.6, std::nullopt},
        IntegerConversionRow{"FarBelow", -1e300, std::nullopt},
        IntegerConversionRow{"Infinity", kInfinity, std::nullopt},
        IntegerConversionRow{"NotANumber", kNaN, std::nullopt}),
    RowName{});

TEST(NumberToInteger, RoundsTheAlreadyRoundedHalfWidthAgain) {
    // 3.4996 is 3.5 at three decimals, then 4 as a whole number; rounded once it would be 3.
    EXPECT_EQ(ValueOf(calc::NumberToInteger(ValueOf(calc::RoundDecimals(3.4996, 3)))), 4);
    EXPECT_EQ(ValueOf(calc::NumberToInteger(ValueOf(calc::RoundDecimals(11.4996, 3)))), 12);
    EXPECT_EQ(ValueOf(calc::NumberToInteger(ValueOf(calc::RoundDecimals(10.4996, 3)))), 10);
}

// ---------------------------------------------------------------- square root

struct RootRow {
    const char* name;
    double value;
    std::optional<double> root; // empty: fails with InvalidArgument
    friend void PrintTo(const RootRow& row, std::ostream* out) { *out << row.name; }
};

class SquareRootTakes : public testing::TestWithParam<RootRow> {};

TEST_P(SquareRootTakes, TheCorrectlyRoundedRoot) {
    const RootRow& row = GetParam();
    const calc::Checked<double> root = calc::SquareRoot(row.value);
    if (row.root) {
        EXPECT_TRUE(SameBits(root, *row.root)) << root;
    } else {
        EXPECT_EQ(root.failure, FailureKind::InvalidArgument) << root;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, SquareRootTakes,
                         testing::Values(RootRow{"Zero", 0.0, 0.0},
                                         RootRow{"NegativeZero", -0.0, -0.0},
                                         RootRow{"Four", 4.0, 2.0},
                                         RootRow{"Two", 2.0, 1.4142135623730951},
                                         RootRow{"FourthWorkedExample", 240.0, 15.491933384829668},
                                         RootRow{"MinusOne", -1.0, std::nullopt},
                                         RootRow{"TinyNegative", -1e-300, std::nullopt},
                                         RootRow{"NotANumber", kNaN, std::nullopt}),
                         RowName{});

// ---------------------------------------------------------------- arithmetic

enum class Op { Add, Subtract, Multiply, Divide };

struct ArithmeticRow {
    const char* name;
    Op op;
    double a;
    double b;
    std::optional<double> result;
    std::optional<FailureKind> failure;
    friend void PrintTo(const ArithmeticRow& row, std::ostream* out) { *out << row.name; }
};

calc::Checked<double> Apply(Op op, double a, double b) {
    switch (op) {
    case Op::Add:
        return calc::Add(a, b);
    case Op::Subtract:
        return calc::Subtract(a, b);
    case Op::Multiply:
        return calc::Multiply(a, b);
    case Op::Divide:
        return calc::Divide(a, b);
    }
    return {kNaN, std::nullopt};
}

class ArithmeticGives : public testing::TestWithParam<ArithmeticRow> {};

TEST_P(ArithmeticGives, ADoubleOrAFailure) {
    const ArithmeticRow& row = GetParam();
    const calc::Checked<double> result = Apply(row.op, row.a, row.b);
    EXPECT_EQ(result.failure, row.failure);
    if (row.result) {
        EXPECT_TRUE(SameBits(result, *row.result)) << result;
    }
}

ArithmeticRow Gives(const char* name, Op op, double a, double b, double result) {
    return {name, op, a, b, result, std::nullopt};
}
ArithmeticRow Fails(const char* name, Op op, double a, double b, FailureKind kind) {
    return {name, op, a, b, std::nullopt, kind};
}

INSTANTIATE_TEST_SUITE_P(
    Table, ArithmeticGives,
    testing::Values(
        Fails("OneByZero", Op::Divide, 1, 0, FailureKind::DivisionByZero),
        Fails("MinusOneByZero", Op::Divide, -1, 0, FailureKind::DivisionByZero),
        Fails("OneByNegativeZero", Op::Divide, 1, -0.0, FailureKind::DivisionByZero),
        Fails("ZeroByZero", Op::Divide, 0, 0, FailureKind::Overflow),
        Fails("ProductBeyondRange", Op::Multiply, 1e300, 1e300, FailureKind::Overflow),
        Gives("ProductUnderflowsToZero", Op::Multiply, 1e-200, 1e-200, 0.0),
        Fails("OneByUnderflowedZero", Op::Divide, 1, 1e-200 * 1e-200, FailureKind::DivisionByZero),
        Gives("QuotientUnderflowsToZero", Op::Divide, 1e-300, 1e300, 0.0),
        Gives("QuotientBecomesSubnormal", Op::Divide, DBL_MIN, 4, DBL_MIN / 4),
        Fails("QuotientBeyondRange", Op::Divide, 1e300, 1e-300, FailureKind::Overflow),
        Fails("SumBeyondRange", Op::Add, DBL_MAX, DBL_MAX, FailureKind::Overflow),
        Fails("DifferenceBeyondRange", Op::Subtract, -DBL_MAX, DBL_MAX, FailureKind::Overflow),
        Gives("LargestTimesOne", Op::Multiply, DBL_MAX, 1, DBL_MAX),
        Gives("InexactSum", Op::Add, 0.1, 0.2, 0.30000000000000004),
        Gives("HeldJustBelow", Op::Subtract, 2127.66, 80, 2047.6599999999999),
        Gives("Thousandths", Op::Divide, 22, 1000, 0.022),
        Gives("StartUpProduct", Op::Multiply, 0.022, 26, 0.572),
        Gives("ZeroDividedByNonZero", Op::Divide, 0, 5, 0.0)),
    RowName{});

// A failed result says so and why; a successful one carries no failure.
TEST(Checked, CarriesItsFailureOrItsValue) {
    const calc::Checked<double> failed = calc::TextToNumber("abc");
    EXPECT_FALSE(failed.ok());
    EXPECT_EQ(failed.failure, FailureKind::TypeMismatch);
    const calc::Checked<double> read = calc::TextToNumber("26");
    EXPECT_TRUE(read.ok());
    EXPECT_EQ(read.failure, std::nullopt);
    EXPECT_EQ(read.value, 26.0);
}

// ---------------------------------------------------------------- text operations

struct TextRow {
    const char* name;
    std::u16string text;
    std::size_t positionOfPoint;
    std::u16string withCommas;
    std::size_t length;
    friend void PrintTo(const TextRow& row, std::ostream* out) { *out << row.name; }
};

class TypedPointCorrection : public testing::TestWithParam<TextRow> {};

TEST_P(TypedPointCorrection, FindsReplacesAndMeasures) {
    const TextRow& row = GetParam();
    EXPECT_EQ(calc::Find(row.text, u"."), row.positionOfPoint);
    EXPECT_EQ(calc::ReplaceAll(row.text, u".", u","), row.withCommas);
    EXPECT_EQ(calc::Length(calc::ReplaceAll(row.text, u".", u",")), row.length);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TypedPointCorrection,
    testing::Values(TextRow{"OnePoint", u"4.7", 2, u"4,7", 3},
                    TextRow{"TwoPoints", u"1.2.3", 2, u"1,2,3", 5},
                    TextRow{"NoPoint", u"47", 0, u"47", 2}, TextRow{"Empty", u"", 0, u"", 0},
                    TextRow{"OnlyPoints", u"...", 1, u",,,", 3},
                    TextRow{"PointFirst", u".5", 1, u",5", 2},
                    TextRow{"AccentBefore", u"\u00e9.5", 2, u"\u00e9,5", 3},
                    // A character outside the basic plane counts as two UTF-16 units.
                    TextRow{"SurrogatePairBefore", u"\U0001F600.5", 3, u"\U0001F600,5", 4}),
    RowName{});

TEST(TextOperations, ReplaceAllScansLeftToRightWithoutOverlap) {
    EXPECT_EQ(calc::ReplaceAll(u"aaa", u"aa", u"b"), u"ba");
    EXPECT_EQ(calc::ReplaceAll(u"abab", u"ab", u"abab"), u"abababab");
    EXPECT_EQ(calc::Find(u"xabcabc", u"abc"), 2u);
}

TEST(TextOperations, ComparisonIsExact) {
    EXPECT_EQ(calc::Find(u"KOHMS", u"Ohms"), 0u);
    EXPECT_EQ(calc::ReplaceAll(u"KOHMS", u"Ohms", u"x"), u"KOHMS");
}

TEST(TextOperations, EmptyPatternIsFoundAtOnceAndReplacesNothing) {
    EXPECT_EQ(calc::Find(u"abc", u""), 1u);
    EXPECT_EQ(calc::ReplaceAll(u"abc", u"", u"x"), u"abc");
}

} // namespace
