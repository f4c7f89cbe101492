// The combo box keeps the event rules that the windows' results depend on: code assignments raise
// their event synchronously, user picks raise Click only, user edits raise Change only, and Qt's
// own selections and completions never show through.
#include "gui_helpers.h"
#include "runtime/button.h"
#include "runtime/combo_box.h"

#include <QAccessible>
#include <QClipboard>
#include <QLineEdit>
#include <QScrollBar>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <memory>

namespace {

using runtime::ComboBox;
using testing_support::FocusOn;
using testing_support::PickWithMouse;

// A window holding one combo box that counts its events.
struct Bench {
    explicit Bench(ComboBox::Style style, int items = 5) {
        window = std::make_unique<QWidget>();
        window->resize(300, 200);
        combo = new ComboBox(window.get(), QStringLiteral("Box"), style);
        combo->Move(150, 150, 1500, 315);
        combo->Click.Connect([this] {
            ++clicks;
            textInClick = combo->Text();
        });
        combo->Change.Connect([this] { ++changes; });
        combo->Scroll.Connect([this] { ++scrolls; });
        for (int i = 0; i < items; ++i) {
            combo->AddItem(ItemText(i), combo->ListCount());
        }
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    static QString ItemText(int i) {
        static const char* const texts[] = {"1", "4,3", "47", "56", "62", "75"};
        return i < 6 ? QString::fromLatin1(texts[i]) : QString::number(100 + i);
    }

    QComboBox* qt() const { return combo->combo(); }
    QLineEdit* edit() const { return combo->combo()->lineEdit(); }

    std::unique_ptr<QWidget> window;
    ComboBox* combo = nullptr;
    int clicks = 0;
    int changes = 0;
    int scrolls = 0;
    QString textInClick;
};

class BothStyles : public ::testing::TestWithParam<ComboBox::Style> {};

std::string StyleName(const ::testing::TestParamInfo<ComboBox::Style>& info) {
    return info.param == ComboBox::Style::List ? "ListBox" : "EditableBox";
}

INSTANTIATE_TEST_SUITE_P(Combo, BothStyles,
                         ::testing::Values(ComboBox::Style::List, ComboBox::Style::Editable),
                         StyleName);

TEST_P(BothStyles, FillingFromEmptySelectsNothingAndRaisesNothing) {
    Bench bench(GetParam(), 0);
    if (GetParam() == ComboBox::Style::Editable) {
        bench.combo->SetText(QStringLiteral("typed"));
        bench.changes = 0;
    }
    const QString before = bench.combo->Text();
    for (int i = 0; i < 5; ++i) {
        bench.combo->AddItem(Bench::ItemText(i), bench.combo->ListCount());
    }
    EXPECT_EQ(bench.combo->ListCount(), 5);
    EXPECT_EQ(bench.combo->ListIndex(), -1);
    EXPECT_EQ(bench.combo->Text(), before);
    EXPECT_EQ(bench.combo->List(0), "1");
    EXPECT_EQ(bench.combo->List(4), "62");
    EXPECT_EQ(bench.clicks + bench.changes + bench.scrolls, 0);
}

TEST_P(BothStyles, ClearEmptiesTheListAndRaisesNothing) {
    Bench bench(GetParam());
    bench.combo->SetListIndex(2);
    bench.clicks = 0;
    bench.combo->Clear();
    EXPECT_EQ(bench.combo->ListCount(), 0);
    EXPECT_EQ(bench.combo->ListIndex(), -1);
    EXPECT_EQ(bench.clicks + bench.changes, 0);
}

TEST_P(BothStyles, AssigningListIndexRaisesClickOnceInsideTheAssignment) {
    Bench bench(GetParam());
    bench.combo->SetListIndex(2);
    EXPECT_EQ(bench.clicks, 1);
    EXPECT_EQ(bench.changes, 0);
    // The handler already saw the new text: the event ran before the assignment returned.
    EXPECT_EQ(bench.textInClick, "47");
    EXPECT_EQ(bench.combo->Text(), "47");
    EXPECT_EQ(bench.combo->ListIndex(), 2);
}

TEST_P(BothStyles, PositionsOutsideTheListAreRefused) {
    Bench bench(GetParam());
    EXPECT_THROW(bench.combo->AddItem(QStringLiteral("x"), 7), std::out_of_range);
    EXPECT_THROW(bench.combo->SetListIndex(5), std::out_of_range);
    EXPECT_THROW(bench.combo->SetListIndex(-2), std::out_of_range);
    EXPECT_EQ(bench.clicks, 0);
}

// One notch of the mouse wheel, towards the user, over the middle of the box.
void TurnWheel(QWidget* box) {
    const QPoint centre = box->rect().center();
    QWheelEvent wheel(centre, box->mapToGlobal(centre), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(box, &wheel);
}

// Each way a user picks an item raises Click exactly once and never Change.
struct Pick {
    const char* name;
    void (*act)(Bench&);
    int expectedIndex;
};

const Pick picks[] = {
    {"MouseInDroppedList", [](Bench& b) { PickWithMouse(b.qt(), 3); }, 3},
    {"ArrowDown",
     [](Bench& b) {
         FocusOn(b.qt());
         QTest::keyClick(b.qt(), Qt::Key_Down);
     },
     2},
    {"ArrowUp",
     [](Bench& b) {
         FocusOn(b.qt());
         QTest::keyClick(b.qt(), Qt::Key_Up);
     },
     0},
    {"Wheel",
     [](Bench& b) {
         FocusOn(b.qt());
         TurnWheel(b.qt());
     },
     2},
};

class UserPick : public ::testing::TestWithParam<std::tuple<ComboBox::Style, Pick>> {};

TEST_P(UserPick, RaisesClickOnceAndNeverChange) {
    const auto& [style, pick] = GetParam();
    Bench bench(style);
    bench.combo->SetListIndex(1);
    bench.clicks = 0;
    pick.act(bench);
    EXPECT_EQ(bench.combo->ListIndex(), pick.expectedIndex);
    EXPECT_EQ(bench.combo->Text(), Bench::ItemText(pick.expectedIndex));
    EXPECT_EQ(bench.clicks, 1);
    EXPECT_EQ(bench.changes, 0);
}

INSTANTIATE_TEST_SUITE_P(Combo, UserPick,
                         ::testing::Combine(::testing::Values(ComboBox::Style::List,
                                                              ComboBox::Style::Editable),
                                            ::testing::ValuesIn(picks)),
                         [](const auto& p) {
                             return std::string(std::get<0>(p.param) == ComboBox::Style::List
                                                    ? "ListBox"
                                                    : "EditableBox") +
                                    std::get<1>(p.param).name;
                         });

TEST_P(BothStyles, PickingTheSelectedItemAgainRaisesClickAgain) {
    Bench bench(GetParam());
    PickWithMouse(bench.qt(), 2);
    PickWithMouse(bench.qt(), 2);
    EXPECT_EQ(bench.clicks, 2);
    EXPECT_EQ(bench.changes, 0);
}

TEST_P(BothStyles, TheWheelOverABoxWithoutTheFocusPicksNothing) {
    Bench bench(GetParam());
    bench.combo->SetListIndex(1);
    bench.clicks = 0;
    bench.qt()->clearFocus();
    ASSERT_FALSE(bench.qt()->hasFocus());
    TurnWheel(bench.qt());
    EXPECT_EQ(bench.combo->ListIndex(), 1);
    EXPECT_EQ(bench.clicks + bench.changes, 0);
}

TEST(ComboListBox, ALetterKeyPicksTheItemThatStartsWithIt) {
    Bench bench(ComboBox::Style::List);
    FocusOn(bench.qt());
    QTest::keyClick(bench.qt(), Qt::Key_5);
    EXPECT_EQ(bench.combo->Text(), "56");
    EXPECT_EQ(bench.clicks, 1);
    EXPECT_EQ(bench.changes, 0);
}

TEST(ComboListBox, AcceptsNoTypedText) {
    Bench bench(ComboBox::Style::List);
    bench.combo->SetListIndex(0);
    bench.clicks = 0;
    FocusOn(bench.qt());
    QTest::keyClicks(bench.qt(), QStringLiteral("xyz"));
    EXPECT_EQ(bench.combo->Text(), "1");
    EXPECT_EQ(bench.clicks + bench.changes, 0);
}

TEST(ComboEditableBox, AssigningTextRaisesChangeOnceInsideTheAssignment) {
    Bench bench(ComboBox::Style::Editable);
    QString seen;
    bench.combo->Change.Connect([&] { seen = bench.combo->Text(); });
    bench.combo->SetText(QStringLiteral("26"));
    EXPECT_EQ(bench.changes, 1);
    EXPECT_EQ(seen, "26");
    EXPECT_EQ(bench.clicks, 0);
    EXPECT_EQ(bench.combo->ListCount(), 5);
}

TEST(ComboEditableBox, AnAssignmentInsideChangeNestsOneLevel) {
    Bench bench(ComboBox::Style::Editable);
    std::vector<QString> seen;
    bench.combo->Change.Connect([&] {
        seen.push_back(bench.combo->Text());
        if (bench.combo->Text().contains(u'.')) {
            bench.combo->SetText(bench.combo->Text().replace(u'.', u','));
            seen.push_back(QStringLiteral("after nested"));
        }
    });
    bench.combo->SetText(QStringLiteral("4.7"));
    EXPECT_EQ(seen, (std::vector<QString>{"4.7", "4,7", "after nested"}));
}

TEST(ComboEditableBox, SelStartPutsTheCaret) {
    Bench bench(ComboBox::Style::Editable);
    bench.combo->SetText(QStringLiteral("12345"));
    bench.combo->SetSelStart(2);
    EXPECT_EQ(bench.edit()->cursorPosition(), 2);
    EXPECT_FALSE(bench.edit()->hasSelectedText());
    bench.combo->SetSelStart(5);
    EXPECT_EQ(bench.combo->SelStart(), 5);
}

// Each kind of user edit raises Change once and never Click.
struct Edit {
    const char* name;
    void (*act)(Bench&);
    const char* expectedText;
    int expectedChanges;
};

const Edit edits[] = {
    {"TypingOneKey", [](Bench& b) { QTest::keyClick(b.edit(), Qt::Key_4); }, "4", 1},
    {"TypingThreeKeys", [](Bench& b) { QTest::keyClicks(b.edit(), QStringLiteral("4,7")); }, "4,7",
     3},
    {"Backspace",
     [](Bench& b) {
         QTest::keyClicks(b.edit(), QStringLiteral("47"));
         QTest::keyClick(b.edit(), Qt::Key_Backspace);
     },
     "4", 3},
    {"Pasting",
     [](Bench& b) {
         QApplication::clipboard()->setText(QStringLiteral("1.2.3"));
         QTest::keyClick(b.edit(), Qt::Key_V, Qt::ControlModifier);
     },
     "1.2.3", 1},
    {"TypingTheTextOfAnItem", [](Bench& b) { QTest::keyClicks(b.edit(), QStringLiteral("56")); },
     "56", 2},
};

class UserEdit : public ::testing::TestWithParam<Edit> {};

TEST_P(UserEdit, RaisesChangeOncePerEditAndNeverClick) {
    Bench bench(ComboBox::Style::Editable);
    FocusOn(bench.qt());
    const Edit& edit = GetParam();
    edit.act(bench);
    EXPECT_EQ(bench.combo->Text(), edit.expectedText);
    EXPECT_EQ(bench.changes, edit.expectedChanges);
    EXPECT_EQ(bench.clicks, 0);
    EXPECT_EQ(bench.combo->ListIndex(), -1);
}

INSTANTIATE_TEST_SUITE_P(Combo, UserEdit, ::testing::ValuesIn(edits),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(ComboEditableBox, AScreenReaderHearsItsNameAndReachesTheTypedTextInItsEditField) {
    Bench bench(ComboBox::Style::Editable);
    bench.combo->SetAccessibleName(QStringLiteral("Valeur de R1"));
    FocusOn(bench.qt());
    QTest::keyClicks(bench.edit(), QStringLiteral("4,7"));
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(bench.qt());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(QAccessible::Name), "Valeur de R1");
    EXPECT_EQ(box->text(QAccessible::Value), "4,7");
    ASSERT_EQ(box->childCount(), 2);
    QAccessibleInterface* focused = box->focusChild();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->object(), bench.edit());
    EXPECT_EQ(focused->text(QAccessible::Value), "4,7");
    EXPECT_EQ(box->indexOfChild(focused), 1);
}

TEST(ComboEditableBox, NoInlineCompletion) {
    Bench bench(ComboBox::Style::Editable);
    FocusOn(bench.qt());
    QTest::keyClick(bench.edit(), Qt::Key_4);
    EXPECT_EQ(bench.combo->Text(), "4");
    EXPECT_FALSE(bench.edit()->hasSelectedText());
}

TEST(ComboEditableBox, EnterAddsNothingAndPressesNoButtonLeavingTheFocusPicksNothing) {
    Bench bench(ComboBox::Style::Editable);
    int pressed = 0;
    auto* button =
        new runtime::Button(bench.window.get(), QStringLiteral("Button"), QStringLiteral("Calcul"));
    button->Click.Connect([&] { ++pressed; });
    button->widget()->show();
    FocusOn(bench.qt());
    QTest::keyClicks(bench.edit(), QStringLiteral("56"));
    QTest::keyClick(bench.edit(), Qt::Key_Return);
    QTest::keyClick(bench.edit(), Qt::Key_Enter);
    QTest::keyClicks(bench.edit(), QStringLiteral("9"));
    QTest::keyClick(bench.edit(), Qt::Key_Return);
    button->widget()->setFocus(Qt::TabFocusReason); // the focus leaves the box
    EXPECT_EQ(bench.combo->ListCount(), 5);
    EXPECT_EQ(bench.combo->Text(), "569");
    EXPECT_EQ(pressed, 0);
    EXPECT_EQ(bench.clicks, 0);
}

TEST(ComboListBox, ScrollingTheDroppedListRaisesScrollAndOpeningItDoesNot) {
    Bench bench(ComboBox::Style::List, 72);
    bench.combo->SetListIndex(60); // opening the list scrolls it to this item by itself
    bench.qt()->showPopup();
    QAbstractItemView* view = bench.qt()->view();
    QTRY_VERIFY(view->isVisible());
    EXPECT_EQ(bench.scrolls, 0);
    QScrollBar* bar = view->verticalScrollBar();
    const int before = bar->value();
    const QPoint centre = view->viewport()->rect().center();
    QWheelEvent wheel(centre, view->viewport()->mapToGlobal(centre), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &wheel);
    EXPECT_NE(bar->value(), before);
    EXPECT_GE(bench.scrolls, 1);
    EXPECT_EQ(bench.clicks, 1); // the assignment's, and none from scrolling
    bench.qt()->hidePopup();
}

} // namespace
