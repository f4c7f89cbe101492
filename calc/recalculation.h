#pragma once

// The recalculation of the main window: from the value texts and unit positions of the input
// boxes it brings R1, C1 and C2 to kilo-ohms and microfarads, computes the centre frequency and
// the half-width of the capture range of the tone decoder, keeps its five stored values and
// rewrites the four result captions. Texts are UTF-8.

#include "calc/number_text.h"
#include "calc/units.h"

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string>

namespace calc {

// A snapshot of the main window's inputs: the text of each value box and the ListIndex of each
// unit box (-1 when nothing is selected; a position outside the unit list selects no scaling).
struct CalculInputs {
    std::string ComboR;
    int ComboValR1 = -1; // see R1Unit
    std::string ComboC;
    int ComboValC1 = -1; // see C1Unit
    std::string ComboC2;
    int ComboValC2 = -1; // see C2Unit
    std::string ComboV;
};

// What the main window keeps between recalculations, in the working units: R1 in kilo-ohms,
// C1 and C2 in microfarads, the centre frequency in hertz (rounded to three decimals) and the
// half-width of the capture range in hertz. Empty texts and 0 when the window is created.
struct StoredValues {
    std::string ValR1, ValC1, ValC2, ValF0;
    std::int32_t ValPlage = 0;
};

// The captions of the four result labels.
struct Captions {
    std::string Freq, B, LblPlageBas, LblPlageHaut;
};

// What one recalculation did, step by step (steps are numbered 1 to 14).
struct CalculReport {
    static constexpr std::size_t kSteps = 14;

    std::bitset<kSteps> ran;    // bit i: step i+1 was carried out (its condition held)
    std::bitset<kSteps> failed; // bit i: step i+1 failed, so its targets kept their values
    std::array<FailureKind, kSteps> failure{}; // why, where `failed` is set

    // Every step that was carried out succeeded; steps 7, 8 and 11 to 14 always are.
    bool AllSucceeded() const noexcept { return failed.none(); }
    bool Ran(int step) const { return ran.test(Index(step)); }
    bool Failed(int step) const { return failed.test(Index(step)); }
    FailureKind FailureOf(int step) const { return failure[Index(step)]; }

private:
    static std::size_t Index(int step) { return static_cast<std::size_t>(step - 1); }
};

// The two formulas on numbers, as the recalculation's steps compute them, in this order of
// operations: the centre frequency 1 / (C1 x R1) x 1000, the reciprocal first, rounded to three
// decimals (R1 in kilo-ohms, C1 in microfarads), and the half-width 1070 x sqrt(V / (C2 x f0)),
// the product first, rounded to three decimals and then to a whole number. The component search
// computes with them too.
Checked<double> CentreFrequencyOf(double r1, double c1);
Checked<std::int32_t> HalfWidthOf(double voltage, double f0, double c2);

// Runs the fourteen steps of the recalculation in order on `stored` and `captions`, in place.
// A step that fails writes nothing and the next step runs with whatever the stored values hold.
// Never throws (beyond running out of memory while growing a text).
CalculReport Calcul(const CalculInputs& inputs, StoredValues& stored, Captions& captions);

} // namespace calc
