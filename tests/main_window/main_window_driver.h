#pragma once

// The main window as the user meets it: opened, active, with the focus where it opens, and the
// few gestures the tests repeat (a key pressed in a box, the resistor value typed or pasted).
#include "counted_form1.h"
#include "gui_helpers.h"
#include "ui/main/form1.h"
#include "ui/schematic/form2.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QStringList>
#include <array>
#include <gtest/gtest.h>
#include <ostream>

namespace main_window_testing {

// One of the window's combo boxes, by its member.
using Box = QPointer<runtime::ComboBox> ui::Form1::*;
using Caption = QPointer<runtime::Label> ui::Form1::*;

// The four result captions, in the order the formulas produce them.
struct Results {
    QString Freq, B, LblPlageBas, LblPlageHaut;

    bool operator==(const Results&) const = default;
};

inline void PrintTo(const Results& results, std::ostream* out) {
    *out << '{' << results.Freq.toStdString() << " | " << results.B.toStdString() << " | "
         << results.LblPlageBas.toStdString() << " | " << results.LblPlageHaut.toStdString() << '}';
}

// The results from their four numbers as the window writes them ("1748,252", 11, ...).
inline Results Expected(const char* freq, const char* halfWidth, const char* low,
                        const char* high) {
    return {QString::fromUtf8(freq) + QStringLiteral(" Hz"),
            QStringLiteral("+/- ") + QString::fromUtf8(halfWidth) + QStringLiteral(" Hz"),
            QStringLiteral("> ") + QString::fromUtf8(low) + QStringLiteral(" Hz"),
            QStringLiteral("< ") + QString::fromUtf8(high) + QStringLiteral(" Hz")};
}

// What the window shows right after start-up: 26 kilo-ohms, 22 nanofarads, 27 microfarads, 5 V.
inline Results StartUpResults() {
    return Expected("1748,252", "11", "1737,252", "1759,252");
}

using testing_support::CountedForm1;

// The tool tip of the first result marked as not current or no frequency, as the user reads it;
// empty when every result is current.
inline QString FirstMark(const ui::Form1& form) {
    for (const runtime::Label* result :
         {form.Freq.data(), form.B.data(), form.LblPlageBas.data(), form.LblPlageHaut.data()}) {
        if (!result->ToolTip().isEmpty()) {
            return result->ToolTip();
        }
    }
    return {};
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.Show();
        ASSERT_TRUE(form.IsLoaded());
        // The offscreen platform activates nothing by itself; a user's window is the active one.
        QApplication::setActiveWindow(form.window());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.window()));
    }

    void TearDown() override {
        form.Unload();
        // The unloaded windows go now rather than at the end of the run.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    Results Shown() const {
        return {form.Freq->Caption(), form.B->Caption(), form.LblPlageBas->Caption(),
                form.LblPlageHaut->Caption()};
    }

    // The user tabs (or clicks) to the box and presses one key: in a list box an arrow, Home or
    // End picks an item at once, as it does in the classic drop-down list.
    void PressIn(runtime::ComboBox* box, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        testing_support::FocusOn(box->combo());
        QTest::keyClick(box->combo(), key, modifiers);
    }

    // Drops the list with F4, walks to the item with the arrow keys and takes it with Enter: a
    // pick from the list that counts even when the item was already the selected one.
    void PickFromDroppedList(runtime::ComboBox* box, int index) {
        QComboBox* combo = box->combo();
        testing_support::FocusOn(combo);
        QTest::keyClick(combo, Qt::Key_F4);
        QAbstractItemView* view = combo->view();
        ASSERT_TRUE(testing_support::WaitFor([view] { return view->isVisible(); }))
            << "the list did not drop";
        QTest::keyClick(view, Qt::Key_Home);
        for (int i = 0; i < index; ++i) {
            QTest::keyClick(view, Qt::Key_Down);
        }
        QTest::keyClick(view, Qt::Key_Return);
        ASSERT_TRUE(testing_support::WaitFor([view] { return !view->isVisible(); }))
            << "the list did not close";
    }

    QLineEdit* ResistorEdit() const { return form.ComboR->combo()->lineEdit(); }

    // Clicks into the resistor box and selects all it holds, ready to type over it.
    void SelectAllOfResistor() {
        QLineEdit* edit = ResistorEdit();
        QApplication::setActiveWindow(form.window());
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() / 2, edit->height() / 2));
        EXPECT_EQ(QApplication::focusWidget(), form.ComboR->combo());
        QTest::keyClick(form.ComboR->combo(), Qt::Key_A, Qt::ControlModifier);
    }

    // Types over the resistor value, key by key.
    void TypeResistor(const char* keys) {
        SelectAllOfResistor();
        QTest::keyClicks(form.ComboR->combo(), QString::fromUtf8(keys));
    }

    CountedForm1 form;
};

// The E24 series, in tenths of the first decade's values (10 is 1, 91 is 9,1).
inline constexpr std::array<int, 24> E24 = {10, 11, 12, 13, 15, 16, 18, 20, 22, 24, 27, 30,
                                            33, 36, 39, 43, 47, 51, 56, 62, 68, 75, 82, 91};

// A value in tenths written as a list item: decimal comma, no trailing zero, no unit.
inline QString ItemText(int tenths) {
    return tenths % 10 == 0 ? QString::number(tenths / 10)
                            : QStringLiteral("%1,%2").arg(tenths / 10).arg(tenths % 10);
}

// The series over `decades` decades from 1 x 10^firstDecade up; the resistor lists leave 6,8 out.
inline QStringList Series(int decades, int firstDecade, bool withSixEight) {
    QStringList items;
    int scale = 1;
    for (int d = 0; d < firstDecade; ++d) {
        scale *= 10;
    }
    for (int d = 0; d < decades; ++d, scale *= 10) {
        for (int mantissa : E24) {
            if (mantissa != 68 || withSixEight) {
                items << ItemText(mantissa * scale);
            }
        }
    }
    return items;
}

inline QStringList Items(const runtime::ComboBox& box) {
    QStringList items;
    for (int i = 0; i < box.ListCount(); ++i) {
        items << box.List(i);
    }
    return items;
}

} // namespace main_window_testing
