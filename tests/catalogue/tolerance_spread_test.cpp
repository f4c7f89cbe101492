// Parts with a tolerance: the spread of f0, the wanted frequency against every circuit's capture
// range, and the fixed resistor and trimmer that bring every circuit back. Hand-checked rows,
// then every figure against a brute force over the main window's own formulas.

#include "catalogue/tolerance_spread.h"

#include "all_cases.h"
#include "calc/number_text.h"
#include "calc/recalculation.h"
#include "catalogue/value_lists.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace {

using catalogue::CaptureCheck;
using catalogue::Resistance;
using catalogue::Tolerances;

double Read(const std::string& text) {
    const calc::Checked<double> number = calc::TextToNumber(text);
    EXPECT_TRUE(number.ok()) << text;
    return number.value;
}

// As the window writes it: "8,2 kΩ"; empty for none.
std::string Shown(const std::optional<Resistance>& resistance) {
    if (!resistance) {
        return "";
    }
    const char* units[] = {" Ω", " kΩ", " MΩ"};
    return resistance->text + units[static_cast<int>(resistance->unit)];
}

struct Pair {
    double r1, c1; // kΩ, µF
    Tolerances tolerances;
};

struct FromTo {
    const char* from;
    const char* to;
};

struct DesignRow {
    const char* name;
    Pair pair;
    double wanted; // Hz
    FromTo f0;     // the spread, as the window writes it
    FromTo range;  // what R1 + RV1 must cover
    FromTo parts;  // the fixed R1 (empty: the trimmer alone) and the trimmer (empty: none)
    const char* advice = ""; // "below" or "above" the advised 2 to 20 kΩ

    friend void PrintTo(const DesignRow& row, std::ostream* out) { *out << row.name; }
};

class DesignRows : public testing::TestWithParam<DesignRow> {};

TEST_P(DesignRows, GiveTheSpreadTheRangeAndTheParts) {
    const DesignRow& row = GetParam();
    const std::optional<catalogue::FrequencySpread> spread =
        catalogue::SpreadOf(row.pair.r1, row.pair.c1, row.pair.tolerances);
    ASSERT_TRUE(spread);
    EXPECT_EQ(spread->lowestText, row.f0.from);
    EXPECT_EQ(spread->highestText, row.f0.to);

    const std::optional<catalogue::TrimmerPlan> plan =
        catalogue::PlanTrimmer(row.wanted, row.pair.c1, row.pair.tolerances);
    ASSERT_TRUE(plan);
    EXPECT_EQ(Shown(plan->lowest), row.range.from);
    EXPECT_EQ(Shown(plan->highest), row.range.to);
    EXPECT_EQ(Shown(plan->fixedR1), row.parts.from);
    EXPECT_EQ(Shown(plan->trimmer), row.parts.to);
    const std::string advice = plan->belowAdvised ? "below" : plan->aboveAdvised ? "above" : "";
    EXPECT_EQ(advice, row.advice);
}

