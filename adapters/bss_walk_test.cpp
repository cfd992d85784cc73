#include "adapters/bss_walk.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(BssWalk, CountResultIsNeverAFailureCode) {
    EXPECT_EQ(BssListCountResult(0), 0);
    EXPECT_EQ(BssListCountResult(7), 7);
    EXPECT_EQ(BssListCountResult(0x7FFFFFFF), INT_MAX);
    EXPECT_EQ(BssListCountResult(0x80000000u), INT_MAX);
    EXPECT_EQ(BssListCountResult(0xFFFFFFFCu), INT_MAX);  // would read as "not supported"
    EXPECT_EQ(BssListCountResult(0xFFFFFFFFu), INT_MAX);  // would read as "the query failed"
}

}  // namespace
