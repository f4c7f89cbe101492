#pragma once

#include "runtime/control.h"
#include "runtime/ink.h"

#include <QColor>
#include <QString>
#include <optional>

class QLabel;
class QWidget;

namespace runtime {

// Static text. Its text is shown as it is (never as markup). A self-sizing label takes the width
// and height of its text whenever the text changes, keeping its left edge; otherwise it keeps its
// size and clips. A centred label centres its text on its own width.
class Label : public Control {
public:
    Label(QWidget* container, const QString& name);

    QString Caption() const;
    void SetCaption(const QString& text);

    void SetCentred(bool centred);
    // A text longer than the label's width goes on at the next line, broken between words.
    void SetWordWrap(bool wrap);

    // The user can select the text with the mouse and copy it with Ctrl+C (the window copies it;
    // the label still never takes the focus). Its context menu is its container's. Selecting in
    // one label clears the selection of another.
    void SetSelectable();
    // Selects `length` characters of a selectable label's text from `start`, ready to copy.
    void Select(int start, int length);
    // The selected part of the text, or the whole text when none is selected.
    QString SelectedOrWholeText() const;
    void SetAutoSize(bool autoSize);

    void SetTransparent();
    void SetBackColor(const QColor& color);
    void SetForeColor(const QColor& color);
    // The text in an ink chosen for the palette and what the label is drawn on, chosen again
    // when the palette changes.
    void SetForeColor(Ink ink);
    // Back to the text colour that its container gives it, following it from then on.
    void ResetForeColor();
    void SetFont(const QString& family, double points, bool bold);

    QLabel* label() const { return label_; }

private:
    void FitToText();
    void Recolour();

    QLabel* label_;
    bool autoSize_ = false;
    std::optional<Ink> ink_;
};

} // namespace runtime
