// Text helpers of the simulated machine: Windows compares names (registry keys, services, files,
// profile keys) without regard to ASCII case; machine files are UTF-8 where Windows hands out UTF-16.
#pragma once

#include <string>
#include <vector>

inline char SimLowerAscii(char ch) {
    return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch;
}

inline std::string SimLower(const std::string& str) {
    std::string strLower = str;
    for (char& ch : strLower) {
        ch = SimLowerAscii(ch);
    }
    return strLower;
}

inline bool SimEqualNoCase(const std::string& strA, const std::string& strB) {
    if (strA.size() != strB.size()) {
        return false;
    }
    for (std::size_t i = 0; i < strA.size(); ++i) {
        if (SimLowerAscii(strA[i]) != SimLowerAscii(strB[i])) {
            return false;
        }
    }
    return true;
}

// The parts of a path between any of the separator characters, empty parts dropped.
inline std::vector<std::string> SimSplitPath(const std::string& strPath, const char* pszSeparators) {
    std::vector<std::string> astrParts;
    std::string strPart;
    for (char ch : strPath) {
        if (std::string(pszSeparators).find(ch) != std::string::npos) {
            if (!strPart.empty()) {
                astrParts.push_back(strPart);
            }
            strPart.clear();
        } else {
            strPart += ch;
        }
    }
    if (!strPart.empty()) {
        astrParts.push_back(strPart);
    }
    return astrParts;
}

// A machine file's UTF-8 text as the UTF-16 that Windows hands out (characters past U+FFFF as
// surrogate pairs). A byte that starts no valid sequence becomes U+FFFD.
std::u16string SimUtf8ToUtf16(const std::string& str);
