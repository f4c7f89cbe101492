#include "runtime/picture.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QImage>
#include <QImageReader>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleHints>
#include <QStyleOptionFocusRect>
#include <algorithm>
#include <cmath>

namespace runtime {

namespace {

// Swallows the rest of a double click whose first click did something: its second press, and the
// release and double-click events that come with it, wherever they land. A click on the picture
// may close its window, and the second press would otherwise reach whatever lies beneath. The
// double-click time is counted from the first click's release, the moment it acted.
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

class Picture::Widget : public QWidget {
public:
    Widget(QWidget* parent, Picture& owner, QString path)
        : QWidget(parent), owner_(owner), path_(std::move(path)) {
        // Reached with Tab, and pressed with Enter or Space like a button.
        setFocusPolicy(Qt::StrongFocus);
    }

    Picture& Owner() const { return owner_; }

protected:
    void paintEvent(QPaintEvent*) override {
        const qreal ratio = devicePixelRatioF();
        const QSize pixels = (QSizeF(size()) * ratio).toSize();
        if (readSize_ != pixels) {
            readSize_ = pixels; // a file that cannot be read is not tried again at this size
            QImageReader reader(path_);
            reader.setScaledSize(pixels); // stretched, as the picture box does
            image_ = reader.read();
            image_.setDevicePixelRatio(ratio);
        }
        QPainter painter(this);
        painter.drawImage(QPoint(0, 0), image_);
        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = visibleRegion().boundingRect().adjusted(2, 2, -2, -2);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
        }
    }

    void mousePressEvent(QMouseEvent* event) override {
        pressed_ = event->button() == Qt::LeftButton;
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        const bool click = pressed_ && event->button() == Qt::LeftButton &&
                           rect().contains(event->position().toPoint());
        pressed_ = false;
        if (click) {
            new DoubleClickGuard(event->timestamp(), event->globalPosition());
            owner_.Click.RaiseFromUser();
        }
    }

    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) &&
            event->modifiers() == Qt::NoModifier) {
            owner_.Click.RaiseFromUser();
            return;
        }
        QWidget::keyPressEvent(event);
    }

    void focusInEvent(QFocusEvent* event) override {
        QWidget::focusInEvent(event);
        update();
    }
    void focusOutEvent(QFocusEvent* event) override {
        QWidget::focusOutEvent(event);
        update();
    }

private:
    Picture& owner_;
    QString path_;
    QImage image_;
    QSize readSize_;
    bool pressed_ = false;
};

namespace {

// A screen reader hears the picture as a graphic with its name and description, and finds the
// action that clicks it.
class PictureAccessible : public QAccessibleWidget {
public:
    PictureAccessible(QWidget* widget, Picture& owner)
        : QAccessibleWidget(widget, QAccessible::Graphic), owner_(owner) {}

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction()) {
            owner_.Click.RaiseFromUser();
        }
    }
    QStringList keyBindingsForAction(const QString& action) const override {
        return action == pressAction()
                   ? QStringList{QStringLiteral("Return"), QStringLiteral("Space")}
                   : QStringList();
    }

private:
    Picture& owner_;
};

} // namespace

Picture::Picture(QWidget* container, const QString& name, const QString& imagePath)
    : Control(new Widget(container, *this, imagePath), name) {}

QAccessibleInterface* Picture::AccessibleInterface(const QString&, QObject* object) {
    auto* picture = dynamic_cast<Widget*>(object);
    return picture != nullptr ? new PictureAccessible(picture, picture->Owner()) : nullptr;
}

} // namespace runtime
