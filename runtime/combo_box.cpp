#include "runtime/combo_box.h"

#include "runtime/accessibility.h"
#include "runtime/failure.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <stdexcept>

namespace runtime {

namespace {

// The item of the list that the box shows: the selected one, or for the editable box the item
// whose text it holds; -1 when none.
int ShownRow(const QComboBox* combo) {
    if (!combo->isEditable()) {
        return combo->currentIndex();
    }
    return combo->findText(combo->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

// Marks the item the box shows as the current and selected one of its list (none when the typed
// text is no item), as the list would show it dropped, for a screen reader reading the list.
void SelectShownItem(QComboBox* combo) {
    const int row = ShownRow(combo);
    QItemSelectionModel* selection = combo->view()->selectionModel();
    if (row < 0) {
        selection->clear();
        return;
    }
    const QModelIndex item =
        combo->model()->index(row, combo->modelColumn(), combo->rootModelIndex());
    selection->setCurrentIndex(item, QItemSelectionModel::ClearAndSelect);
}

} // namespace

// The Qt widget behind a ComboBox. Opening the list scrolls it to the selected item; that is
// Qt's doing, not the user's, so it must not raise Scroll.
class ComboBox::Widget : public QComboBox {
public:
    Widget(QWidget* parent, ComboBox& owner) : QComboBox(parent), owner_(owner) {}

    std::function<std::optional<double>(const QString&)> valueOf;

    // The list as a screen reader reads it, the item shown marked in it. The list is made on first
    // use, so that a box costs nothing more at the window's start, and marked then; from then on
    // each change of the value shown keeps it in line (KeepListInLine).
    QAbstractItemView* ListInLine() {
        if (!listInLine_) {
            listInLine_ = true;
            // Quietly: a screen reader that reads the list must not hear of it changing.
            const QSignalBlocker quiet(view()->selectionModel());
            SelectShownItem(this);
        }
        return view();
    }
    void KeepListInLine() {
        if (listInLine_) {
            SelectShownItem(this);
        }
    }

    // The wheel picks only in the box that has the focus: a wheel turned while the pointer
    // passes over a unit box must not rebuild the resistor list and lose a typed value.
    void wheelEvent(QWheelEvent* event) override {
        if (!hasFocus()) {
            event->ignore();
            return;
        }
        const int notches = event->angleDelta().y();
        if (valueOf && notches != 0) {
            event->accept();
            RunGuarded([this, notches] { StepFromShownValue(notches < 0 ? +1 : -1); });
            return;
        }
        QComboBox::wheelEvent(event);
    }

    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        if (valueOf && (key == Qt::Key_Up || key == Qt::Key_Down) &&
            event->modifiers() == Qt::NoModifier) {
            RunGuarded([this, key] { StepFromShownValue(key == Qt::Key_Down ? +1 : -1); });
            return;
        }
        // A list box would take Ctrl+C's character as the start of an item to look for, and the
        // edit field with nothing selected would copy nothing; it goes to the window, which copies
        // a selected label's text.
        if (event->matches(QKeySequence::Copy) &&
            (!isEditable() || !lineEdit()->hasSelectedText())) {
            event->ignore();
            return;
        }
        QComboBox::keyPressEvent(event);
    }

    // Qt's list box keeps a request for a context menu (right button, Menu key) without showing
    // one; it goes on to the window's, as over any other part of the window.
    void contextMenuEvent(QContextMenuEvent* event) override {
        if (!isEditable()) {
            event->ignore();
            return;
        }
        QComboBox::contextMenuEvent(event);
    }

    void showPopup() override {
        // The list is built on first use; the box costs nothing more at the window's start.
        if (!watchingScroll_) {
            watchingScroll_ = true;
            QObject::connect(view()->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
                if (view()->isVisible() && !openingPopup_) {
                    owner_.Scroll.RaiseFromUser();
                }
            });
        }
        openingPopup_ = true;
        QComboBox::showPopup();
        openingPopup_ = false;
    }

private:
    // Picks the item next to the value shown, downwards (+1) or upwards (-1) in value.
    void StepFromShownValue(int direction) {
        const std::optional<double> shown = valueOf(currentText());
        int target = -1;
        if (!shown) {
            target = count() > 0 ? 0 : -1;
        } else {
            std::optional<double> best;
            for (int i = 0; i < count(); ++i) {
                const std::optional<double> item = valueOf(itemText(i));
                if (!item || (direction > 0 ? *item <= *shown : *item >= *shown)) {
                    continue;
                }
                if (!best || (direction > 0 ? *item < *best : *item > *best)) {
                    best = item;
                    target = i;
                }
            }
        }
        if (target < 0) {
            return; // nothing beyond the value shown
        }
        {
            const QSignalBlocker blocker(this);
            setCurrentIndex(target);
            setEditText(itemText(target));
        }
        owner_.Announce();
        owner_.Click.RaiseFromUser();
    }

