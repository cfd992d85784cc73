#include "platform/win32/win32_os.h"

#include <gtest/gtest.h>

#include "platform/win32/win32_calls.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <thread>

namespace {
class Win32OsTest : public testing::Test {
protected:
    CWin32Os m_os;
    const COsServices& Os() { return m_os.Services(); }
};

TEST_F(Win32OsTest, RegistryRoundTripOnTheCurrentUser) {
    HKEY hKey = 0;
    ASSERT_EQ(Os().Registry().RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\NimbrelTest",
                                             KEY_READ | KEY_SET_VALUE, &hKey, nullptr),
              LONG(ERROR_SUCCESS));
    const char szValue[] = "C:\\Folder";
    ASSERT_EQ(Os().Registry().RegSetValueEx(hKey, "InstallDir", REG_SZ,
                                            reinterpret_cast<const BYTE*>(szValue), sizeof(szValue)),
              LONG(ERROR_SUCCESS));
    BYTE abSmall[4] = {};
    DWORD cbData = sizeof(abSmall);
    DWORD dwType = 0;
    EXPECT_EQ(Os().Registry().RegQueryValueEx(hKey, "InstallDir", &dwType, abSmall, &cbData),
              LONG(ERROR_MORE_DATA));
    EXPECT_EQ(cbData, sizeof(szValue));
    BYTE abData[64] = {};
    cbData = sizeof(abData);
    ASSERT_EQ(Os().Registry().RegQueryValueEx(hKey, "InstallDir", &dwType, abData, &cbData),
              LONG(ERROR_SUCCESS));
    EXPECT_EQ(dwType, REG_SZ);
    EXPECT_STREQ(reinterpret_cast<const char*>(abData), szValue);
    EXPECT_EQ(Os().Registry().RegCloseKey(hKey), LONG(ERROR_SUCCESS));
    EXPECT_EQ(Os().Registry().RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\NoSuchNimbrelKey", KEY_READ, &hKey),
              LONG(ERROR_FILE_NOT_FOUND));
}

// The profile lives in the user's own application-data folder, which a standard user can write
// (the Windows folder, where a bare name lands, is not).
class Win32ProfileTest : public Win32OsTest {
protected:
    void SetUp() override {
        const char* pszAppData = std::getenv("APPDATA");
        ASSERT_NE(pszAppData, nullptr);
        m_folder = std::filesystem::path(pszAppData) / "Brellix Nimbrel";
        Clear();
    }
    void TearDown() override { Clear(); }
    void Clear() {
        std::error_code error;
        std::filesystem::remove_all(m_folder, error);
    }
    IProfile& Profile() { return Os().Profile(); }

    std::filesystem::path m_folder;
};

TEST_F(Win32ProfileTest, FirstWriteMakesTheFolderAndTheFileThere) {
    EXPECT_EQ(Profile().GetProfileInt("Brellix Nimbrel", "ProgWndX", -1), UINT(-1)) << "nothing written yet";
    ASSERT_FALSE(std::filesystem::exists(m_folder));
    ASSERT_TRUE(Profile().WriteProfileInt("Brellix Nimbrel", "ProgWndX", -120));
    ASSERT_TRUE(Profile().WriteProfileInt("Brellix Nimbrel", "ProgWndY", 340));
    EXPECT_TRUE(std::filesystem::is_directory(m_folder));
    std::ifstream file(m_folder / "Nimbrel.INI");
    ASSERT_TRUE(file.is_open());
    std::string strLine;
    std::string strText;
    while (std::getline(file, strLine)) {
        strText += strLine.substr(0, strLine.find_last_not_of('\r') + 1) + "\n";
    }
    EXPECT_EQ(strText, "[Brellix Nimbrel]\nProgWndX=-120\nProgWndY=340\n");
    EXPECT_EQ(int(Profile().GetProfileInt("Brellix Nimbrel", "ProgWndX", 7)), -120);
    EXPECT_EQ(int(Profile().GetProfileInt("Brellix Nimbrel", "ProgWndY", 7)), 340);
    EXPECT_EQ(Profile().GetProfileInt("Brellix Nimbrel", "NoSuchEntry", 7), 7u);
}

