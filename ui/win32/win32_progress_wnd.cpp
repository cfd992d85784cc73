#include "ui/win32/win32_progress_wnd.h"

// <windows.h> comes before the headers that build on it.
#include <windows.h>

#include <commctrl.h>

namespace win32 {
namespace {
constexpr char POPUP_CLASS[] = "NimbrelProgressPopup";
constexpr UINT POPUP_CLASS_STYLE = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;  // 0x23
constexpr UINT NONCLIENTMETRICS_SIZE = 340;                             // the size every version accepts

HWND H(Hwnd hWnd) {
    return static_cast<HWND>(hWnd);
}

LRESULT CALLBACK PopupProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    switch (nMsg) {
        case WM_ERASEBKGND: {
            const HDC hDC = reinterpret_cast<HDC>(wParam);
            RECT rect{};
            GetClipBox(hDC, &rect);
            const HBRUSH hBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
            const HGDIOBJ hOld = SelectObject(hDC, hBrush);
            PatBlt(hDC, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, PATCOPY);
            SelectObject(hDC, hOld);
            DeleteObject(hBrush);
            return TRUE;
        }
        case WM_COMMAND: {
            auto* pEvents = reinterpret_cast<IPopupEvents*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
            if (pEvents != nullptr) {
                pEvents->OnCommand(LOWORD(wParam), HIWORD(wParam));
            }
            return 0;
        }
        case WM_NCDESTROY: {
            auto* pEvents = reinterpret_cast<IPopupEvents*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
            SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
            if (pEvents != nullptr) {
                pEvents->OnDestroyed();
            }
            break;
        }
        default:
            break;
    }
    return DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

bool RegisterPopupClass() {
    WNDCLASSA info{};
    if (GetClassInfoA(GetModuleHandleA(nullptr), POPUP_CLASS, &info)) {
        return true;
    }
    WNDCLASSA wc{};
    wc.style = POPUP_CLASS_STYLE;
    wc.lpfnWndProc = PopupProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_APPSTARTING);
    wc.lpszClassName = POPUP_CLASS;
    return RegisterClassA(&wc) != 0;
}

HWND MakeChild(HWND hParent, const char* pszClass, const char* pszText, DWORD dwStyle, int nId) {
    return CreateWindowExA(0, pszClass, pszText, dwStyle, 0, 0, 10, 10, hParent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(nId)), GetModuleHandleA(nullptr),
                           nullptr);
}
}  // namespace

Hfont CreateMessageFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = NONCLIENTMETRICS_SIZE;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, NONCLIENTMETRICS_SIZE, &metrics, 0)) {
        return nullptr;
    }
    return CreateFontIndirectA(&metrics.lfMessageFont);
}

void DeleteFont(Hfont hFont) {
    if (hFont != nullptr) {
        DeleteObject(static_cast<HFONT>(hFont));
    }
}

Hwnd CreatePopup(Hwnd hOwner, const std::string& strCaption, bool bSmooth, const std::string& strCancelLabel,
                 Hfont hFont, IPopupEvents* pEvents) {
    if (!RegisterPopupClass()) {
        return nullptr;
    }
    const HWND hWnd =
        CreateWindowExA(WS_EX_DLGMODALFRAME, POPUP_CLASS, strCaption.c_str(), WS_POPUP | WS_CAPTION, 0, 0,
                        390, 130, H(hOwner), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (hWnd == nullptr) {
        return nullptr;
    }
    SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pEvents));
    const HWND hText =
        MakeChild(hWnd, "Static", "", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 11);
    const HWND hBar =
        MakeChild(hWnd, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE | (bSmooth ? PBS_SMOOTH : 0), 12);
    const HWND hButton = MakeChild(hWnd, "Button", strCancelLabel.c_str(),
                                   WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 10);
    if (hText == nullptr || hBar == nullptr || hButton == nullptr) {
        ::DestroyWindow(hWnd);
        return nullptr;
    }
    if (hFont != nullptr) {
        SendMessageA(hButton, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), TRUE);
        SendMessageA(hText, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), TRUE);
    }
    return hWnd;
}

bool DestroyWindow(Hwnd hWnd) {
    return ::DestroyWindow(H(hWnd)) != FALSE;
}

void ModifyStyle(Hwnd hWnd, unsigned long dwRemove, unsigned long dwAdd) {
    const LONG_PTR dwStyle = GetWindowLongPtrA(H(hWnd), GWL_STYLE);
    SetWindowLongPtrA(H(hWnd), GWL_STYLE,
                      (dwStyle & ~static_cast<LONG_PTR>(dwRemove)) | static_cast<LONG_PTR>(dwAdd));
}

