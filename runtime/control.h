#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace runtime {

// What every control of a form has: a name, a place in twips inside its container (the window's
// client area, or the outer top-left corner of the frame that holds it), a tool tip, a place in
// the focus order. A control belongs to its Qt widget and goes when the widget goes, so that a
// form that is unloaded takes its controls with it.
class Control : public QObject {
    Q_OBJECT

public:
    QWidget* widget() const { return widget_; }
    QString Name() const;

    void Move(int left, int top, int width, int height);
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetHeight(int twips);

    virtual void SetToolTip(const QString& text);
    QString ToolTip() const;

    // Controls that can take the focus follow their tab index; -1 leaves a control out.
    void SetTabIndex(int index) { tabIndex_ = index; }
    int TabIndex() const { return tabIndex_; }

    // What a screen reader says of the control, beyond its visible text.
    virtual void SetAccessibleName(const QString& text);
    void SetAccessibleDescription(const QString& text);

    // A disabled control is greyed and takes neither the focus nor the user's input.
    void SetEnabled(bool enabled);
    bool Enabled() const;

protected:
    Control(QWidget* widget, const QString& name);

private:
    QWidget* widget_;
    int tabIndex_ = -1;
};

} // namespace runtime
