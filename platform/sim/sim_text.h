// Text helpers of the simulated machine: Windows compares names (registry keys, services, files,
// profile keys) without regard to ASCII case.
#pragma once

#include <string>

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
