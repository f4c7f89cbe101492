// Where a tool window opens beside its main window: the order of the sides, the screen's edges,
// and what it leaves in sight when no side has room.
#include "runtime/placement.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace {

struct Placement {
    const char* name;
    QRect owner;
    QSize size;
    QRect keepInSight;
    QPoint expected;
};

void PrintTo(const Placement& row, std::ostream* out) {
    *out << row.name;
}

// A screen of 1000 x 800; the owner's part kept in sight lies at its right, as the results do.
const QRect screen(0, 0, 1000, 800);

const Placement placements[] = {
    {"RightLevelWithTheOwner", {300, 300, 200, 150}, {300, 200}, {420, 310, 70, 100}, {500, 300}},
    {"LeftWhenTheRightIsShort", {600, 300, 200, 150}, {300, 200}, {720, 310, 70, 100}, {300, 300}},
    {"BelowWhenNeitherSideHasRoom",
     {300, 300, 400, 150},
     {400, 200},
     {620, 310, 70, 100},
     {300, 450}},
    {"AboveWhenOnlyAboveHasRoom",
     {300, 500, 400, 150},
     {400, 350},
     {620, 510, 70, 100},
     {300, 150}},
    {"RaisedWhereTheScreenEndsBelow",
     {100, 600, 200, 150},
     {300, 300},
     {220, 610, 70, 100},
     {300, 500}},
    // No side of the owner has room: beside the part kept in sight, on the first side that has.
    {"OverTheOwnerLeftOfTheResults",
     {300, 300, 400, 300},
     {600, 500},
     {600, 320, 90, 200},
     {0, 300}},
    // Not even that: the side that covers the least of it.
    {"CoversAsLittleOfTheResultsAsItCan",
     {500, 50, 400, 300},
     {900, 600},
     {780, 60, 100, 200},
     {100, 200}},
    {"LargerThanTheScreenKeepsItsTitleBarOnIt",
     {300, 300, 200, 150},
     {1200, 900},
     {420, 310, 70, 100},
     {0, 0}},
};

class PlaceBeside : public ::testing::TestWithParam<Placement> {};

TEST_P(PlaceBeside, OpensOnTheFirstSideWithRoomInsideTheScreen) {
    const Placement& row = GetParam();
    EXPECT_EQ(runtime::PlaceBeside(row.owner, row.size, screen, row.keepInSight), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Sides, PlaceBeside, ::testing::ValuesIn(placements),
                         [](const auto& row) { return std::string(row.param.name); });

} // namespace
