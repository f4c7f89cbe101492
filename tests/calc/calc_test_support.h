#pragma once

#include "calc/number_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <ostream>
#include <string>

namespace calc {

inline std::ostream& operator<<(std::ostream& out, FailureKind kind) {
    switch (kind) {
    case FailureKind::TypeMismatch:
        return out << "TypeMismatch";
    case FailureKind::Overflow:
        return out << "Overflow";
    case FailureKind::DivisionByZero:
        return out << "DivisionByZero";
    case FailureKind::InvalidArgument:
        return out << "InvalidArgument";
    }
    return out << "FailureKind(" << static_cast<int>(kind) << ")";
}

} // namespace calc

namespace calc_test {

// Runs `operation` and tells which failure it raised, if any.
template <typename Operation> std::optional<calc::FailureKind> FailureOf(Operation&& operation) {
    try {
        static_cast<void>(operation());
    } catch (const calc::NumberFailure& failure) {
        return failure.kind();
    }
    return std::nullopt;
}

// Same double, bit for bit (tells 0 from -0).
inline bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Test names for table rows: the row's `name` member.
struct RowName {
    template <typename Row> std::string operator()(const testing::TestParamInfo<Row>& info) const {
        return info.param.name;
    }
};

} // namespace calc_test