// f0 = 1 / (C1 x R1) x 1000 at the corners; R1 + RV1 from 1000 / (f x C1 x (1 ± tC)); the
// fixed R is the largest list value with R x (1 + tR) within the range's start, the trimmer the
// smallest of the series with R x (1 - tR) + T reaching its end.
INSTANTIATE_TEST_SUITE_P(
    HandChecked, DesignRows,
    testing::Values(
        // 1000 / (10,5 x 0,11) and 1000 / (9,5 x 0,09); 8,2 x 1,05 = 8,61 <= 9,091 < 9,1 x 1,05;
        // 11,111 - 8,2 x 0,95 = 3,321 needs 5 kΩ.
        DesignRow{.name = "TenKiloOhmsAndHundredNanofarads",
                  .pair = {10, 0.1, {5, 10}},
                  .wanted = 1000,
                  .f0 = {"865,801", "1169,591"},
                  .range = {"9,091 kΩ", "11,111 kΩ"},
                  .parts = {"8,2 kΩ", "5 kΩ"}},
        // With ±5 % on C1 the range starts at 9,524 kΩ: at ±1 %, 9,1 kΩ (9,191 at most) fits
        // below it and leaves 10,526 - 9,009 = 1,517 kΩ to a 2 kΩ trimmer.
        DesignRow{.name = "MetalFilmResistor",
                  .pair = {10, 0.1, {1, 5}},
                  .wanted = 1000,
                  .f0 = {"942,951", "1063,264"},
                  .range = {"9,524 kΩ", "10,526 kΩ"},
                  .parts = {"9,1 kΩ", "2 kΩ"}},
        // 1000 / (625 x 0,1 x 0,8) = 20: on the edge of the advised range, not beyond it.
        DesignRow{.name = "EndOnTheAdvisedEdge",
                  .pair = {16, 0.1, {5, 20}},
                  .wanted = 625,
                  .f0 = {"496,032", "822,368"},
                  .range = {"13,333 kΩ", "20 kΩ"},
                  .parts = {"12 kΩ", "10 kΩ"}},
        DesignRow{.name = "EndJustBeyondTheAdvisedEdge",
                  .pair = {16, 0.1, {5, 20}},
                  .wanted = 624.9,
                  .f0 = {"496,032", "822,368"},
                  .range = {"13,335 kΩ", "20,003 kΩ"},
                  .parts = {"12 kΩ", "10 kΩ"},
                  .advice = "above"},
        // 1000 / (4550 x 0,1 x 1,1) = 1,998 kΩ.
        DesignRow{.name = "StartJustBelowTheAdvisedEdge",
                  .pair = {2.2, 0.1, {5, 10}},
                  .wanted = 4550,
                  .f0 = {"3935,458", "5316,321"},
                  .range = {"1,998 kΩ", "2,442 kΩ"},
                  .parts = {"1,8 kΩ", "1 kΩ"},
                  .advice = "below"},
        // 1,99958 kΩ is shown as 2 kΩ, so the remark that would contradict it is not made.
        DesignRow{.name = "StartShownOnTheAdvisedEdge",
                  .pair = {2.2, 0.1, {5, 10}},
                  .wanted = 4546.3,
                  .f0 = {"3935,458", "5316,321"},
                  .range = {"2 kΩ", "2,444 kΩ"},
                  .parts = {"1,8 kΩ", "1 kΩ"}},
        // 1 nF wants 1 MΩ at 1000 Hz: 1111,111 - 820 x 0,95 = 332,111 kΩ needs 500 kΩ.
        DesignRow{.name = "TrimmerBeyondFiftyKiloOhms",
                  .pair = {1000, 0.001, {5, 10}},
                  .wanted = 1000,
                  .f0 = {"865,801", "1169,591"},
                  .range = {"909,091 kΩ", "1,111 MΩ"},
                  .parts = {"820 kΩ", "500 kΩ"},
                  .advice = "above"},
        // 100 Ω x 1,05 is already above 90,909 Ω.
        DesignRow{.name = "TrimmerAlone",
                  .pair = {0.1, 0.1, {5, 10}},
                  .wanted = 100000,
                  .f0 = {"86580,087", "116959,064"},
                  .range = {"90,909 Ω", "111,111 Ω"},
                  .parts = {"", "200 Ω"},
                  .advice = "below"},
        // 22,222 - 16 x 0,95 = 7,022 MΩ: beyond the 5 MΩ trimmers.
        DesignRow{.name = "NoTrimmerLargeEnough",
                  .pair = {20000, 1, {5, 10}},
                  .wanted = 0.05,
                  .f0 = {"0,043", "0,058"},
                  .range = {"18,182 MΩ", "22,222 MΩ"},
                  .parts = {"16 MΩ", ""},
                  .advice = "above"}),
    [](const testing::TestParamInfo<DesignRow>& row) { return std::string(row.param.name); });

struct CaptureRow {
    const char* name;
    Pair pair;
    double c2, voltage, wanted;
    const char* startsHighest; // "f0: lower edge" of the circuit whose range starts highest
    const char* endsLowest;    // "f0: upper edge" of the one whose range ends lowest
    const char* outside = "";  // where the wanted frequency can fall: "below", "above", "both"

