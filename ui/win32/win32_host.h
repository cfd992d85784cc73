// The Windows host: runs the portable sheet as comctl32's PropertySheetA over the program's dialog
// templates and hands every notification of the real sheet to it (win32_sheet_run.h). The pages
// decide everything they show; the host only passes messages between them and the windows.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/wizard_app.h"
#include "ui/sheet_window.h"
#include "ui/win32/win32_api.h"
#include "ui/win32/win32_controls.h"
#include "ui/win32/win32_sheet_run.h"

class CPropertySheetEx;

class CWin32Host : public ISheetWindow, public IWizardHost, private win32::ISheetEvents {
public:
    // hInstance holds the dialog templates and the string table (the program's, or a test's).
    explicit CWin32Host(win32::Hinstance hInstance);
    ~CWin32Host() override;
    CWin32Host(const CWin32Host&) = delete;
    CWin32Host& operator=(const CWin32Host&) = delete;

    // ISheetWindow
    void PostSetWizButtons(DWORD dwFlags) override;
    void SetFinishText(const std::string& strText) override;
    int MessageBox(const std::string& strText, UINT nType) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    IPageControls& CreatePageWindow(UINT nTemplateId) override;
    std::unique_ptr<IProgressWindow> CreateProgressWindow() override;
    HWND GetSafeHwnd() const override { return reinterpret_cast<HWND>(m_hSheet); }

    // IWizardHost: PropertySheetA with the sheet's pages, flags and banners; returns when it closed,
    // FALSE when the system could not show it.
    ISheetWindow& Window() override { return *this; }
    BOOL RunModal(CTolvaneSheet& sheet) override;

    // The sheet's window while it runs (null before and after).
    win32::Hwnd SheetHandle() const { return m_hSheet; }
    // The window of a page that has been shown, or null.
    win32::Hwnd PageHandle(UINT nTemplateId) const;
    // Called on the sheet's thread as soon as its window exists: a test sets its timers there.
    void SetSheetCreatedHandler(std::function<void(win32::Hwnd)> fnHandler) {
        m_fnSheetCreated = std::move(fnHandler);
    }
    // The texts of the message boxes shown, oldest first.
    const std::vector<std::string>& MessageBoxes() const { return m_astrMessages; }
    // Whether the wait cursor is showing now.
    bool IsWaitCursorShown() const { return m_nWaitDepth > 0; }

private:
    // win32::ISheetEvents
    void OnSheetCreated(win32::Hwnd hSheet) override;
    void OnPageCreated(int nIndex, win32::Hwnd hPage) override;
    bool OnSetActive(int nIndex) override;
    long OnWizardStep(int nIndex, int nStep) override;
    bool OnWizardFinish(int nIndex) override;
    void OnCancel(int nIndex) override;
    void OnHelpButton(int nIndex) override;
    bool OnHelpInfo() override;
    void OnCommand(int nIndex, int nControlId) override;
    bool OnCtlColor(int nIndex, int nControlId, std::uint32_t* pcrText, std::uint32_t* pcrTextBack) override;

    // The page at nIndex is the one the portable sheet shows (notifications of other pages are old).
    bool IsActive(int nIndex) const;
    std::vector<win32::CPageSpec> PageSpecs(const CPropertySheetEx& sheet) const;

    win32::Hinstance m_hInstance;
    CPropertySheetEx* m_pSheet = nullptr;
    win32::Hwnd m_hSheet = nullptr;
    std::string m_strCaption;
    std::map<UINT, std::unique_ptr<CWin32Page>> m_pages;
    std::function<void(win32::Hwnd)> m_fnSheetCreated;
    std::vector<std::string> m_astrMessages;
    int m_nWaitDepth = 0;
    void* m_hCursorBeforeWait = nullptr;
};
