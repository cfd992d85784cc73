// A small captioned popup with a text area, a progress bar and a Cancel button, shown while a long
// operation runs on the user-interface thread. The operation calls it between its steps (range, a
// line of text, a step of the bar, PumpMessages) and then asks IsCancelRequested. Run modal, it
// disables the application's main window so that its Cancel button is the only live control. Its
// position is kept in the application profile between runs.
//
// The window part (the text area m_wndText, the bar m_wndBar, the button m_btnCancel and the message
// font m_font) lives behind the UI seam in IProgressWindow, made by the owner's sheet window.
#pragma once

#include <memory>
#include <string>

#include "platform/win_defs.h"
#include "ui/progress_window.h"
#include "ui/sheet_window.h"

#if defined(__GNUC__)
#define PROGRESS_PRINTF_FORMAT(nFormat, nFirstArg) __attribute__((format(printf, nFormat, nFirstArg)))
#else
#define PROGRESS_PRINTF_FORMAT(nFormat, nFirstArg)
#endif

// Where the popup's position is kept in the application profile.
inline constexpr const char* PROGRESS_PROFILE_SECTION = "Brellix Nimbrel";
inline constexpr const char* PROGRESS_PROFILE_X = "ProgWndX";
inline constexpr const char* PROGRESS_PROFILE_Y = "ProgWndY";

class CProgressPopup : private IProgressWindowHandler {
public:
    CProgressPopup();
    // Destroys the window (DestroyWindow below) and releases it.
    virtual ~CProgressPopup();
    CProgressPopup(const CProgressPopup&) = delete;
    CProgressPopup& operator=(const CProgressPopup&) = delete;

    // Creates the window owned by pParent (the application's main window when null), lays it out,
    // places it and shows it without activating it. FALSE when there is no window to own it, the
    // popup already has a window, or the window or a child cannot be created.
    BOOL Create(ISheetWindow* pParent, const std::string& strCaption, BOOL bSmooth);
    // Creates the window if it does not exist yet (owned by the main window), then disables the main
    // window and runs modal. FALSE, with the main window left as it was, when the window cannot be had.
    BOOL BeginModal(const std::string& strCaption, BOOL bSmooth);

    // Without a window these store nothing: SetProgressRange returns 0, the others the stored position.
    // Returns the bar's previous step.
    int SetProgressRange(int nLower, int nUpper, int nStep);
    // Shows the window, updates the caption's percentage; returns the bar's previous position.
    int SetProgressPos(int nPos);
    int StepProgress();
    // printf-style text of the text area, at most 511 characters (longer text is cut); "\n" starts a
    // new line. Nothing happens without a window.
    void SetMessage(const char* pszFormat, ...) PROGRESS_PRINTF_FORMAT(2, 3);

    // Dispatches the thread's pending messages until the queue is empty or a cancel is requested.
    // Esc typed counts as Cancel when bCancelOnEscape; while modal, a click released over the Cancel
    // button counts before the button itself sees it. A WM_QUIT met is posted again.
    void PumpMessages(BOOL bCancelOnEscape);
    BOOL IsCancelRequested() const { return m_bCancelRequested; }

    void ShowPopup();
    void HidePopup();
    // Cancel: hides the popup and, when modal, closes its window at once.
    void OnCancelButton();
    // Saves the position while the window exists, ends the modal state (enabling the main window)
    // and destroys the window. FALSE when there was no window to destroy.
    virtual BOOL DestroyWindow();

protected:
    // Sizes the text area for nLines lines of nWidth pixels, the button under its right end and the
    // bar to the button's left, and the window around them.
    void LayoutControls(int nLines, int nWidth);
    // Moves the window to the saved position when it is on the screen, else centres it over its owner.
    void RestorePosition();
    void SavePosition();

    BOOL m_bCancelRequested = FALSE;
    BOOL m_bModal = FALSE;
    BOOL m_bPersistentPosition = TRUE;
    int m_nPos = 0;
    int m_nLastPercent = 0;
    int m_nStep = 1;
    int m_nUpper = 100;
    int m_nLower = 0;
    int m_nTextLines = 4;
    std::string m_strCaptionPrefix = "Progress";
    std::string m_strCancelLabel = " Cancel ";

private:
    // WM_COMMAND from the window's children.
    void OnCommand(int nId, UINT nNotifyCode) override;
    bool HasWindow() const { return m_pWnd != nullptr && m_pWnd->IsWindow(); }

    // The platform window; kept after the window is destroyed so that the main window can still be
    // enabled through it.
    std::unique_ptr<IProgressWindow> m_pWnd;
};
