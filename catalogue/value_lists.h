#pragma once

// The lists the user picks from: preferred values of the E24 series, written as the list items
// show them (decimal comma, no trailing zeros, no unit), and the units and supply voltages.
#include <algorithm>
#include <array>
#include <string_view>

namespace catalogue {

using Item = std::string_view;

// Units are told apart by their position in these lists when computing (in the order of
// calc::R1Unit, C1Unit and C2Unit), and by their text when the resistor list is rebuilt: both must
// stay as they are.
inline constexpr std::array<Item, 3> ResistorUnits = {"Ohms", "KOhms", "MOhms"};
inline constexpr std::array<Item, 3> C1Units = {"PicoFarad", "NanoFarad", "MicroFarad"};
inline constexpr std::array<Item, 2> C2Units = {"NanoFarad", "MicroFarad"};
// The voltages keep their leading zero.
inline constexpr std::array<Item, 5> SupplyVoltages = {"05", "09", "12", "15", "24"};

// Three decades of the E24 series, 1 to 910, for both capacitors.
inline constexpr std::array<Item, 72> CapacitorValues = {
    "1",   "1,1", "1,2", "1,3", "1,5", "1,6", "1,8", "2",   "2,2", "2,4", "2,7", "3",
    "3,3", "3,6", "3,9", "4,3", "4,7", "5,1", "5,6", "6,2", "6,8", "7,5", "8,2", "9,1",
    "10",  "11",  "12",  "13",  "15",  "16",  "18",  "20",  "22",  "24",  "27",  "30",
    "33",  "36",  "39",  "43",  "47",  "51",  "56",  "62",  "68",  "75",  "82",  "91",
    "100", "110", "120", "130", "150", "160", "180", "200", "220", "240", "270", "300",
    "330", "360", "390", "430", "470", "510", "560", "620", "680", "750", "820", "910"};

// The resistor lists lack 6,8 in every decade they cover.
inline constexpr std::array<Item, 23> OhmValues = {
    "100", "110", "120", "130", "150", "160", "180", "200", "220", "240", "270", "300",
    "330", "360", "390", "430", "470", "510", "560", "620", "750", "820", "910"};

inline constexpr std::array<Item, 69> KiloOhmValues = {
    "1",   "1,1", "1,2", "1,3", "1,5", "1,6", "1,8", "2",   "2,2", "2,4", "2,7", "3",
    "3,3", "3,6", "3,9", "4,3", "4,7", "5,1", "5,6", "6,2", "7,5", "8,2", "9,1", "10",
    "11",  "12",  "13",  "15",  "16",  "18",  "20",  "22",  "24",  "27",  "30",  "33",
    "36",  "39",  "43",  "47",  "51",  "56",  "62",  "75",  "82",  "91",  "100", "110",
    "120", "130", "150", "160", "180", "200", "220", "240", "270", "300", "330", "360",
    "390", "430", "470", "510", "560", "620", "750", "820", "910"};

// 1 to 91 megohms: the first two decades of the kilo-ohm list.
inline constexpr std::array<Item, 46> MegohmValues = {
    "1",   "1,1", "1,2", "1,3", "1,5", "1,6", "1,8", "2",   "2,2", "2,4", "2,7", "3",
    "3,3", "3,6", "3,9", "4,3", "4,7", "5,1", "5,6", "6,2", "7,5", "8,2", "9,1", "10",
    "11",  "12",  "13",  "15",  "16",  "18",  "20",  "22",  "24",  "27",  "30",  "33",
    "36",  "39",  "43",  "47",  "51",  "56",  "62",  "75",  "82",  "91"};

// The kilo-ohm list is the megohm list's two decades followed by the ohm list.
static_assert(std::equal(MegohmValues.begin(), MegohmValues.end(), KiloOhmValues.begin()) &&
              std::equal(OhmValues.begin(), OhmValues.end(),
                         KiloOhmValues.begin() + MegohmValues.size()));

} // namespace catalogue
