// The main window's frame and controls as drawn, and the picks, buttons and keys a user reaches
// them with: units and values recompute once, Calcul changes nothing shown, the schematic button
// opens one window, Tab walks the boxes in their order and Enter presses nothing.
#include "main_window_driver.h"
#include "runtime/twips.h"

#include <QClipboard>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QWindow>
#include <cstdlib>

namespace {

using main_window_testing::Box;
using main_window_testing::Expected;
using main_window_testing::MainWindowTest;
using main_window_testing::Results;
using main_window_testing::StartUpResults;

// ---- Picks in the other boxes ------------------------------------------------------------

struct BoxPick {
    const char* name;
    Box box;
    Qt::Key key;
    const char* text; // then shown in the box
    Results results;
};

void PrintTo(const BoxPick& row, std::ostream* out) {
    *out << row.name;
}

class OtherBoxPick : public MainWindowTest, public ::testing::WithParamInterface<BoxPick> {};

// From the start-up state: 26 kilo-ohms, 22 nanofarads, 27 microfarads, 5 V.
const BoxPick boxPicks[] = {
    {"C1UnitMicroFarad", &ui::Form1::ComboValC1, Qt::Key_End, "MicroFarad",
     Expected("1,748", "348", "-346,252", "349,748")},
    {"C1UnitPicoFarad", &ui::Form1::ComboValC1, Qt::Key_Home, "PicoFarad",
     Expected("1748251,748", "0", "1748251,748", "1748251,748")},
    {"C2UnitNanoFarad", &ui::Form1::ComboValC2, Qt::Key_Home, "NanoFarad",
     Expected("1748,252", "348", "1400,252", "2096,252")},
    {"C1Value", &ui::Form1::ComboC, Qt::Key_Down, "24",
     Expected("1602,564", "12", "1590,564", "1614,564")},
    {"C2Value", &ui::Form1::ComboC2, Qt::Key_Down, "30",
     Expected("1748,252", "10", "1738,252", "1758,252")},
    {"SupplyVoltage", &ui::Form1::ComboV, Qt::Key_Down, "09",
     Expected("1748,252", "15", "1733,252", "1763,252")},
};

TEST_P(OtherBoxPick, RecomputesOnceWithTheNewValue) {
    const BoxPick& pick = GetParam();
    runtime::ComboBox* box = form.*pick.box;
    const int runsBefore = form.Recalculations();
    PressIn(box, pick.key);
    EXPECT_EQ(box->Text(), QString::fromLatin1(pick.text));
    EXPECT_EQ(form.Recalculations() - runsBefore, 1);
    EXPECT_EQ(Shown(), pick.results);
    // The resistor list is not touched by any of these.
    EXPECT_EQ(form.ComboR->Text(), "26");
    EXPECT_EQ(form.ComboR->ListCount(), 69);
}

INSTANTIATE_TEST_SUITE_P(MainWindow, OtherBoxPick, ::testing::ValuesIn(boxPicks),
                         [](const auto& p) { return std::string(p.param.name); });

using MainWindowControls = MainWindowTest;

TEST_F(MainWindowControls, AUnitPickedWithTheMouseRecomputesOnce) {
    const int runsBefore = form.Recalculations();
    testing_support::PickWithMouse(form.ComboValC1->combo(), 2);
    EXPECT_EQ(form.ComboValC1->Text(), "MicroFarad");
    EXPECT_EQ(form.Recalculations() - runsBefore, 1);
    EXPECT_EQ(Shown(), Expected("1,748", "348", "-346,252", "349,748"));
}

TEST_F(MainWindowControls, ListBoxesTakeNoTypedText) {
    const int runsBefore = form.Recalculations();
    for (runtime::ComboBox* box :
         {form.ComboValR1.data(), form.ComboValC1.data(), form.ComboC.data(),
          form.ComboValC2.data(), form.ComboC2.data(), form.ComboV.data()}) {
        const QString before = box->Text();
        testing_support::FocusOn(box->combo());
        QTest::keyClicks(box->combo(), QStringLiteral("xyz"));
        EXPECT_EQ(box->Text(), before) << box->Name().toStdString();
        EXPECT_FALSE(box->combo()->isEditable());
    }
    EXPECT_EQ(form.Recalculations(), runsBefore);
    EXPECT_TRUE(form.ComboR->combo()->isEditable());
}

// ---- Buttons -------------------------------------------------------------------------------

TEST_F(MainWindowControls, CalculChangesNothingShownAndRecomputesOnce) {
    PressIn(form.ComboC, Qt::Key_End); // 910 nF, so that the results are not the start-up ones
    const Results before = Shown();
    const int runsBefore = form.Recalculations();
    QTest::mouseClick(form.Command2->widget(), Qt::LeftButton);
    EXPECT_EQ(form.Recalculations() - runsBefore, 1);
    EXPECT_EQ(Shown(), before);
    EXPECT_EQ(form.SchematicWindow(), nullptr);

    // It does recalculate: a C1 of 24 nF put in the box behind the window's back shows once
    // "Calcul" is clicked.
    {
        const QSignalBlocker silently(form.ComboC->combo());
        form.ComboC->combo()->setCurrentIndex(33);
    }
    ASSERT_EQ(Shown(), before);
    QTest::qWait(QApplication::doubleClickInterval() + 20);
    QTest::mouseClick(form.Command2->widget(), Qt::LeftButton);
    EXPECT_EQ(Shown(), Expected("1602,564", "12", "1590,564", "1614,564"));
}

TEST_F(MainWindowControls, TheSchematicButtonClickedTwiceOpensOneModelessWindow) {
    ASSERT_EQ(runtime::Form::LoadedCount(), 1);
    QTest::mouseClick(form.Command3->widget(), Qt::LeftButton);
    ui::Form2* first = form.SchematicWindow();
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(first->IsLoaded());
    EXPECT_TRUE(first->window()->isVisible());
    QTest::qWait(QApplication::doubleClickInterval() + 20);
    QTest::mouseClick(form.Command3->widget(), Qt::LeftButton);
    EXPECT_EQ(form.SchematicWindow(), first);
    EXPECT_EQ(runtime::Form::LoadedCount(), 2);
    int windowsShown = 0;
    for (const QWidget* top : QApplication::topLevelWidgets()) {
        windowsShown +=
            top->isVisible() && (top->windowType() == Qt::Window || top->windowType() == Qt::Tool)
                ? 1
                : 0;
    }
    EXPECT_EQ(windowsShown, 2);

    // Modeless: the main window still takes the user's picks.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(form.window()->isEnabled());
    const int runsBefore = form.Recalculations();
    QTest::mouseClick(form.Command2->widget(), Qt::LeftButton);
    EXPECT_EQ(form.Recalculations() - runsBefore, 1);
    EXPECT_EQ(Shown(), StartUpResults());
}

TEST_F(MainWindowControls, TheSchematicFollowsTheValuesWhileOpenAndReopensWithThoseOfTheMoment) {
    QTest::mouseClick(form.Command3->widget(), Qt::LeftButton);
    ui::Form2* schematic = form.SchematicWindow();
    ASSERT_NE(schematic, nullptr);
    EXPECT_EQ(schematic->LblC1->Caption(), "22NanoFarad");

    // Open, it follows; closed, changed and opened again, it shows the value of that moment.
    PressIn(form.ComboC, Qt::Key_Down);
    EXPECT_EQ(schematic->LblC1->Caption(), "24NanoFarad");
    schematic->window()->close();
    ASSERT_FALSE(schematic->IsLoaded());
    EXPECT_EQ(runtime::Form::LoadedCount(), 1);
    PressIn(form.ComboC, Qt::Key_Down);
    QTest::qWait(QApplication::doubleClickInterval() + 20);
    QTest::mouseClick(form.Command3->widget(), Qt::LeftButton);
    EXPECT_EQ(form.SchematicWindow(), schematic);
    ASSERT_TRUE(schematic->IsLoaded());
    EXPECT_EQ(schematic->LblC1->Caption(), "27NanoFarad");
    EXPECT_EQ(runtime::Form::LoadedCount(), 2);
}

TEST_F(MainWindowControls, SpacePressesTheButtonThatHasTheFocus) {
    const int runsBefore = form.Recalculations();
    testing_support::FocusOn(form.Command2->widget());
    QTest::keyClick(form.Command2->widget(), Qt::Key_Space);
    EXPECT_EQ(form.Recalculations() - runsBefore, 1);
    testing_support::FocusOn(form.Command3->widget());
    QTest::keyClick(form.Command3->widget(), Qt::Key_Space);
    EXPECT_NE(form.SchematicWindow(), nullptr);
}

// ---- Keyboard ------------------------------------------------------------------------------

const char* const tabOrder[] = {"ComboValR1", "ComboR", "ComboValC1", "ComboC",  "ComboValC2",
                                "ComboC2",    "ComboV", "Command3",   "Command2"};

QString FocusName() {
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr ? focus->objectName() : QStringLiteral("(nothing)");
}

TEST_F(MainWindowControls, OpensWithTheFocusOnTheResistorUnitAndTabWalksTheInputsInOrder) {
    EXPECT_EQ(FocusName(), "ComboValR1");
    for (int step = 1; step <= 9; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(FocusName(), QString::fromLatin1(tabOrder[step % 9])) << "after Tab " << step;
    }
    for (int step = 1; step <= 9; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(FocusName(), QString::fromLatin1(tabOrder[(9 - step) % 9]))
            << "after Shift+Tab " << step;
    }
}

TEST_F(MainWindowControls, EnterInAnyControlPressesNoButtonAndPicksNothing) {
    QStringList textsBefore;
    for (runtime::ComboBox* box :
         {form.ComboValR1.data(), form.ComboR.data(), form.ComboValC1.data(), form.ComboC.data(),
          form.ComboValC2.data(), form.ComboC2.data(), form.ComboV.data()}) {
        textsBefore << box->Text() << QString::number(box->ListIndex());
    }
    const int runsBefore = form.Recalculations();
    for (const char* name : tabOrder) {
        SCOPED_TRACE(name);
        auto* control = form.window()->findChild<runtime::Control*>(QString::fromLatin1(name));
        ASSERT_NE(control, nullptr);
        testing_support::FocusOn(control->widget());
        ASSERT_EQ(FocusName(), QString::fromLatin1(name));
        QTest::keyClick(control->widget(), Qt::Key_Return);
        QTest::keyClick(control->widget(), Qt::Key_Enter);
        EXPECT_EQ(form.Recalculations(), runsBefore);
        EXPECT_EQ(form.SchematicWindow(), nullptr);
        EXPECT_EQ(FocusName(), QString::fromLatin1(name));
    }
    QStringList textsAfter;
    for (runtime::ComboBox* box :
         {form.ComboValR1.data(), form.ComboR.data(), form.ComboValC1.data(), form.ComboC.data(),
          form.ComboValC2.data(), form.ComboC2.data(), form.ComboV.data()}) {
        textsAfter << box->Text() << QString::number(box->ListIndex());
    }
    EXPECT_EQ(textsAfter, textsBefore);
    EXPECT_EQ(Shown(), StartUpResults());
}

TEST_F(MainWindowControls, EnterAfterTypingAListValueIntoTheResistorBoxPicksNothing) {
    TypeResistor("27"); // "27" is an item of the list, at position 33
    const int listIndex = form.ComboR->ListIndex();
    const int runsBefore = form.Recalculations();
    QTest::keyClick(form.ComboR->combo(), Qt::Key_Return);
    QTest::keyClick(form.ComboR->combo(), Qt::Key_Tab); // and the focus leaves
    EXPECT_EQ(FocusName(), "ComboValC1");
    EXPECT_EQ(form.Recalculations(), runsBefore);
    EXPECT_EQ(form.ComboR->ListIndex(), listIndex);
    EXPECT_EQ(form.ComboR->ListCount(), 69);
    EXPECT_EQ(form.ComboR->Text(), "27");
}

// ---- The window and its definition -------------------------------------------------------

TEST_F(MainWindowControls, IsAFixedSizeWindowWithACloseButtonOnlyAndATaskbarEntry) {
    QWidget* window = form.window();
    EXPECT_EQ(window->windowTitle(), "Vireldo 567");
    EXPECT_EQ(window->size(), QSize(337, 257));
    EXPECT_EQ(window->minimumSize(), QSize(337, 257));
    EXPECT_EQ(window->maximumSize(), QSize(337, 257));
    EXPECT_EQ(runtime::PixelsToTwips(window->width()), 5055);
    EXPECT_EQ(runtime::PixelsToTwips(window->height()), 3855);

    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_EQ(window->windowType(), Qt::Window); // not a tool window: it has a taskbar entry
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowContextHelpButtonHint));

    const QIcon icon = window->windowIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_FALSE(icon.pixmap(16, 16).isNull());

    // Centred on the screen, give or take the thickness of the window's frame.
    const QPoint centre = window->screen()->availableGeometry().center();
    const QRect outer = window->frameGeometry();
    const int frame =
        std::max(window->geometry().top() - outer.top(), window->geometry().left() - outer.left()) +
        1;
    EXPECT_LE(std::abs(outer.center().x() - centre.x()), frame);
    EXPECT_LE(std::abs(outer.center().y() - centre.y()), frame);
}

