// The resistor unit change as the user makes it: picking a unit in the R1 unit box refills the
// R1 value list with that unit's values, selects the first one and shows its results.
#include "main_window_driver.h"

namespace {

using main_window_testing::Expected;
using main_window_testing::Items;
using main_window_testing::MainWindowTest;
using main_window_testing::Results;
using main_window_testing::Series;

struct UnitPick {
    const char* name;
    int position; // in the unit list
    int items;
    QStringList list;
    const char* text;
    Results results;
};

void PrintTo(const UnitPick& row, std::ostream* out) {
    *out << row.name;
}

class ResistorUnit : public MainWindowTest, public ::testing::WithParamInterface<UnitPick> {};

// With C1 22 nF, C2 27 uF and 5 V, as the window opens; R1 starts again from the list's first
// value.
const UnitPick unitPicks[] = {
    {"Ohms", 0, 23, Series(1, 2, false), "100",
     Expected("454545,455", "1", "454544,455", "454546,455")},
    {"KOhms", 1, 69, Series(3, 0, false), "1",
     Expected("45454,545", "2", "45452,545", "45456,545")},
    {"MOhms", 2, 46, Series(2, 0, false), "1", Expected("45,455", "68", "-22,545", "113,455")},
};

TEST_P(ResistorUnit, PickedWithTheMouseRefillsTheValuesSelectsTheFirstAndRecomputesTwice) {
    const UnitPick& pick = GetParam();
    const int runsBefore = form.Recalculations();
    testing_support::PickWithMouse(form.ComboValR1->combo(), pick.position);

    EXPECT_EQ(form.ComboValR1->ListIndex(), pick.position);
    EXPECT_EQ(form.ComboValR1->Text(), QString::fromLatin1(pick.name));
    EXPECT_EQ(form.ComboR->ListCount(), pick.items);
    EXPECT_EQ(Items(*form.ComboR), pick.list);
    EXPECT_EQ(form.ComboR->Text(), QString::fromLatin1(pick.text));
    EXPECT_EQ(form.ComboR->ListIndex(), 0);
    EXPECT_EQ(Shown(), pick.results);
    // Once from the selection of the first value, once at the end of the rebuild.
    EXPECT_EQ(form.Recalculations() - runsBefore, 2);
}

INSTANTIATE_TEST_SUITE_P(MainWindow, ResistorUnit, ::testing::ValuesIn(unitPicks),
                         [](const auto& p) { return std::string(p.param.name); });

using MainWindowResistorUnitChange = MainWindowTest;

TEST_F(MainWindowResistorUnitChange, TheOhmAndMegohmListsLackSixEightAndEndWhereTheyShould) {
    PickFromDroppedList(form.ComboValR1, 0);
    EXPECT_EQ(form.ComboR->List(0), "100");
    EXPECT_EQ(form.ComboR->List(22), "910");
    EXPECT_FALSE(Items(*form.ComboR).contains(QStringLiteral("680")));

    PickFromDroppedList(form.ComboValR1, 2);
    EXPECT_EQ(form.ComboR->List(0), "1");
    EXPECT_EQ(form.ComboR->List(45), "91");
    EXPECT_FALSE(Items(*form.ComboR).contains(QStringLiteral("6,8")));
    EXPECT_FALSE(Items(*form.ComboR).contains(QStringLiteral("68")));
}

TEST_F(MainWindowResistorUnitChange, RepeatedAndAlternatingPicksNeverGrowTheList) {
    struct Step {
        int position;
        int items;
    };
    const Step steps[] = {{1, 69}, {1, 69}, {0, 23}, {0, 23}, {2, 46}, {0, 23},
                          {2, 46}, {2, 46}, {1, 69}, {0, 23}, {1, 69}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.position);
        const int runsBefore = form.Recalculations();
        PickFromDroppedList(form.ComboValR1, step.position);
        EXPECT_EQ(form.ComboR->ListCount(), step.items);
        EXPECT_EQ(form.Recalculations() - runsBefore, 2);
    }
    // Arrow keys on the closed box pick too, one unit per key.
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Down, Qt::Key_Down}) {
        PressIn(form.ComboValR1, key);
    }
    EXPECT_EQ(form.ComboValR1->Text(), "MOhms");
    EXPECT_EQ(form.ComboR->ListCount(), 46);
    EXPECT_EQ(form.ComboR->Text(), "1");
}

TEST_F(MainWindowResistorUnitChange, ATypedValueIsReplacedByTheFirstItemAtTheNextUnitPick) {
    TypeResistor("4,7");
    ASSERT_EQ(form.ComboR->Text(), "4,7");
    ASSERT_EQ(Shown(), Expected("9671,18", "5", "9666,18", "9676,18"));

    // The same unit again: the rebuild runs all the same.
    PickFromDroppedList(form.ComboValR1, 1);
    EXPECT_EQ(form.ComboR->Text(), "1");
    EXPECT_EQ(form.ComboR->ListCount(), 69);
    EXPECT_EQ(Shown(), Expected("45454,545", "2", "45452,545", "45456,545"));

    // And with the mouse, after a value typed in ohms.
    PickFromDroppedList(form.ComboValR1, 0);
    TypeResistor("4,7");
    testing_support::PickWithMouse(form.ComboValR1->combo(), 0);
    EXPECT_EQ(form.ComboR->Text(), "100");
    EXPECT_EQ(Shown(), Expected("454545,455", "1", "454544,455", "454546,455"));
}

TEST_F(MainWindowResistorUnitChange, AValuePickedFromTheResistorListRecomputesOnce) {
    // The 26 kilo-ohms of the start-up are not in the list; "27" is the item after "24".
    const int runsBefore = form.Recalculations();
    PickFromDroppedList(form.ComboR, 33);
    EXPECT_EQ(form.ComboR->Text(), "27");
    EXPECT_EQ(form.Recalculations() - runsBefore, 1);
    EXPECT_EQ(Shown(), Expected("1683,502", "11", "1672,502", "1694,502"));
}

} // namespace
