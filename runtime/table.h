#pragma once

#include "runtime/control.h"
#include "runtime/event.h"

#include <QString>
#include <QStringList>
#include <functional>

class QTreeView;
class QWidget;

namespace runtime {

// A list with columns under a row of headings, one row selected at a time, the whole row; the
// columns share the width. ListIndex is the selected row, counted from 0, -1 for none.
// - filling it raises nothing and leaves no row selected;
// - assigning ListIndex selects the row and raises Click, synchronously, before it returns;
// - the user's move to another row (mouse, arrow keys, Home, End, page keys) raises Click;
// - a double click on a row, or Enter on the selected row, raises DblClick.
// A row's texts are asked for only when the row is drawn or read, so that a table of many
// thousand rows costs no more to fill than one of ten.
class Table : public Control {
public:
    // The text of a cell; asked for cells of the rows given by the last SetRows only.
    using CellText = std::function<QString(int row, int column)>;

    Table(QWidget* container, const QString& name, const QStringList& headings);

    // The columns but the last as wide as their widest cell and heading, the last one the rest of
    // the width: for a table of a few rows whose last column says the most.
    void FitColumnsToCells();

    // Replaces every row: `count` rows, whose cells `text` gives; no row has a description.
    void SetRows(int count, CellText text);
    int ListCount() const;
    int ColumnCount() const;
    QString TextMatrix(int row, int column) const;
    // What the row's tool tip says, and a screen reader after each of its cells; empty: nothing.
    void SetRowDescription(int row, const QString& text);
    QString RowDescription(int row) const;

    int ListIndex() const;
    void SetListIndex(int index);

    // What Ctrl+C on the selected row puts on the clipboard, instead of the text of one cell.
    using RowCopy = std::function<QString(int row)>;
    void SetCopyText(RowCopy text);

    QTreeView* tree() const;

    Event Click;
    Event DblClick;

private:
    class Model;
    class Widget;
    Model* model_;
    Widget* tree_;
    // ListIndex is being assigned: the move it makes is not the user's.
    bool assigning_ = false;
    RowCopy copyText_;
};

} // namespace runtime
