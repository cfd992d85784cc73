#include "resources/resource_parser.h"

#include <utility>

#include "resources/resource_names.h"

namespace rc {

bool CParser::ParseScript(std::map<UINT, std::string>* pStrings, std::map<UINT, CDialogTemplate>* pDialogs) {
    while (Peek().eKind != ETokenKind::End) {
        if (IsIdent("LANGUAGE")) {
            if (!Language()) {
                return false;
            }
        } else if (IsIdent("STRINGTABLE")) {
            Next();
            if (!StringTable(pStrings)) {
                return false;
            }
        } else if (!Resource(pDialogs)) {
            return false;
        }
    }
    return true;
}

bool CParser::WholeExpr(DWORD* pValue) {
    if (!Expr(pValue)) {
        return false;
    }
    if (Peek().eKind != ETokenKind::End) {
        return Fail("unexpected '" + Peek().strText + "'");
    }
    return true;
}

const CToken& CParser::Next() {
    const CToken& token = m_tokens[m_nPos];
    if (token.eKind != ETokenKind::End) {
        ++m_nPos;
    }
    return token;
}

bool CParser::IsIdent(const char* pszWord) const {
    return Peek().eKind == ETokenKind::Ident && EqualsNoCase(Peek().strText, pszWord);
}

bool CParser::IsPunct(const char* pszPunct) const {
    return Peek().eKind == ETokenKind::Punct && Peek().strText == pszPunct;
}

bool CParser::Fail(const std::string& strWhat) {
    if (m_strError.empty()) {
        m_strError = "line " + std::to_string(Peek().nLine) + ": " + strWhat;
    }
    return false;
}

std::string CParser::Describe(const CToken& token) const {
    switch (token.eKind) {
        case ETokenKind::End:
            return "end of script";
        case ETokenKind::String:
            return "string \"" + token.strText + "\"";
        case ETokenKind::Number:
            return "number " + std::to_string(token.dwValue);
        default:
            return "'" + token.strText + "'";
    }
}

bool CParser::Expect(const char* pszPunct) {
    if (!IsPunct(pszPunct)) {
        return Fail(std::string("expected '") + pszPunct + "' but found " + Describe(Peek()));
    }
    Next();
    return true;
}

bool CParser::ExpectBegin() {
    if (!IsBegin()) {
        return Fail("expected BEGIN but found " + Describe(Peek()));
    }
    Next();
    return true;
}

bool CParser::StringTable(std::map<UINT, std::string>* pStrings) {
    if (!ResourceOptions() || !ExpectBegin()) {
        return false;
    }
    while (!IsEnd()) {
        if (Peek().eKind == ETokenKind::End) {
            return Fail("STRINGTABLE without END");
        }
        int nLine = Peek().nLine;
        DWORD dwId;
        if (!Expr(&dwId)) {
            return false;
        }
        if (IsPunct(",")) {
            Next();
        }
        if (Peek().eKind != ETokenKind::String) {
            return Fail("expected the text of string " + std::to_string(dwId) + " but found " +
                        Describe(Peek()));
        }
        if (dwId > 0xFFFF) {
            return Fail("string id " + std::to_string(dwId) + " out of range");
        }
        if (!pStrings->emplace(dwId, Next().strText).second) {
            m_strError =
                "line " + std::to_string(nLine) + ": string " + std::to_string(dwId) + " defined twice";
            return false;
        }
    }
    Next();
    return true;
}

bool CParser::IsName(const CToken& token) {
    return token.eKind == ETokenKind::Number || token.eKind == ETokenKind::Ident ||
           token.eKind == ETokenKind::String;
}

bool CParser::IsDefined(const std::string& strName) const {
    DWORD dwIgnored;
    return m_macros.count(strName) != 0 || FindKnownName(strName, &dwIgnored);
}

bool CParser::Resource(std::map<UINT, CDialogTemplate>* pDialogs) {
    if (!IsName(Peek())) {
        return Fail("expected a resource but found " + Describe(Peek()));
    }
    const CToken& name = Next();
    if (!IsName(Peek())) {
        return Fail("expected a resource type after " + Describe(name) + " but found " + Describe(Peek()));
    }
    const CToken& type = Next();
    bool bDialog = type.eKind == ETokenKind::Ident && EqualsNoCase(type.strText, "DIALOG");
    bool bDialogEx = type.eKind == ETokenKind::Ident && EqualsNoCase(type.strText, "DIALOGEX");
    if (bDialog || bDialogEx) {
        DWORD dwId = name.dwValue;
        if (name.eKind == ETokenKind::String ||
            (name.eKind == ETokenKind::Ident && !IsDefined(name.strText))) {
            return Fail("dialog " + Describe(name) + " has no numeric id");
        }
        if (name.eKind == ETokenKind::Ident && !NameValue(name, &dwId)) {
            return false;
        }
        return Dialog(static_cast<UINT>(dwId), bDialogEx, pDialogs);
    }
    if (!ResourceOptions()) {
        return false;
    }
    if (Peek().eKind == ETokenKind::String) {
        Next();  // the resource's file
        return true;
    }
    if (!IsBegin()) {
        return Fail("expected a file name or BEGIN after " + Describe(type) + " but found " +
                    Describe(Peek()));
    }
    for (int nLevel = 0;;) {
        if (Peek().eKind == ETokenKind::End) {
            return Fail("BEGIN without END");
        }
        nLevel += IsBegin() ? 1 : IsEnd() ? -1 : 0;
        Next();
        if (nLevel == 0) {
            return true;
        }
    }
}

bool CParser::Dialog(UINT nId, bool bExtended, std::map<UINT, CDialogTemplate>* pDialogs) {
    int nLine = Peek().nLine;
    CDialogTemplate dialog;
    dialog.m_nId = nId;
    dialog.m_dwStyle = WS_POPUP | WS_BORDER | WS_SYSMENU;
    if (!ResourceOptions() || !IntExpr(&dialog.m_nX) || !Expect(",") || !IntExpr(&dialog.m_nY) ||
        !Expect(",") || !IntExpr(&dialog.m_nWidth) || !Expect(",") || !IntExpr(&dialog.m_nHeight)) {
        return false;
    }
    DWORD dwIgnored;
    if (bExtended && IsPunct(",")) {
        Next();
        if (!Expr(&dwIgnored)) {  // help id
            return false;
        }
    }
    bool bCaption = false;
    bool bFont = false;
    while (!IsBegin()) {
        if (IsIdent("STYLE")) {
            Next();
            if (!Expr(&dialog.m_dwStyle)) {
                return false;
            }
        } else if (IsIdent("EXSTYLE")) {
            Next();
            if (!Expr(&dialog.m_dwExStyle)) {
                return false;
            }
        } else if (IsIdent("CAPTION")) {
            Next();
            if (Peek().eKind != ETokenKind::String) {
                return Fail("CAPTION needs a string");
            }
            dialog.m_strCaption = Next().strText;
            bCaption = true;
        } else if (IsIdent("FONT")) {
            Next();
            if (!IntExpr(&dialog.m_nFontSize) || !Expect(",")) {
                return false;
            }
            if (Peek().eKind != ETokenKind::String) {
                return Fail("FONT needs a typeface name");
            }
            dialog.m_strFontFace = Next().strText;
            for (int i = 0; i < 3 && IsPunct(","); ++i) {  // weight, italic, character set
                Next();
                if (!Expr(&dwIgnored)) {
                    return false;
                }
            }
            bFont = true;
        } else if (IsIdent("MENU") || IsIdent("CLASS")) {
            Next();
            if (Peek().eKind == ETokenKind::End || Peek().eKind == ETokenKind::Punct) {
                return Fail("MENU or CLASS needs a name");
            }
            Next();
        } else if (IsIdent("LANGUAGE") || IsIdent("CHARACTERISTICS") || IsIdent("VERSION")) {
            if (!ResourceOptions()) {
                return false;
            }
        } else {
            return Fail("expected BEGIN but found " + Describe(Peek()));
        }
    }
    // The resource compiler adds the caption and font bits the statements imply.
    if (bCaption) {
        dialog.m_dwStyle |= WS_CAPTION;
    }
    if (bFont) {
        dialog.m_dwStyle |= DS_SETFONT;
    }
    Next();
    while (!IsEnd()) {
        if (Peek().eKind == ETokenKind::End) {
            return Fail("dialog " + std::to_string(nId) + " without END");
        }
        CDialogControl control;
        if (!Control(&control)) {
            return false;
        }
        dialog.m_controls.push_back(std::move(control));
    }
    Next();
    if (!pDialogs->emplace(nId, std::move(dialog)).second) {
        m_strError = "line " + std::to_string(nLine) + ": dialog " + std::to_string(nId) + " defined twice";
        return false;
    }
    return true;
}

}  // namespace rc
