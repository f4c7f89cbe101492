// Draws the window icon at pixel sizes, for the desktop's icon theme, for the program and for the
// documentation:
//   vireldo_icon_renderer <icon.svg> <theme folder> <size>...
// writes <theme folder>/<size>x<size>/apps/vireldo567.png for every size, while the program is
// built: memory images only, so it needs neither a display nor Qt's GUI application object.
//   vireldo_icon_renderer --pixels <icon.svg> <header.h> <size>...
// writes a C++ header holding the images' pixels (premultiplied RGBA bytes), which the program
// shows as its windows' icon without reading or decoding anything.
//   vireldo_icon_renderer --sheet <icon.svg> <picture.png> <size>...
// writes one picture showing the icon at every size on a light and on a dark background, with the
// smallest size also enlarged so that its pixels can be judged (docs/icon-sizes.png).
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
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

QImage Render(QSvgRenderer& renderer, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    // 96 dots per inch, whatever machine builds it.
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

int WriteTheme(QSvgRenderer& renderer, const QString& theme, const std::vector<int>& sizes) {
    for (const int size : sizes) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(theme).arg(size);
        const QString target = folder + QStringLiteral("/vireldo567.png");
        if (!QDir().mkpath(folder) || !Render(renderer, size).save(target, "PNG")) {
            return Fail("cannot write ", target.toLocal8Bit().constData());
        }
    }
    return 0;
}

int WritePixels(QSvgRenderer& renderer, const char* target, const std::vector<int>& sizes) {
    std::ofstream header(target);
    header << "// Drawn from assets/icon.svg by vireldo_icon_renderer while the program is built.\n"
              "#pragma once\n\n"
              "namespace assets {\n\n"
              "// A square image of the icon: its side in pixels and its pixels, row by row, as\n"
              "// premultiplied RGBA bytes.\n"
              "struct IconPixels {\n"
              "    int size;\n"
              "    const unsigned char* rgba;\n"
              "};\n\n";
    for (const int size : sizes) {
        const QImage image =
            Render(renderer, size).convertToFormat(QImage::Format_RGBA8888_Premultiplied);
        header << "inline constexpr unsigned char IconPixels" << size << "[] = {";
        for (int y = 0; y < size; ++y) {
            const uchar* row = image.constScanLine(y);
            for (int x = 0; x < size * 4; ++x) {
                header << ((y * size * 4 + x) % 16 == 0 ? "\n    " : " ") << int(row[x]) << ',';
            }
        }
        header << "\n};\n\n";
    }
    header << "inline constexpr IconPixels WindowIconPixels[] = {";
    for (const int size : sizes) {
        header << "{" << size << ", IconPixels" << size << "}, ";
    }
    header << "};\n\n} // namespace assets\n";
    header.close();
    if (!header) {
        return Fail("cannot write ", target);
    }
    return 0;
}

int WriteSheet(QSvgRenderer& renderer, const QString& target, const std::vector<int>& sizes) {
    constexpr int kMargin = 24;
    constexpr int kLabelHeight = 28;
    constexpr int kEnlargement = 8;
    const int smallest = *std::min_element(sizes.begin(), sizes.end());
    const int tallest =
        std::max(*std::max_element(sizes.begin(), sizes.end()), smallest * kEnlargement);
    int width = kMargin;
    for (const int size : sizes) {
        width += std::max(size, 64) + kMargin;
    }
    width += smallest * kEnlargement + kMargin;
    const int rowHeight = kMargin + tallest + kLabelHeight;

    // Light and dark panels, as the icon appears in light and dark desktop themes.
    const QColor backgrounds[] = {QColor(0xF6, 0xF5, 0xF4), QColor(0x24, 0x24, 0x24)};
    const QColor labels[] = {QColor(0x24, 0x24, 0x24), QColor(0xF6, 0xF5, 0xF4)};
    QImage sheet(width, 2 * rowHeight, QImage::Format_RGB32);
    QPainter painter(&sheet);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    painter.setFont(font);
    for (int row = 0; row < 2; ++row) {
        const int top = row * rowHeight;
        painter.fillRect(0, top, width, rowHeight, backgrounds[row]);
        painter.setPen(labels[row]);
        const int baseline = top + kMargin + tallest;
        int x = kMargin;
        const auto place = [&](const QImage& image, int cell, const QString& label) {
            painter.drawImage(x + (cell - image.width()) / 2, baseline - image.height(), image);
            painter.drawText(QRect(x, baseline, cell, kLabelHeight), Qt::AlignCenter, label);
            x += cell + kMargin;
        };
        for (const int size : sizes) {
            place(Render(renderer, size), std::max(size, 64), QStringLiteral("%1 px").arg(size));
        }
        // Each pixel of the smallest image as a square block.
        place(Render(renderer, smallest)
                  .scaled(smallest * kEnlargement, smallest * kEnlargement, Qt::IgnoreAspectRatio,
                          Qt::FastTransformation),
              smallest * kEnlargement,
              QStringLiteral("%1 px, enlarged %2\u00D7").arg(smallest).arg(kEnlargement));
    }
    painter.end();
    if (!sheet.save(target, "PNG")) {
        return Fail("cannot write ", target.toLocal8Bit().constData());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const bool sheet = argc > 1 && std::strcmp(argv[1], "--sheet") == 0;
    const bool pixels = argc > 1 && std::strcmp(argv[1], "--pixels") == 0;
    const int first = sheet || pixels ? 2 : 1;
    if (argc < first + 3) {
        std::fputs("usage: vireldo_icon_renderer <icon.svg> <theme folder> <size>...\n"
                   "       vireldo_icon_renderer --pixels <icon.svg> <header.h> <size>...\n"
                   "       vireldo_icon_renderer --sheet <icon.svg> <picture.png> <size>...\n",
                   stderr);
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[first]);
    const QString target = QString::fromLocal8Bit(argv[first + 1]);
    std::vector<int> sizes;
    for (int i = first + 2; i < argc; ++i) {
        int size = 0;
        if (!ParseSize(argv[i], size)) {
            return Fail("not a size: ", argv[i]);
        }
        sizes.push_back(size);
    }

    QSvgRenderer renderer(source);
    if (!renderer.isValid()) {
        return Fail("cannot read ", argv[first]);
    }
    if (pixels) {
        return WritePixels(renderer, argv[first + 1], sizes);
    }
    if (!sheet) {
        return WriteTheme(renderer, target, sizes);
    }
    // The labels need fonts, which only a GUI application has; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int appArgc = 1;
    QGuiApplication app(appArgc, argv);
    return WriteSheet(renderer, target, sizes);
}
