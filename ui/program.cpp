#include "ui/program.h"

#include "ui/window_definition.h"

#ifndef VIRELDO_VERSION_TEXT
#define VIRELDO_VERSION_TEXT "0"
#endif

namespace ui {

runtime::ProgramIdentity Program() {
    return {
        .name = QStringLiteral("Vireldo 567"),
        .version = QStringLiteral(VIRELDO_VERSION_TEXT),
        .organisation = QStringLiteral("Vireldo"),
        .desktopFileName = QStringLiteral("vireldo567"),
        .locale = QLocale(QLocale::French, QLocale::France),
        .qtTranslations = {QStringLiteral("qtbase")},
        .fontFiles = {QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"),
                      QStringLiteral("/usr/share/wine/fonts/tahomabd.ttf")},
        .fontFamily = WindowFontFamily,
        .fontPoints = WindowFontPoints,
    };
}

} // namespace ui
