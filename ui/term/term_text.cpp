#include "ui/term/term_text.h"

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
