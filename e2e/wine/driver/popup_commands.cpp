// The commands on the windows the program opens over its sheet: the progress popup, message boxes,
// the HTML Help window, and the hook that records every process's captions.
#include "e2e/wine/driver/driver.h"

#include <cstdio>

#include "e2e/wine/driver/remote_controls.h"

namespace driver {

void CDriver::CmdPopup() {
    const DWORD dwMs = NumberArg();
    if (!WaitFor(dwMs, [&] { return FindPopup() != nullptr; })) {
        Fail("no progress popup appeared");
    }
    std::printf("popup\n");
}

void CDriver::CmdPopupRect() {
    RECT rect{};
    GetWindowRect(Popup(), &rect);
    std::printf("popup-rect %ld %ld\n", static_cast<long>(rect.left), static_cast<long>(rect.top));
}

// Waits until the popup's text holds the given text (line breaks written as \n).
void CDriver::CmdPopupText() {
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
void CDriver::CmdPopupBusy() {
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

void CDriver::CmdPopupKey() {
    const std::string strKey = WordArg();
    if (strKey != "esc") {
        Fail("unknown key " + strKey);
    }
    PostKey(Popup(), VK_ESCAPE, '\x1b');
}

void CDriver::CmdPopupGone() {
    const DWORD dwMs = NumberArg();
    if (!WaitFor(dwMs, [&] { return FindPopup() == nullptr; })) {
        Fail("the progress popup did not close");
    }
    std::printf("popup-gone\n");
}

void CDriver::CmdMsgBox() {
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

void CDriver::CmdMsgBoxOk() {
    PressMsgBoxButton(IDOK);
}

void CDriver::CmdMsgBoxYes() {
    PressMsgBoxButton(IDYES);
}

void CDriver::CmdMsgBoxNo() {
    PressMsgBoxButton(IDNO);
}

void CDriver::PressMsgBoxButton(int nButton) {
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

void CDriver::CmdNoMsgBox() {
    const DWORD dwMs = NumberArg();
    if (WaitFor(dwMs, [&] { return FindMsgBox() != nullptr; })) {
        Fail("a message box appeared: " + remote::WindowText(FindMsgBox()));
    }
    std::printf("no-msgbox\n");
}

void CDriver::CmdHelpWindow() {
    const DWORD dwMs = NumberArg();
    if (!WaitFor(dwMs, [&] { return FindHelpWindow() != nullptr; })) {
        Fail("no help window appeared");
    }
    std::printf("helpwindow\n");
}

void CDriver::CmdCloseHelp() {
    const HWND hHelp = FindHelpWindow();
    if (hHelp == nullptr) {
        Fail("no help window to close");
    }
    PostMessageA(hHelp, WM_CLOSE, 0, 0);
    if (!WaitFor(5000, [&] { return FindHelpWindow() == nullptr; })) {
        Fail("the help window did not close");
    }
}

void CDriver::CmdHook() {
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

}  // namespace driver
