// Forms load, show and unload as the windows expect; the application ends with its last form;
// the shell's open goes through Qt's desktop services; a failure that escapes a handler ends the
// program with a French message.
#include "gui_helpers.h"
#include "runtime/application.h"
#include "runtime/button.h"
#include "runtime/failure.h"
#include "runtime/form.h"
#include "runtime/label.h"
#include "runtime/shell.h"
#include "runtime/text_box.h"
#include "runtime/twips.h"
#include "url_catcher.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

class TestForm : public runtime::Form {
public:
    explicit TestForm(bool inTaskbar = true)
        : Form({QStringLiteral("Essai"), 5055, 3855, inTaskbar, QString(), 8.25}) {}

    int loads = 0;
    bool visibleDuringLoad = true;
    QPointer<runtime::Label> caption;
    QPointer<runtime::Button> button;
    std::function<void()> onButton;

protected:
    void CreateControls(QWidget& client) override {
        caption = new runtime::Label(&client, QStringLiteral("Label1"));
        caption->SetCaption(QStringLiteral("design"));
        button = new runtime::Button(&client, QStringLiteral("Command2"), QStringLiteral("Calcul"));
        button->Move(120, 120, 990, 360);
        button->SetTabIndex(0);
        button->Click.Connect([this] {
            if (onButton) {
                onButton();
            }
        });
    }

    void Form_Load() override {
        ++loads;
        visibleDuringLoad = window()->isVisible();
        caption->SetCaption(QStringLiteral("loaded %1").arg(loads));
    }
};

TEST(Form, ShowLoadsOnceUnloadDiscardsAndTheNextShowLoadsAgain) {
    TestForm form;
    EXPECT_FALSE(form.IsLoaded());
    form.Show();
    ASSERT_TRUE(form.IsLoaded());
    EXPECT_EQ(form.loads, 1);
    EXPECT_FALSE(form.visibleDuringLoad) << "Form_Load must run before the window is shown";
    EXPECT_TRUE(form.window()->isVisible());
    EXPECT_NE(form.window()->winId(), WId{});

    form.caption->SetCaption(QStringLiteral("changed"));
    form.Show();
    EXPECT_EQ(form.loads, 1);
    EXPECT_EQ(form.caption->Caption(), "changed");

    form.Unload();
    EXPECT_FALSE(form.IsLoaded());
    QTRY_VERIFY(form.caption.isNull()); // the controls went with the window
    form.Show();
    EXPECT_EQ(form.loads, 2);
    EXPECT_EQ(form.caption->Caption(), "loaded 2");
    form.Unload();
}

// The second click of a quick double click on a control that closes its window is already queued
// when the first one unloads the form: it must reach nothing.
TEST(Form, InputQueuedForAnUnloadedWindowReachesNoControl) {
    TestForm form;
    int presses = 0;
    form.onButton = [&] {
        ++presses;
        form.Unload();
    };
    form.Show();
    QWidget* button = form.button->widget();
    const QPointF inside(5, 5);
    for (int click = 0; click < 2; ++click) {
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QCoreApplication::postEvent(
                button,
                new QMouseEvent(type, inside, button->mapToGlobal(inside), Qt::LeftButton,
                                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                Qt::NoModifier));
        }
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(presses, 1);
}

TEST(Form, TheCloseBoxUnloads) {
    TestForm form;
    form.Show();
    ASSERT_TRUE(form.window()->close());
    EXPECT_FALSE(form.IsLoaded());
    form.Show();
    EXPECT_EQ(form.loads, 2);
    form.Unload();
}

TEST(Form, FixedSizeWindowWithACloseButtonOnly) {
    for (const bool inTaskbar : {true, false}) {
        TestForm form(inTaskbar);
        form.Show();
        QWidget* window = form.window();
        const Qt::WindowFlags flags = window->windowFlags();
        EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
        EXPECT_TRUE(flags & Qt::WindowTitleHint);
        EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
        EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
        EXPECT_EQ(window->minimumSize(), window->maximumSize());
        EXPECT_EQ(window->size(), QSize(337, 257));
        // A window without a taskbar entry is a tool window.
        EXPECT_EQ(window->windowType() == Qt::Tool, !inTaskbar);
        EXPECT_EQ(window->windowTitle(), "Essai");
        form.Unload();
    }
}

// A window of the given size in pixels as designed, with a label of 12 points that is 400 x 40
// pixels at 150, 75.
class DesignedForm : public runtime::Form {
public:
    explicit DesignedForm(QSize pixels)
        : Form({.caption = QStringLiteral("Dessin"),
                .clientWidth = runtime::PixelsToTwips(pixels.width()),
                .clientHeight = runtime::PixelsToTwips(pixels.height()),
                .fontFamily = QStringLiteral("DejaVu Sans"),
                .closeOnEscape = false}) {}

