#include "util/fixed_text.h"

#include <gtest/gtest.h>

#include <string>

TEST(FixedText, TextIsTheBytesUpToTheFirstZeroAndAtMostItsRoom) {
    CFixedText<5> text;
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(text, "");

    // A hidden network's SSID: its length, but zero bytes.
    text.Assign("\0\0\0", 3);
    EXPECT_TRUE(text.empty());

    text.Assign("ab\0cd", 5);
    EXPECT_EQ(text.View(), "ab");
    EXPECT_EQ(text.size(), 2u);

    // Longer than the buffer holds: cut at its room, with the terminator kept.
    text.Assign("abcdefgh", 8);
    EXPECT_EQ(text.Str(), "abcd");
    EXPECT_EQ(text.c_str()[4], '\0');
}

TEST(FixedText, AShorterTextLeavesNothingOfTheLongerOneBehind) {
    CFixedText<9> text("longtext");
    text.Assign("ab", 2);
    EXPECT_EQ(text, "ab");
    // The whole buffer past the text is zero again, as a zero-filled record's field is.
    for (std::size_t i = 2; i < 9; ++i) {
        EXPECT_EQ(text.c_str()[i], '\0') << i;
    }
}

TEST(FixedText, ConvertsFromAndComparesWithText) {
    const std::string strSsid = "Caf\xE9";
    const CFixedText<33> ssid = strSsid;
    EXPECT_EQ(ssid, strSsid);
    EXPECT_EQ(ssid, CFixedText<33>("Caf\xE9"));
    EXPECT_NE(ssid, CFixedText<33>("Cafe"));
    // Bytes above 0x7F are text like any other, not terminators.
    EXPECT_EQ(ssid.size(), 4u);
}
