#include "harness/expect_units.h"

#include <gtest/gtest.h>

namespace e2e {

void ExpectUnitsNear(const RECT& expected, const RECT& actual, const std::string& where) {
    EXPECT_NEAR(expected.left, actual.left, 1) << where << ": left";
    EXPECT_NEAR(expected.top, actual.top, 1) << where << ": top";
    EXPECT_NEAR(expected.right, actual.right, 1) << where << ": width";
    EXPECT_NEAR(expected.bottom, actual.bottom, 1) << where << ": height";
}

}  // namespace e2e
