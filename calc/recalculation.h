#pragma once

// The recalculation of the main window: from the value texts and unit positions of the input
// boxes it brings R1, C1 and C2 to kilo-ohms and microfarads, computes the centre frequency and
// the half-width of the capture range of the tone decoder, keeps its five stored values and
// rewrites the four result captions. Texts are UTF-8.

#include "calc/number_text.h"
#include "calc/problem.h"
#include "calc/units.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace calc {

// A snapshot of the main window's inputs: the text of each value box and the ListIndex of each
// unit box (-1 when nothing is selected; a position outside the unit list selects no scaling).
struct CalculInputs {
    std::string ComboR;
    int ComboValR1 = -1; // see R1Unit
    std::string ComboC;
    int ComboValC1 = -1; // see C1Unit
    std::string ComboC2;
    int ComboValC2 = -1; // see C2Unit
    std::string ComboV;
};

// What the main window keeps between recalculations, in the working units: R1 in kilo-ohms,
// C1 and C2 in microfarads, the centre frequency in hertz (rounded to three decimals) and the
// half-width of the capture range in hertz. Empty texts and 0 when the window is created.
struct StoredValues {
    std::string ValR1, ValC1, ValC2, ValF0;
    std::int32_t ValPlage = 0;
};

// The captions of the four result labels.
struct Captions {
    std::string Freq, B, LblPlageBas, LblPlageHaut;
};

// The fourteen steps of a recalculation, in the order they run. Each unit box selects one of the
// steps that bring its value box to the working unit ("From": its number is scaled; "As": its
// text is kept as it is); every other step runs each time.
enum class Step {
    R1FromOhms,
    R1AsKiloOhms,
    R1FromMegohms,
    C1FromPicofarads,
    C1FromNanofarads,
    C1AsMicrofarads,
    CentreFrequency, // ValF0, from R1 and C1 as stored
    FreqCaption,
    C2FromNanofarads,
    C2AsMicrofarads,
    HalfWidth, // ValPlage, from the voltage, ValF0 and C2 as stored
    HalfWidthCaption,
    LowerEdge, // the caption of LblPlageBas
    UpperEdge, // the caption of LblPlageHaut
};

inline constexpr std::array kSteps = {
    Step::R1FromOhms,       Step::R1AsKiloOhms,    Step::R1FromMegohms,   Step::C1FromPicofarads,
    Step::C1FromNanofarads, Step::C1AsMicrofarads, Step::CentreFrequency, Step::FreqCaption,
    Step::C2FromNanofarads, Step::C2AsMicrofarads, Step::HalfWidth,       Step::HalfWidthCaption,
    Step::LowerEdge,        Step::UpperEdge};
// Each step once, in the order of the enumeration, which the report's index relies on.
static_assert([] {
    for (std::size_t i = 0; i < kSteps.size(); ++i) {
        if (static_cast<std::size_t>(kSteps[i]) != i) {
            return false;
        }
    }
    return kSteps.back() == Step::UpperEdge;
}());

// "CentreFrequency": for messages and test output.
std::string_view StepName(Step step);

// The step that brings a component to its working unit from `unit`.
constexpr Step ScalingStep(R1Unit unit) {
    switch (unit) {
    case R1Unit::Ohms:
        return Step::R1FromOhms;
    case R1Unit::KOhms:
        break;
    case R1Unit::MOhms:
        return Step::R1FromMegohms;
    }
    return Step::R1AsKiloOhms;
}

constexpr Step ScalingStep(C1Unit unit) {
    switch (unit) {
    case C1Unit::PicoFarad:
        return Step::C1FromPicofarads;
    case C1Unit::NanoFarad:
        return Step::C1FromNanofarads;
    case C1Unit::MicroFarad:
        break;
    }
    return Step::C1AsMicrofarads;
}

constexpr Step ScalingStep(C2Unit unit) {
    switch (unit) {
    case C2Unit::NanoFarad:
        return Step::C2FromNanofarads;
    case C2Unit::MicroFarad:
        break;
    }
    return Step::C2AsMicrofarads;
}

// An input box, or a figure computed from them.
enum class Source { R1, C1, C2, Voltage, CentreFrequency, HalfWidth, LowerEdge, UpperEdge };

struct Fault {
    Source source;
    Problem problem;

    bool operator==(const Fault&) const = default;
};

// Why a step failed: what its number operation raised, and the operand it blames, told by the
// step itself from the values it read (a zero C2 for a half-width that divides by zero).
struct StepFailure {
    FailureKind kind;
    Fault fault;

    bool operator==(const StepFailure&) const = default;
};

struct StepResult {
    bool ran = false;                   // its condition held
    std::optional<StepFailure> failure; // so what it would have written kept its value

    bool operator==(const StepResult&) const = default;
};

// What one recalculation did, step by step.
class CalculReport {
public:
    const StepResult& operator[](Step step) const { return steps_[Index(step)]; }
    void Record(Step step, std::optional<StepFailure> failure) {
        steps_[Index(step)] = {true, failure};
    }

    bool Ran(Step step) const { return (*this)[step].ran; }
    bool Failed(Step step) const { return (*this)[step].failure.has_value(); }
    // Every step that was carried out succeeded; CentreFrequency, HalfWidth, the captions and the
    // edges always are carried out.
    bool AllSucceeded() const noexcept {
        for (const StepResult& step : steps_) {
            if (step.failure) {
                return false;
            }
        }
        return true;
    }

    bool operator==(const CalculReport&) const = default;

private:
    static constexpr std::size_t Index(Step step) { return static_cast<std::size_t>(step); }

    std::array<StepResult, kSteps.size()> steps_{};
};

// The caption of "B" for a half-width: "+/- 11 Hz".
std::string HalfWidthCaption(std::int32_t halfWidth);

// The two formulas on numbers, as the recalculation's steps compute them, in this order of
// operations: the centre frequency 1 / (C1 x R1) x 1000, the reciprocal first, rounded to three
// decimals (R1 in kilo-ohms, C1 in microfarads), and the half-width 1070 x sqrt(V / (C2 x f0)),
// the product first, rounded to three decimals and then to a whole number. The component search
// computes with them too.
Checked<double> CentreFrequencyOf(double r1, double c1);
Checked<std::int32_t> HalfWidthOf(double voltage, double f0, double c2);

// Runs the fourteen steps of the recalculation in order on `stored` and `captions`, in place.
// A step that fails writes nothing and the next step runs with whatever the stored values hold.
// Never throws (beyond running out of memory while growing a text).
CalculReport Calcul(const CalculInputs& inputs, StoredValues& stored, Captions& captions);

} // namespace calc
