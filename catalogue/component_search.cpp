#include "catalogue/component_search.h"

#include "calc/number_text.h"
#include "calc/recalculation.h"
#include "calc/units.h"
#include "catalogue/value_lists.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <limits>
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

std::optional<double> Read(std::string_view text) {
    const Checked<double> number = calc::TextToNumber(text);
    return number.ok() ? std::optional(number.value) : std::nullopt;
}

// The number the recalculation works with for a value box, read back from the stored text as
// its later steps read it; nothing when one of its steps would fail.
std::optional<double> WorkingValue(std::string_view text, calc::Scaling scaling) {
    const std::optional<double> number = Read(text);
    if (!number || scaling.operation == calc::Scaling::Operation::Keep) {
        return number;
    }
    const Checked<double> scaled = calc::Scale(*number, scaling);
    if (!scaled.ok()) {
        return std::nullopt;
    }
    return Read(calc::NumberToText(scaled.value));
}

// Below this, a value rounded to three decimals is a whole number of thousandths of at most 15
// digits: NumberToText writes it exactly and TextToNumber reads that text back to the same
// double, so the stored centre frequency needs no text round trip to be read back. The lists
// reach 1E+10 Hz at most. It keeps the search well within the 5 ms a keystroke may take
// (search_bench, FindPairsAnyListValue: 1.8 ms with it, 5.0 ms without; FindPairsAdvised:
// 0.32 ms, 0.84 ms).
constexpr double kWrittenExactly = 1e12;

struct CentreFrequency {
    double rounded; // what the "Freq" caption writes
    double shown;   // the caption's number read back, as the half-width and the edges read it
};

// As the recalculation computes it, and as its later steps read it back from its text.
std::optional<CentreFrequency> ComputeCentreFrequency(double r1, double c1) {
    const Checked<double> rounded = calc::CentreFrequencyOf(r1, c1);
    if (!rounded.ok()) {
        return std::nullopt;
    }
    if (std::fabs(rounded.value) < kWrittenExactly) {
        return CentreFrequency{rounded.value, rounded.value};
    }
    const std::optional<double> shown = Read(calc::NumberToText(rounded.value));
    if (!shown) {
        return std::nullopt;
    }
    return CentreFrequency{rounded.value, *shown};
}

// A value of a list, or the typed R1, with its number in the working unit.
struct Component {
    int unit;
    std::string_view text;
    double value;
};

template <typename Unit>
void AddList(std::vector<Component>& out, Unit unit, std::span<const Item> items) {
    for (const Item item : items) {
        if (const std::optional<double> value = WorkingValue(item, calc::ScalingOf(unit))) {
            out.push_back({ListIndex(unit), item, *value});
        }
    }
}

bool IsAdvised(double r1) {
    return r1 >= kAdvisedLowest && r1 <= kAdvisedHighest;
}

bool InRange(double r1, R1Range range) {
    return range == R1Range::Advised ? IsAdvised(r1) : r1 >= kListLowest && r1 <= kListHighest;
}

// Both capacitor boxes offer the same values in each of their units.
template <typename Unit, std::size_t N>
std::vector<Component> Capacitors(const std::array<Unit, N>& units) {
    std::vector<Component> all;
    all.reserve(CapacitorValues.size() * N);
    for (const Unit unit : units) {
        AddList(all, unit, CapacitorValues);
    }
    return all;
}

// The lists never change: their numbers are worked out once, on first use.
const std::vector<Component>& ListResistors() {
    static const std::vector<Component> all = [] {
        std::vector<Component> out;
        out.reserve(OhmValues.size() + KiloOhmValues.size() + MegohmValues.size());
        AddList(out, R1Unit::Ohms, OhmValues);
        AddList(out, R1Unit::KOhms, KiloOhmValues);
        AddList(out, R1Unit::MOhms, MegohmValues);
        return out;
    }();
    return all;
}

const std::vector<Component>& ListC1() {
    static const std::vector<Component> all = Capacitors(calc::kC1Units);
    return all;
}

const std::vector<Component>& ListC2() {
    static const std::vector<Component> all = Capacitors(calc::kC2Units);
    return all;
}

std::vector<Component> Resistors(const SearchRequest& request) {
    const std::vector<Component>& all = ListResistors();
    std::vector<Component> kept;
    kept.reserve(all.size() + 1);
    std::copy_if(all.begin(), all.end(), std::back_inserter(kept),
                 [&request](const Component& r1) { return InRange(r1.value, request.range); });

    // The typed value gives the same frequencies as a list item of equal value, which reads
    // better: only a value the lists lack is added.
    const std::optional<R1Unit> unit = calc::UnitAt(calc::kR1Units, request.currentR1Unit);
    const std::optional<double> typed =
        unit ? WorkingValue(request.currentR1, calc::ScalingOf(*unit)) : std::nullopt;
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
    double distance; // |shown - wanted|: the deviation's magnitude grows with it
    bool advised;
};

