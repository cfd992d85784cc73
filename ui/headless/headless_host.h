// Runs the wizard sheet without a screen, for tests: on the model host, it records each message box
// and answers it as the test chose, counts the wait cursor's shows and the popups' foreground
// requests, runs a script as the user's actions, and makes progress windows fail on request.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/headless/headless_progress.h"
#include "ui/model/model_host.h"

class CHeadlessHost : public CModelHost {
public:
    // ISheetWindow
    int MessageBox(const std::string& strText, UINT nType) override;
    void BeginWaitCursor() override;
    std::unique_ptr<IProgressWindow> CreateProgressWindow() override;

    // IWizardHost: shows the start page, then runs the script (if any) as the user's actions.
    BOOL RunModal(CTolvaneSheet& sheet) override;
    void SetScript(std::function<void(CHeadlessHost&)> fnScript) { m_fnScript = std::move(fnScript); }

    const std::vector<std::string>& MessageBoxes() const { return m_astrMessages; }
    // The MB_ type of each box shown, and the button a Yes/No box is answered with (IDNO unless the
    // test chose IDYES).
    const std::vector<UINT>& MessageBoxTypes() const { return m_anMessageTypes; }
    // Whether the wait cursor was up while each box waited for its answer.
    const std::vector<bool>& WaitCursorAtMessageBoxes() const { return m_abWaitAtMessage; }
    void AnswerYesNo(int nAnswer) { m_nYesNoAnswer = nAnswer; }
    // How many times the wait cursor was shown.
    int WaitCursorShows() const { return m_nWaitShows; }

    // The newest progress popup window still held by its popup, or nullptr.
    CHeadlessProgressWindow* Progress() const;
    // Faults the next progress windows meet: creation fails, no device context to measure text with.
    struct CProgressFaults {
        bool bCreateFails = false;
        bool bNoDeviceContext = false;
    };
    CProgressFaults& ProgressFaults() { return m_progressFaults; }
    // How often a popup brought the sheet's window to the foreground.
    int ForegroundRequests() const { return m_nForegroundRequests; }
    void SetForegroundWindow() override { ++m_nForegroundRequests; }

private:
    std::function<void(CHeadlessHost&)> m_fnScript;
    std::vector<std::string> m_astrMessages;
    std::vector<bool> m_abWaitAtMessage;
    std::vector<UINT> m_anMessageTypes;
    int m_nYesNoAnswer = IDNO;
    int m_nWaitShows = 0;
    CProgressFaults m_progressFaults;
    int m_nForegroundRequests = 0;
};
