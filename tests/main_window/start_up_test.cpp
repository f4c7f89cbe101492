// The main window as it opens, before the user has touched anything: every list filled, the seven
// defaults chosen, and the first results already computed by the events those defaults fired.
#include "main_window_driver.h"

namespace {

using main_window_testing::Box;
using main_window_testing::Items;
using main_window_testing::MainWindowTest;
using main_window_testing::Series;
using main_window_testing::StartUpResults;

using MainWindowStartUp = MainWindowTest;

struct BoxAtStartUp {
    const char* name;
    Box box;
    int items;
    int selected; // -2: nothing relies on it
    const char* text;
};

TEST_F(MainWindowStartUp, EveryInputBoxHoldsItsListSelectionAndText) {
    const BoxAtStartUp rows[] = {
        {"ComboValR1", &ui::Form1::ComboValR1, 3, 1, "KOhms"},
        {"ComboR", &ui::Form1::ComboR, 69, -2, "26"},
        {"ComboValC1", &ui::Form1::ComboValC1, 3, 1, "NanoFarad"},
        {"ComboC", &ui::Form1::ComboC, 72, 32, "22"},
        {"ComboValC2", &ui::Form1::ComboValC2, 2, 1, "MicroFarad"},
        {"ComboC2", &ui::Form1::ComboC2, 72, 34, "27"},
        {"ComboV", &ui::Form1::ComboV, 5, 0, "05"},
    };
    for (const BoxAtStartUp& row : rows) {
        SCOPED_TRACE(row.name);
        const runtime::ComboBox* box = form.*row.box;
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->Name(), QString::fromLatin1(row.name));
        EXPECT_EQ(box->ListCount(), row.items);
        if (row.selected != -2) {
            EXPECT_EQ(box->ListIndex(), row.selected);
        }
        EXPECT_EQ(box->Text(), QString::fromLatin1(row.text));
        // What is drawn is what is held: the Qt widget shows the same text.
        EXPECT_EQ(box->combo()->currentText(), QString::fromLatin1(row.text));
    }
}

TEST_F(MainWindowStartUp, TheFourResultsAreThoseOfTheDefaults) {
    EXPECT_EQ(Shown(), StartUpResults());
}

TEST_F(MainWindowStartUp,
       EightRecalculationsTwoFromTheResistorUnitAndOneForEachOfTheSixOtherDefaults) {
    // The resistor unit rebuilds the resistor list, whose first item's Click recomputes, and the
    // rebuild recomputes once more at its end; every other default fires one event that
    // recomputes once. The last of them is the first with every input a number: no result is
    // marked as not current.
    EXPECT_EQ(form.Recalculations(), 8);
    for (const runtime::Label* result :
         {form.Freq.data(), form.B.data(), form.LblPlageBas.data(), form.LblPlageHaut.data()}) {
        EXPECT_EQ(result->ToolTip(), "") << result->Name().toStdString();
    }
}

TEST_F(MainWindowStartUp, TheResistorValueIsNotOneOfTheListItems) {
    // "26" was assigned as text: its neighbours in the list are "24" and "27".
    EXPECT_EQ(form.ComboR->combo()->findText(QStringLiteral("26"), Qt::MatchExactly), -1);
    EXPECT_NE(form.ComboR->combo()->findText(QStringLiteral("24"), Qt::MatchExactly), -1);
    EXPECT_NE(form.ComboR->combo()->findText(QStringLiteral("27"), Qt::MatchExactly), -1);
}

TEST_F(MainWindowStartUp, NoDesignCaptionOfAResultIsLeft) {
    for (const runtime::Label* label :
         {form.Freq.data(), form.B.data(), form.LblPlageBas.data(), form.LblPlageHaut.data()}) {
        for (const char* design :
             {"1000,000 Hz", "+/- 100 Hz", "Plage Basse Hz", "Plage Haute Hz"}) {
            EXPECT_NE(label->Caption(), QString::fromLatin1(design)) << label->Name().toStdString();
        }
    }
    EXPECT_NE(form.ComboR->Text(), "ComboR");
}

