// What a screen reader is told about the main window, read through Qt's accessibility
// interfaces: each input by a French name, the buttons by their captions with what they do, the
// results by their current captions with what they are.
//
// On the offscreen platform the interfaces answer without anything being switched on; what does
// not work there is listening: the platform has no accessibility bridge, so QAccessible::isActive()
// stays false whatever setActive() is told, and no update event reaches an installed handler. A
// caption's change is therefore checked by reading the name again.
#include "main_window_driver.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <utility>

namespace {

using main_window_testing::Box;
using main_window_testing::Caption;
using main_window_testing::MainWindowTest;

using MainWindowAccessibility = MainWindowTest;

QAccessibleInterface* Accessible(const runtime::Control* control) {
    return QAccessible::queryAccessibleInterface(control->widget());
}

QString NameOf(const runtime::Control* control) {
    QAccessibleInterface* accessible = Accessible(control);
    return accessible != nullptr ? accessible->text(QAccessible::Name) : QStringLiteral("(none)");
}

struct SpokenInput {
    Box box;
    const char* name;
    const char* atStartUp;
    Qt::Key key;          // a pick by keys
    const char* afterKey; // the value then read
};

// The items of a box's list that a screen reader finds marked selected.
QStringList SelectedItems(QAccessibleInterface* box) {
    QStringList selected;
    QAccessibleInterface* list = box->child(0);
    for (int i = 0; list != nullptr && i < list->childCount(); ++i) {
        QAccessibleInterface* item = list->child(i);
        if (item != nullptr && item->state().selected) {
            selected << item->text(QAccessible::Name);
        }
    }
    return selected;
}

// Each box by its French name, and its value read as a screen reader reads it: as the value, as
// the text, and as the one item marked selected in its list, which has never been dropped.
TEST_F(MainWindowAccessibility, EachInputIsNamedInFrenchAndReadsItsValue) {
    const SpokenInput inputs[] = {
        {&ui::Form1::ComboR, "Valeur de R1", "26", Qt::Key_Down, "27"},
        {&ui::Form1::ComboValC1, "Unité de C1", "NanoFarad", Qt::Key_Down, "MicroFarad"},
        {&ui::Form1::ComboC, "Valeur de C1", "22", Qt::Key_Down, "24"},
        {&ui::Form1::ComboValC2, "Unité de C2", "MicroFarad", Qt::Key_Up, "NanoFarad"},
        {&ui::Form1::ComboC2, "Valeur de C2", "27", Qt::Key_Up, "24"},
        {&ui::Form1::ComboV, "Tension d'alimentation", "05", Qt::Key_Down, "09"},
        // Last: the unit rebuilds the resistor list.
        {&ui::Form1::ComboValR1, "Unité de R1", "KOhms", Qt::Key_Up, "Ohms"},
    };
    for (const SpokenInput& input : inputs) {
        runtime::ComboBox* box = form.*input.box;
        SCOPED_TRACE(box->Name().toStdString());
        QAccessibleInterface* accessible = Accessible(box);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->role(), QAccessible::ComboBox);
        EXPECT_TRUE(accessible->state().focusable);
        for (const auto& [key, value] :
             {std::pair<Qt::Key, const char*>{Qt::Key_unknown, input.atStartUp},
              std::pair<Qt::Key, const char*>{input.key, input.afterKey}}) {
            if (key != Qt::Key_unknown) {
                PressIn(box, key);
            }
            const QString expected = QString::fromUtf8(value);
            EXPECT_EQ(accessible->text(QAccessible::Name), QString::fromUtf8(input.name));
            EXPECT_EQ(accessible->text(QAccessible::Value), expected);
            QAccessibleTextInterface* text = accessible->textInterface();
            ASSERT_NE(text, nullptr) << "no text to read";
            EXPECT_EQ(text->text(0, text->characterCount()), expected);
            // The start-up "26" is no item of the list: nothing is marked.
            const bool anItem = !(box == form.ComboR && key == Qt::Key_unknown);
            EXPECT_EQ(SelectedItems(accessible), anItem ? QStringList{expected} : QStringList{});
        }
    }
}

