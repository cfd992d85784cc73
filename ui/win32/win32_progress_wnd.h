// The progress popup's real window and the thread's message queue, in plain C++ types (see
// win32_api.h): one Win32 call per function. The popup's logic is the portable CProgressPopup.
#pragma once

#include <string>

#include "ui/win32/win32_api.h"

namespace win32 {

using Hfont = void*;
using Hdc = void*;

// Receives the popup's WM_COMMAND (BN_CLICKED of its Cancel button) and the end of its window
// (WM_NCDESTROY, also when WM_CLOSE destroyed it), so that a handle is never used once it is gone.
class IPopupEvents {
public:
    virtual ~IPopupEvents() = default;
    virtual void OnCommand(int nId, unsigned nNotifyCode) = 0;
    virtual void OnDestroyed() = 0;
};

// The system message font (SPI_GETNONCLIENTMETRICS, lfMessageFont); null when it cannot be made.
Hfont CreateMessageFont();
void DeleteFont(Hfont hFont);

// The popup (class style CS_OWNDC | CS_HREDRAW | CS_VREDRAW, IDC_APPSTARTING, WS_EX_DLGMODALFRAME,
// WS_POPUP | WS_CAPTION) at (0, 0), 390 x 130, hidden, owned by hOwner, with its text area (11), bar
// (12) and Cancel button (10) on 10 x 10 placeholders. Null (and nothing left) when a window fails.
Hwnd CreatePopup(Hwnd hOwner, const std::string& strCaption, bool bSmooth, const std::string& strCancelLabel,
                 Hfont hFont, IPopupEvents* pEvents);
bool DestroyWindow(Hwnd hWnd);
void ModifyStyle(Hwnd hWnd, unsigned long dwRemove, unsigned long dwAdd);
bool ShowWindow(Hwnd hWnd, int nCmdShow);
void RedrawWindow(Hwnd hWnd, unsigned nFlags);
void SetWindowPos(Hwnd hWnd, int nX, int nY, int nWidth, int nHeight, unsigned nFlags);
// Over the owner (the screen's work area without one), kept inside the monitor's work area.
void CenterWindow(Hwnd hWnd);
void MoveChild(Hwnd hWnd, int nId, const CBox& box);
bool HasFocus(Hwnd hWnd);
void SetFocus(Hwnd hWnd);

// GetDC with the font selected; ReleaseDC restores the old font.
Hdc GetDcWithFont(Hwnd hWnd, Hfont hFont, void** phOldFont);
void ReleaseDcWithFont(Hwnd hWnd, Hdc hDC, void* hOldFont);
int DrawTextCalc(Hdc hDC, const std::string& strText, CBox& box, unsigned nFormat);
bool TextExtent(Hdc hDC, const std::string& strText, long* pcx, long* pcy);

// The thread's queue.
struct CQueued {
    unsigned nMessage = 0;
    Wparam wParam = 0;
    Lparam lParam = 0;
    long x = 0;
    long y = 0;
};
bool PeekNoRemove(CQueued& msg);
// Removes the next message without waiting (none: nothing to do), translates and dispatches it;
// false when the message was WM_QUIT.
bool PumpOne();
void PostQuit(int nExitCode);

}  // namespace win32
