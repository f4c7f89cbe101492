// Screenshots of the real windows on a real X server (Xvfb), saved in the build folder for the
// README (scripts/screenshots copies them into docs/), and a check that every text meant to be
// read whole is drawn whole with the font the window got.
#include "gui_helpers.h"
#include "themes.h"
#include "ui/main/form1.h"
#include "ui/schematic/form2.h"
#include "ui/search/component_search_window.h"

#include <QComboBox>
#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTreeView>
#include <gtest/gtest.h>

#ifndef VIRELDO_SCREENSHOT_DIR
#define VIRELDO_SCREENSHOT_DIR "."
#endif

namespace {

// Xvfb answers slowly on a loaded machine (the whole suite at -j 2).
constexpr int kXServerWaitMs = 30000;

QImage ScreenshotOf(QWidget* window) {
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window, kXServerWaitMs));
    // As the user sees it: the active window, with the focus where it opens.
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window, kXServerWaitMs));
    QTest::qWait(200);
    return window->screen()->grabWindow(window->winId()).toImage();
}

void Save(const QImage& image, const char* name) {
    const QString path =
        QDir(QStringLiteral(VIRELDO_SCREENSHOT_DIR)).filePath(QString::fromLatin1(name));
    EXPECT_TRUE(image.save(path)) << path.toStdString();
}

// A window drawn at all shows its background, frames, text and its antialiased edges.
void ExpectNotBlank(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            colours.insert(image.pixel(x, y));
        }
    }
    EXPECT_GE(colours.size(), 8) << "the screenshot is nearly uniform";
}

// ---- Texts drawn whole -----------------------------------------------------------------------

// The width a text takes in the font the widget really got.
int TextWidth(const QWidget* widget, const QString& text) {
    return QFontMetrics(widget->font()).horizontalAdvance(text);
}

std::string Describe(const QWidget* widget, const QString& text) {
    return widget->objectName().toStdString() + " \"" + text.toStdString() + "\"";
}

// The span [left, right) that a text takes inside its widget, by the widget's alignment.
struct Span {
    int left;
    int right;
};

Span TextSpanInLabel(const QLabel* label, const QString& text) {
    const int width = TextWidth(label, text);
    const int left =
        label->alignment().testFlag(Qt::AlignHCenter) ? (label->width() - width) / 2 : 0;
    return {label->x() + left, label->x() + left + width};
}

void ExpectFrameCaptionWhole(const QGroupBox* box) {
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.textAlignment = box->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    option.features = QStyleOptionFrame::None;
    option.lineWidth = 1;
    const QRect label =
        box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    EXPECT_GE(label.width(), TextWidth(box, box->title())) << Describe(box, box->title());
    EXPECT_TRUE(box->rect().contains(label)) << Describe(box, box->title());
}

void ExpectButtonCaptionWhole(const QPushButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QRect contents =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    EXPECT_LE(TextWidth(button, button->text()), contents.width())
        << Describe(button, button->text());
}

// A text inside a frame must stay off the frame's lines: the frame clips what passes them.
void ExpectLabelWithinContainer(const QLabel* label, const QString& text) {
    const Span span = TextSpanInLabel(label, text);
    const QWidget* container = label->parentWidget();
    const int inner = qobject_cast<const QGroupBox*>(container) != nullptr ? 1 : 0;
    EXPECT_GE(span.left, inner) << Describe(label, text);
    EXPECT_LE(span.right, container->width() - inner) << Describe(label, text);
}

// A label that keeps its size clips its text at its own edges too.
void ExpectLabelTextWhole(const QLabel* label, const QString& text) {
    EXPECT_LE(TextWidth(label, text), label->width()) << Describe(label, text);
    ExpectLabelWithinContainer(label, text);
}

// The classic list box draws its text inside its edit field, one pixel in on each side.
void ExpectEveryItemWholeInItsBox(const QComboBox* combo) {
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    option.frame = combo->hasFrame();
    option.subControls = QStyle::SC_All;
    const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                       QStyle::SC_ComboBoxEditField, combo);
    for (int i = 0; i < combo->count(); ++i) {
        const QString text = combo->itemText(i);
        EXPECT_LE(TextWidth(combo, text), field.width() - 2) << Describe(combo, text);
    }
}

