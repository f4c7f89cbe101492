#pragma once

#include "runtime/control.h"
#include "runtime/event.h"

#include <QList>
#include <QString>
#include <QStringList>

class QTreeWidget;
class QWidget;

namespace runtime {

// A list with columns under a row of headings, one row selected at a time, the whole row; the
// columns share the width. ListIndex is the selected row, counted from 0, -1 for none.
// - filling it raises nothing and leaves no row selected;
// - assigning ListIndex selects the row and raises Click, synchronously, before it returns;
// - the user's move to another row (mouse, arrow keys, Home, End, page keys) raises Click;
// - a double click on a row, or Enter on the selected row, raises DblClick.
class Table : public Control {
public:
    Table(QWidget* container, const QString& name, const QStringList& headings);

    // The columns but the last as wide as their widest cell and heading, the last one the rest of
    // the width: for a table of a few rows whose last column says the most.
    void FitColumnsToCells();

    // Replaces every row; each row holds one text per column.
    void SetRows(const QList<QStringList>& rows);
    int ListCount() const;
    QString TextMatrix(int row, int column) const;
    // What the row's tool tip says, and a screen reader after each of its cells; empty: nothing.
    void SetRowDescription(int row, const QString& text);
    QString RowDescription(int row) const;

    int ListIndex() const;
    void SetListIndex(int index);

    QTreeWidget* tree() const;

    Event Click;
    Event DblClick;

private:
    class Widget;
    Widget* tree_;
};

} // namespace runtime
