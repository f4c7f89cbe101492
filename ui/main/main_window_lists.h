#pragma once

// The lists of the main window as its start-up and its resistor unit change build them. Both act
// on the window's combo boxes, through the same assignments a user's choices stand for, so that
// each default fires the event a user's pick would.
namespace runtime {
class ComboBox;
}

namespace ui {

// The seven input boxes of the main window.
struct InputBoxes {
    runtime::ComboBox& ComboValR1; // unit of R1
    runtime::ComboBox& ComboR;     // value of R1, editable
    runtime::ComboBox& ComboValC1; // unit of C1
    runtime::ComboBox& ComboC;     // value of C1
    runtime::ComboBox& ComboValC2; // unit of C2
    runtime::ComboBox& ComboC2;    // value of C2
    runtime::ComboBox& ComboV;     // supply voltage
};

// The lists that come with the window's design: units and voltages, nothing selected.
void FillDesignLists(InputBoxes boxes);

// The start-up of the main window: both capacitor lists filled item by item, then the seven
// defaults assigned in their order. Each assignment fires its control's event, whose handler
// builds the resistor list and recomputes; this routine computes nothing itself.
void FillListsAndSelectDefaults(InputBoxes boxes);

// The resistor unit change: empties the resistor list and fills it with the list of the unit that
// the unit box shows, then selects its first value (which fires Click of the resistor box). The
// three units are tested one after the other, each on the unit text read anew.
void RebuildResistorList(runtime::ComboBox& ComboValR1, runtime::ComboBox& ComboR);

} // namespace ui
