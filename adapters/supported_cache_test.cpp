#include "adapters/supported_cache.h"

#include <gtest/gtest.h>

namespace {

class SupportedCacheTest : public ::testing::Test {
protected:
    void SetUp() override { ClearSupportedCache(); }
    void TearDown() override { ClearSupportedCache(); }
};

TEST_F(SupportedCacheTest, AbsentKeyIsNotFoundAndNotSupported) {
    std::string strValue = "untouched";
    EXPECT_FALSE(LookupSupported("{device}", &strValue));
    EXPECT_EQ(strValue, "untouched");
    EXPECT_FALSE(IsCachedSupported("{device}"));
}

TEST_F(SupportedCacheTest, StoresTrueAndFalsePerDevice) {
    StoreSupported(SUPPORTED_KEY_LUCENT, TRUE);
    StoreSupported("\\DEVICE\\{A}", FALSE);

    std::string strValue;
    EXPECT_TRUE(LookupSupported("ORiNOCO", &strValue));
    EXPECT_EQ(strValue, "true");
    EXPECT_TRUE(IsCachedSupported("ORiNOCO"));
    EXPECT_TRUE(LookupSupported("\\DEVICE\\{A}", &strValue));
    EXPECT_EQ(strValue, "false");
    EXPECT_FALSE(IsCachedSupported("\\DEVICE\\{A}"));
    EXPECT_TRUE(LookupSupported("\\DEVICE\\{A}", nullptr));
    // Keys are compared exactly.
    EXPECT_FALSE(LookupSupported("orinoco", nullptr));
}

TEST_F(SupportedCacheTest, LaterStoreReplacesTheValue) {
    StoreSupported("dev", FALSE);
    StoreSupported("dev", TRUE);
    EXPECT_TRUE(IsCachedSupported("dev"));
}

}  // namespace
