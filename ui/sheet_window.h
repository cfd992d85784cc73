// The wizard sheet's window as pages use it: the wizard buttons (PSM_SETWIZBUTTONS), the Finish
// text (PSM_SETFINISHTEXT), message boxes owned by the sheet and the wait cursor.
#pragma once

#include <memory>
#include <string>

#include "platform/win_defs.h"
#include "ui/controls.h"
#include "ui/progress_window.h"

constexpr DWORD PSWIZB_BACK = 1;
constexpr DWORD PSWIZB_NEXT = 2;
constexpr DWORD PSWIZB_FINISH = 4;

class ISheetWindow {
public:
    virtual ~ISheetWindow() = default;
    // PostMessage(PSM_SETWIZBUTTONS, 0, dwFlags): takes effect once the current activation completes.
    virtual void PostSetWizButtons(DWORD dwFlags) = 0;
    // SendMessage(PSM_SETFINISHTEXT, 0, text).
    virtual void SetFinishText(const std::string& strText) = 0;
    // A message box owned by the sheet, with an OK button (MB_OK) or Yes and No (MB_YESNO); returns
    // the button pressed (IDOK, IDYES, IDNO).
    virtual int MessageBox(const std::string& strText, UINT nType) = 0;
    // The hourglass while a long operation blocks the user-interface thread; calls nest.
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
    // Creates the window of a page from its dialog template when the page is first shown; the
    // controls live as long as the sheet.
    virtual IPageControls& CreatePageWindow(UINT nTemplateId) = 0;
    // A progress popup owned by this window; its window is made by IProgressWindow::Create.
    virtual std::unique_ptr<IProgressWindow> CreateProgressWindow() = 0;
    // The system's handle of the sheet's window, which owns the help windows it opens; 0 for a host
    // whose sheet is no system window.
    virtual HWND GetSafeHwnd() const { return 0; }
};

// Shows the wait cursor for one scope (MFC CWaitCursor).
class CWaitCursor {
public:
    explicit CWaitCursor(ISheetWindow& window) : m_window(window) { m_window.BeginWaitCursor(); }
    ~CWaitCursor() { m_window.EndWaitCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    ISheetWindow& m_window;
};