TEST_F(MainWindowControls, EveryControlWritesInTahomaOfTheWindow) {
    const QFontInfo font(form.window()->font());
    EXPECT_EQ(font.family(), "Tahoma");
    EXPECT_DOUBLE_EQ(form.window()->font().pointSizeF(), 8.25);
    EXPECT_EQ(font.weight(), QFont::Normal);
    for (const runtime::Control* control : form.window()->findChildren<runtime::Control*>()) {
        EXPECT_FALSE(control->widget()->testAttribute(Qt::WA_SetFont))
            << control->Name().toStdString() << " has a font of its own";
        EXPECT_EQ(control->widget()->font(), form.window()->font());
    }
}

enum class Kind { Frame, Label, ListBox, EditableBox, Button };

struct Defined {
    const char* name;
    Kind kind;
    const char* container;        // nullptr: the window itself
    int left, top, width, height; // twips; width and height -1 for a self-sizing label
};

// In the order of the window definition.
const Defined definition[] = {
    {"Frame1", Kind::Frame, nullptr, 3240, 120, 1695, 2895},
    {"Command2", Kind::Button, "Frame1", 360, 2400, 990, 360},
    {"LblPlageBas", Kind::Label, "Frame1", 0, 1560, 1845, 195},
    {"LblPlageHaut", Kind::Label, "Frame1", 0, 600, 1725, 195},
    {"Freq", Kind::Label, "Frame1", 0, 1080, 1725, 195},
    {"Frame2", Kind::Frame, nullptr, 120, 120, 3015, 1215},
    {"ComboValC1", Kind::ListBox, "Frame2", 120, 720, 1095, 315},
    {"ComboValR1", Kind::ListBox, "Frame2", 120, 360, 1095, 315},
    {"ComboC", Kind::ListBox, "Frame2", 1200, 720, 1095, 315},
    {"ComboR", Kind::EditableBox, "Frame2", 1200, 360, 1095, 315},
    {"Label4", Kind::Label, "Frame2", 2400, 760, -1, -1},
    {"Label2", Kind::Label, "Frame2", 2400, 400, -1, -1},
    {"Frame3", Kind::Frame, nullptr, 120, 1440, 3015, 1575},
    {"ComboC2", Kind::ListBox, "Frame3", 1200, 360, 1095, 315},
    {"ComboValC2", Kind::ListBox, "Frame3", 120, 360, 1095, 315},
    {"ComboV", Kind::ListBox, "Frame3", 1440, 720, 855, 315},
    {"Label6", Kind::Label, "Frame3", 120, 720, -1, -1},
    {"B", Kind::Label, "Frame3", 1440, 1200, -1, -1},
    {"Label3", Kind::Label, "Frame3", 2400, 400, -1, -1},
    {"Command3", Kind::Button, nullptr, 120, 3120, 4815, 360},
    {"Label1", Kind::Label, nullptr, 120, 3560, 4815, 195},
};

