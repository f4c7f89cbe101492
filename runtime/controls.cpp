#include "runtime/button.h"
#include "runtime/frame.h"
#include "runtime/image_file.h"
#include "runtime/picture.h"

#include <QGroupBox>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace runtime {

Frame::Frame(QWidget* container, const QString& name, const QString& caption)
    : Control(new QGroupBox(caption, container), name), group_(static_cast<QGroupBox*>(widget())) {
    group_->setFocusPolicy(Qt::NoFocus);
}

QString Frame::Caption() const {
    return group_->title();
}

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

class Picture::Widget : public QWidget {
public:
    Widget(QWidget* parent, Picture& owner, QString path)
        : QWidget(parent), owner_(owner), path_(std::move(path)) {
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        const qreal ratio = devicePixelRatioF();
        const QSize pixels = (QSizeF(size()) * ratio).toSize();
        if (readSize_ != pixels) {
            readSize_ = pixels; // a file that cannot be read is not tried again at this size
            image_ = ReadImageFile(path_, pixels); // stretched, as the picture box does
            image_.setDevicePixelRatio(ratio);
        }
        QPainter painter(this);
        painter.drawImage(QPoint(0, 0), image_);
    }

    void mousePressEvent(QMouseEvent* event) override {
        pressed_ = event->button() == Qt::LeftButton;
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        const bool click = pressed_ && event->button() == Qt::LeftButton &&
                           rect().contains(event->position().toPoint());
        pressed_ = false;
        if (click) {
            owner_.Click.RaiseFromUser();
        }
    }

private:
    Picture& owner_;
    QString path_;
    QImage image_;
    QSize readSize_;
    bool pressed_ = false;
};

Picture::Picture(QWidget* container, const QString& name, const QString& imagePath)
    : Control(new Widget(container, *this, imagePath), name) {}

} // namespace runtime
