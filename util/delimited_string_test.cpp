#include "util/delimited_string.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

const char* const TABLE = "0|Clear|1|WEP|2|WPA|3|WPA2|99|Unknown";

TEST(DelimitedStringTest, GetFieldPicksFieldsAndEmptiesOutOfRange) {
    EXPECT_EQ(GetField(TABLE, 0), "0");
    EXPECT_EQ(GetField(TABLE, 1), "Clear");
    EXPECT_EQ(GetField(TABLE, 3), "WEP");
    EXPECT_EQ(GetField(TABLE, 9), "Unknown");
    EXPECT_EQ(GetField(TABLE, 10), "");
    EXPECT_EQ(GetField(TABLE, -1), "");
    EXPECT_EQ(GetField("abc", 0), "abc");
    EXPECT_EQ(GetField("", 0), "");
}

TEST(DelimitedStringTest, GetFieldOfEmptyFields) {
    EXPECT_EQ(GetField("a||c", 1), "");
    EXPECT_EQ(GetField("a||c", 2), "c");
    EXPECT_EQ(GetField("|b", 0), "");
    EXPECT_EQ(GetField("|b", 1), "b");
    EXPECT_EQ(GetField("a|", 0), "a");
    EXPECT_EQ(GetField("a|", 1), "");
}

TEST(DelimitedStringTest, GetFieldsPadsMissingFieldsWithDelimiters) {
    EXPECT_EQ(GetFields("a|b", 0, 3), "a|b||");
    EXPECT_EQ(GetFields("a|b", 3, 4), "|");
    EXPECT_EQ(GetFields("a|b", 2, 4), "||");
    EXPECT_EQ(GetFields("a|", 0, 2), "a||");
    EXPECT_EQ(GetFields("", 0, 2), "||");
    EXPECT_EQ(GetFields("a|b|c", 1, -1), "b|c");
    EXPECT_EQ(GetFields("a|b|c", 0, -1), "a|b|c");
    EXPECT_EQ(GetFields("a|b|c", 0, 1), "a|b");
    EXPECT_EQ(GetFields("a|b|c|", 1, -1), "b|c|");
}

TEST(DelimitedStringTest, GetFieldsWithNoFieldWantedOrBadRangeIsEmpty) {
    EXPECT_EQ(GetFields("a|b|c", 2, 1), "");
    EXPECT_EQ(GetFields("a|b|c", 3, 1), "");
    EXPECT_EQ(GetFields("a|b|c", -2, 1), "");
    EXPECT_EQ(GetFields("a|b|c", 5, 4), "");
    // A range whose width does not fit in an int must not overflow.
    EXPECT_EQ(GetFields("a|b", INT_MAX, 1), "");
}

TEST(DelimitedStringTest, GetFieldDelimSplitsAtItsOwnDelimiterAndKeepsTheGlobal) {
    const std::string strProxy = "proxy.example.net:8080";
    EXPECT_EQ(GetFieldDelim(strProxy, 0, ':'), "proxy.example.net");
    EXPECT_EQ(GetFieldDelim(strProxy, 1, ':'), "8080");
    EXPECT_EQ(GetFieldDelim("proxy.example.net", 1, ':'), "");
    EXPECT_EQ(g_chFieldDelim, '|');
    EXPECT_EQ(GetField("a:b|c", 1), "c");
}

TEST(DelimitedStringTest, FieldViewsReadWhatTheCopiesHold) {
    // Short strings, and longer ones whose delimiters fall on, across and between eight-byte words,
    // next to bytes one bit away from the delimiter ("|" is 0x7C) and bytes with the high bit set.
    const std::string astrStrings[] = {"",
                                       "|",
                                       "||",
                                       "a",
                                       "a|",
                                       "|b",
                                       "a||c",
                                       "a|b|c|",
                                       TABLE,
                                       std::string(19, '|'),
                                       "abcdefg|ijklmnop|qrstuvw|",
                                       "abcdefgh|ijklmnop",
                                       "\x7D\x7E\xFC\x3C|\x7C\xFD\x7A\x7B\xFF\x80|\x7C\x7C\x00x|y",
                                       "00:1a:2b:3c:4d:ef|6|-67|Yes|WPA2|Infra|Lobby!East|Guest|Net"};
    for (const char chDelim : {'|', '\xFC'}) {
        g_chFieldDelim = chDelim;
        for (const std::string& s : astrStrings) {
            for (int i = -2; i <= CountChar(s, chDelim) + 2; ++i) {
                EXPECT_EQ(GetFieldView(s, i), GetField(s, i)) << '"' << s << "\" field " << i;
                EXPECT_EQ(GetFieldsToEndView(s, i), GetFields(s, i, -1)) << '"' << s << "\" from " << i;
            }
        }
    }
    g_chFieldDelim = '|';
    EXPECT_EQ(GetFieldView("a:b|c", 1), "c");
}

TEST(DelimitedStringTest, FindFieldValue) {
    EXPECT_EQ(FindFieldValue(TABLE, 99), 8);
    EXPECT_EQ(FindFieldValue(TABLE, 2), 4);
    EXPECT_EQ(FindFieldValue(TABLE, 0), 0);
    EXPECT_EQ(FindFieldValue(TABLE, 5), -1);
    // Text fields read as 0; empty fields never match.
    EXPECT_EQ(FindFieldValue("||Clear|0", 0), 2);
    EXPECT_EQ(FindFieldValue("||", 0), -1);
    EXPECT_EQ(FindFieldValue("1|2|", 2), 1);
    EXPECT_EQ(FindFieldValue("x| -7", -7), 1);
}

TEST(DelimitedStringTest, ParseDecimalReadsAsAtoiAndClamps) {
    EXPECT_EQ(ParseDecimal("  \t42abc"), 42);
    EXPECT_EQ(ParseDecimal("-15"), -15);
    EXPECT_EQ(ParseDecimal("+7"), 7);
    EXPECT_EQ(ParseDecimal("WPA"), 0);
    EXPECT_EQ(ParseDecimal("- 3"), 0);
    EXPECT_EQ(ParseDecimal(""), 0);
    EXPECT_EQ(ParseDecimal("2147483647"), INT_MAX);
    EXPECT_EQ(ParseDecimal("-2147483648"), INT_MIN);
    EXPECT_EQ(ParseDecimal("99999999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseDecimal("-99999999999999999999999"), INT_MIN);
}

TEST(DelimitedStringTest, CountChar) {
    EXPECT_EQ(CountChar("a|b|c", '|'), 2);
    EXPECT_EQ(CountChar("", '|'), 0);
}

TEST(DelimitedStringTest, ReplaceAllCountsAndNeverRescansInsertedText) {
    std::string s = "a|b||c";
    EXPECT_EQ(ReplaceAll(s, " ", "|"), 3);
    EXPECT_EQ(s, "a b  c");

    std::string strGrow = "aa";
    EXPECT_EQ(ReplaceAll(strGrow, "aa", "a"), 2);
    EXPECT_EQ(strGrow, "aaaa");

    std::string strOverlap = "aaa";
    EXPECT_EQ(ReplaceAll(strOverlap, "b", "aa"), 1);
    EXPECT_EQ(strOverlap, "ba");

    std::string strNone = "abc";
    EXPECT_EQ(ReplaceAll(strNone, "x", "|"), 0);
    EXPECT_EQ(strNone, "abc");
}

TEST(DelimitedStringTest, ReplaceAllWithEmptySearchTextChangesNothing) {
    std::string s = "a|b";
    EXPECT_EQ(ReplaceAll(s, "x", ""), 0);
    EXPECT_EQ(s, "a|b");
}

}  // namespace
