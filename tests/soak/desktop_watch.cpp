#include "desktop_watch.h"

#include <QApplication>
#include <QMessageBox>

namespace soak {

MessageBoxWatch::MessageBoxWatch() {
    // The box runs an event loop of its own; timers keep firing inside it.
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { Look(); });
    timer_.start(20);
}

void MessageBoxWatch::Look() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box != nullptr && box->isVisible()) {
            seen_.append(box->text());
            box->done(QMessageBox::Ok);
        }
    }
}

} // namespace soak
