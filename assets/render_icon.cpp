// Draws the window icon at the pixel sizes of the desktop's icon theme, while the program is built:
//   vireldo_icon_renderer <icon.svg> <theme folder> <size>...
// writes <theme folder>/<size>x<size>/apps/vireldo567.png for every size. Draws into memory images
// only, so it needs neither a display nor Qt's GUI application object.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

bool ParseSize(const char* text, int& size) {
    const char* end = text + std::strlen(text);
    const auto [rest, error] = std::from_chars(text, end, size);
    return error == std::errc() && rest == end && size > 0 && size <= 1024;
}

int Fail(const char* what, const char* detail) {
    std::fputs("vireldo_icon_renderer: ", stderr);
    std::fputs(what, stderr);
    std::fputs(detail, stderr);
    std::fputs("\n", stderr);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fputs("usage: vireldo_icon_renderer <icon.svg> <theme folder> <size>...\n", stderr);
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString theme = QString::fromLocal8Bit(argv[2]);
    std::vector<int> sizes;
    for (int i = 3; i < argc; ++i) {
        int size = 0;
        if (!ParseSize(argv[i], size)) {
            return Fail("not a size: ", argv[i]);
        }
        sizes.push_back(size);
    }

    QSvgRenderer renderer(source);
    if (!renderer.isValid()) {
        return Fail("cannot read ", argv[1]);
    }
    for (const int size : sizes) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        // 96 dots per inch, whatever machine builds it.
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        QPainter painter(&image);
        renderer.render(&painter, QRectF(0, 0, size, size));
        painter.end();

        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(theme).arg(size);
        const QString target = folder + QStringLiteral("/vireldo567.png");
        if (!QDir().mkpath(folder) ||
            !image.convertToFormat(QImage::Format_ARGB32).save(target, "PNG")) {
            return Fail("cannot write ", target.toLocal8Bit().constData());
        }
    }
    return 0;
}
