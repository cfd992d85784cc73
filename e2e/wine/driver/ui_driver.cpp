// The UI driver of the Wine tests: runs in the same Wine prefix as the program and works its
// windows from outside, as a user's automation tool would. Each argument is one command; the
// commands run in order and print what they read as lines that a shell test compares. A failed
// wait or check prints "FAIL: ..." and ends the driver with status 1; every wait is bounded.
//
//   ui_driver.exe "sheet 20000 Brellix Nimbrel" "page 5000 104" "press next" "checklist 1008"
//
// Commands (ms = the bound of a wait, id = a control id on the sheet's current page):
//   sheet <ms> <caption>        wait for the property sheet with this caption
//   page <ms> <template>        wait until the current page is the one made from this template
//   press next|back|finish|cancel|help    press a sheet button (PSM_PRESSBUTTON)
//   buttons                     the sheet's Back, Next, Finish, Cancel and Help: enabled, visible, text
//   title                       the sheet's caption
//   text <id>                   a control's text;  wait-text <ms> <id> <text>
//   enabled <id>                a control's enabled state;  checked <id>  a check box's state
//   click <id>                  click a push button of the page (BM_CLICK)
//   checklist <id>              the check list's items: index, tick (item data), text
//   tick <id> <index>           select an item and press space on it
//   listview <id>               the list view's headers and cells
//   popup <ms>                  wait for the progress popup;  popup-rect (its top-left corner)
//   popup-text <ms> <text>      wait until the popup's text holds this text (\n for a line break)
//   popup-busy <ms>             wait until the popup's thread is inside a long step (does not answer)
//   popup-key esc               press Esc in the popup
//   popup-gone <ms>             wait until the popup has closed
//   msgbox <ms>                 wait for a message box of the program, print its caption and text
//   msgbox-ok                   press its OK button
//   msgbox-yes, msgbox-no       press its Yes or its No button
//   no-msgbox <ms>              fail when a message box appears within the time
//   helpwindow <ms>             wait for an HTML Help window;  close-help
//   rect                        the sheet's window rectangle (for cropping screenshots)
//   hook                        record top-level captions of every process while the driver runs
//   gone <ms>                   wait until the sheet has closed
//   pause <ms>                  let time pass (only where the program is meant to be left alone)
#include <windows.h>

#include <commctrl.h>
#include <fcntl.h>
#include <io.h>
#include <prsht.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "e2e/wine/driver/remote_controls.h"

