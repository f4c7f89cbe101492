#include "main_window_checks.h"

#include "calc/caption_checks.h"
#include "calc/number_text.h"
#include "calc/recalculation.h"
#include "catalogue/value_lists.h"
#include "counted_form1.h"
#include "ui/main/form1.h"
#include "ui/main/result_marks.h"

#include <QComboBox>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <type_traits>
#include <utility>

namespace soak {

namespace {

std::string Utf8(const QString& text) {
    return text.toStdString();
}

// A text short enough for a report line.
std::string Shown(const std::string& text) {
    constexpr std::size_t kLimit = 60;
    if (text.size() <= kLimit) {
        return '"' + text + '"';
    }
    return '"' + text.substr(0, kLimit) + "\"... (" + std::to_string(text.size()) + " bytes)";
}

std::string Describe(const calc::CalculInputs& in) {
    return "R1 " + Shown(in.ComboR) + " unit " + std::to_string(in.ComboValR1) + ", C1 " +
           Shown(in.ComboC) + " unit " + std::to_string(in.ComboValC1) + ", C2 " +
           Shown(in.ComboC2) + " unit " + std::to_string(in.ComboValC2) + ", V " + Shown(in.ComboV);
}

bool operator==(const calc::CalculInputs& a, const calc::CalculInputs& b) {
    return a.ComboR == b.ComboR && a.ComboValR1 == b.ComboValR1 && a.ComboC == b.ComboC &&
           a.ComboValC1 == b.ComboValC1 && a.ComboC2 == b.ComboC2 && a.ComboValC2 == b.ComboValC2 &&
           a.ComboV == b.ComboV;
}

calc::Captions CaptionsOf(const ui::Form1& form) {
    return {Utf8(form.Freq->Caption()), Utf8(form.B->Caption()), Utf8(form.LblPlageBas->Caption()),
            Utf8(form.LblPlageHaut->Caption())};
}

// Compares one named value of the window with what it should be.
template <typename T>
void Expect(std::vector<std::string>& problems, const char* what, const T& shown, const T& expected,
            const std::string& against) {
    if (shown != expected) {
        if constexpr (std::is_same_v<T, std::string>) {
            problems.push_back(std::string(what) + " is " + Shown(shown) + " but " + against +
                               " gives " + Shown(expected));
        } else {
            problems.push_back(std::string(what) + " is " + std::to_string(shown) + " but " +
                               against + " gives " + std::to_string(expected));
        }
    }
}

void CompareCaptions(std::vector<std::string>& problems, const calc::Captions& captions,
                     const calc::Captions& expectedCaptions, const std::string& against) {
    Expect(problems, "Freq", captions.Freq, expectedCaptions.Freq, against);
    Expect(problems, "B", captions.B, expectedCaptions.B, against);
    Expect(problems, "LblPlageBas", captions.LblPlageBas, expectedCaptions.LblPlageBas, against);
    Expect(problems, "LblPlageHaut", captions.LblPlageHaut, expectedCaptions.LblPlageHaut, against);
}

// The marks the window shows on its results, as their tool tips say them ("" when current).
struct Marks {
    std::string Freq, B, LblPlageBas, LblPlageHaut;
};

Marks MarksOf(const ui::Form1& form) {
    return {Utf8(form.Freq->ToolTip()), Utf8(form.B->ToolTip()), Utf8(form.LblPlageBas->ToolTip()),
            Utf8(form.LblPlageHaut->ToolTip())};
}

Marks MarksFrom(const calc::CaptionChecks& checks) {
    return {Utf8(ui::Reason(checks.Freq)), Utf8(ui::Reason(checks.B)),
            Utf8(ui::Reason(checks.LblPlageBas)), Utf8(ui::Reason(checks.LblPlageHaut))};
}

// A value that cannot be had from the boxes as they are now, and why; none when it can.
using Fault = std::optional<calc::Fault>;

Fault FirstOf(std::initializer_list<Fault> faults) {
    for (const Fault& fault : faults) {
        if (fault) {
            return fault;
        }
    }
    return std::nullopt;
}

Fault Unreadable(calc::Source source, const calc::Checked<double>& read) {
    return calc::Fault{source, read.failure == calc::FailureKind::Overflow
                                   ? calc::Problem::OutOfRange
                                   : calc::Problem::NotANumber};
}

// How a unit brings its number to the working unit; Keep stores the box's text as it is.
struct Scale {
    enum { Keep, Divide, Multiply } how;
    double by = 1;
};

// A component in its working unit.
struct Working {
    Fault unit; // no unit chosen, or the number to scale is no number or goes beyond the range
    Fault text; // the value the window holds, read back, is no number or beyond the range
    double value = 0;
};

// The unit box's position picks the scale from `units`, in the order of its list.
Working WorkingValue(calc::Source source, const std::string& text, int position,
                     std::initializer_list<Scale> units) {
    if (position < 0 || static_cast<std::size_t>(position) >= units.size()) {
        return {calc::Fault{source, calc::Problem::NoUnit}, std::nullopt};
    }
    const Scale scale = units.begin()[position];
    const calc::Checked<double> number = calc::TextToNumber(text);
    if (scale.how == Scale::Keep) {
        return {std::nullopt, number.ok() ? Fault() : Unreadable(source, number), number.value};
    }
    if (!number.ok()) {
        return {Unreadable(source, number), std::nullopt};
    }
    const double scaled =
        scale.how == Scale::Divide ? number.value / scale.by : number.value * scale.by;
    if (!std::isfinite(scaled)) {
        return {calc::Fault{source, calc::Problem::OutOfRange}, std::nullopt};
    }
    // Kept as the text the number rules write, and read back from it.
    const calc::Checked<double> held = calc::TextToNumber(calc::NumberToText(scaled));
    return {std::nullopt, held.ok() ? Fault() : Unreadable(source, held), held.value};
}

calc::CaptionCheck Mark(const Fault& fault, calc::Source figure, std::optional<double> value) {
    using State = calc::CaptionCheck::State;
    if (fault) {
        return {State::Stale, fault->source, fault->problem};
    }
    if (value && *value <= 0) {
        return {State::NotAFrequency, figure,
                *value == 0 ? calc::Problem::Zero : calc::Problem::Negative};
    }
    return {};
}

// The soak's own rule for the marks, from the inputs alone, written apart from the window's
// checks so that a fault in those shows here. A figure is stale when a value it is computed from
// cannot be had from the boxes as they are now, and the first such value in the order the
// figures are computed is the one to blame: first a unit not chosen or a number that cannot be
// scaled (R1, then C1), then a value unreadable as the window holds it, then what the formula
// itself refuses. A current figure at or below zero is no frequency.
calc::CaptionChecks ShadowMarks(const calc::CalculInputs& in) {
    using calc::Problem;
    using calc::Source;
    const Working r1 =
        WorkingValue(Source::R1, in.ComboR, in.ComboValR1,
                     {{Scale::Divide, 1000}, {Scale::Keep}, {Scale::Multiply, 1000}});
    const Working c1 =
        WorkingValue(Source::C1, in.ComboC, in.ComboValC1,
                     {{Scale::Divide, 1000000}, {Scale::Divide, 1000}, {Scale::Keep}});
    const Working c2 =
        WorkingValue(Source::C2, in.ComboC2, in.ComboValC2, {{Scale::Divide, 1000}, {Scale::Keep}});

    Fault centre = FirstOf({r1.unit, c1.unit, r1.text, c1.text});
    double f = 0;
    if (!centre) {
        const calc::Checked<double> f0 = calc::CentreFrequencyOf(r1.value, c1.value);
        if (f0.ok()) {
            f = calc::TextToNumber(calc::NumberToText(f0.value)).value; // as ValF0 holds it
        } else if (r1.value == 0 || c1.value == 0) {
            centre = calc::Fault{r1.value == 0 ? Source::R1 : Source::C1, Problem::Zero};
        } else {
            centre = calc::Fault{Source::R1, Problem::OutOfRange}; // only a typed R1 gets there
        }
    }

    Fault halfWidth = FirstOf({centre, c2.unit});
    const calc::Checked<double> v = calc::TextToNumber(in.ComboV);
    std::int32_t plage = 0;
    if (!halfWidth) {
        halfWidth = FirstOf({v.ok() ? Fault() : Unreadable(Source::Voltage, v), c2.text});
    }
    if (!halfWidth) {
        const calc::Checked<std::int32_t> whole = calc::HalfWidthOf(v.value, f, c2.value);
        plage = whole.value;
        if (!whole.ok()) {
            // Dividing by zero blames the first zero of f0, C2 and V; the root of a negative
            // number the first negative one; anything else is too wide a half-width.
            halfWidth = calc::Fault{Source::HalfWidth, Problem::OutOfRange};
            const std::pair<Source, double> factors[] = {
                {Source::CentreFrequency, f}, {Source::C2, c2.value}, {Source::Voltage, v.value}};
            for (const auto& [source, value] : factors) {
                const bool zero = whole.failure == calc::FailureKind::DivisionByZero && value == 0;
                const bool negative =
                    whole.failure == calc::FailureKind::InvalidArgument && value < 0;
                if (zero || negative) {
                    halfWidth = calc::Fault{source, zero ? Problem::Zero : Problem::Negative};
                    break;
                }
            }
        }
    }

    // The edges add nothing that can fail: f0 is far below the limit of a double.
    const auto figure = [&centre, f](double offset) {
        return centre ? std::nullopt : std::optional<double>(f + offset);
    };
    return {Mark(centre, Source::CentreFrequency, figure(0)),
            Mark(halfWidth, Source::HalfWidth, std::nullopt),
            Mark(halfWidth, Source::LowerEdge, figure(-plage)),
            Mark(halfWidth, Source::UpperEdge, figure(plage))};
}

void CheckItems(std::vector<std::string>& problems, const runtime::ComboBox& box,
                std::span<const catalogue::Item> expected) {
    const std::string name = Utf8(box.Name());
    if (box.ListCount() != static_cast<int>(expected.size())) {
        problems.push_back(name + " holds " + std::to_string(box.ListCount()) +
                           " items instead of " + std::to_string(expected.size()));
        return;
    }
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const std::string item = Utf8(box.combo()->itemText(static_cast<int>(i)));
        if (item != expected[i]) {
            problems.push_back(name + " item " + std::to_string(i) + " is " + Shown(item) +
                               " instead of " + Shown(std::string(expected[i])));
            return;
        }
    }
}

// A list box always shows one of its items once the start-up has selected them.
void CheckSelected(std::vector<std::string>& problems, const runtime::ComboBox& box) {
    const int index = box.ListIndex();
    if (index < 0 || index >= box.ListCount()) {
        problems.push_back(Utf8(box.Name()) + " has no item selected (ListIndex " +
                           std::to_string(index) + ")");
    } else if (box.combo()->itemText(index) != box.Text()) {
        problems.push_back(Utf8(box.Name()) + " shows " + Shown(Utf8(box.Text())) +
                           " but its selected item is " +
                           Shown(Utf8(box.combo()->itemText(index))));
    }
}

// "<prefix><number text><suffix>", where the number text is one NumberToText would write.
void CheckNumberCaption(std::vector<std::string>& problems, const char* label,
                        const std::string& caption, const std::string& prefix) {
    const std::string suffix = " Hz";
    if (caption.size() < prefix.size() + suffix.size() + 1 || caption.rfind(prefix, 0) != 0 ||
        caption.compare(caption.size() - suffix.size(), suffix.size(), suffix) != 0) {
        problems.push_back(std::string(label) + " reads " + Shown(caption) + ", not " +
                           Shown(prefix + "<number> Hz"));
        return;
    }
    const std::string number =
        caption.substr(prefix.size(), caption.size() - prefix.size() - suffix.size());
    const calc::Checked<double> read = calc::TextToNumber(number);
    if (!read.ok()) {
        problems.push_back(std::string(label) + " shows " + Shown(number) +
                           (read.failure == calc::FailureKind::Overflow
                                ? ", which is beyond the double range"
                                : ", which is no number"));
        return;
    }
    const std::string again = calc::NumberToText(read.value);
    if (again != number) {
        problems.push_back(std::string(label) + " shows the number " + Shown(number) +
                           ", which the number rules would write " + Shown(again));
    }
}

} // namespace

