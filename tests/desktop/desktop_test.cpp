// The windows under a real window manager (Openbox on Xvfb, see under_openbox.sh): the hints it
// is given, a window it minimises, double clicks made by the X server, an open schematic asked for
// again, the web page through the desktop's own opener, the program started with Qt's own
// arguments, and the tool windows on small or scaled screens. What is read comes
// from the X server (xprop, xwininfo) and what is done goes through it (xdotool), as a user's
// desktop sees and does it.
#include "gui_helpers.h"
#include "ui/main/form1.h"
#include "ui/schematic/form2.h"
#include "url_catcher.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QScreen>
#include <QStyleHints>
#include <QUrl>
#include <gtest/gtest.h>
#include <optional>

namespace {

// The window manager, the X tools and the program started here answer slowly on a loaded machine
// (the whole suite at -j 2): every wait on them allows this long.
constexpr int kDesktopWaitMs = 30000;

template <typename Condition> bool WaitFor(Condition condition) {
    return testing_support::WaitFor(condition, kDesktopWaitMs);
}

// Runs a tool to its end while the windows go on handling their events, as they would on a
// desktop where the tool is another program. Returns its standard output; what it said on its
// standard error goes with a failure.
QString RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForStarted(kDesktopWaitMs))
        << program.toStdString() << " does not start: " << process.errorString().toStdString();
    EXPECT_TRUE(WaitFor([&process] { return process.state() == QProcess::NotRunning; }))
        << program.toStdString()
        << " did not finish: " << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString Id(const QWidget* window) {
    return QString::number(window->winId());
}

QString Property(const QWidget* window, const char* atom) {
    return RunTool(QStringLiteral("xprop"),
                   {QStringLiteral("-id"), Id(window), QString::fromLatin1(atom)});
}

// The window manager has taken the window in hand once it says what the user may do with it.
bool Managed(const QWidget* window) {
    return Property(window, "_NET_WM_ALLOWED_ACTIONS")
        .contains(QLatin1String("_NET_WM_ACTION_CLOSE"));
}

bool Viewable(const QWidget* window) {
    return RunTool(QStringLiteral("xwininfo"), {QStringLiteral("-id"), Id(window)})
        .contains(QLatin1String("Map State: IsViewable"));
}

// The main window on the desktop; the pages it asks for go to the desktop's own opener.
class OnTheDesktop : public ::testing::Test {
protected:
    void SetUp() override {
        main.Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main.window()));
        ASSERT_TRUE(WaitFor([this] { return Managed(main.window()); }));
        ASSERT_TRUE(WaitFor(
            [this] { return main.window()->frameGeometry() != main.window()->geometry(); }));
    }
    void TearDown() override {
        main.Unload();
        if (ui::Form2* schematic = main.SchematicWindow()) {
            schematic->Unload();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    ui::Form2& OpenSchematic() {
        main.Command3_Click();
        ui::Form2& schematic = *main.SchematicWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(schematic.window()));
        EXPECT_TRUE(WaitFor([&schematic] { return Managed(schematic.window()); }));
        // The frame arrives once the window manager has put it around the window.
        EXPECT_TRUE(WaitFor([&schematic] {
            return schematic.window()->frameGeometry() != schematic.window()->geometry();
        }));
        return schematic;
    }

    ui::Form1 main;
};

// The same with the browser replaced by a catcher.
class Desktop : public OnTheDesktop {
protected:
    testing_support::UrlCatcher browser;
};

// ---- Hints ---------------------------------------------------------------------------------

// _MOTIF_WM_HINTS: flags, functions, decorations, ...
constexpr unsigned kFunctionMinimise = 0x08, kFunctionMaximise = 0x10;
constexpr unsigned kDecorationMinimise = 0x20, kDecorationMaximise = 0x40;

