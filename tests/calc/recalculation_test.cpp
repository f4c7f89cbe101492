// The recalculation as the main window drives it: inputs in, stored values and captions out,
// failing steps leaving what they would have written as it was.

#include "calc/recalculation.h"

#include "calc_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using calc::CalculInputs;
using calc::CalculReport;
using calc::Captions;
using calc::FailureKind;
using calc::Step;
using calc::StoredValues;
using namespace calc_test::units;
using calc_test::Inputs;
using calc_test::StartUpInputs;

// The captions the result labels have in the window design, before any recalculation.
Captions DesignCaptions() {
    return {"1000,000 Hz", "+/- 100 Hz", "Plage Basse Hz", "Plage Haute Hz"};
}

// The main window's share of the recalculation: its stored values and result captions.
struct Window {
    StoredValues stored;
    Captions captions = DesignCaptions();

    CalculReport Run(const CalculInputs& inputs) { return calc::Calcul(inputs, stored, captions); }
};

// A window that has shown the first worked example: every stored value and caption holds
// something that a failing step would visibly keep.
Window AfterStartUp() {
    Window window;
    const CalculReport report = window.Run(StartUpInputs());
    EXPECT_TRUE(report.AllSucceeded());
    return window;
}

struct State {
    StoredValues stored;
    Captions captions;
};

void ExpectState(const Window& window, const State& expected) {
    EXPECT_EQ(window.stored.ValR1, expected.stored.ValR1);
    EXPECT_EQ(window.stored.ValC1, expected.stored.ValC1);
    EXPECT_EQ(window.stored.ValF0, expected.stored.ValF0);
    EXPECT_EQ(window.stored.ValC2, expected.stored.ValC2);
    EXPECT_EQ(window.stored.ValPlage, expected.stored.ValPlage);
    EXPECT_EQ(window.captions.Freq, expected.captions.Freq);
    EXPECT_EQ(window.captions.B, expected.captions.B);
    EXPECT_EQ(window.captions.LblPlageBas, expected.captions.LblPlageBas);
    EXPECT_EQ(window.captions.LblPlageHaut, expected.captions.LblPlageHaut);
}

using StepFailures = std::vector<std::pair<Step, FailureKind>>;

void ExpectFailures(const CalculReport& report, const StepFailures& expected) {
    StepFailures failed;
    for (const Step step : calc::kSteps) {
        if (report.Failed(step)) {
            failed.emplace_back(step, report[step].failure->kind);
            EXPECT_TRUE(report.Ran(step)) << step << " failed without running";
        }
    }
    EXPECT_EQ(failed, expected);
    EXPECT_EQ(report.AllSucceeded(), expected.empty());
}

const State kStartUpState{{"26", "0,022", "27", "1748,252", 11},
                          {"1748,252 Hz", "+/- 11 Hz", "> 1737,252 Hz", "< 1759,252 Hz"}};

// ---------------------------------------------------------------- worked examples

struct ExampleRow {
    const char* name;
    CalculInputs inputs;
    State expected;
    friend void PrintTo(const ExampleRow& row, std::ostream* out) { *out << row.name; }
};

class WorkedExample : public testing::TestWithParam<ExampleRow> {};

