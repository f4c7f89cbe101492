// The component search: what a user who types a wanted frequency gets, and proof that every
// frequency and half-width it shows is the one the main window's recalculation shows.

#include "catalogue/component_search.h"

#include "all_cases.h"
#include "calc/number_text.h"
#include "calc/recalculation.h"
#include "catalogue/value_lists.h"

#include <gmpxx.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace catalogue {

std::ostream& operator<<(std::ostream& out, const Part& part) {
    return out << '{' << part.unit << ", \"" << part.value << "\"}";
}

std::ostream& operator<<(std::ostream& out, const SearchProblem& problem) {
    return out << "{input " << static_cast<int>(problem.input) << ", problem "
               << static_cast<int>(problem.problem) << '}';
}

std::ostream& operator<<(std::ostream& out, const Remark& remark) {
    return out << "{kind " << static_cast<int>(remark.kind) << ", \"" << remark.figure << "\"}";
}

} // namespace catalogue

namespace {

using calc::Problem;
using catalogue::C2Choice;
using catalogue::FindPairs;
using catalogue::NearestC2;
using catalogue::PairRow;
using catalogue::Part;
using catalogue::R1Range;
using catalogue::SearchInput;
using catalogue::SearchProblem;
using catalogue::SearchRequest;
using catalogue::SearchResult;

constexpr int kOhms = 0, kKOhms = 1, kMOhms = 2;
constexpr int kPicoFarad = 0, kNanoFarad = 1, kMicroFarad = 2;
constexpr int kC2NanoFarad = 0, kC2MicroFarad = 1;

SearchRequest Request(std::string frequency, std::string tolerance,
                      R1Range range = R1Range::Advised) {
    SearchRequest request;
    request.frequency = std::move(frequency);
    request.tolerance = std::move(tolerance);
    request.range = range;
    request.voltage = "05";
    return request;
}

SearchRequest WithCurrentR1(SearchRequest request, std::string r1, int unit) {
    request.currentR1 = std::move(r1);
    request.currentR1Unit = unit;
    return request;
}

SearchRequest WithHalfWidth(SearchRequest request, std::string halfWidth) {
    request.halfWidth = std::move(halfWidth);
    return request;
}

SearchRequest WithVoltage(SearchRequest request, std::string voltage) {
    request.voltage = std::move(voltage);
    return request;
}

// What the main window shows for these inputs, run as a freshly opened window would run it.
struct Shown {
    calc::CalculReport report;
    calc::StoredValues stored;
    calc::Captions captions;
};

Shown RunCalcul(const Part& r1, const Part& c1, const Part& c2, const std::string& voltage) {
    calc::CalculInputs inputs;
    inputs.ComboR = r1.value;
    inputs.ComboValR1 = r1.unit;
    inputs.ComboC = c1.value;
    inputs.ComboValC1 = c1.unit;
    inputs.ComboC2 = c2.value;
    inputs.ComboValC2 = c2.unit;
    inputs.ComboV = voltage;
    Shown shown;
    shown.report = calc::Calcul(inputs, shown.stored, shown.captions);
    return shown;
}

std::string WithoutHz(const std::string& caption) {
    const std::string suffix = " Hz";
    EXPECT_TRUE(caption.ends_with(suffix)) << caption;
    return caption.substr(0, caption.size() - suffix.size());
}

// ---------------------------------------------------------------- wanted values to rows

struct ExpectedRow {
    Part r1, c1;
    std::string frequency, deviation;
    bool advised;
};

struct ExpectedTrimmer {
    Part c1;
    std::string exactR1;
    int unit;
};

struct SearchRow {
    const char* name;
    SearchRequest request;
    std::optional<SearchProblem> problem{};
    // The first rows; all of them when `rowCount` is 0.
    std::vector<ExpectedRow> firstRows{};
    std::size_t rowCount = 0;
    std::vector<ExpectedTrimmer> firstTrimmers{};
    // Nothing within the tolerance: the pair offered instead.
    std::optional<ExpectedRow> nearest{};
    friend void PrintTo(const SearchRow& row, std::ostream* out) { *out << row.name; }
};

void ExpectRow(const PairRow& actual, const ExpectedRow& expected) {
    EXPECT_EQ(actual.r1, expected.r1);
    EXPECT_EQ(actual.c1, expected.c1);
    EXPECT_EQ(actual.frequency, expected.frequency);
    EXPECT_EQ(actual.deviation, expected.deviation);
    EXPECT_EQ(actual.advised, expected.advised);
}

class Search : public testing::TestWithParam<SearchRow> {};

TEST_P(Search, GivesItsRowsOrSaysWhatIsWrong) {
    const SearchRow& row = GetParam();
    const SearchResult result = FindPairs(row.request);
    EXPECT_EQ(result.problem, row.problem);

    if (!row.problem) {
        EXPECT_EQ(result.rows.size(), row.rowCount == 0 ? row.firstRows.size() : row.rowCount);
        EXPECT_EQ(result.frequency, calc::TextToNumber(row.request.frequency).value);
        EXPECT_EQ(result.tolerance, calc::TextToNumber(row.request.tolerance).value);
    } else {
        EXPECT_TRUE(result.rows.empty());
        EXPECT_FALSE(result.nearest.has_value());
    }

    for (std::size_t i = 0; i < row.firstRows.size() && i < result.rows.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        ExpectRow(result.rows[i], row.firstRows[i]);
    }
    ASSERT_GE(result.trimmers.size(), row.firstTrimmers.size());
    for (std::size_t i = 0; i < row.firstTrimmers.size(); ++i) {
        SCOPED_TRACE("trimmer " + std::to_string(i));
        EXPECT_EQ(result.trimmers[i].c1, row.firstTrimmers[i].c1);
        EXPECT_EQ(result.trimmers[i].exactR1, row.firstTrimmers[i].exactR1);
        EXPECT_EQ(result.trimmers[i].unit, row.firstTrimmers[i].unit);
    }
    ASSERT_EQ(result.nearest.has_value(), row.nearest.has_value());
    if (row.nearest) {
        ExpectRow(*result.nearest, *row.nearest);
    }
}

// Frequencies are 1 / (C1 in µF x R1 in kΩ) x 1000 rounded to three decimals; deviations
// (f - wanted) / wanted x 100 rounded to two decimals; trimmers 1000 / (C1 x wanted) to four
// significant digits.
INSTANTIATE_TEST_SUITE_P(
    Table, Search,
    testing::Values(
        SearchRow{.name = "ThousandHertzAtTwoPercent",
                  .request = Request("1000", "2"),
                  .firstRows =
                      {// 1 / (0,1 x 10) x 1000 = 1000.
                       {{kKOhms, "10"}, {kNanoFarad, "100"}, "1000", "0,00", true},
                       // 1 / (0,11 x 9,1) x 1000 = 999,000999: -0,0999 %. Same product 1,001 with
                       // 11 kΩ and 91 nF: the smaller R1 first.
                       {{kKOhms, "9,1"}, {kNanoFarad, "110"}, "999,001", "-0,10", true},
                       {{kKOhms, "11"}, {kNanoFarad, "91"}, "999,001", "-0,10", true},
                       // 1 / 1,008 x 1000 = 992,063492: -0,7937 %.
                       {{kKOhms, "5,6"}, {kNanoFarad, "180"}, "992,063", "-0,79", true},
                       {{kKOhms, "18"}, {kNanoFarad, "56"}, "992,063", "-0,79", true}},
                  // The last four are 980,392 Hz (product 1,02), -1,9608 %; the next pair out is
                  // 1 / 0,975 x 1000 = 1025,641 Hz (7,5 kΩ and 130 nF), +2,56 %.
                  .rowCount = 15,
                  // 1000 / (0,1 x 1000) = 10; 1000 / (0,11 x 1000) = 9,0909...
                  .firstTrimmers = {{{kNanoFarad, "100"}, "10", kKOhms},
                                    {{kNanoFarad, "110"}, "9,091", kKOhms}}},
        // Every unit of both lists: the pairs of product 1 kΩ·µF. The advised R1 first, then by
        // R1 value; the trimmer for each C1 in the unit that suits it.
        SearchRow{.name = "ThousandHertzExactlyAnyListValue",
                  .request = Request("1000", "0", R1Range::AnyListValue),
                  .firstRows = {{{kKOhms, "10"}, {kNanoFarad, "100"}, "1000", "0,00", true},
                                {{kOhms, "100"}, {kMicroFarad, "10"}, "1000", "0,00", false},
                                {{kKOhms, "1"}, {kMicroFarad, "1"}, "1000", "0,00", false},
                                {{kKOhms, "100"}, {kNanoFarad, "10"}, "1000", "0,00", false},
                                {{kMOhms, "1"}, {kNanoFarad, "1"}, "1000", "0,00", false},
                                {{kMOhms, "10"}, {kPicoFarad, "100"}, "1000", "0,00", false}},
                  .firstTrimmers = {{{kNanoFarad, "100"}, "10", kKOhms},
                                    {{kMicroFarad, "10"}, "100", kOhms},
                                    {{kMicroFarad, "1"}, "1", kKOhms},
                                    {{kNanoFarad, "10"}, "100", kKOhms},
                                    {{kNanoFarad, "1"}, "1", kMOhms},
                                    {{kPicoFarad, "100"}, "10", kMOhms}}},
        // The start-up pair: 26 kΩ is no list item, only the typed value gives 1748,252 Hz.
        // Trimmer: 1000 / (0,022 x 1748,252) = 25,999996.
        SearchRow{
            .name = "StartUpPairFromTheTypedR1",
            .request = WithCurrentR1(Request("1748,252", "0", R1Range::AnyListValue), "26", kKOhms),
            .firstRows = {{{kKOhms, "26"}, {kNanoFarad, "22"}, "1748,252", "0,00", false}},
            .firstTrimmers = {{{kNanoFarad, "22"}, "26", kKOhms}}},
        // Between 262,605 Hz (5,6 kΩ, 680 nF) and 275,482 Hz (3,63 kΩ·µF) the advised range
        // offers nothing. 1 / 3,63 x 1000 = 275,482094: +2,0304 %; 3,3 kΩ before 11 kΩ.
        SearchRow{.name = "NothingWithinOnePercent",
                  .request = Request("270", "1"),
                  // The pair offered gets its trimmer too: 1000 / (1,1 x 270) = 3,367 kΩ.
                  .firstTrimmers = {{{kMicroFarad, "1,1"}, "3,367", kKOhms}},
                  .nearest =
                      ExpectedRow{{kKOhms, "3,3"}, {kMicroFarad, "1,1"}, "275,482", "+2,03", true}},
        SearchRow{.name = "FrequencyLetters",
                  .request = Request("abc", "2"),
                  .problem = SearchProblem{SearchInput::Frequency, Problem::NotANumber}},
        SearchRow{.name = "FrequencyEmpty",
                  .request = Request("", "2"),
                  .problem = SearchProblem{SearchInput::Frequency, Problem::NotANumber}},
        SearchRow{.name = "FrequencyEmoji",
                  .request = Request("\xF0\x9F\x8E\xB5", "2"),
                  .problem = SearchProblem{SearchInput::Frequency, Problem::NotANumber}},
        // Pasted by mistake: far beyond any double.
        SearchRow{.name = "FrequencyHundredThousandDigits",
                  .request = Request(std::string(100000, '9'), "2"),
                  .problem = SearchProblem{SearchInput::Frequency, Problem::NotANumber}},
        SearchRow{.name = "FrequencyZero",
                  .request = Request("0", "2"),
                  .problem = SearchProblem{SearchInput::Frequency, Problem::Zero}},
        SearchRow{.name = "FrequencyNegative",
                  .request = Request("-5", "2"),
                  .problem = SearchProblem{SearchInput::Frequency, Problem::Negative}},
        SearchRow{.name = "ToleranceAboveHundred",
                  .request = Request("1000", "150"),
                  .problem = SearchProblem{SearchInput::Tolerance, Problem::OutOfRange}},
        SearchRow{.name = "ToleranceNegative",
                  .request = Request("1000", "-1"),
                  .problem = SearchProblem{SearchInput::Tolerance, Problem::OutOfRange}},
        SearchRow{.name = "ToleranceLetters",
                  .request = Request("1000", "deux"),
                  .problem = SearchProblem{SearchInput::Tolerance, Problem::NotANumber}},
        SearchRow{.name = "HalfWidthLetters",
                  .request = WithHalfWidth(Request("1000", "2"), "abc"),
                  .problem = SearchProblem{SearchInput::HalfWidth, Problem::NotANumber}},
        SearchRow{.name = "HalfWidthZero",
                  .request = WithHalfWidth(Request("1000", "2"), "0"),
                  .problem = SearchProblem{SearchInput::HalfWidth, Problem::Zero}},
        SearchRow{.name = "HalfWidthNegative",
                  .request = WithHalfWidth(Request("1000", "2"), "-50"),
                  .problem = SearchProblem{SearchInput::HalfWidth, Problem::Negative}},
        // The voltage is read only for a half-width; a main window with no voltage chosen.
        SearchRow{.name = "VoltageNoneWhenAHalfWidthIsWanted",
                  .request = WithVoltage(WithHalfWidth(Request("1000", "2"), "50"), ""),
                  .problem = SearchProblem{SearchInput::Voltage, Problem::NotANumber}}),
    [](const testing::TestParamInfo<SearchRow>& row) { return std::string(row.param.name); });

// ---------------------------------------------------------------- the tolerance's bounds

// A pair exactly on wanted x (1 +/- tolerance / 100) is within; a double's product of the two is
// a hair off either way, and a pair on the bound came and went with it.
struct BoundaryRow {
    const char* name;
    SearchRequest request;
    std::string frequency;  // a figure as shown,
    std::size_t listed = 0; // and how many rows show it
    friend void PrintTo(const BoundaryRow& row, std::ostream* out) { *out << row.name; }
};

class Boundary : public testing::TestWithParam<BoundaryRow> {};

TEST_P(Boundary, AFigureOnTheBoundIsWithinAndOneBeyondIsNot) {
    const BoundaryRow& row = GetParam();
    const SearchResult result = FindPairs(row.request);
    ASSERT_FALSE(result.problem.has_value());
    std::size_t listed = 0;
    for (const PairRow& pair : result.rows) {
        listed += pair.frequency == row.frequency ? 1 : 0;
    }
    EXPECT_EQ(listed, row.listed);
    // « Aucune paire à moins de … » only when nothing is within.
    EXPECT_EQ(result.nearest.has_value(), result.rows.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, Boundary,
    testing::Values(
        // 0,98 Hz is 1 Hz - 2 %: 15 pairs of the lists give it, 4 with an advised R1 (2 kΩ and
        // 510 µF, 5,1 kΩ and 200 µF, 15 kΩ and 68 µF, 20 kΩ and 51 µF).
        BoundaryRow{"OneHertzMinusTwoPercent", Request("1", "2", R1Range::AnyListValue), "0,98",
                    15},
        BoundaryRow{"OneHertzMinusTwoPercentAdvised", Request("1", "2"), "0,98", 4},
        // 2,02 Hz is 2 Hz + 1 %: 3,3 kΩ and 150 µF, 15 kΩ and 33 µF, no « Aucune paire ».
        BoundaryRow{"TwoHertzPlusOnePercent", Request("2", "1"), "2,02", 2},
        BoundaryRow{"FourHertzPlusOnePercent", Request("4", "1"), "4,04", 2},
        // 5,128 Hz (3,9 kΩ and 50 µF's neighbours) is 5 Hz + 2,56 %; 4,888 Hz is 5 Hz - 2,24 %.
        BoundaryRow{"ExactlyPlusTheTolerance", Request("5", "2,56"), "5,128", 2},
        BoundaryRow{"PlusOneUnitBeyond", Request("5", "2,55"), "5,128", 0},
        BoundaryRow{"ExactlyMinusTheTolerance", Request("5", "2,24"), "4,888", 2},
        BoundaryRow{"MinusOneUnitBeyond", Request("5", "2,23"), "4,888", 0},
        // 7,5 kΩ and 130 nF, 13 kΩ and 75 nF: 1025,641 Hz, 1000 Hz + 2,5641 %.
        BoundaryRow{"ManyDigitsExactlyPlus", Request("1000", "2,5641"), "1025,641", 2},
        BoundaryRow{"ManyDigitsOneUnitBeyond", Request("1000", "2,5640"), "1025,641", 0},
        // Beyond the digits a double keeps, the bound is 0,98000000000000000000098 Hz.
        BoundaryRow{"WantedWithMoreDigitsThanADouble", Request("1,00000000000000000000001", "2"),
                    "0,98", 0},
        // From 0 to 2 Hz, but the main window computes no half-width from a frequency of 0.
        BoundaryRow{"ZeroHertzNeverListed", Request("1", "100", R1Range::AnyListValue), "0", 0}),
    [](const testing::TestParamInfo<BoundaryRow>& row) { return std::string(row.param.name); });

// ---------------------------------------------------------------- equally near pairs

// Pairs at the same distance from the wanted frequency, one below it and one above or both on the
// same side: the advised R1 first, then the smaller R1, then the smaller C1.
struct TieRow {
    const char* name;
    SearchRequest request;
    Part firstR1, firstC1, thenR1, thenC1;
    friend void PrintTo(const TieRow& row, std::ostream* out) { *out << row.name; }
};

class EquallyNear : public testing::TestWithParam<TieRow> {};

TEST_P(EquallyNear, ComeInTheStatedOrder) {
    const TieRow& row = GetParam();
    const SearchResult result = FindPairs(row.request);
    const auto at = [&result](const Part& r1, const Part& c1) {
        for (std::size_t i = 0; i < result.rows.size(); ++i) {
            if (result.rows[i].r1 == r1 && result.rows[i].c1 == c1) {
                return i;
            }
        }
        ADD_FAILURE() << r1 << " " << c1 << " not listed";
        return result.rows.size();
    };
    EXPECT_LT(at(row.firstR1, row.firstC1), at(row.thenR1, row.thenC1));
}

INSTANTIATE_TEST_SUITE_P(
    Table, EquallyNear,
    testing::Values(
        // 0,999 Hz and 1,057 Hz, both 0,029 Hz from 1,028 Hz; only 9,1 kΩ is advised.
        TieRow{"AdvisedFirst",
               Request("1,028", "10", R1Range::AnyListValue),
               {kKOhms, "9,1"},
               {kMicroFarad, "110"},
               {kMOhms, "22"},
               {kNanoFarad, "43"}},
        // 1,026 Hz and 1,016 Hz, both 0,005 Hz from 1,021 Hz.
        TieRow{"SmallerR1FirstAcrossTheTarget",
               Request("1,021", "0,5"),
               {kKOhms, "7,5"},
               {kMicroFarad, "130"},
               {kKOhms, "8,2"},
               {kMicroFarad, "120"}},
        // 1,064 Hz and 0,95 Hz, both 0,057 Hz from 1,007 Hz.
        TieRow{"SmallerR1FirstAboveBeforeBelow",
               Request("1,007", "10"),
               {kKOhms, "2"},
               {kMicroFarad, "470"},
               {kKOhms, "2,7"},
               {kMicroFarad, "390"}},
        // 1000 Hz and 909,091 Hz, both 45,4545 Hz from 954,5455 Hz, with the same 10 kΩ.
        TieRow{"SmallerC1FirstForTheSameR1",
               Request("954,5455", "5"),
               {kKOhms, "10"},
               {kNanoFarad, "100"},
               {kKOhms, "10"},
               {kNanoFarad, "110"}}),
    [](const testing::TestParamInfo<TieRow>& row) { return std::string(row.param.name); });

// ---------------------------------------------------------------- remarks

using catalogue::Remark;
using catalogue::RemarkKind;

// What the search says beside its figures. The first pair is the first row, or the nearest when
// nothing is within; its trimmer and its C2 are the first ones.
struct RemarkRow {
    const char* name;
    SearchRequest request;
    std::vector<Remark> search{};
    std::string deviation;   // of the first pair
    std::string trimmerR1{}; // of its trimmer: "" when beyond the lists
    std::vector<Remark> trimmer{};
    std::vector<Remark> c2{}; // of its first C2, when a half-width is asked for
    friend void PrintTo(const RemarkRow& row, std::ostream* out) { *out << row.name; }
};

class Remarks : public testing::TestWithParam<RemarkRow> {};

TEST_P(Remarks, SayWhatTheFiguresDoNot) {
    const RemarkRow& row = GetParam();
    const SearchResult result = FindPairs(row.request);
    ASSERT_FALSE(result.problem.has_value());
    EXPECT_EQ(result.remarks, row.search);
    ASSERT_TRUE(!result.rows.empty() || result.nearest.has_value());
    const PairRow& pair = result.rows.empty() ? *result.nearest : result.rows.front();
    EXPECT_EQ(pair.deviation, row.deviation);
    ASSERT_FALSE(result.trimmers.empty());
    EXPECT_EQ(result.trimmers.front().exactR1, row.trimmerR1);
    EXPECT_EQ(result.trimmers.front().remarks, row.trimmer);
    const std::vector<C2Choice> choices = NearestC2(pair, row.request);
    ASSERT_EQ(choices.empty(), row.request.halfWidth.empty());
    if (!choices.empty()) {
        EXPECT_EQ(choices.front().remarks, row.c2);
    }
}

// 1070 x sqrt(V / (C2 x f0)) for the half-widths, 1000 / (C1 x wanted) for the trimmers.
INSTANTIATE_TEST_SUITE_P(
    Table, Remarks,
    testing::Values(
        RemarkRow{.name = "NothingToRemark",
                  .request = WithHalfWidth(Request("1000", "2"), "50"),
                  .deviation = "0,00",
                  .trimmerR1 = "10"},
        // 2 kΩ and 1 nF give 500000 Hz; 1000 / (0,001 x 500000) = 2 kΩ, advised.
        RemarkRow{.name = "AtTheDataSheetsLimit",
                  .request = Request("500000", "2", R1Range::AnyListValue),
                  .deviation = "0,00",
                  .trimmerR1 = "2"},
        RemarkRow{.name = "AboveTheDataSheetsLimitByLessThanADoubleTells",
                  .request = Request("500000,0000000000000000001", "2", R1Range::AnyListValue),
                  .search = {{RemarkKind::AboveDataSheet}},
                  .deviation = "0,00",
                  .trimmerR1 = "2"},
        // 100 Ω and 1 pF: 1E+10 Hz, the most the lists give; the trimmer 100 Ω, not advised.
        RemarkRow{.name = "FarAboveTheDataSheets",
                  .request = Request("1E+10", "2", R1Range::AnyListValue),
                  .search = {{RemarkKind::AboveDataSheet}},
                  .deviation = "0,00",
                  .trimmerR1 = "100",
                  .trimmer = {{RemarkKind::TrimmerOutsideAdvised}}},
        // Nearest: 20 kΩ and 910 µF, 0,055 Hz; 1000 / (910 x 0,01) = 109,9 kΩ.
        RemarkRow{.name = "TrimmerOutsideTheAdvisedRange",
                  .request = Request("0,01", "2"),
                  .deviation = "+450,00",
                  .trimmerR1 = "109,9",
                  .trimmer = {{RemarkKind::TrimmerOutsideAdvised}}},
        // 1000 / (1E-06 x 1E+308) = 1E-299 kΩ.
        RemarkRow{.name = "TrimmerBeyondTheLists",
                  .request = Request("1e308", "2", R1Range::AnyListValue),
                  .search = {{RemarkKind::AboveDataSheet}},
                  .deviation = "-100,00",
                  .trimmer = {{RemarkKind::TrimmerBeyondLists}}},
        // 0,001 Hz at the least, 1E+299 % above; the trimmer's R1 too large for a double.
        RemarkRow{.name = "DeviationBeyondMeaning",
                  .request = Request("1E-300", "2", R1Range::AnyListValue),
                  .deviation = "> 1000",
                  .trimmer = {{RemarkKind::TrimmerBeyondLists}}},
        // 10 kΩ and 100 µF give 1 Hz; with 910 µF at 9 V, 1070 x sqrt(9 / 910) = 106,4: 2020 % too
        // much, and the lower edge 1 - 106.
        RemarkRow{.name = "HalfWidthFarAboveAndBeyondTheCentre",
                  .request = WithVoltage(WithHalfWidth(Request("1", "2"), "5"), "09"),
                  .deviation = "0,00",
                  .trimmerR1 = "10",
                  .c2 = {{RemarkKind::HalfWidthFarFromWanted, "> 1000"},
                         {RemarkKind::LowerEdgeNotAboveZero, "-105"}}},
        // 1 nF at 5 V: 1070 x sqrt(5 / 0,001) = 75660,4, as near as the lists come to any more;
        // 75660 is exactly 20 % below 94575, and a hair more below 94575,01.
        RemarkRow{.name = "HalfWidthTwentyPercentBelow",
                  .request = WithHalfWidth(Request("1", "2"), "94575"),
                  .deviation = "0,00",
                  .trimmerR1 = "10",
                  .c2 = {{RemarkKind::LowerEdgeNotAboveZero, "-75659"}}},
        RemarkRow{.name = "HalfWidthMoreThanTwentyPercentBelow",
                  .request = WithHalfWidth(Request("1", "2"), "94575,01"),
                  .deviation = "0,00",
                  .trimmerR1 = "10",
                  .c2 = {{RemarkKind::HalfWidthFarFromWanted, "-20,00"},
                         {RemarkKind::LowerEdgeNotAboveZero, "-75659"}}}),
    [](const testing::TestParamInfo<RemarkRow>& row) { return std::string(row.param.name); });

// ---------------------------------------------------------------- C2 for a half-width

TEST(NearestC2, GivesTheThreeNearestHalfWidthsAsTheMainWindowShowsThem) {
    const SearchRequest request = WithHalfWidth(Request("1000", "2"), "50");
    const SearchResult result = FindPairs(request);
    ASSERT_FALSE(result.rows.empty());
    const PairRow& pair = result.rows.front(); // 10 kΩ, 100 nF, 1000 Hz

    // 1070 x sqrt(5 / (C2 x 1000)): 2,2 µF gives 51,01 and 2,4 µF 48,84, both 1 Hz away, the
    // smaller first; 2 µF gives 53,5 exactly, to the even 54, and 2,7 µF 46,04: both 4 Hz away.
    const std::vector<Part> expected = {
        {kC2MicroFarad, "2,2"}, {kC2MicroFarad, "2,4"}, {kC2MicroFarad, "2"}};
    const std::vector<C2Choice> choices = NearestC2(pair, request);
    ASSERT_EQ(choices.size(), expected.size());
    for (std::size_t i = 0; i < choices.size(); ++i) {
        SCOPED_TRACE("choice " + std::to_string(i));
        EXPECT_EQ(choices[i].c2, expected[i]);
        const Shown shown = RunCalcul(pair.r1, pair.c1, choices[i].c2, request.voltage);
        EXPECT_TRUE(shown.report.AllSucceeded());
        EXPECT_EQ(choices[i].halfWidth, shown.stored.ValPlage);
        EXPECT_EQ(choices[i].caption, shown.captions.B);
    }
    EXPECT_EQ(choices[2].halfWidth, 54);
}

// ---------------------------------------------------------------- agreement with the window

// Every (R1, C1) pair of the lists, every unit: 100 % around 1E+10 Hz takes in all frequencies
// from 0 to the highest the lists give, less the 756 pairs the main window shows at "0 Hz", which
// are never listed. For each, the three C2 for a random wanted half-width at one of the voltages.
TEST(Agreement, EveryPairShowsTheMainWindowsFiguresBitForBit) {
    const SearchResult result = FindPairs(Request("1E+10", "100", R1Range::AnyListValue));
    const std::size_t resistors = catalogue::OhmValues.size() + catalogue::KiloOhmValues.size() +
                                  catalogue::MegohmValues.size();
    ASSERT_EQ(result.rows.size(), resistors * catalogue::CapacitorValues.size() * 3 - 756);

    std::mt19937 random(0x567);
    std::uniform_int_distribution<int> halfWidths(1, 100000);
    const Part anyC2 = {kC2NanoFarad, "1"};
    // The unit tier checks every seventh pair (every voltage and decade among them), the slow tier
    // every pair; each pair draws its half-width in both, so a pair checks alike in both.
    const std::size_t stride = testing_support::AllCases() ? 1 : 7;
    for (std::size_t i = 0; i < result.rows.size(); ++i) {
        const PairRow& row = result.rows[i];
        const int halfWidth = halfWidths(random);
        if (i % stride != 0) {
            continue;
        }
        const std::string voltage(catalogue::SupplyVoltages[i % catalogue::SupplyVoltages.size()]);
        const Shown shown = RunCalcul(row.r1, row.c1, anyC2, voltage);
        ASSERT_EQ(row.frequency, WithoutHz(shown.captions.Freq)) << row.r1 << " " << row.c1;

        SearchRequest request = WithHalfWidth(Request("1E+10", "100"), std::to_string(halfWidth));
        request.voltage = voltage;
        const std::vector<C2Choice> choices = NearestC2(row, request);
        if (choices.empty()) {
            // Only where the window cannot compute a half-width either (a frequency of 0 Hz).
            ASSERT_TRUE(shown.report.Failed(calc::Step::HalfWidth)) << row.r1 << " " << row.c1;
            continue;
        }
        for (const C2Choice& choice : choices) {
            const Shown withC2 = RunCalcul(row.r1, row.c1, choice.c2, voltage);
            ASSERT_TRUE(withC2.report.AllSucceeded()) << row.r1 << " " << row.c1;
            ASSERT_EQ(choice.halfWidth, withC2.stored.ValPlage)
                << row.r1 << " " << row.c1 << " " << choice.c2;
            ASSERT_EQ(choice.caption, withC2.captions.B);
        }
    }
}

// ---------------------------------------------------------------- the exact rule, everywhere

namespace exact {

// A number text's value as a fraction, read here on its own: digits with a comma, an exponent.
mpq_class ValueOf(const std::string& text) {
    mpz_class digits = 0;
    long scale = 0;
    bool fraction = false;
    std::size_t i = 0;
    for (; i < text.size() && text[i] != 'E' && text[i] != 'e'; ++i) {
        if (text[i] == ',') {
            fraction = true;
        } else {
            digits = digits * 10 + (text[i] - '0');
            scale -= fraction ? 1 : 0;
        }
    }
    if (i < text.size()) {
        scale += std::stol(text.substr(i + 1));
    }
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(scale < 0 ? -scale : scale));
    mpq_class value = scale < 0 ? mpq_class(digits, power) : mpq_class(digits * power);
    value.canonicalize();
    return value;
}

// Every pair the search may offer: the lists' R1 and C1 in all their units, with the figure the
// main window's recalculation shows for them (the agreement test above holds the search to it).
struct Pair {
    Part r1, c1;
    mpq_class r1Value, c1Value; // in kilo-ohms and microfarads
    mpq_class shown;            // the figure as shown
};

mpq_class Scaled(const std::string& value, int unit, int kiloUnit) {
    mpq_class scale = 1;
    for (int step = unit; step < kiloUnit; ++step) {
        scale /= 1000;
    }
    for (int step = kiloUnit; step < unit; ++step) {
        scale *= 1000;
    }
    return ValueOf(value) * scale;
}

const std::vector<Pair>& AllPairs() {
    static const std::vector<Pair> all = [] {
        // What the recalculation stores for each value, in the working unit.
        std::vector<std::pair<Part, std::string>> resistors, capacitors;
        const auto r1s = [&resistors](int unit, const auto& items) {
            for (const catalogue::Item item : items) {
                const Part r1{unit, std::string(item)};
                resistors.emplace_back(r1,
                                       RunCalcul(r1, {kMicroFarad, "1"}, {}, "05").stored.ValR1);
            }
        };
        r1s(kOhms, catalogue::OhmValues);
        r1s(kKOhms, catalogue::KiloOhmValues);
        r1s(kMOhms, catalogue::MegohmValues);
        for (const int unit : {kPicoFarad, kNanoFarad, kMicroFarad}) {
            for (const catalogue::Item item : catalogue::CapacitorValues) {
                const Part c1{unit, std::string(item)};
                capacitors.emplace_back(c1, RunCalcul({kKOhms, "1"}, c1, {}, "05").stored.ValC1);
            }
        }
        std::vector<Pair> pairs;
        for (const auto& [r1, r1Stored] : resistors) {
            for (const auto& [c1, c1Stored] : capacitors) {
                const calc::Checked<double> f = calc::CentreFrequencyOf(
                    calc::TextToNumber(r1Stored).value, calc::TextToNumber(c1Stored).value);
                pairs.push_back({r1, c1, Scaled(r1.value, r1.unit, kKOhms),
                                 Scaled(c1.value, c1.unit, kMicroFarad),
                                 ValueOf(calc::NumberToText(f.value))});
            }
        }
        return pairs;
    }();
    return all;
}

bool Advised(const Pair& pair);

// The pairs a search over the range may offer (none shown at 0 Hz), by figure shown.
const std::vector<const Pair*>& Offered(R1Range range) {
    static const auto sorted = [](bool advisedOnly) {
        std::vector<const Pair*> out;
        for (const Pair& pair : AllPairs()) {
            if (pair.shown != 0 && (!advisedOnly || Advised(pair))) {
                out.push_back(&pair);
            }
        }
        std::stable_sort(out.begin(), out.end(),
                         [](const Pair* a, const Pair* b) { return a->shown < b->shown; });
        return out;
    };
    static const std::vector<const Pair*> advised = sorted(true);
    static const std::vector<const Pair*> any = sorted(false);
    return range == R1Range::Advised ? advised : any;
}

mpq_class Distance(const mpq_class& shown, const mpq_class& wanted) {
    return abs(shown - wanted);
}

bool Advised(const Pair& pair) {
    return pair.r1Value >= 2 && pair.r1Value <= 20;
}

// The stated order: nearer, then advised, then smaller R1, then smaller C1.
bool Before(const Pair& a, const Pair& b, const mpq_class& wanted) {
    const int distance = cmp(Distance(a.shown, wanted), Distance(b.shown, wanted));
    if (distance != 0) {
        return distance < 0;
    }
    if (Advised(a) != Advised(b)) {
        return Advised(a);
    }
    if (a.r1Value != b.r1Value) {
        return a.r1Value < b.r1Value;
    }
    return a.c1Value < b.c1Value;
}

const Pair& Find(const PairRow& row) {
    using Key = std::tuple<int, std::string, int, std::string>;
    static const std::map<Key, const Pair*> byParts = [] {
        std::map<Key, const Pair*> out;
        for (const Pair& pair : AllPairs()) {
            out.emplace(Key{pair.r1.unit, pair.r1.value, pair.c1.unit, pair.c1.value}, &pair);
        }
        return out;
    }();
    return *byParts.at(Key{row.r1.unit, row.r1.value, row.c1.unit, row.c1.value});
}

} // namespace exact

// 2001 wanted frequencies, log-spaced from 1 Hz to 1 MHz and written to four digits, at four
// tolerances, with either R1 range: every pair listed is within, by an exact comparison of its
// own, no pair within is missing, and the rows come in the stated order; with none within, the
// nearest pair is the first of all in that order. The unit tier takes every 400th frequency.
TEST(ExactRule, EveryPairWithinIsListedInTheStatedOrderAndNoOther) {
    const std::size_t stride = testing_support::AllCases() ? 1 : 400;
    for (std::size_t i = 0; i <= 2000; i += stride) {
        std::array<char, 32> digits;
        const auto written = std::to_chars(digits.data(), digits.data() + digits.size(),
                                           std::pow(10.0, 6.0 * static_cast<double>(i) / 2000.0),
                                           std::chars_format::scientific, 3);
        std::string frequency(digits.data(), written.ptr);
        std::replace(frequency.begin(), frequency.end(), '.', ',');
        const mpq_class wanted = exact::ValueOf(frequency);
        for (const char* tolerance : {"0", "0,5", "2", "10"}) {
            const mpq_class margin = wanted * exact::ValueOf(tolerance) / 100;
            const mpq_class lowest = wanted - margin;
            const mpq_class highest = wanted + margin;
            for (const R1Range range : {R1Range::Advised, R1Range::AnyListValue}) {
                SCOPED_TRACE(frequency + " Hz, " + tolerance + " %, range " +
                             std::to_string(static_cast<int>(range)));
                const SearchResult result = FindPairs(Request(frequency, tolerance, range));
                // The pairs offered, by figure: those within lie from `from` to `to`.
                const std::vector<const exact::Pair*>& offered = exact::Offered(range);
                const auto from =
                    std::lower_bound(offered.begin(), offered.end(), lowest,
                                     [](const exact::Pair* pair, const mpq_class& value) {
                                         return pair->shown < value;
                                     });
                const auto to =
                    std::upper_bound(from, offered.end(), highest,
                                     [](const mpq_class& value, const exact::Pair* pair) {
                                         return value < pair->shown;
                                     });
                ASSERT_EQ(result.rows.size(), static_cast<std::size_t>(to - from));
                for (std::size_t row = 0; row < result.rows.size(); ++row) {
                    const exact::Pair& pair = exact::Find(result.rows[row]);
                    ASSERT_TRUE(pair.shown >= lowest && pair.shown <= highest)
                        << pair.r1 << " " << pair.c1;
                    if (row > 0) {
                        ASSERT_TRUE(exact::Before(exact::Find(result.rows[row - 1]), pair, wanted))
                            << "row " << row << ": " << pair.r1 << " " << pair.c1;
                    }
                }
                if (from == to) {
                    // The nearest pairs give the highest figure below the wanted one or the
                    // lowest above it.
                    const exact::Pair* first = nullptr;
                    for (const exact::Pair* pair : offered) {
                        const bool nearest =
                            (from != offered.begin() && pair->shown == (*(from - 1))->shown) ||
                            (from != offered.end() && pair->shown == (*from)->shown);
                        if (nearest && (first == nullptr || exact::Before(*pair, *first, wanted))) {
                            first = pair;
                        }
                    }
                    ASSERT_TRUE(result.nearest.has_value());
                    EXPECT_EQ(result.nearest->r1, first->r1);
                    EXPECT_EQ(result.nearest->c1, first->c1);
                }
            }
        }
    }
}

} // namespace
