// A plain line-mode front end for the terminal: prints the current page (header, texts, lists with
// their ticks, edits with their labels) and reads one command a line. It keeps its controls in the
// model controls (ui/model). The system's Windows-1252 text is written in the terminal's charset, and
// typed lines are read back into Windows-1252.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "ui/model/model_host.h"
#include "ui/term/term_encoding.h"

class CLineHost : public CModelHost {
public:
    CLineHost(std::istream& input, std::ostream& output, ETermCharset eCharset = ETermCharset::Utf8)
        : m_input(input),
          m_rawOutput(output),
          m_eCharset(eCharset),
          m_outputBuf(output.rdbuf(), eCharset),
          m_output(&m_outputBuf) {}

    int MessageBox(const std::string& strText, UINT nType) override;
    void BeginWaitCursor() override;
    // The progress popup prints its caption and text as they change; it never waits for input (the
    // message queue stays empty, so nothing cancels it).
    std::unique_ptr<IProgressWindow> CreateProgressWindow() override;
    // Shows pages and takes commands until the sheet closes; end of input cancels the wizard.
    BOOL RunModal(CTolvaneSheet& sheet) override;
    // Prints a help topic's page (an HTML file of the host) as text.
    void ShowHelpPage(const std::string& strHostPath);
    // Says which address the browser was handed.
    void ShowBrowserLaunch(const std::string& strAddress);

private:
    enum class ECommand {
        Done,         // carried out: the page is shown again
        NotPossible,  // a command that the page cannot take now (a disabled button, no such item)
        Unknown,
    };
    // An editable edit of the current page and the command that fills it: the last word of the
    // label before it, in lower case ("Reported by*:" gives "by").
    struct CEditCommand {
        std::string strWord;
        int nId = 0;
    };

    void PrintPage();
    void PrintHelpLine();
    void PrintCommands(const std::string& strVerb);
    ECommand Execute(const std::string& strCommand);
    bool ToggleItem(int nNumber);
    std::vector<CEditCommand> EditCommands();
    void PrintProgress(const CModelProgressWindow& window);

    std::istream& m_input;
    std::ostream& m_rawOutput;  // the terminal's own bytes
    ETermCharset m_eCharset;
    CTerminalOutputBuf m_outputBuf;
    std::ostream m_output;  // Windows-1252 text, converted on its way to m_rawOutput
    std::string m_strLastProgress;
};
