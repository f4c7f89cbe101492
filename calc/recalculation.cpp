#include "calc/recalculation.h"

#include "calc/units.h"

#include <optional>

namespace calc {

namespace {

using Outcome = std::optional<FailureKind>; // what a step ended with; empty when it succeeded

// Steps 1 to 6, 9 and 10: the number of a value box in the working unit, written as text; in the
// working unit already, the box's text as it is.
Outcome ToWorkingUnit(const std::string& boxText, Scaling scaling, std::string& target) {
    if (scaling.operation == Scaling::Operation::Keep) {
        target = boxText;
        return std::nullopt;
    }
    const Checked<double> number = TextToNumber(boxText);
    if (!number.ok()) {
        return number.failure;
    }
    const Checked<double> scaled = Scale(number.value, scaling);
    if (!scaled.ok()) {
        return scaled.failure;
    }
    target = NumberToText(scaled.value);
    return std::nullopt;
}

// Step 7: the centre frequency from R1 and C1 as stored.
Outcome CentreFrequency(StoredValues& stored) {
    const Checked<double> r = TextToNumber(stored.ValR1);
    if (!r.ok()) {
        return r.failure;
    }
    const Checked<double> c = TextToNumber(stored.ValC1);
    if (!c.ok()) {
        return c.failure;
    }
    const Checked<double> f0 = CentreFrequencyOf(r.value, c.value);
    if (!f0.ok()) {
        return f0.failure;
    }
    stored.ValF0 = NumberToText(f0.value);
    return std::nullopt;
}

// Step 11: the half-width from the voltage, the stored (rounded) f0 and C2 as stored.
Outcome HalfWidth(const CalculInputs& inputs, StoredValues& stored) {
    const Checked<double> v = TextToNumber(inputs.ComboV);
    if (!v.ok()) {
        return v.failure;
    }
    const Checked<double> f = TextToNumber(stored.ValF0);
    if (!f.ok()) {
        return f.failure;
    }
    const Checked<double> c2 = TextToNumber(stored.ValC2);
    if (!c2.ok()) {
        return c2.failure;
    }
    const Checked<std::int32_t> whole = HalfWidthOf(v.value, f.value, c2.value);
    if (!whole.ok()) {
        return whole.failure;
    }
    stored.ValPlage = whole.value;
    return std::nullopt;
}

// Steps 13 and 14: an edge of the capture range, f0 minus or plus the half-width.
Outcome Edge(const StoredValues& stored, bool upper, std::string& caption) {
    const Checked<double> f = TextToNumber(stored.ValF0);
    if (!f.ok()) {
        return f.failure;
    }
    const double halfWidth = stored.ValPlage;
    const Checked<double> edge = upper ? Add(f.value, halfWidth) : Subtract(f.value, halfWidth);
    if (!edge.ok()) {
        return edge.failure;
    }
    caption.assign(upper ? "< " : "> ").append(NumberToText(edge.value)).append(" Hz");
    return std::nullopt;
}

} // namespace

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
    const auto step = [&report](int number, Outcome outcome) {
        const auto index = static_cast<std::size_t>(number - 1);
        report.ran.set(index);
        if (outcome) {
            report.failed.set(index);
            report.failure[index] = *outcome;
        }
    };

    // R1 to kilo-ohms in steps 1 to 3, C1 to microfarads in steps 4 to 6: one step per unit, in
    // the order of the unit lists. No step runs when no unit is selected.
    if (const std::optional<R1Unit> unit = UnitAt(kR1Units, inputs.ComboValR1)) {
        step(1 + ListIndex(*unit), ToWorkingUnit(inputs.ComboR, ScalingOf(*unit), stored.ValR1));
    }
    if (const std::optional<C1Unit> unit = UnitAt(kC1Units, inputs.ComboValC1)) {
        step(4 + ListIndex(*unit), ToWorkingUnit(inputs.ComboC, ScalingOf(*unit), stored.ValC1));
    }

    step(7, CentreFrequency(stored));

    // ValF0 is empty or a text that step 7 wrote; it is shown as it is, without conversion.
    captions.Freq.assign(stored.ValF0).append(" Hz");
    step(8, std::nullopt);

    // C2 to microfarads in steps 9 and 10, only now: the Freq caption is already written.
    if (const std::optional<C2Unit> unit = UnitAt(kC2Units, inputs.ComboValC2)) {
        step(9 + ListIndex(*unit), ToWorkingUnit(inputs.ComboC2, ScalingOf(*unit), stored.ValC2));
    }

    step(11, HalfWidth(inputs, stored));

    captions.B.assign("+/- ").append(IntegerToText(stored.ValPlage)).append(" Hz");
    step(12, std::nullopt);

    step(13, Edge(stored, false, captions.LblPlageBas));
    step(14, Edge(stored, true, captions.LblPlageHaut));
    return report;
}

} // namespace calc