TEST(MainWindowStartUpTwice, GivesTheSameListsAndResultsEachTime) {
    auto snapshot = [] {
        ui::Form1 form;
        form.Show();
        QStringList seen;
        for (runtime::ComboBox* box :
             {form.ComboValR1.data(), form.ComboR.data(), form.ComboValC1.data(),
              form.ComboC.data(), form.ComboValC2.data(), form.ComboC2.data(),
              form.ComboV.data()}) {
            for (int i = 0; i < box->ListCount(); ++i) {
                seen << box->List(i);
            }
            seen << box->Text() << QString::number(box->ListIndex());
        }
        seen << form.Freq->Caption() << form.B->Caption() << form.LblPlageBas->Caption()
             << form.LblPlageHaut->Caption();
        form.Unload();
        return seen;
    };
    const QStringList first = snapshot();
    EXPECT_EQ(first.size(), 3 + 69 + 3 + 72 + 2 + 72 + 5 + 7 * 2 + 4);
    EXPECT_EQ(snapshot(), first);
}

// ---- The lists ------------------------------------------------------------------------------

using MainWindowLists = MainWindowTest;

TEST_F(MainWindowLists, TheDesignListsHoldTheUnitsAndVoltagesAtTheirPositions) {
    EXPECT_EQ(Items(*form.ComboValR1), QStringList({"Ohms", "KOhms", "MOhms"}));
    EXPECT_EQ(Items(*form.ComboValC1), QStringList({"PicoFarad", "NanoFarad", "MicroFarad"}));
    EXPECT_EQ(Items(*form.ComboValC2), QStringList({"NanoFarad", "MicroFarad"}));
    EXPECT_EQ(Items(*form.ComboV), QStringList({"05", "09", "12", "15", "24"}));
}

struct NamedItem {
    int position;
    const char* text;
};

TEST_F(MainWindowLists, BothCapacitorListsHoldThreeDecadesOfTheSeriesInRisingOrder) {
    const NamedItem named[] = {{0, "1"},    {7, "2"},    {11, "3"},  {20, "6,8"}, {23, "9,1"},
                               {24, "10"},  {32, "22"},  {34, "27"}, {44, "68"},  {47, "91"},
                               {48, "100"}, {68, "680"}, {71, "910"}};
    for (const runtime::ComboBox* box : {form.ComboC.data(), form.ComboC2.data()}) {
        SCOPED_TRACE(box->Name().toStdString());
        ASSERT_EQ(box->ListCount(), 72);
        EXPECT_EQ(Items(*box), Series(3, 0, true));
        for (const NamedItem& item : named) {
            EXPECT_EQ(box->List(item.position), QString::fromUtf8(item.text)) << item.position;
        }
        // No per-item data, nothing but the text.
        for (int i = 0; i < box->ListCount(); ++i) {
            EXPECT_FALSE(box->combo()->itemData(i).isValid()) << i;
        }
    }
}

TEST_F(MainWindowLists, TheKiloOhmListLacksSixEightInEveryDecade) {
    const QStringList items = Items(*form.ComboR);
    ASSERT_EQ(items.size(), 69);
    EXPECT_EQ(items, Series(3, 0, false));
    EXPECT_EQ(items.first(), "1");
    EXPECT_EQ(items.last(), "910");
    EXPECT_EQ(items.at(41), "56");
    EXPECT_EQ(items.at(42), "62");
    EXPECT_EQ(items.at(43), "75");
    for (const char* missing : {"6,8", "68", "680"}) {
        EXPECT_FALSE(items.contains(QString::fromLatin1(missing))) << missing;
    }
}

TEST_F(MainWindowLists, TheTwoCapacitorListsAreSeparateCopies) {
    EXPECT_NE(form.ComboC->combo()->model(), form.ComboC2->combo()->model());

    // A pick in the C1 values leaves the C2 selection where it was, and the other way round.
    PressIn(form.ComboC, Qt::Key_Down);
    EXPECT_EQ(form.ComboC->ListIndex(), 33);
    EXPECT_EQ(form.ComboC->Text(), "24");
    EXPECT_EQ(form.ComboC2->ListIndex(), 34);
    EXPECT_EQ(form.ComboC2->Text(), "27");

    PressIn(form.ComboC2, Qt::Key_End);
    EXPECT_EQ(form.ComboC2->ListIndex(), 71);
    EXPECT_EQ(form.ComboC2->Text(), "910");
    EXPECT_EQ(form.ComboC->ListIndex(), 33);
    EXPECT_EQ(form.ComboC->Text(), "24");
}

} // namespace
