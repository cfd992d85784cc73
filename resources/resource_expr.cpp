#include "resources/resource_parser.h"

#include <utility>

#include "resources/resource_names.h"

namespace rc {

bool CParser::NameValue(const CToken& token, DWORD* pValue) {
    auto it = m_macros.find(token.strText);
    if (it != m_macros.end()) {
        if (m_nDepth >= MAX_MACRO_DEPTH) {
            return Fail("#define " + token.strText + " refers to itself");
        }
        std::vector<CToken> body;
        std::string strError;
        if (!Tokenize(it->second.strBody, it->second.nLine, &body, &strError)) {
            return Fail("in #define " + token.strText + ": " + strError);
        }
        CParser sub(std::move(body), m_macros, m_nDepth + 1);
        if (!sub.WholeExpr(pValue)) {
            m_strError = sub.Error();
            return false;
        }
        return true;
    }
    if (FindKnownName(token.strText, pValue)) {
        return true;
    }
    return Fail("unknown name " + token.strText);
}

bool CParser::Primary(DWORD* pValue) {
    const CToken& token = Peek();
    if (token.eKind == ETokenKind::Number) {
        *pValue = Next().dwValue;
        return true;
    }
    if (token.eKind == ETokenKind::Ident && !IsBegin() && !IsEnd()) {
        return NameValue(Next(), pValue);
    }
    if (IsPunct("(")) {
        Next();
        return Expr(pValue) && Expect(")");
    }
    if (IsPunct("-") || IsPunct("~")) {
        bool bNegate = Next().strText == "-";
        if (!Primary(pValue)) {
            return false;
        }
        *pValue = bNegate ? 0u - *pValue : ~*pValue;
        return true;
    }
    return Fail("expected a value but found " + Describe(token));
}

bool CParser::Expr(DWORD* pValue, DWORD dwStart) {
    DWORD dwValue = dwStart;
    char chOp = '|';
    while (true) {
        bool bNot = false;
        if (IsIdent("NOT")) {
            Next();
            bNot = true;
        }
        DWORD dwTerm;
        if (!Primary(&dwTerm)) {
            return false;
        }
        if (bNot) {
            dwValue &= ~dwTerm;
        } else if (chOp == '|') {
            dwValue |= dwTerm;
        } else if (chOp == '+') {
            dwValue += dwTerm;
        } else if (chOp == '-') {
            dwValue -= dwTerm;
        } else {
            dwValue &= dwTerm;
        }
        if (IsPunct("|") || IsPunct("+") || IsPunct("-") || IsPunct("&")) {
            chOp = Next().strText[0];
        } else {
            break;
        }
    }
    *pValue = dwValue;
    return true;
}

bool CParser::IntExpr(int* pValue) {
    DWORD dwValue;
    if (!Expr(&dwValue)) {
        return false;
    }
    *pValue = static_cast<int>(dwValue);
    return true;
}

bool CParser::Language() {
    Next();
    DWORD dwIgnored;
    return Expr(&dwIgnored) && Expect(",") && Expr(&dwIgnored);
}

bool CParser::ResourceOptions() {
    while (Peek().eKind == ETokenKind::Ident) {
        bool bOption = IsResourceOption(Peek().strText);
        DWORD dwIgnored;
        if (bOption) {
            Next();
        } else if (IsIdent("LANGUAGE")) {
            if (!Language()) {
                return false;
            }
        } else if (IsIdent("CHARACTERISTICS") || IsIdent("VERSION")) {
            Next();
            if (!Expr(&dwIgnored)) {
                return false;
            }
        } else {
            break;
        }
    }
    return true;
}

}  // namespace rc
