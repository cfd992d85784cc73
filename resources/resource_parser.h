// The resource-script reader's parser: the tokens of a preprocessed script into string and dialog tables.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "resources/resource_lexer.h"
#include "resources/resource_preprocessor.h"
#include "resources/resource_script.h"

namespace rc {

// How deep a #define may refer to other #defines before it counts as referring to itself.
constexpr int MAX_MACRO_DEPTH = 32;

// Parses the token stream of a preprocessed script into a CResourceScript's tables. The script and
// its expressions are in resource_parser.cpp and resource_expr.cpp, the control statements in
// resource_controls.cpp.
class CParser {
public:
    CParser(std::vector<CToken> tokens, const std::map<std::string, CMacro>& macros, int nDepth = 0)
        : m_tokens(std::move(tokens)), m_macros(macros), m_nDepth(nDepth) {}

    const std::string& Error() const { return m_strError; }

    bool ParseScript(std::map<UINT, std::string>* pStrings, std::map<UINT, CDialogTemplate>* pDialogs);

    // A whole token list as one expression (a macro's body).
    bool WholeExpr(DWORD* pValue);

private:
    const CToken& Peek() const { return m_tokens[m_nPos]; }
    const CToken& Next();
    bool IsIdent(const char* pszWord) const;
    bool IsPunct(const char* pszPunct) const;
    bool IsBegin() const { return IsIdent("BEGIN") || IsPunct("{"); }
    bool IsEnd() const { return IsIdent("END") || IsPunct("}"); }

    bool Fail(const std::string& strWhat);
    std::string Describe(const CToken& token) const;
    bool Expect(const char* pszPunct);
    bool ExpectBegin();

    // The value of a name: a #define of the script or one of the names the Windows headers give.
    bool NameValue(const CToken& token, DWORD* pValue);

    bool Primary(DWORD* pValue);

    // A style expression: terms joined by "|", "+", "-" or "&", starting from dwStart; "NOT term"
    // clears the term's bits (the way the resource compiler takes defaults away).
    bool Expr(DWORD* pValue, DWORD dwStart = 0);

    bool IntExpr(int* pValue);

    // LANGUAGE primary, secondary: noted by the resource compiler, not needed here.
    bool Language();

    // Memory options and LANGUAGE / CHARACTERISTICS / VERSION before a block.
    bool ResourceOptions();

    bool StringTable(std::map<UINT, std::string>* pStrings);

    static bool IsName(const CToken& token);

    bool IsDefined(const std::string& strName) const;

    // "name TYPE ...": a dialog, or any other resource, which is skipped.
    bool Resource(std::map<UINT, CDialogTemplate>* pDialogs);

    bool Dialog(UINT nId, bool bExtended, std::map<UINT, CDialogTemplate>* pDialogs);

    bool ControlText(std::string* pText);

    bool Rect(CDialogControl* pControl);

    // [, exstyle [, help id]] and an optional data block.
    bool ControlTail(CDialogControl* pControl);

    bool Control(CDialogControl* pControl);

    static void Classify(CDialogControl* pControl);

    std::vector<CToken> m_tokens;
    const std::map<std::string, CMacro>& m_macros;
    int m_nDepth;
    size_t m_nPos = 0;
    std::string m_strError;
};

}  // namespace rc
