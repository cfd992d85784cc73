// The sheet's window without a platform: the state that the terminal, line and headless hosts share
// (the sheet's buttons and their states, the wait cursor, the pages' windows as model controls, the
// progress popups and the owner window they stand over, the thread's message queue) and the sheet's
// buttons pressed as a user would. Each host adds how it shows boxes and runs the modal loop.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/wizard_app.h"
#include "ui/model/model_controls.h"
#include "ui/model/model_progress.h"
#include "ui/sheet_window.h"

class CPropertySheetEx;

class CModelHost : public ISheetWindow, public IWizardHost {
public:
    // ISheetWindow
    void PostSetWizButtons(DWORD dwFlags) override { m_dwButtons = dwFlags; }
    void SetFinishText(const std::string& strText) override { m_strFinishText = strText; }
    void BeginWaitCursor() override { ++m_nWaitDepth; }
    void EndWaitCursor() override { --m_nWaitDepth; }
    IPageControls& CreatePageWindow(UINT nTemplateId) override;

    // IWizardHost
    ISheetWindow& Window() override { return *this; }
    // Shows the sheet's start page; the host's loop (or a test) then presses the buttons.
    void Open(CPropertySheetEx& sheet);
    // The modal loop has ended: the sheet goes away with it, and the host counts as closed.
    void Detach() { m_pSheet = nullptr; }

    // The sheet's buttons; a disabled button does nothing and returns false.
    bool Next();
    bool Back();
    bool Finish();
    bool Cancel();
    bool Help();
    // F1 in the sheet.
    void F1();
    // A push button on the current page.
    void Click(int nControlId);

    UINT CurrentPage() const;
    bool IsClosed() const;
    DWORD Buttons() const { return m_dwButtons; }
    // The Finish button's text: "Finish" unless a page set its own.
    std::string FinishText() const { return m_strFinishText.empty() ? "Finish" : m_strFinishText; }
    bool IsWaitCursorShown() const { return m_nWaitDepth > 0; }
    // The page's window (created on its first activation), or nullptr.
    CModelPage* Page(UINT nTemplateId);
    CPropertySheetEx* Sheet() const { return m_pSheet; }
    // The colours a page gives one of its controls' text, as a painting host would ask them.
    bool CtlColors(UINT nTemplateId, int nId, CCtlColors* pColors) const;

    // The newest progress popup window still held by its popup, or nullptr.
    CModelProgressWindow* Progress() const { return m_apProgress.empty() ? nullptr : m_apProgress.back(); }
    // The sheet's window as the owner of popups: its rectangle on the 1024 x 768 screen, and whether
    // it is enabled. A popup asking to bring it to the foreground changes nothing here.
    RECT WindowRect() const { return m_rcWindow; }
    void SetWindowRect(const RECT& rect) { m_rcWindow = rect; }
    bool IsEnabled() const { return m_bEnabled; }
    void EnableWindow(bool bEnable) { m_bEnabled = bEnable; }
    virtual void SetForegroundWindow() {}
    // The thread's message queue (empty unless input is queued).
    std::deque<MSG>& MessageQueue() { return m_queue; }
    // Kept up to date by CModelProgressWindow.
    void AddProgressWindow(CModelProgressWindow* pWindow) { m_apProgress.push_back(pWindow); }
    void RemoveProgressWindow(CModelProgressWindow* pWindow);

private:
    CPropertySheetEx* m_pSheet = nullptr;
    std::map<UINT, std::unique_ptr<CModelPage>> m_pages;
    DWORD m_dwButtons = 0;
    std::string m_strFinishText;
    int m_nWaitDepth = 0;
    std::vector<CModelProgressWindow*> m_apProgress;
    RECT m_rcWindow{212, 159, 812, 609};
    bool m_bEnabled = true;
    std::deque<MSG> m_queue;
};
