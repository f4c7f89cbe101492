#include "runtime/frame.h"

#include <QGroupBox>

namespace runtime {

Frame::Frame(QWidget* container, const QString& name, const QString& caption)
    : Control(new QGroupBox(caption, container), name), group_(static_cast<QGroupBox*>(widget())) {
    group_->setFocusPolicy(Qt::NoFocus);
}

QString Frame::Caption() const {
    return group_->title();
}

} // namespace runtime
