#include "resources/resource_script.h"

#include <utility>

#include "resources/resource_lexer.h"
#include "resources/resource_names.h"
#include "resources/resource_parser.h"

extern const char g_szResourceScript[];
extern const unsigned g_szResourceScript_size;
extern const char g_szResourceIds[];
extern const unsigned g_szResourceIds_size;

ETextAlign CDialogControl::Align() const {
    if (m_eKind != EControlKind::Static && m_eKind != EControlKind::Edit) {
        return ETextAlign::Left;
    }
    // SS_CENTER / SS_RIGHT and ES_CENTER / ES_RIGHT share their values.
    DWORD dwAlign = m_eKind == EControlKind::Static ? (m_dwStyle & rc::SS_TYPEMASK) : (m_dwStyle & 0x3);
    return dwAlign == 0x1 ? ETextAlign::Centre : dwAlign == 0x2 ? ETextAlign::Right : ETextAlign::Left;
}

bool CDialogControl::IsVerticallyCentred() const {
    return m_eKind == EControlKind::Static && (m_dwStyle & rc::SS_CENTERIMAGE) != 0;
}

bool CDialogControl::IsVisible() const {
    return (m_dwStyle & rc::WS_VISIBLE) != 0;
}

bool CDialogControl::IsReadOnly() const {
    return m_eKind == EControlKind::Edit && (m_dwStyle & rc::ES_READONLY) != 0;
}

bool CDialogControl::IsSorted() const {
    return (m_eKind == EControlKind::ListBox || m_eKind == EControlKind::CheckListBox) &&
           (m_dwStyle & rc::LBS_SORT) != 0;
}

bool CDialogControl::HasBorder() const {
    return (m_dwStyle & rc::WS_BORDER) != 0;
}

bool CDialogControl::IsTabStop() const {
    return (m_dwStyle & rc::WS_TABSTOP) != 0;
}

const CDialogControl* CDialogTemplate::FindControl(int nId) const {
    for (const CDialogControl& control : m_controls) {
        if (control.m_nId == nId) {
            return &control;
        }
    }
    return nullptr;
}

BOOL CResourceScript::Parse(const std::string& strScript, const rc::CIncludeFiles& includes) {
    m_mapStrings.clear();
    m_mapDialogs.clear();
    m_strError.clear();
    std::string strText;
    std::map<std::string, rc::CMacro> macros;
    std::vector<rc::CToken> tokens;
    if (!rc::Preprocess(strScript, includes, &strText, &macros, &m_strError) ||
        !rc::Tokenize(strText, 1, &tokens, &m_strError)) {
        return FALSE;
    }
    rc::CParser parser(std::move(tokens), macros);
    std::map<UINT, std::string> strings;
    std::map<UINT, CDialogTemplate> dialogs;
    if (!parser.ParseScript(&strings, &dialogs)) {
        m_strError = parser.Error();
        return FALSE;
    }
    m_mapStrings = std::move(strings);
    m_mapDialogs = std::move(dialogs);
    return TRUE;
}

const std::string* CResourceScript::FindString(UINT nId) const {
    auto it = m_mapStrings.find(nId);
    return it == m_mapStrings.end() ? nullptr : &it->second;
}

std::string CResourceScript::GetString(UINT nId) const {
    const std::string* pString = FindString(nId);
    return pString != nullptr ? *pString : std::string();
}

const CDialogTemplate* CResourceScript::FindDialog(UINT nId) const {
    auto it = m_mapDialogs.find(nId);
    return it == m_mapDialogs.end() ? nullptr : &it->second;
}

rc::CIncludeFiles EmbeddedIncludes() {
    return {{"resource_ids.h", std::string(g_szResourceIds, g_szResourceIds_size)}};
}

const CResourceScript& Resources() {
    static const CResourceScript s_script = [] {
        CResourceScript script;
        script.Parse(std::string(g_szResourceScript, g_szResourceScript_size), EmbeddedIncludes());
        return script;
    }();
    return s_script;
}
