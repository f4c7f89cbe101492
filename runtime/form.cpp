#include "runtime/form.h"

#include "runtime/button.h"
#include "runtime/control.h"
#include "runtime/double_click.h"
#include "runtime/failure.h"
#include "runtime/placement.h"
#include "runtime/run_state.h"
#include "runtime/twips.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <malloc.h>
#include <optional>
#include <vector>

namespace runtime {

namespace {

// The frame the window manager puts around a window: the one it gave a window of ours already on
// screen, if it has given one yet.
std::optional<QMargins> FrameOfShownWindows() {
    for (const QWidget* shown : QApplication::topLevelWidgets()) {
        if (shown->isVisible() && shown->isWindow()) {
            const QRect outer = shown->frameGeometry();
            const QRect inner = shown->geometry();
            const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                                 outer.right() - inner.right(), outer.bottom() - inner.bottom());
            if (!frame.isNull()) {
                return frame;
            }
        }
    }
    return std::nullopt;
}

// Room for the frame of the first window, before the window manager has put one around any window
// of ours to learn it from: a common title bar and thin borders.
constexpr QMargins AssumedFrame(4, 30, 4, 4);

// A window is never drawn smaller than a fifth of its size: its 8-point text would be under 2
// points, its controls too small to hit. On a screen smaller still it runs off the edges instead.
constexpr double SmallestScale = 0.2;

// The scale at which a window of this client size fits the screen's free area, frame included:
// 1 when it fits as drawn.
double FitScale(QSize client, const QScreen* screen) {
    if (screen == nullptr || client.isEmpty()) {
        return 1.0;
    }
    const QRect available = screen->availableGeometry();
    const QMargins frame = FrameOfShownWindows().value_or(AssumedFrame);
    const double across =
        double(available.width() - frame.left() - frame.right()) / double(client.width());
    const double down =
        double(available.height() - frame.top() - frame.bottom()) / double(client.height());
    return std::clamp(std::min(across, down), SmallestScale, 1.0);
}

// The screen a new window is shown on: the one the user works on, that of the program's active
// window (the main window that opens another); the main screen for the first window.
QScreen* ScreenToShowOn() {
    if (const QWidget* active = QApplication::activeWindow()) {
        if (QScreen* screen = active->screen()) {
            return screen;
        }
    }
    return QGuiApplication::primaryScreen();
}

} // namespace

// The top-level widget of a loaded form, drawn at the scale that fits its screen. Its close box
// unloads the form.
class Form::Window : public QWidget, public ScaledWindow {
public:
    Window(Form& form, Qt::WindowFlags flags, QScreen* screen, double scale)
        : QWidget(nullptr, flags), form_(form), scale_(scale) {
        setScreen(screen);
    }

    double Scale() const override { return scale_; }

protected:
    // Unloading runs the form's own Form_Unload: a failure in it stops at the runtime's guard.
    void closeEvent(QCloseEvent* event) override {
        event->accept();
        RunGuarded([this] { form_.Unload(); });
    }

