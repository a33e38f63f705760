// Shared helpers of the engine tests.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

namespace wyndlor::test {

// Tolerances named by what they compare.
constexpr double kExact = 1e-12;      // values that are rounded decimals
constexpr double kRounded3 = 0.0005;  // half a unit of the third decimal

inline ::testing::AssertionResult Near(double actual, double expected, double tolerance) {
    if (std::fabs(actual - expected) <= tolerance) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "got " << actual << ", expected " << expected << " within " << tolerance;
}

}  // namespace wyndlor::test
