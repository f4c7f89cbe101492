#include "catalogue/list_components.h"

#include "calc/number_text.h"
#include "catalogue/value_lists.h"

#include <array>
#include <cstddef>
#include <span>

namespace catalogue {

namespace {

std::optional<double> Read(std::string_view text) {
    const calc::Checked<double> number = calc::TextToNumber(text);
    return number.ok() ? std::optional(number.value) : std::nullopt;
}

template <typename Unit>
void AddList(std::vector<Component>& out, Unit unit, std::span<const Item> items) {
    for (const Item item : items) {
        if (const std::optional<double> value = WorkingValue(item, calc::ScalingOf(unit))) {
            out.push_back({calc::ListIndex(unit), item, *value});
        }
    }
}

// Both capacitor boxes offer the same values in each of their units.
template <typename Unit, std::size_t N>
std::vector<Component> Capacitors(const std::array<Unit, N>& units) {
    std::vector<Component> all;
    all.reserve(CapacitorValues.size() * N);
    for (const Unit unit : units) {
        AddList(all, unit, CapacitorValues);
    }
    return all;
}

} // namespace

std::optional<double> WorkingValue(std::string_view text, calc::Scaling scaling) {
    const std::optional<double> number = Read(text);
    if (!number || scaling.operation == calc::Scaling::Operation::Keep) {
        return number;
    }
    const calc::Checked<double> scaled = calc::Scale(*number, scaling);
    if (!scaled.ok()) {
        return std::nullopt;
    }
    return Read(calc::NumberToText(scaled.value));
}

const std::vector<Component>& ListResistors() {
    static const std::vector<Component> all = [] {
        std::vector<Component> out;
        out.reserve(OhmValues.size() + KiloOhmValues.size() + MegohmValues.size());
        AddList(out, calc::R1Unit::Ohms, OhmValues);
        AddList(out, calc::R1Unit::KOhms, KiloOhmValues);
        AddList(out, calc::R1Unit::MOhms, MegohmValues);
        return out;
    }();
    return all;
}

const std::vector<Component>& ListC1() {
    static const std::vector<Component> all = Capacitors(calc::kC1Units);
    return all;
}

const std::vector<Component>& ListC2() {
    static const std::vector<Component> all = Capacitors(calc::kC2Units);
    return all;
}

} // namespace catalogue
