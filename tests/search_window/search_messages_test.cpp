// What the search window says for what the search found: one row per fact it words.
#include "ui/search/search_messages.h"

#include "qstring_printer.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <vector>

namespace {

using calc::Problem;
using catalogue::PairRow;
using catalogue::SearchInput;
using catalogue::SearchProblem;
using catalogue::SearchResult;

struct Worded {
    const char* name;
    SearchResult result;
    const char* message;

    friend void PrintTo(const Worded& row, std::ostream* out) { *out << row.name; }
};

SearchResult Refused(SearchInput input, calc::Problem problem) {
    SearchResult result;
    result.problem = SearchProblem{input, problem};
    return result;
}

SearchResult NothingWithin(double frequency, double tolerance, std::optional<PairRow> nearest) {
    SearchResult result;
    result.frequency = frequency;
    result.tolerance = tolerance;
    result.nearest = std::move(nearest);
    return result;
}

SearchResult Found(std::vector<PairRow> rows) {
    SearchResult result;
    result.rows = std::move(rows);
    return result;
}

// 3,3 kΩ and 1,1 µF: 1 / 3,63 x 1000 = 275,482 Hz, +2,03 % from 270 Hz.
const PairRow Nearest = {.r1 = {1, "3,3"},
                         .c1 = {2, "1,1"},
                         .frequency = "275,482",
                         .deviation = "+2,03",
                         .advised = true};

class SearchMessages : public testing::TestWithParam<Worded> {};

TEST_P(SearchMessages, SayWhatIsWrongOrWhatComesNearest) {
    EXPECT_EQ(ui::SearchMessage(GetParam().result), QString::fromUtf8(GetParam().message));
}

INSTANTIATE_TEST_SUITE_P(
    Table, SearchMessages,
    testing::Values(
        Worded{"FrequencyNoNumber", Refused(SearchInput::Frequency, Problem::NotANumber),
               "La fréquence voulue n'est pas un nombre lisible : écrivez-la en hertz, avec une "
               "virgule décimale, comme 1000 ou 1748,252."},
        Worded{"FrequencyZero", Refused(SearchInput::Frequency, Problem::Zero),
               "La fréquence voulue doit être supérieure à 0 Hz."},
        Worded{"FrequencyNegative", Refused(SearchInput::Frequency, Problem::Negative),
               "La fréquence voulue doit être supérieure à 0 Hz."},
        Worded{"ToleranceNoNumber", Refused(SearchInput::Tolerance, Problem::NotANumber),
               "La tolérance n'est pas un nombre lisible : écrivez-la en pour cent, comme 2 ou "
               "0,5."},
        Worded{"ToleranceOutOfRange", Refused(SearchInput::Tolerance, Problem::OutOfRange),
               "La tolérance doit être comprise entre 0 et 100 %."},
        Worded{"HalfWidthNoNumber", Refused(SearchInput::HalfWidth, Problem::NotANumber),
               "La demi-largeur voulue n'est pas un nombre lisible : écrivez-la en hertz, comme "
               "50, ou laissez la case vide."},
        Worded{"HalfWidthZero", Refused(SearchInput::HalfWidth, Problem::Zero),
               "La demi-largeur voulue doit être supérieure à 0 Hz."},
        Worded{"HalfWidthNegative", Refused(SearchInput::HalfWidth, Problem::Negative),
               "La demi-largeur voulue doit être supérieure à 0 Hz."},
        Worded{"VoltageNoNumber", Refused(SearchInput::Voltage, Problem::NotANumber),
               "La tension d'alimentation de la fenêtre principale n'est pas un nombre."},
        // The tolerance and the frequency as the program writes numbers, not as typed.
        Worded{"NothingWithinOnePercent", NothingWithin(270, 1, Nearest),
               "Aucune paire à moins de 1 % ; la plus proche : 3,3 KOhms et 1,1 MicroFarad, "
               "275,482 Hz (+2,03 %)"},
        Worded{"NothingWithinHalfAPercentAndNoPairAtAll", NothingWithin(270, 0.5, std::nullopt),
               "Aucune paire à moins de 0,5 %."},
        Worded{"NothingExactly", NothingWithin(270, 0, Nearest),
               "Aucune paire ne donne exactement 270 Hz ; la plus proche : 3,3 KOhms et 1,1 "
               "MicroFarad, 275,482 Hz (+2,03 %)"},
        Worded{"RowsFound", Found({Nearest}), ""}),
    [](const testing::TestParamInfo<Worded>& row) { return std::string(row.param.name); });

} // namespace