namespace {

constexpr DWORD POLL_MS = 20;
constexpr int ID_BACK = 0x3023;
constexpr int ID_NEXT = 0x3024;
constexpr int ID_FINISH = 0x3025;
constexpr int ID_POPUP_TEXT = 11;
constexpr int ID_POPUP_BAR = 12;

struct CFailure {
    std::string strWhat;
};

[[noreturn]] void Fail(const std::string& strWhat) {
    throw CFailure{strWhat};
}

// Polls until the condition holds or the time is up.
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

// A lambda converts only to the default convention, not to the __stdcall callback of 32 bits.
BOOL CALLBACK AddTopLevelWindow(HWND hWnd, LPARAM lParam) {
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
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

class CDriver {
public:
    CDriver() = default;
    CDriver(const CDriver&) = delete;
    CDriver& operator=(const CDriver&) = delete;
    // The hook goes with the driver: left to the system, Wine kept it alive into the next driver's
    // run and every caption was recorded twice.
    ~CDriver() {
        if (m_hHook != nullptr) {
            UnhookWindowsHookEx(m_hHook);
        }
    }

    // One command line; false when the command is unknown.
    bool Run(const std::string& strLine) {
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

private:
    using Handler = void (CDriver::*)();
    static const std::map<std::string, Handler>& Commands() {
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

    // ---- arguments
    DWORD NumberArg() {
        std::string strWord;
        if (!(*m_pWords >> strWord)) {
            Fail("missing number");
        }
        return static_cast<DWORD>(std::strtoul(strWord.c_str(), nullptr, 0));
    }
    std::string WordArg() {
        std::string strWord;
        if (!(*m_pWords >> strWord)) {
            Fail("missing argument");
        }
        return strWord;
    }
    // The rest of the command line, without the blank before it.
    std::string RestArg() {
        std::string strRest;
        std::getline(*m_pWords, strRest);
        if (!strRest.empty() && strRest[0] == ' ') {
            strRest.erase(0, 1);
        }
        return strRest;
    }

    // ---- windows
    HWND Sheet() {
        if (m_hSheet == nullptr || !IsWindow(m_hSheet)) {
            m_hSheet = FindSheet(m_strSheetCaption);
        }
        if (m_hSheet == nullptr) {
            Fail("no sheet \"" + m_strSheetCaption + "\"");
        }
        return m_hSheet;
    }
    static HWND FindSheet(const std::string& strCaption) {
        for (HWND hWnd : TopLevelWindows()) {
            if (IsWindowVisible(hWnd) && remote::ClassName(hWnd) == "#32770" &&
                remote::WindowText(hWnd) == strCaption && GetDlgItem(hWnd, ID_NEXT) != nullptr) {
                return hWnd;
            }
        }
        return nullptr;
    }
    HWND CurrentPage() {
        LRESULT nPage = 0;
        remote::Send(Sheet(), PSM_GETCURRENTPAGEHWND, 0, 0, &nPage);
        return reinterpret_cast<HWND>(nPage);
    }
    // The template number of the current page, 0 while the sheet does not answer.
    int CurrentTemplate() {
        const HWND hPage = CurrentPage();
        LRESULT nIndex = -1;
        LRESULT nId = 0;
        if (hPage == nullptr ||
            !remote::Send(Sheet(), PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(hPage), 0, &nIndex) ||
            nIndex < 0 || !remote::Send(Sheet(), PSM_INDEXTOID, static_cast<WPARAM>(nIndex), 0, &nId)) {
            return 0;
        }
        return static_cast<int>(nId);
    }
    HWND PageControl(int nId) {
        const HWND hPage = CurrentPage();
        const HWND hControl = hPage != nullptr ? GetDlgItem(hPage, nId) : nullptr;
        if (hControl == nullptr) {
            Fail("no control " + std::to_string(nId) + " on page " + std::to_string(CurrentTemplate()));
        }
        return hControl;
    }
    // The progress popup: a visible top-level window of the sheet's program holding a progress bar.
    // Visible, because it is made at (0, 0) and shown only once it has been placed.
    HWND FindPopup() {
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
    HWND Popup() {
        const HWND hPopup = FindPopup();
        if (hPopup == nullptr) {
            Fail("no progress popup");
        }
        return hPopup;
    }
    // A message box of the sheet's program: a visible dialog that is neither the sheet nor its page.
    HWND FindMsgBox() {
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
    static HWND FindHelpWindow() {
        for (HWND hWnd : TopLevelWindows()) {
            if (remote::ClassName(hWnd) == "HH Parent") {
                return hWnd;
            }
        }
        return nullptr;
    }
    static void PostKey(HWND hWnd, UINT nVk, char cChar) {
        PostMessageA(hWnd, WM_KEYDOWN, nVk, 1);
        if (cChar != '\0') {
            PostMessageA(hWnd, WM_CHAR, static_cast<unsigned char>(cChar), 1);
        }
        PostMessageA(hWnd, WM_KEYUP, nVk, 0xC0000001);
    }

    // ---- commands
    void CmdSheet() {
        const DWORD dwMs = NumberArg();
        m_strSheetCaption = RestArg();
        if (!WaitFor(dwMs, [&] { return (m_hSheet = FindSheet(m_strSheetCaption)) != nullptr; })) {
            Fail("sheet \"" + m_strSheetCaption + "\" did not appear");
        }
        std::printf("sheet %s\n", m_strSheetCaption.c_str());
    }
    void CmdPage() {
        const DWORD dwMs = NumberArg();
        const int nTemplate = static_cast<int>(NumberArg());
        if (!WaitFor(dwMs, [&] { return CurrentTemplate() == nTemplate; })) {
            Fail("page " + std::to_string(nTemplate) + " not shown (showing " +
                 std::to_string(CurrentTemplate()) + ")");
        }
        std::printf("page %d\n", nTemplate);
    }
    void CmdPress() {
        static const std::map<std::string, int> buttons = {{"back", PSBTN_BACK},
                                                           {"next", PSBTN_NEXT},
                                                           {"finish", PSBTN_FINISH},
                                                           {"cancel", PSBTN_CANCEL},
                                                           {"help", PSBTN_HELP}};
        const std::string strButton = WordArg();
        const auto it = buttons.find(strButton);
        if (it == buttons.end()) {
            Fail("no sheet button " + strButton);
        }
        // Posted: the press may start a long test inside the program.
        PostMessageA(Sheet(), PSM_PRESSBUTTON, static_cast<WPARAM>(it->second), 0);
    }
    void CmdButtons() {
        const struct {
            const char* pszName;
            int nId;
        } buttons[] = {{"back", ID_BACK},
                       {"next", ID_NEXT},
                       {"finish", ID_FINISH},
                       {"cancel", IDCANCEL},
                       {"help", IDHELP}};
        for (const auto& button : buttons) {
            const HWND hButton = GetDlgItem(Sheet(), button.nId);
            if (hButton == nullptr) {
                std::printf("button %s absent\n", button.pszName);
                continue;
            }
            std::printf("button %s enabled=%d visible=%d %s\n", button.pszName,
                        IsWindowEnabled(hButton) ? 1 : 0, IsWindowVisible(hButton) ? 1 : 0,
                        remote::WindowText(hButton).c_str());
        }
    }
    void CmdTitle() { std::printf("title %s\n", remote::WindowText(Sheet()).c_str()); }
    void CmdText() {
        const int nId = static_cast<int>(NumberArg());
        std::printf("text %d %s\n", nId, Escape(remote::WindowText(PageControl(nId))).c_str());
    }
    void CmdWaitText() {
        const DWORD dwMs = NumberArg();
        const int nId = static_cast<int>(NumberArg());
        const std::string strWanted = RestArg();
        std::string strSeen;
        if (!WaitFor(dwMs, [&] {
                const HWND hPage = CurrentPage();
                const HWND hControl = hPage != nullptr ? GetDlgItem(hPage, nId) : nullptr;
                strSeen = hControl != nullptr ? remote::WindowText(hControl) : std::string();
                return strSeen == strWanted;
            })) {
            Fail("control " + std::to_string(nId) + " shows \"" + Escape(strSeen) + "\", not \"" + strWanted +
                 "\"");
        }
        std::printf("text %d %s\n", nId, Escape(strSeen).c_str());
    }
    void CmdEnabled() {
        const int nId = static_cast<int>(NumberArg());
        std::printf("enabled %d %d\n", nId, IsWindowEnabled(PageControl(nId)) ? 1 : 0);
    }
    void CmdChecked() {
        const int nId = static_cast<int>(NumberArg());
        LRESULT nCheck = 0;
        if (!remote::Send(PageControl(nId), BM_GETCHECK, 0, 0, &nCheck)) {
            Fail("check box " + std::to_string(nId) + " did not answer");
        }
        std::printf("checked %d %d\n", nId, static_cast<int>(nCheck));
    }
    // Sent with a bound, so the click has been handled before the next command reads the page;
    // a click that opens something modal (a message box) just outlasts the bound.
    void CmdClick() { remote::Send(PageControl(static_cast<int>(NumberArg())), BM_CLICK, 0, 0, nullptr); }
    void CmdCheckList() {
        const int nId = static_cast<int>(NumberArg());
        std::vector<remote::CListItem> items;
        if (!remote::ListBoxItems(PageControl(nId), &items)) {
            Fail("list " + std::to_string(nId) + " did not answer");
        }
        for (size_t i = 0; i < items.size(); ++i) {
            std::printf("item %zu %ld %s\n", i, static_cast<long>(items[i].nData), items[i].strText.c_str());
        }
    }
    void CmdTick() {
        const int nId = static_cast<int>(NumberArg());
        const HWND hList = PageControl(nId);
        const WPARAM nIndex = NumberArg();
        LRESULT nBefore = 0;
        if (!remote::Send(hList, LB_SETCURSEL, nIndex, 0, nullptr) ||
            !remote::Send(hList, LB_GETITEMDATA, nIndex, 0, &nBefore)) {
            Fail("list " + std::to_string(nId) + " did not answer");
        }
        PostKey(hList, VK_SPACE, ' ');
        // The key is handled when the tick has changed.
        if (!WaitFor(5000, [&] {
                LRESULT nNow = nBefore;
                remote::Send(hList, LB_GETITEMDATA, nIndex, 0, &nNow);
                return nNow != nBefore;
            })) {
            Fail("space did not change the tick of item " + std::to_string(nIndex));
        }
    }
    void CmdListView() {
        const int nId = static_cast<int>(NumberArg());
        const HWND hList = PageControl(nId);
        std::vector<std::string> columns;
        std::vector<std::vector<std::string>> rows;
        if (!remote::ListViewColumns(hList, &columns) ||
            !remote::ListViewRows(hList, columns.size(), &rows)) {
            Fail("list view " + std::to_string(nId) + " did not answer");
        }
        std::printf("columns");
        for (const std::string& strColumn : columns) {
            std::printf("\t%s", strColumn.c_str());
        }
        std::printf("\n");
        for (const auto& cells : rows) {
            std::printf("row");
            for (const std::string& strCell : cells) {
                std::printf("\t%s", strCell.c_str());
            }
            std::printf("\n");
        }
    }
    void CmdPopup() {
        const DWORD dwMs = NumberArg();
        if (!WaitFor(dwMs, [&] { return FindPopup() != nullptr; })) {
            Fail("no progress popup appeared");
        }
        std::printf("popup\n");
    }
    void CmdPopupRect() {
        RECT rect{};
        GetWindowRect(Popup(), &rect);
        std::printf("popup-rect %ld %ld\n", static_cast<long>(rect.left), static_cast<long>(rect.top));
    }
    // Waits until the popup's text holds the given text (line breaks written as \n).
    void CmdPopupText() {
        const DWORD dwMs = NumberArg();
        const std::string strWanted = RestArg();
        std::string strSeen;
        if (!WaitFor(dwMs, [&] {
                // Read without a message: the popup's thread is blocked during a scan.
                char szText[512] = {};
                const HWND hPopup = FindPopup();
                if (hPopup != nullptr) {
                    GetWindowTextA(GetDlgItem(hPopup, ID_POPUP_TEXT), szText, sizeof(szText));
                }
                strSeen = Escape(szText);
                return strSeen.find(strWanted) != std::string::npos;
            })) {
            Fail("the popup shows \"" + strSeen + "\"");
        }
        std::printf("popup-text %s\n", strSeen.c_str());
    }
    // A thread that lets a message wait this long is blocked in its work (a scan), not pumping.
    void CmdPopupBusy() {
        constexpr UINT BUSY_MS = 200;
        const DWORD dwMs = NumberArg();
        if (!WaitFor(dwMs, [&] {
                DWORD_PTR nResult = 0;
                const HWND hPopup = FindPopup();
                return hPopup != nullptr &&
                       SendMessageTimeoutA(hPopup, WM_NULL, 0, 0, SMTO_NORMAL, BUSY_MS, &nResult) == 0;
            })) {
            Fail("the popup's thread never blocked");
        }
        std::printf("popup-busy\n");
    }
    void CmdPopupKey() {
        const std::string strKey = WordArg();
        if (strKey != "esc") {
            Fail("unknown key " + strKey);
        }
        PostKey(Popup(), VK_ESCAPE, '\x1b');
    }
    void CmdPopupGone() {
        const DWORD dwMs = NumberArg();
        if (!WaitFor(dwMs, [&] { return FindPopup() == nullptr; })) {
            Fail("the progress popup did not close");
        }
        std::printf("popup-gone\n");
    }
    void CmdMsgBox() {
        const DWORD dwMs = NumberArg();
        HWND hBox = nullptr;
        if (!WaitFor(dwMs, [&] { return (hBox = FindMsgBox()) != nullptr; })) {
            Fail("no message box appeared");
        }
        // The message is the box's static text that is not an icon.
        std::string strText;
        for (HWND hChild = GetWindow(hBox, GW_CHILD); hChild != nullptr;
             hChild = GetWindow(hChild, GW_HWNDNEXT)) {
            if (remote::ClassName(hChild) == "Static") {
                const std::string strChild = remote::WindowText(hChild);
                if (!strChild.empty()) {
                    strText = strChild;
                }
            }
        }
        std::printf("msgbox %s\t%s\n", remote::WindowText(hBox).c_str(), Escape(strText).c_str());
    }
    void CmdMsgBoxOk() { PressMsgBoxButton(IDOK); }
    void CmdMsgBoxYes() { PressMsgBoxButton(IDYES); }
    void CmdMsgBoxNo() { PressMsgBoxButton(IDNO); }
    void PressMsgBoxButton(int nButton) {
        const HWND hBox = FindMsgBox();
        if (hBox == nullptr) {
            Fail("no message box to close");
        }
        const HWND hButton = GetDlgItem(hBox, nButton);
        if (hButton == nullptr) {
            Fail("the message box has no button " + std::to_string(nButton));
        }
        PostMessageA(hButton, BM_CLICK, 0, 0);
        if (!WaitFor(5000, [&] { return !IsWindow(hBox); })) {
            Fail("the message box did not close");
        }
    }
    void CmdNoMsgBox() {
        const DWORD dwMs = NumberArg();
        if (WaitFor(dwMs, [&] { return FindMsgBox() != nullptr; })) {
            Fail("a message box appeared: " + remote::WindowText(FindMsgBox()));
        }
        std::printf("no-msgbox\n");
    }
    void CmdHelpWindow() {
        const DWORD dwMs = NumberArg();
        if (!WaitFor(dwMs, [&] { return FindHelpWindow() != nullptr; })) {
            Fail("no help window appeared");
        }
        std::printf("helpwindow\n");
    }
    void CmdCloseHelp() {
        const HWND hHelp = FindHelpWindow();
        if (hHelp == nullptr) {
            Fail("no help window to close");
        }
        PostMessageA(hHelp, WM_CLOSE, 0, 0);
        if (!WaitFor(5000, [&] { return FindHelpWindow() == nullptr; })) {
            Fail("the help window did not close");
        }
    }
    void CmdRect() {
        RECT rect{};
        GetWindowRect(Sheet(), &rect);
        std::printf("rect %ld %ld %ld %ld\n", static_cast<long>(rect.left), static_cast<long>(rect.top),
                    static_cast<long>(rect.right - rect.left), static_cast<long>(rect.bottom - rect.top));
    }
    void CmdHook() {
        char szPath[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, szPath, sizeof(szPath));
        std::string strDll = szPath;
        strDll = strDll.substr(0, strDll.find_last_of('\\') + 1) + "caption_hook.dll";
        const HMODULE hDll = LoadLibraryA(strDll.c_str());
        const auto pfnHook =
            hDll != nullptr
                ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(hDll, "CaptionHook")))
                : nullptr;
        if (m_hHook == nullptr && pfnHook != nullptr) {
            m_hHook = SetWindowsHookExA(WH_CALLWNDPROCRET, pfnHook, hDll, 0);
        }
        if (m_hHook == nullptr) {
            Fail("cannot install the caption hook " + strDll);
        }
        std::printf("hook\n");
    }
    void CmdGone() {
        const DWORD dwMs = NumberArg();
        if (!WaitFor(dwMs, [&] { return FindSheet(m_strSheetCaption) == nullptr; })) {
            Fail("the sheet did not close");
        }
        std::printf("gone\n");
    }
    void CmdPause() { Sleep(NumberArg()); }

    std::istringstream* m_pWords = nullptr;
    std::string m_strSheetCaption = "Brellix Nimbrel";
    HWND m_hSheet = nullptr;
    HHOOK m_hHook = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    setvbuf(stdout, nullptr, _IONBF, 0);
    CDriver driver;
    for (int i = 1; i < argc; ++i) {
        try {
            if (!driver.Run(argv[i])) {
                std::printf("FAIL: unknown command: %s\n", argv[i]);
                return 2;
            }
        } catch (const CFailure& failure) {
            std::printf("FAIL: %s: %s\n", argv[i], failure.strWhat.c_str());
            return 1;
        }
    }
    return 0;
}
