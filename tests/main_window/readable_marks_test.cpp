// The marks that say a figure is wrong or out of date, and the search window's message, read on
// every desktop theme: light, dark and the two high-contrast ones, also when the theme changes
// while the program runs. Every figure is read from the pixels of the real windows, as the eye
// reads them, never from the colour the program asked for.
#include "main_window_driver.h"
#include "themes.h"
#include "ui/search/component_search_window.h"

#include <QLabel>
#include <QLineEdit>
#include <functional>
#include <iomanip>
#include <iostream>
#include <optional>
#include <sstream>

namespace {

using main_window_testing::MainWindowTest;
using testing_support::RedOrOrange;
using testing_support::Seen;
using testing_support::SeenText;
using testing_support::Theme;
using testing_support::ThemeScope;

// Small text needs 4.5:1; 3:1 is the least that reads at all; the ordinary text keeps 1.5 times
// the contrast of an out-of-date figure, so that the two are told apart.
constexpr double ReadsWell = 4.5;
constexpr double ReadsAtAll = 3.0;
constexpr double PlainlyWeaker = 1.5;

bool Warns(const Seen& seen) {
    return seen.ratio >= ReadsWell && RedOrOrange(seen.text);
}

std::string Describe(const Seen& seen) {
    return ": " + seen.text.name().toStdString() + " on " + seen.surface.name().toStdString() +
           ", " + std::to_string(seen.ratio) + ":1";
}

void ExpectStale(const Seen& seen, double current, const std::string& what) {
    EXPECT_GE(seen.ratio, ReadsAtAll) << what << Describe(seen);
    EXPECT_GE(current / seen.ratio, PlainlyWeaker) << what << Describe(seen) << ", not weaker";
}

// A thin stroke of antialiased text seldom covers a pixel whole: its darkest pixel may be a shade
// off the colour it was drawn in.
bool DrawnIn(const QColor& seen, const QColor& colour) {
    return std::abs(seen.red() - colour.red()) <= 8 &&
           std::abs(seen.green() - colour.green()) <= 8 &&
           std::abs(seen.blue() - colour.blue()) <= 8;
}

// Qt delivers a theme change to the windows as the event loop runs: the window is looked at again
// until it is drawn in the theme's window colour.
void ExpectThemeShown(QWidget* window) {
    const QColor background = QApplication::palette().color(QPalette::Window);
    EXPECT_TRUE(testing_support::WaitFor([&] {
        return window->grab().toImage().pixelColor(1, 1) == background;
    })) << "the theme never reached "
        << window->objectName().toStdString();
}

// What the eye reads of a widget once a theme change has reached it: the window is looked at
// again until it shows what `settled` wants, for three seconds at most.
Seen SeenOnceSettled(const QWidget* widget, const std::function<bool(const Seen&)>& settled) {
    Seen seen = SeenText(widget);
    testing_support::WaitFor([&] {
        seen = SeenText(widget);
        return settled(seen);
    });
    return seen;
}

std::string Figure(double ratio) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(2) << ratio;
    return text.str();
}

class ReadableMarks : public MainWindowTest {
protected:
    std::vector<runtime::Label*> Results() const {
        return {form.Freq, form.B, form.LblPlageBas, form.LblPlageHaut};
    }

    // The resistor box as the user reads it once Tab has taken them on: the caret that blinks in
    // it while they type is no text.
    Seen SeenResistor() {
        if (QApplication::focusWidget() == form.ComboR->combo()) {
            QTest::keyClick(form.ComboR->combo(), Qt::Key_Tab);
        }
        return SeenText(ResistorEdit());
    }

    // Ctrl+F where the main window's focus is, then the wanted frequency typed into the search.
    ui::ComponentSearchWindow* SearchFor(const char* frequency) {
        QApplication::setActiveWindow(form.window());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
        ui::ComponentSearchWindow* search = form.SearchWindow();
        if (search == nullptr || !search->IsLoaded()) {
            ADD_FAILURE() << "Ctrl+F opened no search window";
            return nullptr;
        }
        QLineEdit* edit = search->FrequencyEdit()->edit();
        testing_support::FocusOn(edit);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, QString::fromUtf8(frequency));
        return search;
    }
};

// ------------------------------------------------------------------- one table of themes

class ReadableOnEveryTheme : public ReadableMarks, public ::testing::WithParamInterface<Theme> {
protected:
    void SetUp() override {
        theme_.emplace(GetParam().palette());
        MainWindowTest::SetUp();
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        theme_.reset();
    }

private:
    std::optional<ThemeScope> theme_;
};