    friend void PrintTo(const CaptureRow& row, std::ostream* out) { *out << row.name; }
};

class CaptureRows : public testing::TestWithParam<CaptureRow> {};

TEST_P(CaptureRows, FindTheWorstCircuitsOnEitherSide) {
    const CaptureRow& row = GetParam();
    const std::optional<catalogue::FrequencySpread> spread =
        catalogue::SpreadOf(row.pair.r1, row.pair.c1, row.pair.tolerances);
    ASSERT_TRUE(spread);
    const std::optional<CaptureCheck> check =
        catalogue::CheckCapture(*spread, row.wanted, row.c2, row.voltage);
    ASSERT_TRUE(check);
    EXPECT_EQ(check->highestStart.centreFrequencyText + ": " + check->highestStart.lowerEdgeText,
              row.startsHighest);
    EXPECT_EQ(check->lowestEnd.centreFrequencyText + ": " + check->lowestEnd.upperEdgeText,
              row.endsLowest);
    const std::string outside = check->canFallBelow && check->canFallAbove ? "both"
                                : check->canFallBelow                      ? "below"
                                : check->canFallAbove                      ? "above"
                                                                           : "";
    EXPECT_EQ(outside, row.outside);
}

// bw = 1070 x sqrt(V / (C2 x f0)), rounded to three decimals, then to whole hertz halves to even.
INSTANTIATE_TEST_SUITE_P(
    HandChecked, CaptureRows,
    testing::Values(
        // bw(1169,591) = 108,38 and bw(865,801) = 125,97: ±17 % of f0 against ±11 % of capture.
        CaptureRow{.name = "TenKiloOhmsAt12Volts",
                   .pair = {10, 0.1, {5, 10}},
                   .c2 = 1,
                   .voltage = 12,
                   .wanted = 1000,
                   .startsHighest = "1169,591: 1061,591",
                   .endsLowest = "865,801: 991,801",
                   .outside = "both"},
        CaptureRow{.name = "WideCaptureRange",
                   .pair = {10, 0.1, {5, 10}},
                   .c2 = 0.1,
                   .voltage = 12,
                   .wanted = 1000,
                   .startsHighest = "1169,591: 826,591",
                   .endsLowest = "865,801: 1263,801"},
        // bw(1003,14) = 165,504 gives 166, but bw(1003,196) = 165,4994 gives 165: the range of
        // that circuit ends 0,944 Hz lower than the one of the lowest f0, and a wanted frequency
        // on its edge is outside.
        CaptureRow{.name = "OnTheUpperEdgeIsOutside",
                   .pair = {2, 0.47, {1, 5}},
                   .c2 = 1,
                   .voltage = 24,
                   .wanted = 1168.196,
                   .startsHighest = "1131,132: 975,132",
                   .endsLowest = "1003,196: 1168,196",
                   .outside = "above"},
        CaptureRow{.name = "JustInsideTheUpperEdge",
                   .pair = {2, 0.47, {1, 5}},
                   .c2 = 1,
                   .voltage = 24,
                   .wanted = 1168.195,
                   .startsHighest = "1131,132: 975,132",
                   .endsLowest = "1003,196: 1168,196"},
        CaptureRow{.name = "OnTheLowerEdgeIsOutside",
                   .pair = {2, 0.47, {1, 5}},
                   .c2 = 1,
                   .voltage = 24,
                   .wanted = 975.132,
                   .startsHighest = "1131,132: 975,132",
                   .endsLowest = "1003,196: 1168,196",
                   .outside = "below"},
        // f0 + bw(f0) is lowest where bw = 2 f0, near 112,7 Hz at 5 V with 1 µF: between
        // 79,365 Hz (ends at 348,365) and 131,579 Hz (ends at 340,579), a circuit ends lower.
        CaptureRow{.name = "EndsLowestWhereTheHalfWidthIsTwiceF0",
                   .pair = {100, 0.1, {5, 20}},
                   .c2 = 1,
                   .voltage = 5,
                   .wanted = 339,
                   .startsHighest = "131,579: -77,421",
                   .endsLowest = "112,577: 337,577",
                   .outside = "above"}),
    [](const testing::TestParamInfo<CaptureRow>& row) { return std::string(row.param.name); });

