#include "runtime/table.h"

#include <QAbstractTableModel>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>

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

[[noreturn]] void InvalidPropertyValue(const char* what) {
    throw std::out_of_range(std::string("Valeur de propriété non valide : ") + what);
}

} // namespace

// The rows as the view and a screen reader see them: their number, and each cell's text from the
// table's owner when it is asked for.
class Table::Model : public QAbstractTableModel {
public:
    Model(QObject* parent, QStringList headings)
        : QAbstractTableModel(parent), headings_(std::move(headings)) {}

    void Reset(int count, CellText text) {
        beginResetModel();
        count_ = count;
        text_ = std::move(text);
        descriptions_.clear();
        endResetModel();
    }

    // Kept for the few rows that have one: a table of thousands has none.
    void Describe(int row, const QString& text) {
        if (text.isEmpty()) {
            descriptions_.erase(row);
        } else {
            descriptions_[row] = text;
        }
        emit dataChanged(index(row, 0), index(row, columnCount() - 1),
                         {Qt::ToolTipRole, Qt::AccessibleDescriptionRole});
    }
    QString Description(int row) const {
        const auto found = descriptions_.find(row);
        return found != descriptions_.end() ? found->second : QString();
    }

    QString Text(int row, int column) const { return text_ ? text_(row, column) : QString(); }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : count_;
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(headings_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) {
            return {};
        }
        if (role == Qt::DisplayRole) {
            return Text(index.row(), index.column());
        }
        // An empty text would still be a tool tip, and hide the table's own.
        if (role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole) {
            const QString description = Description(index.row());
            return description.isEmpty() ? QVariant() : QVariant(description);
        }
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
            section < headings_.size()) {
            return headings_[section];
        }
        return QAbstractTableModel::headerData(section, orientation, role);
    }

private:
    QStringList headings_;
    int count_ = 0;
    CellText text_;
    std::map<int, QString> descriptions_;
};

class Table::Widget : public QTreeView {
public:
    Widget(QWidget* parent, Table& owner) : QTreeView(parent), owner_(owner) {}

protected:
    // Qt's own Enter emits activated() and passes the key on; some desktops also activate on a
    // single click. Enter on a row is the keyboard's double click here, and nothing else is.
    void keyPressEvent(QKeyEvent* event) override {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            currentIndex().isValid()) {
            owner_.DblClick.RaiseFromUser();
            return;
        }
        if (event->matches(QKeySequence::Copy) && owner_.copyText_ && owner_.ListIndex() >= 0) {
            QGuiApplication::clipboard()->setText(owner_.copyText_(owner_.ListIndex()));
            return;
        }
        QTreeView::keyPressEvent(event);
    }

    // Ctrl+click on the selected row would leave the table with a current row not selected.
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override {
        const QItemSelectionModel::SelectionFlags command =
            QTreeView::selectionCommand(index, event);
        return command.testFlag(QItemSelectionModel::Deselect) ? QItemSelectionModel::NoUpdate
                                                               : command;
    }

private:
    Table& owner_;
};

Table::Table(QWidget* container, const QString& name, const QStringList& headings)
    : Control(new Widget(container, *this), name), tree_(static_cast<Widget*>(widget())) {
    model_ = new Model(tree_, headings);
    tree_->setModel(model_);
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

    QObject::connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
                     [this](const QModelIndex& current) {
                         if (assigning_ || !current.isValid()) {
                             return;
                         }
                         // A table that gets the keyboard focus without a row makes its first row
                         // current without selecting it; the row shown selected is ListIndex.
                         QItemSelectionModel* selection = tree_->selectionModel();
                         if (!selection->isRowSelected(current.row())) {
                             selection->select(current, QItemSelectionModel::ClearAndSelect |
                                                            QItemSelectionModel::Rows);
                         }
                         Click.RaiseFromUser();
                     });
    QObject::connect(tree_, &QAbstractItemView::doubleClicked, this,
                     [this] { DblClick.RaiseFromUser(); });
}

void Table::FitColumnsToCells() {
    QHeaderView* header = tree_->header();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(model_->columnCount() - 1, QHeaderView::Stretch);
}

QTreeView* Table::tree() const {
    return tree_;
}

// Resetting the model clears the current row and the selection without a signal.
void Table::SetRows(int count, CellText text) {
    model_->Reset(count, std::move(text));
}

int Table::ListCount() const {
    return model_->rowCount();
}

int Table::ColumnCount() const {
    return model_->columnCount(QModelIndex());
}

QString Table::TextMatrix(int row, int column) const {
    if (row < 0 || row >= ListCount()) {
        InvalidPropertyValue("ligne");
    }
    if (column < 0 || column >= model_->columnCount()) {
        InvalidPropertyValue("colonne");
    }
    return model_->Text(row, column);
}

void Table::SetRowDescription(int row, const QString& text) {
    if (row < 0 || row >= ListCount()) {
        InvalidPropertyValue("ligne");
    }
    model_->Describe(row, text);
}

QString Table::RowDescription(int row) const {
    if (row < 0 || row >= ListCount()) {
        InvalidPropertyValue("ligne");
    }
    return model_->Description(row);
}

int Table::ListIndex() const {
    const QModelIndex current = tree_->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void Table::SetCopyText(RowCopy text) {
    copyText_ = std::move(text);
}

void Table::SetListIndex(int index) {
    if (index < -1 || index >= ListCount()) {
        InvalidPropertyValue("ListIndex");
    }
    assigning_ = true;
    if (index < 0) {
        tree_->selectionModel()->clear();
    } else {
        const QModelIndex row = model_->index(index, 0);
        tree_->setCurrentIndex(row);
        tree_->scrollTo(row);
    }
    assigning_ = false;
    Click.Raise();
}

} // namespace runtime
