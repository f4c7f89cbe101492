#pragma once

#include "runtime/control.h"
#include "runtime/event.h"

class QPushButton;

namespace runtime {

// A push button. Space presses the button that has the focus. Enter presses nothing, unless the
// button's window has a default button: then Enter presses the button that has the focus, or the
// default one from a control that has no use for the key (see Form).
class Button : public Control {
public:
    Button(QWidget* container, const QString& name, const QString& caption);

    QString Caption() const;

    // The default button is drawn as such and a screen reader says so.
    void SetDefault(bool isDefault);
    bool IsDefault() const;

    QPushButton* button() const { return button_; }

    Event Click;

private:
    QPushButton* button_;
};

} // namespace runtime
