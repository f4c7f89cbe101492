#include "runtime/button.h"

#include "runtime/double_click.h"

#include <QMouseEvent>
#include <QPushButton>

namespace runtime {

namespace {

// Its Click answers a click of the mouse inside that click: what it does may end a double click.
class PushButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        const MouseClick click(event->timestamp(), event->globalPosition());
        QPushButton::mouseReleaseEvent(event);
    }
};

} // namespace

Button::Button(QWidget* container, const QString& name, const QString& caption)
    : Control(new PushButton(caption, container), name),
      button_(static_cast<QPushButton*>(widget())) {
    button_->setAutoDefault(false);
    button_->setDefault(false);
    button_->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(button_, &QPushButton::clicked, this, [this] { Click.RaiseFromUser(); });
}

QString Button::Caption() const {
    return button_->text();
}

void Button::SetDefault(bool isDefault) {
    button_->setDefault(isDefault);
}

bool Button::IsDefault() const {
    return button_->isDefault();
}

} // namespace runtime
