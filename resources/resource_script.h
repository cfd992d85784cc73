// Classes: CDialogControl, CDialogTemplate, CResourceScript.
// The program's resource script (res/nimbrel.rc) read at run time: CDialogControl, CDialogTemplate and
// CResourceScript hold the string table and the dialog templates, so that the terminal and headless
// hosts lay out the same pages as the Windows build.
//
// The reader understands the subset of the resource-compiler language the script uses: #define of
// numeric names, #if/#ifdef/#ifndef/#else/#endif, #include "name" of the files it is given, LANGUAGE,
// STRINGTABLE, DIALOG/DIALOGEX with STYLE, EXSTYLE, CAPTION and FONT, the control statements LTEXT, RTEXT,
// CTEXT, EDITTEXT, LISTBOX, COMBOBOX, PUSHBUTTON, DEFPUSHBUTTON, GROUPBOX, CHECKBOX, AUTOCHECKBOX,
// RADIOBUTTON, AUTORADIOBUTTON and CONTROL, style expressions with "|", "NOT" and the window, dialog and
// control style names. Other resources (icons, bitmaps, user-defined blocks) are skipped. #include <...> and
// every other #directive are ignored. Lexer, preprocessor and parser are in resource_lexer.h,
// resource_preprocessor.h and resource_parser.h; the known names in resource_names.h.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/win_defs.h"
#include "resources/resource_preprocessor.h"

// What a control is, as a user interface needs to draw and drive it.
enum class EControlKind {
    Static,        // text ("Static" with SS_LEFT, SS_CENTER, SS_RIGHT, SS_SIMPLE or SS_LEFTNOWORDWRAP)
    Frame,         // rectangle, frame or etched line ("Static"), or a group box ("Button")
    Edit,          // "Edit"
    PushButton,    // "Button" with BS_PUSHBUTTON or BS_DEFPUSHBUTTON
    CheckBox,      // "Button" with BS_CHECKBOX, BS_AUTOCHECKBOX, BS_3STATE or BS_AUTO3STATE
    RadioButton,   // "Button" with BS_RADIOBUTTON or BS_AUTORADIOBUTTON
    ListBox,       // "ListBox"
    CheckListBox,  // "ListBox" with LBS_OWNERDRAWFIXED | LBS_HASSTRINGS: every item carries a check box
    ComboBox,      // "ComboBox"
    ListView,      // "SysListView32"
    Other,         // any other class or static type (icons, bitmaps, progress bars, ...)
};

enum class ETextAlign { Left, Centre, Right };

// One control of a dialog template. Positions and sizes are dialog units.
struct CDialogControl {
    EControlKind m_eKind = EControlKind::Other;
    int m_nId = -1;          // -1 for IDC_STATIC
    std::string m_strClass;  // window class as written ("Static", "Edit", "Button", "SysListView32", ...)
    std::string m_strText;   // unescaped
    int m_nX = 0;
    int m_nY = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    DWORD m_dwStyle = 0;  // with the statement's default bits, as the resource compiler builds it
    DWORD m_dwExStyle = 0;

    // Text alignment of statics and edits; left for every other kind.
    ETextAlign Align() const;
    // A static whose text is centred vertically in its rectangle (SS_CENTERIMAGE).
    bool IsVerticallyCentred() const;
    bool IsVisible() const;
    // An edit the user cannot change (ES_READONLY).
    bool IsReadOnly() const;
    // A list box that keeps its items in alphabetical order (LBS_SORT).
    bool IsSorted() const;
    bool HasBorder() const;
    bool IsTabStop() const;
};

// One DIALOG or DIALOGEX template. Whether a wizard page shows the header is the page's own flag
// (PSP_HIDEHEADER), not part of its template.
struct CDialogTemplate {
    UINT m_nId = 0;
    std::string m_strCaption;
    int m_nX = 0;
    int m_nY = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    DWORD m_dwStyle = 0;
    DWORD m_dwExStyle = 0;
    std::string m_strFontFace;
    int m_nFontSize = 0;
    std::vector<CDialogControl> m_controls;  // in template (tab) order

    // The first control with this id, or nullptr. Not useful for -1 (many statics share it).
    const CDialogControl* FindControl(int nId) const;
};

class CResourceScript {
public:
    // Reads a whole script, replacing what the object held; #include "name" reads the file of that
    // name from includes. Returns FALSE on a malformed script, with Error() saying where and why
    // ("line 12: ..."); the object then holds nothing.
    BOOL Parse(const std::string& strScript, const rc::CIncludeFiles& includes = {});
    const std::string& Error() const { return m_strError; }

    // String table entry, or nullptr when the script has no string with this id.
    const std::string* FindString(UINT nId) const;
    // The string, or an empty string when it is missing (like LoadString).
    std::string GetString(UINT nId) const;
    const CDialogTemplate* FindDialog(UINT nId) const;

    const std::map<UINT, std::string>& Strings() const { return m_mapStrings; }
    const std::map<UINT, CDialogTemplate>& Dialogs() const { return m_mapDialogs; }

private:
    std::map<UINT, std::string> m_mapStrings;
    std::map<UINT, CDialogTemplate> m_mapDialogs;
    std::string m_strError;
};

// The files the program's own script includes, embedded at build time (res/resource_ids.h).
rc::CIncludeFiles EmbeddedIncludes();

// The program's own script, embedded at build time (res/nimbrel.rc), parsed on first use. If it
// failed to parse, the returned object is empty and Error() says why.
const CResourceScript& Resources();
