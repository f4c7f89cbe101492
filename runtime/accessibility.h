#pragma once

#include <QAccessible>
#include <span>
#include <vector>

class QAccessibleEvent;
class QWidget;

namespace runtime {

// What a screen reader is told of the runtime's controls. The application installs it once,
// before any control exists, in this order:
// 1. the factories of the runtime's own interfaces (a combo box that says the name it was given,
//    a picture with its action, a form's window as a window), which Qt asks before its own;
// 2. the update handler, which holds back the events of Qt's own steps of a change that a widget
//    announces itself (see AnnouncesItsChanges), and hands every other event on to the handler
//    installed before it: a listener standing in for a screen reader, or else the platform's
//    bridge to the screen reader.
// Destroying it uninstalls both, handler first.
class Accessibility {
public:
    explicit Accessibility(std::span<const QAccessible::InterfaceFactory> factories);
    ~Accessibility();
    Accessibility(const Accessibility&) = delete;
    Accessibility& operator=(const Accessibility&) = delete;

    // Qt tells a screen reader of every step of a change to a combo box as a change of its value
    // (the list emptied, the first item added, the index set, the edit text set), and of every
    // step of its hidden list's selection kept in line with it (a focus on a hidden item would
    // even draw the screen reader away from the box). For a widget marked here those are held
    // back: it announces each change once itself, inside an Announcement. What its dropped list
    // says while the user moves in it goes through.
    static void AnnouncesItsChanges(QWidget* widget);

    // While one lives, the events of the widgets that announce their own changes go through.
    class Announcement {
    public:
        Announcement();
        ~Announcement();
        Announcement(const Announcement&) = delete;
        Announcement& operator=(const Announcement&) = delete;
    };

private:
    static void Update(QAccessibleEvent* event);
    bool HeldBack(const QAccessibleEvent* event) const;
    void HandOn(QAccessibleEvent* event) const;

    std::vector<QAccessible::InterfaceFactory> factories_;
    QAccessible::UpdateHandler next_ = nullptr;
    int announcing_ = 0; // depth of the Announcements under way
};

} // namespace runtime
