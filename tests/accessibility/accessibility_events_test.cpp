// What a screen reader is told as the user works: each change of a box's value announced once,
// with the value, and the item selected in its list; a result's new reason announced; the
// schematic window announced as a window appearing; the search table's rows read as they are
// reached. Runs where a screen reader would listen (see
// on_screen_reader_bus.sh), catching the events Qt hands to the accessibility bus.
#include "main_window_driver.h"
#include "ui/search/component_search_window.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QTreeView>
#include <functional>
#include <vector>

namespace {

using main_window_testing::MainWindowTest;

struct Heard {
    QObject* object;
    QAccessible::Event type;
    QString value; // the value announced, or the name of what appeared or got the focus
};

std::vector<Heard> heard;

// Installed before any box exists, so that the boxes' own filtering of Qt's events comes first
// and this sees what the accessibility bus would see.
void Listen(QAccessibleEvent* event) {
    QString value;
    if (event->type() == QAccessible::ValueChanged) {
        value = static_cast<QAccessibleValueChangeEvent*>(event)->value().toString();
    } else if ((event->type() == QAccessible::ObjectShow || event->type() == QAccessible::Focus) &&
               event->accessibleInterface() != nullptr) {
        value = event->accessibleInterface()->text(QAccessible::Name);
    }
    heard.push_back({event->object(), event->type(), value});
}

class ListenerEnvironment : public ::testing::Environment {
public:
    void SetUp() override { QAccessible::installUpdateHandler(Listen); }
};
const auto* const environment = ::testing::AddGlobalTestEnvironment(new ListenerEnvironment);

class ScreenReader : public MainWindowTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(testing_support::WaitFor([] { return QAccessible::isActive(); }))
            << "no accessibility bus: run under on_screen_reader_bus.sh";
        MainWindowTest::SetUp();
        heard.clear();
    }

    // The values announced for one object, in order.
    static QStringList ValuesOf(const QObject* object) {
        QStringList values;
        for (const Heard& event : heard) {
            if (event.object == object && event.type == QAccessible::ValueChanged) {
                values << event.value;
            }
        }
        return values;
    }

    static int Count(const QObject* object, QAccessible::Event type) {
        int count = 0;
        for (const Heard& event : heard) {
            count += event.object == object && event.type == type ? 1 : 0;
        }
        return count;
    }
};

class BoxChange;

struct Change {
    const char* name;
    std::function<void(BoxChange&)> act;
    QPointer<runtime::ComboBox> ui::Form1::*box;
    QStringList values; // announced on the box, in order
};

void PrintTo(const Change& row, std::ostream* out) {
    *out << row.name;
}

class BoxChange : public ScreenReader, public ::testing::WithParamInterface<Change> {
public:
    void Press(QPointer<runtime::ComboBox> ui::Form1::*box, Qt::Key key) {
        PressIn(form.*box, key);
    }
    void Pick(QPointer<runtime::ComboBox> ui::Form1::*box, int index) {
        PickFromDroppedList(form.*box, index);
    }
    void Type(const char* keys) { TypeResistor(keys); }
};

const Change changes[] = {
    {"PickByKey",
     [](BoxChange& t) { t.Press(&ui::Form1::ComboC, Qt::Key_Down); },
     &ui::Form1::ComboC,
     {"24"}},
    {"PickFromTheDroppedList",
     [](BoxChange& t) { t.Pick(&ui::Form1::ComboC2, 10); },
     &ui::Form1::ComboC2,
     {"2,7"}},
    {"ResistorRebuiltByAUnitPick",
     [](BoxChange& t) { t.Press(&ui::Form1::ComboValR1, Qt::Key_Up); },
     &ui::Form1::ComboR,
     {"100"}},
    {"ResistorStepByArrow",
     [](BoxChange& t) { t.Press(&ui::Form1::ComboR, Qt::Key_Down); },
     &ui::Form1::ComboR,
     {"27"}},
    {"ResistorTypedKeyByKey", [](BoxChange& t) { t.Type("47"); }, &ui::Form1::ComboR, {"4", "47"}},
    {"PointTypedAndCorrected",
     [](BoxChange& t) { t.Type("4."); },
     &ui::Form1::ComboR,
     {"4", "4.", "4,"}},
};

