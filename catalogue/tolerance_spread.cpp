#include "catalogue/tolerance_spread.h"

#include "calc/number_text.h"
#include "calc/recalculation.h"
#include "catalogue/list_components.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace catalogue {

namespace {

using calc::Checked;
using calc::R1Unit;

// R1 in kilo-ohms, as the circuit diagram advises it.
constexpr double kAdvisedLowest = 2.0;
constexpr double kAdvisedHighest = 20.0;

// Centre frequencies are whole thousandths of a hertz; below this their texts are exact, and the
// lists give 1E+10 Hz at most.
constexpr double kThousandthsExact = 1e12;

bool IsTolerance(int percent) {
    return percent >= 0 && percent < 100;
}

bool IsPositive(double value) {
    return std::isfinite(value) && value > 0;
}

// The factors of a part at the top and the bottom of its tolerance, each the double nearest to
// the exact factor.
double Top(int percent) {
    return (100.0 + percent) / 100.0;
}

double Bottom(int percent) {
    return (100.0 - percent) / 100.0;
}

std::optional<double> Read(std::string_view text) {
    const Checked<double> number = calc::TextToNumber(text);
    return number.ok() ? std::optional(number.value) : std::nullopt;
}

std::optional<double> RoundedToThousandths(double value) {
    const Checked<double> rounded = calc::RoundDecimals(value, 3);
    return rounded.ok() ? std::optional(rounded.value) : std::nullopt;
}

// The unit is chosen on the rounded figure, so that 999,9996 Ω is written 1 kΩ, not 1000 Ω.
std::optional<Resistance> ResistanceOf(double kiloOhms) {
    if (kiloOhms < 1.0) {
        const std::optional<double> ohms = RoundedToThousandths(kiloOhms * calc::kOhmsPerKiloOhm);
        if (ohms && *ohms < calc::kOhmsPerKiloOhm) {
            return Resistance{kiloOhms, calc::NumberToText(*ohms), R1Unit::Ohms};
        }
    }
    if (kiloOhms < calc::kKiloOhmsPerMegohm) {
        const std::optional<double> shown = RoundedToThousandths(kiloOhms);
        if (shown && *shown < calc::kKiloOhmsPerMegohm) {
            return Resistance{kiloOhms, calc::NumberToText(*shown), R1Unit::KOhms};
        }
    }
    const std::optional<double> megohms = RoundedToThousandths(kiloOhms / calc::kKiloOhmsPerMegohm);
    if (!megohms) {
        return std::nullopt;
    }
    return Resistance{kiloOhms, calc::NumberToText(*megohms), R1Unit::MOhms};
}

// The figure as the user reads it, in kilo-ohms: the range's remark must agree with its text.
double ShownKiloOhms(const Resistance& resistance) {
    const std::optional<double> shown = Read(resistance.text);
    if (!shown) {
        return resistance.kiloOhms;
    }
    switch (resistance.unit) {
    case R1Unit::Ohms:
        return *shown / calc::kOhmsPerKiloOhm;
    case R1Unit::KOhms:
        break;
    case R1Unit::MOhms:
        return *shown * calc::kKiloOhmsPerMegohm;
    }
    return *shown;
}

// The trimmers sold in the 1-2-5 series, in ohms.
constexpr std::array<std::int64_t, 15> kTrimmerOhms = {
    100,    200,     500,     1'000,   2'000,     5'000,     10'000,   20'000,
    50'000, 100'000, 200'000, 500'000, 1'000'000, 2'000'000, 5'000'000};

// The half-width the main window computes for a centre frequency of k thousandths of a hertz.
// Every step of the formula keeps or reverses the order of its operand (a product and a
// quotient of positive numbers, a square root, the two roundings), so the half-width never
// grows with the centre frequency.
class HalfWidths {
public:
    HalfWidths(double voltage, double c2) : voltage_(voltage), c2_(c2) {}

