#include "resources/resource_names.h"

#include "resources/resource_lexer.h"

namespace rc {
namespace {

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

}  // namespace

bool FindKnownName(const std::string& strName, DWORD* pValue) {
    for (const CNamedValue& known : KNOWN_NAMES) {
        if (strName == known.pszName) {
            *pValue = known.dwValue;
            return true;
        }
    }
    return false;
}

const CControlStatement* FindControlStatement(const std::string& strKeyword) {
    for (const CControlStatement& statement : CONTROL_STATEMENTS) {
        if (EqualsNoCase(strKeyword, statement.pszKeyword)) {
            return &statement;
        }
    }
    return nullptr;
}

bool IsResourceOption(const std::string& strWord) {
    for (const char* pszOption : RESOURCE_OPTIONS) {
        if (EqualsNoCase(strWord, pszOption)) {
            return true;
        }
    }
    return false;
}

}  // namespace rc
