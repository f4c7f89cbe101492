#pragma once

#include "runtime/control.h"
#include "runtime/event.h"
#include "runtime/ink.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QAccessibleInterface;
class QComboBox;
class QWidget;

namespace runtime {

// A drop-down combo box with the semantics the forms rely on, which differ from QComboBox's own:
// - adding items raises nothing, and a list filled from empty has nothing selected afterwards;
// - assigning ListIndex raises Click (never Change), synchronously, before the assignment returns;
// - assigning Text of the editable box raises Change, synchronously;
// - a user's pick of an item (mouse, arrow keys, a letter key, the wheel) raises Click, also when
//   the same item is picked again; a user's edit of the editable text raises Change;
// - the editable box never completes inline and never adds what is typed to its list;
// - scrolling the dropped list raises Scroll;
// - a list box has no context menu of its own: the right button or the Menu key over it asks
//   for its window's;
// - a dropped list shows at most 12 items, under the box;
// - a screen reader reads the box's French name, the value shown as its value and text, and the
//   item shown marked selected in the list (dropped or not); each change of the value shown is
//   announced once, whatever Qt's steps to it (an emptied list, items added, an index set).
class ComboBox : public Control {
public:
    enum class Style {
        List,     // the text can only be chosen from the list
        Editable, // an edit field and a list: any text can be typed
    };

    ComboBox(QWidget* container, const QString& name, Style style);

    // Places an item at position (0 .. ListCount); the forms always append.
    void AddItem(const QString& text, int position);
    // The same as adding each at the end in turn, in one step.
    void AppendItems(const QStringList& texts);
    void Clear();
    int ListCount() const;
    QString List(int index) const;

    int ListIndex() const;
    void SetListIndex(int index);

    QString Text() const;
    void SetText(const QString& text);

    int SelStart() const;
    void SetSelStart(int position);

    // How the editable box reads a value from a text, for its Up and Down keys and the wheel:
    // they pick the item next to the value shown (the smallest item above it going down the
    // list, the largest below it going up; the first item when the text is no value), as a
    // user's pick, instead of stepping from a list position the typed text has left behind.
    void SetValueReader(std::function<std::optional<double>(const QString&)> reader);

    // The editable box's edit field, which takes the focus, is named and described as the box.
    void SetAccessibleName(const QString& text) override;
    void SetToolTip(const QString& text) override;

    // The editable box's text in an ink chosen for the palette and the box's base, chosen again
    // when the palette changes; back to the container's text colour with ResetForeColor.
    void SetForeColor(Ink ink);
    void ResetForeColor();

    Event Click;
    Event Change;
    Event Scroll;

    QComboBox* combo() const;

    // What a screen reader reads a box by (installed by the application, see accessibility.h).
    static QAccessibleInterface* AccessibleInterface(const QString& className, QObject* object);

private:
    void InsertItems(int position, const QStringList& texts);
    class Widget;
    class Accessible;
    // Tells a screen reader the value now shown and the item selected in the list.
    void Announce();
    void Recolour();

    Widget* combo_;
    Style style_;
    std::optional<Ink> ink_;
};

} // namespace runtime