bool IsKind(const QWidget* widget, Kind kind) {
    switch (kind) {
    case Kind::Frame:
        return qobject_cast<const QGroupBox*>(widget) != nullptr;
    case Kind::Label:
        return qobject_cast<const QLabel*>(widget) != nullptr;
    case Kind::Button:
        return qobject_cast<const QPushButton*>(widget) != nullptr;
    case Kind::ListBox:
    case Kind::EditableBox: {
        const auto* combo = qobject_cast<const QComboBox*>(widget);
        return combo != nullptr && combo->isEditable() == (kind == Kind::EditableBox);
    }
    }
    return false;
}

// A position in twips lands on the nearest pixel: within half a pixel of what was asked.
void ExpectTwips(int actual, int expected, const char* what) {
    EXPECT_LE(std::abs(actual - expected), runtime::TwipsPerPixel / 2)
        << what << ": " << actual << " twips, " << expected << " asked";
}

TEST_F(MainWindowControls, HoldsTheTwentyOneControlsOfItsDefinitionByNameKindPlaceAndSize) {
    EXPECT_EQ(form.window()->findChildren<runtime::Control*>().size(), 21);
    for (const Defined& defined : definition) {
        SCOPED_TRACE(defined.name);
        auto* control =
            form.window()->findChild<runtime::Control*>(QString::fromLatin1(defined.name));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->Name(), QString::fromLatin1(defined.name));
        EXPECT_EQ(control->widget()->objectName(), QString::fromLatin1(defined.name));
        EXPECT_TRUE(IsKind(control->widget(), defined.kind));
        const QWidget* container = control->widget()->parentWidget();
        if (defined.container == nullptr) {
            EXPECT_EQ(container, form.window());
        } else {
            EXPECT_EQ(container->objectName(), QString::fromLatin1(defined.container));
        }
        ExpectTwips(control->Left(), defined.left, "Left");
        ExpectTwips(control->Top(), defined.top, "Top");
        if (defined.width >= 0) {
            ExpectTwips(control->Width(), defined.width, "Width");
            ExpectTwips(control->Height(), defined.height, "Height");
        }
        EXPECT_TRUE(control->widget()->isVisible());
    }
}

