#pragma once

#include "calc/recalculation.h"

#include <string>
#include <vector>

namespace ui {
class Form1;
}
namespace testing_support {
class CountedForm1;
}

namespace soak {

// The inputs of the recalculation as the main window's boxes show them now.
calc::CalculInputs InputsOf(const ui::Form1& form);

// Everything that must hold in the main window after any user action, checked against the
// calculation core on its own, on what the window shows. Besides what holds at any moment (the
// lists, the shape of the captions, the results of a window that marks none of them against a
// fresh computation), it keeps a shadow of the recalculation: after every single user input that
// made the window recalculate (the events it answers so, which the test counts), the core is run
// once more on the shadow's stored values with the inputs the window shows. The window's captions
// must then equal the shadow's exactly, also when some steps failed and kept older values. Running
// the core twice with the same inputs gives what running it once gives, so the number of runs the
// window made for one input does not matter; that each run saw the final inputs does. The marks
// on the results (a result not current, or no frequency, and why) and on the resistor box are
// checked against a rule of the soak's own, from the inputs shown, not against the window's
// checks: so a fault in those is caught too.
class MainWindowChecks {
public:
    // Starts from the window as the start-up left it.
    explicit MainWindowChecks(const testing_support::CountedForm1& form);

    // To be called after each single user input (a key, a click, a wheel step, a paste) once its
    // events have been handled.
    void AfterInput();

    // What is wrong with the window now, one line per finding; empty when all is well. Also
    // returns (once) what AfterInput noticed since the last call.
    std::vector<std::string> Problems();

private:
    void CheckLists(std::vector<std::string>& problems) const;
    void CheckCaptionShapes(std::vector<std::string>& problems) const;
    void CheckAgainstFreshRun(std::vector<std::string>& problems) const;
    void CheckAgainstShadow(std::vector<std::string>& problems) const;

    const testing_support::CountedForm1& form_;
    calc::StoredValues shadowStored_;
    calc::Captions shadowCaptions_;
    calc::CalculInputs lastInputs_;
    int lastRuns_ = 0;
    std::vector<std::string> noticed_;
};

} // namespace soak
