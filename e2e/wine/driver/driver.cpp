#include "e2e/wine/driver/driver.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstdlib>

#include "e2e/wine/driver/remote_controls.h"

namespace driver {

namespace {

constexpr DWORD POLL_MS = 20;

// A lambda converts only to the default convention, not to the __stdcall callback of 32 bits.
BOOL CALLBACK AddTopLevelWindow(HWND hWnd, LPARAM lParam) {
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}

}  // namespace

void Fail(const std::string& strWhat) {
    throw CFailure{strWhat};
}

bool WaitFor(DWORD dwMs, const std::function<bool()>& condition) {
    const DWORD dwStart = GetTickCount();
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount() - dwStart >= dwMs) {
            return false;
        }
        Sleep(POLL_MS);
    }
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(AddTopLevelWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

DWORD ProcessOf(HWND hWnd) {
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hWnd, &dwPid);
    return dwPid;
}

std::string Escape(const std::string& strText) {
    std::string strOut;
    for (char c : strText) {
        if (c == '\n') {
            strOut += "\\n";
        } else if (c == '\r') {
            strOut += "\\r";
        } else if (c == '\t') {
            strOut += "\\t";
        } else {
            strOut += c;
        }
    }
    return strOut;
}

// The hook goes with the driver: left to the system, Wine kept it alive into the next driver's
// run and every caption was recorded twice.
CDriver::~CDriver() {
    if (m_hHook != nullptr) {
        UnhookWindowsHookEx(m_hHook);
    }
}

bool CDriver::Run(const std::string& strLine) {
    std::istringstream words(strLine);
    std::string strCommand;
    words >> strCommand;
    const auto it = Commands().find(strCommand);
    if (it == Commands().end()) {
        return false;
    }
    m_pWords = &words;
    (this->*(it->second))();
    return true;
}

const std::map<std::string, CDriver::Handler>& CDriver::Commands() {
    static const std::map<std::string, Handler> commands = {
        {"sheet", &CDriver::CmdSheet},
        {"page", &CDriver::CmdPage},
        {"press", &CDriver::CmdPress},
        {"buttons", &CDriver::CmdButtons},
        {"title", &CDriver::CmdTitle},
        {"text", &CDriver::CmdText},
        {"wait-text", &CDriver::CmdWaitText},
        {"enabled", &CDriver::CmdEnabled},
        {"checked", &CDriver::CmdChecked},
        {"click", &CDriver::CmdClick},
        {"checklist", &CDriver::CmdCheckList},
        {"tick", &CDriver::CmdTick},
        {"listview", &CDriver::CmdListView},
        {"popup", &CDriver::CmdPopup},
        {"popup-rect", &CDriver::CmdPopupRect},
        {"popup-text", &CDriver::CmdPopupText},
        {"popup-key", &CDriver::CmdPopupKey},
        {"popup-busy", &CDriver::CmdPopupBusy},
        {"popup-gone", &CDriver::CmdPopupGone},
        {"msgbox", &CDriver::CmdMsgBox},
        {"msgbox-ok", &CDriver::CmdMsgBoxOk},
        {"msgbox-yes", &CDriver::CmdMsgBoxYes},
        {"msgbox-no", &CDriver::CmdMsgBoxNo},
        {"no-msgbox", &CDriver::CmdNoMsgBox},
        {"helpwindow", &CDriver::CmdHelpWindow},
        {"close-help", &CDriver::CmdCloseHelp},
        {"rect", &CDriver::CmdRect},
        {"hook", &CDriver::CmdHook},
        {"gone", &CDriver::CmdGone},
        {"pause", &CDriver::CmdPause},
    };
    return commands;
}

DWORD CDriver::NumberArg() {
    std::string strWord;
    if (!(*m_pWords >> strWord)) {
        Fail("missing number");
    }
    return static_cast<DWORD>(std::strtoul(strWord.c_str(), nullptr, 0));
}

std::string CDriver::WordArg() {
    std::string strWord;
    if (!(*m_pWords >> strWord)) {
        Fail("missing argument");
    }
    return strWord;
}

