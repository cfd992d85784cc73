// Kernel services of the simulated machine: the Windows version, the thread's last error, the
// Windows-1252 ANSI code page and reading files through the machine's folder map.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/sim/machine_file.h"
#include "platform/system.h"

// One entry of the folder map: a Windows folder and the host folder that holds its files.
struct CSimFolder {
    std::string strWindows;  // e.g. "C:\\Program Files\\Brellix Nimbrel", compared without case
    std::string strHost;     // absolute host path
};

class CSimSystem : public ISystem {
public:
    CSimSystem();

    // Sections "windows" and "folders". strBaseDir resolves relative host folders (the machine
    // file's folder; empty = the current directory).
    void Load(const CJsonNode& windows, const CJsonNode& folders, const std::string& strBaseDir);

    BOOL GetVersionEx(COsVersionInfo* pInfo) override;
    // One last error per thread (shared by every simulated machine of the process).
    DWORD GetLastError() override;
    void SetLastError(DWORD dwError) override;
    std::string WideToAnsi(const std::u16string& wstr) override;
    std::u16string AnsiToWide(const std::string& str) override;
    // ERROR_PATH_NOT_FOUND when no folder maps the path or a folder is missing, ERROR_FILE_NOT_FOUND
    // when the file is missing, ERROR_ACCESS_DENIED for a folder.
    DWORD ReadFile(const std::string& strPath, std::vector<BYTE>* pData) override;

    // The host file for a Windows path (file names matched without case), or nothing when the path
    // maps to no existing file. Used by the simulated shell to find the help file.
    std::optional<std::string> FindHostFile(const std::string& strPath, DWORD* pdwError = nullptr) const;

    void SetVersion(const COsVersionInfo& info) { m_version = info; }
    void AddFolder(const std::string& strWindows, const std::string& strHost);

private:
    COsVersionInfo m_version;
    std::vector<CSimFolder> m_aFolders;
};
