#pragma once

#include "calc/number_text.h"
#include "calc/recalculation.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <utility>

namespace calc {

inline const char* FailureName(FailureKind kind) {
    switch (kind) {
    case FailureKind::TypeMismatch:
        return "TypeMismatch";
    case FailureKind::Overflow:
        return "Overflow";
    case FailureKind::DivisionByZero:
        return "DivisionByZero";
    case FailureKind::InvalidArgument:
        return "InvalidArgument";
    }
    return "FailureKind(?)";
}

inline std::ostream& operator<<(std::ostream& out, FailureKind kind) {
    return out << FailureName(kind);
}

inline std::ostream& operator<<(std::ostream& out, Step step) {
    return out << StepName(step);
}

template <typename T> std::ostream& operator<<(std::ostream& out, const Checked<T>& result) {
    if (result.ok()) {
        return out << result.value;
    }
    return out << *result.failure;
}

} // namespace calc

namespace calc_test {

// Same double, bit for bit (tells 0 from -0).
inline bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// A result that holds this very double.
inline bool SameBits(const calc::Checked<double>& result, double expected) {
    return result.ok() && SameBits(result.value, expected);
}

// The value of a result that must not have failed; a failed one fails the test.
template <typename T> T ValueOf(const calc::Checked<T>& result) {
    EXPECT_TRUE(result.ok()) << "failed with " << result;
    return result.value;
}

// The unit positions of the main window's unit boxes.
namespace units {
constexpr int kOhms = 0, kKOhms = 1, kMOhms = 2;
constexpr int kPicoFarad = 0, kNanoFarad = 1, kMicroFarad = 2;
constexpr int kC2NanoFarad = 0, kC2MicroFarad = 1;
constexpr int kNothingSelected = -1;
} // namespace units

inline calc::CalculInputs Inputs(std::string r1, int r1Unit, std::string c1, int c1Unit,
                                 std::string c2, int c2Unit, std::string v) {
    calc::CalculInputs inputs;
    inputs.ComboR = std::move(r1);
    inputs.ComboValR1 = r1Unit;
    inputs.ComboC = std::move(c1);
    inputs.ComboValC1 = c1Unit;
    inputs.ComboC2 = std::move(c2);
    inputs.ComboValC2 = c2Unit;
    inputs.ComboV = std::move(v);
    return inputs;
}

// What the window's start-up selects: 26 kilo-ohms, 22 nanofarads, 27 microfarads, 5 V.
inline calc::CalculInputs StartUpInputs() {
    using namespace units;
    return Inputs("26", kKOhms, "22", kNanoFarad, "27", kC2MicroFarad, "05");
}

// Test names for table rows: the row's `name` member.
struct RowName {
    template <typename Row> std::string operator()(const testing::TestParamInfo<Row>& info) const {
        return info.param.name;
    }
};

} // namespace calc_test
