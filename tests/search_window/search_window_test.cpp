// The component search window as a user meets it: what the wanted values typed into it show, what
// applying a row does to the main window, and how the window opens, once, and goes with the main
// window. The figures are worked out by hand from the recalculation's rules, as the comments show.
#include "counted_form1.h"
#include "gui_helpers.h"
#include "ui/search/component_search_window.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

namespace {

using testing_support::FocusOn;

const QString FindEntry = QStringLiteral("Trouver R1, C1 et C2…");

QStringList CaptionsOf(const ui::Form1& main) {
    return {main.Freq->Caption(), main.B->Caption(), main.LblPlageBas->Caption(),
            main.LblPlageHaut->Caption()};
}

const QStringList StartUpCaptions = {QStringLiteral("1748,252 Hz"), QStringLiteral("+/- 11 Hz"),
                                     QStringLiteral("> 1737,252 Hz"),
                                     QStringLiteral("< 1759,252 Hz")};

// A row's cells as the user reads them across, joined by " | ".
QString RowText(const runtime::Table& table, int row) {
    QStringList cells;
    for (int column = 0; column < table.tree()->model()->columnCount(); ++column) {
        cells << table.TextMatrix(row, column);
    }
    return cells.join(QStringLiteral(" | "));
}

// Types over what the box holds, key by key; an empty text empties it.
void TypeInto(runtime::TextBox* box, const char* keys) {
    QLineEdit* edit = box->edit();
    FocusOn(edit);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    if (*keys == '\0') {
        QTest::keyClick(edit, Qt::Key_Delete);
    } else {
        QTest::keyClicks(edit, QString::fromUtf8(keys));
    }
}

// The main window as it opens, active; the search window not yet asked for.
class SearchWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        main.Show();
        ASSERT_TRUE(main.IsLoaded());
        QApplication::setActiveWindow(main.window());
        ASSERT_TRUE(QTest::qWaitForWindowActive(main.window()));
    }

    void TearDown() override {
        main.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Ctrl+F in the main window, where its focus is.
    ui::ComponentSearchWindow* PressControlF() {
        QApplication::setActiveWindow(main.window());
        QWidget* focus = QApplication::focusWidget();
        EXPECT_NE(focus, nullptr);
        if (focus != nullptr) {
            QTest::keyClick(focus, Qt::Key_F, Qt::ControlModifier);
        }
        ui::ComponentSearchWindow* search = main.SearchWindow();
        if (search != nullptr && search->IsLoaded()) {
            QApplication::setActiveWindow(search->window());
        }
        return search;
    }

    testing_support::CountedForm1 main;
};

// ---------------------------------------------------------------- typed inputs

struct Typed {
    const char* name;
    const char* frequency;           // typed last, key by key
    const char* tolerance = nullptr; // typed over the "2"; nullptr leaves it
    const char* halfWidth = "";
    bool anyListValue = false;            // R1 from every list instead of 2 kΩ to 20 kΩ
    const char* frequencyShown = nullptr; // what the box shows then; nullptr: as typed
    const char* firstPair = nullptr;      // nullptr: no row at all
    const char* trimmer = "";
    const char* firstC2 = nullptr; // nullptr: no C2 row
    const char* message = "";
    const char* remark = ""; // the line under the trimmer's R1

    friend void PrintTo(const Typed& row, std::ostream* out) { *out << row.name; }
};

class TypedInputs : public SearchWindowTest, public ::testing::WithParamInterface<Typed> {};