calc::CalculInputs InputsOf(const ui::Form1& form) {
    calc::CalculInputs in;
    in.ComboR = Utf8(form.ComboR->Text());
    in.ComboValR1 = form.ComboValR1->ListIndex();
    in.ComboC = Utf8(form.ComboC->Text());
    in.ComboValC1 = form.ComboValC1->ListIndex();
    in.ComboC2 = Utf8(form.ComboC2->Text());
    in.ComboValC2 = form.ComboValC2->ListIndex();
    in.ComboV = Utf8(form.ComboV->Text());
    return in;
}

// The shadow starts as the window's start-up leaves it: the start-up's last recalculation is the
// first with every input a number, so one run from nothing gives what it gives.
MainWindowChecks::MainWindowChecks(const testing_support::CountedForm1& form)
    : form_(form), lastInputs_(InputsOf(form)), lastRuns_(form.Recalculations()) {
    calc::Calcul(lastInputs_, shadowStored_, shadowCaptions_);
}

void MainWindowChecks::AfterInput() {
    const calc::CalculInputs inputs = InputsOf(form_);
    const int runs = form_.Recalculations();
    if (runs != lastRuns_) {
        calc::Calcul(inputs, shadowStored_, shadowCaptions_);
    } else if (!(inputs == lastInputs_)) {
        noticed_.push_back("the inputs changed without a recalculation: from " +
                           Describe(lastInputs_) + " to " + Describe(inputs));
        // Follow the window from here, so that one miss is reported once.
        calc::Calcul(inputs, shadowStored_, shadowCaptions_);
    }
    lastRuns_ = runs;
    lastInputs_ = inputs;
}

