#pragma once

// What is wrong with a value, in one vocabulary whatever the value is: an input box of the main
// window, a figure computed from them, a value typed into the component search. Who says what
// the value is, and how it is worded, belongs to whoever shows it.

namespace calc {

enum class Problem {
    NoUnit,     // no unit is selected, so the value is not scaled
    NotANumber, // the text is no number, or nothing has been computed yet
    OutOfRange, // beyond what a double or the half-width's integer holds, or beyond the values
                // the value may take (a tolerance above 100 %)
    Zero,
    Negative,
};

} // namespace calc
