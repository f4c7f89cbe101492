#pragma once

#include "runtime/form.h"

#include <QStringList>

namespace ui {

// The font every window is drawn in (at its scale), and the application's.
inline const QString WindowFontFamily = QStringLiteral("Tahoma");
inline constexpr double WindowFontPoints = 8.25;

// What the windows share: the font they ask for and the application icon (the drawing of
// assets/icon.svg rendered at build time).
inline runtime::FormDefinition WindowDefinition(const QString& caption, int clientWidth,
                                                int clientHeight, bool showInTaskbar) {
    runtime::FormDefinition form;
    form.caption = caption;
    form.clientWidth = clientWidth;
    form.clientHeight = clientHeight;
    form.showInTaskbar = showInTaskbar;
    form.fontFamily = WindowFontFamily;
    form.fontPoints = WindowFontPoints;
    form.iconImages = {QStringLiteral(":/icon/16x16/apps/vireldo567.png"),
                       QStringLiteral(":/icon/22x22/apps/vireldo567.png"),
                       QStringLiteral(":/icon/24x24/apps/vireldo567.png"),
                       QStringLiteral(":/icon/32x32/apps/vireldo567.png"),
                       QStringLiteral(":/icon/48x48/apps/vireldo567.png"),
                       QStringLiteral(":/icon/64x64/apps/vireldo567.png"),
                       QStringLiteral(":/icon/128x128/apps/vireldo567.png"),
                       QStringLiteral(":/icon/256x256/apps/vireldo567.png")};
    return form;
}

} // namespace ui
