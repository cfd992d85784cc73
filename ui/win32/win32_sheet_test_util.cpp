#include "ui/win32/win32_sheet_test_util.h"

// <windows.h> comes before the headers that build on it.
#include <windows.h>

#include <commctrl.h>

#include <map>

namespace win32::test {
namespace {
HWND H(Hwnd hWnd) {
    return static_cast<HWND>(hWnd);
}

// Thread timers carry no context: the script of each timer.
std::map<UINT_PTR, CSheetScript*> g_scripts;

void CALLBACK OnTimer(HWND /*hWnd*/, UINT /*nMsg*/, UINT_PTR nId, DWORD /*dwTime*/) {
    auto it = g_scripts.find(nId);
    if (it != g_scripts.end()) {
        it->second->Tick();
    }
}

struct CBoxSearch {
    HWND hOwner = nullptr;
    HWND hFound = nullptr;
};

BOOL CALLBACK FindBox(HWND hWnd, LPARAM lParam) {
    auto& search = *reinterpret_cast<CBoxSearch*>(lParam);
    char szClass[16] = {};
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (std::string(szClass) == "#32770" && GetWindow(hWnd, GW_OWNER) == search.hOwner &&
        IsWindowVisible(hWnd)) {
        search.hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

Hinstance ThisModule() {
    return GetModuleHandleA(nullptr);
}

void PressButton(Hwnd hSheet, int nButton) {
    PostMessageA(H(hSheet), PSM_PRESSBUTTON, static_cast<WPARAM>(nButton), 0);
}

void Click(Hwnd hWnd, int nX, int nY) {
    SendMessageA(H(hWnd), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(nX, nY));
    SendMessageA(H(hWnd), WM_LBUTTONUP, 0, MAKELPARAM(nX, nY));
}

void Key(Hwnd hWnd, unsigned nVirtualKey, char chTyped) {
    SendMessageA(H(hWnd), WM_KEYDOWN, nVirtualKey, 1);
    if (chTyped != '\0') {
        SendMessageA(H(hWnd), WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(chTyped)), 1);
    }
    SendMessageA(H(hWnd), WM_KEYUP, nVirtualKey, 0xC0000001);
}

void PressKeyOn(Hwnd hWindow, unsigned nVirtualKey) {
    SetForegroundWindow(H(hWindow));
    INPUT aInput[2]{};
    for (INPUT& input : aInput) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = static_cast<WORD>(nVirtualKey);
    }
    aInput[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, aInput, sizeof(INPUT));
}

CBox ListItemBox(Hwnd hList, int nIndex) {
    RECT rect{};
    SendMessageA(H(hList), LB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&rect));
    return {rect.left, rect.top, rect.right, rect.bottom};
}

void SetListSel(Hwnd hList, int nIndex) {
    SendMessageA(H(hList), LB_SETCURSEL, static_cast<WPARAM>(nIndex), 0);
}

bool StaticColors(Hwnd hDialog, Hwnd hControl, std::uint32_t* pcrText, std::uint32_t* pcrBack) {
    HDC hScreen = GetDC(nullptr);
    HDC hDC = CreateCompatibleDC(hScreen);
    const LRESULT hBrush = SendMessageA(H(hDialog), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC),
                                        reinterpret_cast<LPARAM>(hControl));
    *pcrText = GetTextColor(hDC);
    *pcrBack = GetBkColor(hDC);
    DeleteDC(hDC);
    ReleaseDC(nullptr, hScreen);
    return hBrush != 0;
}

Hwnd FindOwnedMessageBox(Hwnd hOwner, std::string* pstrText) {
    CBoxSearch search;
    search.hOwner = H(hOwner);
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&search));
    if (search.hFound != nullptr && pstrText != nullptr) {
        // A message box's text is its static of id 0xFFFF.
        *pstrText = GetText(GetDlgItem(search.hFound, 0xFFFF));
    }
    return search.hFound;
}

void PressOk(Hwnd hDialog) {
    PostMessageA(H(hDialog), WM_COMMAND, IDOK, 0);
}

CSheetScript::CSheetScript(std::vector<CStep> steps, unsigned nIntervalMs, int nMaxTicks)
    : m_steps(std::move(steps)), m_nIntervalMs(nIntervalMs), m_nMaxTicks(nMaxTicks) {}

CSheetScript::~CSheetScript() {
    if (m_nTimer != 0) {
        KillTimer(nullptr, m_nTimer);
        g_scripts.erase(m_nTimer);
    }
}

void CSheetScript::Start(Hwnd hSheet) {
    m_hSheet = hSheet;
    m_nTimer = SetTimer(nullptr, 0, m_nIntervalMs, OnTimer);
    g_scripts[m_nTimer] = this;
}

void CSheetScript::Tick() {
    // A step that sends a message may meet a tick inside it; steps never overlap.
    if (m_bInStep || Completed() || m_nFailed >= 0) {
        return;
    }
    if (++m_nTicks > m_nMaxTicks) {
        m_nFailed = m_nNext;
        // Whatever stands in the way (a message box) goes first, then the sheet.
        if (Hwnd hBox = FindOwnedMessageBox(m_hSheet, nullptr)) {
            PressOk(hBox);
        }
        PressButton(m_hSheet, PSBTN_CANCEL);
        return;
    }
    m_bInStep = true;
    const bool bHeld = m_steps[m_nNext]();
    m_bInStep = false;
    if (bHeld) {
        ++m_nNext;
    }
}

}  // namespace win32::test
