#pragma once

// A window's controls as its definition lists them: one row per control, with named fields, read
// like a designer file.

#include "runtime/control.h"
#include "runtime/event.h"

#include <QColor>
#include <QHash>
#include <QPointer>
#include <QString>
#include <span>

class QWidget;

namespace runtime {

// A table's text holds its headings, separated by tabs: "R1\tC1".
enum class ControlKind { Frame, Label, ListBox, EditableBox, Button, Picture, TextBox, Table };

// Left, top, width and height in twips, from the top-left corner of the container.
struct TwipsRect {
    int left = 0, top = 0, width = 0, height = 0;
};

struct ControlDefinition {
    const char* name = "";
    ControlKind kind = ControlKind::Label;
    const char* container = nullptr; // the frame that holds it, by name; the window when none
    TwipsRect rect;
    const char* text = nullptr; // caption or design text; a picture's image file
    bool centred = false;       // a label's text centred on its width
    bool autoSize = false;      // a label's size follows its text
    bool selectable = false;    // a label's text can be selected and copied
    bool wordWrap = false;      // a label's text goes on at the next line where it is too long
    int tab = -1;               // place in the focus order, for those that take the focus
    const char* accessibleName = nullptr;
    const char* description = nullptr; // what a screen reader adds to the name
    const char* toolTip = nullptr;
    QRgb foreColour = 0;              // 0: the container's
    QRgb backColour = 0;              // 0: transparent
    const char* fontFamily = nullptr; // nullptr: the window's font
    double fontPoints = 0;
    bool bold = false;
};

// The events a control raises, by the name that its handlers carry.
enum class EventKind { Click, Change, Scroll, DblClick };

// Which routine of a window answers which event of which control, as one row of a table.
template <typename Window> struct Handler {
    const char* control;
    EventKind event;
    void (Window::*routine)();
};

// Creates the controls of a definition in its order inside a window's client area; a control in
// a frame follows the frame. A picture lies behind the other controls of its container.
class Controls {
public:
    Controls(QWidget& client, std::span<const ControlDefinition> definition);

    // The control of that name, as what it is; a wrong name or kind is a failure.
    template <typename T> T* Get(const char* name) const {
        auto* control = dynamic_cast<T*>(Find(name));
        if (control == nullptr) {
            Missing(name);
        }
        return control;
    }
    template <typename T> void Bind(QPointer<T>& member, const char* name) const {
        member = Get<T>(name);
    }

    // The event of that control that a handler answers.
    Event& EventOf(const char* control, EventKind event) const;

    // Connects each routine of the window to its event, in the table's order.
    template <typename Window>
    void Connect(Window& window, std::span<const Handler<Window>> handlers) const {
        for (const Handler<Window>& handler : handlers) {
            EventOf(handler.control, handler.event).Connect([&window, routine = handler.routine] {
                (window.*routine)();
            });
        }
    }

private:
    Control* Find(const char* name) const;
    [[noreturn]] static void Missing(const char* name);

    QHash<QString, Control*> byName_;
};

} // namespace runtime
