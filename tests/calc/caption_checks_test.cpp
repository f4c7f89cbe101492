// Which result captions still show the figures of earlier inputs, or a figure that is no
// frequency, and what is to blame: the recalculation run on plain inputs after the window's
// start-up, as the user's typing and picking would run it, then the checks on its last report.

#include "calc/caption_checks.h"

#include "calc_test_support.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace {

using calc::CalculInputs;
using calc::CaptionCheck;
using calc::CaptionChecks;
using calc::Problem;
using calc::Source;
using calc_test::Inputs;
using calc_test::StartUpInputs;
using State = CaptionCheck::State;
using namespace calc_test::units;

const char* Name(Source source) {
    switch (source) {
    case Source::R1:
        return "R1";
    case Source::C1:
        return "C1";
    case Source::C2:
        return "C2";
    case Source::Voltage:
        return "Voltage";
    case Source::CentreFrequency:
        return "CentreFrequency";
    case Source::HalfWidth:
        return "HalfWidth";
    case Source::LowerEdge:
        return "LowerEdge";
    case Source::UpperEdge:
        return "UpperEdge";
    }
    return "Source(?)";
}

const char* Name(Problem problem) {
    switch (problem) {
    case Problem::NoUnit:
        return "NoUnit";
    case Problem::NotANumber:
        return "NotANumber";
    case Problem::OutOfRange:
        return "OutOfRange";
    case Problem::Zero:
        return "Zero";
    case Problem::Negative:
        return "Negative";
    }
    return "Problem(?)";
}

void Print(const CaptionCheck& check, std::ostream* out) {
    if (check.state == State::Current) {
        *out << "current";
        return;
    }
    *out << (check.state == State::Stale ? "stale: " : "no frequency: ") << Name(check.source)
         << ' ' << Name(check.problem);
}

// What a caption shows: the figure of the inputs, one of earlier inputs, or no frequency.
constexpr CaptionCheck Current{};
constexpr CaptionCheck Stale(Source source, Problem problem) {
    return {State::Stale, source, problem};
}
constexpr CaptionCheck NoFrequency(Source source, Problem problem) {
    return {State::NotAFrequency, source, problem};
}
// Every caption shows the figures of an earlier value.
constexpr CaptionChecks AllStale(Source source, Problem problem) {
    const CaptionCheck stale = Stale(source, problem);
    return {stale, stale, stale, stale};
}
// The centre frequency is current; what comes from the half-width is not.
constexpr CaptionChecks HalfWidthStale(Source source, Problem problem) {
    const CaptionCheck stale = Stale(source, problem);
    return {Current, stale, stale, stale};
}

} // namespace

namespace calc {
// Read by the test's failure messages.
void PrintTo(const CaptionChecks& checks, std::ostream* out) {
    *out << "{Freq ";
    Print(checks.Freq, out);
    *out << " | B ";
    Print(checks.B, out);
    *out << " | LblPlageBas ";
    Print(checks.LblPlageBas, out);
    *out << " | LblPlageHaut ";
    Print(checks.LblPlageHaut, out);
    *out << '}';
}
} // namespace calc

namespace {

// The start-up inputs with one box changed.
CalculInputs WithR1(const char* text, int unit = kKOhms) {
    CalculInputs inputs = StartUpInputs();
    inputs.ComboR = text;
    inputs.ComboValR1 = unit;
    return inputs;
}
CalculInputs WithC1(const char* text, int unit = kNanoFarad) {
    CalculInputs inputs = StartUpInputs();
    inputs.ComboC = text;
    inputs.ComboValC1 = unit;
    return inputs;
}
CalculInputs WithC2(const char* text, int unit = kC2MicroFarad) {
    CalculInputs inputs = StartUpInputs();
    inputs.ComboC2 = text;
    inputs.ComboValC2 = unit;
    return inputs;
}
CalculInputs WithVoltage(const char* text) {
    CalculInputs inputs = StartUpInputs();
    inputs.ComboV = text;
    return inputs;
}

struct Row {
    const char* name;
    std::vector<CalculInputs> runs; // after the start-up, one recalculation each
    CaptionChecks expected;
    friend void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }
};

