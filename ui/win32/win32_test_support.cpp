#include "ui/win32/win32_test_support.h"

// <windows.h> comes before the headers that build on it.
#include <windows.h>

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

void SetCursorPos(int nX, int nY) {
    ::SetCursorPos(nX, nY);
}

void DeleteProfileSection(const std::string& strFile, const std::string& strSection) {
    WritePrivateProfileStringA(strSection.c_str(), nullptr, nullptr, strFile.c_str());
}

void DrainMessages() {
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace win32::test