TEST_F(MainWindowControls, ThePublicControlsAreTheNamedOnes) {
    const std::pair<const runtime::Control*, const char*> named[] = {
        {form.Frame1, "Frame1"},
        {form.Command2, "Command2"},
        {form.LblPlageBas, "LblPlageBas"},
        {form.LblPlageHaut, "LblPlageHaut"},
        {form.Freq, "Freq"},
        {form.Frame2, "Frame2"},
        {form.ComboValC1, "ComboValC1"},
        {form.ComboValR1, "ComboValR1"},
        {form.ComboC, "ComboC"},
        {form.ComboR, "ComboR"},
        {form.Label4, "Label4"},
        {form.Label2, "Label2"},
        {form.Frame3, "Frame3"},
        {form.ComboC2, "ComboC2"},
        {form.ComboValC2, "ComboValC2"},
        {form.ComboV, "ComboV"},
        {form.Label6, "Label6"},
        {form.B, "B"},
        {form.Label3, "Label3"},
        {form.Command3, "Command3"},
        {form.Label1, "Label1"},
    };
    for (const auto& [control, name] : named) {
        ASSERT_NE(control, nullptr) << name;
        EXPECT_EQ(control->Name(), QString::fromLatin1(name));
    }
}

TEST_F(MainWindowControls, ShowsTheDesignTextsOfItsStaticControls) {
    EXPECT_EQ(form.Frame1->Caption(), "Fréquence");
    EXPECT_EQ(form.Frame2->Caption(), "Fréquence centrale");
    EXPECT_EQ(form.Frame3->Caption(), "Plage de capture");
    EXPECT_EQ(form.Command2->Caption(), "Calcul");
    EXPECT_EQ(form.Command3->Caption(), "Voir le schéma életronique");
    EXPECT_EQ(form.Label2->Caption(), "R1/RV1");
    EXPECT_EQ(form.Label3->Caption(), "C2");
    EXPECT_EQ(form.Label4->Caption(), "C1");
    EXPECT_EQ(form.Label6->Caption(), "Tension d'alim. :");
    EXPECT_EQ(form.Label1->Caption(), "Dévellopé par l'atelier Vireldo - www.vireldo.example");
    // No access-key letter anywhere, no default button.
    for (const runtime::Button* button : {form.Command2.data(), form.Command3.data()}) {
        EXPECT_FALSE(button->button()->text().contains(u'&'));
        EXPECT_FALSE(button->button()->isDefault());
        EXPECT_FALSE(button->button()->autoDefault());
    }
}

