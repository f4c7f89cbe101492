// Arbitrary bytes as the main window's inputs, for any sequence of recalculations.
//
// Input format, one recalculation per line ("\n"), seven fields separated by "|":
//   R1 text | R1 unit | C1 text | C1 unit | C2 text | C2 unit | V text
// A unit field is a decimal position ("1", "-1", "7"); empty means nothing selected (-1); any
// other text is read as its first byte minus '0'. Missing fields are empty; the V field takes
// the rest of the line, "|" included.
//
// Checked after every run: nothing crashes, a failing step writes nothing, ValPlage changes only
// when the half-width succeeded, every caption has the shape the recalculation writes, and
// running again with the same inputs changes nothing.

#include "calc/number_text.h"
#include "calc/recalculation.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace {

void Require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The shape of a NumberToText result: "-"?, then "0", or digits without a leading zero with an
// optional comma and fraction not ending in "0"; or one non-zero digit, optional fraction,
// "E", sign and two or three exponent digits.
bool IsWrittenNumber(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        ++i;
    }
    const std::size_t wholeBegin = i;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
    }
    const std::size_t whole = i - wholeBegin;
    if (whole == 0 || (whole > 1 && text[wholeBegin] == '0') || whole > 15) {
        return false;
    }
    if (i < text.size() && text[i] == ',') {
        const std::size_t fractionBegin = ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
        }
        if (i == fractionBegin || text[i - 1] == '0') {
            return false;
        }
    } else if (text == "-0") {
        return false;
    }
    if (i == text.size()) {
        return true;
    }
    if (whole != 1 || text[wholeBegin] == '0' || text[i] != 'E') {
        return false;
    }
    ++i;
    if (i == text.size() || (text[i] != '+' && text[i] != '-')) {
        return false;
    }
    const std::size_t digits = text.size() - ++i;
    if (digits < 2 || digits > 3 || (digits == 3 && text[i] == '0')) {
        return false;
    }
    for (; i < text.size(); ++i) {
        if (!IsDigit(text[i])) {
            return false;
        }
    }
    return true;
}

// A stored value or caption number that the recalculation wrote reads back as a number.
void RequireWrittenNumber(std::string_view text) {
    Require(IsWrittenNumber(text));
    const auto read = calc::TextToNumber(text);
    Require(read.ok() || *read.failure == calc::FailureKind::Overflow);
}

void RequireEdge(std::string_view caption, std::string_view prefix, const calc::StoredValues& s,
                 bool upper) {
    Require(caption.size() > prefix.size() + 3);
    Require(caption.substr(0, prefix.size()) == prefix);
    Require(caption.substr(caption.size() - 3) == " Hz");
    const std::string_view number =
        caption.substr(prefix.size(), caption.size() - prefix.size() - 3);
    Require(IsWrittenNumber(number));
    const auto f = calc::TextToNumber(s.ValF0);
    Require(f.ok());
    const double edge = upper ? f.value + s.ValPlage : f.value - s.ValPlage;
    Require(calc::NumberToText(edge) == number);
}

int UnitPosition(std::string_view field) {
    if (field.empty()) {
        return -1;
    }
    int position = 0;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), position);
    if (ec == std::errc{} && end == field.data() + field.size()) {
        return position;
    }
    return static_cast<unsigned char>(field[0]) - '0';
}

calc::CalculInputs ParseRun(std::string_view line) {
    std::string_view fields[7];
    for (int i = 0; i < 6; ++i) {
        const std::size_t bar = line.find('|');
        fields[i] = line.substr(0, bar);
        line = bar == std::string_view::npos ? std::string_view() : line.substr(bar + 1);
    }
    fields[6] = line;
    calc::CalculInputs inputs;
    inputs.ComboR = fields[0];
    inputs.ComboValR1 = UnitPosition(fields[1]);
    inputs.ComboC = fields[2];
    inputs.ComboValC1 = UnitPosition(fields[3]);
    inputs.ComboC2 = fields[4];
    inputs.ComboValC2 = UnitPosition(fields[5]);
    inputs.ComboV = fields[6];
    return inputs;
}

// A value box's own text read directly: a number is finite and writes in the usual shape.
void CheckText(std::string_view text) {
    const auto read = calc::TextToNumber(text);
    if (read.ok()) {
        Require(read.value == read.value && read.value - read.value == 0); // finite
        RequireWrittenNumber(calc::NumberToText(read.value));
    } else {
        Require(*read.failure == calc::FailureKind::TypeMismatch ||
                *read.failure == calc::FailureKind::Overflow);
    }
}

// A scaled stored value: kept when its step failed or did not run, else written by the step.
void CheckScaled(const calc::CalculReport& report, calc::Step scaledStep,
                 std::optional<calc::Step> verbatimStep, const std::string& before,
                 const std::string& after, const std::string& text) {
    if (report.Ran(scaledStep)) {
        if (report.Failed(scaledStep)) {
            Require(after == before);
        } else {
            RequireWrittenNumber(after);
        }
    } else if (verbatimStep && report.Ran(*verbatimStep)) {
        Require(!report.Failed(*verbatimStep));
        Require(after == text);
    }
}

