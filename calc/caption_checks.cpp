#include "calc/caption_checks.h"

#include "calc/number_text.h"

#include <initializer_list>
#include <optional>
#include <utility>

namespace calc {

namespace {

struct Fault {
    Source source;
    Problem problem;
};
using MaybeFault = std::optional<Fault>;

// A text read as a number failed: it was no number, or one beyond the double range.
Fault Unreadable(Source source, const Checked<double>& read) {
    return {source,
            read.failure == FailureKind::Overflow ? Problem::OutOfRange : Problem::NotANumber};
}

// The scaling of one component: exactly one of its steps runs, chosen by the unit; none runs
// when no unit is selected, and the stored value is then an earlier one.
MaybeFault ScalingFault(const CalculReport& report, int firstStep, int lastStep, Source source) {
    for (int step = firstStep; step <= lastStep; ++step) {
        if (report.Ran(step)) {
            if (!report.Failed(step)) {
                return std::nullopt;
            }
            return report.FailureOf(step) == FailureKind::Overflow
                       ? Fault{source, Problem::OutOfRange}
                       : Fault{source, Problem::NotANumber};
        }
    }
    return Fault{source, Problem::NoUnit};
}

// The centre frequency's step failed: on reading R1 or C1 as stored (a failing step writes
// nothing, so they are what it read), on a zero among them, or on a product or reciprocal
// beyond the double range, which only an extreme R1 reaches.
Fault CentreFrequencyStep(const StoredValues& stored) {
    const auto r = TextToNumber(stored.ValR1);
    if (!r.ok()) {
        return Unreadable(Source::R1, r);
    }
    const auto c = TextToNumber(stored.ValC1);
    if (!c.ok()) {
        return Unreadable(Source::C1, c);
    }
    if (r.value == 0) {
        return {Source::R1, Problem::Zero};
    }
    if (c.value == 0) {
        return {Source::C1, Problem::Zero};
    }
    return {Source::R1, Problem::OutOfRange};
}

// The half-width's step failed: 1070 x sqrt(V / (C2 x f0)).
Fault HalfWidthStep(FailureKind kind, const CalculInputs& inputs, const StoredValues& stored) {
    const auto v = TextToNumber(inputs.ComboV);
    if (!v.ok()) {
        return Unreadable(Source::Voltage, v);
    }
    const auto f = TextToNumber(stored.ValF0);
    if (!f.ok()) {
        return {Source::CentreFrequency, Problem::NotANumber};
    }
    const auto c2 = TextToNumber(stored.ValC2);
    if (!c2.ok()) {
        return Unreadable(Source::C2, c2);
    }
    if (kind == FailureKind::DivisionByZero || kind == FailureKind::InvalidArgument) {
        const std::pair<Source, double> factors[] = {
            {Source::CentreFrequency, f.value}, {Source::C2, c2.value}, {Source::Voltage, v.value}};
        for (const auto& [source, value] : factors) {
            if (value == 0 && kind == FailureKind::DivisionByZero) {
                return {source, Problem::Zero};
            }
            if (value < 0 && kind == FailureKind::InvalidArgument) {
                return {source, Problem::Negative};
            }
        }
    }
    return {Source::HalfWidth, Problem::OutOfRange};
}

MaybeFault OwnStep(const CalculReport& report, int step, Fault fault) {
    return report.Failed(step) ? MaybeFault(fault) : std::nullopt;
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

CaptionChecks CheckCaptions(const CalculReport& report, const CalculInputs& inputs,
                            const StoredValues& stored) {
    const auto f = TextToNumber(stored.ValF0);
    const MaybeFault centre =
        FirstOf({ScalingFault(report, 1, 3, Source::R1), ScalingFault(report, 4, 6, Source::C1),
                 report.Failed(7) ? MaybeFault(CentreFrequencyStep(stored)) : std::nullopt});
    const MaybeFault halfWidth =
        FirstOf({centre, ScalingFault(report, 9, 10, Source::C2),
                 report.Failed(11) ? MaybeFault(HalfWidthStep(report.FailureOf(11), inputs, stored))
                                   : std::nullopt});
    // The edges' steps fail only on a centre frequency never computed, or beyond the range.
    const Fault edgeFault = f.ok() ? Fault{Source::CentreFrequency, Problem::OutOfRange}
                                   : Fault{Source::CentreFrequency, Problem::NotANumber};
    const MaybeFault lower = FirstOf({halfWidth, OwnStep(report, 13, edgeFault)});
    const MaybeFault upper = FirstOf({halfWidth, OwnStep(report, 14, edgeFault)});

    // The figures as the captions show them; only read where the caption is current.
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