TEST_F(Desktop, NeitherWindowAsksForAMinimiseOrMaximiseButton) {
    ui::Form2& schematic = OpenSchematic();
    for (const QWidget* window : {main.window(), schematic.window()}) {
        SCOPED_TRACE(window->windowTitle().toStdString());
        const QString motif = Property(window, "_MOTIF_WM_HINTS");
        const QRegularExpressionMatch hints =
            QRegularExpression(QStringLiteral("= (0x[0-9a-f]+), (0x[0-9a-f]+), (0x[0-9a-f]+)"))
                .match(motif);
        ASSERT_TRUE(hints.hasMatch()) << motif.toStdString();
        const unsigned functions = hints.captured(2).toUInt(nullptr, 16);
        const unsigned decorations = hints.captured(3).toUInt(nullptr, 16);
        EXPECT_EQ(functions & (kFunctionMinimise | kFunctionMaximise), 0U) << motif.toStdString();
        EXPECT_EQ(decorations & (kDecorationMinimise | kDecorationMaximise), 0U)
            << motif.toStdString();
        // What the window manager then allows: close and move, never maximise or resize.
        // (Openbox keeps minimise whatever the hints say; the next test shows what then happens.)
        const QString allowed = Property(window, "_NET_WM_ALLOWED_ACTIONS");
        EXPECT_TRUE(allowed.contains(QLatin1String("_NET_WM_ACTION_CLOSE")))
            << allowed.toStdString();
        EXPECT_FALSE(allowed.contains(QLatin1String("MAXIMIZE"))) << allowed.toStdString();
        EXPECT_FALSE(allowed.contains(QLatin1String("_NET_WM_ACTION_RESIZE")))
            << allowed.toStdString();
    }
    // The schematic window is a utility window, with no taskbar entry.
    EXPECT_TRUE(Property(schematic.window(), "_NET_WM_WINDOW_TYPE")
                    .contains(QLatin1String("_NET_WM_WINDOW_TYPE_UTILITY")));
}

// With the main window closed, the schematic window is the program's only window and has no
// taskbar entry: minimised, it comes straight back rather than leave the program running with
// nothing to reach it by.
TEST_F(Desktop, AMinimisedWindowComesBackSoTheProgramAlwaysHasOneToReach) {
    ui::Form2& schematic = OpenSchematic();
    main.window()->close();
    ASSERT_FALSE(main.IsLoaded());
    ASSERT_EQ(runtime::Form::LoadedCount(), 1);
    QWidget* window = schematic.window();

    bool minimised = false;
    struct Watch : QObject {
        bool* seen;
        explicit Watch(bool* flag) : seen(flag) {}
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::WindowStateChange &&
                static_cast<QWidget*>(watched)->isMinimized()) {
                *seen = true;
            }
            return false;
        }
    } watch(&minimised);
    window->installEventFilter(&watch);
    RunTool(QStringLiteral("xdotool"), {QStringLiteral("windowminimize"), Id(window)});
    EXPECT_TRUE(WaitFor([&minimised] { return minimised; })) << "the window was not minimised";
    EXPECT_TRUE(WaitFor([window] { return !window->isMinimized() && Viewable(window); }))
        << "the window stayed minimised";
    EXPECT_FALSE(Property(window, "_NET_WM_STATE").contains(QLatin1String("HIDDEN")));
    window->removeEventFilter(&watch);
    EXPECT_TRUE(schematic.IsLoaded());
}

// ---- A double click made by the X server ----------------------------------------------------

TEST_F(Desktop, ADoubleClickOnTheDiagramOpensThePageOnceAndReachesNothingBeneath) {
    // As on most desktops; the test program's own is shorter.
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(400);
    for (const int gap : {120, 250}) {
        SCOPED_TRACE(gap);
        browser.opened.clear();
        ui::Form2& schematic = OpenSchematic();
        // No side of the main window has room for the schematic on this screen: the diagram
        // lies over "Voir le schéma életronique".
        const QWidget* button = main.Command3->widget();
        const QPoint spot = button->mapToGlobal(button->rect().center());
        ASSERT_EQ(QApplication::widgetAt(spot), schematic.Image1->widget());
        RunTool(QStringLiteral("xdotool"),
                {QStringLiteral("mousemove"), QString::number(spot.x()), QString::number(spot.y()),
                 QStringLiteral("sleep"), QStringLiteral("0.2"), QStringLiteral("click"),
                 QStringLiteral("--repeat"), QStringLiteral("2"), QStringLiteral("--delay"),
                 QString::number(gap), QStringLiteral("1")});
        QTest::qWait(600);
        EXPECT_EQ(browser.opened.size(), 1);
        EXPECT_FALSE(schematic.IsLoaded()) << "the second click opened the schematic again";
    }
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(100);
}

// A double click on "Voir le schéma életronique": its first click opens the schematic, which
// the window manager maps and focuses before the second click comes, wherever it lands. The rest
// of that double click acts on nothing, at any gap within the double-click time (700 ms here, so
// that the slowest row is a double click too).
struct ButtonDoubleClick {
    const char* name;
    int gap; // milliseconds between the two clicks
};

