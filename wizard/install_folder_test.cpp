// The install folder as the settings key records it: a value read within its bytes and as it stands,
// and as a user without administrator rights finds it (HKEY_LOCAL_MACHINE refuses the write right, so
// the settings key is read without it and never created).
#include <gtest/gtest.h>

#include "platform/os.h"
#include "platform/sim/sim_machine.h"
#include "wizard/help.h"
#include "wizard/install_folder.h"

namespace {
std::unique_ptr<CSimMachine> Machine(const std::string& strRegistry) {
    std::string strError;
    auto pMachine =
        CSimMachine::FromText(R"({ "shell": { "help": "available" }, "registry": { "HKEY_LOCAL_MACHINE": {)" +
                                  strRegistry + "} } }",
                              "m", &strError);
    EXPECT_TRUE(pMachine) << strError;
    return pMachine;
}

bool KeyExists() {
    HKEY hKey = 0;
    if (Os().Registry().RegOpenKeyEx(HKEY_LOCAL_MACHINE, SETTINGS_KEY, KEY_READ, &hKey) != ERROR_SUCCESS) {
        return false;
    }
    Os().Registry().RegCloseKey(hKey);
    return true;
}
}  // namespace

TEST(StandardUserInstallFolder, ReadOnlyKeyGivesTheRecordedFolderToStartUpAndHelp) {
    auto pMachine = Machine(R"("Software\\Plenwick Technologies, Inc.\\Brellix Nimbrel": {
        "values": { "InstallDir": "D:\\Apps\\Nimbrel" }, "access": "read" })");
    ASSERT_TRUE(pMachine);
    CScopedOs os(*pMachine);
    EXPECT_EQ(GetInstallFolder(), "D:\\Apps\\Nimbrel");
    ShowHelpTopic("Troubleshoot");
    EXPECT_EQ(pMachine->Shell().HelpPaths(),
              (std::vector<std::string>{"D:\\Apps\\Nimbrel\\Tolvane.chm::/Troubleshoot.htm"}));
    EXPECT_EQ(pMachine->Registry().OpenHandleCount(), 0u);
}

TEST(StandardUserInstallFolder, MissingKeyIsNotCreatedAndTheDefaultFolderIsUsed) {
    auto pMachine = Machine(R"("Software": { "access": "read" })");
    ASSERT_TRUE(pMachine);
    CScopedOs os(*pMachine);
    EXPECT_EQ(GetInstallFolder(), DEFAULT_INSTALL_DIR);
    EXPECT_FALSE(KeyExists());
    // The help launcher has no folder to open a topic in.
    ShowHelpTopic("default");
    EXPECT_TRUE(pMachine->Shell().HelpPaths().empty());
}

TEST(StandardUserInstallFolder, KeyThatCannotBeReadEitherGivesTheDefaultFolder) {
    auto pMachine = Machine(R"("Software\\Plenwick Technologies, Inc.\\Brellix Nimbrel": {
        "values": { "InstallDir": "D:\\Apps\\Nimbrel" }, "access": "none" })");
    ASSERT_TRUE(pMachine);
    CScopedOs os(*pMachine);
    EXPECT_EQ(GetInstallFolder(), DEFAULT_INSTALL_DIR);
}

TEST(StandardUserInstallFolder, AdministratorStillCreatesTheKey) {
    auto pMachine = Machine("");
    ASSERT_TRUE(pMachine);
    CScopedOs os(*pMachine);
    EXPECT_EQ(GetInstallFolder(), DEFAULT_INSTALL_DIR);
    EXPECT_TRUE(KeyExists()) << "the first attempt still creates a missing key";
}

TEST(InstallFolder, ValueWithoutTerminatorIsReadWithinItsBytes) {
    std::string strError;
    auto pMachine = CSimMachine::FromText(R"({ "windows": { "major": 5, "minor": 1 } })", "m", &strError);
    ASSERT_TRUE(pMachine) << strError;
    CScopedOs os(*pMachine);
    // A 1024-byte value fills the buffer with no terminating zero.
    HKEY hKey = 0;
    ASSERT_EQ(Os().Registry().RegCreateKeyEx(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0x2001B, &hKey, nullptr),
              ERROR_SUCCESS);
    const std::string strLong(1024, 'x');
    Os().Registry().RegSetValueEx(hKey, "InstallDir", REG_SZ, reinterpret_cast<const BYTE*>(strLong.data()),
                                  1024);
    Os().Registry().RegCloseKey(hKey);
    std::string strFolder;
    ASSERT_TRUE(ReadInstallDir(&strFolder));
    EXPECT_EQ(strFolder, strLong);
    // One byte more does not fit the buffer: the value cannot be read and the default folder is used.
    ASSERT_EQ(Os().Registry().RegCreateKeyEx(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0x2001B, &hKey, nullptr),
              ERROR_SUCCESS);
    const std::string strTooLong(1025, 'y');
    Os().Registry().RegSetValueEx(hKey, "InstallDir", REG_SZ,
                                  reinterpret_cast<const BYTE*>(strTooLong.data()), 1025);
    Os().Registry().RegCloseKey(hKey);
    EXPECT_FALSE(ReadInstallDir(&strFolder));
    EXPECT_EQ(GetInstallFolder(), DEFAULT_INSTALL_DIR);
}

TEST(InstallFolder, ValueOfTypeExpandStringIsReadAsItStands) {
    std::string strError;
    auto pMachine = CSimMachine::FromText(R"({ "windows": { "major": 5, "minor": 1 } })", "m", &strError);
    ASSERT_TRUE(pMachine) << strError;
    CScopedOs os(*pMachine);
    HKEY hKey = 0;
    ASSERT_EQ(Os().Registry().RegCreateKeyEx(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0x2001B, &hKey, nullptr),
              ERROR_SUCCESS);
    const std::string strValue = "%ProgramFiles%\\Nimbrel";
    Os().Registry().RegSetValueEx(hKey, "InstallDir", REG_EXPAND_SZ,
                                  reinterpret_cast<const BYTE*>(strValue.c_str()),
                                  static_cast<DWORD>(strValue.size() + 1));
    Os().Registry().RegCloseKey(hKey);
    std::string strFolder;
    ASSERT_TRUE(ReadInstallDir(&strFolder));
    EXPECT_EQ(strFolder, strValue);
}
