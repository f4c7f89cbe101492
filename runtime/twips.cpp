#include "runtime/twips.h"

#include <QWidget>

namespace runtime {

double WindowScale(const QWidget* widget) {
    const auto* scaled = dynamic_cast<const ScaledWindow*>(widget->window());
    return scaled != nullptr ? scaled->Scale() : 1.0;
}

} // namespace runtime
