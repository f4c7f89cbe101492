#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

class QAccessibleInterface;

namespace runtime {

// What a window definition says of the window itself.
struct FormDefinition {
    QString caption;
    int clientWidth = 0;  // twips
    int clientHeight = 0; // twips
    // A tool window has a small title bar with a close button only and is never resized; a
    // window without a taskbar entry is a utility window of the application.
    bool showInTaskbar = true;
    QString fontFamily;
    double fontPoints = 8.25;
    // Escape closes the window, as its close box does.
    bool closeOnEscape = false;
};

// A window that is created once and loaded, shown and unloaded as often as the user likes.
// Loading builds the window and its controls and runs Form_Load before the window becomes
// visible; unloading closes it and discards its controls, so that the next Show loads it again.
// The application ends when no form is loaded any more. A window too large for its screen is
// drawn smaller as a whole, its controls and fonts with it, so that it fits, frame included.
// A window with a default button works as a dialog: Enter presses the button that has the focus,
// else the default one; in a window without one, Enter presses no button.
class Form {
public:
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Modeless. Loads the form first when it is not loaded, centred on the screen; a loaded form
    // stays where it is and is brought forward, active.
    void Show();
    // The same for a window that works beside another: loaded, it opens beside the owner's window
    // (see PlaceBeside), frame included, leaving the part that the owner keeps in sight uncovered
    // where the screen has room.
    void ShowBeside(const Form& owner);
    void Unload();

    bool IsLoaded() const { return window_ != nullptr; }

    // The window while the form is loaded, null otherwise.
    QWidget* window() const { return window_; }

    static int LoadedCount();

    // What a screen reader reads a form's window by (installed by the application, see
    // accessibility.h).
    static QAccessibleInterface* AccessibleInterface(const QString& className, QObject* object);

protected:
    explicit Form(FormDefinition definition);

    // Builds the controls of the window definition inside the client area.
    virtual void CreateControls(QWidget& client) = 0;
    virtual void Form_Load() {}
    // The form is unloading (its close box, Unload); its window and controls are still there.
    virtual void Form_Unload() {}
    // The window has become the active one: shown, or the user came back to it.
    virtual void Form_Activate() {}
    // The user asks for the window's context menu (right button, Menu key or Shift+F10) over a
    // part of the window that has none of its own, a list box included; `at` is in global
    // coordinates.
    virtual void Form_ContextMenu(const QPoint& at) { (void)at; }

    // The part of the window that a window opened beside it leaves uncovered where it can: the
    // whole window unless the form names a part.
    virtual const QWidget* KeptInSight() const { return window_; }

    // Deletes the window and its controls at once, also one that was unloaded and waits to be
    // deleted. A derived form calls it from its destructor, so that no control outlives the
    // handlers it calls.
    void DestroyWindow();

private:
    class Window;
    void Load();
    void ShowNear(const Form* owner);
    // Where a window of that outer size opens beside this one.
    QPoint PlaceBesideThis(QSize outer) const;

    FormDefinition definition_;
    QPointer<QWidget> window_;
    QPointer<QWidget> unloaded_;
};

} // namespace runtime
