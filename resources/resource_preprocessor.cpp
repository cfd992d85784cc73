#include "resources/resource_preprocessor.h"

#include <cstdlib>
#include <vector>

#include "resources/resource_lexer.h"

namespace rc {

namespace {

struct CIncludeState {
    const CIncludeFiles& includes;
    int nIncludes = 0;
};

// One file: the script itself (strFile empty) or an included file at nDepth.
bool PreprocessFile(const std::string& strScript, const std::string& strFile, int nDepth,
                    CIncludeState* pState, std::string* pOut, std::map<std::string, CMacro>* pMacros,
                    std::string* pError) {
    struct CBranch {
        bool bActive;  // lines of this branch are kept
        bool bElseSeen;
        bool bParentActive;
    };
    std::vector<CBranch> branches;
    auto Active = [&] { return branches.empty() || branches.back().bActive; };
    size_t nPos = 0;
    int nLine = 0;
    while (nPos < strScript.size()) {
        size_t nEnd = strScript.find('\n', nPos);
        std::string strLine =
            strScript.substr(nPos, nEnd == std::string::npos ? std::string::npos : nEnd - nPos);
        nPos = nEnd == std::string::npos ? strScript.size() : nEnd + 1;
        ++nLine;
        if (!strLine.empty() && strLine.back() == '\r') {
            strLine.pop_back();
        }
        size_t nFirst = strLine.find_first_not_of(" \t");
        if (nFirst == std::string::npos || strLine[nFirst] != '#') {
            pOut->append(Active() ? strLine : std::string()).push_back('\n');
            continue;
        }
        pOut->push_back('\n');
        std::string strWhere =
            strFile + (strFile.empty() ? "" : " ") + "line " + std::to_string(nLine) + ": ";
        size_t nWord = strLine.find_first_not_of(" \t", nFirst + 1);
        size_t nWordEnd = nWord;
        while (nWordEnd < strLine.size() && IsIdentChar(strLine[nWordEnd])) {
            ++nWordEnd;
        }
        std::string strDirective = nWord == std::string::npos ? "" : strLine.substr(nWord, nWordEnd - nWord);
        std::string strRest = nWordEnd < strLine.size() ? strLine.substr(nWordEnd) : "";
        size_t nComment = strRest.find("//");
        if (nComment != std::string::npos) {
            strRest.erase(nComment);
        }
        size_t nRestStart = strRest.find_first_not_of(" \t");
        strRest = nRestStart == std::string::npos ? "" : strRest.substr(nRestStart);
        while (!strRest.empty() && (strRest.back() == ' ' || strRest.back() == '\t')) {
            strRest.pop_back();
        }
        std::string strName;
        for (size_t i = 0; i < strRest.size() && IsIdentChar(strRest[i]); ++i) {
            strName.push_back(strRest[i]);
        }
        if (strDirective == "ifdef" || strDirective == "ifndef" || strDirective == "if") {
            bool bCondition;
            if (strDirective == "if") {
                // Only the forms a resource script needs: a number, a defined name or defined(NAME).
                std::string strExpr = strRest;
                bool bDefinedTest = strExpr.rfind("defined", 0) == 0;
                if (bDefinedTest) {
                    strExpr = strExpr.substr(7);
                    std::string strArg;
                    for (char c : strExpr) {
                        if (IsIdentChar(c)) {
                            strArg.push_back(c);
                        }
                    }
                    bCondition = pMacros->count(strArg) != 0;
                } else {
                    auto it = pMacros->find(strExpr);
                    std::string strValue = it != pMacros->end() ? it->second.strBody : strExpr;
                    bCondition = !strValue.empty() && std::strtoul(strValue.c_str(), nullptr, 0) != 0;
                }
            } else {
                if (strName.empty()) {
                    *pError = strWhere + "#" + strDirective + " without a name";
                    return false;
                }
                bCondition = (pMacros->count(strName) != 0) == (strDirective == "ifdef");
            }
            bool bParent = Active();
            branches.push_back({bParent && bCondition, false, bParent});
        } else if (strDirective == "else") {
            if (branches.empty() || branches.back().bElseSeen) {
                *pError = strWhere + "#else without #if";
                return false;
            }
            CBranch& branch = branches.back();
            branch.bElseSeen = true;
            branch.bActive = branch.bParentActive && !branch.bActive;
        } else if (strDirective == "endif") {
            if (branches.empty()) {
                *pError = strWhere + "#endif without #if";
                return false;
            }
            branches.pop_back();
        } else if (strDirective == "define" && Active()) {
            if (strName.empty()) {
                *pError = strWhere + "#define without a name";
                return false;
            }
            if (strName.size() < strRest.size() && strRest[strName.size()] == '(') {
                *pError = strWhere + "macros with arguments are not supported";
                return false;
            }
            std::string strBody = strRest.substr(strName.size());
            size_t nBody = strBody.find_first_not_of(" \t");
            (*pMacros)[strName] = {nBody == std::string::npos ? "" : strBody.substr(nBody), nLine};
        } else if (strDirective == "undef" && Active()) {
            pMacros->erase(strName);
        } else if (strDirective == "include" && Active() && !strRest.empty() && strRest[0] == '"') {
            size_t nClose = strRest.find('"', 1);
            std::string strInclude = strRest.substr(1, nClose == std::string::npos ? 0 : nClose - 1);
            auto it = pState->includes.find(strInclude);
            if (nClose == std::string::npos || it == pState->includes.end()) {
                *pError = strWhere + "cannot open include file \"" + strInclude + "\"";
                return false;
            }
            if (nDepth >= MAX_INCLUDE_DEPTH || ++pState->nIncludes > MAX_INCLUDES) {
                *pError = strWhere + "#include nested too deeply or too often";
                return false;
            }
            std::string strHeaderLines;
            if (!PreprocessFile(it->second, strInclude, nDepth + 1, pState, &strHeaderLines, pMacros,
                                pError)) {
                return false;
            }
        }
        // #include <...>, #pragma and the rest: the names they would bring are known to the reader.
    }
    if (!branches.empty()) {
        *pError =
            strFile + (strFile.empty() ? "" : " ") + "line " + std::to_string(nLine) + ": #if without #endif";
        return false;
    }
    if (!strFile.empty()) {
        // An included file only defines names: whatever is left after its directives must be comments.
        std::vector<CToken> tokens;
        if (!Tokenize(*pOut, 1, &tokens, pError)) {
            *pError = strFile + " " + *pError;
            return false;
        }
        if (tokens.size() > 1) {
            *pError = strFile + " line " + std::to_string(tokens.front().nLine) +
                      ": only directives and comments may appear in an included file";
            return false;
        }
    }
    return true;
}

}  // namespace

bool Preprocess(const std::string& strScript, const CIncludeFiles& includes, std::string* pOut,
                std::map<std::string, CMacro>* pMacros, std::string* pError) {
    CIncludeState state{includes};
    return PreprocessFile(strScript, std::string(), 0, &state, pOut, pMacros, pError);
}

}  // namespace rc
