#include "main_window_checks.h"

#include "calc/caption_checks.h"
#include "calc/number_text.h"
#include "catalogue/value_lists.h"
#include "counted_form1.h"
#include "ui/main/form1.h"
#include "ui/main/result_marks.h"

#include <QComboBox>
#include <charconv>
#include <cstdint>
#include <span>
#include <type_traits>

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

Marks ExpectedMarks(const calc::CaptionChecks& checks) {
    return {Utf8(ui::Reason(checks.Freq)), Utf8(ui::Reason(checks.B)),
            Utf8(ui::Reason(checks.LblPlageBas)), Utf8(ui::Reason(checks.LblPlageHaut))};
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
    shadowReport_ = calc::Calcul(lastInputs_, shadowStored_, shadowCaptions_);
}

void MainWindowChecks::AfterInput() {
    const calc::CalculInputs inputs = InputsOf(form_);
    const int runs = form_.Recalculations();
    if (runs != lastRuns_) {
        shadowReport_ = calc::Calcul(inputs, shadowStored_, shadowCaptions_);
    } else if (!(inputs == lastInputs_)) {
        noticed_.push_back("the inputs changed without a recalculation: from " +
                           Describe(lastInputs_) + " to " + Describe(inputs));
        // Follow the window from here, so that one miss is reported once.
        shadowReport_ = calc::Calcul(inputs, shadowStored_, shadowCaptions_);
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
        problems.push_back("the window marks no result as stale, but its inputs fail in steps " +
                           fresh.failed.to_string() +
                           " (step 1 is the rightmost): " + Describe(inputs));
    }
    CompareCaptions(problems, CaptionsOf(form_), captions,
                    "a fresh recalculation of " + Describe(inputs));
}

void MainWindowChecks::CheckAgainstShadow(std::vector<std::string>& problems) const {
    const calc::CalculInputs inputs = InputsOf(form_);
    const std::string against = "the shadow recalculation of " + Describe(inputs);
    CompareCaptions(problems, CaptionsOf(form_), shadowCaptions_, against);
    const Marks shown = MarksOf(form_);
    const Marks expected = ExpectedMarks(calc::CheckCaptions(shadowReport_, inputs, shadowStored_));
    Expect(problems, "the mark on Freq", shown.Freq, expected.Freq, against);
    Expect(problems, "the mark on B", shown.B, expected.B, against);
    Expect(problems, "the mark on LblPlageBas", shown.LblPlageBas, expected.LblPlageBas, against);
    Expect(problems, "the mark on LblPlageHaut", shown.LblPlageHaut, expected.LblPlageHaut,
           against);
}

} // namespace soak
