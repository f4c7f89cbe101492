// What the search window says about a row once its parts have a tolerance: one row per way the
// lines can read, from what the catalogue computes for it.
#include "ui/search/spread_lines.h"

#include "qstring_printer.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

namespace {

struct Spoken {
    const char* name;
    catalogue::SpreadRequest request;
    QStringList lines;

    friend void PrintTo(const Spoken& row, std::ostream* out) { *out << row.name; }
};

class SpreadLines : public testing::TestWithParam<Spoken> {};

TEST_P(SpreadLines, SayTheSpreadTheCaptureAndTheParts) {
    EXPECT_EQ(ui::SpreadLines(catalogue::DesignSpreadOf(GetParam().request)), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SpreadLines,
    testing::Values(
        Spoken{.name = "NoC2Chosen",
               .request = {.r1 = 10, .c1 = 0.1, .wanted = 1000, .tolerances = {5, 10}},
               .lines = {"f0 entre 865,801 Hz et 1169,591 Hz",
                         "R1 + RV1 doit couvrir 9,091 kΩ à 11,111 kΩ",
                         "Résistance fixe 8,2 kΩ et ajustable 5 kΩ"}},
        Spoken{.name = "OutsideOnBothSides",
               .request = {.r1 = 10,
                           .c1 = 0.1,
                           .wanted = 1000,
                           .c2 = 1,
                           .voltage = 12,
                           .tolerances = {5, 10}},
               .lines = {"f0 entre 865,801 Hz et 1169,591 Hz",
                         "1000 Hz hors capture si f0 = 1169,591 Hz : de 1061,591 Hz à 1277,591 Hz",
                         "1000 Hz hors capture si f0 = 865,801 Hz : de 739,801 Hz à 991,801 Hz",
                         "R1 + RV1 doit couvrir 9,091 kΩ à 11,111 kΩ",
                         "Résistance fixe 8,2 kΩ et ajustable 5 kΩ"}},
        Spoken{.name = "InsideEveryRange",
               .request = {.r1 = 10,
                           .c1 = 0.1,
                           .wanted = 1000,
                           .c2 = 0.1,
                           .voltage = 12,
                           .tolerances = {5, 10}},
               .lines = {"f0 entre 865,801 Hz et 1169,591 Hz",
                         "1000 Hz reste dans la plage de capture de chacun de ces circuits",
                         "R1 + RV1 doit couvrir 9,091 kΩ à 11,111 kΩ",
                         "Résistance fixe 8,2 kΩ et ajustable 5 kΩ"}},
        Spoken{.name = "TrimmerAloneBelowTheAdvisedRange",
               .request = {.r1 = 0.1, .c1 = 0.1, .wanted = 100000, .tolerances = {5, 10}},
               .lines = {"f0 entre 86580,087 Hz et 116959,064 Hz",
                         "R1 + RV1 doit couvrir 90,909 Ω à 111,111 Ω",
                         "Ajustable 200 Ω seul : aucune résistance fixe des listes n'est assez "
                         "petite",
                         "R1 + RV1 descend sous les 2 kΩ conseillés"}},
        Spoken{.name = "NoTrimmerAboveTheAdvisedRange",
               .request = {.r1 = 20000, .c1 = 1, .wanted = 0.05, .tolerances = {5, 10}},
               .lines = {"f0 entre 0,043 Hz et 0,058 Hz",
                         "R1 + RV1 doit couvrir 18,182 MΩ à 22,222 MΩ",
                         "Résistance fixe 16 MΩ, mais aucun ajustable jusqu'à 5 MΩ ne couvre les "
                         "7,022 MΩ nécessaires",
                         "R1 + RV1 dépasse les 20 kΩ conseillés"}}),
    [](const testing::TestParamInfo<Spoken>& row) { return std::string(row.param.name); });

} // namespace
