#include "calc/recalculation.h"

#include "calc/units.h"

#include <optional>
#include <utility>

namespace calc {

namespace {

using Outcome = std::optional<StepFailure>; // what a step ended with; empty when it succeeded

// A text that is no number, or a number beyond the double range (as read, or once scaled).
StepFailure Unusable(Source source, FailureKind kind) {
    return {kind,
            {source, kind == FailureKind::Overflow ? Problem::OutOfRange : Problem::NotANumber}};
}

// The scaling steps: the number of a value box in the working unit, written as text; in the
// working unit already, the box's text as it is.
Outcome ToWorkingUnit(const std::string& boxText, Scaling scaling, Source source,
                      std::string& target) {
    if (scaling.operation == Scaling::Operation::Keep) {
        target = boxText;
        return std::nullopt;
    }
    const Checked<double> number = TextToNumber(boxText);
    if (!number.ok()) {
        return Unusable(source, *number.failure);
    }
    const Checked<double> scaled = Scale(number.value, scaling);
    if (!scaled.ok()) {
        return Unusable(source, *scaled.failure);
    }
    target = NumberToText(scaled.value);
    return std::nullopt;
}

// The centre frequency from R1 and C1 as stored. Beyond reading them, it fails on a zero among
// them, or on a product or reciprocal beyond the double range, which only a typed R1 reaches.
Outcome CentreFrequency(StoredValues& stored) {
    const Checked<double> r = TextToNumber(stored.ValR1);
    if (!r.ok()) {
        return Unusable(Source::R1, *r.failure);
    }
    const Checked<double> c = TextToNumber(stored.ValC1);
    if (!c.ok()) {
        return Unusable(Source::C1, *c.failure);
    }
    const Checked<double> f0 = CentreFrequencyOf(r.value, c.value);
    if (!f0.ok()) {
        const FailureKind kind = *f0.failure;
        return r.value == 0   ? StepFailure{kind, {Source::R1, Problem::Zero}}
               : c.value == 0 ? StepFailure{kind, {Source::C1, Problem::Zero}}
                              : StepFailure{kind, {Source::R1, Problem::OutOfRange}};
    }
    stored.ValF0 = NumberToText(f0.value);
    return std::nullopt;
}

// The half-width, 1070 x sqrt(V / (C2 x f0)), from the voltage, the stored (rounded) f0 and C2
// as stored. A division by zero blames the first zero factor, a square root of a negative number
// the first negative one; anything else is a half-width beyond the range.
Outcome HalfWidth(const CalculInputs& inputs, StoredValues& stored) {
    const Checked<double> v = TextToNumber(inputs.ComboV);
    if (!v.ok()) {
        return Unusable(Source::Voltage, *v.failure);
    }
    // ValF0 is empty until a centre frequency has been computed, and then always readable.
    const Checked<double> f = TextToNumber(stored.ValF0);
    if (!f.ok()) {
        return StepFailure{*f.failure, {Source::CentreFrequency, Problem::NotANumber}};
    }
    const Checked<double> c2 = TextToNumber(stored.ValC2);
    if (!c2.ok()) {
        return Unusable(Source::C2, *c2.failure);
    }
    const Checked<std::int32_t> whole = HalfWidthOf(v.value, f.value, c2.value);
    if (!whole.ok()) {
        const FailureKind kind = *whole.failure;
        const std::pair<Source, double> factors[] = {
            {Source::CentreFrequency, f.value}, {Source::C2, c2.value}, {Source::Voltage, v.value}};
        for (const auto& [source, value] : factors) {
            if (value == 0 && kind == FailureKind::DivisionByZero) {
                return StepFailure{kind, {source, Problem::Zero}};
            }
            if (value < 0 && kind == FailureKind::InvalidArgument) {
                return StepFailure{kind, {source, Problem::Negative}};
            }
        }
        return StepFailure{kind, {Source::HalfWidth, Problem::OutOfRange}};
    }
    stored.ValPlage = whole.value;
    return std::nullopt;
}

// An edge of the capture range, f0 minus or plus the half-width.
Outcome Edge(const StoredValues& stored, bool upper, std::string& caption) {
    const Checked<double> f = TextToNumber(stored.ValF0);
    if (!f.ok()) {
        return StepFailure{*f.failure, {Source::CentreFrequency, Problem::NotANumber}};
    }
    const double halfWidth = stored.ValPlage;
    const Checked<double> edge = upper ? Add(f.value, halfWidth) : Subtract(f.value, halfWidth);
    if (!edge.ok()) {
        return StepFailure{*edge.failure, {Source::CentreFrequency, Problem::OutOfRange}};
    }
    caption.assign(upper ? "< " : "> ").append(NumberToText(edge.value)).append(" Hz");
    return std::nullopt;
}

} // namespace

std::string_view StepName(Step step) {
    switch (step) {
    case Step::R1FromOhms:
        return "R1FromOhms";
    case Step::R1AsKiloOhms:
        return "R1AsKiloOhms";
    case Step::R1FromMegohms:
        return "R1FromMegohms";
    case Step::C1FromPicofarads:
        return "C1FromPicofarads";
    case Step::C1FromNanofarads:
        return "C1FromNanofarads";
    case Step::C1AsMicrofarads:
        return "C1AsMicrofarads";
    case Step::CentreFrequency:
        return "CentreFrequency";
    case Step::FreqCaption:
        return "FreqCaption";
    case Step::C2FromNanofarads:
        return "C2FromNanofarads";
    case Step::C2AsMicrofarads:
        return "C2AsMicrofarads";
    case Step::HalfWidth:
        return "HalfWidth";
    case Step::HalfWidthCaption:
        return "HalfWidthCaption";
    case Step::LowerEdge:
        return "LowerEdge";
    case Step::UpperEdge:
        return "UpperEdge";
    }
    return "Step(?)";
}

std::string HalfWidthCaption(std::int32_t halfWidth) {
    return "+/- " + IntegerToText(halfWidth) + " Hz";
}

Checked<double> CentreFrequencyOf(double r1, double c1) {
    const Checked<double> p = Multiply(c1, r1);
    if (!p.ok()) {
        return p;
    }
    const Checked<double> q = Divide(1.0, p.value);
    if (!q.ok()) {
        return q;
    }
    const Checked<double> u = Multiply(q.value, 1000.0);
    if (!u.ok()) {
        return u;
    }
    return RoundDecimals(u.value, 3);
}

Checked<std::int32_t> HalfWidthOf(double voltage, double f0, double c2) {
    const Checked<double> product = Multiply(c2, f0);
    if (!product.ok()) {
        return {0, product.failure};
    }
    const Checked<double> d = Divide(voltage, product.value);
    if (!d.ok()) {
        return {0, d.failure};
    }
    const Checked<double> s = SquareRoot(d.value);
    if (!s.ok()) {
        return {0, s.failure};
    }
    const Checked<double> w = Multiply(1070.0, s.value);
    if (!w.ok()) {
        return {0, w.failure};
    }
    const Checked<double> rounded = RoundDecimals(w.value, 3);
    if (!rounded.ok()) {
        return {0, rounded.failure};
    }
    return NumberToInteger(rounded.value);
}

CalculReport Calcul(const CalculInputs& inputs, StoredValues& stored, Captions& captions) {
    CalculReport report;

    // R1 to kilo-ohms, then C1 to microfarads: the unit selects the step. No step runs when no
    // unit is selected.
    if (const std::optional<R1Unit> unit = UnitAt(kR1Units, inputs.ComboValR1)) {
        report.Record(ScalingStep(*unit),
                      ToWorkingUnit(inputs.ComboR, ScalingOf(*unit), Source::R1, stored.ValR1));
    }
    if (const std::optional<C1Unit> unit = UnitAt(kC1Units, inputs.ComboValC1)) {
        report.Record(ScalingStep(*unit),
                      ToWorkingUnit(inputs.ComboC, ScalingOf(*unit), Source::C1, stored.ValC1));
    }

    report.Record(Step::CentreFrequency, CentreFrequency(stored));

    // ValF0 is empty or a text that CentreFrequency wrote; it is shown as it is, without
    // conversion.
    captions.Freq.assign(stored.ValF0).append(" Hz");
    report.Record(Step::FreqCaption, std::nullopt);

    // C2 to microfarads only now: the Freq caption is already written.
    if (const std::optional<C2Unit> unit = UnitAt(kC2Units, inputs.ComboValC2)) {
        report.Record(ScalingStep(*unit),
                      ToWorkingUnit(inputs.ComboC2, ScalingOf(*unit), Source::C2, stored.ValC2));
    }

    report.Record(Step::HalfWidth, HalfWidth(inputs, stored));

    captions.B = HalfWidthCaption(stored.ValPlage);
    report.Record(Step::HalfWidthCaption, std::nullopt);

    report.Record(Step::LowerEdge, Edge(stored, false, captions.LblPlageBas));
    report.Record(Step::UpperEdge, Edge(stored, true, captions.LblPlageHaut));
    return report;
}

} // namespace calc
