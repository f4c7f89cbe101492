// Results that do not belong to what the boxes say are marked as such: greyed while they still
// show the figures of an earlier value, in the warning colour when the figure is no frequency,
// with the reason as a tool tip; the resistor box shows in the warning colour that its text is no
// number. Driven by typing and picking, read as the user sees the window.
#include "main_window_driver.h"
#include "themes.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QLabel>
#include <QLineEdit>
#include <vector>

namespace {

using main_window_testing::Box;
using main_window_testing::Expected;
using main_window_testing::MainWindowTest;
using main_window_testing::Results;
using main_window_testing::StartUpResults;

enum class Mark { Current, Stale, Flagged };

const char* MarkName(Mark mark) {
    return mark == Mark::Current ? "current" : mark == Mark::Stale ? "stale" : "flagged";
}

struct Marks {
    Mark Freq, B, LblPlageBas, LblPlageHaut;
    bool resistorFlagged;

    bool operator==(const Marks&) const = default;
};

void PrintTo(const Marks& marks, std::ostream* out) {
    *out << '{' << MarkName(marks.Freq) << ' ' << MarkName(marks.B) << ' '
         << MarkName(marks.LblPlageBas) << ' ' << MarkName(marks.LblPlageHaut)
         << (marks.resistorFlagged ? " | R1 flagged}" : " | R1 plain}");
}

constexpr Mark C = Mark::Current, S = Mark::Stale, F = Mark::Flagged;

// One thing the user does: type over the resistor value key by key, or press a key in a box.
struct Action {
    const char* typed = nullptr;
    Box box = nullptr;
    Qt::Key key = Qt::Key_unknown;
};

Action Type(const char* keys) {
    return {keys};
}
Action Press(Box box, Qt::Key key) {
    return {nullptr, box, key};
}

struct Case {
    const char* name;
    std::vector<Action> actions;
    Results results;
    Marks marks;
    const char* tip; // the tool tip of the first marked caption, or of none
};

void PrintTo(const Case& row, std::ostream* out) {
    *out << row.name;
}

const Box R1Unit = &ui::Form1::ComboValR1, C1Unit = &ui::Form1::ComboValC1,
          C1Value = &ui::Form1::ComboC, C2Value = &ui::Form1::ComboC2;

const char* const kR1Unreadable =
    "Valeur de R1 non reconnue : résultat de la dernière valeur valide";

const Case cases[] = {
    {"StartUp", {}, StartUpResults(), {C, C, C, C, false}, ""},
    // Each key recalculates: "4" gives 4 kilo-ohms, then "4k" and "4k7" are no numbers.
    {"FourKSevenKeepsTheFiguresOfFour",
     {Type("4k7")},
     Expected("11363,636", "4", "11359,636", "11367,636"),
     {S, S, S, S, true},
     kR1Unreadable},
    {"SpaceAsThousandsSeparatorKeepsTheFiguresOfOne",
     {Type("1 000")},
     Expected("45454,545", "2", "45452,545", "45456,545"),
     {S, S, S, S, true},
     kR1Unreadable},
    {"ZeroKeepsTheLastFigures",
     {Type("0")},
     StartUpResults(),
     {S, S, S, S, false},
     "Valeur de R1 nulle : résultat de la dernière valeur valide"},
    {"NegativeValueGivesANegativeFrequencyNextToTheLastHalfWidth",
     {Type("-26")},
     Expected("-1748,252", "11", "-1759,252", "-1737,252"),
     {F, S, S, S, false},
     "Fréquence centrale négative : vérifier R1"},
    {"AValidValueAgainClearsEveryMark",
     {Type("abc"), Type("26")},
     StartUpResults(),
     {C, C, C, C, false},
     ""},
    // A number, far from any resistor, but its figures are a frequency and current.
    {"TinyValueStillGivesAFrequency",
     {Type("1E-300")},
     Expected("4,54545454545455E+304", "0", "4,54545454545455E+304", "4,54545454545455E+304"),
     {C, C, C, C, false},
     ""},
    // One more digit and 1 / (C1 x R1) x 1000 is beyond any double: "1E-30" typed on the way
    // keeps its figures.
    {"TinyValueOverflowsTheFrequency",
     {Type("1E-306")},
     Expected("4,54545454545455E+34", "0", "4,54545454545455E+34", "4,54545454545455E+34"),
     {S, S, S, S, false},
     "Valeur de R1 hors limites : résultat de la dernière valeur valide"},
    // The half-width changes with C2, but from the centre frequency of the last valid R1.
    {"C2PickedWhileR1IsNoNumber",
     {Type("abc"), Press(C2Value, Qt::Key_Down)},
     Expected("1748,252", "10", "1738,252", "1758,252"),
     {S, S, S, S, true},
     kR1Unreadable},
    // 91 megohms and 910 microfarads: 0,0000121 Hz, written "0" at three decimals; the
    // half-width of 1 megohm (0,001 Hz) stays.
    {"FrequencyRoundingToZero",
     {Press(R1Unit, Qt::Key_End), Press(C1Unit, Qt::Key_End), Press(C1Value, Qt::Key_End),
      Type("91")},
     Expected("0", "14561", "-14561", "14561"),
     {F, S, S, S, false},
     "Fréquence centrale nulle : vérifier R1 et C1"},
    {"HalfWidthBeyondTheFrequencyGivesANegativeLowerEdge",
     {Press(R1Unit, Qt::Key_End), Press(C1Unit, Qt::Key_End), Press(C1Value, Qt::Key_End)},
     Expected("0,001", "14561", "-14560,999", "14561,001"),
     {C, C, F, C, false},
     "Limite basse négative : la demi-largeur dépasse la fréquence centrale"},
};

class HonestResults : public MainWindowTest, public ::testing::WithParamInterface<Case> {
protected:
    void Do(const Action& action) {
        if (action.typed != nullptr) {
            TypeResistor(action.typed);
        } else {
            PressIn(form.*action.box, action.key);
        }
    }

