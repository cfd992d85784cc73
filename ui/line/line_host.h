// A plain line-mode front end for the terminal: prints the current page (header, texts, lists with
// their ticks) and reads one command a line. It keeps its controls in the headless host's models.
#pragma once

#include <iosfwd>

#include "ui/headless/headless_host.h"

class CLineHost : public CHeadlessHost {
public:
    CLineHost(std::istream& input, std::ostream& output) : m_input(input), m_output(output) {}

    int MessageBox(const std::string& strText, UINT nType) override;
    void BeginWaitCursor() override;
    // The progress popup prints its caption and text as they change; it never waits for input (the
    // message queue stays empty, so nothing cancels it).
    std::unique_ptr<IProgressWindow> CreateProgressWindow() override;
    // Shows pages and takes commands until the sheet closes; end of input cancels the wizard.
    void RunModal(CTolvaneSheet& sheet) override;
    // Prints a help topic's page (an HTML file of the host) as text.
    void ShowHelpPage(const std::string& strHostPath);

private:
    void PrintPage();
    void PrintHelpLine();
    // Carries out one command; false when it was not understood.
    bool Execute(const std::string& strCommand);
    bool ToggleItem(int nNumber);
    void PrintProgress(const CHeadlessProgressWindow& window);

    std::istream& m_input;
    std::ostream& m_output;
    std::string m_strLastProgress;
};