    std::optional<std::int64_t> At(std::int64_t thousandths) const {
        const Checked<std::int32_t> halfWidth =
            calc::HalfWidthOf(voltage_, static_cast<double>(thousandths) / 1000.0, c2_);
        return halfWidth.ok() ? std::optional<std::int64_t>(halfWidth.value) : std::nullopt;
    }

private:
    double voltage_;
    double c2_;
};

double Hertz(std::int64_t thousandths) {
    return static_cast<double>(thousandths) / 1000.0;
}

// An edge of the capture range as the main window's caption writes it: f0 - bw or f0 + bw in
// double precision, to fifteen digits. Where the two nearly cancel, the caption keeps the last
// bits of the subtraction ("2,81599999999999" for 265,816 - 263), and so does this.
std::string EdgeText(std::int64_t thousandths, std::int64_t halfWidth, bool upper) {
    const double f0 = Hertz(thousandths);
    const auto bw = static_cast<double>(halfWidth);
    return calc::NumberToText(upper ? f0 + bw : f0 - bw);
}

// The edge as a user who reads the caption has it, to compare with the wanted frequency.
double Edge(const std::string& text) {
    return Read(text).value_or(0.0);
}

CaptureCircuit Circuit(std::int64_t thousandths, std::int64_t halfWidth) {
    CaptureCircuit circuit;
    circuit.centreFrequency = Hertz(thousandths);
    circuit.centreFrequencyText = calc::NumberToText(circuit.centreFrequency);
    circuit.lowerEdgeText = EdgeText(thousandths, halfWidth, false);
    circuit.upperEdgeText = EdgeText(thousandths, halfWidth, true);
    circuit.lowerEdge = Edge(circuit.lowerEdgeText);
    circuit.upperEdge = Edge(circuit.upperEdgeText);
    return circuit;
}

struct Thousandths {
    std::int64_t centre;
    std::int64_t halfWidth;
};

// Where the capture range ends lowest, among the centre frequencies from `low` to `high`
// thousandths. Every one of them is the figure of some circuit within the tolerances: the
// unrounded f0 moves continuously between the corners, and each thousandth between the two
// rounded extremes is the rounding of some value between them.
//
// The lower edge f0 - bw(f0) never falls as f0 grows, since bw never grows (and the caption's
// addition and fifteen digits keep that order): the circuit at the highest f0 starts its range
// highest. The upper edge f0 + bw(f0) does not follow f0. Without rounding, f0 + k / sqrt(f0) is
// convex and lowest where bw = 2 f0, at f0 = (k / 2)^(2/3) with k = 1070 sqrt(V / C2), which the
// lists put anywhere up to some 1900 Hz: a spread around that point ends its range lowest inside,
// not at a corner. And with bw rounded to whole hertz, even far from that point the upper edge
// drops by up to 1 Hz where bw steps down just above the lowest f0 (2 kΩ and 470 nF at ±1 % and
// ±5 %, 1 µF at 24 V: 1003,14 + 166 but 1003,196 + 165). So the lowest end is sought exactly.
// Thousands of runs of equal bw can lie between the extremes (4 700 for 120 kΩ and 510 nF at
// ±5 % and ±20 % with 1 nF at 5 V), so the search halves the interval and drops every half
// that cannot end lower than the best found so far: no f0 in [a, b] ends below a + bw(b), as
// both terms only grow. Within a run of equal bw the first f0 ends lowest. Among equal ends the
// lowest f0 is kept. The worst the lists give, 1,5 MΩ and 360 pF at ±5 % and ±20 % with 1 nF at
// 24 V, takes 11 545 halvings (2,6 ms in a release build; 3,6 µs for 10 kΩ and 100 nF at ±5 %
// and ±10 % with 1 µF at 12 V).
class LowestEndSearch {
public:
    explicit LowestEndSearch(const HalfWidths& halfWidths) : halfWidths_(halfWidths) {}

    std::optional<Thousandths> Run(std::int64_t low, std::int64_t high) {
        const std::optional<std::int64_t> first = halfWidths_.At(low);
        const std::optional<std::int64_t> last = halfWidths_.At(high);
        if (!first || !last) {
            return std::nullopt;
        }
        best_ = {low, *first};
        bestEnd_ = End(low, *first);
        Consider(high, *last);
        return Within(low, *first, high, *last) ? std::optional(best_) : std::nullopt;
    }

private:
    static double End(std::int64_t centre, std::int64_t halfWidth) {
        return Edge(EdgeText(centre, halfWidth, true));
    }

