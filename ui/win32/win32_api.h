// The Win32 calls of the Windows host in plain C++ types. The UI seam (ui/*.h) gives the portable
// code Win32 names of its own (DWORD, RECT, MSG, TRUE ...) that clash with <windows.h>, so the host
// is split: the files that implement the seam include this header and never <windows.h>; the files
// that include <windows.h> (win32_api*.cpp, win32_sheet_run.cpp, win32_progress_wnd.cpp) implement
// this header and never see the seam. Nothing here decides anything: each call is one Win32 call or
// one message.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace win32 {

using Hwnd = void*;
using Hinstance = void*;
using Wparam = std::uintptr_t;
using Lparam = std::intptr_t;
using Lresult = std::intptr_t;

struct CBox {
    long left = 0;
    long top = 0;
    long right = 0;
    long bottom = 0;
};

// Any window.
Lresult Send(Hwnd hWnd, unsigned nMsg, Wparam wParam, Lparam lParam);
bool Post(Hwnd hWnd, unsigned nMsg, Wparam wParam, Lparam lParam);
std::string GetText(Hwnd hWnd);
void SetText(Hwnd hWnd, const std::string& strText);
Hwnd Child(Hwnd hDialog, int nId);
int ControlId(Hwnd hWnd);
std::string ClassName(Hwnd hWnd);
std::uint32_t Style(Hwnd hWnd);
bool IsWindow(Hwnd hWnd);
bool IsEnabled(Hwnd hWnd);
bool IsVisible(Hwnd hWnd);
Hwnd Parent(Hwnd hWnd);
CBox ClientBox(Hwnd hWnd);
CBox WindowBox(Hwnd hWnd);
// LoadStringA (named apart: <windows.h> makes LoadString a macro).
std::string ResourceString(Hinstance hInstance, unsigned nId);

// Buttons (BM_GETCHECK / BM_SETCHECK).
int ButtonCheck(Hwnd hButton);
void SetButtonCheck(Hwnd hButton, int nCheck);

// List boxes; an owner-drawn check list keeps each item's check state as its item data.
int ListAddString(Hwnd hList, const std::string& strItem);
int ListDeleteString(Hwnd hList, int nIndex);
int ListCount(Hwnd hList);
std::string ListText(Hwnd hList, int nIndex);
Lparam ListItemData(Hwnd hList, int nIndex);
void SetListItemData(Hwnd hList, int nIndex, Lparam lData);
void RedrawListItem(Hwnd hList, int nIndex);
bool IsCheckListStyle(std::uint32_t dwStyle);

// List views in report view.
std::uint32_t ListViewExStyle(Hwnd hList);
void SetListViewExStyle(Hwnd hList, std::uint32_t dwExStyle);
int ListViewInsertColumn(Hwnd hList, int nCol, const std::string& strHeading, int nFormat);
bool ListViewSetColumnWidth(Hwnd hList, int nCol, int cx);
int ListViewColumnWidth(Hwnd hList, int nCol);
int ListViewStringWidth(Hwnd hList, const std::string& strText);
int ListViewInsertItem(Hwnd hList, int nItem, const std::string& strText, Lparam lParam);
bool ListViewSetItemText(Hwnd hList, int nItem, int nSubItem, const std::string& strText);
std::string ListViewItemText(Hwnd hList, int nItem, int nSubItem);
Lparam ListViewItemData(Hwnd hList, int nItem);
int ListViewItemCount(Hwnd hList);
bool ListViewDeleteAllItems(Hwnd hList);
// The list view calls it back with the system's convention (__stdcall on 32 bits, ignored on 64).
using CompareFn = int(__stdcall*)(Lparam, Lparam, Lparam);
bool ListViewSortItems(Hwnd hList, CompareFn pfnCompare, Lparam lParamSort);
int ListViewColumnCount(Hwnd hList);

// The sheet window and the thread.
// PostMessage(PSM_SETWIZBUTTONS, 0, dwFlags) and SendMessage(PSM_SETFINISHTEXT, 0, text).
bool PostSetWizButtons(Hwnd hSheet, std::uint32_t dwFlags);
void SendSetFinishText(Hwnd hSheet, const std::string& strText);
int MessageBoxOk(Hwnd hOwner, const std::string& strText, const std::string& strCaption, unsigned nType);
// SetCursor(IDC_WAIT) for the thread's windows; returns the cursor it replaced, for RestoreCursor.
void* ShowWaitCursor();
void RestoreCursor(void* hCursor);
// InitCommonControlsEx for the classes the program's windows use (list views, progress bars, the
// property sheet's own controls).
bool InitCommonControls();
// What the user-interface thread needs before the sheet runs, for as long as this lives: the common
// controls, and a single-threaded COM apartment (CoInitializeEx with COINIT_APARTMENTTHREADED |
// COINIT_DISABLE_OLE1DDE), which ShellExecuteA asks of its caller since shell extensions may use COM.
// The apartment is left on destruction only when this entered it.
class CUiThreadSetup {
public:
    CUiThreadSetup();
    ~CUiThreadSetup();
    CUiThreadSetup(const CUiThreadSetup&) = delete;
    CUiThreadSetup& operator=(const CUiThreadSetup&) = delete;

private:
    bool m_bComEntered = false;
};
void EnableWindow(Hwnd hWnd, bool bEnable);
void SetForegroundWindow(Hwnd hWnd);
int SystemMetric(int nIndex);

}  // namespace win32