TEST_P(WorkedExample, GivesItsStoredValuesAndCaptions) {
    Window window;
    const CalculReport report = window.Run(GetParam().inputs);
    EXPECT_TRUE(report.AllSucceeded());
    ExpectState(window, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WorkedExample,
    testing::Values(
        ExampleRow{"StartUp", StartUpInputs(), kStartUpState},
        ExampleRow{
            "WholeCentreFrequency",
            Inputs("10", kKOhms, "100", kNanoFarad, "1", kC2MicroFarad, "12"),
            {{"10", "0,1", "1", "1000", 117}, {"1000 Hz", "+/- 117 Hz", "> 883 Hz", "< 1117 Hz"}}},
        ExampleRow{"SmallestUnits",
                   Inputs("470", kOhms, "330", kPicoFarad, "100", kC2NanoFarad, "09"),
                   {{"0,47", "0,00033", "0,1", "6447453,256", 4},
                    {"6447453,256 Hz", "+/- 4 Hz", "> 6447449,256 Hz", "< 6447457,256 Hz"}}},
        ExampleRow{"NegativeLowerEdge",
                   Inputs("1", kMOhms, "1", kMicroFarad, "100", kC2NanoFarad, "24"),
                   {{"1000", "1", "0,1", "1", 16576},
                    {"1 Hz", "+/- 16576 Hz", "> -16575 Hz", "< 16577 Hz"}}},
        // The half-width is computed from the stored 64474.533, not from 64474.532559...
        ExampleRow{"RoundedCentreFrequencyFeedsHalfWidth",
                   Inputs("3,3", kKOhms, "4,7", kNanoFarad, "2,2", kC2MicroFarad, "15"),
                   {{"3,3", "0,0047", "2,2", "64474,533", 11},
                    {"64474,533 Hz", "+/- 11 Hz", "> 64463,533 Hz", "< 64485,533 Hz"}}},
        // Taken as 1000 / (R1 x C1), these two would end in ",274" and ",82": the reciprocal
        // comes first, then the multiplication by 1000.
        ExampleRow{
            "ReciprocalFirstSmallResistor",
            Inputs("1,5", kOhms, "6,8", kPicoFarad, "1", kC2MicroFarad, "12"),
            {{"0,0015", "6,8E-06", "1", "98039215686,275", 0},
             {"98039215686,275 Hz", "+/- 0 Hz", "> 98039215686,275 Hz", "< 98039215686,275 Hz"}}},
        ExampleRow{"ReciprocalFirstTrailingDigit",
                   Inputs("2,4", kOhms, "1,3", kPicoFarad, "1", kC2MicroFarad, "12"),
                   {{"0,0024", "1,3E-06", "1", "320512820512,821", 0},
                    {"320512820512,821 Hz", "+/- 0 Hz", "> 320512820512,821 Hz",
                     "< 320512820512,821 Hz"}}},
        // Voltages chosen so that w is 10.4996, 11.4996 and 3.4996: rounded to three decimals
        // they become exact halves, which then go to the even whole number.
        ExampleRow{
            "HalfWidthTenPointFiveGoesDown",
            Inputs("10", kKOhms, "100", kNanoFarad, "1", kC2MicroFarad, "0,09628928305"),
            {{"10", "0,1", "1", "1000", 10}, {"1000 Hz", "+/- 10 Hz", "> 990 Hz", "< 1010 Hz"}}},
        ExampleRow{
            "HalfWidthElevenPointFiveGoesUp",
            Inputs("10", kKOhms, "100", kNanoFarad, "1", kC2MicroFarad, "0,1155042363"),
            {{"10", "0,1", "1", "1000", 12}, {"1000 Hz", "+/- 12 Hz", "> 988 Hz", "< 1012 Hz"}}},
        ExampleRow{
            "HalfWidthThreePointFiveGoesUp",
            Inputs("10", kKOhms, "100", kNanoFarad, "1", kC2MicroFarad, "0,01069717893"),
            {{"10", "0,1", "1", "1000", 4}, {"1000 Hz", "+/- 4 Hz", "> 996 Hz", "< 1004 Hz"}}},
        // Kilo-ohms and microfarads are stored as the boxes hold them, spaces and all.
        ExampleRow{"UnconvertedTextsKeptVerbatim",
                   Inputs(" 26 ", kKOhms, "0,022", kMicroFarad, "027", kC2MicroFarad, "5"),
                   {{" 26 ", "0,022", "027", "1748,252", 11},
                    {"1748,252 Hz", "+/- 11 Hz", "> 1737,252 Hz", "< 1759,252 Hz"}}},
        // A scaled value below 0,0001 is stored in exponent form and read back from it.
        ExampleRow{"ScaledTextWrittenInExponentForm",
                   Inputs("26", kKOhms, "22", kNanoFarad, "0,0047", kC2NanoFarad, "05"),
                   {{"26", "0,022", "4,7E-06", "1748,252", 26395},
                    {"1748,252 Hz", "+/- 26395 Hz", "> -24646,748 Hz", "< 28143,252 Hz"}}}),
    calc_test::RowName{});

// ---------------------------------------------------------------- failures

struct FailureRow {
    const char* name;
    CalculInputs inputs;
    StepFailures failures;
    State expected;
    friend void PrintTo(const FailureRow& row, std::ostream* out) { *out << row.name; }
};

class FailingStep : public testing::TestWithParam<FailureRow> {};

TEST_P(FailingStep, KeepsWhatItWouldHaveWritten) {
    Window window = AfterStartUp();
    const CalculReport report = window.Run(GetParam().inputs);
    ExpectFailures(report, GetParam().failures);
    ExpectState(window, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FailingStep,
    testing::Values(
        // R1 is no number in ohms or megohms: the previous R1 with the current C1 (now 47 nF).
        FailureRow{"ResistorLettersInOhms",
                   Inputs("abc", kOhms, "47", kNanoFarad, "27", kC2MicroFarad, "05"),
                   {{Step::R1FromOhms, FailureKind::TypeMismatch}},
                   {{"26", "0,047", "27", "818,331", 16},
                    {"818,331 Hz", "+/- 16 Hz", "> 802,331 Hz", "< 834,331 Hz"}}},
        FailureRow{"ResistorEmptyInMegohms",
                   Inputs("", kMOhms, "47", kNanoFarad, "27", kC2MicroFarad, "05"),
                   {{Step::R1FromMegohms, FailureKind::TypeMismatch}},
                   {{"26", "0,047", "27", "818,331", 16},
                    {"818,331 Hz", "+/- 16 Hz", "> 802,331 Hz", "< 834,331 Hz"}}},
        // In kilo-ohms the text is stored as it is and the centre frequency fails on it; the
        // half-width is
        // recomputed from the previous frequency with the new voltage.
        FailureRow{"ResistorLettersInKiloOhms",
                   Inputs("abc", kKOhms, "22", kNanoFarad, "27", kC2MicroFarad, "12"),
                   {{Step::CentreFrequency, FailureKind::TypeMismatch}},
                   {{"abc", "0,022", "27", "1748,252", 17},
                    {"1748,252 Hz", "+/- 17 Hz", "> 1731,252 Hz", "< 1765,252 Hz"}}},
        FailureRow{"ResistorZero",
                   Inputs("0", kKOhms, "22", kNanoFarad, "27", kC2MicroFarad, "12"),
                   {{Step::CentreFrequency, FailureKind::DivisionByZero}},
                   {{"0", "0,022", "27", "1748,252", 17},
                    {"1748,252 Hz", "+/- 17 Hz", "> 1731,252 Hz", "< 1765,252 Hz"}}},
        FailureRow{"CapacitorZero",
                   Inputs("26", kKOhms, "0", kNanoFarad, "27", kC2MicroFarad, "12"),
                   {{Step::CentreFrequency, FailureKind::DivisionByZero}},
                   {{"26", "0", "27", "1748,252", 17},
                    {"1748,252 Hz", "+/- 17 Hz", "> 1731,252 Hz", "< 1765,252 Hz"}}},
        // 91 megohms with 910 microfarads: 0.0000120758... Hz is 0 at three decimals.
        FailureRow{"CentreFrequencyRoundsToZero",
                   Inputs("91", kMOhms, "910", kMicroFarad, "27", kC2MicroFarad, "05"),
                   {{Step::HalfWidth, FailureKind::DivisionByZero}},
                   {{"91000", "910", "27", "0", 11}, {"0 Hz", "+/- 11 Hz", "> -11 Hz", "< 11 Hz"}}},
        FailureRow{"NegativeResistor",
                   Inputs("-26", kKOhms, "22", kNanoFarad, "27", kC2MicroFarad, "05"),
                   {{Step::HalfWidth, FailureKind::InvalidArgument}},
                   {{"-26", "0,022", "27", "-1748,252", 11},
                    {"-1748,252 Hz", "+/- 11 Hz", "> -1759,252 Hz", "< -1737,252 Hz"}}},
        FailureRow{"HalfWidthBeyondInteger",
                   Inputs("1000000", kKOhms, "1", kMicroFarad, "1E-12", kC2MicroFarad, "24"),
                   {{Step::HalfWidth, FailureKind::Overflow}},
                   {{"1000000", "1", "1E-12", "0,001", 11},
                    {"0,001 Hz", "+/- 11 Hz", "> -10,999 Hz", "< 11,001 Hz"}}},
        FailureRow{"VoltageNotANumber",
                   Inputs("26", kKOhms, "47", kNanoFarad, "27", kC2MicroFarad, "cinq"),
                   {{Step::HalfWidth, FailureKind::TypeMismatch}},
                   {{"26", "0,047", "27", "818,331", 11},
                    {"818,331 Hz", "+/- 11 Hz", "> 807,331 Hz", "< 829,331 Hz"}}},
        FailureRow{"CapacitorTwoNotANumberInNanofarads",
                   Inputs("26", kKOhms, "22", kNanoFarad, "x", kC2NanoFarad, "12"),
                   {{Step::C2FromNanofarads, FailureKind::TypeMismatch}},
                   {{"26", "0,022", "27", "1748,252", 17},
                    {"1748,252 Hz", "+/- 17 Hz", "> 1731,252 Hz", "< 1765,252 Hz"}}},
        // R1 so small that 1 / (C1 x R1) x 1000 is a double but its scaling by 1000 for the
        // rounding is not.
        FailureRow{"CentreFrequencyTooLargeToRound",
                   Inputs("1E-303", kKOhms, "1", kMicroFarad, "27", kC2MicroFarad, "05"),
                   {{Step::CentreFrequency, FailureKind::Overflow}},
                   {{"1E-303", "1", "27", "1748,252", 11}, kStartUpState.captions}},
        FailureRow{"ScaledResistorBeyondRange",
                   Inputs("1E306", kMOhms, "22", kNanoFarad, "27", kC2MicroFarad, "05"),
                   {{Step::R1FromMegohms, FailureKind::Overflow}},
                   kStartUpState},
        // No unit selected for C1: ValC1 keeps 0,022, so the new C1 value changes nothing.
        FailureRow{"NoCapacitorUnitSelected",
                   Inputs("26", kKOhms, "47", kNothingSelected, "27", kC2MicroFarad, "05"),
                   {},
                   kStartUpState},
        FailureRow{"ResistorUnitOutsideList",
                   Inputs("47", 3, "22", kNanoFarad, "27", kC2MicroFarad, "05"),
                   {},
                   kStartUpState},
        FailureRow{"CapacitorTwoUnitOutsideList",
                   Inputs("26", kKOhms, "22", kNanoFarad, "1", kMicroFarad, "05"),
                   {},
                   kStartUpState}),
    calc_test::RowName{});

struct FreshFailureRow {
    const char* name;
    CalculInputs inputs;
    StepFailures failures;
    State expected;
    friend void PrintTo(const FreshFailureRow& row, std::ostream* out) { *out << row.name; }
};

class FailingFromFreshWindow : public testing::TestWithParam<FreshFailureRow> {};

TEST_P(FailingFromFreshWindow, ShowsTheEmptyStoredValues) {
    Window window;
    const CalculReport report = window.Run(GetParam().inputs);
    ExpectFailures(report, GetParam().failures);
    ExpectState(window, GetParam().expected);
}

const StepFailures kNoCentreFrequencyYet{{Step::CentreFrequency, FailureKind::TypeMismatch},
                                         {Step::HalfWidth, FailureKind::TypeMismatch},
                                         {Step::LowerEdge, FailureKind::TypeMismatch},
                                         {Step::UpperEdge, FailureKind::TypeMismatch}};

INSTANTIATE_TEST_SUITE_P(
    Table, FailingFromFreshWindow,
    testing::Values(
        // " Hz" for the empty ValF0, "+/- 0 Hz", and the edges as they were.
        FreshFailureRow{"NoCentreFrequencyYet",
                        Inputs("abc", kKOhms, "22", kNanoFarad, "27", kC2MicroFarad, "05"),
                        kNoCentreFrequencyYet,
                        {{"abc", "0,022", "27", "", 0},
                         {" Hz", "+/- 0 Hz", "Plage Basse Hz", "Plage Haute Hz"}}},
        FreshFailureRow{
            "NoCapacitorUnitEverSelected",
            Inputs("26", kKOhms, "22", kNothingSelected, "27", kC2MicroFarad, "05"),
            kNoCentreFrequencyYet,
            {{"26", "", "27", "", 0}, {" Hz", "+/- 0 Hz", "Plage Basse Hz", "Plage Haute Hz"}}},
        FreshFailureRow{"NoCapacitorTwoUnitEverSelected",
                        Inputs("26", kKOhms, "22", kNanoFarad, "27", kNothingSelected, "05"),
                        {{Step::HalfWidth, FailureKind::TypeMismatch}},
                        {{"26", "0,022", "", "1748,252", 0},
                         {"1748,252 Hz", "+/- 0 Hz", "> 1748,252 Hz", "< 1748,252 Hz"}}}),
    calc_test::RowName{});

TEST(Calcul, EveryRunSoFarFailedInTheCentreFrequency) {
    Window window;
    window.Run(Inputs("", kKOhms, "", kNanoFarad, "", kC2MicroFarad, ""));
    ExpectFailures(window.Run(Inputs("x", kKOhms, "22", kNanoFarad, "27", kC2MicroFarad, "05")),
                   kNoCentreFrequencyYet);
    ExpectState(window, {{"x", "0,022", "27", "", 0},
                         {" Hz", "+/- 0 Hz", "Plage Basse Hz", "Plage Haute Hz"}});
}

// ---------------------------------------------------------------- the start-up sequence

TEST(Calcul, StartUpSequenceStepByStep) {
    // The inputs as the window's defaults are assigned one by one: until a value box's item is
    // selected its text is empty, until a unit is selected its position is -1.
    struct Assignment {
        const char* name;
        std::vector<CalculInputs> runs; // the recalculations the assignment fires
        State expected;
    };
    const Captions noResultYet{" Hz", "+/- 0 Hz", "Plage Basse Hz", "Plage Haute Hz"};
    const CalculInputs resistorUnit =
        Inputs("1", kKOhms, "", kNothingSelected, "", kNothingSelected, "");
    const CalculInputs capacitorUnit =
        Inputs("1", kKOhms, "", kNanoFarad, "", kNothingSelected, "");
    const std::vector<Assignment> assignments = {
        {"ResistorUnit", {resistorUnit, resistorUnit}, {{"1", "", "", "", 0}, noResultYet}},
        {"CapacitorUnit", {capacitorUnit}, {{"1", "", "", "", 0}, noResultYet}},
        {"CapacitorTwoUnit",
         {Inputs("1", kKOhms, "", kNanoFarad, "", kC2MicroFarad, "")},
         {{"1", "", "", "", 0}, noResultYet}},
        {"ResistorValue",
         {Inputs("26", kKOhms, "", kNanoFarad, "", kC2MicroFarad, "")},
         {{"26", "", "", "", 0}, noResultYet}},
        {"CapacitorValue",
         {Inputs("26", kKOhms, "22", kNanoFarad, "", kC2MicroFarad, "")},
         {{"26", "0,022", "", "1748,252", 0},
          {"1748,252 Hz", "+/- 0 Hz", "> 1748,252 Hz", "< 1748,252 Hz"}}},
        {"CapacitorTwoValue",
         {Inputs("26", kKOhms, "22", kNanoFarad, "27", kC2MicroFarad, "")},
         {{"26", "0,022", "27", "1748,252", 0},
          {"1748,252 Hz", "+/- 0 Hz", "> 1748,252 Hz", "< 1748,252 Hz"}}},
        {"Voltage", {StartUpInputs()}, kStartUpState},
    };

    Window window; // the design captions are what the labels start with
    for (const Assignment& assignment : assignments) {
        SCOPED_TRACE(assignment.name);
        for (const CalculInputs& inputs : assignment.runs) {
            window.Run(inputs);
        }
        ExpectState(window, assignment.expected);
    }
}

// ---------------------------------------------------------------- every run rewrites

TEST(Calcul, RewritesEveryCaptionOnEveryRun) {
    Window window = AfterStartUp();
    window.captions = {"a", "b", "c", "d"};
    window.Run(StartUpInputs());
    ExpectState(window, kStartUpState);
}

TEST(Calcul, SameInputsGiveTheSameResultsAgain) {
    Window window = AfterStartUp();
    for (int run = 0; run < 3; ++run) {
        EXPECT_TRUE(window.Run(StartUpInputs()).AllSucceeded());
        ExpectState(window, kStartUpState);
    }
}

TEST(Calcul, RecoversOnceTheInputIsANumberAgain) {
    Window window = AfterStartUp();
    window.Run(Inputs("abc", kKOhms, "22", kNanoFarad, "27", kC2MicroFarad, "05"));
    EXPECT_TRUE(window.Run(Inputs("2", kKOhms, "22", kNanoFarad, "27", kC2MicroFarad, "05"))
                    .AllSucceeded());
    EXPECT_EQ(window.stored.ValF0, "22727,273");
    EXPECT_TRUE(window.Run(StartUpInputs()).AllSucceeded());
    ExpectState(window, kStartUpState);
}

// ---------------------------------------------------------------- which steps run

struct UnitRow {
    const char* name;
    int r1Unit;
    int c1Unit;
    int c2Unit;
    std::vector<Step> stepsRun;
    friend void PrintTo(const UnitRow& row, std::ostream* out) { *out << row.name; }
};

const std::vector<Step> kAlwaysRun = {Step::CentreFrequency,  Step::FreqCaption, Step::HalfWidth,
                                      Step::HalfWidthCaption, Step::LowerEdge,   Step::UpperEdge};

class UnitPositions : public testing::TestWithParam<UnitRow> {};

TEST_P(UnitPositions, SelectTheScalingSteps) {
    const UnitRow& row = GetParam();
    Window window;
    const CalculReport report =
        window.Run(Inputs("26", row.r1Unit, "22", row.c1Unit, "27", row.c2Unit, "05"));
    std::vector<Step> ran;
    for (const Step step : calc::kSteps) {
        if (report.Ran(step)) {
            ran.push_back(step);
        }
    }
    EXPECT_EQ(ran, row.stepsRun);
}

INSTANTIATE_TEST_SUITE_P(
    Table, UnitPositions,
    testing::Values(UnitRow{"SmallestUnits",
                            kOhms,
                            kPicoFarad,
                            kC2NanoFarad,
                            {Step::R1FromOhms, Step::C1FromPicofarads, Step::CentreFrequency,
                             Step::FreqCaption, Step::C2FromNanofarads, Step::HalfWidth,
                             Step::HalfWidthCaption, Step::LowerEdge, Step::UpperEdge}},
                    UnitRow{"MiddleUnits",
                            kKOhms,
                            kNanoFarad,
                            kC2MicroFarad,
                            {Step::R1AsKiloOhms, Step::C1FromNanofarads, Step::CentreFrequency,
                             Step::FreqCaption, Step::C2AsMicrofarads, Step::HalfWidth,
                             Step::HalfWidthCaption, Step::LowerEdge, Step::UpperEdge}},
                    UnitRow{"LargestUnits",
                            kMOhms,
                            kMicroFarad,
                            kC2MicroFarad,
                            {Step::R1FromMegohms, Step::C1AsMicrofarads, Step::CentreFrequency,
                             Step::FreqCaption, Step::C2AsMicrofarads, Step::HalfWidth,
                             Step::HalfWidthCaption, Step::LowerEdge, Step::UpperEdge}},
                    UnitRow{"NothingSelected", kNothingSelected, kNothingSelected, kNothingSelected,
                            kAlwaysRun},
                    UnitRow{"BeyondTheLists", 3, 3, 2, kAlwaysRun},
                    UnitRow{"FarOutside", 1000, -7, 99, kAlwaysRun}),
    calc_test::RowName{});

} // namespace
