#include "util/value_tables.h"

#include <gtest/gtest.h>

namespace {

TEST(ValueTablesTest, SecurityNamesOfKnownCodes) {
    EXPECT_EQ(GetSecurityName(0), "Clear");
    EXPECT_EQ(GetSecurityName(1), "WEP");
    EXPECT_EQ(GetSecurityName(2), "WPA");
    EXPECT_EQ(GetSecurityName(3), "WPA2");
    EXPECT_EQ(GetSecurityName(99), "Unknown");
}

TEST(ValueTablesTest, UnknownCodesReadAsClear) {
    EXPECT_EQ(GetSecurityName(-1), "Clear");
    EXPECT_EQ(GetSecurityName(5), "Clear");
}

}  // namespace
