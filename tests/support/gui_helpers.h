#pragma once

#include "qstring_printer.h"

// Small helpers for tests that drive real widgets as a user would.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <ostream>

namespace testing_support {

// Waits, handling events, until the condition holds; false after the timeout.
template <typename Condition> bool WaitFor(Condition condition, int milliseconds = 3000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds) {
            return false;
        }
        QTest::qWait(10);
    }
    return true;
}

// Opens the drop-down list of a combo box and clicks the item at index, as a user does.
inline void PickWithMouse(QComboBox* combo, int index) {
    // The arrow at the right end opens the list, also on the editable box.
    const QPoint arrow(combo->width() - 6, combo->height() / 2);
    QTest::qWait(QApplication::doubleClickInterval() + 20); // not a double click on the last one
    QTest::mouseClick(combo, Qt::LeftButton, {}, arrow);
    QAbstractItemView* view = combo->view();
    ASSERT_TRUE(WaitFor([view] { return view->isVisible(); })) << "the list did not open";
    view->scrollTo(view->model()->index(index, 0));
    const QRect item = view->visualRect(view->model()->index(index, 0));
    // The list ignores a release that comes too soon after it opened (it would be the release
    // of the click that opened it).
    QTest::qWait(2 * QApplication::doubleClickInterval());
    QTest::mouseMove(view->viewport(), item.center());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    ASSERT_TRUE(WaitFor([view] { return !view->isVisible(); })) << "the list did not close";
}

// Makes the widget's window the active one and gives the widget the focus, so that key presses
// reach it as they would reach the control a user has tabbed to.
inline void FocusOn(QWidget* widget) {
    QWidget* window = widget->window();
    if (!window->isVisible()) {
        window->show();
    }
    QApplication::setActiveWindow(window);
    widget->setFocus(Qt::TabFocusReason);
}

} // namespace testing_support
