// When the schematic window reads the main window (each time it is loaded, and on every change
// while it is open), how it ends (a click on the diagram opens the circuit's page, or its close
// button), and that the program runs until both windows have closed.
#include "runtime/application.h"
#include "schematic_helpers.h"
#include "url_catcher.h"

#include <QAbstractItemView>
#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QStyleHints>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <functional>

namespace {

using schematic_test::MainWindowTest;

const QString webPage = QStringLiteral(
    "http://www.vireldo.example/electronique_realisations_decodeur_tonalite_001.html");

using testing_support::UrlCatcher;

// A spot of the picture that no label covers.
QPoint OpenPartOfThePicture(const ui::Form2& schematic) {
    const QPoint spot(100, 300);
    for (const runtime::Label* label :
         {schematic.LblR1.data(), schematic.LblC2.data(), schematic.LblC1.data()}) {
        EXPECT_FALSE(label->widget()->geometry().contains(spot));
    }
    return spot;
}

// The main window with the browser replaced by a catcher for the whole test.
class SchematicLifecycle : public MainWindowTest {
protected:
    UrlCatcher browser;
};

struct Captions {
    QString r1, c1, c2;
};

Captions CaptionsOf(const ui::Form2& schematic) {
    return {schematic.LblR1->Caption(), schematic.LblC1->Caption(), schematic.LblC2->Caption()};
}

void ExpectCaptions(const ui::Form2& schematic, const char* r1, const char* c1, const char* c2) {
    const Captions shown = CaptionsOf(schematic);
    EXPECT_EQ(shown.r1, QString::fromUtf8(r1));
    EXPECT_EQ(shown.c1, QString::fromUtf8(c1));
    EXPECT_EQ(shown.c2, QString::fromUtf8(c2));
}

TEST_F(SchematicLifecycle, AnOpenWindowFollowsTheMainWindowWithoutBeingLoadedAgain) {
    ui::Form2& schematic = ClickCommand3();
    ExpectCaptions(schematic, "26KOhms", "22NanoFarad", "27MicroFarad");
    QWidget* firstWindow = schematic.window();

    // The user changes R1, C1 and the unit of C2 in the main window.
    RetypeResistor(QStringLiteral("33"));
    const int c1Value = main.ComboC->combo()->findText(QStringLiteral("47"));
    ASSERT_GE(c1Value, 0);
    testing_support::PickWithMouse(main.ComboC->combo(), c1Value);
    testing_support::PickWithMouse(main.ComboValC2->combo(), 0);
    ASSERT_EQ(main.ComboR->Text(), "33");
    ASSERT_EQ(main.ComboC->Text(), "47");
    ASSERT_EQ(main.ComboValC2->Text(), "NanoFarad");
    ExpectCaptions(schematic, "33KOhms", "47NanoFarad", "27NanoFarad");
    EXPECT_EQ(schematic.window(), firstWindow) << "the window was loaded again";

    // Shown again while open: the same window, not loaded again.
    ui::Form2& again = ClickCommand3();
    EXPECT_EQ(&again, &schematic) << "a second schematic window";
    EXPECT_EQ(again.window(), firstWindow) << "the window was loaded again";
    ExpectCaptions(again, "33KOhms", "47NanoFarad", "27NanoFarad");

    // Closed, the main window changed, and opened again: it reads the main window anew.
    ASSERT_TRUE(again.window()->close());
    EXPECT_FALSE(again.IsLoaded());
    RetypeResistor(QStringLiteral("15"));
    ui::Form2& reopened = ClickCommand3();
    ExpectCaptions(reopened, "15KOhms", "47NanoFarad", "27NanoFarad");
}

// A key pressed in the active schematic window, where its focus is.
void PressInWindow(ui::Form2& schematic, Qt::Key key) {
    QApplication::setActiveWindow(schematic.window());
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr) << "nothing in the window has the focus";
    ASSERT_EQ(focus->window(), schematic.window());
    QTest::keyClick(focus, key);
}

// Every way of ending the window unloads it, and the next click on Command3 loads it with the
// main window's texts of that moment. Only the picture, clicked or pressed, opens the circuit's
// page.
struct Ending {
    const char* name;
    void (*end)(ui::Form2& schematic);
    int pagesOpened;
};

void PrintTo(const Ending& row, std::ostream* out) {
    *out << row.name;
}

const Ending endings[] = {
    {"ClickOnThePicture",
     [](ui::Form2& schematic) {
         QTest::mouseClick(schematic.Image1->widget(), Qt::LeftButton, {},
                           OpenPartOfThePicture(schematic));
     },
     1},
    {"CloseButton", [](ui::Form2& schematic) { schematic.window()->close(); }, 0},
    {"EscapeKey", [](ui::Form2& schematic) { PressInWindow(schematic, Qt::Key_Escape); }, 0},
    // The picture has the focus from the start, and keeps it: no label takes it.
    {"EnterOnThePictureAfterTab",
     [](ui::Form2& schematic) {
         PressInWindow(schematic, Qt::Key_Tab);
         ASSERT_EQ(QApplication::focusWidget(), schematic.Image1->widget());
         PressInWindow(schematic, Qt::Key_Return);
     },
     1},
    {"SpaceOnThePicture", [](ui::Form2& schematic) { PressInWindow(schematic, Qt::Key_Space); }, 1},
};

