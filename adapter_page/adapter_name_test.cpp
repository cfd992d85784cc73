#include "adapter_page/adapter_name.h"

#include <gtest/gtest.h>

namespace {
std::string Clean(std::string strName) {
    CleanAdapterName(strName);
    return strName;
}
}  // namespace

TEST(AdapterName, SuffixesAreRemovedInTableOrderOnceEach) {
    EXPECT_EQ(Clean("Intel(R) Wireless - Packet Scheduler Miniport"), "Intel(R) Wireless");
    // Entry 1 is tried before entry 6 takes its own suffix away, so entry 1's text stays.
    EXPECT_EQ(Clean("X - Packet Scheduler Miniport - Teefer2 Miniport"), "X - Packet Scheduler Miniport");
    EXPECT_EQ(Clean("X - Teefer2 Miniport - Packet Scheduler Miniport"), "X");
    EXPECT_EQ(Clean(" - Packet Scheduler Miniport"), "");
    EXPECT_EQ(Clean("X - packet scheduler miniport"), "X - packet scheduler miniport") << "case-sensitive";
}

TEST(AdapterName, TranslatedSuffixesMatchTheirCodePageBytes) {
    EXPECT_EQ(Clean("Card - Sterownik miniport Harmonogramu pakiet\xF3w"), "Card");
    EXPECT_EQ(Clean("Card - Miniport f\xF6r paketschemal\xE4ggning"), "Card");
    EXPECT_EQ(Clean("Card - Paket Zamanlay\xFD"
                    "c\xFDs\xFD Mini Ba\xF0lant\xFD Noktas\xFD"),
              "Card");
    EXPECT_EQ(Clean("Card - Miniporta do agendador de pacotes"), "Card");
    EXPECT_EQ(Clean("Card - Miniport do agendador de pacotes"), "Card");
    // The same letters in UTF-8 are other bytes and stay.
    EXPECT_EQ(Clean("Card - Miniport f\xC3\xB6r paketschemal\xC3\xA4ggning"),
              "Card - Miniport f\xC3\xB6r paketschemal\xC3\xA4ggning");
}

TEST(AdapterName, InstanceNumbersAreRemoved) {
    EXPECT_EQ(Clean("Card #3"), "Card");
    EXPECT_EQ(Clean("Card#12"), "Card");
    EXPECT_EQ(Clean("Card  #12"), "Card");
    EXPECT_EQ(Clean("Card #123"), "Card #123");
    EXPECT_EQ(Clean("#1"), "#1") << "shorter than three characters";
    EXPECT_EQ(Clean("A#1"), "A");
    EXPECT_EQ(Clean("Card #x1"), "Card #x1");
    EXPECT_EQ(Clean("Wireless - Packet Scheduler Miniport #2"), "Wireless - Packet Scheduler Miniport");
}