TEST_F(MainWindowControls, TheCreditLineIsGreyAndTheOtherTextsAreNot) {
    const QColor credit = form.Label1->label()->palette().color(QPalette::WindowText);
    EXPECT_EQ(credit.red(), credit.green());
    EXPECT_EQ(credit.green(), credit.blue());
    EXPECT_GT(credit.red(), 0x30);
    EXPECT_LT(credit.red(), 0xD0);
    const QColor ordinary = form.Label2->label()->palette().color(QPalette::WindowText);
    EXPECT_NE(ordinary, credit);
    EXPECT_EQ(form.Freq->label()->palette().color(QPalette::WindowText), ordinary);
}

TEST_F(MainWindowControls, OnlyTheResistorValueHasATooltip) {
    for (const runtime::Control* control : form.window()->findChildren<runtime::Control*>()) {
        EXPECT_EQ(control->widget()->toolTip(),
                  control == form.ComboR ? QStringLiteral("Modifiable") : QString())
            << control->Name().toStdString();
    }
}

TEST_F(MainWindowControls, ResultLabelsAreCentredAndOnlyTheHalfWidthFollowsItsText) {
    for (const runtime::Label* label : {form.Freq.data(), form.B.data(), form.LblPlageBas.data(),
                                        form.LblPlageHaut.data(), form.Label1.data()}) {
        EXPECT_TRUE(label->label()->alignment().testFlag(Qt::AlignHCenter))
            << label->Name().toStdString();
    }
    for (const runtime::Label* label :
         {form.Label2.data(), form.Label3.data(), form.Label4.data(), form.Label6.data()}) {
        EXPECT_TRUE(label->label()->alignment().testFlag(Qt::AlignLeft))
            << label->Name().toStdString();
        EXPECT_EQ(label->widget()->size(), label->label()->sizeHint())
            << label->Name().toStdString();
    }

    // A wider half-width widens B, keeping its left edge; Freq keeps its size whatever it shows.
    const int narrow = form.B->Width();
    const int left = form.B->Left();
    PressIn(form.ComboValC2, Qt::Key_Home); // "+/- 348 Hz" after "+/- 11 Hz"
    ASSERT_EQ(form.B->Caption(), "+/- 348 Hz");
    EXPECT_GT(form.B->Width(), narrow);
    EXPECT_EQ(form.B->Left(), left);
    EXPECT_EQ(form.B->widget()->size(), form.B->label()->sizeHint());
    PressIn(form.ComboValC1, Qt::Key_Home); // a long frequency in a label of fixed width
    ASSERT_EQ(form.Freq->Caption(), "1748251,748 Hz");
    ExpectTwips(form.Freq->Width(), 1725, "Freq width");
}

