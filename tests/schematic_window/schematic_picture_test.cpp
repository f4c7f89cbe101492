// The schematic window itself: a fixed tool window titled "Schéma", the diagram stretched over a
// picture a little larger than the window, its tool tip, and the labels without one.
#include "schematic_helpers.h"
#include "url_catcher.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <utility>

#include <QHelpEvent>
#include <QPixmap>
#include <QToolTip>

namespace {

using schematic_test::IsDark;
using schematic_test::IsNear;

using SchematicWindow = schematic_test::MainWindowTest;

TEST_F(SchematicWindow, IsAFixedToolWindowTitledSchema) {
    ui::Form2& schematic = ClickCommand3();
    QWidget* window = schematic.window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Schéma");
    // 12915 x 7935 twips of client area.
    EXPECT_EQ(window->size(), QSize(861, 529));
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "the user could resize it";
    // A tool window has no taskbar entry.
    EXPECT_EQ(window->windowType(), Qt::Tool);
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowContextHelpButtonHint));
}

// The picture is 60 twips wider than the window, so its right edge is cut off, and 240 twips
// lower, so a strip of the window's own background shows under it.
TEST_F(SchematicWindow, ThePictureOverhangsOnTheRightAndLeavesAStripBelow) {
    ui::Form2& schematic = ClickCommand3();
    runtime::Picture& picture = *schematic.Image1;
    EXPECT_EQ(picture.Left(), 0);
    EXPECT_EQ(picture.Top(), 0);
    EXPECT_EQ(picture.Width(), 12975);
    EXPECT_EQ(picture.Height(), 7695);

    QWidget* window = schematic.window();
    const QImage shot = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shot.size(), QSize(861, 529));
    const QRgb background = window->palette().color(QPalette::Window).rgb();
    ASSERT_NE(background, qRgb(255, 255, 255)) << "the strip could not be told from the diagram";
    // 7695 twips are 513 pixels: the rows below are the window's background, all across.
    for (int y = 513; y < 529; ++y) {
        for (int x = 0; x < 861; ++x) {
            ASSERT_EQ(shot.pixel(x, y), background) << "at " << x << ", " << y;
        }
    }
    // The diagram's white paper reaches the last row of the picture and the window's right edge.
    EXPECT_EQ(shot.pixel(0, 512), qRgb(255, 255, 255));
    EXPECT_EQ(shot.pixel(860, 5), qRgb(255, 255, 255));
    EXPECT_EQ(shot.pixel(860, 500), qRgb(255, 255, 255));
}

// The tool tip that hovering shows at a point of the window: as when the mouse rests there, Qt
// asks the widget under the mouse, then its containers.
QString ToolTipAt(QWidget* window, QPoint point) {
    QToolTip::hideText();
    QWidget* target = window->childAt(point);
    if (target == nullptr) {
        target = window;
    }
    QHelpEvent hover(QEvent::ToolTip, target->mapFrom(window, point), window->mapToGlobal(point));
    QApplication::sendEvent(target, &hover);
    // A widget that has no tool tip passes the question on; when none takes it, nothing shows
    // (the previous tip may still be fading out).
    const QString shown =
        hover.isAccepted() && QToolTip::isVisible() ? QToolTip::text() : QString();
    QToolTip::hideText();
    return shown;
}

TEST_F(SchematicWindow, HoveringThePictureShowsItsToolTipTheLabelsShowNone) {
    ui::Form2& schematic = ClickCommand3();
    QWidget* window = schematic.window();
    struct Spot {
        const char* name;
        QPoint point;
        QString toolTip;
    };
    const QString pictureTip =
        QStringLiteral("Cliquer pour accéder à la page de Vireldo Électronique");
    const Spot spots[] = {
        {"Picture", QPoint(100, 300), pictureTip},
        {"PictureNearItsBottomRight", QPoint(850, 505), pictureTip},
        {"LblR1", schematic.LblR1->widget()->geometry().center(), QString()},
        {"LblC2", schematic.LblC2->widget()->geometry().center(), QString()},
        {"LblC1", schematic.LblC1->widget()->geometry().center(), QString()},
    };
    for (const Spot& spot : spots) {
        SCOPED_TRACE(spot.name);
        EXPECT_EQ(ToolTipAt(window, spot.point), spot.toolTip);
    }
}

