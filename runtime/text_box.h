#pragma once

#include "runtime/control.h"
#include "runtime/event.h"

#include <QString>

class QLineEdit;
class QWidget;

namespace runtime {

// A one-line text box. Change is raised for each edit the user makes (typing, deleting, pasting,
// undoing) and for each assignment of Text, synchronously, before the assignment returns; never
// for a change of the caret or the selection. Enter presses nothing.
class TextBox : public Control {
public:
    TextBox(QWidget* container, const QString& name);

    QString Text() const;
    void SetText(const QString& text);

    int SelStart() const;
    void SetSelStart(int position);

    QLineEdit* edit() const { return edit_; }

    Event Change;

private:
    QLineEdit* edit_;
};

} // namespace runtime
