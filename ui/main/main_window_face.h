#pragma once

// What the other windows may know of the main window and do to it: its components as a value,
// and "apply these components", which sets its boxes as a user's picks do. They never touch its
// controls, and need not know the main window's class: this header is all they include.

#include "catalogue/component_search.h"
#include "ui/sheet/design_sheet.h"

#include <QString>
#include <optional>

namespace ui {

// A value box and its unit box of the main window, as it shows them now.
struct ComponentState {
    QString value; // "26"
    int unit = -1; // the unit's position in its list (a calc::R1Unit, C1Unit or C2Unit); -1: none
    QString unitText; // "KOhms"; empty while no unit is chosen
};

struct ComponentsState {
    ComponentState r1, c1, c2;
    QString voltage; // "05"
};

// Components to set, as the search offers them.
struct Components {
    catalogue::Part r1, c1;
    std::optional<catalogue::Part> c2{}; // C2 stays as it is without one
};

class MainWindowFace {
public:
    // Nothing but empty texts and no units while the main window is not loaded.
    virtual ComponentsState State() const = 0;

    // R1's unit and value, then C1's, then C2's: each through the assignment a user's pick stands
    // for, so that the main window recalculates as for any pick. A unit is set only when it
    // changes, since a new resistor unit rebuilds the value list; a value is picked as the item of
    // its list, or typed when it is no item (the start-up "26" kΩ). Nothing happens while the
    // main window is not loaded.
    virtual void ApplyComponents(const Components& components) = 0;

    // The build sheet of the design as the main window shows it now; none while it is not loaded.
    virtual std::optional<DesignSheet> CurrentSheet() const = 0;

protected:
    ~MainWindowFace() = default;
};

} // namespace ui
