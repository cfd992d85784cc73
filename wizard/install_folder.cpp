#include "wizard/install_folder.h"

#include "platform/os.h"

namespace {
constexpr DWORD SETTINGS_ACCESS = 0x2001B;  // KEY_READ | KEY_SET_VALUE
constexpr DWORD INSTALL_DIR_BUFFER = 1024;
}  // namespace

BOOL ReadInstallDir(std::string* pstrFolder) {
    IRegistry& registry = Os().Registry();
    HKEY hKey = 0;
    LONG nOpen = registry.RegCreateKeyEx(HKEY_LOCAL_MACHINE, SETTINGS_KEY, SETTINGS_ACCESS, &hKey, nullptr);
    // A standard user may not write below HKEY_LOCAL_MACHINE, but may read what the installer
    // recorded there; a read-only open never creates the key.
    if (nOpen == ERROR_ACCESS_DENIED) {
        nOpen = registry.RegOpenKeyEx(HKEY_LOCAL_MACHINE, SETTINGS_KEY, KEY_READ, &hKey);
    }
    if (nOpen != ERROR_SUCCESS) {
        return FALSE;
    }
    char szBuffer[INSTALL_DIR_BUFFER] = {};
    DWORD cbData = INSTALL_DIR_BUFFER;
    DWORD dwType = 0;
    const LONG nResult =
        registry.RegQueryValueEx(hKey, "InstallDir", &dwType, reinterpret_cast<BYTE*>(szBuffer), &cbData);
    registry.RegCloseKey(hKey);
    if (nResult != ERROR_SUCCESS || (dwType != REG_SZ && dwType != REG_EXPAND_SZ) ||
        cbData > INSTALL_DIR_BUFFER) {
        return FALSE;
    }
    // The value need not be terminated within the bytes returned: never read past them.
    std::string strValue(szBuffer, cbData);
    const auto nNul = strValue.find('\0');
    if (nNul != std::string::npos) {
        strValue.resize(nNul);
    }
    *pstrFolder = strValue;
    return TRUE;
}

std::string GetInstallFolder() {
    std::string strFolder;
    // A key that opens without a readable "InstallDir" would leave the folder undefined: the
    // default folder is the only other folder the program knows.
    if (!ReadInstallDir(&strFolder)) {
        strFolder = DEFAULT_INSTALL_DIR;
    }
    return strFolder;
}
