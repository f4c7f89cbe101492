#include "runtime/table.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <algorithm>
#include <stdexcept>

namespace runtime {

namespace {

// Qt's rows are as high as the font and no more; a row with some air is read and hit more surely.
class RowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), option.fontMetrics.height() + 4));
        return size;
    }
};

} // namespace

class Table::Widget : public QTreeWidget {
public:
    Widget(QWidget* parent, Table& owner) : QTreeWidget(parent), owner_(owner) {}

protected:
    // Qt's own Enter emits activated() and passes the key on; some desktops also activate on a
    // single click. Enter on a row is the keyboard's double click here, and nothing else is.
    void keyPressEvent(QKeyEvent* event) override {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            currentItem() != nullptr) {
            owner_.DblClick.RaiseFromUser();
            return;
        }
        QTreeWidget::keyPressEvent(event);
    }

    // Ctrl+click on the selected row would leave the table with a current row not selected.
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override {
        const QItemSelectionModel::SelectionFlags command =
            QTreeWidget::selectionCommand(index, event);
        return command.testFlag(QItemSelectionModel::Deselect) ? QItemSelectionModel::NoUpdate
                                                               : command;
    }

private:
    Table& owner_;
};

namespace {

[[noreturn]] void InvalidPropertyValue(const char* what) {
    throw std::out_of_range(std::string("Valeur de propriété non valide : ") + what);
}

} // namespace

Table::Table(QWidget* container, const QString& name, const QStringList& headings)
    : Control(new Widget(container, *this), name), tree_(static_cast<Widget*>(widget())) {
    tree_->setColumnCount(static_cast<int>(headings.size()));
    tree_->setHeaderLabels(headings);
    tree_->setRootIsDecorated(false);
    tree_->setItemsExpandable(false);
    tree_->setUniformRowHeights(true);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree_->setFocusPolicy(Qt::StrongFocus);
    tree_->setItemDelegate(new RowDelegate(tree_));
    tree_->header()->setSectionsMovable(false);
    // Sharing the width never reads the rows, which a table of thousands would make slow.
    tree_->header()->setSectionResizeMode(QHeaderView::Stretch);

    QObject::connect(tree_, &QTreeWidget::currentItemChanged, this,
                     [this](QTreeWidgetItem* current) {
                         if (current == nullptr) {
                             return;
                         }
                         // A table that gets the keyboard focus without a row makes its first row
                         // current without selecting it; the row shown selected is ListIndex.
                         if (!current->isSelected()) {
                             const QSignalBlocker blocker(tree_);
                             tree_->setCurrentItem(current);
                         }
                         Click.RaiseFromUser();
                     });
    QObject::connect(tree_, &QTreeWidget::itemDoubleClicked, this,
                     [this] { DblClick.RaiseFromUser(); });
}

void Table::FitColumnsToCells() {
    QHeaderView* header = tree_->header();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(tree_->columnCount() - 1, QHeaderView::Stretch);
}

QTreeWidget* Table::tree() const {
    return tree_;
}

void Table::SetRows(const QList<QStringList>& rows) {
    const QSignalBlocker blocker(tree_);
    tree_->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(rows.size());
    for (const QStringList& row : rows) {
        items.append(new QTreeWidgetItem(row));
    }
    // All at once: one layout of the view instead of one per row.
    tree_->addTopLevelItems(items);
    tree_->setCurrentItem(nullptr);
}

int Table::ListCount() const {
    return tree_->topLevelItemCount();
}

QString Table::TextMatrix(int row, int column) const {
    if (row < 0 || row >= ListCount()) {
        InvalidPropertyValue("ligne");
    }
    if (column < 0 || column >= tree_->columnCount()) {
        InvalidPropertyValue("colonne");
    }
    return tree_->topLevelItem(row)->text(column);
}

void Table::SetRowDescription(int row, const QString& text) {
    if (row < 0 || row >= ListCount()) {
        InvalidPropertyValue("ligne");
    }
    // An empty text would still be a tool tip, and hide the table's own.
    const QVariant data = text.isEmpty() ? QVariant() : QVariant(text);
    QTreeWidgetItem* item = tree_->topLevelItem(row);
    for (int column = 0; column < tree_->columnCount(); ++column) {
        item->setData(column, Qt::ToolTipRole, data);
        item->setData(column, Qt::AccessibleDescriptionRole, data);
    }
}

QString Table::RowDescription(int row) const {
    if (row < 0 || row >= ListCount()) {
        InvalidPropertyValue("ligne");
    }
    return tree_->topLevelItem(row)->toolTip(0);
}

int Table::ListIndex() const {
    QTreeWidgetItem* current = tree_->currentItem();
    return current != nullptr ? tree_->indexOfTopLevelItem(current) : -1;
}

void Table::SetListIndex(int index) {
    if (index < -1 || index >= ListCount()) {
        InvalidPropertyValue("ListIndex");
    }
    {
        const QSignalBlocker blocker(tree_);
        if (index < 0) {
            tree_->setCurrentItem(nullptr);
            tree_->clearSelection();
        } else {
            QTreeWidgetItem* item = tree_->topLevelItem(index);
            tree_->setCurrentItem(item);
            tree_->scrollToItem(item);
        }
    }
    Click.Raise();
}

} // namespace runtime
