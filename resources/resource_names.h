// The names the resource-script reader knows without a #define (the Windows headers' style, language
// and id names) and the tables of control statements and resource options.
#pragma once

#include <string>

#include "platform/win_defs.h"

namespace rc {

// Window, dialog and control style bits (values as in the Windows headers).
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD DS_SETFONT = 0x40;
constexpr DWORD SS_TYPEMASK = 0x1F;
constexpr DWORD SS_CENTERIMAGE = 0x200;
constexpr DWORD ES_READONLY = 0x800;
constexpr DWORD BS_TYPEMASK = 0xF;
constexpr DWORD LBS_NOTIFY = 0x1;
constexpr DWORD LBS_SORT = 0x2;
constexpr DWORD LBS_OWNERDRAWFIXED = 0x10;
constexpr DWORD LBS_HASSTRINGS = 0x40;

// The value of a name the Windows headers give, or false when the name is not one of them.
bool FindKnownName(const std::string& strName, DWORD* pValue);

// Control statements: window class, default style (added to WS_CHILD | WS_VISIBLE) and whether the
// statement starts with the control's text.
struct CControlStatement {
    const char* pszKeyword;
    const char* pszClass;
    DWORD dwDefaultStyle;
    bool bHasText;
};
// The statement with this keyword (any case), or nullptr.
const CControlStatement* FindControlStatement(const std::string& strKeyword);

// A memory or loading option that may follow a resource type (MOVEABLE, DISCARDABLE, ...), any case.
bool IsResourceOption(const std::string& strWord);

}  // namespace rc
