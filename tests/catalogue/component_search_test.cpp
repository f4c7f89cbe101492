// The component search: what a user who types a wanted frequency gets, and proof that every
// frequency and half-width it shows is the one the main window's recalculation shows.

#include "catalogue/component_search.h"

#include "all_cases.h"
#include "calc/number_text.h"
#include "calc/recalculation.h"
#include "catalogue/value_lists.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace catalogue {

std::ostream& operator<<(std::ostream& out, const Part& part) {
    return out << '{' << part.unit << ", \"" << part.value << "\"}";
}

std::ostream& operator<<(std::ostream& out, const SearchProblem& problem) {
    return out << "{input " << static_cast<int>(problem.input) << ", problem "
               << static_cast<int>(problem.problem) << '}';
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
// from 0 to the highest the lists give. For each, the three C2 for a random wanted half-width at
// one of the voltages.
TEST(Agreement, EveryPairShowsTheMainWindowsFiguresBitForBit) {
    const SearchResult result = FindPairs(Request("1E+10", "100", R1Range::AnyListValue));
    const std::size_t resistors = catalogue::OhmValues.size() + catalogue::KiloOhmValues.size() +
                                  catalogue::MegohmValues.size();
    ASSERT_EQ(result.rows.size(), resistors * catalogue::CapacitorValues.size() * 3);

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

} // namespace
