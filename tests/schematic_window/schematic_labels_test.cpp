// The three labels of the schematic window show the main window's value and unit texts, when the
// window is loaded and after every change while it is open: 360 twips high, as wide as their
// text, left edges where the window was drawn, white boxes with green text lying over the diagram,
// each named after its component for a screen reader.
#include "schematic_helpers.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QFontInfo>
#include <QLabel>
#include <QPixmap>
#include <QRect>
#include <cstdlib>

namespace {

using schematic_test::LabelTextWidth;
using schematic_test::MainWindowTest;

struct ResistorCase {
    const char* name;
    const char* typed; // null: the start-up value is kept
    const char* lblR1;
};

const ResistorCase resistorCases[] = {
    {"StartUpValue", nullptr, "26KOhms"},
    {"EmptiedValueLeavesTheUnit", "", "KOhms"},
    {"TypedPointShownAsComma", "4.7", "4,7KOhms"},
    {"MarkupShownLiterally", "<b>1</b>", "<b>1</b>KOhms"},
    {"LongValue", "123456,789", "123456,789KOhms"},
};

void PrintTo(const ResistorCase& row, std::ostream* out) {
    *out << row.name;
}

struct LabelPlace {
    const char* name;
    QPointer<runtime::Label> ui::Form2::*label;
    int left, top; // twips, as the window was drawn
};

const LabelPlace labelPlaces[] = {
    {"LblR1", &ui::Form2::LblR1, 10695, 5520},
    {"LblC2", &ui::Form2::LblC2, 5700, 5685},
    {"LblC1", &ui::Form2::LblC1, 11430, 6600},
};

class SchematicLabels : public MainWindowTest,
                        public ::testing::WithParamInterface<ResistorCase> {};

TEST_P(SchematicLabels, ShowTheMainWindowTextsInWhiteBoxesOverTheDiagram) {
    const ResistorCase& row = GetParam();
    if (row.typed != nullptr) {
        RetypeResistor(QString::fromUtf8(row.typed));
    }
    ui::Form2& schematic = ClickCommand3();
    ASSERT_TRUE(schematic.IsLoaded());

    EXPECT_EQ(schematic.LblR1->Caption(), QString::fromUtf8(row.lblR1));
    EXPECT_EQ(schematic.LblC1->Caption(), "22NanoFarad");
    EXPECT_EQ(schematic.LblC2->Caption(), "27MicroFarad");

    const QImage shot = schematic.window()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (const LabelPlace& place : labelPlaces) {
        SCOPED_TRACE(place.name);
        runtime::Label& label = *(schematic.*place.label);
        QLabel* widget = label.label();
        EXPECT_EQ(label.Left(), place.left);
        EXPECT_EQ(label.Top(), place.top);
        EXPECT_EQ(label.Height(), 360);
        ASSERT_EQ(QFontInfo(widget->font()).family(), "Tahoma");
        EXPECT_TRUE(QFontInfo(widget->font()).bold());
        // As wide as its text in the labels' own font, whatever the text.
        EXPECT_NEAR(widget->width(), LabelTextWidth(label.Caption()), 1)
            << label.Caption().toStdString();

        // Seen in the whole window, the label's box holds nothing but its white paper and green
        // ink (blends of the two at the edges of the letters): it is opaque and lies above the
        // diagram, whose printed values are under it.
        const QRect box = widget->geometry();
        int inkedPixels = 0;
        int foreignPixels = 0;
        for (int y = box.top(); y <= box.bottom(); ++y) {
            for (int x = box.left(); x <= box.right(); ++x) {
                const QRgb pixel = shot.pixel(x, y);
                // On the line from white (255, 255, 255) to green (0, 192, 0).
                const int ink = 255 - qRed(pixel);
                const int expectedGreen = 255 - ink * (255 - 192) / 255;
                if (std::abs(qRed(pixel) - qBlue(pixel)) > 3 ||
                    std::abs(qGreen(pixel) - expectedGreen) > 4) {
                    ++foreignPixels;
                }
                if (ink >= 128) {
                    ++inkedPixels;
                }
            }
        }
        EXPECT_EQ(foreignPixels, 0) << "the diagram shows through or over the label";
        EXPECT_GT(inkedPixels, 20) << "no green text in the label";
        EXPECT_EQ(shot.pixel(box.topLeft()), qRgb(255, 255, 255)) << "the paper is not white";
    }
}

INSTANTIATE_TEST_SUITE_P(ResistorValues, SchematicLabels, ::testing::ValuesIn(resistorCases),
                         [](const ::testing::TestParamInfo<ResistorCase>& row) {
                             return std::string(row.param.name);
                         });

// ---- While it is open ----------------------------------------------------------------------

// A change the user makes in the main window while the schematic is open, from the start-up
// values, and the three labels then.
struct FollowedChange {
    const char* name;
    void (*make)(ui::Form1& main);
    const char* lblR1;
    const char* lblC1;
    const char* lblC2;
};

void PrintTo(const FollowedChange& row, std::ostream* out) {
    *out << row.name;
}

void PressIn(runtime::ComboBox* box, Qt::Key key) {
    testing_support::FocusOn(box->combo());
    QTest::keyClick(box->combo(), key);
}

const FollowedChange followedChanges[] = {
    {"R1SteppedToTheNextListValue", [](ui::Form1& main) { PressIn(main.ComboR, Qt::Key_Down); },
     "27KOhms", "22NanoFarad", "27MicroFarad"},
    {"R1PickedWithTheMouse",
     [](ui::Form1& main) {
         testing_support::PickWithMouse(main.ComboR->combo(),
                                        main.ComboR->combo()->findText(QStringLiteral("4,7")));
     },
     "4,7KOhms", "22NanoFarad", "27MicroFarad"},
    {"R1TypedWithAPoint",
     [](ui::Form1& main) { schematic_test::RetypeResistor(main, QStringLiteral("4.7")); },
     "4,7KOhms", "22NanoFarad", "27MicroFarad"},
    {"R1EmptiedLeavesTheUnit",
     [](ui::Form1& main) { schematic_test::RetypeResistor(main, QString()); }, "KOhms",
     "22NanoFarad", "27MicroFarad"},
    // The list is rebuilt in the new unit and its first value selected.
    {"R1UnitOhms", [](ui::Form1& main) { PressIn(main.ComboValR1, Qt::Key_Home); }, "100Ohms",
     "22NanoFarad", "27MicroFarad"},
    {"C1Value", [](ui::Form1& main) { PressIn(main.ComboC, Qt::Key_Down); }, "26KOhms",
     "24NanoFarad", "27MicroFarad"},
    {"C1Unit", [](ui::Form1& main) { PressIn(main.ComboValC1, Qt::Key_End); }, "26KOhms",
     "22MicroFarad", "27MicroFarad"},
    {"C2Value", [](ui::Form1& main) { PressIn(main.ComboC2, Qt::Key_Down); }, "26KOhms",
     "22NanoFarad", "30MicroFarad"},
    {"C2Unit", [](ui::Form1& main) { PressIn(main.ComboValC2, Qt::Key_Home); }, "26KOhms",
     "22NanoFarad", "27NanoFarad"},
};

class SchematicFollows : public MainWindowTest,
                         public ::testing::WithParamInterface<FollowedChange> {};

TEST_P(SchematicFollows, TheOpenWindowShowsTheNewValuesAndAScreenReaderHearsThem) {
    const FollowedChange& row = GetParam();
    ui::Form2& schematic = ClickCommand3();
    QWidget* window = schematic.window();
    row.make(main);
    ASSERT_EQ(schematic.window(), window) << "the window closed or was loaded again";

    const struct {
        const char* component;
        const runtime::Label* label;
        const char* shown;
    } labels[] = {{"R1", schematic.LblR1, row.lblR1},
                  {"C1", schematic.LblC1, row.lblC1},
                  {"C2", schematic.LblC2, row.lblC2}};
    for (const auto& [component, label, shown] : labels) {
        SCOPED_TRACE(component);
        EXPECT_EQ(label->Caption(), QString::fromUtf8(shown));
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(label->widget());
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->text(QAccessible::Name),
                  QString::fromUtf8(component) + QStringLiteral(" : ") + QString::fromUtf8(shown));
        EXPECT_EQ(label->Height(), 360);
        EXPECT_NEAR(label->label()->width(), LabelTextWidth(label->Caption()), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(MainWindowChanges, SchematicFollows, ::testing::ValuesIn(followedChanges),
                         [](const ::testing::TestParamInfo<FollowedChange>& row) {
                             return std::string(row.param.name);
                         });

// The font really is there, its bold face read from its own file once the schematic opens:
// otherwise every width above would be measured in the same stand-in.
using SchematicLabelFont = MainWindowTest;

TEST_F(SchematicLabelFont, TahomaBoldIsInstalled) {
    const ui::Form2& schematic = ClickCommand3();
    const QFontInfo drawn(schematic.LblR1->label()->font());
    EXPECT_EQ(drawn.family(), "Tahoma");
    EXPECT_EQ(drawn.styleName(), "Bold");
    EXPECT_EQ(QFontInfo(schematic_test::LabelFont()).styleName(), "Bold");
}

using SchematicLabelWidth = MainWindowTest;

TEST_F(SchematicLabelWidth, ALongerTextGivesAWiderLabel) {
    RetypeResistor(QString());
    ui::Form2& emptied = ClickCommand3();
    const int unitOnly = emptied.LblR1->Width();
    emptied.window()->close();

    RetypeResistor(QStringLiteral("1000"));
    ui::Form2& longer = ClickCommand3();
    EXPECT_GT(longer.LblR1->Width(), unitOnly);
    // Its left edge stays where the window was drawn.
    EXPECT_EQ(longer.LblR1->Left(), 10695);
    // Wider than drawn, too: the design width does not clip the text.
    EXPECT_GT(longer.LblR1->Width(), 285);
}

} // namespace
