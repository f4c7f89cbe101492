#include "runtime/picture.h"

#include "runtime/double_click.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QImage>
#include <QImageReader>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <utility>

namespace runtime {

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
            const MouseClick answering(event->timestamp(), event->globalPosition());
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