TEST_F(MainWindowControls, TheLowerEdgeIsClippedAtTheFrameAndCentredSixtyTwipsRightOfTheOthers) {
    QWidget* low = form.LblPlageBas->widget();
    const QRect seen = low->visibleRegion().boundingRect();
    EXPECT_EQ(runtime::PixelsToTwips(low->width()), 1845);
    EXPECT_EQ(runtime::PixelsToTwips(seen.width()), 1695);
    EXPECT_EQ(seen.left(), 0);
    // Its text is centred on its own 1845 twips, the others' on 1725.
    const int lowCentre = 2 * low->x() + low->width();
    const int freqCentre = 2 * form.Freq->widget()->x() + form.Freq->widget()->width();
    EXPECT_EQ(runtime::PixelsToTwips(lowCentre - freqCentre) / 2, 60);
}

// ---- Lists, focus, clipboard ----------------------------------------------------------------

// Every list drops under its box as a column of at most 12 rows, scrolling beyond.
TEST_F(MainWindowControls, ListsDropUnderTheirBoxAtMostTwelveRowsHigh) {
    for (runtime::ComboBox* box :
         {form.ComboValR1.data(), form.ComboR.data(), form.ComboValC1.data(), form.ComboC.data(),
          form.ComboValC2.data(), form.ComboC2.data(), form.ComboV.data()}) {
        SCOPED_TRACE(box->Name().toStdString());
        QComboBox* combo = box->combo();
        testing_support::FocusOn(combo);
        QTest::keyClick(combo, Qt::Key_F4);
        QAbstractItemView* view = combo->view();
        ASSERT_TRUE(testing_support::WaitFor([view] { return view->isVisible(); }));
        const int row = view->sizeHintForRow(0);
        const int rows = (view->viewport()->height() + row / 2) / row;
        EXPECT_EQ(rows, std::min(12, combo->count()));
        EXPECT_EQ(view->verticalScrollBar()->isVisible(), combo->count() > 12);
        const QRect boxOnScreen(combo->mapToGlobal(QPoint(0, 0)), combo->size());
        const QRect list(view->window()->mapToGlobal(QPoint(0, 0)), view->window()->size());
        EXPECT_GE(list.top(), boxOnScreen.bottom()) << "the list covers its box";
        EXPECT_LE(list.top(), boxOnScreen.bottom() + 4) << "the list is not under its box";
        combo->hidePopup();
        ASSERT_TRUE(testing_support::WaitFor([view] { return !view->isVisible(); }));
    }
}