std::vector<std::string> MainWindowChecks::Problems() {
    std::vector<std::string> problems;
    problems.swap(noticed_);
    if (!form_.IsLoaded()) {
        problems.push_back("the main window is no longer loaded");
        return problems;
    }
    CheckLists(problems);
    CheckCaptionShapes(problems);
    CheckAgainstFreshRun(problems);
    CheckAgainstShadow(problems);
    return problems;
}

void MainWindowChecks::CheckLists(std::vector<std::string>& problems) const {
    CheckItems(problems, *form_.ComboValR1, catalogue::ResistorUnits);
    CheckItems(problems, *form_.ComboValC1, catalogue::C1Units);
    CheckItems(problems, *form_.ComboValC2, catalogue::C2Units);
    CheckItems(problems, *form_.ComboC, catalogue::CapacitorValues);
    CheckItems(problems, *form_.ComboC2, catalogue::CapacitorValues);
    CheckItems(problems, *form_.ComboV, catalogue::SupplyVoltages);
    for (const runtime::ComboBox* box :
         {form_.ComboValR1.data(), form_.ComboValC1.data(), form_.ComboValC2.data(),
          form_.ComboC.data(), form_.ComboC2.data(), form_.ComboV.data()}) {
        CheckSelected(problems, *box);
    }

    // The resistor list is the one of the unit shown, whole, never more.
    const std::string unit = Utf8(form_.ComboValR1->Text());
    if (unit == "Ohms") {
        CheckItems(problems, *form_.ComboR, catalogue::OhmValues);
    } else if (unit == "KOhms") {
        CheckItems(problems, *form_.ComboR, catalogue::KiloOhmValues);
    } else if (unit == "MOhms") {
        CheckItems(problems, *form_.ComboR, catalogue::MegohmValues);
    } else {
        problems.push_back("ComboValR1 shows " + Shown(unit) + ", which is no unit");
    }
}