    void keyPressEvent(QKeyEvent* event) override {
        if (form_.definition_.closeOnEscape && event->key() == Qt::Key_Escape &&
            event->modifiers() == Qt::NoModifier) {
            RunGuarded([this] { form_.Unload(); });
            return;
        }
        if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
            ContextMenuFromKeyboard();
            return;
        }
        if (IsEnter(*event)) {
            if (Button* button = ButtonForEnter()) {
                // Through the button's own signal, the door of the user's clicks and its guard.
                button->button()->click();
                return;
            }
        }
        // The text selected in a label is copied from wherever the focus is in the window (the
        // labels never take the focus).
        if (event->matches(QKeySequence::Copy)) {
            for (const QLabel* label : findChildren<QLabel*>()) {
                if (label->hasSelectedText()) {
                    QGuiApplication::clipboard()->setText(label->selectedText());
                    return;
                }
            }
        }
        QWidget::keyPressEvent(event);
    }

    // The focus is shown from the start, not only once a key has moved it: the first arrow key
    // changes the box that has it. Qt clears the mark when it gives the focus back to an
    // activated window, so it is set again then.
    bool event(QEvent* event) override {
        const bool handled = QWidget::event(event);
        if (event->type() == QEvent::WindowActivate) {
            setAttribute(Qt::WA_KeyboardFocusChange);
            if (QWidget* focus = focusWidget()) {
                focus->update();
            }
            RunGuarded([this] { form_.Form_Activate(); });
        }
        return handled;
    }

    void contextMenuEvent(QContextMenuEvent* event) override {
        const QPoint at = event->globalPos();
        RunGuarded([this, at] { form_.Form_ContextMenu(at); });
    }

    // The window has no minimise button, but a window manager may minimise it all the same (from
    // a key or its menu; Openbox ignores the hint). A tool window comes straight back: it has no
    // taskbar entry to bring it back by, and the program would run on with nothing to reach. The
    // main window keeps its taskbar entry, and the desktop's "show desktop" works on it.
    void changeEvent(QEvent* event) override {
        QWidget::changeEvent(event);
        if (event->type() == QEvent::WindowStateChange && isMinimized() &&
            !form_.definition_.showInTaskbar) {
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (isMinimized()) {
                        showNormal();
                        raise();
                        activateWindow();
                    }
                },
                Qt::QueuedConnection);
        }
    }

private:
    static bool IsEnter(const QKeyEvent& event) {
        return (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) &&
               (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && !event.isAutoRepeat();
    }

    // Reached by an Enter that the control with the focus had no use for. A window with a default
    // button works as a dialog: Enter presses the button that has the focus, else the default
    // one. Qt does so inside a QDialog only, which a form's window is not. A window without one
    // keeps Enter for nothing.
    Button* ButtonForEnter() const {
        // Button declares no meta-object of its own, for qobject_cast to tell it from a Control.
        std::vector<Button*> buttons;
        for (Control* control : findChildren<Control*>()) {
            if (auto* button = dynamic_cast<Button*>(control)) {
                buttons.push_back(button);
            }
        }
        const auto isDefault = [](const Button* button) { return button->IsDefault(); };
        const auto defaultButton = std::find_if(buttons.begin(), buttons.end(), isDefault);
        if (defaultButton == buttons.end()) {
            return nullptr;
        }
        const QWidget* focus = focusWidget();
        const auto focused =
            std::find_if(buttons.begin(), buttons.end(),
                         [focus](const Button* button) { return button->widget() == focus; });
        return focused != buttons.end() ? *focused : *defaultButton;
    }

    // Shift+F10 does what the Menu key does, which Qt leaves to Windows alone: the menu of the
    // control that has the focus, the window's where the control has none.
    void ContextMenuFromKeyboard() {
        QWidget* focus = focusWidget() != nullptr ? focusWidget() : this;
        const QPoint at = focus->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, focus->mapToGlobal(at));
        QApplication::sendEvent(focus, &menu);
    }

    Form& form_;
    double scale_;
};

namespace {

// A form's window is a frame for a screen reader, named by its title, so that it is announced as
// a window when it appears (a plain QWidget would be a mere "filler").
class WindowAccessible : public QAccessibleWidget {
public:
    explicit WindowAccessible(QWidget* window) : QAccessibleWidget(window, QAccessible::Window) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            return widget()->windowTitle();
        }
        return QAccessibleWidget::text(t);
    }
};

} // namespace

Form::Form(FormDefinition definition) : definition_(std::move(definition)) {}

QAccessibleInterface* Form::AccessibleInterface(const QString&, QObject* object) {
    auto* window = dynamic_cast<Window*>(object);
    return window != nullptr ? new WindowAccessible(window) : nullptr;
}

Form::~Form() {
    DestroyWindow();
}

void Form::DestroyWindow() {
    delete unloaded_.data();
    if (window_) {
        RunState::FormUnloaded();
        delete window_.data();
    }
}

int Form::LoadedCount() {
    return RunState::LoadedForms();
}