// ---- Against the brute force -------------------------------------------------------------------

// The values of a list in a unit, as the main window's recalculation reads them.
template <typename Unit>
void AddValues(std::vector<double>& out, std::span<const catalogue::Item> items, Unit unit) {
    const calc::Scaling scaling = calc::ScalingOf(unit);
    for (const catalogue::Item item : items) {
        const double number = Read(std::string(item));
        out.push_back(scaling.operation == calc::Scaling::Operation::Keep
                          ? number
                          : Read(calc::NumberToText(calc::Scale(number, scaling).value)));
    }
}

// Every resistor of the three lists, smallest first.
std::vector<double> ListResistors() {
    std::vector<double> all;
    AddValues(all, catalogue::OhmValues, calc::R1Unit::Ohms);
    AddValues(all, catalogue::KiloOhmValues, calc::R1Unit::KOhms);
    AddValues(all, catalogue::MegohmValues, calc::R1Unit::MOhms);
    return all;
}

template <typename Unit, std::size_t N>
std::vector<double> Capacitors(const std::array<Unit, N>& units) {
    std::vector<double> all;
    for (const Unit unit : units) {
        AddValues(all, catalogue::CapacitorValues, unit);
    }
    return all;
}

// The factors that sweep a part across its tolerance, both ends included and computed as the
// ends are: (100 - t) / 100 to (100 + t) / 100.
std::vector<double> Sweep(int percent, int steps) {
    std::vector<double> out;
    for (int i = 0; i <= steps; ++i) {
        out.push_back((100.0 - percent + 2.0 * percent * i / steps) / 100.0);
    }
    return out;
}

struct Edges {
    double lower, upper;
};

// The captions of LblPlageBas and LblPlageHaut for a centre frequency, read back as numbers:
// the stored f0 and the edges travel as texts, as in the main window.
std::optional<Edges> CaptionEdges(double f0, double c2, double voltage) {
    const double stored = Read(calc::NumberToText(f0));
    const calc::Checked<std::int32_t> halfWidth = calc::HalfWidthOf(voltage, stored, c2);
    if (!halfWidth.ok()) {
        return std::nullopt;
    }
    return Edges{Read(calc::NumberToText(stored - halfWidth.value)),
                 Read(calc::NumberToText(stored + halfWidth.value))};
}

// A pair of the lists with the window's tolerances, a C2 and voltage of the lists, and a wanted
// frequency near the pair's own.
struct Case {
    double r1, c1;
    Tolerances tolerances;
    double c2, voltage, wanted;
};

class Cases {
    template <typename List> auto Pick(const List& list) {
        return list[std::uniform_int_distribution<std::size_t>(0, std::size(list) - 1)(random_)];
    }

public:
    explicit Cases(unsigned seed) : random_(seed) {}

    Case Next() {
        Case next{Pick(resistors_),
                  Pick(capacitors_),
                  {Pick(catalogue::R1TolerancePercents), Pick(catalogue::C1TolerancePercents)},
                  Pick(c2s_),
                  Read(std::string(Pick(catalogue::SupplyVoltages))),
                  0.0};
        const double nominal = 1000.0 / (next.r1 * next.c1);
        next.wanted = nominal * std::exp(std::uniform_real_distribution(-0.4, 0.4)(random_));
        return next;
    }

private:
    std::mt19937 random_;
    std::vector<double> resistors_ = ListResistors();
    std::vector<double> capacitors_ = Capacitors(calc::kC1Units);
    std::vector<double> c2s_ = Capacitors(calc::kC2Units);
};

constexpr unsigned kSeed = 23;
constexpr int kSweepSteps = 16;
// Centre frequencies from the lowest to the highest, one thousandth apart, tried one by one.
constexpr long long kExhaustiveThousandths = 100000;

