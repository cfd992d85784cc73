#include "ui/win32/win32_test_util.h"

// <windows.h> comes before the headers that build on it.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <png.h>

#include <cstdio>

namespace win32::test {

Hwnd CreateOwner(int nX, int nY, int nWidth, int nHeight) {
    return CreateWindowExA(0, "Static", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nX, nY, nWidth, nHeight,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

Hwnd FindTopWindow(const std::string& strClass) {
    return FindWindowA(strClass.c_str(), nullptr);
}

Hwnd Foreground() {
    return GetForegroundWindow();
}

Hwnd Owner(Hwnd hWnd) {
    return GetWindow(static_cast<HWND>(hWnd), GW_OWNER);
}

void SetCursorPos(int nX, int nY) {
    ::SetCursorPos(nX, nY);
}

void DeleteProfileSection(const std::string& strFile, const std::string& strSection) {
    WritePrivateProfileStringA(strSection.c_str(), nullptr, nullptr, strFile.c_str());
}

long TryComApartment(bool bMultiThreaded) {
    const HRESULT hr =
        CoInitializeEx(nullptr, bMultiThreaded ? COINIT_MULTITHREADED : COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(hr)) {
        CoUninitialize();
    }
    return hr;
}

bool GdiObjectExists(void* hObject) {
    return GetObjectType(static_cast<HGDIOBJ>(hObject)) != 0;
}

int ScreenDpi() {
    HDC hScreen = GetDC(nullptr);
    const int nDpi = GetDeviceCaps(hScreen, LOGPIXELSX);
    ReleaseDC(nullptr, hScreen);
    return nDpi;
}

void DrainMessages() {
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::string ListViewHeading(Hwnd hList, int nColumn) {
    char szText[256] = {};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT;
    column.pszText = szText;
    column.cchTextMax = sizeof(szText);
    SendMessageA(static_cast<HWND>(hList), LVM_GETCOLUMNA, static_cast<WPARAM>(nColumn),
                 reinterpret_cast<LPARAM>(&column));
    return szText;
}

std::uint32_t SysColor(int nIndex) {
    return GetSysColor(nIndex);
}

namespace {
// 32-bit blue, green, red, unused top-down rows into an 8-bit RGB PNG.
bool WritePng(FILE* pFile, const unsigned char* pBits, int cx, int cy) {
    png_structp pPng = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop pInfo = pPng != nullptr ? png_create_info_struct(pPng) : nullptr;
    bool bWritten = false;
    if (pInfo != nullptr && setjmp(png_jmpbuf(pPng)) == 0) {
        png_init_io(pPng, pFile);
        png_set_IHDR(pPng, pInfo, static_cast<png_uint_32>(cx), static_cast<png_uint_32>(cy), 8,
                     PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        png_write_info(pPng, pInfo);
        png_set_bgr(pPng);
        png_set_filler(pPng, 0, PNG_FILLER_AFTER);
        for (int y = 0; y < cy; ++y) {
            png_write_row(pPng, pBits + static_cast<size_t>(y) * static_cast<size_t>(cx) * 4);
        }
        png_write_end(pPng, nullptr);
        bWritten = true;
    }
    png_destroy_write_struct(&pPng, &pInfo);
    return bWritten;
}
}  // namespace

bool SaveWindowPng(Hwnd hWnd, const std::string& strPath) {
    const HWND hWindow = static_cast<HWND>(hWnd);
    RedrawWindow(hWindow, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // Looking at the queue lets the platform put what was just painted on the screen; nothing is
    // removed from it.
    MSG msg{};
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    RECT rect{};
    GetWindowRect(hWindow, &rect);
    const int cx = rect.right - rect.left;
    const int cy = rect.bottom - rect.top;
    if (cx <= 0 || cy <= 0) {
        return false;
    }
    const HDC hScreen = GetDC(nullptr);
    const HDC hMemory = CreateCompatibleDC(hScreen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = -cy;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    const HBITMAP hBitmap = CreateDIBSection(hScreen, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    bool bSaved = false;
    if (hBitmap != nullptr) {
        const HGDIOBJ hOld = SelectObject(hMemory, hBitmap);
        BitBlt(hMemory, 0, 0, cx, cy, hScreen, rect.left, rect.top, SRCCOPY);
        GdiFlush();
        SelectObject(hMemory, hOld);
        if (FILE* pFile = std::fopen(strPath.c_str(), "wb")) {
            bSaved = WritePng(pFile, static_cast<const unsigned char*>(pBits), cx, cy);
            bSaved = std::fclose(pFile) == 0 && bSaved;
        }
        DeleteObject(hBitmap);
    }
    DeleteDC(hMemory);
    ReleaseDC(nullptr, hScreen);
    return bSaved;
}

// ---- Hooks: one of each watcher at a time, on the test's thread.
struct CHooks {
    static inline CMessageBoxWatcher* s_pBoxes = nullptr;
    static inline HHOOK s_hCbt = nullptr;
    static inline CPopupWatcher* s_pPopup = nullptr;
    static inline HHOOK s_hCallWnd = nullptr;

    static bool IsMessageBox(HWND hWnd) {
        char szClass[16] = {};
        GetClassNameA(hWnd, szClass, sizeof(szClass));
        // A message box is a dialog whose text is its static 0xFFFF.
        return std::string(szClass) == "#32770" && GetDlgItem(hWnd, 0xFFFF) != nullptr;
    }

    static LRESULT CALLBACK OnCbt(int nCode, WPARAM wParam, LPARAM lParam) {
        if (nCode == HCBT_ACTIVATE && s_pBoxes != nullptr) {
            const HWND hWnd = reinterpret_cast<HWND>(wParam);
            if (IsMessageBox(hWnd)) {
                char szCaption[256] = {};
                char szText[1024] = {};
                GetWindowTextA(hWnd, szCaption, sizeof(szCaption));
                GetDlgItemTextA(hWnd, 0xFFFF, szText, sizeof(szText));
                s_pBoxes->m_seen.push_back({GetWindow(hWnd, GW_OWNER), szCaption, szText});
                PostMessageA(hWnd, WM_COMMAND, IDOK, 0);
            }
        }
        return CallNextHookEx(s_hCbt, nCode, wParam, lParam);
    }

    static bool IsOfClass(HWND hWnd, const std::string& strClass) {
        char szClass[64] = {};
        GetClassNameA(hWnd, szClass, sizeof(szClass));
        return strClass == szClass;
    }

    static LRESULT CALLBACK OnCallWnd(int nCode, WPARAM wParam, LPARAM lParam) {
        const auto* pCall = reinterpret_cast<const CWPSTRUCT*>(lParam);
        CPopupWatcher* pWatcher = s_pPopup;
        if (nCode == HC_ACTION && pWatcher != nullptr && pCall->message == WM_SETTEXT && pCall->lParam != 0) {
            const std::string strText = reinterpret_cast<const char*>(pCall->lParam);
            if (IsOfClass(pCall->hwnd, pWatcher->m_strClass)) {
                pWatcher->m_seen.astrCaptions.push_back(strText);
                const HWND hOwner = GetWindow(pCall->hwnd, GW_OWNER);
                pWatcher->m_seen.abOwnerEnabled.push_back(hOwner != nullptr && IsWindowEnabled(hOwner));
                if (pWatcher->m_fnOnCaption) {
                    pWatcher->m_fnOnCaption(pCall->hwnd, strText);
                }
            } else if (GetDlgCtrlID(pCall->hwnd) == pWatcher->m_nTextId &&
                       IsOfClass(GetParent(pCall->hwnd), pWatcher->m_strClass)) {
                pWatcher->m_seen.astrTexts.push_back(strText);
            }
        } else if (nCode == HC_ACTION && pWatcher != nullptr && pCall->message == WM_CREATE &&
                   IsOfClass(pCall->hwnd, pWatcher->m_strClass)) {
            ++pWatcher->m_seen.nCreated;
        }
        return CallNextHookEx(s_hCallWnd, nCode, wParam, lParam);
    }
};

CMessageBoxWatcher::CMessageBoxWatcher() {
    CHooks::s_pBoxes = this;
    CHooks::s_hCbt = SetWindowsHookExA(WH_CBT, CHooks::OnCbt, nullptr, GetCurrentThreadId());
}

CMessageBoxWatcher::~CMessageBoxWatcher() {
    UnhookWindowsHookEx(CHooks::s_hCbt);
    CHooks::s_hCbt = nullptr;
    CHooks::s_pBoxes = nullptr;
}

CPopupWatcher::CPopupWatcher(std::string strClass, int nTextId)
    : m_strClass(std::move(strClass)), m_nTextId(nTextId) {
    CHooks::s_pPopup = this;
    CHooks::s_hCallWnd = SetWindowsHookExA(WH_CALLWNDPROC, CHooks::OnCallWnd, nullptr, GetCurrentThreadId());
}

CPopupWatcher::~CPopupWatcher() {
    UnhookWindowsHookEx(CHooks::s_hCallWnd);
    CHooks::s_hCallWnd = nullptr;
    CHooks::s_pPopup = nullptr;
}

}  // namespace win32::test
