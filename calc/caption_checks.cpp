#include "calc/caption_checks.h"

#include "calc/number_text.h"
#include "calc/units.h"

#include <array>
#include <cstddef>
#include <initializer_list>
#include <optional>

namespace calc {

namespace {

using MaybeFault = std::optional<Fault>;

// The fault a step reported, if it failed.
MaybeFault FaultOf(const CalculReport& report, Step step) {
    const std::optional<StepFailure>& failure = report[step].failure;
    return failure ? MaybeFault(failure->fault) : std::nullopt;
}

// The scaling of one component: the unit selects one of its steps; none runs when no unit is
// selected, and the stored value is then an earlier one.
template <typename Unit, std::size_t N>
MaybeFault ScalingFault(const CalculReport& report, const std::array<Unit, N>& units,
                        Source source) {
    for (const Unit unit : units) {
        if (report.Ran(ScalingStep(unit))) {
            return FaultOf(report, ScalingStep(unit));
        }
    }
    return Fault{source, Problem::NoUnit};
}

MaybeFault FirstOf(std::initializer_list<MaybeFault> faults) {
    for (const MaybeFault& fault : faults) {
        if (fault) {
            return fault;
        }
    }
    return std::nullopt;
}

// A current figure that is zero or negative is no frequency.
CaptionCheck Check(const MaybeFault& fault, Source figure, std::optional<double> value) {
    if (fault) {
        return {CaptionCheck::State::Stale, fault->source, fault->problem};
    }
    if (value && *value <= 0) {
        return {CaptionCheck::State::NotAFrequency, figure,
                *value == 0 ? Problem::Zero : Problem::Negative};
    }
    return {};
}

} // namespace

CaptionChecks CheckCaptions(const CalculReport& report, const StoredValues& stored) {
    const MaybeFault centre = FirstOf({ScalingFault(report, kR1Units, Source::R1),
                                       ScalingFault(report, kC1Units, Source::C1),
                                       FaultOf(report, Step::CentreFrequency)});
    const MaybeFault halfWidth = FirstOf(
        {centre, ScalingFault(report, kC2Units, Source::C2), FaultOf(report, Step::HalfWidth)});
    const MaybeFault lower = FirstOf({halfWidth, FaultOf(report, Step::LowerEdge)});
    const MaybeFault upper = FirstOf({halfWidth, FaultOf(report, Step::UpperEdge)});

    // The figures as the captions show them; only read where the caption is current.
    const auto f = TextToNumber(stored.ValF0);
    const auto figure = [&f](double offset) -> std::optional<double> {
        return f.ok() ? std::optional<double>(f.value + offset) : std::nullopt;
    };
    const double plage = stored.ValPlage;
    return {Check(centre, Source::CentreFrequency, figure(0)),
            Check(halfWidth, Source::HalfWidth, std::nullopt),
            Check(lower, Source::LowerEdge, figure(-plage)),
            Check(upper, Source::UpperEdge, figure(plage))};
}

} // namespace calc
