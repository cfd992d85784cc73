#include "resources/help_text.h"

#include <algorithm>
#include <cctype>

namespace {
std::string Lower(std::string str) {
    std::transform(str.begin(), str.end(), str.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return str;
}

// Tags that end the running paragraph; "li" also starts a list item.
bool IsBlockTag(const std::string& strName) {
    static const char* const BLOCKS[] = {"p",  "br", "h1", "h2",  "h3",    "h4",
                                         "li", "ul", "ol", "div", "title", "tr"};
    return std::find_if(std::begin(BLOCKS), std::end(BLOCKS),
                        [&](const char* psz) { return strName == psz; }) != std::end(BLOCKS);
}

std::string DecodeEntity(const std::string& strEntity) {
    if (strEntity == "amp") {
        return "&";
    }
    if (strEntity == "lt") {
        return "<";
    }
    if (strEntity == "gt") {
        return ">";
    }
    if (strEntity == "quot") {
        return "\"";
    }
    if (strEntity == "nbsp") {
        return " ";
    }
    if (strEntity.size() > 1 && strEntity[0] == '#') {
        const bool bHex = strEntity[1] == 'x' || strEntity[1] == 'X';
        const std::string strDigits = strEntity.substr(bHex ? 2 : 1);
        if (!strDigits.empty() && strDigits.size() <= 6 &&
            std::all_of(strDigits.begin(), strDigits.end(),
                        [&](unsigned char ch) { return bHex ? std::isxdigit(ch) : std::isdigit(ch); })) {
            const long nCode = std::stol(strDigits, nullptr, bHex ? 16 : 10);
            // White space (&#10;) is a blank like any other in the text; control characters and
            // characters beyond single-byte text show as '?'.
            if (nCode < 256 && std::isspace(static_cast<unsigned char>(nCode))) {
                return " ";
            }
            const bool bPrintable = nCode >= 0x20 && nCode < 256 && nCode != 0x7F;
            return std::string(1, bPrintable ? static_cast<char>(nCode) : '?');
        }
    }
    return "&" + strEntity + ";";
}

// Appends a paragraph's words as lines of at most nWidth columns.
void Wrap(const std::string& strText, int nWidth, std::vector<std::string>* pLines) {
    std::string strLine;
    std::size_t nPos = 0;
    while (nPos < strText.size()) {
        while (nPos < strText.size() && strText[nPos] == ' ') {
            ++nPos;
        }
        std::size_t nEnd = strText.find(' ', nPos);
        if (nEnd == std::string::npos) {
            nEnd = strText.size();
        }
        std::string strWord = strText.substr(nPos, nEnd - nPos);
        nPos = nEnd;
        if (strWord.empty()) {
            continue;
        }
        while (static_cast<int>(strWord.size()) > nWidth) {  // a word longer than a line is cut
            if (!strLine.empty()) {
                pLines->push_back(strLine);
                strLine.clear();
            }
            pLines->push_back(strWord.substr(0, nWidth));
            strWord.erase(0, nWidth);
        }
        if (!strLine.empty() && static_cast<int>(strLine.size() + 1 + strWord.size()) > nWidth) {
            pLines->push_back(strLine);
            strLine.clear();
        }
        strLine += (strLine.empty() ? "" : " ") + strWord;
    }
    if (!strLine.empty()) {
        pLines->push_back(strLine);
    }
}
}  // namespace

std::vector<std::string> HtmlToTextLines(const std::string& strHtml, int nWidth) {
    nWidth = std::max(nWidth, 8);
    std::vector<std::string> lines;
    std::string strParagraph;
    bool bSkip = false;  // inside <head> … </head>, except the title
    auto flush = [&] {
        if (!strParagraph.empty() && strParagraph.find_first_not_of(' ') != std::string::npos) {
            Wrap(strParagraph, nWidth, &lines);
        }
        strParagraph.clear();
    };
    for (std::size_t i = 0; i < strHtml.size();) {
        const char ch = strHtml[i];
        if (ch == '<') {
            const std::size_t nClose = strHtml.find('>', i);
            if (nClose == std::string::npos) {
                break;  // an unterminated tag ends the page
            }
            std::string strTag = Lower(strHtml.substr(i + 1, nClose - i - 1));
            const bool bEnd = !strTag.empty() && strTag[0] == '/';
            std::string strName = strTag.substr(bEnd ? 1 : 0);
            strName = strName.substr(0, strName.find_first_of(" \t\r\n/"));
            if (strName == "head") {
                bSkip = !bEnd;
            } else if (strName == "title") {
                bSkip = bEnd;
            }
            if (IsBlockTag(strName)) {
                flush();
                if (!bEnd && strName == "li") {
                    strParagraph = "- ";
                } else if (!lines.empty() && !lines.back().empty() && strName != "li" && strName != "br") {
                    lines.emplace_back();  // a blank line between blocks
                }
            }
            i = nClose + 1;
            continue;
        }
        if (ch == '&') {
            // A reference is a name or number up to ';'; anything else after '&' (a blank, a
            // line break, a tag) makes the '&' plain text, as browsers read it.
            const std::size_t nSemi = strHtml.find(';', i);
            const auto itName = strHtml.begin() + static_cast<std::ptrdiff_t>(i) + 1;
            if (nSemi != std::string::npos && nSemi - i <= 10 &&
                std::all_of(itName, strHtml.begin() + static_cast<std::ptrdiff_t>(nSemi),
                            [](unsigned char chName) { return std::isalnum(chName) || chName == '#'; })) {
                if (!bSkip) {
                    strParagraph += DecodeEntity(strHtml.substr(i + 1, nSemi - i - 1));
                }
                i = nSemi + 1;
                continue;
            }
        }
        if (!bSkip) {
            strParagraph += std::isspace(static_cast<unsigned char>(ch)) ? ' ' : ch;
        }
        ++i;
    }
    flush();
    while (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    return lines;
}
