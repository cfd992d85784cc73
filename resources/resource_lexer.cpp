#include "resources/resource_lexer.h"

#include <cctype>
#include <cstdint>
#include <cstring>

namespace rc {

bool EqualsNoCase(const std::string& a, const char* b) {
    size_t n = std::strlen(b);
    if (a.size() != n) {
        return false;
    }
    for (size_t i = 0; i < n; ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

bool IsIdentStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IsIdentChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

namespace {

// Splits resource-script text into tokens. Returns false with an error on a malformed token.
class CLexer {
public:
    CLexer(const std::string& strText, int nFirstLine) : m_strText(strText), m_nLine(nFirstLine) {}

    bool Run(std::vector<CToken>* pTokens, std::string* pError) {
        while (true) {
            if (!SkipBlanksAndComments(pError)) {
                return false;
            }
            CToken token;
            token.nLine = m_nLine;
            if (m_nPos >= m_strText.size()) {
                pTokens->push_back(token);
                return true;
            }
            char c = m_strText[m_nPos];
            if (c == '"') {
                token.eKind = ETokenKind::String;
                if (!ReadString(&token.strText, pError)) {
                    return false;
                }
            } else if (std::isdigit(static_cast<unsigned char>(c))) {
                token.eKind = ETokenKind::Number;
                if (!ReadNumber(&token.dwValue, pError)) {
                    return false;
                }
            } else if (IsIdentStart(c)) {
                token.eKind = ETokenKind::Ident;
                size_t nStart = m_nPos;
                while (m_nPos < m_strText.size() && IsIdentChar(m_strText[m_nPos])) {
                    ++m_nPos;
                }
                token.strText = m_strText.substr(nStart, m_nPos - nStart);
            } else if (std::strchr(",|()-+~&{}", c) != nullptr) {
                token.eKind = ETokenKind::Punct;
                token.strText = std::string(1, c);
                ++m_nPos;
            } else {
                *pError = Where() + "unexpected character '" + std::string(1, c) + "'";
                return false;
            }
            pTokens->push_back(token);
        }
    }

private:
    std::string Where() const { return "line " + std::to_string(m_nLine) + ": "; }

    bool SkipBlanksAndComments(std::string* pError) {
        while (m_nPos < m_strText.size()) {
            char c = m_strText[m_nPos];
            if (c == '\n') {
                ++m_nLine;
                ++m_nPos;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++m_nPos;
            } else if (m_strText.compare(m_nPos, 2, "//") == 0) {
                while (m_nPos < m_strText.size() && m_strText[m_nPos] != '\n') {
                    ++m_nPos;
                }
            } else if (m_strText.compare(m_nPos, 2, "/*") == 0) {
                int nStartLine = m_nLine;
                size_t nEnd = m_strText.find("*/", m_nPos + 2);
                if (nEnd == std::string::npos) {
                    *pError = "line " + std::to_string(nStartLine) + ": comment not closed";
                    return false;
                }
                for (size_t i = m_nPos; i < nEnd; ++i) {
                    m_nLine += m_strText[i] == '\n';
                }
                m_nPos = nEnd + 2;
            } else {
                return true;
            }
        }
        return true;
    }

    // A quoted string: "" is a quote; backslash sequences \n \r \t \a \\ \" \xHH and octal \ooo.
    bool ReadString(std::string* pOut, std::string* pError) {
        ++m_nPos;  // opening quote
        while (true) {
            if (m_nPos >= m_strText.size() || m_strText[m_nPos] == '\n') {
                *pError = Where() + "string not closed";
                return false;
            }
            char c = m_strText[m_nPos++];
            if (c == '"') {
                if (m_nPos < m_strText.size() && m_strText[m_nPos] == '"') {
                    pOut->push_back('"');
                    ++m_nPos;
                    continue;
                }
                return true;
            }
            if (c != '\\' || m_nPos >= m_strText.size()) {
                pOut->push_back(c);
                continue;
            }
            char e = m_strText[m_nPos++];
            // Simple escapes in pairs (written, meant); \a is the resource compiler's right-align mark.
            static constexpr char SIMPLE_ESCAPES[] = "n\nr\rt\ta\b\\\\\"\"";
            const char* pSimple = nullptr;
            for (size_t i = 0; i + 1 < sizeof(SIMPLE_ESCAPES); i += 2) {
                if (SIMPLE_ESCAPES[i] == e) {
                    pSimple = &SIMPLE_ESCAPES[i + 1];
                    break;
                }
            }
            if (pSimple != nullptr) {
                pOut->push_back(*pSimple);
            } else if (e == 'x' || e == 'X') {
                pOut->push_back(static_cast<char>(ReadDigits(16, 2)));
            } else if (e >= '0' && e <= '7') {
                --m_nPos;
                pOut->push_back(static_cast<char>(ReadDigits(8, 3)));
            } else {
                // Not an escape: the backslash stays.
                pOut->push_back('\\');
                --m_nPos;
            }
        }
    }

    unsigned ReadDigits(unsigned nBase, int nMaxDigits) {
        unsigned nValue = 0;
        for (int i = 0; i < nMaxDigits && m_nPos < m_strText.size(); ++i) {
            int nDigit = DigitValue(m_strText[m_nPos]);
            if (nDigit < 0 || static_cast<unsigned>(nDigit) >= nBase) {
                break;
            }
            nValue = nValue * nBase + static_cast<unsigned>(nDigit);
            ++m_nPos;
        }
        return nValue & 0xFF;
    }

    static int DigitValue(char c) {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        if (c >= 'a' && c <= 'f') {
            return c - 'a' + 10;
        }
        if (c >= 'A' && c <= 'F') {
            return c - 'A' + 10;
        }
        return -1;
    }

    // Decimal or 0x hexadecimal, with an optional L or U suffix; must fit in 32 bits.
    bool ReadNumber(DWORD* pValue, std::string* pError) {
        unsigned nBase = 10;
        if (m_strText.compare(m_nPos, 2, "0x") == 0 || m_strText.compare(m_nPos, 2, "0X") == 0) {
            nBase = 16;
            m_nPos += 2;
        }
        std::uint64_t nValue = 0;
        size_t nDigits = 0;
        while (m_nPos < m_strText.size()) {
            int nDigit = DigitValue(m_strText[m_nPos]);
            if (nDigit < 0 || static_cast<unsigned>(nDigit) >= nBase) {
                break;
            }
            nValue = nValue * nBase + static_cast<unsigned>(nDigit);
            if (nValue > 0xFFFFFFFFull) {
                *pError = Where() + "number too large";
                return false;
            }
            ++m_nPos, ++nDigits;
        }
        while (m_nPos < m_strText.size() && std::strchr("LlUu", m_strText[m_nPos]) != nullptr) {
            ++m_nPos;
        }
        if (nDigits == 0 || (m_nPos < m_strText.size() && IsIdentChar(m_strText[m_nPos]))) {
            *pError = Where() + "malformed number";
            return false;
        }
        *pValue = static_cast<DWORD>(nValue);
        return true;
    }

    const std::string& m_strText;
    size_t m_nPos = 0;
    int m_nLine;
};

}  // namespace

bool Tokenize(const std::string& strText, int nFirstLine, std::vector<CToken>* pTokens, std::string* pError) {
    return CLexer(strText, nFirstLine).Run(pTokens, pError);
}

}  // namespace rc
