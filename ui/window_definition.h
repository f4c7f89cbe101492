#pragma once

#include "runtime/form.h"

#include <QString>

namespace ui {

// The font every window is drawn in (at its scale), and the application's.
inline const QString WindowFontFamily = QStringLiteral("Tahoma");
inline constexpr double WindowFontPoints = 8.25;

// What the windows share: the font they ask for.
inline runtime::FormDefinition WindowDefinition(const QString& caption, int clientWidth,
                                                int clientHeight, bool showInTaskbar) {
    runtime::FormDefinition form;
    form.caption = caption;
    form.clientWidth = clientWidth;
    form.clientHeight = clientHeight;
    form.showInTaskbar = showInTaskbar;
    form.fontFamily = WindowFontFamily;
    form.fontPoints = WindowFontPoints;
    return form;
}

} // namespace ui