bool ShowWindow(Hwnd hWnd, int nCmdShow) {
    return ::ShowWindow(H(hWnd), nCmdShow) != FALSE;
}

void RedrawWindow(Hwnd hWnd, unsigned nFlags) {
    ::RedrawWindow(H(hWnd), nullptr, nullptr, nFlags);
}

void SetWindowPos(Hwnd hWnd, int nX, int nY, int nWidth, int nHeight, unsigned nFlags) {
    ::SetWindowPos(H(hWnd), nullptr, nX, nY, nWidth, nHeight, nFlags | SWP_NOZORDER);
}

void CenterWindow(Hwnd hWnd) {
    RECT rcWindow{};
    GetWindowRect(H(hWnd), &rcWindow);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    const HWND hOwner = GetWindow(H(hWnd), GW_OWNER);
    GetMonitorInfoA(MonitorFromWindow(hOwner != nullptr ? hOwner : H(hWnd), MONITOR_DEFAULTTOPRIMARY),
                    &monitor);
    RECT rcOver = monitor.rcWork;
    if (hOwner != nullptr) {
        GetWindowRect(hOwner, &rcOver);
    }
    const LONG cx = rcWindow.right - rcWindow.left;
    const LONG cy = rcWindow.bottom - rcWindow.top;
    LONG x = (rcOver.left + rcOver.right) / 2 - cx / 2;
    LONG y = (rcOver.top + rcOver.bottom) / 2 - cy / 2;
    const RECT& rcWork = monitor.rcWork;
    x = x + cx > rcWork.right ? rcWork.right - cx : x;
    y = y + cy > rcWork.bottom ? rcWork.bottom - cy : y;
    x = x < rcWork.left ? rcWork.left : x;
    y = y < rcWork.top ? rcWork.top : y;
    ::SetWindowPos(H(hWnd), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MoveChild(Hwnd hWnd, int nId, const CBox& box) {
    MoveWindow(GetDlgItem(H(hWnd), nId), box.left, box.top, box.right - box.left, box.bottom - box.top, TRUE);
}

bool HasFocus(Hwnd hWnd) {
    return GetFocus() == H(hWnd);
}

void SetFocus(Hwnd hWnd) {
    ::SetFocus(H(hWnd));
}

Hdc GetDcWithFont(Hwnd hWnd, Hfont hFont, void** phOldFont) {
    const HDC hDC = GetDC(H(hWnd));
    *phOldFont = hDC != nullptr && hFont != nullptr ? SelectObject(hDC, static_cast<HFONT>(hFont)) : nullptr;
    return hDC;
}

void ReleaseDcWithFont(Hwnd hWnd, Hdc hDC, void* hOldFont) {
    if (hOldFont != nullptr) {
        SelectObject(static_cast<HDC>(hDC), static_cast<HGDIOBJ>(hOldFont));
    }
    ReleaseDC(H(hWnd), static_cast<HDC>(hDC));
}

int DrawTextCalc(Hdc hDC, const std::string& strText, CBox& box, unsigned nFormat) {
    RECT rect{box.left, box.top, box.right, box.bottom};
    const int nHeight = DrawTextA(static_cast<HDC>(hDC), strText.c_str(), -1, &rect, nFormat);
    box = {rect.left, rect.top, rect.right, rect.bottom};
    return nHeight;
}

bool TextExtent(Hdc hDC, const std::string& strText, long* pcx, long* pcy) {
    SIZE size{};
    if (!GetTextExtentPoint32A(static_cast<HDC>(hDC), strText.c_str(), static_cast<int>(strText.size()),
                               &size)) {
        return false;
    }
    *pcx = size.cx;
    *pcy = size.cy;
    return true;
}

bool PeekNoRemove(CQueued& msg) {
    MSG queued{};
    if (!PeekMessageA(&queued, nullptr, 0, 0, PM_NOREMOVE)) {
        return false;
    }
    msg = {queued.message, queued.wParam, queued.lParam, queued.pt.x, queued.pt.y};
    return true;
}

bool PumpOne() {
    MSG msg{};
    // Removed without waiting: the caller has just peeked at a message, but a cancel handled in
    // between may have closed the popup, and its queued messages went with the window; waiting for
    // another (GetMessage) then hung the program until the user moved the mouse.
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        return true;
    }
    if (msg.message == WM_QUIT) {
        return false;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

void PostQuit(int nExitCode) {
    PostQuitMessage(nExitCode);
}

}  // namespace win32
