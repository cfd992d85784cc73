// Classes: CMessageBoxSeen, CMessageBoxWatcher, CPopupSeen, CPopupWatcher.
// Win32 calls that the host's tests make around the windows under test (an owner window, the
// cursor, the profile file, watchers of message boxes and of the progress popup, list view headings,
// system colours and screenshots; driving a sheet is win32_sheet_test_util.h), in the plain types
// of win32_api.h: tests of seam-side code cannot include <windows.h>. Defined in
// win32_test_util.cpp, linked into the tests only.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/win32/win32_api.h"

namespace win32::test {

// A visible top-level window standing for the wizard sheet; destroyed with win32::DestroyWindow.
Hwnd CreateOwner(int nX, int nY, int nWidth, int nHeight);
// The first top-level window of a class, or null.
Hwnd FindTopWindow(const std::string& strClass);
// GetForegroundWindow; GetWindow(GW_OWNER).
Hwnd Foreground();
Hwnd Owner(Hwnd hWnd);
void SetCursorPos(int nX, int nY);
// Removes a section from a profile file (WritePrivateProfileStringA with no key).
void DeleteProfileSection(const std::string& strFile, const std::string& strSection);
// CoInitializeEx(NULL, single- or multi-threaded) on the calling thread, balanced with CoUninitialize
// when it succeeded: the answer tells which apartment the thread was in (S_OK none, S_FALSE the same,
// RPC_E_CHANGED_MODE the other).
long TryComApartment(bool bMultiThreaded);
// GetObjectType: whether a GDI object (a device context, a bitmap) still exists.
bool GdiObjectExists(void* hObject);
// The screen's dots per inch (GetDeviceCaps LOGPIXELSX).
int ScreenDpi();
// Removes and dispatches every message of the thread's queue, WM_QUIT included.
void DrainMessages();

// LVM_GETCOLUMNA: a report list view's column heading.
std::string ListViewHeading(Hwnd hList, int nColumn);

std::uint32_t SysColor(int nIndex);

// Copies the window as the screen shows it into a 24-bit PNG file (libpng); false when it fails.
bool SaveWindowPng(Hwnd hWnd, const std::string& strPath);

// While it lives, every message box the thread opens is recorded and answered with its OK button.
struct CMessageBoxSeen {
    Hwnd hOwner = nullptr;
    std::string strCaption;
    std::string strText;
};
class CMessageBoxWatcher {
public:
    CMessageBoxWatcher();
    ~CMessageBoxWatcher();
    CMessageBoxWatcher(const CMessageBoxWatcher&) = delete;
    CMessageBoxWatcher& operator=(const CMessageBoxWatcher&) = delete;
    const std::vector<CMessageBoxSeen>& Seen() const { return m_seen; }

private:
    friend struct CHooks;
    std::vector<CMessageBoxSeen> m_seen;
};

// While it lives, records what windows of one class (the progress popup) are shown as: every caption
// and every text of the child text area set through WM_SETTEXT, and whether their owner was enabled
// when each caption was set. fnOnCaption runs after each caption is recorded (a test clicks Cancel).
struct CPopupSeen {
    int nCreated = 0;
    std::vector<std::string> astrCaptions;
    std::vector<std::string> astrTexts;
    std::vector<bool> abOwnerEnabled;
};
class CPopupWatcher {
public:
    CPopupWatcher(std::string strClass, int nTextId);
    ~CPopupWatcher();
    CPopupWatcher(const CPopupWatcher&) = delete;
    CPopupWatcher& operator=(const CPopupWatcher&) = delete;
    const CPopupSeen& Seen() const { return m_seen; }
    void SetCaptionHandler(std::function<void(Hwnd hPopup, const std::string&)> fnOnCaption) {
        m_fnOnCaption = std::move(fnOnCaption);
    }

private:
    friend struct CHooks;
    std::string m_strClass;
    int m_nTextId;
    CPopupSeen m_seen;
    std::function<void(Hwnd, const std::string&)> m_fnOnCaption;
};

}  // namespace win32::test
