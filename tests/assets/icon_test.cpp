// The window icon: one scalable drawing that must read at 16 pixels, in a title bar, and keep sharp
// edges at the icon theme's sizes.
#include "svg_inspection.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <gtest/gtest.h>
#include <string>

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

TEST(Icon, IsASquareDrawingThatQtRenders) {
    QSvgRenderer renderer(kIcon);
    ASSERT_TRUE(renderer.isValid());
    // A drawing that is not square would be squeezed by every icon theme.
    EXPECT_EQ(renderer.viewBoxF().width(), renderer.viewBoxF().height());
}

TEST(Icon, ShowsAContrastedShapeAt16Pixels) {
    const QImage image = RenderedIcon(16);
    int opaque = 0;
    int dark = 0;
    int light = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) < 255) {
                continue;
            }
            ++opaque;
            const int grey = qGray(pixel);
            dark += grey < 64 ? 1 : 0;
            light += grey > 160 ? 1 : 0;
        }
    }
    EXPECT_GT(opaque, 0) << "the icon is blank at 16 x 16";
    // A shape filling little of the square would be a speck in a title bar.
    EXPECT_GE(opaque, 16 * 16 / 4) << "only " << opaque << " opaque pixels";
    // The body and what is drawn on it must stand apart, or the icon is a blot at this size.
    EXPECT_GE(dark, 16) << "only " << dark << " dark pixels";
    EXPECT_GE(light, 16) << "only " << light << " light pixels";
}

class IconOutline : public testing::TestWithParam<int> {};

// The outline lies on the grid of these sizes: each pixel is either clear or covered. A shape off
// the grid shows up as half-transparent pixels along its edge, which blur the icon.
TEST_P(IconOutline, IsSharp) {
    const int size = GetParam();
    const QImage image = RenderedIcon(size);
    int blurred = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(image.pixel(x, y));
            if (alpha > 8 && alpha < 247 && ++blurred <= 5) {
                ADD_FAILURE() << "half-transparent pixel at " << x << "," << y << ": alpha "
                              << alpha;
            }
        }
    }
    EXPECT_EQ(blurred, 0);
}

INSTANTIATE_TEST_SUITE_P(ThemeSizes, IconOutline, testing::Values(16, 32, 48),
                         [](const testing::TestParamInfo<int>& row) {
                             return std::to_string(row.param) + "px";
                         });

} // namespace
} // namespace assets_test
