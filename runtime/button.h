#pragma once

#include "runtime/control.h"
#include "runtime/event.h"

class QPushButton;

namespace runtime {

// A push button. It is never a default button: Enter presses nothing; Space presses the button
// that has the focus.
class Button : public Control {
public:
    Button(QWidget* container, const QString& name, const QString& caption);

    QString Caption() const;
    QPushButton* button() const { return button_; }

    Event Click;

private:
    QPushButton* button_;
};

} // namespace runtime