// The focus is drawn where the window opens, before any key has been pressed.
TEST_F(MainWindowControls, TheFocusIsSeenFromTheStart) {
    QWidget* unit = form.ComboValR1->combo();
    ASSERT_TRUE(unit->hasFocus());
    const QImage focused = unit->grab().toImage();
    QTest::keyClick(unit, Qt::Key_Tab);
    ASSERT_FALSE(unit->hasFocus());
    EXPECT_NE(unit->grab().toImage(), focused) << "no focus mark was drawn";
}

QString Clipboard() {
    return QGuiApplication::clipboard()->text();
}

TEST_F(MainWindowControls, AllResultsAreCopiedFromTheContextMenu) {
    QGuiApplication::clipboard()->clear();
    ASSERT_TRUE(testing_support::PickFromContextMenu(form.Frame3->widget(),
                                                     QStringLiteral("Copier tous les résultats")));
    EXPECT_EQ(Clipboard(), QStringLiteral("R1 : 26 KOhms\n"
                                          "C1 : 22 NanoFarad\n"
                                          "C2 : 27 MicroFarad\n"
                                          "Tension d'alimentation : 05 V\n"
                                          "Fréquence centrale : 1748,252 Hz\n"
                                          "Demi-largeur de la plage de capture : +/- 11 Hz\n"
                                          "Limite basse de la plage de capture : > 1737,252 Hz\n"
                                          "Limite haute de la plage de capture : < 1759,252 Hz\n"));
    // Over a result, its own entry copies that one.
    ASSERT_TRUE(testing_support::PickFromContextMenu(form.B->widget(), QStringLiteral("Copier")));
    EXPECT_EQ(Clipboard(), "+/- 11 Hz");
}

