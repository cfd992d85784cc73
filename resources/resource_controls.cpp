#include "resources/resource_parser.h"

#include "resources/resource_names.h"

namespace rc {

bool CParser::ControlText(std::string* pText) {
    if (Peek().eKind == ETokenKind::String) {
        *pText = Next().strText;
        return true;
    }
    if (Peek().eKind == ETokenKind::Number) {  // an icon or bitmap resource id
        *pText = std::to_string(Next().dwValue);
        return true;
    }
    return Fail("expected the control's text but found " + Describe(Peek()));
}

bool CParser::Rect(CDialogControl* pControl) {
    return IntExpr(&pControl->m_nX) && Expect(",") && IntExpr(&pControl->m_nY) && Expect(",") &&
           IntExpr(&pControl->m_nWidth) && Expect(",") && IntExpr(&pControl->m_nHeight);
}

bool CParser::ControlTail(CDialogControl* pControl) {
    DWORD dwIgnored;
    if (IsPunct(",")) {
        Next();
        if (!Expr(&pControl->m_dwExStyle)) {
            return false;
        }
        if (IsPunct(",")) {
            Next();
            if (!Expr(&dwIgnored)) {
                return false;
            }
        }
    }
    if (IsBegin()) {
        while (!IsEnd()) {
            if (Peek().eKind == ETokenKind::End) {
                return Fail("control data without END");
            }
            Next();
        }
        Next();
    }
    return true;
}

bool CParser::Control(CDialogControl* pControl) {
    if (Peek().eKind != ETokenKind::Ident) {
        return Fail("expected a control but found " + Describe(Peek()));
    }
    if (IsIdent("CONTROL")) {
        Next();
        if (!ControlText(&pControl->m_strText) || !Expect(",") || !IntExpr(&pControl->m_nId) ||
            !Expect(",")) {
            return false;
        }
        if (Peek().eKind != ETokenKind::String && Peek().eKind != ETokenKind::Ident) {
            return Fail("expected the control's class but found " + Describe(Peek()));
        }
        pControl->m_strClass = Next().strText;
        if (!Expect(",") || !Expr(&pControl->m_dwStyle, WS_CHILD | WS_VISIBLE) || !Expect(",") ||
            !Rect(pControl) || !ControlTail(pControl)) {
            return false;
        }
        Classify(pControl);
        return true;
    }
    if (const CControlStatement* pStatement = FindControlStatement(Peek().strText)) {
        const CControlStatement& statement = *pStatement;
        Next();
        pControl->m_strClass = statement.pszClass;
        if (statement.bHasText && (!ControlText(&pControl->m_strText) || !Expect(","))) {
            return false;
        }
        if (!IntExpr(&pControl->m_nId) || !Expect(",") || !Rect(pControl)) {
            return false;
        }
        pControl->m_dwStyle = WS_CHILD | WS_VISIBLE | statement.dwDefaultStyle;
        if (IsPunct(",")) {
            Next();
            if (!Expr(&pControl->m_dwStyle, pControl->m_dwStyle)) {
                return false;
            }
        }
        if (!ControlTail(pControl)) {
            return false;
        }
        Classify(pControl);
        return true;
    }
    return Fail("unknown control statement " + Peek().strText);
}

void CParser::Classify(CDialogControl* pControl) {
    const std::string& strClass = pControl->m_strClass;
    DWORD dwStyle = pControl->m_dwStyle;
    EControlKind eKind = EControlKind::Other;
    if (EqualsNoCase(strClass, "Static")) {
        DWORD dwType = dwStyle & SS_TYPEMASK;
        if (dwType <= 0x2 || dwType == 0xB || dwType == 0xC) {
            eKind = EControlKind::Static;
        } else if ((dwType >= 0x4 && dwType <= 0x9) || (dwType >= 0x10 && dwType <= 0x12)) {
            eKind = EControlKind::Frame;
        }
    } else if (EqualsNoCase(strClass, "Edit")) {
        eKind = EControlKind::Edit;
    } else if (EqualsNoCase(strClass, "Button")) {
        switch (dwStyle & BS_TYPEMASK) {
            case 0x0:
            case 0x1:
                eKind = EControlKind::PushButton;
                break;
            case 0x2:
            case 0x3:
            case 0x5:
            case 0x6:
                eKind = EControlKind::CheckBox;
                break;
            case 0x4:
            case 0x9:
                eKind = EControlKind::RadioButton;
                break;
            case 0x7:
                eKind = EControlKind::Frame;
                break;
            default:
                break;
        }
    } else if (EqualsNoCase(strClass, "ListBox")) {
        DWORD dwCheck = LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
        eKind = (dwStyle & dwCheck) == dwCheck ? EControlKind::CheckListBox : EControlKind::ListBox;
    } else if (EqualsNoCase(strClass, "ComboBox")) {
        eKind = EControlKind::ComboBox;
    } else if (EqualsNoCase(strClass, "SysListView32")) {
        eKind = EControlKind::ListView;
    }
    pControl->m_eKind = eKind;
}

}  // namespace rc
