// The resistor value typed or pasted into its box, key by key as a user does: a "." becomes ","
// at once with the caret sent to the end, every change recomputes, and a text that is no usable
// number leaves the results of the last usable one.
#include "main_window_driver.h"

#include <QClipboard>
#include <vector>

namespace {

using main_window_testing::Expected;
using main_window_testing::MainWindowTest;
using main_window_testing::Results;
using main_window_testing::StartUpResults;

// One thing the user does to the resistor box.
struct Gesture {
    enum Kind { ClickInto, SelectAll, Type, Press, Paste } kind;
    QString text;
    Qt::Key key = Qt::Key_unknown;
};

Gesture ClickInto() {
    return {Gesture::ClickInto, {}};
}
Gesture SelectAll() {
    return {Gesture::SelectAll, {}};
}
Gesture Type(const char* keys) {
    return {Gesture::Type, QString::fromUtf8(keys)};
}
Gesture Press(Qt::Key key) {
    return {Gesture::Press, {}, key};
}
Gesture Paste(QString text) {
    return {Gesture::Paste, std::move(text)};
}

// What the first marked result says of itself as its tool tip, as the user reads it.
const char* const kUnreadable = "Valeur de R1 non reconnue : résultat de la dernière valeur valide";
const char* const kTooLarge = "Valeur de R1 hors limites : résultat de la dernière valeur valide";
const char* const kNegative = "Fréquence centrale négative : vérifier R1";
const char* const kZero = "Fréquence centrale nulle : vérifier R1 et C1";

struct Typing {
    const char* name;
    std::vector<Gesture> gestures;
    QString text; // what the box then holds
    int caret;
    int runs; // recalculations the gestures led to
    Results results;
    const char* mark; // the first marked result's tool tip; "" when all are current
};

QString Repeated(const char* piece, int times) {
    return QString::fromLatin1(piece).repeated(times);
}

// 10^299 kilo-ohms: a number, but the frequency it gives rounds to 0 at three decimals.
QString TenToThe299() {
    return QStringLiteral("1") + Repeated("0", 299);
}

const Typing typings[] = {
    {"PointBetweenFourAndSevenBecomesACommaWithTheCaretAfterTheSeven",
     {SelectAll(), Type("4.7")},
     "4,7",
     3,
     1 + 2 + 1,
     Expected("9671,18", "5", "9666,18", "9676,18"),
     ""},
    {"PointTypedBetweenTwoAndSixSendsTheCaretToTheEnd",
     {ClickInto(), Press(Qt::Key_Home), Press(Qt::Key_Right), Type(".")},
     "2,6",
     3,
     2,
     Expected("17482,517", "3", "17479,517", "17485,517"),
     ""},
    {"CommaIsLeftAloneAndTheCaretStaysWhereTheUserPutIt",
     {SelectAll(), Type("33"), Press(Qt::Key_Left), Type(",")},
     "3,3",
     2,
     3,
     Expected("13774,105", "4", "13770,105", "13778,105"),
     ""},
    {"EmptiedBoxKeepsThePreviousFrequency",
     {SelectAll(), Press(Qt::Key_Backspace)},
     "",
     0,
     1,
     StartUpResults(),
     kUnreadable},
    {"NegativeValueGivesANegativeFrequencyAndKeepsTheHalfWidth",
     {SelectAll(), Type("-26")},
     "-26",
     3,
     3,
     Expected("-1748,252", "11", "-1759,252", "-1737,252"),
     kNegative},
    {"PastedPointsAllBecomeCommasAndTheResultsStay",
     {SelectAll(), Paste(QStringLiteral("1.2.3"))},
     "1,2,3",
     5,
     2,
     StartUpResults(),
     kUnreadable},
    {"HugeButFiniteValueGivesZeroHertzAndKeepsTheHalfWidth",
     {SelectAll(), Paste(TenToThe299())},
     TenToThe299(),
     300,
     1,
     Expected("0", "11", "-11", "11"),
     kZero},
};

// The main window with the user's hands on the resistor box.
class ResistorBox : public MainWindowTest {
protected:
    void Do(const Gesture& gesture) {
        QComboBox* combo = form.ComboR->combo();
        switch (gesture.kind) {
        case Gesture::ClickInto: {
            QLineEdit* edit = ResistorEdit();
            QTest::mouseClick(edit, Qt::LeftButton, {},
                              QPoint(edit->width() / 2, edit->height() / 2));
            ASSERT_EQ(QApplication::focusWidget(), combo);
            break;
        }
        case Gesture::SelectAll:
            SelectAllOfResistor();
            break;
        case Gesture::Type:
            QTest::keyClicks(combo, gesture.text);
            break;
        case Gesture::Press:
            QTest::keyClick(combo, gesture.key);
            break;
        case Gesture::Paste:
            QApplication::clipboard()->setText(gesture.text);
            QTest::keyClick(combo, Qt::Key_V, Qt::ControlModifier);
            break;
        }
    }
};

void PrintTo(const Typing& row, std::ostream* out) {
    *out << row.name;
}

class ResistorTyping : public ResistorBox, public ::testing::WithParamInterface<Typing> {};

TEST_P(ResistorTyping, GivesTheTextCaretRecalculationsAndResults) {
    const Typing& typing = GetParam();
    const int runsBefore = form.Recalculations();
    for (const Gesture& gesture : typing.gestures) {
        Do(gesture);
    }
    EXPECT_EQ(form.ComboR->Text(), typing.text);
    EXPECT_EQ(form.ComboR->SelStart(), typing.caret);
    EXPECT_FALSE(ResistorEdit()->hasSelectedText());
    EXPECT_EQ(form.Recalculations() - runsBefore, typing.runs);
    EXPECT_EQ(Shown(), typing.results);
    EXPECT_EQ(main_window_testing::FirstMark(form), QString::fromUtf8(typing.mark));
    // Typing picks nothing from the list.
    EXPECT_EQ(form.ComboR->ListCount(), 69);
}

INSTANTIATE_TEST_SUITE_P(MainWindow, ResistorTyping, ::testing::ValuesIn(typings),
                         [](const auto& p) { return std::string(p.param.name); });

// ---- Recalculations per key ----------------------------------------------------------------

using MainWindowResistorKeys = ResistorBox;

TEST_F(MainWindowResistorKeys, APointTypedRecomputesTwiceAnyOtherChangeOnce) {
    struct Key {
        const char* name;
        Gesture gesture;
        const char* text;
        int runs;
    };
    const Key keys[] = {
        {"1", Type("1"), "1", 1},
        {".", Type("."), "1,", 2},
        {"5", Type("5"), "1,5", 1},
        {"Backspace", Press(Qt::Key_Backspace), "1,", 1},
        {". after a comma", Type("."), "1,,", 2},
        {"Home (no change)", Press(Qt::Key_Home), "1,,", 0},
        {"Delete", Press(Qt::Key_Delete), ",,", 1},
        {"E", Type("E"), "E,,", 1},
    };
    SelectAllOfResistor();
    for (const Key& key : keys) {
        SCOPED_TRACE(key.name);
        const int runsBefore = form.Recalculations();
        Do(key.gesture);
        EXPECT_EQ(form.ComboR->Text(), QString::fromLatin1(key.text));
        EXPECT_EQ(form.Recalculations() - runsBefore, key.runs);
    }
}

// ---- Very long pastes ----------------------------------------------------------------------

struct LongPaste {
    const char* name;
    QString pasted;
    int runs;
    const char* mark;
};

void PrintTo(const LongPaste& row, std::ostream* out) {
    *out << row.name;
}

class ResistorLongPaste : public ResistorBox, public ::testing::WithParamInterface<LongPaste> {};

// Numbers beyond the range of a double and texts that are no numbers at all: the frequency of
// the last usable value stays, whatever the length.
const LongPaste longPastes[] = {
    {"HundredThousandDigits", Repeated("9", 100000), 1, kTooLarge},
    {"HundredThousandLetters", Repeated("a", 100000), 1, kUnreadable},
    {"FiftyThousandPoints", Repeated("1.", 50000), 2, kUnreadable},
};

TEST_P(ResistorLongPaste, NeitherCrashesNorHangsAndKeepsTheResults) {
    const LongPaste& paste = GetParam();
    const int runsBefore = form.Recalculations();
    Do(SelectAll());
    Do(Paste(paste.pasted));
    QTest::qWait(0); // the box is drawn with its new text

    // The box takes as much of the text as its edit field holds, commas for points.
    const QString text = form.ComboR->Text();
    const int kept =
        static_cast<int>(std::min<qsizetype>(paste.pasted.size(), ResistorEdit()->maxLength()));
    EXPECT_EQ(text.size(), kept);
    EXPECT_EQ(text, QString(paste.pasted.left(kept)).replace(u'.', u','));
    EXPECT_EQ(form.ComboR->SelStart(), kept);
    EXPECT_EQ(form.Recalculations() - runsBefore, paste.runs);
    EXPECT_EQ(Shown(), StartUpResults());
    EXPECT_EQ(main_window_testing::FirstMark(form), QString::fromUtf8(paste.mark));
    // The window still answers: a pick after the paste recomputes as usual.
    const int runsBeforePick = form.Recalculations();
    PressIn(form.ComboV, Qt::Key_End);
    EXPECT_EQ(form.ComboV->Text(), "24");
    EXPECT_EQ(form.Recalculations() - runsBeforePick, 1);
}

INSTANTIATE_TEST_SUITE_P(MainWindow, ResistorLongPaste, ::testing::ValuesIn(longPastes),
                         [](const auto& p) { return std::string(p.param.name); });

// ---- Arrow keys ----------------------------------------------------------------------------

// Up and Down step from the value the box shows to the next smaller or larger item of the list,
// as a pick: the typed value is the starting point, never a list position it left behind.
struct Arrow {
    const char* name;
    const char* shown; // typed over the start-up "26", or nullptr to keep it
    Qt::Key key;
    const char* text; // then shown
    int runs;
};

void PrintTo(const Arrow& row, std::ostream* out) {
    *out << row.name;
}

class ResistorArrows : public ResistorBox, public ::testing::WithParamInterface<Arrow> {};

const Arrow arrows[] = {
    {"DownFromTheStartUpValue", nullptr, Qt::Key_Down, "27", 1},
    {"UpFromTheStartUpValue", nullptr, Qt::Key_Up, "24", 1},
    {"UpFromATypedListValue", "47", Qt::Key_Up, "43", 1},
    {"DownFromATypedListValue", "47", Qt::Key_Down, "51", 1},
    {"DownFromADecimalValue", "4,8", Qt::Key_Down, "5,1", 1},
    {"DownFromNoNumberGoesToTheFirstItem", "abc", Qt::Key_Down, "1", 1},
    {"UpFromNoNumberGoesToTheFirstItem", "", Qt::Key_Up, "1", 1},
    {"UpBelowTheListStays", "0,5", Qt::Key_Up, "0,5", 0},
    {"DownBeyondTheListStays", "910", Qt::Key_Down, "910", 0},
};

TEST_P(ResistorArrows, StepFromTheValueShown) {
    const Arrow& arrow = GetParam();
    if (arrow.shown != nullptr) {
        Do(SelectAll());
        if (*arrow.shown == '\0') {
            Do(Press(Qt::Key_Backspace));
        } else {
            Do(Type(arrow.shown));
        }
    } else {
        Do(ClickInto());
    }
    const int runsBefore = form.Recalculations();
    Do(Press(arrow.key));
    EXPECT_EQ(form.ComboR->Text(), QString::fromUtf8(arrow.text));
    EXPECT_EQ(form.Recalculations() - runsBefore, arrow.runs);
}

INSTANTIATE_TEST_SUITE_P(MainWindow, ResistorArrows, ::testing::ValuesIn(arrows),
                         [](const auto& p) { return std::string(p.param.name); });

} // namespace
