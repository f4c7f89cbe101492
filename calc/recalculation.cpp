#include "calc/recalculation.h"

#include <optional>
#include <string_view>

namespace calc {

namespace {

using Outcome = std::optional<FailureKind>; // what a step ended with; empty when it succeeded

// Steps 1, 3, 4, 5 and 9: the number of a value box, scaled, written as text.
Outcome StoreScaled(std::string_view box_text, double factor, bool divide, std::string& target) {
    const Checked<double> number = TextToNumber(box_text);
    if (!number.ok()) {
        return number.failure;
    }
    const Checked<double> scaled =
        divide ? Divide(number.value, factor) : Multiply(number.value, factor);
    if (!scaled.ok()) {
        return scaled.failure;
    }
    target = NumberToText(scaled.value);
    return std::nullopt;
}

// Step 7: f0 = 1 / (C1 x R1) x 1000, the reciprocal first, rounded to three decimals.
Outcome CentreFrequency(StoredValues& stored) {
    const Checked<double> r = TextToNumber(stored.ValR1);
    if (!r.ok()) {
        return r.failure;
    }
    const Checked<double> c = TextToNumber(stored.ValC1);
    if (!c.ok()) {
        return c.failure;
    }
    const Checked<double> p = Multiply(c.value, r.value);
    if (!p.ok()) {
        return p.failure;
    }
    const Checked<double> q = Divide(1.0, p.value);
    if (!q.ok()) {
        return q.failure;
    }
    const Checked<double> u = Multiply(q.value, 1000.0);
    if (!u.ok()) {
        return u.failure;
    }
    const Checked<double> rounded = RoundDecimals(u.value, 3);
    if (!rounded.ok()) {
        return rounded.failure;
    }
    stored.ValF0 = NumberToText(rounded.value);
    return std::nullopt;
}

// Step 11: 1070 x sqrt(V / (C2 x f0)) with the stored (rounded) f0, rounded to three decimals
// and then to a whole number.
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
    const Checked<double> product = Multiply(c2.value, f.value);
    if (!product.ok()) {
        return product.failure;
    }
    const Checked<double> d = Divide(v.value, product.value);
    if (!d.ok()) {
        return d.failure;
    }
    const Checked<double> s = SquareRoot(d.value);
    if (!s.ok()) {
        return s.failure;
    }
    const Checked<double> w = Multiply(1070.0, s.value);
    if (!w.ok()) {
        return w.failure;
    }
    const Checked<double> rounded = RoundDecimals(w.value, 3);
    if (!rounded.ok()) {
        return rounded.failure;
    }
    const Checked<std::int32_t> whole = NumberToInteger(rounded.value);
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
    const double half_width = stored.ValPlage;
    const Checked<double> edge = upper ? Add(f.value, half_width) : Subtract(f.value, half_width);
    if (!edge.ok()) {
        return edge.failure;
    }
    caption.assign(upper ? "< " : "> ").append(NumberToText(edge.value)).append(" Hz");
    return std::nullopt;
}

} // namespace

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

    // R1 to kilo-ohms.
    switch (inputs.ComboValR1) {
    case 0:
        step(1, StoreScaled(inputs.ComboR, 1000.0, true, stored.ValR1));
        break;
    case 1:
        stored.ValR1 = inputs.ComboR;
        step(2, std::nullopt);
        break;
    case 2:
        step(3, StoreScaled(inputs.ComboR, 1000.0, false, stored.ValR1));
        break;
    default:
        break;
    }

    // C1 to microfarads.
    switch (inputs.ComboValC1) {
    case 0:
        step(4, StoreScaled(inputs.ComboC, 1000000.0, true, stored.ValC1));
        break;
    case 1:
        step(5, StoreScaled(inputs.ComboC, 1000.0, true, stored.ValC1));
        break;
    case 2:
        stored.ValC1 = inputs.ComboC;
        step(6, std::nullopt);
        break;
    default:
        break;
    }

    step(7, CentreFrequency(stored));

    // ValF0 is empty or a text that step 7 wrote; it is shown as it is, without conversion.
    captions.Freq.assign(stored.ValF0).append(" Hz");
    step(8, std::nullopt);

    // C2 to microfarads, only now: the Freq caption is already written.
    switch (inputs.ComboValC2) {
    case 0:
        step(9, StoreScaled(inputs.ComboC2, 1000.0, true, stored.ValC2));
        break;
    case 1:
        stored.ValC2 = inputs.ComboC2;
        step(10, std::nullopt);
        break;
    default:
        break;
    }

    step(11, HalfWidth(inputs, stored));

    captions.B.assign("+/- ").append(IntegerToText(stored.ValPlage)).append(" Hz");
    step(12, std::nullopt);

    step(13, Edge(stored, false, captions.LblPlageBas));
    step(14, Edge(stored, true, captions.LblPlageHaut));
    return report;
}

} // namespace calc