    void Consider(std::int64_t centre, std::int64_t halfWidth) {
        const double end = End(centre, halfWidth);
        if (end < bestEnd_ || (end == bestEnd_ && centre < best_.centre)) {
            best_ = {centre, halfWidth};
            bestEnd_ = end;
        }
    }

    // False when a half-width cannot be computed.
    bool Within(std::int64_t a, std::int64_t atA, std::int64_t b, std::int64_t atB) {
        const double floor = End(a, atB);
        if (floor > bestEnd_ || (floor == bestEnd_ && a >= best_.centre)) {
            return true;
        }
        if (atA == atB || b - a <= 1) {
            Consider(a, atA);
            Consider(b, atB);
            return true;
        }
        const std::int64_t middle = a + (b - a) / 2;
        const std::optional<std::int64_t> atMiddle = halfWidths_.At(middle);
        return atMiddle && Within(a, atA, middle, *atMiddle) && Within(middle, *atMiddle, b, atB);
    }

    const HalfWidths& halfWidths_;
    Thousandths best_{};
    double bestEnd_ = 0.0;
};

} // namespace

std::span<const Resistance> TrimmerSeries() {
    static const std::vector<Resistance> series = [] {
        std::vector<Resistance> out;
        for (const std::int64_t ohms : kTrimmerOhms) {
            out.push_back(*ResistanceOf(static_cast<double>(ohms) / calc::kOhmsPerKiloOhm));
        }
        return out;
    }();
    return series;
}

std::optional<FrequencySpread> SpreadOf(double r1, double c1, Tolerances tolerances) {
    if (!IsPositive(r1) || !IsPositive(c1) || !IsTolerance(tolerances.r1Percent) ||
        !IsTolerance(tolerances.c1Percent)) {
        return std::nullopt;
    }
    // The four corners, each computed and rounded as the main window would for those parts;
    // 1 / (C1 x R1) falls as either grows, but the extremes are taken over all four rather
    // than trusted to the rounding.
    const double r1Corners[] = {r1 * Bottom(tolerances.r1Percent), r1 * Top(tolerances.r1Percent)};
    const double c1Corners[] = {c1 * Bottom(tolerances.c1Percent), c1 * Top(tolerances.c1Percent)};
    std::optional<FrequencySpread> spread;
    for (const double r : r1Corners) {
        for (const double c : c1Corners) {
            const Checked<double> f0 = calc::CentreFrequencyOf(r, c);
            if (!f0.ok()) {
                return std::nullopt;
            }
            if (!spread) {
                spread.emplace();
                spread->lowest = spread->highest = f0.value;
            }
            spread->lowest = std::min(spread->lowest, f0.value);
            spread->highest = std::max(spread->highest, f0.value);
        }
    }
    spread->lowestText = calc::NumberToText(spread->lowest);
    spread->highestText = calc::NumberToText(spread->highest);
    return spread;
}

std::optional<CaptureCheck> CheckCapture(const FrequencySpread& spread, double wanted, double c2,
                                         double voltage) {
    if (!IsPositive(c2) || !IsPositive(voltage) || !std::isfinite(wanted) || !(spread.lowest > 0) ||
        !(spread.highest < kThousandthsExact)) {
        return std::nullopt;
    }
    const std::int64_t low = std::llround(spread.lowest * 1000.0);
    const std::int64_t high = std::llround(spread.highest * 1000.0);
    const HalfWidths halfWidths(voltage, c2);
    const std::optional<std::int64_t> highestStart = halfWidths.At(high);
    const std::optional<Thousandths> lowestEnd = LowestEndSearch(halfWidths).Run(low, high);
    if (!highestStart || !lowestEnd) {
        return std::nullopt;
    }
    CaptureCheck check{.wantedText = calc::NumberToText(wanted),
                       .highestStart = Circuit(high, *highestStart),
                       .lowestEnd = Circuit(lowestEnd->centre, lowestEnd->halfWidth)};
    check.canFallBelow = wanted <= check.highestStart.lowerEdge;
    check.canFallAbove = wanted >= check.lowestEnd.upperEdge;
    return check;
}