// Start-up: the results in the palette's own text colour. "4k7": the resistor box in the warning
// colour, the figures of 4 kΩ out of date. "-26": a negative frequency in the warning colour, the
// half-width and the edges out of date. The search for "abc": its message in the warning colour;
// for 1E+10 Hz, its remark too.
TEST_P(ReadableOnEveryTheme, WarningsAndStaleFiguresRead) {
    const QPalette palette = QApplication::palette();
    std::ostringstream figures;
    figures << GetParam().name << ": start-up";

    std::vector<double> current;
    for (const runtime::Label* result : Results()) {
        const Seen seen = SeenText(result->widget());
        EXPECT_TRUE(DrawnIn(seen.text, palette.color(QPalette::WindowText)))
            << result->Name().toStdString();
        EXPECT_GE(seen.ratio, ReadsWell) << result->Name().toStdString();
        current.push_back(seen.ratio);
        figures << ' ' << Figure(seen.ratio);
    }
    EXPECT_TRUE(DrawnIn(SeenResistor().text, palette.color(QPalette::Text)));

    TypeResistor("4k7");
    const Seen box = SeenResistor();
    EXPECT_TRUE(Warns(box)) << "4k7 in the resistor box" << Describe(box);
    figures << " | 4k7: box " << Figure(box.ratio) << ", stale";
    for (std::size_t i = 0; i < Results().size(); ++i) {
        const Seen seen = SeenText(Results()[i]->widget());
        ExpectStale(seen, current[i], "4k7, " + Results()[i]->Name().toStdString());
        figures << ' ' << Figure(seen.ratio);
    }

    TypeResistor("-26");
    const Seen negative = SeenText(form.Freq->widget());
    EXPECT_TRUE(Warns(negative)) << "-26, Freq" << Describe(negative);
    figures << " | -26: Freq " << Figure(negative.ratio) << ", stale";
    for (std::size_t i = 1; i < Results().size(); ++i) {
        const Seen seen = SeenText(Results()[i]->widget());
        ExpectStale(seen, current[i], "-26, " + Results()[i]->Name().toStdString());
        figures << ' ' << Figure(seen.ratio);
    }

    ui::ComponentSearchWindow* search = SearchFor("abc");
    ASSERT_NE(search, nullptr);
    ASSERT_FALSE(search->MessageLabel()->Caption().isEmpty());
    const Seen message = SeenText(search->MessageLabel()->widget());
    EXPECT_TRUE(Warns(message)) << "the search window's message" << Describe(message);
    figures << " | search message " << Figure(message.ratio);

    ASSERT_EQ(SearchFor("1E+10"), search);
    ASSERT_FALSE(search->RemarkLabel()->Caption().isEmpty());
    const Seen remark = SeenText(search->RemarkLabel()->widget());
    EXPECT_TRUE(Warns(remark)) << "the search window's remark" << Describe(remark);
    figures << " | search remark " << Figure(remark.ratio);
    std::cout << "[ contrast ] " << figures.str() << std::endl;
}

INSTANTIATE_TEST_SUITE_P(Themes, ReadableOnEveryTheme, ::testing::ValuesIn(testing_support::Themes),
                         [](const auto& p) { return std::string(p.param.name); });

// ------------------------------------------------------------------- a theme change

// The marks shown when a dark theme replaces the light one take colours for it, and a result that
// is current again follows the palette of the moment, also back on the light theme.
TEST_F(ReadableMarks, FollowAThemeChangedWhileRunning) {
    TypeResistor("4k7");
    ui::ComponentSearchWindow* search = SearchFor("abc");
    ASSERT_NE(search, nullptr);
    const auto reads = [](const Seen& seen) { return seen.ratio >= ReadsAtAll; };
    {
        const ThemeScope dark(testing_support::FusionDark());
        ExpectThemeShown(form.window());
        ExpectThemeShown(search->window());
        SeenResistor(); // away from the box, whose caret is no text
        const Seen box = SeenOnceSettled(ResistorEdit(), Warns);
        EXPECT_TRUE(Warns(box)) << "the resistor box" << Describe(box);
        const Seen message = SeenOnceSettled(search->MessageLabel()->widget(), Warns);
        EXPECT_TRUE(Warns(message)) << "the search window's message" << Describe(message);
        for (const runtime::Label* result : Results()) {
            const Seen seen = SeenOnceSettled(result->widget(), reads);
            EXPECT_TRUE(reads(seen)) << result->Name().toStdString() << Describe(seen);
        }

        TypeResistor("26");
        for (const runtime::Label* result : Results()) {
            EXPECT_TRUE(DrawnIn(SeenText(result->widget()).text, Qt::white))
                << result->Name().toStdString();
        }
    }
    // Back on the light theme, the results no longer marked take its text colour too.
    ExpectThemeShown(form.window());
    const QPalette light = QApplication::palette();
    const auto inLightText = [&](QPalette::ColorRole role) {
        return [&light, role](const Seen& seen) { return DrawnIn(seen.text, light.color(role)); };
    };
    for (const runtime::Label* result : Results()) {
        const auto settled = inLightText(QPalette::WindowText);
        EXPECT_TRUE(settled(SeenOnceSettled(result->widget(), settled)))
            << result->Name().toStdString();
    }
    SeenResistor();
    EXPECT_TRUE(
        inLightText(QPalette::Text)(SeenOnceSettled(ResistorEdit(), inLightText(QPalette::Text))));
}

} // namespace