// Copied elsewhere, a result that is not what the boxes say keeps the reason its tool tip gives:
// "11363,636 Hz" alone would pass for the frequency of "4k7".
TEST_F(MainWindowControls, MarkedResultsAreCopiedWithTheirReasons) {
    const auto copyAll = [this] {
        QGuiApplication::clipboard()->clear();
        EXPECT_TRUE(testing_support::PickFromContextMenu(
            form.Frame3->widget(), QStringLiteral("Copier tous les résultats")));
        return Clipboard();
    };
    const QString inputs = QStringLiteral("C1 : 22 NanoFarad\n"
                                          "C2 : 27 MicroFarad\n"
                                          "Tension d'alimentation : 05 V\n");

    TypeResistor("4k7");
    const QString stale =
        QStringLiteral(" (Valeur de R1 non reconnue : résultat de la dernière valeur valide)\n");
    EXPECT_EQ(copyAll(),
              QStringLiteral("R1 : 4k7 KOhms\n") + inputs +
                  QStringLiteral("Fréquence centrale : 11363,636 Hz") + stale +
                  QStringLiteral("Demi-largeur de la plage de capture : +/- 4 Hz") + stale +
                  QStringLiteral("Limite basse de la plage de capture : > 11359,636 Hz") + stale +
                  QStringLiteral("Limite haute de la plage de capture : < 11367,636 Hz") + stale);

    // The half-width and the edges are those of the last valid value, 4.
    TypeResistor("-26");
    const QString kept = QStringLiteral(
        " (Fréquence centrale négative (vérifier R1) : résultat de la dernière valeur valide)\n");
    EXPECT_EQ(copyAll(),
              QStringLiteral("R1 : -26 KOhms\n") + inputs +
                  QStringLiteral("Fréquence centrale : -1748,252 Hz (Fréquence centrale négative : "
                                 "vérifier R1)\n") +
                  QStringLiteral("Demi-largeur de la plage de capture : +/- 4 Hz") + kept +
                  QStringLiteral("Limite basse de la plage de capture : > -1752,252 Hz") + kept +
                  QStringLiteral("Limite haute de la plage de capture : < -1744,252 Hz") + kept);
}

// A result is selected with the mouse and copied with Ctrl+C; it stays as it was shown.
TEST_F(MainWindowControls, AResultSelectedWithTheMouseIsCopiedWithControlC) {
    QWidget* freq = form.Freq->widget();
    const QRect place = freq->geometry();
    const QColor colour = freq->palette().color(QPalette::WindowText);
    const int textLeft =
        (freq->width() - freq->fontMetrics().horizontalAdvance(form.Freq->Caption())) / 2;
    // Dragged across the text, through the window as the system delivers it.
    QWindow* window = form.window()->windowHandle();
    const auto inWindow = [&](int x) {
        return freq->mapTo(form.window(), QPoint(x, freq->height() / 2));
    };
    QTest::mousePress(window, Qt::LeftButton, {}, inWindow(textLeft));
    QTest::mouseMove(window, inWindow(freq->width() - 1));
    QTest::mouseRelease(window, Qt::LeftButton, {}, inWindow(freq->width() - 1));
    ASSERT_EQ(form.Freq->label()->selectedText(), "1748,252 Hz");
    EXPECT_EQ(FocusName(), "ComboValR1") << "the label took the focus";
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "1748,252 Hz");
    // Also from the resistor box, where nothing is selected.
    QGuiApplication::clipboard()->clear();
    testing_support::FocusOn(form.ComboR->combo());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "1748,252 Hz");
    EXPECT_EQ(form.Freq->Caption(), "1748,252 Hz");
    EXPECT_EQ(freq->geometry(), place);
    EXPECT_EQ(freq->palette().color(QPalette::WindowText), colour);
    EXPECT_EQ(form.ComboValR1->Text(), "KOhms") << "Ctrl+C picked a unit";
}

} // namespace