std::optional<TrimmerPlan> PlanTrimmer(double wanted, double c1, Tolerances tolerances) {
    if (!IsPositive(wanted) || !IsPositive(c1) || !IsTolerance(tolerances.r1Percent) ||
        !IsTolerance(tolerances.c1Percent)) {
        return std::nullopt;
    }
    // f0 = 1 / (C1 x R1) x 1000 solved for R1 + RV1 at either end of C1's tolerance.
    const Checked<double> product = calc::Multiply(wanted, c1);
    const Checked<double> lowestProduct =
        product.ok() ? calc::Multiply(product.value, Top(tolerances.c1Percent)) : product;
    const Checked<double> highestProduct =
        product.ok() ? calc::Multiply(product.value, Bottom(tolerances.c1Percent)) : product;
    const Checked<double> lowest =
        lowestProduct.ok() ? calc::Divide(1000.0, lowestProduct.value) : lowestProduct;
    const Checked<double> highest =
        highestProduct.ok() ? calc::Divide(1000.0, highestProduct.value) : highestProduct;
    if (!lowest.ok() || !highest.ok()) {
        return std::nullopt;
    }
    std::optional<Resistance> lowestShown = ResistanceOf(lowest.value);
    std::optional<Resistance> highestShown = ResistanceOf(highest.value);
    if (!lowestShown || !highestShown) {
        return std::nullopt;
    }

    TrimmerPlan plan;
    plan.lowest = std::move(*lowestShown);
    plan.highest = std::move(*highestShown);
    plan.belowAdvised = ShownKiloOhms(plan.lowest) < kAdvisedLowest;
    plan.aboveAdvised = ShownKiloOhms(plan.highest) > kAdvisedHighest;

    // The largest fixed resistor leaves the smallest trimmer, whose travel is set more finely.
    const double r1Top = Top(tolerances.r1Percent);
    // A value of the lists, with its number in kilo-ohms as the recalculation reads it.
    const std::vector<Component>& resistors = ListResistors();
    const auto fits = std::find_if(resistors.rbegin(), resistors.rend(), [&](const Component& r) {
        return r.value * r1Top <= lowest.value;
    });
    double bottom = 0.0; // the fixed resistor at the bottom of its tolerance
    if (fits != resistors.rend()) {
        plan.fixedR1 =
            Resistance{fits->value, std::string(fits->text), static_cast<R1Unit>(fits->unit)};
        bottom = fits->value * Bottom(tolerances.r1Percent);
    }
    const std::optional<Resistance> travel = ResistanceOf(highest.value - bottom);
    if (!travel) {
        return std::nullopt;
    }
    plan.travel = *travel;
    for (const Resistance& trimmer : TrimmerSeries()) {
        if (bottom + trimmer.kiloOhms >= highest.value) {
            plan.trimmer = trimmer;
            break;
        }
    }
    return plan;
}

DesignSpread DesignSpreadOf(const SpreadRequest& request) {
    DesignSpread design;
    design.spread = SpreadOf(request.r1, request.c1, request.tolerances);
    if (design.spread && request.c2) {
        design.capture = CheckCapture(*design.spread, request.wanted, *request.c2, request.voltage);
    }
    design.trimmer = PlanTrimmer(request.wanted, request.c1, request.tolerances);
    return design;
}

DesignSpread DesignSpreadOf(const PairRow& row, double wanted, const std::optional<Part>& c2,
                            std::string_view voltage, Tolerances tolerances) {
    const std::optional<double> r1 = WorkingValue(row.r1.value, row.r1.unit, calc::kR1Units);
    const std::optional<double> c1 = WorkingValue(row.c1.value, row.c1.unit, calc::kC1Units);
    if (!r1 || !c1) {
        return {};
    }
    SpreadRequest request{.r1 = *r1, .c1 = *c1, .wanted = wanted, .tolerances = tolerances};
    const std::optional<double> c2Value =
        c2 ? WorkingValue(c2->value, c2->unit, calc::kC2Units) : std::nullopt;
    const std::optional<double> volts = Read(voltage);
    if (c2Value && volts) {
        request.c2 = *c2Value;
        request.voltage = *volts;
    }
    return DesignSpreadOf(request);
}

} // namespace catalogue
