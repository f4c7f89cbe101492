#include "catalogue/main_window_lists.h"

#include "catalogue/value_lists.h"
#include "runtime/combo_box.h"

#include <span>

namespace catalogue {

namespace {

QString ToText(Item item) {
    return QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size()));
}

// Every item goes to the end of the list by position, so the order is the order given here.
void Append(runtime::ComboBox& box, std::span<const Item> items) {
    for (const Item item : items) {
        box.AddItem(ToText(item), box.ListCount());
    }
}

void Refill(runtime::ComboBox& ComboR, std::span<const Item> items) {
    ComboR.Clear();
    Append(ComboR, items);
    ComboR.SetListIndex(0);
}

} // namespace

void FillDesignLists(InputBoxes boxes) {
    Append(boxes.ComboValR1, ResistorUnits);
    Append(boxes.ComboValC1, C1Units);
    Append(boxes.ComboValC2, C2Units);
    Append(boxes.ComboV, SupplyVoltages);
}

void FillListsAndSelectDefaults(InputBoxes boxes) {
    Append(boxes.ComboC, CapacitorValues);
    Append(boxes.ComboC2, CapacitorValues);

    boxes.ComboValR1.SetListIndex(1);           // "KOhms"
    boxes.ComboValC1.SetListIndex(1);           // "NanoFarad"
    boxes.ComboValC2.SetListIndex(1);           // "MicroFarad"
    boxes.ComboR.SetText(QStringLiteral("26")); // not in the list: its neighbours are 24 and 27
    boxes.ComboC.SetListIndex(32);              // "22"
    boxes.ComboC2.SetListIndex(34);             // "27"
    boxes.ComboV.SetListIndex(0);               // "05"
}

void RebuildResistorList(runtime::ComboBox& ComboValR1, runtime::ComboBox& ComboR) {
    // Separate tests, each reading the unit anew; nothing in between changes the unit box.
    if (ComboValR1.Text() == ToText(ResistorUnits[0])) {
        Refill(ComboR, OhmValues);
    }
    if (ComboValR1.Text() == ToText(ResistorUnits[1])) {
        Refill(ComboR, KiloOhmValues);
    }
    if (ComboValR1.Text() == ToText(ResistorUnits[2])) {
        Refill(ComboR, MegohmValues);
    }
}

} // namespace catalogue