    QPointer<runtime::Label> label;

protected:
    void CreateControls(QWidget& client) override {
        label = new runtime::Label(&client, QStringLiteral("Label1"));
        label->Move(2250, 1125, 6000, 600);
        label->SetFont(QStringLiteral("DejaVu Sans"), 12, false);
        label->SetCaption(QStringLiteral("Fréquence centrale"));
    }
};

struct Fit {
    const char* name;
    QSize designed; // pixels; the test screen is 1920 x 1080
    bool asDrawn;
};

// A window too large for its screen is drawn smaller as a whole, in its proportions, so that it
// fits: its controls and the text of its labels shrink with it.
TEST(Form, AWindowTooLargeForItsScreenIsDrawnSmallerTextIncluded) {
    const Fit fits[] = {
        {"FitsAsDrawn", {900, 600}, true},
        {"TwiceTooWide", {3840, 900}, false},
        {"TooTall", {800, 1600}, false},
    };
    for (const Fit& fit : fits) {
        SCOPED_TRACE(fit.name);
        DesignedForm form(fit.designed);
        form.Show();
        const QWidget* window = form.window();
        const QRect available = window->screen()->availableGeometry();
        EXPECT_LE(window->width(), available.width());
        EXPECT_LE(window->height(), available.height());
        const double scale = double(window->width()) / fit.designed.width();
        if (fit.asDrawn) {
            EXPECT_EQ(window->size(), fit.designed);
        } else {
            EXPECT_LT(scale, 0.9);
            EXPECT_NEAR(window->height(), fit.designed.height() * scale, 1.0);
        }
        EXPECT_NEAR(window->font().pointSizeF(), 8.25 * scale, 0.01);
        const QLabel* label = form.label->label();
        EXPECT_NEAR(label->x(), 150 * scale, 1.0);
        EXPECT_NEAR(label->width(), 400 * scale, 1.0);
        EXPECT_NEAR(label->font().pointSizeF(), 12 * scale, 0.01);
        form.Unload();
    }
}

// A window opened from a window on the second screen of a desktop is fitted to that screen and
// shown there, where the user works: drawn as designed, not shrunk to the smaller main screen.
// Runs on a laptop's screen with a larger monitor beside it (see CMakeLists.txt).
TEST(FormOnTwoScreens, AWindowOpensOnTheScreenOfTheActiveWindow) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    ASSERT_EQ(screens.size(), 2) << "run with two_screens.json";
    QScreen* monitor = screens[0] == QGuiApplication::primaryScreen() ? screens[1] : screens[0];
    TestForm main;
    main.Show();
    main.window()->move(monitor->geometry().topLeft() + QPoint(100, 100));
    QApplication::setActiveWindow(main.window());
    ASSERT_EQ(main.window()->screen(), monitor);

    DesignedForm opened({1600, 900}); // larger than the laptop's screen, not the monitor's
    opened.Show();
    EXPECT_EQ(opened.window()->size(), QSize(1600, 900));
    EXPECT_TRUE(monitor->availableGeometry().contains(opened.window()->geometry()));
    EXPECT_EQ(opened.window()->screen(), monitor);
    opened.Unload();
    main.Unload();
}

TEST(Form, TheFocusStartsOnTheFirstControlOfTheTabOrder) {
    TestForm form;
    form.Show();
    QApplication::setActiveWindow(form.window());
    EXPECT_EQ(QApplication::focusWidget(), form.button->widget());
    form.Unload();
}

// ---- Enter ------------------------------------------------------------------------------------

// A window with a text box and two buttons, « Appliquer » its default button or not.
class EnterForm : public runtime::Form {
public:
    EnterForm(bool withDefault, bool defaultEnabled)
        : Form({QStringLiteral("Essai"), 5055, 3855, false, QString(), 8.25}),
          withDefault_(withDefault), defaultEnabled_(defaultEnabled) {}

    QPointer<runtime::TextBox> text;
    QPointer<runtime::Button> other, apply;
    int otherPresses = 0, applyPresses = 0;

protected:
    void CreateControls(QWidget& client) override {
        text = new runtime::TextBox(&client, QStringLiteral("text"));
        text->Move(120, 120, 1200, 315);
        other = new runtime::Button(&client, QStringLiteral("other"), QStringLiteral("Effacer"));
        other->Move(120, 600, 990, 360);
        apply = new runtime::Button(&client, QStringLiteral("apply"), QStringLiteral("Appliquer"));
        apply->Move(1200, 600, 990, 360);
        apply->SetDefault(withDefault_);
        apply->SetEnabled(defaultEnabled_);
        other->Click.Connect([this] { ++otherPresses; });
        apply->Click.Connect([this] { ++applyPresses; });
    }

private:
    bool withDefault_, defaultEnabled_;
};

enum class Focused { Text, Other, Apply };

struct EnterCase {
    const char* name;
    bool withDefault;
    bool defaultEnabled;
    Focused focus;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int otherPresses, applyPresses;
};

void PrintTo(const EnterCase& row, std::ostream* out) {
    *out << row.name;
}

