// The delimited-string helpers. Input: first and last field (signed bytes), the delimiter, a value to
// look up, then the string.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_check.h"
#include "util/delimited_string.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    if (nSize < 4) {
        return 0;
    }
    const int nFirst = static_cast<int8_t>(pData[0]);
    const int nLast = static_cast<int8_t>(pData[1]);
    const char chDelim = static_cast<char>(pData[2]);
    const int nValue = static_cast<int8_t>(pData[3]);
    const std::string s(reinterpret_cast<const char*>(pData + 4), nSize - 4);

    const char chSaved = g_chFieldDelim;
    g_chFieldDelim = chDelim;
    const int nDelims = CountChar(s, chDelim);

    // Fields first..last number last - first + 1, padded with empty ones past the end.
    const std::string strFields = GetFields(s, nFirst, nLast);
    if (nFirst >= 0 && nLast >= nFirst) {
        FUZZ_CHECK(CountChar(strFields, chDelim) == nLast - nFirst);
    } else if (nFirst < 0 || (nLast >= 0 && nLast < nFirst)) {
        FUZZ_CHECK(strFields.empty());
    }
    // All fields together are the string itself; a field never holds the delimiter.
    FUZZ_CHECK(GetFields(s, 0, -1) == s);
    std::string strJoined;
    for (int i = 0; i <= nDelims; ++i) {
        const std::string strField = GetField(s, i);
        FUZZ_CHECK(CountChar(strField, chDelim) == 0);
        strJoined += (i == 0 ? "" : std::string(1, chDelim)) + strField;
    }
    FUZZ_CHECK(strJoined == s);
    FUZZ_CHECK(GetField(s, nDelims + 1).empty());
    // The views read the same fields as the copies.
    FUZZ_CHECK(GetFieldView(s, nFirst) == GetField(s, nFirst));
    FUZZ_CHECK(GetFieldsToEndView(s, nFirst) == GetFields(s, nFirst, -1));

    // The lookup finds the first non-empty field of that value, or none.
    const int nFound = FindFieldValue(s, nValue);
    FUZZ_CHECK(nFound >= -1 && nFound <= nDelims);
    for (int i = 0; i < (nFound < 0 ? nDelims + 1 : nFound); ++i) {
        const std::string strField = GetField(s, i);
        FUZZ_CHECK(strField.empty() || ParseDecimal(strField) != nValue);
    }
    if (nFound >= 0) {
        FUZZ_CHECK(!GetField(s, nFound).empty() && ParseDecimal(GetField(s, nFound)) == nValue);
    }

    // Another delimiter for one extraction, and the current one is back afterwards.
    const std::string strOther = GetFieldDelim(s, nFirst < 0 ? 0 : nFirst, ':');
    FUZZ_CHECK(g_chFieldDelim == chDelim);
    FUZZ_CHECK(CountChar(strOther, ':') == 0);

    // Replacing a single byte replaces each occurrence once.
    std::string strReplaced = s;
    const int nReplaced = ReplaceAll(strReplaced, "<>", std::string(1, chDelim));
    FUZZ_CHECK(nReplaced == nDelims);
    FUZZ_CHECK(strReplaced.size() == s.size() + static_cast<size_t>(nDelims));
    std::string strEmptyOld = s;
    FUZZ_CHECK(ReplaceAll(strEmptyOld, "x", "") == 0 && strEmptyOld == s);

    g_chFieldDelim = chSaved;
    return 0;
}
