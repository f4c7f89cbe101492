#pragma once

#include "qstring_printer.h"

// Small helpers for tests that drive real widgets as a user would.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

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

// Opens the drop-down list of a combo box with a click on its arrow and clicks the item at index,
// as a user does. Returns what went wrong, or an empty text.
inline std::string TryPickWithMouse(QComboBox* combo, int index) {
    const std::string name = combo->objectName().toStdString();
    const QPoint arrow(combo->width() - 6, combo->height() / 2);
    QTest::qWait(QApplication::doubleClickInterval() + 20); // not a double click on the last one
    QTest::mouseClick(combo, Qt::LeftButton, {}, arrow);
    QAbstractItemView* view = combo->view();
    if (!WaitFor([view] { return view->isVisible(); })) {
        return "a click on the arrow of " + name + " did not open its list";
    }
    // The list ignores a release that comes too soon after it opened. It is scrolled to the item
    // once it has its final size; the item goes to the middle, since a long list takes the
    // screen's height and the pointer over its top or bottom edge scrolls it further.
    QTest::qWait(2 * QApplication::doubleClickInterval());
    view->scrollTo(view->model()->index(index, 0), QAbstractItemView::PositionAtCenter);
    QCoreApplication::processEvents();
    // The items of a narrow list are laid out wider than the list: click the part that is shown.
    const QRect item =
        view->visualRect(view->model()->index(index, 0)).intersected(view->viewport()->rect());
    if (item.isEmpty()) {
        combo->hidePopup();
        return "item " + std::to_string(index) + " of " + name + " is not shown in its list";
    }
    QTest::mouseMove(view->viewport(), item.center());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    if (!WaitFor([view] { return !view->isVisible(); })) {
        combo->hidePopup();
        return "the list of " + name + " stayed open after a click on item " +
               std::to_string(index);
    }
    return {};
}

inline void PickWithMouse(QComboBox* combo, int index) {
    const std::string problem = TryPickWithMouse(combo, index);
    EXPECT_TRUE(problem.empty()) << problem;
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

// Opens a menu as `open` does and picks the entry with that text; false when no menu opened or
// it had no such entry.
inline bool PickFromMenu(const QString& entry, const std::function<void()>& open) {
    bool found = false;
    QTimer pick; // on the stack: it cannot fire once this function has returned
    pick.setSingleShot(true);
    QObject::connect(&pick, &QTimer::timeout, [&found, &entry] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) {
            return;
        }
        for (QAction* action : menu->actions()) {
            if (action->text() == entry) {
                found = true;
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        }
        menu->close();
    });
    pick.start(0);
    open();
    return found;
}

// Opens the context menu over a widget, as the right button does, and picks the entry with that
// text; false when the menu has no such entry.
inline bool PickFromContextMenu(QWidget* over, const QString& entry) {
    return PickFromMenu(entry, [over] {
        const QPoint at(over->width() / 2, over->height() / 2);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, over->mapToGlobal(at));
        QApplication::sendEvent(over, &event);
    });
}

} // namespace testing_support
