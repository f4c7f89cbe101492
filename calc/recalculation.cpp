#include "calc/recalculation.h"

#include "calc/checked_number.h"

#include <cstring>
#include <optional>
#include <string_view>

namespace calc {

namespace {

using checked::Checked;
using Outcome = std::optional<FailureKind>; // what a step ended with; empty when it succeeded

// A caption or stored text assembled on the stack, so that assigning it to a std::string reuses
// that string's storage: after the first run, a recalculation allocates nothing.
class TextBuffer {
public:
    TextBuffer& Append(std::string_view piece) noexcept {
        std::memcpy(text_ + size_, piece.data(), piece.size());
        size_ += piece.size();
        return *this;
    }
    TextBuffer& AppendNumber(double value) noexcept {
        size_ += checked::WriteNumber(value, text_ + size_);
        return *this;
    }
    TextBuffer& AppendInteger(std::int32_t value) noexcept {
        size_ += checked::WriteInteger(value, text_ + size_);
        return *this;
    }
    void StoreInto(std::string& target) const { target.assign(text_, size_); }

private:
    // Room for the longest caption: "> " + a number + " Hz".
    char text_[checked::kMaxNumberText + 8];
    std::size_t size_ = 0;
};

// Steps 1, 3, 4, 5 and 9: the number of a value box, scaled, written as text.
Outcome StoreScaled(std::string_view box_text, double factor, bool divide, std::string& target) {
    const Checked<double> number = checked::TextToNumber(box_text);
    if (!number.ok()) {
        return number.failure;
    }
    const Checked<double> scaled =
        divide ? checked::Divide(number.value, factor) : checked::Multiply(number.value, factor);
    if (!scaled.ok()) {
        return scaled.failure;
    }
    TextBuffer().AppendNumber(scaled.value).StoreInto(target);
    return std::nullopt;
}

// Step 7: f0 = 1 / (C1 x R1) x 1000, the reciprocal first, rounded to three decimals.
Outcome CentreFrequency(StoredValues& stored) {
    const Checked<double> r = checked::TextToNumber(stored.ValR1);
    if (!r.ok()) {
        return r.failure;
    }
    const Checked<double> c = checked::TextToNumber(stored.ValC1);
    if (!c.ok()) {
        return c.failure;
    }
    const Checked<double> p = checked::Multiply(c.value, r.value);
    if (!p.ok()) {
        return p.failure;
    }
    const Checked<double> q = checked::Divide(1.0, p.value);
    if (!q.ok()) {
        return q.failure;
    }
    const Checked<double> u = checked::Multiply(q.value, 1000.0);
    if (!u.ok()) {
        return u.failure;
    }
    const Checked<double> rounded = checked::RoundDecimals(u.value, 3);
    if (!rounded.ok()) {
        return rounded.failure;
    }
    TextBuffer().AppendNumber(rounded.value).StoreInto(stored.ValF0);
    return std::nullopt;
}

// Step 11: 1070 x sqrt(V / (C2 x f0)) with the stored (rounded) f0, rounded to three decimals
// and then to a whole number.
Outcome HalfWidth(const CalculInputs& inputs, StoredValues& stored) {
    const Checked<double> v = checked::TextToNumber(inputs.ComboV);
    if (!v.ok()) {
        return v.failure;
    }
    const Checked<double> f = checked::TextToNumber(stored.ValF0);
    if (!f.ok()) {
        return f.failure;
    }
    const Checked<double> c2 = checked::TextToNumber(stored.ValC2);
    if (!c2.ok()) {
        return c2.failure;
    }
    const Checked<double> product = checked::Multiply(c2.value, f.value);
    if (!product.ok()) {
        return product.failure;
    }
    const Checked<double> d = checked::Divide(v.value, product.value);
    if (!d.ok()) {
        return d.failure;
    }
    const Checked<double> s = checked::SquareRoot(d.value);
    if (!s.ok()) {
        return s.failure;
    }
    const Checked<double> w = checked::Multiply(1070.0, s.value);
    if (!w.ok()) {
        return w.failure;
    }
    const Checked<double> rounded = checked::RoundDecimals(w.value, 3);
    if (!rounded.ok()) {
        return rounded.failure;
    }
    const Checked<std::int32_t> whole = checked::NumberToInteger(rounded.value);
    if (!whole.ok()) {
        return whole.failure;
    }
    stored.ValPlage = whole.value;
    return std::nullopt;
}

// Steps 13 and 14: an edge of the capture range, f0 minus or plus the half-width.
Outcome Edge(const StoredValues& stored, bool upper, std::string& caption) {
    const Checked<double> f = checked::TextToNumber(stored.ValF0);
    if (!f.ok()) {
        return f.failure;
    }
    const double half_width = stored.ValPlage;
    const Checked<double> edge =
        upper ? checked::Add(f.value, half_width) : checked::Subtract(f.value, half_width);
    if (!edge.ok()) {
        return edge.failure;
    }
    TextBuffer()
        .Append(upper ? "< " : "> ")
        .AppendNumber(edge.value)
        .Append(" Hz")
        .StoreInto(caption);
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

    TextBuffer().Append("+/- ").AppendInteger(stored.ValPlage).Append(" Hz").StoreInto(captions.B);
    step(12, std::nullopt);

    step(13, Edge(stored, false, captions.LblPlageBas));
    step(14, Edge(stored, true, captions.LblPlageHaut));
    return report;
}

} // namespace calc
