#pragma once

// A window's controls as its definition lists them: one row per control, with named fields, read
// like a designer file. Each row names the window's member that receives the control, and its
// container as another such member: the compiler checks that a label goes into a label and a box
// into a box, and nothing looks a control up by its name.

#include "runtime/button.h"
#include "runtime/combo_box.h"
#include "runtime/frame.h"
#include "runtime/label.h"
#include "runtime/picture.h"
#include "runtime/table.h"
#include "runtime/text_box.h"

#include <QColor>
#include <QPointer>
#include <span>
#include <variant>

class QWidget;

namespace runtime {

// Left, top, width and height in twips, from the top-left corner of the container.
struct TwipsRect {
    int left = 0, top = 0, width = 0, height = 0;
};

// What a row says of its control, whatever its window.
struct ControlLook {
    const char* name = "";
    bool editable = false; // a combo box the user can type into
    TwipsRect rect;
    // The caption or design text; a picture's image file; a table's headings, separated by tabs
    // ("R1\tC1").
    const char* text = nullptr;
    bool centred = false;    // a label's text centred on its width
    bool autoSize = false;   // a label's size follows its text
    bool selectable = false; // a label's text can be selected and copied
    bool wordWrap = false;   // a label's text goes on at the next line where it is too long
    int tab = -1;            // place in the focus order, for those that take the focus
    const char* accessibleName = nullptr;
    const char* description = nullptr; // what a screen reader adds to the name
    const char* toolTip = nullptr;
    QRgb foreColour = 0;              // 0: the container's
    QRgb backColour = 0;              // 0: transparent
    const char* fontFamily = nullptr; // nullptr: the window's font
    double fontPoints = 0;
    bool bold = false;
    bool defaultButton = false; // the button that Enter presses (see Button)
};

// The window's member that holds a control, by the control's kind.
template <typename Window>
using ControlMember =
    std::variant<QPointer<Frame> Window::*, QPointer<Label> Window::*, QPointer<ComboBox> Window::*,
                 QPointer<Button> Window::*, QPointer<Picture> Window::*,
                 QPointer<TextBox> Window::*, QPointer<Table> Window::*>;

template <typename Window> struct ControlDefinition {
    ControlMember<Window> control;
    QPointer<Frame> Window::*container = nullptr; // the frame that holds it; the window when none
    const char* name = "";
    bool editable = false;
    TwipsRect rect;
    const char* text = nullptr;
    bool centred = false;
    bool autoSize = false;
    bool selectable = false;
    bool wordWrap = false;
    int tab = -1;
    const char* accessibleName = nullptr;
    const char* description = nullptr;
    const char* toolTip = nullptr;
    QRgb foreColour = 0;
    QRgb backColour = 0;
    const char* fontFamily = nullptr;
    double fontPoints = 0;
    bool bold = false;
    bool defaultButton = false;

    constexpr ControlLook Look() const {
        return {name,       editable,   rect,       text,           centred,     autoSize,
                selectable, wordWrap,   tab,        accessibleName, description, toolTip,
                foreColour, backColour, fontFamily, fontPoints,     bold,        defaultButton};
    }
};

// One of each kind: creates the control in the container and places it as the row says.
void Create(QWidget& container, const ControlLook& look, QPointer<Frame>& into);
void Create(QWidget& container, const ControlLook& look, QPointer<Label>& into);
void Create(QWidget& container, const ControlLook& look, QPointer<ComboBox>& into);
void Create(QWidget& container, const ControlLook& look, QPointer<Button>& into);
void Create(QWidget& container, const ControlLook& look, QPointer<Picture>& into);
void Create(QWidget& container, const ControlLook& look, QPointer<TextBox>& into);
void Create(QWidget& container, const ControlLook& look, QPointer<Table>& into);

// Creates the controls of a definition in its order inside a window's client area, each into its
// member of the window; a control in a frame follows the frame. A picture lies behind the other
// controls of its container.
template <typename Window>
void CreateControls(Window& window, QWidget& client,
                    std::span<const ControlDefinition<Window>> definition) {
    for (const ControlDefinition<Window>& row : definition) {
        QWidget& container = row.container != nullptr ? *(window.*row.container)->widget() : client;
        std::visit([&](auto member) { Create(container, row.Look(), window.*member); },
                   row.control);
    }
}

} // namespace runtime
