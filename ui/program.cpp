#include "ui/program.h"

#include "assets/window_icon_pixels.h"
#include "ui/window_definition.h"

#include <QImage>
#include <QList>

#ifndef VIRELDO_VERSION_TEXT
#define VIRELDO_VERSION_TEXT "0"
#endif

namespace ui {

namespace {

// The drawing of assets/icon.svg at the sizes of title bars and window switchers, compiled in as
// pixels. Read from PNG files, even with the format given, the six images cost 1.6 million
// instructions (callgrind), about 0.5 ms of the start-up: Qt's PNG reader is set up anew for every
// image, however small. Without the format, Qt also loads every image reader it has: 3.4 million
// more; the 128 and 256 pixel images, which the icon theme has for desktops that want them, 7.8
// million more.
QList<QImage> WindowIcon() {
    QList<QImage> images;
    for (const assets::IconPixels& pixels : assets::WindowIconPixels) {
        images.append(QImage(pixels.rgba, pixels.size, pixels.size, pixels.size * 4,
                             QImage::Format_RGBA8888_Premultiplied));
    }
    return images;
}

} // namespace

runtime::ProgramIdentity Program() {
    return {
        .name = QStringLiteral("Vireldo 567"),
        .version = QStringLiteral(VIRELDO_VERSION_TEXT),
        .organisation = QStringLiteral("Vireldo"),
        .desktopFileName = QStringLiteral("vireldo567"),
        .locale = QLocale(QLocale::French, QLocale::France),
        .qtTranslations = {QStringLiteral("qtbase")},
        .fontFiles = {QStringLiteral("/usr/share/wine/fonts/tahoma.ttf")},
        .boldFontFiles = {QStringLiteral("/usr/share/wine/fonts/tahomabd.ttf")},
        .fontFamily = WindowFontFamily,
        .fontPoints = WindowFontPoints,
        .icon = WindowIcon(),
    };
}

} // namespace ui
