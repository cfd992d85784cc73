#include "platform/sim/sim_registry.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const char SETTINGS_KEY[] = "Software\\Plenwick Technologies, Inc.\\Brellix Nimbrel";

class SimRegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_json = ParseMachineJson(R"({
          "HKEY_LOCAL_MACHINE": {
            "Software\\Plenwick Technologies, Inc.\\Brellix Nimbrel": {
              "values": { "InstallDir": "C:\\Program Files\\Brellix Nimbrel", "Count": 7 }
            },
            "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards": {
              "keys": { "12": { "values": { "ServiceName": "{B}" } },
                        "3": { "values": { "ServiceName": "{A}" } },
                        "7": {} }
            },
            "Software\\Locked": { "access": "read", "keys": { "Inner": {} } },
            "Software\\Hidden": { "access": "none" }
          },
          "HKEY_CURRENT_USER": {
            "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings": {
              "values": { "ProxyEnable": 1, "ProxyServer": "proxy:8080" }
            }
          }
        })");
        m_registry.Load(CJsonNode(&m_json, "registry"));
    }
    MachineJson m_json;
    CSimRegistry m_registry;
};

TEST_F(SimRegistryTest, QueriesStringAndDwordValuesWithoutCase) {
    HKEY hKey = 0;
    ASSERT_EQ(
        m_registry.RegOpenKeyEx(HKEY_LOCAL_MACHINE, "software\\plenwick technologies, inc.\\BRELLIX NIMBREL",
                                KEY_READ, &hKey),
        static_cast<LONG>(ERROR_SUCCESS));
    char szDir[1024];
    DWORD cbDir = sizeof(szDir);
    DWORD dwType = 0;
    ASSERT_EQ(m_registry.RegQueryValueEx(hKey, "installdir", &dwType, reinterpret_cast<BYTE*>(szDir), &cbDir),
              0);
    EXPECT_EQ(dwType, REG_SZ);
    EXPECT_STREQ(szDir, "C:\\Program Files\\Brellix Nimbrel");
    EXPECT_EQ(cbDir, std::strlen(szDir) + 1);  // the NUL is counted

    DWORD dwCount = 0;
    DWORD cbCount = sizeof(dwCount);
    ASSERT_EQ(m_registry.RegQueryValueEx(hKey, "Count", &dwType, reinterpret_cast<BYTE*>(&dwCount), &cbCount),
              0);
    EXPECT_EQ(dwType, REG_DWORD);
    EXPECT_EQ(dwCount, 7u);
    EXPECT_EQ(m_registry.RegCloseKey(hKey), 0);
}