// The resistor box's edit field takes the focus: it carries the box's name, and its tool tip as
// its description, which says what is expected while the text is no number.
TEST_F(MainWindowAccessibility, TheResistorEditFieldIsNamedAndDescribedAsTheBox) {
    QAccessibleInterface* edit = QAccessible::queryAccessibleInterface(ResistorEdit());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(QAccessible::Name), "Valeur de R1");
    EXPECT_EQ(edit->text(QAccessible::Description), "Modifiable");
    TypeResistor("abc");
    EXPECT_EQ(edit->text(QAccessible::Description), "Nombre attendu, virgule décimale : 4,7");
}

struct SpokenButton {
    QPointer<runtime::Button> ui::Form1::*button;
    const char* name;
    const char* description;
};

TEST_F(MainWindowAccessibility, ButtonsAreNamedByTheirCaptionsAndSayWhatTheyDo) {
    const SpokenButton buttons[] = {
        {&ui::Form1::Command2, "Calcul", "Recalcule les résultats"},
        {&ui::Form1::Command3, "Voir le schéma életronique", "Ouvre la fenêtre du schéma"},
    };
    for (const SpokenButton& spoken : buttons) {
        const runtime::Button* button = form.*spoken.button;
        SCOPED_TRACE(button->Name().toStdString());
        QAccessibleInterface* accessible = Accessible(button);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->role(), QAccessible::Button);
        EXPECT_EQ(accessible->text(QAccessible::Name), QString::fromUtf8(spoken.name));
        EXPECT_EQ(accessible->text(QAccessible::Description),
                  QString::fromUtf8(spoken.description));
        EXPECT_TRUE(accessible->state().focusable);
    }
}

struct SpokenResult {
    Caption label;
    const char* description;
    const char* atStartUp;
    const char* afterC1Is24; // the next C1 value, 24 nF
};

TEST_F(MainWindowAccessibility, ResultsAreNamedByTheirCurrentCaptionAndDescribedByWhatTheyAre) {
    const SpokenResult results[] = {
        {&ui::Form1::Freq, "Fréquence centrale", "1748,252 Hz", "1602,564 Hz"},
        {&ui::Form1::B, "Demi-largeur de la plage de capture", "+/- 11 Hz", "+/- 12 Hz"},
        {&ui::Form1::LblPlageBas, "Limite basse de la plage de capture", "> 1737,252 Hz",
         "> 1590,564 Hz"},
        {&ui::Form1::LblPlageHaut, "Limite haute de la plage de capture", "< 1759,252 Hz",
         "< 1614,564 Hz"},
    };
    for (const SpokenResult& result : results) {
        const runtime::Label* label = form.*result.label;
        SCOPED_TRACE(label->Name().toStdString());
        QAccessibleInterface* accessible = Accessible(label);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->role(), QAccessible::StaticText);
        EXPECT_EQ(accessible->text(QAccessible::Name), QString::fromUtf8(result.atStartUp));
        EXPECT_EQ(accessible->text(QAccessible::Description),
                  QString::fromUtf8(result.description));
        EXPECT_FALSE(accessible->state().focusable);
    }

    // The user picks the next C1 value: what is read out follows what is shown.
    PressIn(form.ComboC, Qt::Key_Down);
    ASSERT_EQ(form.ComboC->Text(), "24");
    for (const SpokenResult& result : results) {
        const runtime::Label* label = form.*result.label;
        SCOPED_TRACE(label->Name().toStdString());
        EXPECT_EQ(NameOf(label), QString::fromUtf8(result.afterC1Is24));
        EXPECT_EQ(NameOf(label), label->Caption());
        EXPECT_EQ(Accessible(label)->text(QAccessible::Description),
                  QString::fromUtf8(result.description));
    }
}

TEST_F(MainWindowAccessibility, TheWindowAndItsFramesAreNamedByTheirCaptions) {
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(form.window());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name), "Vireldo 567");
    EXPECT_EQ(NameOf(form.Frame1), "Fréquence");
    EXPECT_EQ(NameOf(form.Frame2), "Fréquence centrale");
    EXPECT_EQ(NameOf(form.Frame3), "Plage de capture");
    EXPECT_EQ(NameOf(form.Label1), "Dévellopé par l'atelier Vireldo - www.vireldo.example");
}

} // namespace
