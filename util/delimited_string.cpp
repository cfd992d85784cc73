#include "util/delimited_string.h"

#include <bit>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

char g_chFieldDelim = '|';

namespace {

// GetFields with an explicit delimiter, so GetFieldDelim need not touch the global.
std::string ExtractFields(const std::string& s, int nFirst, int nLast, char chDelim) {
    const std::size_t cch = s.size();
    if (nLast < 0) {
        nLast = CountChar(s, chDelim);
    }
    // 64-bit so that nLast - nFirst + 1 cannot overflow for any pair of ints.
    long long nWanted = static_cast<long long>(nLast) - nFirst + 1;
    if (nFirst < 0 || nWanted < 0) {
        return "";
    }

    // Start: just after the nFirst-th delimiter, or the end when s has fewer delimiters.
    std::size_t j = 0;
    if (nFirst > 0) {
        j = cch;
        int nSeen = 0;
        for (std::size_t p = 0; p < cch; ++p) {
            if (s[p] == chDelim && ++nSeen == nFirst) {
                j = p + 1;
                break;
            }
        }
    }

    // End: walk on until the wanted number of fields has been closed by delimiters.
    std::size_t i = j;
    while (i < cch && nWanted > 0) {
        if (s[i] == chDelim) {
            --nWanted;
        }
        ++i;
    }
    if (i > 0 && (i != cch || nWanted == 0)) {
        --i;  // off the delimiter that closed the last wanted field
    }

    if (j >= cch) {
        // Every wanted field lies past the end: they are all empty.
        return nWanted > 1 ? std::string(static_cast<std::size_t>(nWanted - 1), chDelim) : std::string();
    }
    if (i == 0 || i < j) {
        return "";  // i < j only when no field was wanted
    }
    if (i < cch) {
        return s.substr(j, i - j);
    }
    // s ended before all wanted fields were found: pad with empty fields.
    std::string strResult = s.substr(j);
    if (nWanted > 1) {
        strResult.append(static_cast<std::size_t>(nWanted - 1), chDelim);
    }
    return strResult;
}

// The high bit of each byte of w that equals the byte ch (exact: no carries between bytes).
std::uint64_t MatchingBytes(std::uint64_t w, char ch) {
    constexpr std::uint64_t LOW_SEVEN = 0x7F7F7F7F7F7F7F7FULL;
    const std::uint64_t x = w ^ (0x0101010101010101ULL * static_cast<unsigned char>(ch));
    return ~(((x & LOW_SEVEN) + LOW_SEVEN) | x | LOW_SEVEN);
}

// Where field nIndex of s starts: just after its nIndex-th delimiter; npos when s has fewer. The
// access point sort asks this of both rows on every comparison, so the delimiters are counted eight
// bytes at a time where the byte order allows it.
std::size_t FieldStart(std::string_view s, int nIndex) {
    if (nIndex <= 0) {
        return nIndex == 0 ? 0 : std::string_view::npos;
    }
    const char chDelim = g_chFieldDelim;
    int nLeft = nIndex;
    std::size_t p = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (; p + 8 <= s.size(); p += 8) {
            std::uint64_t w;
            std::memcpy(&w, s.data() + p, 8);
            std::uint64_t nMatches = MatchingBytes(w, chDelim);
            // One bit per matching byte, summed by a multiply (popcount is a library call on
            // the baseline instruction set).
            const int nCount = static_cast<int>(((nMatches >> 7) * 0x0101010101010101ULL) >> 56);
            if (nCount >= nLeft) {
                for (; nLeft > 1; --nLeft) {
                    nMatches &= nMatches - 1;  // drop the lowest, the earliest in the string
                }
                return p + static_cast<std::size_t>(std::countr_zero(nMatches) / 8) + 1;
            }
            nLeft -= nCount;
        }
    }
    for (; p < s.size(); ++p) {
        if (s[p] == chDelim && --nLeft == 0) {
            return p + 1;
        }
    }
    return std::string_view::npos;
}

bool IsBlank(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

}  // namespace

int CountChar(const std::string& s, char ch) {
    int nCount = 0;
    for (char c : s) {
        if (c == ch) {
            ++nCount;
        }
    }
    return nCount;
}

std::string GetFields(const std::string& s, int nFirst, int nLast) {
    return ExtractFields(s, nFirst, nLast, g_chFieldDelim);
}

std::string GetField(const std::string& s, int nIndex) {
    return GetFields(s, nIndex, nIndex);
}

std::string_view GetFieldView(std::string_view s, int nIndex) {
    const std::size_t nStart = FieldStart(s, nIndex);
    if (nStart == std::string_view::npos) {
        return {};
    }
    const std::size_t nEnd = s.find(g_chFieldDelim, nStart);
    return s.substr(nStart, nEnd == std::string_view::npos ? std::string_view::npos : nEnd - nStart);
}

std::string_view GetFieldsToEndView(std::string_view s, int nFirst) {
    const std::size_t nStart = FieldStart(s, nFirst);
    return nStart == std::string_view::npos ? std::string_view() : s.substr(nStart);
}

std::string GetFieldDelim(const std::string& s, int nIndex, char chDelim) {
    return ExtractFields(s, nIndex, nIndex, chDelim);
}

int FindFieldValue(const std::string& s, int nValue) {
    // One pass over the fields in order; the same fields GetField would give for 0..CountChar.
    int nIndex = 0;
    std::size_t nStart = 0;
    while (true) {
        std::size_t nEnd = s.find(g_chFieldDelim, nStart);
        std::size_t nLength = (nEnd == std::string::npos ? s.size() : nEnd) - nStart;
        if (nLength > 0 && ParseDecimal(s.substr(nStart, nLength)) == nValue) {
            return nIndex;
        }
        if (nEnd == std::string::npos) {
            return -1;
        }
        nStart = nEnd + 1;
        ++nIndex;
    }
}

int ReplaceAll(std::string& s, const std::string& strNew, const std::string& strOld) {
    if (strOld.empty()) {
        return 0;
    }
    std::string strResult;
    int nCount = 0;
    std::size_t nFrom = 0;
    for (std::size_t nAt = s.find(strOld); nAt != std::string::npos; nAt = s.find(strOld, nFrom)) {
        strResult.append(s, nFrom, nAt - nFrom);
        strResult += strNew;
        nFrom = nAt + strOld.size();
        ++nCount;
    }
    strResult.append(s, nFrom, std::string::npos);
    s = std::move(strResult);
    return nCount;
}

int ParseDecimal(const std::string& s) {
    std::size_t p = 0;
    while (p < s.size() && IsBlank(s[p])) {
        ++p;
    }
    bool bNegative = false;
    if (p < s.size() && (s[p] == '+' || s[p] == '-')) {
        bNegative = s[p] == '-';
        ++p;
    }
    // Accumulate the magnitude up to one past INT_MAX, which is enough to decide the clamp.
    const long long nLimit = static_cast<long long>(INT_MAX) + 1;
    long long nMagnitude = 0;
    for (; p < s.size() && s[p] >= '0' && s[p] <= '9'; ++p) {
        nMagnitude = nMagnitude * 10 + (s[p] - '0');
        if (nMagnitude > nLimit) {
            nMagnitude = nLimit;
        }
    }
    if (bNegative) {
        return static_cast<int>(-nMagnitude);  // -(INT_MAX + 1) is INT_MIN
    }
    return nMagnitude > INT_MAX ? INT_MAX : static_cast<int>(nMagnitude);
}