class SchematicEnding : public SchematicLifecycle, public ::testing::WithParamInterface<Ending> {};

TEST_P(SchematicEnding, UnloadsAndTheNextShowLoadsTheCurrentValues) {
    ui::Form2& schematic = ClickCommand3();
    // The page is opened from the schematic window, which closes only afterwards.
    bool openedFromTheWindow = false;
    browser.onOpen = [&] { openedFromTheWindow = schematic.IsLoaded(); };
    GetParam().end(schematic);
    browser.onOpen = nullptr;
    EXPECT_EQ(openedFromTheWindow, GetParam().pagesOpened > 0);
    EXPECT_FALSE(schematic.IsLoaded());
    EXPECT_EQ(schematic.window(), nullptr);
    EXPECT_TRUE(main.IsLoaded()) << "the main window went with it";
    ASSERT_EQ(browser.opened.size(), GetParam().pagesOpened);
    for (const QUrl& url : browser.opened) {
        EXPECT_EQ(url.toString(), webPage);
    }

    RetypeResistor(QStringLiteral("15"));
    ui::Form2& reopened = ClickCommand3();
    EXPECT_EQ(&reopened, &schematic);
    ExpectCaptions(reopened, "15KOhms", "22NanoFarad", "27MicroFarad");
    EXPECT_EQ(reopened.LblR1->Height(), 360);
    EXPECT_EQ(browser.opened.size(), GetParam().pagesOpened) << "opening it opened a page";
}

INSTANTIATE_TEST_SUITE_P(Endings, SchematicEnding, ::testing::ValuesIn(endings),
                         [](const ::testing::TestParamInfo<Ending>& row) {
                             return std::string(row.param.name);
                         });

// The labels lie over the diagram: a click on one reaches neither the diagram nor its page,
// whether the mouse lands on the label where the user sees it or on the label itself.
TEST_F(SchematicLifecycle, AClickOnALabelOpensNothingAndLeavesTheWindowOpen) {
    ui::Form2& schematic = ClickCommand3();
    for (const char* name : {"LblR1", "LblC2", "LblC1"}) {
        SCOPED_TRACE(name);
        QWidget* label = schematic.window()->findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(label, nullptr);
        // Through the window, as the system delivers a user's click at that spot.
        QTest::mouseClick(schematic.window()->windowHandle(), Qt::LeftButton, {},
                          label->geometry().center());
        EXPECT_TRUE(browser.opened.isEmpty());
        ASSERT_TRUE(schematic.IsLoaded()) << "the click reached the diagram";
        // On the label itself: it passes the click on to no one.
        QTest::mouseClick(label, Qt::LeftButton);
        EXPECT_TRUE(browser.opened.isEmpty());
        ASSERT_TRUE(schematic.IsLoaded());
    }
    // The same way of clicking does reach the diagram beside the labels.
    QTest::mouseClick(schematic.window()->windowHandle(), Qt::LeftButton, {},
                      OpenPartOfThePicture(schematic));
    EXPECT_FALSE(schematic.IsLoaded());
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(browser.opened.front().toString(), webPage);
}

// ---- The second click of a double click ---------------------------------------------------

// The first click on the diagram opens the page and closes the window; the second press of the
// same double click, wherever the main window lies beneath, reaches nothing.
struct DoubleClick {
    const char* name;
    QPointer<runtime::Button> ui::Form1::*button; // what lies beneath: a button ...
    QPointer<runtime::ComboBox> ui::Form1::*box;  // ... or a list box
    int gap;                                      // milliseconds from press to press
    bool secondReachesMain;
};

void PrintTo(const DoubleClick& row, std::ostream* out) {
    *out << row.name;
}

class SchematicDoubleClick : public SchematicLifecycle,
                             public ::testing::WithParamInterface<DoubleClick> {
protected:
    void SetUp() override {
        SchematicLifecycle::SetUp();
        QGuiApplication::styleHints()->setMouseDoubleClickInterval(500);
    }
    void TearDown() override {
        QGuiApplication::styleHints()->setMouseDoubleClickInterval(100);
        SchematicLifecycle::TearDown();
    }
};

const DoubleClick doubleClicks[] = {
    {"OverTheSchematicButtonAfter120ms", &ui::Form1::Command3, nullptr, 120, false},
    {"OverTheSchematicButtonAfter250ms", &ui::Form1::Command3, nullptr, 250, false},
    {"OverTheSchematicButtonAfter400ms", &ui::Form1::Command3, nullptr, 400, false},
    {"OverAListAfter250ms", nullptr, &ui::Form1::ComboC, 250, false},
    // Beyond the double-click time, a new click is the user's own.
    {"OverTheSchematicButtonAfter700ms", &ui::Form1::Command3, nullptr, 700, true},
};

