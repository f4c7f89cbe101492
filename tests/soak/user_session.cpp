#include "user_session.h"

#include "counted_form1.h"

#include "desktop_watch.h"
#include "gui_helpers.h"
#include "main_window_checks.h"
#include "ui/main/form1.h"
#include "ui/schematic/form2.h"
#include "url_catcher.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeySequence>
#include <QTest>
#include <QThread>
#include <QWheelEvent>
#include <algorithm>
#include <utility>

namespace soak {

namespace {

struct Stroke {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

std::string Name(const Stroke& stroke) {
    return QKeySequence(QKeyCombination(stroke.modifiers, stroke.key))
        .toString(QKeySequence::PortableText)
        .toStdString();
}

std::string Names(const std::vector<Stroke>& strokes) {
    std::string names;
    for (const Stroke& stroke : strokes) {
        names += (names.empty() ? "" : " ") + Name(stroke);
    }
    return names;
}

std::string Quoted(const QString& text) {
    constexpr qsizetype kLimit = 40;
    if (text.size() <= kLimit) {
        return '"' + text.toStdString() + '"';
    }
    return '"' + text.left(kLimit).toStdString() + "\"... (" + std::to_string(text.size()) +
           " characters)";
}

// The seven input boxes in their tab order, as Combo() numbers them.
const char* const kComboNames[] = {"ComboValR1", "ComboR",  "ComboValC1", "ComboC",
                                   "ComboValC2", "ComboC2", "ComboV"};

// Texts a user might type or paste into the resistor value: values the lists offer and others
// they do not, with the decimal point a user often types, and texts that are no number at all.
const std::vector<QString> kGoodTexts = {
    QStringLiteral("4,7"),   QStringLiteral("12"),    QStringLiteral("0,5"),
    QStringLiteral("26"),    QStringLiteral("1"),     QStringLiteral("910"),
    QStringLiteral("3,3"),   QStringLiteral("4.7"),   QStringLiteral("2.2"),
    QStringLiteral("0,022"), QStringLiteral("100"),   QStringLiteral("68"),
    QStringLiteral("1E3"),   QStringLiteral("1,5e2"), QStringLiteral("0,000001"),
};
const std::vector<QString> kBadTexts = {
    QStringLiteral("1.2.3"),
    QStringLiteral(" 26 "),
    QStringLiteral("abc"),
    QStringLiteral("-5"),
    QStringLiteral("1E400"),
    QStringLiteral("1e-400"),
    QStringLiteral("0"),
    QStringLiteral("-26"),
    QStringLiteral("+5"),
    QStringLiteral("1,2,3"),
    QStringLiteral("4,7k"),
    QStringLiteral(".."),
    QStringLiteral(","),
    QStringLiteral("E"),
    QStringLiteral("--5"),
    QStringLiteral("1 000"),
    QStringLiteral("9999999999999999999999999"),
    QStringLiteral("0,"),
    QStringLiteral(",5"),
    QStringLiteral("1E"),
    QStringLiteral("é"),
    QStringLiteral("4,7 Ω"),
    QStringLiteral("0x1A"),
};

} // namespace

UserSession::UserSession(testing_support::CountedForm1& form, MainWindowChecks& checks,
                         const testing_support::UrlCatcher& urls, std::uint64_t seed)
    : form_(form), checks_(checks), urls_(urls), random_(seed),
      urlsSeen_(static_cast<int>(urls.opened.size())) {}

Action UserSession::Next() {
    // Out of every 1000 actions, about this many of each kind.
    static const std::pair<Kind, int> kMix[] = {
        {Kind::UnitKey, 110},     {Kind::ListByKeyboard, 35},
        {Kind::ValueKey, 170},    {Kind::Wheel, 70},
        {Kind::Type, 190},        {Kind::EditKeys, 110},
        {Kind::Paste, 55},        {Kind::LongPaste, 3},
        {Kind::Empty, 20},        {Kind::Command2, 40},
        {Kind::Command3, 30},     {Kind::CloseSchematic, 20},
        {Kind::ClickPicture, 15}, {Kind::Tab, 50},
        {Kind::EnterOrSpace, 30}, {Kind::MousePick, 5},
    };
    int total = 0;
    for (const auto& entry : kMix) {
        total += entry.second;
    }
    for (;;) {
        int draw = random_.Below(total);
        Kind kind = Kind::Command2;
        for (const auto& entry : kMix) {
            if (draw < entry.second) {
                kind = entry.first;
                break;
            }
            draw -= entry.second;
        }
        // Closing the schematic window and clicking its picture need it open.
        if ((kind == Kind::CloseSchematic || kind == Kind::ClickPicture) && !SchematicOpen()) {
            continue;
        }
        return Make(kind);
    }
}

// The warm-up: three pastes of the longest text, then every kind once (the schematic window is
// opened for a click on its picture, then again for its close box).
constexpr std::size_t kLongestPastes = 3;

const std::vector<UserSession::Kind>& UserSession::WarmUpKinds() {
    static const std::vector<Kind> kinds = {
        Kind::UnitKey,  Kind::ListByKeyboard, Kind::ValueKey, Kind::Wheel,
        Kind::Type,     Kind::EditKeys,       Kind::Paste,    Kind::LongPaste,
        Kind::Empty,    Kind::Command2,       Kind::Command3, Kind::ClickPicture,
        Kind::Command3, Kind::CloseSchematic, Kind::Tab,      Kind::EnterOrSpace,
        Kind::MousePick};
    return kinds;
}

std::size_t UserSession::WarmUpSteps() const {
    return kLongestPastes + WarmUpKinds().size();
}

Action UserSession::WarmUp(std::size_t step) {
    if (step < kLongestPastes) {
        // The edit field keeps its undo history's buffer at the largest size it ever needed;
        // three pastes of the longest text, each over the last, without a point (which would
        // clear the history), take it to a size that the random mix practically never exceeds.
        return PasteText(QString(100000, u'7'), step == 0 ? 0 : 1, true);
    }
    return Make(WarmUpKinds()[step - kLongestPastes]);
}

Action UserSession::Make(Kind kind) {
    switch (kind) {
    case Kind::UnitKey:
        return UnitKey();
    case Kind::ListByKeyboard:
        return ListByKeyboard();
    case Kind::ValueKey:
        return ValueKey();
    case Kind::Wheel:
        return Wheel();
    case Kind::Type:
        return Type();
    case Kind::EditKeys:
        return EditKeys();
    case Kind::Paste:
        return Paste(false);
    case Kind::LongPaste:
        return Paste(true);
    case Kind::Empty:
        return Empty();
    case Kind::Command2:
        return Command2();
    case Kind::Command3:
        return Command3();
    case Kind::CloseSchematic:
        return CloseSchematic();
    case Kind::ClickPicture:
        return ClickPicture();
    case Kind::Tab:
        return Tab();
    case Kind::EnterOrSpace:
        return EnterOrSpace();
    case Kind::MousePick:
        return MousePick();
    }
    return Command2();
}

std::vector<std::string> UserSession::Problems() {
    std::vector<std::string> problems;
    problems.swap(problems_);
    return problems;
}

// ---- the actions -------------------------------------------------------------------------

// A unit chosen with the keyboard on the closed list: arrows, Home/End, or the first letter.
Action UserSession::UnitKey() {
    const int which = random_.Pick(std::vector<int>{0, 2, 4});
    const std::vector<QString> letters =
        which == 0   ? std::vector<QString>{"o", "k", "m", "O", "K", "M"}
        : which == 2 ? std::vector<QString>{"p", "n", "m", "P", "N", "M"}
                     : std::vector<QString>{"n", "m", "N", "M"};
    const std::vector<Qt::Key> keys = {Qt::Key_Up,       Qt::Key_Down, Qt::Key_PageUp,
                                       Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
    struct Press {
        bool letter;
        Qt::Key key;
        QString text;
    };
    std::vector<Press> presses;
    std::string names;
    for (int n = random_.Between(1, 3); n > 0; --n) {
        Press press{random_.OneIn(3), Qt::Key_unknown, {}};
        if (press.letter) {
            press.text = random_.Pick(letters);
            names += " '" + press.text.toStdString() + "'";
        } else {
            press.key = random_.Pick(keys);
            names += " " + Name({press.key, {}});
        }
        presses.push_back(press);
    }
    QComboBox* combo = Combo(which);
    return {std::string(kComboNames[which]) + ": keys" + names, [this, combo, presses] {
                FocusMain(combo);
                for (const Press& press : presses) {
                    if (press.letter) {
                        Search(combo, press.text);
                    } else {
                        Key(combo, press.key);
                    }
                }
            }};
}

// A list opened with the keyboard (F4, Alt+Down, or Space on a list box), walked with the
// arrows, then closed with Enter (a pick) or Escape (no pick).
Action UserSession::ListByKeyboard() {
    const int which = random_.Below(7);
    const bool editable = which == 1;
    std::vector<Stroke> opening = {{Qt::Key_F4, {}}, {Qt::Key_Down, Qt::AltModifier}};
    if (!editable) {
        opening.push_back({Qt::Key_Space, {}});
    }
    const Stroke open = random_.Pick(opening);
    std::vector<Stroke> walk;
    for (int n = random_.Between(0, 6); n > 0; --n) {
        walk.push_back(random_.Pick(std::vector<Stroke>{{Qt::Key_Down, {}},
                                                        {Qt::Key_Up, {}},
                                                        {Qt::Key_PageDown, {}},
                                                        {Qt::Key_End, {}},
                                                        {Qt::Key_Home, {}}}));
    }
    const Stroke close = random_.Pick(std::vector<Stroke>{
        {Qt::Key_Return, {}}, {Qt::Key_Enter, Qt::KeypadModifier}, {Qt::Key_Escape, {}}});
    QComboBox* combo = Combo(which);
    return {std::string(kComboNames[which]) + ": open the list with " + Name(open) + ", keys " +
                (walk.empty() ? "none" : Names(walk)) + ", close with " + Name(close),
            [this, combo, open, walk, close] {
                FocusMain(combo);
                Key(combo, open.key, open.modifiers);
                QAbstractItemView* view = combo->view();
                if (!view->isVisible()) {
                    problems_.push_back("the list of " + combo->objectName().toStdString() +
                                        " did not open");
                    return;
                }
                for (const Stroke& stroke : walk) {
                    Key(view, stroke.key, stroke.modifiers);
                }
                Key(view, close.key, close.modifiers);
                if (view->isVisible()) {
                    problems_.push_back("the list of " + combo->objectName().toStdString() +
                                        " stayed open after " + Name(close));
                    combo->hidePopup();
                    Settle();
                }
            }};
}

// A value chosen with the keyboard on a closed value box: the arrows, and on the list boxes
// Home, End and the first digit.
Action UserSession::ValueKey() {
    const int which = random_.Pick(std::vector<int>{1, 3, 5, 6});
    std::vector<Stroke> choices = {
        {Qt::Key_Up, {}}, {Qt::Key_Down, {}}, {Qt::Key_PageUp, {}}, {Qt::Key_PageDown, {}}};
    if (which != 1) {
        choices.push_back({Qt::Key_Home, {}});
        choices.push_back({Qt::Key_End, {}});
        for (Qt::Key digit : {Qt::Key_0, Qt::Key_1, Qt::Key_2, Qt::Key_4, Qt::Key_9}) {
            choices.push_back({digit, {}});
        }
    }
    std::vector<Stroke> strokes;
    for (int n = random_.Between(1, 5); n > 0; --n) {
        strokes.push_back(random_.Pick(choices));
    }
    QComboBox* combo = Combo(which);
    return {std::string(kComboNames[which]) + ": keys " + Names(strokes), [this, combo, strokes] {
                FocusMain(combo);
                for (const Stroke& stroke : strokes) {
                    if (stroke.key >= Qt::Key_0 && stroke.key <= Qt::Key_9) {
                        Search(combo, QString(QChar(static_cast<char16_t>(stroke.key))));
                    } else {
                        Key(combo, stroke.key, stroke.modifiers);
                    }
                }
            }};
}

// The wheel turned over a closed box: one notch picks the next or the previous item.
Action UserSession::Wheel() {
    const int which = random_.Below(7);
    std::vector<int> notches;
    std::string names;
    for (int n = random_.Between(1, 3); n > 0; --n) {
        notches.push_back(random_.OneIn(2) ? 120 : -120);
        names += notches.back() > 0 ? " up" : " down";
    }
    QComboBox* combo = Combo(which);
    return {std::string(kComboNames[which]) + ": wheel" + names, [this, combo, notches] {
                for (int delta : notches) {
                    const QPointF centre = QRectF(combo->rect()).center();
                    QWheelEvent wheel(centre, combo->mapToGlobal(centre), QPoint(),
                                      QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                                      Qt::NoScrollPhase, false);
                    QApplication::sendEvent(combo, &wheel);
                    AfterInput();
                }
            }};
}

// A text typed into the resistor box key by key: over the whole text, at its end, somewhere
// inside it, or into the emptied box.
Action UserSession::Type() {
    const QString text = random_.OneIn(2) ? random_.Pick(kGoodTexts) : random_.Pick(kBadTexts);
    const int mode = random_.Below(4);
    const int caret = random_.Between(0, 6);
    static const char* const kModes[] = {"over the selected text", "at the end",
                                         "after Home and Right x", "into the emptied box"};
    std::string where = kModes[mode];
    if (mode == 2) {
        where += std::to_string(caret);
    }
    QComboBox* combo = Combo(1);
    return {"ComboR: type " + Quoted(text) + " " + where, [this, combo, text, mode, caret] {
                FocusMain(combo);
                switch (mode) {
                case 0:
                    Key(combo, Qt::Key_A, Qt::ControlModifier);
                    break;
                case 1:
                    Key(combo, Qt::Key_End);
                    break;
                case 2:
                    Key(combo, Qt::Key_Home);
                    for (int n = 0; n < caret; ++n) {
                        Key(combo, Qt::Key_Right);
                    }
                    break;
                default:
                    Key(combo, Qt::Key_A, Qt::ControlModifier);
                    Key(combo, Qt::Key_Backspace);
                    break;
                }
                for (QChar character : text) {
                    Typed(combo, QString(character));
                }
            }};
}

// Editing keys in the resistor box: deleting, moving the caret, selecting, undoing, cutting.
Action UserSession::EditKeys() {
    const std::vector<Stroke> choices = {
        {Qt::Key_Backspace, {}},
        {Qt::Key_Delete, {}},
        {Qt::Key_Home, {}},
        {Qt::Key_End, {}},
        {Qt::Key_Left, {}},
        {Qt::Key_Right, {}},
        {Qt::Key_Left, Qt::ShiftModifier},
        {Qt::Key_Home, Qt::ShiftModifier},
        {Qt::Key_End, Qt::ShiftModifier},
        {Qt::Key_Z, Qt::ControlModifier},
        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier},
        {Qt::Key_X, Qt::ControlModifier},
        {Qt::Key_C, Qt::ControlModifier},
    };
    std::vector<Stroke> strokes;
    for (int n = random_.Between(1, 4); n > 0; --n) {
        // The plain editing keys come more often than the others.
        strokes.push_back(random_.OneIn(3) ? random_.Pick(choices)
                                           : choices[static_cast<std::size_t>(random_.Below(6))]);
    }
    QComboBox* combo = Combo(1);
    return {"ComboR: keys " + Names(strokes), [this, combo, strokes] {
                FocusMain(combo);
                for (const Stroke& stroke : strokes) {
                    Key(combo, stroke.key, stroke.modifiers);
                }
            }};
}

// A text pasted into the resistor box with Ctrl+V: at the caret, over the whole text, or at the
// end. The long ones run to 100 000 characters of digits, letters, points and commas.
Action UserSession::Paste(bool longText) {
    QString text;
    if (longText) {
        text = LongText();
    } else {
        text = random_.OneIn(2) ? random_.Pick(kGoodTexts) : random_.Pick(kBadTexts);
    }
    return PasteText(text, random_.Below(3), longText);
}

Action UserSession::PasteText(const QString& text, int mode, bool longText) {
    static const char* const kModes[] = {"at the caret", "over Ctrl+A", "after End"};
    QComboBox* combo = Combo(1);
    return {"ComboR: paste " + Quoted(text) + " " + kModes[mode],
            [this, combo, text, mode, longText] {
                if (longText) {
                    ++longPastes_;
                }
                QGuiApplication::clipboard()->setText(text);
                FocusMain(combo);
                if (mode == 1) {
                    Key(combo, Qt::Key_A, Qt::ControlModifier);
                } else if (mode == 2) {
                    Key(combo, Qt::Key_End);
                }
                Key(combo, Qt::Key_V, Qt::ControlModifier);
            }};
}

Action UserSession::Empty() {
    QComboBox* combo = Combo(1);
    return {"ComboR: Ctrl+A Backspace", [this, combo] {
                FocusMain(combo);
                Key(combo, Qt::Key_A, Qt::ControlModifier);
                Key(combo, Qt::Key_Backspace);
            }};
}

// The calculation button: one more recalculation with the same inputs, so nothing shown changes.
Action UserSession::Command2() {
    return {"Command2: click", [this] {
                const QString shown[] = {form_.Freq->Caption(), form_.B->Caption(),
                                         form_.LblPlageBas->Caption(),
                                         form_.LblPlageHaut->Caption()};
                const int runs = form_.Recalculations();
                Click(form_.Command2->widget());
                if (form_.Recalculations() != runs + 1) {
                    problems_.push_back("a click on Command2 ran the recalculation " +
                                        std::to_string(form_.Recalculations() - runs) +
                                        " times instead of once");
                }
                const QString now[] = {form_.Freq->Caption(), form_.B->Caption(),
                                       form_.LblPlageBas->Caption(), form_.LblPlageHaut->Caption()};
                if (!std::equal(now, now + 4, shown)) {
                    problems_.push_back("a click on Command2 changed what the window shows");
                }
            }};
}

Action UserSession::Command3() {
    return {"Command3: click", [this] { Click(form_.Command3->widget()); }};
}

Action UserSession::CloseSchematic() {
    return {"Form2: close box", [this] {
                form_.SchematicWindow()->window()->close();
                AfterInput();
                if (SchematicOpen()) {
                    problems_.push_back("the schematic window is still loaded after its close "
                                        "box");
                }
            }};
}

// A click on a part of the diagram that no label covers.
Action UserSession::ClickPicture() {
    const int x = random_.Between(5, 200);
    const int y = random_.Between(5, 120);
    return {"Form2: click the picture at (" + std::to_string(x) + ", " + std::to_string(y) + ")",
            [this, x, y] {
                ++pictureClicks_;
                const auto before = urls_.opened.size();
                QWidget* picture = form_.SchematicWindow()->Image1->widget();
                QApplication::setActiveWindow(picture->window());
                Click(picture, x, y);
                if (urls_.opened.size() != before + 1) {
                    problems_.push_back("a click on the picture asked to open " +
                                        std::to_string(urls_.opened.size() - before) +
                                        " addresses instead of one");
                }
                if (SchematicOpen()) {
                    problems_.push_back("the schematic window is still loaded after a click on "
                                        "its picture");
                }
            }};
}

// Tab and Shift+Tab move the focus in the main window.
Action UserSession::Tab() {
    std::vector<Stroke> strokes;
    for (int n = random_.Between(1, 3); n > 0; --n) {
        strokes.push_back(random_.OneIn(3) ? Stroke{Qt::Key_Backtab, Qt::ShiftModifier}
                                           : Stroke{Qt::Key_Tab, {}});
    }
    return {"main window: keys " + Names(strokes), [this, strokes] {
                FocusMain(nullptr);
                for (const Stroke& stroke : strokes) {
                    Key(form_.window()->focusWidget(), stroke.key, stroke.modifiers);
                }
            }};
}

// Enter or Space in whatever control has the focus; Space on a list box opens its list, which
// the user then walks and closes.
Action UserSession::EnterOrSpace() {
    const Stroke stroke = random_.Pick(std::vector<Stroke>{
        {Qt::Key_Return, {}}, {Qt::Key_Enter, Qt::KeypadModifier}, {Qt::Key_Space, {}}});
    const int downs = random_.Between(0, 3);
    const Stroke close = random_.OneIn(2) ? Stroke{Qt::Key_Return, {}} : Stroke{Qt::Key_Escape, {}};
    return {"main window: " + Name(stroke) + " in the focused control (if a list opens: " +
                std::to_string(downs) + " x Down, " + Name(close) + ")",
            [this, stroke, downs, close] {
                FocusMain(nullptr);
                QWidget* focused = form_.window()->focusWidget();
                Key(focused, stroke.key, stroke.modifiers);
                if (auto* combo = qobject_cast<QComboBox*>(focused)) {
                    QAbstractItemView* view = combo->view();
                    if (view->isVisible()) {
                        for (int n = 0; n < downs; ++n) {
                            Key(view, Qt::Key_Down);
                        }
                        Key(view, close.key, close.modifiers);
                    }
                }
            }};
}

// An item picked with the mouse: the list opened by a click on its arrow, the item clicked.
Action UserSession::MousePick() {
    const int which = random_.Below(7);
    QComboBox* combo = Combo(which);
    const int index = random_.Below(combo->count());
    return {std::string(kComboNames[which]) + ": mouse pick of item " + std::to_string(index),
            [this, combo, index] {
                ++mousePicks_;
                FocusMain(combo);
                if (const std::string problem = testing_support::TryPickWithMouse(combo, index);
                    !problem.empty()) {
                    problems_.push_back(problem);
                }
                AfterInput();
                if (combo->currentIndex() != index) {
                    problems_.push_back("the mouse picked item " +
                                        std::to_string(combo->currentIndex()) + " instead of " +
                                        std::to_string(index));
                }
            }};
}

// ---- helpers -----------------------------------------------------------------------------

bool UserSession::SchematicOpen() const {
    const ui::Form2* schematic = form_.SchematicWindow();
    return schematic != nullptr && schematic->IsLoaded();
}

QComboBox* UserSession::Combo(int which) const {
    runtime::ComboBox* const boxes[] = {form_.ComboValR1, form_.ComboR,     form_.ComboValC1,
                                        form_.ComboC,     form_.ComboValC2, form_.ComboC2,
                                        form_.ComboV};
    return boxes[which]->combo();
}

QString UserSession::LongText() {
    static const int kLengths[] = {1000, 2000, 5000, 10000, 20000, 50000, 100000};
    const int length = kLengths[random_.Below(7)];
    QString text;
    text.reserve(length);
    switch (random_.Below(4)) {
    case 0: { // digits, letters, points, commas and a few others, mixed
        static const QString kAlphabet = QStringLiteral("0123456789..,,abcxyzE-+ ");
        for (int n = 0; n < length; ++n) {
            text += kAlphabet[random_.Below(static_cast<int>(kAlphabet.size()))];
        }
        break;
    }
    case 1: // one huge whole number
        for (int n = 0; n < length; ++n) {
            text += QChar(u'1' + random_.Below(9));
        }
        break;
    case 2: // a tiny decimal written with a point: 0.000...0001
        text = QStringLiteral("0.");
        text += QString(length - 3, u'0');
        text += u'1';
        break;
    default: // digits with a point every few characters
        for (int n = 0; n < length; ++n) {
            text += random_.OneIn(5) ? QChar(u'.') : QChar(u'0' + random_.Below(10));
        }
        break;
    }
    return text;
}

void UserSession::Settle() {
    QCoreApplication::processEvents();
    // A window unloaded from inside its own handler goes once control is back in the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The user looks at the main window and puts the focus on a control (or leaves it where it is).
void UserSession::FocusMain(QWidget* widget) {
    QWidget* window = form_.window();
    if (QApplication::activeWindow() != window) {
        QApplication::setActiveWindow(window);
    }
    if (widget != nullptr && !widget->hasFocus()) {
        widget->setFocus(Qt::MouseFocusReason);
    }
    Settle();
}

// Keys go where the focus is, as on a real desktop: to the box, which hands editing keys to its
// edit field, or to the open list.
QWidget* UserSession::KeyTarget(QWidget* focused) const {
    return focused != nullptr ? focused : form_.window();
}

void UserSession::Key(QWidget* focused, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(KeyTarget(focused), key, modifiers);
    AfterInput();
}

void UserSession::Typed(QWidget* focused, const QString& text) {
    for (QChar character : text) {
        if (character.unicode() < 0x80) {
            QTest::keyClicks(KeyTarget(focused), QString(character));
        } else {
            // Beyond ASCII a key is named by its character, as a keyboard layout that has it does.
            QTest::sendKeyEvent(QTest::Click, KeyTarget(focused),
                                static_cast<Qt::Key>(character.toUpper().unicode()),
                                QString(character), Qt::NoModifier);
        }
    }
    AfterInput();
}

// A letter or digit typed on a closed list box selects the next item that starts with it. The
// list joins keys that come within the keyboard input interval into one search; the run sets
// that interval to 0 ms, and the pause here makes every key a search of its own.
void UserSession::Search(QWidget* focused, const QString& text) {
    QThread::msleep(2);
    Typed(focused, text);
}

void UserSession::Click(QWidget* widget, int x, int y) {
    const QPoint at = x < 0 ? widget->rect().center() : QPoint(x, y);
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    AfterInput();
}

void UserSession::AfterInput() {
    Settle();
    checks_.AfterInput();

    // An open schematic window shows the main window's texts as they are now.
    const bool loaded = SchematicOpen();
    if (loaded) {
        if (!schematicLoaded_) {
            ++schematicOpenings_;
        }
        const ui::Form2& schematic = *form_.SchematicWindow();
        const QStringList labels = {schematic.LblR1->Caption(), schematic.LblC1->Caption(),
                                    schematic.LblC2->Caption()};
        const QStringList expected = {form_.ComboR->Text() + form_.ComboValR1->Text(),
                                      form_.ComboC->Text() + form_.ComboValC1->Text(),
                                      form_.ComboC2->Text() + form_.ComboValC2->Text()};
        if (labels != expected) {
            problems_.push_back(std::string(schematicLoaded_ ? "the open" : "on opening, the") +
                                " schematic window showed the labels " +
                                labels.join(" | ").left(200).toStdString() + " instead of " +
                                expected.join(" | ").left(200).toStdString());
        }
    }
    schematicLoaded_ = loaded;

    // Only the circuit's page is ever asked for, and only by a click on the picture.
    const QList<QUrl>& caught = urls_.opened;
    for (; urlsSeen_ < caught.size(); ++urlsSeen_) {
        const QString url = caught[urlsSeen_].toString();
        if (url != QLatin1String(ui::WebPage)) {
            problems_.push_back("the desktop was asked to open " + url.toStdString() +
                                " instead of " + ui::WebPage);
        }
    }
}

} // namespace soak
