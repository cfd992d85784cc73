#include "ui/term/term_text.h"

namespace {
// 0x80..0x9F of Windows-1252; 0 marks the unassigned bytes.
constexpr char32_t CP1252_HIGH[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
}  // namespace

char32_t AnsiToUnicode(unsigned char ch) {
    if (ch >= 0x80 && ch < 0xA0) {
        const char32_t chWide = CP1252_HIGH[ch - 0x80];
        return chWide != 0 ? chWide : U'\uFFFD';
    }
    return ch;
}

std::string ToUtf8(char32_t ch) {
    std::string str;
    if (ch < 0x80) {
        str += static_cast<char>(ch);
    } else if (ch < 0x800) {
        str += static_cast<char>(0xC0 | (ch >> 6));
        str += static_cast<char>(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        str += static_cast<char>(0xE0 | (ch >> 12));
        str += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        str += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        str += static_cast<char>(0xF0 | (ch >> 18));
        str += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
        str += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        str += static_cast<char>(0x80 | (ch & 0x3F));
    }
    return str;
}

std::string FitText(const std::string& strText, int nCols) {
    if (nCols < 1) {
        return "";
    }
    if (static_cast<int>(strText.size()) <= nCols) {
        return strText;
    }
    return strText.substr(0, nCols - 1) + ANSI_ELLIPSIS;
}

std::vector<std::string> WrapText(const std::string& strText, int nWidth) {
    std::vector<std::string> astrLines;
    if (nWidth < 1) {
        return astrLines;
    }
    const std::size_t cchWidth = static_cast<std::size_t>(nWidth);
    std::size_t nStart = 0;
    while (nStart <= strText.size()) {
        std::size_t nEnd = strText.find('\n', nStart);
        if (nEnd == std::string::npos) {
            nEnd = strText.size();
        }
        std::string strRest = strText.substr(nStart, nEnd - nStart);
        if (!strRest.empty() && strRest.back() == '\r') {
            strRest.pop_back();
        }
        do {
            if (strRest.size() <= cchWidth) {
                astrLines.push_back(strRest);
                break;
            }
            // The last blank that lets the line fit; a word longer than the line is cut.
            std::size_t nBreak = strRest.rfind(' ', cchWidth);
            std::size_t nNext = nBreak;
            if (nBreak == std::string::npos || nBreak == 0) {
                nBreak = cchWidth;
                nNext = cchWidth;
            }
            std::string strLine = strRest.substr(0, nBreak);
            strLine.erase(strLine.find_last_not_of(' ') + 1);
            astrLines.push_back(strLine);
            nNext = strRest.find_first_not_of(' ', nNext);
            strRest = nNext == std::string::npos ? std::string() : strRest.substr(nNext);
        } while (!strRest.empty());
        nStart = nEnd + 1;
    }
    return astrLines;
}
