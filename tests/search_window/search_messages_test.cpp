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

// ---------------------------------------------------------------- remarks

using catalogue::Remark;
using catalogue::RemarkKind;

struct Remarked {
    const char* name;
    std::vector<Remark> remarks;
    bool c2; // the mark of a C2 row, else the line under the pairs
    const char* shown;
    const char* reasons;

    friend void PrintTo(const Remarked& row, std::ostream* out) { *out << row.name; }
};

class RemarkWords : public testing::TestWithParam<Remarked> {};

TEST_P(RemarkWords, ShortWhereShownWithTheirReasons) {
    const Remarked& row = GetParam();
    const ui::RemarkWords words = row.c2 ? ui::C2Mark(row.remarks) : ui::RemarkLine(row.remarks);
    EXPECT_EQ(words.shown, QString::fromUtf8(row.shown));
    EXPECT_EQ(words.reasons, QString::fromUtf8(row.reasons));
}

INSTANTIATE_TEST_SUITE_P(
    Table, RemarkWords,
    testing::Values(
        Remarked{"NoneSaysNothing", {}, false, "", ""},
        // Sentences one after the other on the line, one reason a line in the tool tip.
        Remarked{"AboveTheDataSheetsWithATrimmerOutsideTheAdvisedRange",
                 {{RemarkKind::AboveDataSheet}, {RemarkKind::TrimmerOutsideAdvised}},
                 false,
                 "Au-delà de 500 kHz, la limite des fiches techniques du NE567. R1 exacte hors de "
                 "la plage conseillée, de 2 kΩ à 20 kΩ.",
                 "La fréquence voulue dépasse 500 kHz, la plus haute que donnent les fiches "
                 "techniques du NE567 : rien n'y garantit le fonctionnement du circuit. Les paires "
                 "sont cherchées quand même.\nAvec ce C1, la fréquence voulue demande une R1 hors "
                 "de la plage de 2 kΩ à 20 kΩ que conseille le schéma ; un autre C1 la ramène "
                 "dans la plage."},
        Remarked{"TrimmerBeyondTheLists",
                 {{RemarkKind::TrimmerBeyondLists}},
                 false,
                 "Pas de R1 exacte pour ce C1 : aucune résistance des listes n'en approche.",
                 "Avec ce C1, la fréquence voulue demanderait une R1 de moins de 10 Ohms ou de "
                 "plus de 910 MOhms, loin des valeurs des listes, de 100 Ohms à 91 MOhms : aucun "
                 "ajustable ne la donne."},
        // 910 µF for 1 Hz and ±5 Hz at 9 V: ±106 Hz.
        Remarked{"C2FarFromTheWantedHalfWidthAndBeyondTheCentre",
                 {{RemarkKind::HalfWidthFarFromWanted, "> 1000"},
                  {RemarkKind::LowerEdgeNotAboveZero, "-105"}},
                 true,
                 "écart > 1000 %, bord bas -105 Hz",
                 "Sa demi-largeur s'écarte de plus de 20 % de la demi-largeur voulue : > 1000 %.\n"
                 "Sa demi-largeur atteint la fréquence centrale : la fenêtre principale montrera "
                 "le bas de la plage de capture à -105 Hz."}),
    [](const testing::TestParamInfo<Remarked>& row) { return std::string(row.param.name); });

} // namespace