const EnterCase enterCases[] = {
    {"OnAnotherButtonPressesIt", true, true, Focused::Other, Qt::Key_Return, {}, 1, 0},
    {"OnTheDefaultButtonPressesIt", true, true, Focused::Apply, Qt::Key_Return, {}, 0, 1},
    {"InATextBoxPressesTheDefault", true, true, Focused::Text, Qt::Key_Return, {}, 0, 1},
    {"KeypadEnterInATextBox", true, true, Focused::Text, Qt::Key_Enter, Qt::KeypadModifier, 0, 1},
    {"KeypadEnterOnAnotherButton", true, true, Focused::Other, Qt::Key_Enter, Qt::KeypadModifier, 1,
     0},
    {"WithControlPressesNothing", true, true, Focused::Text, Qt::Key_Return, Qt::ControlModifier, 0,
     0},
    {"ADisabledDefaultIsNotPressed", true, false, Focused::Text, Qt::Key_Return, {}, 0, 0},
    // As in the main window: no default button, and Enter presses none.
    {"NoDefaultButtonOnAButton", false, true, Focused::Other, Qt::Key_Return, {}, 0, 0},
    {"NoDefaultButtonInATextBox", false, true, Focused::Text, Qt::Key_Return, {}, 0, 0},
};

class FormEnter : public ::testing::TestWithParam<EnterCase> {};

TEST_P(FormEnter, PressesTheFocusedButtonElseTheDefaultOneWhereTheWindowHasOne) {
    const EnterCase& row = GetParam();
    EnterForm form(row.withDefault, row.defaultEnabled);
    form.Show();
    QWidget* focus = row.focus == Focused::Text    ? static_cast<QWidget*>(form.text->edit())
                     : row.focus == Focused::Other ? form.other->widget()
                                                   : form.apply->widget();
    testing_support::FocusOn(focus);
    ASSERT_EQ(QApplication::focusWidget(), focus);
    QTest::keyClick(focus, row.key, row.modifiers);
    EXPECT_EQ(form.otherPresses, row.otherPresses);
    EXPECT_EQ(form.applyPresses, row.applyPresses);
    EXPECT_EQ(form.apply->IsDefault(), row.withDefault);
    form.Unload();
}

INSTANTIATE_TEST_SUITE_P(Keys, FormEnter, ::testing::ValuesIn(enterCases),
                         [](const ::testing::TestParamInfo<EnterCase>& row) {
                             return std::string(row.param.name);
                         });

// The application runs until no form is loaded, whichever closes last.
TEST(Application, EndsWhenTheLastFormIsUnloadedAlsoAToolWindow) {
    TestForm main;
    TestForm tool(false);
    bool mainClosedFirst = false;
    QTimer::singleShot(0, [&] {
        tool.Show();
        main.window()->close();
        mainClosedFirst = !main.IsLoaded() && tool.IsLoaded();
        QTimer::singleShot(50, [&] { tool.window()->close(); });
    });
    // Should the program not end by itself, this ends the test in failure instead of hanging.
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    watchdog.start(5000);
    EXPECT_EQ(runtime::Application::Instance().Run(main), 0);
    EXPECT_TRUE(mainClosedFirst) << "closing the main window must not end the program";
    EXPECT_FALSE(tool.IsLoaded());
}

// It says whether the desktop took the address: a handler takes it; the offscreen platform has no
// program to open a page with.
TEST(Shell, OpenGoesThroughTheDesktopServicesAndSaysWhetherTheyTookIt) {
    {
        testing_support::UrlCatcher catcher;
        EXPECT_TRUE(runtime::ShellOpen(QStringLiteral("http://www.vireldo.example/page.html")));
        ASSERT_EQ(catcher.opened.size(), 1);
        EXPECT_EQ(catcher.opened.front().toString(), "http://www.vireldo.example/page.html");
    }
    EXPECT_FALSE(runtime::ShellOpen(QStringLiteral("http://www.vireldo.example/page.html")));
}

// Runs in a child process: a handler that throws ends the program with a message box, which a
// timer reads and answers as a user would. The child's exit status and output are checked.
void RunFormWhoseButtonThrows() {
    TestForm form;
    form.onButton = [] { throw std::runtime_error("Dépassement de capacité"); };
    QTimer::singleShot(0, [&] { QTest::mouseClick(form.button->widget(), Qt::LeftButton); });
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            fprintf(stderr, "message: %s\n", qPrintable(box->text().simplified()));
            fprintf(stderr, "button: %s\n", qPrintable(box->buttons().front()->text()));
            box->buttons().front()->click();
        }
    });
    answer.start(20);
    const int status = runtime::Application::Instance().Run(form);
    std::exit(status);
}

TEST(FailureDeathTest, AFailureThatEscapesAHandlerIsReportedInFrenchAndEndsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(RunFormWhoseButtonThrows(), ::testing::ExitedWithCode(runtime::FailureExitStatus),
                "message: Une erreur inattendue est survenue : Dépassement de capacité");
}

} // namespace
