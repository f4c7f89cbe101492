#pragma once

#include "random_source.h"

#include <QString>
#include <QStringList>
#include <Qt>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QWidget;

namespace testing_support {
class CountedForm1;
class UrlCatcher;
} // namespace testing_support

namespace soak {

class MainWindowChecks;

// One user action, decided in full (every random choice drawn) before it is carried out, so
// that its description says exactly what was done.
struct Action {
    std::string description;
    std::function<void()> perform;
};

// A user at the keyboard and the mouse in front of the main window and the schematic window it
// opens. Every action is real input delivered with QTest (keys, clicks, the clipboard with
// Ctrl+V; the wheel as a wheel event sent to the box, QTest 6.4 having none), never a call to a
// handler. After each single input the events are handled and the
// checks are told, so that they can follow every recalculation.
class UserSession {
public:
    UserSession(testing_support::CountedForm1& form, MainWindowChecks& checks,
                const testing_support::UrlCatcher& urls, std::uint64_t seed);

    // Draws the next action from the mix (mouse picks of a list item and very long pastes are
    // rare: both are slow).
    Action Next();

    // What the session itself noticed since the last call (the schematic window, the web page,
    // the calculation button), one line per finding.
    std::vector<std::string> Problems();

    int SchematicOpenings() const { return schematicOpenings_; }
    int PictureClicks() const { return pictureClicks_; }
    int LongPastes() const { return longPastes_; }
    int MousePicks() const { return mousePicks_; }

    // Actions of every kind, the heaviest first: they bring the process to the memory that it
    // needs for everything it does, before its memory is measured. Each is decided when asked
    // for, as Next's are, on the windows as the steps before left them.
    std::size_t WarmUpSteps() const;
    Action WarmUp(std::size_t step);

private:
    enum class Kind {
        UnitKey,
        ListByKeyboard,
        ValueKey,
        Wheel,
        Type,
        EditKeys,
        Paste,
        LongPaste,
        Empty,
        Command2,
        Command3,
        CloseSchematic,
        ClickPicture,
        Tab,
        EnterOrSpace,
        MousePick,
    };

    static const std::vector<Kind>& WarmUpKinds();
    Action Make(Kind kind);
    Action UnitKey();
    Action ListByKeyboard();
    Action ValueKey();
    Action Wheel();
    Action Type();
    Action EditKeys();
    Action Paste(bool longText);
    Action PasteText(const QString& text, int mode, bool longText);
    Action Empty();
    Action Command2();
    Action Command3();
    Action CloseSchematic();
    Action ClickPicture();
    Action Tab();
    Action EnterOrSpace();
    Action MousePick();

    bool SchematicOpen() const;
    QComboBox* Combo(int which) const; // 0..6 in tab order
    QString LongText();

    // Input helpers: each delivers one input, handles its events and tells the checks.
    void Settle();
    void FocusMain(QWidget* widget);
    QWidget* KeyTarget(QWidget* focused) const;
    void Key(QWidget* focused, Qt::Key key, Qt::KeyboardModifiers modifiers = {});
    void Typed(QWidget* focused, const QString& text);
    void Search(QWidget* focused, const QString& text);
    void Click(QWidget* widget, int x = -1, int y = -1);

    void AfterInput();

    testing_support::CountedForm1& form_;
    MainWindowChecks& checks_;
    const testing_support::UrlCatcher& urls_;
    RandomSource random_;
    std::vector<std::string> problems_;

    int urlsSeen_ = 0;
    bool schematicLoaded_ = false;

    int schematicOpenings_ = 0;
    int pictureClicks_ = 0;
    int longPastes_ = 0;
    int mousePicks_ = 0;
};

} // namespace soak
