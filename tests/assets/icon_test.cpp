// The window icon: a 16 x 16 drawing that must read, and stay sharp, at its usual size.
#include "svg_inspection.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QSvgRenderer>
#include <gtest/gtest.h>

namespace assets_test {
namespace {

const QString kIcon = QStringLiteral(":/icon.svg");

QImage RenderedIcon(int size) {
    QSvgRenderer renderer(kIcon);
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return image;
}

TEST(Icon, IsA16By16DrawingThatQtRenders) {
    QSvgRenderer renderer(kIcon);
    ASSERT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.viewBoxF(), QRectF(0, 0, 16, 16));
    EXPECT_EQ(renderer.defaultSize(), QSize(16, 16));
}

TEST(Icon, ShowsSomethingAt16Pixels) {
    const QImage image = RenderedIcon(16);
    int opaque = 0;
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) == 255) {
                ++opaque;
                colours.insert(pixel);
            }
        }
    }
    EXPECT_GT(opaque, 0) << "the icon is blank at 16 x 16";
    // A shape filling little of the square would be a speck in a title bar.
    EXPECT_GE(opaque, 16 * 16 / 4) << "only " << opaque << " opaque pixels";
    EXPECT_GE(colours.size(), 2) << "the icon is a single flat colour";
}

TEST(Icon, IsSharpAt16Pixels) {
    // Shapes on whole pixels give pixels that are either empty or fully painted; a shape off the
    // grid shows up as half-transparent or blended pixels, which blur a 16-pixel icon.
    const QSet<QRgb> palette{qRgb(0xFF, 0xFF, 0xFF), qRgb(0x00, 0x00, 0x00), qRgb(0x00, 0x40, 0x00),
                             qRgb(0x80, 0x00, 0x00), qRgb(0xC8, 0xC8, 0xA8)};
    const QImage image = RenderedIcon(16);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            const bool clean = qAlpha(pixel) == 0 || palette.contains(pixel);
            EXPECT_TRUE(clean) << "blurred pixel at " << x << "," << y << ": "
                               << QColor::fromRgba(pixel).name(QColor::HexArgb).toStdString();
        }
    }
}

} // namespace
} // namespace assets_test
