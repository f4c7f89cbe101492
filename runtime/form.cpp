#include "runtime/form.h"

#include "runtime/application.h"
#include "runtime/control.h"
#include "runtime/image_file.h"
#include "runtime/twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>
#include <algorithm>
#include <vector>

namespace runtime {

namespace {

int loadedForms = 0;

QIcon IconFromImages(const QStringList& paths) {
    QIcon icon;
    for (const QString& path : paths) {
        const QImage image = ReadImageFile(path);
        if (!image.isNull()) {
            icon.addPixmap(QPixmap::fromImage(image));
        }
    }
    return icon;
}

} // namespace

// The top-level widget of a loaded form. Its close box unloads the form.
class Form::Window : public QWidget {
public:
    Window(Form& form, Qt::WindowFlags flags) : QWidget(nullptr, flags), form_(form) {}

protected:
    void closeEvent(QCloseEvent* event) override {
        event->accept();
        form_.Unload();
    }

private:
    Form& form_;
};

Form::Form(FormDefinition definition) : definition_(std::move(definition)) {}

Form::~Form() {
    DestroyWindow();
}

void Form::DestroyWindow() {
    delete unloaded_.data();
    if (window_) {
        --loadedForms;
        delete window_.data();
    }
}

int Form::LoadedCount() {
    return loadedForms;
}

WId Form::hWnd() const {
    return window_ ? window_->winId() : WId{};
}

void Form::Load() {
    // A fixed-size window with a title bar and a close button only.
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
    if (!definition_.showInTaskbar) {
        flags |= Qt::Tool;
    }
    auto* window = new Window(*this, flags);
    window->setObjectName(definition_.caption);
    window->setWindowTitle(definition_.caption);
    window->setFixedSize(TwipsToPixels(definition_.clientWidth),
                         TwipsToPixels(definition_.clientHeight));
    if (!definition_.fontFamily.isEmpty()) {
        QFont font(definition_.fontFamily);
        font.setPointSizeF(definition_.fontPoints);
        window->setFont(font);
    }
    if (!definition_.iconImages.isEmpty()) {
        window->setWindowIcon(IconFromImages(definition_.iconImages));
    }
    window_ = window;
    ++loadedForms;

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
    if (!window_) {
        Load();
        if (!window_) {
            return; // Form_Load unloaded its own form
        }
        // Centred on the screen.
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame(QPoint(0, 0), window_->size());
            frame.moveCenter(screen->availableGeometry().center());
            window_->move(frame.topLeft());
        }
        window_->show();
    } else {
        window_->show();
        window_->raise();
    }
    window_->activateWindow();
}

void Form::Unload() {
    if (!window_) {
        return;
    }
    QWidget* window = window_;
    window_ = nullptr;
    // Input already queued for the window (the second click of a quick double click) must not
    // reach its controls once it is unloaded.
    window->setEnabled(false);
    window->hide();
    // The form may be unloading from inside one of its own controls' handlers: the widgets go
    // once that handler has returned.
    window->deleteLater();
    unloaded_ = window;
    --loadedForms;
    if (loadedForms == 0) {
        Application::LastFormUnloaded();
    }
}

} // namespace runtime
