#include "ui/main/main_window_lists.h"

#include "calc/units.h"
#include "catalogue/value_lists.h"
#include "runtime/combo_box.h"
#include "ui/utf8.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>

namespace ui {

namespace {

using calc::C1Unit;
using calc::C2Unit;
using calc::ListIndex;
using calc::R1Unit;
using catalogue::C1Units;
using catalogue::C2Units;
using catalogue::CapacitorValues;
using catalogue::Item;
using catalogue::KiloOhmValues;
using catalogue::MegohmValues;
using catalogue::OhmValues;
using catalogue::ResistorUnits;
using catalogue::SupplyVoltages;

// An item's position in its list, at compile time; the list's size when it is absent.
template <std::size_t N> constexpr int PositionOf(const std::array<Item, N>& list, Item item) {
    return static_cast<int>(std::find(list.begin(), list.end(), item) - list.begin());
}

// The recalculation reads a unit by its position in the unit box: each list holds its units there.
static_assert(PositionOf(ResistorUnits, "Ohms") == ListIndex(R1Unit::Ohms) &&
              PositionOf(ResistorUnits, "KOhms") == ListIndex(R1Unit::KOhms) &&
              PositionOf(ResistorUnits, "MOhms") == ListIndex(R1Unit::MOhms) &&
              ResistorUnits.size() == calc::kR1Units.size());
static_assert(PositionOf(C1Units, "PicoFarad") == ListIndex(C1Unit::PicoFarad) &&
              PositionOf(C1Units, "NanoFarad") == ListIndex(C1Unit::NanoFarad) &&
              PositionOf(C1Units, "MicroFarad") == ListIndex(C1Unit::MicroFarad) &&
              C1Units.size() == calc::kC1Units.size());
static_assert(PositionOf(C2Units, "NanoFarad") == ListIndex(C2Unit::NanoFarad) &&
              PositionOf(C2Units, "MicroFarad") == ListIndex(C2Unit::MicroFarad) &&
              C2Units.size() == calc::kC2Units.size());

// The start-up values, found by their texts. Where the window has always selected them: a change
// to the lists that moves one shows here.
constexpr int kStartC = PositionOf(CapacitorValues, "22");
constexpr int kStartC2 = PositionOf(CapacitorValues, "27");
constexpr int kStartV = PositionOf(SupplyVoltages, "05");
static_assert(kStartC == 32 && kStartC2 == 34 && kStartV == 0);

QString UnitText(R1Unit unit) {
    return FromUtf8(ResistorUnits[static_cast<std::size_t>(ListIndex(unit))]);
}

// Every item goes to the end of the list by position, so the order is the order given here.
void Append(runtime::ComboBox& box, std::span<const Item> items) {
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(items.size()));
    for (const Item item : items) {
        texts << FromUtf8(item);
    }
    box.AppendItems(texts);
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

    boxes.ComboValR1.SetListIndex(ListIndex(R1Unit::KOhms));
    boxes.ComboValC1.SetListIndex(ListIndex(C1Unit::NanoFarad));
    boxes.ComboValC2.SetListIndex(ListIndex(C2Unit::MicroFarad));
    boxes.ComboR.SetText(QStringLiteral("26")); // not in the list: its neighbours are 24 and 27
    boxes.ComboC.SetListIndex(kStartC);
    boxes.ComboC2.SetListIndex(kStartC2);
    boxes.ComboV.SetListIndex(kStartV);
}

void RebuildResistorList(runtime::ComboBox& ComboValR1, runtime::ComboBox& ComboR) {
    // Separate tests, each reading the unit anew; nothing in between changes the unit box.
    if (ComboValR1.Text() == UnitText(R1Unit::Ohms)) {
        Refill(ComboR, OhmValues);
    }
    if (ComboValR1.Text() == UnitText(R1Unit::KOhms)) {
        Refill(ComboR, KiloOhmValues);
    }
    if (ComboValR1.Text() == UnitText(R1Unit::MOhms)) {
        Refill(ComboR, MegohmValues);
    }
}

} // namespace ui
