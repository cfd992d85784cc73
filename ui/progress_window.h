// Classes: POINT, MSG, IProgressWindowHandler, IProgressWindow.
// The progress popup's window as the popup's logic uses it: a captioned popup (WS_POPUP | WS_CAPTION,
// WS_EX_DLGMODALFRAME) with a static text area, a progress bar and a Cancel button, and the calls
// the logic makes on the user-interface thread around it (system metrics, the main window, the
// thread's message queue). Each call is named after the Win32 call it stands for, so a Win32 UI can
// pass it straight through. Created by the owner's ISheetWindow::CreateProgressWindow.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win_defs.h"
#include "res/resource_ids.h"  // the children's ids (IDC_PROGRESS_*)
#include "ui/text_measurer.h"

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;

struct POINT {
    LONG x;
    LONG y;
};

// A message of the thread's queue (the window handle is left out: the logic never looks at it).
struct MSG {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    POINT pt;  // the cursor in screen coordinates when the message was posted
};

// Messages and notifications the logic looks at.
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT BN_CLICKED = 0;
constexpr WPARAM VK_ESCAPE = 0x1B;

// Window styles, ShowWindow commands, RedrawWindow and SetWindowPos flags.
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNA = 8;
constexpr UINT RDW_INVALIDATE = 0x0001;
constexpr UINT RDW_ERASE = 0x0004;
constexpr UINT RDW_FRAME = 0x0400;
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;

// GetSystemMetrics indexes.
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXEDGE = 45;
constexpr int SM_CYEDGE = 46;

// Receives the window's WM_COMMAND notifications (BN_CLICKED of the Cancel button).
class IProgressWindowHandler {
public:
    virtual ~IProgressWindowHandler() = default;
    virtual void OnCommand(int nId, UINT nNotifyCode) = 0;
};

class IProgressWindow {
public:
    // Destroys the window if it still exists; does not touch the main window.
    virtual ~IProgressWindow() = default;

    // Creates the popup at (0, 0), 390 x 130, owned by the window that made this object, hidden, with
    // the system message font (SPI_GETNONCLIENTMETRICS lfMessageFont), and its children on 10 x 10
    // placeholders: the text area (id 11, SS_LEFTNOWORDWRAP | SS_NOPREFIX, empty, message font), the
    // bar (id 12, PBS_SMOOTH when bSmooth, default font) and the button (id 10, BS_PUSHBUTTON,
    // strCancelLabel, message font). The window paints its background in COLOR_BTNFACE and sends
    // WM_COMMAND of its children to pHandler. FALSE when the window or a child cannot be created.
    virtual BOOL Create(const std::string& strCaption, BOOL bSmooth, const std::string& strCancelLabel,
                        IProgressWindowHandler* pHandler) = 0;
    // ::IsWindow: false before Create and once the window is destroyed (DestroyWindow or WM_CLOSE).
    virtual BOOL IsWindow() const = 0;
    virtual BOOL DestroyWindow() = 0;
    // SendMessage(WM_CLOSE): the default handling destroys the window.
    virtual void SendClose() = 0;

    // The caption.
    virtual void SetWindowText(const std::string& strCaption) = 0;
    // SetWindowText of the text area; "\n" starts a new line.
    virtual void SetText(const std::string& strText) = 0;
    // PBM_SETRANGE32 (wParam lower, lParam upper).
    virtual void SetBarRange32(int nLower, int nUpper) = 0;
    // PBM_SETSTEP: returns the previous step.
    virtual int SetBarStep(int nStep) = 0;
    // PBM_SETPOS: returns the previous position.
    virtual int SetBarPos(int nPos) = 0;

    // ModifyStyle, ShowWindow (returns whether the window was visible before), IsWindowVisible and
    // RedrawWindow of the whole window.
    virtual void ModifyStyle(DWORD dwRemove, DWORD dwAdd) = 0;
    virtual BOOL ShowWindow(int nCmdShow) = 0;
    virtual BOOL IsWindowVisible() const = 0;
    virtual void RedrawWindow(UINT nFlags) = 0;

    // GetWindowRect (screen coordinates), GetClientRect (left and top 0), SetWindowPos (no insert-after
    // window: SWP_NOZORDER is always given), CenterWindow over the owner.
    virtual RECT GetWindowRect() const = 0;
    virtual RECT GetClientRect() const = 0;
    virtual void SetWindowPos(int nX, int nY, int nWidth, int nHeight, UINT nFlags) = 0;
    virtual void CenterWindow() = 0;
    // MoveWindow of a child to a rectangle of the client area, repainted.
    virtual void MoveChild(int nId, const RECT& rect) = 0;
    // GetWindowRect of a child (screen coordinates).
    virtual RECT GetChildWindowRect(int nId) const = 0;
    virtual int GetSystemMetrics(int nIndex) const = 0;
    // GetDC of the window with the message font selected; null when no device context can be had.
    // ReleaseDC restores the old font and releases it.
    virtual ITextMeasurer* GetDC() = 0;
    virtual void ReleaseDC(ITextMeasurer* pDC) = 0;

    // EnableWindow of the popup, GetFocus() == the popup, SetFocus.
    virtual void EnableWindow(BOOL bEnable) = 0;
    virtual BOOL HasFocus() const = 0;
    virtual void SetFocus() = 0;
    // EnableWindow and SetForegroundWindow of the application's main window.
    virtual void EnableMainWindow(BOOL bEnable) = 0;
    virtual void SetForegroundMainWindow() = 0;

    // The thread's message queue. PeekMessageA(PM_NOREMOVE) over all windows and messages: FALSE when
    // the queue is empty.
    virtual BOOL PeekMessage(MSG& msg) = 0;
    // CWinThread::PumpMessage: removes the next message, translates and dispatches it; FALSE when it
    // was WM_QUIT.
    virtual BOOL PumpMessage() = 0;
    virtual void PostQuitMessage(int nExitCode) = 0;
};