// A file where the folder should be: neither the folder nor the profile can be made. The write
// answers FALSE, reads keep their default and the file is left as it was.
TEST_F(Win32ProfileTest, WriteThatCannotBeMadeAnswersFalse) {
    { std::ofstream(m_folder) << "not a folder"; }
    ASSERT_TRUE(std::filesystem::is_regular_file(m_folder));
    EXPECT_FALSE(Profile().WriteProfileInt("Brellix Nimbrel", "ProgWndX", 25));
    EXPECT_EQ(Profile().GetProfileInt("Brellix Nimbrel", "ProgWndX", -1), UINT(-1));
    std::ifstream file(m_folder);
    std::string strText;
    std::getline(file, strText);
    EXPECT_EQ(strText, "not a folder");
}

TEST_F(Win32OsTest, VersionCodePagesAndFiles) {
    COsVersionInfo info;
    ASSERT_TRUE(Os().System().GetVersionEx(&info));
    EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_NT);
    EXPECT_GE(info.dwMajorVersion, 5u);
    // The runner names the version Wine was told to be (e.g. "10.0"): the manifest must let it through.
    if (const char* pszExpected = std::getenv("NIMBREL_EXPECT_WINVER")) {
        EXPECT_EQ(std::to_string(info.dwMajorVersion) + "." + std::to_string(info.dwMinorVersion),
                  pszExpected);
    }
    EXPECT_EQ(Os().System().WideToAnsi(u"caf\u00e9"), "caf\xe9");
    EXPECT_EQ(Os().System().AnsiToWide("caf\xe9"), u"caf\u00e9");
    std::vector<BYTE> data;
    EXPECT_EQ(Os().System().ReadFile("C:\\no\\such\\file.png", &data), ERROR_PATH_NOT_FOUND);
    Os().System().SetLastError(1234);
    EXPECT_EQ(Os().System().GetLastError(), 1234u);
}

TEST_F(Win32OsTest, DeviceAndServiceFailuresKeepTheirWin32Codes) {
    EXPECT_EQ(Os().DeviceIo().CreateFile("\\\\.\\Ndisuio", GENERIC_READ | GENERIC_WRITE, 0, OPEN_EXISTING, 0),
              INVALID_HANDLE_VALUE);
    EXPECT_NE(Os().System().GetLastError(), ERROR_SUCCESS);
    const SC_HANDLE hManager = Os().Services().OpenSCManager(SC_MANAGER_ALL_ACCESS);
    ASSERT_NE(hManager, 0);
    EXPECT_EQ(Os().Services().OpenService(hManager, "WZCSVC", SERVICE_QUERY_STATUS), 0);
    EXPECT_EQ(Os().System().GetLastError(), ERROR_SERVICE_DOES_NOT_EXIST);
    EXPECT_TRUE(Os().Services().CloseServiceHandle(hManager));
}

TEST_F(Win32OsTest, EventTimesOutAndIsSetFromAnotherThread) {
    const std::unique_ptr<IEvent> pEvent = Os().Clock().CreateEvent();
    ASSERT_NE(pEvent, nullptr);
    EXPECT_EQ(pEvent->Wait(10), WAIT_TIMEOUT);
    pEvent->Set();  // nobody waits: the next wait takes it at once
    EXPECT_EQ(pEvent->Wait(0), WAIT_OBJECT_0);
    EXPECT_EQ(pEvent->Wait(0), WAIT_TIMEOUT);
    std::thread setter([&] { pEvent->Set(); });
    EXPECT_EQ(pEvent->Wait(5000), WAIT_OBJECT_0);
    setter.join();
    EXPECT_EQ(pEvent->Wait(0), WAIT_TIMEOUT);  // auto-reset
}
// HtmlHelpA gets the caller window it is given (the sheet), not whichever window is active. A
// stand-in for the HTML Help control's entry point records it and opens a "window".
std::intptr_t g_hwndHelpCaller = 0;
std::string g_strHelpPath;
std::intptr_t __stdcall RecordHtmlHelpA(std::intptr_t hwndCaller, const char* pszPath, unsigned /*uCommand*/,
                                        std::uintptr_t /*dwData*/) {
    g_hwndHelpCaller = hwndCaller;
    g_strHelpPath = pszPath;
    return 0x5150;
}

TEST(Win32HtmlHelpTest, CallerWindowReachesHtmlHelpA) {
    const std::intptr_t hwndSheet = 0x20460;
    EXPECT_TRUE(w32::CallHtmlHelpA(reinterpret_cast<void*>(&RecordHtmlHelpA), hwndSheet,
                                   "C:\\Nimbrel\\Tolvane.chm::/default.htm", HH_DISPLAY_TOPIC));
    EXPECT_EQ(g_hwndHelpCaller, hwndSheet);
    EXPECT_EQ(g_strHelpPath, "C:\\Nimbrel\\Tolvane.chm::/default.htm");
}

}  // namespace
