// The application object: finds the install folder, decodes the two banners, runs the wizard sheet
// modally and ends when it closes.
#pragma once

#include <string>

#include "ui/sheet_window.h"

class CTolvaneSheet;

// What runs the sheet: its window and the modal loop of a UI (Win32, terminal, headless).
class IWizardHost {
public:
    virtual ~IWizardHost() = default;
    virtual ISheetWindow& Window() = 0;
    // Shows the sheet's start page and returns when the sheet has closed: TRUE, or FALSE when the
    // sheet could not be shown at all.
    virtual BOOL RunModal(CTolvaneSheet& sheet) = 0;
};

class CWizardApp {
public:
    // Always FALSE: the application ends after the wizard.
    BOOL InitInstance(IWizardHost& host);
    // 0 when the wizard ran; 1 when a banner could not be decoded or the host could not show the sheet,
    // so the wizard never opened.
    int GetExitCode() const { return m_nExitCode; }
    // Why the wizard never opened: the banner's path and what was wrong with it; empty otherwise.
    // The program shows no message; a host may report it where the user looks (a terminal's stderr).
    const std::string& GetStartError() const { return m_strStartError; }

private:
    int m_nExitCode = 0;
    std::string m_strStartError;
};