// Nearest first; the deviation can overflow for absurdly small wanted frequencies, the distance
// cannot, so it decides.
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
    if (!percent.ok()) {
        // Only a wanted frequency below about 1E-296 Hz gets here.
        return "+∞";
    }
    const Checked<double> rounded = calc::RoundDecimals(percent.value, 2);
    constexpr double kHundredthsFitExactly = 1e13;
    if (!rounded.ok() || std::fabs(rounded.value) >= kHundredthsFitExactly) {
        std::string text = calc::NumberToText(percent.value);
        if (percent.value > 0) {
            text.insert(text.begin(), '+');
        }
        return text;
    }
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
                   .deviation = DeviationText(candidate.frequency.shown, wanted),
                   .advised = candidate.advised};
}

// Four significant digits are as many as a trimmer can be set to.
std::optional<TrimmerRow> Trimmer(const Part& c1, double kiloOhms) {
    std::array<char, 32> digits;
    const auto written = std::to_chars(digits.data(), digits.data() + digits.size(), kiloOhms,
                                       std::chars_format::scientific, 3);
    double rounded = 0.0;
    if (written.ec != std::errc() ||
        std::from_chars(digits.data(), written.ptr, rounded).ec != std::errc()) {
        return std::nullopt;
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
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return TrimmerRow{.c1 = c1, .exactR1 = calc::NumberToText(value), .unit = ListIndex(unit)};
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
        if (!r1.ok()) {
            continue;
        }
        if (std::optional<TrimmerRow> trimmer =
                Trimmer({c1->unit, std::string(c1->text)}, r1.value)) {
            trimmers.push_back(std::move(*trimmer));
        }
    }
    return trimmers;
}

// The wanted values, read with the program's number rules.
struct Wanted {
    double frequency = 0.0;
    double tolerance = 0.0;
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
    const Checked<double> tolerance = calc::TextToNumber(request.tolerance);
    if (tolerance.failure == calc::FailureKind::TypeMismatch) {
        return SearchProblem{SearchInput::Tolerance, calc::Problem::NotANumber};
    }
    // A text too large to read is out of the range too.
    if (!tolerance.ok() || tolerance.value < 0 || tolerance.value > 100) {
        return SearchProblem{SearchInput::Tolerance, calc::Problem::OutOfRange};
    }
    wanted.tolerance = tolerance.value;
    return ReadHalfWidth(request, wanted.halfWidth);
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

    const std::vector<Component> resistors = Resistors(request);
    const std::vector<Component>& capacitors = ListC1();

    // wanted x tolerance / 100, in that order; only for a wanted frequency near the top of the
    // double range does the product overflow, and then dividing first keeps the bound finite.
    double limit = wanted.frequency * wanted.tolerance / 100.0;
    if (!std::isfinite(limit)) {
        limit = wanted.frequency / 100.0 * wanted.tolerance;
    }

    std::vector<Candidate> kept;
    std::optional<Candidate> nearest;
    for (const Component& r1 : resistors) {
        const bool advised = IsAdvised(r1.value);
        for (const Component& c1 : capacitors) {
            const std::optional<CentreFrequency> frequency =
                ComputeCentreFrequency(r1.value, c1.value);
            if (!frequency) {
                continue;
            }
            const Candidate candidate{&r1, &c1, *frequency,
                                      std::fabs(frequency->shown - wanted.frequency), advised};
            if (candidate.distance <= limit) {
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
    if (!voltage || !f0) {
        return {};
    }

    struct Choice {
        const Component* c2;
        std::int32_t halfWidth;
        double distance;
    };
    const std::vector<Component>& capacitors = ListC2();
    std::vector<Choice> choices;
    choices.reserve(capacitors.size());
    for (const Component& c2 : capacitors) {
        const Checked<std::int32_t> halfWidth = calc::HalfWidthOf(*voltage, *f0, c2.value);
        if (halfWidth.ok()) {
            choices.push_back({&c2, halfWidth.value, std::fabs(halfWidth.value - *wanted)});
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
        out.push_back({.c2 = {choice->c2->unit, std::string(choice->c2->text)},
                       .halfWidth = choice->halfWidth,
                       .caption = calc::HalfWidthCaption(choice->halfWidth)});
    }
    return out;
}

} // namespace catalogue
