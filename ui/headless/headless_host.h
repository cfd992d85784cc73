// Runs the wizard sheet without a screen, for tests: presses the sheet's buttons as a user would
// and reads everything the sheet shows.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/wizard_app.h"
#include "ui/headless/headless_controls.h"
#include "ui/headless/headless_progress.h"
#include "ui/sheet_window.h"

class CPropertySheetEx;

class CHeadlessHost : public ISheetWindow, public IWizardHost {
public:
    // ISheetWindow
    void PostSetWizButtons(DWORD dwFlags) override { m_dwButtons = dwFlags; }
    void SetFinishText(const std::string& strText) override { m_strFinishText = strText; }
    int MessageBox(const std::string& strText, UINT nType) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override { --m_nWaitDepth; }
    IPageControls& CreatePageWindow(UINT nTemplateId) override;
    std::unique_ptr<IProgressWindow> CreateProgressWindow() override;

    // IWizardHost: shows the start page, then runs the script (if any) as the user's actions.
    ISheetWindow& Window() override { return *this; }
    BOOL RunModal(CTolvaneSheet& sheet) override;
    void SetScript(std::function<void(CHeadlessHost&)> fnScript) { m_fnScript = std::move(fnScript); }
    // Shows the sheet's start page without a script; the test then presses the buttons.
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
    const std::vector<std::string>& MessageBoxes() const { return m_astrMessages; }
    // The MB_ type of each box shown, and the button a Yes/No box is answered with (IDNO unless the
    // test chose IDYES).
    const std::vector<UINT>& MessageBoxTypes() const { return m_anMessageTypes; }
    // Whether the wait cursor was up while each box waited for its answer.
    const std::vector<bool>& WaitCursorAtMessageBoxes() const { return m_abWaitAtMessage; }
    void AnswerYesNo(int nAnswer) { m_nYesNoAnswer = nAnswer; }
    // How many times the wait cursor was shown, and whether it is showing now.
    int WaitCursorShows() const { return m_nWaitShows; }
    bool IsWaitCursorShown() const { return m_nWaitDepth > 0; }
    // The page's window (created on its first activation), or nullptr.
    CHeadlessPage* Page(UINT nTemplateId);
    CPropertySheetEx* Sheet() const { return m_pSheet; }
    // The colours a page gives one of its controls' text, as a painting host would ask them.
    bool CtlColors(UINT nTemplateId, int nId, CCtlColors* pColors) const;

    // The newest progress popup window still held by its popup, or nullptr.
    CHeadlessProgressWindow* Progress() const { return m_apProgress.empty() ? nullptr : m_apProgress.back(); }
    // Faults the next progress windows meet: creation fails, no device context to measure text with.
    struct CProgressFaults {
        bool bCreateFails = false;
        bool bNoDeviceContext = false;
    };
    CProgressFaults& ProgressFaults() { return m_progressFaults; }
    // The sheet's window as the owner of popups: its rectangle on the 1024 x 768 screen, whether it is
    // enabled, and how often a popup brought it to the foreground.
    RECT WindowRect() const { return m_rcWindow; }
    void SetWindowRect(const RECT& rect) { m_rcWindow = rect; }
    bool IsEnabled() const { return m_bEnabled; }
    void EnableWindow(bool bEnable) { m_bEnabled = bEnable; }
    int ForegroundRequests() const { return m_nForegroundRequests; }
    void SetForegroundWindow() { ++m_nForegroundRequests; }
    // The thread's message queue (empty unless a test queues input).
    std::deque<MSG>& MessageQueue() { return m_queue; }
    // Kept up to date by CHeadlessProgressWindow.
    void AddProgressWindow(CHeadlessProgressWindow* pWindow) { m_apProgress.push_back(pWindow); }
    void RemoveProgressWindow(CHeadlessProgressWindow* pWindow);

private:
    CPropertySheetEx* m_pSheet = nullptr;
    std::function<void(CHeadlessHost&)> m_fnScript;
    std::map<UINT, std::unique_ptr<CHeadlessPage>> m_pages;
    DWORD m_dwButtons = 0;
    std::string m_strFinishText;
    std::vector<std::string> m_astrMessages;
    std::vector<bool> m_abWaitAtMessage;
    std::vector<UINT> m_anMessageTypes;
    int m_nYesNoAnswer = IDNO;
    int m_nWaitDepth = 0;
    int m_nWaitShows = 0;
    std::vector<CHeadlessProgressWindow*> m_apProgress;
    CProgressFaults m_progressFaults;
    RECT m_rcWindow{212, 159, 812, 609};
    bool m_bEnabled = true;
    int m_nForegroundRequests = 0;
    std::deque<MSG> m_queue;
};
