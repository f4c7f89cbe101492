#pragma once

// Whether each result caption shows a figure of the inputs as they are now. The recalculation
// keeps the last good values where a step fails, so a caption can go on showing the figure of an
// earlier R1 while the box holds a text that is no number; these checks tell the window which
// captions are in that case, and which show a current figure that is no frequency at all.

#include "calc/problem.h"
#include "calc/recalculation.h"

namespace calc {

struct CaptionCheck {
    enum class State {
        Current,       // every step its figure comes from succeeded in the last recalculation
        Stale,         // it still shows a figure of earlier inputs
        NotAFrequency, // current, but zero or negative: no frequency a decoder can have
    };
    State state = State::Current;
    // Where the trouble lies, when the caption is not current.
    Source source = Source::R1;
    Problem problem = Problem::NotANumber;

    bool operator==(const CaptionCheck&) const = default;
};

struct CaptionChecks {
    CaptionCheck Freq, B, LblPlageBas, LblPlageHaut;

    bool operator==(const CaptionChecks&) const = default;
};

// Reads what the last recalculation did (its report, and the stored values it left) and says, for
// each caption, whether its figure belongs to the inputs it read. A caption's figure depends on
// the steps that produce it, transitively: the centre frequency on the scaling of R1 and C1 and
// its own step; the half-width on the centre frequency, the scaling of C2 and its own step; each
// edge on the half-width and its own step. The first fault in that order is the one reported, as
// the failing step told it.
CaptionChecks CheckCaptions(const CalculReport& report, const StoredValues& stored);

} // namespace calc
