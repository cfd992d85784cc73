#include "resources/resource_script.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

extern const char g_szResourceScript[];
extern const unsigned g_szResourceScript_size;

namespace {

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

// The names a script may use in expressions without defining them.
struct CNamedValue {
    const char* pszName;
    DWORD dwValue;
};
constexpr CNamedValue KNOWN_NAMES[] = {
    {"IDC_STATIC", 0xFFFFFFFF},
    {"IDOK", 1},
    {"IDCANCEL", 2},
    // Languages.
    {"LANG_NEUTRAL", 0x00},
    {"LANG_ENGLISH", 0x09},
    {"SUBLANG_NEUTRAL", 0x00},
    {"SUBLANG_DEFAULT", 0x01},
    {"SUBLANG_ENGLISH_US", 0x01},
    // Window styles.
    {"WS_OVERLAPPED", 0},
    {"WS_POPUP", WS_POPUP},
    {"WS_CHILD", WS_CHILD},
    {"WS_MINIMIZE", 0x20000000},
    {"WS_VISIBLE", WS_VISIBLE},
    {"WS_DISABLED", 0x08000000},
    {"WS_CLIPSIBLINGS", 0x04000000},
    {"WS_CLIPCHILDREN", 0x02000000},
    {"WS_MAXIMIZE", 0x01000000},
    {"WS_CAPTION", WS_CAPTION},
    {"WS_BORDER", WS_BORDER},
    {"WS_DLGFRAME", 0x00400000},
    {"WS_VSCROLL", 0x00200000},
    {"WS_HSCROLL", 0x00100000},
    {"WS_SYSMENU", WS_SYSMENU},
    {"WS_THICKFRAME", 0x00040000},
    {"WS_GROUP", WS_GROUP},
    {"WS_TABSTOP", WS_TABSTOP},
    {"WS_MINIMIZEBOX", 0x00020000},
    {"WS_MAXIMIZEBOX", 0x00010000},
    // Extended window styles.
    {"WS_EX_DLGMODALFRAME", 0x1},
    {"WS_EX_NOPARENTNOTIFY", 0x4},
    {"WS_EX_TOPMOST", 0x8},
    {"WS_EX_TRANSPARENT", 0x20},
    {"WS_EX_TOOLWINDOW", 0x80},
    {"WS_EX_WINDOWEDGE", 0x100},
    {"WS_EX_CLIENTEDGE", 0x200},
    {"WS_EX_CONTEXTHELP", 0x400},
    {"WS_EX_RIGHT", 0x1000},
    {"WS_EX_CONTROLPARENT", 0x10000},
    {"WS_EX_STATICEDGE", 0x20000},
    {"WS_EX_APPWINDOW", 0x40000},
    // Dialog styles.
    {"DS_ABSALIGN", 0x1},
    {"DS_SYSMODAL", 0x2},
    {"DS_3DLOOK", 0x4},
    {"DS_FIXEDSYS", 0x8},
    {"DS_NOFAILCREATE", 0x10},
    {"DS_LOCALEDIT", 0x20},
    {"DS_SETFONT", DS_SETFONT},
    {"DS_MODALFRAME", 0x80},
    {"DS_NOIDLEMSG", 0x100},
    {"DS_SETFOREGROUND", 0x200},
    {"DS_CONTROL", 0x400},
    {"DS_CENTER", 0x800},
    {"DS_CENTERMOUSE", 0x1000},
    {"DS_CONTEXTHELP", 0x2000},
    {"DS_SHELLFONT", 0x48},
    // Static styles.
    {"SS_LEFT", 0x0},
    {"SS_CENTER", 0x1},
    {"SS_RIGHT", 0x2},
    {"SS_ICON", 0x3},
    {"SS_BLACKRECT", 0x4},
    {"SS_GRAYRECT", 0x5},
    {"SS_WHITERECT", 0x6},
    {"SS_BLACKFRAME", 0x7},
    {"SS_GRAYFRAME", 0x8},
    {"SS_WHITEFRAME", 0x9},
    {"SS_SIMPLE", 0xB},
    {"SS_LEFTNOWORDWRAP", 0xC},
    {"SS_OWNERDRAW", 0xD},
    {"SS_BITMAP", 0xE},
    {"SS_ENHMETAFILE", 0xF},
    {"SS_ETCHEDHORZ", 0x10},
    {"SS_ETCHEDVERT", 0x11},
    {"SS_ETCHEDFRAME", 0x12},
    {"SS_TYPEMASK", SS_TYPEMASK},
    {"SS_NOPREFIX", 0x80},
    {"SS_NOTIFY", 0x100},
    {"SS_CENTERIMAGE", SS_CENTERIMAGE},
    {"SS_RIGHTJUST", 0x400},
    {"SS_REALSIZEIMAGE", 0x800},
    {"SS_SUNKEN", 0x1000},
    {"SS_ENDELLIPSIS", 0x4000},
    {"SS_PATHELLIPSIS", 0x8000},
    {"SS_WORDELLIPSIS", 0xC000},
    // Edit styles.
    {"ES_LEFT", 0x0},
    {"ES_CENTER", 0x1},
    {"ES_RIGHT", 0x2},
    {"ES_MULTILINE", 0x4},
    {"ES_UPPERCASE", 0x8},
    {"ES_LOWERCASE", 0x10},
    {"ES_PASSWORD", 0x20},
    {"ES_AUTOVSCROLL", 0x40},
    {"ES_AUTOHSCROLL", 0x80},
    {"ES_NOHIDESEL", 0x100},
    {"ES_OEMCONVERT", 0x400},
    {"ES_READONLY", ES_READONLY},
    {"ES_WANTRETURN", 0x1000},
    {"ES_NUMBER", 0x2000},
    // Button styles.
    {"BS_PUSHBUTTON", 0x0},
    {"BS_DEFPUSHBUTTON", 0x1},
    {"BS_CHECKBOX", 0x2},
    {"BS_AUTOCHECKBOX", 0x3},
    {"BS_RADIOBUTTON", 0x4},
    {"BS_3STATE", 0x5},
    {"BS_AUTO3STATE", 0x6},
    {"BS_GROUPBOX", 0x7},
    {"BS_USERBUTTON", 0x8},
    {"BS_AUTORADIOBUTTON", 0x9},
    {"BS_OWNERDRAW", 0xB},
    {"BS_TYPEMASK", BS_TYPEMASK},
    {"BS_LEFTTEXT", 0x20},
    {"BS_TEXT", 0x0},
    {"BS_ICON", 0x40},
    {"BS_BITMAP", 0x80},
    {"BS_LEFT", 0x100},
    {"BS_RIGHT", 0x200},
    {"BS_CENTER", 0x300},
    {"BS_TOP", 0x400},
    {"BS_BOTTOM", 0x800},
    {"BS_VCENTER", 0xC00},
    {"BS_PUSHLIKE", 0x1000},
    {"BS_MULTILINE", 0x2000},
    {"BS_NOTIFY", 0x4000},
    {"BS_FLAT", 0x8000},
    // List box styles.
    {"LBS_NOTIFY", LBS_NOTIFY},
    {"LBS_SORT", LBS_SORT},
    {"LBS_NOREDRAW", 0x4},
    {"LBS_MULTIPLESEL", 0x8},
    {"LBS_OWNERDRAWFIXED", LBS_OWNERDRAWFIXED},
    {"LBS_OWNERDRAWVARIABLE", 0x20},
    {"LBS_HASSTRINGS", LBS_HASSTRINGS},
    {"LBS_USETABSTOPS", 0x80},
    {"LBS_NOINTEGRALHEIGHT", 0x100},
    {"LBS_MULTICOLUMN", 0x200},
    {"LBS_WANTKEYBOARDINPUT", 0x400},
    {"LBS_EXTENDEDSEL", 0x800},
    {"LBS_DISABLENOSCROLL", 0x1000},
    {"LBS_NODATA", 0x2000},
    {"LBS_NOSEL", 0x4000},
    {"LBS_STANDARD", 0x00A00003},
    // Combo box and scroll bar styles.
    {"CBS_SIMPLE", 0x1},
    {"CBS_DROPDOWN", 0x2},
    {"CBS_DROPDOWNLIST", 0x3},
    {"CBS_AUTOHSCROLL", 0x40},
    {"CBS_SORT", 0x100},
    {"CBS_HASSTRINGS", 0x200},
    {"CBS_NOINTEGRALHEIGHT", 0x400},
    {"SBS_HORZ", 0x0},
    {"SBS_VERT", 0x1},
    // List view and progress bar styles.
    {"LVS_ICON", 0x0},
    {"LVS_REPORT", 0x1},
    {"LVS_SMALLICON", 0x2},
    {"LVS_LIST", 0x3},
    {"LVS_TYPEMASK", 0x3},
    {"LVS_SINGLESEL", 0x4},
    {"LVS_SHOWSELALWAYS", 0x8},
    {"LVS_SORTASCENDING", 0x10},
    {"LVS_SORTDESCENDING", 0x20},
    {"LVS_SHAREIMAGELISTS", 0x40},
    {"LVS_NOLABELWRAP", 0x80},
    {"LVS_AUTOARRANGE", 0x100},
    {"LVS_EDITLABELS", 0x200},
    {"LVS_OWNERDRAWFIXED", 0x400},
    {"LVS_ALIGNTOP", 0x0},
    {"LVS_ALIGNLEFT", 0x800},
    {"LVS_OWNERDATA", 0x1000},
    {"LVS_NOSCROLL", 0x2000},
    {"LVS_NOCOLUMNHEADER", 0x4000},
    {"LVS_NOSORTHEADER", 0x8000},
    {"PBS_SMOOTH", 0x1},
    {"PBS_VERTICAL", 0x4},
};

// Control statements: window class, default style (added to WS_CHILD | WS_VISIBLE) and whether the
// statement starts with the control's text.
struct CControlStatement {
    const char* pszKeyword;
    const char* pszClass;
    DWORD dwDefaultStyle;
    bool bHasText;
};
constexpr CControlStatement CONTROL_STATEMENTS[] = {
    {"LTEXT", "Static", 0x0 | WS_GROUP, true},
    {"RTEXT", "Static", 0x2 | WS_GROUP, true},
    {"CTEXT", "Static", 0x1 | WS_GROUP, true},
    {"PUSHBUTTON", "Button", 0x0 | WS_TABSTOP, true},
    {"DEFPUSHBUTTON", "Button", 0x1 | WS_TABSTOP, true},
    {"CHECKBOX", "Button", 0x2 | WS_TABSTOP, true},
    {"AUTOCHECKBOX", "Button", 0x3 | WS_TABSTOP, true},
    {"RADIOBUTTON", "Button", 0x4, true},
    {"STATE3", "Button", 0x5 | WS_TABSTOP, true},
    {"AUTO3STATE", "Button", 0x6 | WS_TABSTOP, true},
    {"GROUPBOX", "Button", 0x7, true},
    {"AUTORADIOBUTTON", "Button", 0x9, true},
    {"EDITTEXT", "Edit", WS_BORDER | WS_TABSTOP, false},
    {"LISTBOX", "ListBox", LBS_NOTIFY | WS_BORDER, false},
    {"COMBOBOX", "ComboBox", 0x1 | WS_TABSTOP, false},
    {"SCROLLBAR", "ScrollBar", 0x0, false},
};

// Memory and loading options that may follow a resource type; they change nothing here.
constexpr const char* RESOURCE_OPTIONS[] = {"MOVEABLE",   "FIXED",       "PURE",   "IMPURE",   "PRELOAD",
                                            "LOADONCALL", "DISCARDABLE", "SHARED", "NONSHARED"};

constexpr int MAX_MACRO_DEPTH = 32;

bool EqualsNoCase(const std::string& a, const char* b) {
    size_t n = std::strlen(b);
    if (a.size() != n) {
        return false;
    }
    for (size_t i = 0; i < n; ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

bool IsIdentStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IsIdentChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

enum class ETokenKind { Ident, Number, String, Punct, End };

struct CToken {
    ETokenKind eKind = ETokenKind::End;
    std::string strText;  // identifier, punctuation or the unescaped string
    DWORD dwValue = 0;    // numbers
    int nLine = 0;
};

// Splits resource-script text into tokens. Returns false with an error on a malformed token.
class CLexer {
public:
    CLexer(const std::string& strText, int nFirstLine) : m_strText(strText), m_nLine(nFirstLine) {}

    bool Run(std::vector<CToken>* pTokens, std::string* pError) {
        while (true) {
            if (!SkipBlanksAndComments(pError)) {
                return false;
            }
            CToken token;
            token.nLine = m_nLine;
            if (m_nPos >= m_strText.size()) {
                pTokens->push_back(token);
                return true;
            }
            char c = m_strText[m_nPos];
            if (c == '"') {
                token.eKind = ETokenKind::String;
                if (!ReadString(&token.strText, pError)) {
                    return false;
                }
            } else if (std::isdigit(static_cast<unsigned char>(c))) {
                token.eKind = ETokenKind::Number;
                if (!ReadNumber(&token.dwValue, pError)) {
                    return false;
                }
            } else if (IsIdentStart(c)) {
                token.eKind = ETokenKind::Ident;
                size_t nStart = m_nPos;
                while (m_nPos < m_strText.size() && IsIdentChar(m_strText[m_nPos])) {
                    ++m_nPos;
                }
                token.strText = m_strText.substr(nStart, m_nPos - nStart);
            } else if (std::strchr(",|()-+~&{}", c) != nullptr) {
                token.eKind = ETokenKind::Punct;
                token.strText = std::string(1, c);
                ++m_nPos;
            } else {
                *pError = Where() + "unexpected character '" + std::string(1, c) + "'";
                return false;
            }
            pTokens->push_back(token);
        }
    }

private:
    std::string Where() const { return "line " + std::to_string(m_nLine) + ": "; }

    bool SkipBlanksAndComments(std::string* pError) {
        while (m_nPos < m_strText.size()) {
            char c = m_strText[m_nPos];
            if (c == '\n') {
                ++m_nLine;
                ++m_nPos;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++m_nPos;
            } else if (m_strText.compare(m_nPos, 2, "//") == 0) {
                while (m_nPos < m_strText.size() && m_strText[m_nPos] != '\n') {
                    ++m_nPos;
                }
            } else if (m_strText.compare(m_nPos, 2, "/*") == 0) {
                int nStartLine = m_nLine;
                size_t nEnd = m_strText.find("*/", m_nPos + 2);
                if (nEnd == std::string::npos) {
                    *pError = "line " + std::to_string(nStartLine) + ": comment not closed";
                    return false;
                }
                for (size_t i = m_nPos; i < nEnd; ++i) {
                    m_nLine += m_strText[i] == '\n';
                }
                m_nPos = nEnd + 2;
            } else {
                return true;
            }
        }
        return true;
    }

    // A quoted string: "" is a quote; backslash sequences \n \r \t \a \\ \" \xHH and octal \ooo.
    bool ReadString(std::string* pOut, std::string* pError) {
        ++m_nPos;  // opening quote
        while (true) {
            if (m_nPos >= m_strText.size() || m_strText[m_nPos] == '\n') {
                *pError = Where() + "string not closed";
                return false;
            }
            char c = m_strText[m_nPos++];
            if (c == '"') {
                if (m_nPos < m_strText.size() && m_strText[m_nPos] == '"') {
                    pOut->push_back('"');
                    ++m_nPos;
                    continue;
                }
                return true;
            }
            if (c != '\\' || m_nPos >= m_strText.size()) {
                pOut->push_back(c);
                continue;
            }
            char e = m_strText[m_nPos++];
            // Simple escapes in pairs (written, meant); \a is the resource compiler's right-align mark.
            static constexpr char SIMPLE_ESCAPES[] = "n\nr\rt\ta\b\\\\\"\"";
            const char* pSimple = nullptr;
            for (size_t i = 0; i + 1 < sizeof(SIMPLE_ESCAPES); i += 2) {
                if (SIMPLE_ESCAPES[i] == e) {
                    pSimple = &SIMPLE_ESCAPES[i + 1];
                    break;
                }
            }
            if (pSimple != nullptr) {
                pOut->push_back(*pSimple);
            } else if (e == 'x' || e == 'X') {
                pOut->push_back(static_cast<char>(ReadDigits(16, 2)));
            } else if (e >= '0' && e <= '7') {
                --m_nPos;
                pOut->push_back(static_cast<char>(ReadDigits(8, 3)));
            } else {
                // Not an escape: the backslash stays.
                pOut->push_back('\\');
                --m_nPos;
            }
        }
    }

    unsigned ReadDigits(unsigned nBase, int nMaxDigits) {
        unsigned nValue = 0;
        for (int i = 0; i < nMaxDigits && m_nPos < m_strText.size(); ++i) {
            int nDigit = DigitValue(m_strText[m_nPos]);
            if (nDigit < 0 || static_cast<unsigned>(nDigit) >= nBase) {
                break;
            }
            nValue = nValue * nBase + static_cast<unsigned>(nDigit);
            ++m_nPos;
        }
        return nValue & 0xFF;
    }

    static int DigitValue(char c) {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        if (c >= 'a' && c <= 'f') {
            return c - 'a' + 10;
        }
        if (c >= 'A' && c <= 'F') {
            return c - 'A' + 10;
        }
        return -1;
    }

    // Decimal or 0x hexadecimal, with an optional L or U suffix; must fit in 32 bits.
    bool ReadNumber(DWORD* pValue, std::string* pError) {
        unsigned nBase = 10;
        if (m_strText.compare(m_nPos, 2, "0x") == 0 || m_strText.compare(m_nPos, 2, "0X") == 0) {
            nBase = 16;
            m_nPos += 2;
        }
        std::uint64_t nValue = 0;
        size_t nDigits = 0;
        while (m_nPos < m_strText.size()) {
            int nDigit = DigitValue(m_strText[m_nPos]);
            if (nDigit < 0 || static_cast<unsigned>(nDigit) >= nBase) {
                break;
            }
            nValue = nValue * nBase + static_cast<unsigned>(nDigit);
            if (nValue > 0xFFFFFFFFull) {
                *pError = Where() + "number too large";
                return false;
            }
            ++m_nPos, ++nDigits;
        }
        while (m_nPos < m_strText.size() && std::strchr("LlUu", m_strText[m_nPos]) != nullptr) {
            ++m_nPos;
        }
        if (nDigits == 0 || (m_nPos < m_strText.size() && IsIdentChar(m_strText[m_nPos]))) {
            *pError = Where() + "malformed number";
            return false;
        }
        *pValue = static_cast<DWORD>(nValue);
        return true;
    }

    const std::string& m_strText;
    size_t m_nPos = 0;
    int m_nLine;
};

struct CMacro {
    std::string strBody;
    int nLine = 0;
};

// Handles the preprocessor lines: collects #define NAME VALUE, drops the lines of false #if
// branches and every directive line (lines keep their numbers for the error messages).
bool Preprocess(const std::string& strScript, std::string* pOut, std::map<std::string, CMacro>* pMacros,
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
        std::string strWhere = "line " + std::to_string(nLine) + ": ";
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
        }
        // #include, #pragma and the rest: the names they would bring are known to the reader.
    }
    if (!branches.empty()) {
        *pError = "line " + std::to_string(nLine) + ": #if without #endif";
        return false;
    }
    return true;
}

// Parses the token stream of a preprocessed script into a CResourceScript's tables.
class CParser {
public:
    CParser(std::vector<CToken> tokens, const std::map<std::string, CMacro>& macros, int nDepth = 0)
        : m_tokens(std::move(tokens)), m_macros(macros), m_nDepth(nDepth) {}

