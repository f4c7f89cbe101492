#include "runtime/button.h"

#include <QPushButton>

namespace runtime {

Button::Button(QWidget* container, const QString& name, const QString& caption)
    : Control(new QPushButton(caption, container), name),
      button_(static_cast<QPushButton*>(widget())) {
    button_->setAutoDefault(false);
    button_->setDefault(false);
    button_->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(button_, &QPushButton::clicked, this, [this] { Click.RaiseFromUser(); });
}

QString Button::Caption() const {
    return button_->text();
}

} // namespace runtime