void PrintTo(const ButtonDoubleClick& row, std::ostream* out) {
    *out << row.name;
}

class SchematicButtonDoubleClick : public Desktop,
                                   public ::testing::WithParamInterface<ButtonDoubleClick> {
protected:
    void SetUp() override {
        Desktop::SetUp();
        QGuiApplication::styleHints()->setMouseDoubleClickInterval(700);
    }
    void TearDown() override {
        QGuiApplication::styleHints()->setMouseDoubleClickInterval(100);
        Desktop::TearDown();
    }
};

const ButtonDoubleClick buttonDoubleClicks[] = {
    {"After30ms", 30},   {"After100ms", 100}, {"After250ms", 250},
    {"After400ms", 400}, {"After600ms", 600},
};

TEST_P(SchematicButtonDoubleClick, OpensTheSchematicOnceAndItStays) {
    const QWidget* button = main.Command3->widget();
    const QPoint spot = button->mapToGlobal(button->rect().center());
    // The schematic lands over the button on this screen, so that the second click meets it.
    {
        ui::Form2& schematic = OpenSchematic();
        const QWidget* under = QApplication::widgetAt(spot);
        ASSERT_TRUE(under != nullptr && under->window() == schematic.window())
            << "the schematic does not cover the button: the second click would not meet it";
        schematic.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // The pointer rests longer than the double-click time: the first click begins a double click.
    RunTool(QStringLiteral("xdotool"),
            {QStringLiteral("mousemove"), QString::number(spot.x()), QString::number(spot.y()),
             QStringLiteral("sleep"), QStringLiteral("0.8"), QStringLiteral("click"),
             QStringLiteral("--repeat"), QStringLiteral("2"), QStringLiteral("--delay"),
             QString::number(GetParam().gap), QStringLiteral("1")});
    QTest::qWait(900);
    ui::Form2* schematic = main.SchematicWindow();
    ASSERT_NE(schematic, nullptr) << "the double click did not open the schematic";
    EXPECT_TRUE(schematic->IsLoaded()) << "the second click closed the schematic";
    EXPECT_TRUE(browser.opened.isEmpty()) << "the second click asked for the web page";
}

INSTANTIATE_TEST_SUITE_P(Gaps, SchematicButtonDoubleClick, ::testing::ValuesIn(buttonDoubleClicks),
                         [](const auto& row) { return std::string(row.param.name); });

// ---- An open schematic, asked for again ------------------------------------------------------

// The window that the window manager says is active, and the one it stacks on top of the others.
QString ActiveWindowId() {
    const QString active = RunTool(QStringLiteral("xprop"),
                                   {QStringLiteral("-root"), QStringLiteral("_NET_ACTIVE_WINDOW")});
    return QString::number(active.section(QLatin1Char('#'), 1).trimmed().toULong(nullptr, 16));
}
QString TopWindowId() {
    const QString stacking =
        RunTool(QStringLiteral("xprop"),
                {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    return QString::number(stacking.section(QLatin1Char(','), -1)
                               .section(QLatin1Char('#'), -1)
                               .trimmed()
                               .toULong(nullptr, 16));
}

void ClickAt(QPoint at) {
    RunTool(QStringLiteral("xdotool"),
            {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
             QStringLiteral("sleep"), QStringLiteral("0.3"), QStringLiteral("click"),
             QStringLiteral("1")});
}

// The user went back to the main window, which came in front of the schematic; the button brings
// the schematic forward again, active, through the window manager's own rules.
TEST_F(Desktop, TheButtonBringsAnOpenSchematicForwardActive) {
    const QWidget* button = main.Command3->widget();
    const QPoint onButton = button->mapToGlobal(button->rect().center());
    const QRect mainOuter = main.window()->frameGeometry();
    const QPoint onTitleBar(mainOuter.center().x(),
                            (mainOuter.top() + main.window()->geometry().top()) / 2);
    ui::Form2& schematic = OpenSchematic();
    ASSERT_TRUE(WaitFor([&] { return ActiveWindowId() == Id(schematic.window()); }))
        << "the schematic is not active once opened";

    ClickAt(onTitleBar);
    ASSERT_TRUE(WaitFor([&] {
        return ActiveWindowId() == Id(main.window()) && TopWindowId() == Id(main.window());
    })) << "the main window did not come forward";

    ClickAt(onButton);
    EXPECT_TRUE(WaitFor([&] { return ActiveWindowId() == Id(schematic.window()); }))
        << "the schematic is not active";
    EXPECT_EQ(TopWindowId(), Id(schematic.window())) << "the schematic is not in front";
    EXPECT_TRUE(WaitFor([&] { return QApplication::activeWindow() == schematic.window(); }));
    EXPECT_TRUE(browser.opened.isEmpty());
}

// ---- The web page, through the desktop's own opener ---------------------------------------------

// The desktop opens a page with the opener it finds on the PATH (xdg-open): here a stand-in that
// writes down the address it is given, or none at all. Qt keeps the opener it found for the life
// of the program, so the stand-in always lies in the same folder, which is removed for a desktop
// without one.
struct PageOpener {
    const char* name;
    bool installed;
};

void PrintTo(const PageOpener& row, std::ostream* out) {
    *out << row.name;
}

class PageOpening : public OnTheDesktop, public ::testing::WithParamInterface<PageOpener> {
protected:
    void SetUp() override {
        OnTheDesktop::SetUp();
        QDir(folder).removeRecursively();
        if (GetParam().installed) {
            ASSERT_TRUE(QDir().mkpath(folder));
            QFile opener(QDir(folder).filePath(QStringLiteral("xdg-open")));
            ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
            opener.write("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + opened().toLocal8Bit() + "'\n");
            opener.close();
            opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }
    void TearDown() override {
        QDir(folder).removeRecursively();
        OnTheDesktop::TearDown();
    }

    QString opened() const { return QDir(folder).filePath(QStringLiteral("opened")); }

    // A click on the diagram, on a desktop whose PATH holds only the stand-in's folder and whose
    // environment names no browser.
    void ClickTheDiagram(ui::Form2& schematic) {
        const QByteArray path = qgetenv("PATH");
        const std::optional<QByteArray> named =
            qEnvironmentVariableIsSet("BROWSER") ? std::optional(qgetenv("BROWSER")) : std::nullopt;
        qputenv("PATH", folder.toLocal8Bit());
        qunsetenv("BROWSER");
        qunsetenv("DEFAULT_BROWSER");
        QTest::mouseClick(schematic.Image1->widget(), Qt::LeftButton, {}, QPoint(100, 300));
        qputenv("PATH", path);
        if (named) {
            qputenv("BROWSER", *named);
        }
    }

    const QString folder = QDir::temp().filePath(
        QStringLiteral("vireldo-opener-%1").arg(QCoreApplication::applicationPid()));
};

const PageOpener pageOpeners[] = {{"NoBrowser", false}, {"Browser", true}};

TEST_P(PageOpening, OnlyAPageTheDesktopTookClosesTheSchematicElseItSaysWhy) {
    const QString page = QString::fromLatin1(ui::WebPage);
    ui::Form2& schematic = OpenSchematic();
    ClickTheDiagram(schematic);
    if (GetParam().installed) {
        EXPECT_FALSE(schematic.IsLoaded());
        ASSERT_TRUE(WaitFor([this] { return QFile::exists(opened()); }))
            << "the opener was not started";
        QTest::qWait(300);
        QFile file(opened());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(QString::fromLocal8Bit(file.readAll()), page + QLatin1Char('\n'));
        return;
    }
    ASSERT_TRUE(schematic.IsLoaded()) << "the schematic closed without a word";
    const runtime::Label& message = *schematic.LblMessage;
    EXPECT_EQ(message.Caption(), QString::fromUtf8(ui::PageNotOpened) + page);
    // Shown whole in the window, under the diagram.
    const QWidget* line = message.widget();
    EXPECT_TRUE(line->isVisible());
    EXPECT_TRUE(schematic.window()->rect().contains(line->geometry()));
    EXPECT_GE(line->y(), schematic.Image1->widget()->geometry().bottom());
    EXPECT_LE(QFontMetrics(line->font()).horizontalAdvance(message.Caption()), line->width());
    // The address is selected: Ctrl+C copies it.
    QApplication::clipboard()->clear();
    QTest::keyClick(schematic.window(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), page);
}

INSTANTIATE_TEST_SUITE_P(Openers, PageOpening, ::testing::ValuesIn(pageOpeners),
                         [](const auto& row) { return std::string(row.param.name); });

// ---- The command line ------------------------------------------------------------------------

// Qt's own arguments would set the platform, the title and the layout direction; the program
// passes none of them on.
TEST(CommandLine, QtSeesNoneOfTheArguments) {
    const QString program = qEnvironmentVariable("VIRELDO_PROGRAM");
    ASSERT_FALSE(program.isEmpty()) << "VIRELDO_PROGRAM names the program to start";
    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    run.setProcessEnvironment(environment);
    run.start(program, {QStringLiteral("-platform"), QStringLiteral("offscreen"),
                        QStringLiteral("-qwindowtitle"), QStringLiteral("Bidule"),
                        QStringLiteral("-reverse")});
    ASSERT_TRUE(run.waitForStarted(kDesktopWaitMs)) << run.errorString().toStdString();
    // xdotool finds nothing until the window is shown: asked again until it is.
    QString found;
    WaitFor([&] {
        found = RunTool(QStringLiteral("xdotool"),
                        {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                         QStringLiteral("--pid"), QString::number(run.processId()),
                         QStringLiteral("--name"), QStringLiteral("^Vireldo 567$")})
                    .trimmed();
        return !found.isEmpty() || run.state() == QProcess::NotRunning;
    });
    EXPECT_FALSE(found.isEmpty()) << "no window titled Vireldo 567 on the X server; the program "
                                  << (run.state() == QProcess::NotRunning
                                          ? "ended with status " + std::to_string(run.exitCode())
                                          : "still runs")
                                  << ", its standard error: "
                                  << run.readAllStandardError().toStdString();
    EXPECT_TRUE(
        RunTool(QStringLiteral("xdotool"),
                {QStringLiteral("search"), QStringLiteral("--name"), QStringLiteral("Bidule")})
            .trimmed()
            .isEmpty());
    run.terminate();
    run.waitForFinished(5000);
}

// ---- The schematic window on the screen it is given -------------------------------------------

// Run on small screens and at 150 % (see CMakeLists.txt): the window, frame included, lies on the
// screen's free area; where it fits as drawn it is as drawn; the labels stay on the components.
TEST_F(Desktop, TheSchematicWindowFitsItsScreenFrameIncluded) {
    ui::Form2& schematic = OpenSchematic();
    QWidget* window = schematic.window();
    const QRect available = window->screen()->availableGeometry();
    const QRect outer = window->frameGeometry();
    EXPECT_TRUE(available.contains(outer))
        << "frame " << outer.x() << "," << outer.y() << " " << outer.width() << "x"
        << outer.height() << " on " << available.width() << "x" << available.height();
    const QMargins frame(
        window->geometry().left() - outer.left(), window->geometry().top() - outer.top(),
        outer.right() - window->geometry().right(), outer.bottom() - window->geometry().bottom());
    const QSize drawn(861, 529);
    if (available.size().boundedTo(drawn.grownBy(frame)) == drawn.grownBy(frame)) {
        EXPECT_EQ(window->size(), drawn);
    } else {
        EXPECT_LT(window->width(), drawn.width());
        // The proportions stay: one scale for both sides.
        EXPECT_NEAR(double(window->width()) / window->height(), 861.0 / 529.0, 0.01);
    }
    // Each label where the drawing puts its component: the same place as a share of the picture.
    const QWidget* picture = schematic.Image1->widget();
    const struct {
        const runtime::Label* label;
        int left, top; // twips, on a picture of 12975 x 7695
    } labels[] = {{schematic.LblR1, 10695, 5520},
                  {schematic.LblC2, 5700, 5685},
                  {schematic.LblC1, 11430, 6600}};
    for (const auto& [label, left, top] : labels) {
        SCOPED_TRACE(label->Name().toStdString());
        EXPECT_NEAR(double(label->widget()->x()) / picture->width(), left / 12975.0, 0.003);
        EXPECT_NEAR(double(label->widget()->y()) / picture->height(), top / 7695.0, 0.004);
        // And it still hides the printed value under it: as tall as the drawing asks.
        EXPECT_NEAR(double(label->widget()->height()) / picture->height(), 360 / 7695.0, 0.004);
    }
}

// ---- Tool windows beside the main window --------------------------------------------------

// A rectangle as the X server has it, in the screen's own pixels.
QRect ScreenRect(const QString& text) {
    const QStringList n = text.split(QLatin1Char(','));
    return n.size() < 4 ? QRect()
                        : QRect(n[0].trimmed().toInt(), n[1].trimmed().toInt(),
                                n[2].trimmed().toInt(), n[3].trimmed().toInt());
}

// The free area of the screen, as the window manager tells the programs.
QRect WorkArea() {
    const QString area = RunTool(QStringLiteral("xprop"),
                                 {QStringLiteral("-root"), QStringLiteral("_NET_WORKAREA")});
    return ScreenRect(area.section(QLatin1Char('='), 1));
}

// Where the X server has the window, without its frame.
QRect ClientRect(const QWidget* window) {
    const QString info = RunTool(QStringLiteral("xwininfo"), {QStringLiteral("-id"), Id(window)});
    const auto field = [&info](const char* name) {
        return QRegularExpression(QString::fromLatin1(name) + QStringLiteral(":\\s+(-?\\d+)"))
            .match(info)
            .captured(1)
            .toInt();
    };
    return {field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"),
            field("Height")};
}

// The window with the frame that the window manager says it put around it.
QRect OuterRect(const QWidget* window) {
    // left, right, top, bottom
    const QRect extents =
        ScreenRect(Property(window, "_NET_FRAME_EXTENTS").section(QLatin1Char('='), 1));
    return ClientRect(window).adjusted(-extents.x(), -extents.width(), extents.y(),
                                       extents.height());
}

// A part of a window, in the screen's pixels, a pixel in from each edge that scaling may round.
QRect ScreenRectOf(const QWidget* part) {
    const QWidget* window = part->window();
    const double scale = window->devicePixelRatioF();
    const QPoint at = part->mapTo(window, QPoint(0, 0));
    return QRect(ClientRect(window).topLeft() + (QPointF(at) * scale).toPoint(),
                 (QSizeF(part->size()) * scale).toSize())
        .adjusted(1, 1, -1, -1);
}

// Whether a window of that size has room somewhere in the area without covering `rect`.
bool RoomBeside(const QRect& rect, QSize size, const QRect& area) {
    return rect.left() - area.left() >= size.width() ||
           area.right() - rect.right() >= size.width() ||
           rect.top() - area.top() >= size.height() ||
           area.bottom() - rect.bottom() >= size.height();
}

struct ToolWindow {
    const char* name;
    QWidget* (*open)(ui::Form1& main);
};

void PrintTo(const ToolWindow& row, std::ostream* out) {
    *out << row.name;
}

const ToolWindow toolWindows[] = {
    {"Schematic",
     [](ui::Form1& main) -> QWidget* {
         main.Command3_Click();
         return main.SchematicWindow()->window();
     }},
    {"ComponentSearch",
     [](ui::Form1& main) -> QWidget* {
         main.ShowComponentSearch();
         for (QWidget* window : QApplication::topLevelWidgets()) {
             if (window->isVisible() && window->windowTitle() == "Recherche de composants") {
                 return window;
             }
         }
         return nullptr;
     }},
};

class ToolWindowBeside : public Desktop, public ::testing::WithParamInterface<ToolWindow> {};

// Run on small screens and scaled (see CMakeLists.txt): every frame lies inside the work area;
// the tool window covers none of the main window where there is room beside it, and none of its
// results where there is room beside them.
TEST_P(ToolWindowBeside, OpensBesideTheMainWindowLeavingItsResultsInSight) {
    QWidget* tool = GetParam().open(main);
    ASSERT_NE(tool, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(tool));
    ASSERT_TRUE(WaitFor([tool] { return Managed(tool); }));
    ASSERT_TRUE(WaitFor([tool] { return tool->frameGeometry() != tool->geometry(); }));
    QTest::qWait(200); // where the window manager put it, once it has

    const QRect area = WorkArea();
    const QRect mainOuter = OuterRect(main.window());
    const QRect toolOuter = OuterRect(tool);
    const QRect results = ScreenRectOf(main.Frame1->widget());
    const auto show = [](const QRect& r) {
        return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " +
               std::to_string(r.width()) + "x" + std::to_string(r.height());
    };
    SCOPED_TRACE("work area " + show(area) + ", main " + show(mainOuter) + ", results " +
                 show(results) + ", " + GetParam().name + " " + show(toolOuter));
    EXPECT_TRUE(area.contains(mainOuter));
    EXPECT_TRUE(area.contains(toolOuter));
    if (RoomBeside(mainOuter, toolOuter.size(), area)) {
        EXPECT_FALSE(toolOuter.intersects(mainOuter)) << "it covers the main window";
    }
    if (RoomBeside(results, toolOuter.size(), area)) {
        EXPECT_FALSE(toolOuter.intersects(results)) << "it covers the results";
    }
    tool->close();
}

INSTANTIATE_TEST_SUITE_P(Tools, ToolWindowBeside, ::testing::ValuesIn(toolWindows),
                         [](const auto& row) { return std::string(row.param.name); });

} // namespace