void Form::Load() {
    // A fixed-size window with a title bar and a close button only.
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
    if (!definition_.showInTaskbar) {
        flags |= Qt::Tool;
    }
    QScreen* screen = ScreenToShowOn();
    const double scale = FitScale(
        QSize(TwipsToPixels(definition_.clientWidth), TwipsToPixels(definition_.clientHeight)),
        screen);
    auto* window = new Window(*this, flags, screen, scale);
    window->setObjectName(definition_.caption);
    window->setWindowTitle(definition_.caption);
    window->setFixedSize(TwipsToPixels(definition_.clientWidth, scale),
                         TwipsToPixels(definition_.clientHeight, scale));
    if (!definition_.fontFamily.isEmpty()) {
        QFont font(definition_.fontFamily);
        font.setPointSizeF(definition_.fontPoints * scale);
        window->setFont(font);
    }
    window_ = window;
    RunState::FormLoaded();

    CreateControls(*window);

    // The focus moves between the controls in the order of their tab indexes.
    std::vector<Control*> order;
    for (Control* control : window->findChildren<Control*>()) {
        if (control->TabIndex() >= 0 && control->widget()->focusPolicy() != Qt::NoFocus) {
            order.push_back(control);
        }
    }
    std::sort(order.begin(), order.end(),
              [](const Control* a, const Control* b) { return a->TabIndex() < b->TabIndex(); });
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1]->widget(), order[i]->widget());
    }
    if (!order.empty()) {
        order.front()->widget()->setFocus(Qt::OtherFocusReason);
    }

    Form_Load();
}

void Form::Show() {
    ShowNear(nullptr);
}

void Form::ShowBeside(const Form& owner) {
    ShowNear(&owner);
}

void Form::ShowNear(const Form* owner) {
    if (!window_) {
        Load();
        if (!window_) {
            return; // Form_Load unloaded its own form
        }
        // Centred on its screen, frame included where it is known, so that the title bar is on
        // the screen too; beside its owner where it has one.
        if (QScreen* screen = window_->screen()) {
            QRect outer(QPoint(0, 0),
                        window_->size().grownBy(FrameOfShownWindows().value_or(QMargins())));
            outer.moveCenter(screen->availableGeometry().center());
            if (owner != nullptr && owner->IsLoaded()) {
                outer.moveTopLeft(owner->PlaceBesideThis(outer.size()));
            }
            window_->move(outer.topLeft());
        }
        window_->show();
    } else {
        window_->show();
        window_->raise();
    }
    window_->activateWindow();
    // Shown under the pointer, the window would take the second click of the double click that
    // opened it.
    SwallowRestOfDoubleClick();
}

QPoint Form::PlaceBesideThis(QSize outer) const {
    const QWidget* kept = KeptInSight();
    const QRect keptRect = kept != nullptr ? QRect(kept->mapToGlobal(QPoint(0, 0)), kept->size())
                                           : window_->frameGeometry();
    QRect available = window_->screen()->availableGeometry();
    // At a scale such as 150 % the screen's pixels do not fall on whole ones of ours: the window
    // may come out a pixel larger than asked, and would overhang the screen's far edges.
    const qreal ratio = window_->devicePixelRatioF();
    if (ratio != std::floor(ratio)) {
        available.adjust(0, 0, -1, -1);
    }
    return PlaceBeside(window_->frameGeometry(), outer, available, keptRect);
}

void Form::Unload() {
    if (!window_) {
        return;
    }
    Form_Unload();
    QWidget* window = window_;
    window_ = nullptr;
    // Input already queued for the window (the second click of a quick double click) must not
    // reach its controls once it is unloaded.
    window->setEnabled(false);
    window->hide();
    // Nor may it reach the window that the closing one uncovers.
    SwallowRestOfDoubleClick();
    // A window is built anew at every opening, and glibc gives back only the top of its heap: the
    // pages the last window freed in the middle stay. Opening and closing the schematic and search
    // windows 100 times left 3.5 MiB more resident memory than the first opening; trimmed once
    // each window has gone, 0.2 MiB (reopen_memory on X11). A fixed mmap threshold kept it flat
    // too, but made every search of the largest table map and fault 3 MB afresh.
    QObject::connect(window, &QObject::destroyed, [] { malloc_trim(0); });
    // The form may be unloading from inside one of its own controls' handlers: the widgets go
    // once that handler has returned.
    window->deleteLater();
    unloaded_ = window;
    RunState::FormUnloaded();
}

} // namespace runtime