TEST_P(TypedInputs, ShowTheNearestPairOrSayWhatIsWrongAndLeaveTheMainWindowAlone) {
    const Typed& typed = GetParam();
    const int events = main.Recalculations();
    ui::ComponentSearchWindow* search = PressControlF();
    ASSERT_NE(search, nullptr);

    if (typed.anyListValue) {
        FocusOn(search->RangeBox()->combo());
        QTest::keyClick(search->RangeBox()->combo(), Qt::Key_Down);
        ASSERT_EQ(search->RangeBox()->Text(), "Toutes les valeurs des listes");
    }
    if (typed.tolerance != nullptr) {
        TypeInto(search->ToleranceEdit(), typed.tolerance);
    }
    TypeInto(search->HalfWidthEdit(), typed.halfWidth);
    TypeInto(search->FrequencyEdit(), typed.frequency);

    EXPECT_EQ(search->FrequencyEdit()->Text(),
              QString::fromUtf8(typed.frequencyShown != nullptr ? typed.frequencyShown
                                                                : typed.frequency));
    EXPECT_EQ(search->MessageLabel()->Caption(), QString::fromUtf8(typed.message));
    const QLabel* message = search->MessageLabel()->label();
    EXPECT_LE(message->heightForWidth(message->width()), message->height())
        << "the message is cut off";

    // The remark's reasons in its tool tip, and for a screen reader.
    runtime::Label* remark = search->RemarkLabel();
    EXPECT_EQ(remark->Caption(), QString::fromUtf8(typed.remark));
    EXPECT_LE(remark->label()->heightForWidth(remark->label()->width()), remark->label()->height())
        << "the remark is cut off";
    QAccessibleInterface* remarkRead = QAccessible::queryAccessibleInterface(remark->widget());
    ASSERT_NE(remarkRead, nullptr);
    EXPECT_EQ(remarkRead->text(QAccessible::Description), remark->ToolTip());
    EXPECT_EQ(remark->ToolTip().isEmpty(), remark->Caption().isEmpty());

    const runtime::Table& pairs = *search->PairsTable();
    if (typed.firstPair != nullptr) {
        ASSERT_GE(pairs.ListCount(), 1);
        EXPECT_EQ(RowText(pairs, 0), QString::fromUtf8(typed.firstPair));
        EXPECT_EQ(pairs.ListIndex(), 0);
    } else {
        EXPECT_EQ(pairs.ListCount(), 0);
    }
    EXPECT_EQ(search->TrimmerLabel()->Caption(), QString::fromUtf8(typed.trimmer));
    const runtime::Table& c2 = *search->C2Table();
    if (typed.firstC2 != nullptr) {
        ASSERT_GE(c2.ListCount(), 1);
        EXPECT_EQ(RowText(c2, 0), QString::fromUtf8(typed.firstC2));
        EXPECT_EQ(c2.ListIndex(), 0);
        // A marked row gives its reasons.
        EXPECT_EQ(c2.RowDescription(0).isEmpty(), c2.TextMatrix(0, 2).isEmpty());
    } else {
        EXPECT_EQ(c2.ListCount(), 0);
    }
    EXPECT_EQ(search->ApplyButton()->Enabled(), typed.firstPair != nullptr);

    // With nothing to apply, neither the button nor Enter in the tables or the frequency box
    // reaches the main window.
    if (typed.firstPair == nullptr) {
        QTest::mouseClick(search->ApplyButton()->button(), Qt::LeftButton);
        for (const runtime::Table* table : {search->PairsTable(), search->C2Table()}) {
            FocusOn(table->tree());
            QTest::keyClick(table->tree(), Qt::Key_Return);
        }
        FocusOn(search->FrequencyEdit()->edit());
        QTest::keyClick(search->FrequencyEdit()->edit(), Qt::Key_Return);
    }
    EXPECT_EQ(CaptionsOf(main), StartUpCaptions);
    EXPECT_EQ(main.ComboR->Text(), "26");
    EXPECT_EQ(main.Recalculations(), events) << "the main window recalculated";
}

