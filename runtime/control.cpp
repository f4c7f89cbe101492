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
    const double scale = WindowScale(widget_);
    widget_->setGeometry(TwipsToPixels(left, scale), TwipsToPixels(top, scale),
                         TwipsToPixels(width, scale), TwipsToPixels(height, scale));
}

int Control::Left() const {
    return PixelsToTwips(widget_->x(), WindowScale(widget_));
}
int Control::Top() const {
    return PixelsToTwips(widget_->y(), WindowScale(widget_));
}
int Control::Width() const {
    return PixelsToTwips(widget_->width(), WindowScale(widget_));
}
int Control::Height() const {
    return PixelsToTwips(widget_->height(), WindowScale(widget_));
}

void Control::SetHeight(int twips) {
    widget_->resize(widget_->width(), TwipsToPixels(twips, WindowScale(widget_)));
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

void Control::SetEnabled(bool enabled) {
    widget_->setEnabled(enabled);
}
bool Control::Enabled() const {
    return widget_->isEnabled();
}

} // namespace runtime
