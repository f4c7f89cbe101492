#include "runtime/double_click.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QStyleHints>
#include <algorithm>
#include <cmath>

namespace runtime {

namespace {

const MouseClick* current = nullptr;

// Swallows the second press of a double click, and the double-click and release events that come
// with it, wherever they land; the first press that is no part of that double click ends it. The
// double-click time is counted from the first click's release, the moment it acted, with Qt's
// double-click time and distance.
class DoubleClickGuard : public QObject {
public:
    DoubleClickGuard(quint64 clickTime, QPointF clickAt)
        : QObject(qApp), clickTime_(clickTime), clickAt_(clickAt) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
            type != QEvent::MouseButtonRelease) {
            return QObject::eventFilter(watched, event);
        }
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (type == QEvent::MouseButtonRelease) {
            if (swallowing_ && mouse->buttons() == Qt::NoButton) {
                deleteLater(); // the double click is over
            }
            return swallowing_;
        }
        const QStyleHints* hints = QGuiApplication::styleHints();
        const QPointF moved = mouse->globalPosition() - clickAt_;
        if (mouse->timestamp() - clickTime_ <= quint64(hints->mouseDoubleClickInterval()) &&
            std::max(std::abs(moved.x()), std::abs(moved.y())) <=
                hints->mouseDoubleClickDistance()) {
            swallowing_ = true;
            return true;
        }
        if (!swallowing_) {
            deleteLater(); // a new click, not the second of a double click
        }
        return swallowing_;
    }

private:
    quint64 clickTime_;
    QPointF clickAt_;
    bool swallowing_ = false;
};

} // namespace

MouseClick::MouseClick(quint64 releaseTime, QPointF releasedAt)
    : releaseTime_(releaseTime), releasedAt_(releasedAt), outer_(current) {
    current = this;
}

MouseClick::~MouseClick() {
    current = outer_;
}

const MouseClick* MouseClick::Current() {
    return current;
}

void SwallowRestOfDoubleClick() {
    // One double click at a time: a later click's guard replaces an earlier one.
    static QPointer<DoubleClickGuard> guard;
    if (current == nullptr) {
        return;
    }
    delete guard.data();
    guard = new DoubleClickGuard(current->ReleaseTime(), current->ReleasedAt());
}

} // namespace runtime
