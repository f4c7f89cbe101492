#include "runtime/text_box.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <stdexcept>

namespace runtime {

TextBox::TextBox(QWidget* container, const QString& name)
    : Control(new QLineEdit(container), name), edit_(static_cast<QLineEdit*>(widget())) {
    edit_->setFocusPolicy(Qt::StrongFocus);
    // textEdited comes from the user's editing only, never from setText.
    QObject::connect(edit_, &QLineEdit::textEdited, this, [this] { Change.RaiseFromUser(); });
}

QString TextBox::Text() const {
    return edit_->text();
}

void TextBox::SetText(const QString& text) {
    {
        const QSignalBlocker blocker(edit_);
        edit_->setText(text);
    }
    Change.Raise();
}

int TextBox::SelStart() const {
    return edit_->cursorPosition();
}

void TextBox::SetSelStart(int position) {
    if (position < 0) {
        throw std::out_of_range("Valeur de propriété non valide : SelStart");
    }
    edit_->setCursorPosition(position);
}

} // namespace runtime
