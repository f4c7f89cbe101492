// Labels, frames, buttons and pictures as the windows use them, checked on what is drawn where a
// user would look.
#include "gui_helpers.h"
#include "runtime/button.h"
#include "runtime/frame.h"
#include "runtime/label.h"
#include "runtime/picture.h"
#include "runtime/twips.h"

#include <QFontDatabase>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

using runtime::TwipsToPixels;

// A window in the desktop's general font, whatever font the program makes the application's.
std::unique_ptr<QWidget> MakeWindow(QColor background = Qt::red) {
    auto window = std::make_unique<QWidget>();
    window->setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    window->resize(400, 300);
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, background);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    return window;
}

// Columns of the image that hold a pixel of the given colour (the text's ink).
std::pair<int, int> InkColumns(const QImage& image, QColor ink) {
    int first = -1;
    int last = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixelColor(x, y) == ink) {
                first = first < 0 ? x : first;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

TEST(Twips, FifteenToThePixelRoundedToTheNearest) {
    const std::pair<int, int> cases[] = {{0, 0},    {15, 1}, {5055, 337}, {3855, 257},
                                         {760, 51}, {7, 0},  {8, 1},      {-15, -1}};
    for (const auto& [twips, pixels] : cases) {
        EXPECT_EQ(TwipsToPixels(twips), pixels) << twips << " twips";
    }
}

TEST(Label, SelfSizingFollowsEachNewTextAndKeepsItsLeftEdge) {
    auto window = MakeWindow();
    runtime::Label label(window.get(), QStringLiteral("B"));
    label.Move(1440, 1200, 780, 195);
    label.SetAutoSize(true);
    label.SetCaption(QStringLiteral("+/- 11 Hz"));
    const int shortWidth = label.Width();
    label.SetCaption(QStringLiteral("+/- 2147483647 Hz"));
    const int longWidth = label.Width();
    EXPECT_GT(longWidth, shortWidth);
    EXPECT_EQ(label.Left(), 1440);
    label.SetCaption(QStringLiteral("+/- 1 Hz"));
    EXPECT_LT(label.Width(), shortWidth);
    // Width and height are those the text needs.
    const QFontMetrics metrics(label.widget()->font());
    EXPECT_EQ(label.widget()->width(), metrics.horizontalAdvance(QStringLiteral("+/- 1 Hz")));
    EXPECT_EQ(label.widget()->height(), metrics.height());
}

TEST(Label, FixedSizeKeepsItsSizeAndClips) {
    auto window = MakeWindow();
    runtime::Label label(window.get(), QStringLiteral("Freq"));
    label.Move(0, 1080, 600, 195);
    label.SetCaption(QStringLiteral("6447453,256 Hz and much more text than fits"));
    EXPECT_EQ(label.Width(), 600);
    EXPECT_EQ(label.Height(), 195);
}

TEST(Label, HeightIsSetInTwips) {
    auto window = MakeWindow();
    runtime::Label label(window.get(), QStringLiteral("LblR1"));
    label.SetAutoSize(true);
    label.SetCaption(QStringLiteral("26KOhms"));
    const int width = label.Width();
    label.SetHeight(360);
    EXPECT_EQ(label.Height(), 360);
    EXPECT_EQ(label.widget()->height(), 24);
    EXPECT_EQ(label.Width(), width);
}

TEST(Label, CentredOrLeftAligned) {
    for (const bool centred : {true, false}) {
        auto window = MakeWindow(Qt::white);
        runtime::Label label(window.get(), QStringLiteral("Freq"));
        label.Move(0, 0, 3000, 300);
        label.SetForeColor(Qt::black);
        label.SetCentred(centred);
        label.SetCaption(QStringLiteral("1000 Hz"));
        window->show();
        const QImage image = label.widget()->grab().toImage();
        const auto [first, last] = InkColumns(image, Qt::black);
        ASSERT_GE(first, 0) << "no text drawn";
        const int leftMargin = first;
        const int rightMargin = image.width() - 1 - last;
        if (centred) {
            EXPECT_LE(std::abs(leftMargin - rightMargin), 3) << leftMargin << " " << rightMargin;
        } else {
            EXPECT_LE(leftMargin, 2);
            EXPECT_GT(rightMargin, 100);
        }
    }
}

TEST(Label, TransparentShowsItsContainerOpaqueShowsItsOwnColour) {
    auto window = MakeWindow(Qt::red);
    runtime::Label transparent(window.get(), QStringLiteral("Freq"));
    transparent.Move(0, 0, 1500, 300);
    transparent.SetCaption(QStringLiteral("x"));
    runtime::Label opaque(window.get(), QStringLiteral("LblC1"));
    opaque.Move(0, 600, 1500, 300);
    opaque.SetBackColor(Qt::white);
    opaque.SetForeColor(QColor(0, 192, 0));
    opaque.SetCaption(QStringLiteral("22NanoFarad"));
    window->show();
    const QImage image = window->grab().toImage();
    const QPoint corner(TwipsToPixels(1500) - 2, TwipsToPixels(300) - 2);
    EXPECT_EQ(image.pixelColor(corner), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(corner + QPoint(0, TwipsToPixels(600))), QColor(Qt::white));
    const QImage text = opaque.widget()->grab().toImage();
    EXPECT_GE(InkColumns(text, QColor(0, 192, 0)).first, 0) << "no green text";
}

TEST(Label, ShowsMarkupAsPlainText) {
    auto window = MakeWindow();
    runtime::Label label(window.get(), QStringLiteral("LblR1"));
    label.SetCaption(QStringLiteral("<b>4</b>KOhms"));
    EXPECT_EQ(label.label()->textFormat(), Qt::PlainText);
    EXPECT_EQ(label.Caption(), "<b>4</b>KOhms");
}

TEST(Frame, ControlsArePlacedFromItsOuterCornerAndClippedToIt) {
    auto window = MakeWindow();
    runtime::Frame frame(window.get(), QStringLiteral("Frame1"), QStringLiteral("Fréquence"));
    frame.Move(3240, 120, 1695, 2895);
    runtime::Label inside(frame.widget(), QStringLiteral("LblPlageBas"));
    inside.Move(0, 1560, 1845, 195);
    window->show();
    EXPECT_EQ(frame.Caption(), "Fréquence");
    EXPECT_EQ(inside.widget()->mapTo(window.get(), QPoint(0, 0)),
              QPoint(TwipsToPixels(3240), TwipsToPixels(120 + 1560)));
    // 1845 twips wide in a frame of 1695: the part beyond the frame's edge is not visible.
    EXPECT_EQ(inside.widget()->visibleRegion().boundingRect().width(), TwipsToPixels(1695));
}

TEST(Button, ClickAndSpaceRaiseClickEnterDoesNot) {
    auto window = MakeWindow();
    runtime::Button button(window.get(), QStringLiteral("Command2"), QStringLiteral("Calcul"));
    button.Move(360, 2400, 990, 360);
    int clicks = 0;
    button.Click.Connect([&] { ++clicks; });
    window->show();
    QTest::mouseClick(button.widget(), Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    testing_support::FocusOn(button.widget());
    QTest::keyClick(button.widget(), Qt::Key_Space);
    EXPECT_EQ(clicks, 2);
    QTest::keyClick(button.widget(), Qt::Key_Return);
    QTest::keyClick(button.widget(), Qt::Key_Enter);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(button.Caption(), "Calcul");
}

TEST(Picture, ShowsItsImageStretchedClicksAndHasATip) {
    // An image of 2 x 1 pixels, blue on the left and yellow on the right.
    QTemporaryDir dir;
    QImage source(2, 1, QImage::Format_RGB32);
    source.setPixelColor(0, 0, Qt::blue);
    source.setPixelColor(1, 0, Qt::yellow);
    const QString path = dir.filePath(QStringLiteral("two.png"));
    ASSERT_TRUE(source.save(path));

    auto window = MakeWindow();
    runtime::Picture picture(window.get(), QStringLiteral("Image1"), path);
    picture.Move(0, 0, 3000, 1500); // 200 x 100 pixels
    picture.SetToolTip(QStringLiteral("Cliquer"));
    int clicks = 0;
    picture.Click.Connect([&] { ++clicks; });
    window->show();
    const QImage shown = picture.widget()->grab().toImage();
    ASSERT_EQ(shown.size(), QSize(200, 100));
    EXPECT_EQ(shown.pixelColor(10, 90), QColor(Qt::blue));
    EXPECT_EQ(shown.pixelColor(190, 10), QColor(Qt::yellow));
    EXPECT_EQ(picture.widget()->toolTip(), "Cliquer");

    QTest::mouseClick(picture.widget(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(clicks, 1);
    QTest::mouseClick(picture.widget(), Qt::RightButton, {}, QPoint(50, 50));
    EXPECT_EQ(clicks, 1);
}

} // namespace
