// The application object: finds the install folder, decodes the two banners, runs the wizard sheet
// modally and ends when it closes.
#pragma once

#include "ui/sheet_window.h"

class CTolvaneSheet;

// What runs the sheet: its window and the modal loop of a UI (Win32, terminal, headless).
class IWizardHost {
public:
    virtual ~IWizardHost() = default;
    virtual ISheetWindow& Window() = 0;
    // Shows the sheet's start page and returns when the sheet has closed.
    virtual void RunModal(CTolvaneSheet& sheet) = 0;
};

class CWizardApp {
public:
    // Always FALSE: the application ends after the wizard.
    BOOL InitInstance(IWizardHost& host);
    // 0 when the wizard ran; 1 when a banner could not be decoded and the wizard never opened.
    int GetExitCode() const { return m_nExitCode; }

private:
    int m_nExitCode = 0;
};