TEST_P(SchematicDoubleClick, ItsSecondPressReachesNoOtherWindow) {
    const DoubleClick& row = GetParam();
    ui::Form2& schematic = ClickCommand3();
    QWidget* beneath = row.button != nullptr ? (main.*row.button)->widget()
                                             : static_cast<QWidget*>((main.*row.box)->combo());
    const QPoint spot = beneath->mapToGlobal(QPoint(beneath->width() / 2, beneath->height() / 2));
    QWidget* schematicWindow = schematic.window();
    // It opens beside the main window; the user has moved it over the control.
    schematicWindow->move(spot - OpenPartOfThePicture(schematic));
    ASSERT_EQ(schematicWindow->childAt(schematicWindow->mapFromGlobal(spot)),
              schematic.Image1->widget())
        << "the diagram does not lie over that control";

    const int start = QTest::lastMouseTimestamp;
    QTest::mousePress(schematicWindow->windowHandle(), Qt::LeftButton, {},
                      schematicWindow->mapFromGlobal(spot));
    QTest::mouseRelease(schematicWindow->windowHandle(), Qt::LeftButton, {},
                        schematicWindow->mapFromGlobal(spot));
    ASSERT_FALSE(schematic.IsLoaded());
    ASSERT_EQ(browser.opened.size(), 1);

    // The second press lands on the main window, now uncovered, as the system delivers it.
    QTest::lastMouseTimestamp = start + row.gap;
    QWindow* mainWindow = main.window()->windowHandle();
    QTest::mousePress(mainWindow, Qt::LeftButton, {}, main.window()->mapFromGlobal(spot));
    QTest::mouseRelease(mainWindow, Qt::LeftButton, {}, main.window()->mapFromGlobal(spot));

    const bool reopened = schematic.IsLoaded();
    const bool dropped = row.box != nullptr && (main.*row.box)->combo()->view()->isVisible();
    EXPECT_EQ(reopened || dropped, row.secondReachesMain);
    EXPECT_EQ(browser.opened.size(), 1);
    if (dropped) {
        (main.*row.box)->combo()->hidePopup();
    }
}

INSTANTIATE_TEST_SUITE_P(Schematic, SchematicDoubleClick, ::testing::ValuesIn(doubleClicks),
                         [](const auto& p) { return std::string(p.param.name); });

// The program's own run: it ends when neither window is loaded, whichever closes last.
class ProgramRun : public ::testing::Test {
protected:
    void SetUp() override {
        // Should the program not end by itself, this ends it with a status of its own, so that
        // the test fails instead of hanging.
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(watchdogExit); });
        watchdog.start(3000);
    }
    void TearDown() override {
        watchdog.stop();
        main.Unload();
        if (ui::Form2* schematic = main.SchematicWindow()) {
            schematic->Unload();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Runs a step once the program's loop is handling events; steps that the loop never
    // reaches (it ended too soon) are dropped with this test.
    void After(int milliseconds, std::function<void()> step) {
        QTimer::singleShot(milliseconds, &steps, std::move(step));
    }

    static constexpr int watchdogExit = 99;
    ui::Form1 main;
    UrlCatcher browser;
    QTimer watchdog;
    QObject steps;
};

TEST_F(ProgramRun, KeepsRunningAfterTheMainWindowClosesUntilTheSchematicCloses) {
    bool schematicOpenAfterMainClosed = false;
    bool schematicClosed = false;
    After(0, [&] {
        QTest::mouseClick(main.Command3->widget(), Qt::LeftButton);
        ASSERT_NE(main.SchematicWindow(), nullptr);
        main.window()->close();
        After(50, [&] {
            // The loop still runs, and the schematic window is still there.
            ui::Form2* schematic = main.SchematicWindow();
            schematicOpenAfterMainClosed =
                !main.IsLoaded() && schematic->IsLoaded() && schematic->window()->isVisible();
            schematic->window()->close();
            schematicClosed = true;
        });
    });
    EXPECT_EQ(runtime::Application::Instance().Run(main), 0) << "99: the program did not end";
    EXPECT_TRUE(schematicOpenAfterMainClosed) << "closing the main window ended the program";
    EXPECT_TRUE(schematicClosed);
    EXPECT_EQ(runtime::Form::LoadedCount(), 0);
}

TEST_F(ProgramRun, EndsWhenTheMainWindowClosesAfterTheSchematicClosedItself) {
    bool mainOpenAfterSchematicClosed = false;
    After(0, [&] {
        QTest::mouseClick(main.Command3->widget(), Qt::LeftButton);
        ui::Form2* schematic = main.SchematicWindow();
        ASSERT_NE(schematic, nullptr);
        QTest::mouseClick(schematic->Image1->widget(), Qt::LeftButton, {},
                          OpenPartOfThePicture(*schematic));
        After(50, [&] {
            mainOpenAfterSchematicClosed = main.IsLoaded() && !main.SchematicWindow()->IsLoaded();
            main.window()->close();
        });
    });
    EXPECT_EQ(runtime::Application::Instance().Run(main), 0) << "99: the program did not end";
    EXPECT_TRUE(mainOpenAfterSchematicClosed) << "the click on the diagram ended the program";
    EXPECT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(runtime::Form::LoadedCount(), 0);
}

} // namespace