TEST(Agreement, TheSpreadAndTheWorstCircuitsAreThoseOfEveryCircuitWithinTheTolerances) {
    Cases cases(kSeed);
    const int count = testing_support::CasesToRun(1500, 150);
    int exhaustive = 0, inside = 0;
    for (int index = 0; index < count; ++index) {
        const Case c = cases.Next();
        SCOPED_TRACE(testing::Message()
                     << "case " << index << ": R1 " << c.r1 << " C1 " << c.c1 << " at "
                     << c.tolerances.r1Percent << "/" << c.tolerances.c1Percent << " %, C2 " << c.c2
                     << " at " << c.voltage << " V");
        const std::optional<catalogue::FrequencySpread> spread =
            catalogue::SpreadOf(c.r1, c.c1, c.tolerances);
        ASSERT_TRUE(spread);
        // The extremes of f0 and of the edges over a fine sweep of R1 and C1.
        double lowest = INFINITY, highest = -INFINITY;
        double highestLower = -INFINITY, lowestUpper = INFINITY;
        for (const double r : Sweep(c.tolerances.r1Percent, kSweepSteps)) {
            for (const double k : Sweep(c.tolerances.c1Percent, kSweepSteps)) {
                const double f0 = calc::CentreFrequencyOf(c.r1 * r, c.c1 * k).value;
                lowest = std::min(lowest, f0);
                highest = std::max(highest, f0);
                if (const std::optional<Edges> edges = CaptionEdges(f0, c.c2, c.voltage)) {
                    highestLower = std::max(highestLower, edges->lower);
                    lowestUpper = std::min(lowestUpper, edges->upper);
                }
            }
        }
        ASSERT_EQ(spread->lowest, lowest);
        ASSERT_EQ(spread->highest, highest);
        ASSERT_EQ(Read(spread->lowestText), lowest);
        ASSERT_EQ(Read(spread->highestText), highest);

        const std::optional<CaptureCheck> check =
            catalogue::CheckCapture(*spread, c.wanted, c.c2, c.voltage);
        if (lowest == 0) {
            ASSERT_FALSE(check);
            continue;
        }
        ASSERT_TRUE(check);
        // The two circuits named are circuits within the tolerances, with their own edges, and
        // none of the sweep does worse.
        const std::optional<Edges> start =
            CaptionEdges(check->highestStart.centreFrequency, c.c2, c.voltage);
        const std::optional<Edges> end =
            CaptionEdges(check->lowestEnd.centreFrequency, c.c2, c.voltage);
        ASSERT_TRUE(start && end);
        ASSERT_EQ(check->highestStart.lowerEdge, start->lower);
        ASSERT_EQ(check->lowestEnd.upperEdge, end->upper);
        ASSERT_GE(check->lowestEnd.centreFrequency, lowest);
        ASSERT_LE(check->lowestEnd.centreFrequency, highest);
        ASSERT_GE(start->lower, highestLower);
        ASSERT_LE(end->upper, lowestUpper);
        ASSERT_EQ(check->canFallBelow, c.wanted <= start->lower);
        ASSERT_EQ(check->canFallAbove, c.wanted >= end->upper);

        // Nor any centre frequency between the extremes, where they are few enough to try all.
        // Thousandths apart, the captions of f0 - bw and f0 + bw keep the order of the exact
        // k - 1000 bw and k + 1000 bw, which are compared here.
        const auto from = std::llround(spread->lowest * 1000);
        const auto to = std::llround(spread->highest * 1000);
        if (to - from > kExhaustiveThousandths) {
            continue;
        }
        ++exhaustive;
        const auto thousandthsOfBw = [&c](long long thousandths) {
            return 1000LL *
                   calc::HalfWidthOf(c.voltage, static_cast<double>(thousandths) / 1000, c.c2)
                       .value;
        };
        const long long highestStart = to - thousandthsOfBw(to);
        long long lowestEnd = to + thousandthsOfBw(to);
        long long lowestEndAt = to;
        for (auto thousandths = from; thousandths <= to; ++thousandths) {
            const long long bw = thousandthsOfBw(thousandths);
            ASSERT_LE(thousandths - bw, highestStart);
            if (thousandths + bw < lowestEnd ||
                (thousandths + bw == lowestEnd && thousandths < lowestEndAt)) {
                lowestEnd = thousandths + bw;
                lowestEndAt = thousandths;
            }
        }
        ASSERT_EQ(check->lowestEnd.centreFrequency, static_cast<double>(lowestEndAt) / 1000);
        inside += lowestEndAt != from && lowestEndAt != to;
    }
    // The exhaustive part was not skipped by nearly every case, and it met ranges that end
    // lowest inside the spread.
    EXPECT_GT(exhaustive, count / 10);
    EXPECT_GT(inside, 0);
}

