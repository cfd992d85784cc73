#include "platform/sim/sim_profile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/sim/sim_test_util.h"

namespace {

TEST(SimProfile, RoundTripsIntegersThroughTheFile) {
    CTempDir dir;
    const std::string strPath = (dir.Path() / "config" / "Nimbrel.ini").string();
    {
        CSimProfile profile(strPath);
        EXPECT_EQ(profile.GetProfileInt("Brellix Nimbrel", "ProgWndX", -1), static_cast<UINT>(-1));
        EXPECT_TRUE(profile.WriteProfileInt("Brellix Nimbrel", "ProgWndX", 120));
        EXPECT_TRUE(profile.WriteProfileInt("Brellix Nimbrel", "ProgWndY", -40));
        EXPECT_TRUE(profile.WriteProfileInt("brellix nimbrel", "progwndx", 130));  // same entry
    }
    CSimProfile reread(strPath);
    EXPECT_EQ(reread.GetProfileInt("BRELLIX NIMBREL", "PROGWNDX", -1), 130u);
    EXPECT_EQ(static_cast<int>(reread.GetProfileInt("Brellix Nimbrel", "ProgWndY", 0)), -40);
    std::ifstream file(strPath);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_EQ(text.str(), "[Brellix Nimbrel]\r\nProgWndX=130\r\nProgWndY=-40\r\n");
}

TEST(SimProfile, KeepsOtherSectionsAndCommentsAndReadsLikeWindows) {
    CTempDir dir;
    const std::string strPath = dir.Write("p.ini",
                                          "; kept\n[Other]\nA=1\n\n[Brellix Nimbrel]\nProgWndX = 0x20\n"
                                          "Empty=\nWord=abc\nTail=12px\n\n[Last]\nB=2\n");
    CSimProfile profile(strPath);
    EXPECT_EQ(profile.GetProfileInt("Brellix Nimbrel", "ProgWndX", 5), 32u);
    EXPECT_EQ(profile.GetProfileInt("Brellix Nimbrel", "Empty", 5), 5u);
    EXPECT_EQ(profile.GetProfileInt("Brellix Nimbrel", "Word", 5), 0u);
    EXPECT_EQ(profile.GetProfileInt("Brellix Nimbrel", "Tail", 5), 12u);
    EXPECT_EQ(profile.GetProfileInt("Brellix Nimbrel", "A", 5), 5u);  // other section's key
    EXPECT_TRUE(profile.WriteProfileInt("Brellix Nimbrel", "ProgWndY", 7));
    std::ifstream file(strPath);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_EQ(text.str(),
              "; kept\r\n[Other]\r\nA=1\r\n\r\n[Brellix Nimbrel]\r\nProgWndX = 0x20\r\nEmpty=\r\nWord=abc\r\n"
              "Tail=12px\r\nProgWndY=7\r\n\r\n[Last]\r\nB=2\r\n");
}

TEST(SimProfile, WithoutAPathLivesInMemory) {
    CSimProfile profile;
    EXPECT_TRUE(profile.WriteProfileInt("S", "K", 3));
    EXPECT_EQ(profile.GetProfileInt("s", "k", 0), 3u);
}

TEST(SimProfile, FailsToWriteWhereNoFileCanBe) {
    CTempDir dir;
    const std::string strBlocker = dir.Write("blocker", "a file, not a folder");
    CSimProfile profile(strBlocker + "/Nimbrel.ini");
    EXPECT_FALSE(profile.WriteProfileInt("S", "K", 1));
}

}  // namespace