    ComboBox& owner_;
    bool watchingScroll_ = false;
    bool openingPopup_ = false;
    bool listInLine_ = false;
};

// Qt on Linux reads a combo box's current text as its accessible name, leaving the name the form
// gave it unread; a screen reader then says "KOhms" where the user needs "Unité de R1". This
// interface says the given name, and the value shown as its value and as its text.
class ComboBox::Accessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit Accessible(Widget* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && !combo()->accessibleName().isEmpty()) {
            return combo()->accessibleName();
        }
        if (t == QAccessible::Name || t == QAccessible::Value) {
            return combo()->currentText();
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = combo()->view()->isVisible();
        state.editable = combo()->isEditable();
        return state;
    }

    // The list, and for the editable box its edit field, where the caret and the typed text are.
    int childCount() const override { return combo()->lineEdit() != nullptr ? 2 : 1; }
    QAccessibleInterface* child(int index) const override {
        QObject* const parts[] = {combo()->ListInLine(), combo()->lineEdit()};
        return index >= 0 && index < childCount()
                   ? QAccessible::queryAccessibleInterface(parts[index])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; child != nullptr && i < childCount(); ++i) {
            if (child->object() == (i == 0 ? static_cast<QObject*>(combo()->view())
                                           : static_cast<QObject*>(combo()->lineEdit()))) {
                return i;
            }
        }
        return -1;
    }
    QAccessibleInterface* focusChild() const override {
        return combo()->lineEdit() != nullptr && combo()->lineEdit()->hasFocus()
                   ? QAccessible::queryAccessibleInterface(combo()->lineEdit())
                   : nullptr;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& action) override {
        if (action == showMenuAction() || action == pressAction()) {
            combo()->showPopup();
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    // The value shown, read as text; nothing of it is selected and the caret is at its start.
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override {
        return combo()->currentText().mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(combo()->currentText().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    Widget* combo() const { return static_cast<Widget*>(widget()); }
};

namespace {

[[noreturn]] void InvalidPropertyValue(const char* what) {
    throw std::out_of_range(std::string("Valeur de propriété non valide : ") + what);
}

} // namespace

ComboBox::ComboBox(QWidget* container, const QString& name, Style style)
    : Control(new Widget(container, *this), name), combo_(static_cast<Widget*>(widget())),
      style_(style) {
    Accessibility::AnnouncesItsChanges(combo_);
    // A long list drops as a short column with a scroll bar, not over the whole screen.
    combo_->setMaxVisibleItems(12);
    combo_->setInsertPolicy(QComboBox::NoInsert);
    combo_->setFocusPolicy(Qt::StrongFocus);
    if (style_ == Style::Editable) {
        // The box is made editable by giving it its line edit, not with setEditable(true): that
        // also builds the dropped list's view and sizes the box to its contents, which the form
        // does itself when it places the box. The view is built when the list is first dropped
        // or read. 0.79 M instructions fewer to the main window's first frame (callgrind, Xvfb).
        auto* edit = new QLineEdit(combo_);
        combo_->setLineEdit(edit);
        // No inline completion: "4" stays "4" when "4,3" is in the list.
        combo_->setCompleter(nullptr);
        // QComboBox selects the item whose text matches when editing finishes (Enter, or the
        // focus leaving) and reports it as a pick; a user who typed has not picked anything.
        QObject::disconnect(edit, &QLineEdit::editingFinished, combo_, nullptr);
        // textEdited comes from the user's editing only, never from setText.
        QObject::connect(edit, &QLineEdit::textEdited, this, [this] {
            Announce();
            Change.RaiseFromUser();
        });
        OnPaletteChange(*edit, *this, [this] { Recolour(); });
    }
    // activated comes from the user's picks only, never from setCurrentIndex.
    QObject::connect(combo_, &QComboBox::activated, this, [this] {
        Announce();
        Click.RaiseFromUser();
    });
}

QAccessibleInterface* ComboBox::AccessibleInterface(const QString&, QObject* object) {
    auto* combo = dynamic_cast<Widget*>(object);
    return combo != nullptr ? new Accessible(combo) : nullptr;
}

QComboBox* ComboBox::combo() const {
    return combo_;
}

void ComboBox::AddItem(const QString& text, int position) {
    if (position < 0 || position > combo_->count()) {
        InvalidPropertyValue("position d'ajout");
    }
    InsertItems(position, {text});
}

// The main window fills its lists with some 300 items at start-up; one by one they took 1.16 M
// instructions, in one step each 0.30 M (callgrind on Xvfb).
void ComboBox::AppendItems(const QStringList& texts) {
    if (!texts.isEmpty()) {
        InsertItems(combo_->count(), texts);
    }
}

void ComboBox::InsertItems(int position, const QStringList& texts) {
    const bool fromEmpty = combo_->count() == 0;
    const QString keptText = Text();
    const QSignalBlocker blocker(combo_);
    combo_->insertItems(position, texts);
    if (fromEmpty) {
        // Qt selects the first item of a list that was empty; ours stays without a selection,
        // and the editable box keeps its text.
        combo_->setCurrentIndex(-1);
        if (style_ == Style::Editable) {
            combo_->setEditText(keptText);
        }
    }
    // The typed text may now be an item of the list.
    combo_->KeepListInLine();
}

void ComboBox::Clear() {
    const QSignalBlocker blocker(combo_);
    combo_->clear();
}

int ComboBox::ListCount() const {
    return combo_->count();
}

QString ComboBox::List(int index) const {
    if (index < 0 || index >= combo_->count()) {
        InvalidPropertyValue("indice de liste");
    }
    return combo_->itemText(index);
}

int ComboBox::ListIndex() const {
    return combo_->currentIndex();
}

void ComboBox::SetListIndex(int index) {
    if (index < -1 || index >= combo_->count()) {
        InvalidPropertyValue("ListIndex");
    }
    {
        const QSignalBlocker blocker(combo_);
        combo_->setCurrentIndex(index);
        if (style_ == Style::Editable && index >= 0) {
            combo_->setEditText(combo_->itemText(index));
        }
    }
    Announce();
    Click.Raise();
}

QString ComboBox::Text() const {
    return combo_->currentText();
}

void ComboBox::SetText(const QString& text) {
    if (style_ == Style::Editable) {
        {
            const QSignalBlocker blocker(combo_);
            combo_->setEditText(text);
        }
        Announce();
        Change.Raise();
        return;
    }
    // A list box shows only its items: assigning one of them selects it.
    const int index = combo_->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        InvalidPropertyValue("Text");
    }
    SetListIndex(index);
}

int ComboBox::SelStart() const {
    return style_ == Style::Editable ? combo_->lineEdit()->cursorPosition() : 0;
}

void ComboBox::SetSelStart(int position) {
    if (position < 0) {
        InvalidPropertyValue("SelStart");
    }
    if (style_ == Style::Editable) {
        combo_->lineEdit()->setCursorPosition(position);
    }
}

void ComboBox::Announce() {
    combo_->KeepListInLine();
    if (!QAccessible::isActive()) {
        return;
    }
    // A screen reader is there: it hears of the item selected in the list, which is made for it.
    combo_->ListInLine();
    const Accessibility::Announcement announcement;
    QAccessibleValueChangeEvent value(combo_, combo_->currentText());
    QAccessible::updateAccessibility(&value);
    const int row = ShownRow(combo_);
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(combo_->view());
    if (row >= 0 && list != nullptr && list->tableInterface() != nullptr) {
        if (QAccessibleInterface* item = list->tableInterface()->cellAt(row, 0)) {
            QAccessibleEvent selection(combo_->view(), QAccessible::Selection);
            selection.setChild(list->indexOfChild(item));
            QAccessible::updateAccessibility(&selection);
        }
    }
}

void ComboBox::SetAccessibleName(const QString& text) {
    Control::SetAccessibleName(text);
    if (QLineEdit* edit = combo_->lineEdit()) {
        edit->setAccessibleName(text);
    }
}

void ComboBox::SetToolTip(const QString& text) {
    Control::SetToolTip(text);
    if (QLineEdit* edit = combo_->lineEdit()) {
        edit->setAccessibleDescription(text);
    }
}

void ComboBox::SetValueReader(std::function<std::optional<double>(const QString&)> reader) {
    combo_->valueOf = std::move(reader);
}

void ComboBox::SetForeColor(Ink ink) {
    ink_ = ink;
    RecolourWhenSeen(*combo_, *this, [this] { Recolour(); });
}

// The edit field fills its own base, under the text.
void ComboBox::Recolour() {
    QLineEdit* edit = combo_->lineEdit();
    if (!ink_ || edit == nullptr) {
        return;
    }
    const QColor colour = InkColour(*ink_, combo_->palette().color(QPalette::Text),
                                    edit->palette().color(QPalette::Base));
    if (edit->palette().color(QPalette::Text) != colour) {
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Text, colour);
        edit->setPalette(palette);
    }
}

void ComboBox::ResetForeColor() {
    ink_.reset();
    if (QLineEdit* edit = combo_->lineEdit()) {
        InheritColour(*edit, QPalette::Text);
    }
}

} // namespace runtime