    // Read from the colour the caption is drawn in, as the eye tells them apart: a red, the
    // window's own text colour, or another, fainter one.
    Mark MarkOf(const runtime::Label* label) const {
        const QColor colour = label->label()->palette().color(QPalette::WindowText);
        if (testing_support::RedOrOrange(colour)) {
            return Mark::Flagged;
        }
        return colour == form.window()->palette().color(QPalette::WindowText) ? Mark::Current
                                                                              : Mark::Stale;
    }

    Marks Shown() const {
        const QColor edit = ResistorEdit()->palette().color(QPalette::Text);
        return {MarkOf(form.Freq), MarkOf(form.B), MarkOf(form.LblPlageBas),
                MarkOf(form.LblPlageHaut), testing_support::RedOrOrange(edit)};
    }
};

TEST_P(HonestResults, MarksWhatTheCaptionsShow) {
    const Case& row = GetParam();
    const QRect frame = form.window()->geometry();
    for (const Action& action : row.actions) {
        Do(action);
    }
    EXPECT_EQ(MainWindowTest::Shown(), row.results);
    EXPECT_EQ(Shown(), row.marks);
    EXPECT_EQ(main_window_testing::FirstMark(form), QString::fromUtf8(row.tip));
    // A caption is marked with a tool tip exactly when it is marked with a colour.
    const Marks marks = Shown();
    const std::pair<const runtime::Label*, Mark> each[] = {{form.Freq, marks.Freq},
                                                           {form.B, marks.B},
                                                           {form.LblPlageBas, marks.LblPlageBas},
                                                           {form.LblPlageHaut, marks.LblPlageHaut}};
    for (const auto& [label, mark] : each) {
        EXPECT_EQ(label->ToolTip().isEmpty(), mark == Mark::Current) << label->Name().toStdString();
    }
    EXPECT_EQ(form.ComboR->ToolTip(),
              row.marks.resistorFlagged ? "Nombre attendu, virgule décimale : 4,7" : "Modifiable");
    EXPECT_EQ(form.window()->geometry(), frame);
}

INSTANTIATE_TEST_SUITE_P(MainWindow, HonestResults, ::testing::ValuesIn(cases),
                         [](const auto& p) { return std::string(p.param.name); });

// A screen reader reads the reason after what the result is, and nothing once it is current.
TEST_F(MainWindowTest, AScreenReaderHearsWhyAResultIsNotCurrent) {
    const auto description = [this] {
        return QAccessible::queryAccessibleInterface(form.Freq->widget())
            ->text(QAccessible::Description);
    };
    EXPECT_EQ(description(), "Fréquence centrale");
    TypeResistor("abc");
    EXPECT_EQ(description(),
              QStringLiteral("Fréquence centrale. ") + QString::fromUtf8(kR1Unreadable));
    TypeResistor("-26");
    EXPECT_EQ(description(), "Fréquence centrale. Fréquence centrale négative : vérifier R1");
    TypeResistor("26");
    EXPECT_EQ(description(), "Fréquence centrale");
}

} // namespace