    const std::string& Error() const { return m_strError; }

    bool ParseScript(std::map<UINT, std::string>* pStrings, std::map<UINT, CDialogTemplate>* pDialogs) {
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

    // A whole token list as one expression (a macro's body).
    bool WholeExpr(DWORD* pValue) {
        if (!Expr(pValue)) {
            return false;
        }
        if (Peek().eKind != ETokenKind::End) {
            return Fail("unexpected '" + Peek().strText + "'");
        }
        return true;
    }

private:
    const CToken& Peek() const { return m_tokens[m_nPos]; }
    const CToken& Next() {
        const CToken& token = m_tokens[m_nPos];
        if (token.eKind != ETokenKind::End) {
            ++m_nPos;
        }
        return token;
    }
    bool IsIdent(const char* pszWord) const {
        return Peek().eKind == ETokenKind::Ident && EqualsNoCase(Peek().strText, pszWord);
    }
    bool IsPunct(const char* pszPunct) const {
        return Peek().eKind == ETokenKind::Punct && Peek().strText == pszPunct;
    }
    bool IsBegin() const { return IsIdent("BEGIN") || IsPunct("{"); }
    bool IsEnd() const { return IsIdent("END") || IsPunct("}"); }

    bool Fail(const std::string& strWhat) {
        if (m_strError.empty()) {
            m_strError = "line " + std::to_string(Peek().nLine) + ": " + strWhat;
        }
        return false;
    }
    std::string Describe(const CToken& token) const {
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
    bool Expect(const char* pszPunct) {
        if (!IsPunct(pszPunct)) {
            return Fail(std::string("expected '") + pszPunct + "' but found " + Describe(Peek()));
        }
        Next();
        return true;
    }
    bool ExpectBegin() {
        if (!IsBegin()) {
            return Fail("expected BEGIN but found " + Describe(Peek()));
        }
        Next();
        return true;
    }

    // The value of a name: a #define of the script or one of the names the Windows headers give.
    bool NameValue(const CToken& token, DWORD* pValue) {
        auto it = m_macros.find(token.strText);
        if (it != m_macros.end()) {
            if (m_nDepth >= MAX_MACRO_DEPTH) {
                return Fail("#define " + token.strText + " refers to itself");
            }
            std::vector<CToken> body;
            std::string strError;
            if (!CLexer(it->second.strBody, it->second.nLine).Run(&body, &strError)) {
                return Fail("in #define " + token.strText + ": " + strError);
            }
            CParser sub(std::move(body), m_macros, m_nDepth + 1);
            if (!sub.WholeExpr(pValue)) {
                m_strError = sub.Error();
                return false;
            }
            return true;
        }
        for (const CNamedValue& known : KNOWN_NAMES) {
            if (token.strText == known.pszName) {
                *pValue = known.dwValue;
                return true;
            }
        }
        return Fail("unknown name " + token.strText);
    }

    bool Primary(DWORD* pValue) {
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

    // A style expression: terms joined by "|", "+", "-" or "&", starting from dwStart; "NOT term"
    // clears the term's bits (the way the resource compiler takes defaults away).
    bool Expr(DWORD* pValue, DWORD dwStart = 0) {
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

    bool IntExpr(int* pValue) {
        DWORD dwValue;
        if (!Expr(&dwValue)) {
            return false;
        }
        *pValue = static_cast<int>(dwValue);
        return true;
    }

    // LANGUAGE primary, secondary: noted by the resource compiler, not needed here.
    bool Language() {
        Next();
        DWORD dwIgnored;
        return Expr(&dwIgnored) && Expect(",") && Expr(&dwIgnored);
    }

    // Memory options and LANGUAGE / CHARACTERISTICS / VERSION before a block.
    bool ResourceOptions() {
        while (Peek().eKind == ETokenKind::Ident) {
            bool bOption = false;
            for (const char* pszOption : RESOURCE_OPTIONS) {
                bOption = bOption || IsIdent(pszOption);
            }
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

    bool StringTable(std::map<UINT, std::string>* pStrings) {
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

    static bool IsName(const CToken& token) {
        return token.eKind == ETokenKind::Number || token.eKind == ETokenKind::Ident ||
               token.eKind == ETokenKind::String;
    }

    bool IsDefined(const std::string& strName) const {
        if (m_macros.count(strName) != 0) {
            return true;
        }
        for (const CNamedValue& known : KNOWN_NAMES) {
            if (strName == known.pszName) {
                return true;
            }
        }
        return false;
    }

    // "name TYPE ...": a dialog, or any other resource, which is skipped.
    bool Resource(std::map<UINT, CDialogTemplate>* pDialogs) {
        if (!IsName(Peek())) {
            return Fail("expected a resource but found " + Describe(Peek()));
        }
        const CToken& name = Next();
        if (!IsName(Peek())) {
            return Fail("expected a resource type after " + Describe(name) + " but found " +
                        Describe(Peek()));
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

    bool Dialog(UINT nId, bool bExtended, std::map<UINT, CDialogTemplate>* pDialogs) {
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
            m_strError =
                "line " + std::to_string(nLine) + ": dialog " + std::to_string(nId) + " defined twice";
            return false;
        }
        return true;
    }

    bool ControlText(std::string* pText) {
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

    bool Rect(CDialogControl* pControl) {
        return IntExpr(&pControl->m_nX) && Expect(",") && IntExpr(&pControl->m_nY) && Expect(",") &&
               IntExpr(&pControl->m_nWidth) && Expect(",") && IntExpr(&pControl->m_nHeight);
    }

    // [, exstyle [, help id]] and an optional data block.
    bool ControlTail(CDialogControl* pControl) {
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

    bool Control(CDialogControl* pControl) {
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
        for (const CControlStatement& statement : CONTROL_STATEMENTS) {
            if (!IsIdent(statement.pszKeyword)) {
                continue;
            }
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

    static void Classify(CDialogControl* pControl) {
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

    std::vector<CToken> m_tokens;
    const std::map<std::string, CMacro>& m_macros;
    int m_nDepth;
    size_t m_nPos = 0;
    std::string m_strError;
};

}  // namespace

ETextAlign CDialogControl::Align() const {
    if (m_eKind != EControlKind::Static && m_eKind != EControlKind::Edit) {
        return ETextAlign::Left;
    }
    // SS_CENTER / SS_RIGHT and ES_CENTER / ES_RIGHT share their values.
    DWORD dwAlign = m_eKind == EControlKind::Static ? (m_dwStyle & SS_TYPEMASK) : (m_dwStyle & 0x3);
    return dwAlign == 0x1 ? ETextAlign::Centre : dwAlign == 0x2 ? ETextAlign::Right : ETextAlign::Left;
}

bool CDialogControl::IsVerticallyCentred() const {
    return m_eKind == EControlKind::Static && (m_dwStyle & SS_CENTERIMAGE) != 0;
}

bool CDialogControl::IsVisible() const {
    return (m_dwStyle & WS_VISIBLE) != 0;
}

bool CDialogControl::IsReadOnly() const {
    return m_eKind == EControlKind::Edit && (m_dwStyle & ES_READONLY) != 0;
}

bool CDialogControl::IsSorted() const {
    return (m_eKind == EControlKind::ListBox || m_eKind == EControlKind::CheckListBox) &&
           (m_dwStyle & LBS_SORT) != 0;
}

bool CDialogControl::HasBorder() const {
    return (m_dwStyle & WS_BORDER) != 0;
}

bool CDialogControl::IsTabStop() const {
    return (m_dwStyle & WS_TABSTOP) != 0;
}

const CDialogControl* CDialogTemplate::FindControl(int nId) const {
    for (const CDialogControl& control : m_controls) {
        if (control.m_nId == nId) {
            return &control;
        }
    }
    return nullptr;
}

BOOL CResourceScript::Parse(const std::string& strScript) {
    m_mapStrings.clear();
    m_mapDialogs.clear();
    m_strError.clear();
    std::string strText;
    std::map<std::string, CMacro> macros;
    std::vector<CToken> tokens;
    if (!Preprocess(strScript, &strText, &macros, &m_strError) ||
        !CLexer(strText, 1).Run(&tokens, &m_strError)) {
        return FALSE;
    }
    CParser parser(std::move(tokens), macros);
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

const CResourceScript& Resources() {
    static const CResourceScript s_script = [] {
        CResourceScript script;
        script.Parse(std::string(g_szResourceScript, g_szResourceScript_size));
        return script;
    }();
    return s_script;
}
