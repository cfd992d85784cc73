// Win32 calls that the host's tests make around the windows under test (an owner window, the
// cursor, the application profile's file), in the plain types of win32_api.h: tests of seam-side
// code cannot include <windows.h>. Defined in win32_test_support.cpp, linked into the tests only.
#pragma once

#include <string>

#include "ui/win32/win32_api.h"

namespace win32::test {

// A visible top-level window standing for the wizard sheet; destroyed with win32::DestroyWindow.
Hwnd CreateOwner(int nX, int nY, int nWidth, int nHeight);
// The first top-level window of a class, or null.
Hwnd FindTopWindow(const std::string& strClass);
// GetForegroundWindow.
Hwnd Foreground();
void SetCursorPos(int nX, int nY);
// Removes a section from the profile file the real OS services use (a bare name: the Windows folder).
void DeleteProfileSection(const std::string& strFile, const std::string& strSection);
// Removes and dispatches every message of the thread's queue, WM_QUIT included.
void DrainMessages();

}  // namespace win32::test
