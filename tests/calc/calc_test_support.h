#pragma once

#include "calc/number_text.h"
#include "calc/recalculation.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>

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

// Test names for table rows: the row's `name` member.
struct RowName {
    template <typename Row> std::string operator()(const testing::TestParamInfo<Row>& info) const {
        return info.param.name;
    }
};

} // namespace calc_test
