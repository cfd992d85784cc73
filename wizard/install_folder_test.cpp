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
// Writes "InstallDir" of the settings key as the given type and bytes (no terminator is added).
void WriteInstallDir(DWORD dwType, const std::string& strBytes) {
    HKEY hKey = 0;
    ASSERT_EQ(Os().Registry().RegCreateKeyEx(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0x2001B, &hKey, nullptr),
              ERROR_SUCCESS);
    Os().Registry().RegSetValueEx(hKey, "InstallDir", dwType, reinterpret_cast<const BYTE*>(strBytes.data()),
                                  static_cast<DWORD>(strBytes.size()));
    Os().Registry().RegCloseKey(hKey);
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
    const std::string strLong(1024, 'x');
    WriteInstallDir(REG_SZ, strLong);
    std::string strFolder;
    ASSERT_TRUE(ReadInstallDir(&strFolder));
    EXPECT_EQ(strFolder, strLong);
    // One byte more does not fit the buffer: the value cannot be read and the default folder is used.
    WriteInstallDir(REG_SZ, std::string(1025, 'y'));
    EXPECT_FALSE(ReadInstallDir(&strFolder));
    EXPECT_EQ(GetInstallFolder(), DEFAULT_INSTALL_DIR);
}

TEST(InstallFolder, ValueOfTypeExpandStringIsReadAsItStands) {
    std::string strError;
    auto pMachine = CSimMachine::FromText(R"({ "windows": { "major": 5, "minor": 1 } })", "m", &strError);
    ASSERT_TRUE(pMachine) << strError;
    CScopedOs os(*pMachine);
    const std::string strValue = "%ProgramFiles%\\Nimbrel";
    WriteInstallDir(REG_EXPAND_SZ, std::string(strValue.c_str(), strValue.size() + 1));
    std::string strFolder;
    ASSERT_TRUE(ReadInstallDir(&strFolder));
    EXPECT_EQ(strFolder, strValue);
}
