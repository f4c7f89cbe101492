#pragma once

// Beyond the nominal: how far the centre frequency of a pair can stray when R1 and C1 are real
// parts with a tolerance, whether the wanted frequency can then fall outside the capture range,
// and what fixed resistor and trimmer bring every such circuit back to the wanted frequency.
// Every centre frequency and half-width is the main window's own (calc::CentreFrequencyOf and
// calc::HalfWidthOf, rounded as it rounds), so the figures are those the main window would show
// for the circuit at hand. No Qt and no words: the search window says what these facts mean.

#include "calc/units.h"
#include "catalogue/component_search.h"

#include <array>
#include <optional>
#include <span>
#include <string>

namespace catalogue {

// What resistors and capacitors are sold at, in percent; the defaults are common E24 carbon
// film and ceramic or film capacitors.
inline constexpr std::array<int, 3> R1TolerancePercents = {1, 2, 5};
inline constexpr std::array<int, 3> C1TolerancePercents = {5, 10, 20};

struct Tolerances {
    int r1Percent = 5;
    int c1Percent = 10;
};

// A resistance and its figure in the unit that suits it: ohms below 1 kΩ, megohms from
// 1000 kΩ, kilo-ohms between, three decimals at most ("9,091" KOhms, "500" Ohms, "1,5" MOhms).
// For a value of the resistor lists the figure is the list item itself, so {unit, text} can be
// put into the main window's R1 boxes as they are.
struct Resistance {
    double kiloOhms = 0.0;
    std::string text;
    calc::R1Unit unit = calc::R1Unit::KOhms;
};

// The centre frequencies of the circuits a pair can give, in hertz, as the main window rounds
// them ("865,801" and "1169,591" for 10 kΩ and 100 nF at ±5 % and ±10 %).
struct FrequencySpread {
    double lowest = 0.0; // R1 and C1 both at the top of their tolerance
    double highest = 0.0;
    std::string lowestText, highestText;
};

// One circuit within the tolerances and its capture range as the main window shows it: the
// frequencies above the lower edge and below the upper edge ("> 883 Hz", "< 1117 Hz").
struct CaptureCircuit {
    double centreFrequency = 0.0;
    double lowerEdge = 0.0;
    double upperEdge = 0.0;
    std::string centreFrequencyText, lowerEdgeText, upperEdgeText;
};

// The wanted frequency against the capture ranges of every circuit within the tolerances, with
// the chosen C2 at the main window's voltage. A frequency on an edge is outside, as the
// captions "> " and "< " say.
struct CaptureCheck {
    std::string wantedText;
    // The circuit whose range starts highest, and the one whose range ends lowest: every other
    // circuit's range starts lower and ends higher.
    CaptureCircuit highestStart;
    CaptureCircuit lowestEnd;
    bool canFallBelow = false; // the wanted frequency is not above highestStart's lower edge
    bool canFallAbove = false; // nor below lowestEnd's upper edge
};

// What brings every circuit back to the wanted frequency: R1 + RV1 must reach from `lowest`
// (C1 at the top of its tolerance) to `highest` (C1 at the bottom), and a fixed resistor of the
// lists at either end of its own tolerance plus a trimmer turned from 0 to its full value does.
struct TrimmerPlan {
    Resistance lowest, highest;
    // The range, as its figures show it, reaches below 2 kΩ or above 20 kΩ, the R1 the circuit
    // diagram advises.
    bool belowAdvised = false;
    bool aboveAdvised = false;
    // The largest value of the resistor lists that, at the top of its tolerance, stays at or
    // below `lowest`; none when even 100 Ω does not, and the trimmer then works alone.
    std::optional<Resistance> fixedR1;
    // What the trimmer must add: `highest` less the fixed resistor at the bottom of its tolerance.
    Resistance travel;
    // The smallest trimmer of the 1-2-5 series, 100 Ω to 5 MΩ, that reaches `travel`; none when
    // even 5 MΩ is too small, which needs a fixed resistor far above 100 Ω.
    std::optional<Resistance> trimmer;
};

// The trimmers offered, smallest first: the 1-2-5 series from 100 Ω to 5 MΩ.
std::span<const Resistance> TrimmerSeries();

// R1 in kilo-ohms and C1 in microfarads as the main window's recalculation reads them. Nothing
// when a tolerance is not from 0 to 99 % or a centre frequency cannot be computed (a zero or
// negative part).
std::optional<FrequencySpread> SpreadOf(double r1, double c1, Tolerances tolerances);

// Nothing when the voltage or C2 (microfarads) is not positive, when the lowest centre frequency
// is 0 Hz at three decimals (the main window then has no half-width to show) or the highest
// lies from 1E+12 Hz up, far beyond what the lists give.
std::optional<CaptureCheck> CheckCapture(const FrequencySpread& spread, double wanted, double c2,
                                         double voltage);

// For a wanted frequency in hertz and C1 in microfarads. Nothing when either is not positive,
// the C1 tolerance is not from 0 to 99 %, or the range is beyond a double.
std::optional<TrimmerPlan> PlanTrimmer(double wanted, double c1, Tolerances tolerances);

// All three for a row of the search, the window's tolerances, and its chosen C2 if any.
struct SpreadRequest {
    double r1 = 0.0;            // kilo-ohms
    double c1 = 0.0;            // microfarads
    double wanted = 0.0;        // hertz
    std::optional<double> c2{}; // microfarads; none when no C2 is chosen
    double voltage = 0.0;
    Tolerances tolerances{};
};

struct DesignSpread {
    std::optional<FrequencySpread> spread;
    std::optional<CaptureCheck> capture;
    std::optional<TrimmerPlan> trimmer;
};

DesignSpread DesignSpreadOf(const SpreadRequest& request);

// The same for a row of the search as the main window would take it: R1 and C1 (and C2, if one
// is chosen) read from their texts and units as its recalculation reads them, the voltage from
// the text of its box. The capture check is left out when C2 or the voltage cannot be read.
DesignSpread DesignSpreadOf(const PairRow& row, double wanted, const std::optional<Part>& c2,
                            std::string_view voltage, Tolerances tolerances);

} // namespace catalogue
