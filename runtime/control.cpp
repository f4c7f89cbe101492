#include "runtime/control.h"

#include "runtime/twips.h"

#include <QWidget>

namespace runtime {

Control::Control(QWidget* widget, const QString& name) : QObject(widget), widget_(widget) {
    widget_->setObjectName(name);
    setObjectName(name);
}

QString Control::Name() const {
    return widget_->objectName();
}

void Control::Move(int left, int top, int width, int height) {
    widget_->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                         TwipsToPixels(height));
}

int Control::Left() const {
    return PixelsToTwips(widget_->x());
}
int Control::Top() const {
    return PixelsToTwips(widget_->y());
}
int Control::Width() const {
    return PixelsToTwips(widget_->width());
}
int Control::Height() const {
    return PixelsToTwips(widget_->height());
}

void Control::SetHeight(int twips) {
    widget_->resize(widget_->width(), TwipsToPixels(twips));
}

void Control::SetToolTip(const QString& text) {
    widget_->setToolTip(text);
}

QString Control::ToolTip() const {
    return widget_->toolTip();
}

void Control::SetAccessibleName(const QString& text) {
    widget_->setAccessibleName(text);
}
void Control::SetAccessibleDescription(const QString& text) {
    widget_->setAccessibleDescription(text);
}

} // namespace runtime