// A frequency is 1 / (C1 in µF x R1 in kΩ) x 1000, to three decimals; a deviation (f - wanted) /
// wanted x 100, to two; the trimmer's R1 1000 / (C1 x wanted), to four significant digits; a
// half-width 1070 x sqrt(V / (C2 x f)), to a whole number, at the main window's 5 V.
INSTANTIATE_TEST_SUITE_P(
    Table, TypedInputs,
    ::testing::Values(
        Typed{.name = "NothingTypedYet", .frequency = ""},
        // 1 / (0,1 x 10) x 1000 = 1000 exactly; 1000 / (0,1 x 1000) = 10.
        Typed{.name = "ThousandHertz",
              .frequency = "1000",
              .firstPair = "10 KOhms | 100 NanoFarad | 1000 Hz | 0,00 %",
              .trimmer = "R1 exacte pour ce C1 (ajustable RV1) : 10 KOhms"},
        // 1070 x sqrt(5 / (2,2 x 1000)) = 51,01; 2,4 µF gives 48,84, also 1 Hz away, after it.
        Typed{.name = "ThousandHertzPlusOrMinusFifty",
              .frequency = "1000",
              .halfWidth = "50",
              .firstPair = "10 KOhms | 100 NanoFarad | 1000 Hz | 0,00 %",
              .trimmer = "R1 exacte pour ce C1 (ajustable RV1) : 10 KOhms",
              .firstC2 = "2,2 MicroFarad | +/- 51 Hz | "},
        // The point typed becomes a comma. Only the main window's typed 26 kΩ, no list item, gives
        // the start-up frequency: 1 / (0,022 x 26) x 1000 = 1748,2517 and 1000 / (0,022 x
        // 1748,252) = 25,999996, above the advised 20 kΩ.
        Typed{.name = "StartUpPairExactlyTypedWithAPoint",
              .frequency = "1748.252",
              .tolerance = "0",
              .anyListValue = true,
              .frequencyShown = "1748,252",
              .firstPair = "26 KOhms | 22 NanoFarad | 1748,252 Hz | 0,00 %",
              .trimmer = "R1 exacte pour ce C1 (ajustable RV1) : 26 KOhms",
              .remark = "R1 exacte hors de la plage conseillée, de 2 kΩ à 20 kΩ."},
        // From 2 to 20 kΩ nothing lies between 262,605 Hz (5,6 kΩ, 680 nF) and 275,482 Hz
        // (3,3 kΩ, 1,1 µF: 1 / 3,63 x 1000), +2,03 %: the nearest is offered, to be applied.
        Typed{.name = "NothingWithinOnePercent",
              .frequency = "270",
              .tolerance = "1",
              .firstPair = "3,3 KOhms | 1,1 MicroFarad | 275,482 Hz | +2,03 %",
              .trimmer = "R1 exacte pour ce C1 (ajustable RV1) : 3,367 KOhms",
              .message = "Aucune paire à moins de 1 % ; la plus proche : 3,3 KOhms et 1,1 "
                         "MicroFarad, 275,482 Hz (+2,03 %)"},
        // 100 Ω and 1 pF: 1E+10 Hz; the trimmer 1000 / (1E-06 x 1E+10) = 0,1 kΩ.
        Typed{.name = "AboveTheDataSheets",
              .frequency = "1E+10",
              .anyListValue = true,
              .firstPair = "100 Ohms | 1 PicoFarad | 10000000000 Hz | 0,00 %",
              .trimmer = "R1 exacte pour ce C1 (ajustable RV1) : 100 Ohms",
              .remark = "Au-delà de 500 kHz, la limite des fiches techniques du NE567. R1 exacte "
                        "hors de la plage conseillée, de 2 kΩ à 20 kΩ."},
        // 1000 / (1E-06 x 1E+308) = 1E-299 kΩ: no value for the trimmer.
        Typed{.name = "TrimmerBeyondTheLists",
              .frequency = "1e308",
              .anyListValue = true,
              .firstPair = "100 Ohms | 1 PicoFarad | 10000000000 Hz | -100,00 %",
              .message = "Aucune paire à moins de 2 % ; la plus proche : 100 Ohms et 1 PicoFarad, "
                         "10000000000 Hz (-100,00 %)",
              .remark = "Au-delà de 500 kHz, la limite des fiches techniques du NE567. Pas de R1 "
                        "exacte pour ce C1 : aucune résistance des listes n'en approche."},
        // 750 kΩ and 910 µF give 0,001 Hz, the least above 0 Hz: 1E+299 % too much.
        Typed{.name = "DeviationBeyondMeaning",
              .frequency = "1E-300",
              .anyListValue = true,
              .firstPair = "750 KOhms | 910 MicroFarad | 0,001 Hz | > 1000 %",
              .message = "Aucune paire à moins de 2 % ; la plus proche : 750 KOhms et 910 "
                         "MicroFarad, 0,001 Hz (> 1000 %)",
              .remark = "Pas de R1 exacte pour ce C1 : aucune résistance des listes n'en "
                        "approche."},
        // 10 kΩ and 100 µF give 1 Hz; 1070 x sqrt(5 / (910 x 1)) = 79,3: far from 5 Hz, and the
        // lower edge 1 - 79.
        Typed{.name = "C2FarFromTheWantedHalfWidthAndBeyondTheCentre",
              .frequency = "1",
              .halfWidth = "5",
              .firstPair = "10 KOhms | 100 MicroFarad | 1 Hz | 0,00 %",
              .trimmer = "R1 exacte pour ce C1 (ajustable RV1) : 10 KOhms",
              .firstC2 = "910 MicroFarad | +/- 79 Hz | écart > 1000 %, bord bas -78 Hz"},
        Typed{.name = "FrequencyNoNumber",
              .frequency = "mille",
              .message = "La fréquence voulue n'est pas un nombre lisible : écrivez-la en hertz, "
                         "avec une virgule décimale, comme 1000 ou 1748,252."},
        Typed{.name = "FrequencyZero",
              .frequency = "0",
              .message = "La fréquence voulue doit être supérieure à 0 Hz."},
        Typed{.name = "ToleranceAboveHundred",
              .frequency = "1000",
              .tolerance = "150",
              .message = "La tolérance doit être comprise entre 0 et 100 %."},
        Typed{.name = "HalfWidthNoNumber",
              .frequency = "1000",
              .halfWidth = "50 Hz",
              .message = "La demi-largeur voulue n'est pas un nombre lisible : écrivez-la en "
                         "hertz, comme 50, ou laissez la case vide."}),
    [](const ::testing::TestParamInfo<Typed>& row) { return std::string(row.param.name); });