class CheckCaptions : public testing::TestWithParam<Row> {};

TEST_P(CheckCaptions, TellWhatEachCaptionShows) {
    calc::StoredValues stored;
    calc::Captions captions;
    calc::CalculReport report = calc::Calcul(StartUpInputs(), stored, captions);
    ASSERT_TRUE(report.AllSucceeded());
    for (const CalculInputs& inputs : GetParam().runs) {
        report = calc::Calcul(inputs, stored, captions);
    }
    EXPECT_EQ(calc::CheckCaptions(report, stored), GetParam().expected);
}

const Row kRows[] = {
    {"StartUp", {StartUpInputs()}, {}},
    // The main window's own cases, as its resistor box is typed in key by key.
    {"FourKSevenIsNoNumber",
     {WithR1("4"), WithR1("4k"), WithR1("4k7")},
     AllStale(Source::R1, Problem::NotANumber)},
    {"SpaceAsThousandsSeparator",
     {WithR1("1"), WithR1("1 "), WithR1("1 0"), WithR1("1 00"), WithR1("1 000")},
     AllStale(Source::R1, Problem::NotANumber)},
    {"ZeroResistor", {WithR1("0")}, AllStale(Source::R1, Problem::Zero)},
    {"NegativeResistorGivesANegativeFrequency",
     {WithR1("-"), WithR1("-2"), WithR1("-26")},
     {NoFrequency(Source::CentreFrequency, Problem::Negative),
      Stale(Source::CentreFrequency, Problem::Negative),
      Stale(Source::CentreFrequency, Problem::Negative),
      Stale(Source::CentreFrequency, Problem::Negative)}},
    {"ValidValueAgain", {WithR1("abc"), WithR1("26")}, {}},
    {"TinyResistorStillGivesAFrequency", {WithR1("1E-300")}, {}},
    {"TinyResistorOverflowsTheFrequency",
     {WithR1("1E-306")},
     AllStale(Source::R1, Problem::OutOfRange)},
    {"C2PickedWhileR1IsNoNumber",
     {WithR1("abc"), Inputs("abc", kKOhms, "22", kNanoFarad, "30", kC2MicroFarad, "05")},
     AllStale(Source::R1, Problem::NotANumber)},
    // 91 megohms and 910 microfarads: 0,0000121 Hz is 0 at three decimals.
    {"FrequencyRoundingToZero",
     {Inputs("91", kMOhms, "910", kMicroFarad, "27", kC2MicroFarad, "05")},
     {NoFrequency(Source::CentreFrequency, Problem::Zero),
      Stale(Source::CentreFrequency, Problem::Zero), Stale(Source::CentreFrequency, Problem::Zero),
      Stale(Source::CentreFrequency, Problem::Zero)}},
    {"HalfWidthBeyondTheFrequency",
     {Inputs("1", kMOhms, "910", kMicroFarad, "27", kC2MicroFarad, "05")},
     {Current, Current, NoFrequency(Source::LowerEdge, Problem::Negative), Current}},

    // R1: its scaling step, or the centre frequency reading it as it is.
    {"LettersInOhms", {WithR1("abc", kOhms)}, AllStale(Source::R1, Problem::NotANumber)},
    {"ScaledBeyondTheRangeInMegohms",
     {WithR1("1E306", kMOhms)},
     AllStale(Source::R1, Problem::OutOfRange)},
    {"TextBeyondTheRangeInKiloOhms", {WithR1("1E400")}, AllStale(Source::R1, Problem::OutOfRange)},
    {"NoResistorUnit", {WithR1("47", kNothingSelected)}, AllStale(Source::R1, Problem::NoUnit)},
    // C1.
    {"CapacitorZero", {WithC1("0")}, AllStale(Source::C1, Problem::Zero)},
    {"CapacitorLettersInMicrofarads",
     {WithC1("x", kMicroFarad)},
     AllStale(Source::C1, Problem::NotANumber)},
    {"NoCapacitorUnit", {WithC1("47", kNothingSelected)}, AllStale(Source::C1, Problem::NoUnit)},
    // C2 and the voltage touch only the half-width and the edges.
    {"NoCapacitorTwoUnit",
     {WithC2("1", kNothingSelected)},
     HalfWidthStale(Source::C2, Problem::NoUnit)},
    {"CapacitorTwoLettersInNanofarads",
     {WithC2("x", kC2NanoFarad)},
     HalfWidthStale(Source::C2, Problem::NotANumber)},
    {"CapacitorTwoZero", {WithC2("0")}, HalfWidthStale(Source::C2, Problem::Zero)},
    {"CapacitorTwoNegative",
     {WithC2("-27", kC2NanoFarad)},
     HalfWidthStale(Source::C2, Problem::Negative)},
    {"VoltageNotANumber",
     {WithVoltage("cinq")},
     HalfWidthStale(Source::Voltage, Problem::NotANumber)},
    {"VoltageNegative", {WithVoltage("-5")}, HalfWidthStale(Source::Voltage, Problem::Negative)},
    // No supply, no capture range: a half-width of 0 Hz is what these inputs give.
    {"VoltageZero", {WithVoltage("0")}, {}},
    {"HalfWidthBeyondInteger",
     {Inputs("1000000", kKOhms, "1", kMicroFarad, "1E-12", kC2MicroFarad, "24")},
     HalfWidthStale(Source::HalfWidth, Problem::OutOfRange)},

    // The first fault in the order the figures are computed is the one told.
    {"MissingCapacitorUnitBeforeUnreadableResistor",
     {Inputs("abc", kKOhms, "22", kNothingSelected, "27", kC2MicroFarad, "05")},
     AllStale(Source::C1, Problem::NoUnit)},
    {"UnscalableResistorBeforeMissingCapacitorUnit",
     {Inputs("abc", kOhms, "22", kNothingSelected, "27", kC2MicroFarad, "05")},
     AllStale(Source::R1, Problem::NotANumber)},
    {"ZeroResistorBeforeZeroCapacitor",
     {Inputs("0", kKOhms, "0", kNanoFarad, "27", kC2MicroFarad, "05")},
     AllStale(Source::R1, Problem::Zero)},
    {"CentreFrequencyBeforeCapacitorTwo",
     {Inputs("abc", kKOhms, "22", kNanoFarad, "x", kC2NanoFarad, "05")},
     AllStale(Source::R1, Problem::NotANumber)},
    {"ZeroFrequencyBeforeZeroCapacitorTwo",
     {Inputs("91", kMOhms, "910", kMicroFarad, "0", kC2MicroFarad, "05")},
     {NoFrequency(Source::CentreFrequency, Problem::Zero),
      Stale(Source::CentreFrequency, Problem::Zero), Stale(Source::CentreFrequency, Problem::Zero),
      Stale(Source::CentreFrequency, Problem::Zero)}},
    {"CapacitorTwoBeforeVoltage",
     {Inputs("26", kKOhms, "22", kNanoFarad, "x", kC2NanoFarad, "cinq")},
     HalfWidthStale(Source::C2, Problem::NotANumber)},
    // A negative voltage with a negative R1: a half-width, and both edges below zero.
    {"NegativeResistorAndVoltage",
     {Inputs("-26", kKOhms, "22", kNanoFarad, "27", kC2MicroFarad, "-5")},
     {NoFrequency(Source::CentreFrequency, Problem::Negative), Current,
      NoFrequency(Source::LowerEdge, Problem::Negative),
      NoFrequency(Source::UpperEdge, Problem::Negative)}},
};

INSTANTIATE_TEST_SUITE_P(Table, CheckCaptions, testing::ValuesIn(kRows), calc_test::RowName{});

} // namespace
