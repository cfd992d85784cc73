#include "platform/sim/sim_profile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/sim/sim_text.h"

namespace fs = std::filesystem;

namespace {

std::string Trim(const std::string& str) {
    const std::size_t nFirst = str.find_first_not_of(" \t\r");
    if (nFirst == std::string::npos) {
        return std::string();
    }
    return str.substr(nFirst, str.find_last_not_of(" \t\r") - nFirst + 1);
}

// "[Name]" → Name; false for any other line.
bool SectionName(const std::string& strLine, std::string* pstrName) {
    const std::string str = Trim(strLine);
    if (str.size() < 2 || str.front() != '[') {
        return false;
    }
    const std::size_t nClose = str.find(']');
    if (nClose == std::string::npos) {
        return false;
    }
    *pstrName = Trim(str.substr(1, nClose - 1));
    return true;
}

// "key=value" → key, value; false for comments and other lines.
bool EntryOf(const std::string& strLine, std::string* pstrKey, std::string* pstrValue) {
    const std::string str = Trim(strLine);
    if (str.empty() || str[0] == ';') {
        return false;
    }
    const std::size_t nEq = str.find('=');
    if (nEq == std::string::npos) {
        return false;
    }
    *pstrKey = Trim(str.substr(0, nEq));
    *pstrValue = Trim(str.substr(nEq + 1));
    return true;
}

// As RtlCharToInteger with base 0: optional sign, decimal or 0x / 0o / 0b, stops at the first
// other character, 32-bit wrap-around.
UINT ParseProfileInt(const std::string& str) {
    std::size_t i = 0;
    bool bNegative = false;
    if (i < str.size() && (str[i] == '-' || str[i] == '+')) {
        bNegative = str[i] == '-';
        ++i;
    }
    UINT nBase = 10;
    if (i + 1 < str.size() && str[i] == '0') {
        const char chPrefix = SimLowerAscii(str[i + 1]);
        nBase = chPrefix == 'x' ? 16 : chPrefix == 'o' ? 8 : chPrefix == 'b' ? 2 : 10;
        if (nBase != 10) {
            i += 2;
        }
    }
    UINT nValue = 0;
    for (; i < str.size(); ++i) {
        const char ch = SimLowerAscii(str[i]);
        const UINT nDigit = (ch >= '0' && ch <= '9')   ? UINT(ch - '0')
                            : (ch >= 'a' && ch <= 'f') ? UINT(ch - 'a' + 10)
                                                       : 99;
        if (nDigit >= nBase) {
            break;
        }
        nValue = nValue * nBase + nDigit;
    }
    return bNegative ? 0u - nValue : nValue;
}

}  // namespace

CSimProfile::CSimProfile(std::string strPath) : m_strPath(std::move(strPath)) {}

std::string CSimProfile::DefaultPath() {
    const char* pszConfig = std::getenv("XDG_CONFIG_HOME");
    fs::path base;
    if (pszConfig != nullptr && *pszConfig != '\0') {
        base = pszConfig;
    } else {
        const char* pszHome = std::getenv("HOME");
        base = fs::path(pszHome != nullptr ? pszHome : ".") / ".config";
    }
    return (base / "nimbrel" / "Nimbrel.ini").string();
}

void CSimProfile::Load(const CJsonNode& section, const std::string& strBaseDir) {
    section.ExpectObject({"path", "sections"});
    std::string strPath = section.GetString("path", std::string());
    if (!strPath.empty() && fs::path(strPath).is_relative() && !strBaseDir.empty()) {
        strPath = (fs::path(strBaseDir) / strPath).string();
    }
    if (!strPath.empty()) {
        m_strPath = strPath;
    }
    section.Child("sections").ForEach([&](const std::string& strSection, const CJsonNode& entries) {
        entries.ForEach([&](const std::string& strEntry, const CJsonNode& value) {
            if (!value.IsString() && !value.IsNumber()) {
                value.Fail("expected a string or an integer");
            }
            if (!m_strPath.empty()) {
                value.Fail("profile contents are given only for a profile kept in memory (no path)");
            }
            WriteString(strSection, strEntry, value.IsString() ? value.AsString() : value.Json().dump());
        });
    });
}

