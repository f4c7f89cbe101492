#include "catalogue/component_search.h"

#include "calc/number_text.h"
#include "calc/recalculation.h"
#include "calc/units.h"
#include "catalogue/exact_decimal.h"
#include "catalogue/list_components.h"
#include "catalogue/value_lists.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <span>
#include <string_view>
#include <system_error>
#include <unordered_set>

namespace catalogue {

namespace {

using calc::Checked;
using calc::ListIndex;
using calc::R1Unit;

// R1 in kilo-ohms.
constexpr double kAdvisedLowest = 2.0;
constexpr double kAdvisedHighest = 20.0;
constexpr double kListLowest = 0.1;
constexpr double kListHighest = 91000.0;
// A decade beyond the lists' ends: no resistor of theirs comes near a trimmer's R1 out there.
constexpr double kTrimmerLowest = kListLowest / 10;
constexpr double kTrimmerHighest = kListHighest * 10;

// The highest centre frequency the NE567's data sheets give, in hertz.
constexpr long kDataSheetHighest = 500000;

// A deviation beyond it, in percent, is written as beyond it: the pair is no answer then.
constexpr double kDeviationCeiling = 1000.0;
constexpr std::string_view kBeyondCeiling = "> 1000";

// Beyond any figure of the search, in the thousandths of a hertz that the comparisons count.
constexpr std::int64_t kBeyondAnyFigure = std::int64_t{1} << 60;

std::optional<double> Read(std::string_view text) {
    const Checked<double> number = calc::TextToNumber(text);
    return number.ok() ? std::optional(number.value) : std::nullopt;
}

// Below this, a value rounded to three decimals is a whole number of thousandths of at most 15
// digits: NumberToText writes it exactly and TextToNumber reads that text back to the same
// double, so the stored centre frequency needs no text round trip to be read back, and its
// thousandths are the figure shown, exactly. R1 from 100 Ω and C1 from 1 pF keep every centre
// frequency at or below 1E+10 Hz. It keeps the search well within the 5 ms a keystroke may take
// (search_bench, FindPairsAnyListValue: 1.8 ms with it, 5.0 ms without; FindPairsAdvised:
// 0.32 ms, 0.84 ms).
constexpr double kWrittenExactly = 1e12;

struct CentreFrequency {
    double rounded;           // what the "Freq" caption writes, and what its later steps read
    std::int64_t thousandths; // the same, in thousandths of a hertz: the figure shown, exactly
};

// As the recalculation computes it.
std::optional<CentreFrequency> ComputeCentreFrequency(double r1, double c1) {
    const Checked<double> rounded = calc::CentreFrequencyOf(r1, c1);
    if (!rounded.ok() || !(std::fabs(rounded.value) < kWrittenExactly)) {
        return std::nullopt;
    }
    // The double nearest to a whole number of thousandths, times 1000: off by far less than half.
    return CentreFrequency{rounded.value, std::llround(rounded.value * 1000.0)};
}

bool IsAdvised(double r1) {
    return r1 >= kAdvisedLowest && r1 <= kAdvisedHighest;
}

bool InRange(double r1, R1Range range) {
    return range == R1Range::Advised ? IsAdvised(r1) : r1 >= kListLowest && r1 <= kListHighest;
}

std::vector<Component> Resistors(const SearchRequest& request) {
    const std::vector<Component>& all = ListResistors();
    std::vector<Component> kept;
    kept.reserve(all.size() + 1);
    std::copy_if(all.begin(), all.end(), std::back_inserter(kept),
                 [&request](const Component& r1) { return InRange(r1.value, request.range); });

    // The typed value gives the same frequencies as a list item of equal value, which reads
    // better: only a value the lists lack is added.
    const std::optional<double> typed =
        WorkingValue(request.currentR1, request.currentR1Unit, calc::kR1Units);
    if (typed && *typed > 0 && InRange(*typed, request.range) &&
        std::none_of(all.begin(), all.end(),
                     [&typed](const Component& r1) { return r1.value == *typed; })) {
        kept.push_back({request.currentR1Unit, request.currentR1, *typed});
    }
    return kept;
}

// A pair as the search sees it before any text is written.
struct Candidate {
    const Component* r1;
    const Component* c1;
    CentreFrequency frequency;
    std::int64_t distance; // a Nearness key: grows with |shown - wanted|, equal for equal ones
    bool advised;
};

// Nearest first, exactly: a deviation written to two decimals would tie pairs that are not
// equally near, and a double's distance would part pairs that are.
bool Before(const Candidate& a, const Candidate& b) {
    if (a.distance != b.distance) {
        return a.distance < b.distance;
    }
    if (a.advised != b.advised) {
        return a.advised;
    }
    if (a.r1->value != b.r1->value) {
        return a.r1->value < b.r1->value;
    }
    return a.c1->value < b.c1->value;
}

// (shown - wanted) / wanted x 100, written to two decimals, halves to even, with its sign.
std::string DeviationText(double shown, double wanted) {
    // Both are finite and the shown frequency is not negative: no overflow here.
    const double difference = shown - wanted;
    const Checked<double> ratio = calc::Divide(difference, wanted);
    const Checked<double> percent = ratio.ok() ? calc::Multiply(ratio.value, 100.0) : ratio;
    // Neither is negative, so the deviation is -100 % at least: only a large one overflows
    // (below a wanted 1E-296 Hz or so).
    const Checked<double> rounded = percent.ok() ? calc::RoundDecimals(percent.value, 2) : percent;
    if (!rounded.ok() || rounded.value > kDeviationCeiling) {
        return std::string(kBeyondCeiling);
    }
    // At most 100000 hundredths: exact in a double.
    const long long hundredths = std::llround(rounded.value * 100.0);
    if (hundredths == 0) {
        return "0,00";
    }
    const auto magnitude =
        static_cast<unsigned long long>(hundredths < 0 ? -hundredths : hundredths);
    std::array<char, 24> text;
    char* out = text.data();
    *out++ = hundredths < 0 ? '-' : '+';
    out = std::to_chars(out, text.data() + text.size(), magnitude / 100).ptr;
    *out++ = ',';
    *out++ = static_cast<char>('0' + magnitude / 10 % 10);
    *out++ = static_cast<char>('0' + magnitude % 10);
    return std::string(text.data(), out);
}

PairRow MakeRow(const Candidate& candidate, double wanted) {
    return PairRow{.r1 = {candidate.r1->unit, std::string(candidate.r1->text)},
                   .c1 = {candidate.c1->unit, std::string(candidate.c1->text)},
                   .frequency = calc::NumberToText(candidate.frequency.rounded),
                   .deviation = DeviationText(candidate.frequency.rounded, wanted),
                   .advised = candidate.advised};
}

TrimmerRow BeyondLists(const Part& c1) {
    return TrimmerRow{
        .c1 = c1, .exactR1 = {}, .unit = -1, .remarks = {{RemarkKind::TrimmerBeyondLists}}};
}

// Four significant digits are as many as a trimmer can be set to.
TrimmerRow Trimmer(const Part& c1, double kiloOhms) {
    std::array<char, 32> digits;
    const auto written = std::to_chars(digits.data(), digits.data() + digits.size(), kiloOhms,
                                       std::chars_format::scientific, 3);
    double rounded = 0.0;
    if (written.ec != std::errc() ||
        std::from_chars(digits.data(), written.ptr, rounded).ec != std::errc() ||
        !(rounded >= kTrimmerLowest && rounded <= kTrimmerHighest)) {
        return BeyondLists(c1);
    }
    // Decided on the rounded value, so that 999,96 kΩ becomes 1 MOhms rather than 1000 KOhms.
    R1Unit unit = R1Unit::KOhms;
    double value = rounded;
    if (rounded < 1.0) {
        unit = R1Unit::Ohms;
        value = rounded * calc::kOhmsPerKiloOhm;
    } else if (rounded >= calc::kKiloOhmsPerMegohm) {
        unit = R1Unit::MOhms;
        value = rounded / calc::kKiloOhmsPerMegohm;
    }
    std::vector<Remark> remarks;
    if (!IsAdvised(rounded)) {
        remarks.push_back({RemarkKind::TrimmerOutsideAdvised});
    }
    return TrimmerRow{.c1 = c1,
                      .exactR1 = calc::NumberToText(value),
                      .unit = ListIndex(unit),
                      .remarks = std::move(remarks)};
}

std::vector<TrimmerRow> Trimmers(std::span<const Candidate> kept, double wanted) {
    std::vector<TrimmerRow> trimmers;
    // Every pair's C1 is looked up: a table of thousands of pairs has a few dozen C1.
    std::unordered_set<const Component*> seen;
    for (const Candidate& candidate : kept) {
        const Component* const c1 = candidate.c1;
        if (!seen.insert(c1).second) {
            continue;
        }
        // f0 = 1 / (C1 x R1) x 1000, solved for R1.
        const Checked<double> product = calc::Multiply(c1->value, wanted);
        const Checked<double> r1 = product.ok() ? calc::Divide(1000.0, product.value) : product;
        const Part part{c1->unit, std::string(c1->text)};
        trimmers.push_back(r1.ok() ? Trimmer(part, r1.value) : BeyondLists(part));
    }
    return trimmers;
}

// The wanted values, read with the program's number rules: as the doubles that the figures are
// computed with, and exactly, for the decisions.
struct Wanted {
    double frequency = 0.0;
    double tolerance = 0.0;
    ExactDecimal exactFrequency{0};
    ExactDecimal exactTolerance{0};
    std::optional<double> halfWidth;
};

// What stops a value that must be above zero, and is a number.
std::optional<calc::Problem> NotPositive(double value) {
    if (value == 0) {
        return calc::Problem::Zero;
    }
    if (value < 0) {
        return calc::Problem::Negative;
    }
    return std::nullopt;
}

std::optional<SearchProblem> ReadHalfWidth(const SearchRequest& request,
                                           std::optional<double>& halfWidth) {
    if (IsBlank(request.halfWidth)) {
        return std::nullopt;
    }
    halfWidth = Read(request.halfWidth);
    if (!halfWidth) {
        return SearchProblem{SearchInput::HalfWidth, calc::Problem::NotANumber};
    }
    if (const std::optional<calc::Problem> problem = NotPositive(*halfWidth)) {
        return SearchProblem{SearchInput::HalfWidth, *problem};
    }
    if (!Read(request.voltage)) {
        return SearchProblem{SearchInput::Voltage, calc::Problem::NotANumber};
    }
    return std::nullopt;
}

std::optional<SearchProblem> ReadWanted(const SearchRequest& request, Wanted& wanted) {
    const std::optional<double> frequency = Read(request.frequency);
    if (!frequency) {
        return SearchProblem{SearchInput::Frequency, calc::Problem::NotANumber};
    }
    if (const std::optional<calc::Problem> problem = NotPositive(*frequency)) {
        return SearchProblem{SearchInput::Frequency, *problem};
    }
    wanted.frequency = *frequency;
    wanted.exactFrequency = *ExactDecimal::Read(request.frequency);
    const Checked<double> tolerance = calc::TextToNumber(request.tolerance);
    if (tolerance.failure == calc::FailureKind::TypeMismatch) {
        return SearchProblem{SearchInput::Tolerance, calc::Problem::NotANumber};
    }
    // A text too large to read is out of the range too; so is 100,000000000000000001, which a
    // double reads as 100.
    const std::optional<ExactDecimal> exactTolerance = ExactDecimal::Read(request.tolerance);
    if (!tolerance.ok() || tolerance.value < 0 || !exactTolerance ||
        *exactTolerance > ExactDecimal(100)) {
        return SearchProblem{SearchInput::Tolerance, calc::Problem::OutOfRange};
    }
    wanted.tolerance = tolerance.value;
    wanted.exactTolerance = *exactTolerance;
    return ReadHalfWidth(request, wanted.halfWidth);
}

// A value both as the double the figures are computed with and exactly, for the decisions.
struct Both {
    double number;
    const ExactDecimal& exact;
};

// What the main window will show with this C2 that the user did not ask for.
std::vector<Remark> C2Remarks(std::int32_t halfWidth, Both wanted, Both f0) {
    std::vector<Remark> remarks;
    // More than 20 % from the wanted one: 5 x the half-width outside 4 to 6 x the wanted one.
    const ExactDecimal fiveTimes = ExactDecimal(halfWidth) * ExactDecimal(5);
    if (fiveTimes > ExactDecimal(6) * wanted.exact || fiveTimes < ExactDecimal(4) * wanted.exact) {
        remarks.push_back({RemarkKind::HalfWidthFarFromWanted,
                           DeviationText(static_cast<double>(halfWidth), wanted.number)});
    }
    if (ExactDecimal(halfWidth) >= f0.exact) {
        // As the main window writes its lower edge: the frequency read back, less the half-width.
        remarks.push_back({RemarkKind::LowerEdgeNotAboveZero,
                           calc::NumberToText(f0.number - static_cast<double>(halfWidth))});
    }
    return remarks;
}

} // namespace

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

SearchResult FindPairs(const SearchRequest& request) {
    SearchResult result;
    Wanted wanted;
    result.problem = ReadWanted(request, wanted);
    if (result.problem) {
        return result;
    }
    result.frequency = wanted.frequency;
    result.tolerance = wanted.tolerance;
    if (wanted.exactFrequency > ExactDecimal(kDataSheetHighest)) {
        result.remarks.push_back({RemarkKind::AboveDataSheet});
    }

    const std::vector<Component> resistors = Resistors(request);
    const std::vector<Component>& capacitors = ListC1();

    // |shown - wanted| <= wanted x tolerance / 100, in thousandths of a hertz, which the figures
    // shown are whole numbers of: 10 x wanted x (100 - tolerance) <= shown <= 10 x wanted x
    // (100 + tolerance). A figure of 0 Hz is never within: the main window computes no
    // half-width from it.
    const ExactDecimal ten(10);
    const ExactDecimal hundred(100);
    const ExactDecimal frequencyTimesTen = wanted.exactFrequency * ten;
    const std::int64_t lowest = std::max<std::int64_t>(
        1, (frequencyTimesTen * (hundred - wanted.exactTolerance)).Ceil(kBeyondAnyFigure));
    const std::int64_t highest =
        (frequencyTimesTen * (hundred + wanted.exactTolerance)).Floor(kBeyondAnyFigure);
    const Nearness nearness(wanted.exactFrequency * ExactDecimal(1000));

    std::vector<Candidate> kept;
    std::optional<Candidate> nearest;
    for (const Component& r1 : resistors) {
        const bool advised = IsAdvised(r1.value);
        for (const Component& c1 : capacitors) {
            const std::optional<CentreFrequency> frequency =
                ComputeCentreFrequency(r1.value, c1.value);
            if (!frequency || frequency->thousandths <= 0) {
                continue;
            }
            const Candidate candidate{&r1, &c1, *frequency, nearness.Key(frequency->thousandths),
                                      advised};
            if (candidate.frequency.thousandths >= lowest &&
                candidate.frequency.thousandths <= highest) {
                kept.push_back(candidate);
            } else if (kept.empty() && (!nearest || Before(candidate, *nearest))) {
                nearest = candidate;
            }
        }
    }

    if (kept.empty()) {
        if (nearest) {
            result.nearest = MakeRow(*nearest, wanted.frequency);
            result.trimmers = Trimmers({&*nearest, 1}, wanted.frequency);
        }
        return result;
    }

    std::sort(kept.begin(), kept.end(), Before);
    result.rows.reserve(kept.size());
    for (const Candidate& candidate : kept) {
        result.rows.push_back(MakeRow(candidate, wanted.frequency));
    }
    result.trimmers = Trimmers(kept, wanted.frequency);
    return result;
}

std::vector<C2Choice> NearestC2(const PairRow& pair, const SearchRequest& request) {
    std::optional<double> wanted;
    if (ReadHalfWidth(request, wanted) || !wanted) {
        return {};
    }
    const std::optional<double> voltage = Read(request.voltage);
    const std::optional<double> f0 = Read(pair.frequency);
    const std::optional<ExactDecimal> exactWanted = ExactDecimal::Read(request.halfWidth);
    const std::optional<ExactDecimal> exactF0 = ExactDecimal::Read(pair.frequency);
    if (!voltage || !f0 || !exactWanted || !exactF0) {
        return {};
    }

    struct Choice {
        const Component* c2;
        std::int32_t halfWidth;
        std::int64_t distance; // a Nearness key
    };
    const Nearness nearness(*exactWanted);
    const std::vector<Component>& capacitors = ListC2();
    std::vector<Choice> choices;
    choices.reserve(capacitors.size());
    for (const Component& c2 : capacitors) {
        const Checked<std::int32_t> halfWidth = calc::HalfWidthOf(*voltage, *f0, c2.value);
        // A square root times 1070: never below zero.
        if (halfWidth.ok()) {
            choices.push_back({&c2, halfWidth.value, nearness.Key(halfWidth.value)});
        }
    }

    const auto nearest = choices.begin() + std::min<std::ptrdiff_t>(3, std::ssize(choices));
    std::partial_sort(choices.begin(), nearest, choices.end(),
                      [](const Choice& a, const Choice& b) {
                          if (a.distance != b.distance) {
                              return a.distance < b.distance;
                          }
                          return a.c2->value < b.c2->value;
                      });
    std::vector<C2Choice> out;
    for (auto choice = choices.begin(); choice != nearest; ++choice) {
        out.push_back(
            {.c2 = {choice->c2->unit, std::string(choice->c2->text)},
             .halfWidth = choice->halfWidth,
             .caption = calc::HalfWidthCaption(choice->halfWidth),
             .remarks = C2Remarks(choice->halfWidth, {*wanted, *exactWanted}, {*f0, *exactF0})});
    }
    return out;
}

} // namespace catalogue
