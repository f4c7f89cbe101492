#include "runtime/controls.h"

#include "runtime/button.h"
#include "runtime/combo_box.h"
#include "runtime/frame.h"
#include "runtime/label.h"
#include "runtime/picture.h"
#include "runtime/table.h"
#include "runtime/text_box.h"

#include <QWidget>
#include <stdexcept>
#include <string>

namespace runtime {

namespace {

QString Text(const char* text) {
    return text != nullptr ? QString::fromUtf8(text) : QString();
}

Control* Create(QWidget* container, const ControlDefinition& row) {
    const QString name = QString::fromLatin1(row.name);
    switch (row.kind) {
    case ControlKind::Frame:
        return new Frame(container, name, Text(row.text));
    case ControlKind::Button:
        return new Button(container, name, Text(row.text));
    case ControlKind::ListBox:
        return new ComboBox(container, name, ComboBox::Style::List);
    case ControlKind::EditableBox:
        return new ComboBox(container, name, ComboBox::Style::Editable);
    case ControlKind::Picture:
        return new Picture(container, name, Text(row.text));
    case ControlKind::Label:
        return new Label(container, name);
    case ControlKind::TextBox:
        return new TextBox(container, name);
    case ControlKind::Table:
        return new Table(container, name, Text(row.text).split(QLatin1Char('\t')));
    }
    return nullptr;
}

// A label takes its colours and font before its text, so that a self-sizing one fits the text
// in the font it is drawn with.
void SetUpLabel(Label& label, const ControlDefinition& row) {
    if (row.backColour != 0) {
        label.SetBackColor(QColor::fromRgba(row.backColour));
    }
    if (row.foreColour != 0) {
        label.SetForeColor(QColor::fromRgba(row.foreColour));
    }
    if (row.fontFamily != nullptr) {
        label.SetFont(QString::fromUtf8(row.fontFamily), row.fontPoints, row.bold);
    }
    label.SetCentred(row.centred);
    label.SetWordWrap(row.wordWrap);
    label.SetCaption(Text(row.text));
    label.SetAutoSize(row.autoSize);
    if (row.selectable) {
        label.SetSelectable();
    }
}

} // namespace

Controls::Controls(QWidget& client, std::span<const ControlDefinition> definition) {
    for (const ControlDefinition& row : definition) {
        QWidget* container =
            row.container != nullptr ? Get<Control>(row.container)->widget() : &client;
        Control* control = Create(container, row);
        control->Move(row.rect.left, row.rect.top, row.rect.width, row.rect.height);
        if (auto* label = dynamic_cast<Label*>(control)) {
            SetUpLabel(*label, row);
        } else if (auto* box = dynamic_cast<ComboBox*>(control);
                   box != nullptr && row.text != nullptr) {
            box->SetText(Text(row.text));
        } else if (auto* textBox = dynamic_cast<TextBox*>(control);
                   textBox != nullptr && row.text != nullptr) {
            textBox->SetText(Text(row.text));
        } else if (row.kind == ControlKind::Picture) {
            control->widget()->lower();
        }
        control->SetTabIndex(row.tab);
        if (row.accessibleName != nullptr) {
            control->SetAccessibleName(Text(row.accessibleName));
        }
        if (row.description != nullptr) {
            control->SetAccessibleDescription(Text(row.description));
        }
        if (row.toolTip != nullptr) {
            control->SetToolTip(Text(row.toolTip));
        }
        byName_.insert(control->Name(), control);
    }
}

Control* Controls::Find(const char* name) const {
    return byName_.value(QString::fromLatin1(name), nullptr);
}

void Controls::Missing(const char* name) {
    throw std::logic_error(std::string("Contrôle introuvable : ") + name);
}

Event& Controls::EventOf(const char* control, EventKind event) const {
    if (auto* box = dynamic_cast<ComboBox*>(Find(control));
        box != nullptr && event != EventKind::DblClick) {
        return event == EventKind::Click    ? box->Click
               : event == EventKind::Change ? box->Change
                                            : box->Scroll;
    }
    if (auto* textBox = dynamic_cast<TextBox*>(Find(control));
        textBox != nullptr && event == EventKind::Change) {
        return textBox->Change;
    }
    if (auto* table = dynamic_cast<Table*>(Find(control))) {
        if (event == EventKind::Click) {
            return table->Click;
        }
        if (event == EventKind::DblClick) {
            return table->DblClick;
        }
    }
    if (event == EventKind::Click) {
        if (auto* button = dynamic_cast<Button*>(Find(control))) {
            return button->Click;
        }
        if (auto* picture = dynamic_cast<Picture*>(Find(control))) {
            return picture->Click;
        }
    }
    throw std::logic_error(std::string("Événement introuvable sur ") + control);
}

} // namespace runtime