// The diagram of 820 x 460 pixels is stretched over the picture's 865 x 513: its drawing reaches
// both sides and the bottom, which it would not if it were shown at its own size, centred or not,
// or scaled keeping its proportions.
TEST_F(SchematicWindow, TheDiagramIsStretchedOverThePicture) {
    ui::Form2& schematic = ClickCommand3();
    const QImage drawn =
        schematic.Image1->widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(drawn.size(), QSize(865, 513));

    const QColor darkGreen(0, 64, 0);
    const QColor darkRed(128, 0, 0);
    int white = 0;
    int wires = 0;
    int outlines = 0;
    int leftmostInk = drawn.width();
    int rightmostInk = -1;
    int lowestInk = -1;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            const QRgb pixel = drawn.pixel(x, y);
            white += pixel == qRgb(255, 255, 255) ? 1 : 0;
            wires += IsNear(pixel, darkGreen, 24) ? 1 : 0;
            outlines += IsNear(pixel, darkRed, 24) ? 1 : 0;
            if (IsDark(pixel)) {
                leftmostInk = std::min(leftmostInk, x);
                rightmostInk = std::max(rightmostInk, x);
                lowestInk = std::max(lowestInk, y);
            }
        }
    }
    const int all = drawn.width() * drawn.height();
    EXPECT_GT(white, all * 8 / 10) << "mostly white paper";
    EXPECT_GT(wires, 1000) << "dark green wires";
    EXPECT_GT(outlines, 500) << "dark red outlines";
    // The leftmost texts start at x 12 of 820 and the title ends at x 800; stretched they lie at
    // about 13 and 844, at their own size centred at 34 and 822.
    EXPECT_LT(leftmostInk, 24);
    EXPECT_GT(rightmostInk, 834);
    // The notes end near y 450 of 460: stretched about 500, at their own size 450 or 476 centred,
    // scaled with its proportions about 488.
    EXPECT_GT(lowestInk, 493);
}

} // namespace

namespace {

// What a screen reader hears of the window: a window named by its title, each value named after
// its component (the captions stay as drawn), and the picture as a graphic that says what it does
// and offers the action that does it.
TEST_F(SchematicWindow, AScreenReaderHearsTheWindowTheValuesAndWhatThePictureDoes) {
    ui::Form2& schematic = ClickCommand3();
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(schematic.window());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name), "Schéma");

    const std::pair<const runtime::Label*, const char*> values[] = {
        {schematic.LblR1, "R1 : 26KOhms"},
        {schematic.LblC1, "C1 : 22NanoFarad"},
        {schematic.LblC2, "C2 : 27MicroFarad"}};
    for (const auto& [label, name] : values) {
        EXPECT_EQ(QAccessible::queryAccessibleInterface(label->widget())->text(QAccessible::Name),
                  QString::fromUtf8(name));
    }
    EXPECT_EQ(schematic.LblR1->Caption(), "26KOhms");

    QAccessibleInterface* picture =
        QAccessible::queryAccessibleInterface(schematic.Image1->widget());
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->role(), QAccessible::Graphic);
    EXPECT_EQ(picture->text(QAccessible::Name), "Schéma du décodeur de tonalité");
    EXPECT_TRUE(picture->text(QAccessible::Description).contains(QStringLiteral("page")));
    EXPECT_TRUE(picture->state().focusable);
    QAccessibleActionInterface* actions = picture->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    testing_support::UrlCatcher browser;
    actions->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_FALSE(schematic.IsLoaded()) << "the action did not do what a click does";
}

} // namespace