// Each change is told once, with the value then shown, and for a value of the list, once more as
// the item selected in the list.
TEST_P(BoxChange, IsAnnouncedOnceWithItsValue) {
    const Change& row = GetParam();
    row.act(*this);
    runtime::ComboBox* box = form.*row.box;
    EXPECT_EQ(ValuesOf(box->combo()), row.values);
    int items = 0;
    for (const QString& value : row.values) {
        items += box->combo()->findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0;
    }
    QAbstractItemView* list = box->combo()->view();
    EXPECT_EQ(Count(list, QAccessible::Selection), items);
    // No other step of its selection is said of a list that stays closed, and no focus on a
    // hidden item (a dropped list speaks as the user moves in it; a rebuilt list tells of the
    // items it lost and gained, which a screen reader's picture of it needs).
    if (QString::fromLatin1(row.name) != QLatin1String("PickFromTheDroppedList")) {
        int steps = 0;
        for (const Heard& event : heard) {
            steps += event.object == list &&
                     (event.type == QAccessible::Focus || event.type == QAccessible::SelectionAdd ||
                      event.type == QAccessible::SelectionRemove ||
                      event.type == QAccessible::SelectionWithin);
        }
        EXPECT_EQ(steps, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Accessibility, BoxChange, ::testing::ValuesIn(changes),
                         [](const auto& p) { return std::string(p.param.name); });

// A result that stops being current says why, once, and says so again once it is current.
TEST_F(ScreenReader, AResultsReasonIsAnnouncedWhenItChanges) {
    TypeResistor("abc");
    EXPECT_EQ(Count(form.Freq->widget(), QAccessible::DescriptionChanged), 1);
    heard.clear();
    TypeResistor("26");
    EXPECT_EQ(Count(form.Freq->widget(), QAccessible::DescriptionChanged), 1);
}

TEST_F(ScreenReader, TheSchematicWindowIsAnnouncedAsAWindowAppearing) {
    QTest::mouseClick(form.Command3->widget(), Qt::LeftButton);
    ASSERT_NE(form.SchematicWindow(), nullptr);
    QWidget* window = form.SchematicWindow()->window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    bool appeared = false;
    for (const Heard& event : heard) {
        appeared = appeared || (event.object == window && event.type == QAccessible::ObjectShow &&
                                event.value == "Schéma");
    }
    EXPECT_TRUE(appeared);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window)->role(), QAccessible::Window);
    form.SchematicWindow()->Unload();
}

// The rows of the pairs table are made only when they are shown; a screen reader reads them all
// the same: the row the arrow key reaches is announced, and each of its cells reads as drawn.
TEST_F(ScreenReader, TheSearchTablesRowsAreReadAsTheyAreReached) {
    form.ShowComponentSearch();
    ui::ComponentSearchWindow* search = form.SearchWindow();
    ASSERT_NE(search, nullptr);
    QTest::keyClicks(search->FrequencyEdit()->edit(), QStringLiteral("1000"));
    runtime::Table& pairs = *search->PairsTable();
    ASSERT_GE(pairs.ListCount(), 2);
    QTreeView* view = pairs.tree();
    testing_support::FocusOn(view);
    heard.clear();
    QTest::keyClick(view, Qt::Key_Down);
    ASSERT_EQ(pairs.ListIndex(), 1);

    QStringList announced;
    for (const Heard& event : heard) {
        if (event.object == view && event.type == QAccessible::Focus) {
            announced << event.value;
        }
    }
    EXPECT_EQ(announced, QStringList{pairs.TextMatrix(1, 0)});
    QAccessibleTableInterface* table =
        QAccessible::queryAccessibleInterface(view)->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), pairs.ListCount());
    for (int column = 0; column < table->columnCount(); ++column) {
        EXPECT_EQ(table->cellAt(1, column)->text(QAccessible::Name), pairs.TextMatrix(1, column))
            << "column " << column;
    }
    search->Unload();
}

} // namespace