// The rest of the command line, without the blank before it.
std::string CDriver::RestArg() {
    std::string strRest;
    std::getline(*m_pWords, strRest);
    if (!strRest.empty() && strRest[0] == ' ') {
        strRest.erase(0, 1);
    }
    return strRest;
}

HWND CDriver::Sheet() {
    if (m_hSheet == nullptr || !IsWindow(m_hSheet)) {
        m_hSheet = FindSheet(m_strSheetCaption);
    }
    if (m_hSheet == nullptr) {
        Fail("no sheet \"" + m_strSheetCaption + "\"");
    }
    return m_hSheet;
}

HWND CDriver::FindSheet(const std::string& strCaption) {
    for (HWND hWnd : TopLevelWindows()) {
        if (IsWindowVisible(hWnd) && remote::ClassName(hWnd) == "#32770" &&
            remote::WindowText(hWnd) == strCaption && GetDlgItem(hWnd, ID_NEXT) != nullptr) {
            return hWnd;
        }
    }
    return nullptr;
}

HWND CDriver::CurrentPage() {
    LRESULT nPage = 0;
    remote::Send(Sheet(), PSM_GETCURRENTPAGEHWND, 0, 0, &nPage);
    return reinterpret_cast<HWND>(nPage);
}

// The template number of the current page, 0 while the sheet does not answer.
int CDriver::CurrentTemplate() {
    const HWND hPage = CurrentPage();
    LRESULT nIndex = -1;
    LRESULT nId = 0;
    if (hPage == nullptr ||
        !remote::Send(Sheet(), PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(hPage), 0, &nIndex) || nIndex < 0 ||
        !remote::Send(Sheet(), PSM_INDEXTOID, static_cast<WPARAM>(nIndex), 0, &nId)) {
        return 0;
    }
    return static_cast<int>(nId);
}

HWND CDriver::PageControl(int nId) {
    const HWND hPage = CurrentPage();
    const HWND hControl = hPage != nullptr ? GetDlgItem(hPage, nId) : nullptr;
    if (hControl == nullptr) {
        Fail("no control " + std::to_string(nId) + " on page " + std::to_string(CurrentTemplate()));
    }
    return hControl;
}

// The progress popup: a visible top-level window of the sheet's program holding a progress bar.
// Visible, because it is made at (0, 0) and shown only once it has been placed.
HWND CDriver::FindPopup() {
    const DWORD dwPid = ProcessOf(Sheet());
    for (HWND hWnd : TopLevelWindows()) {
        const HWND hBar = GetDlgItem(hWnd, ID_POPUP_BAR);
        if (ProcessOf(hWnd) == dwPid && hWnd != m_hSheet && hBar != nullptr && IsWindowVisible(hWnd) &&
            remote::ClassName(hBar) == PROGRESS_CLASSA) {
            return hWnd;
        }
    }
    return nullptr;
}

HWND CDriver::Popup() {
    const HWND hPopup = FindPopup();
    if (hPopup == nullptr) {
        Fail("no progress popup");
    }
    return hPopup;
}

// A message box of the sheet's program: a visible dialog that is neither the sheet nor its page.
HWND CDriver::FindMsgBox() {
    const DWORD dwPid = ProcessOf(Sheet());
    for (HWND hWnd : TopLevelWindows()) {
        if (hWnd != m_hSheet && ProcessOf(hWnd) == dwPid && IsWindowVisible(hWnd) &&
            remote::ClassName(hWnd) == "#32770" &&
            (GetDlgItem(hWnd, IDOK) != nullptr || GetDlgItem(hWnd, IDYES) != nullptr)) {
            return hWnd;
        }
    }
    return nullptr;
}

HWND CDriver::FindHelpWindow() {
    for (HWND hWnd : TopLevelWindows()) {
        if (remote::ClassName(hWnd) == "HH Parent") {
            return hWnd;
        }
    }
    return nullptr;
}

void CDriver::PostKey(HWND hWnd, UINT nVk, char cChar) {
    PostMessageA(hWnd, WM_KEYDOWN, nVk, 1);
    if (cChar != '\0') {
        PostMessageA(hWnd, WM_CHAR, static_cast<unsigned char>(cChar), 1);
    }
    PostMessageA(hWnd, WM_KEYUP, nVk, 0xC0000001);
}

}  // namespace driver