void CheckRun(const calc::CalculInputs& in, const calc::CalculReport& report,
              const calc::StoredValues& before, const calc::Captions& captionsBefore,
              const calc::StoredValues& s, const calc::Captions& c) {
    using calc::Step;
    // The steps without a unit always run; a step fails only if it ran; writing a caption or
    // storing a text as it is never fails.
    for (const Step step : {Step::CentreFrequency, Step::FreqCaption, Step::HalfWidth,
                            Step::HalfWidthCaption, Step::LowerEdge, Step::UpperEdge}) {
        Require(report.Ran(step));
    }
    for (const Step step : calc::kSteps) {
        Require(report.Ran(step) || !report.Failed(step));
    }
    for (const Step step : {Step::R1AsKiloOhms, Step::C1AsMicrofarads, Step::FreqCaption,
                            Step::C2AsMicrofarads, Step::HalfWidthCaption}) {
        Require(!report.Failed(step));
    }
    Require(report.Ran(Step::R1FromOhms) == (in.ComboValR1 == 0) &&
            report.Ran(Step::R1AsKiloOhms) == (in.ComboValR1 == 1) &&
            report.Ran(Step::R1FromMegohms) == (in.ComboValR1 == 2));
    Require(report.Ran(Step::C1FromPicofarads) == (in.ComboValC1 == 0) &&
            report.Ran(Step::C1FromNanofarads) == (in.ComboValC1 == 1) &&
            report.Ran(Step::C1AsMicrofarads) == (in.ComboValC1 == 2));
    Require(report.Ran(Step::C2FromNanofarads) == (in.ComboValC2 == 0) &&
            report.Ran(Step::C2AsMicrofarads) == (in.ComboValC2 == 1));
    if (in.ComboValR1 < 0 || in.ComboValR1 > 2) {
        Require(s.ValR1 == before.ValR1);
    }
    if (in.ComboValC1 < 0 || in.ComboValC1 > 2) {
        Require(s.ValC1 == before.ValC1);
    }
    if (in.ComboValC2 < 0 || in.ComboValC2 > 1) {
        Require(s.ValC2 == before.ValC2);
    }

    CheckScaled(report, Step::R1FromOhms, std::nullopt, before.ValR1, s.ValR1, in.ComboR);
    CheckScaled(report, Step::R1FromMegohms, Step::R1AsKiloOhms, before.ValR1, s.ValR1, in.ComboR);
    CheckScaled(report, Step::C1FromPicofarads, std::nullopt, before.ValC1, s.ValC1, in.ComboC);
    CheckScaled(report, Step::C1FromNanofarads, Step::C1AsMicrofarads, before.ValC1, s.ValC1,
                in.ComboC);
    CheckScaled(report, Step::C2FromNanofarads, Step::C2AsMicrofarads, before.ValC2, s.ValC2,
                in.ComboC2);

    if (report.Failed(Step::CentreFrequency)) {
        Require(s.ValF0 == before.ValF0);
    } else {
        RequireWrittenNumber(s.ValF0);
    }
    if (report.Failed(Step::HalfWidth)) {
        Require(s.ValPlage == before.ValPlage);
    }

    Require(c.Freq == s.ValF0 + " Hz");
    Require(c.B == "+/- " + calc::IntegerToText(s.ValPlage) + " Hz");
    if (report.Failed(Step::LowerEdge)) {
        Require(c.LblPlageBas == captionsBefore.LblPlageBas);
    } else {
        RequireEdge(c.LblPlageBas, "> ", s, false);
    }
    if (report.Failed(Step::UpperEdge)) {
        Require(c.LblPlageHaut == captionsBefore.LblPlageHaut);
    } else {
        RequireEdge(c.LblPlageHaut, "< ", s, true);
    }
}

bool SameState(const calc::StoredValues& a, const calc::Captions& ca, const calc::StoredValues& b,
               const calc::Captions& cb) {
    return a.ValR1 == b.ValR1 && a.ValC1 == b.ValC1 && a.ValC2 == b.ValC2 && a.ValF0 == b.ValF0 &&
           a.ValPlage == b.ValPlage && ca.Freq == cb.Freq && ca.B == cb.B &&
           ca.LblPlageBas == cb.LblPlageBas && ca.LblPlageHaut == cb.LblPlageHaut;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    calc::StoredValues stored;
    calc::Captions captions{"1000,000 Hz", "+/- 100 Hz", "Plage Basse Hz", "Plage Haute Hz"};
    while (!input.empty()) {
        const std::size_t newline = input.find('\n');
        const std::string_view line = input.substr(0, newline);
        input = newline == std::string_view::npos ? std::string_view() : input.substr(newline + 1);

        const calc::CalculInputs inputs = ParseRun(line);
        for (const std::string* text :
             {&inputs.ComboR, &inputs.ComboC, &inputs.ComboC2, &inputs.ComboV}) {
            CheckText(*text);
        }

        const calc::StoredValues before = stored;
        const calc::Captions captionsBefore = captions;
        const calc::CalculReport report = calc::Calcul(inputs, stored, captions);
        CheckRun(inputs, report, before, captionsBefore, stored, captions);

        // The same inputs again write the same values again.
        calc::StoredValues again = stored;
        calc::Captions captionsAgain = captions;
        const calc::CalculReport second = calc::Calcul(inputs, again, captionsAgain);
        Require(SameState(stored, captions, again, captionsAgain));
        Require(second == report);
    }
    return 0;
}