TEST(Agreement, TheSuggestedPartsBringEveryCircuitBackWithTheSmallestTrimmer) {
    Cases cases(kSeed);
    const std::vector<double> resistors = ListResistors();
    const std::span<const Resistance> series = catalogue::TrimmerSeries();
    const int count = testing_support::CasesToRun(4000, 400);
    int alone = 0, uncovered = 0;
    for (int index = 0; index < count; ++index) {
        Case c = cases.Next();
        // Now and then a wanted frequency far from the pair, down to what only a trimmer alone
        // or no trimmer at all can reach.
        if (index % 4 == 0) {
            c.wanted *= std::pow(10.0, index % 9 - 4);
        }
        const Tolerances t = c.tolerances;
        SCOPED_TRACE(testing::Message()
                     << "case " << index << ": " << c.wanted << " Hz, C1 " << c.c1 << " at "
                     << t.r1Percent << "/" << t.c1Percent << " %");
        const std::optional<catalogue::TrimmerPlan> plan =
            catalogue::PlanTrimmer(c.wanted, c.c1, t);
        ASSERT_TRUE(plan);

        // What R1 + RV1 must be for each C1 within its tolerance.
        std::vector<double> needed;
        for (const double k : Sweep(t.c1Percent, kSweepSteps)) {
            needed.push_back(1000 / (c.wanted * c.c1 * k));
        }
        const double low = needed.back();
        const double high = needed.front();
        ASSERT_EQ(plan->lowest.kiloOhms, needed.back());
        ASSERT_EQ(plan->highest.kiloOhms, needed.front());

        const double fixed = plan->fixedR1 ? plan->fixedR1->kiloOhms : 0.0;
        const double top = fixed * ((100.0 + t.r1Percent) / 100);
        const double bottom = fixed * ((100.0 - t.r1Percent) / 100);
        ASSERT_LE(top, low);
        // The next larger list value would, at the top of its tolerance, pass the start.
        const auto larger = std::upper_bound(resistors.begin(), resistors.end(), fixed);
        if (larger != resistors.end()) {
            ASSERT_GT(*larger * ((100.0 + t.r1Percent) / 100), low);
        }
        if (!plan->fixedR1) {
            ++alone;
        } else {
            ASSERT_EQ(std::count(resistors.begin(), resistors.end(), fixed), 1);
        }

        const auto trimmer = plan->trimmer
                                 ? std::find_if(series.begin(), series.end(),
                                                [&plan](const Resistance& r) {
                                                    return r.kiloOhms == plan->trimmer->kiloOhms;
                                                })
                                 : series.end();
        if (trimmer == series.end()) {
            ++uncovered;
            ASSERT_FALSE(plan->trimmer);
            ASSERT_LT(bottom + series.back().kiloOhms, high);
            continue;
        }
        if (trimmer != series.begin()) {
            ASSERT_LT(bottom + std::prev(trimmer)->kiloOhms, high);
        }
        // Every fixed resistor within its tolerance, with every C1 within its own, reaches its
        // total somewhere between the trimmer at 0 and at its full value.
        for (const double r : Sweep(t.r1Percent, kSweepSteps)) {
            for (const double total : needed) {
                ASSERT_LE(fixed * r, total);
                ASSERT_GE(fixed * r + trimmer->kiloOhms, total);
            }
        }
    }
    // Both ends of the lists were reached.
    EXPECT_GT(alone, 0);
    EXPECT_GT(uncovered, 0);
}

} // namespace
