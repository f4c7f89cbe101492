#include "runtime/twips.h"

#include <QVariant>
#include <QWidget>

namespace runtime {

double WindowScale(const QWidget* widget) {
    const QVariant scale = widget->window()->property(ScaleProperty);
    return scale.isValid() ? scale.toDouble() : 1.0;
}

} // namespace runtime