void ExpectResultsWhole(const ui::Form1& form) {
    // Freq and the upper edge keep their 1725 twips; the lower edge is wider than its frame, so
    // only what the frame leaves of it counts; B sizes itself and must stay in its frame.
    for (const runtime::Label* label : {form.Freq.data(), form.LblPlageHaut.data()}) {
        ExpectLabelTextWhole(label->label(), label->Caption());
    }
    ExpectLabelWithinContainer(form.LblPlageBas->label(), form.LblPlageBas->Caption());
    ExpectLabelWithinContainer(form.B->label(), form.B->Caption());
    const QWidget* b = form.B->widget();
    EXPECT_LE(b->x() + b->width(), form.Frame3->widget()->width() - 1) << "B leaves its frame";
}

void ExpectNothingClipped(const ui::Form1& form) {
    EXPECT_EQ(QFontInfo(form.Freq->widget()->font()).family(), "Tahoma")
        << "the window's font is not installed; the metrics below would be another font's";

    for (const runtime::Frame* frame :
         {form.Frame1.data(), form.Frame2.data(), form.Frame3.data()}) {
        ExpectFrameCaptionWhole(frame->group());
    }
    for (const runtime::Button* button : {form.Command2.data(), form.Command3.data()}) {
        ExpectButtonCaptionWhole(button->button());
    }
    for (const runtime::Label* label : {form.Label1.data(), form.Label2.data(), form.Label3.data(),
                                        form.Label4.data(), form.Label6.data()}) {
        ExpectLabelTextWhole(label->label(), label->Caption());
    }
    // The supply voltage caption ends before its box, which starts at 1440 twips.
    const Span voltage = TextSpanInLabel(form.Label6->label(), form.Label6->Caption());
    EXPECT_LE(voltage.right, form.ComboV->widget()->x()) << "Label6 runs into ComboV";
    // The R1 and C1 captions start after their value boxes.
    EXPECT_GE(form.Label2->widget()->x(), form.ComboR->widget()->geometry().right());
    EXPECT_GE(form.Label4->widget()->x(), form.ComboC->widget()->geometry().right());

    for (const runtime::ComboBox* box :
         {form.ComboValR1.data(), form.ComboValC1.data(), form.ComboValC2.data(),
          form.ComboC.data(), form.ComboC2.data(), form.ComboV.data()}) {
        ExpectEveryItemWholeInItsBox(box->combo());
    }
    ExpectResultsWhole(form);
}

// Inputs given by code: only what the labels then show matters here.
struct Example {
    const char* name;
    int r1Unit;
    const char* r1;
    int c1Unit;
    const char* c1;
    int c2Unit;
    const char* c2;
    const char* volts;
    const char* captions[4]; // Freq, B, LblPlageBas, LblPlageHaut
};

// The widest results the lists and the worked examples give.
const Example examples[] = {
    {"TenKiloOhms",
     1,
     "10",
     1,
     "100",
     1,
     "1",
     "12",
     {"1000 Hz", "+/- 117 Hz", "> 883 Hz", "< 1117 Hz"}},
    {"FourHundredSeventyOhms",
     0,
     "470",
     0,
     "330",
     0,
     "100",
     "09",
     {"6447453,256 Hz", "+/- 4 Hz", "> 6447449,256 Hz", "< 6447457,256 Hz"}},
    {"OneMegohm",
     2,
     "1",
     2,
     "1",
     0,
     "100",
     "24",
     {"1 Hz", "+/- 16576 Hz", "> -16575 Hz", "< 16577 Hz"}},
    {"HundredOhms",
     0,
     "100",
     1,
     "22",
     1,
     "27",
     "05",
     {"454545,455 Hz", "+/- 1 Hz", "> 454544,455 Hz", "< 454546,455 Hz"}},
    {"OneMegohmWithStartUpCapacitors",
     2,
     "1",
     1,
     "22",
     1,
     "27",
     "05",
     {"45,455 Hz", "+/- 68 Hz", "> -22,545 Hz", "< 113,455 Hz"}},
    {"TwentyTwoPicofarads",
     1,
     "26",
     0,
     "22",
     1,
     "27",
     "05",
     {"1748251,748 Hz", "+/- 0 Hz", "> 1748251,748 Hz", "< 1748251,748 Hz"}},
};

