// The help-page converter over any text; the first byte chooses the wrap width.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_check.h"
#include "resources/help_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    if (nSize < 1) {
        return 0;
    }
    const int nWidth = pData[0] % 128;
    const std::string strHtml(reinterpret_cast<const char*>(pData + 1), nSize - 1);
    const std::vector<std::string> astrLines = HtmlToTextLines(strHtml, nWidth);
    const size_t nColumns = static_cast<size_t>(nWidth < 8 ? 8 : nWidth);
    for (const std::string& strLine : astrLines) {
        FUZZ_CHECK(strLine.size() <= nColumns);
        FUZZ_CHECK(strLine.find('\n') == std::string::npos && strLine.find('\r') == std::string::npos);
    }
    return 0;
}