void MainWindowChecks::CheckCaptionShapes(std::vector<std::string>& problems) const {
    const calc::Captions shown = CaptionsOf(form_);
    // " Hz" alone while no centre frequency was ever computed.
    if (shown.Freq != " Hz") {
        CheckNumberCaption(problems, "Freq", shown.Freq, "");
    }
    const std::string b = shown.B;
    bool whole = b.size() > 7 && b.rfind("+/- ", 0) == 0 && b.compare(b.size() - 3, 3, " Hz") == 0;
    if (whole) {
        const std::string number = b.substr(4, b.size() - 7);
        std::int32_t value = 0;
        const auto read = std::from_chars(number.data(), number.data() + number.size(), value);
        whole = read.ec == std::errc{} && calc::IntegerToText(value) == number;
    }
    if (!whole) {
        problems.push_back("B reads " + Shown(b) + ", not \"+/- <whole number> Hz\"");
    }
    CheckNumberCaption(problems, "LblPlageBas", shown.LblPlageBas, "> ");
    CheckNumberCaption(problems, "LblPlageHaut", shown.LblPlageHaut, "< ");
}

// When the window marks none of its results, nothing of what it shows comes from an earlier run:
// the core run on fresh stored values must give the same.
void MainWindowChecks::CheckAgainstFreshRun(std::vector<std::string>& problems) const {
    const Marks marks = MarksOf(form_);
    if (!marks.Freq.empty() || !marks.B.empty() || !marks.LblPlageBas.empty() ||
        !marks.LblPlageHaut.empty()) {
        return;
    }
    const calc::CalculInputs inputs = InputsOf(form_);
    calc::StoredValues stored;
    calc::Captions captions{"fresh", "fresh", "fresh", "fresh"};
    const calc::CalculReport fresh = calc::Calcul(inputs, stored, captions);
    if (!fresh.AllSucceeded()) {
        std::string failed;
        for (const calc::Step step : calc::kSteps) {
            if (fresh.Failed(step)) {
                failed += (failed.empty() ? "" : ", ") + std::string(calc::StepName(step));
            }
        }
        problems.push_back("the window marks no result as stale, but its inputs fail in " + failed +
                           ": " + Describe(inputs));
    }
    CompareCaptions(problems, CaptionsOf(form_), captions,
                    "a fresh recalculation of " + Describe(inputs));
}

void MainWindowChecks::CheckAgainstShadow(std::vector<std::string>& problems) const {
    const calc::CalculInputs inputs = InputsOf(form_);
    const std::string against = "the shadow recalculation of " + Describe(inputs);
    CompareCaptions(problems, CaptionsOf(form_), shadowCaptions_, against);
    const Marks shown = MarksOf(form_);
    const Marks expected = MarksFrom(ShadowMarks(inputs));
    const std::string rule = "the shadow rule for the marks of " + Describe(inputs);
    Expect(problems, "the mark on Freq", shown.Freq, expected.Freq, rule);
    Expect(problems, "the mark on B", shown.B, expected.B, rule);
    Expect(problems, "the mark on LblPlageBas", shown.LblPlageBas, expected.LblPlageBas, rule);
    Expect(problems, "the mark on LblPlageHaut", shown.LblPlageHaut, expected.LblPlageHaut, rule);
    const bool number = calc::TextToNumber(inputs.ComboR).ok();
    Expect(problems, "the tool tip of ComboR", Utf8(form_.ComboR->ToolTip()),
           std::string(number ? ui::ResistorTip::Number : ui::ResistorTip::NotANumber), rule);
}

} // namespace soak
