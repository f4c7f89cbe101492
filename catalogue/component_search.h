#pragma once

// The calculator run backwards: from the centre frequency a user wants, the (R1, C1) pairs of the
// main window's lists that give it, and for a chosen pair the C2 values that give the half-width
// of the capture range they want. Every frequency and half-width here is computed as the main
// window's recalculation computes it, text round trips included, so that applying a row makes
// the main window show exactly the figures the row showed. Texts are UTF-8 and numbers are read
// and written with the program's decimal-comma rules. What is within the tolerance, and what is
// nearer, is decided exactly on the figures as shown and the values as typed. No Qt, and no
// words: the search window calls this and says what it found, and what to beware of.

#include "calc/problem.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

enum class R1Range {
    Advised,      // 2 kΩ to 20 kΩ inclusive, the range the circuit diagram advises
    AnyListValue, // any value of the three resistor lists, 100 Ω to 91 MΩ
};

struct SearchRequest {
    std::string frequency;       // wanted centre frequency in hertz, as typed
    std::string tolerance = "2"; // percent, as typed, 0 to 100 (0: the exact frequency)
    std::string halfWidth;       // wanted half-width in hertz, as typed; blank when none is wanted
    std::string voltage;         // the text of the main window's voltage box, such as "05"
    R1Range range = R1Range::Advised;
    // What the main window's R1 box holds now and the position of its unit (-1: none). A typed
    // value that is no list item, such as the start-up "26" KOhms, is offered too when it is a
    // positive number within the range.
    std::string currentR1;
    int currentR1Unit = -1;
};

// A value box and its unit box as the main window holds them: the unit's position in its list
// (a calc::R1Unit, C1Unit or C2Unit) and the value's text, for instance {1, "22"}.
struct Part {
    int unit = -1;
    std::string value;

    bool operator==(const Part&) const = default;
};

// What a figure of the search does not say by itself: the window words each kind.
enum class RemarkKind {
    // The wanted frequency lies above 500 kHz, the highest the NE567's data sheets give; it is
    // searched all the same.
    AboveDataSheet,
    // The trimmer's R1 lies outside the 2 kΩ to 20 kΩ the diagram advises; shown all the same.
    TrimmerOutsideAdvised,
    // The trimmer's R1 lies below 10 Ω or above 910 MΩ, a decade beyond the lists' 100 Ω to
    // 91 MΩ, or cannot be computed at all: no value of it is given.
    TrimmerBeyondLists,
    // The C2's half-width misses the wanted one by more than 20 %; figure: by how much, as a
    // deviation is written ("+112,00").
    HalfWidthFarFromWanted,
    // The half-width is not below the pair's centre frequency, so that the main window's lower
    // edge of the capture range is at or below 0 Hz; figure: that edge as it writes it ("-105").
    LowerEdgeNotAboveZero,
};

struct Remark {
    RemarkKind kind;
    std::string figure{}; // the number it is about, where its kind says there is one

    bool operator==(const Remark&) const = default;
};

struct PairRow {
    Part r1, c1;
    std::string frequency; // as the main window's "Freq" shows it, without " Hz": "1748,252"
    // Percent, two decimals, with its sign: "+0,55", "-1,20", "0,00"; "> 1000" beyond +1000 %,
    // where the figure would mean nothing.
    std::string deviation;
    bool advised = false; // R1 lies from 2 kΩ to 20 kΩ
};

// The R1 that gives the wanted frequency exactly with this C1, for setting the trimmer RV1: four
// significant digits in the unit that suits it (ohms below 1 kΩ, megohms from 1000 kΩ).
struct TrimmerRow {
    Part c1;
    std::string exactR1; // "26", "4,545"; empty when a remark says it is beyond the lists
    int unit = -1;       // a calc::R1Unit position
    std::vector<Remark> remarks{};
};

// A C2 with the half-width the main window computes for the pair, this C2 and the voltage.
struct C2Choice {
    Part c2;
    std::int32_t halfWidth = 0;
    std::string caption; // as the main window's "B" shows it: "+/- 11 Hz"
    std::vector<Remark> remarks{};
};

// The values the search reads, and what is wrong with one of them: the words are the window's.
enum class SearchInput {
    Frequency, // the wanted centre frequency
    Tolerance,
    HalfWidth, // the wanted half-width
    Voltage,   // the main window's supply voltage, read only when a half-width is wanted
};

struct SearchProblem {
    SearchInput input = SearchInput::Frequency;
    calc::Problem problem = calc::Problem::NotANumber;

    bool operator==(const SearchProblem&) const = default;
};

struct SearchResult {
    // The first value that cannot be searched with; nothing is found then.
    std::optional<SearchProblem> problem;
    // The wanted frequency and the tolerance as read, to say what was looked for.
    double frequency = 0.0;
    double tolerance = 0.0;
    // The pairs whose frequency as shown lies within wanted x (1 +/- tolerance / 100), bounds
    // included, exactly, none of them at "0" Hz; nearest first, by the exact distance, equally
    // near ones with the advised R1 first, then by R1 value, then by C1 value. None, without a
    // problem: nothing lies within.
    std::vector<PairRow> rows;
    std::optional<PairRow> nearest; // when nothing is within the tolerance: the nearest pair
    // One per C1 appearing in `rows` (or in the nearest pair), in the order of first appearance.
    std::vector<TrimmerRow> trimmers;
    std::vector<Remark> remarks; // on the request as a whole
};

// No character but spaces: nothing typed yet. A blank half-width asks for no C2; a blank
// frequency is not worth searching for.
bool IsBlank(std::string_view text);

// Never throws on any input text (beyond running out of memory).
SearchResult FindPairs(const SearchRequest& request);

// For a pair and the request's wanted half-width and voltage: the three C2 of the lists (both
// units) whose half-width is nearest to the wanted one, exactly, nearest first, equally near ones
// by smaller C2 first. Empty when no half-width is wanted or it cannot be computed.
std::vector<C2Choice> NearestC2(const PairRow& pair, const SearchRequest& request);

} // namespace catalogue