// Unlike the main window's resistor box, the caret stays where the user types: a point typed
// inside the figures becomes a comma and the next key lands after it.
TEST_F(SearchWindowTest, APointTypedInsideAFigureBecomesACommaWithTheCaretAfterIt) {
    ui::ComponentSearchWindow* search = PressControlF();
    ASSERT_NE(search, nullptr);
    TypeInto(search->FrequencyEdit(), "1000");
    QLineEdit* edit = search->FrequencyEdit()->edit();
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Right);
    QTest::keyClicks(edit, QStringLiteral(".5"));
    EXPECT_EQ(search->FrequencyEdit()->Text(), "1,5000");
    EXPECT_EQ(search->FrequencyEdit()->SelStart(), 3);
}

// ---------------------------------------------------------------- real parts

// 10 kΩ and 100 nF give 1000 Hz; the lines follow each tolerance the user picks. With R1 at
// ±1 %: f0 from 1000 ÷ (1,01 × 1,1) to 1000 ÷ (0,99 × 0,9); with C1 at ±5 % too, R1 + RV1
// from 1000 ÷ (1000 × 0,1 × 1,05) to 1000 ÷ (1000 × 0,1 × 0,95), 9,1 kΩ × 1,01 under it and
// 9,1 kΩ × 0,99 + 2 kΩ over it.
TEST_F(SearchWindowTest, PickingATolerancePutsTheSelectedPairsRealPartsIntoTheLines) {
    ui::ComponentSearchWindow* search = PressControlF();
    ASSERT_NE(search, nullptr);
    TypeInto(search->FrequencyEdit(), "1000");
    ASSERT_EQ(RowText(*search->PairsTable(), search->PairsTable()->ListIndex()),
              "10 KOhms | 100 NanoFarad | 1000 Hz | 0,00 %");
    EXPECT_EQ(search->SpreadLabel()->Caption(), "f0 entre 865,801 Hz et 1169,591 Hz\n"
                                                "R1 + RV1 doit couvrir 9,091 kΩ à 11,111 kΩ\n"
                                                "Résistance fixe 8,2 kΩ et ajustable 5 kΩ");

    FocusOn(search->R1ToleranceBox()->combo());
    QTest::keyClick(search->R1ToleranceBox()->combo(), Qt::Key_Home);
    ASSERT_EQ(search->R1ToleranceBox()->Text(), "1 %");
    EXPECT_EQ(search->SpreadLabel()->Caption(), "f0 entre 900,09 Hz et 1122,334 Hz\n"
                                                "R1 + RV1 doit couvrir 9,091 kΩ à 11,111 kΩ\n"
                                                "Résistance fixe 8,2 kΩ et ajustable 5 kΩ");

    FocusOn(search->C1ToleranceBox()->combo());
    QTest::keyClick(search->C1ToleranceBox()->combo(), Qt::Key_Up);
    ASSERT_EQ(search->C1ToleranceBox()->Text(), "5 %");
    const QString lines = QStringLiteral("f0 entre 942,951 Hz et 1063,264 Hz\n"
                                         "R1 + RV1 doit couvrir 9,524 kΩ à 10,526 kΩ\n"
                                         "Résistance fixe 9,1 kΩ et ajustable 2 kΩ");
    EXPECT_EQ(search->SpreadLabel()->Caption(), lines);
    // A screen reader hears them on the box just picked.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(search->C1ToleranceBox()->combo())
                  ->text(QAccessible::Description),
              lines);

    // Ctrl+C on the pair: the row, then its lines, as text.
    FocusOn(search->PairsTable()->tree());
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(search->PairsTable()->tree(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              "10 KOhms\t100 NanoFarad\t1000 Hz\t0,00 %\n" + lines + "\n");
    // With a C2, the C2 and the voltage that the capture lines are for come after the pair.
    TypeInto(search->HalfWidthEdit(), "50");
    FocusOn(search->PairsTable()->tree());
    QTest::keyClick(search->PairsTable()->tree(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith(
        "10 KOhms\t100 NanoFarad\t1000 Hz\t0,00 %\n"
        "2,2 MicroFarad\t+/- 51 Hz\tTension d'alimentation : 05 V\nf0 entre 942,951 Hz"))
        << QGuiApplication::clipboard()->text().toStdString();
}

// ---------------------------------------------------------------- applying a row

// Enter presses « Appliquer », the window's default button, from a text box too.
enum class ApplyBy { Button, EnterOnC2, DoubleClickOnPair, EnterOnTheButton, EnterInAField };

struct Applied {
    const char* name;
    const char* frequency;
    const char* tolerance;
    const char* halfWidth;
    bool anyListValue;
    int pairRow; // reached with the Down key from the first row
    ApplyBy by;
    // Then the main window's R1, R1 unit, C1, C1 unit, C2, C2 unit, its four results, and the
    // events that recalculated it.
    const char* boxes[6];
    const char* captions[4];
    int events;
    int mainC1Before = -1; // the C1 item picked in the main window first; -1 leaves start-up's

    friend void PrintTo(const Applied& row, std::ostream* out) { *out << row.name; }
};

class ApplyingARow : public SearchWindowTest, public ::testing::WithParamInterface<Applied> {};

TEST_P(ApplyingARow, SetsTheMainWindowsBoxesAsPicksDoAndItShowsTheRowsFigures) {
    const Applied& applied = GetParam();
    if (applied.mainC1Before >= 0) {
        main.ComboC->SetListIndex(applied.mainC1Before);
    }
    ui::ComponentSearchWindow* search = PressControlF();
    ASSERT_NE(search, nullptr);
    if (applied.anyListValue) {
        FocusOn(search->RangeBox()->combo());
        QTest::keyClick(search->RangeBox()->combo(), Qt::Key_Down);
    }
    TypeInto(search->ToleranceEdit(), applied.tolerance);
    TypeInto(search->HalfWidthEdit(), applied.halfWidth);
    TypeInto(search->FrequencyEdit(), applied.frequency);

    QTreeView* pairs = search->PairsTable()->tree();
    FocusOn(pairs);
    for (int i = 0; i < applied.pairRow; ++i) {
        QTest::keyClick(pairs, Qt::Key_Down);
    }
    ASSERT_EQ(search->PairsTable()->ListIndex(), applied.pairRow);
    const QString rowFrequency = search->PairsTable()->TextMatrix(applied.pairRow, 2);
    const QString rowHalfWidth =
        search->C2Table()->ListCount() > 0 ? search->C2Table()->TextMatrix(0, 1) : QString();

    const int before = main.Recalculations();
    switch (applied.by) {
    case ApplyBy::Button:
        QTest::mouseClick(search->ApplyButton()->button(), Qt::LeftButton);
        break;
    case ApplyBy::EnterOnC2:
        FocusOn(search->C2Table()->tree());
        QTest::keyClick(search->C2Table()->tree(), Qt::Key_Return);
        break;
    case ApplyBy::DoubleClickOnPair: {
        // Through the window, as the system delivers it: press, release, press, release.
        const QRect row = pairs->visualRect(pairs->model()->index(applied.pairRow, 0));
        QTest::mouseDClick(search->window()->windowHandle(), Qt::LeftButton, {},
                           pairs->viewport()->mapTo(search->window(), row.center()));
        break;
    }
    case ApplyBy::EnterOnTheButton:
        FocusOn(search->ApplyButton()->button());
        QTest::keyClick(search->ApplyButton()->button(), Qt::Key_Return);
        break;
    case ApplyBy::EnterInAField:
        FocusOn(search->HalfWidthEdit()->edit());
        QTest::keyClick(search->HalfWidthEdit()->edit(), Qt::Key_Enter, Qt::KeypadModifier);
        break;
    }

    const runtime::ComboBox* boxes[] = {main.ComboR,     main.ComboValR1, main.ComboC,
                                        main.ComboValC1, main.ComboC2,    main.ComboValC2};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(boxes[i]->Text(), QString::fromUtf8(applied.boxes[i]))
            << boxes[i]->Name().toStdString();
    }
    QStringList captions;
    for (const char* caption : applied.captions) {
        captions << QString::fromUtf8(caption);
    }
    EXPECT_EQ(CaptionsOf(main), captions);
    EXPECT_EQ(main.Freq->Caption(), rowFrequency) << "not the frequency the row showed";
    if (!rowHalfWidth.isEmpty()) {
        EXPECT_EQ(main.B->Caption(), rowHalfWidth) << "not the half-width the C2 row showed";
    }
    EXPECT_EQ(main.Recalculations() - before, applied.events);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ApplyingARow,
    ::testing::Values(
        // The units stay: only the three values are picked, one recalculation each.
        // 1070 x sqrt(5 / (2,2 x 1000)) = 51,01.
        Applied{.name = "NearestPairAndC2ByTheButton",
                .frequency = "1000",
                .tolerance = "2",
                .halfWidth = "50",
                .anyListValue = false,
                .pairRow = 0,
                .by = ApplyBy::Button,
                .boxes = {"10", "KOhms", "100", "NanoFarad", "2,2", "MicroFarad"},
                .captions = {"1000 Hz", "+/- 51 Hz", "> 949 Hz", "< 1051 Hz"},
                .events = 3},
        Applied{.name = "NearestPairAndC2ByEnterOnTheButton",
                .frequency = "1000",
                .tolerance = "2",
                .halfWidth = "50",
                .anyListValue = false,
                .pairRow = 0,
                .by = ApplyBy::EnterOnTheButton,
                .boxes = {"10", "KOhms", "100", "NanoFarad", "2,2", "MicroFarad"},
                .captions = {"1000 Hz", "+/- 51 Hz", "> 949 Hz", "< 1051 Hz"},
                .events = 3},
        // The second pair: 1 / (0,11 x 9,1) x 1000 = 999,000999; 1070 x sqrt(5 / (2,2 x
        // 999,001)) = 51,04.
        Applied{.name = "SecondPairByKeypadEnterInTheHalfWidthBox",
                .frequency = "1000",
                .tolerance = "2",
                .halfWidth = "50",
                .anyListValue = false,
                .pairRow = 1,
                .by = ApplyBy::EnterInAField,
                .boxes = {"9,1", "KOhms", "110", "NanoFarad", "2,2", "MicroFarad"},
                .captions = {"999,001 Hz", "+/- 51 Hz", "> 948,001 Hz", "< 1050,001 Hz"},
                .events = 3},
        // Every unit changes: the R1 unit rebuilds the resistor list, which picks its first
        // item (two events), then 100 is picked; C1 and C2 take a unit and a value each.
        // 100 Ω x 10 µF = 0,1 kΩ x 10 µF: 1000 Hz; 1070 x sqrt(5 / (0,22 x 1000)) = 161,31.
        Applied{.name = "EveryUnitChangesByEnterOnTheC2",
                .frequency = "1000",
                .tolerance = "0",
                .halfWidth = "161",
                .anyListValue = true,
                .pairRow = 1,
                .by = ApplyBy::EnterOnC2,
                .boxes = {"100", "Ohms", "10", "MicroFarad", "220", "NanoFarad"},
                .captions = {"1000 Hz", "+/- 161 Hz", "> 839 Hz", "< 1161 Hz"},
                .events = 7},
        // After C1 was changed to 47 nF, the start-up pair again: 26 kΩ is no item of the list,
        // so it is typed (Change), then 22 nF is picked. Without a half-width, C2 stays 27 µF.
        Applied{.name = "TypedR1ByADoubleClick",
                .frequency = "1748,252",
                .tolerance = "0",
                .halfWidth = "",
                .anyListValue = true,
                .pairRow = 0,
                .by = ApplyBy::DoubleClickOnPair,
                .boxes = {"26", "KOhms", "22", "NanoFarad", "27", "MicroFarad"},
                .captions = {"1748,252 Hz", "+/- 11 Hz", "> 1737,252 Hz", "< 1759,252 Hz"},
                .events = 2,
                .mainC1Before = 40}),
    [](const ::testing::TestParamInfo<Applied>& row) { return std::string(row.param.name); });