void Choose(ui::Form1& form, const Example& example) {
    form.ComboValR1->SetListIndex(example.r1Unit);
    form.ComboR->SetText(QString::fromLatin1(example.r1));
    form.ComboValC1->SetListIndex(example.c1Unit);
    form.ComboC->SetText(QString::fromLatin1(example.c1));
    form.ComboValC2->SetListIndex(example.c2Unit);
    form.ComboC2->SetText(QString::fromLatin1(example.c2));
    form.ComboV->SetText(QString::fromLatin1(example.volts));
}

TEST(Screenshot, MainWindowAtStartUp) {
    ui::Form1 form;
    form.Show();
    const QImage image = ScreenshotOf(form.window());
    EXPECT_EQ(image.size(), QSize(337, 257) * form.window()->devicePixelRatio());
    Save(image, "main-window.png");
    ExpectNotBlank(image);

    ExpectNothingClipped(form);

    for (const Example& example : examples) {
        SCOPED_TRACE(example.name);
        Choose(form, example);
        const runtime::Label* labels[] = {form.Freq, form.B, form.LblPlageBas, form.LblPlageHaut};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(labels[i]->Caption(), QString::fromUtf8(example.captions[i]));
        }
        ExpectResultsWhole(form);
    }
    form.Unload();
}

// "4k7" typed key by key: the figures of 4 kilo-ohms stay, greyed, and the box says its text is
// no number.
TEST(Screenshot, StaleResults) {
    ui::Form1 form;
    form.Show();
    for (const char* text : {"4", "4k", "4k7"}) {
        form.ComboR->SetText(QString::fromLatin1(text));
    }
    ASSERT_EQ(form.Freq->Caption(), "11363,636 Hz");
    const QImage image = ScreenshotOf(form.window());
    Save(image, "stale-results.png");
    ExpectNotBlank(image);
    form.Unload();
}

// On a dark desktop theme, side by side: "4k7" typed (the box in the warning colour, the figures
// of 4 kΩ out of date) and "-26" (a negative frequency in the warning colour).
TEST(Screenshot, DarkTheme) {
    const testing_support::ThemeScope dark(testing_support::FusionDark());
    ui::Form1 form;
    form.Show();
    QImage shots[2];
    const char* const typed[2][3] = {{"4", "4k", "4k7"}, {"-", "-2", "-26"}};
    for (int i = 0; i < 2; ++i) {
        for (const char* text : typed[i]) {
            form.ComboR->SetText(QString::fromLatin1(text));
        }
        shots[i] = ScreenshotOf(form.window());
        ExpectNotBlank(shots[i]);
    }
    ASSERT_EQ(form.Freq->Caption(), "-1748,252 Hz");
    constexpr int gap = 12;
    QImage both(shots[0].width() + gap + shots[1].width(),
                std::max(shots[0].height(), shots[1].height()), QImage::Format_ARGB32);
    both.fill(Qt::transparent);
    QPainter painter(&both);
    painter.drawImage(0, 0, shots[0]);
    painter.drawImage(shots[0].width() + gap, 0, shots[1]);
    painter.end();
    Save(both, "dark-theme.png");
    form.Unload();
}

TEST(Screenshot, SchematicWindowAfterStartUp) {
    ui::Form1 form;
    form.Show();
    form.Command3_Click();
    ui::Form2* schematic = form.SchematicWindow();
    const QImage image = ScreenshotOf(schematic->window());
    Save(image, "schematic.png");
    ExpectNotBlank(image);
    schematic->Unload();
    form.Unload();
}

// Each cell's text fits its column, the margins the style draws around it included.
void ExpectCellsWhole(const runtime::Table& table) {
    const QTreeView* tree = table.tree();
    const int margin =
        2 * (tree->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, tree) + 1);
    for (int column = 0; column < tree->model()->columnCount(); ++column) {
        const int width = tree->header()->sectionSize(column);
        const QString heading = tree->model()->headerData(column, Qt::Horizontal).toString();
        EXPECT_LE(TextWidth(tree, heading) + margin, width) << Describe(tree, heading);
        for (int row = 0; row < table.ListCount(); ++row) {
            const QString text = table.TextMatrix(row, column);
            EXPECT_LE(TextWidth(tree, text) + margin, width) << Describe(tree, text);
        }
    }
}

