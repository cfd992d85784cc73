#include "platform/sim/sim_system.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/sim/sim_test_util.h"
#include "platform/sim/sim_text.h"

namespace {

void LoadSystem(CSimSystem& system, const std::string& strWindows, const std::string& strFolders,
                const std::string& strBaseDir) {
    const MachineJson windows = ParseMachineJson(strWindows);
    const MachineJson folders = ParseMachineJson(strFolders);
    system.Load(CJsonNode(&windows, "windows"), CJsonNode(&folders, "folders"), strBaseDir);
}

TEST(SimSystem, ReportsEveryVersionField) {
    CSimSystem system;
    LoadSystem(system,
               R"({"major": 6, "minor": 0, "build": 6001, "platformId": 2, "servicePack": "Service Pack 1"})",
               "{}", "");
    COsVersionInfo info;
    ASSERT_TRUE(system.GetVersionEx(&info));
    EXPECT_EQ(info.dwMajorVersion, 6u);
    EXPECT_EQ(info.dwMinorVersion, 0u);
    EXPECT_EQ(info.dwBuildNumber, 6001u);
    EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_NT);
    EXPECT_EQ(info.strCSDVersion, "Service Pack 1");
}

TEST(SimSystem, LastErrorBelongsToTheThread) {
    CSimSystem system;
    system.SetLastError(ERROR_BUSY);
    DWORD dwOther = 1;
    std::thread other([&] {
        dwOther = system.GetLastError();
        system.SetLastError(ERROR_ACCESS_DENIED);
    });
    other.join();
    EXPECT_EQ(dwOther, ERROR_SUCCESS);
    EXPECT_EQ(system.GetLastError(), ERROR_BUSY);
}

TEST(SimSystem, ConvertsWithWindows1252) {
    CSimSystem system;
    const std::string strAnsi = "Caf\xE9 \x80 \x93x\x94 \x81";
    const std::u16string wstr = system.AnsiToWide(strAnsi);
    EXPECT_EQ(wstr, u"Caf\u00E9 \u20AC \u201Cx\u201D \u0081");
    EXPECT_EQ(system.WideToAnsi(wstr), strAnsi);
    // Characters outside the code page become '?', a surrogate pair one '?'.
    EXPECT_EQ(system.WideToAnsi(u"\u0100\u4E2D-\U0001F600-"),
              "?"
              "?-?-");
}

TEST(SimSystem, ReadsFilesThroughTheFolderMapWithoutCase) {
    CTempDir dir;
    dir.Write("install/BXSidebar.png", "sidebar");
    dir.Write("install/Sub/Help.chm", "help");
    CSimSystem system;
    LoadSystem(system, "{}", R"({"C:\\Program Files\\Brellix Nimbrel": "install", "D:\\Res": "${res}"})",
               dir.Path().string());
    std::vector<BYTE> abData;
    ASSERT_EQ(system.ReadFile("c:\\program files\\brellix nimbrel\\bxsidebar.PNG", &abData), ERROR_SUCCESS);
    EXPECT_EQ(std::string(abData.begin(), abData.end()), "sidebar");
    ASSERT_EQ(system.ReadFile("C:\\Program Files\\Brellix Nimbrel\\sub\\HELP.chm", &abData), ERROR_SUCCESS);
    EXPECT_EQ(std::string(abData.begin(), abData.end()), "help");
    EXPECT_EQ(system.ReadFile("C:\\Program Files\\Brellix Nimbrel\\BXTopbar.png", &abData),
              ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(abData.empty());
    EXPECT_EQ(system.ReadFile("C:\\Program Files\\Other\\x.png", &abData), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(system.ReadFile("C:\\Program Files\\Brellix Nimbrel\\..\\install\\BXSidebar.png", &abData),
              ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(system.ReadFile("C:\\Program Files\\Brellix Nimbrel\\Sub", &abData), ERROR_ACCESS_DENIED);
    // "${res}" is the project's resource folder.
    EXPECT_EQ(system.ReadFile("D:\\Res\\nimbrel.rc", &abData), ERROR_SUCCESS);
}

}  // namespace

TEST(SimSystem, MachineFileUtf8BecomesTheUtf16WindowsHandsOut) {
    EXPECT_EQ(SimUtf8ToUtf16("r\xC3\xA9seau \xE2\x80\x93 \xF0\x9F\x98\x80"),
              u"r\u00E9seau \u2013 \U0001F600");
    // Bytes that start no valid sequence become U+FFFD one by one; the text after them is kept.
    EXPECT_EQ(SimUtf8ToUtf16("a\xC3"), u"a\uFFFD");
    EXPECT_EQ(SimUtf8ToUtf16("\xC0\xAF"
                             "b"),
              u"\uFFFD\uFFFDb");
    EXPECT_EQ(SimUtf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(SimUtf8ToUtf16("\xF8z"), u"\uFFFDz");
    // And back through the ANSI code page as the back ends convert it: "?" for what it lacks.
    CSimSystem system;
    EXPECT_EQ(
        system.WideToAnsi(SimUtf8ToUtf16("Intel\xC2\xAE \xE2\x80\x93 Zo\xC3\xAB \xCE\xA9 \xF0\x9F\x98\x80")),
        "Intel\xAE \x96 Zo\xEB ? ?");
}
