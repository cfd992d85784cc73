// Driving a real property sheet from inside its own modal loop, for the Win32 host's tests: a script
// of steps run from a thread timer (so it also runs inside a message box's loop), the sheet's
// buttons, clicks and keys sent to controls, and the message boxes a sheet owns. Plain types (see
// win32_api.h); defined in win32_sheet_test_util.cpp, linked into the tests only.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/win32/win32_api.h"

namespace win32::test {

// PSM_PRESSBUTTON's buttons.
constexpr int PSBTN_BACK = 0;
constexpr int PSBTN_NEXT = 1;
constexpr int PSBTN_FINISH = 2;
constexpr int PSBTN_CANCEL = 5;
constexpr int PSBTN_HELP = 6;
// comctl32's control ids of a wizard's own buttons.
constexpr int IDC_SHEET_BACK = 0x3023;
constexpr int IDC_SHEET_NEXT = 0x3024;
constexpr int IDC_SHEET_FINISH = 0x3025;

// The module whose resources (templates, strings) the test executable carries.
Hinstance ThisModule();

// Posts PSM_PRESSBUTTON, as a click on the button does; the sheet acts on it from its own loop.
void PressButton(Hwnd hSheet, int nButton);
// A click (WM_LBUTTONDOWN, WM_LBUTTONUP) at a point of a window's client area.
void Click(Hwnd hWnd, int nX, int nY);
// A key pressed and released on a window (WM_KEYDOWN, WM_CHAR when it types one, WM_KEYUP).
void Key(Hwnd hWnd, unsigned nVirtualKey, char chTyped);
// A key pressed and released on the keyboard (SendInput), with hWindow made the foreground window
// first: the system delivers it to the window that has the keyboard focus, as a user's key.
void PressKeyOn(Hwnd hWindow, unsigned nVirtualKey);
// LB_GETITEMRECT of a list box item.
CBox ListItemBox(Hwnd hList, int nIndex);
// LB_SETCURSEL.
void SetListSel(Hwnd hList, int nIndex);

// The colours a dialog gives a static's text: sends WM_CTLCOLORSTATIC to hDialog for hControl with
// a memory device context and reads its text and background colours back. False when the dialog
// returned no brush.
bool StaticColors(Hwnd hDialog, Hwnd hControl, std::uint32_t* pcrText, std::uint32_t* pcrBack);

// The message box (a dialog with a static text) that hOwner owns, or null; its text in *pstrText.
Hwnd FindOwnedMessageBox(Hwnd hOwner, std::string* pstrText);
// Presses a dialog's OK (WM_COMMAND IDOK, posted).
void PressOk(Hwnd hDialog);

// Runs steps in order, one attempt per tick of a thread timer, while the thread runs any message loop.
// A step returns false to be tried again on the next tick (waiting for what the sheet posts). After
// nMaxTicks ticks the script gives up: it presses Cancel on the sheet it was started for so that the
// test ends, and Failed() names the step it stood at.
class CSheetScript {
public:
    using CStep = std::function<bool()>;
    explicit CSheetScript(std::vector<CStep> steps, unsigned nIntervalMs = 30, int nMaxTicks = 600);
    ~CSheetScript();
    CSheetScript(const CSheetScript&) = delete;
    CSheetScript& operator=(const CSheetScript&) = delete;

    // Starts the ticks for this sheet (called once its window exists).
    void Start(Hwnd hSheet);
    bool Completed() const { return m_nNext == static_cast<int>(m_steps.size()); }
    // -1 while nothing failed, else the index of the step that never held.
    int Failed() const { return m_nFailed; }

    void Tick();

private:
    std::vector<CStep> m_steps;
    unsigned m_nIntervalMs;
    int m_nMaxTicks;
    int m_nTicks = 0;
    int m_nNext = 0;
    int m_nFailed = -1;
    bool m_bInStep = false;
    Hwnd m_hSheet = nullptr;
    std::uintptr_t m_nTimer = 0;
};

}  // namespace win32::test