void CSimProfile::ReadLines() {
    if (m_strPath.empty()) {
        return;
    }
    m_astrLines.clear();
    std::ifstream file(m_strPath);
    for (std::string strLine; std::getline(file, strLine);) {
        if (!strLine.empty() && strLine.back() == '\r') {
            strLine.pop_back();
        }
        m_astrLines.push_back(strLine);
    }
}

bool CSimProfile::WriteLines() {
    if (m_strPath.empty()) {
        return true;
    }
    std::error_code ec;
    const fs::path parent = fs::path(m_strPath).parent_path();
    if (!parent.empty()) {
        fs::create_directories(parent, ec);
    }
    std::ofstream file(m_strPath, std::ios::trunc);
    for (const std::string& strLine : m_astrLines) {
        file << strLine << "\r\n";
    }
    file.flush();
    return static_cast<bool>(file);
}

bool CSimProfile::FindLocked(const std::string& strSection, const std::string& strEntry,
                             std::string* pstrValue) {
    ReadLines();
    bool bInSection = false;
    for (const std::string& strLine : m_astrLines) {
        std::string strName;
        std::string strKey;
        if (SectionName(strLine, &strName)) {
            bInSection = SimEqualNoCase(strName, strSection);
        } else if (bInSection && EntryOf(strLine, &strKey, pstrValue) && SimEqualNoCase(strKey, strEntry)) {
            return true;
        }
    }
    return false;
}

bool CSimProfile::GetString(const std::string& strSection, const std::string& strEntry,
                            std::string* pstrValue) {
    std::lock_guard<std::mutex> guard(m_mutex);
    return FindLocked(strSection, strEntry, pstrValue);
}

UINT CSimProfile::GetProfileInt(const std::string& strSection, const std::string& strEntry, int nDefault) {
    std::lock_guard<std::mutex> guard(m_mutex);
    std::string strValue;
    if (!FindLocked(strSection, strEntry, &strValue) || strValue.empty()) {
        return static_cast<UINT>(nDefault);
    }
    return ParseProfileInt(strValue);
}

BOOL CSimProfile::WriteString(const std::string& strSection, const std::string& strEntry,
                              const std::string& strValue) {
    std::lock_guard<std::mutex> guard(m_mutex);
    ReadLines();
    const std::string strNewLine = strEntry + "=" + strValue;
    bool bInSection = false;
    std::size_t nInsertAt = m_astrLines.size();  // after the section's last entry
    bool bSectionFound = false;
    for (std::size_t i = 0; i < m_astrLines.size(); ++i) {
        std::string strName;
        std::string strKey;
        std::string strOld;
        if (SectionName(m_astrLines[i], &strName)) {
            if (bInSection) {
                break;  // end of the wanted section
            }
            bInSection = SimEqualNoCase(strName, strSection);
            bSectionFound = bSectionFound || bInSection;
            nInsertAt = i + 1;
        } else if (bInSection) {
            if (EntryOf(m_astrLines[i], &strKey, &strOld) && SimEqualNoCase(strKey, strEntry)) {
                m_astrLines[i] = strKey + "=" + strValue;  // the entry keeps its spelling
                return WriteLines() ? TRUE : FALSE;
            }
            if (!Trim(m_astrLines[i]).empty()) {
                nInsertAt = i + 1;
            }
        }
    }
    if (!bSectionFound) {
        m_astrLines.push_back("[" + strSection + "]");
        nInsertAt = m_astrLines.size();
    }
    m_astrLines.insert(m_astrLines.begin() + static_cast<std::ptrdiff_t>(nInsertAt), strNewLine);
    return WriteLines() ? TRUE : FALSE;
}

BOOL CSimProfile::WriteProfileInt(const std::string& strSection, const std::string& strEntry, int nValue) {
    return WriteString(strSection, strEntry, std::to_string(nValue));
}