TEST_F(SimRegistryTest, ReportsMissingKeysValuesAndShortBuffers) {
    HKEY hKey = 0;
    EXPECT_EQ(m_registry.RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\Nobody", KEY_READ, &hKey),
              static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    ASSERT_EQ(m_registry.RegOpenKeyEx(HKEY_LOCAL_MACHINE, SETTINGS_KEY, KEY_READ, &hKey), 0);
    DWORD cb = 4;
    EXPECT_EQ(m_registry.RegQueryValueEx(hKey, "Missing", nullptr, nullptr, &cb),
              static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    char sz[4];
    EXPECT_EQ(m_registry.RegQueryValueEx(hKey, "InstallDir", nullptr, reinterpret_cast<BYTE*>(sz), &cb),
              static_cast<LONG>(ERROR_MORE_DATA));
    EXPECT_EQ(cb, sizeof("C:\\Program Files\\Brellix Nimbrel"));
    cb = 0;
    EXPECT_EQ(m_registry.RegQueryValueEx(hKey, "InstallDir", nullptr, nullptr, &cb), 0);  // size only
    EXPECT_EQ(cb, sizeof("C:\\Program Files\\Brellix Nimbrel"));
    m_registry.RegCloseKey(hKey);
    EXPECT_EQ(m_registry.RegQueryValueEx(hKey, "InstallDir", nullptr, nullptr, &cb),
              static_cast<LONG>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(m_registry.RegCloseKey(hKey), static_cast<LONG>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(m_registry.OpenHandleCount(), 0u);
}

TEST_F(SimRegistryTest, EnumeratesSubkeysInFileOrder) {
    HKEY hKey = 0;
    ASSERT_EQ(m_registry.RegOpenKeyEx(HKEY_LOCAL_MACHINE,
                                      "Software\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards",
                                      KEY_READ, &hKey),
              0);
    std::vector<std::string> astrNames;
    char szName[8];
    for (DWORD i = 0;; ++i) {
        DWORD cch = sizeof(szName);
        const LONG lResult = m_registry.RegEnumKeyEx(hKey, i, szName, &cch);
        if (lResult == static_cast<LONG>(ERROR_NO_MORE_ITEMS)) {
            break;
        }
        ASSERT_EQ(lResult, 0);
        EXPECT_EQ(cch, std::strlen(szName));
        astrNames.push_back(szName);
    }
    EXPECT_EQ(astrNames, (std::vector<std::string>{"12", "3", "7"}));
    DWORD cch = 2;  // "12" needs 3 with its NUL
    EXPECT_EQ(m_registry.RegEnumKeyEx(hKey, 0, szName, &cch), static_cast<LONG>(ERROR_MORE_DATA));
    EXPECT_EQ(cch, 3u);
    m_registry.RegCloseKey(hKey);
}

TEST_F(SimRegistryTest, CreatesMissingKeysAndOpensExistingOnes) {
    HKEY hKey = 0;
    DWORD dwDisposition = 0;
    ASSERT_EQ(m_registry.RegCreateKeyEx(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0x2001B, &hKey, &dwDisposition), 0);
    EXPECT_EQ(dwDisposition, REG_OPENED_EXISTING_KEY);
    m_registry.RegCloseKey(hKey);
    ASSERT_EQ(
        m_registry.RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\New\\Deep", 0x2001B, &hKey, &dwDisposition),
        0);
    EXPECT_EQ(dwDisposition, REG_CREATED_NEW_KEY);
    const DWORD dwValue = 42;
    EXPECT_EQ(m_registry.RegSetValueEx(hKey, "X", REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), 4), 0);
    EXPECT_EQ(m_registry.RegSetValueEx(hKey, "Y", REG_SZ, reinterpret_cast<const BYTE*>("abc"), 4), 0);
    m_registry.RegCloseKey(hKey);
    std::string strValue;
    EXPECT_TRUE(m_registry.GetString(HKEY_CURRENT_USER, "software\\new\\deep", "y", &strValue));
    EXPECT_EQ(strValue, "abc");
}

TEST_F(SimRegistryTest, KeysCanRefuseAccess) {
    HKEY hKey = 0;
    // Read-only: opening for reading works; asking for write access or creating below is refused.
    EXPECT_EQ(m_registry.RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\Locked", KEY_READ, &hKey), 0);
    const DWORD dwValue = 1;
    EXPECT_EQ(m_registry.RegSetValueEx(hKey, "X", REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), 4),
              static_cast<LONG>(ERROR_ACCESS_DENIED));
    m_registry.RegCloseKey(hKey);
    EXPECT_EQ(m_registry.RegCreateKeyEx(HKEY_LOCAL_MACHINE, "Software\\Locked", 0x2001B, &hKey, nullptr),
              static_cast<LONG>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(
        m_registry.RegCreateKeyEx(HKEY_LOCAL_MACHINE, "Software\\Locked\\Inner", 0x2001B, &hKey, nullptr),
        static_cast<LONG>(ERROR_ACCESS_DENIED));  // inherited
    EXPECT_EQ(
        m_registry.RegCreateKeyEx(HKEY_LOCAL_MACHINE, "Software\\Locked\\New", KEY_READ, &hKey, nullptr),
        static_cast<LONG>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(m_registry.RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\Hidden", KEY_READ, &hKey),
              static_cast<LONG>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(m_registry.OpenHandleCount(), 0u);
}

TEST(SimRegistryLoad, RejectsValuesOfOtherTypes) {
    const MachineJson json = ParseMachineJson(R"({"HKEY_CURRENT_USER": {"A": {"values": {"V": [1]}}}})");
    CSimRegistry registry;
    try {
        registry.Load(CJsonNode(&json, "registry"));
        FAIL() << "loaded";
    } catch (const CMachineFileError& e) {
        EXPECT_STREQ(
            e.what(),
            "registry.HKEY_CURRENT_USER.A.values.V: expected a string (REG_SZ) or an integer (REG_DWORD)");
    }
}

}  // namespace
