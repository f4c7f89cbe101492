#pragma once

#include <QStringList>

namespace ui {

// The icon of both windows: the drawing of assets/icon.svg rendered at build time.
inline QStringList ApplicationIcon() {
    return {QStringLiteral(":/icon/16x16/apps/vireldo567.png"),
            QStringLiteral(":/icon/32x32/apps/vireldo567.png"),
            QStringLiteral(":/icon/48x48/apps/vireldo567.png"),
            QStringLiteral(":/icon/128x128/apps/vireldo567.png")};
}

} // namespace ui
