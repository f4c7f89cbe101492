#pragma once

#include "runtime/control.h"
#include "runtime/event.h"

#include <QString>

class QAccessibleInterface;

namespace runtime {

// Shows an image stretched to the control's size, as a picture box with stretching does. The image
// is read when the control is first painted, at the size of the screen's pixels, so that a vector
// image stays sharp at any scale and costs nothing before it is seen.
class Picture : public Control {
public:
    Picture(QWidget* container, const QString& name, const QString& imagePath);

    Event Click;

    // What a screen reader reads a picture by (installed by the application, see
    // accessibility.h).
    static QAccessibleInterface* AccessibleInterface(const QString& className, QObject* object);

private:
    class Widget;
};

} // namespace runtime
