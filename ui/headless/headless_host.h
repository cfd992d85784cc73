// Runs the wizard sheet without a screen, for tests: presses the sheet's buttons as a user would
// and reads everything the sheet shows.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/wizard_app.h"
#include "ui/headless/headless_controls.h"
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

    // IWizardHost: shows the start page, then runs the script (if any) as the user's actions.
    ISheetWindow& Window() override { return *this; }
    void RunModal(CTolvaneSheet& sheet) override;
    void SetScript(std::function<void(CHeadlessHost&)> fnScript) { m_fnScript = std::move(fnScript); }
    // Shows the sheet's start page without a script; the test then presses the buttons.
    void Open(CPropertySheetEx& sheet);

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
    // How many times the wait cursor was shown, and whether it is showing now.
    int WaitCursorShows() const { return m_nWaitShows; }
    bool IsWaitCursorShown() const { return m_nWaitDepth > 0; }
    // The page's window (created on its first activation), or nullptr.
    CHeadlessPage* Page(UINT nTemplateId);
    CPropertySheetEx* Sheet() const { return m_pSheet; }

private:
    CPropertySheetEx* m_pSheet = nullptr;
    std::function<void(CHeadlessHost&)> m_fnScript;
    std::map<UINT, std::unique_ptr<CHeadlessPage>> m_pages;
    DWORD m_dwButtons = 0;
    std::string m_strFinishText;
    std::vector<std::string> m_astrMessages;
    int m_nWaitDepth = 0;
    int m_nWaitShows = 0;
};
