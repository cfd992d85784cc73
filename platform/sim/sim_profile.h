// The application profile as an INI file: sections and keys compared without case, integers read as
// GetPrivateProfileInt reads them. With a file path the file is read on every call and rewritten on
// every write (other lines and comments kept), as Windows does; with no path the profile lives in
// memory only (tests, and machines that should leave no trace).
//
// The Linux program keeps it in $XDG_CONFIG_HOME/nimbrel/Nimbrel.ini, or ~/.config/nimbrel/Nimbrel.ini
// when XDG_CONFIG_HOME is not set (DefaultPath).
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/profile.h"
#include "platform/sim/machine_file.h"

class CSimProfile : public IProfile {
public:
    explicit CSimProfile(std::string strPath = std::string());

    // Section "profile": "path" (relative to strBaseDir) replaces the host's path; "sections" gives
    // the first contents of a profile kept in memory.
    void Load(const CJsonNode& section, const std::string& strBaseDir);

    // The value of the entry read as a signed decimal (or 0x hexadecimal) integer; nDefault when the
    // section or entry is absent or empty, 0 when it does not start with a number.
    UINT GetProfileInt(const std::string& strSection, const std::string& strEntry, int nDefault) override;
    // Writes the value in decimal; FALSE when the file cannot be written.
    BOOL WriteProfileInt(const std::string& strSection, const std::string& strEntry, int nValue) override;

    // The raw text of an entry (tests); false when absent.
    bool GetString(const std::string& strSection, const std::string& strEntry, std::string* pstrValue);
    BOOL WriteString(const std::string& strSection, const std::string& strEntry, const std::string& strValue);

    const std::string& Path() const { return m_strPath; }
    static std::string DefaultPath();

private:
    void ReadLines();
    bool WriteLines();
    bool FindLocked(const std::string& strSection, const std::string& strEntry, std::string* pstrValue);

    std::mutex m_mutex;
    std::string m_strPath;
    std::vector<std::string> m_astrLines;
};
