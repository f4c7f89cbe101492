#include "runtime/label.h"

#include "runtime/application.h"
#include "runtime/twips.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QPointer>

namespace runtime {

Label::Label(QWidget* container, const QString& name)
    : Control(new QLabel(container), name), label_(static_cast<QLabel*>(widget())) {
    label_->setTextFormat(Qt::PlainText);
    label_->setWordWrap(false);
    label_->setMargin(0);
    label_->setIndent(0);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->setFocusPolicy(Qt::NoFocus);
    SetTransparent();
    OnPaletteChange(*label_, *this, [this] { Recolour(); });
}

QString Label::Caption() const {
    return label_->text();
}

void Label::SetCaption(const QString& text) {
    if (text == label_->text()) {
        return; // the same text again shows nothing new
    }
    label_->setText(text);
    if (autoSize_) {
        FitToText();
    }
}

void Label::SetCentred(bool centred) {
    label_->setAlignment((centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
}

void Label::SetWordWrap(bool wrap) {
    label_->setWordWrap(wrap);
}

namespace {

// Qt's selection for a selectable label, from the first time it is wanted (see SetSelectable).
void EnableSelection(QLabel& label) {
    if (!label.textInteractionFlags().testFlag(Qt::TextSelectableByMouse)) {
        label.setTextInteractionFlags(Qt::TextSelectableByMouse);
        // Selecting with the mouse gives no focus: the labels never take it.
        label.setFocusPolicy(Qt::NoFocus);
    }
}

// One selection at a time across the selectable labels, as there is one focus for text fields.
class OneSelection : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress) {
            auto* label = static_cast<QLabel*>(watched);
            EnableSelection(*label);
            if (selected_ != nullptr && selected_ != label) {
                selected_->setSelection(0, 0);
            }
            selected_ = label;
        }
        return false;
    }

private:
    QPointer<QLabel> selected_;
};

} // namespace

// A label that Qt makes selectable gets a text document of its own, laid out at once and drawn in
// place of its plain text: for the main window's four results, 0.5 ms of the start-up's processor
// time (startup_bench, medians of 100 interleaved starts; 1.6 million instructions under
// callgrind). It becomes selectable when the mouse first presses on it, before that press reaches
// it, or when a part of it is selected, and shows the text cursor meanwhile, as a selectable label
// does.
void Label::SetSelectable() {
    static auto* const oneSelection = new OneSelection(qApp);
    label_->setCursor(Qt::IBeamCursor);
    label_->setContextMenuPolicy(Qt::NoContextMenu);
    label_->installEventFilter(oneSelection);
}

void Label::Select(int start, int length) {
    EnableSelection(*label_);
    label_->setSelection(start, length);
}

QString Label::SelectedOrWholeText() const {
    return label_->hasSelectedText() ? label_->selectedText() : label_->text();
}

void Label::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    if (autoSize_) {
        FitToText();
    }
}

void Label::FitToText() {
    label_->adjustSize();
}

void Label::SetTransparent() {
    label_->setAutoFillBackground(false);
}

void Label::SetBackColor(const QColor& color) {
    QPalette palette = label_->palette();
    palette.setColor(QPalette::Window, color);
    label_->setPalette(palette);
    label_->setAutoFillBackground(true);
}

void Label::SetForeColor(const QColor& color) {
    ink_.reset();
    QPalette palette = label_->palette();
    palette.setColor(QPalette::WindowText, color);
    label_->setPalette(palette);
}

void Label::SetForeColor(Ink ink) {
    ink_ = ink;
    RecolourWhenSeen(*label_, *this, [this] { Recolour(); });
}

void Label::Recolour() {
    if (!ink_) {
        return;
    }
    const QColor colour =
        InkColour(*ink_, label_->parentWidget()->palette().color(QPalette::WindowText),
                  SurfaceUnder(*label_));
    if (label_->palette().color(QPalette::WindowText) != colour) {
        QPalette palette = label_->palette();
        palette.setColor(QPalette::WindowText, colour);
        label_->setPalette(palette);
    }
}

void Label::ResetForeColor() {
    ink_.reset();
    InheritColour(*label_, QPalette::WindowText);
}

void Label::SetFont(const QString& family, double points, bool bold) {
    if (bold) {
        Application::AddBoldFonts();
    }
    QFont font(family);
    font.setPointSizeF(points * WindowScale(label_));
    font.setBold(bold);
    label_->setFont(font);
    if (autoSize_) {
        FitToText();
    }
}

} // namespace runtime