// 1000 Hz and ±50 Hz at the start-up voltage, typed as a user types them.
TEST(Screenshot, ComponentSearch) {
    ui::Form1 form;
    form.Show();
    form.ShowComponentSearch();
    ui::ComponentSearchWindow* search = form.SearchWindow();
    ASSERT_NE(search, nullptr);
    QTest::keyClicks(search->FrequencyEdit()->edit(), QStringLiteral("1000"));
    QTest::keyClicks(search->HalfWidthEdit()->edit(), QStringLiteral("50"));
    search->FrequencyEdit()->edit()->setFocus();
    const QImage image = ScreenshotOf(search->window());
    ASSERT_EQ(search->PairsTable()->TextMatrix(0, 0), "10 KOhms");
    ASSERT_EQ(search->C2Table()->TextMatrix(0, 1), "+/- 51 Hz");
    Save(image, "component-search.png");
    ExpectNotBlank(image);

    for (const runtime::Label* label :
         {search->FrequencyLabel(), search->FrequencyUnitLabel(), search->ToleranceLabel(),
          search->ToleranceUnitLabel(), search->HalfWidthLabel(), search->HalfWidthUnitLabel(),
          search->RangeLabel(), search->VoltageLabel(), search->PairsLabel(),
          search->TrimmerLabel(), search->C2Label(), search->R1ToleranceLabel(),
          search->C1ToleranceLabel()}) {
        ExpectLabelTextWhole(label->label(), label->Caption());
    }
    ExpectButtonCaptionWhole(search->ApplyButton()->button());
    ExpectEveryItemWholeInItsBox(search->RangeBox()->combo());
    ExpectEveryItemWholeInItsBox(search->R1ToleranceBox()->combo());
    ExpectEveryItemWholeInItsBox(search->C1ToleranceBox()->combo());
    // Every line of the real parts, wrapped where it must, within the label.
    const auto expectSpreadWhole = [search] {
        const QLabel* spread = search->SpreadLabel()->label();
        EXPECT_LE(spread->heightForWidth(spread->width()), spread->height())
            << "the lines are cut off: " << spread->text().toStdString();
    };
    ASSERT_EQ(search->SpreadLabel()->Caption().count(QLatin1Char('\n')), 4);
    expectSpreadWhole();
    ExpectCellsWhole(*search->PairsTable());
    ExpectCellsWhole(*search->C2Table());

    // With remarks: 910 µF gives ±79 Hz for 1 Hz, far from ±5 Hz and beyond the centre; 1E+308 Hz
    // lies above the data sheets, its trimmer beyond the lists.
    search->FrequencyEdit()->edit()->selectAll();
    QTest::keyClicks(search->FrequencyEdit()->edit(), QStringLiteral("1"));
    search->HalfWidthEdit()->edit()->selectAll();
    QTest::keyClicks(search->HalfWidthEdit()->edit(), QStringLiteral("5"));
    ASSERT_FALSE(search->C2Table()->TextMatrix(0, 2).isEmpty());
    ExpectCellsWhole(*search->C2Table());
    // 500 Hz and ±5 Hz with ±20 % on C1: the capture range can be missed on both sides, and
    // R1 + RV1 leaves the advised range: six lines.
    search->C1ToleranceBox()->SetListIndex(2);
    search->FrequencyEdit()->edit()->selectAll();
    QTest::keyClicks(search->FrequencyEdit()->edit(), QStringLiteral("500"));
    ASSERT_EQ(search->SpreadLabel()->Caption().count(QLatin1Char('\n')), 5)
        << search->SpreadLabel()->Caption().toStdString();
    expectSpreadWhole();
    search->FrequencyEdit()->edit()->selectAll();
    QTest::keyClicks(search->FrequencyEdit()->edit(), QStringLiteral("1E+308"));
    ASSERT_EQ(search->RemarkLabel()->Caption().count(QLatin1Char('.')), 2);
    const QLabel* remark = search->RemarkLabel()->label();
    EXPECT_LE(remark->heightForWidth(remark->width()), remark->height()) << "the remark is cut off";
    search->Unload();
    form.Unload();
}

} // namespace
