#include "runtime/controls.h"

#include <QWidget>

namespace runtime {

namespace {

QString Text(const char* text) {
    return text != nullptr ? QString::fromUtf8(text) : QString();
}

QString Name(const ControlLook& look) {
    return QString::fromLatin1(look.name);
}

// What every kind takes from its row: its place, its place in the focus order and what a screen
// reader and a tool tip say of it.
template <typename T> void Place(T* control, const ControlLook& look, QPointer<T>& into) {
    control->Move(look.rect.left, look.rect.top, look.rect.width, look.rect.height);
    control->SetTabIndex(look.tab);
    if (look.accessibleName != nullptr) {
        control->SetAccessibleName(Text(look.accessibleName));
    }
    if (look.description != nullptr) {
        control->SetAccessibleDescription(Text(look.description));
    }
    if (look.toolTip != nullptr) {
        control->SetToolTip(Text(look.toolTip));
    }
    into = control;
}

} // namespace

void Create(QWidget& container, const ControlLook& look, QPointer<Frame>& into) {
    Place(new Frame(&container, Name(look), Text(look.text)), look, into);
}

// A label takes its colours and font before its text, so that a self-sizing one fits the text
// in the font it is drawn with.
void Create(QWidget& container, const ControlLook& look, QPointer<Label>& into) {
    auto* label = new Label(&container, Name(look));
    Place(label, look, into);
    if (look.backColour != 0) {
        label->SetBackColor(QColor::fromRgba(look.backColour));
    }
    if (look.foreColour != 0) {
        label->SetForeColor(QColor::fromRgba(look.foreColour));
    }
    if (look.fontFamily != nullptr) {
        label->SetFont(QString::fromUtf8(look.fontFamily), look.fontPoints, look.bold);
    }
    label->SetCentred(look.centred);
    label->SetWordWrap(look.wordWrap);
    label->SetCaption(Text(look.text));
    label->SetAutoSize(look.autoSize);
    if (look.selectable) {
        label->SetSelectable();
    }
}

void Create(QWidget& container, const ControlLook& look, QPointer<ComboBox>& into) {
    auto* box = new ComboBox(&container, Name(look),
                             look.editable ? ComboBox::Style::Editable : ComboBox::Style::List);
    Place(box, look, into);
    if (look.text != nullptr) {
        box->SetText(Text(look.text));
    }
}

void Create(QWidget& container, const ControlLook& look, QPointer<Button>& into) {
    auto* button = new Button(&container, Name(look), Text(look.text));
    Place(button, look, into);
    button->SetDefault(look.defaultButton);
}

void Create(QWidget& container, const ControlLook& look, QPointer<Picture>& into) {
    auto* picture = new Picture(&container, Name(look), Text(look.text));
    Place(picture, look, into);
    picture->widget()->lower();
}

void Create(QWidget& container, const ControlLook& look, QPointer<TextBox>& into) {
    auto* box = new TextBox(&container, Name(look));
    Place(box, look, into);
    if (look.text != nullptr) {
        box->SetText(Text(look.text));
    }
}

void Create(QWidget& container, const ControlLook& look, QPointer<Table>& into) {
    Place(new Table(&container, Name(look), Text(look.text).split(QLatin1Char('\t'))), look, into);
}

} // namespace runtime