// ---------------------------------------------------------------- the request kept

// Closed and opened again within the run, the window shows what the user asked for, and the table
// for it searched afresh against the main window as it is then.
struct Reopening {
    const char* name;
    const char* frequency;
    const char* tolerance;
    const char* halfWidth;
    bool anyListValue;
    bool tightestR1LoosestC1; // 1 % on R1 and 20 % on C1, else the default 5 % and 10 %
    void (*close)(ui::ComponentSearchWindow& search);
    bool byTheMenu;     // opened again from the main window's menu, else with Ctrl+F
    bool voltageRaised; // the main window's voltage stepped from 05 to 09 V meanwhile
    const char* frequencyShown;
    const char* voltageShown;
    const char* firstPair;
    const char* firstC2; // nullptr: no C2 row

    friend void PrintTo(const Reopening& row, std::ostream* out) { *out << row.name; }
};

class ReopenedSearch : public SearchWindowTest, public ::testing::WithParamInterface<Reopening> {};

TEST_P(ReopenedSearch, ShowsTheRequestItWasClosedWithAndTheTableForItNow) {
    const Reopening& row = GetParam();
    ui::ComponentSearchWindow* search = PressControlF();
    ASSERT_NE(search, nullptr);
    if (row.anyListValue) {
        FocusOn(search->RangeBox()->combo());
        QTest::keyClick(search->RangeBox()->combo(), Qt::Key_Down);
    }
    if (row.tightestR1LoosestC1) {
        FocusOn(search->R1ToleranceBox()->combo());
        QTest::keyClick(search->R1ToleranceBox()->combo(), Qt::Key_Home);
        FocusOn(search->C1ToleranceBox()->combo());
        QTest::keyClick(search->C1ToleranceBox()->combo(), Qt::Key_End);
    }
    TypeInto(search->ToleranceEdit(), row.tolerance);
    TypeInto(search->HalfWidthEdit(), row.halfWidth);
    TypeInto(search->FrequencyEdit(), row.frequency);
    const QString spread = search->SpreadLabel()->Caption();
    row.close(*search);
    ASSERT_FALSE(search->IsLoaded());

    if (row.voltageRaised) {
        FocusOn(main.ComboV->combo());
        QTest::keyClick(main.ComboV->combo(), Qt::Key_Down);
    }
    if (row.byTheMenu) {
        ASSERT_TRUE(testing_support::PickFromContextMenu(main.ComboC->combo(), FindEntry));
    } else {
        ASSERT_EQ(PressControlF(), search);
    }
    ASSERT_TRUE(search->IsLoaded());

    EXPECT_EQ(search->FrequencyEdit()->Text(), QString::fromUtf8(row.frequencyShown));
    EXPECT_EQ(search->ToleranceEdit()->Text(), QString::fromUtf8(row.tolerance));
    EXPECT_EQ(search->HalfWidthEdit()->Text(), QString::fromUtf8(row.halfWidth));
    EXPECT_EQ(search->RangeBox()->ListIndex(), row.anyListValue ? 1 : 0);
    EXPECT_EQ(search->R1ToleranceBox()->Text(), row.tightestR1LoosestC1 ? "1 %" : "5 %");
    EXPECT_EQ(search->C1ToleranceBox()->Text(), row.tightestR1LoosestC1 ? "20 %" : "10 %");
    EXPECT_EQ(search->VoltageLabel()->Caption(), QStringLiteral("Tension d'alimentation : ") +
                                                     QString::fromUtf8(row.voltageShown) +
                                                     QStringLiteral(" V"));
    ASSERT_GE(search->PairsTable()->ListCount(), 1);
    EXPECT_EQ(RowText(*search->PairsTable(), 0), QString::fromUtf8(row.firstPair));
    EXPECT_EQ(search->PairsTable()->ListIndex(), 0);
    EXPECT_TRUE(search->ApplyButton()->Enabled());
    if (row.firstC2 != nullptr) {
        ASSERT_GE(search->C2Table()->ListCount(), 1);
        EXPECT_EQ(RowText(*search->C2Table(), 0), QString::fromUtf8(row.firstC2));
    } else {
        EXPECT_EQ(search->C2Table()->ListCount(), 0);
    }
    // The same lines for the same request; with another voltage, other capture ranges.
    if (row.voltageRaised) {
        EXPECT_NE(search->SpreadLabel()->Caption(), spread);
    } else {
        EXPECT_EQ(search->SpreadLabel()->Caption(), spread);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReopenedSearch,
    ::testing::Values(
        // At 9 V, 1070 x sqrt(9 / (3,9 x 1000)) = 51,40 and 4,3 µF gives 48,95: both 1 Hz away,
        // the smaller first (at 5 V it would be 2,2 µF).
        Reopening{.name = "EscapeThenControlFAtAnotherVoltage",
                  .frequency = "1000",
                  .tolerance = "2",
                  .halfWidth = "50",
                  .anyListValue = false,
                  .tightestR1LoosestC1 = false,
                  .close =
                      [](ui::ComponentSearchWindow& search) {
                          FocusOn(search.HalfWidthEdit()->edit());
                          QTest::keyClick(search.HalfWidthEdit()->edit(), Qt::Key_Escape);
                      },
                  .byTheMenu = false,
                  .voltageRaised = true,
                  .frequencyShown = "1000",
                  .voltageShown = "09",
                  .firstPair = "10 KOhms | 100 NanoFarad | 1000 Hz | 0,00 %",
                  .firstC2 = "3,9 MicroFarad | +/- 51 Hz | "},
        // Only every value of the lists, with the main window's typed 26 kΩ, gives the start-up
        // frequency exactly (see StartUpPairExactlyTypedWithAPoint).
        Reopening{.name = "CloseBoxThenTheMenu",
                  .frequency = "1748.252",
                  .tolerance = "0",
                  .halfWidth = "",
                  .anyListValue = true,
                  .tightestR1LoosestC1 = true,
                  .close = [](ui::ComponentSearchWindow& search) { search.window()->close(); },
                  .byTheMenu = true,
                  .voltageRaised = false,
                  .frequencyShown = "1748,252",
                  .voltageShown = "05",
                  .firstPair = "26 KOhms | 22 NanoFarad | 1748,252 Hz | 0,00 %",
                  .firstC2 = nullptr}),
    [](const ::testing::TestParamInfo<Reopening>& row) { return std::string(row.param.name); });

// ---------------------------------------------------------------- one window, with the main one

TEST_F(SearchWindowTest, OpensOnceFromControlFOrTheMenuAndClosesWithTheMainWindow) {
    ui::ComponentSearchWindow* search = PressControlF();
    ASSERT_NE(search, nullptr);
    ASSERT_TRUE(search->IsLoaded());
    QWidget* window = search->window();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(search->VoltageLabel()->Caption(), "Tension d'alimentation : 05 V");
    EXPECT_EQ(QApplication::focusWidget(), search->FrequencyEdit()->edit());
    TypeInto(search->FrequencyEdit(), "1000");

    // Tab goes through the inputs, the tables and the button, and back; a screen reader names
    // each of them.
    const runtime::Control* order[] = {search->FrequencyEdit(),  search->ToleranceEdit(),
                                       search->HalfWidthEdit(),  search->RangeBox(),
                                       search->PairsTable(),     search->C2Table(),
                                       search->ApplyButton(),    search->R1ToleranceBox(),
                                       search->C1ToleranceBox(), search->FrequencyEdit()};
    for (const runtime::Control* control : order) {
        SCOPED_TRACE(control->Name().toStdString());
        EXPECT_EQ(QApplication::focusWidget(), control->widget());
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control->widget());
        ASSERT_NE(accessible, nullptr);
        EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }

    // Asked for again, it is the same window, not loaded again: what was typed stays.
    const auto expectTheSameWindow = [&] {
        EXPECT_EQ(main.SearchWindow(), search);
        EXPECT_EQ(search->window(), window);
        EXPECT_EQ(search->FrequencyEdit()->Text(), "1000");
        EXPECT_TRUE(window->isVisible());
    };
    // The right button over a list box of the main window: the window's menu.
    QWidget* c1 = main.ComboC->combo();
    EXPECT_TRUE(testing_support::PickFromMenu(FindEntry, [c1] {
        const QPoint at(c1->width() / 2, c1->height() / 2);
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, c1->mapToGlobal(at));
        QApplication::sendEvent(c1, &click);
    })) << "no menu, or no entry, over a list box";
    expectTheSameWindow();
    // The Menu key, as the desktop delivers it: a request to the window, for the focus's menu.
    FocusOn(main.ComboV->combo());
    QWindow* mainWindow = main.window()->windowHandle();
    EXPECT_TRUE(testing_support::PickFromMenu(FindEntry, [mainWindow] {
        QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(), QPoint());
        QApplication::sendEvent(mainWindow, &key);
    })) << "the Menu key on a list box";
    expectTheSameWindow();
    // Shift+F10 does the same.
    FocusOn(main.ComboC2->combo());
    EXPECT_TRUE(testing_support::PickFromMenu(FindEntry, [this] {
        QTest::keyClick(main.ComboC2->combo(), Qt::Key_F10, Qt::ShiftModifier);
    })) << "Shift+F10 on a list box";
    expectTheSameWindow();

    // Shown again, it reads the main window's voltage anew.
    main.ComboV->SetListIndex(2);
    ASSERT_EQ(PressControlF(), search);
    expectTheSameWindow();
    EXPECT_EQ(search->VoltageLabel()->Caption(), "Tension d'alimentation : 12 V");

    // Escape closes it; Ctrl+F loads it anew, with what was typed.
    FocusOn(search->FrequencyEdit()->edit());
    QTest::keyClick(search->FrequencyEdit()->edit(), Qt::Key_Escape);
    EXPECT_FALSE(search->IsLoaded());
    ASSERT_EQ(PressControlF(), search);
    ASSERT_TRUE(search->IsLoaded());
    EXPECT_EQ(search->FrequencyEdit()->Text(), "1000");
    EXPECT_EQ(search->ToleranceEdit()->Text(), "2");

    // Closing the main window closes it too: no window is left to keep the program running.
    ASSERT_TRUE(main.window()->close());
    EXPECT_FALSE(search->IsLoaded());
    EXPECT_EQ(runtime::Form::LoadedCount(), 0);
}

} // namespace
